#include "controls/dropdown/FxTimePickerDropDown.h"

#include "controls/dropdown/FxDropDownForm.h"
#include "framework/Input.h"
#include "framework/Screen.h"
#include "framework/SysColors.h"
#include "grid/foundation/FxUtilText.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimeEdit>

using namespace fw;

// Readable failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

TDateTime hms(int h, int m, int s = 0) { return EncodeTime(h, m, s, 0); }

QString shown(TDateTime t)
{
    return FormatDateTime(QStringLiteral("hh:nn:ss"), t);
}

} // namespace

// ---- clock geometry and picking ----------------------------------------------------------

TEST(WatchGeometry, FaceCentreAndPicking)
{
    EXPECT_EQ(FxWatch::FaceRect(180, 180, 0), TRect(10, 10, 170, 170));
    EXPECT_EQ(FxWatch::FaceRect(180, 180, 300), TRect(0, 0, 180, 180));
    EXPECT_EQ(FxWatch::FaceRect(200, 120, 0), TRect(50, 10, 150, 110));
    const TRect face = FxWatch::FaceRect(180, 180, 0);
    const TPoint c = FxWatch::Center(face);
    EXPECT_EQ(c, TPoint(90, 90));
    EXPECT_EQ(FxWatch::Radius(face), 80);

    struct Row {
        int x, y, minute, hourAM, hourPM;
    } rows[] = {
        {90, 20, 0, 0, 12},     // straight above
        {160, 90, 15, 3, 15},   // right
        {90, 160, 30, 6, 18},   // below
        {20, 90, 45, 9, 21},    // left
        {90, 90, 23, 5, 17},    // the centre itself
        {140, 140, 23, 5, 17},  // half past four-ish, on the diagonal
        {40, 40, 53, 11, 23},   // upper left diagonal
    };
    for (const Row& r : rows) {
        EXPECT_EQ(FxWatch::PointToMinute(c, r.x, r.y), r.minute) << r.x << "," << r.y;
        EXPECT_EQ(FxWatch::PointToHour(c, r.x, r.y, true), r.hourAM) << r.x << "," << r.y;
        EXPECT_EQ(FxWatch::PointToHour(c, r.x, r.y, false), r.hourPM) << r.x << "," << r.y;
    }
}

TEST(WatchGeometry, HandAngles)
{
    const TPoint c(90, 90);
    EXPECT_EQ(FxWatch::PointAt(c, 0, 50), TPoint(90, 40));
    EXPECT_EQ(FxWatch::PointAt(c, 90, 50), TPoint(140, 90));
    EXPECT_EQ(FxWatch::PointAt(c, 180, 50), TPoint(90, 140));
    EXPECT_DOUBLE_EQ(FxWatch::HourAngle(15, 0), 90);
    EXPECT_DOUBLE_EQ(FxWatch::HourAngle(3, 30), 105);
    EXPECT_DOUBLE_EQ(FxWatch::MinuteAngle(45), 270);
}

// ---- clock behaviour ---------------------------------------------------------------------

namespace {

class WatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        watch.OnChange = [this](QObject*) { ++changes; };
    }
    // Runs the animation to its end.
    void settle()
    {
        for (int i = 0; i < 200 && watch.Animating(); ++i)
            clock.Advance(1);
        ASSERT_FALSE(watch.Animating());
    }

    TManualTickSource clock{10000};
    TScopedTickSource scope{clock};
    TFxWatch watch;
    int changes = 0;
};

} // namespace

