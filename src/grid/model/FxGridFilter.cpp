// Filtering: the row test, filter levels in the hidden-row store, the
// incremental narrowing and the choices made in the filter drop-down.
#include "grid/model/FxGrid_p.h"

#include "framework/SysColors.h"
#include "grid/foundation/SgHTMLEUtil.h"
#include "grid/model/FxCGrid.h"
#include "grid/model/FxGrouping.h"

#include <QPalette>

#include <cmath>
#include <typeinfo>

using namespace fw;

namespace {

// Whether g is one of the grid classes themselves, whose GetDisplayText and
// MatchFilter are the ones in this file and not a descendant's.
bool IsOwnClass(const TFxStringGrid& g)
{
    const std::type_info& type = typeid(g);
    return type == typeid(TFxStringGrid) || type == typeid(TFxColumnGrid);
}

bool IsNodeOrSummaryRow(TFxStringGrid& g, int r)
{
    const TCellType t = g.GetCellType(0, r);
    return t == ctNode || t == ctSummary;
}

// An entry of the drop-down list: "friendly name=condition" or a bare value.
void SplitFilterEntry(const QString& entry, QString& friendly, QString& condition)
{
    const int eq = entry.indexOf(QLatin1Char('='));
    friendly = eq < 0 ? entry : entry.left(eq);
    condition = eq < 0 ? entry : entry.mid(eq + 1);
}

} // namespace

TFilter& TFxStringGrid::Filter() const
{
    TFxGridSortState& s = d->sort;
    if (!s.Filter)
        s.Filter = std::make_unique<TFilter>(const_cast<TFxStringGrid*>(this));
    return *s.Filter;
}

TFilterDropDown& TFxStringGrid::FilterDropDown() const
{
    TFxGridSortState& s = d->sort;
    if (!s.DropDown) {
        s.DropDown = std::make_unique<TFilterDropDown>();
        QPointer<TFxStringGrid> self(const_cast<TFxStringGrid*>(this));
        s.DropDown->OnChange = [self] {
            if (self)
                self->Invalidate();
        };
    }
    return *s.DropDown;
}

void TFxStringGrid::SetFilterDropDown(const TFilterDropDown& value)
{
    FilterDropDown().Assign(value);
}

bool TFxStringGrid::FilterDropDownCheck() const
{
    return d->sort.FilterDropDownCheck;
}

void TFxStringGrid::SetFilterDropDownCheck(bool value)
{
    d->sort.FilterDropDownCheck = value;
}

int TFxStringGrid::FilterLevel() const
{
    return d->model.HiddenRows.FilterLevel();
}

int TFxStringGrid::FilterColumn() const
{
    return d->sort.FilterCol;
}

void TFxStringGrid::SetFilterColumn(int value)
{
    d->sort.FilterCol = value;
}

bool TFxStringGrid::FilterActive() const
{
    return d->sort.FilterActive;
}

TDropList& TFxStringGrid::DropList() const
{
    TFxGridSortState& s = d->sort;
    if (!s.DropList) {
        auto* self = const_cast<TFxStringGrid*>(this);
        s.DropList = new TDropList(self);
        s.DropList->OnSelect = [self](int index) { self->DoFilterSelect(index); };
    }
    return *s.DropList;
}

TDropCheckList& TFxStringGrid::DropCheckList() const
{
    TFxGridSortState& s = d->sort;
    if (!s.DropCheckList) {
        auto* self = const_cast<TFxStringGrid*>(this);
        s.DropCheckList = new TDropCheckList(self);
        s.DropCheckList->OnSelect = [self](int index) { self->DoFilterCheck(index); };
    }
    return *s.DropCheckList;
}

// ---------------------------------------------------------------- the row test

bool TFxStringGrid::MatchFilter(int ARow)
{
    return TestFilterRow(ARow, FilterReadsStoredText());
}

