#pragma once
// The grid's row sort as a plain algorithm over row numbers, so that it can be
// tried without a grid. The grid sorts a list of its row numbers first and
// moves the rows once at the end (FxApplyRowOrder).
//
// The partition loop must survive any comparison the application supplies,
// including one that is not a strict weak order (a column whose first cell
// decides the compare style, an event that answers at random): both scans
// are bounded by the range, every pass makes both parts strictly smaller,
// and the loop recurses into the smaller part and iterates over the larger,
// so the stack stays within log2(n) frames.
#include <utility>
#include <vector>

// Sorts rows[left .. right]. cmp(a, b) compares the rows a and b; a result
// equal to outOfOrder means a belongs after b. With testExchange two rows
// met by the scans change places only when they compare unequal (equal rows
// are never exchanged); without it they always do.
template <class Compare>
void FxPartitionSort(std::vector<int>& rows, int left, int right, int outOfOrder, bool testExchange, Compare&& cmp)
{
    while (left < right) {
        const int pivot = rows[std::size_t((left + right) / 2)];
        int i = left;
        int j = right;
        do {
            while (i < right && cmp(pivot, rows[std::size_t(i)]) == outOfOrder)
                ++i;
            while (j > left && cmp(rows[std::size_t(j)], pivot) == outOfOrder)
                --j;
            if (i <= j) {
                if (i != j && (!testExchange || cmp(rows[std::size_t(i)], rows[std::size_t(j)]) != 0))
                    std::swap(rows[std::size_t(i)], rows[std::size_t(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        // left .. j and i .. right; both are smaller than left .. right.
        if (j - left < right - i) {
            if (left < j)
                FxPartitionSort(rows, left, j, outOfOrder, testExchange, cmp);
            left = i;
        } else {
            if (i < right)
                FxPartitionSort(rows, i, right, outOfOrder, testExchange, cmp);
            right = j;
        }
    }
}

// Brings the rows into the order `order` (position first + k is to hold the
// row now at order[k]; order is a permutation of first .. first + n - 1)
// with at most n - 1 calls of swap(p, q), each exchanging the rows at the
// positions p and q.
template <class Swap>
void FxApplyRowOrder(const std::vector<int>& order, int first, Swap&& swap)
{
    const int n = int(order.size());
    std::vector<int> at(static_cast<std::size_t>(n));      // original row at each position
    std::vector<int> where(static_cast<std::size_t>(n));   // position of each original row
    for (int k = 0; k < n; ++k)
        at[std::size_t(k)] = where[std::size_t(k)] = k;
    for (int k = 0; k < n; ++k) {
        const int want = order[std::size_t(k)] - first;
        if (at[std::size_t(k)] == want)
            continue;
        const int q = where[std::size_t(want)];
        swap(first + k, first + q);
        const int moved = at[std::size_t(k)];
        at[std::size_t(q)] = moved;
        where[std::size_t(moved)] = q;
        at[std::size_t(k)] = want;
        where[std::size_t(want)] = k;
    }
}
