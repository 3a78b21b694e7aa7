#include "framework/GridCellStore_p.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace fw {

namespace {

bool IsEmptyEntry(const QString& text) { return text.isEmpty(); }
bool IsEmptyEntry(void* object) { return object == nullptr; }
bool IsEmptyEntry(const TGridRowCells& row) { return row.Empty(); }

// Past the vector, an index this close to it still extends the vector, so a
// line filled in order grows geometrically instead of spilling into the map.
int NearLimit(std::size_t denseSize) { return int(std::min<std::size_t>(denseSize * 2 + 16, INT_MAX)); }

} // namespace

// ---------------------------------------------------------------- TCellLine

template <class T>
const T* TCellLine<T>::FindFar(int index) const
{
    const auto it = FFar->find(index);
    return it == FFar->end() ? nullptr : &it->second;
}

template <class T>
T& TCellLine<T>::At(int index, int denseLimit)
{
    if (std::size_t(index) < FDense.size())
        return FDense[std::size_t(index)];
    if (index < denseLimit || index < NearLimit(FDense.size())) {
        // Sized to the grid at once when it is small, else doubling, and
        // never past the grid unless the index itself is.
        const std::size_t doubled = std::max<std::size_t>(FDense.size() * 2, 16);
        std::size_t size = std::max<std::size_t>(std::size_t(index) + 1,
                                                 std::min<std::size_t>(doubled, std::size_t(std::max(denseLimit, 0))));
        Grow(int(size));
        return FDense[std::size_t(index)];
    }
    if (!FFar)
        FFar = std::make_unique<std::map<int, T>>();
    return (*FFar)[index];
}

template <class T>
void TCellLine<T>::Grow(int size)
{
    if (std::size_t(size) <= FDense.size())
        return;
    const std::size_t old = FDense.size();
    // The vector holds exactly the entries asked for, but its room doubles:
    // a line that follows a count raised step by step (a loader adding a
    // thousand rows at a time) moves its entries a logarithmic number of
    // times, not once per step.
    if (std::size_t(size) > FDense.capacity())
        FDense.reserve(std::max(std::size_t(size), FDense.capacity() * 2));
    FDense.resize(std::size_t(size));
    if (!FFar)
        return;
    auto it = FFar->lower_bound(int(old));
    while (it != FFar->end() && it->first < size) {
        FDense[std::size_t(it->first)] = std::move(it->second);
        it = FFar->erase(it);
    }
    if (FFar->empty())
        FFar.reset();
}

template <class T>
void TCellLine<T>::Clear(int index)
{
    if (index >= 0 && std::size_t(index) < FDense.size()) {
        FDense[std::size_t(index)] = T{};
    } else if (FFar) {
        FFar->erase(index);
        if (FFar->empty())
            FFar.reset();
    }
}

template <class T>
void TCellLine<T>::ClearRange(int first, int last)
{
    const int denseEnd = std::min(last, int(FDense.size()));
    for (int i = std::max(first, 0); i < denseEnd; ++i)
        FDense[std::size_t(i)] = T{};
    if (FFar) {
        FFar->erase(FFar->lower_bound(first), FFar->lower_bound(last));
        if (FFar->empty())
            FFar.reset();
    }
}

template <class T>
bool TCellLine<T>::HoldsAnyIn(int first, int last) const
{
    if (first < int(FDense.size()))
        return true;
    return FFar && FFar->lower_bound(first) != FFar->lower_bound(last);
}

template <class T>
void TCellLine<T>::Rotate(int first, int middle, int last)
{
    if (first >= middle || middle >= last || !HoldsAnyIn(first, last))
        return;
    Grow(last);
    std::rotate(FDense.begin() + first, FDense.begin() + middle, FDense.begin() + last);
}

template <class T>
void TCellLine<T>::Swap(int a, int b)
{
    if (a == b || (!HoldsAnyIn(a, a + 1) && !HoldsAnyIn(b, b + 1)))
        return;
    Grow(std::max(a, b) + 1);
    std::swap(FDense[std::size_t(a)], FDense[std::size_t(b)]);
}

template <class T>
bool TCellLine<T>::Empty() const
{
    return !FFar && std::all_of(FDense.begin(), FDense.end(), [](const T& e) { return IsEmptyEntry(e); });
}

template <class T>
void TCellLine<T>::Shift(int at, int delta)
{
    if (delta == 0 || at < 0)
        return;
    if (std::size_t(at) < FDense.size()) {
        if (delta < 0)
            FDense.erase(FDense.begin() + at,
                         FDense.begin() + std::ptrdiff_t(std::min(FDense.size(), std::size_t(at) + std::size_t(-delta))));
        else {
            // Appended empty entries come round to `at` (entries need not copy).
            FDense.resize(FDense.size() + std::size_t(delta));
            std::rotate(FDense.begin() + at, FDense.end() - delta, FDense.end());
        }
    }
    if (!FFar)
        return;
    // Far entries lie past the vector, before and after the shift alike.
    std::map<int, T> moved;
    for (auto it = FFar->lower_bound(at); it != FFar->end(); it = FFar->erase(it))
        if (delta > 0 || it->first >= at - delta)
            moved.emplace(it->first + delta, std::move(it->second));
    FFar->merge(moved);
    if (FFar->empty())
        FFar.reset();
}

