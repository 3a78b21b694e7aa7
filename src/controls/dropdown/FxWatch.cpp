#include "controls/dropdown/FxWatch.h"

#include "controls/dropdown/FxDropDownDraw.h"
#include "framework/Canvas.h"
#include "framework/Input.h"
#include "framework/SysColors.h"
#include "grid/foundation/FxUtilDraw.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

using namespace fw;

// ---- geometry ----------------------------------------------------------------------------

namespace FxWatch {

TRect FaceRect(int w, int h, int size)
{
    const int s = size > 0 ? std::min({size, h, w}) : std::min(h, w) - 20;
    const int left = (w - s) / 2;
    const int top = (h - s) / 2;
    return TRect(left, top, left + s, top + s);
}

TPoint Center(const TRect& face)
{
    return TPoint(face.Left + (face.Right - face.Left) / 2, face.Top + (face.Bottom - face.Top) / 2);
}

int Radius(const TRect& face) { return face.Width() / 2; }

TPoint PointAt(const TPoint& c, double angle, double d)
{
    const double a = angle * std::numbers::pi / 180;
    return TPoint(c.X + int(std::nearbyint(d * std::sin(a))), c.Y - int(std::nearbyint(d * std::cos(a))));
}

double HourAngle(int hour, int minute) { return (hour % 12) * 30 + minute / 12.0 * 6; }

double MinuteAngle(int minute) { return minute * 6; }

TRect AMPMRect(const TPoint& c, int radius, int textWidth, int textHeight)
{
    const int left = c.X - (textWidth + 8) / 2;
    const int top = c.Y + int(std::nearbyint((radius - textHeight) / 3.0));
    return TRect(left, top, left + textWidth + 8, top + textHeight);
}

int PointToMinute(const TPoint& c, int x, int y)
{
    const int dx = std::max(1, std::abs(c.X - x));
    const int dy = std::max(1, std::abs(c.Y - y));
    const int f = int(std::nearbyint(std::atan(double(dy) / dx) * 180 / std::numbers::pi / 6));
    int m = 0;
    if (x >= c.X && y >= c.Y)
        m = f + 15;
    else if (x <= c.X && y >= c.Y)
        m = 45 - f;
    else if (x <= c.X && y <= c.Y)
        m = f + 45;
    else
        m = 15 - f;
    return m < 0 || m > 59 ? 0 : m;
}

int PointToHour(const TPoint& c, int x, int y, bool am)
{
    int h = int(std::nearbyint(PointToMinute(c, x, y) / 5.0));
    if (h <= 0)
        h = am ? 0 : 12;
    else if (!am)
        h += 12;
    return h == 24 ? 0 : h;
}

bool PointInEllipse(const TPoint& p, const TRect& r)
{
    const double a = r.Width() / 2.0;
    const double b = r.Height() / 2.0;
    if (a <= 0 || b <= 0)
        return false;
    const double dx = (p.X + 0.5 - (r.Left + a)) / a;
    const double dy = (p.Y + 0.5 - (r.Top + b)) / b;
    return dx * dx + dy * dy <= 1;
}

} // namespace FxWatch

// ---- appearance and settings -------------------------------------------------------------

TWatchAppearance::TWatchAppearance() : FPicture(std::make_unique<TPicture>()) { ResetDefaults(); }

TWatchAppearance::~TWatchAppearance() = default;

void TWatchAppearance::ResetDefaults()
{
    FSize = 0;
    FHourPointer = clBlack;
    FBackgroundColor = clWhite;
    FMinutePointerShadow = clBtnShadow;
    FBackgroundColorTo = clNone;
    FHourPointerShadow = clBtnShadow;
    FSecondPointerShadow = clBtnShadow;
    FSecondPointer = 0x0000FF;
    FBorderColor = clBlack;
    FMinutePointer = clBlack;
    FHourFont = TFont();
    FHourFont.Name = QStringLiteral("Tahoma");
    FHourFont.Size = 8;
    FAMPMFont = TFont();
    FAMPMFont.Name = QStringLiteral("Tahoma");
    FAMPMFont.Size = 10;
    FPicture->Clear();
    FAMPMFrame = apRect;
    FShape = wsCircle;
    FPointerStyle = psLine;
    FBorderStyle = wbLine;
    FHourPointerSize = 4;
    FSecondPointerSize = 1;
    FMinutePointerSize = 3;
    FHourColor = clBlack;
    FMinuteColor = 0x808080;
    FCenterPointSize = 4;
    FCenterPointColor = clBlack;
    FCenterPointBorderColor = clNone;
    FBackgroundGradient = wgVertical;
    FRounding = 5;
    FHourMarkLength = 0;
    FHourMarkWidth = 1;
    FMinuteMarkLength = 0;
    FMinuteMarkWidth = 1;
    FBorderWidth = 4;
    FAMPMColor = clWhite;
    FAMPMBorderColor = clBlack;
    FCenterPointOuterBorderColor = clNone;
    FTickMarks = tmAll;
    FHourMarkStyle = hmsLine;
    Changed();
}

