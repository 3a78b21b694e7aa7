#pragma once
// The spin edit the grid's integer, float, date and time spin editors wrap: a
// single-line edit with an attached pair of arrow buttons that repeat their
// click while held. The edit steps its value with the buttons, the arrow keys
// and Page Up/Down (the date part or time part under the caret for dates and
// times), filters typed characters by its spin type and keeps the value inside
// optional limits (two equal limits mean none).
#include "framework/DateTime.h"
#include "framework/Input.h"
#include "framework/SpeedButton.h"
#include "framework/Timer.h"
#include "framework/Types.h"
#include "grid/foundation/SgEditBase.h"

#include <QPointer>

#include <functional>
#include <memory>

enum TSgSpinType { sptNormal, sptFloat, sptDate, sptTime };
enum TSpinDirection { spVertical, spHorizontal };
enum TEditAlign { eaLeft, eaRight, eaCenter };
enum TButtonDirection { bdLeft, bdRight, bdUp, bdDown };
enum TTimeBtnStateFlag { tbFocusRect, tbAllowTimer };
using TTimeBtnState = fw::TSet<TTimeBtnStateFlag, 2>;

class TSgSpinButton;

// An arrow button that clicks again and again while it is held: first after
// 400 ms, then every 100 ms, until the release (which clicks once more over
// the button, as every speed button does).
class TFxTimerSpeedButton : public fw::TSpeedButton {
    Q_OBJECT
public:
    static constexpr int kFirstRepeat = 400;
    static constexpr int kRepeat = 100;

    explicit TFxTimerSpeedButton(TSgSpinButton* owner);
    ~TFxTimerSpeedButton() override;

    TTimeBtnState TimeBtnState() const { return FTimeBtnState; }
    void SetTimeBtnState(TTimeBtnState value);
    TButtonDirection ButtonDirection() const { return FButtonDirection; }
    void SetButtonDirection(TButtonDirection value) { FButtonDirection = value; update(); }
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool value) { FIsWinXP = value; update(); }
    bool HasMouse() const { return FHasMouse; }
    // The repeat timer, created by the first press (null before).
    const fw::TTimer* RepeatTimer() const { return FRepeatTimer.get(); }

    // One repeat: clicks while the button is down and holds the mouse. An
    // error from the click stops the repeats before it passes on.
    void RepeatTick();

protected:
    void MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
    void MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void Paint(fw::TCanvas& canvas) override;

private:
    TSgSpinButton* FOwner;
    std::unique_ptr<fw::TTimer> FRepeatTimer;
    TTimeBtnState FTimeBtnState;
    TButtonDirection FButtonDirection = bdUp;
    bool FIsWinXP = false;
    bool FHasMouse = false;
};

// The pair of arrow buttons: up/down (vertical) or right/left (horizontal).
class TSgSpinButton : public QWidget {
    Q_OBJECT
public:
    explicit TSgSpinButton(QWidget* parent = nullptr);
    ~TSgSpinButton() override;

    void BeginLoad() { FLoading = true; }
    void Loaded();

