#pragma once
// Rows set aside by hiding, filtering and contracted nodes, kept outside the
// cell storage with their cells, height and real index, ordered by that
// index so that every question about them costs O(log h).
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class TCellProperties;

// One cell of a hidden row: its text and its object slot (the cell's
// properties, which stay alive and registered with the grid).
struct THiddenCell {
    QString Text;
    TCellProperties* Object = nullptr;
};

// One hidden row. Level is the filter level that hid it, or -1 for a row
// hidden by other means, so that undoing a filter level never takes rows
// the filter did not hide.
class TGridItem {
public:
    TGridItem() = default;
    TGridItem(int idx, int height, std::vector<THiddenCell> cells, int level = -1)
        : FIdx(idx), FHeight(height), FLevel(level), FItems(std::move(cells))
    {
    }

    int Idx() const { return FIdx; }
    void SetIdx(int value) { FIdx = value; }
    int Height() const { return FHeight; }
    void SetHeight(int value) { FHeight = value; }
    int Level() const { return FLevel; }
    void SetLevel(int value) { FLevel = value; }
    bool HiddenByFilter() const { return FLevel >= 0; }

    // The row's cells by real column.
    std::vector<THiddenCell>& Items() { return FItems; }
    const std::vector<THiddenCell>& Items() const { return FItems; }
    // Text at real column c; empty beyond the stored cells.
    QString Text(int c) const;
    // Extends the stored cells with empty ones until column c exists.
    THiddenCell& Cell(int c);
    // The text the row had in the group column while the grid is grouped
    // (the column is gone meanwhile); ungrouping writes it back.
    std::optional<QString>& GroupText() { return FGroupText; }

private:
    int FIdx = 0;
    int FHeight = 0;
    int FLevel = -1;
    std::vector<THiddenCell> FItems;
    std::optional<QString> FGroupText;
};

using TGridItemPtr = std::unique_ptr<TGridItem>;

class THiddenRowStore {
public:
    int Count() const { return int(FItems.size()); }
    bool Empty() const { return FItems.empty(); }
    // Items in ascending real index.
    TGridItem& Item(int i) const { return *FItems[std::size_t(i)]; }

    bool IsHidden(int realRow) const;
    TGridItem* Find(int realRow) const;
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
    bool Add(TGridItemPtr& item);
    // Adds items whose real indices are not hidden yet, in one pass.
    void AddMany(std::vector<TGridItemPtr> items);
    TGridItemPtr Take(int realRow);
    std::vector<TGridItemPtr> TakeAll();
    // Takes the rows of one filter level (ascending real index).
    std::vector<TGridItemPtr> TakeLevel(int level);
    // Takes the hidden rows of [fromReal, toReal].
    std::vector<TGridItemPtr> TakeRange(int fromReal, int toReal);
    void Clear() { FItems.clear(); }

    // Real rows were inserted (delta > 0) or removed (delta < 0) at fromReal:
    // hidden rows from there on move with them. Removed hidden rows inside
    // [fromReal, fromReal - delta) are not touched here; take them first.
    void Shift(int fromReal, int delta);

    // Filter levels applied and not yet undone.
    int FilterLevel() const { return FFilterLevel; }
    void SetFilterLevel(int value) { FFilterLevel = value; }

private:
    std::vector<TGridItemPtr>::const_iterator LowerBound(int realRow) const;
    std::vector<TGridItemPtr> FItems;
    int FFilterLevel = 0;
};
