// Component styles, colour tones and selection colours of the drop-down
// base, and copying one drop-down's settings into another.
#include "controls/dropdown/FxCustomDropDown.h"

#include "controls/dropdown/FxDropDownButton.h"
#include "controls/dropdown/FxDropDownForm.h"
#include "controls/dropdown/FxDropDownStyles.h"
#include "controls/dropdown/FxItemSelector.h"
#include "framework/Canvas.h"
#include "grid/foundation/FxUtilDraw.h"

using namespace fw;
using namespace FxDropDown;

void TFxCustomDropDown::SetComponentStyle(TFxStyle style)
{
    FFxStyle = style;
    const TDropDownStyleColors c = DropDownStyleColors(style);
    if (!c.Known)
        return;
    SetDropDownColor(c.DropDownColor);
    FDropDownColorTo = c.DropDownColorTo;
    if (!c.KeepBorder)
        FDropDownBorderColor = c.DropDownBorderColor;
    auto bar = [](TBarAppearance& a, const TBarColors& colors) {
        a.Color = colors.Color;
        a.ColorTo = colors.ColorTo;
        a.Font.Color = colors.FontColor;
        a.BorderColor = colors.BorderColor;
    };
    bar(FDropDownHeader, c.Header);
    bar(FDropDownFooter, c.Footer);
    const TButtonStyleColors b = ButtonStyleColors(style);
    if (!b.Known)
        return;
    TFxButtonAppearance& a = FButtonAppearance;
    a.SetColor(b.Color);
    a.SetColorTo(b.ColorTo);
    a.SetBorderColor(b.BorderColor);
    a.SetColorHot(b.ColorHot);
    a.SetColorHotTo(b.ColorHotTo);
    a.SetBorderColorHot(b.BorderColorHot);
    a.SetColorDown(b.ColorDown);
    a.SetColorDownTo(b.ColorDownTo);
    a.SetBorderColorDown(b.BorderColorDown);
    a.SetColorDisabled(b.ColorDisabled);
    a.SetColorDisabledTo(b.ColorDisabledTo);
    a.SetColorChecked(b.ColorChecked);
    a.SetColorCheckedTo(b.ColorCheckedTo);
    a.SetBorderColorChecked(b.BorderColorChecked);
    if (FDropDownForm)
        FDropDownForm->update();
}

void TFxCustomDropDown::SetColorTones(const TColorTones& tones)
{
    if (FButton) {
        FButton->ButtonColor = tones.Background.BrushColor;
        FButton->ButtonColorHot = tones.Hover.BrushColor;
        FButton->ButtonColorDown = tones.Selected.BrushColor;
        FButton->ButtonBorderColor = tones.Background.BorderColor;
        FButton->InnerButton()->update();
    }
    SetBorderColor(tones.Background.BorderColor);
}

void TFxCustomDropDown::SetSelectionColorStyle(TSelectionColorStyle value)
{
    FSelectionColorStyle = value;
    const TSelectionStyleColors c = SelectionStyleColors(value);
    if (!c.Known)
        return;
    FSelectionColor = c.Color;
    FSelectionColorTo = c.ColorTo;
}

void TFxCustomDropDown::DrawSelectionBackground(TCanvas& canvas, const TRect& r, int kind, TColor cornerColor)
{
    const TSelectionStyleColors c = SelectionStyleColors(FSelectionColorStyle);
    if (!c.Known) {
        canvas.Brush().Color = FSelectionColor;
        canvas.Brush().Style = bsSolid;
        canvas.Pen().Color = FSelectionColor;
        canvas.FillRect(r);
        return;
    }
    DrawRoundedButtonFrame(canvas, FSelectionColor, FSelectionColorTo, c.MirrorColor, c.MirrorColorTo, c.UpperLine,
                           c.LowerLine, c.Frame, c.CornerInner, cornerColor, r, kind);
}

