#include "framework/GridCellStore_p.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace fw {

namespace {

bool IsEmptyEntry(const QString& text) { return text.isEmpty(); }
bool IsEmptyEntry(void* object) { return object == nullptr; }
bool IsEmptyEntry(const TStoredRow& row) { return row.FTexts.Empty() && (!row.FObjects || row.FObjects->Empty()); }

// Past the vector, an index this close to it still extends the vector, so a
// line filled in order grows geometrically instead of spilling into the map.
int NearLimit(std::size_t denseSize) { return int(std::min<std::size_t>(denseSize * 2 + 16, INT_MAX)); }

} // namespace

// ---------------------------------------------------------------- TCellLine

template <class T>
const T* TCellLine<T>::Find(int index) const
{
    if (index >= 0 && std::size_t(index) < FDense.size())
        return &FDense[std::size_t(index)];
    if (!FFar)
        return nullptr;
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
    FDense.reserve(std::size_t(size));
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
template <class F>
void TCellLine<T>::ForEach(F&& f)
{
    for (std::size_t i = 0; i < FDense.size(); ++i)
        f(int(i), FDense[i]);
    if (FFar)
        for (auto& [index, entry] : *FFar)
            f(index, entry);
}

template class TCellLine<QString>;
template class TCellLine<void*>;
template class TCellLine<TStoredRow>;

// ---------------------------------------------------------------- TGridCellStore

void TGridCellStore::SetExtent(int cols, int rows)
{
    FColCount = cols;
    FRowCount = rows;
}

QString TGridCellStore::Text(int c, int r) const
{
    if (const TStoredRow* row = FRows.Find(r))
        if (const QString* text = row->FTexts.Find(c))
            return *text;
    return {};
}

void* TGridCellStore::Object(int c, int r) const
{
    if (const TStoredRow* row = FRows.Find(r); row && row->FObjects)
        if (void* const* object = row->FObjects->Find(c))
            return *object;
    return nullptr;
}

bool TGridCellStore::SetText(int c, int r, const QString& value)
{
    TStoredRow* row = FRows.Find(r);
    QString* text = row ? row->FTexts.Find(c) : nullptr;
    if (!text) {
        // An empty text is what a missing cell reads already.
        if (value.isEmpty())
            return false;
        if (!row)
            row = &FRows.At(r, FRowCount);
        text = &row->FTexts.At(c, FColCount);
    }
    if (*text == value)
        return false;
    *text = value;
    return true;
}

bool TGridCellStore::SetObject(int c, int r, void* value)
{
    TStoredRow* row = FRows.Find(r);
    void** object = row && row->FObjects ? row->FObjects->Find(c) : nullptr;
    if (!object) {
        if (!value)
            return false;
        if (!row)
            row = &FRows.At(r, FRowCount);
        if (!row->FObjects)
            row->FObjects = std::make_unique<TCellLine<void*>>();
        object = &row->FObjects->At(c, FColCount);
    }
    if (*object == value)
        return false;
    *object = value;
    return true;
}

void TGridCellStore::RotateRows(int first, int middle, int last)
{
    FRows.Rotate(first, middle, last);
}

void TGridCellStore::RotateColumns(int first, int middle, int last)
{
    FRows.ForEach([&](int, TStoredRow& row) {
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
    FRows.ForEach([&](int, TStoredRow& row) {
        row.FTexts.ClearRange(first, last);
        if (row.FObjects)
            row.FObjects->ClearRange(first, last);
    });
}

} // namespace fw