TEST_F(WatchTest, KeysWithAndWithoutAnimation)
{
    struct Row {
        int h, m, s, key, eh, em, es;
    } rows[] = {
        {23, 10, 0, VK_PRIOR, 0, 10, 0},
        {10, 10, 0, VK_PRIOR, 11, 10, 0},
        {0, 30, 0, VK_NEXT, 23, 30, 0},
        {0, 0, 30, VK_LEFT, 23, 59, 30},
        {10, 20, 0, VK_LEFT, 10, 19, 0},
        {10, 59, 0, VK_RIGHT, 10, 0, 0},   // no carry into the hour
        {10, 20, 0, VK_END, 10, 0, 0},
        {10, 45, 0, VK_END, 11, 0, 0},     // 12 o'clock from the second half starts the next hour
        {23, 45, 0, VK_END, 0, 0, 0},
        {5, 0, 0, VK_HOME, 12, 0, 0},
        {14, 0, 0, 'A', 2, 0, 0},
        {2, 0, 0, 'A', 2, 0, 0},
        {2, 0, 0, 'P', 14, 0, 0},
        {14, 0, 0, 'P', 14, 0, 0},
    };
    for (bool animated : {false, true}) {
        for (const Row& r : rows) {
            watch.SetAnimation(animated);
            watch.SetTime(hms(r.h, r.m, r.s));
            changes = 0;
            watch.HandleKey(r.key);
            settle();
            EXPECT_EQ(shown(watch.Time()), shown(hms(r.eh, r.em, r.es)))
                << (animated ? "animated " : "") << r.h << ":" << r.m << " key " << r.key;
            const bool moved = r.eh != r.h || r.em != r.m;
            EXPECT_EQ(changes, moved ? 1 : 0) << (animated ? "animated " : "") << r.h << ":" << r.m << " key " << r.key;
        }
    }
}

TEST_F(WatchTest, AnimationMovesFastFirstThenSlowsDown)
{
    watch.SetTime(hms(10, 0));
    watch.SetMinute(50);
    std::vector<int> minutes;
    for (int i = 0; i < 100 && watch.Animating(); ++i) {
        clock.Advance(1);
        int h, m, s, ms;
        DecodeTime(watch.Time(), h, m, s, ms);
        minutes.push_back(m);
    }
    ASSERT_GE(minutes.size(), 3u);
    EXPECT_EQ(minutes.front(), 5) << "first step is a tenth of the way";
    EXPECT_EQ(minutes.back(), 50);
    EXPECT_EQ(changes, 1) << "OnChange once, at the target";
    watch.SetAnimationFactor(0);
    watch.SetMinute(10);
    settle();
    EXPECT_EQ(shown(watch.Time()), "10:10:00") << "a factor of 0 steps without dividing by it";
}

TEST_F(WatchTest, ClicksSetMinuteHourAndHalfOfTheDay)
{
    watch.SetAnimation(false);
    watch.resize(180, 180);
    watch.SetTime(hms(9, 20));
    QTest::mouseClick(&watch, Qt::LeftButton, {}, QPoint(178, 90));
    EXPECT_EQ(shown(watch.Time()), "09:15:00") << "outside the dial ellipse: the minute";
    QTest::mouseClick(&watch, Qt::LeftButton, {}, QPoint(90, 30));
    EXPECT_EQ(shown(watch.Time()), "00:15:00") << "inside: the hour";
    const TRect box = watch.GetAMPMRect();
    QTest::mouseClick(&watch, Qt::LeftButton, {}, QPoint(box.Left + box.Width() / 2, box.Top + box.Height() / 2));
    EXPECT_EQ(shown(watch.Time()), "12:15:00") << "the AM/PM box flips by 12 hours";
    EXPECT_FALSE(watch.IsAM());
    QTest::mouseClick(&watch, Qt::LeftButton, {}, QPoint(90, 90));
    EXPECT_EQ(shown(watch.Time()), "17:15:00") << "the centre reads as minute 23: hour 5 after noon";
    watch.SetMinute(60);
    watch.SetHour(24);
    EXPECT_EQ(shown(watch.Time()), "17:15:00") << "impossible values are ignored";
}

