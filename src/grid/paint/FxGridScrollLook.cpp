// The appearance properties whose writes do more than store: the settings
// objects copied in, the scroll-bar styles with the flat bars and the
// grid-drawn bars, proportional scrolling and the spreadsheet switch.
#include "grid/model/FxGrid.h"
#include "grid/paint/FxGridPaint_p.h"

#include "grid/foundation/FxOptions.h"

void TFxStringGrid::SetBackGround(const TBackGround& value)
{
    TBackGround& bg = BackGround();
    if (&bg == &value)
        return;
    bg.SetTop(value.Top());
    bg.SetLeft(value.Left());
    bg.SetDisplay(value.Display());
    bg.SetBitmap(value.Bitmap());
    bg.SetCells(value.Cells());
    bg.SetColor(value.Color());
    bg.SetColorTo(value.ColorTo());
    Invalidate();
}

void TFxStringGrid::SetRowIndicator(const fw::TBitmap& value)
{
    PaintState().RowIndicator->Assign(value);
    RepaintCell(0, Row());
}

void TFxStringGrid::SetShowModified(const TShowModified& value)
{
    ShowModified().Assign(value);
}

void TFxStringGrid::SetBalloon(const TBalloonSettings& value)
{
    Balloon().Assign(value);
}

void TFxStringGrid::SetProgressAppearance(const TGridProgressAppearance& value)
{
    ProgressAppearance().Assign(value);
}

// ---------------------------------------------------------------- scroll bars

TScrollType TFxStringGrid::ScrollType() const { return PaintState().ScrollType; }
fw::TColor TFxStringGrid::ScrollColor() const { return PaintState().ScrollColor; }
int TFxStringGrid::ScrollWidth() const { return PaintState().ScrollWidth; }
fw::TScrollStyle TFxStringGrid::ScrollBars() const { return PaintState().ScrollBars; }
bool TFxStringGrid::ScrollProportional() const { return PaintState().ScrollProportional; }
bool TFxStringGrid::SpreadSheet() const { return PaintState().SpreadSheet; }
bool TFxStringGrid::FlatScrollBarsActive() const { return PaintState().FlatBars; }
TScrollControl* TFxStringGrid::VScrollControl() const { return PaintState().VScrollControl.get(); }
TScrollControl* TFxStringGrid::HScrollControl() const { return PaintState().HScrollControl.get(); }

void TFxStringGrid::SetScrollBars(fw::TScrollStyle value)
{
    PaintState().ScrollBars = value;
    TBaseGrid::SetScrollBars(value);
}

void TFxStringGrid::SetScrollType(TScrollType value)
{
    TFxGridPaintState& ps = PaintState();
    if (ps.ScrollType != value) {
        ps.ScrollType = value;
        if (value == ssFlat || value == ssEncarta) {
            InitFlatScrollBars();
            UpdateFlatScrollBars();
        } else {
            UninitFlatScrollBars();
        }
        if (value == ssMetro) {
            CreateScrollControls();
            SetScrollBars(fw::ssNone);
        } else if (ps.VScrollControl || ps.HScrollControl) {
            FreeScrollControls();
            SetScrollBars(fw::ssBoth);
        }
    }
    ApplyScrollType();
}

void TFxStringGrid::SetScrollColor(fw::TColor value)
{
    PaintState().ScrollColor = value;
    ApplyScrollColor();
}

void TFxStringGrid::SetScrollWidth(int value)
{
    PaintState().ScrollWidth = value;
    ApplyScrollWidth();
}

// This platform has no flat scroll bars: the grid keeps its standard bars,
// and every flat-bar call finds them not initialised and does nothing.
void TFxStringGrid::InitFlatScrollBars()
{
    PaintState().FlatBars = false;
}

void TFxStringGrid::UninitFlatScrollBars()
{
    PaintState().FlatBars = false;
}

void TFxStringGrid::UpdateFlatScrollBars()
{
    ApplyScrollType();
    ApplyScrollColor();
    ApplyScrollWidth();
    // The grid-drawn bars are children of the grid, not of the scrolled
    // cells: their thumbs follow the top-left cell only when repainted.
    TFxGridPaintState& ps = PaintState();
    if (ps.VScrollControl)
        ps.VScrollControl->update();
    if (ps.HScrollControl)
        ps.HScrollControl->update();
}

void TFxStringGrid::ApplyScrollType() {}
void TFxStringGrid::ApplyScrollColor() {}
void TFxStringGrid::ApplyScrollWidth() {}

void TFxStringGrid::SetScrollProportional(bool value)
{
    PaintState().ScrollProportional = value;
    if (value) {
        UpdateProportionalVertScroll();
        UpdateProportionalHorzScroll();
    }
}

void TFxStringGrid::SetSpreadSheet(bool value)
{
    PaintState().SpreadSheet = value;
    SetSelectionRectangle(true);
    SetSelectionResizer(true);
    Navigation().SetAllowSmartClipboard(true);
    SetOptions(Options() | fw::goRangeSelect | fw::goEditing);
    MouseActions().SetRangeSelectAndEdit(true);
}
