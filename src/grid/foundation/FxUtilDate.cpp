// Date text routines of the grid pack.
#include "grid/foundation/FxUtilText.h"
#include "grid/foundation/FxUtilText_p.h"
#include "framework/DateTime.h"

using namespace fxutil_detail;

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
