#include "grid/model/FxSelectionSets.h"

#include <algorithm>

void TFxFlagList::Grow(int count)
{
    if (count > Count())
        FFlags.resize(std::size_t(count), 0);
}

void TFxFlagList::SetFlag(int i, bool value)
{
    if (i < 0)
        return;
    Grow(i + 1);
    FFlags[std::size_t(i)] = value ? 1 : 0;
}

int TFxFlagList::CountSet(int limit) const
{
    const auto end = FFlags.begin() + std::max(0, std::min(limit, Count()));
    return int(std::count(FFlags.begin(), end, char(1)));
}

std::vector<int> TFxFlagList::SetIndices() const
{
    std::vector<int> r;
    for (int i = 0; i < Count(); ++i)
        if (FFlags[std::size_t(i)])
            r.push_back(i);
    return r;
}

void TFxFlagList::Insert(int at, int count)
{
    if (at < 0 || count <= 0 || at >= Count())
        return;
    FFlags.insert(FFlags.begin() + at, std::size_t(count), 0);
}

void TFxFlagList::Remove(int at, int count)
{
    if (at < 0 || count <= 0 || at >= Count())
        return;
    FFlags.erase(FFlags.begin() + at, FFlags.begin() + std::min(Count(), at + count));
}

void TFxFlagList::Exchange(int i, int j)
{
    if (i < 0 || j < 0)
        return;
    Grow(std::max(i, j) + 1);
    std::swap(FFlags[std::size_t(i)], FFlags[std::size_t(j)]);
}

bool TFxSelectedRows::Contains(int row) const
{
    return std::find(FRows.begin(), FRows.end(), row) != FRows.end();
}

void TFxSelectedRows::Add(int row)
{
    if (!Contains(row))
        FRows.push_back(row);
}

void TFxSelectedRows::Remove(int row)
{
    const auto it = std::find(FRows.begin(), FRows.end(), row);
    if (it != FRows.end())
        FRows.erase(it);
}

bool TFxSelectedCells::Add(int col, int row)
{
    if (!FKeys.insert(Key(col, row)).second)
        return false;
    FCells.push_back({col, row});
    return true;
}

bool TFxSelectedCells::Remove(int col, int row)
{
    if (FKeys.erase(Key(col, row)) == 0)
        return false;
    FCells.erase(std::find(FCells.begin(), FCells.end(), TFxCellKey{col, row}));
    return true;
}

void TFxSelectedCells::Clear()
{
    FCells.clear();
    FKeys.clear();
}
