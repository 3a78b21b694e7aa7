#include "framework/DateTime.h"

#include <cmath>
#include <cstdint>

namespace fw {

namespace {

constexpr int kCumulativeDays[2][13] = {
    {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365},
    {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366}};

// Whole days since 0001-01-01 (day 1) and milliseconds of the day.
struct Stamp {
    std::int64_t date = 0;
    int time = 0;
};

Stamp toStamp(TDateTime dt)
{
    Stamp st;
    if (!std::isfinite(dt))
        return st;
    const double total = std::round(std::fabs(dt) * double(MSecsPerDay));
    const std::int64_t ms = std::int64_t(std::min(total, 9.0e17));
    std::int64_t days = ms / MSecsPerDay;
    st.time = int(ms % MSecsPerDay);
    if (dt < 0)
        days = -days;
    st.date = days + DateDelta;
    return st;
}

bool decodeStampDate(std::int64_t t, int& year, int& month, int& day)
{
    if (t <= 0 || t > 3652059) {   // 9999-12-31
        year = month = day = 0;
        return false;
    }
    constexpr std::int64_t D1 = 365, D4 = D1 * 4 + 1, D100 = D4 * 25 - 1, D400 = D100 * 4 + 1;
    std::int64_t T = t - 1;
    std::int64_t y = 1;
    y += (T / D400) * 400;
    T %= D400;
    std::int64_t i = T / D100, dd = T % D100;
    if (i == 4) {
        --i;
        dd += D100;
    }
    y += i * 100;
    i = dd / D4;
    dd %= D4;
    y += i * 4;
    i = dd / D1;
    dd %= D1;
    if (i == 4) {
        --i;
        dd += D1;
    }
    y += i;
    const int leap = IsLeapYear(int(y)) ? 1 : 0;
    int m = 1;
    while (dd >= kCumulativeDays[leap][m])
        ++m;
    year = int(y);
    month = m;
    day = int(dd - kCumulativeDays[leap][m - 1]) + 1;
    return true;
}

} // namespace

bool IsLeapYear(int year)
{
    return (year % 4 == 0) && ((year % 100 != 0) || (year % 400 == 0));
}

int DaysInAMonth(int year, int month)
{
    if (month < 1 || month > 12)
        return 0;
    const int leap = IsLeapYear(year) ? 1 : 0;
    return kCumulativeDays[leap][month] - kCumulativeDays[leap][month - 1];
}

int DaysInMonth(TDateTime dt)
{
    int y, m, d;
    DecodeDate(dt, y, m, d);
    return DaysInAMonth(y, m);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& out)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInAMonth(year, month))
        return false;
    const int leap = IsLeapYear(year) ? 1 : 0;
    const std::int64_t y = year - 1;
    const std::int64_t days = y * 365 + y / 4 - y / 100 + y / 400 + kCumulativeDays[leap][month - 1] + day;
    out = double(days - DateDelta);
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime dt = 0;
    if (!TryEncodeDate(year, month, day, dt))
        throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    return dt;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& out)
{
    if (hour < 0 || hour >= 24 || min < 0 || min >= 60 || sec < 0 || sec >= 60 || msec < 0 || msec >= 1000)
        return false;
    out = double(((hour * 60 + min) * 60 + sec) * 1000 + msec) / double(MSecsPerDay);
    return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec)
{
    TDateTime dt = 0;
    if (!TryEncodeTime(hour, min, sec, msec, dt))
        throw EConvertError(QStringLiteral("Invalid argument to time encode"));
    return dt;
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int min, int sec, int msec)
{
    const TDateTime d = EncodeDate(year, month, day);
    const TDateTime t = EncodeTime(hour, min, sec, msec);
    return d >= 0 ? d + t : d - t;
}

void DecodeDate(TDateTime dt, int& year, int& month, int& day)
{
    decodeStampDate(toStamp(dt).date, year, month, day);
}

void DecodeTime(TDateTime dt, int& hour, int& min, int& sec, int& msec)
{
    int t = toStamp(dt).time;
    msec = t % 1000;
    t /= 1000;
    sec = t % 60;
    t /= 60;
    min = t % 60;
    hour = t / 60;
}

void DecodeDateTime(TDateTime dt, int& year, int& month, int& day, int& hour, int& min, int& sec, int& msec)
{
    DecodeDate(dt, year, month, day);
    DecodeTime(dt, hour, min, sec, msec);
}

int DayOfWeek(TDateTime dt)
{
    const std::int64_t d = toStamp(dt).date;
    return int(((d % 7) + 7) % 7) + 1;
}

QDateTime DateTimeToQDateTime(TDateTime dt)
{
    int y, m, d, h, n, s, z;
    DecodeDateTime(dt, y, m, d, h, n, s, z);
    return QDateTime(QDate(y, m, d), QTime(h, n, s, z));
}