TEST_F(WatchTest, AMPMRollOverRunsOnTheTimerWithoutBlocking)
{
    watch.resize(180, 180);
    watch.SetTime(hms(9, 0));
    const TRect box = watch.GetAMPMRect();
    QTest::mouseClick(&watch, Qt::LeftButton, {}, QPoint(box.Left + box.Width() / 2, box.Top + box.Height() / 2));
    EXPECT_TRUE(watch.AMPMRolling()) << "the click returns while the box still rolls";
    EXPECT_EQ(shown(watch.Time()), "21:00:00");
    clock.Advance(10 * box.Height());
    EXPECT_FALSE(watch.AMPMRolling());
}

TEST_F(WatchTest, HandsArePaintedAtTheirAngles)
{
    watch.resize(180, 180);
    watch.Appearance().SetTickMarks(tmNone);
    watch.Appearance().SetMinutePointerShadow(clNone);
    watch.Appearance().SetHourPointerShadow(clNone);
    // The AM/PM box below the centre would hide the hour hand.
    watch.SetShowAMPM(false);
    watch.SetTime(hms(6, 15));
    const QImage img = watch.grab().toImage();
    const QRgb black = qRgb(0, 0, 0);
    EXPECT_EQ(img.pixel(90 + 50, 90), black) << "minute hand at a quarter past";
    // 7.5 degrees past six: 30 pixels out, 4 pixels left of the centre.
    EXPECT_EQ(img.pixel(90 - 4, 90 + 30), black) << "hour hand near six";
    EXPECT_EQ(img.pixel(90, 90 - 50), qRgb(255, 255, 255)) << "nothing points to twelve";
    EXPECT_EQ(img.pixel(90 - 50, 90), qRgb(255, 255, 255));
}

namespace {

// Pixels of the picture within `tolerance` of `c` in each channel.
int pixelsNear(const QImage& img, QRgb c, int tolerance = 40)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            if (std::abs(qRed(p) - qRed(c)) <= tolerance && std::abs(qGreen(p) - qGreen(c)) <= tolerance &&
                std::abs(qBlue(p) - qBlue(c)) <= tolerance)
                ++n;
        }
    return n;
}

} // namespace

TEST_F(WatchTest, TickMarksDrawMarksAndNumbersAsTheyAsk)
{
    // Hour marks pure green, minute marks pure blue, numbers pure magenta.
    watch.resize(180, 180);
    watch.SetAnimation(false);
    watch.Appearance().SetHourColor(0x00FF00);
    watch.Appearance().SetMinuteColor(0xFF0000);
    watch.Appearance().SetHourMarkWidth(3);
    watch.Appearance().HourFontRef().Color = 0xFF00FF;
    watch.Appearance().HourFontRef().Size = 14;
    watch.Appearance().HourFontRef().Style = TFontStyles{fsBold};
    watch.SetShowAMPM(false);
    watch.SetShowNumbers(true);
    const QRgb green = qRgb(0, 255, 0), magenta = qRgb(255, 0, 255);
    struct Row {
        TTickMarks marks;
        bool hourMarks, numbers;
    } rows[] = {{tmNone, false, false}, {tmHours, true, false}, {tmQuartHours, true, true}};
    int quarterMarks = 0, hourMarks = 0;
    for (const Row& r : rows) {
        watch.Appearance().SetTickMarks(r.marks);
        const QImage img = watch.grab().toImage();
        const int marks = pixelsNear(img, green, 10);
        EXPECT_EQ(marks > 0, r.hourMarks) << r.marks;
        EXPECT_EQ(pixelsNear(img, magenta) > 10, r.numbers) << r.marks;
        if (r.marks == tmHours)
            hourMarks = marks;
        if (r.marks == tmQuartHours)
            quarterMarks = marks;
    }
    EXPECT_LT(quarterMarks, hourMarks) << "four quarter marks draw less than twelve hour marks";
}

