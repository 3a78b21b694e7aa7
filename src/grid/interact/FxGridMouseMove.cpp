// Mouse move: the sizing flags and events with their hint, column and row
// move vetoes, and the mouse-select mode that chooses the cursor; and the
// one hint window of scroll and sizing hints; the cell hint.
#include "grid/model/FxGrid.h"
#include "grid/interact/FxGridInteract_p.h"
#include "grid/exchange/FxGridDragDrop.h"

#include "framework/SysColors.h"
#include "grid/foundation/FxOptions.h"

#include "framework/Guard.h"

#include <QHelpEvent>
#include <QScrollBar>
#include <QStyle>

#include <cstdlib>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QToolTip>

using namespace fw;

TMouseSelectMode FxMouseSelectModeAt(TFxStringGrid& g, int X, int Y, bool OnSizingEdge)
{
    int c = -1, r = -1;
    g.MouseToCell(X, Y, c, r);
    if (c < 0 || r < 0)
        return msNormal;
    const TMouseActions& ma = g.MouseActions();
    const bool fixedCol = c < g.FixedCols(), fixedRow = r < g.FixedRows();
    if (fixedCol && fixedRow)
        return ma.AllSelect() ? msAll : msNormal;
    if (OnSizingEdge)
        return msNormal;
    if (fixedRow && ma.ColSelect())
        return msColumn;
    if (fixedCol && ma.RowSelect() && r < g.RowCount() - g.FixedFooters())
        return msRow;
    return msNormal;
}

void TFxStringGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    TFxGridInteractState& s = InteractState();
    TMouseActions& ma = MouseActions();
    if (s.MouseDownMove && ma.RangeSelectAndEdit() && (Options() & goEditing) && !s.EditMode)
        SetOptions(Options() & ~TGridOptions(goEditing));
    const TGridRect entrySel = Selection();
    int acol = -1, arow = -1;
    MouseToCell(X, Y, acol, arow);
    UpdateHover(acol, arow, X, Y);
    // A press on the selection becomes a drag once the pointer has moved
    // more than 3 pixels with the button still down, once per press.
    if (s.SelectionClick && Shift.Contains(ssLeft) && acol >= 0 && arow >= 0 &&
        (std::abs(X - s.Clickposx) > 3 || std::abs(Y - s.Clickposy) > 3) && DragDropSettings().OleDropSource() &&
        GridState() != gsColSizing && !s.MouseResize) {
        s.SelectionClick = false;
        if (OleDragFromCell(acol, arow) >= 0)
            return;
        // A refused drag is a range selection: the selection's moving corner
        // follows the pointer from here, as after a press on a cell.
        BeginSelecting();
    }
    if (s.MouseResize && s.MouseDownMove) {
        int c = -1, r = -1;
        MouseToCell(std::clamp(X, 0, std::max(0, ClientWidth() - 1)), std::clamp(Y, 0, std::max(0, ClientHeight() - 1)),
                    c, r);
        const TGridRect from = s.DropSelection;
        if (c >= 0 && r >= 0) {
            const TGridRect to{from.Left, from.Top, std::max(c, from.Left), std::max(r, from.Top)};
            if (!(to == Selection())) {
                SetSelection(to);
                Invalidate();
            }
        }
        return;
    }
    if (GridState() == gsColSizing)
        s.ColSized = true;
    else if (GridState() == gsRowSizing)
        s.Rowsized = true;
    else if (GridState() == gsColMoving || GridState() == gsRowMoving) {
        bool allow = true;
        const auto& e = GridState() == gsColMoving ? Events().OnColumnMove : Events().OnRowMove;
        if (e)
            e(this, s.Movecell, allow);
        if (!allow)
            Perform(WM_CANCELMODE);
    }
    // A drag that started on a row or column header selects whole rows or
    // columns, scrolling at the grid's edges.
    if (s.MouseDownMove && s.MouseSelectStart >= 0 && s.MouseSelectMode == msRow && ma.RowSelect()) {
        if (Y > height() - 4 && TopRow() + VisibleRowCount() < RowCount())
            SetTopRow(TopRow() + 1);
        else if (FixedRows() > 0 && Y < RowHeights(0) && TopRow() > FixedRows())
            SetTopRow(TopRow() - 1);
        int c = -1, r = -1;
        MouseToCell(std::max(0, X), std::clamp(Y, 0, std::max(0, ClientHeight() - 1)), c, r);
        if (r >= 0) {
            r = std::clamp(r, FixedRows(), RowCount() - FixedFooters() - 1);
            SetSelection({FixedCols(), std::min(s.MouseSelectStart, r), ColCount() - 1, std::max(s.MouseSelectStart, r)});
        }
    } else if (s.MouseDownMove && s.MouseSelectStart >= 0 && s.MouseSelectMode == msColumn && ma.ColSelect()) {
        if (X > width() - 4 && LeftCol() + VisibleColCount() < ColCount())
            SetLeftCol(LeftCol() + 1);
        else if (FixedCols() > 0 && X < ColWidths(0) && LeftCol() > FixedCols())
            SetLeftCol(LeftCol() - 1);
        int c = -1, r = -1;
        MouseToCell(std::clamp(X, 0, std::max(0, ClientWidth() - 1)), std::max(0, Y), c, r);
        if (c >= 0) {
            c = std::max(c, FixedCols());
            SetSelection({std::min(s.MouseSelectStart, c), FixedRows(), std::max(s.MouseSelectStart, c), RowCount() - 1});
        }
    }
    // The pointer over the header area chooses the select mode (and cursor);
    // a header drag keeps its mode until the button is released.
    if (!(s.MouseDownMove && s.MouseSelectStart >= 0)) {
        TGridState edge = gsNormal;
        int index = -1, pos = 0, ofs = 0;
        CalcSizingState(X, Y, edge, index, pos, ofs);
        s.MouseSelectMode = FxMouseSelectModeAt(*this, X, Y, edge != gsNormal);
        if (SelectionResizer() && SelectionRectangle()) {
            const TGridRect sel = Selection();
            const TRect last = CellRect(sel.Right, sel.Bottom);
            const int left = isRightToLeft() ? last.Left : last.Right - 6;
            if (X >= left && X < left + 6 && Y >= last.Bottom - 6 && Y < last.Bottom)
                s.MouseSelectMode = msResize;
        }
        if (s.MouseSelectMode != msNormal)
            s.Invokedchange = true;
    }
    if (!s.MouseDownMove || GridState() == gsNormal)
        UpdateAnchorHover(acol, arow, X, Y);
    if (!(s.LastHintPos == TGridCoord{acol, arow}))
        s.LastHintPos = {-1, -1};
    TBaseGrid::MouseMove(Shift, X, Y);
    if (Navigation().KeepHorizScroll() && s.MouseKeepDown && GridState() != gsColMoving)
        SetLeftCol(s.OldKeepLeftCol);
    int size = -1;
    const bool colSizing = GridState() == gsColSizing;
    const bool rowSizing = GridState() == gsRowSizing;
    if (colSizing) {
        const int ref = s.Colclicked >= 0 ? s.Colclicked : ColCount() - 1;
        size = X - CellRect(ref, std::max(0, s.Rowclicked)).Left - s.Clickposdx;
        if (const auto& e = Events().OnColumnSizing)
            e(this, ref, size);
    } else if (rowSizing) {
        const int ref = s.Rowclicked >= 0 ? s.Rowclicked : 0;
        size = Y - CellRect(std::max(0, s.Colclicked), ref).Top - s.Clickposdy;
        if (const auto& e = Events().OnRowSizing)
            e(this, ref, size);
    }
    if ((colSizing || rowSizing) && HintShowSizing()) {
        const QString text = (colSizing ? QStringLiteral("cw=<b>") : QStringLiteral("rh=<b>")) +
                             QString::number(size) + QStringLiteral("</b>");
        const TRect r = CellRect(std::max(0, s.Colclicked), std::max(0, s.Rowclicked));
        const QPoint at = viewport()->mapToGlobal(QPoint(r.Left, r.Top));
        ShowHint(text, TPoint(at.x(), at.y()));
    }
    const TGridRect now = Selection();
    if (EnhRowColMove() && !(now == entrySel))
        DoSelectionChanged(now.Left, now.Top, now.Right, now.Bottom);
}

