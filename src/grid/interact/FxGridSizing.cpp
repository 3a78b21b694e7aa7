// After a column width, row height, grid size or column/row position
// changed: the stretch column, proportional sizing, the end-of-sizing
// events, the open editor kept on its cell, and the data that moves with a
// column or row.
#include "grid/model/FxGrid.h"
#include "grid/model/FxSortSettings.h"
#include "grid/interact/FxGridInteract_p.h"
#include "grid/interact/FxInplaceEdit.h"

#include "grid/foundation/FxOptions.h"
#include "grid/model/FxColumnSize.h"
#include "grid/model/FxHiddenRows.h"

#include <QApplication>
#include <QPointer>

#include <cmath>

using namespace fw;

void TFxStringGrid::StretchColumn(int ACol)
{
    TFxGridInteractState& s = InteractState();
    if (Destroying() || QCoreApplication::closingDown())
        return;
    if (ACol == -1)
        ACol = ColCount() - 1;
    if (ACol >= ColCount())
        throw EFxGridError(QStringLiteral("Stretch column index out of range"));
    if (ColCount() == 0 || !ColumnSize().Stretch() || s.IsColChanging || ACol < 0)
        return;
    s.IsColChanging = true;
    s.ColchgFlg = false;
    struct Reset {
        TFxGridInteractState& s;
        ~Reset()
        {
            s.ColchgFlg = true;
            s.IsColChanging = false;
        }
    } reset{s};
    if (ColCount() == 1) {
        SetColWidths(ACol, ClientWidth());
        return;
    }
    int others = 0;
    for (int c = 0; c < ColCount(); ++c)
        if (c != ACol)
            others += ColWidths(c);
    if (others < ClientWidth())
        SetColWidths(ACol, ClientWidth() - others - 1);
    else if (LeftCol() == FixedCols())
        SetColWidths(ACol, DefaultColWidth());
}

void TFxStringGrid::StretchRightColumn()
{
    StretchColumn(ColCount() - 1);
}

void TFxStringGrid::ColWidthsChanged()
{
    TFxGridInteractState& s = InteractState();
    if (s.ColchgFlg && ColumnSize().Stretch())
        StretchColumn(ColumnSize().StretchColumn());
    TBaseGrid::ColWidthsChanged();
    s.ColSizeFlg = true;
    if (s.ColSized && MouseActions().AllColumnSize() && s.Colclickedsize > 0 && s.Colclicked >= 0) {
        const double ratio = double(ColWidths(s.Colclicked)) / s.Colclickedsize;
        s.ColSized = false;
        for (int c = FixedCols(); c < ColCount(); ++c)
            if (c != s.Colclicked)
                SetColWidths(c, int(std::lround(ColWidths(c) * ratio)));
        s.ColSized = true;
    }
    if (s.ColSized) {
        const int col = s.Colclicked;
        s.ColSized = false;
        if (col >= 0 && col < ColCount()) {
            if (const auto& e = Events().OnEndColumnSize)
                e(this, col);
            int w = ColWidths(col);
            const int before = w;
            ColumnSizeChanged(col, w);
            if (w != before)
                SetColWidths(col, w);
        }
        s.Colclicked = s.Rowclicked = -1;
    }
    s.ColSized = false;
    if (s.EditMode && s.EditCtrl) {
        const TRect r = CellRect(Col(), Row());
        s.EditCtrl->setGeometry(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
    }
    UpdateFooter();
    CellControlsUpdate(false);
}

void TFxStringGrid::RowHeightsChanged()
{
    TFxGridInteractState& s = InteractState();
    TBaseGrid::RowHeightsChanged();
    if (s.Rowsized && MouseActions().AllRowSize() && s.Rowclickedsize > 0 && s.Rowclicked >= 0) {
        const double ratio = double(RowHeights(s.Rowclicked)) / s.Rowclickedsize;
        s.Rowsized = false;
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (r != s.Rowclicked)
                SetRowHeights(r, int(std::lround(RowHeights(r) * ratio)));
        s.Rowsized = true;
    }
    if (s.Rowsized) {
        const int row = s.Rowclicked;
        s.Rowsized = false;
        if (row >= 0)
            if (const auto& e = Events().OnEndRowSize)
                e(this, row);
        s.Colclicked = s.Rowclicked = -1;
    }
    s.Rowsized = false;
    CellControlsUpdate(false);
}

void TFxStringGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    if (!IsLoaded() || QCoreApplication::closingDown())
        return;
    if (ColumnSize().Stretch() && parentWidget())
        StretchColumn(ColumnSize().StretchColumn());
    TBaseGrid::SizeChanged(OldColCount, OldRowCount);
}

