#include "grid/foundation/SgDateTimePicker.h"

#include "framework/SysColors.h"
#include "support/ScopedSettings.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

using namespace fw;
using testsupport::colorIs;
using testsupport::countPixels;

namespace {

// The grid's date editor sets the focus frame; so does this one.
class FocusFramedPicker : public TSgDateTimePicker {
public:
    using TSgDateTimePicker::TSgDateTimePicker;
    void SetFocusBorderColor(TColor c) { FFocusBorderColor = c; }
};

class PickerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.resize(300, 120);
        picker = new FocusFramedPicker(&form);
        picker->setGeometry(10, 10, 140, 24);
        picker->SetDate(EncodeDate(2024, 1, 15));
        form.show();
    }

    QImage shot() { return picker->grab().toImage(); }
    TColor px(int x, int y) { return FromQColor(shot().pixelColor(x, y)); }

    testsupport::FormatSettingsGuard settings;
    QWidget form;
    FocusFramedPicker* picker = nullptr;
};

} // namespace

TEST(PickerFormat, FrameworkNotationBecomesQtDisplayFormat)
{
    testsupport::FormatSettingsGuard settings;
    struct Case {
        QString in, out;
    };
    const std::vector<Case> cases = {
        {"dd/mm/yyyy", "dd'/'MM'/'yyyy"},
        {"hh:nn:ss", "HH':'mm':'ss"},
        {"h:mm", "H':'mm"},   // m right after an hour is the minute
        {"d mmmm yy", "d MMMM yy"},
        {"hh:nn am/pm", "hh':'mm AP"},
        {"dd \"at\" hh", "dd 'at' HH"},
        {"ddddd", "dd'/'MM'/'yyyy"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToQtDateTimeFormat(c.in), c.out) << c.in.toStdString();
    FormatSettings().DateSeparator = '.';
    EXPECT_EQ(ToQtDateTimeFormat("dd/mm"), "dd'.'MM") << "'/' is the locale's date separator";
}

TEST_F(PickerTest, VersionAndDefaults)
{
    EXPECT_EQ(picker->Version(), "1.0.0.0");
    picker->SetVersion("2.0");
    EXPECT_EQ(picker->Version(), "1.0.0.0");
    EXPECT_EQ(TSgDateTimePicker::GetVersionNr(), 0x01000000u);
    EXPECT_EQ(picker->Kind(), dtkDate);
    EXPECT_FALSE(picker->MetroStyle());
    EXPECT_EQ(picker->BorderColor(), clNone);
    EXPECT_EQ(picker->ButtonColor(), clNone);
    EXPECT_EQ(picker->BorderStyle(), bsNone);
    EXPECT_TRUE(picker->Ctl3D());
    EXPECT_EQ(picker->text(), "15/01/2024");
    EXPECT_EQ(ReadFileVersionMS("/bin/sh"), -1);
}

TEST_F(PickerTest, ValuesKeepTheOtherPart)
{
    picker->SetDateTime(EncodeDateTime(2024, 1, 15, 10, 30, 0, 0));
    picker->SetDate(EncodeDate(2025, 3, 1));
    EXPECT_DOUBLE_EQ(picker->DateTime(), EncodeDateTime(2025, 3, 1, 10, 30, 0, 0));
    picker->SetTime(EncodeTime(8, 5, 0, 0));
    EXPECT_DOUBLE_EQ(picker->DateTime(), EncodeDateTime(2025, 3, 1, 8, 5, 0, 0));
    EXPECT_DOUBLE_EQ(picker->Date(), EncodeDate(2025, 3, 1));
    EXPECT_NEAR(picker->Time(), EncodeTime(8, 5, 0, 0), 1e-9);
    picker->SetKind(dtkTime);
    EXPECT_EQ(picker->text(), "08:05:00");
}

TEST_F(PickerTest, KeysStepTheDatePartUnderTheCaret)
{
    struct Case {
        int rights;   // Right presses after Home
        Qt::Key key;
        QString expected;
    };
    // 15/01/2024: positions 0-2 day, 3-5 month, 6- year.
    const std::vector<Case> cases = {
        {0, Qt::Key_Up, "16/01/2024"},  {1, Qt::Key_Down, "14/01/2024"}, {3, Qt::Key_Up, "15/02/2024"},
        {4, Qt::Key_Down, "15/12/2024"}, {7, Qt::Key_Up, "15/01/2025"},  {9, Qt::Key_Down, "15/01/2023"},
    };
    int changes = 0;
    picker->OnChange = [&](QObject*) { ++changes; };
    for (const Case& c : cases) {
        picker->SetDate(EncodeDate(2024, 1, 15));
        QTest::keyClick(picker, Qt::Key_Home);
        for (int i = 0; i < c.rights; ++i)
            QTest::keyClick(picker, Qt::Key_Right);
        QTest::keyClick(picker, c.key);
        EXPECT_EQ(picker->text(), c.expected) << c.rights << " right";
    }
    EXPECT_GE(changes, int(cases.size())) << "each step reports a change";

    // Typing a part replaces it.
    picker->SetDate(EncodeDate(2024, 1, 15));
    picker->setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClicks(picker, "20");
    EXPECT_DOUBLE_EQ(picker->Date(), EncodeDate(2024, 1, 20));
}

TEST_F(PickerTest, CalendarTakesTheKeysAfterThePickerWasDisabled)
{
    // A cell editor is disabled between two edits: its calendar, made
    // before, must still have the keys when it opens.
    picker->SetDate(EncodeDate(2024, 1, 15));
    picker->calendarWidget();
    for (bool disabledBefore : {false, true}) {
        SCOPED_TRACE(disabledBefore ? "disabled in between" : "always enabled");
        if (disabledBefore) {
            picker->setEnabled(false);
            QApplication::processEvents();
            picker->setEnabled(true);
        }
        picker->setFocus();
        QTest::keyClick(picker, Qt::Key_F4);
        QApplication::processEvents();
        ASSERT_TRUE(picker->DroppedDown());
        QWidget* keys = QApplication::activePopupWidget() ? QApplication::activePopupWidget()->focusWidget() : nullptr;
        ASSERT_NE(keys, nullptr) << "the open calendar has a control that takes the keys";
        QTest::keyClick(keys, Qt::Key_Right);
        QTest::keyClick(keys, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_FALSE(picker->DroppedDown());
        EXPECT_DOUBLE_EQ(picker->Date(), EncodeDate(2024, 1, disabledBefore ? 17 : 16));
    }
}

TEST_F(PickerTest, WithoutMetroItPaintsLikeThePlainPicker)
{
    QDateTimeEdit plain(&form);
    plain.setGeometry(10, 50, 140, 24);
    plain.setCalendarPopup(true);
    plain.setDisplayFormat(picker->displayFormat());
    plain.setDateTime(picker->dateTime());
    plain.show();
    picker->SetBorderColor(0x0000FF);   // no effect without the metro look while 3D
    picker->SetButtonColor(0x00FF00);
    EXPECT_EQ(shot(), plain.grab().toImage());
}

TEST_F(PickerTest, MetroButtonAndBorderInTheirColours)
{
    picker->SetMetroStyle(true);
    picker->SetBorderColor(0x0000FF);
    picker->SetButtonColor(0x00FF00);
    picker->SetButtonTextColor(0xFF0000);
    picker->SetButtonBorderColor(0x800080);
    const QImage img = shot();
    const int bw = picker->ButtonWidth();
    const int left = 136 - bw + 2 + 1;   // client width 136; the button shrunk by one
    EXPECT_EQ(FromQColor(img.pixelColor(0, 0)), 0x0000FFu) << "border";
    EXPECT_EQ(FromQColor(img.pixelColor(139, 12)), 0x0000FFu);
    EXPECT_EQ(FromQColor(img.pixelColor(left + 3, 3)), 0x00FF00u) << "button face";
    EXPECT_EQ(FromQColor(img.pixelColor(left, 12)), 0x800080u) << "button's left edge";
    EXPECT_EQ(FromQColor(img.pixelColor(left + 8, 1 + 8)), 0xFF0000u) << "arrow (5,7) (11,7) (8,10)";

    // Focused, the grid's focus colour replaces the border colour.
    picker->SetFocusBorderColor(0x00FFFF);
    QFocusEvent in(QEvent::FocusIn);
    QApplication::sendEvent(picker, &in);
    EXPECT_EQ(px(0, 0), 0x00FFFFu);
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(picker, &out);
    EXPECT_EQ(px(0, 0), 0x0000FFu);

    picker->setEnabled(false);
    EXPECT_EQ(px(0, 0), 0xB99D7Fu) << "a disabled themed picker gets the grey-blue frame";
}

TEST_F(PickerTest, TimeOnlyPickerKeepsItsOwnButton)
{
    picker->SetKind(dtkTime);
    picker->SetMetroStyle(true);
    picker->SetButtonColor(0x00FF00);
    picker->SetBorderColor(0x0000FF);
    const QImage img = shot();
    EXPECT_EQ(countPixels(img, colorIs(0x00FF00)), 0) << "no custom drop button on a time picker";
    EXPECT_EQ(FromQColor(img.pixelColor(0, 0)), 0x0000FFu) << "its border is still drawn";
}

TEST_F(PickerTest, MetroButtonShowsHotAndDownColours)
{
    picker->SetMetroStyle(true);
    picker->SetButtonColor(0x00FF00);
    picker->SetButtonColorHot(0x0080FF);
    picker->SetButtonColorDown(0xFF0000);
    picker->SetButtonTextColorDown(0xFFFFFF);
    const int left = 136 - picker->ButtonWidth() + 3;
    const QPoint over(left + 4, 12);
    QTest::mouseMove(picker, over);
    ASSERT_TRUE(picker->ButtonHover());
    EXPECT_EQ(px(left + 3, 3), 0x0080FFu) << "hot";
    int drops = 0, closes = 0;
    picker->OnDropDown = [&](QObject*) { ++drops; };
    picker->OnCloseUp = [&](QObject*) { ++closes; };
    QTest::mousePress(picker, Qt::LeftButton, {}, over);
    ASSERT_TRUE(QGuiApplication::mouseButtons() & Qt::LeftButton);
    const QImage img = shot();
    EXPECT_EQ(FromQColor(img.pixelColor(left + 3, 3)), 0xFF0000u) << "held down";
    EXPECT_EQ(FromQColor(img.pixelColor(left + 8, 9)), 0xFFFFFFu) << "arrow in the down colour";
    EXPECT_TRUE(picker->DroppedDown()) << "a press on the metro button drops the calendar down";
    EXPECT_EQ(drops, 1);
    QTest::mouseRelease(picker, Qt::LeftButton, {}, over);
    picker->calendarWidget()->window()->hide();
    EXPECT_EQ(closes, 1);
}
