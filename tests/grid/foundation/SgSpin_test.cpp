#include "grid/foundation/SgSpin.h"

#include "framework/Forms.h"
#include "framework/SysColors.h"
#include "framework/Timer.h"
#include "support/ScopedSettings.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

using namespace fw;

namespace {

class SpinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.resize(300, 120);
        spin = new TSgSpinEdit(&form);
        spin->SetBounds(10, 10, 100, 21);
        next = new QLineEdit(&form);
        next->setGeometry(10, 60, 80, 20);
        form.show();
    }

    void setText(const QString& text, int caret)
    {
        spin->setText(text);
        spin->setCursorPosition(caret);
    }

    testsupport::FormatSettingsGuard settings;
    QWidget form;
    TSgSpinEdit* spin = nullptr;
    QLineEdit* next = nullptr;
};

QString typeName(TSgSpinType t)
{
    static const char* names[] = {"normal", "float", "date", "time"};
    return QString::fromLatin1(names[t]);
}

} // namespace

TEST_F(SpinTest, Defaults)
{
    EXPECT_EQ(spin->text(), "0");
    EXPECT_EQ(spin->SpinType(), sptNormal);
    EXPECT_EQ(spin->MinValue(), 0);
    EXPECT_EQ(spin->MaxValue(), 100);
    EXPECT_EQ(spin->MaxFloatValue(), 100.0);
    EXPECT_EQ(spin->Increment(), 1);
    EXPECT_DOUBLE_EQ(spin->IncrementFloat(), 0.1);
    EXPECT_DOUBLE_EQ(spin->IncrementFloatPage(), 1.0);
    EXPECT_TRUE(spin->ShowSeconds());
    EXPECT_TRUE(spin->EditorEnabled());
    EXPECT_TRUE(spin->AutoSelect());
    EXPECT_EQ(spin->Button()->FocusControl(), spin);
}

TEST_F(SpinTest, KeysStepByTypeAndCaret)
{
    struct Case {
        TSgSpinType type;
        QString text;
        int caret;
        Qt::Key key;
        QString expected;
    };
    // Day-month-year with "/" and ":"; the caret picks the date or time part.
    const std::vector<Case> cases = {
        {sptNormal, "5", 1, Qt::Key_Up, "6"},
        {sptNormal, "5", 1, Qt::Key_Down, "4"},
        {sptNormal, "5", 1, Qt::Key_PageUp, "6"},
        {sptNormal, "100", 0, Qt::Key_Up, "100"},   // MaxValue 100
        {sptNormal, "0", 0, Qt::Key_PageDown, "0"},   // MinValue 0
        {sptFloat, "1.5", 0, Qt::Key_Up, "1.6"},
        {sptFloat, "1.5", 0, Qt::Key_Down, "1.4"},
        {sptFloat, "1.5", 0, Qt::Key_PageUp, "2.5"},
        {sptFloat, "1.5", 0, Qt::Key_PageDown, "0.5"},
        {sptDate, "31/01/2024", 0, Qt::Key_Up, "01/02/2024"},
        {sptDate, "31/01/2024", 2, Qt::Key_Down, "30/01/2024"},
        {sptDate, "31/01/2024", 3, Qt::Key_Up, "29/02/2024"},   // the month, cut to February's length
        {sptDate, "31/03/2024", 5, Qt::Key_Down, "29/02/2024"},
        {sptDate, "31/01/2024", 10, Qt::Key_Up, "31/01/2025"},
        {sptDate, "15/06/2024", 6, Qt::Key_PageDown, "15/06/2023"},
        {sptDate, "29/02/2024", 10, Qt::Key_Up, "28/02/2025"},   // no 29 February in 2025
        {sptDate, "29/02/2024", 10, Qt::Key_Down, "28/02/2023"},
        {sptTime, "00:30:00", 0, Qt::Key_Down, "23:30:00"},   // across midnight to the evening
        {sptTime, "23:30:00", 2, Qt::Key_Up, "00:30:00"},
        {sptTime, "10:30:00", 3, Qt::Key_Up, "10:31:00"},
        {sptTime, "10:30:00", 5, Qt::Key_Down, "10:29:00"},
        {sptTime, "10:30:59", 6, Qt::Key_Up, "10:31:00"},   // just before the second separator: minutes
        {sptTime, "10:30:59", 7, Qt::Key_Up, "10:31:00"},
        {sptTime, "10:30:58", 8, Qt::Key_Up, "10:30:59"},
    };
    for (const Case& c : cases) {
        spin->SetSpinType(c.type);
        setText(c.text, c.caret);
        QTest::keyClick(spin, c.key);
        EXPECT_EQ(spin->text(), c.expected) << typeName(c.type).toStdString() << " " << c.text.toStdString()
                                            << " caret " << c.caret;
    }
    // The caret stays where it was after a date or time step.
    spin->SetSpinType(sptDate);
    setText("15/06/2024", 4);
    QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(spin->cursorPosition(), 4);
}

