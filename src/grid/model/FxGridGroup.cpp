// Grouping: the grouping settings, Group / UnGroup on one column, SubGroup /
// SubUnGroup one level deeper, the group calculations and the group count
// of a header's text.
//
// Header and summary rows of one operation are opened in one pass over the
// rows (InsertDisplayRows) and removed in one pass (RemoveDisplayRows), so
// grouping costs a few walks over the grid whatever the number of groups.
// A header is a node row; a summary row carries a ctSummary graphic. The
// graphic of either records the column a sub-group was made on (CellVar),
// -1 for the rows Group made.
#include "grid/model/FxGrid_p.h"
#include "grid/model/FxGrouping.h"

#include "grid/paint/FxFloatingFooter.h"
#include "grid/paint/FxGridAppearance.h"

#include <algorithm>
#include <unordered_map>

using namespace fw;

// ---------------------------------------------------------------- TGrouping

void TGrouping::Assign(const TGrouping& Source)
{
    FGroupCountFormat = Source.FGroupCountFormat;
    FHeaderColor = Source.FHeaderColor;
    FHeaderColorTo = Source.FHeaderColorTo;
    FHeaderTextColor = Source.FHeaderTextColor;
    FHeaderUnderline = Source.FHeaderUnderline;
    FMergeHeader = Source.FMergeHeader;
    FMergeSummary = Source.FMergeSummary;
    FShowGroupCount = Source.FShowGroupCount;
    FSummaryColor = Source.FSummaryColor;
    FSummaryColorTo = Source.FSummaryColorTo;
    FSummaryTextColor = Source.FSummaryTextColor;
    FSummaryLine = Source.FSummaryLine;
    FAutoCheckGroup = Source.FAutoCheckGroup;
    FAutoSelectGroup = Source.FAutoSelectGroup;
    if (OnChange)
        OnChange();
}

// ---------------------------------------------------------------- helpers

