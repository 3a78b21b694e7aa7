#include "grid/foundation/SgSpin.h"

#include "framework/Canvas.h"
#include "framework/Guard.h"
#include "framework/SysColors.h"
#include "framework/SysUtils.h"
#include "grid/foundation/FxUtilText.h"
#include "grid/foundation/FxUtilText_p.h"
#include "grid/foundation/FxXPVS.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>
#include <cmath>

using fw::TCanvas;
using fw::TColor;
using fw::TDateTime;
using fw::TPoint;
using fw::TRect;
using fw::clNone;

// ---- built-in glyphs -----------------------------------------------------------------------

void LoadSpinGlyph(TButtonDirection direction, fw::TBitmap& target)
{
    // A 7-pixel arrow on a key colour that also fills the lower-left pixel,
    // which makes it the transparent colour.
    constexpr TColor key = fw::clFuchsia;
    target.SetSize(9, 6);
    TCanvas& c = target.Canvas();
    c.Brush().Style = fw::bsSolid;
    c.Brush().Color = key;
    c.FillRect(TRect(0, 0, 9, 6));
    c.Brush().Color = fw::clBlack;
    for (int i = 0; i < 4; ++i) {
        // Row i is 2i + 1 wide: an up arrow widens downwards from its point, a down arrow upwards.
        const int y = direction == bdUp ? 1 + i : 4 - i;
        c.FillRect(TRect(4 - i, y, 5 + i, y + 1));
    }
    c.Release();
}

// ---- timer speed button --------------------------------------------------------------------

TFxTimerSpeedButton::TFxTimerSpeedButton(TSgSpinButton* owner) : fw::TSpeedButton(owner), FOwner(owner) {}

TFxTimerSpeedButton::~TFxTimerSpeedButton() = default;

void TFxTimerSpeedButton::SetTimeBtnState(TTimeBtnState value)
{
    FTimeBtnState = value;
    update();
}

void TFxTimerSpeedButton::MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y)
{
    fw::TSpeedButton::MouseDown(button, shift, x, y);
    if (FTimeBtnState.Contains(tbAllowTimer)) {
        if (!FRepeatTimer) {
            FRepeatTimer = std::make_unique<fw::TTimer>();
            FRepeatTimer->SetEnabled(false);
            FRepeatTimer->SetOnTimer([this] { fw::RunGuarded([this] { RepeatTick(); }); });
        }
        FRepeatTimer->SetInterval(kFirstRepeat);
        FRepeatTimer->SetEnabled(true);
    }
    if (parentWidget())
        parentWidget()->update();
}

void TFxTimerSpeedButton::MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y)
{
    // Stopped first, so that a failing click at the release cannot leave it running.
    if (FRepeatTimer)
        FRepeatTimer->SetEnabled(false);
    fw::TSpeedButton::MouseUp(button, shift, x, y);
    if (parentWidget())
        parentWidget()->update();
}

void TFxTimerSpeedButton::RepeatTick()
{
    if (FRepeatTimer)
        FRepeatTimer->SetInterval(kRepeat);
    if (State() != fw::bsDown || !Dragging())
        return;
    try {
        Click();
    } catch (...) {
        if (FRepeatTimer)
            FRepeatTimer->SetEnabled(false);
        throw;
    }
}

void TFxTimerSpeedButton::MouseEnter()
{
    fw::TSpeedButton::MouseEnter();
    FHasMouse = true;
    update();
}

void TFxTimerSpeedButton::MouseLeave()
{
    fw::TSpeedButton::MouseLeave();
    FHasMouse = false;
    update();
}

