#pragma once
// Helpers shared by the sources of the text, number and date routines and
// the lists that read numbers from text.
#include "framework/SysUtils.h"

#include <QChar>
#include <QString>

#include <cstdint>

namespace fxutil_detail {

inline const QChar CR = QChar(13);
inline const QChar LF = QChar(10);
inline const QChar VT = QChar(11);
inline const QString PackedMarker = QStringLiteral("|\\");

inline int pos1(const QString& sub, const QString& text, int from = 0)
{
    return int(text.indexOf(sub, from)) + 1;
}

// Where the digits of an integer text start: after leading spaces, an
// optional sign and a hexadecimal prefix ("$" or "0x", with bareX also "x").
struct IntLead {
    int pos = 0;
    bool negative = false;
    int base = 10;
};

inline IntLead intLead(const QString& s, bool bareX)
{
    IntLead r;
    int& i = r.pos;
    const int n = int(s.size());
    while (i < n && s[i] == QLatin1Char(' '))
        ++i;
    if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) {
        r.negative = s[i] == QLatin1Char('-');
        ++i;
    }
    if (i < n && s[i] == QLatin1Char('$')) {
        r.base = 16;
        ++i;
    } else if (bareX && i < n && (s[i] == QLatin1Char('x') || s[i] == QLatin1Char('X'))) {
        r.base = 16;
        ++i;
    } else if (i + 1 < n && s[i] == QLatin1Char('0') && (s[i + 1] == QLatin1Char('x') || s[i + 1] == QLatin1Char('X'))) {
        r.base = 16;
        i += 2;
    }
    return r;
}

// The value of a digit in base 10 or 16; -1 for any other character.
inline int digitValue(QChar c, int base)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (base == 16 && u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (base == 16 && u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// Integer text: leading spaces, optional sign, decimal digits or a
// hexadecimal number after "$", "x" or "0x"; nothing else may follow.
inline bool strictInt(const QString& s, int& value)
{
    const IntLead lead = intLead(s, true);
    const int base = lead.base;
    const int n = int(s.size());
    int i = lead.pos;
    if (i >= n)
        return false;
    qint64 v = 0;
    for (; i < n; ++i) {
        const int d = digitValue(s[i], base);
        if (d < 0)
            return false;
        v = v * base + d;
        if (base == 10 && v > qint64(INT32_MAX) + 1)
            return false;
        if (base == 16 && v > qint64(UINT32_MAX))
            return false;
    }
    if (base == 16) {
        value = int(quint32(v));
        if (lead.negative)
            value = -value;
        return true;
    }
    if (lead.negative)
        v = -v;
    if (v > INT32_MAX)
        return false;
    value = int(v);
    return true;
}

// The runtime's lenient reading: leading blanks, optional sign, "$" or "0x"
// for hexadecimal; reading stops at the first character that does not fit.
inline int lenientInt(const QString& s)
{
    const IntLead lead = intLead(s, false);
    quint32 v = 0;
    for (int i = lead.pos; i < int(s.size()); ++i) {
        const int d = digitValue(s[i], lead.base);
        if (d < 0)
            break;
        v = v * quint32(lead.base) + quint32(d);
    }
    const int r = int(v);
    return lead.negative ? -r : r;
}

// Plain float text with "." as decimal point, as the framework reads it.
inline bool plainFloat(const QString& s, double& value)
{
    static const fw::TFormatSettings dotSettings = [] {
        fw::TFormatSettings fs;
        fs.DecimalSeparator = QLatin1Char('.');
        return fs;
    }();
    return fw::TryStrToFloat(s, value, dotSettings);
}

} // namespace fxutil_detail
