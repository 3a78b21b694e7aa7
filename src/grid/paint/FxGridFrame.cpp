// What the grid paints around and over its cells: the order of one paint
// pass, the background outside the last row and column, the frame border of
// the flat looks, the translucent focus frame and the dotted sizing lines.
#include "grid/model/FxGrid.h"
#include "grid/paint/FxGridPaint_p.h"

#include "framework/Canvas.h"
#include "framework/SysColors.h"
#include "grid/foundation/FxOptions.h"
#include "grid/foundation/FxUtilDraw.h"
#include "grid/foundation/GridFocusWindow.h"

#include <QChildEvent>
#include <QDebug>
#include <QEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>

using fw::TColor;
using fw::TRect;

namespace {

QPointer<TFxStringGrid> gFocusFrameGrid;

// The one-pixel frame border lies over the window frame and the scroll bars:
// a see-through child on top of everything that draws the grid's outline.
// The scroll area raises its scroll bars whenever it lays them out (the first
// showing among them), so the overlay watches its siblings and goes back on
// top whenever one of them is raised.
class TBorderOverlay : public QWidget {
public:
    explicit TBorderOverlay(TFxStringGrid* grid) : QWidget(grid), FGrid(grid)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        grid->installEventFilter(this);
        for (QObject* child : grid->children())
            Watch(child);
        setGeometry(grid->rect());
        raise();
    }

    TColor Outline = fw::clNone;   // the grid's outermost pixel ring
    TColor Inner = fw::clNone;     // the ring one pixel inside

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == FGrid) {
            if (event->type() == QEvent::Resize) {
                setGeometry(FGrid->rect());
                raise();
            } else if (event->type() == QEvent::ChildAdded) {
                Watch(static_cast<QChildEvent*>(event)->child());
                raise();
            }
        } else if (event->type() == QEvent::ZOrderChange && watched->parent() == FGrid) {
            raise();
        }
        return false;
    }

    void paintEvent(QPaintEvent*) override
    {
        fw::TCanvas canvas(this);
        const int w = width(), h = height();
        auto ring = [&](TColor color, int inset) {
            if (color == fw::clNone)
                return;
            canvas.Pen().Color = color;
            canvas.Pen().Width = 1;
            canvas.Pen().Style = fw::psSolid;
            canvas.Pen().Mode = fw::pmCopy;
            canvas.Brush().Style = fw::bsClear;
            canvas.Rectangle(inset, inset, w - inset, h - inset);
        };
        ring(Inner, 1);
        ring(Outline, 0);
    }

private:
    void Watch(QObject* child)
    {
        if (child != this && child->isWidgetType())
            child->installEventFilter(this);
    }

    TFxStringGrid* FGrid;
};

} // namespace

void TFxStringGrid::Paint()
{
    TFxGridPaintState& ps = PaintState();
    fw::TCanvas& canvas = Canvas();
    // A fault in painting must not reach Qt: the pass ends with what was drawn.
    try {
        canvas.Pen().Style = fw::psSolid;
        canvas.Brush().Style = fw::bsSolid;
        TBaseGrid::Paint();

        if (EditorMode()) {
            const fw::TGridOptions options = Options();
            TColor pen = GridLineColor();
            if (GridLineWidth() < 1 || !(options & (fw::goHorzLine | fw::goVertLine)))
                pen = Color();
            canvas.Pen().Color = pen;
            canvas.Brush().Style = fw::bsClear;
            canvas.Rectangle(CellRect(Col(), Row()));
            canvas.Brush().Style = fw::bsSolid;
        }
        canvas.Pen().Color = fw::clBlack;
        if (!ps.BackGround->Bitmap().Empty() || ps.BackGround->ColorTo() != fw::clNone)
            PaintOutsideCells();
        if (const auto& e = Events().OnPainted)
            e(this);
    } catch (const std::exception& e) {
        qWarning() << "grid paint ended early:" << e.what();
    } catch (...) {
        qWarning() << "grid paint ended early";
    }
}

void TFxStringGrid::PaintOutsideCells()
{
    const TBackGround& bg = BackGround();
    const bool gradient = bg.Display() == bdGradientHorz || bg.Display() == bdGradientVert;
    const bool rowsOverflow = TopRow() + VisibleRowCount() < RowCount();
    const bool colsOverflow = LeftCol() + VisibleColCount() < ColCount();
    if ((rowsOverflow && colsOverflow) || (gradient && bg.ColorTo() == fw::clNone))
        return;
    const int cw = ClientWidth(), ch = ClientHeight();
    const int g = GridLineWidth();
    fw::TRegion region;
    const TRect right = CellRect(ColCount() - 1, TopRow()).Inflated(g, g);
    if (right.Right < cw && !colsOverflow)
        region = region.United(fw::TRegion(TRect(right.Right, 0, cw, ch)));
    const TRect below = CellRect(LeftCol(), RowCount() - 1).Inflated(g, g);
    if (below.Bottom < ch && !rowsOverflow)
        region = region.United(fw::TRegion(TRect(0, below.Bottom, cw, ch)));
    if (region.IsEmpty())
        return;
    TRect P(0, 0, cw, ch);
    if (SearchFooter().Visible())
        P.Bottom -= 32;
    if (FloatingFooter().Visible())
        P.Bottom -= FooterPanel().PanelHeight();
    fw::TCanvas& canvas = Canvas();
    const int saved = canvas.SaveDC();
    canvas.ExtSelectClipRgn(region, fw::rmAnd);
    if (bg.Bitmap().Empty()) {
        if (gradient && !P.IsEmpty())
            DrawStepGradient(canvas, bg.Color(), bg.ColorTo(), 128, P, bg.Display() == bdGradientHorz);
    } else if (bg.Display() != bdTile) {
        DrawBackgroundBitmap(canvas, P);
    } else if (bg.Cells() != bcFixed) {
        int left = P.Left, top = P.Top;
        if (bg.Cells() == bcNormal) {
            const TRect first = CellRect(FixedCols(), FixedRows());
            left = first.Left;
            top = first.Top;
        }
        left += XYOffset().X;
        top += XYOffset().Y;
        DrawBackgroundTiled(canvas, TRect(left, top, P.Right, P.Bottom));
    }
    canvas.RestoreDC(saved);
}

