#include "framework/Screen.h"

#include <gtest/gtest.h>

using namespace fw;

TEST(Screen, WorkAreaOfTheMonitorHoldingOrNearestThePoint)
{
    TScopedMonitors monitors({{TRect(0, 0, 1280, 1024), TRect(0, 0, 1280, 984)},
                              {TRect(1280, 0, 3200, 1080), TRect(1300, 0, 3200, 1080)},
                              {TRect(-1024, 200, 0, 968), TRect(-1024, 200, 0, 940)}});
    struct TCase {
        TPoint p;
        TRect expected;
    };
    const TCase cases[] = {
        {{10, 10}, TRect(0, 0, 1280, 984)},
        {{1279, 1023}, TRect(0, 0, 1280, 984)},
        {{1280, 0}, TRect(1300, 0, 3200, 1080)},
        {{-5, 500}, TRect(-1024, 200, 0, 940)},
        {{5000, 500}, TRect(1300, 0, 3200, 1080)},   // right of everything: nearest
        {{100, 3000}, TRect(0, 0, 1280, 984)},       // below the primary
    };
    for (const TCase& c : cases)
        EXPECT_EQ(WorkAreaNear(c.p), c.expected) << c.p.X << "," << c.p.Y;
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024) << "the primary monitor's height";
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
}

TEST(Screen, GuardRestoresTheRealMonitors)
{
    const std::vector<TMonitorInfo> real = Monitors();
    {
        TScopedMonitors monitors({{TRect(0, 0, 10, 10), TRect(0, 0, 10, 10)}});
        EXPECT_EQ(Monitors().size(), 1u);
        EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 10);
    }
    EXPECT_EQ(Monitors(), real);
    EXPECT_GT(GetSystemMetrics(SM_CXVSCROLL), 0);
}