TEST_F(WatchTest, BuiltInStylesResetBeforeTheirSettings)
{
    watch.Appearance().SetHourMarkLength(3);
    watch.SetStyle(wsClassic);
    EXPECT_EQ(watch.Appearance().HourMarkLength(), 3) << "the style already chosen changes nothing";
    watch.SetStyle(wsTower);
    EXPECT_EQ(watch.Appearance().Shape(), wsRect);
    EXPECT_EQ(watch.Appearance().TickMarks(), tmHours);
    EXPECT_FALSE(watch.ShowNumbers());
    watch.SetAnimation(false);
    watch.SetStyle(wsClassic);
    EXPECT_NE(watch.Appearance().Shape(), wsRect) << "the reset undid the tower's shape";
    EXPECT_NE(watch.Appearance().TickMarks(), tmHours);
    EXPECT_EQ(watch.Appearance().HourMarkLength(), 8);
    EXPECT_EQ(watch.Appearance().HourFont().Name, "Comic Sans MS");
    EXPECT_TRUE(watch.Animation());
    EXPECT_EQ(watch.AnimationFactor(), 10);
    EXPECT_TRUE(watch.ShowAMPM());
    EXPECT_TRUE(watch.ShowNumbers());
}

TEST_F(WatchTest, LiveModeRunsOnTheSystemTimeAndDrawsTheSecondHandWhenAsked)
{
    watch.resize(180, 180);
    watch.Appearance().SetTickMarks(tmNone);
    watch.SetShowNumbers(false);
    watch.SetShowAMPM(false);
    watch.Appearance().SetSecondPointer(0x0000FF);
    watch.Appearance().SetSecondPointerShadow(clNone);
    const QRgb red = qRgb(255, 0, 0);
    watch.Settings().SetSecond(true);
    EXPECT_EQ(pixelsNear(watch.grab().toImage(), red, 10), 0) << "no second hand while the clock is set by hand";
    watch.Settings().SetAuto(true);
    EXPECT_NEAR(watch.Time(), Time(), 2.0 / 86400) << "the system time";
    EXPECT_GT(pixelsNear(watch.grab().toImage(), red, 10), 0) << "the live second hand";
    const TDateTime before = watch.Time();
    watch.SetHour(int(before * 24 + 3) % 24);
    QTest::mouseClick(&watch, Qt::LeftButton, {}, QPoint(90, 30));
    EXPECT_NEAR(watch.Time(), Time(), 2.0 / 86400) << "mouse and keys do not set a live clock";
    watch.Settings().SetSecond(false);
    EXPECT_EQ(pixelsNear(watch.grab().toImage(), red, 10), 0) << "live without seconds";
    watch.Settings().SetAuto(false);
}

// ---- time picker text rules --------------------------------------------------------------

TEST(TimePickerText, FieldsParsingAndSteps)
{
    using namespace FxTimePicker;
    const QChar sep(u':');
    struct FieldRow {
        const char* text;
        int caret;
        bool seconds;
        TTimeField field;
    } fields[] = {
        {"23:59:30", 0, true, tfHour},   {"23:59:30", 2, true, tfHour},   {"23:59:30", 3, true, tfMinute},
        {"23:59:30", 5, true, tfMinute}, {"23:59:30", 6, true, tfSecond}, {"23:59:30", 8, true, tfSecond},
        {"23:59", 5, false, tfMinute},   {"23:59:30", 7, false, tfMinute},
    };
    for (const FieldRow& r : fields)
        EXPECT_EQ(FieldAtCaret(r.text, r.caret, r.seconds, sep), r.field) << r.text << " caret " << r.caret;

    struct ParseRow {
        const char* text;
        bool seconds;
        bool ok;
        int h, m, s;
    } parses[] = {
        {"12:34:56", true, true, 12, 34, 56}, {"1 :2 :3 ", true, true, 10, 20, 30}, {"12:34", false, true, 12, 34, 0},
        {"12:34", true, false, 0, 0, 0},      {"12:34:56", false, false, 0, 0, 0},  {"25:00:00", true, false, 0, 0, 0},
        {"12:60:00", true, false, 0, 0, 0},   {"ab:00:00", true, false, 0, 0, 0},   {"1234", false, false, 0, 0, 0},
    };
    for (const ParseRow& r : parses) {
        int h = -1, m = -1, s = -1;
        EXPECT_EQ(ParseTime(r.text, r.seconds, sep, h, m, s), r.ok) << r.text;
        if (r.ok) {
            EXPECT_EQ(QTime(h, m, s), QTime(r.h, r.m, r.s)) << r.text;
        }
    }
    EXPECT_EQ(StepField(0, tfHour, true), 23);
    EXPECT_EQ(StepField(23, tfHour, false), 0);
    EXPECT_EQ(StepField(0, tfSecond, true), 59);
    EXPECT_EQ(StepField(59, tfMinute, false), 0);
    EXPECT_EQ(FormatTime(7, 5, 3, true, sep), "07:05:03");
    EXPECT_EQ(FormatTime(7, 5, 3, false, sep), "07:05");
}

