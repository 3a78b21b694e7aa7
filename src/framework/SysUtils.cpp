#include "framework/SysUtils.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <system_error>

namespace fw {

// ---- Exceptions -------------------------------------------------------------

Exception::Exception(const QString& message) : FMessage(message), FUtf8(message.toUtf8()) {}

const char* Exception::what() const noexcept
{
    return FUtf8.constData();
}

// ---- Format settings --------------------------------------------------------

TFormatSettings::TFormatSettings()
{
    ShortMonthNames = {QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mar"), QStringLiteral("Apr"),
                       QStringLiteral("May"), QStringLiteral("Jun"), QStringLiteral("Jul"), QStringLiteral("Aug"),
                       QStringLiteral("Sep"), QStringLiteral("Oct"), QStringLiteral("Nov"), QStringLiteral("Dec")};
    LongMonthNames = {QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
                      QStringLiteral("April"), QStringLiteral("May"), QStringLiteral("June"),
                      QStringLiteral("July"), QStringLiteral("August"), QStringLiteral("September"),
                      QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
    ShortDayNames = {QStringLiteral("Sun"), QStringLiteral("Mon"), QStringLiteral("Tue"), QStringLiteral("Wed"),
                     QStringLiteral("Thu"), QStringLiteral("Fri"), QStringLiteral("Sat")};
    LongDayNames = {QStringLiteral("Sunday"), QStringLiteral("Monday"), QStringLiteral("Tuesday"),
                    QStringLiteral("Wednesday"), QStringLiteral("Thursday"), QStringLiteral("Friday"),
                    QStringLiteral("Saturday")};
}

TFormatSettings& FormatSettings()
{
    static TFormatSettings settings;
    return settings;
}

TFormatSettings LocaleFormatSettings()
{
    const QLocale loc;   // the default locale: the system's unless the program set another
    TFormatSettings fs;
    const QString dec = loc.decimalPoint();
    const QString grp = loc.groupSeparator();
    if (dec.size() == 1)
        fs.DecimalSeparator = dec.at(0);
    if (grp.size() == 1)
        fs.ThousandSeparator = grp.at(0);
    // Qt's pattern letters: d, M, y for the date; translate to d, m, y and
    // take the first non-letter as the date separator.
    const QString pattern = loc.dateFormat(QLocale::ShortFormat);
    QString shortDate;
    bool sepFound = false;
    for (QChar c : pattern) {
        if (c == QLatin1Char('d') || c == QLatin1Char('M') || c == QLatin1Char('y')) {
            shortDate += c.toLower();
        } else if (!c.isLetter() && !c.isSpace()) {
            if (!sepFound) {
                fs.DateSeparator = c;
                sepFound = true;
            }
            shortDate += QLatin1Char('/');
        }
    }
    if (shortDate.contains(QLatin1Char('d')) && shortDate.contains(QLatin1Char('m')) && shortDate.contains(QLatin1Char('y')))
        fs.ShortDateFormat = shortDate;
    const QString timePattern = loc.timeFormat(QLocale::ShortFormat);
    for (QChar c : timePattern) {
        if (!c.isLetter() && !c.isSpace()) {
            fs.TimeSeparator = c;
            break;
        }
    }
    return fs;
}

// ---- Integers -----------------------------------------------------------------

namespace {

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int v = -1;
    if (u >= '0' && u <= '9')
        v = u - '0';
    else if (u >= 'a' && u <= 'f')
        v = u - 'a' + 10;
    else if (u >= 'A' && u <= 'F')
        v = u - 'A' + 10;
    return v < base ? v : -1;
}

// Parses into a magnitude no larger than the limit for the sign.
bool parseInteger(const QString& s, std::uint64_t maxPositive, std::uint64_t maxNegative, bool& negative,
                  std::uint64_t& magnitude)
{
    const int n = int(s.size());
    int i = 0;
    while (i < n && s.at(i) == QLatin1Char(' '))
        ++i;
    negative = false;
    if (i < n && (s.at(i) == QLatin1Char('+') || s.at(i) == QLatin1Char('-'))) {
        negative = s.at(i) == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < n && s.at(i) == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && s.at(i) == QLatin1Char('0') && (s.at(i + 1) == QLatin1Char('x') || s.at(i + 1) == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i >= n)
        return false;
    const std::uint64_t limit = negative ? maxNegative : maxPositive;
    std::uint64_t value = 0;
    for (; i < n; ++i) {
        const int d = digitValue(s.at(i), base);
        if (d < 0)
            return false;
        if (value > (limit - std::uint64_t(d)) / std::uint64_t(base))
            return false;
        value = value * std::uint64_t(base) + std::uint64_t(d);
    }
    magnitude = value;
    return true;
}

} // namespace

bool TryStrToInt(const QString& s, int& value)
{
    bool neg = false;
    std::uint64_t mag = 0;
    if (!parseInteger(s, std::uint64_t(std::numeric_limits<int>::max()),
                      std::uint64_t(std::numeric_limits<int>::max()) + 1, neg, mag))
        return false;
    value = neg ? int(-std::int64_t(mag)) : int(mag);
    return true;
}

bool TryStrToInt64(const QString& s, std::int64_t& value)
{
    bool neg = false;
    std::uint64_t mag = 0;
    if (!parseInteger(s, std::uint64_t(std::numeric_limits<std::int64_t>::max()),
                      std::uint64_t(std::numeric_limits<std::int64_t>::max()) + 1, neg, mag))
        return false;
    value = neg ? std::int64_t(0 - mag) : std::int64_t(mag);
    return true;
}

int StrToIntDef(const QString& s, int defaultValue)
{
    int v = 0;
    return TryStrToInt(s, v) ? v : defaultValue;
}

std::int64_t StrToInt64Def(const QString& s, std::int64_t defaultValue)
{
    std::int64_t v = 0;
    return TryStrToInt64(s, v) ? v : defaultValue;
}

int StrToInt(const QString& s)
{
    int v = 0;
    if (!TryStrToInt(s, v))
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(s));
    return v;
}

QString IntToStr(std::int64_t value)
{
    return QString::number(value);
}

QString IntToHex(std::uint64_t value, int digits)
{
    QString s = QString::number(value, 16).toUpper();
    if (s.size() < digits)
        s = QString(digits - s.size(), QLatin1Char('0')) + s;
    return s;
}

// ---- Decimal digits of a double -------------------------------------------------

namespace {

// |value| as decimal digits D (no leading zeros, "" for zero) and the power
// E of the first digit: value = D[0].D[1..] * 10^E. Taken from the shortest
// text that reads back as the same double, so 1.005 has the digits 1005.
struct Decimal {
    std::string digits;
    int exponent = 0;
    bool isZero() const { return digits.empty(); }
};

Decimal toDecimal(double value)
{
    Decimal d;
    value = std::fabs(value);
    if (value == 0 || !std::isfinite(value))
        return d;
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    const std::string text(buf, res.ptr);
    const auto epos = text.find('e');
    for (std::size_t i = 0; i < epos; ++i)
        if (text[i] >= '0' && text[i] <= '9')
            d.digits += text[i];
    d.exponent = std::stoi(text.substr(epos + 1));
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

// Keeps `keep` leading digits, rounding ties away from zero.
void roundDigits(Decimal& d, int keep)
{
    if (d.isZero() || keep >= int(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[std::size_t(keep)] >= '5';
    d.digits.resize(std::size_t(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[std::size_t(i)] == '9') {
            d.digits[std::size_t(i)] = '0';
            --i;
        }
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        } else {
            ++d.digits[std::size_t(i)];
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
}

void roundToDecimals(Decimal& d, int decimals)
{
    roundDigits(d, d.exponent + 1 + decimals);
}

// Integer part digits ("" when below 1) and `decimals` fraction digits.
void splitFixed(const Decimal& d, int decimals, QString& intPart, QString& fracPart)
{
    intPart.clear();
    fracPart.clear();
    const int n = int(d.digits.size());
    for (int p = d.exponent; p >= 0; --p) {
        const int idx = d.exponent - p;
        intPart += QLatin1Char(idx < n ? d.digits[std::size_t(idx)] : '0');
    }
    for (int k = 1; k <= decimals; ++k) {
        const int idx = d.exponent + k;
        fracPart += QLatin1Char(idx >= 0 && idx < n ? d.digits[std::size_t(idx)] : '0');
    }
    if (d.isZero())
        intPart.clear();
}

QString groupThousands(const QString& digits, QChar sep)
{
    QString out;
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        out += digits.at(i);
        const int rest = n - i - 1;
        if (rest > 0 && rest % 3 == 0)
            out += sep;
    }
    return out;
}

QString fixedText(double value, int decimals, bool thousands, const TFormatSettings& fs)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    Decimal d = toDecimal(value);
    roundToDecimals(d, decimals);
    QString ip, fp;
    splitFixed(d, decimals, ip, fp);
    if (ip.isEmpty())
        ip = QStringLiteral("0");
    if (thousands)
        ip = groupThousands(ip, fs.ThousandSeparator);
    QString out = (value < 0 && !d.isZero()) ? QStringLiteral("-") : QString();
    out += ip;
    if (decimals > 0)
        out += fs.DecimalSeparator + fp;
    return out;
}

QString exponentText(int e, int minDigits, bool alwaysSign)
{
    QString s = QString::number(std::abs(e));
    if (s.size() < minDigits)
        s = QString(minDigits - s.size(), QLatin1Char('0')) + s;
    if (e < 0)
        return QLatin1Char('-') + s;
    return alwaysSign ? QLatin1Char('+') + s : s;
}

// Scientific with `precision` significant digits and an exponent of at least
// three digits, as the "%e" specifier writes it.
QString scientificText(double value, int precision, const TFormatSettings& fs)
{
    if (!std::isfinite(value))
        return fixedText(value, 0, false, fs);
    if (precision < 1)
        precision = 1;
    Decimal d = toDecimal(value);
    roundDigits(d, precision);
    QString mant;
    for (int i = 0; i < precision; ++i)
        mant += QLatin1Char(i < int(d.digits.size()) ? d.digits[std::size_t(i)] : '0');
    QString out = value < 0 && !d.isZero() ? QStringLiteral("-") : QString();
    out += mant.left(1);
    if (precision > 1)
        out += fs.DecimalSeparator + mant.mid(1);
    out += QLatin1Char('E') + exponentText(d.isZero() ? 0 : d.exponent, 3, true);
    return out;
}

QString generalText(double value, int precision, const TFormatSettings& fs)
{
    if (!std::isfinite(value))
        return fixedText(value, 0, false, fs);
    if (precision < 1 || precision > 17)
        precision = 15;
    Decimal d = toDecimal(value);
    roundDigits(d, precision);
    if (d.isZero())
        return QStringLiteral("0");
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    const QString digits = QString::fromLatin1(d.digits.data(), int(d.digits.size()));
    if (d.exponent >= precision || d.exponent < -4) {
        QString out = sign + digits.left(1);
        if (digits.size() > 1)
            out += fs.DecimalSeparator + digits.mid(1);
        return out + QLatin1Char('E') + exponentText(d.exponent, 1, false);
    }
    QString ip, fp;
    const int decimals = std::max(0, int(d.digits.size()) - d.exponent - 1);
    splitFixed(d, decimals, ip, fp);
    if (ip.isEmpty())
        ip = QStringLiteral("0");
    return sign + ip + (decimals > 0 ? fs.DecimalSeparator + fp : QString());
}

} // namespace

// ---- Floats -------------------------------------------------------------------------

bool TryStrToFloat(const QString& s, double& value, const TFormatSettings& fs)
{
    const int n = int(s.size());
    int i = 0;
    while (i < n && s.at(i) == QLatin1Char(' '))
        ++i;
    std::string ascii;
    if (i < n && (s.at(i) == QLatin1Char('+') || s.at(i) == QLatin1Char('-'))) {
        if (s.at(i) == QLatin1Char('-'))
            ascii += '-';
        ++i;
    }
    int mantissaDigits = 0;
    int intDigits = 0;        // significant digits before the separator
    int leadingFracZeros = 0; // zeros right after the separator before the first digit
    bool seenNonZero = false;
    while (i < n && s.at(i).unicode() >= '0' && s.at(i).unicode() <= '9') {
        const char c = char(s.at(i).unicode());
        ascii += c;
        if (c != '0' || seenNonZero) {
            seenNonZero = true;
            ++intDigits;
        }
        ++mantissaDigits;
        ++i;
    }
    if (i < n && s.at(i) == fs.DecimalSeparator) {
        ascii += '.';
        ++i;
        while (i < n && s.at(i).unicode() >= '0' && s.at(i).unicode() <= '9') {
            const char c = char(s.at(i).unicode());
            ascii += c;
            if (!seenNonZero) {
                if (c == '0')
                    ++leadingFracZeros;
                else
                    seenNonZero = true;
            }
            ++mantissaDigits;
            ++i;
        }
    }
    if (mantissaDigits == 0)
        return false;
    long long exponent = 0;
    if (i < n && (s.at(i) == QLatin1Char('e') || s.at(i) == QLatin1Char('E'))) {
        ascii += 'e';
        ++i;
        bool expNeg = false;
        if (i < n && (s.at(i) == QLatin1Char('+') || s.at(i) == QLatin1Char('-'))) {
            expNeg = s.at(i) == QLatin1Char('-');
            ascii += char(s.at(i).unicode());
            ++i;
        }
        int expDigits = 0;
        while (i < n && s.at(i).unicode() >= '0' && s.at(i).unicode() <= '9') {
            if (exponent < 100000)
                exponent = exponent * 10 + (s.at(i).unicode() - '0');
            ascii += char(s.at(i).unicode());
            ++expDigits;
            ++i;
        }
        if (expDigits == 0)
            return false;
        if (expNeg)
            exponent = -exponent;
    }
    while (i < n && s.at(i) == QLatin1Char(' '))
        ++i;
    if (i != n)
        return false;
    double result = 0;
    const auto res = std::from_chars(ascii.data(), ascii.data() + ascii.size(), result);
    if (res.ec == std::errc::result_out_of_range) {
        // Too small to represent reads as zero; too large is rejected.
        const long long magnitude = seenNonZero ? (intDigits > 0 ? intDigits - 1 : -1 - leadingFracZeros) + exponent : -1;
        if (magnitude >= 0)
            return false;
        result = 0;
    } else if (res.ec != std::errc() || res.ptr != ascii.data() + ascii.size()) {
        return false;
    }
    if (!std::isfinite(result))
        return false;
    value = result;
    return true;
}

bool TryStrToFloat(const QString& s, double& value)
{
    return TryStrToFloat(s, value, FormatSettings());
}

double StrToFloatDef(const QString& s, double defaultValue, const TFormatSettings& fs)
{
    double v = 0;
    return TryStrToFloat(s, v, fs) ? v : defaultValue;
}

double StrToFloatDef(const QString& s, double defaultValue)
{
    return StrToFloatDef(s, defaultValue, FormatSettings());
}

double StrToFloat(const QString& s, const TFormatSettings& fs)
{
    double v = 0;
    if (!TryStrToFloat(s, v, fs))
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(s));
    return v;
}

double StrToFloat(const QString& s)
{
    return StrToFloat(s, FormatSettings());
}

QString FloatToStr(double value, const TFormatSettings& fs)
{
    return generalText(value, 15, fs);
}

QString FloatToStr(double value)
{
    return FloatToStr(value, FormatSettings());
}

// ---- FormatFloat ------------------------------------------------------------------------

namespace {

QStringList splitSections(const QString& format)
{
    QStringList sections;
    QString cur;
    QChar quote;
    for (QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            cur += c;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
            cur += c;
        } else if (c == QLatin1Char(';')) {
            sections << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    sections << cur;
    return sections;
}

QString formatSection(const QString& section, double absValue, const TFormatSettings& fs, bool& allZero)
{
    // First pass: the shape of the picture.
    int intPlaces = 0, firstZeroInt = -1, decPlaces = 0, lastZeroDec = 0;
    bool thousands = false, pointSeen = false, sci = false, sciSign = false;
    int expDigits = 0;
    QChar quote;
    const int n = int(section.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = section.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (sci) {
            continue;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (!pointSeen) {
                if (c == QLatin1Char('0') && firstZeroInt < 0)
                    firstZeroInt = intPlaces;
                ++intPlaces;
            } else {
                ++decPlaces;
                if (c == QLatin1Char('0'))
                    lastZeroDec = decPlaces;
            }
        } else if (c == QLatin1Char('.')) {
            pointSeen = true;
        } else if (c == QLatin1Char(',')) {
            thousands = true;
        } else if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && i + 1 < n
                   && (section.at(i + 1) == QLatin1Char('+') || section.at(i + 1) == QLatin1Char('-'))) {
            sci = true;
            sciSign = section.at(i + 1) == QLatin1Char('+');
            for (int k = i + 2; k < n && section.at(k) == QLatin1Char('0'); ++k)
                ++expDigits;
        }
    }
    const int minInt = firstZeroInt < 0 ? 0 : intPlaces - firstZeroInt;

    Decimal d = toDecimal(absValue);
    int exponent = 0;
    if (sci) {
        const int sig = std::max(1, intPlaces) + decPlaces;
        roundDigits(d, sig);
        if (!d.isZero()) {
            exponent = d.exponent - (std::max(1, intPlaces) - 1);
            d.exponent -= exponent;
        }
    } else {
        roundToDecimals(d, decPlaces);
    }
    allZero = d.isZero();
    QString ip, fp;
    splitFixed(d, decPlaces, ip, fp);
    while (fp.size() > lastZeroDec && fp.endsWith(QLatin1Char('0')))
        fp.chop(1);
    if (ip.size() < minInt)
        ip = QString(minInt - ip.size(), QLatin1Char('0')) + ip;

    // Second pass: write digits where the placeholders stand, literals as they are.
    QString out;
    int intSeen = 0, decSeen = 0;
    bool inFraction = false, afterExponent = false;
    const int L = int(ip.size());
    auto emitIntDigit = [&](int idx) {
        out += ip.at(idx);
        const int rest = L - idx - 1;
        if (thousands && rest > 0 && rest % 3 == 0)
            out += fs.ThousandSeparator;
    };
    quote = QChar();
    for (int i = 0; i < n; ++i) {
        const QChar c = section.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                out += c;
            continue;
        }
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (afterExponent) {
            out += c;   // the picture ends at the exponent; the rest is literal
        } else if ((c == QLatin1Char('0') || c == QLatin1Char('#')) && !inFraction) {
            if (intSeen == 0)
                for (int k = 0; k < L - intPlaces; ++k)
                    emitIntDigit(k);
            const int idx = intSeen - (intPlaces - L);
            if (idx >= 0 && idx < L)
                emitIntDigit(idx);
            ++intSeen;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (decSeen < fp.size())
                out += fp.at(decSeen);
            ++decSeen;
        } else if (c == QLatin1Char('.')) {
            if (!inFraction) {
                if (intPlaces == 0)
                    for (int k = 0; k < L; ++k)
                        emitIntDigit(k);
                if (!fp.isEmpty())
                    out += fs.DecimalSeparator;
            }
            inFraction = true;
        } else if (c == QLatin1Char(',')) {
            continue;
        } else if (sci && (c == QLatin1Char('E') || c == QLatin1Char('e')) && i + 1 < n
                   && (section.at(i + 1) == QLatin1Char('+') || section.at(i + 1) == QLatin1Char('-'))) {
            out += c;
            out += exponentText(exponent, expDigits, sciSign);
            i += 1 + expDigits;
            afterExponent = true;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

QString FormatFloat(const QString& format, double value, const TFormatSettings& fs)
{
    if (format.isEmpty() || !std::isfinite(value))
        return FloatToStr(value, fs);
    const QStringList sections = splitSections(format);
    QString section = sections.at(0);
    bool ownSign = false;
    if (value < 0 && sections.size() > 1 && !sections.at(1).isEmpty()) {
        section = sections.at(1);
        ownSign = true;
    }
    if (value == 0 && sections.size() > 2 && !sections.at(2).isEmpty())
        section = sections.at(2);
    bool allZero = false;
    QString out = formatSection(section, std::fabs(value), fs, allZero);
    if (allZero && sections.size() > 2 && !sections.at(2).isEmpty() && value != 0)
        return formatSection(sections.at(2), 0, fs, allZero);
    if (value < 0 && !ownSign && !allZero)
        out.prepend(QLatin1Char('-'));
    return out;
}

QString FormatFloat(const QString& format, double value)
{
    return FormatFloat(format, value, FormatSettings());
}

std::int64_t RoundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 9.2233720368547758e18)
        return std::numeric_limits<std::int64_t>::max();
    if (value <= -9.2233720368547758e18)
        return std::numeric_limits<std::int64_t>::min();
    const double f = std::floor(value);
    const double diff = value - f;
    double r = f;
    if (diff > 0.5)
        r = f + 1;
    else if (diff == 0.5)
        r = std::fmod(f, 2.0) == 0 ? f : f + 1;
    return std::int64_t(r);
}

// ---- Text -------------------------------------------------------------------------------

QString Trim(const QString& s)
{
    int b = 0, e = int(s.size());
    while (b < e && s.at(b).unicode() <= 32)
        ++b;
    while (e > b && s.at(e - 1).unicode() <= 32)
        --e;
    return s.mid(b, e - b);
}

QString TrimLeft(const QString& s)
{
    int b = 0;
    while (b < s.size() && s.at(b).unicode() <= 32)
        ++b;
    return s.mid(b);
}

QString TrimRight(const QString& s)
{
    int e = int(s.size());
    while (e > 0 && s.at(e - 1).unicode() <= 32)
        --e;
    return s.left(e);
}

namespace {
char16_t asciiUpper(char16_t c)
{
    return (c >= 'a' && c <= 'z') ? char16_t(c - 32) : c;
}
char16_t asciiLower(char16_t c)
{
    return (c >= 'A' && c <= 'Z') ? char16_t(c + 32) : c;
}
} // namespace

QString UpperCase(const QString& s)
{
    QString r = s;
    for (QChar& c : r)
        c = QChar(asciiUpper(c.unicode()));
    return r;
}

QString LowerCase(const QString& s)
{
    QString r = s;
    for (QChar& c : r)
        c = QChar(asciiLower(c.unicode()));
    return r;
}

int CompareText(const QString& a, const QString& b)
{
    const int n = int(std::min(a.size(), b.size()));
    for (int i = 0; i < n; ++i) {
        const char16_t x = asciiUpper(a.at(i).unicode());
        const char16_t y = asciiUpper(b.at(i).unicode());
        if (x != y)
            return int(x) - int(y);
    }
    return int(a.size()) - int(b.size());
}

bool SameText(const QString& a, const QString& b)
{
    return a.size() == b.size() && CompareText(a, b) == 0;
}

int CompareStr(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseSensitive);
}

QString AnsiUpperCase(const QString& s)
{
    return QLocale().toUpper(s);
}

QString AnsiLowerCase(const QString& s)
{
    return QLocale().toLower(s);
}

bool AnsiSameText(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

int AnsiCompareText(const QString& a, const QString& b)
{
    return QString::localeAwareCompare(a.toCaseFolded(), b.toCaseFolded());
}

QString AnsiQuotedStr(const QString& s, QChar quote)
{
    QString r;
    r.reserve(s.size() + 2);
    r += quote;
    for (QChar c : s) {
        r += c;
        if (c == quote)
            r += quote;
    }
    r += quote;
    return r;
}

QString QuotedStr(const QString& s)
{
    return AnsiQuotedStr(s, QLatin1Char('\''));
}

QString AnsiExtractQuotedStr(const QString& s, int& pos, QChar quote)
{
    if (pos < 0 || pos >= s.size() || s.at(pos) != quote)
        return {};
    QString r;
    int i = pos + 1;
    const int n = int(s.size());
    while (i < n) {
        if (s.at(i) == quote) {
            if (i + 1 < n && s.at(i + 1) == quote) {
                r += quote;
                i += 2;
                continue;
            }
            ++i;   // closing quote
            pos = i;
            return r;
        }
        r += s.at(i);
        ++i;
    }
    pos = n;
    return r;
}

// ---- Format -----------------------------------------------------------------------------

namespace {

[[noreturn]] void formatError(const QString& format)
{
    throw EConvertError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(format));
}

// Two's complement of the value as the hexadecimal and unsigned specifiers show it.
std::uint64_t asUnsigned(const TFormatArg& a)
{
    if (a.kind() == TFormatArg::Kind::UInt)
        return a.uintValue();
    const std::int64_t v = a.intValue();
    if (v < 0 && v >= std::numeric_limits<std::int32_t>::min())
        return std::uint32_t(std::int32_t(v));
    return std::uint64_t(v);
}

} // namespace

namespace {

QString formatArgs(const QString& format, const TFormatArg* argv, int argc, const TFormatSettings& fs)
{
    int next = 0;
    QString out;
    const int n = int(format.size());
    auto takeArg = [&]() -> const TFormatArg& {
        if (next >= argc)
            formatError(format);
        return argv[next++];
    };
    auto readNumber = [&](int& i, int& value) {
        bool any = false;
        value = 0;
        while (i < n && format.at(i).isDigit() && format.at(i).unicode() < 128) {
            if (value < 100000)
                value = value * 10 + (format.at(i).unicode() - '0');
            ++i;
            any = true;
        }
        return any;
    };
    // A "*" width or precision comes from the next argument, which must be
    // an integer; it is capped at limit.
    auto readStar = [&](int& i, int& value, std::int64_t limit) {
        if (i >= n || format.at(i) != QLatin1Char('*'))
            return false;
        const TFormatArg& a = takeArg();
        if (a.kind() != TFormatArg::Kind::Int && a.kind() != TFormatArg::Kind::UInt)
            formatError(format);
        value = int(std::min<std::int64_t>(a.intValue() + std::int64_t(a.uintValue()), limit));
        ++i;
        return true;
    };
    for (int i = 0; i < n; ++i) {
        const QChar c = format.at(i);
        if (c != QLatin1Char('%')) {
            out += c;
            continue;
        }
        ++i;
        if (i >= n)
            formatError(format);
        if (format.at(i) == QLatin1Char('%')) {
            out += QLatin1Char('%');
            continue;
        }
        // [index ":"] ["-"] [width] ["." precision] type
        int start = i, num = 0;
        if (readNumber(i, num) && i < n && format.at(i) == QLatin1Char(':'))
            next = num, ++i;
        else
            i = start;
        bool left = false;
        if (i < n && format.at(i) == QLatin1Char('-'))
            left = true, ++i;
        int width = 0;
        if (!readStar(i, width, 100000))
            readNumber(i, width);
        int precision = -1;
        if (i < n && format.at(i) == QLatin1Char('.')) {
            ++i;
            if (!readStar(i, precision, 1000))
                readNumber(i, precision);
        }
        if (i >= n)
            formatError(format);
        const char16_t type = asciiLower(format.at(i).unicode());
        const TFormatArg& a = takeArg();
        const bool isInt = a.kind() == TFormatArg::Kind::Int || a.kind() == TFormatArg::Kind::UInt;
        const bool isNumber = isInt || a.kind() == TFormatArg::Kind::Float;
        QString piece;
        switch (type) {
        case 'd':
        case 'u':
        case 'x': {
            if (!isInt)
                formatError(format);
            bool neg = false;
            QString digits;
            if (type == 'x') {
                digits = QString::number(asUnsigned(a), 16).toUpper();
            } else if (type == 'u') {
                digits = QString::number(asUnsigned(a));
            } else if (a.kind() == TFormatArg::Kind::UInt) {
                digits = QString::number(a.uintValue());
            } else {
                neg = a.intValue() < 0;
                digits = QString::number(a.intValue());
                if (neg)
                    digits.remove(0, 1);
            }
            if (precision > digits.size())
                digits = QString(precision - digits.size(), QLatin1Char('0')) + digits;
            piece = neg ? QLatin1Char('-') + digits : digits;
            break;
        }
        case 's':
            if (a.kind() != TFormatArg::Kind::Text)
                formatError(format);
            piece = precision >= 0 ? a.textValue().left(precision) : a.textValue();
            break;
        case 'f':
        case 'n':
        case 'e':
        case 'g': {
            if (!isNumber)
                formatError(format);
            const double v = a.kind() == TFormatArg::Kind::Float ? a.floatValue()
                             : a.kind() == TFormatArg::Kind::Int  ? double(a.intValue())
                                                                   : double(a.uintValue());
            if (type == 'f' || type == 'n')
                piece = fixedText(v, precision < 0 ? 2 : std::min(precision, 18), type == 'n', fs);
            else if (type == 'e')
                piece = scientificText(v, precision < 0 ? 15 : std::min(precision, 17), fs);
            else
                piece = generalText(v, precision < 0 ? 15 : precision, fs);
            break;
        }
        default:
            formatError(format);
        }
        if (piece.size() < width) {
            const QString pad(width - piece.size(), QLatin1Char(' '));
            piece = left ? piece + pad : pad + piece;
        }
        out += piece;
    }
    return out;
}

} // namespace

QString Format(const QString& format, std::initializer_list<TFormatArg> args, const TFormatSettings& fs)
{
    return formatArgs(format, args.begin(), int(args.size()), fs);
}

QString Format(const QString& format, std::initializer_list<TFormatArg> args)
{
    return formatArgs(format, args.begin(), int(args.size()), FormatSettings());
}

QString Format(const QString& format, const std::vector<TFormatArg>& args, const TFormatSettings& fs)
{
    return formatArgs(format, args.data(), int(args.size()), fs);
}

QString Format(const QString& format, const std::vector<TFormatArg>& args)
{
    return formatArgs(format, args.data(), int(args.size()), FormatSettings());
}

} // namespace fw