bool TFxStringGrid::FilterReadsStoredText() const
{
    bool display = false;
    const TFilter& filter = Filter();
    for (int i = 0; i < filter.Count(); ++i) {
        switch (filter.Items(i)->Data()) {
        case fcNormal:
            break;
        case fcVirtual:
            display = true;
            break;
        default:
            return false;
        }
    }
    if (!display)
        return true;
    // Display texts are the stored ones only while GetDisplayText is this
    // class's own (a descendant may change texts there), no text hook is
    // set, no address is turned into a link and no group count is added.
    // Merged cells read their base cell: rows with properties take the
    // general way (TestFilterRow).
    if (!IsOwnClass(*this))
        return false;
    const TFxGridSortState& s = d->sort;
    return !OnGetDisplText && !OnGetDisplWideText && !URLShowInText() &&
           !(s.Grouping && s.Grouping->ShowGroupCount());
}

bool TFxStringGrid::TestFilterRow(int ARow, bool inPlace)
{
    const int cols = ColCount() + NumHiddenColumns();
    bool accept = false;
    if (inPlace && ARow >= 0 && ARow < RowCount() && !RowHasObjects(ARow)) {
        accept = Filter().MatchRowInPlace([this, ARow, cols](const TFilterData& f) -> const QString* {
            const int c = f.Column();
            return c >= 0 && c < cols ? FindCellText(c, ARow) : nullptr;
        });
    } else {
        accept = MatchFilterReading(ARow, cols);
    }
    if (const auto& e = Events().OnCustomFilter)
        e(this, ARow, accept);
    return accept;
}

bool TFxStringGrid::MatchFilterReading(int ARow, int cols)
{
    // The reader holds one pointer, so that handing it over as a
    // std::function allocates nothing for a row.
    struct TRowReader {
        TFxStringGrid* Grid;
        int Row;
        int Cols;
    } row{this, ARow, cols};
    const auto read = [r = &row](const TFilterData& f) -> QString {
        TFxStringGrid& g = *r->Grid;
        const int c = f.Column();
        if (f.Data() == fcRow) {
            QStringList texts;
            for (int i = 0; i < r->Cols; ++i)
                texts << g.GridCells(i, r->Row);
            return texts.join(QStringLiteral("\r\n"));
        }
        if (c < 0 || c >= r->Cols)
            return QString();
        switch (f.Data()) {
        case fcNormal:
            return g.GridCells(c, r->Row);
        case fcStripHTML:
            return g.StrippedCells(c, r->Row);
        case fcCalculated: {
            QString v;
            g.ReadCellText(c, r->Row, v);
            return v;
        }
        default:
            return g.Cells(c, r->Row);
        }
    };
    return Filter().MatchRow(read);
}

void TFxStringGrid::FilterRow(int ARow)
{
    if (ARow >= 0 && ARow < RowCount() && !MatchFilter(ARow))
        HideRow(RealRowIndex(ARow));
}

void TFxStringGrid::ApplyFilter()
{
    TFxGridSortState& s = d->sort;
    s.FilterFixedRows = FixedRows();
    const int first = FixedRows();
    const int last = RowCount() - 1 - FixedFooters();
    const int n = last - first + 1;
    const auto& progress = Events().OnFilterProgress;
    // MatchFilter is virtual: only this class's own test is called directly,
    // with the way of reading decided once for all rows, unless a handler
    // called for each row could change what it depends on.
    const bool ownTest = IsOwnClass(*this);
    const bool perRow = progress || Events().OnCustomFilter;
    const bool inPlace = ownTest && !perRow && FilterReadsStoredText();
    std::vector<int> failing;
    failing.reserve(std::size_t(std::max(n, 0)));
    int count = 0;
    for (int r = first; r <= last; ++r) {
        if (FilterNormalCellsOnly() && IsNodeOrSummaryRow(*this, r))
            continue;
        if (!(ownTest ? TestFilterRow(r, perRow ? FilterReadsStoredText() : inPlace) : MatchFilter(r)))
            failing.push_back(r);
        ++count;
        if (progress && n > 0)
            progress(this, short(std::lround(double(count) / n * 100)));
    }
    HideRowList(failing);
    if (progress)
        progress(this, short(n > 0 ? std::lround(double(count) / n * 100) : 0));
}

