#include "controls/dropdown/FxDateTimePicker.h"

#include "framework/DateTime.h"
#include "framework/SysUtils.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QTest>

#include <cmath>

using namespace fw;

TEST(DateTimePickerLabel, PlacesForEveryPosition)
{
    using namespace FxDateTimePicker;
    // A picker at (100, 50), 120 x 20; a label 40 x 14 whose text is 38 wide; margin 4.
    struct Row {
        TLabelPosition position;
        int x, y;
    } rows[] = {
        {lpLeftTop, 58, 50},     {lpLeftCenter, 58, 53},   {lpLeftBottom, 58, 56},    {lpTopLeft, 100, 32},
        {lpBottomLeft, 100, 74}, {lpLeftTopLeft, 96, 50},  {lpLeftCenterLeft, 96, 53}, {lpLeftBottomLeft, 96, 56},
        {lpTopCenter, 140, 32},  {lpBottomCenter, 140, 74}, {lpRightTop, 224, 50},     {lpRightCenter, 224, 53},
        {lpRighBottom, 224, 56},
    };
    for (const Row& r : rows)
        EXPECT_EQ(LabelOrigin(r.position, 100, 50, 120, 20, 4, 38, 40, 14), TPoint(r.x, r.y)) << r.position;
    EXPECT_EQ(LabelOrigin(lpLeftCenter, 100, 50, 120, 20, 4, 38, 40, 30).Y, 45) << "a taller label centres upward";
}

namespace {

class DateTimePickerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(400, 200);
        picker = new TFxDateTimePicker(&window);
        picker->setGeometry(120, 40, 220, 24);
        window.show();
        window.activateWindow();
        QApplication::processEvents();
    }
    QWidget window;
    TFxDateTimePicker* picker = nullptr;
};

TDateTime at(int y, int mo, int d, int h, int mi, int s, int ms = 0) { return EncodeDateTime(y, mo, d, h, mi, s, ms); }

} // namespace

TEST_F(DateTimePickerTest, DateAndTimeFormTakesTheTimeFromItsTimePart)
{
    EXPECT_EQ(picker->Kind(), dkDateTime);
    EXPECT_EQ(picker->Version(), "1.2.0.0");
    picker->SetDateTime(at(2024, 3, 9, 14, 25, 36, 700));
    ASSERT_NE(picker->TimePicker(), nullptr);
    EXPECT_TRUE(picker->TimePicker()->isVisible());
    EXPECT_GT(picker->TimePicker()->x(), picker->width() / 3) << "the time part sits at the right end";
    picker->TimePicker()->SetTime(EncodeTime(8, 5, 0, 0));
    EXPECT_NEAR(picker->DateTime(), at(2024, 3, 9, 8, 5, 0), 1e-8) << "the date of the control, the time of the time part";
    EXPECT_NEAR(picker->Time(), EncodeTime(8, 5, 0, 0), 1e-8);

    picker->SetDate(at(2025, 1, 2, 0, 0, 0));
    EXPECT_NEAR(picker->DateTime(), at(2025, 1, 2, 8, 5, 0), 1e-8) << "a new date keeps the time of day";

    picker->SetKind(dkDate);
    EXPECT_EQ(picker->TimePicker(), nullptr);
}

TEST_F(DateTimePickerTest, StepsOfTheDateKeepTheTimeOfDay)
{
    // The time part shows only a time; its date follows the date part's
    // day by day without the time being clamped to the day's start or end.
    struct Row {
        Qt::Key key;
        int presses;
        TDateTime expected;
    } rows[] = {
        {Qt::Key_Down, 1, at(2024, 3, 8, 14, 25, 36)},
        {Qt::Key_Up, 1, at(2024, 3, 10, 14, 25, 36)},
        // The day turns over within its month, as on the desktop's picker.
        {Qt::Key_Down, 9, at(2024, 3, 31, 14, 25, 36)},
        {Qt::Key_Up, 23, at(2024, 3, 1, 14, 25, 36)},
    };
    for (const Row& r : rows) {
        picker->SetDateTime(at(2024, 3, 9, 14, 25, 36));
        picker->setFocus();
        picker->setCurrentSection(QDateTimeEdit::DaySection);
        for (int i = 0; i < r.presses; ++i)
            QTest::keyClick(picker, r.key);
        EXPECT_NEAR(picker->DateTime(), r.expected, 1e-8) << r.presses << " x " << r.key;
        EXPECT_EQ(picker->TimePicker()->text(), "14:25:36");
    }
}

