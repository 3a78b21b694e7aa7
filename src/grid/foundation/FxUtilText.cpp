// Search, split, encoding and classification routines; URLs, names, packed wide text.
#include "grid/foundation/FxUtilText.h"
#include "grid/foundation/FxUtilText_p.h"

using namespace fxutil_detail;

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
    return pos1(upperPattern, fw::UpperCase(text));
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
    const QString s = fw::UpperCase(text);
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
    if (text[0] == QLatin1Char('='))
        return ctkFormula;
    if (text.startsWith(PackedMarker)) {
        if (text.size() > 4 && text[3] == QLatin1Char('=') && text[4].unicode() == 0)
            return ctkFormula;
        return ctkPackedWide;
    }
    if (text.startsWith(QLatin1String("{\\")))
        return ctkRichText;
    if (checkHtml) {
        // One pass over the text, looking at what follows each '<' ("</",
        // "<B", "<I", "<C"): a cell is painted often, and its text may be long.
        const QStringView v(text);
        for (qsizetype i = v.indexOf(QLatin1Char('<')); i >= 0 && i + 1 < v.size();
             i = v.indexOf(QLatin1Char('<'), i + 1)) {
            const QChar next = v[i + 1];
            if (next == QLatin1Char('/') || next == QLatin1Char('B') || next == QLatin1Char('I') ||
                next == QLatin1Char('C'))
                return ctkHtml;
        }
    }
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
    QString s = fw::Trim(text);
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

// ---------------------------------------------------------------- packed wide text

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