namespace {

// The in-cell scroll bar: a cell with one gets the grid's single scroll bar
// control over its painted bar while the pointer is on it; the bar moves the
// cell's scroll position by 10 a line and 100 a page.
void PlaceCellScrollBar(TFxStringGrid& g, TFxGridInteractState& s, int ACol, int ARow)
{
    const int rc = ACol >= 0 ? g.RealColIndex(ACol) : -1;
    const bool has = ACol >= 0 && ARow >= 0 && g.HasScrollBar(rc, ARow);
    if (!has) {
        if (s.CellScrollBar && s.CellScrollBar->isVisible())
            s.CellScrollBar->hide();
        s.CellScrollCell = {-1, -1};
        return;
    }
    if (!s.CellScrollBar) {
        auto* bar = new QScrollBar(Qt::Vertical, g.viewport());
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setSingleStep(10);
        bar->hide();
        QPointer<TFxStringGrid> grid(&g);
        QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [bar](int action) {
            const int v = bar->value();
            if (action == QAbstractSlider::SliderPageStepAdd)
                bar->setSliderPosition(std::min(v + 100, bar->maximum()));
            else if (action == QAbstractSlider::SliderPageStepSub)
                bar->setSliderPosition(std::max(v - 100, bar->minimum()));
        });
        // The state lives as long as the grid.
        QObject::connect(bar, &QAbstractSlider::valueChanged, bar, [grid, bar, st = &s](int value) {
            if (!grid)
                return;
            const TGridCoord cell = st->CellScrollCell;
            if (cell.X < 0 || grid->GetScrollPosition(cell.X, cell.Y) == value)
                return;
            grid->SetScrollPosition(cell.X, cell.Y, value);
            if (const auto& e = grid->Events().OnScrollCell)
                e(grid, cell.X, cell.Y, value, bar->minimum(), bar->maximum());
        });
        s.CellScrollBar = bar;
    }
    QScrollBar* bar = s.CellScrollBar;
    const TFxStringGrid::TScrollProp prop = g.GetScrollProp(rc, ARow);
    if (prop.PageSize >= prop.Range) {
        bar->hide();
        s.CellScrollCell = {-1, -1};
        return;
    }
    if (s.CellScrollCell == TGridCoord{rc, ARow} && bar->isVisible())
        return;
    s.CellScrollCell = {-1, -1};   // no cell while the bar is set up
    bar->setRange(0, std::max(0, prop.Range - prop.PageSize));
    bar->setPageStep(std::max(1, prop.PageSize));
    bar->setValue(std::clamp(g.GetScrollPosition(rc, ARow), 0, bar->maximum()));
    // Over the painted bar: at the cell's right edge, inside the grid lines.
    const TRect r = g.CellRect(ACol, ARow);
    const int w = g.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &g);
    bar->setGeometry(r.Right - w, r.Top, w, r.Height());
    s.CellScrollCell = {rc, ARow};
    bar->show();
}

} // namespace

void TFxStringGrid::UpdateHover(int ACol, int ARow, int X, int Y)
{
    TFxGridInteractState& s = InteractState();
    TPaintFeedback& fb = PaintFeedback();
    const bool onCell = ACol >= 0 && ARow >= 0;
    if (onCell && HoverRow() && HoverRowIdx() != ARow) {
        const int old = HoverRowIdx();
        SetHoverRowIdx(ARow);
        if (old >= 0 && old < RowCount())
            RepaintRow(old);
        RepaintRow(ARow);
    }
    PlaceCellScrollBar(*this, s, ACol, ARow);
    auto inFixed = [this](TGridCoord c) {
        return c.X >= 0 && c.Y >= 0 && (c.X < FixedCols() || c.Y < FixedRows());
    };
    if (HoverFixedCells() != hfNone && !s.NoMouseLeave) {
        const TGridCoord old = fb.HoverFixed;
        const TGridCoord now = onCell ? TGridCoord{ACol, ARow} : TGridCoord{-1, -1};
        if (!(old == now)) {
            fb.HoverFixed = now;
            if (inFixed(old))
                RepaintCell(old.X, old.Y);
            if (inFixed(now))
                RepaintCell(now.X, now.Y);
        }
    }
    // The list-view look draws the header cell under the pointer hot.
    const TGridCoord hotFixed = onCell ? TGridCoord{ACol, ARow} : TGridCoord{-1, -1};
    if (!(hotFixed == fb.HotFixed)) {
        const TGridCoord old = fb.HotFixed;
        fb.HotFixed = hotFixed;
        if (Look() == glListView) {
            if (inFixed(old))
                RepaintCell(old.X, old.Y);
            if (inFixed(hotFixed))
                RepaintCell(hotFixed.X, hotFixed.Y);
        }
    }
    // A cell button or expand button under the pointer looks hot.
    TGridCoord hot{-1, -1};
    if (onCell) {
        const int rc = RealColIndex(ACol);
        const TPoint p(X, Y);
        if ((HasButton(rc, ARow) && CellButtonRect(ACol, ARow).Contains(p)) ||
            (HasExpand(rc, ARow) && ExpandButtonRect(rc, ARow).Contains(p)))
            hot = {ACol, ARow};
    }
    if (!(hot == fb.HotButton)) {
        const TGridCoord old = fb.HotButton;
        fb.HotButton = hot;
        if (old.X >= 0 && old.Y >= 0)
            RepaintCell(old.X, old.Y);
        if (hot.X >= 0)
            RepaintCell(hot.X, hot.Y);
    }
}

