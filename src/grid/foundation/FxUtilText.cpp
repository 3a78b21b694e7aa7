#include "grid/foundation/FxUtilText.h"
#include "framework/DateTime.h"
#include "framework/SysUtils.h"

#include <QHash>

#include <cmath>

namespace {

const QChar CR = QChar(13);
const QChar LF = QChar(10);
const QChar VT = QChar(11);
const QString PackedMarker = QStringLiteral("|\\");

int pos1(const QString& sub, const QString& text, int from = 0)
{
    return int(text.indexOf(sub, from)) + 1;
}

QString asciiUpper(const QString& s)
{
    QString r = s;
    for (QChar& c : r)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    return r;
}

bool isBlank(QChar c) { return c.unicode() <= 32; }

// Integer text: leading spaces, optional sign, decimal digits or a
// hexadecimal number after "$", "x" or "0x"; nothing else may follow.
bool strictInt(const QString& s, int& value)
{
    int i = 0;
    const int n = int(s.size());
    while (i < n && s[i] == QLatin1Char(' '))
        ++i;
    bool neg = false;
    if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) {
        neg = s[i] == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < n && s[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i < n && (s[i] == QLatin1Char('x') || s[i] == QLatin1Char('X'))) {
        base = 16;
        ++i;
    } else if (i + 1 < n && s[i] == QLatin1Char('0') && (s[i + 1] == QLatin1Char('x') || s[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i >= n)
        return false;
    qint64 v = 0;
    for (; i < n; ++i) {
        const ushort u = s[i].unicode();
        int d;
        if (u >= '0' && u <= '9')
            d = u - '0';
        else if (base == 16 && u >= 'a' && u <= 'f')
            d = u - 'a' + 10;
        else if (base == 16 && u >= 'A' && u <= 'F')
            d = u - 'A' + 10;
        else
            return false;
        v = v * base + d;
        if (base == 10 && v > qint64(INT32_MAX) + 1)
            return false;
        if (base == 16 && v > qint64(UINT32_MAX))
            return false;
    }
    if (base == 16) {
        value = int(quint32(v));
        if (neg)
            value = -value;
        return true;
    }
    if (neg)
        v = -v;
    if (v > INT32_MAX)
        return false;
    value = int(v);
    return true;
}

// Plain float text with "." as decimal point, as the framework reads it.
bool plainFloat(const QString& s, double& value)
{
    static const fw::TFormatSettings dotSettings = [] {
        fw::TFormatSettings fs;
        fs.DecimalSeparator = QLatin1Char('.');
        return fs;
    }();
    return fw::TryStrToFloat(s, value, dotSettings);
}

} // namespace

// ---------------------------------------------------------------- locale

QChar LocaleDateSeparator() { return fw::FormatSettings().DateSeparator; }
QChar LocaleTimeSeparator() { return fw::FormatSettings().TimeSeparator; }
QChar LocaleThousandSeparator() { return fw::FormatSettings().ThousandSeparator; }
QChar LocaleDecimalSeparator() { return fw::FormatSettings().DecimalSeparator; }
QString LocaleShortDateFormat() { return fw::FormatSettings().ShortDateFormat; }

// ---------------------------------------------------------------- search, split

int PosAndStore(const QString& sub, const QString& text, int& pos)
{
    pos = pos1(sub, text);
    return pos;
}

int PosInUpperCase(const QString& upperPattern, const QString& text)
{
    return pos1(upperPattern, asciiUpper(text));
}

int CharPosition(QChar c, const QString& text)
{
    return int(text.indexOf(c)) + 1;
}

int CharPositionOut(QChar c, const QString& text, int& pos)
{
    const int p = CharPosition(c, text);
    if (p > 0)
        pos = p;
    return p;
}

int PosWide(const QString& sub, const QString& text)
{
    return pos1(sub, text);
}

void TakeUntilDelimiter(QString& text, const QString& delimiter, QString& part)
{
    const int p = pos1(delimiter, text);
    if (p == 0 || delimiter.isEmpty()) {
        part.clear();
        return;
    }
    part = text.left(p - 1);
    text.remove(0, p);
}

QString ConcatStrings(const QStringList& lines)
{
    return lines.join(QString());
}

int MaxOfInts(int a, int b) { return a > b ? a : b; }
int MinOfInts(int a, int b) { return a < b ? a : b; }

int ClampToLimits(int value, int minimum, int maximum)
{
    if (minimum == maximum)
        return value;
    if (maximum > 0 && value > maximum)
        return maximum;
    if (minimum > 0 && value < minimum)
        return minimum;
    return value;
}

bool CellInGridRect(int left, int top, int right, int bottom, int col, int row)
{
    return left <= col && col <= right && top <= row && row <= bottom;
}

bool ParseRowColRef(const QString& text, fw::TPoint& cell)
{
    const QString s = asciiUpper(text);
    if (s.size() <= 3 || s[0] != QLatin1Char('R'))
        return false;
    const int c = int(s.indexOf(QLatin1Char('C'), 1));
    if (c < 0)
        return false;
    int row = 0, col = 0;
    if (!strictInt(s.mid(1, c - 1), row) || !strictInt(s.mid(c + 1), col))
        return false;
    cell = fw::TPoint(col, row);
    return true;
}

int CountCharOccurrences(QChar c, const QString& text)
{
    return int(text.count(c));
}

void FillWithChar(QString& text, QChar c)
{
    text.fill(c);
}

// ---------------------------------------------------------------- character classes

bool CharIsDigit(QChar c)
{
    return c.isNumber();
}

bool IsNumberOrMinus(QChar c)
{
    return c.isNumber() || c == QLatin1Char('-');
}

bool IsNumberCharOrSeparator(QChar c)
{
    return c.isNumber() || c == LocaleThousandSeparator() || c == LocaleDecimalSeparator() || c == QLatin1Char('e')
        || c == QLatin1Char('E');
}

bool IsNumberTextChar(QChar c)
{
    return c.isNumber() || c == QLatin1Char('-') || c == QLatin1Char('.') || c == QLatin1Char('e')
        || c == QLatin1Char('E') || c == QLatin1Char('+');
}

bool IsScientificChar(QChar c)
{
    return IsNumberCharOrSeparator(c) || c == QLatin1Char('+') || c == QLatin1Char('-');
}

bool IsNameBreakChar(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\'') || c == QLatin1Char(',') || c == QLatin1Char('-')
        || c == QLatin1Char('.');
}

// ---------------------------------------------------------------- quoting, line breaks

QString EscapeDoubleQuotes(const QString& text)
{
    QString r = text;
    r.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return r;
}

QString CollapseDoubledChar(QChar c, const QString& text)
{
    if (!text.contains(c))
        return text;
    QString r;
    r.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        r += text[i];
        if (text[i] == c && i + 1 < text.size() && text[i + 1] == c)
            ++i;
    }
    return r;
}

