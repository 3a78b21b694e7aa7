#include "grid/paint/FxScrollControl.h"

#include "framework/Canvas.h"
#include "grid/model/FxGrid.h"

#include <QEvent>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>

// Keeps a scroll control docked at the right (vertical) or bottom edge of its grid.
class TScrollDock : public QObject {
public:
    explicit TScrollDock(TScrollControl* bar) : QObject(bar), FBar(bar)
    {
        if (bar->parentWidget())
            bar->parentWidget()->installEventFilter(this);
    }
    void Place()
    {
        const QWidget* grid = FBar->parentWidget();
        if (!grid)
            return;
        const QRect area = grid->contentsRect();
        if (FBar->Direction() == sdVertical)
            FBar->setGeometry(area.right() + 1 - FBar->width(), area.top(), FBar->width(), area.height());
        else
            FBar->setGeometry(area.left(), area.bottom() + 1 - FBar->height(), area.width(), FBar->height());
        FBar->raise();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Resize)
            Place();
        return false;
    }

private:
    TScrollControl* FBar;
};

TScrollControl::TScrollControl(QWidget* owner) : QWidget(owner)
{
    setAttribute(Qt::WA_NoSystemBackground);
    FDock = new TScrollDock(this);
}

TFxStringGrid* TScrollControl::Grid() const
{
    return qobject_cast<TFxStringGrid*>(parentWidget());
}

void TScrollControl::SetDirection(TScrollDirection value)
{
    FDirection = value;
    FDock->Place();
}

void TScrollControl::SetColor(fw::TColor value)
{
    if (FColor == value)
        return;
    FColor = value;
    update();
}

bool TScrollControl::AllFit() const
{
    const TFxStringGrid* g = Grid();
    if (!g)
        return true;
    return FDirection == sdVertical ? g->VisibleRowCount() >= g->RowCount() - g->FixedRows()
                                    : g->VisibleColCount() >= g->ColCount() - g->FixedCols();
}

TScrollControl::TThumb TScrollControl::Thumb() const
{
    const TFxStringGrid* g = Grid();
    if (!g || AllFit())
        return {};
    const bool vertical = FDirection == sdVertical;
    const int extent = vertical ? height() : width();
    int fixedStart = 0, fixedEnd = 0, count = 0, fixed = 0, visible = 0, first = 0;
    if (vertical) {
        fixed = g->FixedRows();
        count = g->RowCount();
        visible = g->VisibleRowCount();
        first = g->TopRow();
        for (int r = 0; r < fixed; ++r)
            fixedStart += g->RowHeights(r);
        for (int r = std::max(fixed, count - g->FixedFooters()); r < count; ++r)
            fixedEnd += g->RowHeights(r);
    } else {
        fixed = g->FixedCols();
        count = g->ColCount();
        visible = g->VisibleColCount();
        first = g->LeftCol();
        for (int c = 0; c < fixed; ++c)
            fixedStart += g->ColWidths(c);
        for (int c = std::max(fixed, count - g->FixedRightCols()); c < count; ++c)
            fixedEnd += g->ColWidths(c);
    }
    const int track = extent - fixedStart - fixedEnd;
    // Counts of 0 leave no fraction to take: no division by them.
    const double v = count > 0 ? double(visible) / count : 1.0;
    const double p = count - fixed > 0 ? double(first - fixed) / (count - fixed) : 0.0;
    TThumb t;
    t.Start = fixedStart + int(std::lround(track * p));
    t.Length = std::max(20, int(std::lround(track * v)));
    if (t.Start + t.Length > extent)
        t.Start = extent - t.Length;
    return t;
}

void TScrollControl::paintEvent(QPaintEvent*)
{
    const TThumb t = Thumb();
    if (t.Length <= 0)
        return;
    fw::TCanvas canvas(this);
    canvas.Pen().Color = FColor;
    canvas.Brush().Color = FColor;
    canvas.Brush().Style = fw::bsSolid;
    if (FDirection == sdVertical)
        canvas.Rectangle(0, t.Start, FScrollWidth, t.Start + t.Length);
    else
        canvas.Rectangle(t.Start, 0, t.Start + t.Length, FScrollWidth);
}

void TScrollControl::MouseDown(int X, int Y)
{
    TFxStringGrid* g = Grid();
    if (!g)
        return;
    const TThumb t = Thumb();
    const int pos = FDirection == sdVertical ? Y : X;
    const bool vertical = FDirection == sdVertical;
    const int first = vertical ? g->TopRow() : g->LeftCol();
    const int fixed = vertical ? g->FixedRows() : g->FixedCols();
    const int visible = vertical ? g->VisibleRowCount() : g->VisibleColCount();
    const int count = vertical ? g->RowCount() : g->ColCount();
    auto move = [&](int value) {
        if (vertical)
            g->SetTopRow(value);
        else
            g->SetLeftCol(value);
    };
    if (pos < t.Start) {
        move(std::max(fixed, first - visible));
    } else if (pos >= t.Start + t.Length) {
        move(std::max(fixed, std::min(first + visible, count - visible)));
    } else {
        FDownOnScroller = true;
        FDownPos = pos;
        FDownRow = first;
    }
    update();
}

void TScrollControl::MouseMove(int X, int Y)
{
    TFxStringGrid* g = Grid();
    if (!g || !FDownOnScroller)
        return;
    const bool vertical = FDirection == sdVertical;
    const int extent = vertical ? height() - g->RowHeights(0) : width() - g->ColWidths(0);
    const int count = vertical ? g->RowCount() : g->ColCount();
    const int fixed = vertical ? g->FixedRows() : g->FixedCols();
    const int visible = vertical ? g->VisibleRowCount() : g->VisibleColCount();
    const int delta = (vertical ? Y : X) - FDownPos;
    const int moved = extent > 0 ? int(std::lround(double(delta) / extent * count)) : 0;
    const int value = std::max(fixed, std::min(moved + FDownRow, count - visible));
    if (vertical)
        g->SetTopRow(value);
    else
        g->SetLeftCol(value);
    update();
}

void TScrollControl::MouseUp()
{
    FDownOnScroller = false;
}

void TScrollControl::mousePressEvent(QMouseEvent* event)
{
    MouseDown(event->position().toPoint().x(), event->position().toPoint().y());
}

void TScrollControl::mouseMoveEvent(QMouseEvent* event)
{
    MouseMove(event->position().toPoint().x(), event->position().toPoint().y());
}

void TScrollControl::mouseReleaseEvent(QMouseEvent*)
{
    MouseUp();
}
