#include "controls/dropdown/FxTimePickerDropDown.h"

#include "controls/dropdown/FxDropDownForm.h"
#include "framework/Input.h"
#include "framework/SysColors.h"
#include "grid/foundation/FxUtilText.h"

#include <QApplication>
#include <QTimeEdit>

using namespace fw;

// ---- text rules --------------------------------------------------------------------------

namespace FxTimePicker {

QString FormatTime(int hour, int minute, int second, bool seconds, QChar sep)
{
    auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    QString s = two(hour) + sep + two(minute);
    if (seconds)
        s += sep + two(second);
    return s;
}

TTimeField FieldAtCaret(const QString& text, int caret, bool seconds, QChar sep)
{
    const int p1 = int(text.indexOf(sep)) + 1;
    if (caret < p1)
        return tfHour;
    const int p2 = int(text.mid(p1).indexOf(sep)) + 1;
    return p2 > 0 && caret - p1 >= p2 && seconds ? tfSecond : tfMinute;
}

namespace {

// Up to two leading decimal digits, as far as the part has characters.
bool startsWithDigits(const QString& s)
{
    for (int i = 0; i < std::min<int>(2, int(s.size())); ++i)
        if (s[i] < u'0' || s[i] > u'9')
            return false;
    return true;
}

bool partValue(const QString& raw, int& value)
{
    const QString s = raw.trimmed();
    if (!startsWithDigits(s))
        return false;
    value = 0;
    for (int i = 0; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i)
        value = value * 10 + (s[i].unicode() - '0');
    // Digits past the first two are taken only as far as they keep a field small.
    return value < 1000;
}

} // namespace

bool ParseTime(const QString& text, bool seconds, QChar sep, int& hour, int& minute, int& second)
{
    const qsizetype first = text.indexOf(sep);
    if (first < 0)
        return false;
    const int more = int(text.mid(first + 1).count(sep));
    if (more != (seconds ? 1 : 0))
        return false;
    QString t = text;
    t.replace(u' ', u'0');
    const QStringList parts = t.split(sep);
    int h = 0, m = 0, s = 0;
    if (!partValue(parts[0], h) || !partValue(parts[1], m) || (seconds && !partValue(parts[2], s)))
        return false;
    if (h > 23 || m > 59 || s > 59)
        return false;
    hour = h;
    minute = m;
    second = s;
    return true;
}

int StepField(int value, TTimeField field, bool up)
{
    const int top = field == tfHour ? 23 : 59;
    if (up)
        return value == 0 ? top : value - 1;
    return value >= top ? 0 : value + 1;
}

} // namespace FxTimePicker

// ---- the drop-down -----------------------------------------------------------------------

using namespace FxTimePicker;

TFxTimePickerDropDown::TFxTimePickerDropDown(QWidget* parent) : TFxCustomDropDown(parent)
{
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    DropDownHeader().SetVisible(false);
    DropDownFooter().SetVisible(false);
    ApplyMask();
    CreateDropDownForm();
    SetComponentStyle(ComponentStyle());
}

TFxTimePickerDropDown::~TFxTimePickerDropDown() = default;

void TFxTimePickerDropDown::ApplyMask()
{
    const QChar sep = LocaleTimeSeparator();
    FInternalCall = true;
    SetEditMask(QString());
    SetEditText(QString());
    SetEditMask(QStringLiteral("!90") + sep + QStringLiteral("00") + (FShowSeconds ? sep + QStringLiteral("00") : QString()) +
                QStringLiteral(";1; "));
    FInternalCall = false;
    WriteText();
}

QString TFxTimePickerDropDown::FormatTime(int hour, int minute, int second) const
{
    return FxTimePicker::FormatTime(hour, minute, second, FShowSeconds, LocaleTimeSeparator());
}

void TFxTimePickerDropDown::WriteText()
{
    int h, m, s, ms;
    DecodeTime(FTime, h, m, s, ms);
    FInternalCall = true;
    SetTextUnformatted(FormatTime(h, m, s));
    FInternalCall = false;
}

void TFxTimePickerDropDown::SetTime(TDateTime value)
{
    if (value == FTime)
        return;
    FTime = value;
    WriteText();
    if (DroppedDown()) {
        if (FFxWatch)
            FFxWatch->SetTime(value);
        if (FDateTimePicker && FDateTimePicker->isVisible())
            FDateTimePicker->setTime(DateTimeToQDateTime(value).time());
    }
}

