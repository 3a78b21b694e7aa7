#pragma once
// Rows set aside by hiding, filtering and contracted nodes, kept outside the
// cell storage with their cells, height and real index, ordered by that
// index so that every question about them costs O(log h).
#include "framework/GridRowCells.h"

#include <QString>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

class TCellProperties;

// One hidden row: the row's own cells, taken out of the grid's storage as
// one handle (texts and object slots; the cells' properties stay alive and
// registered with the grid). Level is the filter level that hid it, or -1
// for a row hidden by other means, so that undoing a filter level never
// takes rows the filter did not hide.
class TGridItem {
public:
    TGridItem() = default;
    // cellCount: the real columns the row has (the grid's storage columns).
    TGridItem(int idx, int height, fw::TGridRowCells cells, int cellCount, int level = -1)
        : FIdx(idx), FHeight(height), FLevel(level), FCount(cellCount), FCells(std::move(cells))
    {
    }

    int Idx() const { return FIdx; }
    void SetIdx(int value) { FIdx = value; }
    int Height() const { return FHeight; }
    void SetHeight(int value) { FHeight = value; }
    int Level() const { return FLevel; }
    void SetLevel(int value) { FLevel = value; }
    bool HiddenByFilter() const { return FLevel >= 0; }

    // Real columns the row has; writing a cell past them extends the row.
    int CellCount() const { return FCount; }
    // Text and properties at real column c; empty / null outside the row.
    QString Text(int c) const;
    TCellProperties* Object(int c) const;
    void SetText(int c, const QString& value);
    void SetObject(int c, TCellProperties* value);
    // Real columns were inserted (delta > 0) or removed (delta < 0) at `at`;
    // a row whose cells end before `at` is left alone.
    void ShiftCells(int at, int delta);
    // The cell of column `from` moves to `to`, those between close up; the
    // row is extended to both columns first.
    void MoveCell(int from, int to);
    void ClearTexts() { FCells.ClearTexts(); }
    // Calls f(column, properties) for every properties object of the row.
    template <class F>
    void ForEachObject(F&& f)
    {
        FCells.ForEachObject([&](int c, void* p) {
            if (c < FCount)
                f(c, static_cast<TCellProperties*>(p));
        });
    }
    // The cells as stored, for putting the row back.
    fw::TGridRowCells& Cells() { return FCells; }
    // The text the row had in the group column while the grid is grouped
    // (the column is gone meanwhile); ungrouping writes it back. Null while
    // the grid is not grouped (kept out of line: few rows ever have one).
    const QString* GroupText() const { return FGroupText.get(); }
    void SetGroupText(const QString& value) { FGroupText = std::make_unique<QString>(value); }
    void ClearGroupText() { FGroupText.reset(); }

private:
    void Extend(int c) { FCount = std::max(FCount, c + 1); }

    int FIdx = 0;
    int FHeight = 0;
    int FLevel = -1;
    int FCount = 0;
    fw::TGridRowCells FCells;
    std::unique_ptr<QString> FGroupText;
};

// Items are kept by value, in one vector: a pointer or reference to an
// item holds until the store next gains or loses an item.
class THiddenRowStore {
public:
    int Count() const { return int(FItems.size()); }
    bool Empty() const { return FItems.empty(); }
    // Items in ascending real index.
    TGridItem& Item(int i) { return FItems[std::size_t(i)]; }
    const TGridItem& Item(int i) const { return FItems[std::size_t(i)]; }

    bool IsHidden(int realRow) const;
    TGridItem* Find(int realRow);
    const TGridItem* Find(int realRow) const;
    // Hidden rows whose real index lies below realRow.
    int CountBelow(int realRow) const;
    // Display position of a real row (for a hidden one, the position it
    // would take when shown).
    int RealToDispl(int realRow) const { return realRow - CountBelow(realRow); }
    // Real index of a display row; rows past the last one keep counting as
    // shown; -1 for a negative row.
    int DisplToReal(int displRow) const;
    std::vector<int> RealIndices() const;

    // Adds an item at its place by real index; an item for an index that is
    // already hidden is refused (false) and left with the caller.
    bool Add(TGridItem& item);
    // Adds items whose real indices are not hidden yet, in one pass.
    void AddMany(std::vector<TGridItem> items);
    std::optional<TGridItem> Take(int realRow);
    std::vector<TGridItem> TakeAll();
    // Takes the rows of one filter level (ascending real index).
    std::vector<TGridItem> TakeLevel(int level);
    // Takes the hidden rows of [fromReal, toReal].
    std::vector<TGridItem> TakeRange(int fromReal, int toReal);
    void Clear() { FItems.clear(); }

    // Real rows were inserted (delta > 0) or removed (delta < 0) at fromReal:
    // hidden rows from there on move with them. Removed hidden rows inside
    // [fromReal, fromReal - delta) are not touched here; take them first.
    void Shift(int fromReal, int delta);

    // Filter levels applied and not yet undone.
    int FilterLevel() const { return FFilterLevel; }
    void SetFilterLevel(int value) { FFilterLevel = value; }

private:
    std::vector<TGridItem>::const_iterator LowerBound(int realRow) const;
    std::vector<TGridItem> FItems;
    int FFilterLevel = 0;
};
