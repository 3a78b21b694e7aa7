// Row nodes: a node row in column 0 spans the rows after it; contracting it
// hides them through the hidden-row store, expanding shows them again.
// Every covered row carries its nesting level in the NodeLevel of its
// column-0 properties, so the level travels with the row when it is hidden.
#include "grid/model/FxGrid.h"
#include "grid/model/FxGrid_p.h"

#include <algorithm>
#include <climits>

namespace {

TCellGraphic* NodeGraphic(TFxStringGrid& g, int ARow)
{
    if (ARow < 0 || ARow >= g.RowCount() || g.GetCellType(0, ARow) != ctNode)
        return nullptr;
    return g.GetCellGraphic(0, ARow);
}

int LevelOf(TFxStringGrid& g, int ARow)
{
    if (ARow < 0 || ARow >= g.RowCount() || !g.CellPropertiesAssigned(0, ARow))
        return 0;
    return g.GridObjects(0, ARow)->NodeLevel();
}

void AddLevel(TFxStringGrid& g, int From, int To, int Delta)
{
    for (int r = std::max(From, 0); r <= To && r < g.RowCount(); ++r) {
        if (Delta < 0 && !g.CellPropertiesAssigned(0, r))
            continue;
        TCellProperties* p = g.GetCellProperties(0, r);
        p->SetNodeLevel(std::max(0, p->NodeLevel() + Delta));
    }
}

// The display row where a node of span 0 ends: the next node row, or RowCount.
int NextNodeRow(TFxStringGrid& g, int From)
{
    int e = From;
    while (e < g.RowCount() && !g.IsNode(e))
        ++e;
    return e;
}

} // namespace

int TFxStringGrid::NumNodes() const { return d->model.NumNodes; }
bool TFxStringGrid::HasNodes() { return d && d->model.NumNodes > 0; }

void TFxStringGrid::AddNode(int ARow, int Span)
{
    const int r = DisplRowIndex(ARow);
    if (r < 0 || r >= RowCount())
        return;
    TCellGraphic* g = CreateCellGraphic(0, r);
    g->SetCellType(ctNode);
    g->SetCellBoolean(false);
    g->SetCellIndex(Span);
    g->SetCellErrFrom(0);
    g->SetCellAngle(r);
    g->SetCellVar(-1);
    g->SetCellHAlign(haBeforeText);
    g->SetCellVAlign(vaCenter);
    AddLevel(*this, r, r + Span - 1, 1);
    if (d->model.NumNodes == 0)
        RepaintCol(0);
    ++d->model.NumNodes;
    if (Col() == 0 && ColCount() > 1)
        SetCol(1);
}

void TFxStringGrid::RemoveNode(int ARow)
{
    const int r = DisplRowIndex(ARow);
    TCellGraphic* g = NodeGraphic(*this, r);
    if (!g)
        return;
    ExpandNodeRows(ARow);
    AddLevel(*this, r, r + g->CellIndex() - 1, -1);
    RemoveCellGraphic(0, r);
    d->model.NumNodes = std::max(0, d->model.NumNodes - 1);
}

void TFxStringGrid::RemoveAllNodes()
{
    for (int r = 0; r < RowCount(); ++r) {
        TCellGraphic* g = NodeGraphic(*this, r);
        if (!g)
            continue;
        // Showing the rows directly, not through ExpandNode: with ExpandOne
        // that would hide other nodes' rows while the scan runs.
        ExpandNodeRows(RealRowIndex(r));
        AddLevel(*this, r, r + g->CellIndex() - 1, -1);
        RemoveCellGraphic(0, r);
        d->model.NumNodes = std::max(0, d->model.NumNodes - 1);
    }
    Invalidate();
}

bool TFxStringGrid::IsNode(int ARow) { return NodeGraphic(*this, ARow) != nullptr; }

bool TFxStringGrid::IsSummary(int ARow)
{
    return ARow >= 0 && ARow < RowCount() && GetCellType(0, ARow) == ctSummary;
}

void TFxStringGrid::MarkSummaryRow(int ARow)
{
    const int r = DisplRowIndex(ARow);
    if (r < 0 || r >= RowCount())
        return;
    CreateCellGraphic(0, r)->SetCellType(ctSummary);
}

bool TFxStringGrid::GetNodeState(int ARow)
{
    const TCellGraphic* g = NodeGraphic(*this, ARow);
    return g && g->CellBoolean();
}

void TFxStringGrid::SetNodeState(int ARow, bool Value)
{
    if (!IsNode(ARow) || GetNodeState(ARow) == Value)
        return;
    if (Value)
        ContractNode(RealRowIndex(ARow));
    else
        ExpandNode(RealRowIndex(ARow));
}

