// Hidden columns as a sorted list of real indices.
#include "grid/model/FxHiddenColumns.h"

#include <algorithm>

bool THiddenColumns::IsHidden(int realCol) const
{
    return std::binary_search(FHidden.begin(), FHidden.end(), realCol);
}

void THiddenColumns::SetHidden(int realCol, bool hidden)
{
    const auto it = std::lower_bound(FHidden.begin(), FHidden.end(), realCol);
    const bool present = it != FHidden.end() && *it == realCol;
    if (hidden && !present)
        FHidden.insert(it, realCol);
    else if (!hidden && present)
        FHidden.erase(it);
}

int THiddenColumns::CountBelow(int realCol) const
{
    return int(std::lower_bound(FHidden.begin(), FHidden.end(), realCol) - FHidden.begin());
}

int THiddenColumns::DisplToReal(int displCol) const
{
    if (displCol < 0)
        return -1;
    // Hidden column i lies before the shown column d when FHidden[i] - i <= d.
    std::size_t lo = 0, hi = FHidden.size();
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        if (FHidden[mid] - int(mid) <= displCol)
            lo = mid + 1;
        else
            hi = mid;
    }
    return displCol + int(lo);
}

int THiddenColumns::SavedWidth(int realCol) const
{
    return realCol >= 0 && realCol < int(FWidths.size()) ? FWidths[std::size_t(realCol)] : 0;
}

void THiddenColumns::SetSavedWidth(int realCol, int width)
{
    if (realCol < 0)
        return;
    if (realCol >= int(FWidths.size()))
        FWidths.resize(std::size_t(realCol) + 1, 0);
    FWidths[std::size_t(realCol)] = width;
}

void THiddenColumns::Shift(int fromReal, int delta)
{
    if (delta == 0 || fromReal < 0)
        return;
    std::vector<int> kept;
    for (int c : FHidden) {
        if (c < fromReal)
            kept.push_back(c);
        else if (delta > 0 || c >= fromReal - delta)
            kept.push_back(c + delta);
    }
    FHidden = std::move(kept);
    if (fromReal < int(FWidths.size())) {
        if (delta > 0) {
            FWidths.insert(FWidths.begin() + fromReal, std::size_t(delta), 0);
        } else {
            const int end = std::min(int(FWidths.size()), fromReal - delta);
            FWidths.erase(FWidths.begin() + fromReal, FWidths.begin() + end);
        }
    }
}

void THiddenColumns::Move(int fromReal, int toReal)
{
    if (fromReal == toReal || fromReal < 0 || toReal < 0)
        return;
    for (int& c : FHidden) {
        if (c == fromReal)
            c = toReal;
        else if (fromReal < c && c <= toReal)
            --c;
        else if (toReal <= c && c < fromReal)
            ++c;
    }
    std::sort(FHidden.begin(), FHidden.end());
    const int last = std::max(fromReal, toReal);
    if (last >= int(FWidths.size()))
        FWidths.resize(std::size_t(last) + 1, 0);
    const int moved = FWidths[std::size_t(fromReal)];
    FWidths.erase(FWidths.begin() + fromReal);
    FWidths.insert(FWidths.begin() + toReal, moved);
}

void THiddenColumns::Clear()
{
    FHidden.clear();
    FWidths.clear();
}
