#include "grid/model/FxValueText.h"

#include "framework/SysUtils.h"
#include "grid/foundation/FxUtilText.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

bool FxCellTextToInt(const QString& text, int& value)
{
    const QString t = fw::Trim(text);
    if (t.isEmpty() || t == QLatin1String("-")) {
        value = 0;
        return true;
    }
    int i = 0;
    bool negative = false;
    if (t[0] == QLatin1Char('+') || t[0] == QLatin1Char('-')) {
        negative = t[0] == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (t.mid(i, 2).compare(QLatin1String("0x"), Qt::CaseInsensitive) == 0) {
        base = 16;
        i += 2;
    } else if (i < t.size() && (t[i] == QLatin1Char('$') || t[i] == QLatin1Char('x') || t[i] == QLatin1Char('X'))) {
        base = 16;
        ++i;
    }
    if (i >= t.size())
        return false;
    // Accumulated as a magnitude so that the most negative value still fits.
    const qint64 limit = negative ? qint64(std::numeric_limits<int>::max()) + 1 : std::numeric_limits<int>::max();
    qint64 magnitude = 0;
    for (; i < t.size(); ++i) {
        const int digit = QChar(t[i]).isDigit() && t[i].unicode() < 128 ? t[i].unicode() - '0'
                          : base == 16 && t[i].toLower() >= QLatin1Char('a') && t[i].toLower() <= QLatin1Char('f')
                              ? t[i].toLower().unicode() - 'a' + 10
                              : -1;
        if (digit < 0)
            return false;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return false;
    }
    value = int(negative ? -magnitude : magnitude);
    return true;
}

bool FxCellTextToFloat(const QString& text, double& value)
{
    const QString trimmed = fw::Trim(text);
    if (trimmed.isEmpty() || trimmed == QLatin1String("-")) {
        value = 0;
        return true;
    }
    // Infinity, NaN and hexadecimal floats are not cell numbers, whatever
    // the normalisation would make of their letters.
    const QString lower = trimmed.toLower();
    if (lower.contains(QLatin1String("inf")) || lower.contains(QLatin1String("nan")) ||
        QRegularExpression(QStringLiteral("\\d\\s*x")).match(lower).hasMatch())
        return false;
    const QString t = NormalizeNumberText(text);
    if (t.isEmpty() || t == QLatin1String("-"))
        return false;
    fw::TFormatSettings fs = fw::FormatSettings();
    fs.DecimalSeparator = QLatin1Char('.');
    double v = 0;
    if (!fw::TryStrToFloat(t, v, fs) || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool FxTryFormatNumber(const QString& format, double value, bool integer, QString& out)
{
    try {
        if (integer) {
            if (!(std::fabs(value) < 9.2e18))
                return false;
            out = fw::Format(format, {static_cast<long long>(value)});
        } else {
            out = fw::Format(format, {value});
        }
        return true;
    } catch (const fw::Exception&) {
        return false;
    }
}

QString FxFormatFloat(const QString& format, double value)
{
    QString s;
    if (FxTryFormatNumber(format, value, false, s))
        return s;
    return fw::FloatToStr(value);
}