void TWatchAppearance::SetHourFont(const TFont& value)
{
    FHourFont = value;
    Changed();
}

void TWatchAppearance::SetAMPMFont(const TFont& value)
{
    FAMPMFont = value;
    Changed();
}

void TWatchAppearance::SetPicture(const TPicture& value)
{
    FPicture->Assign(value);
    Changed();
}

void TWatchAppearance::Assign(const TWatchAppearance& s)
{
    if (&s == this)
        return;
    FSize = s.FSize;
    FHourPointer = s.FHourPointer;
    FBackgroundColor = s.FBackgroundColor;
    FMinutePointerShadow = s.FMinutePointerShadow;
    FBackgroundColorTo = s.FBackgroundColorTo;
    FHourPointerShadow = s.FHourPointerShadow;
    FSecondPointerShadow = s.FSecondPointerShadow;
    FSecondPointer = s.FSecondPointer;
    FBorderColor = s.FBorderColor;
    FMinutePointer = s.FMinutePointer;
    FHourFont = s.FHourFont;
    FAMPMFont = s.FAMPMFont;
    FPicture->Assign(*s.FPicture);
    FAMPMFrame = s.FAMPMFrame;
    FShape = s.FShape;
    FPointerStyle = s.FPointerStyle;
    FBorderStyle = s.FBorderStyle;
    FHourPointerSize = s.FHourPointerSize;
    FSecondPointerSize = s.FSecondPointerSize;
    FMinutePointerSize = s.FMinutePointerSize;
    FHourColor = s.FHourColor;
    FMinuteColor = s.FMinuteColor;
    FCenterPointSize = s.FCenterPointSize;
    FCenterPointColor = s.FCenterPointColor;
    FCenterPointBorderColor = s.FCenterPointBorderColor;
    FBackgroundGradient = s.FBackgroundGradient;
    FRounding = s.FRounding;
    FHourMarkLength = s.FHourMarkLength;
    FHourMarkWidth = s.FHourMarkWidth;
    FMinuteMarkLength = s.FMinuteMarkLength;
    FMinuteMarkWidth = s.FMinuteMarkWidth;
    FBorderWidth = s.FBorderWidth;
    FAMPMColor = s.FAMPMColor;
    FAMPMBorderColor = s.FAMPMBorderColor;
    FCenterPointOuterBorderColor = s.FCenterPointOuterBorderColor;
    FTickMarks = s.FTickMarks;
    FHourMarkStyle = s.FHourMarkStyle;
    Changed();
}

void TWatchSettings::Assign(const TWatchSettings& source)
{
    FSecond = source.FSecond;
    FTimeOffset = source.FTimeOffset;
    SetAuto(source.FAuto);
}

// ---- the clock ---------------------------------------------------------------------------

TFxWatch::TFxWatch(QWidget* parent) : QWidget(parent)
{
    resize(180, 180);
    setMouseTracking(true);
    FAppearance.OnChange = [this] { update(); };
    FSettings.OnChange = [this] { SettingsChanged(); };
    FWatchTimer.SetInterval(100);
    FWatchTimer.SetOnTimer([this] { update(); });
    FAnimTimer.SetInterval(1);
    FAnimTimer.SetOnTimer([this] { AnimationStep(); });
    FRollTimer.SetInterval(10);
    FRollTimer.SetOnTimer([this] {
        ++FRollRow;
        const TRect box = GetAMPMRect();
        if (FRollRow >= box.Height() - 2)
            FRollTimer.SetEnabled(false);
        update();
    });
}

TFxWatch::~TFxWatch() = default;

TRect TFxWatch::GetFaceRect() const { return FxWatch::FaceRect(width(), height(), FAppearance.Size()); }

TPoint TFxWatch::GetCenter() const { return FxWatch::Center(GetFaceRect()); }

int TFxWatch::GetRadius() const { return FxWatch::Radius(GetFaceRect()); }

TRect TFxWatch::GetAMPMRect() const
{
    if (!FShowAMPM)
        return TRect(-1, -1, -1, -1);
    TCanvas canvas;
    canvas.Font() = FAppearance.AMPMFont();
    const TSize s = FxDropDown::MeasureTextSingleLine(canvas, QStringLiteral("AM"));
    return FxWatch::AMPMRect(GetCenter(), GetRadius(), s.cx, s.cy);
}

TDateTime TFxWatch::GetCurrentTime() const
{
    if (FSettings.Auto())
        return fw::Time() + FSettings.TimeOffset() / 1440.0;
    return FTime;
}

void TFxWatch::SetShowAMPM(bool value)
{
    FShowAMPM = value;
    update();
}

void TFxWatch::SetShowNumbers(bool value)
{
    FShowNumbers = value;
    update();
}

void TFxWatch::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TFxWatch::InternalSetTime(TDateTime value)
{
    if (value == FTime)
        return;
    FTime = value;
    int h, m, s, ms;
    DecodeTime(value, h, m, s, ms);
    // Setting a time rolls nothing over.
    const bool am = h < 12;
    if (am != FAM) {
        FAM = am;
        FRollTimer.SetEnabled(false);
    }
    update();
}

