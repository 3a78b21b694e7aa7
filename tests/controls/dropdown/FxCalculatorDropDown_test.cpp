#include "controls/dropdown/FxCalculatorDropDown.h"

#include "controls/dropdown/FxDropDownForm.h"
#include "framework/Screen.h"
#include "framework/TickSource.h"
#include "grid/foundation/FxUtilText.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

using namespace fw;

// Readable failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// A calculator over a widget-free display with two decimals. Keys: digits,
// + - * / = % and ".", n (+/-), B (Back), C, M (MC), R (MR), S (MS),
// A (M+), q (sqrt), r (1/x).
struct Calc {
    TEditModel edit;
    TCalculatorEngine engine{edit.Value, [this](const QString& s) { edit.SetDisplayText(s); }};
    explicit Calc(int precision = 2)
    {
        edit.Value.SetEditType(etFloat);
        edit.Value.SetPrecision(precision);
    }
    QString display() const { return edit.Value.Value(); }
    void press(const char* keys)
    {
        for (const char* k = keys; *k; ++k) {
            if (*k >= '0' && *k <= '9') {
                engine.Key(*k - '0');
                continue;
            }
            static const std::pair<char, int> tags[] = {
                {'+', 10}, {'-', 11}, {'*', 12}, {'/', 13}, {'n', 14}, {'.', 15}, {'C', 16}, {'=', 17}, {'%', 18},
                {'B', 31}, {'M', 33}, {'R', 34}, {'S', 35}, {'A', 36}, {'q', 37}, {'r', 38}};
            for (auto [c, tag] : tags)
                if (c == *k)
                    engine.Key(tag);
        }
    }
};

} // namespace

TEST(CalculatorEngine, KeySequencesShowTheExpectedDisplay)
{
    struct Row {
        const char* keys;
        const char* display;
    } rows[] = {
        {"1", "1.00"},
        {"12", "12.00"},
        {"123", "123.00"},
        {"123.4", "123.40"},
        {"123.45", "123.45"},
        {"123.456", "123.46"},
        {"2+3*4=", "20.00"},         // left to right
        {"200+10%", "20.00"},
        {"200+10%=", "220.00"},
        {"200+C10%", "0.00"},        // C clears the accumulator
        {"5/0=", "Error"},
        {"5/0=7", "7.00"},           // a digit after Error starts anew
        {"5/0=+", "0.00"},           // an operator reads Error as 0
        {"7n3", "-73.00"},
        {"9q", "3.00"},
        {"4nq", "Error"},
        {"0r", "Error"},
        {"4r", "0.25"},
        {"123.45B", "123.40"},
        {"5+B", "5.00"},             // Back does nothing with an operator pending
        {"12SCR", "12.00"},
        {"12SMR", "0.00"},
        {"12S3AR", "135.00"},        // MS does not end the entry: 3 makes 123
        {"8-3-", "5.00"},
        {"8-3-1=", "4.00"},
        {"2*=", "4.00"},             // "=" repeats the shown operand
    };
    for (const Row& r : rows) {
        Calc c;
        c.press(r.keys);
        EXPECT_EQ(c.display(), QString::fromLatin1(r.display)) << r.keys;
    }
}

TEST(CalculatorEngine, PrecisionZeroRoundsEnteredDecimals)
{
    Calc c(0);
    c.press("12");
    EXPECT_EQ(c.display(), "12");
    c.press(".6");
    EXPECT_EQ(c.display(), "13") << "12.6 shown to the nearest whole number";
}

TEST(CalculatorEngine, ResultWithoutOperatorRoundsIntoTheAccumulator)
{
    Calc c;
    c.edit.SetDisplayText("12.345");
    c.engine.CalcEquals();
    EXPECT_EQ(c.display(), "12.35");
    EXPECT_DOUBLE_EQ(c.engine.Accumulator(), 12.35);
    c.press("+1=");
    EXPECT_EQ(c.display(), "13.35");
}

TEST(CalculatorEngine, OverflowShowsErrorInsteadOfAnInfiniteNumber)
{
    Calc c;
    c.edit.Value.SetFloatValue(1e300);
    c.press("*");
    c.edit.Value.SetFloatValue(1e300);
    c.press("=");
    EXPECT_EQ(c.display(), "Error");
    EXPECT_EQ(c.engine.Accumulator(), 0);
    c.press("2+3=");
    EXPECT_EQ(c.display(), "5.00") << "the calculator works on after the error";

    Calc m;
    m.edit.Value.SetFloatValue(1e308);
    m.press("SA");
    m.press("R");
    EXPECT_NE(m.display(), "inf");
    EXPECT_DOUBLE_EQ(m.engine.Memory(), 1e308) << "an overflowing M+ keeps the memory";
}

