#include "controls/dropdown/FxDropDownValue.h"

#include "framework/SysUtils.h"
#include "grid/foundation/FxUtilText.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace FxDropDown;

// ---- unit routines ----------------------------------------------------------------------

namespace {

bool isDigit(QChar c) { return c.unicode() >= '0' && c.unicode() <= '9'; }
bool isHexLetter(QChar c) { return (c.unicode() >= 'A' && c.unicode() <= 'F') || (c.unicode() >= 'a' && c.unicode() <= 'f'); }
bool isAsciiLetter(QChar c)
{
    return (c.unicode() >= 'A' && c.unicode() <= 'Z') || (c.unicode() >= 'a' && c.unicode() <= 'z');
}

// The desktop's Val for the etString value: a decimal number with "." at the
// start of the text (leading blanks skipped); what follows it is ignored.
double decimalPrefixValue(const QString& s)
{
    static const QRegularExpression number(QStringLiteral("^ *([+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?)"));
    const QRegularExpressionMatch m = number.match(s);
    if (!m.hasMatch())
        return 0;
    bool ok = false;
    const double v = m.captured(1).toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0;
}

} // namespace

namespace FxDropDown {

bool IsRangeSeparator(QChar c) { return c == u',' || c == u'-' || c == u';'; }

int ClassifyNumberText(const QString& s)
{
    const QChar ts = LocaleThousandSeparator(), ds = LocaleDecimalSeparator();
    bool isInteger = !s.isEmpty(), isDecimal = isInteger, isHex = isInteger;
    int minus = 0, decimals = 0, lastThousand = -1;
    for (int i = 1; i <= s.size(); ++i) {
        const QChar c = s.at(i - 1);
        const bool digit = isDigit(c);
        if (c == u'-')
            ++minus;
        if (c == ds)
            ++decimals;
        if (c != u'-' && !digit)
            isInteger = false;
        if (c != u',' && c != u'-' && c != u'.' && !digit)
            isDecimal = false;
        if (c != u'-' && !digit && !isHexLetter(c))
            isHex = false;
        if (c == ts) {
            if (i - lastThousand < 3)
                isDecimal = false;
            lastThousand = i;
        }
    }
    int result = 2;
    if (isHex && !isInteger)
        result = 5;
    if (isInteger)
        result = 0;
    else if (isDecimal)
        result = 1;
    if (minus > 1 || decimals > 1)
        result = 2;
    return result;
}

QString StripThousandSeparators(const QString& s)
{
    QString r = s;
    r.remove(LocaleThousandSeparator());
    return r;
}

int HexDigitValue(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return 0;
}

std::int32_t HexTextToInt(const QString& s)
{
    std::uint32_t sum = 0, weight = 1;
    for (int i = int(s.size()) - 1; i >= 0; --i) {
        sum += std::uint32_t(HexDigitValue(s.at(i))) * weight;
        weight *= 16u;
    }
    return std::int32_t(sum);
}

double ParseNumberText(const QString& s)
{
    const QString t = s.contains(LocaleThousandSeparator()) ? FxDropDown::StripThousandSeparators(s) : s;
    double v = 0;
    return fw::TryStrToFloat(t, v) ? v : 0;
}

} // namespace FxDropDown

// ---- value rules ------------------------------------------------------------------------

TDropDownValue::TDropDownValue(IValueEdit& edit) : FEdit(edit) {}

QString TDropDownValue::Value() const
{
    QString d = FEdit.EditState().Text;
    if (!FPrefix.isEmpty() && d.startsWith(FPrefix))
        d.remove(0, FPrefix.size());
    if (!FSuffix.isEmpty())
        d.chop(FSuffix.size());
    return d;
}

void TDropDownValue::SetDisplay(const QString& value) { FEdit.SetDisplayText(FPrefix + value + FSuffix); }

void TDropDownValue::SetCaret(int caret) { FEdit.SetSelection(caret, caret); }

QString TDropDownValue::PatternText(const char* kind, double x) const
{
    return fw::Format(QStringLiteral("%.") + QString::number(FPrecision) + QLatin1String(kind), {x});
}

