// A cell's graphic: finding, making and removing it, rotated cells, and the
// three-state check box operations.
#include "grid/model/FxGrid.h"
#include "grid/model/FxGrid_p.h"

TCellType TFxStringGrid::GetCellType(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return ctEmpty;
    if (ACol == 0 && d->model.MouseActions->HotmailRowSelect())
        return ctRowCheckBox;
    // The cell's own graphic: a descendant's shared answer is its own affair.
    const TCellGraphic* g = CellPropertiesAssigned(ACol, ARow)
                                ? dynamic_cast<const TCellGraphic*>(GridObjects(ACol, ARow)->GraphicObject())
                                : nullptr;
    return g ? g->CellType() : ctEmpty;
}

TCellGraphic* TFxStringGrid::GetCellGraphic(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return nullptr;
    TFxGridModelState& m = d->model;
    if (ACol == 0 && m.MouseActions->HotmailRowSelect()) {
        TCellGraphic& g = *m.CellGraphic;
        g.SetCellType(ctRowCheckBox);
        g.SetCellAngle(0);
        if (ARow < TBaseGrid::FixedRows()) {
            int selected = 0;
            for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r)
                selected += RowSelect(r) ? 1 : 0;
            const int normal = RowCount() - TBaseGrid::FixedRows();
            g.SetCellBoolean(normal > 0 && selected == normal);
            g.SetCellAngle(selected > 0 && selected < normal ? 1 : 0);
        } else {
            g.SetCellBoolean(ARow < RowCount() + NumHiddenRows() && RowSelect(ARow));
        }
        g.SetCellTransparent(d->paint.ControlLook->ControlStyle() == csFlat);
        return &g;
    }
    if (!CellPropertiesAssigned(ACol, ARow))
        return nullptr;
    return dynamic_cast<TCellGraphic*>(GridObjects(ACol, ARow)->GraphicObject());
}

namespace {

bool IsSharedGraphic(const TCellGraphic* g)
{
    return g && (g->CellType() == ctVirtCheckBox || g->CellType() == ctRowCheckBox);
}

} // namespace

TCellGraphic* TFxStringGrid::CreateCellGraphic(int ACol, int ARow)
{
    // The cell's own graphic goes; a shared one was never the cell's.
    if (CellPropertiesAssigned(ACol, ARow)) {
        TCellProperties* p = GridObjects(ACol, ARow);
        auto* old = dynamic_cast<TCellGraphic*>(p->GraphicObject());
        if (IsSharedGraphic(old))
            p->TakeGraphicObject();
    }
    auto* g = new TCellGraphic();
    SetGraphicObjectEx(ACol, ARow, g);
    if (NumHiddenColumns() > 0 && DisplColIndex(ACol) != ACol)
        RepaintCell(DisplColIndex(ACol), ARow);
    return g;
}

bool TFxStringGrid::RemoveCellGraphic(int ACol, int ARow)
{
    if (!CellPropertiesAssigned(ACol, ARow))
        return false;
    TCellProperties* p = GridObjects(ACol, ARow);
    auto* g = dynamic_cast<TCellGraphic*>(p->GraphicObject());
    if (!g)
        return false;
    p->TakeGraphicObject();
    if (!IsSharedGraphic(g))
        delete g;
    if (!Destroying())
        RepaintCell(ACol, ARow);
    return true;
}

bool TFxStringGrid::RemoveCellGraphicOfType(int ACol, int ARow, TCellType CellType)
{
    return GetCellType(ACol, ARow) == CellType && RemoveCellGraphic(ACol, ARow);
}

void TFxStringGrid::AddRotated(int ACol, int ARow, int AAngle, const QString& s)
{
    CreateCellGraphic(ACol, ARow)->SetAngle(AAngle);
    SetCells(ACol, ARow, s);
}

void TFxStringGrid::SetRotated(int ACol, int ARow, int AAngle)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || IsSharedGraphic(g))
        g = CreateCellGraphic(ACol, ARow);
    g->SetAngle(AAngle);
}

void TFxStringGrid::RemoveRotated(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctRotated);
}

bool TFxStringGrid::IsRotated(int ACol, int ARow, int& aAngle)
{
    if (GetCellType(ACol, ARow) != ctRotated)
        return false;
    aAngle = GetCellGraphic(ACol, ARow)->CellAngle();
    return true;
}

TCheckBoxState TFxStringGrid::BoolToCheckBoxState(bool bChecked)
{
    return bChecked ? cbChecked : cbUnchecked;
}

namespace {

TCellVAlign CheckVAlign(TVAlignment va)
{
    return va == vtaCenter ? vaCenter : va == vtaBottom ? vaBottom : vaTop;
}

} // namespace

void TFxStringGrid::AddCheckBox(int ACol, int ARow, TCheckBoxState State)
{
    if (ACol >= ColCount() + NumHiddenColumns() || ARow >= RowCount() + NumHiddenRows())
        throw fw::Exception(QStringLiteral("Invalid cell"));
    CreateCellGraphic(ACol, ARow)->SetCheckBox(State, true, haBeforeText, CheckVAlign(VAlignment()));
}

void TFxStringGrid::AddTriStateCheckBoxColumn(int ACol, TCheckBoxState State)
{
    const int first = d->model.MouseActions->CheckAllCheck() ? 0 : FixedRows();
    for (int r = first; r < RowCount(); ++r)
        AddCheckBox(ACol, r, State);
}

const TCellGraphic* TFxStringGrid::CheckGraphicAtRealRow(int ACol, int ARow)
{
    // A hidden row keeps its graphic in its stored properties; a shown row
    // may also answer with a shared graphic (row check boxes, check-box columns).
    if (const TCellProperties* p = GetAllGridObject(ACol, ARow))
        if (auto* g = dynamic_cast<const TCellGraphic*>(GraphicOfCellProps(p)))
            return g;
    if (IsHiddenRow(ARow))
        return nullptr;
    return GetCellGraphic(ACol, DisplRowIndex(ARow));
}

bool TFxStringGrid::GetCheckBoxState(int ACol, int ARow, TCheckBoxState& State)
{
    const TCellGraphic* g = CheckGraphicAtRealRow(ACol, ARow);
    if (!g)
        return false;
    switch (g->CellType()) {
    case ctCheckBox:
        State = BoolToCheckBoxState(g->CellBoolean());
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        QString t;
        GetCheckTrue(ACol, ARow, t);
        State = BoolToCheckBoxState(AllCells(ACol, ARow) == t);
        return true;
    }
    case ctTriStateCheckBox:
        State = g->CellCheckBoxState();
        return true;
    case ctRowCheckBox:
        if (ACol != 0)
            return false;
        State = BoolToCheckBoxState(RowSelect(ARow));
        return true;
    default:
        return false;
    }
}
