#include "framework/SysUtils.h"

#include "support/ScopedSettings.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

using namespace fw;

namespace {

// Restores the process format settings a test changed.
using SettingsGuard = testsupport::FormatSettingsGuard;

} // namespace

TEST(SysUtils, IntegerConversionTable)
{
    struct Case {
        const char* text;
        bool ok;
        int value;
    };
    const Case cases[] = {
        {"0", true, 0},
        {"42", true, 42},
        {"+42", true, 42},
        {"-42", true, -42},
        {"   17", true, 17},
        {"010", true, 10},
        {"$FF", true, 255},
        {"$ff", true, 255},
        {"0x1A", true, 26},
        {"0X1a", true, 26},
        {"-$10", true, -16},
        {" +0x10", true, 16},
        {"2147483647", true, INT_MAX},
        {"-2147483648", true, INT_MIN},
        {"$7FFFFFFF", true, INT_MAX},
        // rejected
        {"", false, 0},
        {"   ", false, 0},
        {"17 ", false, 0},
        {"1 7", false, 0},
        {"\t17", false, 0},
        {"+", false, 0},
        {"-", false, 0},
        {"$", false, 0},
        {"0x", false, 0},
        {"x10", false, 0},
        {"$G1", false, 0},
        {"12a", false, 0},
        {"1.5", false, 0},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"$80000000", false, 0},
        {"99999999999999999999", false, 0},
        {"+-1", false, 0},
        {"- 1", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        int v = 12345;
        EXPECT_EQ(TryStrToInt(QString::fromLatin1(c.text), v), c.ok);
        if (c.ok)
            EXPECT_EQ(v, c.value);
        else
            EXPECT_EQ(v, 12345) << "a failed conversion leaves the output alone";
        EXPECT_EQ(StrToIntDef(QString::fromLatin1(c.text), -7), c.ok ? c.value : -7);
    }
}

TEST(SysUtils, Int64ConversionKeepsFullRange)
{
    std::int64_t v = 0;
    ASSERT_TRUE(TryStrToInt64(QStringLiteral("-9223372036854775808"), v));
    EXPECT_EQ(v, std::numeric_limits<std::int64_t>::min());
    EXPECT_FALSE(TryStrToInt64(QStringLiteral("9223372036854775808"), v));
    EXPECT_EQ(StrToInt64Def(QStringLiteral("$FFFFFFFF"), 0), 0xFFFFFFFFll);
}

TEST(SysUtils, StrToIntRaisesWithTheText)
{
    try {
        StrToInt(QStringLiteral("12x"));
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("'12x' is not a valid integer value"));
        EXPECT_STREQ(e.what(), "'12x' is not a valid integer value");
    }
}

TEST(SysUtils, IntToHexPadsAndUsesUpperCase)
{
    EXPECT_EQ(IntToHex(255, 4), QStringLiteral("00FF"));
    EXPECT_EQ(IntToHex(0x12345, 2), QStringLiteral("12345"));
    EXPECT_EQ(IntToStr(-5), QStringLiteral("-5"));
}

TEST(SysUtils, FloatConversionTable)
{
    TFormatSettings dot;
    TFormatSettings comma;
    comma.DecimalSeparator = QLatin1Char(',');
    comma.ThousandSeparator = QLatin1Char('.');
    struct Case {
        const char* text;
        bool commaSeparator;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"1.5", false, true, 1.5},
        {"  -1.5  ", false, true, -1.5},
        {"+2", false, true, 2},
        {".5", false, true, 0.5},
        {"5.", false, true, 5},
        {"1e3", false, true, 1000},
        {"1.5E-2", false, true, 0.015},
        {"1e-400", false, true, 0},
        {"1,5", true, true, 1.5},
        // rejected
        {"1,5", false, false, 0},
        {"1.5", true, false, 0},
        {"1,000.5", false, false, 0},
        {"", false, false, 0},
        {"  ", false, false, 0},
        {".", false, false, 0},
        {"e5", false, false, 0},
        {"1e", false, false, 0},
        {"1e+", false, false, 0},
        {"1.2.3", false, false, 0},
        {"inf", false, false, 0},
        {"-INF", false, false, 0},
        {"infinity", false, false, 0},
        {"nan", false, false, 0},
        {"NaN", false, false, 0},
        {"0x10", false, false, 0},
        {"1e400", false, false, 0},
        {"1.5x", false, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        double v = 99;
        const bool ok = TryStrToFloat(QString::fromLatin1(c.text), v, c.commaSeparator ? comma : dot);
        EXPECT_EQ(ok, c.ok);
        if (c.ok)
            EXPECT_DOUBLE_EQ(v, c.value);
        else
            EXPECT_EQ(v, 99);
    }
}

