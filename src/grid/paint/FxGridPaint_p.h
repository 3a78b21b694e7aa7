#pragma once
// Painting state of TFxStringGrid: the look settings and the appearance
// objects the grid owns. The painting issue extends this struct.
#include "framework/Graphics.h"
#include "grid/foundation/GridPaintServices.h"
#include "grid/model/FxGrid.h"

#include <memory>
#include <vector>

struct TFxGridPaintState {
    FX_GRID_PAINT_SETTINGS(FX_GRID_SETTING_FIELD)

    TGridLook Look = glXP;
    TScrollType ScrollType = ssNormal;
    fw::TColor ScrollColor = fw::clNone;
    int ScrollWidth = 0;                    // the system's vertical scroll bar width, set by Create
    fw::TScrollStyle ScrollBars = fw::ssBoth;
    TScrollBarAlways ScrollBarAlways = saNone;
    fw::TColor BorderColor = 0xB99D7F;
    bool AutoSize = false;
    fw::TColor RIRGradientFrom = 0xFFFFFF;
    fw::TColor RIRGradientTo = 0;           // clBtnFace's RGB value, set by Create
    fw::TColor RIRGradientMirrorFrom = fw::clNone;
    fw::TColor RIRGradientMirrorTo = fw::clNone;
    fw::TFont FixedFont;
    fw::TFont ActiveCellFont;

    std::unique_ptr<TFooterPanel> FooterPanel;
    std::unique_ptr<TSearchPanel> SearchPanel;
    std::unique_ptr<TFloatingFooter> FloatingFooter;
    std::unique_ptr<TPrintSettings> PrintSettings;
    std::unique_ptr<TControlLook> ControlLook;
    std::unique_ptr<TBackGround> BackGround;
    std::unique_ptr<THTMLHintWindow> ScrollHintWnd;
    std::unique_ptr<TBalloonSettings> Balloon;
    std::unique_ptr<TShowModified> ShowModified;
    std::unique_ptr<TGridProgressAppearance> ProgressAppearance;
    std::unique_ptr<fw::TBitmap> RowIndicator;
    std::unique_ptr<TScrollControl> VScrollControl;   // grid-drawn scroll bars (ssMetro)
    std::unique_ptr<TScrollControl> HScrollControl;
    // Printed width and left offset per column, filled by the print layout.
    std::vector<int> PrintColWidths = std::vector<int>(512, 0);
    std::vector<int> PrintColOffsets = std::vector<int>(512, 0);
};
