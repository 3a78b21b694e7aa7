#pragma once
// Settings objects of the popup's header and footer strips and of their
// buttons: THeaderAppearance / TFooterAppearance with their button
// collections, and TFxButtonAppearance, the colour set of the strip buttons
// and the drop button. They hold settings and report changes; the strips
// draw them (FxDropDownBars.h).
#include "controls/dropdown/FxCollection.h"
#include "controls/dropdown/FxDropDownTypes.h"
#include "framework/Forms.h"
#include "framework/Graphics.h"
#include "framework/Types.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>


// A button of the header strip.
class THeaderButton : public TFxCollectionItem {
public:
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value) { FImageIndex = value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    int Width() const { return FWidth; }
    void SetWidth(int value);
    // A new height notifies nobody.
    int Height() const { return FHeight; }
    void SetHeight(int value);
    // Caption and image index straight, the rest through the setters.
    virtual void Assign(const THeaderButton& source);

private:
    QString FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    int FWidth = 0;
    int FHeight = 0;
};

// A button of the footer strip: with a modal result it closes the popup.
class TFooterButton : public THeaderButton {
public:
    fw::TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(fw::TModalResult value) { FModalResult = value; }
    void Assign(const THeaderButton& source) override;

private:
    fw::TModalResult FModalResult = fw::mrNone;
};

// OnChange fires when an item's caption, enabled state or width changes.
using THeaderButtons = TFxCollection<THeaderButton>;
using TFooterButtons = TFxCollection<TFooterButton>;

// What the header and footer settings share. Only a change of Visible
// fires OnChange; OnButtonsChanged follows the button collection.
class TBarAppearance {
public:
    virtual ~TBarAppearance() = default;
    TBarAppearance(const TBarAppearance&) = delete;
    TBarAppearance& operator=(const TBarAppearance&) = delete;

    fw::TColor Color = fw::clSilver;
    fw::TColor ColorTo = fw::clWhite;
    QString Caption;
    fw::TFont Font;
    TGradientDirection GradientDirection = gdVertical;
    int Height = 22;
    fw::TColor BorderColor = fw::clBlack;
    int BorderWidth = 1;
    int ImageIndex = -1;
    TButtonAlignment ButtonAlignment = baRight;

    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    // The buttons, footer buttons seen as header buttons.
    virtual const TFxCollectionBase& ButtonList() const = 0;
    THeaderButton* ButtonAt(int index) const;

    // Colours, font and gradient direction only.
    void AssignColors(const TBarAppearance& source);

    std::function<void()> OnChange;
    std::function<void()> OnButtonsChanged;

protected:
    TBarAppearance() = default;
    // Everything but the buttons, Visible through its setter.
    void AssignBase(const TBarAppearance& source);
    void WatchButtons(TFxCollectionBase& buttons);

private:
    bool FVisible = true;
};

// Header strip settings.
class THeaderAppearance : public TBarAppearance {
public:
    THeaderAppearance();
    THeaderButtons& Buttons() { return FButtons; }
    const THeaderButtons& Buttons() const { return FButtons; }
    const TFxCollectionBase& ButtonList() const override { return FButtons; }
    void Assign(const THeaderAppearance& source);

private:
    THeaderButtons FButtons;
};

// Footer strip settings: the header's plus a size grip.
class TFooterAppearance : public TBarAppearance {
public:
    TFooterAppearance();
    bool SizeGrip = true;
    TFooterButtons& Buttons() { return FButtons; }
    const TFooterButtons& Buttons() const { return FButtons; }
    const TFxCollectionBase& ButtonList() const override { return FButtons; }
    void Assign(const TFooterAppearance& source);

private:
    TFooterButtons FButtons;
};

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
