#include "grid/foundation/SgDateTimePicker.h"

#include "framework/Canvas.h"
#include "framework/Forms.h"
#include "framework/Guard.h"
#include "framework/SysColors.h"
#include "framework/SysUtils.h"
#include "grid/foundation/FxUtilDraw.h"
#include "grid/foundation/FxXPVS.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCursor>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <cmath>

using fw::TCanvas;
using fw::TColor;
using fw::TDateTime;
using fw::TPoint;
using fw::TRect;
using fw::clNone;

namespace {

constexpr TColor kDisabledThemedBorder = 0xB99D7F;

void frameIn(TCanvas& canvas, const TRect& r, TColor color)
{
    canvas.Brush().Style = fw::bsSolid;
    canvas.Brush().Color = color;
    canvas.FrameRect(r);
}

QString quoted(const QString& literal)
{
    QString s = literal;
    s.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}

int runLength(const QString& f, int i)
{
    const QChar c = f[i].toLower();
    int n = 1;
    while (i + n < f.size() && f[i + n].toLower() == c)
        ++n;
    return n;
}

} // namespace

QString ToQtDateTimeFormat(const QString& format)
{
    const fw::TFormatSettings& fs = fw::FormatSettings();
    const bool twelveHour = format.contains(QLatin1String("am/pm"), Qt::CaseInsensitive) ||
                            format.contains(QLatin1String("a/p"), Qt::CaseInsensitive) ||
                            format.contains(QLatin1String("ampm"), Qt::CaseInsensitive);
    QString out;
    bool afterHour = false;
    int i = 0;
    while (i < format.size()) {
        const QChar c = format[i];
        const QChar lc = c.toLower();
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const qsizetype end = format.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? format.size() : end;
            out += quoted(format.mid(i + 1, stop - i - 1));
            i = int(stop) + 1;
            continue;
        }
        if (format.mid(i, 5).compare(QLatin1String("am/pm"), Qt::CaseInsensitive) == 0) {
            out += QStringLiteral("AP");
            i += 5;
            continue;
        }
        if (format.mid(i, 4).compare(QLatin1String("ampm"), Qt::CaseInsensitive) == 0) {
            out += QStringLiteral("AP");
            i += 4;
            continue;
        }
        if (format.mid(i, 3).compare(QLatin1String("a/p"), Qt::CaseInsensitive) == 0) {
            out += QStringLiteral("ap");
            i += 3;
            continue;
        }
        const int n = runLength(format, i);
        if (lc == QLatin1Char('d')) {
            if (n == 5)
                out += ToQtDateTimeFormat(fs.ShortDateFormat);
            else if (n >= 6)
                out += ToQtDateTimeFormat(fs.LongDateFormat);
            else
                out += QString(n, QLatin1Char('d'));
            afterHour = false;
        } else if (lc == QLatin1Char('m')) {
            out += afterHour ? QString(std::min(n, 2), QLatin1Char('m')) : QString(std::min(n, 4), QLatin1Char('M'));
            afterHour = false;
        } else if (lc == QLatin1Char('y')) {
            out += n <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy");
            afterHour = false;
        } else if (lc == QLatin1Char('h')) {
            out += QString(std::min(n, 2), twelveHour ? QLatin1Char('h') : QLatin1Char('H'));
            afterHour = true;
        } else if (lc == QLatin1Char('n')) {
            out += QString(std::min(n, 2), QLatin1Char('m'));
            afterHour = false;
        } else if (lc == QLatin1Char('s')) {
            out += QString(std::min(n, 2), QLatin1Char('s'));
            afterHour = false;
        } else if (lc == QLatin1Char('z')) {
            out += n >= 3 ? QStringLiteral("zzz") : QStringLiteral("z");
            afterHour = false;
        } else if (lc == QLatin1Char('t')) {
            out += ToQtDateTimeFormat(n >= 2 ? fs.LongTimeFormat : fs.ShortTimeFormat);
            afterHour = false;
        } else if (lc == QLatin1Char('c')) {
            out += ToQtDateTimeFormat(fs.ShortDateFormat) + QLatin1Char(' ') + ToQtDateTimeFormat(fs.LongTimeFormat);
            afterHour = false;
        } else if (c == QLatin1Char('/')) {
            out += quoted(QString(fs.DateSeparator));
        } else if (c == QLatin1Char(':')) {
            out += quoted(QString(fs.TimeSeparator));
        } else {
            out += c.isLetter() ? quoted(QString(c)) : QString(c);
        }
        i += (lc == QLatin1Char('d') || lc == QLatin1Char('m') || lc == QLatin1Char('y') || lc == QLatin1Char('h') ||
              lc == QLatin1Char('n') || lc == QLatin1Char('s') || lc == QLatin1Char('z') || lc == QLatin1Char('t'))
                 ? n
                 : 1;
    }
    return out;
}