void TDropDownValue::SetText(const QString& value)
{
    QString v = value;
    if (v.isEmpty() && (FEditType == etNumeric || FEditType == etFloat || FEditType == etMoney || FEditType == etHex))
        v = QStringLiteral("0");
    if (FPrecision > 0 && !v.isEmpty() && v != u"Error") {
        if (FEditType == etMoney)
            v = PatternText("n", ParseNumberText(v));
        else if (FEditType == etFloat)
            v = PatternText("f", ParseNumberText(v));
    }
    if (FEditType == etHex)
        v = fw::AnsiUpperCase(v);
    SetDisplay(v);
    FOldText = v;
    SetModified(false);
}

void TDropDownValue::SetModified(bool value)
{
    if (!FEdit.CanSetModified())
        return;
    FEdit.SetEditModified(value);
    FIsModified = value;
}

void TDropDownValue::SetEditType(TDropDownEditType value)
{
    if (value == FEditType)
        return;
    FEditType = value;
    if (value == etPassword)
        FCanUndo = false;
    const int kind = ClassifyNumberText(Value());
    if (value == etNumeric && kind != 0)
        SetIntValue(0);
    else if ((value == etFloat || value == etMoney) && kind != 0 && kind != 1)
        SetFloatValue(0);
    else if (value == etHex && kind != 0 && kind != 5)
        SetIntValue(0);
}

void TDropDownValue::SetPrecision(int value)
{
    if (value == FPrecision || (FEditType != etString && FEditType != etFloat && FEditType != etMoney))
        return;
    FPrecision = std::int16_t(value);
    const int kind = ClassifyNumberText(Value());
    SetFloatValue(kind != 0 && kind != 1 ? 0.0 : GetFloatValue());
}

double TDropDownValue::GetFloatValue() const
{
    const QString v = Value();
    switch (FEditType) {
    case etString: return decimalPrefixValue(v);
    case etNumeric:
    case etFloat:
        if (v.isEmpty() || v == u"Error" || v == u"-")
            return 0;
        return ParseNumberText(v);
    case etMoney: {
        if (v.isEmpty())
            return 0;
        QString t = FxDropDown::StripThousandSeparators(v);
        if (t.endsWith(LocaleDecimalSeparator()))
            t.chop(1);
        if (t.isEmpty() || t == u"-")
            return 0;
        return ParseNumberText(t);
    }
    case etHex: return v.isEmpty() ? 0 : double(HexTextToInt(v));
    default: return 0;
    }
}

void TDropDownValue::SetFloatValue(double x)
{
    const QString general = fw::Format(QStringLiteral("%g"), {x});
    switch (FEditType) {
    case etString:
    case etFloat: SetText(FPrecision < 0 ? general : PatternText("f", x)); break;
    case etNumeric: SetText(FPrecision < 0 ? general : PatternText("n", x)); break;
    case etMoney:
        SetText(FPrecision < 0 ? general : PatternText("f", x));
        ApplyThousandSeparators();
        break;
    case etHex: {
        const double t = std::trunc(x);
        const std::int64_t n = !std::isfinite(t) ? 0
                               : t >= 9.2233720368547758e18 ? std::numeric_limits<std::int64_t>::max()
                               : t <= -9.2233720368547758e18 ? std::numeric_limits<std::int64_t>::min()
                                                             : std::int64_t(t);
        SetText(fw::IntToHex(std::uint64_t(n), 1));
        break;
    }
    default: break;
    }
    SetModified(true);
}

void TDropDownValue::SetIntValue(std::int64_t n)
{
    switch (FEditType) {
    case etNumeric:
    case etFloat: SetText(fw::IntToStr(n)); break;
    case etMoney:
        SetText(fw::IntToStr(n));
        ApplyThousandSeparators();
        break;
    case etHex: SetText(fw::IntToHex(std::uint64_t(n), 1)); break;
    default: break;
    }
    SetModified(true);
}