TEST(CalculatorEngine, DisplayThatIsNoNumberLeavesOperatorsAndMemoryAlone)
{
    Calc c;
    c.press("7S+9+");
    c.edit.SetDisplayText("-");
    for (const char* keys : {"+", "*", "=", "%", "S", "A"}) {
        c.press(keys);
        EXPECT_EQ(c.display(), "-") << keys;
    }
    EXPECT_EQ(c.engine.PendingOperator(), TCalculatorEngine::opAdd);
    EXPECT_DOUBLE_EQ(c.engine.Accumulator(), 16);
    EXPECT_DOUBLE_EQ(c.engine.Memory(), 7);
    c.press("n5=");
    EXPECT_EQ(c.display(), "21.00") << "the sign key turned \"-\" back into a number entry";
}

TEST(CalculatorEngine, FullDisplayTakesNoMoreDigits)
{
    Calc c;
    c.press("1");
    EXPECT_FALSE(c.engine.Key(2, 4)) << "1.00 already has four characters";
    EXPECT_FALSE(c.engine.Key(TCalculatorEngine::kSign, 4));
    EXPECT_EQ(c.display(), "1.00");
    EXPECT_TRUE(c.engine.Key(TCalculatorEngine::kAdd, 4)) << "operators still work";
}

TEST(CalculatorKeypad, LayoutOfA228By150Panel)
{
    const auto keys = FxCalculator::ArrangeKeys(TRect(8, 8, 220, 142));
    struct Row {
        int index, left, top, width;
    } rows[] = {
        {0, 8, 8, 34},    {1, 46, 8, 54},   {2, 104, 8, 54},  {3, 162, 8, 55},  {4, 8, 38, 34},
        {7, 8, 113, 34},  {11, 46, 38, 34}, {12, 79, 38, 34}, {19, 112, 38, 34}, {20, 150, 38, 34},
        {27, 183, 38, 34}, {8, 46, 113, 34}, {16, 112, 113, 34}, {10, 46, 63, 34}, {9, 46, 88, 34},
        {24, 183, 113, 34},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(keys[r.index].Left, r.left) << r.index;
        EXPECT_EQ(keys[r.index].Top, r.top) << r.index;
        EXPECT_EQ(keys[r.index].Width(), r.width) << r.index;
        EXPECT_EQ(keys[r.index].Height(), 26) << r.index;
    }
    EXPECT_EQ(keys[3].Right, 217) << "the top row ends flush with the last column";

    TCustomButtonPanel panel;
    panel.resize(228, 150);
    panel.CreateDefaultButtons();
    EXPECT_EQ(panel.Buttons().Count(), 28);
    EXPECT_EQ(panel.Buttons().Items(11)->Rect().Left, 46);
    // x = 78 lies in both "7" (11) and "8" (12): the lower index wins.
    EXPECT_EQ(panel.ButtonAtPos(QPoint(78, 40)), 11);
    EXPECT_EQ(panel.ButtonAtPos(QPoint(79 + 33, 40)), 12);
    EXPECT_EQ(panel.ButtonAtPos(QPoint(44, 40)), -1) << "the gap between memory and digits";
}

namespace {

class CalculatorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(400, 300);
        calc = new TFxCalculatorDropdown(&window);
        calc->SetBounds(20, 30, 160, 21);
        window.show();
        window.activateWindow();
        QApplication::processEvents();
        calc->setFocus();
    }
    void TearDown() override { delete calc; }
    void click(const char* caption)
    {
        TCustomButtonPanel* p = calc->ButtonPanel();
        for (int i = 0; i < p->Buttons().Count(); ++i)
            if (p->Buttons().Items(i)->Caption() == QLatin1String(caption)) {
                const TRect r = p->Buttons().Items(i)->Rect();
                QTest::mouseClick(p, Qt::LeftButton, {}, QPoint(r.Left + r.Width() / 2, r.Top + r.Height() / 2));
                return;
            }
        ADD_FAILURE() << "no key " << caption;
    }
    QWidget* popupKeys() const
    {
        QWidget* f = QApplication::focusWidget();
        return f && calc->DropDownForm()->isAncestorOf(f) ? f : calc->DropDownForm();
    }

    TScopedMonitors monitors{{{TRect(0, 0, 1024, 768), TRect(0, 0, 1024, 740)}}};
    TManualTickSource clock{10000};
    TScopedTickSource scope{clock};
    QWidget window;
    TFxCalculatorDropdown* calc = nullptr;
};

} // namespace