bool TFxStringGrid::RemoveLastFilter()
{
    const int levels = FilterLevel();
    if (levels <= 0)
        return false;
    UnHideRowList();
    if (d->sort.FilterFixedRows >= 0 && d->sort.FilterFixedRows < RowCount())
        SetFixedRows(d->sort.FilterFixedRows);
    if (SelectionHidden())
        UnHideSelection();
    CalcFooter(-1);
    return levels > 1;
}

void TFxStringGrid::RemoveAllFilters()
{
    if (FilterLevel() > 0) {
        // Every level, whatever RemoveLastFilter answers for the last one.
        while (FilterLevel() > 0)
            RemoveLastFilter();
    } else {
        Filter().Clear();
    }
}

void TFxStringGrid::SetFilterActive(bool value)
{
    TFxGridSortState& s = d->sort;
    if (value != s.FilterActive) {
        s.FilterActive = value;
        if (value) {
            if (Row() >= RowCount() || Col() >= ColCount())
                FocusCell(FixedCols(), FixedRows());
            BeginUpdate();
            try {
                ApplyFilter();
            } catch (...) {
                EndUpdate();
                throw;
            }
            EndUpdate();
        } else {
            UnHideRowList();
            if (s.FilterFixedRows >= 0 && s.FilterFixedRows < RowCount())
                SetFixedRows(s.FilterFixedRows);
            if (SelectionHidden())
                UnHideSelection();
        }
        SetTopRow(FixedRows());
    }
    CalcFooter(-1);
}

void TFxStringGrid::NarrowDown(const QString& ACondition, int AColumn)
{
    TFxGridSortState& s = d->sort;
    SetFixedRowAlways(true);
    const auto narrow = [&] {
        Filter().Clear();
        TFilterData* f = Filter().Add();
        f->SetCaseSensitive(false);
        f->SetColumn(AColumn);
        if (AColumn == -1) {
            f->SetData(fcRow);
            f->SetCondition(ACondition);
        } else {
            f->SetData(fcNormal);
            QString condition = QLatin1Char('*') + ACondition + QLatin1Char('*');
            if (condition.contains(QLatin1Char(' ')))
                condition = QLatin1Char('"') + condition + QLatin1Char('"');
            f->SetCondition(condition);
        }
        ApplyFilter();
    };
    const QString& last = s.LastFilter;
    if (ACondition.size() == last.size() + 1 && ACondition.startsWith(last)) {
        narrow();
    } else if (!ACondition.isEmpty() && !last.isEmpty() && ACondition == last.left(last.size() - 1)) {
        RemoveLastFilter();
    } else {
        RemoveAllFilters();
        if (!ACondition.isEmpty())
            narrow();
    }
    // Rows hidden by HideRow or by a contracted node stay in the store:
    // only the filter levels were taken back above.
    s.LastFilter = ACondition;
}

// ---------------------------------------------------------------- the drop-down

void TFxStringGrid::DoFilterSelect(int ItemIndex)
{
    TFxGridSortState& s = d->sort;
    if (isVisible())
        setFocus();
    const int col = s.FilterCol;
    if (col >= 0 && col < ColCount() + NumHiddenColumns()) {
        DoGetColumnFilter(col);
        const TStringList& list = FilterList();
        if (ItemIndex >= 0 && ItemIndex < list.Count()) {
            QString friendly, condition;
            SplitFilterEntry(list.Strings(ItemIndex), friendly, condition);
            if (condition == FilterDropDownClear())
                condition.clear();
            if (AutoFilterUpdate())
                SetFilterActive(false);
            if (const auto& e = Events().OnFilterSelect)
                e(this, col, ItemIndex, friendly, condition);
            if (!condition.isEmpty())
                Filter().GetColFilter(col)->SetCondition(condition);
            else
                Filter().RemoveColumnFilter(col);
            if (AutoFilterUpdate()) {
                SetFixedRowAlways(true);
                SetFilterActive(true);
                if (RowCount() > FixedRows())
                    SetRow(FixedRows());
                DoFilterDone();
            }
        }
    }
    s.FilterCol = -1;
}