std::int32_t ReadFileVersionMS(const QString&) { return -1; }

bool IsComCtl6OrLater() { return true; }

bool IsMouseButtonDown() { return (QGuiApplication::mouseButtons() & (Qt::LeftButton | Qt::RightButton)) != 0; }

// ---- construction and values ---------------------------------------------------------------

TSgDateTimePicker::TSgDateTimePicker(QWidget* parent) : QDateTimeEdit(parent)
{
    FIsThemed = IsComCtl6OrLater();
    FButtonWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) + 2;
    setMouseTracking(true);
    // The desktop's picker turns a part over at its ends (month 1 down gives 12).
    setWrapping(true);
    setCalendarPopup(true);
    ChangeBorderStyle(bsSingle);
    FBorderStyle = bsNone;
    ApplyDisplayFormat();
    connect(this, &QDateTimeEdit::dateTimeChanged, this, [this] {
        if (OnChange)
            fw::RunGuarded([this] { OnChange(this); });
    });
}

TSgDateTimePicker::~TSgDateTimePicker() = default;

void TSgDateTimePicker::SetKind(TDateTimeKind value)
{
    FKind = value;
    ApplyDisplayFormat();
    setCalendarPopup(FKind == dtkDate && FDateMode == dmComboBox);
}

void TSgDateTimePicker::SetDateMode(TDTDateMode value)
{
    FDateMode = value;
    setCalendarPopup(FKind == dtkDate && FDateMode == dmComboBox);
}

void TSgDateTimePicker::SetFormat(const QString& value)
{
    FFormat = value;
    ApplyDisplayFormat();
}

void TSgDateTimePicker::ApplyDisplayFormat()
{
    const fw::TFormatSettings& fs = fw::FormatSettings();
    const QString format = !FFormat.isEmpty() ? FFormat : FKind == dtkDate ? fs.ShortDateFormat : fs.LongTimeFormat;
    setDisplayFormat(ToQtDateTimeFormat(format));
}

TDateTime TSgDateTimePicker::DateTime() const { return fw::QDateTimeToDateTime(dateTime()); }

void TSgDateTimePicker::SetDateTime(TDateTime value) { setDateTime(fw::DateTimeToQDateTime(value)); }

TDateTime TSgDateTimePicker::Date() const { return std::trunc(DateTime()); }

void TSgDateTimePicker::SetDate(TDateTime value) { SetDateTime(std::trunc(value) + Time()); }

TDateTime TSgDateTimePicker::Time() const
{
    const TDateTime dt = DateTime();
    return std::fabs(dt - std::trunc(dt));
}

void TSgDateTimePicker::SetTime(TDateTime value) { SetDateTime(Date() + std::fabs(value - std::trunc(value))); }

TDateTime TSgDateTimePicker::MinDate() const { return fw::QDateTimeToDateTime(minimumDateTime()); }

void TSgDateTimePicker::SetMinDate(TDateTime value) { setMinimumDateTime(fw::DateTimeToQDateTime(value)); }

TDateTime TSgDateTimePicker::MaxDate() const { return fw::QDateTimeToDateTime(maximumDateTime()); }

void TSgDateTimePicker::SetMaxDate(TDateTime value) { setMaximumDateTime(fw::DateTimeToQDateTime(value)); }