TEST_F(SpinTest, MonthFirstDatesStepTheMonthInTheFirstField)
{
    FormatSettings().ShortDateFormat = "mm/dd/yyyy";
    spin->SetSpinType(sptDate);
    struct Case {
        QString text;
        int caret;
        QString expected;
    };
    for (const Case& c : std::vector<Case>{{"01/31/2024", 0, "02/29/2024"}, {"01/31/2024", 4, "02/01/2024"}}) {
        setText(c.text, c.caret);
        QTest::keyClick(spin, Qt::Key_Up);
        EXPECT_EQ(spin->text(), c.expected) << c.text.toStdString() << " caret " << c.caret;
        EXPECT_TRUE(spin->UsDates());
    }
}

TEST_F(SpinTest, TimeWithoutSecondsAndIncrements)
{
    spin->SetSpinType(sptTime);
    spin->SetShowSeconds(false);
    spin->SetIncrementMinutes(15);
    setText("9:50", 3);
    QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(spin->text(), "10:05");
    spin->SetIncrementHours(24);
    setText("9:50", 0);
    try {
        spin->StepUp(false);
        FAIL() << "an hour increment of 24 was encoded";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Invalid argument to time encode");
    }
}

TEST_F(SpinTest, ValueReadersFallBackPerType)
{
    spin->SetMinValue(7);
    spin->SetMaxValue(9);
    spin->SetMinFloatValue(2.5);
    spin->SetMaxFloatValue(5);
    spin->SetMinDateValue(EncodeDate(2020, 1, 1));
    spin->SetMaxDateValue(EncodeDate(2021, 1, 1));
    struct Case {
        QString text;
        int value;
        double floatValue;
    };
    // Not a number: the integer minimum for Value, the float minimum for FloatValue.
    for (const Case& c : std::vector<Case>{{"abc", 7, 2.5}, {"", 0, 2.5}, {" 8", 8, 8}, {"$10", 16, 2.5}, {"3.75", 7, 3.75}})
    {
        spin->setText(c.text);
        EXPECT_EQ(spin->Value(), c.value) << c.text.toStdString();
        EXPECT_DOUBLE_EQ(spin->FloatValue(), c.floatValue) << c.text.toStdString();
    }
    spin->setText("31/02/2020");
    EXPECT_EQ(spin->DateValue(), EncodeDate(2020, 1, 1)) << "an impossible date reads as MinDateValue";
    spin->setText("25:00");
    EXPECT_EQ(spin->TimeValue(), 0);
    spin->setText("0");
    EXPECT_NEAR(spin->DateValue(), Now(), 1.0 / MinsPerDay) << "\"0\" reads as now";
}

TEST_F(SpinTest, WritersClampUnlessTheLimitsAreEqual)
{
    spin->SetMinValue(5);
    spin->SetMaxValue(10);
    spin->SetValue(20);
    EXPECT_EQ(spin->text(), "10");
    spin->SetValue(-3);
    EXPECT_EQ(spin->text(), "5");
    spin->SetMinValue(0);
    spin->SetMaxValue(0);
    spin->SetValue(500);
    EXPECT_EQ(spin->text(), "500");
    QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(spin->text(), "501");

    spin->SetSpinType(sptFloat);
    spin->SetPrecision(2);
    spin->SetFloatValue(1.005);
    EXPECT_EQ(spin->text(), "1.01");
    spin->SetFloatValue(250);
    EXPECT_EQ(spin->text(), "100.00") << "MaxFloatValue 100";
    spin->SetPrecision(0);
    EXPECT_EQ(spin->text(), "100");
}

TEST_F(SpinTest, LeavingPutsTheValueBackInsideTheLimits)
{
    spin->SetMinValue(5);
    spin->SetMaxValue(10);
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, "20");
    EXPECT_EQ(spin->text(), "20");
    next->setFocus();
    EXPECT_EQ(spin->text(), "10");
}

