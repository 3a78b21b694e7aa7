#pragma once
// The date/time picker of the drop-down family. TCustomDateTimePicker is the
// framework picker with the flat look (TSgDateTimePicker), a check box that
// switches the value off, and AutoTab: a typed digit that completes a date
// or time part moves the caret on to the next part. TFxDateTimePicker adds
// a caption label beside it and a three-way Kind; its date-and-time form
// carries a second picker for the time at the right end of the control.
#include "framework/Input.h"
#include "grid/foundation/SgDateTimePicker.h"

#include <QPointer>

#include <functional>

class QLabel;

namespace FxDateTimePicker {
// This unit's label positions (13; the drop-downs have their own list).
enum TLabelPosition {
    lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft, lpLeftCenterLeft,
    lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter, lpRighBottom
};
// The label's top-left for a picker at (left, top) of size width x height,
// a label of size labelWidth x labelHeight whose text is textWidth wide.
fw::TPoint LabelOrigin(TLabelPosition position, int left, int top, int width, int height, int margin, int textWidth,
                       int labelWidth, int labelHeight);
} // namespace FxDateTimePicker

enum TFxDateTimeKind { dkDate, dkTime, dkDateTime };

class TCustomDateTimePicker : public TSgDateTimePicker {
    Q_OBJECT
public:
    explicit TCustomDateTimePicker(QWidget* parent = nullptr);
    ~TCustomDateTimePicker() override;

    bool AutoTab() const { return FAutoTab; }
    virtual void SetAutoTab(bool value) { FAutoTab = value; }
    // The system draws the border; the coloured border is off.
    virtual bool DefaultBorderPaint() const { return true; }
    void SetBorderStyle(TBorderStyle value) { ChangeBorderStyle(value); }

    // A check box before the value; unchecked means "no value".
    bool ShowCheckbox() const { return FShowCheckbox; }
    void SetShowCheckbox(bool value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    std::function<void(QObject* sender)> OnCheckChange;

    // Every key before the picker handles it; a key set to 0 is swallowed.
    std::function<void(QObject* sender, int& key, fw::TShiftState shift)> OnKeyDown;
    // The key handling the picker's owner sees first (OnKeyDown, then the
    // picker's own unless the key was swallowed).
    virtual void KeyDown(int& key, fw::TShiftState shift);

    fw::TRect CheckboxRect() const;

protected:
    // After a typed digit: the part is complete, move on.
    virtual void AutoTabNext();
    // The part the caret is in is complete after `digits` digits.
    bool SectionComplete(int digits) const;

    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

    int FDigits = 0;
    int FDigitSection = -1;

private:
    void ApplyCheckMargin();
    bool FAutoTab = false;
    bool FShowCheckbox = false;
    bool FChecked = true;
};

class TFxDateTimePicker : public TCustomDateTimePicker {
    Q_OBJECT
public:
    explicit TFxDateTimePicker(QWidget* parent = nullptr);
    ~TFxDateTimePicker() override;

    TFxDateTimeKind Kind() const { return FKind; }
    void SetKind(TFxDateTimeKind value);
    // Date and time; with the time picker its time is the value's.
    fw::TDateTime DateTime() const;
    virtual void SetDateTime(fw::TDateTime value);
    // The date part; writing keeps the time of day shown (seconds, no milliseconds).
    fw::TDateTime Date() const;
    void SetDate(fw::TDateTime value);
    fw::TDateTime Time() const;
    void SetTime(fw::TDateTime value);
    QString TimeFormat() const { return FTimeFormat; }
    void SetTimeFormat(const QString& value);
    void SetAutoTab(bool value) override;
    bool DefaultBorderPaint() const override { return false; }
    void SetBorderStyle(TBorderStyle value);
    // The picker as it shows its value: date, and the time when it has one.
    QString DisplayText() const;

    // "1.2.0.0"; writing is ignored.
    static std::uint32_t GetVersionNr() { return 0x01020000u; }
    QString Version() const;

    // ---- label
    QLabel* PickerLabel() const { return FLabel; }
    QString LabelCaption() const;
    void SetLabelCaption(const QString& value);
    FxDateTimePicker::TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(FxDateTimePicker::TLabelPosition value);
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int value);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool value);
    bool FocusLabel() const { return FFocusLabel; }
    void SetFocusLabel(bool value) { FFocusLabel = value; }
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool value);
    const fw::TFont& LabelFont() const { return FLabelFont; }
    void SetLabelFont(const fw::TFont& value);

    // The time part of the date-and-time form (null otherwise).
    TCustomDateTimePicker* TimePicker() const { return FTimePicker; }

    std::function<void(QObject* sender)> OnTimeChange;
    std::function<void(QObject* sender)> OnLabelClick;
    std::function<void(QObject* sender)> OnLabelDblClick;

protected:
    void AutoTabNext() override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void CreateTimePicker();
    void UpdateTimePicker();
    void CreateLabel();
    void UpdateLabel();
    void UpdateLabelState();

    TFxDateTimeKind FKind = dkDateTime;
    QString FTimeFormat;
    QPointer<QLabel> FLabel;
    fw::TFont FLabelFont;
    FxDateTimePicker::TLabelPosition FLabelPosition = FxDateTimePicker::lpLeftTop;
    int FLabelMargin = 4;
    bool FLabelTransparent = false;
    bool FFocusLabel = false;
    bool FLabelAlwaysEnabled = false;
    QPointer<TCustomDateTimePicker> FTimePicker;
};
