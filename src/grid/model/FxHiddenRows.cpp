// The hidden-row store: a vector of items sorted by real index.
#include "grid/model/FxHiddenRows.h"

#include <algorithm>
#include <utility>

QString TGridItem::Text(int c) const
{
    return c >= 0 && c < int(FItems.size()) ? FItems[std::size_t(c)].Text : QString();
}

THiddenCell& TGridItem::Cell(int c)
{
    if (c >= int(FItems.size()))
        FItems.resize(std::size_t(c) + 1);
    return FItems[std::size_t(c)];
}

std::vector<TGridItemPtr>::const_iterator THiddenRowStore::LowerBound(int realRow) const
{
    return std::lower_bound(FItems.begin(), FItems.end(), realRow,
                            [](const TGridItemPtr& item, int r) { return item->Idx() < r; });
}

bool THiddenRowStore::IsHidden(int realRow) const
{
    return Find(realRow) != nullptr;
}

TGridItem* THiddenRowStore::Find(int realRow) const
{
    const auto it = LowerBound(realRow);
    return it != FItems.end() && (*it)->Idx() == realRow ? it->get() : nullptr;
}

int THiddenRowStore::CountBelow(int realRow) const
{
    return int(LowerBound(realRow) - FItems.begin());
}

int THiddenRowStore::DisplToReal(int displRow) const
{
    if (displRow < 0)
        return -1;
    // Item i lies below the shown row d exactly when Idx - i <= d (the shown
    // rows before it number Idx - i), and Idx - i never decreases with i.
    std::size_t lo = 0, hi = FItems.size();
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        if (FItems[mid]->Idx() - int(mid) <= displRow)
            lo = mid + 1;
        else
            hi = mid;
    }
    return displRow + int(lo);
}

std::vector<int> THiddenRowStore::RealIndices() const
{
    std::vector<int> r;
    r.reserve(FItems.size());
    for (const auto& item : FItems)
        r.push_back(item->Idx());
    return r;
}

bool THiddenRowStore::Add(TGridItemPtr& item)
{
    const auto it = LowerBound(item->Idx());
    if (it != FItems.end() && (*it)->Idx() == item->Idx())
        return false;
    FItems.insert(it, std::move(item));
    return true;
}

void THiddenRowStore::AddMany(std::vector<TGridItemPtr> items)
{
    auto byIdx = [](const TGridItemPtr& a, const TGridItemPtr& b) { return a->Idx() < b->Idx(); };
    if (!std::is_sorted(items.begin(), items.end(), byIdx))
        std::sort(items.begin(), items.end(), byIdx);
    const std::size_t old = FItems.size();
    for (auto& item : items) {
        const auto end = FItems.begin() + std::ptrdiff_t(old);
        const auto it = std::lower_bound(FItems.begin(), end, item->Idx(),
                                         [](const TGridItemPtr& a, int r) { return a->Idx() < r; });
        if (it == end || (*it)->Idx() != item->Idx())
            FItems.push_back(std::move(item));
    }
    std::inplace_merge(FItems.begin(), FItems.begin() + std::ptrdiff_t(old), FItems.end(), byIdx);
    // Two new items for one row: keep the first.
    FItems.erase(std::unique(FItems.begin(), FItems.end(),
                             [](const TGridItemPtr& a, const TGridItemPtr& b) { return a->Idx() == b->Idx(); }),
                 FItems.end());
}

TGridItemPtr THiddenRowStore::Take(int realRow)
{
    const auto it = LowerBound(realRow);
    if (it == FItems.end() || (*it)->Idx() != realRow)
        return nullptr;
    TGridItemPtr item = std::move(FItems[std::size_t(it - FItems.begin())]);
    FItems.erase(it);
    return item;
}

std::vector<TGridItemPtr> THiddenRowStore::TakeAll()
{
    return std::exchange(FItems, {});
}

std::vector<TGridItemPtr> THiddenRowStore::TakeLevel(int level)
{
    std::vector<TGridItemPtr> taken, kept;
    for (auto& item : FItems)
        (item->Level() == level ? taken : kept).push_back(std::move(item));
    FItems = std::move(kept);
    return taken;
}

std::vector<TGridItemPtr> THiddenRowStore::TakeRange(int fromReal, int toReal)
{
    const auto first = LowerBound(fromReal);
    const auto last = LowerBound(toReal + 1);
    if (first >= last)
        return {};
    std::vector<TGridItemPtr> taken;
    for (auto it = first; it != last; ++it)
        taken.push_back(std::move(FItems[std::size_t(it - FItems.begin())]));
    FItems.erase(first, last);
    return taken;
}

void THiddenRowStore::Shift(int fromReal, int delta)
{
    for (auto it = LowerBound(fromReal); it != FItems.end(); ++it)
        (*it)->SetIdx((*it)->Idx() + delta);
}
