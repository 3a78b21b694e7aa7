#pragma once
// TFxTimePickerDropDown: a masked time edit ("HH:MM:SS" or "HH:MM" with the
// locale's time separator) whose popup shows the analog clock and,
// optionally, a spin-style time edit under it. Up and Down step the field
// under the caret; closing the popup takes the clock's time, a cancel keeps
// the former one. The text rules are free functions (FxTimePicker).
#include "controls/dropdown/FxCustomDropDown.h"
#include "controls/dropdown/FxWatch.h"

#include <QPointer>

#include <QTimeEdit>

namespace FxTimePicker {
enum TTimeField { tfHour, tfMinute, tfSecond };
// Two digits per field joined by `sep`; the seconds only with `seconds`.
QString FormatTime(int hour, int minute, int second, bool seconds, QChar sep);
// The field under the caret (0-based caret position in the shown text).
TTimeField FieldAtCaret(const QString& text, int caret, bool seconds, QChar sep);
// A typed text as a time: the separators as the form asks, mask blanks as
// "0", each field starting with digits (an empty one counts 0). False for
// any other text and for a time that does not exist (25:00).
bool ParseTime(const QString& text, bool seconds, QChar sep, int& hour, int& minute, int& second);
// Up lowers the field by one and Down raises it, wrapping 0 ↔ 23 / 59.
int StepField(int value, TTimeField field, bool up);
} // namespace FxTimePicker

class TFxTimePickerDropDown : public TFxCustomDropDown {
    Q_OBJECT
public:
    explicit TFxTimePickerDropDown(QWidget* parent = nullptr);
    ~TFxTimePickerDropDown() override;

    fw::TDateTime Time() const { return FTime; }
    // A different value rewrites the text (and, while open, the clock);
    // OnTimeChange does not fire.
    void SetTime(fw::TDateTime value);
    // The text rewritten from `value` even when Time is already that value
    // (a text typed half-way shows the time again).
    void ShowTime(fw::TDateTime value);
    // A field replaced (milliseconds kept), then OnTimeChange; an equal or
    // out-of-range value changes nothing.
    void ChangeHour(int value);
    void ChangeMinute(int value);
    void ChangeSecond(int value);
    QString FormatTime(int hour, int minute, int second) const;

    bool ShowSeconds() const { return FShowSeconds; }
    void SetShowSeconds(bool value);
    bool ShowTimePicker() const { return FShowTimePicker; }
    void SetShowTimePicker(bool value) { FShowTimePicker = value; }
    bool ShowWatchAMPM() const { return FShowWatchAMPM; }
    void SetShowWatchAMPM(bool value) { FShowWatchAMPM = value; }
    bool ShowWatchNumbers() const { return FShowWatchNumbers; }
    void SetShowWatchNumbers(bool value) { FShowWatchNumbers = value; }
    bool Animation() const { return FAnimation; }
    void SetAnimation(bool value) { FAnimation = value; }
    int AnimationFactor() const { return FAnimationFactor; }
    void SetAnimationFactor(int value) { FAnimationFactor = value; }
    TWatchAppearance& WatchAppearance() { return FWatchAppearance; }
    void SetWatchAppearance(const TWatchAppearance& value) { FWatchAppearance.Assign(value); }
    TWatchSettings& WatchSettings() { return FWatchSettings; }
    void SetWatchSettings(const TWatchSettings& value) { FWatchSettings.Assign(value); }
    TFxWatch* Watch() const { return FFxWatch; }
    QTimeEdit* TimeEdit() const { return FDateTimePicker; }
    QWidget* Panel() const { return FPanelCtrl; }

    void SetComponentStyle(TFxStyle style) override;
    void DoHideDropDown(bool cancel) override;

    TNotifyEvent OnTimeChange;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void DropDownHidden() override;
    void FormKeyDown(int& key, fw::TShiftState shift) override;
    void FormKeyUp(int& key, fw::TShiftState shift) override;
    void ControlKeyDown(int& key, fw::TShiftState shift) override;
    void ControlKeyUp(int& key, fw::TShiftState shift) override;
    void ControlKeyPress(QChar& key) override;
    void KeyDown(int& key, fw::TShiftState shift) override;
    void HandleChange() override;

private:
    void WriteText();
    void ApplyMask();
    void WatchChange();
    void PickerChange();
    void SetField(FxTimePicker::TTimeField field, int value);
    void FireTimeChange();

    bool FShowTimePicker = false;
    TFxWatch* FFxWatch = nullptr;
    QPointer<QTimeEdit> FDateTimePicker;
    QWidget* FPanelCtrl = nullptr;
    TWatchAppearance FWatchAppearance;
    bool FShowWatchAMPM = true;
    bool FShowWatchNumbers = true;
    bool FAnimation = true;
    int FAnimationFactor = 10;
    fw::TDateTime FTime = 0;
    TWatchSettings FWatchSettings;
    bool FInternalCall = false;
    bool FShowSeconds = true;
    fw::TDateTime FDropTime = 0;
};