TDateTime QDateTimeToDateTime(const QDateTime& qdt)
{
    const QDate d = qdt.date();
    const QTime t = qdt.time();
    TDateTime date = 0, time = 0;
    if (!TryEncodeDate(d.year(), d.month(), d.day(), date))
        return 0;
    TryEncodeTime(t.hour(), t.minute(), t.second(), t.msec(), time);
    return date >= 0 ? date + time : date - time;
}

TDateTime Now()
{
    return QDateTimeToDateTime(QDateTime::currentDateTime());
}

TDateTime Date()
{
    return std::trunc(Now());
}

TDateTime Time()
{
    const TDateTime n = Now();
    return n - std::trunc(n);
}

// ---- Formatting -----------------------------------------------------------------

namespace {

QString pad(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

bool matchesAt(const QString& s, int i, const char* word)
{
    const QString w = QString::fromLatin1(word);
    return s.mid(i, w.size()).compare(w, Qt::CaseInsensitive) == 0;
}

void appendFormat(QString& out, const QString& format, TDateTime dt, const TFormatSettings& fs, int depth)
{
    if (depth > 2)
        return;
    int year, month, day, hour, min, sec, msec;
    DecodeDateTime(dt, year, month, day, hour, min, sec, msec);
    const int dow = DayOfWeek(dt);
    const int n = int(format.size());
    QChar lastToken;
    bool use12Hour = false;
    int i = 0;
    while (i < n) {
        const QChar starter = format.at(i);
        QChar token = starter.toUpper();
        if (token.unicode() < 128 && token.isLetter()) {
            if (token == QLatin1Char('M') && lastToken == QLatin1Char('H'))
                token = QLatin1Char('N');
            lastToken = token;
        }
        int count = 1;
        auto runOf = [&](QChar c) {
            int k = i + 1;
            while (k < n && format.at(k).toUpper() == c)
                ++k;
            count = k - i;
            i = k;
        };
        switch (token.unicode()) {
        case 'Y':
            runOf(QLatin1Char('Y'));
            out += count <= 2 ? pad(year % 100, 2) : pad(year, 4);
            break;
        case 'M':
            runOf(QLatin1Char('M'));
            if (count == 1)
                out += QString::number(month);
            else if (count == 2)
                out += pad(month, 2);
            else if (month >= 1 && month <= 12)
                out += (count == 3 ? fs.ShortMonthNames : fs.LongMonthNames).value(month - 1);
            break;
        case 'D':
            runOf(QLatin1Char('D'));
            if (count == 1)
                out += QString::number(day);
            else if (count == 2)
                out += pad(day, 2);
            else if (count == 3)
                out += fs.ShortDayNames.value(dow - 1);
            else if (count == 4)
                out += fs.LongDayNames.value(dow - 1);
            else if (count == 5)
                appendFormat(out, fs.ShortDateFormat, dt, fs, depth + 1);
            else
                appendFormat(out, fs.LongDateFormat, dt, fs, depth + 1);
            break;
        case 'H': {
            runOf(QLatin1Char('H'));
            // A 12-hour marker anywhere after the hour makes it a 12-hour clock.
            use12Hour = false;
            QChar quote;
            for (int k = i; k < n; ++k) {
                const QChar c = format.at(k);
                if (!quote.isNull()) {
                    if (c == quote)
                        quote = QChar();
                } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
                    quote = c;
                } else if (matchesAt(format, k, "am/pm") || matchesAt(format, k, "a/p") || matchesAt(format, k, "ampm")) {
                    use12Hour = true;
                    break;
                }
            }
            int h = hour;
            if (use12Hour) {
                h = hour % 12;
                if (h == 0)
                    h = 12;
            }
            out += count == 1 ? QString::number(h) : pad(h, 2);
            break;
        }
        case 'N':
            runOf(starter.toUpper() == QLatin1Char('M') ? QLatin1Char('M') : QLatin1Char('N'));
            out += count == 1 ? QString::number(min) : pad(min, 2);
            break;
        case 'S':
            runOf(QLatin1Char('S'));
            out += count == 1 ? QString::number(sec) : pad(sec, 2);
            break;
        case 'Z':
            runOf(QLatin1Char('Z'));
            out += count <= 2 ? QString::number(msec) : pad(msec, 3);
            break;
        case 'T':
            runOf(QLatin1Char('T'));
            appendFormat(out, count == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat, dt, fs, depth + 1);
            break;
        case 'C':
            ++i;
            appendFormat(out, fs.ShortDateFormat, dt, fs, depth + 1);
            if (hour != 0 || min != 0 || sec != 0 || msec != 0) {
                out += QLatin1Char(' ');
                appendFormat(out, fs.LongTimeFormat, dt, fs, depth + 1);
            }
            break;
        case 'A':
            if (matchesAt(format, i, "am/pm")) {
                const bool upper = format.at(i).isUpper();
                out += hour >= 12 ? (upper ? QStringLiteral("PM") : QStringLiteral("pm"))
                                  : (upper ? QStringLiteral("AM") : QStringLiteral("am"));
                i += 5;
            } else if (matchesAt(format, i, "a/p")) {
                const bool upper = format.at(i).isUpper();
                out += hour >= 12 ? (upper ? QLatin1Char('P') : QLatin1Char('p')) : (upper ? QLatin1Char('A') : QLatin1Char('a'));
                i += 3;
            } else if (matchesAt(format, i, "ampm")) {
                out += hour >= 12 ? fs.TimePMString : fs.TimeAMString;
                i += 4;
            } else {
                out += starter;
                ++i;
            }
            break;
        case '/':
            out += fs.DateSeparator;
            ++i;
            break;
        case ':':
            out += fs.TimeSeparator;
            ++i;
            break;
        case '"':
        case '\'': {
            int k = i + 1;
            while (k < n && format.at(k) != starter)
                out += format.at(k++);
            i = k < n ? k + 1 : k;
            break;
        }
        default:
            out += starter;
            ++i;
            break;
        }
    }
}

} // namespace

