// Scrolling: scroll-bar messages with their position hints, the
// proportional thumbs, and the mouse wheel.
#include "grid/model/FxGrid.h"
#include "grid/interact/FxGridInteract_p.h"

#include "grid/foundation/FxOptions.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QToolTip>

#include <cmath>

using namespace fw;

namespace {

// a * b / c rounded towards zero, without overflow; 0 for c = 0.
int MulDiv(int a, int b, int c)
{
    return c == 0 ? 0 : int((long long)a * b / c);
}

// The marker at the panning start: a white disc with a dot and arrows for
// the directions the grid pans in.
QPixmap PanningImage(TIntelliPan pan)
{
    QPixmap pm(26, 26);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(0.5, 0.5, 25, 25));
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(13, 13), 2, 2);
    auto arrow = [&](QPointF tip, QPointF a, QPointF b) {
        QPainterPath path(tip);
        path.lineTo(a);
        path.lineTo(b);
        path.closeSubpath();
        p.fillPath(path, Qt::black);
    };
    if (pan == ipVertical || pan == ipBoth) {
        arrow({13, 3}, {9, 8}, {17, 8});
        arrow({13, 23}, {9, 18}, {17, 18});
    }
    if (pan == ipHorizontal || pan == ipBoth) {
        arrow({3, 13}, {8, 9}, {8, 17});
        arrow({23, 13}, {18, 9}, {18, 17});
    }
    return pm;
}

// The cursor of the direction the grid pans in (v, h each -1, 0 or +1).
Qt::CursorShape PanningCursor(int v, int h)
{
    if (v == 0 && h == 0)
        return Qt::SizeAllCursor;
    if (h == 0)
        return Qt::SizeVerCursor;
    if (v == 0)
        return Qt::SizeHorCursor;
    return v == h ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
}

} // namespace