void TFxTimePickerDropDown::ShowTime(TDateTime value)
{
    SetTime(value);
    WriteText();
}

void TFxTimePickerDropDown::SetShowSeconds(bool value)
{
    if (value == FShowSeconds)
        return;
    FShowSeconds = value;
    ApplyMask();
}

void TFxTimePickerDropDown::FireTimeChange()
{
    if (OnTimeChange)
        OnTimeChange(this);
}

void TFxTimePickerDropDown::SetField(TTimeField field, int value)
{
    int h, m, s, ms;
    DecodeTime(FTime, h, m, s, ms);
    int& target = field == tfHour ? h : field == tfMinute ? m : s;
    if (value == target || value < 0 || value > (field == tfHour ? 23 : 59))
        return;
    target = value;
    SetTime(std::floor(FTime) + EncodeTime(h, m, s, ms));
    FireTimeChange();
}

void TFxTimePickerDropDown::ChangeHour(int value) { SetField(tfHour, value); }
void TFxTimePickerDropDown::ChangeMinute(int value) { SetField(tfMinute, value); }
void TFxTimePickerDropDown::ChangeSecond(int value) { SetField(tfSecond, value); }

void TFxTimePickerDropDown::HandleChange()
{
    TFxCustomDropDown::HandleChange();
    if (FInternalCall)
        return;
    // Only a text the mask reports as complete is read.
    const QString text = EditText();
    if (text.contains(u' '))
        return;
    int h = 0, m = 0, s = 0;
    if (!ParseTime(text, FShowSeconds, LocaleTimeSeparator(), h, m, s))
        return;
    FTime = EncodeTime(h, m, s, 0);
}

void TFxTimePickerDropDown::KeyDown(int& key, TShiftState shift)
{
    const int pressed = key;
    TFxCustomDropDown::KeyDown(key, shift);
    if (shift.Contains(ssAlt) || shift.Contains(ssCtrl) || (QApplication::keyboardModifiers() & Qt::AltModifier))
        return;
    if (pressed != VK_UP && pressed != VK_DOWN)
        return;
    const int caret = SelStart();
    const TTimeField field = FieldAtCaret(EditText(), caret, FShowSeconds, LocaleTimeSeparator());
    int h, m, s, ms;
    DecodeTime(FTime, h, m, s, ms);
    const int current = field == tfHour ? h : field == tfMinute ? m : s;
    SetField(field, StepField(current, field, pressed == VK_UP));
    SetSel(caret, caret);
}

// ---- popup -------------------------------------------------------------------------------

void TFxTimePickerDropDown::CreateDropDownForm()
{
    TFxCustomDropDown::CreateDropDownForm();
    if (!DropDownForm() || FPanelCtrl)
        return;
    FPanelCtrl = new QWidget(DropDownForm());
    FPanelCtrl->setAutoFillBackground(true);
    FPanelCtrl->setGeometry(0, 0, 170, 180);
    FFxWatch = new TFxWatch(FPanelCtrl);
    FFxWatch->setGeometry(0, 0, 170, 170);
    SetControl(FPanelCtrl);
}

