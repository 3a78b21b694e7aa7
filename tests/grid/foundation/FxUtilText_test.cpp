#include "grid/foundation/FxUtilText.h"

#include "framework/DateTime.h"
#include "framework/SysUtils.h"
#include "support/ScopedSettings.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace {

const QString CRLF = QStringLiteral("\r\n");
const QChar CR = QChar(13);
const QChar LF = QChar(10);

// Each test chooses its separators; the process settings are restored after.
class FxUtilText : public ::testing::Test {
protected:
    static void Separators(QChar thousand, QChar decimal)
    {
        fw::FormatSettings().ThousandSeparator = thousand;
        fw::FormatSettings().DecimalSeparator = decimal;
    }
    static void DateFormat(const QString& fmt, QChar dateSep, QChar timeSep)
    {
        fw::FormatSettings().ShortDateFormat = fmt;
        fw::FormatSettings().DateSeparator = dateSep;
        fw::FormatSettings().TimeSeparator = timeSep;
    }
    testsupport::FormatSettingsGuard Saved;
};

TEST_F(FxUtilText, LocaleAccessorsReadTheSettingsAtEachCall)
{
    DateFormat(QStringLiteral("dd.mm.yyyy"), QLatin1Char('.'), QLatin1Char(':'));
    Separators(QLatin1Char('.'), QLatin1Char(','));
    EXPECT_EQ(LocaleDateSeparator(), QLatin1Char('.'));
    EXPECT_EQ(LocaleTimeSeparator(), QLatin1Char(':'));
    EXPECT_EQ(LocaleThousandSeparator(), QLatin1Char('.'));
    EXPECT_EQ(LocaleDecimalSeparator(), QLatin1Char(','));
    EXPECT_EQ(LocaleShortDateFormat(), QStringLiteral("dd.mm.yyyy"));
    fw::FormatSettings().DecimalSeparator = QLatin1Char(';');
    EXPECT_EQ(LocaleDecimalSeparator(), QLatin1Char(';'));
}

TEST_F(FxUtilText, SearchRoutines)
{
    int pos = 99;
    EXPECT_EQ(PosAndStore(QStringLiteral("lo"), QStringLiteral("hello lo"), pos), 4);
    EXPECT_EQ(pos, 4);
    EXPECT_EQ(PosAndStore(QStringLiteral("zz"), QStringLiteral("hello"), pos), 0);
    EXPECT_EQ(pos, 0);
    EXPECT_EQ(PosInUpperCase(QStringLiteral("LO"), QStringLiteral("hello")), 4);
    EXPECT_EQ(PosInUpperCase(QStringLiteral("lo"), QStringLiteral("hello")), 0); // pattern must be upper-case
    EXPECT_EQ(CharPosition(QLatin1Char('l'), QStringLiteral("hello")), 3);
    EXPECT_EQ(CharPosition(QLatin1Char('z'), QStringLiteral("hello")), 0);
    pos = 42;
    EXPECT_EQ(CharPositionOut(QLatin1Char('z'), QStringLiteral("hello"), pos), 0);
    EXPECT_EQ(pos, 42); // untouched when absent
    EXPECT_EQ(CharPositionOut(QLatin1Char('o'), QStringLiteral("hello"), pos), 5);
    EXPECT_EQ(pos, 5);
    EXPECT_EQ(PosWide(QString(QChar(0x263A)), QStringLiteral("ab") + QChar(0x263A)), 3);
    EXPECT_EQ(CountCharOccurrences(QLatin1Char('a'), QStringLiteral("banana")), 3);
    EXPECT_EQ(MaxOfInts(-3, 2), 2);
    EXPECT_EQ(MinOfInts(-3, 2), -3);
    EXPECT_EQ(ConcatStrings({QStringLiteral("a"), QStringLiteral("b"), QString(), QStringLiteral("c")}),
              QStringLiteral("abc"));
    QString pw = QStringLiteral("secret");
    FillWithChar(pw, QLatin1Char('*'));
    EXPECT_EQ(pw, QStringLiteral("******"));
}

