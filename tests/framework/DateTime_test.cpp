#include "framework/DateTime.h"

#include <QDate>

#include <gtest/gtest.h>

using namespace fw;

namespace {

TFormatSettings dayMonthYear()
{
    TFormatSettings fs;
    fs.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    fs.DateSeparator = QLatin1Char('.');
    fs.LongTimeFormat = QStringLiteral("hh:nn:ss");
    return fs;
}

} // namespace

TEST(DateTime, EncodeKnownSerialNumbers)
{
    struct Case {
        int y, m, d;
        double serial;
    };
    const Case cases[] = {
        {1899, 12, 30, 0}, {1899, 12, 31, 1}, {1900, 1, 1, 2}, {1899, 12, 29, -1},
        {2000, 2, 29, 36585}, {2020, 12, 31, 44196}, {1, 1, 1, -693593}, {9999, 12, 31, 2958465},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.y << "-" << c.m << "-" << c.d);
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial);
        int y, m, d;
        DecodeDate(c.serial, y, m, d);
        EXPECT_EQ(y, c.y);
        EXPECT_EQ(m, c.m);
        EXPECT_EQ(d, c.d);
    }
}

TEST(DateTime, DecodeAgreesWithTheCalendarOverFourCenturies)
{
    // Every day from 1800 to 2200 against Qt's proleptic calendar.
    const QDate epoch(1899, 12, 30);
    for (int serial = -36522; serial < 109574; ++serial) {
        const QDate q = epoch.addDays(serial);
        int y, m, d;
        DecodeDate(serial, y, m, d);
        ASSERT_EQ(QDate(y, m, d), q) << serial;
        ASSERT_EQ(DayOfWeek(serial), q.dayOfWeek() % 7 + 1) << serial;
    }
}

TEST(DateTime, EncodeErrorsTable)
{
    struct Case {
        int y, m, d;
    };
    const Case badDates[] = {{2021, 2, 29}, {2100, 2, 29}, {2020, 4, 31}, {2020, 13, 1}, {2020, 0, 1},
                             {2020, 1, 0}, {0, 1, 1}, {10000, 1, 1}, {2020, -1, 5}};
    for (const Case& c : badDates) {
        SCOPED_TRACE(testing::Message() << c.y << "-" << c.m << "-" << c.d);
        TDateTime out = 123;
        EXPECT_FALSE(TryEncodeDate(c.y, c.m, c.d, out));
        EXPECT_EQ(out, 123);
        try {
            EncodeDate(c.y, c.m, c.d);
            ADD_FAILURE() << "no exception";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Invalid argument to date encode"));
        }
    }
    struct TimeCase {
        int h, n, s, ms;
    };
    const TimeCase badTimes[] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {-1, 0, 0, 0}};
    for (const TimeCase& c : badTimes) {
        SCOPED_TRACE(testing::Message() << c.h << ":" << c.n << ":" << c.s << "." << c.ms);
        try {
            EncodeTime(c.h, c.n, c.s, c.ms);
            ADD_FAILURE() << "no exception";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Invalid argument to time encode"));
        }
    }
    EXPECT_NO_THROW(EncodeDate(2000, 2, 29));
    EXPECT_NO_THROW(EncodeTime(23, 59, 59, 999));
}

TEST(DateTime, TimeOfDayRoundTripsAndNegativeDatesCountForward)
{
    int h, n, s, ms;
    DecodeTime(EncodeTime(23, 59, 59, 999), h, n, s, ms);
    EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + ms, 235959999);
    // -1.25 is the day before the epoch at 06:00.
    const TDateTime dt = -1.25;
    int y, m, d;
    DecodeDateTime(dt, y, m, d, h, n, s, ms);
    EXPECT_EQ(QDate(y, m, d), QDate(1899, 12, 29));
    EXPECT_EQ(h, 6);
    EXPECT_EQ(EncodeDateTime(1899, 12, 29, 6, 0, 0, 0), -1.25);
}

TEST(DateTime, LeapYearsAndMonthLengths)
{
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_EQ(DaysInAMonth(2024, 2), 29);
    EXPECT_EQ(DaysInAMonth(2023, 2), 28);
    EXPECT_EQ(DaysInAMonth(2023, 11), 30);
    EXPECT_EQ(DaysInAMonth(2023, 13), 0);
    EXPECT_EQ(DaysInMonth(EncodeDate(2020, 12, 5)), 31);
}