int TFxStringGrid::GetNodeLevel(int ARow) { return IsNode(ARow) ? LevelOf(*this, ARow) : -1; }

int TFxStringGrid::GetNodeSpan(int ARow)
{
    const TCellGraphic* g = NodeGraphic(*this, ARow);
    return g ? g->CellIndex() : -1;
}

void TFxStringGrid::SetNodeSpan(int ARow, int Span)
{
    if (TCellGraphic* g = NodeGraphic(*this, ARow))
        g->SetCellIndex(Span);
}

void TFxStringGrid::UpdateNodeSpan(int ARow, int Delta)
{
    if (TCellGraphic* g = NodeGraphic(*this, ARow))
        g->SetCellIndex(g->CellIndex() + Delta);
}

int TFxStringGrid::GetSubNodeCount(int ARow)
{
    const TCellGraphic* g = NodeGraphic(*this, ARow);
    return g ? g->CellErrFrom() : 0;
}

void TFxStringGrid::UpdateSubNodeCount(int ARow, int Delta)
{
    if (TCellGraphic* g = NodeGraphic(*this, ARow))
        g->SetCellErrFrom(g->CellErrFrom() + Delta);
}

void TFxStringGrid::ExpandNodeRows(int ARow)
{
    const int r = DisplRowIndex(ARow);
    TCellGraphic* g = NodeGraphic(*this, r);
    if (!g || !g->CellBoolean())
        return;
    g->SetCellBoolean(false);
    int e = r + 1;
    if (g->CellIndex() == 0)
        e = NextNodeRow(*this, e);
    const int from = RealRowIndex(r) + 1;
    const int to = RealRowIndex(e) - 1;
    if (from <= to) {
        BeginUpdate();
        UnHideRows(from, to);
        EndUpdate();
    }
    CalcFooter(-1);
}

void TFxStringGrid::ExpandNode(int ARow)
{
    if (CellNode().ExpandOne())
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (RealRowIndex(r) != ARow && IsNode(r) && !GetNodeState(r))
                ContractNode(RealRowIndex(r));
    ExpandNodeRows(ARow);
}

void TFxStringGrid::ContractNode(int ARow)
{
    HideInplaceEdit();
    const int r = DisplRowIndex(ARow);
    TCellGraphic* g = NodeGraphic(*this, r);
    if (!g || g->CellBoolean())
        return;
    g->SetCellBoolean(true);
    const int f = r + 1;
    // The end counts the span's rows as if all were shown; nested
    // contracted nodes pull it back below.
    int e = g->CellIndex() > 0 ? r + g->CellIndex() : NextNodeRow(*this, f);
    int i = f;
    BeginUpdate();
    while (i < e && i < RowCount()) {
        TCellGraphic* inner = NodeGraphic(*this, i);
        if (inner && inner->CellBoolean()) {
            // The inner node's rows are hidden already and stay hidden with
            // this one; marked expanded, they all show when this one opens.
            inner->SetCellBoolean(false);
            if (QWidget* w = CellControls(1, i + 1))
                w->hide();
            const int span = inner->CellIndex();
            HideRows(RealRowIndex(f), RealRowIndex(i));
            e -= (i - f) + span;
            i = f;
            continue;
        }
        ++i;
    }
    if (f <= i - 1)
        HideRows(RealRowIndex(f), RealRowIndex(i - 1));
    EndUpdate();
    CalcFooter(-1);
}

void TFxStringGrid::ExpandAll()
{
    BeginUpdate();
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (IsNode(r))
            ExpandNodeRows(RealRowIndex(r));
    EndUpdate();
    CalcFooter(-1);
}

void TFxStringGrid::ContractAll()
{
    BeginUpdate();
    ExpandAll();
    std::vector<std::pair<int, int>> ranges;   // real rows to hide
    for (int r = FixedRows(); r < RowCount();) {
        TCellGraphic* g = NodeGraphic(*this, r);
        if (!g) {
            ++r;
            continue;
        }
        g->SetCellBoolean(true);
        int e = g->CellIndex() > 0 ? r + g->CellIndex() : NextNodeRow(*this, r + 1);
        e = std::min(e, RowCount());
        if (r + 1 <= e - 1)
            ranges.emplace_back(RealRowIndex(r + 1), RealRowIndex(e - 1));
        r = std::max(e, r + 1);
    }
    // Real indices do not change while rows are hidden.
    for (const auto& [from, to] : ranges)
        HideRows(from, to);
    EndUpdate();
    CellControlsUpdate(false);
    CalcFooter(-1);
}

