// Check boxes, radio buttons and image indexes in cells, and their hooks.
#include "grid/model/FxGrid.h"
#include "grid/model/FxGrid_p.h"
#include "grid/model/FxGrouping.h"

#include "framework/Graphics.h"

namespace {

TCellVAlign PlaceOf(TVAlignment va)
{
    return va == vtaCenter ? vaCenter : va == vtaBottom ? vaBottom : vaTop;
}

} // namespace

// ---------------------------------------------------------------- check boxes

void TFxStringGrid::AddCheckBoxColumn(int ACol, bool DefaultState, bool DataCheckBox)
{
    const int first = d->model.MouseActions->CheckAllCheck() ? 0 : FixedRows();
    for (int r = first; r < RowCount(); ++r)
        AddCheckBox(ACol, r, DefaultState, DataCheckBox);
}

void TFxStringGrid::AddCheckBox(int ACol, int ARow, bool State, bool Data)
{
    if (ACol >= ColCount() + NumHiddenColumns() || ARow >= RowCount() + NumHiddenRows())
        throw fw::Exception(QStringLiteral("Invalid cell"));
    CreateCellGraphic(ACol, ARow)->SetCheckBox(State, Data, true, haBeforeText, PlaceOf(VAlignment()));
    if (Data) {
        const QString text = Cells(ACol, ARow);
        if (text != CheckTrue() && text != CheckFalse())
            SetCells(ACol, ARow, State ? CheckTrue() : CheckFalse());
    }
}

void TFxStringGrid::RemoveCheckBox(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || !(g->CellType() == ctCheckBox || g->CellType() == ctDataCheckBox ||
                g->CellType() == ctTriStateCheckBox))
        return;
    if (g->CellAngle() == 1) {
        g->FreeStrings();
        g->SetCellAngle(0);
    }
    RemoveCellGraphic(ACol, ARow);
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TFxStringGrid::RemoveCheckBoxColumn(int ACol)
{
    const int first = d->model.MouseActions->CheckAllCheck() ? 0 : FixedRows();
    for (int r = first; r < RowCount(); ++r)
        if (HasCheckBox(ACol, r))
            RemoveCheckBox(ACol, r);
}

bool TFxStringGrid::HasCheckBox(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const fw::TPoint b = BaseCell(ACol, ARow);
    return IsCheckBoxType(GetCellType(b.X, b.Y)) && GetCellGraphic(b.X, b.Y);
}

bool TFxStringGrid::HasDataCheckBox(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const fw::TPoint b = BaseCell(ACol, ARow);
    const TCellType t = GetCellType(b.X, b.Y);
    return t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox;
}

bool TFxStringGrid::IsChecked(int ACol, int ARow)
{
    bool state = false;
    return GetCheckBoxState(ACol, ARow, state) && state;
}

bool TFxStringGrid::GetCheckBoxState(int ACol, int ARow, bool& State)
{
    const TCellGraphic* g = CheckGraphicAtRealRow(ACol, ARow);
    if (!g)
        return false;
    switch (g->CellType()) {
    case ctCheckBox:
        State = g->CellBoolean();
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        QString t;
        GetCheckTrue(ACol, ARow, t);
        State = AllCells(ACol, ARow) == t;
        return true;
    }
    case ctRowCheckBox:
        if (ACol != 0)
            return false;
        State = RowSelect(ARow);
        return true;
    default:
        return false;
    }
}

bool TFxStringGrid::SetCheckBoxState(int ACol, int ARow, bool State)
{
    const TCellGraphic* g = CheckGraphicAtRealRow(ACol, ARow);
    if (!g)
        return false;
    switch (g->CellType()) {
    case ctCheckBox:
        const_cast<TCellGraphic*>(g)->SetCellBoolean(State);
        if (!IsHiddenRow(ARow))
            RepaintCell(DisplColIndex(ACol), DisplRowIndex(ARow));
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        QString t;
        if (State)
            GetCheckTrue(ACol, ARow, t);
        else
            GetCheckFalse(ACol, ARow, t);
        SetAllCells(ACol, ARow, t);
        return true;
    }
    case ctRowCheckBox:
        if (ACol != 0)
            return false;
        SetRowSelect(ARow, State);
        return true;
    default:
        return false;
    }
}

