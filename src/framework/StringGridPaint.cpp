// Painting of the string grid: every visible cell through DrawCell, the grid
// lines in the gaps between cells, the unused client area and the feedback of
// a sizing or moving drag.
#include "framework/ObjStringGrid.h"

#include "framework/Canvas.h"
#include "framework/StringGridEditor.h"
#include "framework/ObjStringGrid_p.h"

#include <QApplication>
#include <vector>

namespace fw {

namespace {

constexpr TColor kFixedLineColor = clBlack;
constexpr TColor kLineColor = clSilver;

struct VisibleCell {
    int index;
    int start;   // client pixels
};

// Visible cells of an axis in drawing order: the fixed ones, then the
// scrolled ones that are at least partly shown. Positions are summed in the
// same walk, so a paint stays linear in the cells shown.
std::vector<VisibleCell> VisibleCells(const TGridAxis& a)
{
    std::vector<VisibleCell> cells;
    int pos = 0;
    for (int i = 0; i < a.fixedCount; ++i)
        if (a.Extent(i) >= 0) {
            cells.push_back({i, pos});
            pos += a.Extent(i) + a.lineWidth;
        }
    pos = a.fixedBoundary;
    for (int i = a.first; i <= a.lastVisible; ++i)
        if (a.Extent(i) >= 0) {
            cells.push_back({i, pos});
            pos += a.Extent(i) + a.lineWidth;
        }
    return cells;
}

void Fill(TCanvas& canvas, const TRect& r, TColor color)
{
    if (r.IsEmpty())
        return;
    canvas.Brush().Color = color;
    canvas.Brush().Style = bsSolid;
    canvas.FillRect(r);
}

} // namespace

bool TStringGrid::IsActiveControl() const
{
    return Inside(QApplication::focusWidget());
}

bool TStringGrid::Inside(const QWidget* w) const
{
    return w && (w == this || isAncestorOf(w));
}

void TStringGrid::WMPaint(TMessage&)
{
    Paint();
}

void TStringGrid::Paint()
{
    TCanvas& canvas = Canvas();
    const TGridAxis h = d->Horz();
    const TGridAxis v = d->Vert();
    const TGridRect sel = Selection();
    const bool active = IsActiveControl();
    const bool rowSelect = d->options & goRowSelect;
    const bool editorShown = d->editorMode && d->editor && d->editor->isVisible();
    const std::vector<VisibleCell> cols = VisibleCells(h);
    const std::vector<VisibleCell> rows = VisibleCells(v);

    for (const auto [r, y] : rows) {
        const int eh = v.Extent(r);
        for (const auto [c, x] : cols) {
            const int ew = h.Extent(c);
            const TRect where(x, y, x + ew, y + eh);
            const bool fixed = c < d->fixedCols || r < d->fixedRows;
            const bool isCurrent = c == d->current.X && r == d->current.Y;
            TGridDrawState state = 0;
            if (fixed) {
                state = gdFixed;
            } else {
                if (active && isCurrent)
                    state |= gdFocused;
                // The current cell keeps the normal look (with a focus frame)
                // unless the options ask for it to show selected.
                if (sel.Contains(c, r) && (!isCurrent || (d->options & (goDrawFocusSelected | goRowSelect))))
                    state |= gdSelected;
            }
            const bool underEditor = isCurrent && editorShown && (d->options & goEditing);
            if (!underEditor) {
                if (d->defaultDrawing) {
                    canvas.Font() = d->font;
                    if (state & gdSelected)
                        canvas.Font().Color = clHighlightText;
                    canvas.Brush().Style = bsSolid;
                    canvas.Brush().Color = fixed ? d->fixedColor : (state & gdSelected) ? clHighlight : d->color;
                    canvas.FillRect(where);
                }
                DrawCell(c, r, where, state);
                const bool alwaysEditing = (d->options & (goEditing | goAlwaysShowEditor)) == (goEditing | goAlwaysShowEditor);
                if (d->defaultDrawing && (state & gdFocused) && !rowSelect && !alwaysEditing)
                    canvas.DrawFocusRect(where);
            }
            // The gap after the cell holds its right and bottom grid line.
            const bool vline = fixed ? (d->options & goFixedVertLine) : (d->options & goVertLine);
            const bool hline = fixed ? (d->options & goFixedHorzLine) : (d->options & goHorzLine);
            const TColor lineColor = fixed ? kFixedLineColor : kLineColor;
            if (h.lineWidth > 0)
                Fill(canvas, TRect(x + ew, y, x + ew + h.lineWidth, y + eh + v.lineWidth), vline ? lineColor : d->color);
            if (v.lineWidth > 0)
                Fill(canvas, TRect(x, y + eh, x + ew, y + eh + v.lineWidth), hline ? lineColor : d->color);
        }
    }

    const int cw = ClientWidth();
    const int ch = ClientHeight();
    const int right = std::max(h.gridBoundary, h.fixedBoundary);
    const int bottom = std::max(v.gridBoundary, v.fixedBoundary);
    Fill(canvas, TRect(right, 0, cw, ch), d->color);
    Fill(canvas, TRect(0, bottom, right, ch), d->color);

    canvas.Pen().Color = clBlack;
    canvas.Pen().Width = 1;
    canvas.Pen().Style = psSolid;
    if (d->state == gsColSizing) {
        canvas.MoveTo(d->sizingPos, 0);
        canvas.LineTo(d->sizingPos, ch);
    } else if (d->state == gsRowSizing) {
        canvas.MoveTo(0, d->sizingPos);
        canvas.LineTo(cw, d->sizingPos);
    } else if (d->state == gsColMoving || d->state == gsRowMoving) {
        // The drop position: the edge of the target cell the moved one lands beside.
        const bool cols = d->state == gsColMoving;
        const TGridAxis& a = cols ? h : v;
        const int start = a.Start(d->movePos);
        if (start != INT_MIN) {
            const int edge = d->movePos > d->moveIndex ? start + a.Extent(d->movePos) : start;
            if (cols)
                Fill(canvas, TRect(edge - 1, 0, edge + 1, bottom), clBlack);
            else
                Fill(canvas, TRect(0, edge - 1, right, edge + 1), clBlack);
        }
    }
}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    if (d->defaultDrawing)
        Canvas().TextRect(ARect, ARect.Left + 2, ARect.Top + 2, Cells(ACol, ARow));
    if (OnDrawCell)
        OnDrawCell(this, ACol, ARow, ARect, AState);
}

} // namespace fw
