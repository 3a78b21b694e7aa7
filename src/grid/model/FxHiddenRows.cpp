// The hidden-row store: a vector of items sorted by real index.
#include "grid/model/FxHiddenRows.h"

#include <algorithm>
#include <utility>

QString TGridItem::Text(int c) const
{
    return c >= 0 && c < FCount ? FCells.Text(c) : QString();
}

TCellProperties* TGridItem::Object(int c) const
{
    return c >= 0 && c < FCount ? static_cast<TCellProperties*>(FCells.Object(c)) : nullptr;
}

void TGridItem::SetText(int c, const QString& value)
{
    if (c < 0)
        return;
    Extend(c);
    FCells.SetText(c, value, FCount);
}

void TGridItem::SetObject(int c, TCellProperties* value)
{
    if (c < 0)
        return;
    Extend(c);
    FCells.SetObject(c, value, FCount);
}

void TGridItem::ShiftCells(int at, int delta)
{
    if (at < 0 || FCount <= at || delta == 0)
        return;
    FCells.ShiftColumns(at, delta);
    FCount = delta < 0 ? FCount - std::min(FCount - at, -delta) : FCount + delta;
}

void TGridItem::MoveCell(int from, int to)
{
    if (from < 0 || to < 0 || from == to)
        return;
    Extend(std::max(from, to));
    FCells.MoveColumn(from, to);
}

std::vector<TGridItem>::const_iterator THiddenRowStore::LowerBound(int realRow) const
{
    return std::lower_bound(FItems.begin(), FItems.end(), realRow,
                            [](const TGridItem& item, int r) { return item.Idx() < r; });
}

bool THiddenRowStore::IsHidden(int realRow) const
{
    return Find(realRow) != nullptr;
}

const TGridItem* THiddenRowStore::Find(int realRow) const
{
    const auto it = LowerBound(realRow);
    return it != FItems.end() && it->Idx() == realRow ? &*it : nullptr;
}

TGridItem* THiddenRowStore::Find(int realRow)
{
    return const_cast<TGridItem*>(std::as_const(*this).Find(realRow));
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
        if (FItems[mid].Idx() - int(mid) <= displRow)
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
        r.push_back(item.Idx());
    return r;
}

bool THiddenRowStore::Add(TGridItem& item)
{
    const auto it = LowerBound(item.Idx());
    if (it != FItems.end() && it->Idx() == item.Idx())
        return false;
    FItems.insert(it, std::move(item));
    return true;
}

void THiddenRowStore::AddMany(std::vector<TGridItem> items)
{
    auto byIdx = [](const TGridItem& a, const TGridItem& b) { return a.Idx() < b.Idx(); };
    if (!std::is_sorted(items.begin(), items.end(), byIdx))
        std::stable_sort(items.begin(), items.end(), byIdx);
    // Two new items for one row: keep the first.
    items.erase(std::unique(items.begin(), items.end(),
                            [](const TGridItem& a, const TGridItem& b) { return a.Idx() == b.Idx(); }),
                items.end());
    if (FItems.empty()) {
        FItems = std::move(items);
        return;
    }
    // One merge into a new vector; a row already hidden keeps its item.
    std::vector<TGridItem> merged;
    merged.reserve(FItems.size() + items.size());
    auto a = FItems.begin();
    auto b = items.begin();
    while (a != FItems.end() || b != items.end()) {
        if (b == items.end() || (a != FItems.end() && a->Idx() <= b->Idx())) {
            if (b != items.end() && a->Idx() == b->Idx())
                ++b;
            merged.push_back(std::move(*a++));
        } else {
            merged.push_back(std::move(*b++));
        }
    }
    FItems = std::move(merged);
}

std::optional<TGridItem> THiddenRowStore::Take(int realRow)
{
    const auto it = LowerBound(realRow);
    if (it == FItems.end() || it->Idx() != realRow)
        return std::nullopt;
    const auto i = it - FItems.begin();
    std::optional<TGridItem> item(std::move(FItems[std::size_t(i)]));
    FItems.erase(FItems.begin() + i);
    return item;
}

std::vector<TGridItem> THiddenRowStore::TakeAll()
{
    return std::exchange(FItems, {});
}

std::vector<TGridItem> THiddenRowStore::TakeLevel(int level)
{
    std::vector<TGridItem> taken;
    auto w = FItems.begin();
    for (auto it = FItems.begin(); it != FItems.end(); ++it) {
        if (it->Level() == level)
            taken.push_back(std::move(*it));
        else if (w != it)
            *w++ = std::move(*it);
        else
            ++w;
    }
    FItems.erase(w, FItems.end());
    return taken;
}

std::vector<TGridItem> THiddenRowStore::TakeRange(int fromReal, int toReal)
{
    const auto first = LowerBound(fromReal) - FItems.cbegin();
    const auto last = LowerBound(toReal + 1) - FItems.cbegin();
    if (first >= last)
        return {};
    std::vector<TGridItem> taken(std::make_move_iterator(FItems.begin() + first),
                                 std::make_move_iterator(FItems.begin() + last));
    FItems.erase(FItems.begin() + first, FItems.begin() + last);
    return taken;
}

void THiddenRowStore::Shift(int fromReal, int delta)
{
    for (auto it = FItems.begin() + (LowerBound(fromReal) - FItems.cbegin()); it != FItems.end(); ++it)
        it->SetIdx(it->Idx() + delta);
}