int FindUnpairedChar(QChar c, const QString& text, int& pos)
{
    const int n = int(text.size());
    int run = 0;
    int result = 0;
    for (int i = 0; i < n; ++i) {
        if (text[i] == c) {
            ++run;
            if (i == n - 1) {
                result = n;
                break;
            }
        } else {
            if (run % 2 == 1) {
                result = i; // 1-based position of the run's last character
                break;
            }
            run = 0;
        }
    }
    pos = result;
    return result;
}

int CountUnpairedChars(QChar c, const QString& text)
{
    QString rest = text;
    int count = 0;
    int p = 0;
    while (FindUnpairedChar(c, rest, p) > 0) {
        ++count;
        rest.remove(0, p);
    }
    return count;
}

void QuoteWithVtLineBreaks(QString& text)
{
    text.replace(QStringLiteral("\r\n"), QString(VT));
    text = QLatin1Char('"') + text + QLatin1Char('"');
}

void VtToCrLf(QString& text)
{
    if (text.contains(VT))
        text.replace(VT, QStringLiteral("\r\n"));
}

void CrLfToLf(QString& text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString RemoveCarriageReturns(const QString& text)
{
    QString r = text;
    r.remove(CR);
    return r;
}

QString CrToLf(const QString& text)
{
    QString r = text;
    r.replace(CR, LF);
    return r;
}

QString CrToHtmlBreak(const QString& text)
{
    if (!text.contains(CR))
        return text;
    QString r = text;
    r.replace(CR, QStringLiteral("<br>"));
    return r;
}

QString BackslashNToCr(const QString& text)
{
    QString r = text;
    r.replace(QStringLiteral("\\n"), QString(CR));
    return r;
}

QString CrToBackslashN(const QString& text)
{
    QString r = text;
    r.remove(LF);
    r.replace(CR, QStringLiteral("\\n"));
    return r;
}

void LineBreaksToTilde(QString& text)
{
    text.remove(LF);
    text.replace(CR, QLatin1Char('~'));
}

void TildeToLineBreaks(QString& text)
{
    text.replace(QLatin1Char('~'), QStringLiteral("\r\n"));
    if (text == QLatin1String("^"))
        text.clear();
}

QString LineBreaksToControlChars(const QString& text)
{
    if (!text.contains(CR))
        return text;
    QString r = text;
    for (QChar& c : r) {
        if (c == CR)
            c = QChar(9);
        else if (c == LF)
            c = QChar(8);
        else if (c.unicode() == 0)
            c = QChar(1);
    }
    return r;
}

QString ControlCharsToLineBreaks(const QString& text, bool multiLine)
{
    QString r = text;
    if (r.contains(QChar(8))) {
        for (QChar& c : r) {
            if (c.unicode() == 9)
                c = CR;
            else if (c.unicode() == 8)
                c = LF;
            else if (c.unicode() == 1)
                c = QChar(0);
        }
    }
    if (multiLine)
        return r;
    QString line;
    TakeFirstLine(r, false, line);
    return line;
}

void TakeFirstLine(QString& text, bool keepRest, QString& line)
{
    const int p = int(text.indexOf(CR));
    if (p < 0) {
        line = text;
        text.clear();
        return;
    }
    line = text.left(p);
    int cut = p + 1;
    if (cut < text.size() && text[cut] == LF)
        ++cut;
    text.remove(0, cut);
    if (!keepRest)
        text.clear();
}

int TextLineCount(const QString& text, bool multiLine)
{
    return multiLine ? int(text.count(CR)) + 1 : 1;
}

// ---------------------------------------------------------------- cell text, numbers

int CellTextKind(const QString& text, bool checkHtml)
{
    if (text.isEmpty())
        return ctkPlain;
    const QString s = text + QLatin1Char(' ');
    if (s[0] == QLatin1Char('='))
        return ctkFormula;
    if (s.startsWith(PackedMarker)) {
        if (s.size() > 4 && s[3] == QLatin1Char('=') && s[4].unicode() == 0)
            return ctkFormula;
        return ctkPackedWide;
    }
    if (s.startsWith(QLatin1String("{\\")))
        return ctkRichText;
    if (checkHtml
        && (s.contains(QLatin1String("</")) || s.contains(QLatin1String("<B")) || s.contains(QLatin1String("<I"))
            || s.contains(QLatin1String("<C"))))
        return ctkHtml;
    return ctkPlain;
}

int NumericTextKind(const QString& text)
{
    if (text.isEmpty())
        return ntkNotANumber;
    const QChar ts = LocaleThousandSeparator();
    const QChar ds = LocaleDecimalSeparator();
    bool isInt = true, isFloat = true, isExp = true, hasE = false;
    int decimals = 0, minuses = 0, lastThousand = -1;
    const int n = int(text.size());
    for (int i = 1; i <= n; ++i) {
        const QChar c = text[i - 1];
        const bool num = c.isNumber();
        const bool minus = c == QLatin1Char('-');
        const bool e = c == QLatin1Char('e') || c == QLatin1Char('E');
        if (!num && !minus)
            isInt = false;
        if (e) {
            if (hasE)
                isExp = false;
            hasE = true;
        }
        if (i > 1 && minus)
            isInt = isFloat = false;
        if (i == 1 && e)
            isExp = false;
        if (i == n && (e || c == QLatin1Char('+') || minus))
            isExp = false;
        if (!num && !minus && c != ts && c != ds)
            isFloat = false;
        if (!IsScientificChar(c) || c == ts)
            isExp = false;
        if (c == ts) {
            if (lastThousand != -1 && i - lastThousand < 4)
                isFloat = false;
            lastThousand = i;
        }
        if (c == ds)
            ++decimals;
        if (minus)
            ++minuses;
    }
    int result;
    if (isInt) {
        result = ntkInteger;
    } else {
        result = ntkNotANumber;
        if (isFloat && !hasE)
            result = ntkDecimal;
        if (isExp && hasE) {
            result = ntkExponent;
            if (minuses == 2)
                minuses = 1;
        }
    }
    if (minuses > 1 || decimals > 1)
        result = ntkNotANumber;
    return result;
}

QString NormalizeNumberText(const QString& text)
{
    if (text.isEmpty())
        return QString();
    QString s = text;
    while (!s.isEmpty() && isBlank(s[0]))
        s.remove(0, 1);
    while (!s.isEmpty() && isBlank(s[s.size() - 1]))
        s.chop(1);
    bool negative = s.startsWith(QLatin1Char('(')) && s.endsWith(QLatin1Char(')'));
    while (s.size() >= 2 && !IsNumberCharOrSeparator(s[0])) {
        if (s[0] == QLatin1Char('-'))
            negative = true;
        s.remove(0, 1);
    }
    const QChar ts = LocaleThousandSeparator();
    const QChar ds = LocaleDecimalSeparator();
    QString r;
    for (QChar c : s) {
        if (c == ts)
            continue;
        if (c == ds)
            r += QLatin1Char('.');
        else if (IsNumberTextChar(c))
            r += c;
        else
            break;
    }
    if (negative)
        r.prepend(QLatin1Char('-'));
    return r;
}

QString StripThousandSeparators(const QString& buffer)
{
    const QChar ts = LocaleThousandSeparator();
    const QChar ds = LocaleDecimalSeparator();
    QString r;
    r.reserve(buffer.size());
    for (QChar c : buffer) {
        if (c == ts)
            continue;
        r += c == ds ? QChar(QLatin1Char('.')) : c;
    }
    return r;
}

QString ColorToHtmlHex(fw::TColor color)
{
    return QStringLiteral("%1%2%3")
        .arg(fw::GetRValue(color), 2, 16, QLatin1Char('0'))
        .arg(fw::GetGValue(color), 2, 16, QLatin1Char('0'))
        .arg(fw::GetBValue(color), 2, 16, QLatin1Char('0'))
        .toUpper();
}

// ---------------------------------------------------------------- dates

bool LooksLikeDate(const QString& text)
{
    const QChar ds = LocaleDateSeparator();
    const int p = int(text.indexOf(ds)) + 1;
    if (p < 2)
        return false;
    const int q = int(text.indexOf(ds, p)) + 1;
    return q > p + 1;
}

namespace {

TFxDateTime parseFixedOrder(const QString& text, bool monthFirst)
{
    int sp = int(text.indexOf(QLatin1Char('/')));
    if (sp < 0)
        sp = int(text.indexOf(QLatin1Char('.')));
    if (sp < 0)
        sp = int(text.indexOf(QLatin1Char('-')));
    if (sp < 0)
        return 0;
    const QChar sep = text[sp];
    const int sp2 = int(text.indexOf(sep, sp + 1));
    if (sp2 < 0)
        return 0;
    int first = 0, second = 0, year = 0;
    if (!strictInt(text.left(sp), first) || !strictInt(text.mid(sp + 1, sp2 - sp - 1), second)
        || !strictInt(text.mid(sp2 + 1), year))
        return 0;
    // Only a two-digit year is given a century; four-digit years stand as written.
    if (year >= 0 && year < 100)
        year += year <= 25 ? 2000 : 1900;
    return monthFirst ? fw::EncodeDate(year, first, second) : fw::EncodeDate(year, second, first);
}

} // namespace

TFxDateTime ParseMonthDayYear(const QString& text)
{
    return parseFixedOrder(text, true);
}

TFxDateTime ParseDayMonthYear(const QString& text)
{
    return parseFixedOrder(text, false);
}

bool ParseDateTimeText(const QString& text, TFxDateTime& value)
{
    const QString fmt = LocaleShortDateFormat().toUpper();
    const int pd = int(fmt.indexOf(QLatin1Char('D')));
    const int pm = int(fmt.indexOf(QLatin1Char('M')));
    const int py = int(fmt.indexOf(QLatin1Char('Y')));
    // Field order: rank 0 comes first, 2 last.
    auto rank = [&](int p) { return (p > pd) + (p > pm) + (p > py); };
    const QChar ds = LocaleDateSeparator();
    int fields[3] = {0, 0, 0}; // by rank

    QString s = text;
    int p = int(s.indexOf(ds));
    if (p < 0 || !strictInt(s.left(p), fields[0]))
        return false;
    s.remove(0, p + 1);
    p = int(s.indexOf(ds));
    if (p < 0 || !strictInt(s.left(p), fields[1]))
        return false;
    s = s.mid(p + 1).trimmed();
    QString timePart;
    const int space = int(s.indexOf(QLatin1Char(' ')));
    if (space >= 0) {
        timePart = s.mid(space);
        s = s.left(space);
    }
    if (!strictInt(s, fields[2]))
        return false;
    const int day = fields[rank(pd)];
    const int month = fields[rank(pm)];
    const int year = fields[rank(py)];
    if (day > 31 || month > 12)
        return false;
    TFxDateTime date = 0;
    if (!fw::TryEncodeDate(year, month, day, date))
        return false;

    TFxDateTime time = 0;
    if (!timePart.isEmpty()) {
        const QChar tsep = LocaleTimeSeparator();
        const int t1 = int(timePart.indexOf(tsep));
        if (t1 < 0)
            return false;
        int hour = 0, minute = 0, second = 0;
        if (!strictInt(timePart.left(t1), hour))
            return false;
        const int t2 = int(timePart.indexOf(tsep, t1 + 1));
        if (t2 >= 0) {
            if (!strictInt(timePart.mid(t1 + 1, t2 - t1 - 1), minute) || !strictInt(timePart.mid(t2 + 1), second))
                return false;
        } else if (!strictInt(timePart.mid(t1 + 1), minute)) {
            return false;
        }
        if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
            return false;
        if (!fw::TryEncodeTime(hour, minute, second, 0, time))
            return false;
    }
    value = date + time;
    return true;
}

TFxDateTime ShiftDate(int years, int months, int days, TFxDateTime date, TFxDateTime step)
{
    if (years == 0 && months == 0 && days != 0)
        return date + days;
    int year = 0, month = 0, day = 0;
    fw::DecodeDate(date, year, month, day);
    if (years != 0 && months == 0 && days == 0)
        return fw::EncodeDate(year + years, month, day);
    if (months != 0 && years == 0 && days == 0) {
        // Any number of months, also more than a year either way.
        const int total = year * 12 + (month - 1) + months;
        const int y = total >= 0 ? total / 12 : (total - 11) / 12;
        const int m = total - y * 12 + 1;
        return fw::EncodeDate(y, m, day);
    }
    return date + step;
}

// ---------------------------------------------------------------- URLs, names

bool LooksLikeUrl(const QString& text)
{
    return text.contains(QLatin1String("://")) || text.contains(QLatin1String("mailto:"));
}

void StripUrlScheme(QString& text)
{
    int p = int(text.indexOf(QLatin1String("://")));
    if (p >= 0) {
        text.remove(0, p + 3);
        return;
    }
    p = int(text.indexOf(QLatin1String("mailto:")));
    if (p >= 0)
        text.remove(0, p + 7);
}

bool LinkifyUrl(const QString& text, const QString& upperPrefix, QString& result)
{
    if (!text.toUpper().contains(upperPrefix))
        return false;
    QString s = text;
    s.replace(QLatin1Char('<'), QLatin1String("&lt;"));
    s.replace(QLatin1Char('>'), QLatin1String("&gt;"));
    const int start = int(s.toUpper().indexOf(upperPrefix));
    if (start < 0)
        return false;
    static const QString extra = QStringLiteral("@%()-./:\\_{}");
    int end = start;
    while (end < s.size()) {
        const ushort u = s[end].unicode();
        const bool ok = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9')
            || (u < 128 && extra.contains(QChar(u)));
        if (!ok)
            break;
        ++end;
    }
    const QString url = s.mid(start, end - start);
    result = s.left(start) + QLatin1String("<a href=\"") + url + QLatin1String("\">") + url + QLatin1String("</a>")
        + s.mid(end);
    return true;
}

QString ProperCaseName(const QString& text)
{
    QString s = text;
    const int n = int(s.size());
    bool capNext = true;
    for (int i = 1; i <= n; ++i) {
        QChar& c = s[i - 1];
        if (IsNameBreakChar(c)) {
            capNext = true;
        } else if (capNext) {
            c = c.toUpper();
            capNext = false;
        } else {
            c = c.toLower();
        }
        if (i == 2 && s.left(2) == QLatin1String("Mc"))
            capNext = true;
        if (i > 2) {
            const int mc = int(s.indexOf(QLatin1String(" Mc")));
            if (mc >= 0 && mc + 3 == i)
                capNext = true;
        }
        if (i > n - 3) {
            if ((i >= 2 && s.mid(i - 2, 2) == QLatin1String(" I"))
                || (i >= 3 && s.mid(i - 3, 3) == QLatin1String(" II")))
                capNext = true;
        }
    }
    return s;
}

// ---------------------------------------------------------------- code pages

namespace {

// Upper halves of the OEM (850) and ANSI (1252) code pages.
const char16_t Oem850[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC,
    0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6, 0x00DC, 0x00F8,
    0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x00AE,
    0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0,
    0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C,
    0x00E3, 0x00C3, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB,
    0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580, 0x00D3, 0x00DF,
    0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE, 0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4,
    0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8, 0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2,
    0x25A0, 0x00A0,
};
// Bytes without a character in 1252 map to the same code point, as the
// system conversion does.
const char16_t Ansi1252[128] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D,
    0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A,
    0x0153, 0x009D, 0x017E, 0x0178, 0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7, 0x00A8, 0x00A9,
    0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF, 0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF, 0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5,
    0x00C6, 0x00C7, 0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF, 0x00D0, 0x00D1, 0x00D2, 0x00D3,
    0x00D4, 0x00D5, 0x00D6, 0x00D7, 0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF, 0x00E0, 0x00E1,
    0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7, 0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF,
    0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7, 0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD,
    0x00FE, 0x00FF,
};

unsigned char toByte(QChar c, const char16_t* table)
{
    const ushort u = c.unicode();
    if (u < 128)
        return static_cast<unsigned char>(u);
    for (int i = 0; i < 128; ++i)
        if (table[i] == u)
            return static_cast<unsigned char>(128 + i);
    return '?';
}

QChar fromByte(unsigned char b, const char16_t* table)
{
    return b < 128 ? QChar(b) : QChar(table[b - 128]);
}

} // namespace

