// Find, replace, the quick lookup of a sorted grid and the actions of the
// search footer. One scan covers at most one pass over its cells, so a
// search continued from its last hit, and a replace whose new text matches
// again, always end.
#include "grid/model/FxGrid.h"
#include "grid/model/FxGrid_p.h"

#include "framework/SysColors.h"
#include "grid/foundation/FxObjButton.h"
#include "grid/foundation/FxObjCheckBox.h"
#include "grid/foundation/SgHTMLEUtil.h"

#include <QPalette>

#include <vector>

namespace {

constexpr fw::TColor kNoHitColor = 0x0000FF;   // red

void SetEditColor(QLineEdit& edit, fw::TColor color)
{
    QPalette pal = edit.palette();
    pal.setColor(QPalette::Base, fw::ToQColor(color));
    edit.setPalette(pal);
    edit.update();
}

} // namespace

fw::TPoint TFxStringGrid::SearchCell() const { return d->model.Find.SearchCell; }
void TFxStringGrid::SetSearchCell(fw::TPoint value) { d->model.Find.SearchCell = value; }
int TFxStringGrid::FindCol() const { return d->model.Find.FindCol; }
void TFxStringGrid::SetFindCol(int value) { d->model.Find.FindCol = value; }
int TFxStringGrid::FindRow() const { return d->model.Find.FindRow; }
void TFxStringGrid::SetFindRow(int value) { d->model.Find.FindRow = value; }
bool TFxStringGrid::FindBusy() const { return d->model.Find.FindBusy; }

bool TFxStringGrid::MatchFindCell(int ACol, int ARow, bool Wide)
{
    const TFxGridFindState& f = d->model.Find;
    if (!f.Matcher)
        return false;
    const TFindParams p = f.Params;
    const int c = p.Contains(fnIncludeHiddenColumns) ? ACol : RealColIndex(ACol);
    QString text;
    if (p.Contains(fnIncludeHiddenRows))
        text = AllCells(c, ARow);
    else
        text = Wide ? WideCells(c, ARow) : Cells(c, ARow);
    // Wide texts are matched with their tags.
    if (Wide && p.Contains(fnIgnoreHTMLTags))
        return TFindMatcher(f.SearchCache, p - TFindParams{fnIgnoreHTMLTags}).Matches(text);
    return f.Matcher->Matches(text);
}

fw::TPoint TFxStringGrid::FindCore(fw::TPoint Start, const QString& s, TFindParams FindParams, bool Wide)
{
    TFxGridFindState& f = d->model.Find;
    f.Params = FindParams;
    f.FindBusy = true;
    f.Matcher.emplace(s, FindParams);
    f.SearchCache = f.Matcher->SearchText();
    const fw::TPoint none(-1, -1);
    const int fixedCols = FixedCols(), fixedRows = FixedRows();
    if (ColCount() <= 0 || ColCount() <= fixedCols || AllRowCount() <= 0 || AllRowCount() <= fixedRows) {
        f.FindBusy = false;
        return none;
    }
    const TFindParams& p = FindParams;
    int left = 0, top = 0, right = ColCount() - 1, bottom = RowCount() - 1;
    if (!p.Contains(fnIncludeFixed)) {
        left = fixedCols;
        top = fixedRows;
        right = ColCount() - FixedRightCols() - 1;
        bottom = RowCount() - FixedFooters() - 1;
    }
    if (p.Contains(fnSelectedCells)) {
        const fw::TGridRect sel = Selection();
        left = sel.Left;
        top = sel.Top;
        right = sel.Right;
        bottom = sel.Bottom;
    }
    if (p.Contains(fnIncludeHiddenColumns))
        right += NumHiddenColumns();
    if (p.Contains(fnIncludeHiddenRows))
        bottom += NumHiddenRows();
    if (p.Contains(fnFindInCurrentRow))
        top = bottom = Row();
    if (p.Contains(fnFindInPresetRow))
        top = bottom = f.FindRow;
    if (p.Contains(fnFindInCurrentCol))
        left = right = Col();
    if (p.Contains(fnFindInPresetCol))
        left = right = f.FindCol;

    const TFindScan scan(left, top, right, bottom, p.Contains(fnDirectionLeftRight), p.Contains(fnBackward));
    const fw::TPoint hit = scan.Walk(Start, [&](int c, int r) {
        ExportNotification(esExportNewRow, r);
        if (IsIgnoredColumn(c))
            return false;
        return MatchFindCell(c, r, Wide);
    });
    if (hit == none) {
        f.FindBusy = false;
        return none;
    }
    f.SearchCell = hit;
    if (p.Contains(fnAutoGoto)) {
        int row = hit.Y;
        if (p.Contains(fnIncludeHiddenRows) && NumHiddenRows() > 0) {
            // A hit inside a contracted node opens the node first.
            if (IsHiddenRow(row))
                ShowHiddenRowNode(row);
            row = IsHiddenRow(row) ? -1 : DisplRowIndex(row);
        }
        const int col = p.Contains(fnIncludeHiddenColumns) ? DisplColIndex(hit.X) : hit.X;
        if (row >= 0 && row < RowCount()) {
            if (MouseActions().DisjunctRowSelect()) {
                ClearRowSelect();
                SetRowSelect(row, true);
                SetRow(row);
            } else {
                if (col >= 0 && col < ColCount())
                    SetCol(col);
                SetRow(row);
            }
        }
    }
    return hit;
}