TEST(SysUtils, FloatConversionFollowsTheProcessSettings)
{
    SettingsGuard guard;
    FormatSettings().DecimalSeparator = QLatin1Char(',');
    EXPECT_DOUBLE_EQ(StrToFloatDef(QStringLiteral("2,25"), -1), 2.25);
    EXPECT_DOUBLE_EQ(StrToFloatDef(QStringLiteral("2.25"), -1), -1);
    EXPECT_EQ(FloatToStr(2.25), QStringLiteral("2,25"));
    EXPECT_THROW(StrToFloat(QStringLiteral("x")), EConvertError);
}

TEST(SysUtils, FloatToStrGeneralFormat)
{
    const TFormatSettings fs;
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0, "0"},
        {0.1, "0.1"},
        {-1234.5, "-1234.5"},
        {1.0 / 3, "0.333333333333333"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},
        {1.5e20, "1.5E20"},
        {0.0001, "0.0001"},
        {0.00001, "1E-5"},
        {-2.5e-7, "-2.5E-7"},
        {0.1 + 0.2, "0.3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FloatToStr(c.value, fs), QString::fromLatin1(c.text)) << c.value;
}

TEST(SysUtils, FormatFloatPictures)
{
    TFormatSettings fs;
    fs.ThousandSeparator = QLatin1Char('.');
    fs.DecimalSeparator = QLatin1Char(',');
    struct Case {
        const char* format;
        double value;
        const char* text;
    };
    const Case cases[] = {
        {"0.00", 1.005, "1,01"},
        {"0.00", 2.675, "2,68"},
        {"0.00", -0.004, "0,00"},
        {"0", 2.5, "3"},
        {"0", -2.5, "-3"},
        {"#,##0.00", 1234567.891, "1.234.567,89"},
        {"#,##0", 999.9, "1.000"},
        {"000", 7, "007"},
        {"0.##", 1.5, "1,5"},
        {"0.##", 1, "1"},
        {"#", 0, ""},
        {"#.#", 0.25, ",3"},
        {"0.00E+00", 12345, "1,23E+04"},
        {"0.0e-0", 0.000125, "1,3e-4"},
        {"0.0;(0.0)", -3.14, "(3,1)"},
        {"0.0;(0.0);'zero'", 0, "zero"},
        {"'x='0", 5, "x=5"},
        {"0 \"kg\"", 12, "12 kg"},
        // After the exponent the picture ends: the rest is literal text.
        {"0E+0#0", 12345, "1E+4#0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(FormatFloat(QString::fromLatin1(c.format), c.value, fs), QString::fromUtf8(c.text)) << c.value;
    }
}

TEST(SysUtils, RoundHalfEvenTable)
{
    struct Case {
        double value;
        std::int64_t rounded;
    };
    const Case cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
                          {2.4999, 2}, {2.5001, 3}, {-2.6, -3}, {7, 7}, {1e300, std::numeric_limits<std::int64_t>::max()}};
    for (const Case& c : cases)
        EXPECT_EQ(RoundHalfEven(c.value), c.rounded) << c.value;
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
}

TEST(SysUtils, TrimRemovesControlCharactersAndBlanksOnly)
{
    const QString s = QString::fromUtf8("\x01\t \r\n a b\u00A0 \x1F");
    EXPECT_EQ(Trim(s), QString::fromUtf8("a b\u00A0"));
    EXPECT_EQ(TrimLeft(s), QString::fromUtf8("a b\u00A0 \x1F"));
    EXPECT_EQ(TrimRight(s), QString::fromUtf8("\x01\t \r\n a b\u00A0"));
    EXPECT_EQ(Trim(QString(3, QChar(0))), QString());
}

TEST(SysUtils, CaseMappingAndComparison)
{
    EXPECT_EQ(UpperCase(QString::fromUtf8("abzä")), QString::fromUtf8("ABZä"));
    EXPECT_EQ(LowerCase(QStringLiteral("ABZ_")), QStringLiteral("abz_"));
    EXPECT_EQ(AnsiUpperCase(QString::fromUtf8("ä")), QString::fromUtf8("Ä"));
    EXPECT_TRUE(SameText(QStringLiteral("Row"), QStringLiteral("rOW")));
    EXPECT_FALSE(SameText(QStringLiteral("Row"), QStringLiteral("Rows")));
    EXPECT_EQ(CompareText(QStringLiteral("abc"), QStringLiteral("ABC")), 0);
    EXPECT_LT(CompareText(QStringLiteral("ab"), QStringLiteral("ABC")), 0);
    EXPECT_GT(CompareText(QStringLiteral("b"), QStringLiteral("A")), 0);
    // "_" lies between the upper and lower case letters: compared as upper case.
    EXPECT_GT(CompareText(QStringLiteral("_"), QStringLiteral("a")), 0);
}