void TFxStringGrid::HandleWmSize(TMessage& m)
{
    TFxGridInteractState& s = InteractState();
    if (ColumnSize().Stretch() && !s.FDisableSize) {
        s.FDisableSize = true;
        TBaseGrid::WndProc(m);
        StretchColumn(ColumnSize().StretchColumn());
        s.FDisableSize = false;
        if (const auto& e = Events().OnResize)
            e(this);
        return;
    }
    TBaseGrid::WndProc(m);
}

void TFxStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    TFxGridInteractState& s = InteractState();
    // MoveColumn keeps the column order itself; a user's drag ends here.
    std::vector<int>& order = ColumnOrder();
    const int rf = RealColIndex(FromIndex), rt = RealColIndex(ToIndex);
    const bool userDrag = s.UserColumnDrag;
    s.UserColumnDrag = false;
    if (order.empty() && userDrag)
        SetColumnOrder();
    if (userDrag && rf >= 0 && rt >= 0 && rf < int(order.size()) && rt < int(order.size())) {
        const int moved = order[std::size_t(rf)];
        order.erase(order.begin() + rf);
        order.insert(order.begin() + rt, moved);
    }
    // The sort column follows the cells it sorted.
    if (TSortSettings& sort = SortSettings(); sort.Column() >= 0 && rf >= 0 && rt >= 0 && rf != rt) {
        const int sc = sort.Column();
        if (sc == rf)
            sort.SetColumn(rt);
        else if (rf < sc && sc <= rt)
            sort.SetColumn(sc - 1);
        else if (rt <= sc && sc < rf)
            sort.SetColumn(sc + 1);
    }
    if (EnhRowColMove())
        s.ColMoveFlg = true;
    // The cell storage holds every real column, hidden ones included: with
    // hidden columns the cells move by their real positions.
    const bool hidden = NumHiddenColumns() > 0 && rf >= 0 && rt >= 0;
    if (hidden) {
        TBaseGrid::ColumnMoved(rf, rt);
        // The hidden columns the move crossed stay with the cells they hid,
        // with or without EnhRowColMove: left behind, their flags would hide
        // a neighbour's cells and show theirs.
        HiddenColumnsMoved(rf, rt);
    } else {
        TBaseGrid::ColumnMoved(FromIndex, ToIndex);
    }
    // Hidden rows keep their cells aside, by real column: they move alike.
    const int from = hidden ? rf : FromIndex, to = hidden ? rt : ToIndex;
    if (from >= 0 && to >= 0 && from != to)
        for (int r = 0, seen = 0; seen < NumHiddenRows() && r < RowCount() + NumHiddenRows(); ++r) {
            TGridItem* item = HiddenRowItem(r);
            if (!item)
                continue;
            ++seen;
            item->MoveCell(from, to);
            item->ForEachObject([&](int c, TCellProperties* p) {
                if (c >= std::min(from, to) && c <= std::max(from, to))
                    p->SetOwnerCol(c);
            });
        }
    if (s.SyncedMove)
        return;
    if (auto* partner = dynamic_cast<TFxStringGrid*>(SyncGrid().Grid()); partner && SyncGrid().MoveColumn()) {
        partner->InteractState().SyncedMove = true;
        partner->TStringGrid::MoveColumn(FromIndex, ToIndex);
        partner->InteractState().SyncedMove = false;
    }
}

bool TFxStringGrid::EndColumnDrag(int& Origin, int& Destination, const TPoint& MousePt)
{
    InteractState().UserColumnDrag = TBaseGrid::EndColumnDrag(Origin, Destination, MousePt);
    return InteractState().UserColumnDrag;
}

void TFxStringGrid::RowMoved(int FromIndex, int ToIndex)
{
    TFxGridInteractState& s = InteractState();
    auto rowMoved = std::move(OnRowMoved);
    OnRowMoved = nullptr;
    TBaseGrid::RowMoved(FromIndex, ToIndex);
    OnRowMoved = std::move(rowMoved);
    if (EnhRowColMove())
        s.ColMoveFlg = true;
    if (OnRowMoved)
        OnRowMoved(this, FromIndex, ToIndex);
    if (s.SyncedMove)
        return;
    if (auto* partner = dynamic_cast<TFxStringGrid*>(SyncGrid().Grid()); partner && SyncGrid().MoveRow()) {
        partner->InteractState().SyncedMove = true;
        partner->TStringGrid::MoveRow(FromIndex, ToIndex);
        partner->InteractState().SyncedMove = false;
    }
}