    TFxTimerSpeedButton* UpButton() const { return FUpButton; }
    TFxTimerSpeedButton* DownButton() const { return FDownButton; }
    // The button that Space clicks and that shows the focus mark.
    TFxTimerSpeedButton* FocusedButton() const { return FFocusedButton; }

    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection value);
    // An empty bitmap restores the built-in arrow and a glyph count of 1.
    void SetUpGlyph(const fw::TBitmap& glyph);
    void SetDownGlyph(const fw::TBitmap& glyph);
    int UpNumGlyphs() const { return FUpButton->NumGlyphs(); }
    void SetUpNumGlyphs(int value) { FUpButton->SetNumGlyphs(value); }
    int DownNumGlyphs() const { return FDownButton->NumGlyphs(); }
    void SetDownNumGlyphs(int value) { FDownButton->SetNumGlyphs(value); }
    // The control that takes the focus when an arrow is pressed; not owned.
    QWidget* FocusControl() const { return FFocusControl; }
    void SetFocusControl(QWidget* control) { FFocusControl = control; }
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value);

    // Custom colours: with ButtonColor set, the arrows are flat fills in
    // ButtonColor, ButtonColorHot (mouse over) and ButtonColorDown (pressed).
    // The text and border colours are kept for callers that set them.
    fw::TColor ButtonColor() const { return FButtonColor; }
    void SetButtonColor(fw::TColor c) { FButtonColor = c; updateButtons(); }
    fw::TColor ButtonColorHot() const { return FButtonColorHot; }
    void SetButtonColorHot(fw::TColor c) { FButtonColorHot = c; updateButtons(); }
    fw::TColor ButtonColorDown() const { return FButtonColorDown; }
    void SetButtonColorDown(fw::TColor c) { FButtonColorDown = c; updateButtons(); }
    fw::TColor ButtonTextColor() const { return FButtonTextColor; }
    void SetButtonTextColor(fw::TColor c) { FButtonTextColor = c; }
    fw::TColor ButtonTextColorHot() const { return FButtonTextColorHot; }
    void SetButtonTextColorHot(fw::TColor c) { FButtonTextColorHot = c; }
    fw::TColor ButtonTextColorDown() const { return FButtonTextColorDown; }
    void SetButtonTextColorDown(fw::TColor c) { FButtonTextColorDown = c; }
    fw::TColor ButtonBorderColor() const { return FButtonBorderColor; }
    void SetButtonBorderColor(fw::TColor c) { FButtonBorderColor = c; }

    bool IsWinXP() const { return FIsWinXP; }
    void SetWinXPLook(bool value);

    void SetBounds(int left, int top, int width, int height);

    std::function<void(QObject* sender)> OnUpClick;
    std::function<void(QObject* sender)> OnDownClick;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    TFxTimerSpeedButton* MakeArrowButton();
    void ArrowClick(QObject* sender);
    void ArrowMouseDown(QObject* sender, fw::TMouseButton button);
    void MoveFocusMark(TFxTimerSpeedButton* button);
    // The size the buttons need for a requested size; lays them out.
    void FitArrowButtons(int& width, int& height);
    void updateButtons();

    TFxTimerSpeedButton* FUpButton = nullptr;
    TFxTimerSpeedButton* FDownButton = nullptr;
    TFxTimerSpeedButton* FFocusedButton = nullptr;
    QPointer<QWidget> FFocusControl;
    TSpinDirection FDirection = spVertical;
    bool FIsWinXP = false;
    bool FTabStop = false;
    bool FLoading = false;
    bool FFitting = false;
    fw::TColor FButtonColorDown = fw::clNone;
    fw::TColor FButtonBorderColor = fw::clNone;
    fw::TColor FButtonTextColor = fw::clNone;
    fw::TColor FButtonTextColorHot = fw::clNone;
    fw::TColor FButtonColor = fw::clNone;
    fw::TColor FButtonColorHot = fw::clNone;
    fw::TColor FButtonTextColorDown = fw::clNone;
};

// The built-in arrow glyphs of the spin buttons ("SgSpinUp", "SgSpinDown"),
// drawn on a transparent key colour.
void LoadSpinGlyph(TButtonDirection direction, fw::TBitmap& target);

class TSgSpinEdit : public TSgEditBase {
    Q_OBJECT
public:
    explicit TSgSpinEdit(QWidget* parent = nullptr);
    ~TSgSpinEdit() override;

    void Loaded() override;

    TSgSpinButton* Button() const { return FButton; }

    TSgSpinType SpinType() const { return FSpinType; }
    // Re-reads the value and writes it again in the new type's form.
    void SetSpinType(TSgSpinType value);

    // The text as an integer: 0 when empty, MinValue when it is no integer.
    int Value() const;
    void SetValue(int value);
    // The text as a number in the locale's format: MinFloatValue when it is none.
    double FloatValue() const;
    void SetFloatValue(double value);
    // The text as a short date: now for "0" or an empty text, MinDateValue when it is none.
    fw::TDateTime DateValue() const;
    void SetDateValue(fw::TDateTime value);
    // The text as a time: 0 when it is none.
    fw::TDateTime TimeValue() const;
    void SetTimeValue(fw::TDateTime value);