bool TFxStringGrid::SetCheckBoxState(int ACol, int ARow, TCheckBoxState State)
{
    const TCellGraphic* g = CheckGraphicAtRealRow(ACol, ARow);
    if (!g || g->CellType() != ctTriStateCheckBox)
        return false;
    const_cast<TCellGraphic*>(g)->SetCellCheckBoxState(State);
    if (!IsHiddenRow(ARow))
        RepaintCell(DisplColIndex(ACol), DisplRowIndex(ARow));
    return true;
}

bool TFxStringGrid::ToggleCheckBox(int ACol, int ARow, bool CheckEdit)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return false;
    // With AutoCheckGroup a node's box stands for its rows and a row's box
    // tells its node's box whether all agree.
    const bool autoCheck = Grouping().AutoCheckGroup();
    const bool node = autoCheck && IsNode(ARow);
    int span = 0, parent = -1;
    bool contracted = false;
    if (node) {
        span = GetNodeSpan(ARow);
        contracted = GetNodeState(ARow);
    } else if (autoCheck) {
        parent = GetParentRow(ARow);
        span = parent >= 0 ? GetNodeSpan(parent) : 0;
    }
    const TCellType t = g->CellType();
    if (!IsCheckBoxType(t))
        return false;
    if (CheckEdit && !d->paint.ControlLook->CheckAlwaysActive()) {
        bool canEdit = true;
        CanEditCell(ACol, ARow, canEdit);
        if (!canEdit)
            return false;
    }
    bool state = false;
    if (t == ctCheckBox) {
        g->SetCellBoolean(!g->CellBoolean());
        state = g->CellBoolean();
    } else if (t == ctTriStateCheckBox) {
        // A node's box is checked or not; elsewhere the box cycles
        // unchecked, grayed, checked.
        const TCheckBoxState was = g->CellCheckBoxState();
        TCheckBoxState next;
        if (node)
            next = was == cbChecked ? cbUnchecked : cbChecked;
        else
            next = was == cbUnchecked ? cbGrayed : was == cbGrayed ? cbChecked : cbUnchecked;
        g->SetCellCheckBoxState(next);
        state = node && next == cbChecked;
    } else if (t == ctRowCheckBox) {
        state = !RowSelect(ARow);
        SetRowSelect(ARow, state);
    } else {
        QString on, off;
        GetCheckTrue(ACol, ARow, on);
        GetCheckFalse(ACol, ARow, off);
        state = Cells(ACol, ARow) != on;
        SetCells(ACol, ARow, state ? on : off);
    }
    RepaintCell(DisplColIndex(ACol), ARow);
    DoCheckBoxChange(ACol, ARow, state);
    if (node) {
        // A contracted node's rows are hidden right after it.
        const int real = RealRowIndex(ARow);
        for (int k = 1; k < span; ++k)
            SetCheckBoxState(ACol, contracted ? real + k : RealRowIndex(ARow + k), state);
    } else if (parent >= 0 && span > 1) {
        bool first = false, other = false, differ = false;
        GetCheckBoxState(ACol, RealRowIndex(parent + 1), first);
        for (int k = 2; k < span && !differ; ++k)
            if (GetCheckBoxState(ACol, RealRowIndex(parent + k), other))
                differ = other != first;
        SetCheckBoxState(ACol, RealRowIndex(parent), differ ? cbGrayed : first ? cbChecked : cbUnchecked);
    }
    return true;
}

void TFxStringGrid::CheckAll(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        SetCheckBoxNotify(ACol, r, true);
    if (NumHiddenColumns() > 0)
        RepaintCol(DisplColIndex(ACol));
}

void TFxStringGrid::UnCheckAll(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        SetCheckBoxNotify(ACol, r, false);
}

bool TFxStringGrid::SetCheckBoxNotify(int ACol, int ARow, bool State)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return false;
    switch (g->CellType()) {
    case ctCheckBox:
        if (g->CellBoolean() != State) {
            g->SetCellBoolean(State);
            DoCheckBoxChange(ACol, ARow, State);
            RepaintCell(DisplColIndex(ACol), ARow);
        }
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        QString on, off;
        GetCheckTrue(ACol, ARow, on);
        GetCheckFalse(ACol, ARow, off);
        const bool was = Cells(ACol, ARow) == on;
        SetCells(ACol, ARow, State ? on : off);
        if (was != State)
            DoCheckBoxChange(ACol, ARow, State);
        return true;
    }
    case ctRowCheckBox:
        if (ACol == 0 && RowSelect(ARow) != State) {
            SetRowSelect(ARow, State);
            DoCheckBoxChange(ACol, ARow, State);
        }
        return ACol == 0;
    default:
        return false;
    }
}

