#include "grid/paint/FxControlLook.h"

#include "grid/model/FxGrid.h"
#include "grid/paint/FxDropDownAppearance.h"

TControlLook::TControlLook(TFxStringGrid* ownerGrid)
    : FGrid(ownerGrid),
      FCheckedGlyph(std::make_unique<fw::TBitmap>()),
      FUnCheckedGlyph(std::make_unique<fw::TBitmap>()),
      FRadioOnGlyph(std::make_unique<fw::TBitmap>()),
      FRadioOffGlyph(std::make_unique<fw::TBitmap>())
{
    Init();
    FDropDownHeader = std::make_unique<THeaderAppearance>();
    FDropDownFooter = std::make_unique<TFooterAppearance>();
}

void TControlLook::SetDropDownHeader(const THeaderAppearance& value)
{
    FDropDownHeader->Assign(value);
}

void TControlLook::SetDropDownFooter(const TFooterAppearance& value)
{
    FDropDownFooter->Assign(value);
}

TControlLook::~TControlLook() = default;

void TControlLook::Init()
{
    FColor = fw::clBlack;
    FCommentColor = fw::clRed;
    FProgressBorderColor = fw::clGray;
    FFixedGradientFrom = fw::clNone;
    FFixedGradientTo = fw::clNone;
    FFixedGradientMirrorFrom = fw::clNone;
    FFixedGradientMirrorTo = fw::clNone;
    FFixedGradientHoverFrom = fw::clGray;
    FFixedGradientHoverTo = fw::clWhite;
    FFixedGradientHoverBorder = fw::clSilver;
    FFixedGradientDownFrom = fw::clGray;
    FFixedGradientDownTo = fw::clSilver;
    FFixedGradientDownBorder = fw::clGray;
    SetFixedGradientHoverMirrorFrom(fw::clNone);
    SetFixedGradientHoverMirrorTo(fw::clNone);
    SetFixedGradientDownMirrorFrom(fw::clNone);
    SetFixedGradientDownMirrorTo(fw::clNone);
}

void TControlLook::Assign(const TControlLook& s)
{
    FCheckSize = s.FCheckSize;
    FRadioSize = s.FRadioSize;
    FControlStyle = s.FControlStyle;
    FCheckedGlyph->Assign(*s.FCheckedGlyph);
    FUnCheckedGlyph->Assign(*s.FUnCheckedGlyph);
    FRadioOnGlyph->Assign(*s.FRadioOnGlyph);
    FRadioOffGlyph->Assign(*s.FRadioOffGlyph);
    FProgressMarginX = s.FProgressMarginX;
    FProgressMarginY = s.FProgressMarginY;
    FCommentColor = s.FCommentColor;
    FColor = s.FColor;
    FProgressBorderColor = s.FProgressBorderColor;
    FCheckAlwaysActive = s.FCheckAlwaysActive;
    FRadioAlwaysActive = s.FRadioAlwaysActive;
    FFixedGradientFrom = s.FFixedGradientFrom;
    FFixedGradientTo = s.FFixedGradientTo;
    FFixedGradientMirrorFrom = s.FFixedGradientMirrorFrom;
    FFixedGradientMirrorTo = s.FFixedGradientMirrorTo;
    FFixedGradientHoverFrom = s.FFixedGradientHoverFrom;
    FFixedGradientHoverTo = s.FFixedGradientHoverTo;
    FFixedGradientHoverMirrorFrom = s.FFixedGradientHoverMirrorFrom;
    FFixedGradientHoverMirrorTo = s.FFixedGradientHoverMirrorTo;
    FFixedGradientHoverBorder = s.FFixedGradientHoverBorder;
    FFixedGradientDownFrom = s.FFixedGradientDownFrom;
    FFixedGradientDownTo = s.FFixedGradientDownTo;
    FFixedGradientDownMirrorFrom = s.FFixedGradientDownMirrorFrom;
    FFixedGradientDownMirrorTo = s.FFixedGradientDownMirrorTo;
    FFixedGradientDownBorder = s.FFixedGradientDownBorder;
    FDropDownAlwaysVisible = s.FDropDownAlwaysVisible;
    FSpinButtonsAlwaysVisible = s.FSpinButtonsAlwaysVisible;
    FDropDownCount = s.FDropDownCount;
    FDropDownFooter->Assign(*s.FDropDownFooter);
    FDropDownHeader->Assign(*s.FDropDownHeader);
    FHintMaxWidth = s.FHintMaxWidth;
}