TEST(DateTime, FormatDateTimeSpecifiers)
{
    TFormatSettings fs = dayMonthYear();
    fs.TimeSeparator = QLatin1Char('-');
    const TDateTime dt = EncodeDateTime(2020, 3, 7, 14, 5, 9, 45);
    struct Case {
        const char* format;
        const char* text;
    };
    const Case cases[] = {
        {"d/m/yy", "7.3.20"},
        {"dd/mm/yyyy", "07.03.2020"},
        {"ddd dddd", "Sat Saturday"},
        {"mmm mmmm", "Mar March"},
        {"hh:mm:ss.zzz", "14-05-09.045"},   // m after h is the minute
        {"h:nn am/pm", "2-05 pm"},
        {"hh AMPM", "02 PM"},
        {"ddddd", "07.03.2020"},
        {"c", "07.03.2020 14-05-09"},
        {"'d' \"m\" d", "d m 7"},
        {"yyyy-mm-dd", "2020-03-07"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatDateTime(QString::fromLatin1(c.format), dt, fs), QString::fromLatin1(c.text)) << c.format;
    EXPECT_EQ(DateTimeToStr(EncodeDate(2020, 3, 7), fs), QStringLiteral("07.03.2020")) << "no time at midnight";
    EXPECT_EQ(DateToStr(dt, fs), QStringLiteral("07.03.2020"));
    EXPECT_EQ(TimeToStr(dt, fs), QStringLiteral("14-05-09"));
}

TEST(DateTime, StrToDateFollowsTheShortDateOrder)
{
    TFormatSettings dmy = dayMonthYear();
    TFormatSettings mdy;
    mdy.ShortDateFormat = QStringLiteral("m/d/yyyy");
    TFormatSettings ymd;
    ymd.ShortDateFormat = QStringLiteral("yyyy-mm-dd");
    ymd.DateSeparator = QLatin1Char('-');
    struct Case {
        const TFormatSettings* fs;
        const char* text;
        QDate date;   // invalid: rejected
    };
    const Case cases[] = {
        {&dmy, "31.12.2020", QDate(2020, 12, 31)},
        {&dmy, " 1.2.2021 ", QDate(2021, 2, 1)},
        {&mdy, "12/31/2020", QDate(2020, 12, 31)},
        {&ymd, "2020-12-31", QDate(2020, 12, 31)},
        {&dmy, "31.11.2020", QDate()},
        {&dmy, "29.02.2021", QDate()},
        {&dmy, "31/12/2020", QDate()},
        {&dmy, "31.12.2020x", QDate()},
        {&dmy, "", QDate()},
        {&dmy, "a.b.c", QDate()},
        {&mdy, "31/12/2020", QDate()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TDateTime v = -5;
        const bool ok = TryStrToDate(QString::fromLatin1(c.text), v, *c.fs);
        EXPECT_EQ(ok, c.date.isValid());
        if (c.date.isValid()) {
            int y, m, d;
            DecodeDate(v, y, m, d);
            EXPECT_EQ(QDate(y, m, d), c.date);
        } else {
            EXPECT_EQ(v, -5);
        }
    }
    try {
        StrToDate(QStringLiteral("31.11.2020"), dmy);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("'31.11.2020' is not a valid date"));
    }
}

TEST(DateTime, TwoDigitYearsAndMissingYear)
{
    TFormatSettings fs = dayMonthYear();
    const int thisYear = QDate::currentDate().year();
    TDateTime v = 0;
    ASSERT_TRUE(TryStrToDate(QStringLiteral("5.6"), v, fs));
    int y, m, d;
    DecodeDate(v, y, m, d);
    EXPECT_EQ(QDate(y, m, d), QDate(thisYear, 6, 5));

    // Window 50: a two-digit year lands within 50 years before or after now.
    const int yy = (thisYear + 10) % 100;
    ASSERT_TRUE(TryStrToDate(QStringLiteral("1.1.%1").arg(yy, 2, 10, QLatin1Char('0')), v, fs));
    DecodeDate(v, y, m, d);
    EXPECT_EQ(y, thisYear + 10);
    const int old = (thisYear - 70 + 100) % 100;
    ASSERT_TRUE(TryStrToDate(QStringLiteral("1.1.%1").arg(old, 2, 10, QLatin1Char('0')), v, fs));
    DecodeDate(v, y, m, d);
    EXPECT_EQ(y, thisYear + 30);
}

TEST(DateTime, StrToTimeAndDateTime)
{
    TFormatSettings fs = dayMonthYear();
    struct Case {
        const char* text;
        bool ok;
        int h, n, s, ms;
    };
    const Case cases[] = {
        {"23:59:59", true, 23, 59, 59, 0},
        {"10:30", true, 10, 30, 0, 0},
        {"7", true, 7, 0, 0, 0},
        {"1:02:03.456", true, 1, 2, 3, 456},
        {"12:15 AM", true, 0, 15, 0, 0},
        {"12:15 pm", true, 12, 15, 0, 0},
        {"PM 3:00", true, 15, 0, 0, 0},
        {"24:00", false, 0, 0, 0, 0},
        {"10:60", false, 0, 0, 0, 0},
        {"13:00 PM", false, 0, 0, 0, 0},
        {"10:", false, 0, 0, 0, 0},
        {"ten", false, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TDateTime v = 0;
        EXPECT_EQ(TryStrToTime(QString::fromLatin1(c.text), v, fs), c.ok);
        if (c.ok) {
            EXPECT_EQ(v, EncodeTime(c.h, c.n, c.s, c.ms));
        }
    }
    TDateTime v = 0;
    ASSERT_TRUE(TryStrToDateTime(QStringLiteral("31.12.2020 23:59:59"), v, fs));
    EXPECT_EQ(v, EncodeDateTime(2020, 12, 31, 23, 59, 59, 0));
    EXPECT_FALSE(TryStrToDateTime(QStringLiteral("31.12.2020 24:00"), v, fs));
    ASSERT_TRUE(TryStrToDateTime(QStringLiteral("08:15"), v, fs));
    EXPECT_EQ(v, EncodeTime(8, 15, 0, 0));
    EXPECT_THROW(StrToTime(QStringLiteral("25:00"), fs), EConvertError);
    EXPECT_THROW(StrToDateTime(QStringLiteral("x"), fs), EConvertError);
}

TEST(DateTime, QtConversionAndClock)
{
    const QDateTime q(QDate(2021, 7, 4), QTime(13, 14, 15, 16));
    const TDateTime dt = QDateTimeToDateTime(q);
    EXPECT_EQ(dt, EncodeDateTime(2021, 7, 4, 13, 14, 15, 16));
    EXPECT_EQ(DateTimeToQDateTime(dt), q);
    const TDateTime now = Now();
    EXPECT_NEAR(now, QDateTimeToDateTime(QDateTime::currentDateTime()), 1.0 / SecsPerDay);
    EXPECT_EQ(Date(), std::trunc(now));
}
