#include "framework/Timer.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

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