TEST_F(DateTimePickerTest, CalendarKeysOpenTheCalendar)
{
    struct Row {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        bool inTimePart;
    } rows[] = {
        {"F4", Qt::Key_F4, Qt::NoModifier, false},
        {"Alt+Down", Qt::Key_Down, Qt::AltModifier, false},
        {"Alt+Up", Qt::Key_Up, Qt::AltModifier, false},
        {"Alt+Down in the time part", Qt::Key_Down, Qt::AltModifier, true},
    };
    for (const Row& r : rows) {
        picker->SetDateTime(at(2024, 3, 9, 14, 25, 36));
        QWidget* target = r.inTimePart ? static_cast<QWidget*>(picker->TimePicker()) : picker;
        target->setFocus();
        QApplication::processEvents();
        QTest::keyClick(target, r.key, r.mods);
        QApplication::processEvents();
        ASSERT_TRUE(picker->DroppedDown()) << r.name;
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr) << r.name;
        EXPECT_EQ(popup->focusWidget(), picker->calendarWidget()->focusProxy()) << r.name << ": the calendar has the keys";
        EXPECT_NEAR(picker->DateTime(), at(2024, 3, 9, 14, 25, 36), 1e-8) << r.name << ": opening changes nothing";
        // A week on in the calendar and taken with Enter; the time stays.
        QTest::keyClick(popup->focusWidget(), Qt::Key_Down);
        QTest::keyClick(popup->focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_FALSE(picker->DroppedDown()) << r.name;
        EXPECT_NEAR(picker->DateTime(), at(2024, 3, 16, 14, 25, 36), 1e-8) << r.name;
    }
}

TEST_F(DateTimePickerTest, DateTimeDropsMilliseconds)
{
    picker->SetDateTime(at(2024, 3, 9, 14, 25, 36, 700));
    EXPECT_NEAR(picker->DateTime(), at(2024, 3, 9, 14, 25, 36), 1e-8);
}

TEST_F(DateTimePickerTest, AutoTabMovesOnWhenAPartIsComplete)
{
    picker->SetFormat("dd/mm/yyyy");
    picker->SetAutoTab(true);
    picker->SetDateTime(at(2024, 3, 9, 10, 0, 0));
    picker->setFocus();
    picker->setSelectedSection(QDateTimeEdit::DaySection);
    QApplication::processEvents();
    QTest::keyClick(picker, '2');
    QApplication::processEvents();
    EXPECT_EQ(picker->currentSection(), QDateTimeEdit::DaySection) << "one digit does not complete the day";
    QTest::keyClick(picker, '5');
    QApplication::processEvents();
    EXPECT_EQ(picker->currentSection(), QDateTimeEdit::MonthSection);
    QTest::keyClick(picker, '7');
    QApplication::processEvents();
    EXPECT_EQ(picker->currentSection(), QDateTimeEdit::YearSection) << "no month starts with 7x: complete";
    for (char c : {'2', '0', '2', '6'})
        QTest::keyClick(picker, c);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), picker->TimePicker()) << "the year completes the date: on to the time";
    int y = 0, m = 0, d = 0;
    DecodeDate(picker->Date(), y, m, d);
    EXPECT_EQ(QString("%1-%2-%3").arg(y).arg(m).arg(d), "2026-7-25");
}

TEST_F(DateTimePickerTest, UncheckedValueDisablesTheTimePart)
{
    picker->SetShowCheckbox(true);
    ASSERT_TRUE(picker->TimePicker()->isEnabled());
    const TRect box = picker->CheckboxRect();
    QTest::mouseClick(picker, Qt::LeftButton, {}, QPoint(box.Left + 3, box.Top + 3));
    EXPECT_FALSE(picker->Checked());
    EXPECT_FALSE(picker->TimePicker()->isEnabled());
    picker->SetChecked(true);
    EXPECT_TRUE(picker->TimePicker()->isEnabled());
}

TEST_F(DateTimePickerTest, LabelFollowsThePicker)
{
    picker->SetLabelPosition(FxDateTimePicker::lpRightCenter);
    picker->SetLabelCaption("Start");
    QLabel* label = picker->PickerLabel();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->parentWidget(), &window);
    EXPECT_EQ(label->x(), picker->x() + picker->width() + 4);
    EXPECT_EQ(label->y(), picker->y() + (picker->height() - label->height()) / 2);
    picker->move(10, 100);
    EXPECT_EQ(label->x(), 10 + picker->width() + 4);
    picker->setEnabled(false);
    EXPECT_FALSE(label->isEnabled());
    picker->SetLabelAlwaysEnabled(true);
    EXPECT_TRUE(label->isEnabled());
}

TEST_F(DateTimePickerTest, ALabelDeletedByItsOwnerIsLetGo)
{
    // The label belongs to the picker's parent, which may delete it; while it
    // tears down it still sends events through the picker's filter.
    picker->SetLabelCaption("Start");
    delete picker->PickerLabel();
    EXPECT_EQ(picker->PickerLabel(), nullptr);
    EXPECT_EQ(picker->LabelCaption(), QString());
    picker->SetLabelCaption("Again");
    ASSERT_NE(picker->PickerLabel(), nullptr);
    EXPECT_EQ(picker->PickerLabel()->text(), "Again");
    int clicks = 0;
    picker->OnLabelClick = [&](QObject*) { ++clicks; };
    QTest::mouseClick(picker->PickerLabel(), Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}