namespace {

constexpr int kGroupMade = -1;   // CellVar of the rows Group made

// Group and UnGroup rebuild the rows inside one update bracket, flagged,
// and put both back also when they fail.
class TGroupBracket {
public:
    TGroupBracket(TFxStringGrid& g, bool& flag) : FGrid(g), FFlag(flag), FWas(flag)
    {
        g.BeginUpdate();
        flag = true;
    }
    ~TGroupBracket()
    {
        FFlag = FWas;
        FGrid.EndUpdate();
    }
    TGroupBracket(const TGroupBracket&) = delete;
    TGroupBracket& operator=(const TGroupBracket&) = delete;

private:
    TFxStringGrid& FGrid;
    bool& FFlag;
    bool FWas;
};

struct TLook {
    TColor Color, ColorTo, TextColor;
};

TLook HeaderLook(const TGrouping& gs) { return {gs.HeaderColor(), gs.HeaderColorTo(), gs.HeaderTextColor()}; }
TLook SummaryLook(const TGrouping& gs) { return {gs.SummaryColor(), gs.SummaryColorTo(), gs.SummaryTextColor()}; }

// Only the colours that are set.
void ColourRow(TFxStringGrid& g, int r, const TLook& look)
{
    if (look.Color != clNone)
        g.SetRowColor(r, look.Color);
    if (look.ColorTo != clNone)
        g.SetRowColorTo(r, look.ColorTo);
    if (look.TextColor != clNone)
        g.SetRowFontColor(r, look.TextColor);
}

// Cells from column `from` to the last one merged into one, coloured.
void MergeRow(TFxStringGrid& g, int from, int r, const TLook& look)
{
    const int last = g.ColCount() - 1;
    if (last > from)
        g.MergeCells(from, r, last - from + 1, 1);
    if (look.Color != clNone)
        g.SetColors(from, r, look.Color);
    if (look.ColorTo != clNone)
        g.SetColorsTo(from, r, look.ColorTo);
    if (look.TextColor != clNone)
        g.SetFontColors(from, r, look.TextColor);
}

// The graphic a row's column-0 cell owns (never the shared row check box).
TCellGraphic* OwnGraphic(TFxStringGrid& g, int r)
{
    if (r < 0 || r >= g.RowCount() || !g.CellPropertiesAssigned(0, r))
        return nullptr;
    return dynamic_cast<TCellGraphic*>(g.GridObjects(0, r)->GraphicObject());
}

// The column a header or summary row was made for: -1 for Group's rows,
// the sub-group column for SubGroup's, -2 for a row that is neither.
int MadeFor(TFxStringGrid& g, int r)
{
    const TCellGraphic* cg = OwnGraphic(g, r);
    if (!cg || (cg->CellType() != ctNode && cg->CellType() != ctSummary))
        return -2;
    bool ok = false;
    const int v = cg->CellVar().toInt(&ok);
    return ok ? v : kGroupMade;
}

// The graphic of a hidden row's column-0 cell, when it is a header or summary.
bool HiddenRowIsGroupRow(TFxStringGrid& g, int real)
{
    const TCellProperties* p = g.GetAllGridObject(0, real);
    const auto* cg = p ? dynamic_cast<const TCellGraphic*>(p->GraphicObject()) : nullptr;
    return cg && (cg->CellType() == ctNode || cg->CellType() == ctSummary);
}

void SetLevel(TFxStringGrid& g, int r, int level)
{
    if (level > 0 || g.CellPropertiesAssigned(0, r))
        g.GetCellProperties(0, r)->SetNodeLevel(level);
}

// One run of equal texts: its first display row, its row count, its text,
// and the nodes whose spans hold it (outermost first).
struct TRun {
    int Start = 0;
    int Count = 0;
    QString Text;
    std::vector<TCellGraphic*> Parents;
};

// Where rows open for runs: a header in front of each run and, with
// summaries, one after it (positions in the grown grid, into `at`).
// Returns the header of each run in the grown grid.
std::vector<int> RunRowPositions(const std::vector<TRun>& runs, bool summary, std::vector<int>& at)
{
    std::vector<int> headers;
    int shift = 0;
    for (const TRun& run : runs) {
        const int h = run.Start + shift;
        headers.push_back(h);
        at.push_back(h);
        if (summary)
            at.push_back(h + run.Count + 1);
        shift += summary ? 2 : 1;
    }
    return headers;
}

void RelayoutSearchPanel(TFxStringGrid& g)
{
    if (!g.SearchFooter().Visible())
        return;
    TSearchPanel& p = g.SearchPanel();
    p.resize(p.width() + 1, p.height());
    p.resize(p.width() - 1, p.height());
}

} // namespace

// ---------------------------------------------------------------- settings

TGrouping& TFxStringGrid::Grouping() const
{
    TFxGridSortState& s = d->sort;
    if (!s.Grouping) {
        s.Grouping = std::make_unique<TGrouping>();
        QPointer<TFxStringGrid> self(const_cast<TFxStringGrid*>(this));
        s.Grouping->OnChange = [self] {
            if (self)
                self->Invalidate();
        };
    }
    return *s.Grouping;
}

void TFxStringGrid::SetGrouping(const TGrouping& value)
{
    Grouping().Assign(value);
}

int TFxStringGrid::GroupColumn() const
{
    return d->sort.GroupColumn;
}

void TFxStringGrid::SetGroupColumn(int value)
{
    if (value == -1)
        UnGroup();
    else if (value > 0)
        Group(value);
}

bool TFxStringGrid::IsGrouping() const
{
    return d->sort.IsGrouping;
}

// ---------------------------------------------------------------- Group, UnGroup

