#pragma once
// TFxButtonAppearance, the colour set of the popup strips' buttons and of a
// custom-coloured drop button. It holds settings and reports changes; the
// strips and the drop button draw it (FxDropDownBars.h, FxDropDownButton.h).
#include "framework/Graphics.h"
#include "framework/Types.h"
#include "grid/paint/FxGridPaintTypes.h"

#include <functional>

// Colours of the strip buttons (and of a custom-coloured drop button). Every
// colour and gradient setter fires OnChange when the value changes.
class TFxButtonAppearance {
public:
    TFxButtonAppearance();

#define FX_APPEARANCE_COLOR(Name, Field)                                                                               \
    fw::TColor Name() const { return Field; }                                                                          \
    void Set##Name(fw::TColor value) { SetColor(Field, value); }
    FX_APPEARANCE_COLOR(BorderColor, FBorderColor)
    FX_APPEARANCE_COLOR(BorderColorHot, FBorderColorHot)
    FX_APPEARANCE_COLOR(BorderColorDown, FBorderColorDown)
    FX_APPEARANCE_COLOR(BorderColorDisabled, FBorderColorDisabled)
    FX_APPEARANCE_COLOR(Color, FColor)
    FX_APPEARANCE_COLOR(ColorTo, FColorTo)
    FX_APPEARANCE_COLOR(ColorDisabled, FColorDisabled)
    FX_APPEARANCE_COLOR(ColorDisabledTo, FColorDisabledTo)
    FX_APPEARANCE_COLOR(ColorDown, FColorDown)
    FX_APPEARANCE_COLOR(ColorDownTo, FColorDownTo)
    FX_APPEARANCE_COLOR(ColorHot, FColorHot)
    FX_APPEARANCE_COLOR(ColorHotTo, FColorHotTo)
    // The face of a latched button (no published property of their own).
    FX_APPEARANCE_COLOR(ColorChecked, FColorChecked)
    FX_APPEARANCE_COLOR(ColorCheckedTo, FColorCheckedTo)
    FX_APPEARANCE_COLOR(BorderColorChecked, FBorderColorChecked)
#undef FX_APPEARANCE_COLOR

    TGradientDirection Gradient() const { return FGradient; }
    void SetGradient(TGradientDirection value);
    const fw::TFont& Font() const { return FFont; }
    // Copies the font; fires nothing.
    void SetFont(const fw::TFont& value) { FFont = value; }

    // Every colour and the gradient, through the setters; not the font.
    void Assign(const TFxButtonAppearance& source);

    std::function<void()> OnChange;

private:
    void SetColor(fw::TColor& field, fw::TColor value);

    fw::TColor FBorderColor = fw::clNone;
    fw::TColor FBorderColorHot = 0x808080;
    fw::TColor FBorderColorDown = 0x800000;
    fw::TColor FBorderColorDisabled = 0x808080;
    fw::TColor FColor = fw::clNone;
    fw::TColor FColorTo = fw::clNone;
    fw::TColor FColorDisabled = 0xF2F2F2;
    fw::TColor FColorDisabledTo = fw::clNone;
    fw::TColor FColorDown = 0xF5D8CA;
    fw::TColor FColorDownTo = 0xF9BDA0;
    fw::TColor FColorHot = 0xF5F0E1;
    fw::TColor FColorHotTo = 0xF9D2B2;
    fw::TColor FColorChecked;
    fw::TColor FColorCheckedTo;
    fw::TColor FBorderColorChecked = 0xFF0000;
    TGradientDirection FGradient = gdVertical;
    fw::TFont FFont;
};