void TFxTimerSpeedButton::Paint(TCanvas& c)
{
    const TRect r(0, 0, width(), height());
    const bool down = State() == fw::bsDown;
    bool drawn = false;
    if (FOwner && FOwner->ButtonColor() != clNone) {
        TColor fill = down ? FOwner->ButtonColorDown() : FHasMouse ? FOwner->ButtonColorHot() : FOwner->ButtonColor();
        if (fill == clNone)
            fill = FOwner->ButtonColor();
        c.Brush().Style = fw::bsSolid;
        c.Brush().Color = fill;
        c.Pen().Color = fill;
        c.Pen().Width = 1;
        c.Rectangle(r);
        c.Brush().Color = fw::clBlack;
        c.Pen().Color = fw::clBlack;
        const int x = r.Left, y = r.Top;
        switch (FButtonDirection) {
        case bdLeft: c.Polygon({TPoint(x + 5, y + 5), TPoint(x + 3, y + 7), TPoint(x + 5, y + 9)}); break;
        case bdRight: c.Polygon({TPoint(x + 3, y + 5), TPoint(x + 5, y + 7), TPoint(x + 3, y + 9)}); break;
        case bdUp: c.Polygon({TPoint(x + 4, y + 4), TPoint(x + 8, y + 4), TPoint(x + 6, y + 2)}); break;
        case bdDown: c.Polygon({TPoint(x + 4, y + 2), TPoint(x + 8, y + 2), TPoint(x + 6, y + 4)}); break;
        }
        drawn = true;
    } else if (FIsWinXP) {
        static constexpr int parts[] = {4, 3, xpvs::SPNP_UP, xpvs::SPNP_DOWN};
        const int state = down ? xpvs::UPS_PRESSED : FHasMouse ? xpvs::UPS_HOT : xpvs::UPS_NORMAL;
        // A style that cannot draw a part falls back to the classic look.
        drawn = DrawThemePart(FOwner, QStringLiteral("spin"), c, parts[FButtonDirection], state, r);
    }
    if (!drawn) {
        if (FButtonDirection == bdLeft || FButtonDirection == bdRight) {
            TRect fr = r;
            c.DrawFrameControl(fr, fw::DFC_SCROLL,
                               (FButtonDirection == bdLeft ? fw::DFCS_SCROLLLEFT : fw::DFCS_SCROLLRIGHT) |
                                   (down ? fw::DFCS_PUSHED : 0) | (Flat() ? fw::DFCS_FLAT : 0));
        } else {
            PaintStandard(c);
        }
    }
    if (FTimeBtnState.Contains(tbFocusRect)) {
        c.Brush().Style = fw::bsSolid;
        c.Brush().Color = fw::clBtnFace;
        c.DrawFocusRect(r.Inflated(-3, -3));
    }
}

// ---- spin button ---------------------------------------------------------------------------

TSgSpinButton::TSgSpinButton(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    FUpButton = MakeArrowButton();
    FDownButton = MakeArrowButton();
    FUpButton->SetButtonDirection(bdUp);
    FDownButton->SetButtonDirection(bdDown);
    SetUpGlyph(fw::TBitmap());
    SetDownGlyph(fw::TBitmap());
    FFocusedButton = FUpButton;
    SetBounds(x(), y(), 15, 25);
}

TSgSpinButton::~TSgSpinButton() = default;

TFxTimerSpeedButton* TSgSpinButton::MakeArrowButton()
{
    auto* b = new TFxTimerSpeedButton(this);
    b->OnClick = [this](QObject* sender) { ArrowClick(sender); };
    b->OnMouseDown = [this](QObject* sender, fw::TMouseButton button, fw::TShiftState, int, int) {
        ArrowMouseDown(sender, button);
    };
    b->SetTimeBtnState(TTimeBtnState{tbAllowTimer});
    b->setVisible(true);
    return b;
}

void TSgSpinButton::Loaded()
{
    FLoading = false;
    SetBounds(x(), y(), width(), height());
}

void TSgSpinButton::SetDirection(TSpinDirection value)
{
    if (value == FDirection)
        return;
    FDirection = value;
    if (value == spHorizontal) {
        FUpButton->SetButtonDirection(bdRight);
        FDownButton->SetButtonDirection(bdLeft);
        SetBounds(x(), y(), 20, height());
    } else {
        FUpButton->SetButtonDirection(bdUp);
        FDownButton->SetButtonDirection(bdDown);
        SetBounds(x(), y(), 15, height());
    }
}

