// Layout of the string grid: where cells lie for the present scroll position
// and client size, and the scroll bars that mirror the first shown row and column.
#include "framework/ObjStringGrid.h"

#include "framework/ObjStringGrid_p.h"

#include <QScrollBar>
#include <algorithm>

namespace fw {

// ---------------------------------------------------------------- axis geometry

int TGridAxis::Start(int i) const
{
    if (i < 0 || i >= count || Extent(i) < 0)
        return INT_MIN;
    int pos = 0;
    if (i < fixedCount) {
        for (int j = 0; j < i; ++j)
            if (Extent(j) >= 0)
                pos += Extent(j) + lineWidth;
        return pos;
    }
    if (i < first)
        return INT_MIN;
    pos = fixedBoundary;
    for (int j = first; j < i; ++j) {
        if (Extent(j) >= 0)
            pos += Extent(j) + lineWidth;
        if (pos >= clientExtent)
            return INT_MIN;
    }
    return pos < clientExtent ? pos : INT_MIN;
}

int TGridAxis::CellAt(int pos) const
{
    if (pos < 0 || pos >= clientExtent)
        return -1;
    int line = 0;
    for (int i = 0; i < fixedCount; ++i) {
        if (Extent(i) < 0)
            continue;
        line += Extent(i) + lineWidth;
        if (pos < line)
            return i;
    }
    if (pos < fixedBoundary)
        return -1;
    line = fixedBoundary;
    for (int i = first; i < count && line < clientExtent; ++i) {
        if (Extent(i) < 0)
            continue;
        line += Extent(i) + lineWidth;
        if (pos < line)
            return i;
    }
    return -1;
}

int TGridAxis::MaxFirst(int covered) const
{
    const int available = clientExtent - covered - fixedBoundary;
    int result = count - 1;
    int used = 0;
    for (int i = count - 1; i >= fixedCount; --i) {
        if (Extent(i) < 0) {
            result = i;
            continue;
        }
        used += Extent(i) + lineWidth;
        if (used - lineWidth > available)
            break;
        result = i;
    }
    return std::max(result, fixedCount);
}

static TGridAxis MakeAxis(const std::vector<int>& extents, int lineWidth, int fixedCount, int count, int first,
                          int clientExtent)
{
    TGridAxis a;
    a.extents = &extents;
    a.lineWidth = lineWidth;
    a.fixedCount = fixedCount;
    a.count = count;
    a.first = first;
    a.clientExtent = clientExtent;
    int pos = 0;
    for (int i = 0; i < fixedCount; ++i)
        if (extents[std::size_t(i)] >= 0)
            pos += extents[std::size_t(i)] + lineWidth;
    a.fixedBoundary = pos;
    for (int i = first; i < count; ++i) {
        const int e = extents[std::size_t(i)];
        if (e < 0)
            continue;
        if (pos >= clientExtent)
            break;
        a.lastVisible = i;
        if (pos + e <= clientExtent)
            a.lastFullVisible = i;
        pos += e + lineWidth;
    }
    a.gridBoundary = std::min(pos, clientExtent);
    if (a.lastFullVisible < first && first < count)
        a.lastFullVisible = first;   // a cell wider than the client still counts as one page
    return a;
}

bool TStringGrid::Impl::HasLines(bool horz) const
{
    return horz ? (options & (goVertLine | goFixedVertLine)) != 0 : (options & (goHorzLine | goFixedHorzLine)) != 0;
}

static const TGridAxis& CachedAxis(const TGridAxisKey& key, TGridAxisKey& cachedKey, TGridAxis& cached,
                                   const std::vector<int>& extents)
{
    if (key != cachedKey) {
        cached = MakeAxis(extents, key.lineWidth, key.fixedCount, key.count, key.first, key.clientExtent);
        cachedKey = key;
    }
    return cached;
}

const TGridAxis& TStringGrid::Impl::Horz() const
{
    return CachedAxis({extentsVersion, HasLines(true) ? gridLineWidth : 0, fixedCols, colCount, topLeft.X,
                       q->viewport()->width()},
                      horzKey, horzAxis, colWidths);
}

const TGridAxis& TStringGrid::Impl::Vert() const
{
    return CachedAxis({extentsVersion, HasLines(false) ? gridLineWidth : 0, fixedRows, rowCount, topLeft.Y,
                       q->viewport()->height()},
                      vertKey, vertAxis, rowHeights);
}

TGridCoord TStringGrid::Impl::MaxTopLeft() const
{
    return {Horz().MaxFirst(), Vert().MaxFirst(coveredBottom)};
}

TRect TStringGrid::Impl::CellRectOf(int c, int r) const
{
    if (c < 0 || r < 0 || c >= colCount || r >= rowCount)
        return {};
    const TGridAxis h = Horz();
    const TGridAxis v = Vert();
    const int x = h.Start(c);
    const int y = v.Start(r);
    if (x == INT_MIN || y == INT_MIN || x >= h.clientExtent || y >= v.clientExtent)
        return {};
    return TRect(x, y, std::min(x + h.Extent(c), h.clientExtent), std::min(y + v.Extent(r), v.clientExtent));
}

// Visible span [start, end) of cells lo..hi on an axis, lines included.
static bool AxisSpan(const TGridAxis& a, int lo, int hi, int& start, int& end)
{
    lo = std::max(lo, 0);
    hi = std::min(hi, a.count - 1);
    start = INT_MAX;
    end = INT_MIN;
    auto take = [&](int i) {
        const int s = a.Start(i);
        if (s == INT_MIN)
            return;
        start = std::min(start, s);
        end = std::max(end, std::min(s + a.Extent(i) + a.lineWidth, a.clientExtent));
    };
    // The extreme visible cells of each part are enough: cells are laid out in order.
    const int fixedHi = std::min(hi, a.fixedCount - 1);
    if (lo <= fixedHi) {
        take(lo);
        take(fixedHi);
    }
    const int scrollLo = std::max(lo, a.first);
    const int scrollHi = std::min(hi, a.lastVisible);
    if (scrollLo <= scrollHi) {
        // Every unhidden cell from the first shown to the last shown has a place.
        for (int i = scrollLo; i <= scrollHi; ++i)
            if (a.Extent(i) >= 0) {
                take(i);
                break;
            }
        take(scrollHi);
    }
    return start < end;
}

TRect TStringGrid::Impl::BlockRect(const TGridRect& g) const
{
    int x0, x1, y0, y1;
    if (!AxisSpan(Horz(), g.Left, g.Right, x0, x1) || !AxisSpan(Vert(), g.Top, g.Bottom, y0, y1))
        return {};
    return TRect(x0, y0, x1, y1);
}

int MoveAdjust(int index, int from, int to)
{
    if (index == from)
        return to;
    if (from < to && index > from && index <= to)
        return index - 1;
    if (from > to && index >= to && index < from)
        return index + 1;
    return index;
}

// ---------------------------------------------------------------- scroll bars

void TStringGrid::UpdateScrollRange()
{
    if (d->updatingScrollBars)
        return;
    d->updatingScrollBars = true;
    const TGridCoord maxTl = d->MaxTopLeft();
    const bool wantV = d->scrollBars == ssVertical || d->scrollBars == ssBoth;
    const bool wantH = d->scrollBars == ssHorizontal || d->scrollBars == ssBoth;
    QScrollBar* vb = verticalScrollBar();
    QScrollBar* hb = horizontalScrollBar();
    setVerticalScrollBarPolicy(wantV ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(wantH ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    vb->setRange(d->fixedRows, std::max(d->fixedRows, maxTl.Y));
    hb->setRange(d->fixedCols, std::max(d->fixedCols, maxTl.X));
    vb->setPageStep(std::max(1, VisibleRowCount()));
    hb->setPageStep(std::max(1, VisibleColCount()));
    vb->setTracking(d->options & goThumbTracking);
    hb->setTracking(d->options & goThumbTracking);
    d->updatingScrollBars = false;
    // A larger client or fewer cells may leave the view scrolled too far.
    if (d->topLeft.X > std::max(d->fixedCols, maxTl.X) || d->topLeft.Y > std::max(d->fixedRows, maxTl.Y))
        MoveTopLeft(std::min(d->topLeft.X, maxTl.X), std::min(d->topLeft.Y, maxTl.Y));
    UpdateScrollPos();
}

void TStringGrid::UpdateScrollPos()
{
    const bool old = d->updatingScrollBars;
    d->updatingScrollBars = true;
    verticalScrollBar()->setValue(d->topLeft.Y);
    horizontalScrollBar()->setValue(d->topLeft.X);
    d->updatingScrollBars = old;
}

void TStringGrid::ScrollBarAction(bool vertical, int action)
{
    if (d->updatingScrollBars)
        return;
    QScrollBar* bar = vertical ? verticalScrollBar() : horizontalScrollBar();
    int code = -1;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
    case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
    case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
    case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
    case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
    case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
    case QAbstractSlider::SliderMove: code = bar->isSliderDown() ? SB_THUMBTRACK : SB_THUMBPOSITION; break;
    default: return;
    }
    // Thumb positions travel in the desktop's 0..127 range; the precise target
    // is kept aside so that long grids still land on the dragged row.
    const int fixed = vertical ? d->fixedRows : d->fixedCols;
    const int span = bar->maximum() - fixed;
    const int pos = span > 0 ? int((long long)(bar->sliderPosition() - fixed) * 127 / span) : 0;
    d->exactThumb = (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) ? bar->sliderPosition() : -1;
    Perform(vertical ? WM_VSCROLL : WM_HSCROLL, MakeWParam(code, pos), 0);
    d->exactThumb = -1;
    const bool old = d->updatingScrollBars;
    d->updatingScrollBars = true;
    bar->setSliderPosition(vertical ? d->topLeft.Y : d->topLeft.X);
    d->updatingScrollBars = old;
}

void TStringGrid::scrollContentsBy(int, int)
{
    // Cells are laid out from TopRow/LeftCol; the scroll bars only mirror them.
}

} // namespace fw
