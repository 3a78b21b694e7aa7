#include "framework/Types.h"
#include <gtest/gtest.h>

using namespace fw;

TEST(Types, ColourComponentsAreBgr)
{
    constexpr TColor c = RGBToColor(0x12, 0x34, 0x56);
    EXPECT_EQ(c, 0x563412u);
    EXPECT_EQ(GetRValue(c), 0x12);
    EXPECT_EQ(GetGValue(c), 0x34);
    EXPECT_EQ(GetBValue(c), 0x56);
}

TEST(Types, RectRightAndBottomAreExclusive)
{
    const TRect r = Bounds(10, 20, 5, 4);
    EXPECT_EQ(r, Rect(10, 20, 15, 24));
    EXPECT_TRUE(r.Contains(Point(14, 23)));
    EXPECT_FALSE(r.Contains(Point(15, 23)));
    EXPECT_FALSE(r.Contains(Point(14, 24)));
}