void TFxStringGrid::Group(int Colindex)
{
    TFxGridSortState& s = d->sort;
    // Column 0 holds the nodes, and ungrouping restores only columns above
    // 0; the header texts need a column besides the group column and 0.
    const int storage = ColCount() + NumHiddenColumns();
    if (Colindex < std::max(FixedCols(), 1) || Colindex >= storage || storage < 3)
        return;
    if (s.GroupColumn > 0)
        UnGroup();
    const int first = FixedRows();
    if (RowCount() - FixedFooters() <= first)
        return;
    const TGrouping& gs = Grouping();
    {
        TGroupBracket bracket(*this, s.IsGrouping);
        s.GroupColumn = Colindex;
        s.SubGroupColumns.clear();
        s.GroupWidth = AllColWidths(Colindex);
        s.GroupCaption = FixedRows() > 0 ? GridCells(Colindex, 0) : QString();
        s.GroupFooter = FixedFooters() > 0 ? GridCells(Colindex, RowCount() - 1) : QString();
        if (SortSettings().AutoSortForGrouping()) {
            SortSettings().SetColumn(Colindex);
            QSort();
        }

        std::vector<TRun> runs;
        const int last = RowCount() - 1 - FixedFooters();
        for (int r = first; r <= last; ++r) {
            const QString text = GridCells(Colindex, r);
            if (runs.empty() || text != runs.back().Text)
                runs.push_back({r, 0, text, {}});
            ++runs.back().Count;
        }
        const bool summary = gs.Summary();
        std::vector<int> at;
        const std::vector<int> headers = RunRowPositions(runs, summary, at);
        InsertDisplayRows(at);
        const int textCol = Colindex == 1 ? 2 : 1;
        for (std::size_t k = 0; k < runs.size(); ++k) {
            const int h = headers[k];
            SetGridCell(textCol, h, runs[k].Text);
            AddNode(RealRowIndex(h), runs[k].Count + 1);
            if (!gs.MergeHeader())
                ColourRow(*this, h, HeaderLook(gs));
            if (summary) {
                const int sr = h + runs[k].Count + 1;
                MarkSummaryRow(RealRowIndex(sr));
                OwnGraphic(*this, sr)->SetCellVar(kGroupMade);
                if (!gs.MergeSummary())
                    ColourRow(*this, sr, SummaryLook(gs));
            }
        }

        // Hidden rows lose the column with the others: each keeps its text
        // aside until ungrouping puts it back.
        THiddenRowStore& hidden = d->model.HiddenRows;
        for (int i = 0; i < hidden.Count(); ++i) {
            TGridItem& item = hidden.Item(i);
            if (!item.GroupText())
                item.SetGroupText(item.Text(Colindex));
        }
        RemoveCols(Colindex, 1);

        if (gs.MergeHeader() || (summary && gs.MergeSummary()))
            for (int r = first; r < RowCount() - FixedFooters(); ++r) {
                if (gs.MergeHeader() && IsNode(r))
                    MergeRow(*this, 1, r, HeaderLook(gs));
                else if (summary && gs.MergeSummary() && IsSummary(r))
                    MergeRow(*this, 1, r, SummaryLook(gs));
            }
        if (CellNode().ExpandOne())
            for (int r = first; r < RowCount(); ++r)
                if (IsNode(r)) {
                    ExpandNode(RealRowIndex(r));
                    break;
                }
        if (Row() >= RowCount() || Col() >= ColCount())
            FocusCell(FixedCols(), FixedRows());
        if (RowCount() > FixedRows())
            SetRow(FixedRows());
    }
    RelayoutSearchPanel(*this);
}

