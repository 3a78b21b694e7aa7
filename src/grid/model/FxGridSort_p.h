#pragma once
// Private state of sorting, filtering and grouping (FxGridSort.cpp,
// FxGridFilter.cpp, FxGridGroup.cpp).
#include "grid/foundation/FxObj.h"
#include "grid/model/FxFilter.h"
#include "grid/model/FxFilterLists.h"
#include "grid/model/FxGrouping.h"
#include "grid/model/FxSortSettings.h"

#include <QPointer>
#include <QString>

#include <memory>
#include <vector>

struct TFxGridSortState {
    std::unique_ptr<TSortSettings> Settings;   // made on first use
    TSortIndexList Indexes;
    int SortDir = 1;     // +1 while an ascending column sort runs, -1 descending
    int SortRow = -1;    // where the current row's content has moved to

    std::unique_ptr<TFilter> Filter;               // made on first use
    std::unique_ptr<TFilterDropDown> DropDown;     // made on first use
    bool FilterActive = false;
    bool FilterDropDownCheck = false;
    int FilterFixedRows = -1;   // FixedRows when the filter was last applied
    int FilterCol = -1;         // column of the open drop-down
    QString LastFilter;         // the last NarrowDown text
    QPointer<TDropList> DropList;
    QPointer<TDropCheckList> DropCheckList;

    std::unique_ptr<TGrouping> Grouping;   // made on first use
    int GroupColumn = -1;      // the grouped column, -1 when not grouped
    int GroupWidth = 0;        // its width before it went
    QString GroupCaption;      // its text in row 0 (with fixed rows)
    QString GroupFooter;       // its text in the last row (with footer rows)
    bool IsGrouping = false;   // Group or UnGroup is rebuilding the rows
    std::vector<int> SubGroupColumns;   // sub-groups in the order they were made
};