void TSgSpinButton::SetUpGlyph(const fw::TBitmap& glyph)
{
    if (glyph.Empty()) {
        fw::TBitmap builtIn;
        LoadSpinGlyph(bdUp, builtIn);
        FUpButton->SetGlyph(builtIn);
        FUpButton->SetNumGlyphs(1);
    } else {
        FUpButton->SetGlyph(glyph);
    }
}

void TSgSpinButton::SetDownGlyph(const fw::TBitmap& glyph)
{
    if (glyph.Empty()) {
        fw::TBitmap builtIn;
        LoadSpinGlyph(bdDown, builtIn);
        FDownButton->SetGlyph(builtIn);
        FDownButton->SetNumGlyphs(1);
    } else {
        FDownButton->SetGlyph(glyph);
    }
}

void TSgSpinButton::SetTabStop(bool value)
{
    FTabStop = value;
    setFocusPolicy(value ? Qt::StrongFocus : Qt::NoFocus);
}

void TSgSpinButton::SetWinXPLook(bool value)
{
    FIsWinXP = value;
    FUpButton->SetIsWinXP(value);
    FDownButton->SetIsWinXP(value);
}

void TSgSpinButton::updateButtons()
{
    FUpButton->update();
    FDownButton->update();
}

void TSgSpinButton::SetBounds(int left, int top, int w, int h)
{
    FitArrowButtons(w, h);
    FFitting = true;
    setGeometry(left, top, w, h);
    FFitting = false;
}

void TSgSpinButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (FFitting)
        return;
    int w = width(), h = height();
    FitArrowButtons(w, h);
    if (w != width() || h != height()) {
        FFitting = true;
        resize(w, h);
        FFitting = false;
    }
}

void TSgSpinButton::FitArrowButtons(int& w, int& h)
{
    if (!FUpButton || !FDownButton || FLoading)
        return;
    if (FDirection == spVertical) {
        w = std::max(w, 15);
        const int upHeight = h / 2;
        FUpButton->setGeometry(0, 0, w, upHeight);
        FDownButton->setGeometry(0, upHeight - 1, w, h - upHeight + 1);
    } else {
        w = std::max(w, 20);
        FDownButton->setGeometry(0, 0, w / 2, h);
        FUpButton->setGeometry(w / 2 + 1, 0, w / 2, h);
    }
}

void TSgSpinButton::keyPressEvent(QKeyEvent* event)
{
    fw::RunGuarded([&] {
        switch (event->key()) {
        case Qt::Key_Space:
            FFocusedButton->Click();
            break;
        case Qt::Key_Up:
            MoveFocusMark(FUpButton);
            FUpButton->Click();
            break;
        case Qt::Key_Down:
            MoveFocusMark(FDownButton);
            FDownButton->Click();
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
        }
        event->accept();
    });
}

void TSgSpinButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() + TTimeBtnState{tbFocusRect});
}

void TSgSpinButton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() - TTimeBtnState{tbFocusRect});
}

namespace {

bool canTakeFocus(const QWidget* w) { return w->isEnabled() && w->isVisible(); }
bool hasFocusNow(const QWidget* w) { return QApplication::focusWidget() == w; }

} // namespace

void TSgSpinButton::ArrowMouseDown(QObject* sender, fw::TMouseButton button)
{
    if (button != fw::mbLeft)
        return;
    MoveFocusMark(static_cast<TFxTimerSpeedButton*>(sender));
    if (FFocusControl && (FFocusControl->focusPolicy() & Qt::TabFocus) && canTakeFocus(FFocusControl) &&
        !hasFocusNow(FFocusControl))
        FFocusControl->setFocus(Qt::MouseFocusReason);
    else if (FTabStop && canTakeFocus(this) && !hasFocusNow(this))
        setFocus(Qt::MouseFocusReason);
}

void TSgSpinButton::MoveFocusMark(TFxTimerSpeedButton* button)
{
    if (!FTabStop || !canTakeFocus(this) || button == FFocusedButton)
        return;
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() - TTimeBtnState{tbFocusRect});
    FFocusedButton = button;
    if (hasFocusNow(this))
        FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() + TTimeBtnState{tbFocusRect});
}