void TFxStringGrid::UnGroup()
{
    TFxGridSortState& s = d->sort;
    const int gc = s.GroupColumn;
    if (gc <= 0)
        return;
    // Sub-groups first, the newest first, so that only Group's rows remain.
    while (!s.SubGroupColumns.empty()) {
        const std::size_t before = s.SubGroupColumns.size();
        SubUnGroup(s.SubGroupColumns.back());
        if (s.SubGroupColumns.size() == before)
            s.SubGroupColumns.pop_back();
    }
    TCellNode& node = CellNode();
    const bool expandOne = node.ExpandOne();
    node.SetExpandOne(false);
    try {
        TGroupBracket bracket(*this, s.IsGrouping);
        // Headers and summaries hidden by hand come back, so they can go.
        const std::vector<int> hiddenRows = d->model.HiddenRows.RealIndices();
        for (auto it = hiddenRows.rbegin(); it != hiddenRows.rend(); ++it)
            if (HiddenRowIsGroupRow(*this, *it))
                UnHideRow(*it);
        ExpandAll();

        InsertCols(gc, 1);
        SetAllColWidths(gc, s.GroupWidth);
        if (FixedRows() > 0)
            SetGridCell(gc, 0, s.GroupCaption);
        if (FixedFooters() > 0 && RowCount() > 0)
            SetGridCell(gc, RowCount() - 1, s.GroupFooter);

        // In the all-rows space a hidden row sits inside the group it was
        // hidden from: it takes the text of the header above it, unless it
        // kept its own from before grouping.
        const int textCol = gc == 1 ? 2 : 1;
        const int lastReal = AllRowCount() - 1 - FixedFooters();
        std::vector<int> drop;
        QString text;
        for (int real = FixedRows(); real <= lastReal; ++real) {
            if (TGridItem* item = HiddenRowItem(real)) {
                SetAllCells(gc, real, item->GroupText() ? *item->GroupText() : text);
                item->ClearGroupText();
                continue;
            }
            const int r = DisplRowIndex(real);
            if (IsNode(r)) {
                text = GridCells(textCol, r);
                RemoveNode(real);
                drop.push_back(r);
            } else if (IsSummary(r)) {
                drop.push_back(r);
            } else {
                SetGridCell(gc, r, text);
            }
        }
        RemoveDisplayRows(drop, true);
        s.GroupColumn = -1;
    } catch (...) {
        node.SetExpandOne(expandOne);
        throw;
    }
    node.SetExpandOne(expandOne);
    DoCellsChanged(TRect(0, FixedRows(), ColCount() - 1, RowCount() - 1));
    Invalidate();
}

// ---------------------------------------------------------------- SubGroup, SubUnGroup

void TFxStringGrid::SubGroup(int Colindex)
{
    TFxGridSortState& s = d->sort;
    // The header text goes one column to the right; the values wait empty
    // until SubUnGroup, so one column is sub-grouped once at a time.
    const int storage = ColCount() + NumHiddenColumns();
    if (s.GroupColumn <= 0 || Colindex < std::max(FixedCols(), 1) || Colindex + 1 >= storage ||
        std::find(s.SubGroupColumns.begin(), s.SubGroupColumns.end(), Colindex) != s.SubGroupColumns.end())
        return;
    const TGrouping& gs = Grouping();
    {
        TGroupBracket bracket(*this, s.IsGrouping);
        ExpandAll();
        // Runs of equal texts among the data rows; a header or a summary
        // ends a run. Open nodes are kept as a stack of (end row, graphic).
        std::vector<TRun> runs;
        std::vector<std::pair<int, TCellGraphic*>> open;
        bool inRun = false;
        const int last = RowCount() - 1 - FixedFooters();
        for (int r = FixedRows(); r <= last; ++r) {
            while (!open.empty() && open.back().first < r)
                open.pop_back();
            if (IsNode(r)) {
                TCellGraphic* cg = OwnGraphic(*this, r);
                open.emplace_back(r + std::max(cg->CellIndex(), 1) - 1, cg);
                inRun = false;
                continue;
            }
            if (IsSummary(r)) {
                inRun = false;
                continue;
            }
            const QString text = GridCells(Colindex, r);
            if (!inRun || text != runs.back().Text) {
                TRun run{r, 0, text, {}};
                for (const auto& o : open)
                    run.Parents.push_back(o.second);
                runs.push_back(std::move(run));
                inRun = true;
            }
            ++runs.back().Count;
        }
        if (runs.empty())
            return;
        const bool summary = gs.Summary();
        std::vector<int> at;
        const std::vector<int> headers = RunRowPositions(runs, summary, at);
        InsertDisplayRows(at);
        const int per = summary ? 2 : 1;
        for (std::size_t k = 0; k < runs.size(); ++k) {
            const TRun& run = runs[k];
            const int h = headers[k];
            const int depth = int(run.Parents.size());
            // The opened rows belong to every node around the run.
            for (TCellGraphic* p : run.Parents) {
                p->SetCellIndex(p->CellIndex() + per);
                p->SetCellErrFrom(p->CellErrFrom() + per);
            }
            SetGridCell(Colindex + 1, h, run.Text);
            for (int r = h + 1; r <= h + run.Count; ++r)
                SetGridCell(Colindex, r, QString());
            SetLevel(*this, h, depth);
            AddNode(RealRowIndex(h), run.Count + 1);
            OwnGraphic(*this, h)->SetCellVar(Colindex);
            if (gs.MergeHeader())
                MergeRow(*this, Colindex + 1, h, HeaderLook(gs));
            else
                ColourRow(*this, h, HeaderLook(gs));
            if (summary) {
                const int sr = h + run.Count + 1;
                SetLevel(*this, sr, depth);
                MarkSummaryRow(RealRowIndex(sr));
                OwnGraphic(*this, sr)->SetCellVar(Colindex);
                if (gs.MergeSummary())
                    MergeRow(*this, Colindex + 1, sr, SummaryLook(gs));
                else
                    ColourRow(*this, sr, SummaryLook(gs));
            }
        }
        s.SubGroupColumns.push_back(Colindex);
        if (RowCount() > FixedRows())
            SetRow(FixedRows());
    }
    DoCellsChanged(TRect(0, FixedRows(), ColCount() - 1, RowCount() - 1));
}