void TFxTimePickerDropDown::BeforeDropDown()
{
    TFxCustomDropDown::BeforeDropDown();
    DropDownForm()->SetControlAligned(false);
    FPanelCtrl->resize(170, 170);
    DropDownForm()->SetCancelOnDeActivate(false);
    QPalette pal = FPanelCtrl->palette();
    pal.setColor(QPalette::Window, ToQColor(DropDownColor()));
    FPanelCtrl->setPalette(pal);
    FFxWatch->SetAppearance(FWatchAppearance);
    FFxWatch->SetSettings(FWatchSettings);
    FFxWatch->SetShowAMPM(FShowWatchAMPM);
    FFxWatch->SetShowNumbers(FShowWatchNumbers);
    FFxWatch->SetAnimation(FAnimation);
    FFxWatch->SetAnimationFactor(FAnimationFactor);
    FFxWatch->OnChange = nullptr;
    if (!FWatchSettings.Auto())
        FFxWatch->SetTime(FTime);
    FFxWatch->OnChange = [this](QObject*) { WatchChange(); };
    FDropTime = FTime;
    int pickerHeight = 0;
    if (FShowTimePicker) {
        if (!FDateTimePicker) {
            FDateTimePicker = new QTimeEdit(FPanelCtrl);
        }
        QTimeEdit* picker = FDateTimePicker;
        picker->blockSignals(true);
        picker->setDisplayFormat(FShowSeconds ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
        picker->setTime(DateTimeToQDateTime(FTime).time());
        picker->blockSignals(false);
        picker->disconnect(this);
        connect(picker, &QTimeEdit::timeChanged, this, [this] { PickerChange(); });
        pickerHeight = picker->sizeHint().height();
        picker->setGeometry(0, 170, 170, pickerHeight);
        picker->show();
        picker->raise();
    } else if (FDateTimePicker) {
        FDateTimePicker->hide();
    }
    FPanelCtrl->resize(170, 170 + pickerHeight);
    FFxWatch->setGeometry(0, 0, 170, 170);
}

void TFxTimePickerDropDown::WatchChange()
{
    const TDateTime t = FFxWatch->GetCurrentTime();
    if (FDateTimePicker && FDateTimePicker->isVisible()) {
        const QTime qt = DateTimeToQDateTime(t).time();
        if (FDateTimePicker->time() != qt) {
            FDateTimePicker->blockSignals(true);
            FDateTimePicker->setTime(qt);
            FDateTimePicker->blockSignals(false);
        }
    }
    if (t == FTime)
        return;
    SetTime(t);
    FireTimeChange();
}

void TFxTimePickerDropDown::PickerChange()
{
    if (!FFxWatch || FWatchSettings.Auto() || !FDateTimePicker)
        return;
    const QTime qt = FDateTimePicker->time();
    FFxWatch->SetTime(EncodeTime(qt.hour(), qt.minute(), qt.second(), 0));
    WatchChange();
}

void TFxTimePickerDropDown::DoHideDropDown(bool cancel)
{
    const bool open = DropDownForm() && DropDownForm()->isVisible();
    TFxCustomDropDown::DoHideDropDown(cancel);
    if (!open || !FFxWatch)
        return;
    FFxWatch->OnChange = nullptr;
    if (cancel) {
        SetTime(FDropTime);
        FFxWatch->SetTime(FDropTime);
        WriteText();
    } else {
        SetTime(FFxWatch->GetCurrentTime());
    }
}

void TFxTimePickerDropDown::DropDownHidden()
{
    TFxCustomDropDown::DropDownHidden();
}

// ---- key relays --------------------------------------------------------------------------

namespace {

// Keys the clock and the time edit use: they reach the edit only with Alt.
bool PopupOwnKey(int key, TShiftState shift)
{
    return (key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN) && !shift.Contains(ssAlt);
}

} // namespace

void TFxTimePickerDropDown::FormKeyDown(int& key, TShiftState shift)
{
    const int pressed = key;
    if (!PopupOwnKey(key, shift))
        TFxCustomDropDown::FormKeyDown(key, shift);
    if (FFxWatch && DropDownForm() && DropDownForm()->isVisible())
        FFxWatch->HandleKey(pressed);
}

void TFxTimePickerDropDown::FormKeyUp(int& key, TShiftState shift)
{
    if (!PopupOwnKey(key, shift))
        TFxCustomDropDown::FormKeyUp(key, shift);
}

void TFxTimePickerDropDown::ControlKeyDown(int& key, TShiftState shift)
{
    if (!PopupOwnKey(key, shift))
        TFxCustomDropDown::ControlKeyDown(key, shift);
}

void TFxTimePickerDropDown::ControlKeyUp(int& key, TShiftState shift)
{
    if (!PopupOwnKey(key, shift))
        TFxCustomDropDown::ControlKeyUp(key, shift);
}

void TFxTimePickerDropDown::ControlKeyPress(QChar& key)
{
    const ushort c = key.unicode();
    if ((c == 33 || c == 34 || c == 38 || c == 40) && !(QApplication::keyboardModifiers() & Qt::AltModifier))
        return;
    TFxCustomDropDown::ControlKeyPress(key);
}

void TFxTimePickerDropDown::SetComponentStyle(TFxStyle style)
{
    TFxCustomDropDown::SetComponentStyle(style);
    FxWatch::ApplyComponentStyle(FWatchAppearance, style);
}