void StringToOem(QString& text)
{
    for (QChar& c : text)
        c = fromByte(toByte(c, Oem850), Ansi1252);
}

void OemToString(QString& text)
{
    for (QChar& c : text)
        c = fromByte(toByte(c, Ansi1252), Oem850);
}

QString PackWideText(const QString& wide)
{
    QString r = PackedMarker;
    r.reserve(2 + wide.size() * 2);
    for (QChar c : wide) {
        r += QChar(c.unicode() >> 8);
        r += QChar(c.unicode() & 0xFF);
    }
    return r;
}

QString UnpackWideText(const QString& text)
{
    if (!text.startsWith(PackedMarker))
        return text;
    QString r;
    const int n = int(text.size());
    r.reserve((n - 2) / 2);
    for (int i = 2; i + 1 < n; i += 2)
        r += QChar(ushort(((text[i].unicode() & 0xFF) << 8) | (text[i + 1].unicode() & 0xFF)));
    return r;
}

// ---------------------------------------------------------------- filter expressions

QString RemoveSpacesOutsideQuotes(const QString& text)
{
    QString r;
    r.reserve(text.size());
    int quotes = 0;
    for (QChar c : text) {
        if (c == QLatin1Char('"'))
            ++quotes;
        if (c == QLatin1Char(' ') && quotes % 2 == 0)
            continue;
        r += c;
    }
    return r;
}