void TFxStringGrid::DoFilterCheck(int)
{
    TFxGridSortState& s = d->sort;
    const int col = s.FilterCol;
    if (col < 0 || col >= ColCount() + NumHiddenColumns())
        return;
    DoGetColumnFilter(col);
    const TStringList& list = FilterList();
    TDropCheckList& checks = DropCheckList();
    if (AutoFilterUpdate())
        SetFilterActive(false);
    // A check list stands for the whole filter: other columns' items go.
    Filter().Clear();
    for (int i = 0; i < list.Count() && i < checks.count(); ++i) {
        if (!checks.Checked(i))
            continue;
        QString friendly, condition;
        SplitFilterEntry(list.Strings(i), friendly, condition);
        if (condition == FilterDropDownClear())
            condition.clear();
        if (const auto& e = Events().OnFilterCheck)
            e(this, col, i, friendly, condition, &checks);
        const bool first = Filter().Count() == 0;
        TFilterData* f = Filter().Add();
        f->SetCondition(condition);
        f->SetColumn(col);
        f->SetOperation(first ? foNONE : foOR);
    }
    SetFilterActive(true);
    checks.viewport()->update();
}

void TFxStringGrid::DoFilterDone()
{
    if (const auto& e = Events().OnFilterDone)
        e(this);
}

bool TFxStringGrid::ShowFilterDropDown(int RealCol, const TRect& R)
{
    if (!DoGetColumnFilter(RealCol))
        return false;
    TFxGridSortState& s = d->sort;
    s.FilterCol = RealCol;
    const TStringList& entries = FilterList();
    const TFilterDropDown& look = FilterDropDown();
    QListWidget* list = nullptr;
    if (FilterDropDownCheck()) {
        TDropCheckList& checks = DropCheckList();
        checks.clear();
        for (int i = 0; i < entries.Count(); ++i) {
            QString friendly, value;
            SplitFilterEntry(entries.Strings(i), friendly, value);
            checks.addItem(friendly);
            bool on = false;
            for (int k = 0; k < Filter().Count(); ++k)
                if (Filter().Items(k)->Column() == RealCol && Filter().Items(k)->Condition() == value)
                    on = true;
            checks.SetChecked(i, on);
        }
        list = &checks;
    } else {
        TDropList& plain = DropList();
        plain.clear();
        for (int i = 0; i < entries.Count(); ++i) {
            QString friendly, value;
            SplitFilterEntry(entries.Strings(i), friendly, value);
            plain.addItem(friendly);
        }
        plain.setCurrentRow(0);
        list = &plain;
    }
    QPalette pal = list->palette();
    pal.setColor(QPalette::Base, ToQColor(look.Color()));
    list->setPalette(pal);
    list->setFont(look.Font().ToQFont());
    int w = look.Width(), h = look.Height();
    if (look.AutoSize()) {
        const int edge = 2 * list->frameWidth();
        w = list->sizeHintForColumn(0) + 8 + edge;
        h = list->count() * std::max(1, list->sizeHintForRow(0)) + edge;
    }
    int left = R.Right - 16;
    if (look.ColumnWidth()) {
        left = R.Left;
        w = R.Width();
    }
    const int clientRight = viewport()->width();
    if (left + w > clientRight)
        left = std::max(0, R.Right - w);
    list->setGeometry(left, R.Top + 16, w, h);
    list->show();
    list->raise();
    list->setFocus();
    return true;
}

// ---------------------------------------------------------------- header glyphs

TFxStringGrid::TFilterLook TFxStringGrid::FilterLook(int ACol) const
{
    const TFilterDropDown& dd = FilterDropDown();
    TFilterLook look;
    look.Glyph = &dd.Glyph();
    look.GlyphActive = &dd.GlyphActive();
    look.ColumnActive = d->sort.FilterActive && d->sort.Filter && d->sort.Filter->HasFilter(ACol);
    return look;
}
