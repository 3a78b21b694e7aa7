#pragma once
// TFxCalculatorDropdown: a numeric edit whose popup is a pocket calculator.
// The edit text is the calculator's display (TCalculatorEngine); the keypad
// (TCustomButtonPanel) holds 28 keys on a 6 × 5 grid. Whatever the display
// shows when the popup closes is the control's value.
#include "controls/dropdown/FxCalculatorEngine.h"
#include "controls/dropdown/FxCustomDropDown.h"
#include "grid/foundation/FxCollection.h"

#include <QWidget>

#include <array>
#include <functional>

// ---- keys --------------------------------------------------------------------------------

class TButtonItem : public TFxCollectionItem {
public:
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& value) { FCaption = value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value) { FImageIndex = value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }
    int Tag() const { return FTag; }
    void SetTag(int value) { FTag = value; }
    QString Name() const { return FName; }
    void SetName(const QString& value) { FName = value; }
    fw::TColor CaptionColor() const { return FCaptionColor; }
    void SetCaptionColor(fw::TColor value) { FCaptionColor = value; }
    // The caption is drawn in the appearance's SpecialTextColor.
    bool Special() const { return FSpecial; }
    void SetSpecial(bool value) { FSpecial = value; }
    // The key's rectangle in panel coordinates, set by the layout.
    fw::TRect Rect() const { return FRect; }
    void SetRect(const fw::TRect& r) { FRect = r; }
    // Caption, caption colour, tag, image index, enabled and name.
    void Assign(const TButtonItem& source);

private:
    QString FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    int FTag = 0;
    fw::TRect FRect;
    QString FName;
    fw::TColor FCaptionColor = fw::clWhite;
    bool FSpecial = false;
};

class TButtonItems : public TFxCollection<TButtonItem> {};

// The look of the keys. The faces are drawn in the platform's push-button
// style; the colours are kept for styling and copying, only the font and
// the two text colours reach the screen.
class TButtonAppearance {
public:
    TButtonAppearance();
#define FX_KEY_COLOR(Name, Field)                                                                                      \
    fw::TColor Name() const { return Field; }                                                                          \
    void Set##Name(fw::TColor value) { SetColor(Field, value); }
    FX_KEY_COLOR(BorderColor, FBorderColor)
    FX_KEY_COLOR(BorderColorHot, FBorderColorHot)
    FX_KEY_COLOR(BorderColorDown, FBorderColorDown)
    FX_KEY_COLOR(BorderColorChecked, FBorderColorChecked)
    FX_KEY_COLOR(Color, FColor)
    FX_KEY_COLOR(ColorTo, FColorTo)
    FX_KEY_COLOR(ColorDown, FColorDown)
    FX_KEY_COLOR(ColorDownTo, FColorDownTo)
    FX_KEY_COLOR(ColorHot, FColorHot)
    FX_KEY_COLOR(ColorHotTo, FColorHotTo)
    FX_KEY_COLOR(ColorChecked, FColorChecked)
    FX_KEY_COLOR(ColorCheckedTo, FColorCheckedTo)
    FX_KEY_COLOR(ColorDisabled, FColorDisabled)
    FX_KEY_COLOR(ColorDisabledTo, FColorDisabledTo)
    FX_KEY_COLOR(TextColor, FTextColor)
    FX_KEY_COLOR(SpecialTextColor, FSpecialTextColor)
#undef FX_KEY_COLOR
    // Stored without notification.
    fw::TColor ShineColor() const { return FShineColor; }
    void SetShineColor(fw::TColor value) { FShineColor = value; }
    fw::TColor GlowColorHot() const { return FGlowColorHot; }
    void SetGlowColorHot(fw::TColor value) { FGlowColorHot = value; }
    fw::TColor GlowColorDown() const { return FGlowColorDown; }
    void SetGlowColorDown(fw::TColor value) { FGlowColorDown = value; }
    const fw::TFont& Font() const { return FFont; }
    void SetFont(const fw::TFont& value);
    void Assign(const TButtonAppearance& source);

    std::function<void()> OnChange;

private:
    void SetColor(fw::TColor& field, fw::TColor value);

    fw::TColor FBorderColor = 0;
    fw::TColor FBorderColorHot = 0;
    fw::TColor FBorderColorDown = 0;
    fw::TColor FBorderColorChecked = 0xFF0000;
    fw::TColor FColor = 0x9A915F;
    fw::TColor FColorTo = 0xB0A170;
    fw::TColor FColorDown = 0x4B2F08;
    fw::TColor FColorDownTo = 0xADB514;
    fw::TColor FColorHot = 0x9F6F1C;
    fw::TColor FColorHotTo = 0xD5C244;
    fw::TColor FColorCheckedTo;
    fw::TColor FColorDisabled;
    fw::TColor FColorDisabledTo;
    fw::TColor FColorChecked;
    fw::TFont FFont;
    fw::TColor FShineColor = 0xFFFFFF;
    fw::TColor FGlowColorHot = 0xD5C244;
    fw::TColor FGlowColorDown = 0xD5C244;
    fw::TColor FTextColor = 0;
    fw::TColor FSpecialTextColor = 0x000080;
};