    int MinValue() const { return FMinValue; }
    void SetMinValue(int value) { FMinValue = value; }
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int value) { FMaxValue = value; }
    double MinFloatValue() const { return FMinFloatValue; }
    void SetMinFloatValue(double value) { FMinFloatValue = value; }
    double MaxFloatValue() const { return FMaxFloatValue; }
    void SetMaxFloatValue(double value) { FMaxFloatValue = value; }
    // Bound dates and, as a time is a date-time too, times.
    fw::TDateTime MinDateValue() const { return FMinDateValue; }
    void SetMinDateValue(fw::TDateTime value) { FMinDateValue = value; }
    fw::TDateTime MaxDateValue() const { return FMaxDateValue; }
    void SetMaxDateValue(fw::TDateTime value) { FMaxDateValue = value; }

    int Increment() const { return FIncrement; }
    void SetIncrement(int value) { FIncrement = value; }
    double IncrementFloat() const { return FIncrementFloat; }
    void SetIncrementFloat(double value) { FIncrementFloat = value; }
    double IncrementFloatPage() const { return FIncrementFloatPage; }
    void SetIncrementFloatPage(double value) { FIncrementFloatPage = value; }
    int IncrementHours() const { return FIncrementHours; }
    void SetIncrementHours(int value) { FIncrementHours = value; }
    int IncrementMinutes() const { return FIncrementMinutes; }
    void SetIncrementMinutes(int value) { FIncrementMinutes = value; }
    int IncrementSeconds() const { return FIncrementSeconds; }
    void SetIncrementSeconds(int value) { FIncrementSeconds = value; }
    // Decimals of a float value (0: the shortest form).
    int Precision() const { return FPrecision; }
    void SetPrecision(int value);
    bool ShowSeconds() const { return FShowSeconds; }
    void SetShowSeconds(bool value) { FShowSeconds = value; }
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool value) { FReturnIsTab = value; }
    // A "." from the numeric keypad types the locale's decimal separator.
    bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool value) { FExcelStyleDecimalSeparator = value; }
    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection value);
    TEditAlign EditAlign() const { return FEditAlign; }
    void SetEditAlign(TEditAlign value);
    bool SpinFlat() const { return FSpinFlat; }
    void SetSpinFlat(bool value);
    bool SpinTransparent() const { return FSpinTransparent; }
    void SetSpinTransparent(bool value);
    bool AllowEmptyValue() const { return FAllowEmptyValue; }
    void SetAllowEmptyValue(bool value) { FAllowEmptyValue = value; }
    // Whether the last date step read the month before the day.
    bool UsDates() const { return FUsDates; }

    // The grid calls it when it creates its spin editor.
    void ApplyWinXPLook(bool value);

    // One step up or down (page: Page Up/Down) for the spin type; a read-only
    // edit only beeps.
    virtual void StepUp(bool page);
    virtual void StepDown(bool page);
    // Whether a typed character may reach the text.
    virtual bool AcceptsChar(QChar key);
    virtual void UpButtonClick(QObject* sender);
    virtual void DownButtonClick(QObject* sender);

    // Key-down handling as a wrapping editor hands keys on: the arrow and page
    // keys step (key becomes 0), Enter with ReturnIsTab moves on as Tab, Delete
    // is swallowed without EditorEnabled. `key` is a virtual-key code.
    void HandleKeyDown(int& key, fw::TShiftState shift);
    // Character handling: a keypad "." may become the decimal separator, and a
    // character the spin type refuses becomes null (with a beep).
    void HandleWmChar(QChar& key, bool fromKeypad);

protected:
    int MinimumHeight() const override;
    void LayoutControl() override;
    bool SelectAllOnEnter() const override;

    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int CheckIntLimits(int value) const;
    double CheckFloatLimits(double value) const;
    fw::TDateTime CheckDateLimits(fw::TDateTime value) const;
    void StepDate(int direction);
    void StepTime(int direction);
    void ApplyAlignment();
    void Relayout();

    int FMinValue = 0;
    int FMaxValue = 100;
    double FMinFloatValue = 0;
    double FMaxFloatValue = 100.0;
    fw::TDateTime FMinDateValue = 0;
    fw::TDateTime FMaxDateValue = 0;
    fw::TDateTime FDateValue = 0;
    fw::TDateTime FTimeValue = 0;
    int FIncrement = 1;
    double FIncrementFloat = 0.1;
    TSgSpinButton* FButton = nullptr;
    TSpinDirection FDirection = spVertical;
    TSgSpinType FSpinType = sptNormal;
    int FPrecision = 0;
    bool FReturnIsTab = false;
    bool FIsWinXP = false;
    bool FExcelStyleDecimalSeparator = false;
    bool FUsDates = false;
    bool FShowSeconds = true;
    int FIncrementSeconds = 1;
    int FIncrementMinutes = 1;
    int FIncrementHours = 1;
    TEditAlign FEditAlign = eaLeft;
    bool FSpinFlat = false;
    bool FSpinTransparent = false;
    bool FAllowEmptyValue = false;
    double FIncrementFloatPage = 1.0;
};
