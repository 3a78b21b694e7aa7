#pragma once
// What an object placed in a cell with AddInterfacedCell offers to draw
// itself: the object passed must also derive from this interface, otherwise
// the cell shows nothing of it.
#include "framework/Types.h"

namespace fw {
class TCanvas;
}
class TFxStringGrid;

class IFxCellPaint {
public:
    virtual ~IFxCellPaint() = default;
    // Size of the drawing; 0 for a side means the cell's own extent.
    virtual fw::TSize CellPaintSize() const = 0;
    // Drawn before the cell text instead of over it.
    virtual bool PaintUnderText() const { return false; }
    virtual void PaintCell(fw::TCanvas& Canvas, const fw::TRect& R, TFxStringGrid& Grid, bool Selected, int ARow,
                           int ACol) = 0;
};