void TFxStringGrid::SubUnGroup(int Colindex)
{
    TFxGridSortState& s = d->sort;
    const auto made = std::find(s.SubGroupColumns.begin(), s.SubGroupColumns.end(), Colindex);
    if (made == s.SubGroupColumns.end())
        return;
    {
        TGroupBracket bracket(*this, s.IsGrouping);
        ExpandAll();
        // The rows this sub-group made, and for each the nodes around it.
        std::vector<int> drop;
        std::vector<std::pair<int, TCellGraphic*>> open;
        std::unordered_map<TCellGraphic*, int> shrink;
        QString text;
        int valueEnd = -1;   // last data row of the current sub-header
        const int last = RowCount() - 1 - FixedFooters();
        for (int r = FixedRows(); r <= last; ++r) {
            while (!open.empty() && open.back().first < r)
                open.pop_back();
            const int madeFor = MadeFor(*this, r);
            if (madeFor == Colindex) {
                drop.push_back(r);
                for (const auto& o : open)
                    ++shrink[o.second];
            }
            if (IsNode(r)) {
                TCellGraphic* cg = OwnGraphic(*this, r);
                const int end = r + std::max(cg->CellIndex(), 1) - 1;
                if (madeFor == Colindex) {
                    text = GridCells(Colindex + 1, r);
                    valueEnd = end;
                }
                open.emplace_back(end, cg);
                continue;
            }
            if (madeFor == -2 && r <= valueEnd)
                SetGridCell(Colindex, r, text);
        }
        for (const auto& [node, n] : shrink) {
            node->SetCellIndex(std::max(1, node->CellIndex() - n));
            node->SetCellErrFrom(std::max(0, node->CellErrFrom() - n));
        }
        for (auto it = drop.rbegin(); it != drop.rend(); ++it)
            if (IsNode(*it))
                RemoveNode(RealRowIndex(*it));
        RemoveDisplayRows(drop, true);
        s.SubGroupColumns.erase(std::find(s.SubGroupColumns.begin(), s.SubGroupColumns.end(), Colindex));
        if (RowCount() > FixedRows())
            SetRow(FixedRows());
    }
    DoCellsChanged(TRect(0, FixedRows(), ColCount() - 1, RowCount() - 1));
}

// ---------------------------------------------------------------- calculations