void TDropDownValue::ApplyThousandSeparators()
{
    const fw::TEditBuffer state = FEdit.EditState();
    QString s = Value();
    if (s.isEmpty())
        return;
    const int oldLength = int(s.size());
    const QChar ds = LocaleDecimalSeparator();
    QString sign;
    if (s.startsWith(u'-')) {
        sign = QStringLiteral("-");
        s.remove(0, 1);
    }
    const qsizetype dp = s.indexOf(ds);
    const QString fraction = dp >= 0 ? s.mid(dp, 255) : QString();
    QString integer = fw::Format(FAutoThousandSeparator ? QStringLiteral("%n") : QStringLiteral("%f"),
                                 {std::trunc(std::fabs(GetFloatValue()))});
    const qsizetype cut = integer.indexOf(ds);
    if (cut >= 0)
        integer.truncate(cut);
    const QString value = sign + integer + fraction;
    const QString display = FPrefix + value + FSuffix;
    // The rewrite's own change notification is not the user's change.
    FBlockChange = display != state.Text;
    FEdit.SetDisplayText(display);
    SetCaret(state.Caret + int(value.size()) - oldLength);
}

void TDropDownValue::SelectAll()
{
    const int start = int(FPrefix.size());
    FEdit.SetSelection(start, start + int(Value().size()));
}

void TDropDownValue::SelectAfterDecimal()
{
    const qsizetype p = Value().indexOf(LocaleDecimalSeparator());
    SetCaret(int(FPrefix.size()) + (p >= 0 ? int(p) + 1 : 0));
}

void TDropDownValue::SelectBeforeDecimal()
{
    const qsizetype p = Value().indexOf(LocaleDecimalSeparator());
    SetCaret(int(FPrefix.size()) + (p >= 0 ? int(p) : 0));
}

QString TDropDownValue::SelectedValueText() const
{
    const fw::TEditBuffer state = FEdit.EditState();
    return Value().mid(std::max(0, state.SelStart() - int(FPrefix.size())), state.SelLength());
}

int TDropDownValue::DecimalSeparatorPos() const
{
    const QString v = Value();
    const qsizetype p = v.indexOf(LocaleDecimalSeparator());
    if (p >= 0)
        return int(p) + 1 + int(FPrefix.size());
    return int(FPrefix.size() + v.size() + FSuffix.size()) + 1;
}

int TDropDownValue::IntegerPartEnd(const QString& s) const
{
    const QString t = FxDropDown::StripThousandSeparators(s);
    const qsizetype p = t.indexOf(LocaleDecimalSeparator());
    int end = p >= 0 ? int(p) + 1 : int(t.size()) + 1;
    if (IsSignChar(u'-') && s.contains(u'-'))
        --end;
    return end;
}

bool TDropDownValue::IsSignChar(QChar c) const
{
    return FSigned && (FEditType == etNumeric || FEditType == etFloat || FEditType == etMoney) && c == u'-';
}

bool TDropDownValue::IsFractionFull(const QString& s, int caret) const
{
    const int p = caret - int(FPrefix.size());
    if (FPrecision <= 0 || s.size() - p > FPrecision)
        return false;
    const qsizetype q = s.indexOf(LocaleDecimalSeparator());
    if (q < 0)
        return false;
    return p >= q + 1 && s.size() - q - 1 >= FPrecision;
}

bool TDropDownValue::IsNearThousandSeparator(const QString& s, int caret) const
{
    const QChar ts = LocaleThousandSeparator();
    if (!s.contains(ts))
        return false;
    int p = caret - int(FPrefix.size());
    int nearest = int(s.size());
    QString rest = s;
    // Each pass cuts the text after the separator it looked at, so the loop
    // ends on every input; positions stay relative to the cut text.
    for (qsizetype i = rest.indexOf(ts); i >= 0; i = rest.indexOf(ts)) {
        const int q = int(i) + 1;
        const int d = std::abs(q - p);
        nearest = std::min(nearest, d);
        if (d < 3)
            return true;
        p -= q;
        rest.remove(0, q);
    }
    return nearest > 3;
}

