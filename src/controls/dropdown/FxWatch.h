#pragma once
// TFxWatch: an analog clock face that shows a time of day and lets the user
// pick one: a click outside the dial's ellipse sets the minute, inside it the
// hour, on the AM/PM box the half of the day; keys forwarded by the time
// picker step hours and minutes. With Animation the hands move to a new
// hour or minute in steps that slow down near the target. In live mode
// (Settings.Auto) it shows the system time and takes no input.
//
// The geometry and the picking are free functions (namespace FxWatch) so
// they can be checked without a widget.
#include "framework/DateTime.h"
#include "framework/Graphics.h"
#include "framework/TickSource.h"
#include "framework/Types.h"
#include "grid/foundation/FxStyleIF.h"

#include <QWidget>

#include <functional>
#include <memory>

enum TAMPMFrame { apRect, apRoundRect };
enum TWatchShape { wsCircle, wsRect, wsRoundRect };
enum TPointerStyle { psLine, psShortLine, psPointer, psLineArrow };
enum TWatchBorderStyle { wbLine, wbDoubleLine, wbNone };
enum TWatchGradient { wgRadial, wgVertical, wgDiagonalForward, wgDiagonalBackward };
enum TTickMarks { tmAll, tmHours, tmQuartHours, tmNone };
enum THourMarkStyle { hmsLine, hmsQuartDblLine };
enum TWatchStyle {
    wsClassic, wsTower, wsFluorescent, wsEmerald, wsBlueStar, wsFuchsia, wsBlack, wsBlackWhite, wsGray, wsSuperNova,
    wsSports, wsSmooth
};

class TWatchAppearance;

namespace FxWatch {
// The square dial in a client of w × h: side min(size, w, h) when size > 0,
// else min(w, h) − 20, centred.
fw::TRect FaceRect(int w, int h, int size);
fw::TPoint Center(const fw::TRect& face);
int Radius(const fw::TRect& face);
// The point at distance d from c at a clock angle (degrees clockwise from
// 12 o'clock), rounded half to even.
fw::TPoint PointAt(const fw::TPoint& c, double angle, double d);
double HourAngle(int hour, int minute);
double MinuteAngle(int minute);
// The AM/PM box for a text extent of w × h (the width of "AM").
fw::TRect AMPMRect(const fw::TPoint& c, int radius, int textWidth, int textHeight);
// The minute (0-59) a point shows on a dial centred at c; the centre itself gives 23.
int PointToMinute(const fw::TPoint& c, int x, int y);
// The hour a point shows: 0-11 before noon (a point at 12 o'clock gives 0),
// 12-23 after.
int PointToHour(const fw::TPoint& c, int x, int y, bool am);
bool PointInEllipse(const fw::TPoint& p, const fw::TRect& r);
} // namespace FxWatch

class TWatchAppearance;
namespace FxWatch {
// The clock colours of a component style of the drop-down family.
void ApplyComponentStyle(TWatchAppearance& appearance, TFxStyle style);
} // namespace FxWatch

class TWatchAppearance {
public:
    TWatchAppearance();
    ~TWatchAppearance();
    TWatchAppearance(const TWatchAppearance&) = delete;
    TWatchAppearance& operator=(const TWatchAppearance&) = delete;