void TFxStringGrid::DrawBorderLines()
{
    TFxGridPaintState& ps = PaintState();
    const TGridLook look = ps.Look;
    const bool flatLook = look == glSoft || look == glRIR || look == glXP || look == glListView ||
                          look == glVista || look == glWin7 || look == glOffice2007;
    const bool draw = flatLook && frameShape() != QFrame::NoFrame && ps.BorderColor != fw::clNone && !Flat();
    if (!draw) {
        if (ps.BorderOverlay)
            ps.BorderOverlay->hide();
        return;
    }
    if (!ps.BorderOverlay)
        ps.BorderOverlay = new TBorderOverlay(this);
    auto* overlay = static_cast<TBorderOverlay*>(ps.BorderOverlay.data());
    if (FitCellsInGrid()) {
        overlay->Inner = ps.BorderColor;
        overlay->Outline = parentWidget() ? fw::FromQColor(parentWidget()->palette().color(QPalette::Window))
                                          : fw::clNone;
    } else {
        overlay->Inner = fw::clNone;
        overlay->Outline = ps.BorderColor;
    }
    overlay->show();
    overlay->raise();
    overlay->update();
}

// ---------------------------------------------------------------- focus frame

TGridFocusWindow* TFxStringGrid::FocusWindow() const
{
    return PaintState().FocusWindow.data();
}

TFocusHelper& TFxStringGrid::FocusHelper() const
{
    return PaintState().FocusHelper;
}

void TFxStringGrid::SetFocusHelper(const TFocusHelper& value)
{
    PaintState().FocusHelper.Assign(value);
}

TFxStringGrid* TFxStringGrid::FocusFrameGrid()
{
    return gFocusFrameGrid.data();
}

void TFxStringGrid::ShowFocusWindow(const TRect& R)
{
    TFxGridPaintState& ps = PaintState();
    if (!ps.FocusWindow)
        ps.FocusWindow = new TGridFocusWindow(this);
    TGridFocusWindow& frame = *ps.FocusWindow;
    frame.hide();
    const int w = R.Width(), h = R.Height();
    if (w <= 0 || h <= 0)
        return;
    const int W = w + 9, H = h + 9;
    fw::TBitmap mask;
    BuildRoundRectMask(mask, W, H, 4, 5, 3);
    fw::TBitmap colour(W, H);
    colour.SetPixelFormat(fw::pf24bit);
    FillRectColor(colour.Canvas(), TRect(0, 0, W, H), 0xFDD397);
    colour.Canvas().Release();
    TGridAlphaMask alpha;
    alpha.MergeMask(mask, colour, fw::clNone);
    alpha.SetOpacity(230);
    frame.UpdateLayered(alpha.ToImage(), alpha.Opacity());
    frame.SetWindowRegion(fw::TRegion(TRect(0, 0, W, H)).Xored(fw::TRegion(TRect(4, 4, 4 + w, 4 + h))));
    const QPoint screen = viewport()->mapToGlobal(QPoint(R.Left - 4, R.Top - 4));
    frame.setGeometry(screen.x(), screen.y(), W, H);
    gFocusFrameGrid = this;
    frame.ShowNoActivate();
}

void TFxStringGrid::MoveFocusWindow()
{
    TFxGridPaintState& ps = PaintState();
    if (!ps.FocusWindow || !ps.FocusWindow->isVisible())
        return;
    const TRect R = CellRect(Col(), Row());
    const QPoint screen = viewport()->mapToGlobal(QPoint(R.Left - 4, R.Top - 4));
    ps.FocusWindow->setGeometry(screen.x(), screen.y(), R.Width() + 9, R.Height() + 9);
}

void TFxStringGrid::HideFocusWindow()
{
    if (gFocusFrameGrid == this)
        gFocusFrameGrid = nullptr;
    if (PaintState().FocusWindow)
        PaintState().FocusWindow->hide();
}

// ---------------------------------------------------------------- sizing lines

namespace {

// A dotted line inverting what it covers, so that drawing it again removes it.
void XorLine(fw::TCanvas& canvas, int x1, int y1, int x2, int y2)
{
    const fw::TPen saved = canvas.Pen();
    // Inverted in white: the same line in black would change no pixel at all.
    canvas.Pen().Color = fw::clWhite;
    canvas.Pen().Style = fw::psDot;
    canvas.Pen().Mode = fw::pmXor;
    canvas.Pen().Width = 1;
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
    canvas.Pen() = saved;
}

} // namespace

void TFxStringGrid::DrawSizingLineVert(int X)
{
    const int bottom = std::max(height(), CellRect(0, RowCount() - 1).Bottom);
    XorLine(Canvas(), X, 0, X, bottom);
}

void TFxStringGrid::DrawSizingLineHorz(int Y)
{
    const int right = std::max(width(), CellRect(ColCount() - 1, 0).Right);
    XorLine(Canvas(), 0, Y, right, Y);
}