TEST_F(CalculatorTest, NewControlShowsZeroWithTwoDecimalsAndA230WidePopup)
{
    EXPECT_EQ(calc->Text(), "0.00");
    EXPECT_FALSE(calc->Modified());
    calc->ShowDropDown();
    QApplication::processEvents();
    ASSERT_TRUE(calc->DroppedDown());
    EXPECT_EQ(calc->DropDownForm()->width(), 230);
    EXPECT_EQ(calc->ButtonPanel()->height(), 150);
    EXPECT_EQ(calc->ButtonPanel()->Buttons().Count(), 28);
}

TEST_F(CalculatorTest, ClickedKeysComputeIntoTheEditAndEnterKeepsTheResult)
{
    calc->ShowDropDown();
    QApplication::processEvents();
    for (const char* k : {"2", "+", "3", "*", "4", "="})
        click(k);
    EXPECT_EQ(calc->Text(), "20.00");
    EXPECT_TRUE(calc->Modified());
    QTest::keyClick(popupKeys(), Qt::Key_Return);
    EXPECT_FALSE(calc->DroppedDown() && calc->DropDownForm()->isVisible());
    EXPECT_EQ(calc->Text(), "20.00");
    EXPECT_DOUBLE_EQ(calc->NumberValue(), 20);
}

TEST_F(CalculatorTest, EscapeRestoresTheTextFromBeforeTheDropDown)
{
    calc->SetText("7");
    calc->ShowDropDown();
    QApplication::processEvents();
    for (const char* k : {"9", "*", "9", "="})
        click(k);
    EXPECT_EQ(calc->Text(), "81.00");
    QTest::keyClick(popupKeys(), Qt::Key_Escape);
    EXPECT_EQ(calc->Text(), "7.00");
}

TEST_F(CalculatorTest, KeysTypedInThePopupAndInTheClosedEdit)
{
    calc->ShowDropDown();
    QApplication::processEvents();
    QTest::keyClicks(popupKeys(), "6*7=");
    EXPECT_EQ(calc->Text(), "42.00");
    QTest::keyClick(popupKeys(), Qt::Key_Backspace);
    EXPECT_EQ(calc->Text(), "42.0");
    calc->HideDropDown(false);
    QApplication::processEvents();
    calc->setFocus();
    // Closed: operators and Enter work on the typed number.
    QTest::keyClicks(calc, "5+3");
    QTest::keyClick(calc, Qt::Key_Return);
    EXPECT_EQ(calc->Text(), "8.00");
    QTest::keyClicks(calc, "x");
    EXPECT_EQ(calc->Text(), "8.00") << "letters are no calculator input";
    calc->SelectAllText();
    QTest::keyClick(calc, Qt::Key_Delete);
    EXPECT_EQ(calc->Text(), "0.00") << "an emptied display reads 0";
    // A typed "c" clears the entry but keeps the accumulator for "%".
    QTest::keyClicks(calc, "200+");
    QTest::keyClicks(calc, "c");
    QTest::keyClicks(calc, "10%");
    EXPECT_EQ(calc->Text(), "20.00");
}

TEST_F(CalculatorTest, ThousandSeparatorsRegroupAndReadBack)
{
    calc->SetNumberValue(1234567.5);
    calc->SetShowThousandSeparator(true);
    const QString t = QString(LocaleThousandSeparator());
    EXPECT_EQ(calc->Text(), "1" + t + "234" + t + "567" + LocaleDecimalSeparator() + "50");
    EXPECT_DOUBLE_EQ(calc->NumberValue(), 1234567.5);
    calc->ShowDropDown();
    QApplication::processEvents();
    for (const char* k : {"MS", "C", "MR"})
        click(k);
    EXPECT_DOUBLE_EQ(calc->NumberValue(), 1234567.5);
    calc->HideDropDown(false);
    calc->SetShowThousandSeparator(false);
    EXPECT_DOUBLE_EQ(calc->NumberValue(), 1234567.5) << "switching back keeps the value";
}
