#include "controls/dropdown/FxButtonAppearance.h"

#include "controls/dropdown/FxDropDownDraw.h"

TFxButtonAppearance::TFxButtonAppearance()
    : FColorChecked(FxDropDown::AdjustColorChannels(FColorHot, -10, -10, 0)),
      FColorCheckedTo(FxDropDown::AdjustColorChannels(FColorHotTo, -10, -10, 0))
{
    FFont.Name = QStringLiteral("Tahoma");
}

void TFxButtonAppearance::SetColor(fw::TColor& field, fw::TColor value)
{
    if (field == value)
        return;
    field = value;
    if (OnChange)
        OnChange();
}

void TFxButtonAppearance::SetGradient(TGradientDirection value)
{
    if (value == FGradient)
        return;
    FGradient = value;
    if (OnChange)
        OnChange();
}

void TFxButtonAppearance::Assign(const TFxButtonAppearance& source)
{
    SetColor(source.FColor);
    SetColorTo(source.FColorTo);
    SetColorHot(source.FColorHot);
    SetColorHotTo(source.FColorHotTo);
    SetColorDown(source.FColorDown);
    SetColorDownTo(source.FColorDownTo);
    SetColorChecked(source.FColorChecked);
    SetColorCheckedTo(source.FColorCheckedTo);
    SetColorDisabled(source.FColorDisabled);
    SetColorDisabledTo(source.FColorDisabledTo);
    SetBorderColor(source.FBorderColor);
    SetBorderColorHot(source.FBorderColorHot);
    SetBorderColorDown(source.FBorderColorDown);
    SetBorderColorChecked(source.FBorderColorChecked);
    SetBorderColorDisabled(source.FBorderColorDisabled);
    SetGradient(source.FGradient);
}
