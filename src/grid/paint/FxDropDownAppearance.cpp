#include "grid/paint/FxDropDownAppearance.h"

// ---- buttons ----------------------------------------------------------------------------

void THeaderButton::SetCaption(const QString& value) { SetAndNotify(FCaption, value); }

void THeaderButton::SetEnabled(bool value) { SetAndNotify(FEnabled, value); }

void THeaderButton::SetWidth(int value) { SetAndNotify(FWidth, value); }

void THeaderButton::SetHeight(int value) { FHeight = value; }

void THeaderButton::Assign(const THeaderButton& source)
{
    FCaption = source.FCaption;
    FImageIndex = source.FImageIndex;
    SetEnabled(source.FEnabled);
    SetWidth(source.FWidth);
    SetHeight(source.FHeight);
}

void TFooterButton::Assign(const THeaderButton& source)
{
    THeaderButton::Assign(source);
    if (const auto* footer = dynamic_cast<const TFooterButton*>(&source))
        FModalResult = footer->FModalResult;
}

// ---- header and footer appearance -------------------------------------------------------

void TBarAppearance::SetVisible(bool value)
{
    if (value == FVisible)
        return;
    FVisible = value;
    if (OnChange)
        OnChange();
}

THeaderButton* TBarAppearance::ButtonAt(int index) const
{
    return static_cast<THeaderButton*>(ButtonList().ItemAt(index));
}

void TBarAppearance::WatchButtons(TFxCollectionBase& buttons)
{
    buttons.OnChange = [this] {
        if (OnButtonsChanged)
            OnButtonsChanged();
    };
}

void TBarAppearance::AssignColors(const TBarAppearance& source)
{
    ColorTo = source.ColorTo;
    Color = source.Color;
    BorderColor = source.BorderColor;
    Font = source.Font;
    GradientDirection = source.GradientDirection;
}

void TBarAppearance::AssignBase(const TBarAppearance& source)
{
    AssignColors(source);
    Caption = source.Caption;
    ImageIndex = source.ImageIndex;
    BorderWidth = source.BorderWidth;
    Height = source.Height;
    SetVisible(source.Visible());
    ButtonAlignment = source.ButtonAlignment;
}

THeaderAppearance::THeaderAppearance()
{
    Font.Name = QStringLiteral("Tahoma");
    WatchButtons(FButtons);
}

void THeaderAppearance::Assign(const THeaderAppearance& source)
{
    if (&source == this)
        return;
    AssignBase(source);
    FButtons.Assign(source.FButtons);
}

TFooterAppearance::TFooterAppearance() { WatchButtons(FButtons); }

void TFooterAppearance::Assign(const TFooterAppearance& source)
{
    if (&source == this)
        return;
    AssignBase(source);
    SizeGrip = source.SizeGrip;
    FButtons.Assign(source.FButtons);
}
