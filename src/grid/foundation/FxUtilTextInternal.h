#pragma once
// Helpers shared by the sources of the text, number and date routines.
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

inline QString asciiUpper(const QString& s)
{
    QString r = s;
    for (QChar& c : r)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    return r;
}

inline bool isBlank(QChar c) { return c.unicode() <= 32; }

// Integer text: leading spaces, optional sign, decimal digits or a
// hexadecimal number after "$", "x" or "0x"; nothing else may follow.
inline bool strictInt(const QString& s, int& value)
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