TEST_F(FxUtilText, TakeUntilDelimiterCutsThePartAndTheDelimitersFirstCharacter)
{
    struct Case { const char* text; const char* delim; const char* part; const char* rest; };
    const Case cases[] = {
        {"a;b;c", ";", "a", "b;c"},
        {"key=>value", "=>", "key", ">value"},
        {"nodelim", ";", "", "nodelim"},
        {";lead", ";", "", "lead"},
    };
    for (const Case& c : cases) {
        QString text = QString::fromUtf8(c.text);
        QString part = QStringLiteral("junk");
        TakeUntilDelimiter(text, QString::fromUtf8(c.delim), part);
        EXPECT_EQ(part, QString::fromUtf8(c.part)) << c.text;
        EXPECT_EQ(text, QString::fromUtf8(c.rest)) << c.text;
    }
}

TEST_F(FxUtilText, ClampToLimits)
{
    struct Case { int value, min, max, expected; };
    const Case cases[] = {
        {5, 0, 0, 5},     {-3, 0, 10, -3}, {15, 20, 10, 10}, {15, 0, 10, 10}, {2, 5, 10, 5},
        {7, 5, 10, 7},    {7, 7, 7, 7},    {100, 3, 3, 100}, {-5, -10, 0, -5}, {3, 5, 0, 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClampToLimits(c.value, c.min, c.max), c.expected) << c.value << " " << c.min << " " << c.max;
}

TEST_F(FxUtilText, CellInGridRectIsInclusive)
{
    struct R { int Left, Top, Right, Bottom; };
    const R r{1, 2, 3, 4};
    EXPECT_TRUE(CellInGridRect(r, 1, 2));
    EXPECT_TRUE(CellInGridRect(r, 3, 4));
    EXPECT_FALSE(CellInGridRect(r, 0, 2));
    EXPECT_FALSE(CellInGridRect(r, 4, 4));
    EXPECT_FALSE(CellInGridRect(r, 2, 5));
}

TEST_F(FxUtilText, ParseRowColRef)
{
    struct Case { const char* text; bool ok; int x, y; };
    const Case cases[] = {
        {"R1C2", true, 2, 1}, {"r10c3", true, 3, 10}, {"R1C", false, 0, 0}, {"RC12", false, 0, 0},
        {"X1C2", false, 0, 0}, {"R1X2", false, 0, 0}, {"R1Ca", false, 0, 0}, {"R$AC1", true, 1, 10},
    };
    for (const Case& c : cases) {
        fw::TPoint p(-7, -7);
        EXPECT_EQ(ParseRowColRef(QString::fromUtf8(c.text), p), c.ok) << c.text;
        if (c.ok)
            EXPECT_EQ(p, fw::TPoint(c.x, c.y)) << c.text;
        else
            EXPECT_EQ(p, fw::TPoint(-7, -7)) << c.text;
    }
}

TEST_F(FxUtilText, CharacterClasses)
{
    Separators(QLatin1Char(','), QLatin1Char('.'));
    struct Case { char16_t c; bool digit, numOrMinus, numOrSep, numText, sci, nameBreak; };
    const Case cases[] = {
        {u'7', true, true, true, true, true, false},
        {u'\u00B2', true, true, true, true, true, false}, // superscript two is a number character
        {u'-', false, true, false, true, true, true},
        {u'+', false, false, false, true, true, false},
        {u'.', false, false, true, true, true, true},
        {u',', false, false, true, false, true, true},
        {u'e', false, false, true, true, true, false},
        {u'E', false, false, true, true, true, false},
        {u' ', false, false, false, false, false, true},
        {u'\'', false, false, false, false, false, true},
        {u'x', false, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        const QChar ch(c.c);
        EXPECT_EQ(CharIsDigit(ch), c.digit) << int(c.c);
        EXPECT_EQ(IsNumberOrMinus(ch), c.numOrMinus) << int(c.c);
        EXPECT_EQ(IsNumberCharOrSeparator(ch), c.numOrSep) << int(c.c);
        EXPECT_EQ(IsNumberTextChar(ch), c.numText) << int(c.c);
        EXPECT_EQ(IsScientificChar(ch), c.sci) << int(c.c);
        EXPECT_EQ(IsNameBreakChar(ch), c.nameBreak) << int(c.c);
    }
}

// ---------------------------------------------------------------- encodings

TEST_F(FxUtilText, TextToTextEncodings)
{
    using Fn = std::function<QString(const QString&)>;
    struct Case { const char* name; Fn fn; QString in, out; };
    const Case cases[] = {
        {"EscapeDoubleQuotes", EscapeDoubleQuotes, QStringLiteral("a\"b\"\""), QStringLiteral("a\"\"b\"\"\"\"")},
        {"Collapse pairs", [](const QString& s) { return CollapseDoubledChar(QLatin1Char('"'), s); },
         QStringLiteral("a\"\"b\"\"\"c"), QStringLiteral("a\"b\"\"c")},
        {"Collapse absent", [](const QString& s) { return CollapseDoubledChar(QLatin1Char('"'), s); },
         QStringLiteral("abc"), QStringLiteral("abc")},
        {"RemoveCarriageReturns", RemoveCarriageReturns, QStringLiteral("a\r\nb\rc"), QStringLiteral("a\nbc")},
        {"CrToLf", CrToLf, QStringLiteral("a\r\nb\rc"), QStringLiteral("a\n\nb\nc")},
        {"CrToHtmlBreak", CrToHtmlBreak, QStringLiteral("a\r\nb"), QStringLiteral("a<br>\nb")},
        {"CrToHtmlBreak no CR", CrToHtmlBreak, QStringLiteral("a\nb"), QStringLiteral("a\nb")},
        {"BackslashNToCr", BackslashNToCr, QStringLiteral("a\\nb\\n"), QStringLiteral("a\rb\r")},
        {"CrToBackslashN", CrToBackslashN, QStringLiteral("a\r\nb\nc"), QStringLiteral("a\\nbc")},
        {"LineBreaksToControlChars", LineBreaksToControlChars, QStringLiteral("a\r\nb") + QChar(0),
         QStringLiteral("a") + QChar(9) + QChar(8) + QStringLiteral("b") + QChar(1)},
        {"LineBreaksToControlChars no CR", LineBreaksToControlChars, QStringLiteral("a\nb") + QChar(0),
         QStringLiteral("a\nb") + QChar(0)},
        {"ControlChars multi", [](const QString& s) { return ControlCharsToLineBreaks(s, true); },
         QStringLiteral("a") + QChar(9) + QChar(8) + QStringLiteral("b") + QChar(1), QStringLiteral("a\r\nb") + QChar(0)},
        {"ControlChars single", [](const QString& s) { return ControlCharsToLineBreaks(s, false); },
         QStringLiteral("a") + QChar(9) + QChar(8) + QStringLiteral("b"), QStringLiteral("a")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.fn(c.in), c.out) << c.name;
}

TEST_F(FxUtilText, InPlaceEncodings)
{
    using Fn = std::function<void(QString&)>;
    struct Case { const char* name; Fn fn; QString in, out; };
    const Case cases[] = {
        {"Quote", QuoteWithVtLineBreaks, QStringLiteral("a\r\nb"), QStringLiteral("\"a") + QChar(11) + QStringLiteral("b\"")},
        {"VtToCrLf", VtToCrLf, QStringLiteral("\"a") + QChar(11) + QStringLiteral("b\""), QStringLiteral("\"a\r\nb\"")},
        {"CrLfToLf", CrLfToLf, QStringLiteral("a\r\nb\rc"), QStringLiteral("a\nb\rc")},
        {"LineBreaksToTilde", LineBreaksToTilde, QStringLiteral("a\r\nb\nc"), QStringLiteral("a~bc")},
        {"TildeToLineBreaks", TildeToLineBreaks, QStringLiteral("a~b"), QStringLiteral("a\r\nb")},
        {"TildeToLineBreaks caret", TildeToLineBreaks, QStringLiteral("^"), QString()},
        {"TildeToLineBreaks caret in text", TildeToLineBreaks, QStringLiteral("^~"), QStringLiteral("^\r\n")},
    };
    for (const Case& c : cases) {
        QString s = c.in;
        c.fn(s);
        EXPECT_EQ(s, c.out) << c.name;
    }
    // The quoting round trip restores the line break inside the quotes.
    QString q = QStringLiteral("x\r\ny");
    QuoteWithVtLineBreaks(q);
    VtToCrLf(q);
    EXPECT_EQ(q, QStringLiteral("\"x\r\ny\""));
}

TEST_F(FxUtilText, FindAndCountUnpairedChar)
{
    struct Case { const char* text; int pos; int count; };
    const Case cases[] = {
        {"ab\"\"c\"d", 6, 2}, // closing quote at 6; then the rest "d"... ends without one
        {"ab\"\"", 4, 1},     // the text ends with the character
        {"abc", 0, 0},
        {"\"", 1, 1},
        {"a\"\"\"b", 4, 1},   // a run of three is odd: its last character
        {"\"\"x\"\"y", 0, 0},
        {"", 0, 0},
    };
    for (const Case& c : cases) {
        int pos = -5;
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(FindUnpairedChar(QLatin1Char('"'), text, pos), c.pos) << c.text;
        EXPECT_EQ(pos, c.pos) << c.text;
    }
    EXPECT_EQ(CountUnpairedChars(QLatin1Char('"'), QStringLiteral("\"a\",\"b\"")), 4);
    EXPECT_EQ(CountUnpairedChars(QLatin1Char('"'), QStringLiteral("\"a\"\"b\"")), 2);
    EXPECT_EQ(CountUnpairedChars(QLatin1Char('"'), QStringLiteral("plain")), 0);
}

TEST_F(FxUtilText, TakeFirstLineAndLineCount)
{
    struct Case { QString in; bool keep; const char* line; QString rest; };
    const Case cases[] = {
        {QStringLiteral("a\r\nb"), true, "a", QStringLiteral("b")},
        {QStringLiteral("a\r\nb"), false, "a", QString()},
        {QStringLiteral("a\rb\r\nc"), true, "a", QStringLiteral("b\r\nc")},
        {QStringLiteral("single"), true, "single", QString()},
        {QStringLiteral("\r\n"), true, "", QString()},
    };
    for (const Case& c : cases) {
        QString s = c.in;
        QString line;
        TakeFirstLine(s, c.keep, line);
        EXPECT_EQ(line, QString::fromUtf8(c.line));
        EXPECT_EQ(s, c.rest);
    }
    EXPECT_EQ(TextLineCount(QStringLiteral("a\r\nb\rc"), true), 3);
    EXPECT_EQ(TextLineCount(QStringLiteral("a\r\nb\rc"), false), 1);
    EXPECT_EQ(TextLineCount(QString(), true), 1);
}

// ---------------------------------------------------------------- kinds and numbers

TEST_F(FxUtilText, CellTextKind)
{
    const QString packedFormula = QStringLiteral("|\\") + QChar(0) + QLatin1Char('=') + QChar(0) + QLatin1Char('1');
    struct Case { QString text; bool html; int kind; };
    const Case cases[] = {
        {QString(), true, 0},
        {QStringLiteral("="), false, 3},
        {QStringLiteral("=SUM(A1)"), false, 3},
        {QStringLiteral("{\\rtf1"), true, 2},
        {QStringLiteral("<b>bold</b>"), true, 1},
        {QStringLiteral("<b>bold</b>"), false, 0},
        {QStringLiteral("<b>bold"), true, 0},
        {QStringLiteral("<B>bold"), true, 1},
        {QStringLiteral("<IMG src>"), true, 1},
        {PackWideText(QStringLiteral("ab")), true, 5},
        {QStringLiteral("|\\"), true, 5},
        {packedFormula, true, 3},
        {PackWideText(QStringLiteral("=")), true, 5}, // a lone packed "=" leaves the appended blank at the fifth place
        {QStringLiteral("plain"), true, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CellTextKind(c.text, c.html), c.kind) << c.text.toStdString();
}

TEST_F(FxUtilText, NumericTextKind)
{
    Separators(QLatin1Char(','), QLatin1Char('.'));
    struct Case { const char* text; int kind; };
    const Case cases[] = {
        {"-12", 0},     {"1,234.5", 1}, {"1,23,456", 2}, {"-1e-5", 5}, {"+5", 2},   {"-", 0},
        {"12-3", 2},    {"e5", 2},      {"5e", 2},       {"1.5e3", 5}, {"", 2},     {"1.2.3", 2},
        {"--5", 2},     {"1e5e5", 2},   {"1,000", 1},    {"abc", 2},   {"1.5", 1},  {"1e+5", 5},
        {"1,000,000", 1}, {"1e,5", 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NumericTextKind(QString::fromUtf8(c.text)), c.kind) << c.text;

    Separators(QLatin1Char('.'), QLatin1Char(','));
    EXPECT_EQ(NumericTextKind(QStringLiteral("1.234,5")), 1);
    EXPECT_EQ(NumericTextKind(QStringLiteral("1,5e3")), 5);
}

TEST_F(FxUtilText, NormalizeNumberText)
{
    struct Case { QChar ts, ds; const char* text; const char* out; };
    const Case cases[] = {
        {QLatin1Char('.'), QLatin1Char(','), "(1.234,5)", "-1234.5"},
        {QLatin1Char(','), QLatin1Char('.'), "$ 1,234.50", "1234.50"},
        {QLatin1Char(','), QLatin1Char('.'), "  -42 ", "-42"},
        {QLatin1Char(','), QLatin1Char('.'), "- 7", "-7"},
        {QLatin1Char(','), QLatin1Char('.'), "12 kg", "12"},
        {QLatin1Char(','), QLatin1Char('.'), "1.5e-3", "1.5e-3"},
        {QLatin1Char(','), QLatin1Char('.'), "", ""},
        {QLatin1Char(','), QLatin1Char('.'), "x", ""},
    };
    for (const Case& c : cases) {
        Separators(c.ts, c.ds);
        EXPECT_EQ(NormalizeNumberText(QString::fromUtf8(c.text)), QString::fromUtf8(c.out)) << c.text;
    }
}

TEST_F(FxUtilText, StripThousandSeparatorsAndColourHex)
{
    Separators(QLatin1Char('.'), QLatin1Char(','));
    EXPECT_EQ(StripThousandSeparators(QStringLiteral("1.234.567,89 EUR")), QStringLiteral("1234567.89 EUR"));
    Separators(QLatin1Char(','), QLatin1Char('.'));
    EXPECT_EQ(StripThousandSeparators(QStringLiteral("1,234.5")), QStringLiteral("1234.5"));

    struct Case { fw::TColor c; const char* hex; };
    const Case cases[] = {
        {fw::clRed, "FF0000"}, {fw::clBlue, "0000FF"}, {0x00123456, "563412"},
        {fw::clBtnFace, "0F0000"}, // system colours are not resolved
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColorToHtmlHex(c.c), QString::fromUtf8(c.hex));
}

// ---------------------------------------------------------------- dates

TEST_F(FxUtilText, LooksLikeDate)
{
    DateFormat(QStringLiteral("dd/mm/yyyy"), QLatin1Char('/'), QLatin1Char(':'));
    struct Case { const char* text; bool yes; };
    const Case cases[] = {
        {"1/2/2000", true}, {"01/02", false}, {"/1/2", false}, {"1//2", false}, {"12/3/", true}, {"abc", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LooksLikeDate(QString::fromUtf8(c.text)), c.yes) << c.text;
}

TEST_F(FxUtilText, ParseDateTimeTextDayMonthYear)
{
    DateFormat(QStringLiteral("dd.mm.yyyy"), QLatin1Char('.'), QLatin1Char(':'));
    struct Case { const char* text; bool ok; int y, m, d, h, n, s; };
    const Case cases[] = {
        {"31.12.2020 23:59:59", true, 2020, 12, 31, 23, 59, 59},
        {"31.12.2020 24:00", false, 0, 0, 0, 0, 0, 0},
        {"10.12.2020 10:30", true, 2020, 12, 10, 10, 30, 0},
        {"31.11.2020", false, 0, 0, 0, 0, 0, 0},
        {"31.12", false, 0, 0, 0, 0, 0, 0},
        {"1.2.99", true, 99, 2, 1, 0, 0, 0}, // years as written
        {"32.1.2020", false, 0, 0, 0, 0, 0, 0},
        {"1.13.2020", false, 0, 0, 0, 0, 0, 0},
        {"1.1.2020 10", false, 0, 0, 0, 0, 0, 0},
        {"1.1.2020 10:60", false, 0, 0, 0, 0, 0, 0},
        {"1.1.2020 10:10:60", false, 0, 0, 0, 0, 0, 0},
        {"a.1.2020", false, 0, 0, 0, 0, 0, 0},
        {"29.2.2021", false, 0, 0, 0, 0, 0, 0},
        {" 5.6.2021  ", true, 2021, 6, 5, 0, 0, 0},
    };
    for (const Case& c : cases) {
        fw::TDateTime v = -1;
        EXPECT_EQ(ParseDateTimeText(QString::fromUtf8(c.text), v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(v, fw::EncodeDate(c.y, c.m, c.d) + fw::EncodeTime(c.h, c.n, c.s, 0)) << c.text;
        }
    }
}

TEST_F(FxUtilText, ParseDateTimeTextFollowsTheFormatOrder)
{
    struct Case { const char* fmt; QChar sep; const char* text; int y, m, d; };
    const Case cases[] = {
        {"m/d/yyyy", QLatin1Char('/'), "12/31/2020", 2020, 12, 31},
        {"yyyy-mm-dd", QLatin1Char('-'), "2020-12-31", 2020, 12, 31},
        {"dd/mm/yyyy", QLatin1Char('/'), "31/12/2020", 2020, 12, 31},
    };
    for (const Case& c : cases) {
        DateFormat(QString::fromUtf8(c.fmt), c.sep, QLatin1Char(':'));
        fw::TDateTime v = 0;
        ASSERT_TRUE(ParseDateTimeText(QString::fromUtf8(c.text), v)) << c.fmt;
        EXPECT_DOUBLE_EQ(v, fw::EncodeDate(c.y, c.m, c.d)) << c.fmt;
    }
}

TEST_F(FxUtilText, ParseMonthDayYearAndDayMonthYear)
{
    struct Case { bool monthFirst; const char* text; int y, m, d; };
    const Case cases[] = {
        {true, "12/31/99", 1999, 12, 31},  {true, "12/31/05", 2005, 12, 31}, {true, "1.2.25", 2025, 1, 2},
        {true, "1-2-26", 1926, 1, 2},      {false, "31/12/99", 1999, 12, 31}, {false, "31.12.2020", 2020, 12, 31},
        {true, "2/29/2000", 2000, 2, 29},
        // Four-digit years stand as written; the century goes only to two-digit years.
        {true, "6/15/1850", 1850, 6, 15}, {false, "15.6.2025", 2025, 6, 15}, {true, "6/15/0125", 125, 6, 15},
    };
    for (const Case& c : cases) {
        const QString t = QString::fromUtf8(c.text);
        const fw::TDateTime v = c.monthFirst ? ParseMonthDayYear(t) : ParseDayMonthYear(t);
        EXPECT_DOUBLE_EQ(v, fw::EncodeDate(c.y, c.m, c.d)) << c.text;
    }
    const char* malformed[] = {"12312020", "12/31", "a/1/2020", "1/b/2020", "1/2/x", ""};
    for (const char* m : malformed) {
        EXPECT_EQ(ParseMonthDayYear(QString::fromUtf8(m)), 0.0) << m;
        EXPECT_EQ(ParseDayMonthYear(QString::fromUtf8(m)), 0.0) << m;
    }
    EXPECT_THROW(ParseMonthDayYear(QStringLiteral("02/30/20")), fw::EConvertError);
    EXPECT_THROW(ParseMonthDayYear(QStringLiteral("2020-12-31")), fw::EConvertError);
    EXPECT_THROW(ParseDayMonthYear(QStringLiteral("31.11.2020")), fw::EConvertError);
}

TEST_F(FxUtilText, ShiftDate)
{
    const fw::TDateTime jan31 = fw::EncodeDate(2020, 1, 31);
    const fw::TDateTime mar15 = fw::EncodeDate(2020, 3, 15);
    struct Case { int y, m, d; fw::TDateTime date; double step; fw::TDateTime expected; };
    const Case cases[] = {
        {0, 0, 3, mar15, 7, mar15 + 3},
        {0, 0, -20, mar15, 7, mar15 - 20},
        {2, 0, 0, mar15, 7, fw::EncodeDate(2022, 3, 15)},
        {0, 1, 0, mar15, 7, fw::EncodeDate(2020, 4, 15)},
        {0, -3, 0, mar15, 7, fw::EncodeDate(2019, 12, 15)},
        {0, 10, 0, mar15, 7, fw::EncodeDate(2021, 1, 15)},
        // Months of any size move whole years as well.
        {0, 25, 0, mar15, 7, fw::EncodeDate(2022, 4, 15)},
        {0, -27, 0, mar15, 7, fw::EncodeDate(2017, 12, 15)},
        {0, -15, 0, mar15, 7, fw::EncodeDate(2018, 12, 15)},
        {1, 1, 0, mar15, 7, mar15 + 7},
        {0, 0, 0, mar15, 2.5, mar15 + 2.5},
        {1, 0, 1, mar15, 7, mar15 + 7},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(ShiftDate(c.y, c.m, c.d, c.date, c.step), c.expected) << c.y << " " << c.m << " " << c.d;
    EXPECT_THROW(ShiftDate(0, 1, 0, jan31, 1), fw::EConvertError);
    EXPECT_THROW(ShiftDate(1, 0, 0, fw::EncodeDate(2020, 2, 29), 1), fw::EConvertError);
}

// ---------------------------------------------------------------- URLs, names, code pages

TEST_F(FxUtilText, UrlRoutines)
{
    EXPECT_TRUE(LooksLikeUrl(QStringLiteral("see http://x.org")));
    EXPECT_TRUE(LooksLikeUrl(QStringLiteral("mailto:a@b.c")));
    EXPECT_FALSE(LooksLikeUrl(QStringLiteral("www.x.org")));
    struct Strip { const char* in; const char* out; };
    const Strip strips[] = {{"http://x.org/a", "x.org/a"}, {"mailto:a@b.c", "a@b.c"}, {"x mailto:a", "a"}, {"plain", "plain"}};
    for (const Strip& s : strips) {
        QString t = QString::fromUtf8(s.in);
        StripUrlScheme(t);
        EXPECT_EQ(t, QString::fromUtf8(s.out));
    }

    struct Case { const char* text; const char* prefix; bool ok; const char* out; };
    const Case cases[] = {
        {"see http://x.org/p?q=1 now", "HTTP://", true,
         "see <a href=\"http://x.org/p\">http://x.org/p</a>?q=1 now"},
        {"<HTTP://A.b/{x}_y>", "HTTP://", true, "&lt;<a href=\"HTTP://A.b/{x}_y\">HTTP://A.b/{x}_y</a>&gt;"},
        {"ftp://a.b", "HTTP://", false, "untouched"},
        {"mail: ftp://user@host:21/a%20b#frag", "FTP://", true,
         "mail: <a href=\"ftp://user@host:21/a%20b\">ftp://user@host:21/a%20b</a>#frag"},
    };
    for (const Case& c : cases) {
        QString out = QStringLiteral("untouched");
        EXPECT_EQ(LinkifyUrl(QString::fromUtf8(c.text), QString::fromUtf8(c.prefix), out), c.ok) << c.text;
        EXPECT_EQ(out, QString::fromUtf8(c.out)) << c.text;
    }
}

TEST_F(FxUtilText, ProperCaseName)
{
    struct Case { const char* in; const char* out; };
    const Case cases[] = {
        {"MCDONALD", "McDonald"},
        {"JOHN SMITH III", "John Smith III"},
        {"john smith ii", "John Smith II"},
        {"ronald mcdonald", "Ronald McDonald"},
        {"o'neil-smith", "O'Neil-Smith"},
        {"ST. JOHN", "St. John"},
        {"ivy mary", "Ivy Mary"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProperCaseName(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST_F(FxUtilText, OemConversionRoundTrips)
{
    const QString original = QStringLiteral("Grüße ÄÖÜ é 100%");
    QString s = original;
    StringToOem(s);
    // The OEM bytes are kept one per character: ü is byte 0x81 in the OEM page.
    EXPECT_EQ(s.size(), original.size());
    EXPECT_EQ(s[2].unicode(), 0x0081);
    EXPECT_EQ(s.mid(12), QStringLiteral("100%"));
    OemToString(s);
    EXPECT_EQ(s, original);
}

TEST_F(FxUtilText, PackedWideText)
{
    const QString wide = QStringLiteral("A") + QChar(0x263A) + QChar(0x00FF) + QChar(0x0100);
    const QString packed = PackWideText(wide);
    EXPECT_EQ(packed, QStringLiteral("|\\") + QChar(0) + QChar('A') + QChar(0x26) + QChar(0x3A) + QChar(0)
                          + QChar(0xFF) + QChar(1) + QChar(0));
    const QString samples[] = {wide, QString(), QStringLiteral("plain"), QStringLiteral("|\\x"), QString(QChar(0xFFFF))};
    for (const QString& w : samples)
        EXPECT_EQ(UnpackWideText(PackWideText(w)), w);
    EXPECT_EQ(UnpackWideText(QStringLiteral("not packed")), QStringLiteral("not packed"));
    EXPECT_EQ(UnpackWideText(QStringLiteral("|\\") + QChar(0) + QChar('A') + QChar(0)), QStringLiteral("A"));
}

// ---------------------------------------------------------------- filter expressions

TEST_F(FxUtilText, FilterHelpers)
{
    EXPECT_EQ(RemoveSpacesOutsideQuotes(QStringLiteral(" a b \"c d\" e ")), QStringLiteral("ab\"c d\"e"));
    struct Paren { const char* text; int pos; };
    const Paren parens[] = {{"(a)", 3}, {"((a)|b)&c", 7}, {"(a", 0}, {"a)", 0}, {"", 0}};
    for (const Paren& p : parens)
        EXPECT_EQ(MatchingParenPos(QString::fromUtf8(p.text)), p.pos) << p.text;

    const TCharSet ops = {QLatin1Char('&'), QLatin1Char('|')};
    int pos = 0;
    EXPECT_EQ(FindCharOutsideQuotes(ops, QStringLiteral("\"a&b\"|c"), pos), QLatin1Char('|'));
    EXPECT_EQ(pos, 6);
    EXPECT_EQ(FindCharOutsideQuotes(ops, QStringLiteral("\"a&b\""), pos), QChar(0));
    EXPECT_EQ(pos, -1);
}

TEST_F(FxUtilText, MatchFilterTerm)
{
    Separators(QLatin1Char(','), QLatin1Char('.'));
    DateFormat(QStringLiteral("dd.mm.yyyy"), QLatin1Char('.'), QLatin1Char(':'));
    struct Case { const char* pattern; const char* cell; bool match; };
    const Case cases[] = {
        {"abc", "abc", true},      {"abc", "abcd", false},   {"a*", "apple", true},    {"a*", "banana", false},
        {"*an*", "banana", true},  {"?pple", "apple", true}, {"?", "", false},         {"*", "", true},
        {"", "", true},            {"", "x", false},         {"!*x*", "abc", true},    {"!*x*", "axc", false},
        {"!a", "b", true},         {"\"a b\"", "a b", true}, {">5", "10", true},       {">5", "3", false},
        {">=5", "5", true},        {"<5", "3", true},        {"<=5", "6", false},      {">1,000", "1,500", true},
        {">01.02.2020", "15.03.2020", true},                 {">01.02.2020", "15.01.2020", false},
        {">b", "c", true},         {"<b", "a", true},        {"*.txt", "a.b.txt", true}, {"a*b*c", "aXbYc", true},
        {"a*b*c", "aXbY", false},
        // Both comparisons in one term: "&" needs both, "^" either.
        {">=10&<20", "15", true},  {">=10&<20", "25", false}, {">20^<10", "25", true}, {">20^<10", "15", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchFilterTerm(QString::fromUtf8(c.pattern), QString::fromUtf8(c.cell)), c.match)
            << c.pattern << " ~ " << c.cell;
}

TEST_F(FxUtilText, MatchFilterExpression)
{
    Separators(QLatin1Char(','), QLatin1Char('.'));
    DateFormat(QStringLiteral("dd.mm.yyyy"), QLatin1Char('.'), QLatin1Char(':'));
    struct Case { const char* cond; const char* cell; bool cs; bool match; };
    const Case cases[] = {
        {"=a*|b", "apple", true, true},     {"=a*|b", "b", true, true},       {"=a*|b", "c", true, false},
        {">=10&<20", "10", true, true},     {">=10&<20", "19.5", true, true}, {">=10&<20", "20", true, false},
        {">=10&<20", "9", true, false},     {"!*x*", "abc", true, true},      {"!*x*", "xyz", true, false},
        {">01.02.2020", "02.02.2020", true, true},
        {"", "", true, true},               {"", "a", true, false},           {"  = a b ", "ab", true, true},
        {"A*", "apple", false, true},       {"A*", "apple", true, false},
        // No precedence: a|b&c is (a or b) and c.
        {"a|b&c", "a", true, false},        {"c|a&a", "c", true, false},      {"a;b", "b", true, true},
        {"a^b", "b", true, true},
        {"(a|b)&*", "a", true, true},       {"(a|b)&c", "a", true, false},    {"c&(a|b)", "a", true, false},
        {"\"a|b\"", "a|b", true, true},     {"(a", "a", true, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchFilterExpression(QString::fromUtf8(c.cond), QString::fromUtf8(c.cell), c.cs), c.match)
            << c.cond << " ~ " << c.cell;
}

TEST_F(FxUtilText, WildcardStarsStayFastOnLongTexts)
{
    // Without remembering tried positions this takes exponential time.
    const QString cell = QString(40, QLatin1Char('a')) + QLatin1Char('b');
    const QString pattern = QStringLiteral("*a*a*a*a*a*a*a*a*a*a*c");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(MatchFilterTerm(pattern, cell));
    EXPECT_TRUE(MatchFilterTerm(QStringLiteral("*a*a*a*a*a*a*a*a*a*a*b"), cell));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 2000);
}

} // namespace
