#pragma once
// The cells of one string-grid row: texts and object references by column.
// A line keeps the indices inside the grid (or close to what it already
// holds) in a vector and the few far ones (a value set far beyond the counts,
// which must survive shrinking and growing the grid) in an ordered map made
// only for them. So a full row costs one QString per cell, an empty cell no
// heap allocation, object references a pointer per cell only in rows that
// have one. A row taken out of a grid (hidden, set aside) travels as one
// handle: moving it never copies a cell.
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace fw {

// Entries of one line by index; an entry equal to T{} counts as absent.
template <class T>
class TCellLine {
public:
    // Null when nothing is stored at `index`. Every cell read passes here:
    // the dense case is inline, the far entries are looked up out of line.
    const T* Find(int index) const
    {
        if (std::size_t(index) < FDense.size())
            return &FDense[std::size_t(index)];
        return FFar ? FindFar(index) : nullptr;
    }
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
    // Entries from `at` on move by `delta`; with delta < 0 those in
    // [at, at - delta) are dropped first.
    void Shift(int at, int delta);
    // Takes the listed entries (ascending, unique, below `end`) out, handing
    // each to take(i, entry) in list order (i its place in the list) to move
    // from; the entries between them close up, so that [end - n, end) is
    // left empty. Entries from `end` on keep their index.
    void CloseUp(const std::vector<int>& removed, int end, const std::function<void(std::size_t, T&)>& take);
    // The inverse: each (position, entry) pair (ascending, unique positions
    // below `newEnd`) takes its position and the entries of [0, newEnd - n)
    // spread over the rest in order. Entries from `newEnd` on keep their index.
    void OpenUp(std::vector<std::pair<int, T>>& inserted, int newEnd);
    bool Empty() const;
    // Calls f(index, entry) for every stored entry, in no particular order.
    template <class F>
    void ForEach(F&& f)
    {
        for (std::size_t i = 0; i < FDense.size(); ++i)
            f(int(i), FDense[i]);
        if (FFar)
            for (auto& [index, entry] : *FFar)
                f(index, entry);
    }

private:
    const T* FindFar(int index) const;
    // Brings [0, size) into the vector, taking over far entries below it.
    void Grow(int size);
    bool HoldsAnyIn(int first, int last) const;

    std::vector<T> FDense;
    std::unique_ptr<std::map<int, T>> FFar;
};

// The cells of one row.
class TGridRowCells {
public:
    QString Text(int c) const
    {
        const QString* text = FTexts.Find(c);
        return text ? *text : QString();
    }
    const QString* FindText(int c) const { return FTexts.Find(c); }
    // Both answer whether the stored value changed; `denseLimit` is the
    // column count the row is kept dense up to.
    bool SetText(int c, const QString& value, int denseLimit = 0)
    {
        // A cell the row holds already is written in place.
        if (QString* text = FTexts.Find(c)) {
            if (*text == value)
                return false;
            *text = value;
            return true;
        }
        return AddText(c, value, denseLimit);
    }
    void* Object(int c) const;
    bool SetObject(int c, void* value, int denseLimit = 0);
    // Cells from column `at` on move by `delta` (delta < 0 drops the cells
    // of [at, at - delta) first).
    void ShiftColumns(int at, int delta);
    // One cell leaves column `from` and the cells between close up behind it.
    void MoveColumn(int from, int to);
    void ClearTexts();
    bool HasObjects() const { return FObjects && !FObjects->Empty(); }
    bool Empty() const { return FTexts.Empty() && !HasObjects(); }
    // Calls f(column, object) for every object reference the row holds.
    template <class F>
    void ForEachObject(F&& f)
    {
        if (FObjects)
            FObjects->ForEach([&](int c, void* p) {
                if (p)
                    f(c, p);
            });
    }

private:
    friend class TGridCellStore;
    bool AddText(int c, const QString& value, int denseLimit);
    TCellLine<QString> FTexts;
    // Only rows that carry an object reference have this line.
    std::unique_ptr<TCellLine<void*>> FObjects;
};

} // namespace fw