    void ResetDefaults();
    void Assign(const TWatchAppearance& source);

#define FX_WATCH_PROP(Type, Name)                                                                                      \
    Type Name() const { return F##Name; }                                                                              \
    void Set##Name(Type value) { Set(F##Name, value); }
    FX_WATCH_PROP(int, Size)
    FX_WATCH_PROP(fw::TColor, HourPointer)
    FX_WATCH_PROP(fw::TColor, BackgroundColor)
    FX_WATCH_PROP(fw::TColor, MinutePointerShadow)
    FX_WATCH_PROP(fw::TColor, BackgroundColorTo)
    FX_WATCH_PROP(fw::TColor, HourPointerShadow)
    FX_WATCH_PROP(fw::TColor, SecondPointerShadow)
    FX_WATCH_PROP(fw::TColor, SecondPointer)
    FX_WATCH_PROP(fw::TColor, BorderColor)
    FX_WATCH_PROP(fw::TColor, MinutePointer)
    FX_WATCH_PROP(TAMPMFrame, AMPMFrame)
    FX_WATCH_PROP(TWatchShape, Shape)
    FX_WATCH_PROP(TPointerStyle, PointerStyle)
    FX_WATCH_PROP(TWatchBorderStyle, BorderStyle)
    FX_WATCH_PROP(int, HourPointerSize)
    FX_WATCH_PROP(int, SecondPointerSize)
    FX_WATCH_PROP(int, MinutePointerSize)
    FX_WATCH_PROP(fw::TColor, HourColor)
    FX_WATCH_PROP(fw::TColor, MinuteColor)
    FX_WATCH_PROP(int, CenterPointSize)
    FX_WATCH_PROP(fw::TColor, CenterPointColor)
    FX_WATCH_PROP(fw::TColor, CenterPointBorderColor)
    FX_WATCH_PROP(TWatchGradient, BackgroundGradient)
    FX_WATCH_PROP(int, Rounding)
    FX_WATCH_PROP(int, HourMarkLength)
    FX_WATCH_PROP(int, HourMarkWidth)
    FX_WATCH_PROP(int, MinuteMarkLength)
    FX_WATCH_PROP(int, MinuteMarkWidth)
    FX_WATCH_PROP(int, BorderWidth)
    FX_WATCH_PROP(fw::TColor, CenterPointOuterBorderColor)
    FX_WATCH_PROP(TTickMarks, TickMarks)
    FX_WATCH_PROP(THourMarkStyle, HourMarkStyle)
#undef FX_WATCH_PROP
    // Plain values without notification.
    fw::TColor AMPMColor() const { return FAMPMColor; }
    void SetAMPMColor(fw::TColor value) { FAMPMColor = value; }
    fw::TColor AMPMBorderColor() const { return FAMPMBorderColor; }
    void SetAMPMBorderColor(fw::TColor value) { FAMPMBorderColor = value; }
    const fw::TFont& HourFont() const { return FHourFont; }
    fw::TFont& HourFontRef() { return FHourFont; }
    void SetHourFont(const fw::TFont& value);
    const fw::TFont& AMPMFont() const { return FAMPMFont; }
    fw::TFont& AMPMFontRef() { return FAMPMFont; }
    void SetAMPMFont(const fw::TFont& value);
    const fw::TPicture& Picture() const { return *FPicture; }
    void SetPicture(const fw::TPicture& value);

    std::function<void()> OnChange;

private:
    template <typename T>
    void Set(T& field, T value)
    {
        if (field == value)
            return;
        field = value;
        Changed();
    }
    void Changed()
    {
        if (OnChange)
            OnChange();
    }

    int FSize = 0;
    fw::TColor FHourPointer = 0;
    fw::TColor FBackgroundColor = 0xFFFFFF;
    fw::TColor FMinutePointerShadow = fw::clBtnShadow;
    fw::TColor FBackgroundColorTo = fw::clNone;
    fw::TColor FHourPointerShadow = fw::clBtnShadow;
    fw::TColor FSecondPointerShadow = fw::clBtnShadow;
    fw::TColor FSecondPointer = 0x0000FF;
    fw::TColor FBorderColor = 0;
    fw::TColor FMinutePointer = 0;
    fw::TFont FHourFont;
    fw::TFont FAMPMFont;
    std::unique_ptr<fw::TPicture> FPicture;
    TAMPMFrame FAMPMFrame = apRect;
    TWatchShape FShape = wsCircle;
    TPointerStyle FPointerStyle = psLine;
    TWatchBorderStyle FBorderStyle = wbLine;
    int FHourPointerSize = 4;
    int FSecondPointerSize = 1;
    int FMinutePointerSize = 3;
    fw::TColor FHourColor = 0;
    fw::TColor FMinuteColor = 0x808080;
    int FCenterPointSize = 4;
    fw::TColor FCenterPointColor = 0;
    fw::TColor FCenterPointBorderColor = fw::clNone;
    TWatchGradient FBackgroundGradient = wgVertical;
    int FRounding = 5;
    int FHourMarkLength = 0;
    int FHourMarkWidth = 1;
    int FMinuteMarkLength = 0;
    int FMinuteMarkWidth = 1;
    int FBorderWidth = 4;
    fw::TColor FAMPMColor = 0xFFFFFF;
    fw::TColor FAMPMBorderColor = 0;
    fw::TColor FCenterPointOuterBorderColor = fw::clNone;
    TTickMarks FTickMarks = tmAll;
    THourMarkStyle FHourMarkStyle = hmsLine;
};

class TWatchSettings {
public:
    bool Auto() const { return FAuto; }
    void SetAuto(bool value) { Set(FAuto, value); }
    bool Second() const { return FSecond; }
    void SetSecond(bool value) { Set(FSecond, value); }
    // Minutes added to the system time in live mode.
    int TimeOffset() const { return FTimeOffset; }
    void SetTimeOffset(int value) { Set(FTimeOffset, value); }
    void Assign(const TWatchSettings& source);