// ---- typing -----------------------------------------------------------------------------

void TDropDownValue::PassAndMark(QChar ch)
{
    SetModified(true);
    FEdit.PassChar(ch);
}

void TDropDownValue::SignToggle(bool numeric)
{
    const fw::TEditBuffer state = FEdit.EditState();
    QString v = Value();
    const int prefixLength = int(FPrefix.size());
    if (numeric && state.SelLength() == v.size()) {
        SetDisplay(QStringLiteral("-"));
        SetCaret(prefixLength + 1);
        return;
    }
    if (v.contains(u'-')) {
        v.remove(0, 1);
        SetDisplay(v);
        if (!numeric)
            SetModified(true);
        SetCaret(state.Caret > prefixLength ? state.Caret - 1 : prefixLength);
        return;
    }
    SetDisplay(QStringLiteral("-") + v);
    SetCaret(state.Caret + 1);
    SetModified(true);
}

TCharOutcome TDropDownValue::FilterChar(QChar ch, const TCharContext& context)
{
    TCharOutcome out;
    const fw::TEditBuffer before = FEdit.EditState();
    const QString value = Value();
    const QChar ds = LocaleDecimalSeparator(), ts = LocaleThousandSeparator();
    const int prefixLength = int(FPrefix.size());
    const bool wholeSelected = !value.isEmpty() && before.SelLength() == value.size();

    // A character over the whole value would notify its change twice (the
    // replacement, then any rewrite): the first notification is swallowed.
    // When the character changes nothing the flag must not wait for a later,
    // genuine change.
    if (wholeSelected)
        FBlockChange = true;
    struct TClearUnusedBlock {
        TDropDownValue& self;
        const QString& text;
        bool set;
        ~TClearUnusedBlock()
        {
            if (set && self.FEdit.EditState().Text == text)
                self.FBlockChange = false;
        }
    } clearUnusedBlock{*this, before.Text, wholeSelected};

    const ushort c = ch.unicode();
    if (c == 13) {
        if (context.Ctrl)
            return out;
        out.EnterToOnKeyPress = true;
        if (!FDefaultHandling && context.HasParent) {
            out.PostEnterDown = true;
            out.PostEnterUp = !context.ParentKeyPreview;
        }
        return out;
    }
    if (c == 27) {
        // Escape is a command, never typing: it reaches the edit (which
        // ignores it) without marking the value modified.
        if (!FDefaultHandling && context.HasParent && !context.ParentKeyPreview)
            out.PostEscape = true;
        FEdit.PassChar(ch);
        return out;
    }
    if (context.Ctrl && (c == 3 || c == 22 || c == 24)) {
        FEdit.PassChar(ch);
        return out;
    }
    if (FExcelStyleDecimalSeparator && (ch == u'.' || ch == u',') && context.Keypad)
        ch = ds;
    const ushort k = ch.unicode();
    if (k == 8 && !FPrefix.isEmpty() && before.Caret <= prefixLength && !before.HasSelection())
        return out;
    if (FLengthLimit > 0 && IntegerPartEnd(value) > FLengthLimit && !before.HasSelection() &&
        before.Caret < DecimalSeparatorPos() && k != 8 && ch != ds && !IsSignChar(ch))
        return out;   // the integer part is full
    auto copyModified = [this] {
        if (FEdit.EditModified())
            SetModified(true);
    };
    if (k == 8) {
        FEdit.PassChar(ch);
        // The deletion's own notification was swallowed above.
        if (wholeSelected && Value().isEmpty())
            FEdit.RaiseChange();
        copyModified();
        return out;
    }
    if (context.Ctrl && k == 10)
        return out;
    if (!FSigned && ch == u'-' && (FEditType == etNumeric || FEditType == etFloat || FEditType == etMoney))
        return out;

    const bool digit = isDigit(ch);
    const bool control = k == 9 || k == 13;
    // Steps shared by etFloat and etMoney; true when the character was handled.
    auto numberRules = [&]() -> bool {
        if ((ch == ts || ch == ds) && IsNearThousandSeparator(value, before.Caret))
            return true;
        if (IsFractionFull(value, before.Caret) && (digit || ch == ds) && !before.HasSelection()) {
            const int p = before.Caret - prefixLength;
            const qsizetype sep = value.indexOf(ds);
            if (digit && p > sep && p < value.size()) {
                // The full fraction is overwritten digit by digit.
                FEdit.SetSelection(before.Caret, before.Caret + 1);
                FEdit.PassChar(ch);
            }
            return true;
        }
        if (value.isEmpty() && before.Caret == prefixLength && ch == ds) {
            SetDisplay(QStringLiteral("0") + ds);
            SetCaret(prefixLength + 2);
            SetModified(true);
            return true;
        }
        if (ch == u'-' && !before.HasSelection()) {
            SignToggle(false);
            return true;
        }
        return false;
    };

    switch (FEditType) {
    case etString:
    case etPassword: PassAndMark(ch); break;
    case etAlphaNumeric:
        if (control || digit || isAsciiLetter(ch))
            PassAndMark(ch);
        break;
    case etValidChars:
        if (FValidChars.contains(ch))
            PassAndMark(ch);
        break;
    case etHex:
        if (control || ch == u'-' || digit || isHexLetter(ch))
            PassAndMark(ch);
        break;
    case etUppercase: FEdit.PassChar(fw::AnsiUpperCase(QString(ch)).at(0)); break;
    case etLowerCase: FEdit.PassChar(fw::AnsiLowerCase(QString(ch)).at(0)); break;
    case etMixedCase: {
        FEdit.PassChar(ch);
        // Writing the proper-cased text would clear the edit's modified flag
        // that the typing just set.
        const bool typed = FEdit.EditModified();
        SetDisplay(ProperCaseName(Value()));
        FEdit.SetEditModified(typed);
        SetCaret(before.Caret + 1);
        break;
    }
    case etRange:
        if (control || ch == u',' || ch == u'-' || ch == u';' || digit) {
            SetModified(true);
            if (IsRangeSeparator(ch)) {
                const QString t = before.Text + QLatin1Char(' ');
                const int caret = before.Caret;
                if (caret <= prefixLength || (caret > 0 && IsRangeSeparator(t.at(caret - 1))) ||
                    IsRangeSeparator(t.at(caret)))
                    break;
            }
            FEdit.PassChar(ch);
        }
        break;
    case etNumeric:
        if (ch == u'-')
            SignToggle(true);
        else if (control || digit || context.Ctrl)
            FEdit.PassChar(ch);
        break;
    case etFloat:
        if ((ch == u',' || ch == u'.') && ch != ds && ch != ts)
            break;
        if (!(control || ch == u',' || ch == u'-' || ch == u'.' || digit))
            break;
        if (ch == ds && !before.SelText().contains(ds)) {
            if (value.contains(ds) || FPrecision == 0) {
                if (FPrecision > 0)
                    SelectAfterDecimal();
                break;
            }
        }
        if (ch == u',' && value.contains(u',') && !before.SelText().contains(u',') && ts != u',')
            break;
        if (numberRules())
            break;
        FEdit.PassChar(ch);
        break;
    case etMoney: {
        if (ch == ds && (value.contains(ds) || FPrecision == 0)) {
            if (FPrecision > 0) {
                if (wholeSelected)
                    SetText(QStringLiteral("0,0"));
                SelectAfterDecimal();
            }
            break;
        }
        if (!(control || ch == u'-' || digit || ch == ds))
            break;
        if (numberRules())
            break;
        FEdit.PassChar(ch);
        const QString now = Value();
        if (!now.isEmpty() && now != u"-" && ch != ds) {
            if (FEdit.EditModified())
                SetModified(true);
            ApplyThousandSeparators();
        }
        break;
    }
    }
    copyModified();
    return out;
}