int TFxStringGrid::GetParentRow(int ARow)
{
    if (!HasNodes() || ARow < 0)
        return -1;
    const bool node = IsNode(ARow);
    const int own = node ? LevelOf(*this, ARow) : INT_MAX;
    int hidden = 0;
    for (int k = std::min(ARow, RowCount() - 1); k >= FixedRows(); --k) {
        TCellGraphic* g = NodeGraphic(*this, k);
        if (!g || LevelOf(*this, k) >= own)
            continue;
        if (g->CellBoolean())
            hidden += g->CellIndex() - 1;
        if (ARow < k + g->CellIndex() - hidden)
            return k;
    }
    return node ? ARow : -1;
}

int TFxStringGrid::GetNodeSpanType(int ARow)
{
    if (IsNode(ARow))
        return 0;
    if (ARow >= RowCount() - FixedFooters() - 1)
        return 1;
    if (CellPropertiesAssigned(0, ARow + 1) && LevelOf(*this, ARow + 1) >= LevelOf(*this, ARow))
        return 2;
    return 1;
}

void TFxStringGrid::InsertNormalRow(int ARow)
{
    // The insert moves the hidden rows after it along.
    InsertRows(DisplRowIndex(ARow), 1, true);
}

void TFxStringGrid::RemoveNormalRow(int ARow)
{
    RemoveRows(DisplRowIndex(ARow), 1);
}

void TFxStringGrid::InsertChildRow(int ARow, int InsertAt)
{
    const int dr = DisplRowIndex(ARow);
    const int p = GetParentRow(dr);
    int level = 1;
    if (p >= 0) {
        UpdateNodeSpan(p, 1);
        UpdateSubNodeCount(p, 1);
        ExpandNode(RealRowIndex(p));
        level = LevelOf(*this, p);
        int walked = level;
        for (int cur = p; walked > 1 && cur >= FixedRows();) {
            const int a = GetParentRow(cur);
            if (a < 0 || a == cur || LevelOf(*this, a) >= walked)
                break;
            UpdateNodeSpan(a, 1);
            UpdateSubNodeCount(a, 1);
            ExpandNode(RealRowIndex(a));
            walked = LevelOf(*this, a);
            cur = a;
        }
    }
    const int at0 = DisplRowIndex(ARow);
    bool moveContent = false;
    if (IsNode(at0) && InsertAt == 0) {
        InsertAt = 1;
        moveContent = true;
    }
    const int at = at0 + InsertAt;
    InsertRows(at, 1, true);
    if (moveContent) {
        const int cols = ColCount() + NumHiddenColumns();
        for (int c = 0; c < cols; ++c) {
            SetGridCell(c, at0 + 1, GetGridCell(c, at0));
            SetGridCell(c, at0, QString());
            if (c == 0)
                continue;
            TCellProperties* prop = GridObjects(c, at0);
            TObjStringGrid::SetObjects(c, at0, nullptr);
            if (prop)
                prop->SetOwnerRow(at0 + 1);
            TObjStringGrid::SetObjects(c, at0 + 1, prop);
        }
    }
    if (p >= 0)
        GetCellProperties(0, at)->SetNodeLevel(level);
}

void TFxStringGrid::RemoveChildRow(int ARow)
{
    const int dr = DisplRowIndex(ARow);
    int p = GetParentRow(dr);
    if (p >= 0) {
        const int lvl = LevelOf(*this, p);
        auto shrink = [this](int row) {
            if (GetNodeSpan(row) > 1) {
                UpdateNodeSpan(row, -1);
                UpdateSubNodeCount(row, -1);
            }
        };
        shrink(p);
        for (;;) {
            ExpandNode(RealRowIndex(p));
            if (LevelOf(*this, p) <= 1)
                break;
            const int a = GetParentRow(p);
            if (a < 0 || a == p || LevelOf(*this, a) >= lvl)
                break;
            p = a;
            shrink(p);
        }
    }
    DeleteRowRange(DisplRowIndex(ARow), 1);
}

void TFxStringGrid::ShowHiddenRowNode(int RealRow)
{
    // Nested contracted nodes: each pass opens the nearest one above.
    for (int guard = 0; IsHiddenRow(RealRow) && guard <= NumNodes(); ++guard) {
        int k = DisplRowIndex(RealRow) - 1;
        while (k >= 0 && !(IsNode(k) && GetNodeState(k)))
            --k;
        if (k < 0)
            return;
        ExpandNode(RealRowIndex(k));
    }
}