bool TFxStringGrid::IsInCheckBox(int ACol, int ARow, int XPos, int YPos)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return false;
    const TCellType t = g->CellType();
    if (!IsCheckBoxType(t) && t != ctRadioButton)
        return false;
    if (!d->model.MouseActions->PreciseCheckBoxCheck())
        return true;
    const int size = d->paint.ControlLook->CheckSize();
    const fw::TRect r = CellRect(DisplColIndex(ACol), ARow);
    int top = r.Top + 2;
    if (g->CellVAlign() == vaBottom)
        top = r.Bottom - size - 2;
    else if (g->CellVAlign() == vaCenter)
        top = r.Top + (r.Bottom - r.Top - size) / 2;
    fw::TAlignment ha = Alignments(ACol, ARow);
    TVAlignment va = VAlignment();
    DoGetAlignment(ACol, ARow, ha, va);
    int left = r.Left + 2;
    if (ha == fw::taRightJustify) {
        left = r.Right - size - 2;
        if (!Cells(ACol, ARow).isEmpty())
            left -= GetCellTextSize(ACol, ARow, false, false).cx;
    } else if (ha == fw::taCenter) {
        left = r.Left + (r.Right - r.Left - size) / 2;
    }
    return XPos >= left && XPos < left + size && YPos >= top && YPos < top + size;
}

// ---------------------------------------------------------------- radio buttons

void TFxStringGrid::AddRadioButton(int ACol, int ARow, bool State)
{
    if (ACol >= ColCount() + NumHiddenColumns() || ARow >= RowCount() + NumHiddenRows())
        throw fw::Exception(QStringLiteral("Invalid cell"));
    CreateCellGraphic(ACol, ARow)->SetRadioButton(State, true, haBeforeText, PlaceOf(VAlignment()));
}

void TFxStringGrid::RemoveRadioButton(int ACol, int ARow)
{
    if (RemoveCellGraphicOfType(ACol, ARow, ctRadioButton))
        RepaintCell(DisplColIndex(ACol), ARow);
}

bool TFxStringGrid::HasRadioButton(int ACol, int ARow)
{
    const fw::TPoint b = BaseCell(ACol, ARow);
    return GetCellType(b.X, b.Y) == ctRadioButton;
}

void TFxStringGrid::AddRadioButtonColumn(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        AddRadioButton(ACol, r, false);
}

void TFxStringGrid::RemoveRadioButtonColumn(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        RemoveRadioButton(ACol, r);
}

bool TFxStringGrid::IsRadioButtonChecked(int ACol, int ARow)
{
    const fw::TPoint b = BaseCell(ACol, ARow);
    const TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    return g && g->CellType() == ctRadioButton && g->CellBoolean();
}

bool TFxStringGrid::SetRadioButtonState(int ACol, int ARow, bool State)
{
    const fw::TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    if (!g || g->CellType() != ctRadioButton)
        return false;
    if (g->CellBoolean() != State) {
        g->SetCellBoolean(State);
        RepaintCell(DisplColIndex(b.X), b.Y);
    }
    return true;
}

void TFxStringGrid::SetRadioButtonColumnIndex(int ACol, int Index)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        SetRadioButtonState(ACol, r, r == Index);
}

int TFxStringGrid::GetRadioButtonColumnIndex(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (IsRadioButtonChecked(ACol, r))
            return r;
    return -1;
}

bool TFxStringGrid::ToggleRadioButton(int ACol, int ARow, bool CheckEdit)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctRadioButton)
        return false;
    if (CheckEdit && !d->paint.ControlLook->CheckAlwaysActive()) {
        bool canEdit = true;
        CanEditCell(ACol, ARow, canEdit);
        if (!canEdit)
            return false;
    }
    if (g->CellBoolean())
        return true;
    g->SetCellBoolean(true);
    RepaintCell(DisplColIndex(ACol), ARow);
    for (int r = 0; r < RowCount(); ++r) {
        if (r == ARow)
            continue;
        TCellGraphic* other = GetCellGraphic(ACol, r);
        if (other && other->CellType() == ctRadioButton && other->CellBoolean()) {
            other->SetCellBoolean(false);
            RepaintCell(DisplColIndex(ACol), r);
        }
    }
    return true;
}