TEST_F(SpinTest, TypedCharactersAreFilteredByType)
{
    struct Case {
        TSgSpinType type;
        QString text;
        int selStart, selLength;
        QChar key;
        bool accepted;
    };
    const QChar ctrlV(22), backspace(8);
    const std::vector<Case> cases = {
        {sptNormal, "12", 2, 0, '3', true},
        {sptNormal, "12", 2, 0, 'a', false},
        {sptNormal, "12", 2, 0, '.', false},
        {sptNormal, "12", 2, 0, ctrlV, false},   // no control characters in integer mode
        {sptNormal, "12", 2, 0, backspace, true},
        {sptNormal, "12", 0, 0, '-', true},
        {sptNormal, "12", 1, 0, '-', false},   // a minus only at the start
        {sptNormal, "-12", 0, 0, '-', false},
        {sptNormal, "-12", 0, 1, '-', true},   // replacing the selected minus
        {sptFloat, "1.5", 3, 0, '.', false},
        {sptFloat, "1.5", 1, 1, '.', true},
        {sptFloat, "1.5", 3, 0, ',', false},   // thousand separator
        {sptFloat, "1.5", 3, 0, ctrlV, true},
        {sptFloat, "1.5", 3, 0, ':', false},   // time separator outside times
        {sptDate, "1/2", 3, 0, '/', true},
        {sptNormal, "12", 2, 0, '/', false},
        {sptTime, "12:30", 5, 0, ':', true},
        {sptTime, "12:30:00", 8, 0, ':', false},   // a third time separator
        {sptDate, "1/2", 3, 0, ':', false},
    };
    for (const Case& c : cases) {
        spin->SetSpinType(c.type);
        spin->setText(c.text);
        spin->setSelection(c.selStart, c.selLength);
        if (c.selLength == 0)
            spin->setCursorPosition(c.selStart);
        EXPECT_EQ(spin->AcceptsChar(c.key), c.accepted)
            << typeName(c.type).toStdString() << " '" << c.text.toStdString() << "' key " << int(c.key.unicode());
    }
}

TEST_F(SpinTest, PrecisionLimitsDecimalsAfterTheSeparator)
{
    spin->SetSpinType(sptFloat);
    spin->SetPrecision(2);
    struct Case {
        int selStart, selLength;
        bool accepted;
    };
    // "1.25": a third decimal is refused with the caret after the separator
    // and nothing selected; in front of it, or over a selection, it is taken.
    for (const Case& c : std::vector<Case>{{4, 0, false}, {2, 0, false}, {0, 0, true}, {3, 1, true}}) {
        spin->setText("1.25");
        spin->setSelection(c.selStart, c.selLength);
        if (c.selLength == 0)
            spin->setCursorPosition(c.selStart);
        EXPECT_EQ(spin->AcceptsChar('3'), c.accepted) << c.selStart << "+" << c.selLength;
    }
    spin->setText("1.25");
    spin->setCursorPosition(4);
    QTest::keyClick(spin, Qt::Key_3);
    EXPECT_EQ(spin->text(), "1.25") << "typed third decimal refused";
}