void TSgDateTimePicker::DropDown()
{
    if (!calendarPopup() || DroppedDown())
        return;
    WatchCalendar();
    // The framework picker opens its calendar for a press on its own arrow.
    QStyleOptionComboBox opt;
    opt.initFrom(this);
    opt.editable = true;
    opt.frame = hasFrame();
    opt.subControls = QStyle::SC_All;
    const QPoint arrow = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxArrow, this).center();
    QMouseEvent press(QEvent::MouseButtonPress, arrow, mapToGlobal(arrow), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QDateTimeEdit::mousePressEvent(&press);
}

bool TSgDateTimePicker::IsCalendarKey(const QKeyEvent& e)
{
    const Qt::KeyboardModifiers mods = e.modifiers() & ~Qt::KeypadModifier;
    if (e.key() == Qt::Key_F4)
        return mods == Qt::NoModifier;
    return (e.key() == Qt::Key_Down || e.key() == Qt::Key_Up) && mods == Qt::AltModifier;
}

void TSgDateTimePicker::keyPressEvent(QKeyEvent* event)
{
    // The framework picker has no key for its calendar.
    if (IsCalendarKey(*event) && calendarPopup()) {
        event->accept();
        if (!DroppedDown())
            DropDown();
        return;
    }
    QDateTimeEdit::keyPressEvent(event);
}

bool TSgDateTimePicker::DroppedDown() const
{
    const QCalendarWidget* calendar = calendarPopup() ? calendarWidget() : nullptr;
    return calendar && calendar->window() && calendar->window()->isVisible();
}

void TSgDateTimePicker::WatchCalendar()
{
    if (FCalendarWatched || !calendarPopup() || !calendarWidget())
        return;
    calendarWidget()->window()->installEventFilter(this);
    FCalendarWatched = true;
}

bool TSgDateTimePicker::eventFilter(QObject* watched, QEvent* event)
{
    if (calendarWidget() && watched == calendarWidget()->window()) {
        // The calendar takes the keys while it is open. It is given the
        // focus once, when it is made; a picker disabled in between (a cell
        // editor between two edits) has taken it away.
        if (event->type() == QEvent::Show && !calendarWidget()->window()->focusWidget())
            calendarWidget()->setFocus(Qt::PopupFocusReason);
        if (event->type() == QEvent::Show && OnDropDown)
            fw::RunGuarded([this] { OnDropDown(this); });
        else if (event->type() == QEvent::Hide) {
            RecheckHover();
            if (OnCloseUp)
                fw::RunGuarded([this] { OnCloseUp(this); });
        }
    }
    return QDateTimeEdit::eventFilter(watched, event);
}

// ---- look ----------------------------------------------------------------------------------

QString TSgDateTimePicker::Version() const
{
    const std::uint32_t v = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4").arg(v >> 24).arg((v >> 16) & 0xFF).arg((v >> 8) & 0xFF).arg(v & 0xFF);
}

void TSgDateTimePicker::SetCtl3D(bool value)
{
    if (value == FCtl3D)
        return;
    FCtl3D = value;
    setFrame(value);
    update();
}

void TSgDateTimePicker::ChangeBorderStyle(TBorderStyle value)
{
    if (value == FBorderStyle)
        return;
    FBorderStyle = value;
    update();
}

void TSgDateTimePicker::SetColor(TColor value)
{
    FColor = value;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, fw::ToQColor(value));
    setPalette(pal);
}

void TSgDateTimePicker::SetBorderColor(TColor value)
{
    if (value == FBorderColor)
        return;
    FBorderColor = value;
    update();
}

void TSgDateTimePicker::SetMetroStyle(bool value)
{
    if (value == FMetroStyle)
        return;
    FMetroStyle = value;
    update();
}

bool TSgDateTimePicker::UsesVisualStyle() const { return FIsThemed && IsThemeActive(); }

bool TSgDateTimePicker::IsHotOrFocused() const { return FMouseInControl || QApplication::focusWidget() == this; }

bool TSgDateTimePicker::ShowsFocusBorder() const { return FFocusBorder && IsHotOrFocused(); }

TColor TSgDateTimePicker::ParentColor() const
{
    QWidget* p = parentWidget();
    if (!p)
        return FColor;
    if (auto* form = qobject_cast<fw::TForm*>(p))
        return form->Color();
    return fw::FromQColor(p->palette().color(QPalette::Window));
}

