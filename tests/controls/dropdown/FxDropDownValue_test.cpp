#include "controls/dropdown/FxDropDownValue.h"

#include "support/ScopedSettings.h"

#include <gtest/gtest.h>

using namespace fw;
using namespace FxDropDown;

namespace {

// Decimal comma and thousand full stop, as in the examples of the value rules.
class CommaLocale : public ::testing::Test {
protected:
    void SetUp() override
    {
        FormatSettings().DecimalSeparator = QLatin1Char(',');
        FormatSettings().ThousandSeparator = QLatin1Char('.');
    }
    testsupport::FormatSettingsGuard guard;
};

// A model edit of the given type showing `display` with the caret at `caret`.
struct TSetup {
    TDropDownEditType type = etString;
    int precision = 0;
    const char* display = "";
    int caret = -1;   // -1: at the end
    bool isSigned = false;
    int lengthLimit = 0;
    const char* prefix = "";
    const char* suffix = "";
};

void prepare(TEditModel& m, const TSetup& s)
{
    m.Value.SetEditType(s.type);
    m.Value.SetPrecision(s.precision);
    m.Value.SetSigned(s.isSigned);
    m.Value.SetLengthLimit(s.lengthLimit);
    m.Value.SetPrefix(QString::fromUtf8(s.prefix));
    m.Value.SetSuffix(QString::fromUtf8(s.suffix));
    m.State.Text = QString::fromUtf8(s.display);
    const int caret = s.caret < 0 ? int(m.State.Text.size()) : s.caret;
    m.State.SetSel(caret, caret);
    m.Changes = 0;
}

using Routines = CommaLocale;

TEST_F(Routines, ClassifyNumberText)
{
    struct TCase {
        const char* text;
        int kind;
    };
    const TCase cases[] = {
        {"", 2},      {"-", 0},      {"12", 0},    {"1.234,5", 1}, {"1.23.4", 1}, {"1.2.34", 2}, {".5", 2},
        {"ABC", 5},   {"1-2-3", 2},  {"1,2,3", 2}, {"1f", 5},      {"-12", 0},    {"12a", 5},    {"1 2", 2},
        {"1.234.567", 1},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ClassifyNumberText(QString::fromUtf8(c.text)), c.kind) << c.text;
}

TEST_F(Routines, NumberAndHexConversions)
{
    const std::pair<const char*, std::int32_t> hex[] = {
        {"", 0}, {"1f", 31}, {"FF", 255}, {"ffffffff", -1}, {"100000000", 0}, {"12x", 288},
    };
    for (const auto& [text, value] : hex)
        EXPECT_EQ(HexTextToInt(QString::fromUtf8(text)), value) << text;
    const std::pair<const char*, double> numbers[] = {
        {"1.234,5", 1234.5}, {"-12,25", -12.25}, {"12x", 0}, {"", 0}, {"1,2,3", 0},
    };
    for (const auto& [text, value] : numbers)
        EXPECT_DOUBLE_EQ(ParseNumberText(QString::fromUtf8(text)), value) << text;
    EXPECT_EQ(HexDigitValue(QLatin1Char('g')), 0);
    EXPECT_EQ(HexDigitValue(QLatin1Char('b')), 11);
    EXPECT_EQ(FxDropDown::StripThousandSeparators("1.234.567,5"), "1234567,5");
    EXPECT_TRUE(IsRangeSeparator(QLatin1Char(';')));
    EXPECT_FALSE(IsRangeSeparator(QLatin1Char('.')));
}

TEST_F(Routines, ThousandSeparatorDistanceEndsOnEveryInput)
{
    TEditModel m;
    struct TCase {
        const char* text;
        int caret;
        bool refused;
    };
    const TCase cases[] = {
        {"1234", 2, false},       // no separator yet: anywhere
        {"1.234", 5, false},      // three positions after the last one
        {"1.234", 4, true},
        {"1.234", 1, true},
        {"1.234.567", 9, false},
        {"1.234.567", 6, true},
        {"1234.5", 0, true},      // a separator far right of the caret
        {"1234.5", 1, true},
        {"12.3.4.5.6.7", 0, false},   // the nearest is exactly three away
    };
    for (const TCase& c : cases)
        EXPECT_EQ(m.Value.IsNearThousandSeparator(QString::fromUtf8(c.text), c.caret), c.refused)
            << c.text << " at " << c.caret;
    // Every caret of every text of separators only and digits ends.
    for (const char* text : {".", "..", "1.", ".1.", "....1....", "1.2.3"})
        for (int caret = -3; caret <= int(strlen(text)) + 3; ++caret)
            (void)m.Value.IsNearThousandSeparator(QString::fromUtf8(text), caret);
}

using Typing = CommaLocale;

TEST_F(Typing, CharactersPerValueType)
{
    struct TCase {
        const char* name;
        TSetup setup;
        const char* typed;
        const char* display;
        int caret;
    };
    const TCase cases[] = {
        {"float: the full fraction refuses a third decimal", {etFloat, 2}, "1,579", "1,57", 4},
        {"float: a full fraction is overwritten before its end", {etFloat, 2, "1,57", 2}, "8", "1,87", 3},
        {"float: no decimal separator without precision", {etFloat, 0}, "12,5", "125", 3},
        {"float: a second separator jumps behind the first", {etFloat, 2, "12,5", 0}, ",", "12,5", 3},
        {"float: a separator first gives a leading zero", {etFloat, 2}, ",5", "0,5", 3},
        {"float: letters refused", {etFloat, 2}, "1a2", "12", 2},
        {"float: length limit 3 on the integer digits", {etFloat, 2, "", -1, false, 3}, "1234,56", "123,56", 6},
        {"money: grouped while typing", {etMoney, 2}, "1234567", "1.234.567", 9},
        {"money: a fraction keeps its grouping", {etMoney, 2}, "12345,6", "12.345,6", 8},
        {"numeric: minus refused unsigned", {etNumeric, 0, "42", 1}, "-", "42", 1},
        {"numeric: minus toggles the sign", {etNumeric, 0, "42", 1, true}, "-", "-42", 2},
        {"numeric: minus twice", {etNumeric, 0, "42", 1, true}, "--", "42", 1},
        {"numeric: only digits", {etNumeric, 0}, "1x2.3", "123", 3},
        {"range: separators between numbers", {etRange}, "1-5,7;9", "1-5,7;9", 7},
        {"range: no separator after a separator", {etRange}, "1-,5", "1-5", 3},
        {"range: no separator first", {etRange}, ";1", "1", 1},
        {"hex: digits and A-F", {etHex}, "1fzG-", "1f-", 3},
        {"upper case", {etUppercase}, "abc", "ABC", 3},
        {"lower case", {etLowerCase}, "ABc", "abc", 3},
        {"mixed case", {etMixedCase}, "john smith", "John Smith", 10},
        {"alphanumeric", {etAlphaNumeric}, "a1-b_", "a1b", 3},
        {"prefix: Backspace stops at the prefix", {etString, 0, "$ ab", 2, false, 0, "$ "}, "\b", "$ ab", 2},
    };
    for (const TCase& c : cases) {
        TEditModel m;
        prepare(m, c.setup);
        m.TypeText(QString::fromUtf8(c.typed));
        EXPECT_EQ(m.State.Text, QString::fromUtf8(c.display)) << c.name;
        EXPECT_EQ(m.State.Caret, c.caret) << c.name;
    }
}

TEST_F(Typing, ValidCharsAndKeypadSeparator)
{
    TEditModel m;
    prepare(m, {etValidChars});
    m.Value.SetValidChars("abc");
    m.TypeText("abcz\b");
    EXPECT_EQ(m.State.Text, "ab") << "Backspace always works";

    TEditModel excel;
    prepare(excel, {etFloat, 2});
    excel.Value.SetExcelStyleDecimalSeparator(true);
    excel.TypeText("3");
    excel.Type(QLatin1Char('.'), TCharContext{false, true});
    excel.TypeText("5");
    EXPECT_EQ(excel.State.Text, "3,5") << "the keypad's decimal key types the locale separator";

    TEditModel plain;
    prepare(plain, {etFloat, 2});
    plain.TypeText("3");
    plain.Type(QLatin1Char('.'), TCharContext{false, true});
    plain.TypeText("5");
    EXPECT_EQ(plain.State.Text, "3.5") << "without the switch it is the thousand separator";
}

TEST_F(Typing, MoneyWholeValueAndFocusLoss)
{
    TEditModel m;
    prepare(m, {etMoney, 2, "1.234,50"});
    m.Value.SelectAll();
    m.Type(QLatin1Char(','));
    EXPECT_EQ(m.State.Text, "0,00");
    EXPECT_EQ(m.State.Caret, 2) << "just after the separator";

    TEditModel typed;
    prepare(typed, {etMoney, 2});
    typed.TypeText("1234567");
    typed.Value.FocusLost();
    EXPECT_EQ(typed.State.Text, "1.234.567,00");
    EXPECT_TRUE(typed.Value.Modified()) << "the reformatting keeps the modified state";
}

TEST_F(Typing, FocusLossFillsEmptyNumbers)
{
    struct TCase {
        TDropDownEditType type;
        int precision;
        bool allowNull;
        const char* display;
    };
    const TCase cases[] = {
        {etNumeric, 0, false, "0"}, {etNumeric, 0, true, ""},   {etFloat, 2, false, "0,00"},
        {etFloat, 2, true, ""},     {etMoney, 2, false, "0,00"}, {etString, 0, false, ""},
    };
    for (const TCase& c : cases) {
        TEditModel m;
        prepare(m, {c.type, c.precision});
        m.Value.SetAllowNumericNullValue(c.allowNull);
        m.Value.FocusLost();
        EXPECT_EQ(m.State.Text, QString::fromUtf8(c.display)) << c.type << " allow " << c.allowNull;
    }
}

TEST_F(Typing, ChangeNotificationsOverAFullySelectedValue)
{
    TEditModel m;
    prepare(m, {etString, 0, "hello"});
    m.Value.SelectAll();
    m.Type(QLatin1Char('x'));
    EXPECT_EQ(m.State.Text, "x");
    EXPECT_EQ(m.Changes, 0) << "typing over the whole value raises no change";
    m.Type(QLatin1Char('y'));
    EXPECT_EQ(m.Changes, 1);

    m.Value.SelectAll();
    m.Type(QChar(8));
    EXPECT_EQ(m.State.Text, "");
    EXPECT_EQ(m.Changes, 2) << "clearing the whole value with Backspace raises exactly one";

    // A key that changes nothing over the whole value leaves no pending block.
    prepare(m, {etString, 0, "abc"});
    m.Value.SelectAll();
    m.Type(QChar(13));
    m.Value.SetText("other");
    EXPECT_EQ(m.Changes, 1) << "the next genuine change is reported";
}

TEST_F(Typing, ModifiedFlag)
{
    TEditModel m;
    prepare(m, {etString});
    m.TypeText("ab");
    EXPECT_TRUE(m.Value.Modified());
    m.Value.SetText("x");
    EXPECT_FALSE(m.Value.Modified()) << "the formatted setter clears it";
    m.Type(QChar(27));
    EXPECT_FALSE(m.Value.Modified()) << "Escape is no typing";

    TEditModel mixed;
    prepare(mixed, {etMixedCase});
    mixed.TypeText("ab");
    EXPECT_TRUE(mixed.Value.Modified()) << "proper-casing the text keeps the typing's modified state";

    TEditModel readOnly;
    prepare(readOnly, {etString});
    readOnly.AllowModified = false;
    readOnly.Value.SetModified(true);
    EXPECT_FALSE(readOnly.Value.Modified());
}

TEST_F(Typing, EnterAndEscapeAsCommandsForTheParent)
{
    struct TCase {
        bool defaultHandling;
        bool hasParent;
        bool keyPreview;
        QChar ch;
        bool enterDown, enterUp, escape;
    };
    const TCase cases[] = {
        {true, true, false, QChar(13), false, false, false},
        {false, true, false, QChar(13), true, true, false},
        {false, true, true, QChar(13), true, false, false},
        {false, false, false, QChar(13), false, false, false},
        {false, true, false, QChar(27), false, false, true},
        {false, true, true, QChar(27), false, false, false},
    };
    for (const TCase& c : cases) {
        TEditModel m;
        prepare(m, {etString, 0, "v"});
        m.Value.SetDefaultHandling(c.defaultHandling);
        const TCharOutcome out = m.Value.FilterChar(c.ch, TCharContext{false, false, c.hasParent, c.keyPreview});
        EXPECT_EQ(out.EnterToOnKeyPress, c.ch.unicode() == 13);
        EXPECT_EQ(out.PostEnterDown, c.enterDown) << c.defaultHandling << c.hasParent << c.keyPreview;
        EXPECT_EQ(out.PostEnterUp, c.enterUp) << c.defaultHandling << c.hasParent << c.keyPreview;
        EXPECT_EQ(out.PostEscape, c.escape) << c.defaultHandling << c.hasParent << c.keyPreview;
        EXPECT_EQ(m.State.Text, "v");
    }
}

TEST_F(Typing, PrefixAndSuffixKeepTheCaretOnTheValue)
{
    // "$ " + "123" + " EUR": the value runs from 2 to 5.
    struct TCase {
        int caret;
        int key;
        TShiftState shift;
        int anchorAfter, caretAfter;
    };
    const TCase cases[] = {
        {0, VK_END, {}, 5, 5},       {8, VK_HOME, {}, 2, 2},      {2, VK_LEFT, {}, 2, 2},
        {5, VK_RIGHT, {}, 5, 5},     {3, VK_LEFT, {}, 2, 2},      {3, VK_END, ssShift, 3, 5},
        {4, VK_HOME, ssShift, 5, 2}, {5, VK_DELETE, {}, 5, 5},
    };
    for (const TCase& c : cases) {
        TEditModel m;
        prepare(m, {etString, 0, "$ 123 EUR", c.caret, false, 0, "$ ", " EUR"});
        m.KeyDown(c.key, c.shift);
        EXPECT_EQ(m.State.Text, "$ 123 EUR") << c.key;
        EXPECT_EQ(m.State.Anchor, c.anchorAfter) << "key " << c.key << " at " << c.caret;
        EXPECT_EQ(m.State.Caret, c.caretAfter) << "key " << c.key << " at " << c.caret;
    }
    TEditModel click;
    prepare(click, {etString, 0, "$ 123 EUR", 7, false, 0, "$ ", " EUR"});
    click.Value.ClampSelectionToValue();
    EXPECT_EQ(click.State.Caret, 5) << "a click inside the suffix";
    click.State.SetSel(0, 0);
    click.Value.ClampSelectionToValue();
    EXPECT_EQ(click.State.SelStart(), 2) << "a click inside the prefix selects the value";
    EXPECT_EQ(click.State.SelLength(), 3);
    click.State.SetSel(3, 9);
    click.Value.ClampSelectionToValue();
    EXPECT_EQ(click.State.SelEnd(), 5) << "a selection ends where the suffix starts";
}

TEST_F(Typing, DeletingInMoneyRegroups)
{
    TEditModel m;
    prepare(m, {etMoney, 2, "1.234.567", 0});
    m.KeyDown(VK_DELETE);
    EXPECT_EQ(m.State.Text, "234.567");
}

using Values = CommaLocale;

TEST_F(Values, FormattedSetterAndNumberValues)
{
    struct TCase {
        TDropDownEditType type;
        int precision;
        const char* text;
        const char* display;
        double number;
    };
    const TCase cases[] = {
        {etNumeric, 0, "", "0", 0},           {etFloat, 2, "3", "3,00", 3},       {etFloat, 2, "1.234,567", "1234,57", 1234.57},
        {etMoney, 2, "1234567,5", "1.234.567,50", 1234567.5}, {etHex, 0, "1f", "1F", 31}, {etHex, 0, "", "0", 0},
        {etFloat, 2, "Error", "Error", 0},   {etString, 2, "2.5 kg", "2.5 kg", 2.5}, {etString, 0, "", "", 0},
        {etUppercase, 0, "x1", "x1", 0},
    };
    for (const TCase& c : cases) {
        TEditModel m;
        prepare(m, {c.type, c.precision});
        m.Value.SetText(QString::fromUtf8(c.text));
        EXPECT_EQ(m.State.Text, QString::fromUtf8(c.display)) << c.text;
        EXPECT_EQ(m.Value.OldText(), QString::fromUtf8(c.display)) << c.text;
        EXPECT_NEAR(m.Value.GetFloatValue(), c.number, 1e-9) << c.text;
    }

    TEditModel hex;
    prepare(hex, {etHex});
    hex.Value.SetIntValue(255);
    EXPECT_EQ(hex.State.Text, "FF");
    hex.Value.SetFloatValue(-1.9);
    EXPECT_EQ(hex.State.Text, "FFFFFFFFFFFFFFFF") << "64 bits, truncated";

    TEditModel numeric;
    prepare(numeric, {etNumeric});
    numeric.Value.SetFloatValue(1234567);
    EXPECT_EQ(numeric.State.Text, "1.234.567") << "numbers are grouped";
    numeric.Value.SetPrecision(-1);
    EXPECT_EQ(numeric.Value.Precision(), 0) << "precision only for string, float and money";

    TEditModel withPrefix;
    prepare(withPrefix, {etFloat, 2, "", -1, false, 0, "EUR ", " net"});
    withPrefix.Value.SetText("12,5");
    EXPECT_EQ(withPrefix.State.Text, "EUR 12,50 net");
    EXPECT_EQ(withPrefix.Value.Value(), "12,50");
    withPrefix.Value.SelectAll();
    EXPECT_EQ(withPrefix.Value.SelectedValueText(), "12,50");
    withPrefix.Value.SelectBeforeDecimal();
    EXPECT_EQ(withPrefix.State.Caret, 6);
    withPrefix.Value.SelectAfterDecimal();
    EXPECT_EQ(withPrefix.State.Caret, 7);
}

TEST_F(Values, TypeAndPrecisionChangesRewriteTheValue)
{
    TEditModel m;
    prepare(m, {etString, 0, "abc"});
    m.Value.SetEditType(etNumeric);
    EXPECT_EQ(m.State.Text, "0");

    prepare(m, {etFloat, 0, "1,5"});
    m.Value.SetPrecision(2);
    EXPECT_EQ(m.State.Text, "1,50");
    m.Value.SetPrecision(3);
    EXPECT_EQ(m.State.Text, "1,500");

    prepare(m, {etString, 0, "ff"});
    m.Value.SetEditType(etHex);
    EXPECT_EQ(m.State.Text, "ff") << "hexadecimal-like text fits";
    m.Value.SetEditType(etPassword);
    EXPECT_FALSE(m.Value.CanUndo());
}

TEST_F(Values, Paste)
{
    struct TCase {
        const char* name;
        TSetup setup;
        int anchor;
        const char* clip;
        const char* display;
        int selStart, selLength;
    };
    const TCase cases[] = {
        {"string inserts at the caret", {etString, 0, "abef", 2}, 2, "cd", "abcdef", 4, 0},
        {"string replaces the selection and selects it", {etString, 0, "abXXef", 4}, 2, "cd", "abcdef", 2, 2},
        {"letters into a number: unchanged, caret behind", {etNumeric, 0, "12", 1}, 1, "ab", "12", 2, 0},
        {"digits into a number", {etNumeric, 0, "12", 1}, 1, "34", "1342", 3, 0},
        {"minus refused unsigned", {etNumeric, 0, "12", 0}, 0, "-", "12", 1, 0},
        {"float is reformatted", {etFloat, 2, "", 0}, 0, "12,5", "12,50", 4, 0},
        {"decimals refused without precision", {etFloat, 0, "1", 1}, 1, ",5", "1", 1, 0},
        {"upper case", {etUppercase, 0, "", 0}, 0, "abc", "ABC", 3, 0},
        {"hex is never pasted", {etHex, 0, "1", 1}, 1, "F", "1", 1, 0},
        {"money selects its value", {etMoney, 2, "1,00", 0}, 0, "1234", "12.341,00", 0, 9},
    };
    for (const TCase& c : cases) {
        TEditModel m;
        prepare(m, c.setup);
        m.State.Anchor = c.anchor;
        m.Value.Paste(QString::fromUtf8(c.clip), 0, {});
        EXPECT_EQ(m.State.Text, QString::fromUtf8(c.display)) << c.name;
        EXPECT_EQ(m.State.SelStart(), c.selStart) << c.name;
        EXPECT_EQ(m.State.SelLength(), c.selLength) << c.name;
    }

    TEditModel vetoed;
    prepare(vetoed, {etString, 0, "ab"});
    QString offered;
    vetoed.Value.Paste("cd", 0, [&](const QString& value, bool& allow) {
        offered = value;
        allow = false;
    });
    EXPECT_EQ(offered, "abcd");
    EXPECT_EQ(vetoed.State.Text, "ab");

    TEditModel limited;
    prepare(limited, {etString, 0, "abc"});
    limited.Value.Paste("de", 4, {});
    EXPECT_EQ(limited.State.Text, "abc") << "beyond the edit's length limit nothing is pasted";
}

} // namespace
