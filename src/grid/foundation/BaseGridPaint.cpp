#include "grid/foundation/BaseGridPaint.h"

#include "grid/foundation/BaseGrid.h"
#include "grid/foundation/FxUtilDraw.h"

using fw::TColor;
using fw::TRect;
using fw::clNone;

TSelectionColors SelectionColorsFor(int selectionStyle, bool focused)
{
    if (!focused)
        return {0xF8F8F8, 0xE5E5E5, clNone, clNone, 0xFBFAFA, 0xF0F0F0, 0xD9D9D9, 0xEFEFEF};
    switch (selectionStyle) {
    case ssWin7: return {0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xFDF4EB, 0xFDEADB, 0xCEA27D, 0xE0C5AE};
    case ssOffice2007: return {0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0xF4FEFF, 0xCAF8FF, 0x8DD7D3, 0xC3D9DF};
    case ssVista:
    default: return {0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFDFBF6, 0xFDF5E7, 0xFDDE99, 0xFCEDCB};
    }
}

void BaseGridPaintCellCore(TBaseGrid& grid, fw::TCanvas& canvas, int ACol, int ARow, TRect Rect,
                           fw::TGridDrawState State, bool WithContent, const TBaseCellPaintState& st)
{
    // The hidden footer row shows only the grid colour.
    if (st.HideLastRow && ARow == grid.RowCount() - 1) {
        canvas.Brush().Color = grid.Color();
        canvas.Brush().Style = fw::bsSolid;
        canvas.Pen().Color = grid.Color();
        canvas.Pen().Style = fw::psSolid;
        canvas.Pen().Width = 1;
        canvas.Rectangle(Rect);
        return;
    }

    // A block is painted by its base cell; another cell of it paints the block
    // only when the base cell has not been painted in this pass yet.
    int baseCol = ACol, baseRow = ARow;
    if (!grid.LocateBaseCell(ACol, ARow, baseCol, baseRow) && (baseCol != ACol || baseRow != ARow)) {
        if (TCellProperties* base = grid.GridObjects(baseCol, baseRow); base && base->PaintID() != grid.PaintID()) {
            base->SetPaintID(grid.PaintID());
            BaseGridPaintCellCore(grid, canvas, baseCol, baseRow, Rect, State, true, st);
        }
        return;
    }

    if (grid.IsFixed(ACol, ARow) && WithContent) {
        State |= fw::gdFixed;
        State &= ~fw::gdSelected;
    }
    if (WithContent)
        Rect = grid.CellRect(ACol, ARow);

    // Keep a block that starts under the fixed area from painting over it.
    const bool fixedCol = ACol < grid.FixedCols();
    const bool fixedRow = ARow < grid.FixedRows();
    const bool clipCols = !fixedCol && grid.FixedCols() > 0;
    const bool clipRows = !fixedRow && grid.FixedRows() > 0;
    const int FW = clipCols ? grid.SumColWidths(0, grid.FixedCols()) : 0;
    const int FH = clipRows ? grid.SumRowHeights(0, grid.FixedRows()) : 0;
    int savedClip = 0;
    if ((clipCols && Rect.Left < FW) || (clipRows && Rect.Top < FH)) {
        savedClip = canvas.SaveDC();
        canvas.IntersectClipRect(TRect(FW, FH, grid.ClientWidth(), grid.ClientHeight()));
    }

    canvas.Pen().Width = 1;
    canvas.Pen().Style = fw::psSolid;
    // The string grid leaves the brush to the drawing code; start from the grid's own colours.
    TCellLook look;
    look.Font = grid.Font();
    look.Brush.Color = (State & fw::gdFixed) ? grid.FixedColor() : grid.Color();
    look.WW = grid.WordWrap();
    grid.GetVisualProperties(ACol, ARow, State, {.Select = true, .Remap = true}, look);
    canvas.Font() = look.Font;

    const bool selected = (State & fw::gdSelected) != 0;
    const bool fixed = (State & fw::gdFixed) != 0;

    const THoverRowCells hoverCells = grid.HoverRowCells();
    const bool hoverExcluded = (selected && !hoverCells.Contains(hcSelected)) || (fixed && !hoverCells.Contains(hcFixed));
    if (ARow == st.HoverRowIdx && grid.HoverRow() && !hoverExcluded) {
        look.Brush.Color = grid.HoverRowColor();
        look.ColorTo = grid.HoverRowColorTo();
        look.MirrorColor = clNone;
        look.MirrorColorTo = clNone;
        look.GD = GradientVertical;
    }

    if ((grid.ActiveRowShow() && ARow == grid.Row() && !fixedCol && (ACol != grid.Col() || !st.ShowSel)) ||
        (!WithContent && selected)) {
        look.Brush.Color = grid.ActiveRowColor();
        look.ColorTo = grid.ActiveRowColorTo();
        look.MirrorColor = grid.ActiveRowMirrorColor();
        look.MirrorColorTo = grid.ActiveRowMirrorColorTo();
    }
    canvas.Pen().Color = look.Brush.Color;

    const fw::TGridOptions options = grid.Options();
    const bool rtl = grid.isRightToLeft();
    if (selected && grid.SelectionStyle() != ssDefault && st.ShowSel) {
        const fw::TGridRect sel = grid.Selection();
        int segment = 0;
        if (ACol == sel.Left && sel.Right > ACol)
            segment = 1;
        else if (ACol == sel.Right && sel.Left < ACol)
            segment = 2;
        else if (ACol > sel.Left && ACol < sel.Right)
            segment = 3;
        TRect r = Rect;
        if (!(options & fw::goHorzLine))
            r.Bottom += 1;
        if (!(options & fw::goVertLine))
            r.Right += 1;
        if (rtl) {
            r.Right += 1;
            r.Bottom += 1;
        }
        const bool focused = grid.Focused() || (options & fw::goDrawFocusSelected);
        const TSelectionColors c = SelectionColorsFor(grid.SelectionStyle(), focused);
        DrawRoundedButtonFrame(canvas, c.Color, c.ColorTo, c.Mirror, c.MirrorTo, c.UpperLine, c.LowerLine, c.Border,
                               c.Corner, grid.Color(), r, segment);
    } else if (!(grid.UsesAppStyles() && (fixed || selected))) {
        if (look.MirrorColorTo == clNone)
            GradientFillRect(canvas, look.Brush.Color, look.ColorTo, 64, Rect, look.GD == GradientHorizontal);
        else
            DrawGradientBox(canvas, Rect, look.Brush.Color, look.ColorTo, look.MirrorColor, look.MirrorColorTo, true,
                            clNone, false, true);
    }

    // Grid lines along the bottom and the right of the cell.
    int h = 1;
    if (fixed) {
        canvas.Pen().Color = grid.GridFixedLineColor();
        canvas.Pen().Width = 1;
    } else {
        if (grid.GridLineWidth() > 0)
            canvas.Pen().Color = grid.GridLineColor();
        canvas.Pen().Width = std::max(grid.GridLineWidth(), 1);
        h = (grid.GridLineWidth() + 1) / 2;
    }
    canvas.Pen().Style = fw::psSolid;
    const bool horz = ((options & fw::goHorzLine) && !fixed) || ((options & fw::goFixedHorzLine) && fixed);
    const bool vert = ((options & fw::goVertLine) && !fixed) || ((options & fw::goFixedVertLine) && fixed);
    if (horz && !(ACol == 0 && grid.HasNodes())) {
        canvas.MoveTo(Rect.Left - h + 1, Rect.Bottom - h);
        canvas.LineTo(Rect.Right - h + 1, Rect.Bottom - h);
    }
    if (vert) {
        const int x = Rect.Right - h + (rtl ? 1 : 0);
        canvas.MoveTo(x, Rect.Bottom - h);
        canvas.LineTo(x, Rect.Top - h);
    }

    TRect content = Rect;
    if (fixed) {
        content.Right -= 1;
        content.Bottom -= 2;
    } else {
        const int w = grid.GridLineWidth();
        content = TRect(content.Left + w, content.Top + w, content.Right - w, content.Bottom - w);
    }
    if (WithContent)
        grid.DrawCellContent(canvas, ACol, ARow, content, State);

    if (savedClip)
        canvas.RestoreDC(savedClip);
    canvas.Brush().Style = fw::bsSolid;
    canvas.Pen().Style = fw::psSolid;
}
