// Construction, settings, the virtual operations' base behaviour and the key,
// wheel and scroll handling that keeps the current cell on merged blocks.
#include "grid/foundation/BaseGrid.h"
#include "grid/foundation/BaseGrid_p.h"
#include "grid/foundation/BaseGridPaint.h"

#include "framework/Canvas.h"
#include "framework/Input.h"

#include <algorithm>

TBaseGrid::TBaseGrid(QWidget* parent) : TObjStringGrid(parent), d(std::make_unique<Impl>())
{
    // The grid draws cells and lines itself.
    TObjStringGrid::SetDefaultDrawing(false);
    TObjStringGrid::SetGridLineWidth(0);
}

TBaseGrid::~TBaseGrid()
{
    d->FDestroying = true;
    if (d->FUndoRedo && d->FUndoRedo->Grid() == this)
        d->FUndoRedo->SetGrid(nullptr);
    FreeCellPropsInRange(0, 0, ColCount() - 1, RowCount() - 1);
    // Properties outside the present counts, or taken out of their slots,
    // are the grid's as well.
    for (TCellProperties* p : d->FProps)
        delete p;
    d->FProps.clear();
}

// ---------------------------------------------------------------- settings

namespace {

template <typename T>
bool store(T& field, T value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

} // namespace

void TBaseGrid::SetActiveRowShow(bool value)
{
    if (store(d->FActiveRowShow, value))
        Invalidate();
}

void TBaseGrid::SetActiveRowColor(fw::TColor value)
{
    if (store(d->FActiveRowColor, value))
        Invalidate();
}

void TBaseGrid::SetActiveRowColorTo(fw::TColor value)
{
    if (store(d->FActiveRowColorTo, value))
        Invalidate();
}

void TBaseGrid::SetActiveRowMirrorColor(fw::TColor value)
{
    if (store(d->FActiveRowMirrorColor, value))
        Invalidate();
}

void TBaseGrid::SetActiveRowMirrorColorTo(fw::TColor value)
{
    if (store(d->FActiveRowMirrorColorTo, value))
        Invalidate();
}

void TBaseGrid::SetDefaultDrawing(bool value)
{
    d->FDefaultDrawing = value;
    TObjStringGrid::SetDefaultDrawing(false);
}

void TBaseGrid::SetGridLineWidth(int value)
{
    d->FGridLineWidth = value;
    TObjStringGrid::SetGridLineWidth(0);
    Invalidate();
}

void TBaseGrid::SetGridLineColor(fw::TColor value)
{
    d->FGridLineColor = value;
    Invalidate();
}

void TBaseGrid::SetGridFixedLineColor(fw::TColor value)
{
    d->FGridFixedLineColor = value;
    Invalidate();
}

void TBaseGrid::SetSelectionStyle(TGridSelectionStyle value)
{
    if (store(d->FSelectionStyle, value))
        Invalidate();
}

bool TBaseGrid::ActiveRowShow() const { return d->FActiveRowShow; }
fw::TColor TBaseGrid::ActiveRowColor() const { return d->FActiveRowColor; }
fw::TColor TBaseGrid::ActiveRowColorTo() const { return d->FActiveRowColorTo; }
fw::TColor TBaseGrid::ActiveRowMirrorColor() const { return d->FActiveRowMirrorColor; }
fw::TColor TBaseGrid::ActiveRowMirrorColorTo() const { return d->FActiveRowMirrorColorTo; }
bool TBaseGrid::DefaultDrawing() const { return d->FDefaultDrawing; }
int TBaseGrid::GridLineWidth() const { return d->FGridLineWidth; }
fw::TColor TBaseGrid::GridLineColor() const { return d->FGridLineColor; }
fw::TColor TBaseGrid::GridFixedLineColor() const { return d->FGridFixedLineColor; }
TGridSelectionStyle TBaseGrid::SelectionStyle() const { return d->FSelectionStyle; }
bool TBaseGrid::HoverRow() const { return d->FHoverRow; }
void TBaseGrid::SetHoverRow(bool value) { d->FHoverRow = value; }
fw::TColor TBaseGrid::HoverRowColor() const { return d->FHoverRowColor; }
void TBaseGrid::SetHoverRowColor(fw::TColor value) { d->FHoverRowColor = value; }
fw::TColor TBaseGrid::HoverRowColorTo() const { return d->FHoverRowColorTo; }
void TBaseGrid::SetHoverRowColorTo(fw::TColor value) { d->FHoverRowColorTo = value; }
THoverRowCells TBaseGrid::HoverRowCells() const { return d->FHoverRowCells; }
void TBaseGrid::SetHoverRowCells(THoverRowCells value) { d->FHoverRowCells = value; }
bool TBaseGrid::WordWrap() const { return d->FWordWrap; }
void TBaseGrid::SetWordWrap(bool value) { d->FWordWrap = value; }
int TBaseGrid::PaintID() const { return d->FPaintID; }
bool TBaseGrid::HasCellProps() const { return d->FHasCellProps; }
int TBaseGrid::MergeCount() const { return d->FMergeCount; }

bool TBaseGrid::HideLastRow() const { return d->FHideLastRow; }
void TBaseGrid::SetHideLastRow(bool value) { d->FHideLastRow = value; }
int TBaseGrid::NormalRowCount() const { return d->FNormalRowCount; }
void TBaseGrid::SetNormalRowCount(int value) { d->FNormalRowCount = value; }
int TBaseGrid::HoverRowIdx() const { return d->FHoverRowIdx; }
void TBaseGrid::SetHoverRowIdx(int value) { d->FHoverRowIdx = value; }
bool TBaseGrid::ShowSel() const { return d->FShowSel; }
void TBaseGrid::SetShowSel(bool value) { d->FShowSel = value; }

TFxGridUndoRedo* TBaseGrid::UndoRedo() const
{
    return d->FUndoRedo.data();
}

void TBaseGrid::SetUndoRedo(TFxGridUndoRedo* value)
{
    d->FUndoRedo = value;
    if (value)
        value->SetGrid(this);
}

// ---------------------------------------------------------------- virtual operations

bool TBaseGrid::IsFixed(int, int)
{
    return false;
}

int TBaseGrid::NodeIndent(int)
{
    return 0;
}

bool TBaseGrid::HasNodes()
{
    return false;
}

void TBaseGrid::DrawCellContent(fw::TCanvas& Canvas, int ACol, int ARow, fw::TRect Rect, fw::TGridDrawState)
{
    Canvas.DrawText(Cells(ACol, ARow), Rect, fw::DT_CENTER | fw::DT_VCENTER | fw::DT_SINGLELINE | fw::DT_NOPREFIX);
}

void TBaseGrid::LastRowChanged() {}

void TBaseGrid::GetDisplayText(int ACol, int ARow, QString& Value) const
{
    if (OnGetDisplText)
        OnGetDisplText(const_cast<TBaseGrid*>(this), ACol, ARow, Value);
}

void TBaseGrid::GetDisplayWideText(int ACol, int ARow, QString& Value) const
{
    if (OnGetDisplWideText)
        OnGetDisplWideText(const_cast<TBaseGrid*>(this), ACol, ARow, Value);
}

void TBaseGrid::GetDefaultVisualProps(int, int, TCellLook& Look)
{
    Look.Font.Assign(TObjStringGrid::Font());
    Look.Brush.Color = Color();
    Look.ColorTo = fw::clNone;
    Look.MirrorColor = fw::clNone;
    Look.MirrorColorTo = fw::clNone;
    Look.HA = fw::taLeftJustify;
    Look.VA = vtaTop;
    Look.WW = d->FWordWrap;
    Look.GD = GradientVertical;
}

void TBaseGrid::AfterCellTextSet(int, int) {}

bool TBaseGrid::HasCellBorderEvent()
{
    return false;
}

bool TBaseGrid::UsesAppStyles()
{
    return false;
}

void TBaseGrid::GetVisualProperties(int, int, fw::TGridDrawState&, TLookQuery, TCellLook&) {}

int TBaseGrid::DisplColIndex(int ACol) const
{
    return ACol;
}

int TBaseGrid::TotalColCount() const
{
    return ColCount();
}

// ---------------------------------------------------------------- keys, wheel, scrolling

void TBaseGrid::SnapToBaseCell()
{
    const TCellProperties* p = AssignedProps(Col(), Row());
    if (!p)
        return;
    const fw::TPoint b = p->GetBaseCell(Col(), Row());
    // A block reaching into the fixed area keeps the current cell outside it.
    if (b.X != Col() && b.X >= FixedCols())
        SetCol(b.X);
    if (b.Y != Row() && b.Y >= FixedRows())
        SetRow(b.Y);
}

void TBaseGrid::KeyDown(int& Key, fw::TShiftState Shift)
{
    const int col = Col();
    const int row = Row();
    if (Key == fw::VK_NEXT) {
        if (TopRow() + VisibleRowCount() - FixedRows() == RowCount() - 1 && d->FHideLastRow && RowCount() > 1)
            SetRow(RowCount() - 2);
    } else if (const TCellProperties* p = AssignedProps(col, row)) {
        const fw::TPoint b = p->GetBaseCell(col, row);
        const TCellProperties* bp = AssignedProps(b.X, b.Y);
        const int spanX = bp ? std::max(bp->CellSpanX(), 0) : 0;
        const int spanY = bp ? std::max(bp->CellSpanY(), 0) : 0;
        // From inside a block the string grid's own step then leaves it from
        // its base cell; the adjusted cell never lies in the fixed area.
        auto moveCol = [this](int c) {
            if (c != Col())
                SetCol(c);
        };
        auto moveRow = [this](int r) {
            if (r != Row())
                SetRow(r);
        };
        switch (Key) {
        case fw::VK_LEFT:
            if (b.X < col && col > FixedCols() && b.X > 0)
                moveCol(std::max(b.X, FixedCols()));
            break;
        case fw::VK_UP:
            if (b.Y < row && row > FixedRows() && b.Y > 0)
                moveRow(std::max(b.Y, FixedRows()));
            break;
        case fw::VK_RIGHT:
            if (b.X + spanX >= col && col < ColCount() - 1 && b.X < ColCount() - 1 && b.X + spanX < ColCount())
                moveCol(std::max(b.X + spanX, FixedCols()));
            break;
        case fw::VK_DOWN:
            if (b.Y + spanY >= row && row < RowCount() - 1 && b.Y < RowCount() - 1 && b.Y + spanY < RowCount())
                moveRow(std::max(b.Y + spanY, FixedRows()));
            break;
        default:
            break;
        }
    }
    TObjStringGrid::KeyDown(Key, Shift);
    SnapToBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(fw::TShiftState Shift, fw::TPoint MousePos)
{
    const bool result = TObjStringGrid::DoMouseWheelDown(Shift, MousePos);
    if (VisibleRowCount() < Row() - TopRow() && Row() < RowCount() - 1 && d->FHideLastRow)
        SetTopRow(TopRow() + 1);
    SnapToBaseCell();
    return result;
}

bool TBaseGrid::DoMouseWheelUp(fw::TShiftState Shift, fw::TPoint MousePos)
{
    const bool result = TObjStringGrid::DoMouseWheelUp(Shift, MousePos);
    SnapToBaseCell();
    return result;
}

void TBaseGrid::TopLeftChanged()
{
    TObjStringGrid::TopLeftChanged();
    // Blocks reaching into the fixed area follow the scroll.
    for (int c = 0; c < FixedCols(); ++c)
        for (int r = TopRow(); r <= TopRow() + VisibleRowCount() && r < RowCount(); ++r)
            if (IsMergedCell(c, r))
                RepaintCell(c, r);
    for (int r = 0; r < FixedRows(); ++r)
        for (int c = LeftCol(); c <= LeftCol() + VisibleColCount() && c < ColCount(); ++c)
            if (IsMergedCell(c, r))
                RepaintCell(c, r);
}

void TBaseGrid::PaintCell(fw::TCanvas& ACanvas, int ACol, int ARow, const fw::TRect& ARect, fw::TGridDrawState AState)
{
    BaseGridPaintCell(*this, ACanvas, ACol, ARow, ARect, AState, TBaseCellPaintState{d->FHoverRowIdx, d->FShowSel, d->FHideLastRow});
}

void TBaseGrid::PaintCellExt(fw::TCanvas& ACanvas, int ACol, int ARow, const fw::TRect& ARect,
                             fw::TGridDrawState AState)
{
    BaseGridPaintCellExt(*this, ACanvas, ACol, ARow, ARect, AState,
                         TBaseCellPaintState{d->FHoverRowIdx, d->FShowSel, d->FHideLastRow});
}

void TBaseGrid::DrawCell(int ACol, int ARow, const fw::TRect& ARect, fw::TGridDrawState AState)
{
    PaintCell(Canvas(), ACol, ARow, ARect, AState);
}

bool TBaseGrid::SelectCell(int ACol, int ARow)
{
    if (isRightToLeft()) {
        const bool result = TObjStringGrid::SelectCell(ACol, ARow);
        Invalidate();
        return result;
    }
    RepaintCell(Col(), Row());
    const bool result = TObjStringGrid::SelectCell(ACol, ARow);
    RepaintCell(ACol, ARow);
    return result;
}

void TBaseGrid::Paint()
{
    TObjStringGrid::Paint();
    ++d->FPaintID;
}