template <class T>
void TCellLine<T>::CloseUp(const std::vector<int>& removed, int end, const std::function<void(std::size_t, T&)>& take)
{
    if (removed.empty())
        return;
    const int first = removed.front();
    if (!HoldsAnyIn(first, end)) {
        T empty{};
        for (std::size_t i = 0; i < removed.size(); ++i)
            take(i, empty);
        return;
    }
    Grow(end);
    std::size_t next = 0;
    int w = first;
    for (int r = first; r < end; ++r) {
        T& entry = FDense[std::size_t(r)];
        if (next < removed.size() && removed[next] == r) {
            take(next, entry);
            entry = T{};
            ++next;
            continue;
        }
        if (w != r)
            FDense[std::size_t(w)] = std::move(entry);
        ++w;
    }
    // Everything from w on was moved down or taken.
    for (int r = w; r < end; ++r)
        FDense[std::size_t(r)] = T{};
}

template <class T>
void TCellLine<T>::OpenUp(std::vector<std::pair<int, T>>& inserted, int newEnd)
{
    if (inserted.empty())
        return;
    Grow(newEnd);
    // From the bottom: a place takes its new entry when its position has
    // come, else the next old entry from above; once the new ones are all
    // placed, the rest are where they were.
    std::size_t k = inserted.size();
    int source = newEnd - int(k) - 1;
    for (int t = newEnd - 1; t >= 0 && k > 0; --t) {
        if (inserted[k - 1].first == t) {
            FDense[std::size_t(t)] = std::move(inserted[k - 1].second);
            --k;
        } else {
            FDense[std::size_t(t)] = std::move(FDense[std::size_t(source)]);
            --source;
        }
    }
}

template class TCellLine<QString>;
template class TCellLine<void*>;
template class TCellLine<TGridRowCells>;

// ---------------------------------------------------------------- TGridRowCells

bool TGridRowCells::AddText(int c, const QString& value, int denseLimit)
{
    // An empty text is what a missing cell reads already.
    if (value.isEmpty())
        return false;
    FTexts.At(c, denseLimit) = value;
    return true;
}

void* TGridRowCells::Object(int c) const
{
    if (!FObjects)
        return nullptr;
    void* const* object = FObjects->Find(c);
    return object ? *object : nullptr;
}

bool TGridRowCells::SetObject(int c, void* value, int denseLimit)
{
    void** object = FObjects ? FObjects->Find(c) : nullptr;
    if (!object) {
        if (!value)
            return false;
        if (!FObjects)
            FObjects = std::make_unique<TCellLine<void*>>();
        object = &FObjects->At(c, denseLimit);
    }
    if (*object == value)
        return false;
    *object = value;
    return true;
}

void TGridRowCells::ShiftColumns(int at, int delta)
{
    FTexts.Shift(at, delta);
    if (FObjects)
        FObjects->Shift(at, delta);
}

void TGridRowCells::MoveColumn(int from, int to)
{
    if (from == to || from < 0 || to < 0)
        return;
    const int first = std::min(from, to);
    const int last = std::max(from, to) + 1;
    const int middle = from < to ? first + 1 : last - 1;
    FTexts.Rotate(first, middle, last);
    if (FObjects)
        FObjects->Rotate(first, middle, last);
}

void TGridRowCells::ClearTexts()
{
    FTexts = TCellLine<QString>();
}

// ---------------------------------------------------------------- TGridCellStore

void TGridCellStore::SetExtent(int cols, int rows)
{
    FColCount = cols;
    FRowCount = rows;
}


void* TGridCellStore::Object(int c, int r) const
{
    const TGridRowCells* row = FRows.Find(r);
    return row ? row->Object(c) : nullptr;
}

bool TGridCellStore::AddRowText(int c, int r, const QString& value)
{
    if (value.isEmpty())
        return false;
    return FRows.At(r, FRowCount).SetText(c, value, FColCount);
}

bool TGridCellStore::SetObject(int c, int r, void* value)
{
    TGridRowCells* row = FRows.Find(r);
    if (!row) {
        if (!value)
            return false;
        row = &FRows.At(r, FRowCount);
    }
    return row->SetObject(c, value, FColCount);
}

bool TGridCellStore::RowHasObjects(int r) const
{
    const TGridRowCells* row = FRows.Find(r);
    return row && row->FObjects;
}

void TGridCellStore::TakeRows(const std::vector<int>& rows, int end,
                              const std::function<void(std::size_t, TGridRowCells&)>& take)
{
    FRows.CloseUp(rows, end, take);
}

void TGridCellStore::PutRows(std::vector<std::pair<int, TGridRowCells>>& rows, int newEnd)
{
    FRows.OpenUp(rows, newEnd);
}

void TGridCellStore::RotateRows(int first, int middle, int last)
{
    FRows.Rotate(first, middle, last);
}

void TGridCellStore::RotateColumns(int first, int middle, int last)
{
    FRows.ForEach([&](int, TGridRowCells& row) {
        row.FTexts.Rotate(first, middle, last);
        if (row.FObjects)
            row.FObjects->Rotate(first, middle, last);
    });
}

void TGridCellStore::SwapRows(int a, int b)
{
    FRows.Swap(a, b);
}

void TGridCellStore::ClearRows(int first, int last)
{
    FRows.ClearRange(first, last);
}

void TGridCellStore::ClearColumns(int first, int last)
{
    FRows.ForEach([&](int, TGridRowCells& row) {
        row.FTexts.ClearRange(first, last);
        if (row.FObjects)
            row.FObjects->ClearRange(first, last);
    });
}

void TGridCellStore::ClearTexts(int c1, int r1, int c2, int r2)
{
    FRows.ForEach([&](int r, TGridRowCells& row) {
        if (r >= r1 && r < r2)
            row.FTexts.ClearRange(c1, c2);
    });
}

} // namespace fw