void TSgSpinButton::ArrowClick(QObject* sender)
{
    if (sender == FUpButton) {
        if (OnUpClick)
            OnUpClick(this);
    } else if (OnDownClick) {
        OnDownClick(this);
    }
}

// ---- spin edit -----------------------------------------------------------------------------

namespace {

TDateTime timeOfDay(TDateTime dt) { return dt >= 0 ? dt - std::floor(dt) : 0; }

// One month on or back; the day is cut to the target month's length.
TDateTime incMonth(TDateTime dt, int months)
{
    int y, m, d;
    fw::DecodeDate(dt, y, m, d);
    int index = y * 12 + (m - 1) + months;
    y = index / 12;
    m = index % 12 + 1;
    d = std::min(d, fw::DaysInAMonth(y, m));
    return fw::EncodeDate(y, m, d) + timeOfDay(dt);
}

// One year on or back; 29 February of a leap year lands on 28 February.
TDateTime incYear(TDateTime dt, int years)
{
    int y, m, d;
    fw::DecodeDate(dt, y, m, d);
    y += years;
    d = std::min(d, fw::DaysInAMonth(y, m));
    return fw::EncodeDate(y, m, d) + timeOfDay(dt);
}

} // namespace

TSgSpinEdit::TSgSpinEdit(QWidget* parent) : TSgEditBase(parent)
{
    FButton = new TSgSpinButton(this);
    FButton->SetBounds(0, 0, 15, 17);
    FButton->setVisible(true);
    FButton->SetFocusControl(this);
    FButton->OnUpClick = [this](QObject* sender) { UpButtonClick(sender); };
    FButton->OnDownClick = [this](QObject* sender) { DownButtonClick(sender); };
    setText(QStringLiteral("0"));
    ApplyMinimumHeight();
    resize(121, MinimumHeight());
    LayoutControl();
}

TSgSpinEdit::~TSgSpinEdit() = default;

void TSgSpinEdit::Loaded()
{
    TSgEditBase::Loaded();
    if (FSpinType == sptDate)
        setText(fw::DateToStr(FDateValue));
    else if (FSpinType == sptTime)
        setText(FShowSeconds ? fw::TimeToStr(FTimeValue) : fw::FormatDateTime(QStringLiteral("h:nn"), FTimeValue));
    SetSpinType(FSpinType);
    FButton->Loaded();
    LayoutControl();
}

int TSgSpinEdit::MinimumHeight() const
{
    const int f = FontHeight();
    const int i = std::min(f, SystemFontHeight());
    // Four times the one-pixel system border for a single border.
    return f + i / 4 + 2 + (BorderStyle() == bsSingle ? 4 : 0);
}

void TSgSpinEdit::LayoutControl()
{
    if (!FButton)
        return;
    PlaceButton(FButton, FButton->width());
    const int m = BorderStyle() == bsSingle ? 0 : 3;
    SetFormatRect(TRect(m, m, ClientWidth() - FButton->width() - 2 - m, ClientHeight() + 1));
}

bool TSgSpinEdit::SelectAllOnEnter() const
{
    return !(QApplication::mouseButtons() & Qt::LeftButton) || !EditorEnabled();
}

// ---- values --------------------------------------------------------------------------------

int TSgSpinEdit::CheckIntLimits(int value) const
{
    if (FMinValue == FMaxValue)
        return value;
    return std::clamp(value, std::min(FMinValue, FMaxValue), std::max(FMinValue, FMaxValue));
}

double TSgSpinEdit::CheckFloatLimits(double value) const
{
    if (FMinFloatValue == FMaxFloatValue)
        return value;
    return std::clamp(value, std::min(FMinFloatValue, FMaxFloatValue), std::max(FMinFloatValue, FMaxFloatValue));
}

TDateTime TSgSpinEdit::CheckDateLimits(TDateTime value) const
{
    if (FMinDateValue == FMaxDateValue)
        return value;
    return std::clamp(value, std::min(FMinDateValue, FMaxDateValue), std::max(FMinDateValue, FMaxDateValue));
}