void TFxWatch::SetTime(TDateTime value) { InternalSetTime(value); }

void TFxWatch::SetAM(bool value)
{
    if (value == FAM)
        return;
    FAM = value;
    // The box text rolls over one pixel row per tick, without blocking.
    if (FAnimation && FShowAMPM && FAppearance.AMPMColor() != clNone) {
        FRollRow = 0;
        FRollToPM = !value;
        FRollTimer.SetEnabled(true);
    }
    update();
}

void TFxWatch::ApplyHour(int hour)
{
    int h, m, s, ms;
    DecodeTime(GetCurrentTime(), h, m, s, ms);
    if (hour == h)
        return;
    InternalSetTime(EncodeTime(hour, m, s, ms));
    if (hour == FCurrentHourTo)
        Changed();
}

void TFxWatch::ApplyMinute(int minute)
{
    int h, m, s, ms;
    DecodeTime(GetCurrentTime(), h, m, s, ms);
    if (minute == m)
        return;
    if (!FAnimation)
        FMinuteFrom = m;
    // Reaching 12 o'clock from the second half of the hour starts the next hour.
    if (minute == 0 && FMinuteFrom > 30) {
        h = (h + 1) % 24;
        FMinuteFrom = 0;
    }
    InternalSetTime(EncodeTime(h, minute, s, ms));
    if (minute == FCurrentMinuteTo)
        Changed();
}

void TFxWatch::SetHour(int hour)
{
    if (hour < 0 || hour > 23 || FSettings.Auto())
        return;
    int h, m, s, ms;
    DecodeTime(GetCurrentTime(), h, m, s, ms);
    if (hour == h)
        return;
    FCurrentHourTo = hour;
    if (!FAnimation) {
        ApplyHour(hour);
        return;
    }
    FHourAnimating = true;
    FAnimTimer.SetEnabled(true);
}

void TFxWatch::SetMinute(int minute)
{
    if (minute < 0 || minute > 59 || FSettings.Auto())
        return;
    int h, m, s, ms;
    DecodeTime(GetCurrentTime(), h, m, s, ms);
    if (minute == m)
        return;
    FCurrentMinuteTo = minute;
    if (!FAnimation) {
        ApplyMinute(minute);
        return;
    }
    FHourAnimating = false;
    FMinuteFrom = m;
    FAnimTimer.SetEnabled(true);
}

void TFxWatch::AnimationStep()
{
    if (!FAnimation) {
        FAnimTimer.SetEnabled(false);
        return;
    }
    int h, m, s, ms;
    DecodeTime(GetCurrentTime(), h, m, s, ms);
    const int factor = std::max(1, FAnimationFactor);
    if (FHourAnimating) {
        if (h == FCurrentHourTo) {
            FAnimTimer.SetEnabled(false);
            return;
        }
        const int step = std::max(1, int(std::nearbyint(std::abs(FCurrentHourTo - h) / double(factor))));
        ApplyHour(h < FCurrentHourTo ? std::min(h + step, FCurrentHourTo) : std::max(h - step, FCurrentHourTo));
        return;
    }
    if (m == FCurrentMinuteTo) {
        FAnimTimer.SetEnabled(false);
        return;
    }
    const bool forwardToTop = FCurrentMinuteTo == 0 && m > 30;
    int step = int(std::nearbyint((forwardToTop ? 60 - m : std::abs(FCurrentMinuteTo - m)) / double(factor)));
    step = std::max(1, step);
    int next = 0;
    if (forwardToTop)
        next = m + step;
    else if (m >= FCurrentMinuteTo)
        next = std::max(m - step, FCurrentMinuteTo);
    else
        next = std::min(m + step, FCurrentMinuteTo);
    ApplyMinute(next >= 60 ? 0 : next);
}

void TFxWatch::SettingsChanged()
{
    FWatchTimer.SetEnabled(FSettings.Auto());
    if (FSettings.Auto()) {
        FAnimTimer.SetEnabled(false);
        InternalSetTime(GetCurrentTime());
    }
    update();
}

void TFxWatch::HandleKey(int key)
{
    if (FSettings.Auto())
        return;
    int h, m, s, ms;
    DecodeTime(GetCurrentTime(), h, m, s, ms);
    auto atOnce = [this](int hour) {
        FCurrentHourTo = hour;
        FAnimTimer.SetEnabled(false);
        ApplyHour(hour);
    };
    switch (key) {
    case 'A':
        if (h >= 12)
            SetHour(h - 12);
        break;
    case 'P':
        if (h < 12)
            SetHour(h + 12);
        break;
    case VK_PRIOR:
        if (h == 23)
            atOnce(0);
        else
            SetHour(h + 1);
        break;
    case VK_NEXT:
        if (h == 0)
            atOnce(23);
        else
            SetHour(h - 1);
        break;
    case VK_HOME: atOnce(12); break;
    case VK_END: SetMinute(0); break;
    case VK_LEFT:
        if (m == 0) {
            FAnimTimer.SetEnabled(false);
            InternalSetTime(EncodeTime((h + 23) % 24, 59, s, ms));
            Changed();
        } else {
            SetMinute(m - 1);
        }
        break;
    case VK_RIGHT:
        if (m == 59) {
            // No carry into the hour.
            FAnimTimer.SetEnabled(false);
            InternalSetTime(EncodeTime(h, 0, s, ms));
            Changed();
        } else {
            SetMinute(m + 1);
        }
        break;
    default: break;
    }
}