TEST_F(SpinTest, WithoutEditorOnlyStepsChangeTheText)
{
    spin->SetEditorEnabled(false);
    spin->setText("42");
    spin->setCursorPosition(2);
    QApplication::clipboard()->setText("7");
    QTest::keyClicks(spin, "5a");
    QTest::keyClick(spin, Qt::Key_Backspace);
    spin->setCursorPosition(0);
    QTest::keyClick(spin, Qt::Key_Delete);
    QTest::keyClick(spin, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(spin, Qt::Key_Insert, Qt::ShiftModifier);
    spin->selectAll();
    QTest::keyClick(spin, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(spin->text(), "42");
    QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(spin->text(), "43") << "the arrow keys still step";
    QTest::mouseClick(spin->Button()->DownButton(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(spin->text(), "42") << "and the buttons";
    EXPECT_EQ(spin->selectedText(), "42") << "a written value is selected without an editor";

    spin->SetSpinType(sptFloat);
    spin->SetEditorEnabled(true);
    spin->setText("1.5");
    spin->setCursorPosition(3);
    QTest::keyClick(spin, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(spin->text(), "1.57") << "with the editor, paste works";
    spin->setReadOnly(true);
    QTest::keyClick(spin, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(spin->text(), "1.57") << "but not into a read-only edit";
    QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(spin->text(), "1.57") << "a read-only edit only beeps";
}

TEST_F(SpinTest, KeypadPointTypesTheDecimalSeparator)
{
    FormatSettings().DecimalSeparator = ',';
    FormatSettings().ThousandSeparator = '.';
    spin->SetSpinType(sptFloat);
    spin->setText("1");
    spin->setCursorPosition(1);
    QTest::keyClick(spin, Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_EQ(spin->text(), "1") << "'.' is the thousand separator here: refused";
    spin->SetExcelStyleDecimalSeparator(true);
    QTest::keyClick(spin, Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_EQ(spin->text(), "1,");
    QTest::keyClick(spin, Qt::Key_Period);
    EXPECT_EQ(spin->text(), "1,") << "only the keypad's point is translated";
}

TEST_F(SpinTest, ReturnMovesOnAsTab)
{
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    spin->setFocus();
    spin->SetReturnIsTab(true);
    QTest::keyClick(spin, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), next);
}

TEST_F(SpinTest, HeldButtonRepeatsOnTheClock)
{
    TManualClock clock;
    spin->SetMaxValue(0);   // no limits
    TFxTimerSpeedButton* up = spin->Button()->UpButton();
    QTest::mousePress(up, Qt::LeftButton, {}, QPoint(3, 3));
    struct Step {
        int advance;
        QString text;
    };
    // The first repeat after 400 ms, then one every 100 ms.
    for (const Step& s : std::vector<Step>{{0, "0"}, {399, "0"}, {1, "1"}, {99, "1"}, {1, "2"}, {250, "4"}}) {
        clock.Advance(s.advance);
        EXPECT_EQ(spin->text(), s.text) << "at " << clock.Now() << " ms";
    }
    QTest::mouseRelease(up, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(spin->text(), "5") << "the release over the button clicks once more";
    clock.Advance(1000);
    EXPECT_EQ(spin->text(), "5") << "released, the repeats stop";

    // A short press steps once; held and pulled off, the repeats pause and the release does not click.
    QTest::mouseClick(up, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(spin->text(), "6");
    TFxTimerSpeedButton* down = spin->Button()->DownButton();
    QTest::mousePress(down, Qt::LeftButton, {}, QPoint(3, 3));
    clock.Advance(400);
    EXPECT_EQ(spin->text(), "5");
    QTest::mouseMove(down, QPoint(3, 40));
    clock.Advance(300);
    EXPECT_EQ(spin->text(), "5");
    QTest::mouseRelease(down, Qt::LeftButton, {}, QPoint(3, 40));
    EXPECT_EQ(spin->text(), "5");
    EXPECT_FALSE(down->RepeatTimer()->Enabled());
}

TEST_F(SpinTest, AFailingRepeatStopsTheTimer)
{
    TManualClock clock;
    QString reported;
    const auto previous = Application.OnException;
    Application.OnException = [&](const QString& message) { reported = message; };
    spin->SetSpinType(sptTime);
    spin->setText("10:00:00");
    spin->setCursorPosition(0);
    spin->SetIncrementHours(30);
    TFxTimerSpeedButton* up = spin->Button()->UpButton();
    QTest::mousePress(up, Qt::LeftButton, {}, QPoint(3, 3));
    clock.Advance(400);
    EXPECT_EQ(reported, "Invalid argument to time encode");
    EXPECT_FALSE(up->RepeatTimer()->Enabled());
    reported.clear();
    clock.Advance(500);
    EXPECT_TRUE(reported.isEmpty()) << "no further repeats";
    up->setEnabled(false);   // the release must not click again
    QTest::mouseRelease(up, Qt::LeftButton, {}, QPoint(3, 3));
    Application.OnException = previous;
}

TEST_F(SpinTest, SpinButtonKeysClickTheArrows)
{
    TSgSpinButton* buttons = spin->Button();
    spin->setText("5");
    QTest::keyClick(buttons, Qt::Key_Space);
    EXPECT_EQ(spin->text(), "6") << "Space clicks the marked (up) button";
    QTest::keyClick(buttons, Qt::Key_Down);
    QTest::keyClick(buttons, Qt::Key_Down);
    EXPECT_EQ(spin->text(), "4");
    QTest::keyClick(buttons, Qt::Key_Up);
    EXPECT_EQ(spin->text(), "5");
}

TEST(SpinButton, ArrowButtonsFitTheirDirection)
{
    struct Case {
        TSpinDirection direction;
        QSize requested;
        QSize result;
        QRect up, down;
    };
    const std::vector<Case> cases = {
        {spVertical, {10, 30}, {15, 30}, {0, 0, 15, 15}, {0, 14, 15, 16}},   // the halves overlap by a pixel
        {spVertical, {18, 25}, {18, 25}, {0, 0, 18, 12}, {0, 11, 18, 14}},
        {spHorizontal, {10, 20}, {20, 20}, {11, 0, 10, 20}, {0, 0, 10, 20}},
    };
    for (const Case& c : cases) {
        TSgSpinButton button;
        button.SetDirection(c.direction);
        button.SetBounds(0, 0, c.requested.width(), c.requested.height());
        EXPECT_EQ(button.size(), c.result) << c.direction;
        EXPECT_EQ(button.UpButton()->geometry(), c.up) << c.direction;
        EXPECT_EQ(button.DownButton()->geometry(), c.down) << c.direction;
        button.show();
        button.resize(c.requested);
        EXPECT_EQ(button.size(), c.result) << "resizing fits the same way";
    }
    TSgSpinButton horizontal;
    horizontal.SetDirection(spHorizontal);
    EXPECT_EQ(horizontal.UpButton()->ButtonDirection(), bdRight);
    EXPECT_EQ(horizontal.DownButton()->ButtonDirection(), bdLeft);
    EXPECT_EQ(horizontal.width(), 20);
}

TEST_F(SpinTest, ButtonAndTextAreaLayout)
{
    spin->SetBounds(10, 10, 100, 24);
    // Single 3D border (2 pixels): the button sits at client (100 - 15 - 5, 0), 24 - 5 high.
    EXPECT_EQ(spin->Button()->geometry(), QRect(2 + 80, 2, 15, 19));
    EXPECT_EQ(spin->ClientWidth(), 96);
    EXPECT_EQ(spin->FormatRect(), TRect(0, 0, 96 - 15 - 2, 20 + 1));
    spin->SetBorderStyle(bsNone);
    EXPECT_EQ(spin->Button()->geometry(), QRect(100 - 15 - 1, 0, 15, 23));
    EXPECT_EQ(spin->FormatRect(), TRect(3, 3, 100 - 15 - 2 - 3, 24 + 1));

    spin->SetDirection(spHorizontal);
    EXPECT_EQ(spin->Button()->width(), 20);
    EXPECT_EQ(spin->FormatRect().Right, 100 - 20 - 2 - 3);

    spin->resize(100, 3);
    EXPECT_GT(spin->height(), 3) << "never below the minimum height";
}

TEST_F(SpinTest, CustomButtonColours)
{
    spin->SetBounds(10, 10, 100, 24);
    TSgSpinButton* b = spin->Button();
    b->SetButtonColor(0x00FF00);
    b->SetButtonColorDown(0x0000FF);
    const auto pixel = [](QWidget* w, int x, int y) { return FromQColor(w->grab().toImage().pixelColor(x, y)); };
    TFxTimerSpeedButton* up = b->UpButton();
    EXPECT_EQ(pixel(up, 12, 6), 0x00FF00u);
    EXPECT_EQ(pixel(up, 6, 3), clBlack) << "the up arrow (4,4) (8,4) (6,2)";
    TFxTimerSpeedButton* down = b->DownButton();
    EXPECT_EQ(pixel(down, 6, 3), clBlack) << "the down arrow (4,2) (8,2) (6,4)";
    EXPECT_EQ(pixel(down, 6, 6), 0x00FF00u);
    QTest::mousePress(up, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(pixel(up, 12, 6), 0x0000FFu) << "pressed";
    QTest::mouseRelease(up, Qt::LeftButton, {}, QPoint(3, 3));
}

TEST(SpinButton, BuiltInArrowsPointTheirWay)
{
    const auto blackInRow = [](const TBitmap& b, int y) {
        int n = 0;
        for (int x = 0; x < b.Width(); ++x)
            n += b.ToImage().pixel(x, y) == qRgb(0, 0, 0);
        return n;
    };
    TBitmap up, down;
    LoadSpinGlyph(bdUp, up);
    LoadSpinGlyph(bdDown, down);
    EXPECT_EQ(blackInRow(up, 1), 1) << "the up arrow's point is at the top";
    EXPECT_EQ(blackInRow(up, 4), 7);
    EXPECT_EQ(blackInRow(down, 1), 7);
    EXPECT_EQ(blackInRow(down, 4), 1) << "the down arrow's point is at the bottom";
    EXPECT_NE(up.TransparentColor(), clBlack) << "the lower-left pixel is the see-through key";
}