int TSgSpinEdit::Value() const
{
    const QString t = fw::Trim(text());
    if (t.isEmpty())
        return 0;
    int v = 0;
    return fxutil_detail::strictInt(t, v) ? v : FMinValue;
}

void TSgSpinEdit::SetValue(int value)
{
    setText(fw::IntToStr(CheckIntLimits(value)));
    if (!EditorEnabled())
        selectAll();
}

double TSgSpinEdit::FloatValue() const
{
    double v = 0;
    // A text that is no number reads as the float minimum: the float path has its own limits.
    return fw::TryStrToFloat(text(), v) ? v : FMinFloatValue;
}

void TSgSpinEdit::SetFloatValue(double value)
{
    value = CheckFloatLimits(value);
    if (FPrecision > 0)
        setText(fw::FormatFloat(QStringLiteral("0.") + QString(FPrecision, QLatin1Char('0')), value));
    else
        setText(fw::FloatToStr(value));
}

TDateTime TSgSpinEdit::DateValue() const
{
    const QString t = text();
    if (t == u"0" || fw::Trim(t).isEmpty())
        return fw::Now();
    TDateTime v = 0;
    return fw::TryStrToDate(t, v) ? v : FMinDateValue;
}

void TSgSpinEdit::SetDateValue(TDateTime value)
{
    FDateValue = value;
    if (IsLoading())
        return;
    const int caret = cursorPosition();
    setText(fw::DateToStr(CheckDateLimits(value)));
    RestoreCaret(caret);
}

TDateTime TSgSpinEdit::TimeValue() const
{
    TDateTime v = 0;
    return fw::TryStrToTime(text(), v) ? v : 0;
}

void TSgSpinEdit::SetTimeValue(TDateTime value)
{
    FTimeValue = value;
    if (IsLoading())
        return;
    value = CheckDateLimits(value);
    const int caret = cursorPosition();
    setText(FShowSeconds ? fw::TimeToStr(value) : fw::FormatDateTime(QStringLiteral("h:nn"), value));
    RestoreCaret(caret);
}

void TSgSpinEdit::SetSpinType(TSgSpinType value)
{
    FSpinType = value;
    switch (value) {
    case sptNormal: SetValue(Value()); break;
    case sptFloat: SetFloatValue(FloatValue()); break;
    case sptDate: SetDateValue(DateValue()); break;
    case sptTime: SetTimeValue(TimeValue()); break;
    }
}

void TSgSpinEdit::SetPrecision(int value)
{
    FPrecision = value;
    if (FSpinType == sptFloat)
        SetFloatValue(FloatValue());
}

// ---- look ----------------------------------------------------------------------------------

void TSgSpinEdit::Relayout()
{
    // As resizing does: the button takes its width for the direction first.
    FButton->SetBounds(FButton->x(), FButton->y(), FButton->width(), FButton->height());
    LayoutControl();
}

void TSgSpinEdit::SetDirection(TSpinDirection value)
{
    FDirection = value;
    FButton->SetDirection(value);
    Relayout();
}

void TSgSpinEdit::SetEditAlign(TEditAlign value)
{
    FEditAlign = value;
    ApplyAlignment();
}

void TSgSpinEdit::ApplyAlignment()
{
    const Qt::Alignment h = FEditAlign == eaRight ? Qt::AlignRight : FEditAlign == eaCenter ? Qt::AlignHCenter : Qt::AlignLeft;
    setAlignment(h | Qt::AlignVCenter);
}

void TSgSpinEdit::SetSpinFlat(bool value)
{
    FSpinFlat = value;
    FButton->UpButton()->SetFlat(value);
    FButton->DownButton()->SetFlat(value);
}

void TSgSpinEdit::SetSpinTransparent(bool value)
{
    FSpinTransparent = value;
    FButton->UpButton()->SetTransparent(value);
    FButton->DownButton()->SetTransparent(value);
    Relayout();
}

void TSgSpinEdit::ApplyWinXPLook(bool value)
{
    FIsWinXP = value;
    FButton->SetWinXPLook(value);
}

