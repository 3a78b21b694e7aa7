#pragma once
// The grid's disjunct selections and per-row flags as small value classes:
// a 0/1 flag list that grows on demand, the ordered list of selected rows
// and the set of selected cells.
#include <QtGlobal>

#include <cstdint>
#include <unordered_set>
#include <vector>

// Flags by index (a row or a column). The list has a length of its own:
// reading or writing past it first grows it with cleared flags, and callers
// report that length (the number of columns ever asked about).
class TFxFlagList {
public:
    int Count() const { return int(FFlags.size()); }
    bool Flag(int i) const { return i >= 0 && i < Count() && FFlags[std::size_t(i)] != 0; }
    void Grow(int count);
    void SetFlag(int i, bool value);
    // Set flags among the first `limit` entries.
    int CountSet(int limit) const;
    int CountSet() const { return CountSet(Count()); }
    std::vector<int> SetIndices() const;
    void Clear() { FFlags.clear(); }
    // Structure edits: entries open at `at` (cleared) or close there.
    void Insert(int at, int count);
    void Remove(int at, int count);
    void Exchange(int i, int j);

private:
    std::vector<char> FFlags;
};

// Rows in the order they were selected, each once.
class TFxSelectedRows {
public:
    int Count() const { return int(FRows.size()); }
    int Item(int i) const { return i >= 0 && i < Count() ? FRows[std::size_t(i)] : -1; }
    bool Contains(int row) const;
    void Add(int row);      // nothing when listed
    void Remove(int row);   // nothing when not listed
    void Clear() { FRows.clear(); }
    const std::vector<int>& Rows() const { return FRows; }

private:
    std::vector<int> FRows;
};

// A cell of the disjunct cell selection.
struct TFxCellKey {
    int Col = 0;
    int Row = 0;
    friend bool operator==(const TFxCellKey&, const TFxCellKey&) = default;
};

// Selected cells in the order they were added, with a 64-bit key per cell so
// that no row or column number can overflow into another cell.
class TFxSelectedCells {
public:
    int Count() const { return int(FCells.size()); }
    TFxCellKey Item(int i) const { return FCells[std::size_t(i)]; }
    bool Contains(int col, int row) const { return FKeys.count(Key(col, row)) != 0; }
    bool Add(int col, int row);      // false when listed already
    bool Remove(int col, int row);   // false when not listed
    void Clear();
    static std::uint64_t Key(int col, int row)
    {
        return (std::uint64_t(std::uint32_t(row)) << 32) | std::uint32_t(col);
    }

private:
    std::vector<TFxCellKey> FCells;
    std::unordered_set<std::uint64_t> FKeys;
};
