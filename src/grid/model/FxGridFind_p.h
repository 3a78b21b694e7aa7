#pragma once
// State of the grid's find: the last hit, the options and the text of the
// last scan, the preset row and column.
#include "framework/Types.h"
#include "grid/model/FxFindScan.h"

#include <QString>

#include <optional>

struct TFxGridFindState {
    fw::TPoint SearchCell{-1, -1};
    TFindParams Params;
    // The last search text as compared (upper-cased unless matching case).
    QString SearchCache;
    std::optional<TFindMatcher> Matcher;
    int FindCol = 0;
    int FindRow = 0;
    bool FindBusy = false;
};
