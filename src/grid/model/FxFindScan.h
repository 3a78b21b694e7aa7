#pragma once
// The find engine's two parts that need no grid: the test of one cell text
// against the search text, and the walk over a rectangle of cells in the
// chosen order. Both are used by TFxStringGrid::Find (FxGridFind.cpp).
#include "framework/Types.h"

#include <QString>

#include <functional>

// The options of a search, one bit each in this order.
enum TFindParameters {
    fnMatchCase,
    fnMatchFull,
    fnMatchRegular,
    fnDirectionLeftRight,
    fnMatchStart,
    fnFindInCurrentRow,
    fnFindInCurrentCol,
    fnIncludeFixed,
    fnAutoGoto,
    fnIgnoreHTMLTags,
    fnBackward,
    fnIncludeHiddenColumns,
    fnFindInPresetCol,
    fnFindInPresetRow,
    fnSelectedCells,
    fnIncludeHiddenRows
};
using TFindParams = fw::TSet<TFindParameters, 16>;

// One search text under one set of options. The text is upper-cased once,
// here, unless the search matches case.
class TFindMatcher {
public:
    TFindMatcher(const QString& SearchText, TFindParams Params);
    // The search text as the cells are compared with it.
    const QString& SearchText() const { return FText; }
    // Whether a cell text is a hit. A filter expression that cannot be read
    // raises out of here.
    bool Matches(QString CellText) const;

private:
    QString FText;
    TFindParams FParams;
};

// The cells of a rectangle in scan order: row by row (across the columns of
// a row, then the next row) or column by column, forward or backward. One
// walk covers at most one full pass: it starts after a given cell and stops
// at the end of the rectangle, so a search continued from its last hit
// always ends.
class TFindScan {
public:
    TFindScan(int Left, int Top, int Right, int Bottom, bool RowByRow, bool Backward);
    // Visits the cells after Start in scan order (from the first cell when
    // Start is (-1, -1)) until Visit answers true; returns that cell, or
    // (-1, -1) when the walk reached the end. Start may lie outside the
    // rectangle: the walk goes on at the first cell that follows it.
    fw::TPoint Walk(fw::TPoint Start, const std::function<bool(int ACol, int ARow)>& Visit) const;
    bool Empty() const { return FLeft > FRight || FTop > FBottom; }

private:
    int FLeft, FTop, FRight, FBottom;
    bool FRowByRow, FBackward;
};
