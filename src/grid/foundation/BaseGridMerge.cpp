// Merged cells: a block is described only by the merge data in the
// properties of its cells (the base cell holds the extent minus one, every
// other cell its offset back to the base).
#include "grid/foundation/BaseGrid.h"
#include "grid/foundation/BaseGrid_p.h"
#include "framework/SysColors.h"

#include <algorithm>

void TBaseGrid::MergeCells(int c, int r, int spanx, int spany)
{
    ++d->FMergeCount;
    for (int i = c; i <= c + spanx - 1; ++i) {
        for (int j = r; j <= r + spany - 1; ++j) {
            TCellProperties* p = GetCellProperties(i, j);
            const bool base = i == c && j == r;
            p->SetIsBaseCell(base);
            p->SetCellSpanX(base ? spanx - 1 : i - c);
            p->SetCellSpanY(base ? spany - 1 : j - r);
        }
    }
    for (int i = c; i <= c + spanx - 1; ++i)
        for (int j = r; j <= r + spany - 1; ++j)
            RepaintCell(i, j);
}

void TBaseGrid::SplitCells(int c, int r)
{
    const fw::TPoint b = GetCellProperties(c, r)->GetBaseCell(c, r);
    TCellProperties* bp = GetCellProperties(b.X, b.Y);
    const int sx = bp->CellSpanX();
    const int sy = bp->CellSpanY();
    const fw::TRect block = CellRect(b.X, b.Y);
    for (int i = b.X; i <= b.X + sx; ++i) {
        for (int j = b.Y; j <= b.Y + sy; ++j) {
            TCellProperties* p = GetCellProperties(i, j);
            p->SetIsBaseCell(true);
            p->SetCellSpanX(-1);
            p->SetCellSpanY(-1);
        }
    }
    if (viewport() && !block.IsEmpty())
        viewport()->update(fw::ToQRect(block));
    // Only a block made by MergeCells is undone here; splitting a cell that
    // holds no merge data leaves the count alone.
    if (sx != -1 && sy != -1)
        d->FMergeCount = std::max(0, d->FMergeCount - 1);
}

fw::TPoint TBaseGrid::BaseCell(int ACol, int ARow) const
{
    if (const TCellProperties* p = AssignedProps(ACol, ARow))
        return p->GetBaseCell(ACol, ARow);
    return fw::TPoint(ACol, ARow);
}

bool TBaseGrid::LocateBaseCell(int ACol, int ARow, int& BaseCol, int& BaseRow) const
{
    const TCellProperties* p = AssignedProps(ACol, ARow);
    if (!p || p->IsBaseCell()) {
        BaseCol = ACol;
        BaseRow = ARow;
        return true;
    }
    const fw::TPoint b = p->GetBaseCell(ACol, ARow);
    BaseCol = b.X;
    BaseRow = b.Y;
    return false;
}

bool TBaseGrid::IsBaseCell(int ACol, int ARow) const
{
    const TCellProperties* p = AssignedProps(ACol, ARow);
    return p ? p->IsBaseCell() : true;
}

bool TBaseGrid::IsMergedCell(int ACol, int ARow) const
{
    const TCellProperties* p = AssignedProps(ACol, ARow);
    return p && (p->CellSpanX() > 0 || p->CellSpanY() > 0);
}

bool TBaseGrid::IsMergedNonBaseCell(int ACol, int ARow) const
{
    return IsMergedCell(ACol, ARow) && !IsBaseCell(ACol, ARow);
}

bool TBaseGrid::IsXMergedCell(int ACol, int ARow) const
{
    const TCellProperties* p = AssignedProps(ACol, ARow);
    if (!p)
        return false;
    const fw::TPoint b = p->GetBaseCell(ACol, ARow);
    const TCellProperties* bp = AssignedProps(b.X, b.Y);
    return bp && bp->CellSpanX() > 0;
}

bool TBaseGrid::IsYMergedCell(int ACol, int ARow) const
{
    const TCellProperties* p = AssignedProps(ACol, ARow);
    if (!p)
        return false;
    const fw::TPoint b = p->GetBaseCell(ACol, ARow);
    const TCellProperties* bp = AssignedProps(b.X, b.Y);
    return bp && bp->CellSpanY() > 0;
}

fw::TPoint TBaseGrid::CellSpan(int ACol, int ARow) const
{
    const TCellProperties* p = AssignedProps(ACol, ARow);
    if (!p || p->CellSpanX() == -1 || p->CellSpanY() == -1)
        return fw::TPoint(0, 0);
    const fw::TPoint b = p->GetBaseCell(ACol, ARow);
    const TCellProperties* bp = AssignedProps(b.X, b.Y);
    if (!bp)
        return fw::TPoint(0, 0);
    return fw::TPoint(bp->CellSpanX(), bp->CellSpanY());
}

fw::TPoint TBaseGrid::CellExt(int ACol, int ARow) const
{
    const TCellProperties* p = AssignedProps(ACol, ARow);
    if (!p || p->CellSpanX() == -1 || p->CellSpanY() == -1)
        return fw::TPoint(0, 0);
    const fw::TPoint b = p->GetBaseCell(ACol, ARow);
    const fw::TPoint span = CellSpan(ACol, ARow);
    return fw::TPoint(b.X + span.X - ACol, b.Y + span.Y - ARow);
}