TKeyOutcome TDropDownValue::FilterKeyDown(int& key, fw::TShiftState shift, bool returnIsTab)
{
    TKeyOutcome out;
    if (key == fw::VK_RETURN && returnIsTab) {
        key = fw::VK_TAB;
        out.PostTab = true;
    }
    const fw::TEditBuffer state = FEdit.EditState();
    const QString v = Value();
    const int prefixLength = int(FPrefix.size());
    const int suffixStart = prefixLength + int(v.size());
    const bool extend = shift.Contains(fw::ssShift);
    if (key == fw::VK_RIGHT && !FSuffix.isEmpty()) {
        out.Swallow = state.SelEnd() >= suffixStart;
    } else if (key == fw::VK_DELETE && !FSuffix.isEmpty()) {
        if (state.SelEnd() >= suffixStart && !state.HasSelection())
            out.Swallow = true;
        else
            SetModified(true);
    } else if (key == fw::VK_LEFT && !FPrefix.isEmpty()) {
        out.Swallow = state.SelEnd() <= prefixLength;
    } else if (key == fw::VK_END && !FSuffix.isEmpty()) {
        if (extend)
            FEdit.SetSelection(state.SelStart(), suffixStart);
        else
            SetCaret(suffixStart);
        out.Swallow = true;
    } else if (key == fw::VK_HOME && !FPrefix.isEmpty()) {
        if (extend)
            FEdit.SetSelection(suffixStart, prefixLength);
        else
            SetCaret(prefixLength);
        out.Swallow = true;
    } else if (key == fw::VK_BACK && !FPrefix.isEmpty()) {
        if (state.Caret <= prefixLength + 1)
            out.Swallow = true;
        else
            SetModified(true);
    } else if (key == fw::VK_DELETE && state.Caret >= prefixLength) {
        QString rest = v;
        if (state.HasSelection())
            rest.remove(std::max(0, state.SelStart() - prefixLength), state.SelLength());
        else
            rest.remove(state.Caret - prefixLength, 1);
        if (FLengthLimit > 0 && IntegerPartEnd(rest) - 1 > FLengthLimit)
            out.Swallow = true;
        else
            SetModified(true);
    }
    return out;
}

