#pragma once
// The framework's date/time picker with a flat look added: a one-colour frame
// instead of the 3D border, a focus frame colour, and a "metro" drop-down
// button drawn over the native one with its own normal, hot and pressed
// colours. Editing, the drop-down calendar and the date parts' keys are the
// framework picker's own.
#include "framework/DateTime.h"
#include "framework/Types.h"
#include "grid/foundation/SgEditBase.h"

#include <QDateTimeEdit>
#include <QString>

#include <cstdint>
#include <functional>

namespace fw { class TCanvas; }

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };

// The most significant 32 bits of a file's version resource; -1 for a file
// without one (as every file here is).
std::int32_t ReadFileVersionMS(const QString& fileName);
// The common controls draw with the visual style here.
bool IsComCtl6OrLater();
// The left or the right mouse button is down now.
bool IsMouseButtonDown();

class TSgDateTimePicker : public QDateTimeEdit {
    Q_OBJECT
public:
    explicit TSgDateTimePicker(QWidget* parent = nullptr);
    ~TSgDateTimePicker() override;

    // ---- the framework picker's values
    TDateTimeKind Kind() const { return FKind; }
    void SetKind(TDateTimeKind value);
    TDTDateMode DateMode() const { return FDateMode; }
    void SetDateMode(TDTDateMode value);
    // The date part, the time part and both.
    fw::TDateTime Date() const;
    void SetDate(fw::TDateTime value);
    fw::TDateTime Time() const;
    void SetTime(fw::TDateTime value);
    fw::TDateTime DateTime() const;
    void SetDateTime(fw::TDateTime value);
    fw::TDateTime MinDate() const;
    void SetMinDate(fw::TDateTime value);
    fw::TDateTime MaxDate() const;
    void SetMaxDate(fw::TDateTime value);
    // A display format in the framework's date and time notation ("dd/mm/yyyy",
    // "hh:nn"); empty means the locale's short date or long time format.
    QString Format() const { return FFormat; }
    void SetFormat(const QString& value);
    bool DroppedDown() const;
    // Opens the calendar of a date picker with a drop-down.
    void DropDown();
    // F4, Alt+Down and Alt+Up: the keys that open the calendar, as on the
    // desktop's own picker.
    static bool IsCalendarKey(const QKeyEvent& e);

    std::function<void(QObject* sender)> OnChange;
    std::function<void(QObject* sender)> OnDropDown;
    std::function<void(QObject* sender)> OnCloseUp;

    // ---- the flat look
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    virtual void ChangeBorderStyle(TBorderStyle value);
    fw::TColor Color() const { return FColor; }
    void SetColor(fw::TColor value);
    fw::TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(fw::TColor value);
    bool MetroStyle() const { return FMetroStyle; }
    void SetMetroStyle(bool value);
    fw::TColor ButtonColor() const { return FButtonColor; }
    void SetButtonColor(fw::TColor c) { FButtonColor = c; }
    fw::TColor ButtonColorHot() const { return FButtonColorHot; }
    void SetButtonColorHot(fw::TColor c) { FButtonColorHot = c; }
    fw::TColor ButtonColorDown() const { return FButtonColorDown; }
    void SetButtonColorDown(fw::TColor c) { FButtonColorDown = c; }
    fw::TColor ButtonBorderColor() const { return FButtonBorderColor; }
    void SetButtonBorderColor(fw::TColor c) { FButtonBorderColor = c; }
    fw::TColor ButtonTextColor() const { return FButtonTextColor; }
    void SetButtonTextColor(fw::TColor c) { FButtonTextColor = c; }
    // Kept for callers that set it; the arrow uses the normal and down colours.
    fw::TColor ButtonTextColorHot() const { return FButtonTextColorHot; }
    void SetButtonTextColorHot(fw::TColor c) { FButtonTextColorHot = c; }
    fw::TColor ButtonTextColorDown() const { return FButtonTextColorDown; }
    void SetButtonTextColorDown(fw::TColor c) { FButtonTextColorDown = c; }

    // "1.0.0.0"; writing is ignored.
    QString Version() const;
    void SetVersion(const QString&) {}
    static std::uint32_t GetVersionNr() { return 0x01000000u; }

    bool HasGetLocaleInfoEx() const { return true; }
    bool UsesVisualStyle() const;
    bool UsesMetroLook() const { return FMetroStyle; }
    bool IsHotOrFocused() const;
    bool ShowsFocusBorder() const;

    int ButtonWidth() const { return FButtonWidth; }
    bool ButtonHover() const { return FButtonHover; }
    bool MouseInControl() const { return FMouseInControl; }
    bool HasFocusFlag() const { return FHasFocus; }

protected:
    // Descendants (the grid's date editor) set these; they have no property.
    fw::TColor FFocusBorderColor = fw::clNone;
    bool FDisabledBorder = false;
    bool FFocusBorder = false;

    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PaintDropButton(fw::TCanvas& canvas);
    void PaintBorderArea(fw::TCanvas& canvas);
    void PaintFlatFrame(fw::TCanvas& canvas);
    void ApplyDisplayFormat();
    void WatchCalendar();
    void RecheckHover();
    fw::TColor ParentColor() const;
    int ClientWidth() const;
    int ClientHeight() const;

    TBorderStyle FBorderStyle = bsNone;
    fw::TColor FBorderColor = fw::clNone;
    bool FIsThemed = true;
    fw::TColor FButtonColorDown = fw::clNone;
    fw::TColor FButtonBorderColor = fw::clNone;
    fw::TColor FButtonTextColor = fw::clNone;
    fw::TColor FButtonTextColorHot = fw::clNone;
    fw::TColor FButtonColor = fw::clNone;
    fw::TColor FButtonColorHot = fw::clNone;
    fw::TColor FButtonTextColorDown = fw::clNone;
    int FButtonWidth = 0;
    bool FButtonHover = false;
    bool FMouseInControl = false;
    bool FIsWinXP = true;
    bool FMetroStyle = false;
    bool FHasFocus = false;

    bool FCtl3D = true;
    fw::TColor FColor = fw::clWindow;
    TDateTimeKind FKind = dtkDate;
    TDTDateMode FDateMode = dmComboBox;
    QString FFormat;
    bool FCalendarWatched = false;
};

// A date and time format in the framework's notation as a Qt display format.
QString ToQtDateTimeFormat(const QString& format);