void TFxCustomDropDown::DrawGradient(TCanvas& canvas, TColor from, TColor to, int steps, const TRect& r,
                                     TGradientDirection direction)
{
    DrawStepGradient(canvas, from, to, steps, r, direction == gdHorizontal);
}

void TFxCustomDropDown::ApplyItemAppearanceStyle(TItemAppearance* appearance, TFxStyle style)
{
    const TItemStyleColors c = ItemStyleColors(style);
    if (!appearance || !c.Known)
        return;
    TItemAppearance& a = *appearance;
    a.BorderColorHot = clNone;
    a.BorderColorSelected = clNone;
    a.ColorHotText = 0;
    a.ColorHot = c.ColorHot;
    a.ColorHotTo = c.ColorHotTo;
    a.ColorMirrorHot = c.ColorMirrorHot;
    a.ColorMirrorHotTo = c.ColorMirrorHotTo;
    a.ColorSelected = c.ColorSelected;
    a.ColorSelectedTo = c.ColorSelectedTo;
    a.ColorMirrorSelected = c.ColorMirrorSelected;
    a.ColorMirrorSelectedTo = c.ColorMirrorSelectedTo;
    a.BorderColor = c.BorderColor;
    a.BorderColorTop = c.BorderColorTop;
    a.BorderColorBottom = c.BorderColorBottom;
    a.EdgeColor = c.EdgeColor;
    a.ColorSelectedText = c.ColorSelectedText;
}

void TFxCustomDropDown::Assign(const TFxCustomDropDown& source)
{
    if (&source == this)
        return;
    FFocusDraw = source.FFocusDraw;
    FForceShadow = source.FForceShadow;
    FDropDownEnabled = source.FDropDownEnabled;
    FDropDownColor = source.FDropDownColor;
    FDropDownColorTo = source.FDropDownColorTo;
    FDropDownGradient = source.FDropDownGradient;
    FDropDownBorderColor = source.FDropDownBorderColor;
    FDropDownBorderWidth = source.FDropDownBorderWidth;
    FDropDownShadow = source.FDropDownShadow;
    // The sizes only: a size the user gave the popup stays.
    FDropDownWidth = source.FDropDownWidth;
    FDropDownHeight = source.FDropDownHeight;
    FDropDownSizeable = source.FDropDownSizeable;
    SetEditType(source.EditType());
    FReturnIsTab = source.FReturnIsTab;
    FValue.SetLengthLimit(source.FValue.LengthLimit());
    FValue.SetPrecision(source.FValue.Precision());
    FValue.SetPrefix(source.FValue.Prefix());
    FValue.SetSuffix(source.FValue.Suffix());
    FValue.SetDefaultHandling(source.FValue.DefaultHandling());
    FValue.SetCanUndo(source.FValue.CanUndo());
    FValue.SetExcelStyleDecimalSeparator(source.FValue.ExcelStyleDecimalSeparator());
    FValue.SetValidChars(source.FValue.ValidChars());
    FValue.SetSigned(source.FValue.Signed());
    FValue.SetAutoThousandSeparator(source.FValue.AutoThousandSeparator());
    FButtonAppearance.Assign(source.FButtonAppearance);
    FDropDownHeader.Assign(source.FDropDownHeader);
    FDropDownFooter.Assign(source.FDropDownFooter);
    FDropPosition = source.FDropPosition;
    SetFlat(source.FFlat);
    SetDropDownButtonWidth(source.FButtonWidth);
    SetDropDownButtonHint(source.FButtonHint);
    FEditorEnabled = source.FEditorEnabled;
    if (const TBitmap* glyph = source.DropDownButtonGlyph())
        SetDropDownButtonGlyph(*glyph);
    SetButtonCaption(source.ButtonCaption());
    SetEtched(source.FEtched);
    FImages = source.FImages;
    FSelectionColorStyle = source.FSelectionColorStyle;
    FSelectionColor = source.FSelectionColor;
    FSelectionColorTo = source.FSelectionColorTo;
}
