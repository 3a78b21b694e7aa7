// Placeholders of the painting services the model calls, until the painting
// issue builds them (see README.md): each does the least safe thing.
#include "grid/model/FxGrid.h"
#include "grid/paint/FxGridPaint_p.h"

TGridLook TFxStringGrid::Look() const { return PaintState().Look; }

void TFxStringGrid::SetLook(TGridLook value)
{
    PaintState().Look = value;
    InvalidateSetting();
}

TScrollType TFxStringGrid::ScrollType() const { return PaintState().ScrollType; }
void TFxStringGrid::SetScrollType(TScrollType value) { PaintState().ScrollType = value; }
fw::TColor TFxStringGrid::ScrollColor() const { return PaintState().ScrollColor; }
void TFxStringGrid::SetScrollColor(fw::TColor value) { PaintState().ScrollColor = value; }
int TFxStringGrid::ScrollWidth() const { return PaintState().ScrollWidth; }
void TFxStringGrid::SetScrollWidth(int value) { PaintState().ScrollWidth = value; }

fw::TPoint TFxStringGrid::GetCellGraphicSize(int ACol, int ARow)
{
    return CalcCellGraphicSize(ACol, ARow, fw::TPoint(0, 0));
}

fw::TPoint TFxStringGrid::CalcCellGraphicSize(int, int, fw::TPoint)
{
    return fw::TPoint(0, 0);
}

bool TFxStringGrid::IsSortRow(int, int)
{
    return false;
}

void TFxStringGrid::UpdateFooter()
{
    if (PaintState().FooterPanel)
        PaintState().FooterPanel->update();
}

void TFxStringGrid::UpdateFlatScrollBars() {}

void TFxStringGrid::DrawBorderLines()
{
    update();
}

void TFxStringGrid::InitOrigColSizes() {}

void TFxStringGrid::SearchFooterChanged()
{
    if (PaintState().SearchPanel)
        PaintState().SearchPanel->update();
}

void TFxStringGrid::BalloonEnableChanged() {}
void TFxStringGrid::BalloonInit() {}
void TFxStringGrid::BalloonDone() {}