void TFxStringGrid::GroupCalc(int Colindex, int method)
{
    if (method < 1 || method > 8)
        return;
    const bool summary = Grouping().Summary();
    for (int r = FixedRows(); r < RowCount() - FixedFooters();) {
        if (!IsNode(r) || GetNodeState(r)) {
            ++r;
            continue;
        }
        const int h = r, span = std::max(GetNodeSpan(r), 1);
        const int from = h + 1, to = h + span - 1;
        // Into the group's own summary row only: never over a data row.
        const int target = summary && IsSummary(h + span) ? h + span : h;
        switch (method) {
        case 1: SetFloats(Colindex, target, ColumnSum(Colindex, from, to)); break;
        case 2: SetFloats(Colindex, target, ColumnAvg(Colindex, from, to)); break;
        case 3: SetFloats(Colindex, target, ColumnMin(Colindex, from, to)); break;
        case 4: SetFloats(Colindex, target, ColumnMax(Colindex, from, to)); break;
        case 5: SetInts(Colindex, target, span - 1); break;
        case 6: {
            double res = 0;
            if (const auto& e = Events().OnGroupCalc)
                e(this, Colindex, from, to, res);
            SetFloats(Colindex, target, res);
            break;
        }
        case 7: SetFloats(Colindex, target, ColumnDistinct(Colindex, from, to)); break;
        default: SetFloats(Colindex, target, ColumnStdDev(Colindex, from, to)); break;
        }
        r = h + span;
    }
}

namespace {

void FooterCalc(TFxStringGrid& g, int Colindex, TColumnCalcType type)
{
    if (g.FloatingFooter().Visible())
        g.FloatingFooter().SetColumnCalc(Colindex, type);
}

} // namespace

void TFxStringGrid::GroupSum(int Colindex)
{
    GroupCalc(Colindex, 1);
    FooterCalc(*this, Colindex, acSUM);
}

void TFxStringGrid::GroupAvg(int Colindex)
{
    GroupCalc(Colindex, 2);
    FooterCalc(*this, Colindex, acAVG);
}

void TFxStringGrid::GroupMin(int Colindex)
{
    GroupCalc(Colindex, 3);
    FooterCalc(*this, Colindex, acMIN);
}

void TFxStringGrid::GroupMax(int Colindex)
{
    GroupCalc(Colindex, 4);
    FooterCalc(*this, Colindex, acMAX);
}

void TFxStringGrid::GroupCount(int Colindex)
{
    GroupCalc(Colindex, 5);
    FooterCalc(*this, Colindex, acCOUNT);
}

void TFxStringGrid::GroupCustomCalc(int Colindex) { GroupCalc(Colindex, 6); }
void TFxStringGrid::GroupDistinct(int Colindex) { GroupCalc(Colindex, 7); }
void TFxStringGrid::GroupStdDev(int Colindex) { GroupCalc(Colindex, 8); }

// ---------------------------------------------------------------- the group count

void TFxStringGrid::AppendGroupCount(int ACol, int ARow, QString& Value) const
{
    const TFxGridSortState& s = d->sort;
    if (!s.Grouping || !s.Grouping->ShowGroupCount())
        return;
    auto& g = const_cast<TFxStringGrid&>(*this);
    if (ARow < FixedRows() || !g.IsNode(ARow))
        return;
    // A sub-group's header text stands right of its column.
    const int madeFor = MadeFor(g, ARow);
    if (ACol != (madeFor >= 0 ? madeFor + 1 : 1))
        return;
    const int count = g.GetNodeSpan(ARow) - g.GetSubNodeCount(ARow) - 1;
    const QString format = s.Grouping->GroupCountFormat();
    if (!format.isEmpty()) {
        // The format is a setting: only the checked formatter reads it, and
        // one that does not take an integer shows the plain count.
        try {
            Value += fw::Format(format, {count});
            return;
        } catch (const fw::Exception&) {
        }
    }
    Value += QStringLiteral(" (") + QString::number(count) + QLatin1Char(')');
}