void TControlLook::Repaint()
{
    if (FGrid)
        FGrid->Invalidate();
}

void TControlLook::SetColor(fw::TColor value)
{
    FColor = value;
    Repaint();
}

void TControlLook::SetCommentColor(fw::TColor value)
{
    FCommentColor = value;
    Repaint();
}

void TControlLook::SetCheckedGlyph(const fw::TBitmap& value)
{
    FCheckedGlyph->Assign(value);
    Repaint();
}

void TControlLook::SetUnCheckedGlyph(const fw::TBitmap& value)
{
    FUnCheckedGlyph->Assign(value);
    Repaint();
}

void TControlLook::SetRadioOnGlyph(const fw::TBitmap& value)
{
    FRadioOnGlyph->Assign(value);
    Repaint();
}

void TControlLook::SetRadioOffGlyph(const fw::TBitmap& value)
{
    FRadioOffGlyph->Assign(value);
    Repaint();
}

// ---------------------------------------------------------------- gradients

void TControlLook::SetFixedGradientFrom(fw::TColor value)
{
    FFixedGradientFrom = value;
    if (FGrid && value != fw::clNone)
        FGrid->SetRIRGradientFrom(value);
}

void TControlLook::SetFixedGradientTo(fw::TColor value)
{
    FFixedGradientTo = value;
    if (FGrid && value != fw::clNone)
        FGrid->SetRIRGradientTo(value);
}

void TControlLook::SetFixedGradientMirrorFrom(fw::TColor value)
{
    FFixedGradientMirrorFrom = value;
    if (FGrid)
        FGrid->SetRIRGradientMirrorFrom(value);
}

void TControlLook::SetFixedGradientMirrorTo(fw::TColor value)
{
    FFixedGradientMirrorTo = value;
    if (FGrid)
        FGrid->SetRIRGradientMirrorTo(value);
}

#define FX_FIXED_GRADIENT_WRITER(Name, Always)                                                                       \
    void TControlLook::SetFixedGradient##Name(fw::TColor value)                                                      \
    {                                                                                                                \
        FFixedGradient##Name = value;                                                                                \
        if (FGrid && (Always || value != fw::clNone))                                                                \
            FGrid->SetRIRGradient##Name(value);                                                                      \
    }
FX_FIXED_GRADIENT_WRITER(HoverFrom, false)
FX_FIXED_GRADIENT_WRITER(HoverTo, false)
FX_FIXED_GRADIENT_WRITER(HoverMirrorFrom, true)
FX_FIXED_GRADIENT_WRITER(HoverMirrorTo, true)
FX_FIXED_GRADIENT_WRITER(HoverBorder, false)
FX_FIXED_GRADIENT_WRITER(DownFrom, false)
FX_FIXED_GRADIENT_WRITER(DownTo, false)
FX_FIXED_GRADIENT_WRITER(DownMirrorFrom, true)
FX_FIXED_GRADIENT_WRITER(DownMirrorTo, true)
FX_FIXED_GRADIENT_WRITER(DownBorder, false)
#undef FX_FIXED_GRADIENT_WRITER

// ---------------------------------------------------------------- controls

void TControlLook::SetCheckSize(int value)
{
    FCheckSize = value;
    Repaint();
}

void TControlLook::SetRadioSize(int value)
{
    FRadioSize = value;
    Repaint();
}

void TControlLook::SetControlStyle(TControlStyle value)
{
    FControlStyle = value;
    Repaint();
}

void TControlLook::SetDropDownAlwaysVisible(bool value)
{
    FDropDownAlwaysVisible = value;
    Repaint();
}

void TControlLook::SetSpinButtonsAlwaysVisible(bool value)
{
    FSpinButtonsAlwaysVisible = value;
    Repaint();
}

void TControlLook::SetFlatButton(bool value)
{
    FFlatButton = value;
    Repaint();
}

void TControlLook::SetNoDisabledCheckRadioLook(bool value)
{
    FNoDisabledCheckRadioLook = value;
    Repaint();
}

void TControlLook::SetNoDisabledButtonLook(bool value)
{
    FNoDisabledButtonLook = value;
    Repaint();
}

void TControlLook::SetProgressMarginX(int value)
{
    FProgressMarginX = value;
    Repaint();
}

void TControlLook::SetProgressMarginY(int value)
{
    FProgressMarginY = value;
    Repaint();
}

void TControlLook::SetProgressXP(bool value)
{
    FProgressXP = value;
    Repaint();
}