// ---- stepping ------------------------------------------------------------------------------

void TSgSpinEdit::StepUp(bool page)
{
    if (isReadOnly()) {
        fw::Beep();
        return;
    }
    switch (FSpinType) {
    case sptNormal: SetValue(Value() + FIncrement); break;
    case sptFloat: SetFloatValue(FloatValue() + (page ? FIncrementFloatPage : FIncrementFloat)); break;
    case sptDate: StepDate(1); break;
    case sptTime: StepTime(1); break;
    }
}

void TSgSpinEdit::StepDown(bool page)
{
    if (isReadOnly()) {
        fw::Beep();
        return;
    }
    switch (FSpinType) {
    case sptNormal: SetValue(Value() - FIncrement); break;
    case sptFloat: SetFloatValue(FloatValue() - (page ? FIncrementFloatPage : FIncrementFloat)); break;
    case sptDate: StepDate(-1); break;
    case sptTime: StepTime(-1); break;
    }
}

void TSgSpinEdit::StepDate(int direction)
{
    const QString format = fw::FormatSettings().ShortDateFormat.toLower();
    const qsizetype monthAt = format.indexOf(QLatin1Char('m')), dayAt = format.indexOf(QLatin1Char('d'));
    FUsDates = monthAt >= 0 && dayAt >= 0 && monthAt < dayAt;

    const QString t = text();
    const QChar separator = fw::FormatSettings().DateSeparator;
    const qsizetype first = t.indexOf(separator);
    const qsizetype second = first >= 0 ? t.indexOf(separator, first + 1) : -1;
    const int caret = CaretPos();
    enum { Day, Month, Year } part = Year;
    if (first >= 0 && caret <= first)
        part = FUsDates ? Month : Day;
    else if (second >= 0 && caret <= second)
        part = FUsDates ? Day : Month;

    const TDateTime date = DateValue();
    switch (part) {
    case Day: SetDateValue(date + direction); break;
    case Month: SetDateValue(incMonth(date, direction)); break;
    case Year: SetDateValue(incYear(date, direction)); break;
    }
}

void TSgSpinEdit::StepTime(int direction)
{
    const QString t = text();
    const QChar separator = fw::FormatSettings().TimeSeparator;
    const qsizetype first = t.indexOf(separator);
    const qsizetype second = first >= 0 ? t.indexOf(separator, first + 1) : -1;
    const int caret = CaretPos();
    TDateTime amount;
    if (first >= 0 && caret <= first)
        amount = fw::EncodeTime(FIncrementHours, 0, 0, 0);
    else if (FShowSeconds && second >= 0 && caret > second)
        amount = fw::EncodeTime(0, 0, FIncrementSeconds, 0);
    else
        amount = fw::EncodeTime(0, FIncrementMinutes, 0, 0);
    if (direction > 0) {
        SetTimeValue(TimeValue() + amount);
    } else {
        // Across midnight down to the evening before.
        TDateTime v = TimeValue() + 1 - amount;
        if (v > 1)
            v -= 1;
        SetTimeValue(v);
    }
}

void TSgSpinEdit::UpButtonClick(QObject*) { StepUp(false); }

void TSgSpinEdit::DownButtonClick(QObject*) { StepDown(false); }

// ---- keys ----------------------------------------------------------------------------------

