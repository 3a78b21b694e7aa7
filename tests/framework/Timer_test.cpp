#include "framework/Timer.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace fw;

TEST(Timer, FiresOnlyWithHandlerIntervalAndEnabled)
{
    TTimer timer;
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000);
    EXPECT_FALSE(timer.IsRunning()) << "no handler yet";
    int ticks = 0;
    timer.SetInterval(20);
    timer.SetOnTimer([&] { ++ticks; });
    EXPECT_TRUE(timer.IsRunning());
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 2; }, 2000));

    timer.SetEnabled(false);
    EXPECT_FALSE(timer.IsRunning());
    const int frozen = ticks;
    QTest::qWait(80);
    EXPECT_EQ(ticks, frozen);

    timer.SetEnabled(true);
    timer.SetInterval(0);
    EXPECT_FALSE(timer.IsRunning()) << "interval 0 stops the timer";
}

TEST(Timer, EnablingARunningTimerDoesNotRestartIt)
{
    TTimer timer;
    QElapsedTimer clock;
    qint64 firedAt = -1;
    timer.SetInterval(300);
    timer.SetOnTimer([&] {
        if (firedAt < 0)
            firedAt = clock.elapsed();
    });
    clock.start();
    // Keep "enabling" it every 20 ms: a timer that restarted on each call
    // would never reach its 300 ms.
    while (clock.elapsed() < 1500 && firedAt < 0) {
        timer.SetEnabled(true);
        QTest::qWait(20);
    }
    ASSERT_GE(firedAt, 0) << "the timer was restarted by enabling it";

    // Changing the interval does restart the count.
    firedAt = -1;
    timer.SetInterval(250);
    clock.restart();
    ASSERT_TRUE(QTest::qWaitFor([&] { return firedAt >= 0; }, 2000));
    EXPECT_GE(firedAt, 200);
}

TEST(Timer, HandlerMayStopItsOwnTimer)
{
    TTimer timer;
    int ticks = 0;
    timer.SetInterval(10);
    timer.SetOnTimer([&] {
        ++ticks;
        timer.SetEnabled(false);
        timer.SetOnTimer({});
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks > 0; }, 2000));
    QTest::qWait(50);
    EXPECT_EQ(ticks, 1);
}

TEST(Timer, TickCountAdvancesAndSleepWaits)
{
    const std::uint64_t start = GetTickCount64();
    Sleep(30);
    const std::uint64_t end = GetTickCount64();
    EXPECT_GE(end - start, 30u);
    EXPECT_LT(end - start, 2000u);
    EXPECT_EQ(std::uint32_t(GetTickCount() - std::uint32_t(start)) >= 30u, true);
    ProcessMessages();
    Beep();
}

TEST(Timer, OwnerDestroyedFirstIsSafe)
{
    auto owner = std::make_unique<QObject>();
    TTimer timer(owner.get());
    timer.SetInterval(10);
    timer.SetOnTimer([] {});
    owner.reset();
    EXPECT_FALSE(timer.IsRunning());
    timer.SetEnabled(false);
    timer.SetEnabled(true);
}

// ---- manual clock --------------------------------------------------------------------------

TEST(ManualClock, TimersFireOnlyAsTheClockAdvances)
{
    TManualClock clock(1000);
    TTimer timer;
    std::vector<std::uint64_t> firedAt;
    timer.SetInterval(400);
    // The first tick switches to a shorter interval, as a key repeat does.
    timer.SetOnTimer([&] {
        firedAt.push_back(clock.Now());
        timer.SetInterval(100);
    });
    EXPECT_TRUE(timer.IsRunning());

    struct Step {
        int advance;
        std::vector<std::uint64_t> expected;
    };
    const std::vector<Step> steps = {
        {399, {}},
        {1, {1400}},
        {99, {1400}},
        {1, {1400, 1500}},
        {250, {1400, 1500, 1600, 1700}},
    };
    for (const Step& s : steps) {
        clock.Advance(s.advance);
        EXPECT_EQ(firedAt, s.expected) << "after advancing to " << clock.Now();
    }
    EXPECT_EQ(clock.Now(), 1750u);
    EXPECT_EQ(GetTickCount64(), 1750u);
    EXPECT_EQ(GetTickCount(), 1750u);

    timer.SetEnabled(false);
    clock.Advance(1000);
    EXPECT_EQ(firedAt.size(), 4u) << "a disabled timer stays silent";
}

TEST(ManualClock, TimersFireInTimeOrderAndMayDestroyEachOther)
{
    TManualClock clock;
    std::string order;
    TTimer a;
    auto b = std::make_unique<TTimer>();
    a.SetInterval(30);
    b->SetInterval(50);
    a.SetOnTimer([&] {
        order += 'a';
        if (clock.Now() == 90)
            b.reset();
    });
    b->SetOnTimer([&] { order += 'b'; });
    clock.Advance(120);
    // a at 30, 60, 90 (destroys b before its 100), 120; b at 50.
    EXPECT_EQ(order, "abaaa");
}

TEST(ManualClock, TakesOverRunningTimersAndGivesThemBack)
{
    TTimer timer;
    int ticks = 0;
    timer.SetInterval(5);
    timer.SetOnTimer([&] { ++ticks; });
    {
        TManualClock clock;
        QTest::qWait(40);
        EXPECT_EQ(ticks, 0) << "real time does not move a timer under the manual clock";
        clock.Advance(12);
        EXPECT_EQ(ticks, 2);
        EXPECT_THROW(TManualClock second, std::logic_error);
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks > 2; }, 2000)) << "back on real time";
}