void TFxStringGrid::StartPanning(int X, int Y)
{
    TFxGridInteractState& s = InteractState();
    s.PanPrevCursor = viewport()->cursor();
    viewport()->setCursor(PanningCursor(0, 0));
    s.WheelPan = true;
    s.WheelPanPos = QPoint(X, Y);
    SetTimer(kPanTimer, 10);
    viewport()->grabMouse();
    QToolTip::hideText();
    if (!s.PanImage) {
        s.PanImage = new QLabel(viewport());
        s.PanImage->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    s.PanImage->setPixmap(PanningImage(IntelliPan()));
    s.PanImage->setGeometry(X, Y, 26, 26);
    s.PanImage->show();
}

void TFxStringGrid::StopPanning()
{
    TFxGridInteractState& s = InteractState();
    if (!s.WheelPan)
        return;
    s.WheelPan = false;
    viewport()->releaseMouse();
    KillTimer(kPanTimer);
    viewport()->setCursor(s.PanPrevCursor);
    if (s.PanImage)
        s.PanImage->hide();
}

void TFxStringGrid::PanTick()
{
    TFxGridInteractState& s = InteractState();
    const QPoint p = viewport()->mapFromGlobal(QCursor::pos());
    const TIntelliPan pan = IntelliPan();
    int v = p.y() < s.WheelPanPos.y() - 5 ? -1 : p.y() > s.WheelPanPos.y() + 5 ? 1 : 0;
    int h = p.x() < s.WheelPanPos.x() - 5 ? -1 : p.x() > s.WheelPanPos.x() + 5 ? 1 : 0;
    if (pan == ipHorizontal)
        v = 0;
    if (pan == ipVertical)
        h = 0;
    const TGridRect before = Selection();
    if (MouseActions().WheelAction() == waScroll) {
        if (h < 0 && LeftCol() > FixedCols())
            SetLeftCol(LeftCol() - 1);
        else if (h > 0 && LeftCol() < ColCount() - VisibleColCount())
            SetLeftCol(LeftCol() + 1);
        if (v < 0 && TopRow() > FixedRows())
            SetTopRow(TopRow() - 1);
        else if (v > 0 && TopRow() < RowCount() - VisibleRowCount())
            SetTopRow(TopRow() + 1);
    } else {
        const int lastCol = ColCount() - FixedRightCols() - 1;
        const int lastRow = RowCount() - FixedFooters() - 1;
        int c = std::clamp(Col(), FixedCols(), std::max(FixedCols(), lastCol));
        int r = std::clamp(Row(), FixedRows(), std::max(FixedRows(), lastRow));
        if ((h < 0 && c > FixedCols()) || (h > 0 && c < lastCol))
            c += h;
        if ((v < 0 && r > FixedRows()) || (v > 0 && r < lastRow))
            r += v;
        if (c != Col())
            SetCol(c);
        if (r != Row())
            SetRow(r);
    }
    viewport()->setCursor(PanningCursor(v, h));
    if (s.PanImage)
        s.PanImage->raise();
    const TGridRect after = Selection();
    if (!(after == before))
        DoSelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
}

void TFxStringGrid::HandleWmScroll(TMessage& m, bool Vertical)
{
    const int code = LoWord(m.WParam);
    const int pos = HiWord(m.WParam);
    const TScrollHintType hints = ScrollHints();
    const bool wantHint = Vertical ? (hints == shVertical || hints == shBoth)
                                   : (hints == shHorizontal || hints == shBoth);
    const int target = Vertical ? MulDiv(pos, RowCount() - VisibleRowCount() - FixedRows(), 127) + FixedRows()
                                : MulDiv(pos, ColCount() - VisibleColCount() - FixedCols(), 127) + FixedCols();
    if (wantHint) {
        if (code == SB_ENDSCROLL) {
            ReleaseHint();
        } else if (code == SB_THUMBTRACK) {
            QString text = (Vertical ? QStringLiteral("Row : ") : QStringLiteral("Col : ")) + QString::number(target);
            if (const auto& e = Events().OnScrollHint)
                e(this, target, text);
            const QPoint c = QCursor::pos();
            ShowHint(text, TPoint(c.x() + 10, c.y()));
        }
    }
    // The last row already ends above the search bar: nothing more to scroll.
    const bool footer = Vertical && SearchFooter().Visible();
    if (footer && (code == SB_ENDSCROLL || code == SB_LINEDOWN) && LastRowAboveSearchFooter()) {
        m.Result = 1;
        return;
    }
    if (code == SB_THUMBTRACK && ScrollSynch()) {
        if (Vertical)
            SetTopRow(target);
        else
            SetLeftCol(target);
    }
    if (!Vertical && FixedCols() == 0 && target >= Col())
        HideInplaceEdit();
    TBaseGrid::WndProc(m);
    if (footer && (code == SB_ENDSCROLL || code == SB_LINEDOWN) && TopRow() >= RowCount() - VisibleRowCount())
        KeepLastRowAboveSearchFooter();
    UpdateFlatScrollBars();
    UpdateFooter();
}

void TFxStringGrid::UpdateProportionalHorzScroll()
{
    TFxGridInteractState& s = InteractState();
    if (!ScrollProportional() || s.ScrollLock || !IsLoaded())
        return;
    const int line = GridLineWidth();
    int b = line, c = line;
    for (int i = 0; i < ColCount(); ++i)
        (i < FixedCols() ? b : c) += ColWidths(i) + line;
    const int w = width();
    // No scrollable columns: nothing to size the thumb by.
    if (c <= 0)
        return;
    const float e = float(w - b) / float(c);
    if (e >= 0.9999f || b + c - w < 5)
        return;
    const int page = std::max(1, int(float(127) * e / (1 - e)));
    horizontalScrollBar()->setPageStep(page);
}

void TFxStringGrid::UpdateProportionalVertScroll()
{
    TFxGridInteractState& s = InteractState();
    if (!ScrollProportional() || s.ScrollLock || !IsLoaded() || VisibleRowCount() + FixedRows() >= RowCount())
        return;
    const int line = GridLineWidth();
    int b = line, c = line;
    for (int i = 0; i < RowCount(); ++i)
        (i < FixedRows() ? b : c) += RowHeights(i) + line;
    if (c <= 0)
        return;
    const float e = float(height() - b) / float(c);
    if (e >= 0.9999f)
        return;
    verticalScrollBar()->setPageStep(std::max(1, int(float(127) * e / (1 - e))));
}

void TFxStringGrid::UpdateScrollBarsAlways(bool) {}

void TFxStringGrid::HandleWmMouseWheel(TMessage& m)
{
    const int delta = int(std::int16_t(HiWord(m.WParam)));
    const int lines = std::max(1, QApplication::wheelScrollLines());
    const TShiftState shift = KeysToShiftState(LoWord(m.WParam));
    if (shift.Contains(ssCtrl) && IntelliZoom()) {
        Zoom(delta < 0 ? lines : -lines);
        AutoSizeCells(true, 4, 4);
        m.Result = 1;
        return;
    }
    if (!EnableWheel() || (FixedRowAlways() && RowCount() == 1)) {
        m.Result = 1;
        return;
    }
    const TGridRect before = Selection();
    const int notches = std::max(1, std::abs(delta) / WHEEL_DELTA);
    const int n = (MouseActions().WheelIncrement() >= 1 ? MouseActions().WheelIncrement() : lines) * notches;
    const bool down = delta < 0;
    int target = Row();
    if (MouseActions().WheelAction() == waScroll) {
        if (down && TopRow() < RowCount() - VisibleRowCount())
            SetTopRow(std::min(TopRow() + n, RowCount() - VisibleRowCount()));
        else if (!down && TopRow() > FixedRows())
            SetTopRow(TopRow() - std::min(n, TopRow() - FixedRows()));
    } else {
        target = down ? Row() + n : Row() - n;
        target = std::clamp(target, FixedRows(), std::max(FixedRows(), RowCount() - FixedFooters() - 1));
        if (target != Row()) {
            if (MouseActions().DisjunctRowSelect())
                ClearRowSelect();
            SetRow(target);
            if (Row() != target)
                SetRow(Row() + int(std::lround((target - Row()) / 2.0)));
        }
    }
    if (MouseActions().WheelIncrement() != 0 || MouseActions().DisjunctRowSelect()) {
        bool handled = true;
        const auto& e = down ? OnMouseWheelDown : OnMouseWheelUp;
        if (e)
            e(this, TShiftState(), TPoint(0, 0), handled);
    }
    const TGridRect now = Selection();
    if (!(now == before))
        DoSelectionChanged(now.Left, now.Top, now.Right, now.Bottom);
    if (SearchFooter().Visible() && TopRow() >= RowCount() - VisibleRowCount())
        KeepLastRowAboveSearchFooter();
    m.Result = 1;
}

bool TFxStringGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    if (MouseActions().WheelAction() == waScroll || !EnableWheel()) {
        bool handled = false;
        if (OnMouseWheelDown)
            OnMouseWheelDown(this, Shift, MousePos, handled);
        return handled;
    }
    return TBaseGrid::DoMouseWheelDown(Shift, MousePos);
}

bool TFxStringGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    if (MouseActions().WheelAction() == waScroll || !EnableWheel()) {
        bool handled = false;
        if (OnMouseWheelUp)
            OnMouseWheelUp(this, Shift, MousePos, handled);
        return handled;
    }
    return TBaseGrid::DoMouseWheelUp(Shift, MousePos);
}