int TSgDateTimePicker::ClientWidth() const { return width() - (FCtl3D ? 4 : 0); }
int TSgDateTimePicker::ClientHeight() const { return height() - (FCtl3D ? 4 : 0); }

// ---- painting ------------------------------------------------------------------------------

void TSgDateTimePicker::paintEvent(QPaintEvent* event)
{
    QDateTimeEdit::paintEvent(event);
    WatchCalendar();
    fw::RunGuarded([&] {
        TCanvas canvas(this);
        PaintFlatFrame(canvas);
        if ((FCtl3D && !UsesMetroLook()) || !HasGetLocaleInfoEx())
            return;
        if (UsesMetroLook() && FKind != dtkTime) {
            const int cw = ClientWidth();
            if (IsComCtl6OrLater()) {
                const TRect native = UsesVisualStyle() ? TRect(cw - FButtonWidth - 15, 1, width(), height())
                                                       : TRect(cw - FButtonWidth - 2, 4, cw - 2, height() - 4);
                FillRectColor(canvas, native, FColor);
            }
            PaintDropButton(canvas);
        }
        PaintBorderArea(canvas);
    });
}

void TSgDateTimePicker::PaintDropButton(TCanvas& c)
{
    const int cw = ClientWidth();
    const TRect r = TRect(cw - FButtonWidth + 2, 0, width(), height()).Inflated(-1, -1);
    const bool down = IsMouseButtonDown() && FButtonHover;
    if (FButtonColor != clNone) {
        TColor fill = down ? FButtonColorDown : FButtonHover ? FButtonColorHot : FButtonColor;
        if (fill == clNone)
            fill = FButtonColor;
        FillRectColor(c, TRect(r.Left + 2, r.Top, r.Right, r.Bottom), fill);
        if (FButtonBorderColor != clNone) {
            c.Pen().Color = FButtonBorderColor;
            c.Pen().Width = 1;
            c.Pen().Style = fw::psSolid;
            c.MoveTo(r.Left, r.Top);
            c.LineTo(r.Left, r.Bottom);
        }
        TColor arrow = down && FButtonTextColorDown != clNone ? FButtonTextColorDown : FButtonTextColor;
        if (arrow == clNone)
            arrow = fw::clBlack;
        c.Brush().Style = fw::bsSolid;
        c.Brush().Color = arrow;
        c.Pen().Color = arrow;
        c.Polygon({TPoint(r.Left + 5, r.Top + 7), TPoint(r.Left + 11, r.Top + 7), TPoint(r.Left + 8, r.Top + 10)});
    } else if (UsesVisualStyle()) {
        const bool mouseDown = IsMouseButtonDown();
        int state;
        if (!isEnabled())
            state = xpvs::CBXS_DISABLED;
        else if (mouseDown && DroppedDown())
            state = xpvs::CBXS_PRESSED;
        else if (mouseDown || !FButtonHover || DroppedDown())
            state = xpvs::CBXS_NORMAL;
        else
            state = xpvs::CBXS_HOT;
        DrawThemePart(this, QStringLiteral("combobox"), c, xpvs::CP_DROPDOWNBUTTON, state, r);
    } else {
        TRect b = r;
        c.DrawFrameControl(b, fw::DFC_SCROLL,
                           fw::DFCS_SCROLLCOMBOBOX | (isEnabled() ? fw::DFCS_FLAT : fw::DFCS_INACTIVE));
    }
    c.ExcludeClipRect(TRect(cw - FButtonWidth - 4, 0, cw + 2, ClientHeight()));
}