void TDropDownValue::AfterKeyDown(int key)
{
    if (key == fw::VK_DELETE && FEditType == etMoney)
        ApplyThousandSeparators();
    if (!FPrefix.isEmpty() && FEdit.EditState().Caret < FPrefix.size())
        SetCaret(int(FPrefix.size()));
}

void TDropDownValue::ClampSelectionToValue()
{
    const int prefixLength = int(FPrefix.size());
    const int valueLength = int(Value().size());
    if (!FPrefix.isEmpty() && FEdit.EditState().Caret < prefixLength)
        FEdit.SetSelection(prefixLength, prefixLength + valueLength);
    if (FSuffix.isEmpty())
        return;
    const fw::TEditBuffer state = FEdit.EditState();
    const int suffixStart = prefixLength + valueLength;
    if (state.Anchor > suffixStart || state.Caret > suffixStart)
        FEdit.SetSelection(std::min(state.Anchor, suffixStart), std::min(state.Caret, suffixStart));
}

void TDropDownValue::Paste(const QString& clip, int maxLength,
                           const std::function<void(const QString& value, bool& allow)>& ask)
{
    if (clip.isEmpty())
        return;
    const fw::TEditBuffer state = FEdit.EditState();
    const QString v = Value();
    const int prefixLength = int(FPrefix.size());
    const int start = std::clamp(state.SelStart() - prefixLength, 0, int(v.size()));
    const int length = std::min(state.SelLength(), int(v.size()) - start);
    QString pasted = v;
    pasted.replace(start, length, clip);
    const int afterAnchor = prefixLength + start + (state.HasSelection() ? 0 : int(clip.size()));
    const int afterCaret = prefixLength + start + int(clip.size());

    bool allow = true;
    if (ask)
        ask(pasted, allow);
    if (!allow)
        return;
    if (maxLength > 0 && clip.size() + v.size() - state.SelLength() > maxLength)
        return;

    auto allOf = [&](auto accepted) { return std::all_of(pasted.begin(), pasted.end(), accepted); };
    const int kind = ClassifyNumberText(pasted);
    const bool signOk = FSigned || !pasted.contains(u'-');
    switch (FEditType) {
    case etString:
    case etPassword: SetText(pasted); break;
    case etNumeric:
        if (kind == 0 && signOk) {
            SetText(pasted);
            SetModified(true);
        }
        break;
    case etFloat:
    case etMoney:
        if ((kind == 0 || kind == 1) && (FPrecision != 0 || !clip.contains(LocaleDecimalSeparator())) && signOk) {
            SetText(pasted);
            SetFloatValue(GetFloatValue());
            SetModified(true);
        }
        break;
    case etUppercase: SetText(fw::AnsiUpperCase(pasted)); break;
    case etMixedCase: SetText(ProperCaseName(pasted)); break;
    case etLowerCase: SetText(fw::AnsiLowerCase(pasted)); break;
    case etAlphaNumeric:
        if (allOf([](QChar c) { return isDigit(c) || isAsciiLetter(c); })) {
            SetText(pasted);
            SetModified(true);
        }
        break;
    case etValidChars:
        if (allOf([this](QChar c) { return FValidChars.contains(c); })) {
            SetText(pasted);
            SetModified(true);
        }
        break;
    case etRange:
    case etHex: break;
    }
    if (FEditType == etMoney && Value().size() > 3)
        SelectAll();
    else
        FEdit.SetSelection(afterAnchor, afterCaret);
    if (FEditType == etString || FEditType == etUppercase || FEditType == etMixedCase || FEditType == etLowerCase ||
        FEditType == etPassword)
        SetModified(true);
}