void TFxStringGrid::HandleCmMouseLeave(TMessage& m)
{
    TFxGridInteractState& s = InteractState();
    TBaseGrid::WndProc(m);
    s.MouseSelectMode = msNormal;
    TPaintFeedback& fb = PaintFeedback();
    if (!s.NoMouseLeave && fb.HoverFixed.X >= 0) {
        const TGridCoord old = fb.HoverFixed;
        fb.HoverFixed = {-1, -1};
        if (old.X < ColCount() && old.Y < RowCount())
            RepaintCell(old.X, old.Y);
    }
    if (fb.HotFixed.X >= 0) {
        const TGridCoord old = fb.HotFixed;
        fb.HotFixed = {-1, -1};
        if (Look() == glListView && old.X < ColCount() && old.Y < RowCount())
            RepaintCell(old.X, old.Y);
    }
    if (fb.HotButton.X >= 0) {
        const TGridCoord old = fb.HotButton;
        fb.HotButton = {-1, -1};
        if (old.X < ColCount() && old.Y < RowCount())
            RepaintCell(old.X, old.Y);
    }
    if (HoverRow() && HoverRowIdx() >= 0) {
        const int old = HoverRowIdx();
        SetHoverRowIdx(-1);
        if (old < RowCount())
            RepaintRow(old);
    }
}

void TFxStringGrid::ShowHint(const QString& Text, TPoint ScreenPos)
{
    TFxGridInteractState& s = InteractState();
    if (!s.HintWnd) {
        s.HintWnd = new QLabel(this, Qt::ToolTip);
        s.HintWnd->setTextFormat(Qt::RichText);
        s.HintWnd->setMargin(2);
    }
    s.HintText = Text;
    s.HintWnd->setText(Text);
    s.HintWnd->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid black;")
                                 .arg(ToQColor(HintColor()).name()));
    s.HintWnd->setMaximumWidth(200);
    s.HintWnd->adjustSize();
    s.HintWnd->move(ScreenPos.X, ScreenPos.Y);
    s.HintWnd->show();
    s.ScrollHintShow = true;
}

void TFxStringGrid::ReleaseHint()
{
    TFxGridInteractState& s = InteractState();
    if (s.HintWnd)
        s.HintWnd->hide();
    s.HintText.clear();
    s.ScrollHintShow = false;
}

QString TFxStringGrid::HintText() const
{
    return InteractState().ScrollHintShow ? InteractState().HintText : QString();
}

bool TFxStringGrid::FillCellHint(int X, int Y, QString& HintStr, QPoint& At)
{
    TFxGridInteractState& s = InteractState();
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c < 0 || r < 0)
        return false;
    const TPoint b = BaseCell(RealColIndex(c), r);
    const int dc = DisplColIndex(b.X);
    s.LastHintPos = {dc, b.Y};
    const TRect rect = CellRect(dc, b.Y);
    QString comment;
    if (IsComment(b.X, b.Y, comment)) {
        HintStr = comment;
        At = QPoint(rect.Right, rect.Top);
    } else {
        At = QPoint(X, rect.Bottom + 6);
    }
    // Over a link the hint is its title, or the link itself.
    QString anchor, title;
    int link = -1;
    if (AnchorHint() && AnchorAt(dc, b.Y, X, Y, anchor, title, link)) {
        HintStr = title.isEmpty() ? anchor : title;
        if (const auto& e = Events().OnAnchorHint)
            e(this, b.Y, dc, HintStr);
        s.LastAnchorHint = HintStr;
        At = QPoint(X + 8, Y - 16);
    }
    QString wide;
    DoGridHint(b.X, b.Y, HintStr, wide);
    return !HintStr.isEmpty();
}

bool TFxStringGrid::viewportEvent(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        // No cell hints while the wheel button pans.
        if (InteractState().WheelPan)
            return true;
        auto* help = static_cast<QHelpEvent*>(e);
        QString text;
        QPoint at;
        bool shown = false;
        RunGuarded([&] { shown = FillCellHint(help->pos().x(), help->pos().y(), text, at); });
        if (shown) {
            const QPoint global = viewport()->mapToGlobal(at);
            QToolTip::showText(global, text, viewport());
            // The tool tip adds an offset of its own below the point; the
            // hint's place is the point itself, where it fits on the screen
            // (elsewhere the tool tip's own placement keeps it visible).
            for (QWidget* tip : QApplication::topLevelWidgets())
                if (tip->isVisible() && tip->inherits("QTipLabel")) {
                    const QScreen* screen = QGuiApplication::screenAt(global);
                    if (!screen || screen->availableGeometry().contains(QRect(global, tip->size())))
                        tip->move(global);
                }
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return TBaseGrid::viewportEvent(e);
}