void TSgDateTimePicker::PaintBorderArea(TCanvas& c)
{
    if (!UsesMetroLook() || !(!isEnabled() || FBorderColor != clNone || FFocusBorderColor != clNone))
        return;
    TRect w(0, 0, width(), height());
    if (!isEnabled() && FIsThemed && !FDisabledBorder) {
        frameIn(c, w, kDisabledThemedBorder);
        return;
    }
    const bool focused = FHasFocus;
    if (FBorderColor == clNone && FFocusBorderColor == clNone) {
        const TColor outer = ShowsFocusBorder() ? TColor(fw::clBtnFace) : ParentColor();
        const TColor inner = FColor;
        if (ShowsFocusBorder()) {
            c.DrawEdge(w, fw::BDR_SUNKENOUTER, fw::BF_RECT | fw::BF_ADJUST);
            frameIn(c, w, outer);
            frameIn(c, w.Inflated(-1, -1), inner);
        } else {
            frameIn(c, w, outer);
            TRect second = w.Inflated(-1, -1);
            second.Right -= FButtonWidth;
            frameIn(c, second, outer);
            frameIn(c, second.Inflated(-1, -1), inner);
        }
    } else if (FBorderColor == clNone) {
        if (focused)
            frameIn(c, w, FFocusBorderColor);
    } else {
        frameIn(c, w, focused && FFocusBorderColor != clNone ? FFocusBorderColor : FBorderColor);
    }
    if (FIsWinXP && UsesVisualStyle())
        return;
    // Without the visual style the button area gets the classic flat frame.
    const int cw = ClientWidth(), ch = ClientHeight();
    c.ExcludeClipRect(TRect(cw - FButtonWidth + 4, 4, cw - 4, ch - 4));
    TRect area = TRect(cw - FButtonWidth - 2, 0, width(), height()).Inflated(-2, -2);
    if (IsHotOrFocused()) {
        c.DrawEdge(area, DroppedDown() ? fw::BDR_SUNKENOUTER : fw::BDR_RAISEDINNER, fw::BF_RECT);
    } else {
        area.Top += 1;
        area.Bottom -= 1;
        area.Right -= 1;
        FillRectColor(c, area, fw::clBtnFace);
    }
}

// The window frame without 3D: a one-colour outline, then the border area again.
void TSgDateTimePicker::PaintFlatFrame(TCanvas& c)
{
    if (FCtl3D || FBorderColor == clNone)
        return;
    const TColor outline = FBorderStyle == bsNone ? ParentColor() : FIsThemed ? kDisabledThemedBorder : FBorderColor;
    frameIn(c, TRect(0, 0, width(), height()), outline);
    c.Pen().Color = FBorderStyle == bsSingle ? ParentColor() : outline;
    c.Pen().Width = 1;
    c.Pen().Style = fw::psSolid;
    c.MoveTo(1, height() - 2);
    c.LineTo(1, 1);
    c.LineTo(width() - 1, 1);
}

// ---- tracking ------------------------------------------------------------------------------

void TSgDateTimePicker::mouseMoveEvent(QMouseEvent* event)
{
    const int x = int(event->position().x());
    const bool hover = width() - FButtonWidth < x && x < width();
    if (hover != FButtonHover) {
        FButtonHover = hover;
        update();
    }
    QDateTimeEdit::mouseMoveEvent(event);
}

void TSgDateTimePicker::mousePressEvent(QMouseEvent* event)
{
    // The metro button covers more than the native one: a press anywhere on it drops the calendar down.
    if (UsesMetroLook() && calendarPopup() && event->button() == Qt::LeftButton && FButtonHover && !DroppedDown()) {
        DropDown();
        event->accept();
        return;
    }
    QDateTimeEdit::mousePressEvent(event);
}

void TSgDateTimePicker::enterEvent(QEnterEvent* event)
{
    QDateTimeEdit::enterEvent(event);
    if (isEnabled())
        FMouseInControl = true;
    update();
}

void TSgDateTimePicker::leaveEvent(QEvent* event)
{
    QDateTimeEdit::leaveEvent(event);
    // The calendar dropping down takes the mouse without it leaving the button.
    if (DroppedDown())
        return;
    if (isEnabled())
        FMouseInControl = false;
    FButtonHover = false;
    update();
}

void TSgDateTimePicker::RecheckHover()
{
    const QPoint at = mapFromGlobal(QCursor::pos());
    FMouseInControl = isEnabled() && rect().contains(at);
    FButtonHover = FMouseInControl && width() - FButtonWidth < at.x() && at.x() < width();
    update();
}

void TSgDateTimePicker::focusInEvent(QFocusEvent* event)
{
    QDateTimeEdit::focusInEvent(event);
    FHasFocus = true;
    update();
}

void TSgDateTimePicker::focusOutEvent(QFocusEvent* event)
{
    QDateTimeEdit::focusOutEvent(event);
    FHasFocus = false;
    update();
}