// ---- keypad ------------------------------------------------------------------------------

enum TButtonPanelType { plCalculator, plCustom };

namespace FxCalculator {
constexpr int KeyCount = 28;
// The rectangles of the 28 calculator keys (in the order of the default
// keys) in the area `r` (the client less the margins): six columns, five
// rows; keys of one group share their border pixel, the memory column, the
// digits and the operators are 4 pixels apart.
std::array<fw::TRect, KeyCount> ArrangeKeys(const fw::TRect& r);
} // namespace FxCalculator

class TFxCalculatorDropdown;

class TCustomButtonPanel : public QWidget {
    Q_OBJECT
public:
    explicit TCustomButtonPanel(QWidget* parent = nullptr);
    ~TCustomButtonPanel() override;

    TButtonItems& Buttons() { return FButtons; }
    TButtonAppearance& ButtonAppearance() { return FButtonAppearance; }
    void SetButtonAppearance(const TButtonAppearance& value) { FButtonAppearance.Assign(value); }
    TButtonPanelType ButtonPanelType() const { return FButtonPanelType; }
    void SetButtonPanelType(TButtonPanelType value);
    TItemLayout ButtonLayout() const { return FButtonLayout; }
    void SetButtonLayout(TItemLayout value) { FButtonLayout = value; }
    void SetCalculator(TFxCalculatorDropdown* calc) { FxDropDown = calc; }

    // The client less the margins.
    fw::TRect ButtonsRect() const;
    // Adds the 28 calculator keys when there are none (plCalculator), then arranges.
    virtual void CreateDefaultButtons();
    virtual void ArrangeButtons();
    // The lowest key whose rectangle holds the point; -1 none.
    int ButtonAtPos(const QPoint& p) const;
    fw::TColor Color() const { return FColor; }
    void SetColor(fw::TColor value);
    int HotButton() const { return FButtonHot; }
    int DownButton() const { return FButtonDown; }

    std::function<void(QObject* sender, int index)> OnButtonClick;

protected:
    virtual void DrawButton(int index, fw::TCanvas& canvas);
    virtual void ButtonClick(int index);
    void SetHotButton(int index);
    void SetDownButton(int index);

    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    bool Usable(int index) const;

    TButtonItems FButtons;
    TItemLayout FButtonLayout = ilCaptionRight;
    int FButtonHot = -1;
    int FButtonDown = -1;
    int FOffSetX = 8;
    int FOffSetY = 8;
    int FButtonOffSetX = 4;
    int FButtonOffSetY = 4;
    TButtonPanelType FButtonPanelType = plCalculator;
    TButtonAppearance FButtonAppearance;
    TFxCalculatorDropdown* FxDropDown = nullptr;
    fw::TColor FColor = fw::clWhite;
};

// ---- the drop-down -----------------------------------------------------------------------

class TFxCalculatorDropdown : public TFxCustomDropDown {
    Q_OBJECT
public:
    explicit TFxCalculatorDropdown(QWidget* parent = nullptr);
    ~TFxCalculatorDropdown() override;

    // The display as a number: empty reads as 0, a text that does not
    // convert as 0. (Value() is the base's value rules.)
    double NumberValue();
    // The display becomes the value ("%g"), formatted with Precision.
    void SetNumberValue(double value);
    // Completes the pending calculation like "=".
    void CalcResult();
    bool ShowThousandSeparator() const { return FShowThousandSeparator; }
    // Grouped digits (etMoney) or not (etFloat); the display is regrouped at once.
    void SetShowThousandSeparator(bool value);
    TButtonAppearance& CalcButtonAppearance() { return FCalcButtonAppearance; }
    void SetCalcButtonAppearance(const TButtonAppearance& value) { FCalcButtonAppearance.Assign(value); }
    TCustomButtonPanel* ButtonPanel() const { return FFxButtonPanel; }
    TCalculatorEngine& Engine() { return FEngine; }
    void SetComponentStyle(TFxStyle style) override;
    // A cancel restores the display from before the popup opened.
    void DoHideDropDown(bool cancel) override;

    // A keypad key by its index (the keypad's click).
    void CalcButtonClick(QObject* sender, int index);

protected:
    // Called before every key click and every key typed in the popup.
    virtual void BeforeCalcInput() {}
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void FormKeyPress(QChar& key) override;
    void FormKeyDown(int& key, fw::TShiftState shift) override;
    void KeyPress(QChar& key) override;
    void KeyDown(int& key, fw::TShiftState shift) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    bool PopupClosed() const;
    void CalcKeyPress(QChar key);
    void ZeroIfBlankOrError();
    void CaretAfterFirst();

    TCalculatorEngine FEngine;
    TCustomButtonPanel* FFxButtonPanel = nullptr;
    bool FCalcClosed = true;
    TButtonAppearance FCalcButtonAppearance;
    bool FShowThousandSeparator = false;
    // The display when the popup opened, which a cancel restores.
    QString FDropText;
};