void TDropDownValue::FocusGained(bool autoSelect)
{
    FOldString = Value();
    if (autoSelect)
        SelectAll();
    else if (FEditType == etFloat || FEditType == etMoney)
        SelectBeforeDecimal();
}

void TDropDownValue::FocusLost()
{
    const bool number = FEditType == etFloat || FEditType == etMoney;
    if (FPrecision > 0 && number && (!Value().isEmpty() || !FAllowNumericNullValue)) {
        const bool modified = Modified();
        SetFloatValue(GetFloatValue());
        SetModified(modified);
    }
    if (FEditType == etNumeric && Value().isEmpty() && !FAllowNumericNullValue)
        SetText(QStringLiteral("0"));
    if (number && Value().isEmpty() && !FAllowNumericNullValue)
        SetFloatValue(0);
}

bool TDropDownValue::ConsumeBlockedChange()
{
    if (!FBlockChange)
        return false;
    FBlockChange = false;
    return true;
}

// ---- model ------------------------------------------------------------------------------

void TEditModel::Notify()
{
    if (!Value.ConsumeBlockedChange())
        ++Changes;
}

void TEditModel::SetDisplayText(const QString& text)
{
    const bool changed = text != State.Text;
    State.Text = text;
    State.Anchor = State.Caret = 0;
    EditModifiedFlag = false;
    if (changed)
        Notify();
}

void TEditModel::PassChar(QChar ch)
{
    const QString before = State.Text;
    if (ch.unicode() == 8)
        State.Backspace();
    else if (ch.unicode() >= 32)
        State.InsertChar(ch);
    if (State.Text != before) {
        EditModifiedFlag = true;
        Notify();
    }
}

void TEditModel::Type(QChar ch, const TCharContext& context) { Value.FilterChar(ch, context); }

void TEditModel::TypeText(const QString& text, const TCharContext& context)
{
    for (const QChar ch : text)
        Type(ch, context);
}

void TEditModel::KeyDown(int key, fw::TShiftState shift)
{
    if (Value.FilterKeyDown(key, shift, false).Swallow)
        return;
    const QString before = State.Text;
    if (!State.MoveByKey(key, shift.Contains(fw::ssShift), shift.Contains(fw::ssCtrl)) && key == fw::VK_DELETE)
        State.DeleteForward();
    if (State.Text != before) {
        EditModifiedFlag = true;
        Notify();
    }
    Value.AfterKeyDown(key);
}