// ---- time picker drop-down ---------------------------------------------------------------

namespace {

class TimePickerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(400, 300);
        tp = new TFxTimePickerDropDown(&window);
        tp->SetBounds(20, 30, 120, 21);
        tp->SetAnimation(false);
        tp->OnTimeChange = [this](QObject*) { ++timeChanges; };
        window.show();
        window.activateWindow();
        QApplication::processEvents();
        tp->setFocus();
    }
    void TearDown() override { delete tp; }
    QString sep() const { return QString(LocaleTimeSeparator()); }
    QString t(const char* s) const { return QString::fromLatin1(s).replace(u':', LocaleTimeSeparator()); }

    TScopedMonitors monitors{{{TRect(0, 0, 1024, 768), TRect(0, 0, 1024, 740)}}};
    TManualTickSource clock{10000};
    TScopedTickSource scope{clock};
    QWidget window;
    TFxTimePickerDropDown* tp = nullptr;
    int timeChanges = 0;
};

} // namespace

TEST_F(TimePickerTest, UpAndDownStepTheFieldUnderTheCaret)
{
    struct Row {
        int h, m, s;
        bool seconds;
        int caret;
        int key;
        const char* expected;
    } rows[] = {
        {23, 59, 30, true, 1, Qt::Key_Down, "00:59:30"},
        {23, 59, 30, true, 4, Qt::Key_Down, "23:00:30"},
        {23, 59, 30, true, 7, Qt::Key_Down, "23:59:31"},
        {10, 0, 0, true, 7, Qt::Key_Up, "10:00:59"},
        {10, 0, 0, true, 0, Qt::Key_Up, "09:00:00"},
        {0, 0, 0, true, 0, Qt::Key_Up, "23:00:00"},
        {10, 0, 0, false, 4, Qt::Key_Up, "10:59"},
        {10, 0, 0, false, 5, Qt::Key_Down, "10:01"},
    };
    for (const Row& r : rows) {
        tp->SetShowSeconds(r.seconds);
        tp->SetTime(hms(r.h, r.m, r.s));
        tp->SetSel(r.caret, r.caret);
        timeChanges = 0;
        QTest::keyClick(tp, Qt::Key(r.key));
        EXPECT_EQ(tp->EditText(), t(r.expected)) << r.h << ":" << r.m << ":" << r.s << " caret " << r.caret;
        EXPECT_EQ(tp->SelStart(), r.caret) << "the caret stays";
        EXPECT_EQ(timeChanges, 1);
    }
}

