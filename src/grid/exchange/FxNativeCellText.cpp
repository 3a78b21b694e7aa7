#include "grid/exchange/FxNativeCellText.h"

#include "grid/foundation/FxUtilText.h"

#include <cmath>
#include <limits>

namespace fxexchange {

namespace {

constexpr QChar Cr(13);
constexpr QChar Lf(10);
constexpr QChar Escape(27);
constexpr QChar EscapedMarker(2);

QString LegacyEncode(const QString& text)
{
    return LineBreaksToControlChars(text);
}

QString LegacyDecode(const QString& line)
{
    return ControlCharsToLineBreaks(line, true);
}

QString EscapedEncode(const QString& text)
{
    QString r;
    r.reserve(text.size() + 8);
    r += EscapedMarker;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case 13: r += Escape; r += QLatin1Char('r'); break;
        case 10: r += Escape; r += QLatin1Char('n'); break;
        case 27: r += Escape; r += QLatin1Char('e'); break;
        case 0: r += Escape; r += QLatin1Char('0'); break;
        default: r += c;
        }
    }
    return r;
}

QString EscapedDecode(const QString& line)
{
    QString r;
    r.reserve(line.size());
    for (qsizetype i = 1; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c != Escape || i + 1 >= line.size()) {
            r += c;
            continue;
        }
        const QChar n = line[++i];
        switch (n.unicode()) {
        case 'r': r += Cr; break;
        case 'n': r += Lf; break;
        case 'e': r += Escape; break;
        case '0': r += QChar(0); break;
        default: r += c; r += n;   // not ours: kept as it stands
        }
    }
    return r;
}

} // namespace

QString EncodeCellLine(const QString& text)
{
    if (!text.startsWith(EscapedMarker)) {
        QString legacy = LegacyEncode(text);
        if (!legacy.contains(Lf) && !legacy.contains(Cr) && LegacyDecode(legacy) == text)
            return legacy;
    }
    return EscapedEncode(text);
}

QString DecodeCellLine(const QString& line, bool multiLine)
{
    QString text = line.startsWith(EscapedMarker) ? EscapedDecode(line) : LegacyDecode(line);
    if (!multiLine) {
        for (qsizetype i = 0; i < text.size(); ++i)
            if (text[i] == Cr || text[i] == Lf) {
                text.truncate(i);
                break;
            }
    }
    return text;
}

int LenientInt(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    int base = 10;
    if (i < n && text[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == QLatin1Char('0') && (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    qint64 v = 0;
    for (; i < n; ++i) {
        const int digit = text[i].isDigit() && text[i].unicode() < 128 ? text[i].unicode() - '0'
                          : base == 16 && text[i].toLower() >= QLatin1Char('a') && text[i].toLower() <= QLatin1Char('f')
                              ? text[i].toLower().unicode() - 'a' + 10
                              : -1;
        if (digit < 0)
            break;
        v = v * base + digit;
        if (v > std::numeric_limits<int>::max())
            v = qint64(std::numeric_limits<int>::max()) + 1;   // saturates; stays out of any range
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return int(v);
}

bool StrictInt(const QString& text, int& value)
{
    if (text.isEmpty() || text.size() > 11)
        return false;
    qsizetype i = text[0] == QLatin1Char('-') ? 1 : 0;
    if (i == text.size())
        return false;
    qint64 v = 0;
    for (qsizetype k = i; k < text.size(); ++k) {
        const ushort u = text[k].unicode();
        if (u < '0' || u > '9')
            return false;
        v = v * 10 + (u - '0');
    }
    if (i)
        v = -v;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    value = int(v);
    return true;
}

bool ParseCountLine(const QString& line, int& cols, int& rows)
{
    const qsizetype comma = line.indexOf(QLatin1Char(','));
    if (comma < 0)
        return false;
    int c = 0, r = 0;
    if (!StrictInt(line.left(comma), c) || !StrictInt(line.mid(comma + 1), r))
        return false;
    if (c < 0 || r < 0 || c > MaxLoadColCount || r > MaxLoadRowCount)
        return false;
    cols = c;
    rows = r;
    return true;
}

int ProgressPercent(qint64 done, qint64 last)
{
    if (last < 1)
        last = 1;
    const double p = std::round(double(done) / double(last) * 100.0);
    return p < 0 ? 0 : p > 100 ? 100 : int(p);
}

void TProgressReporter::Report(int percent)
{
    if (!Sink || percent == Last)
        return;
    Last = percent;
    Sink(percent);
}

} // namespace fxexchange