void TFxWatch::mouseMoveEvent(QMouseEvent* e)
{
    QWidget::mouseMoveEvent(e);
    const QPoint p = e->position().toPoint();
    setCursor(GetAMPMRect().Contains(TPoint(p.x(), p.y())) ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TFxWatch::mouseReleaseEvent(QMouseEvent* e)
{
    QWidget::mouseReleaseEvent(e);
    if (FSettings.Auto() || e->button() != Qt::LeftButton)
        return;
    const TPoint p(e->position().toPoint().x(), e->position().toPoint().y());
    if (!FxWatch::PointInEllipse(p, GetFaceRect())) {
        SetMinute(FxWatch::PointToMinute(GetCenter(), p.X, p.Y));
        return;
    }
    if (GetAMPMRect().Contains(p)) {
        int h, m, s, ms;
        DecodeTime(GetCurrentTime(), h, m, s, ms);
        if (FAnimation)
            SetAM(!FAM);
        const int flipped = h < 12 ? h + 12 : h - 12;
        FCurrentHourTo = flipped;
        FAnimTimer.SetEnabled(false);
        ApplyHour(flipped);
        return;
    }
    SetHour(FxWatch::PointToHour(GetCenter(), p.X, p.Y, FAM));
}

// ---- styles ------------------------------------------------------------------------------

void TFxWatch::SetComponentStyle(TFxStyle style)
{
    FxWatch::ApplyComponentStyle(FAppearance, style);
    update();
}

void FxWatch::ApplyComponentStyle(TWatchAppearance& a, TFxStyle style)
{
    a.SetCenterPointOuterBorderColor(clBlack);
    a.HourFontRef().Color = clBlack;
    a.AMPMFontRef().Color = clBlack;
    struct Row {
        TColor ampmBorder, ampm, back, main, second;
    };
    Row r{};
    switch (style) {
    case tsOffice2003Blue: r = {0x962D00, 0xD68759, 0xFFD2AF, 0xD68759, clWhite}; break;
    case tsOffice2003Silver: r = {0x962D00, 0xBDA4A5, 0xE6D8D8, 0xBDA4A5, clWhite}; break;
    case tsOffice2003Olive: r = {0x962D00, 0x82C0AF, 0xB9EAE1, 0x82C0AF, clWhite}; break;
    case tsOffice2003Classic: r = {0x962D00, 0x808080, 0xF2F2F2, 0x808080, 0x808080}; break;
    case tsOffice2007Luna: r = {0xF0DED0, 0xF0DED0, 0xFFEFE3, 0x723708, 0x723708}; break;
    case tsOffice2007Obsidian: r = {0xF2F1F0, 0x5C534C, 0x5C534C, 0xF2F1F0, 0xF2F1F0}; break;
    case tsWindowsXP: r = {clBlack, clBtnFace, clBtnFace, clBlack, clBlack}; break;
    case tsWhidbey: r = {0x7E9898, 0xF5F9FA, 0xF5F9FA, 0x7E9898, 0x7E9898}; break;
    case tsOffice2007Silver: r = {0xE8E0DB, 0xF8F4F1, 0xF8F4F1, 0x74706F, 0x74706F}; break;
    case tsWindowsVista: r = {0xFEDF9A, 0xFFFDF9, 0xFFFDF9, 0xFEDF9A, 0xFEDF9A}; break;
    case tsWindows7: r = {0xFBD6B8, 0xFDFBFA, 0xFDFBFA, 0xFBD6B8, 0xFBD6B8}; break;
    case tsTerminal: r = {0x808080, clBtnFace, clBtnFace, 0x808080, 0x808080}; break;
    case tsOffice2010Blue: r = {0xC7B29F, 0xF0DAC7, 0xFDF6EF, 0xC7B29F, 0xC7B29F}; break;
    case tsOffice2010Silver: r = {0xD2CDC8, 0xEDE5E0, clWhite, 0xD2CDC8, 0xD2CDC8}; break;
    case tsOffice2010Black: r = {0x6D6D6D, 0x919191, 0xBFBFBF, 0x6D6D6D, 0x6D6D6D}; break;
    case tsCustom:
    default: return;
    }
    a.SetAMPMBorderColor(r.ampmBorder);
    a.SetAMPMColor(r.ampm);
    a.SetBackgroundColor(r.back);
    a.SetBackgroundColorTo(r.back);
    for (auto set : {&TWatchAppearance::SetBorderColor, &TWatchAppearance::SetCenterPointBorderColor,
                     &TWatchAppearance::SetCenterPointColor, &TWatchAppearance::SetHourColor,
                     &TWatchAppearance::SetMinuteColor, &TWatchAppearance::SetHourPointer,
                     &TWatchAppearance::SetMinutePointer})
        (a.*set)(r.main);
    a.SetSecondPointer(r.second);
    const TColor shadow = style == tsOffice2010Silver ? TColor(0xC0C0C0) : clWhite;
    a.SetHourPointerShadow(shadow);
    a.SetMinutePointerShadow(shadow);
    switch (style) {
    case tsOffice2007Luna:
        a.SetBorderColor(0xF0DED0);
        a.SetCenterPointBorderColor(0xFFEFE3);
        a.SetCenterPointColor(0xFFEFE3);
        break;
    case tsOffice2007Obsidian:
        a.SetCenterPointBorderColor(0xFFEFE3);
        a.SetCenterPointColor(0xFFEFE3);
        a.AMPMFontRef().Color = 0xF2F1F0;
        a.HourFontRef().Color = 0xF2F1F0;
        break;
    case tsOffice2007Silver:
        a.SetBorderColor(0xE8E0DB);
        a.SetCenterPointBorderColor(0xE8E0DB);
        break;
    case tsWindowsVista: a.SetBackgroundColorTo(0xFFFAF0); break;
    case tsWindows7: a.SetBackgroundColorTo(0xFDF3EB); break;
    default: break;
    }
}

void TFxWatch::SetStyle(TWatchStyle value)
{
    if (value == FStyle)
        return;
    FStyle = value;
    TWatchAppearance& a = FAppearance;
    a.ResetDefaults();
    auto font = [](TFont& f, const char* name, int size, bool bold, TColor color = clNone) {
        f.Name = QString::fromLatin1(name);
        if (size > 0)
            f.Size = size;
        f.Style = bold ? TFontStyles{fsBold} : TFontStyles{};
        if (color != clNone)
            f.Color = color;
    };
    const int side = std::min(width(), height());
    switch (value) {
    case wsClassic:
        font(a.AMPMFontRef(), "MS Sans Serif", 0, false);
        font(a.HourFontRef(), "Comic Sans MS", 10, true);
        a.SetHourMarkLength(8);
        a.SetHourPointerSize(5);
        a.SetMinuteMarkLength(4);
        FAnimation = true;
        FAnimationFactor = 10;
        FShowAMPM = FShowNumbers = true;
        break;
    case wsTower:
        font(a.AMPMFontRef(), "MS Sans Serif", 0, false);
        a.SetBorderWidth(1);
        a.SetBackgroundColor(0xB1F0FE);
        a.SetBackgroundColorTo(0x5BCCE8);
        a.SetBackgroundGradient(wgDiagonalForward);
        a.SetCenterPointColor(0x002BD5);
        a.SetCenterPointSize(6);
        font(a.HourFontRef(), "Century", 0, true, clWindowText);
        a.SetHourPointerSize(5);
        a.SetSecondPointer(0x002BD5);
        a.SetShape(wsRect);
        a.SetPointerStyle(psPointer);
        a.SetAMPMColor(a.BackgroundColor());
        a.SetTickMarks(tmHours);
        FShowNumbers = false;
        break;
    case wsBlack:
        font(a.AMPMFontRef(), "MS Sans Serif", 0, false);
        a.SetBackgroundColor(0x202020);
        a.SetCenterPointBorderColor(clWhite);
        a.SetCenterPointOuterBorderColor(clWhite);
        a.SetCenterPointColor(clWhite);
        a.SetHourColor(0x585858);
        font(a.HourFontRef(), "Century Gothic", 11, false, clWhite);
        a.SetHourPointer(clWhite);
        a.SetHourPointerSize(5);
        a.SetMinuteColor(0x585858);
        a.SetMinutePointer(clWhite);
        a.SetMinuteMarkLength(4);
        FShowAMPM = false;
        FShowNumbers = true;
        break;
    case wsBlackWhite:
        a.SetBorderWidth(8);
        a.SetCenterPointBorderColor(clBlack);
        a.SetCenterPointOuterBorderColor(clBlack);
        a.SetCenterPointSize(8);
        a.SetHourColor(0x585858);
        font(a.HourFontRef(), "Century Gothic", 14, true, clBlack);
        a.SetHourPointerSize(5);
        a.SetMinuteMarkLength(4);
        a.SetSecondPointer(0x000080);
        a.SetPointerStyle(psPointer);
        a.SetTickMarks(tmQuartHours);
        FShowAMPM = false;
        FShowNumbers = true;
        break;
    case wsGray:
        font(a.AMPMFontRef(), "MS Sans Serif", 10, false);
        a.SetBackgroundColor(0xD1D1D1);
        a.SetBackgroundColorTo(0x6C6C6C);
        a.SetBackgroundGradient(wgRadial);
        a.SetBorderColor(0x454545);
        a.SetCenterPointBorderColor(0x454545);
        font(a.HourFontRef(), "Comic Sans MS", 8, false);
        a.SetHourPointer(0x4E4E4E);
        a.SetMinutePointer(0x4E4E4E);
        a.SetHourPointerShadow(clNone);
        a.SetMinutePointerShadow(clNone);
        a.SetHourPointerSize(1);
        a.SetMinutePointerSize(1);
        FShowAMPM = FShowNumbers = true;
        break;
    case wsSuperNova:
        a.SetBackgroundColorTo(0xD1D3D3);
        a.SetBorderColor(clNone);
        a.SetCenterPointOuterBorderColor(clBlack);
        a.SetCenterPointSize(10);
        a.SetHourMarkLength(int(std::nearbyint(side / 4.5)));
        a.SetMinuteMarkLength(side / 3);
        FShowAMPM = FShowNumbers = false;
        break;
    case wsSports:
    case wsSmooth: {
        const bool sports = value == wsSports;
        a.SetBackgroundColor(sports ? clBlack : clWhite);
        a.SetBackgroundColorTo(sports ? clNone : TColor(0xABB0B1));
        a.SetBorderColor(sports ? clBlack : TColor(0x585858));
        a.SetBorderWidth(1);
        a.SetCenterPointBorderColor(sports ? TColor(0xFF0000) : clBlack);
        a.SetCenterPointOuterBorderColor(sports ? clBlack : TColor(0x4A4A4A));
        a.SetCenterPointColor(sports ? TColor(0x191919) : clWhite);
        a.SetCenterPointSize(sports ? int(std::nearbyint(side / 3.6)) : 6);
        a.SetHourColor(0xABB0B1);
        font(a.HourFontRef(), "Times New Roman", 9, false, 0x797979);
        a.SetHourPointer(sports ? TColor(0x0000FF) : TColor(0x4A4A4A));
        a.SetHourPointerShadow(sports ? clNone : TColor(0xB2B2B2));
        a.SetHourPointerSize(2);
        a.SetMinutePointer(sports ? TColor(0x00FFFF) : TColor(0x4A4A4A));
        a.SetMinutePointerShadow(sports ? clNone : TColor(0xB2B2B2));
        a.SetMinutePointerSize(2);
        a.SetMinuteMarkLength(1);
        a.SetSecondPointer(sports ? TColor(0x188BFE) : TColor(0x4A4A4A));
        a.SetTickMarks(tmQuartHours);
        FShowAMPM = false;
        FShowNumbers = true;
        break;
    }
    default:
        // The remaining looks (fluorescent, emerald, blue star, fuchsia)
        // keep the reset appearance with a coloured frame.
        a.SetBorderColor(value == wsFluorescent ? TColor(0xFF3E3E)
                         : value == wsEmerald   ? TColor(0x3AE800)
                         : value == wsBlueStar  ? TColor(0xFFD5D5)
                                                : TColor(0xFFD0FF));
        FShowAMPM = value == wsBlueStar;
        FShowNumbers = value == wsBlueStar;
        break;
    }
    update();
}

// ---- painting ----------------------------------------------------------------------------

void TFxWatch::DrawBackground(TCanvas& canvas, const TRect& client)
{
    const TWatchShape shape = FAppearance.Shape();
    const TRect target = shape == wsCircle ? GetFaceRect() : client;
    QPainter* p = canvas.Painter();
    p->save();
    if (shape != wsRect) {
        QPainterPath clip;
        const QRectF r(target.Left - 1, target.Top - 1, target.Width() + 3, target.Height() + 3);
        if (shape == wsCircle)
            clip.addEllipse(r);
        else
            clip.addRoundedRect(r, 10, 10);
        p->setClipPath(clip);
    }
    const TColor from = FAppearance.BackgroundColor();
    const TColor to = FAppearance.BackgroundColorTo();
    if (from != clNone && to != clNone)
        DrawStepGradient(canvas, from, to, 80, target, FAppearance.BackgroundGradient() == wgRadial);
    else if (from != clNone) {
        canvas.Brush().Color = from;
        canvas.Brush().Style = bsSolid;
        canvas.FillRect(target);
    }
    if (FAppearance.BorderColor() != clNone && FAppearance.BorderWidth() > 0) {
        canvas.Pen().Color = FAppearance.BorderColor();
        canvas.Pen().Width = FAppearance.BorderWidth();
        canvas.Brush().Style = bsClear;
        if (shape == wsCircle)
            canvas.Ellipse(target);
        else if (shape == wsRect)
            canvas.Rectangle(target);
        else
            canvas.RoundRect(target.Left, target.Top, target.Right, target.Bottom, 20, 20);
        canvas.Pen().Width = 1;
    }
    p->restore();
    if (!FAppearance.Picture().Empty() && FAppearance.Picture().Graphic())
        canvas.StretchDraw(client, *FAppearance.Picture().Graphic());
}

void TFxWatch::DrawMarks(TCanvas& canvas)
{
    const TTickMarks marks = FAppearance.TickMarks();
    if (marks == tmNone)
        return;
    const TPoint c = GetCenter();
    const int outer = GetRadius() - FAppearance.BorderWidth() / 2;
    const double hourInner =
        FAppearance.HourMarkLength() ? outer - FAppearance.HourMarkLength() : outer * 0.9;
    canvas.Pen().Color = FAppearance.HourColor();
    canvas.Pen().Width = FAppearance.HourMarkWidth();
    auto line = [&](double angle, double from, double to, int shift) {
        TPoint a = FxWatch::PointAt(c, angle, from);
        TPoint b = FxWatch::PointAt(c, angle, to);
        if (shift) {
            // Across the mark: perpendicular to its direction.
            const TPoint d = FxWatch::PointAt(TPoint(0, 0), angle + 90, shift);
            a = TPoint(a.X + d.X, a.Y + d.Y);
            b = TPoint(b.X + d.X, b.Y + d.Y);
        }
        canvas.MoveTo(a.X, a.Y);
        canvas.LineTo(b.X, b.Y);
    };
    for (int i = 0; i < 12; ++i) {
        const bool quarter = i % 3 == 0;
        if (!quarter && marks == tmQuartHours)
            continue;
        if (quarter && FAppearance.HourMarkStyle() == hmsQuartDblLine) {
            line(i * 30, hourInner, outer, -2);
            line(i * 30, hourInner, outer, 2);
        } else {
            line(i * 30, hourInner, outer, 0);
        }
    }
    if (marks != tmAll)
        return;
    const double minuteInner =
        FAppearance.MinuteMarkLength() ? outer - FAppearance.MinuteMarkLength() : outer * 0.95;
    canvas.Pen().Color = FAppearance.MinuteColor();
    canvas.Pen().Width = FAppearance.MinuteMarkWidth();
    for (int i = 0; i < 60; ++i)
        if (i % 5)
            line(i * 6, minuteInner, outer, 0);
    canvas.Pen().Width = 1;
}

void TFxWatch::DrawNumbers(TCanvas& canvas)
{
    const TTickMarks marks = FAppearance.TickMarks();
    if (!FShowNumbers || (marks != tmAll && marks != tmQuartHours))
        return;
    const TPoint c = GetCenter();
    const int rr = GetRadius() - FAppearance.BorderWidth() / 2;
    canvas.Font() = FAppearance.HourFont();
    const int l = FAppearance.HourMarkLength() ? FAppearance.HourMarkLength()
                                               : int(std::nearbyint(rr - rr * 0.9)) + 2;
    const int rn = rr - 2 * l - 2;
    canvas.Brush().Style = bsClear;
    for (int i = 1; i <= 12; ++i) {
        if (marks == tmQuartHours && i % 3)
            continue;
        const QString text = QString::number(i);
        const TSize ext = canvas.TextExtent(text);
        const int adjust = i == 10 ? int(std::nearbyint(ext.cy * 0.2)) : i == 11 ? int(std::nearbyint(ext.cy * 0.15)) : 0;
        const double a = i * 30 * std::numbers::pi / 180;
        const double d = rn - adjust + l / 2;
        const int x = int(std::nearbyint(std::sin(a) * d)) + c.X + 1;
        const int y = c.Y + 1 - int(std::nearbyint(std::cos(a) * d));
        canvas.TextOut(x - ext.cx / 2 - 1, y - ext.cy / 2 - 1, text);
    }
}

void TFxWatch::DrawAMPM(TCanvas& canvas)
{
    if (!FShowAMPM)
        return;
    const TRect box = GetAMPMRect();
    const TColor fill = FAppearance.AMPMColor();
    const TColor border = FAppearance.AMPMBorderColor();
    if (fill != clNone || border != clNone) {
        canvas.Brush().Style = fill == clNone ? bsClear : bsSolid;
        canvas.Brush().Color = fill;
        canvas.Pen().Color = border == clNone ? fill : border;
        canvas.Pen().Width = 1;
        if (FAppearance.AMPMFrame() == apRect)
            canvas.Rectangle(box);
        else
            canvas.RoundRect(box.Left, box.Top, box.Right, box.Bottom, 5, 5);
    }
    canvas.Font() = FAppearance.AMPMFont();
    canvas.Brush().Style = bsClear;
    if (!FRollTimer.Enabled()) {
        TRect r = box;
        canvas.DrawText(FAM ? QStringLiteral("AM") : QStringLiteral("PM"), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return;
    }
    // Rolling: "AM" above "PM" in a strip moved by one row per tick.
    const int inner = box.Height() - 2;
    const int shift = FRollToPM ? FRollRow : inner - FRollRow;
    QPainter* p = canvas.Painter();
    p->save();
    p->setClipRect(box.Left + 1, box.Top + 1, box.Width() - 2, inner);
    TRect am(box.Left, box.Top - shift, box.Right, box.Top - shift + box.Height());
    TRect pm(box.Left, am.Top + inner, box.Right, am.Top + inner + box.Height());
    canvas.DrawText(QStringLiteral("AM"), am, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    canvas.DrawText(QStringLiteral("PM"), pm, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    p->restore();
}

void TFxWatch::DrawHands(TCanvas& canvas)
{
    int h, m, s, ms;
    DecodeTime(GetCurrentTime(), h, m, s, ms);
    if (FSettings.Auto())
        FAM = h < 12;
    const TPoint c = GetCenter();
    const double r = GetRadius();
    const double ha = FxWatch::HourAngle(h, m);
    const double ma = FxWatch::MinuteAngle(m);
    auto line = [&](double angle, double back, double tip, TColor color, int width, int sx, int sy) {
        const TPoint a = FxWatch::PointAt(c, angle + 180, back);
        const TPoint b = FxWatch::PointAt(c, angle, tip);
        canvas.Pen().Color = color;
        canvas.Pen().Width = std::max(1, width);
        canvas.MoveTo(a.X + sx, a.Y + sy);
        canvas.LineTo(b.X + sx, b.Y + sy);
    };
    auto pointer = [&](double angle, double tip, TColor color, int sx, int sy) {
        std::vector<TPoint> pts = {FxWatch::PointAt(c, angle + 180, 0.1 * r), FxWatch::PointAt(c, angle + 90, 0.05 * r),
                                   FxWatch::PointAt(c, angle, tip), FxWatch::PointAt(c, angle - 90, 0.05 * r)};
        for (TPoint& p : pts)
            p = TPoint(p.X + sx, p.Y + sy);
        canvas.Pen().Color = color;
        canvas.Pen().Width = 1;
        canvas.Brush().Color = color;
        canvas.Brush().Style = bsSolid;
        canvas.Polygon(pts);
    };
    const TWatchAppearance& a = FAppearance;
    if (a.PointerStyle() == psPointer) {
        if (a.HourPointerShadow() != clNone)
            pointer(ha, 0.5 * r, a.HourPointerShadow(), 1, 3);
        pointer(ha, 0.5 * r, a.HourPointer(), 0, 0);
        if (a.MinutePointerShadow() != clNone)
            pointer(ma, 0.7 * r, a.MinutePointerShadow(), 1, 3);
        pointer(ma, 0.7 * r, a.MinutePointer(), 0, 0);
    } else {
        if (a.HourPointerShadow() != clNone)
            line(ha, 0.1 * r, 0.46 * r, a.HourPointerShadow(), a.HourPointerSize(), -1, 3);
        if (a.MinutePointerShadow() != clNone)
            line(ma, 0.1 * r, 0.65 * r, a.MinutePointerShadow(), a.MinutePointerSize(), 0, 3);
        line(ha, 0.1 * r, 0.5 * r, a.HourPointer(), a.HourPointerSize(), 0, 0);
        line(ma, 0.1 * r, 0.7 * r, a.MinutePointer(), a.MinutePointerSize(), 0, 0);
    }
    if (FSettings.Auto() && FSettings.Second())
        line(s * 6, 0.2 * r, 0.9 * r, a.SecondPointer(), a.SecondPointerSize(), 0, 0);
    const int cs = a.CenterPointSize();
    if (cs <= 0)
        return;
    const int left = int(std::nearbyint(c.X - cs / 2.0));
    const int top = int(std::nearbyint(c.Y - cs / 2.0));
    if (a.CenterPointColor() != clNone) {
        canvas.Pen().Color = a.CenterPointColor();
        canvas.Pen().Width = 1;
        canvas.Brush().Color = a.CenterPointColor();
        canvas.Brush().Style = bsSolid;
        canvas.Ellipse(left, top, left + cs, top + cs);
    }
    int o = 0;
    canvas.Brush().Style = bsClear;
    if (a.CenterPointOuterBorderColor() != clNone) {
        o = int(std::nearbyint(cs * 0.2));
        canvas.Pen().Color = a.CenterPointOuterBorderColor();
        canvas.Pen().Width = std::max(1, o);
        canvas.Ellipse(left, top, left + cs, top + cs);
    }
    if (a.CenterPointBorderColor() != clNone) {
        const int d = cs - o;
        const int l2 = int(std::nearbyint(c.X - d / 2.0));
        const int t2 = int(std::nearbyint(c.Y - d / 2.0));
        canvas.Pen().Color = a.CenterPointBorderColor();
        canvas.Pen().Width = std::max(1, int(std::nearbyint(cs * 0.1)));
        canvas.Ellipse(l2, t2, l2 + d, t2 + d);
    }
    canvas.Pen().Width = 1;
}

void TFxWatch::paintEvent(QPaintEvent*)
{
    TCanvas canvas(this);
    const TRect client(0, 0, width(), height());
    canvas.Brush().Color = FromQColor(palette().color(backgroundRole()));
    canvas.Brush().Style = bsSolid;
    canvas.FillRect(client);
    DrawBackground(canvas, client);
    DrawMarks(canvas);
    DrawNumbers(canvas);
    DrawAMPM(canvas);
    DrawHands(canvas);
}