    std::function<void()> OnChange;

private:
    template <typename T>
    void Set(T& field, T value)
    {
        if (field == value)
            return;
        field = value;
        if (OnChange)
            OnChange();
    }
    bool FAuto = false;
    bool FSecond = true;
    int FTimeOffset = 0;
};

class TFxWatch : public QWidget, public IFxStyle {
    Q_OBJECT
public:
    explicit TFxWatch(QWidget* parent = nullptr);
    ~TFxWatch() override;

    TWatchAppearance& Appearance() { return FAppearance; }
    void SetAppearance(const TWatchAppearance& value) { FAppearance.Assign(value); }
    TWatchSettings& Settings() { return FSettings; }
    void SetSettings(const TWatchSettings& value) { FSettings.Assign(value); }
    fw::TDateTime Time() const { return FTime; }
    void SetTime(fw::TDateTime value);
    bool Animation() const { return FAnimation; }
    void SetAnimation(bool value) { FAnimation = value; }
    int AnimationFactor() const { return FAnimationFactor; }
    void SetAnimationFactor(int value) { FAnimationFactor = value; }
    bool ShowAMPM() const { return FShowAMPM; }
    void SetShowAMPM(bool value);
    bool ShowNumbers() const { return FShowNumbers; }
    void SetShowNumbers(bool value);
    TWatchStyle Style() const { return FStyle; }
    // A built-in look: the appearance is reset and the style's settings applied.
    void SetStyle(TWatchStyle value);
    void SetComponentStyle(TFxStyle style) override;

    // The system time plus the offset in live mode, else Time.
    fw::TDateTime GetCurrentTime() const;
    // Hours 0-23 and minutes 0-59; other values are ignored. With Animation
    // the hands move there in steps; OnChange fires when the target is reached.
    void SetHour(int hour);
    void SetMinute(int minute);
    // A key forwarded from the popup: A, P, Page Up/Down, Home, End, Left, Right.
    void HandleKey(int key);
    bool IsAM() const { return FAM; }
    // The AM/PM box is rolling over to the other half of the day.
    bool AMPMRolling() const { return FRollTimer.Enabled(); }
    bool Animating() const { return FAnimTimer.Enabled(); }

    fw::TRect GetFaceRect() const;
    fw::TPoint GetCenter() const;
    int GetRadius() const;
    fw::TRect GetAMPMRect() const;

    std::function<void(QObject*)> OnChange;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    void InternalSetTime(fw::TDateTime value);
    void SetAM(bool value);
    void ApplyHour(int hour);
    void ApplyMinute(int minute);
    void AnimationStep();
    void SettingsChanged();
    void Changed();
    void DrawBackground(fw::TCanvas& canvas, const fw::TRect& r);
    void DrawMarks(fw::TCanvas& canvas);
    void DrawNumbers(fw::TCanvas& canvas);
    void DrawAMPM(fw::TCanvas& canvas);
    void DrawHands(fw::TCanvas& canvas);

    TWatchAppearance FAppearance;
    TWatchSettings FSettings;
    fw::TDateTime FTime = 0;
    fw::TTickTimer FWatchTimer;
    bool FAnimation = true;
    int FAnimationFactor = 10;
    fw::TTickTimer FAnimTimer;
    int FCurrentHourTo = 0;
    int FCurrentMinuteTo = 0;
    int FMinuteFrom = 0;
    bool FHourAnimating = false;
    bool FAM = true;
    bool FShowAMPM = true;
    bool FShowNumbers = true;
    TWatchStyle FStyle = wsClassic;
    // The AM/PM roll-over: one pixel row per 10 ms tick.
    fw::TTickTimer FRollTimer;
    int FRollRow = 0;
    bool FRollToPM = false;
};