TEST_F(TimePickerTest, SecondsFormAndTypedText)
{
    EXPECT_EQ(tp->EditText(), t("00:00:00"));
    tp->SetTime(hms(8, 30, 15));
    tp->SetShowSeconds(false);
    EXPECT_EQ(tp->EditText(), t("08:30"));
    tp->SetShowSeconds(true);
    EXPECT_EQ(tp->EditText(), t("08:30:15")) << "the time survived the form change";

    tp->SetEditorEnabled(true);
    tp->SetSel(0, 0);
    timeChanges = 0;
    QTest::keyClicks(tp, "123456");
    EXPECT_EQ(tp->EditText(), t("12:34:56"));
    EXPECT_EQ(shown(tp->Time()), "12:34:56");
    EXPECT_EQ(timeChanges, 0) << "typing changes Time without OnTimeChange";
    tp->SetSel(0, 0);
    QTest::keyClicks(tp, "9");
    EXPECT_EQ(shown(tp->Time()), "12:34:56") << "hour 92 is no time: Time keeps its value";
    tp->ChangeMinute(60);
    tp->ChangeHour(24);
    EXPECT_EQ(timeChanges, 0);
}

TEST_F(TimePickerTest, ClockInThePopupSetsTheTimeAndEscapeRestoresIt)
{
    tp->SetTime(hms(9, 20));
    tp->ShowDropDown();
    QApplication::processEvents();
    ASSERT_TRUE(tp->DroppedDown());
    TFxWatch* w = tp->Watch();
    EXPECT_EQ(shown(w->Time()), "09:20:00");
    EXPECT_EQ(w->size(), QSize(170, 170));
    // Three o'clock inside the dial.
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(85 + 40, 85));
    EXPECT_EQ(tp->EditText(), t("03:20:00")) << "the edit follows the clock at once";
    EXPECT_EQ(timeChanges, 1);
    QWidget* keys = QApplication::focusWidget() ? QApplication::focusWidget() : tp->DropDownForm();
    QTest::keyClick(keys, Qt::Key_PageUp);
    EXPECT_EQ(tp->EditText(), t("04:20:00")) << "Page Up moves the clock's hour";
    tp->HideDropDown(false);
    EXPECT_EQ(shown(tp->Time()), "04:20:00");

    tp->ShowDropDown();
    QApplication::processEvents();
    QTest::mouseClick(tp->Watch(), Qt::LeftButton, {}, QPoint(85, 85 + 40));
    EXPECT_EQ(tp->EditText(), t("06:20:00"));
    tp->HideDropDown(true);
    EXPECT_EQ(tp->EditText(), t("04:20:00"));
    EXPECT_EQ(shown(tp->Time()), "04:20:00");
}

TEST_F(TimePickerTest, TimeEditUnderTheClock)
{
    tp->SetShowTimePicker(true);
    tp->SetTime(hms(9, 20));
    tp->ShowDropDown();
    QApplication::processEvents();
    QTimeEdit* edit = tp->TimeEdit();
    ASSERT_NE(edit, nullptr);
    EXPECT_GT(tp->Panel()->height(), 170);
    EXPECT_EQ(edit->time(), QTime(9, 20));
    edit->setTime(QTime(11, 5));
    EXPECT_EQ(shown(tp->Watch()->Time()), "11:05:00") << "the clock follows the time edit";
    EXPECT_EQ(shown(tp->Time()), "11:05:00");
    timeChanges = 0;
    tp->Watch()->HandleKey(VK_RIGHT);
    EXPECT_EQ(edit->time(), QTime(11, 6)) << "the time edit follows the clock";
    EXPECT_EQ(timeChanges, 1);
    tp->HideDropDown(false);
}

TEST_F(TimePickerTest, LiveClockHandsItsTimeToTheEditOnClosing)
{
    tp->SetTime(hms(3, 0));
    tp->WatchSettings().SetAuto(true);
    tp->ShowDropDown();
    QApplication::processEvents();
    ASSERT_TRUE(tp->DroppedDown());
    EXPECT_NEAR(tp->Watch()->GetCurrentTime(), Time(), 2.0 / 86400) << "the clock runs on the system time";
    tp->HideDropDown(false);
    EXPECT_NEAR(tp->Time(), Time(), 2.0 / 86400) << "closing took the live time";
    EXPECT_EQ(tp->EditText(), FormatDateTime(QStringLiteral("hh:nn:ss"), tp->Time()).replace(u':', LocaleTimeSeparator()));
}