bool TSgSpinEdit::AcceptsChar(QChar key)
{
    const fw::TFormatSettings& fs = fw::FormatSettings();
    const QChar ds = fs.DecimalSeparator, ts = fs.ThousandSeparator, tis = fs.TimeSeparator, das = fs.DateSeparator;
    const QChar minus = QLatin1Char('-'), plus = QLatin1Char('+');
    if (key == QChar(8))
        return EditorEnabled();

    bool accepted = key == ds || key == ts || key == tis || key == das || CharIsDigit(key) || key == minus;
    if (!accepted)
        accepted = key.unicode() < 32 && key != QChar(13);

    const bool numeric = FSpinType == sptNormal || FSpinType == sptFloat;
    if (key == tis && FSpinType != sptTime &&
        !((tis == ds || tis == ts || tis == minus || tis == plus) && numeric))
        accepted = false;
    if (key == das && FSpinType != sptDate &&
        !((das == ds || das == ts || das == minus || das == plus) && numeric))
        accepted = false;

    const QString t = text();
    const int caret = CaretPos();
    if (key == minus) {
        if (!t.contains(minus))
            accepted = accepted && caret == 0;
        else
            accepted = accepted && selectedText().contains(minus) && caret == 0;
    }

    if (FSpinType == sptNormal)
        accepted = accepted && (CharIsDigit(key) || key == minus);

    if (FSpinType == sptFloat && key != QChar(27) && key != QChar(13) && key != QChar(8)) {
        const qsizetype dsAt = t.indexOf(ds);
        if (key == ts)
            accepted = false;
        if (key == ds && dsAt >= 0 && !selectedText().contains(ds))
            accepted = false;
        if (FPrecision > 0 && dsAt >= 0 && cursorPosition() > dsAt && !hasSelectedText() &&
            t.size() - dsAt - 1 >= FPrecision)
            accepted = false;
    }

    if (FSpinType == sptTime && key == tis && t.count(tis) >= 2)
        accepted = false;

    if (!EditorEnabled() && key.unicode() >= 32)
        accepted = false;
    return accepted;
}

void TSgSpinEdit::HandleKeyDown(int& key, fw::TShiftState)
{
    switch (key) {
    case fw::VK_PRIOR: key = 0; StepUp(true); break;
    case fw::VK_NEXT: key = 0; StepDown(true); break;
    case fw::VK_UP: key = 0; StepUp(false); break;
    case fw::VK_DOWN: key = 0; StepDown(false); break;
    case fw::VK_RETURN:
        if (FReturnIsTab) {
            key = 0;
            QApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
        }
        break;
    case fw::VK_DELETE:
        if (!EditorEnabled())
            key = 0;
        break;
    default:
        break;
    }
}

void TSgSpinEdit::HandleWmChar(QChar& key, bool fromKeypad)
{
    if (FExcelStyleDecimalSeparator && fromKeypad && key == QLatin1Char('.'))
        key = fw::FormatSettings().DecimalSeparator;
    if (!AcceptsChar(key)) {
        fw::Beep();
        key = QChar();
    }
}

void TSgSpinEdit::keyPressEvent(QKeyEvent* event)
{
    fw::RunGuarded([&] {
        const int vk = fw::VirtualKeyFromEvent(*event);
        int key = vk;
        HandleKeyDown(key, fw::ShiftStateFromEvent(*event));
        if (vk != 0 && key == 0) {
            event->accept();
            return;
        }
        const QChar typed = fw::CharCodeFromEvent(*event);
        // Enter, Escape and Tab belong to the window (default and cancel buttons, focus).
        const bool windowKey = typed == QChar(13) || typed == QChar(27) || typed == QChar(9);
        if (!typed.isNull() && !windowKey) {
            QChar ch = typed;
            HandleWmChar(ch, event->modifiers() & Qt::KeypadModifier);
            if (ch.isNull()) {
                event->accept();
                return;
            }
            if (ch != typed) {
                insert(QString(ch));
                event->accept();
                return;
            }
        }
        if (!ClipboardKeyAllowed(event)) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
    });
}

void TSgSpinEdit::focusOutEvent(QFocusEvent* event)
{
    TSgEditBase::focusOutEvent(event);
    fw::RunGuarded([&] {
        switch (FSpinType) {
        case sptNormal: {
            const int v = Value();
            if (CheckIntLimits(v) != v)
                SetValue(v);
            break;
        }
        case sptFloat: {
            const double v = FloatValue();
            if (CheckFloatLimits(v) != v)
                SetFloatValue(v);
            break;
        }
        case sptDate: {
            const TDateTime v = DateValue();
            if (CheckDateLimits(v) != v)
                SetDateValue(v);
            break;
        }
        case sptTime: {
            const TDateTime v = TimeValue();
            if (CheckDateLimits(v) != v)
                SetTimeValue(v);
            break;
        }
        }
    });
}