fw::TPoint TFxStringGrid::Find(fw::TPoint StartCell, const QString& s, TFindParams FindParams)
{
    ExportNotification(esExportStart, -1);
    const fw::TPoint hit = FindCore(StartCell, s, FindParams, false);
    ExportNotification(hit == fw::TPoint(-1, -1) ? esExportDone : esExportFail, -1);
    if (FindParams.Contains(fnAutoGoto)) {
        const int f = FloatingFooter().Visible() ? 2 : 0;
        const int visible = VisibleRowCount();
        if (Row() > TopRow() + visible - 2 - f && visible + FixedRows() + f < RowCount())
            SetTopRow(TopRow() + f + 1);
    }
    return hit;
}

fw::TPoint TFxStringGrid::FindWide(fw::TPoint StartCell, const QString& s, TFindParams FindParams)
{
    ExportNotification(esExportStart, -1);
    const fw::TPoint hit = FindCore(StartCell, s, FindParams, true);
    ExportNotification(hit == fw::TPoint(-1, -1) ? esExportDone : esExportFail, -1);
    return hit;
}

fw::TPoint TFxStringGrid::FindFirst(const QString& s, TFindParams FindParams)
{
    const fw::TPoint hit = Find(fw::TPoint(-1, -1), s, FindParams);
    d->model.Find.SearchCell = hit;
    return hit;
}

fw::TPoint TFxStringGrid::FindNext()
{
    TFxGridFindState& f = d->model.Find;
    // The cached text is compared as it is: it already has the case the
    // options ask for.
    const fw::TPoint hit = Find(f.SearchCell, f.SearchCache, f.Params);
    f.SearchCell = hit;
    return hit;
}

int TFxStringGrid::Replace(const QString& OrigStr, const QString& NewStr, TFindParams FindParams)
{
    // Collect first: writing while scanning could make a written cell match
    // again further on.
    const TFindParams scanParams = FindParams - TFindParams{fnAutoGoto};
    std::vector<fw::TPoint> hits;
    for (fw::TPoint at = Find(fw::TPoint(-1, -1), OrigStr, scanParams); at != fw::TPoint(-1, -1);
         at = Find(at, OrigStr, scanParams))
        hits.push_back(at);
    int changed = 0;
    for (const fw::TPoint& at : hits) {
        const int c = FindParams.Contains(fnIncludeHiddenColumns) ? at.X : RealColIndex(at.X);
        const bool all = FindParams.Contains(fnIncludeHiddenRows);
        QString text = all ? AllCells(c, at.Y) : Cells(c, at.Y);
        const QString before = text;
        if (!OrigStr.isEmpty())
            text.replace(OrigStr, NewStr, Qt::CaseInsensitive);
        if (all)
            SetAllCells(c, at.Y, text);
        else
            SetCells(c, at.Y, text);
        if (ShowModified().Enabled())
            SetRowModified(all ? DisplRowIndex(at.Y) : at.Y, true);
        if (text != before)
            ++changed;
    }
    return changed;
}

int TFxStringGrid::Search(const QString& s)
{
    if (RowCount() < 2)
        return -1;
    const TSortLook look = SortLook();
    int col = FixedCols();
    if (look.Show) {
        if (look.IndexShow)
            col = look.Indexes.empty() ? FixedCols() : (look.Indexes.front() & 0x7FFFFFFF);
        else
            col = look.Column;
    }
    if (col < 0)
        return -1;
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (StripHtmlTags(Cells(col, r)).left(s.length()).toUpper() == s)
            return r;
    return -1;
}

// ---- the search footer

