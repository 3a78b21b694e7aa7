#pragma once
// The base grid's cell drawing core: background (plain, gradient, mirror
// gradient, hover row, active row or a rounded selection look), grid lines and
// content. A merged block is painted as one rectangle, once by its base cell
// and once more by the first other cell of the block met in a paint pass.
#include "framework/Canvas.h"
#include "framework/ObjStringGrid.h"

class TBaseGrid;

// Grid state the core reads that the grid keeps to itself.
struct TBaseCellPaintState {
    int HoverRowIdx = -1;
    bool ShowSel = true;
    bool HideLastRow = false;
};

// The core: with content the rectangle is the cell's (whole block's) rectangle
// and DrawCellContent runs; without, only background, selection and lines are
// painted in the given rectangle.
void BaseGridPaintCellCore(TBaseGrid& grid, fw::TCanvas& canvas, int ACol, int ARow, fw::TRect Rect,
                           fw::TGridDrawState State, bool WithContent, const TBaseCellPaintState& st);

inline void BaseGridPaintCell(TBaseGrid& grid, fw::TCanvas& canvas, int ACol, int ARow, const fw::TRect& Rect,
                              fw::TGridDrawState State, const TBaseCellPaintState& st)
{
    BaseGridPaintCellCore(grid, canvas, ACol, ARow, Rect, State, true, st);
}

inline void BaseGridPaintCellExt(TBaseGrid& grid, fw::TCanvas& canvas, int ACol, int ARow, const fw::TRect& Rect,
                                 fw::TGridDrawState State, const TBaseCellPaintState& st)
{
    BaseGridPaintCellCore(grid, canvas, ACol, ARow, Rect, State, false, st);
}

// Colours of a rounded selection look, in the terms of DrawRoundedButtonFrame.
struct TSelectionColors {
    fw::TColor Color, ColorTo, Mirror, MirrorTo, UpperLine, LowerLine, Border, Corner;
};
// The set for a selection style (ssVista, ssWin7, ssOffice2007), focused or not.
TSelectionColors SelectionColorsFor(int selectionStyle, bool focused);