int MatchingParenPos(const QString& text)
{
    int open = 0, close = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('('))
            ++open;
        else if (text[i] == QLatin1Char(')')) {
            ++close;
            if (open == close)
                return i + 1;
        }
    }
    return 0;
}

QChar FindCharOutsideQuotes(const TCharSet& set, const QString& text, int& pos)
{
    int quotes = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('"'))
            ++quotes;
        if (quotes % 2 == 0 && set.contains(c)) {
            pos = i + 1;
            return c;
        }
    }
    pos = -1;
    return QChar(0);
}

namespace {

// Comparison of a cell with an operand of a ">" or "<" test:
// negative, zero or positive like a compare function.
int compareFilterValues(const QString& cell, const QString& operand)
{
    double a = 0, b = 0;
    TFxDateTime da = 0, db = 0;
    const bool aDate = ParseDateTimeText(cell, da);
    const bool bDate = ParseDateTimeText(operand, db);
    const bool aNum = !aDate && plainFloat(StripThousandSeparators(cell), a);
    const bool bNum = !bDate && plainFloat(StripThousandSeparators(operand), b);
    if (aNum && bNum)
        return a < b ? -1 : (a > b ? 1 : 0);
    if (aDate && bDate)
        return da < db ? -1 : (da > db ? 1 : 0);
    const int c = QString::compare(cell.left(255), operand.left(255), Qt::CaseSensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// The operand that follows an operator sign at index "from" of the pattern.
QString readOperand(const QString& pattern, int from, bool afterGreater)
{
    int i = from;
    const int n = int(pattern.size());
    while (i < n && pattern[i] == QLatin1Char(' '))
        ++i;
    QString op;
    int quotes = 0;
    bool first = true;
    for (; i < n; ++i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char(' ')) {
            const bool keep = afterGreater && quotes % 2 == 1 && i > from && pattern[i - 1] != QLatin1Char(' ');
            if (!keep)
                break;
        }
        if (quotes % 2 == 0 && (c == QLatin1Char('&') || c == QLatin1Char('|')))
            break;
        if (c == QLatin1Char('"')) {
            ++quotes;
            if (first) {
                first = false;
                continue;
            }
        }
        first = false;
        op += c;
    }
    if (op.endsWith(QLatin1Char('"')))
        op.chop(1);
    return op.left(255);
}

// MatchFilterTerm on a suffix of the pattern and a suffix of the cell. The
// "*" rule tries every trailing part of the cell against the rest of the
// pattern; both are always suffixes of the originals, so each pair of start
// positions is decided once.
class TermMatcher {
public:
    TermMatcher(const QString& pattern, const QString& cell) : P(pattern), C(cell) {}

    bool match(int p, int c)
    {
        const quint64 key = (quint64(quint32(p)) << 32) | quint32(c);
        auto it = Memo.constFind(key);
        if (it != Memo.constEnd())
            return it.value();
        const bool r = compute(p, c);
        Memo.insert(key, r);
        return r;
    }

private:
    bool compute(int p0, int c0)
    {
        const QString pattern = P.mid(p0);
        const QString cell = C.mid(c0);
        bool greater = true, less = true, greaterFound = false, lessFound = false;
        const int gt = int(pattern.indexOf(QLatin1Char('>')));
        const int lt = int(pattern.indexOf(QLatin1Char('<')));
        if (gt >= 0) {
            const bool orEqual = gt + 1 < pattern.size() && pattern[gt + 1] == QLatin1Char('=');
            const QString op = readOperand(pattern, gt + 1 + (orEqual ? 1 : 0), true);
            const int cmp = compareFilterValues(cell, op);
            greater = orEqual ? cmp >= 0 : cmp > 0;
            greaterFound = true;
        }
        if (lt >= 0) {
            const bool orEqual = lt + 1 < pattern.size() && pattern[lt + 1] == QLatin1Char('=');
            const QString op = readOperand(pattern, lt + 1 + (orEqual ? 1 : 0), false);
            const int cmp = compareFilterValues(cell, op);
            less = orEqual ? cmp <= 0 : cmp < 0;
            lessFound = true;
        }
        if (pattern.contains(QLatin1Char('!'))) {
            if (gt < 0)
                greaterFound = true;
            if (lt < 0)
                lessFound = true;
        }
        if (pattern.contains(QLatin1Char('^')) && (greaterFound || lessFound))
            return greater || less;
        if (pattern.contains(QLatin1Char('&')) && greaterFound && lessFound)
            return greater && less;
        if (gt >= 0 && greater)
            return true;
        if (lt >= 0 && less)
            return true;
        return wildcard(p0, c0);
    }

    bool wildcard(int p, int c)
    {
        const int np = int(P.size());
        const int nc = int(C.size());
        bool negate = false;
        bool matched = true;
        while (p < np || c < nc) {
            if (p >= np) {
                matched = false;
                break;
            }
            const QChar pc = P[p];
            if (pc == QLatin1Char('!')) {
                negate = true;
                ++p;
            } else if (pc == QLatin1Char('"')) {
                ++p;
            } else if (pc == QLatin1Char('*')) {
                while (p < np && P[p] == QLatin1Char('*'))
                    ++p;
                bool any = false;
                for (int start = nc; start >= c && !any; --start)
                    any = match(p, start);
                matched = any;
                break;
            } else if (c >= nc) {
                matched = false;
                break;
            } else if (pc == QLatin1Char('?') || pc == C[c]) {
                ++p;
                ++c;
            } else {
                matched = false;
                break;
            }
        }
        return negate ? !matched : matched;
    }

    const QString& P;
    const QString& C;
    QHash<quint64, bool> Memo;
};

} // namespace

bool MatchFilterTerm(const QString& pattern, const QString& cell)
{
    TermMatcher m(pattern, cell);
    return m.match(0, 0);
}

bool MatchFilterTermCase(const QString& term, const QString& cell, bool caseSensitive)
{
    if (caseSensitive)
        return MatchFilterTerm(term, cell);
    return MatchFilterTerm(term.toUpper(), cell.toUpper());
}

bool MatchFilterExpression(const QString& condition, const QString& cell, bool caseSensitive)
{
    QString cond = RemoveSpacesOutsideQuotes(condition.trimmed());
    if (cond.startsWith(QLatin1Char('=')))
        cond.remove(0, 1);
    static const TCharSet ops = {QLatin1Char('('), QLatin1Char(';'), QLatin1Char('^'), QLatin1Char('&'),
                                 QLatin1Char('|')};
    bool result = false;
    QChar lastOp = QChar(0);
    auto combine = [&](bool value) {
        switch (lastOp.unicode()) {
        case 0:
            result = value;
            break;
        case '&':
            result = result && value;
            break;
        case ';':
        case '^':
        case '|':
            result = result || value;
            break;
        default: // "(": the empty term after a group counts for nothing
            break;
        }
    };
    for (;;) {
        int pos = -1;
        const QChar op = FindCharOutsideQuotes(ops, cond, pos);
        if (op.unicode() == 0)
            break;
        if (cond.startsWith(QLatin1Char('('))) {
            int close = MatchingParenPos(cond);
            if (close == 0) // unbalanced: the group runs to the end
                close = int(cond.size()) + 1;
            const bool v = MatchFilterExpression(cond.mid(1, close - 2), cell, caseSensitive);
            cond.remove(0, close);
            combine(v);
        } else {
            const bool v = MatchFilterTermCase(cond.left(pos - 1), cell, caseSensitive);
            cond.remove(0, pos);
            combine(v);
        }
        lastOp = op;
    }
    combine(MatchFilterTermCase(cond, cell, caseSensitive));
    return result;
}
