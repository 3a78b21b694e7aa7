#pragma once
// Cell storage of the string grid: texts and object references by row and
// column. A row is a line of cells and the grid a line of rows; each line
// keeps the indices inside the grid (or close to what it already holds) in a
// vector and the few far ones (a value set far beyond the counts, which must
// survive shrinking and growing the grid) in an ordered map created only for
// them. So a full grid costs one QString per cell, an empty cell no heap
// allocation, object references a pointer per cell only in rows that have
// one, and moving or exchanging rows shifts row handles, never cells.
#include <QString>

#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace fw {

// Entries of one line by index; an entry equal to T{} counts as absent.
template <class T>
class TCellLine {
public:
    // Null when nothing is stored at `index`.
    const T* Find(int index) const;
    T* Find(int index) { return const_cast<T*>(std::as_const(*this).Find(index)); }
    // The entry at `index`, created when missing. Indices below `denseLimit`
    // go into the vector; so do those just past what it holds.
    T& At(int index, int denseLimit);
    void Clear(int index);
    void ClearRange(int first, int last);
    // Entries [first, last) turn round so that `middle` comes first (as
    // std::rotate); entries outside the span keep their index.
    void Rotate(int first, int middle, int last);
    void Swap(int a, int b);
    bool Empty() const;
    // Calls f(index, entry) for every stored entry, in no particular order.
    template <class F>
    void ForEach(F&& f);

private:
    // Brings [0, size) into the vector, taking over far entries below it.
    void Grow(int size);
    bool HoldsAnyIn(int first, int last) const;

    std::vector<T> FDense;
    std::unique_ptr<std::map<int, T>> FFar;
};

// The cells of one row.
struct TStoredRow {
    TCellLine<QString> FTexts;
    // Only rows that carry an object reference have this line.
    std::unique_ptr<TCellLine<void*>> FObjects;
};

class TGridCellStore {
public:
    // The grid's counts: cells inside them are stored densely.
    void SetExtent(int cols, int rows);

    QString Text(int c, int r) const;
    void* Object(int c, int r) const;
    // Both answer whether the stored value changed.
    bool SetText(int c, int r, const QString& value);
    bool SetObject(int c, int r, void* value);

    // Rows and columns turn round within [first, last) as TCellLine::Rotate.
    void RotateRows(int first, int middle, int last);
    void RotateColumns(int first, int middle, int last);
    void SwapRows(int a, int b);
    // Forgets the texts and objects of rows (columns) [first, last).
    void ClearRows(int first, int last);
    void ClearColumns(int first, int last);

private:
    TCellLine<TStoredRow> FRows;
    int FColCount = 0;
    int FRowCount = 0;
};

} // namespace fw
