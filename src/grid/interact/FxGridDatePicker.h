#pragma once
// The date and time editor of the grid (edDateEdit, edDateEditUpDown,
// edTimeEdit): the flat date/time picker with the grid's keys, and a part
// advance that moves on to the next date or time part once a typed digit
// has changed the part being typed (never past the format's last part).
#include "framework/Input.h"
#include "grid/foundation/SgDateTimePicker.h"

class TFxStringGrid;

class TGridDatePicker : public TSgDateTimePicker {
    Q_OBJECT
public:
    explicit TGridDatePicker(TFxStringGrid* grid);
    TFxStringGrid* Grid() const { return FGrid; }

    bool WeekNumbers() const { return FWeekNumbers; }
    void SetWeekNumbers(bool value) { FWeekNumbers = value; }
    bool ShowToday() const { return FShowToday; }
    void SetShowToday(bool value) { FShowToday = value; }
    bool ShowTodayCircle() const { return FShowTodayCircle; }
    void SetShowTodayCircle(bool value) { FShowTodayCircle = value; }

    // A cell text as this picker's value: the date kinds read date and
    // time, the time kind a time; `ok` false (and now) when it is none.
    static fw::TDateTime CellValue(TFxStringGrid& grid, TDateTimeKind kind, const QString& text, bool& ok);
    // Shows a text in the picker's notation (a text that is none leaves it).
    void SetPickerText(const QString& text);

    // Makes a date or time part the active one, its digits selected for typing.
    void SelectSection(int index);

    // The grid's keys: false when the key was taken here.
    bool KeyDown(int& key, fw::TShiftState shift);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    // The value after a typed digit against the one before: on to the next part?
    void ShiftFocus();

    TFxStringGrid* FGrid;
    // The value and the part before the last typed digit.
    int Fy = 0, Fm = 0, Fd = 0;
    int Fth = 0, Ftm = 0, Fts = 0, Ftms = 0;
    int FTypedSection = -1;
    bool FOldDropped = false;
    bool FWeekNumbers = false;
    bool FShowToday = true;
    bool FShowTodayCircle = true;
};