// ---------------------------------------------------------------- image indexes

void TFxStringGrid::AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val)
{
    if (GridImages())
        CreateCellGraphic(ACol, ARow)->SetImageIdx(Aidx, hal, val);
}

void TFxStringGrid::RemoveImageIdx(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctImageList);
}

bool TFxStringGrid::GetImageIdx(int ACol, int ARow, int& idx)
{
    if (!GridImages() || GetCellType(ACol, ARow) != ctImageList)
        return false;
    idx = GetCellGraphic(ACol, ARow)->CellIndex();
    return true;
}

void TFxStringGrid::SetImageIdx(int ACol, int ARow, int Idx)
{
    if (GridImages() && GetCellType(ACol, ARow) == ctImageList)
        GetCellGraphic(ACol, ARow)->SetCellIndex(Idx);
}

void TFxStringGrid::AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val)
{
    if (!GridImages())
        return;
    CreateCellGraphic(ACol, ARow)->SetDataImage(Aidx, hal, val);
    if (Cells(ACol, ARow).isEmpty())
        SetInts(ACol, ARow, Aidx);
}

void TFxStringGrid::RemoveDataImage(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctDataImage);
    SetCells(ACol, ARow, QString());
}

bool TFxStringGrid::HasDataImage(int ACol, int ARow)
{
    const fw::TPoint b = BaseCell(ACol, ARow);
    return GetCellType(b.X, b.Y) == ctDataImage;
}

void TFxStringGrid::AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val)
{
    if (!GridImages())
        return;
    CreateCellGraphic(ACol, ARow)->SetMultiImage(ACol, ARow, Dir, hal, val,
                                                 [this](TIntList*, int c, int r) { RepaintCell(DisplColIndex(c), r); });
}

void TFxStringGrid::RemoveMultiImage(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctImages);
}

TIntList* TFxStringGrid::CellImages(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType() == ctImages ? g->CellImages() : nullptr;
}

bool TFxStringGrid::IsDataBoundCell(int ACol, int ARow)
{
    const TCellType t = GetCellType(ACol, ARow);
    return t == ctDataCheckBox || t == ctDataImage || t == ctVirtCheckBox || t == ctRowCheckBox;
}

bool TFxStringGrid::IsClickableCell(int ACol, int ARow)
{
    const TCellType t = GetCellType(ACol, ARow);
    return t == ctCheckBox || t == ctDataCheckBox || t == ctRadio || t == ctButton || t == ctVirtCheckBox ||
           t == ctRowCheckBox || t == ctRadioButton || t == ctTriStateCheckBox;
}

// ---------------------------------------------------------------- hooks

bool TFxStringGrid::DoCanAddRow()
{
    bool can = true;
    if (const auto& e = d->Events.OnCanAddRow)
        e(this, can);
    return can;
}

bool TFxStringGrid::DoCanInsertRow(int ARow)
{
    bool can = true;
    if (const auto& e = d->Events.OnCanInsertRow)
        e(this, ARow, can);
    return can;
}

void TFxStringGrid::DoCheckBoxChange(int ACol, int ARow, bool State)
{
    if (const auto& e = d->Events.OnCheckBoxChange)
        e(this, ACol, ARow, State);
}

bool TFxStringGrid::DoRatingChange(int ACol, int ARow, int& NewRate)
{
    bool allow = true;
    if (const auto& e = d->Events.OnRatingChange)
        e(this, ACol, ARow, NewRate, allow);
    return allow;
}

void TFxStringGrid::DoColorSelect(fw::TColor AColor, const QString& AColorText)
{
    if (const auto& e = d->Events.OnColorSelect)
        e(this, Col(), Row(), AColor, AColorText);
}

void TFxStringGrid::DoImageSelect(int AImageIndex)
{
    if (const auto& e = d->Events.OnImageSelect)
        e(this, Col(), Row(), AImageIndex);
}