QString FormatDateTime(const QString& format, TDateTime dt, const TFormatSettings& fs)
{
    QString out;
    appendFormat(out, format.isEmpty() ? QStringLiteral("c") : format, dt, fs, 0);
    return out;
}

QString FormatDateTime(const QString& format, TDateTime dt)
{
    return FormatDateTime(format, dt, FormatSettings());
}

QString DateToStr(TDateTime dt, const TFormatSettings& fs)
{
    return FormatDateTime(QStringLiteral("ddddd"), dt, fs);
}

QString DateToStr(TDateTime dt)
{
    return DateToStr(dt, FormatSettings());
}

QString TimeToStr(TDateTime dt, const TFormatSettings& fs)
{
    return FormatDateTime(QStringLiteral("tt"), dt, fs);
}

QString TimeToStr(TDateTime dt)
{
    return TimeToStr(dt, FormatSettings());
}

QString DateTimeToStr(TDateTime dt, const TFormatSettings& fs)
{
    return FormatDateTime(QStringLiteral("c"), dt, fs);
}

QString DateTimeToStr(TDateTime dt)
{
    return DateTimeToStr(dt, FormatSettings());
}

// ---- Parsing ------------------------------------------------------------------------

namespace {

void scanBlanks(const QString& s, int& pos)
{
    while (pos < s.size() && s.at(pos) == QLatin1Char(' '))
        ++pos;
}

bool scanNumber(const QString& s, int& pos, int& value, int& length)
{
    scanBlanks(s, pos);
    const int start = pos;
    int v = 0;
    while (pos < s.size() && s.at(pos).unicode() >= '0' && s.at(pos).unicode() <= '9' && v < 1000) {
        v = v * 10 + (s.at(pos).unicode() - '0');
        ++pos;
    }
    length = pos - start;
    if (length == 0)
        return false;
    value = v;
    return true;
}

bool scanChar(const QString& s, int& pos, QChar c)
{
    scanBlanks(s, pos);
    if (pos < s.size() && s.at(pos) == c) {
        ++pos;
        return true;
    }
    return false;
}

bool scanString(const QString& s, int& pos, const QString& word)
{
    if (word.isEmpty())
        return false;
    scanBlanks(s, pos);
    if (s.mid(pos, word.size()).compare(word, Qt::CaseInsensitive) == 0) {
        pos += int(word.size());
        return true;
    }
    return false;
}

enum class DateOrder { MDY, DMY, YMD };

DateOrder dateOrder(const QString& format)
{
    for (QChar c : format) {
        switch (c.toUpper().unicode()) {
        case 'D':
            return DateOrder::DMY;
        case 'M':
            return DateOrder::MDY;
        case 'Y':
            return DateOrder::YMD;
        default:
            break;
        }
    }
    return DateOrder::MDY;
}

int currentYear()
{
    return QDate::currentDate().year();
}

bool scanDate(const QString& s, int& pos, TDateTime& value, const TFormatSettings& fs)
{
    const DateOrder order = dateOrder(fs.ShortDateFormat);
    int n1, n2, n3, l1, l2, l3;
    if (!(scanNumber(s, pos, n1, l1) && scanChar(s, pos, fs.DateSeparator) && scanNumber(s, pos, n2, l2)))
        return false;
    int y, m, d;
    if (scanChar(s, pos, fs.DateSeparator)) {
        if (!scanNumber(s, pos, n3, l3))
            return false;
        int yearLen;
        switch (order) {
        case DateOrder::MDY:
            y = n3, yearLen = l3, m = n1, d = n2;
            break;
        case DateOrder::DMY:
            y = n3, yearLen = l3, m = n2, d = n1;
            break;
        default:
            y = n1, yearLen = l1, m = n2, d = n3;
            break;
        }
        if (yearLen <= 2) {
            const int window = fs.TwoDigitYearCenturyWindow;
            const int centuryBase = currentYear() - window;
            y += centuryBase / 100 * 100;
            if (window > 0 && y < centuryBase)
                y += 100;
        }
    } else {
        y = currentYear();
        if (order == DateOrder::DMY)
            d = n1, m = n2;
        else
            m = n1, d = n2;
    }
    scanChar(s, pos, fs.DateSeparator);
    scanBlanks(s, pos);
    return TryEncodeDate(y, m, d, value);
}

bool scanTime(const QString& s, int& pos, TDateTime& value, const TFormatSettings& fs)
{
    int baseHour = -1;
    const QString am = QStringLiteral("AM"), pm = QStringLiteral("PM");
    if (scanString(s, pos, fs.TimeAMString) || scanString(s, pos, am))
        baseHour = 0;
    else if (scanString(s, pos, fs.TimePMString) || scanString(s, pos, pm))
        baseHour = 12;
    int hour, len, min = 0, sec = 0, msec = 0;
    if (!scanNumber(s, pos, hour, len))
        return false;
    if (scanChar(s, pos, fs.TimeSeparator)) {
        if (!scanNumber(s, pos, min, len))
            return false;
        if (scanChar(s, pos, fs.TimeSeparator)) {
            if (!scanNumber(s, pos, sec, len))
                return false;
            if (scanChar(s, pos, fs.DecimalSeparator) && !scanNumber(s, pos, msec, len))
                return false;
        }
    }
    if (baseHour < 0) {
        if (scanString(s, pos, fs.TimeAMString) || scanString(s, pos, am))
            baseHour = 0;
        else if (scanString(s, pos, fs.TimePMString) || scanString(s, pos, pm))
            baseHour = 12;
    }
    if (baseHour >= 0) {
        if (hour == 0 || hour > 12)
            return false;
        if (hour == 12)
            hour = 0;
        hour += baseHour;
    }
    scanBlanks(s, pos);
    return TryEncodeTime(hour, min, sec, msec, value);
}

} // namespace