namespace {

// The options the footer's edit, buttons and settings ask for.
TFindParams FooterParams(TFxStringGrid& g, bool Hidden)
{
    const TSearchFooter& sf = g.SearchFooter();
    TSearchPanel& panel = g.SearchPanel();
    TFindParams p{fnAutoGoto};
    if (panel.HiliteButton().Down())
        p.Include(fnIgnoreHTMLTags);
    if (panel.MatchCase().Checked())
        p.Include(fnMatchCase);
    if (sf.SearchActiveColumnOnly())
        p.Include(fnFindInCurrentCol);
    if (sf.SearchMatchStart())
        p.Include(fnMatchStart);
    if (Hidden && sf.SearchFixedCells())
        p.Include(fnIncludeFixed);
    if (Hidden && sf.SearchHiddenRows())
        p.Include(fnIncludeHiddenRows);
    if (sf.SearchDirection() == sdLeftRight)
        p.Include(fnDirectionLeftRight);
    const int col = sf.SearchColumn();
    if (col >= 0 && col < g.ColCount()) {
        g.SetFindCol(col);
        p.Include(fnFindInPresetCol);
    }
    return p;
}

} // namespace

void TFxStringGrid::SearchFooterEditChange()
{
    TSearchPanel& panel = SearchPanel();
    const TSearchFooter& sf = SearchFooter();
    const QString text = panel.EditControl().text();
    bool defaultSearch = true;
    if (const auto& e = d->Events.OnSearchEditChange)
        e(this, text, defaultSearch);
    if (!defaultSearch || !sf.AutoSearch())
        return;
    const bool highlight = panel.HiliteButton().Down() || sf.AlwaysHighLight();
    const int column = sf.SearchColumn();
    auto unhighlight = [&] {
        if (column >= 0)
            UnHilightInCol(false, column);
        else
            UnHilightInGrid(false);
    };
    if (highlight)
        unhighlight();
    if (text.isEmpty()) {
        SetEditColor(panel.EditControl(), fw::clWindow);
        if (panel.HiliteButton().Down())
            unhighlight();
        return;
    }
    const fw::TPoint hit = Find(fw::TPoint(-1, -1), text, FooterParams(*this, true));
    d->model.Find.SearchCell = hit;
    DoSearchFooterAction(text, hit.X, hit.Y, saFindFirst);
    if (hit == fw::TPoint(-1, -1)) {
        SetEditColor(panel.EditControl(), kNoHitColor);
        return;
    }
    SetEditColor(panel.EditControl(), fw::clWindow);
    ScrollInView(hit.X, hit.Y);
    if (highlight) {
        const bool doCase = panel.MatchCase().Checked();
        if (column >= 0)
            HilightInCol(false, doCase, column, text);
        else
            HilightInGrid(false, doCase, text);
    }
}

namespace {

void FooterStep(TFxStringGrid& g, TFxGridFindState& f, bool Backward)
{
    TSearchPanel& panel = g.SearchPanel();
    TSearchFooter& sf = g.SearchFooter();
    const QString text = panel.EditControl().text();
    if (!sf.AutoSearch() && text != sf.LastSearch()) {
        f.SearchCell = fw::TPoint(-1, -1);
        sf.SetLastSearch(text);
    }
    TFindParams p = FooterParams(g, false);
    if (Backward)
        p.Include(fnBackward);
    const fw::TPoint hit = g.Find(f.SearchCell, text, p);
    f.SearchCell = hit;
    const bool footer = g.FloatingFooter().Visible();
    const int visible = g.VisibleRowCount();
    if (g.Row() > g.TopRow() + visible - 3 - (footer ? 0 : 1) &&
        g.RowCount() > visible + g.FixedRows() + (footer ? 1 : 0))
        g.SetTopRow(std::min(g.TopRow() + 2, g.RowCount() - 1));
    if (hit != fw::TPoint(-1, -1))
        g.ScrollInView(hit.X, hit.Y);
    g.DoSearchFooterAction(text, hit.X, hit.Y, Backward ? saFindPrevious : saFindNext);
    panel.update();
}

} // namespace

void TFxStringGrid::SearchFooterFindNext() { FooterStep(*this, d->model.Find, false); }
void TFxStringGrid::SearchFooterFindPrevious() { FooterStep(*this, d->model.Find, true); }

void TFxStringGrid::SearchFooterHighlight()
{
    TSearchPanel& panel = SearchPanel();
    const int column = SearchFooter().SearchColumn();
    if (panel.HiliteButton().Down()) {
        const QString text = panel.EditControl().text();
        const bool doCase = panel.MatchCase().Checked();
        if (column >= 0)
            HilightInCol(false, doCase, column, text);
        else
            HilightInGrid(false, doCase, text);
    } else if (column >= 0) {
        UnHilightInCol(false, column);
    } else {
        UnHilightInGrid(false);
    }
}

void TFxStringGrid::SearchFooterClose()
{
    if (const auto& e = d->Events.OnSearchFooterClose)
        e(this);
    SearchFooter().SetVisible(false);
}