TEST(SysUtils, QuotedTextRoundTrip)
{
    const QString quoted = AnsiQuotedStr(QStringLiteral("say \"hi\""), QLatin1Char('"'));
    EXPECT_EQ(quoted, QStringLiteral("\"say \"\"hi\"\"\""));
    int pos = 0;
    EXPECT_EQ(AnsiExtractQuotedStr(quoted + QStringLiteral(",next"), pos, QLatin1Char('"')), QStringLiteral("say \"hi\""));
    EXPECT_EQ(pos, quoted.size());
    pos = 0;
    EXPECT_EQ(AnsiExtractQuotedStr(QStringLiteral("\"open"), pos, QLatin1Char('"')), QStringLiteral("open"));
    EXPECT_EQ(pos, 5);
    EXPECT_EQ(QuotedStr(QStringLiteral("it's")), QStringLiteral("'it''s'"));
}

TEST(SysUtils, FormatTable)
{
    TFormatSettings fs;
    fs.DecimalSeparator = QLatin1Char(',');
    fs.ThousandSeparator = QLatin1Char('.');
    struct Case {
        QString format;
        std::vector<TFormatArg> args;
        QString text;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("Error row %d !! %s"), {7, QStringLiteral("bad")}, QStringLiteral("Error row 7 !! bad")},
        {QStringLiteral("%5d|%-5d|%.3d"), {42, 42, 7}, QStringLiteral("   42|42   |007")},
        {QStringLiteral("%d"), {-12}, QStringLiteral("-12")},
        {QStringLiteral("%.4d"), {-12}, QStringLiteral("-0012")},
        {QStringLiteral("%u"), {-1}, QStringLiteral("4294967295")},
        {QStringLiteral("%x %.4X"), {255, 26}, QStringLiteral("FF 001A")},
        {QStringLiteral("%.2f"), {3.14159}, QStringLiteral("3,14")},
        {QStringLiteral("%f"), {2}, QStringLiteral("2,00")},
        {QStringLiteral("%.0f"), {2.5}, QStringLiteral("3")},
        {QStringLiteral("%.1n"), {1234567.25}, QStringLiteral("1.234.567,3")},
        {QStringLiteral("%e"), {1234.5}, QStringLiteral("1,23450000000000E+003")},
        {QStringLiteral("%g"), {0.5}, QStringLiteral("0,5")},
        {QStringLiteral("%.3s|%6s"), {QStringLiteral("abcdef"), QStringLiteral("ab")}, QStringLiteral("abc|    ab")},
        {QStringLiteral("100%% %s"), {QStringLiteral("%d")}, QStringLiteral("100% %d")},
        {QStringLiteral("%1:s-%0:s-%s"), {QStringLiteral("a"), QStringLiteral("b")}, QStringLiteral("b-a-b")},
        {QStringLiteral("%*d"), {4, 1}, QStringLiteral("   1")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format.toStdString());
        EXPECT_EQ(Format(c.format, c.args, fs), c.text);
    }
}

TEST(SysUtils, FormatRejectsMissingAndMismatchedArguments)
{
    struct Case {
        QString format;
        std::vector<TFormatArg> args;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("%d %d"), {1}},
        {QStringLiteral("%s"), {1}},
        {QStringLiteral("%d"), {QStringLiteral("1")}},
        {QStringLiteral("%d"), {1.5}},
        {QStringLiteral("%f"), {QStringLiteral("1.5")}},
        {QStringLiteral("%q"), {1}},
        {QStringLiteral("trailing %"), {}},
        {QStringLiteral("%n%n%n%n%s"), {1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format.toStdString());
        EXPECT_THROW(Format(c.format, c.args), EConvertError);
    }
}

TEST(SysUtils, LocaleSettingsFollowTheDefaultLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const TFormatSettings fs = LocaleFormatSettings();
    QLocale::setDefault(saved);
    EXPECT_EQ(fs.DecimalSeparator, QLatin1Char(','));
    EXPECT_EQ(fs.ThousandSeparator, QLatin1Char('.'));
    EXPECT_EQ(fs.DateSeparator, QLatin1Char('.'));
    EXPECT_TRUE(fs.ShortDateFormat.startsWith(QStringLiteral("dd/mm/"))) << fs.ShortDateFormat.toStdString();
    EXPECT_EQ(fs.TimeSeparator, QLatin1Char(':'));
}