fw::TGridRect TBaseGrid::FullCell(int c, int r) const
{
    const fw::TPoint b = BaseCell(c, r);
    const fw::TPoint span = CellSpan(c, r);
    return fw::TGridRect{b.X, b.Y, b.X + span.X, b.Y + span.Y};
}

int TBaseGrid::SumColWidths(int from, int to) const
{
    int sum = 0;
    for (int i = from; i < to; ++i)
        sum += ColWidths(i);
    return sum;
}

int TBaseGrid::SumRowHeights(int from, int to) const
{
    int sum = 0;
    for (int i = from; i < to; ++i)
        sum += RowHeights(i);
    return sum;
}

fw::TRect TBaseGrid::UnclippedCellRect(int c, int r) const
{
    int x = SumColWidths(0, c);
    int y = SumRowHeights(0, r);
    fw::TRect rc(x, y, x + ColWidths(c), y + RowHeights(r));
    const bool fixedCol = c < FixedCols();
    const bool fixedRow = r < FixedRows();
    if (!fixedCol) {
        const int dx = SumColWidths(0, LeftCol());
        rc.Left -= dx;
        rc.Right -= dx;
    }
    if (!fixedRow) {
        const int dy = SumRowHeights(0, TopRow());
        rc.Top -= dy;
        rc.Bottom -= dy;
    }
    // The scrolled part starts where the string grid puts its first
    // scrollable cell.
    const fw::TRect origin = TObjStringGrid::CellRect(LeftCol(), TopRow());
    const int ox = fixedCol ? 0 : origin.Left;
    const int oy = fixedRow ? 0 : origin.Top;
    rc.Left += ox;
    rc.Right += ox;
    rc.Top += oy;
    rc.Bottom += oy;
    return rc;
}

fw::TRect TBaseGrid::CellRect(int c, int r) const
{
    const TCellProperties* p = AssignedProps(c, r);
    if (p && (p->CellSpanX() != -1 || p->CellSpanY() != -1)) {
        const fw::TPoint b = p->GetBaseCell(c, r);
        const TCellProperties* bp = AssignedProps(b.X, b.Y);
        const int sx = bp ? std::max(bp->CellSpanX(), 0) : 0;
        const int sy = bp ? std::max(bp->CellSpanY(), 0) : 0;
        fw::TRect r1 = UnclippedCellRect(b.X, b.Y);
        if (r1.Width() == 0)
            r1.Right += 1;
        fw::TRect r2 = UnclippedCellRect(b.X + sx, b.Y + sy);
        if (r2.Width() == 0)
            r2.Left -= 1;
        return fw::TRect(std::min(r1.Left, r2.Left), std::min(r1.Top, r2.Top), std::max(r1.Right, r2.Right),
                         std::max(r1.Bottom, r2.Bottom));
    }
    if (p && p->Control())
        return UnclippedCellRect(c, r);
    const fw::TRect own = TObjStringGrid::CellRect(c, r);
    return fw::TRect(own.Left, own.Top, own.Left + ColWidths(c), own.Top + RowHeights(r));
}

fw::TPoint TBaseGrid::CellSize(int c, int r) const
{
    const TCellProperties* p = AssignedProps(c, r);
    fw::TRect rc;
    if (p && (p->CellSpanX() != -1 || p->CellSpanY() != -1)) {
        const fw::TPoint b = p->GetBaseCell(c, r);
        const fw::TPoint span = CellSpan(c, r);
        const fw::TRect r1 = UnclippedCellRect(b.X, b.Y);
        const fw::TRect r2 = UnclippedCellRect(b.X + span.X, b.Y + span.Y);
        rc = fw::TRect(std::min(r1.Left, r2.Left), std::min(r1.Top, r2.Top), std::max(r1.Right, r2.Right),
                       std::max(r1.Bottom, r2.Bottom));
    } else {
        rc = UnclippedCellRect(c, r);
    }
    return fw::TPoint(rc.Width(), rc.Height());
}

int TBaseGrid::MinRowSpan(int ARow) const
{
    int result = RowCount();
    bool found = false;
    for (int c = 0; c < ColCount(); ++c) {
        const int sy = CellSpan(c, ARow).Y;
        if (sy > 0 && (!found || sy < result)) {
            result = sy;
            found = true;
        }
    }
    return result;
}

int TBaseGrid::MaxRowSpan(int ARow) const
{
    int result = 0;
    for (int c = 0; c < ColCount(); ++c)
        result = std::max(result, CellSpan(c, ARow).Y);
    return result;
}

bool TBaseGrid::RowSpanIdentical(int ARow1, int ARow2) const
{
    bool counted = false;
    for (int c = 0; c < ColCount(); ++c) {
        if (CellSpan(c, ARow1).Y > 0 && CellSpan(c, ARow2).Y > 0) {
            counted = true;
            if (BaseCell(c, ARow1).Y != BaseCell(c, ARow2).Y)
                return false;
        }
    }
    return counted;
}

// The column counterpart: true when at least one row merges both columns
// horizontally and every such row puts them into the same block.
bool TBaseGrid::ColSpanIdentical(int ACol1, int ACol2) const
{
    bool counted = false;
    for (int r = 0; r < RowCount(); ++r) {
        if (CellSpan(ACol1, r).X > 0 && CellSpan(ACol2, r).X > 0) {
            counted = true;
            if (BaseCell(ACol1, r).X != BaseCell(ACol2, r).X)
                return false;
        }
    }
    return counted;
}
