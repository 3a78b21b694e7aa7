#include "framework/TickSource.h"

#include <gtest/gtest.h>

#include <vector>

using namespace fw;

TEST(TickSource, ManualTimeFiresDueTimersInOrder)
{
    TManualTickSource clock(5000);
    TScopedTickSource scope(clock);
    EXPECT_EQ(TickCount(), 5000u);

    std::vector<std::pair<char, std::uint32_t>> fired;
    TTickTimer fast, slow;
    fast.SetInterval(100);
    slow.SetInterval(250);
    fast.SetOnTimer([&] { fired.push_back({'f', TickCount()}); });
    slow.SetOnTimer([&] { fired.push_back({'s', TickCount()}); });
    fast.SetEnabled(true);
    slow.SetEnabled(true);

    clock.Advance(99);
    EXPECT_TRUE(fired.empty());
    clock.Advance(201);   // to 5300
    const std::vector<std::pair<char, std::uint32_t>> expected = {
        {'f', 5100}, {'f', 5200}, {'s', 5250}, {'f', 5300}};
    EXPECT_EQ(fired, expected);
    EXPECT_EQ(TickCount(), 5300u);
}

TEST(TickSource, EnablingARunningTimerKeepsItsPhaseAndStoppingCancels)
{
    TManualTickSource clock;
    TScopedTickSource scope(clock);
    int ticks = 0;
    TTickTimer timer;
    timer.SetInterval(500);
    timer.SetOnTimer([&] { ++ticks; });
    timer.SetEnabled(true);
    clock.Advance(300);
    timer.SetEnabled(true);   // no restart: still due at 500
    clock.Advance(200);
    EXPECT_EQ(ticks, 1);

    // A handler that stops its own timer fires once.
    timer.SetOnTimer([&] {
        ++ticks;
        timer.SetEnabled(false);
    });
    clock.Advance(2000);
    EXPECT_EQ(ticks, 2);
    EXPECT_FALSE(timer.IsRunning());
    EXPECT_EQ(clock.ScheduledCount(), 0);
}

TEST(TickSource, DifferenceSurvivesTheCounterWrap)
{
    TManualTickSource clock(0xFFFFFF00u);
    TScopedTickSource scope(clock);
    const std::uint32_t start = TickCount();
    clock.Advance(0x180);
    EXPECT_EQ(TickCount(), 0x80u);
    EXPECT_EQ(TicksBetween(start, TickCount()), 0x180u);
}

TEST(TickSource, ScopeRestoresTheSystemTickAndOrphansStop)
{
    TTickSource* system = &CurrentTickSource();
    TTickTimer timer;
    {
        TManualTickSource clock;
        TScopedTickSource scope(clock);
        EXPECT_NE(&CurrentTickSource(), system);
        timer.SetInterval(10);
        timer.SetOnTimer([] {});
        timer.SetEnabled(true);
        EXPECT_TRUE(timer.IsRunning());
    }
    EXPECT_EQ(&CurrentTickSource(), system);
    EXPECT_FALSE(timer.IsRunning()) << "its source is gone";
}