bool TryStrToDate(const QString& s, TDateTime& value, const TFormatSettings& fs)
{
    int pos = 0;
    TDateTime d = 0;
    if (!scanDate(s, pos, d, fs) || pos < s.size())
        return false;
    value = d;
    return true;
}

bool TryStrToDate(const QString& s, TDateTime& value)
{
    return TryStrToDate(s, value, FormatSettings());
}

TDateTime StrToDate(const QString& s, const TFormatSettings& fs)
{
    TDateTime v = 0;
    if (!TryStrToDate(s, v, fs))
        throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(s));
    return v;
}

TDateTime StrToDate(const QString& s)
{
    return StrToDate(s, FormatSettings());
}

bool TryStrToTime(const QString& s, TDateTime& value, const TFormatSettings& fs)
{
    int pos = 0;
    TDateTime t = 0;
    if (!scanTime(s, pos, t, fs) || pos < s.size())
        return false;
    value = t;
    return true;
}

bool TryStrToTime(const QString& s, TDateTime& value)
{
    return TryStrToTime(s, value, FormatSettings());
}

TDateTime StrToTime(const QString& s, const TFormatSettings& fs)
{
    TDateTime v = 0;
    if (!TryStrToTime(s, v, fs))
        throw EConvertError(QStringLiteral("'%1' is not a valid time").arg(s));
    return v;
}

TDateTime StrToTime(const QString& s)
{
    return StrToTime(s, FormatSettings());
}

bool TryStrToDateTime(const QString& s, TDateTime& value, const TFormatSettings& fs)
{
    int pos = 0;
    TDateTime d = 0, t = 0;
    if (scanDate(s, pos, d, fs) && (pos >= s.size() || (scanTime(s, pos, t, fs) && pos >= s.size()))) {
        value = d >= 0 ? d + t : d - t;
        return true;
    }
    return TryStrToTime(s, value, fs);
}

bool TryStrToDateTime(const QString& s, TDateTime& value)
{
    return TryStrToDateTime(s, value, FormatSettings());
}

TDateTime StrToDateTime(const QString& s, const TFormatSettings& fs)
{
    TDateTime v = 0;
    if (!TryStrToDateTime(s, v, fs))
        throw EConvertError(QStringLiteral("'%1' is not a valid date and time").arg(s));
    return v;
}

TDateTime StrToDateTime(const QString& s)
{
    return StrToDateTime(s, FormatSettings());
}

} // namespace fw
