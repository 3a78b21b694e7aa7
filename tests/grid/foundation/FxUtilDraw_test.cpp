#include "grid/foundation/FxUtilDraw.h"

#include "framework/LayeredWindow.h"
#include "framework/SysColors.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include <optional>
#include <set>

using namespace fw;
using namespace testsupport;

namespace {

// An offscreen image filled with one colour and a canvas over it.
class Surface {
public:
    Surface(int w, int h, TColor background = clWhite) : image(w, h, QImage::Format_RGB32)
    {
        image.fill(ToQColor(background));
        canvas = std::make_unique<TCanvas>(&image);
    }
    TCanvas& c() { return *canvas; }
    TColor at(int x, int y)
    {
        canvas->Release();
        return FromQColor(image.pixelColor(x, y));
    }
    // Bounding box of the pixels of `color`; empty when there are none.
    TRect boxOf(TColor color) { return canvas->Release(), toTRect(pixelBox(image, colorIs(color))); }
    int count(TColor color) { return canvas->Release(), countPixels(image, colorIs(color)); }
    // Box of every pixel that is not `background`.
    TRect boxOfNot(TColor background) { return canvas->Release(), toTRect(pixelBox(image, colorIsNot(background))); }

    QImage image;
    std::unique_ptr<TCanvas> canvas;
};

// ---- colour arithmetic

TEST(FxUtilDraw, ColourArithmetic)
{
    struct TCase {
        const char* name;
        TColor got, expected;
    };
    const std::vector<TCase> cases = {
        {"darken white", DarkenColorHalf(clWhite), 0x7F7F7F},
        {"darken resolves system colours", DarkenColorHalf(clBtnFace), DarkenColorHalf(ColorToRGB(clBtnFace))},
        {"lighten white stays white", ScaleColorByPercent(clWhite, 7), clWhite},
        {"lighten grey", ScaleColorByPercent(0x646464, 7), 0x6B6B6B},
        {"darken grey by 20", ScaleColorByPercent(0x808080, -20), 0x666666},
        {"darken below zero stays black", ScaleColorByPercent(0x102030, -150), 0x000000},
        {"components apart", ScaleColorByPercent(0x0000FF, 7), 0x0000FF},
        {"midpoint rounds to even", InterpolateColor(clBlack, clWhite, 0, 2, 1), 0x808080},
        {"start", InterpolateColor(0x102030, 0x405060, 0, 10, 0), 0x102030},
        {"end", InterpolateColor(0x102030, 0x405060, 0, 10, 10), 0x405060},
        {"no to colour keeps system colour", InterpolateColor(clBtnFace, clNone, 0, 2, 1), clBtnFace},
        {"equal ends", InterpolateColor(0x112233, clWhite, 5, 5, 5), 0x112233},
        {"past the end clamps", InterpolateColor(clBlack, clWhite, 0, 2, 4), clWhite},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got, c.expected) << c.name << std::hex << " got " << c.got;
}

// ---- gradients

TEST(FxUtilDraw, GradientFillRectRunsFromEdgeToEdge)
{
    Surface s(40, 20);
    GradientFillRect(s.c(), clBlack, clWhite, 16, TRect(0, 0, 33, 10), true);
    EXPECT_EQ(s.at(0, 0), clBlack);
    EXPECT_EQ(s.at(32, 9), clWhite);
    EXPECT_EQ(s.at(33, 0), clWhite) << "nothing beyond the rectangle (background is white too)";
    EXPECT_EQ(s.at(0, 10), clWhite);
    int previous = -1;
    std::set<TColor> bands;
    for (int x = 0; x < 33; ++x) {
        const int red = GetRValue(s.at(x, 5));
        EXPECT_GE(red, previous) << "x=" << x;
        EXPECT_EQ(s.at(x, 0), s.at(x, 9)) << "vertical strips";
        previous = red;
        bands.insert(s.at(x, 5));
    }
    EXPECT_EQ(bands.size(), 17u);   // steps 0..16

    Surface v(20, 40);
    GradientFillRect(v.c(), 0x0000FF, 0xFF0000, 8, TRect(2, 30, 12, 2), false);   // top and bottom swapped
    EXPECT_EQ(v.at(5, 2), 0x0000FFu);
    EXPECT_EQ(v.at(5, 29), 0xFF0000u);
    EXPECT_EQ(v.at(2, 10), v.at(11, 10)) << "horizontal strips";
    EXPECT_EQ(v.at(12, 10), clWhite);
}

TEST(FxUtilDraw, GradientFillRectEdgeCases)
{
    {   // one pixel high, vertical: one step, the last band wins
        Surface s(10, 5);
        GradientFillRect(s.c(), clBlack, 0x00FF00, 16, TRect(0, 1, 10, 2), false);
        EXPECT_EQ(s.count(0x00FF00), 10);
        EXPECT_EQ(s.at(0, 0), clWhite);
        EXPECT_EQ(s.at(0, 2), clWhite);
    }
    {   // a missing colour fills solid with the other one
        Surface s(10, 10);
        GradientFillRect(s.c(), clNone, 0x00FF00, 16, TRect(0, 0, 10, 10), true);
        EXPECT_EQ(s.count(0x00FF00), 100);
        GradientFillRect(s.c(), 0x0000FF, clNone, 16, TRect(0, 0, 5, 10), true);
        EXPECT_EQ(s.count(0x0000FF), 50);
    }
    {   // empty height draws nothing
        Surface s(10, 10);
        GradientFillRect(s.c(), clBlack, clBlack, 4, TRect(0, 3, 10, 3), true);
        EXPECT_EQ(s.count(clBlack), 0);
    }
}

TEST(FxUtilDraw, GradientsOverNoAreaDrawNothing)
{
    const TRect empty[] = {TRect(5, 2, 5, 8), TRect(2, 5, 8, 5), TRect(4, 4, 4, 4)};
    for (const TRect& r : empty)
        for (bool horizontal : {true, false}) {
            Surface s(10, 10);
            DrawStepGradient(s.c(), clBlack, clBlack, 128, r, horizontal);
            GradientFillRect(s.c(), clBlack, 0x000001, 128, r, horizontal);
            DrawGradientBox(s.c(), r, clBlack, 0x000001, clNone, clNone, !horizontal, clNone, false, true);
            EXPECT_EQ(s.count(clBlack) + s.count(0x000001), 0)
                << r.Left << "," << r.Top << "-" << r.Right << "," << r.Bottom << (horizontal ? " across" : " down");
        }
}

TEST(FxUtilDraw, StepGradientBands)
{
    Surface s(100, 10);
    DrawStepGradient(s.c(), clBlack, 0xFF0000, 4, TRect(0, 0, 81, 10), true);
    // Right reduced by one: 80 pixels, 4 bands of 20 (each one pixel wider, overlapping).
    struct TCase {
        int x;
        TColor expected;
    };
    const std::vector<TCase> cases = {
        {0, 0x000000}, {19, 0x000000}, {20, 0x400000}, {40, 0x800000}, {60, 0xBF0000}, {80, 0xBF0000}, {81, clWhite},
    };
    for (const auto& c : cases)
        EXPECT_EQ(s.at(c.x, 5), c.expected) << "x=" << c.x;
    EXPECT_EQ(s.at(10, 9), 0x000000u) << "full height";

    Surface v(10, 50);
    DrawStepGradient(v.c(), clWhite, clBlack, 0, TRect(0, 0, 10, 41), false);   // 0 steps counts as 1
    EXPECT_EQ(v.count(clBlack), 0);
}

TEST(FxUtilDraw, GradientBox)
{
    {   // mirrored halves, left and right when not vertical
        Surface s(40, 10);
        DrawGradientBox(s.c(), TRect(0, 0, 40, 10), 0x0000FF, 0x0000FF, 0x00FF00, 0x00FF00, false, clNone, false, true);
        EXPECT_EQ(s.boxOf(0x0000FF), TRect(0, 0, 20, 10));
        EXPECT_EQ(s.boxOf(0x00FF00), TRect(20, 0, 40, 10));
    }
    {   // solid with one extra pixel at the bottom, framed below it
        Surface s(20, 20);
        DrawGradientBox(s.c(), TRect(2, 2, 12, 12), 0x00FF00, clNone, clNone, clNone, false, 0xFF0000, false, true);
        EXPECT_EQ(s.boxOf(0xFF0000), TRect(2, 2, 12, 13));
        EXPECT_EQ(s.boxOf(0x00FF00), TRect(3, 3, 11, 12));
    }
    {   // sides only
        Surface s(20, 20);
        DrawGradientBox(s.c(), TRect(2, 2, 12, 12), clNone, clNone, clNone, clNone, false, 0xFF0000, true, true);
        EXPECT_EQ(s.count(0xFF0000), 20);
        EXPECT_EQ(s.at(2, 2), 0xFF0000u);
        EXPECT_EQ(s.at(11, 11), 0xFF0000u);
        EXPECT_EQ(s.at(5, 2), clWhite);
    }
}

TEST(FxUtilDraw, RoundedButtonFrame)
{
    const TColor face = 0x00FF00, upper = 0xFFFF00, lower = 0x00FFFF, border = 0x0000FF, corner = 0xFF00FF,
                 outer = 0x808080;
    struct TCase {
        const char* name;
        int endKind;
        bool leftRound, rightRound;
    };
    const std::vector<TCase> cases = {
        {"both", 0, true, true}, {"left", 1, true, false}, {"right", 2, false, true}, {"neither", 3, false, false},
    };
    for (const auto& c : cases) {
        Surface s(40, 30);
        DrawRoundedButtonFrame(s.c(), face, clNone, clNone, clNone, upper, lower, border, corner, outer,
                               TRect(0, 0, 31, 22), c.endKind);
        // L=0, T=0, Rr=30, Bb=20
        EXPECT_EQ(s.at(0, 0) == outer, c.leftRound) << c.name;
        EXPECT_EQ(s.at(29, 20) == outer, c.rightRound) << c.name;
        EXPECT_EQ(s.at(1, 1) == corner, c.leftRound) << c.name;
        EXPECT_EQ(s.at(28, 19) == corner, c.rightRound) << c.name;
        EXPECT_EQ(s.at(15, 0), border) << c.name;
        EXPECT_EQ(s.at(15, 20), border) << c.name;
        EXPECT_EQ(s.at(15, 1), upper) << c.name;
        EXPECT_EQ(s.at(15, 19), lower) << c.name;
        EXPECT_EQ(s.at(0, 10) == border, c.leftRound) << c.name;
        EXPECT_EQ(s.boxOf(face), TRect(c.leftRound ? 2 : 0, 2, c.rightRound ? 28 : 30, 19)) << c.name;
        EXPECT_EQ(s.at(15, 21), clWhite) << c.name;
    }
}

// ---- in-cell controls

TColorTones testTones()
{
    TColorTones t;
    t.Background = {0x00FF00, 0x0000FF, 0xFF0000};
    t.Hover = {0x00FFFF, 0x000080, clBlack};
    t.Selected = {0xFFFF00, 0x008000, clBlack};
    t.Disabled = {0xC0C0C0, 0x808080, clBlack};
    t.Foreground = {clBlack, clBlack, clBlack};
    return t;
}

TEST(FxUtilDraw, ComboButtonWithTones)
{
    const TRect cell(10, 10, 110, 30);
    struct TCase {
        std::uint8_t state;
        TColor brush;
    };
    for (const TCase& c : std::vector<TCase>{{0, 0x00FF00}, {1, 0x00FFFF}, {2, 0xFFFF00}, {3, 0xC0C0C0}}) {
        Surface s(120, 40);
        DrawCellComboButton(s.c(), nullptr, cell, testTones(), c.state, cblTones);
        // Button (Right-19, Top+1, Right-2, Bottom-1), left edge 3 further right.
        const TRect b(94, 11, 108, 29);
        EXPECT_EQ(s.boxOfNot(clWhite), b) << int(c.state);
        EXPECT_EQ(s.at(b.Left + 3, b.Top + 2), c.brush) << int(c.state);
        EXPECT_EQ(s.at(b.Left + 1, b.Top + 5), 0x0000FFu) << "border line";
        EXPECT_EQ(s.boxOf(0xFF0000), TRect(b.Left + 5, b.Top + 8, b.Left + 12, b.Top + 12)) << "triangle";
    }
}

TEST(FxUtilDraw, PushButtonAndSpinWithTones)
{
    {
        Surface s(60, 30);
        DrawCellPushButton(s.c(), nullptr, TRect(5, 5, 45, 25), testTones(), cbsHot, cblTones);
        EXPECT_EQ(s.boxOf(0x000080), TRect(5, 5, 45, 25));   // frame in the hover border colour
        EXPECT_EQ(s.boxOf(0x00FFFF), TRect(6, 6, 44, 24));
    }
    {
        Surface s(60, 40);
        const TRect cell(0, 5, 50, 35);
        DrawCellSpinButtons(s.c(), nullptr, cell, testTones(), cbsNormal, cblTones);
        // Pair (34, 4, 49, 34), middle 19: upper (34,4)-(49,19), lower from 20.
        EXPECT_EQ(s.boxOfNot(clWhite), TRect(34, 4, 49, 34));
        EXPECT_EQ(s.at(40, 19), clWhite) << "one pixel between the buttons";
        const TRect black = s.boxOf(clBlack);
        EXPECT_EQ(black, TRect(39, 7, 44, 24));   // both triangles, tips included
        EXPECT_EQ(s.at(41, 7), clBlack) << "upper tip";
        EXPECT_EQ(s.at(41, 21), clBlack);
    }
}

TEST(FxUtilDraw, InCellButtonsInEveryLookStayInTheirRectangles)
{
    QWidget window;
    const TRect cell(10, 10, 110, 32);
    for (std::uint8_t look : {cblThemed, cblClassic, cblFlat, cblTones}) {
        for (std::uint8_t state : {cbsNormal, cbsHot, cbsDown, cbsDisabled}) {
            {
                Surface s(130, 50, clWhite);
                DrawCellComboButton(s.c(), &window, cell, testTones(), state, look);
                const TRect box = s.boxOfNot(clWhite);
                EXPECT_FALSE(box.IsEmpty()) << int(look) << "/" << int(state);
                EXPECT_GE(box.Left, cell.Right - 19);
                EXPECT_LE(box.Right, cell.Right - 2);
                EXPECT_GE(box.Top, cell.Top + 1);
                EXPECT_LE(box.Bottom, cell.Bottom - 1);
            }
            {
                Surface s(130, 50, clWhite);
                DrawCellPushButton(s.c(), &window, cell, testTones(), state, look);
                const TRect box = s.boxOfNot(clWhite);
                EXPECT_FALSE(box.IsEmpty()) << int(look) << "/" << int(state);
                EXPECT_GE(box.Left, cell.Left);
                EXPECT_LE(box.Right, cell.Right);
            }
            {
                Surface s(130, 50, clWhite);
                DrawCellSpinButtons(s.c(), &window, cell, testTones(), state, look);
                const TRect box = s.boxOfNot(clWhite);
                EXPECT_FALSE(box.IsEmpty()) << int(look) << "/" << int(state);
                EXPECT_GE(box.Left, cell.Right - 16);
                EXPECT_LE(box.Right, cell.Right - 1);
                EXPECT_GE(box.Top, cell.Top - 1);
            }
        }
    }
}

TEST(FxUtilDraw, SmallDownTriangle)
{
    Surface s(20, 20);
    DrawSmallDownTriangle(s.c(), 10, 5, 0x0000FF);
    EXPECT_EQ(s.boxOf(0x0000FF), TRect(7, 5, 14, 9));
    EXPECT_EQ(s.at(10, 8), 0x0000FFu);
}

// ---- shapes

TEST(FxUtilDraw, CellShapes)
{
    const TColor brush = 0x00FF00, pen = 0x0000FF;
    struct TCase {
        const char* name;
        TCellShape shape;
        int w, h;
        TRect box;   // of everything drawn, with the shape at (10, 10)
    };
    const std::vector<TCase> cases = {
        {"rectangle inset by one", csRectangle, 30, 20, TRect(11, 11, 39, 29)},
        {"square uses the smaller side", csSquare, 30, 20, TRect(11, 11, 29, 29)},
        {"circle uses the smaller side", csCircle, 30, 20, TRect(10, 10, 30, 30)},
        {"ellipse", csEllips, 30, 20, TRect(10, 10, 40, 30)},
        {"vertical line", csLineVert, 30, 20, TRect(25, 10, 26, 30)},
        {"horizontal line", csLineHorz, 30, 20, TRect(10, 20, 40, 21)},
        {"round rectangle", csRoundRect, 30, 20, TRect(10, 10, 40, 30)},
        {"round square", csRoundSquare, 30, 20, TRect(10, 10, 30, 30)},
        {"triangle up", csTriangleUp, 20, 20, TRect(10, 10, 31, 31)},
        {"diamond", csDiamond, 21, 21, TRect(10, 10, 31, 31)},
        {"arrow up, odd width drops a pixel", csArrowUp, 21, 20, TRect(10, 10, 31, 31)},
        {"arrow left", csArrowLeft, 20, 21, TRect(10, 10, 31, 31)},
    };
    for (const auto& c : cases) {
        Surface s(60, 60);
        DrawCellShape(s.c(), 10, 10, c.w, c.h, c.shape, brush, pen);
        EXPECT_EQ(s.boxOfNot(clWhite), c.box) << c.name;
    }
    {   // the arrow with an odd width is the arrow of the even width below it
        Surface odd(60, 60), even(60, 60);
        DrawCellShape(odd.c(), 10, 10, 21, 20, csArrowUp, brush, pen);
        DrawCellShape(even.c(), 10, 10, 20, 20, csArrowUp, brush, pen);
        odd.c().Release();
        even.c().Release();
        EXPECT_EQ(odd.image, even.image);
    }
    {   // star: five points pointing up, filled, left and right halves alike
        Surface s(40, 40);
        DrawCellShape(s.c(), 0, 0, 32, 32, csStar, brush, pen);
        EXPECT_EQ(s.at(16, 0), pen) << "top point";
        EXPECT_EQ(s.at(16, 16), brush) << "centre filled";
        EXPECT_EQ(s.at(1, 11), pen) << "left point at 288 degrees";
        EXPECT_EQ(s.at(31, 11), pen) << "right point at 72 degrees";
        EXPECT_EQ(s.at(7, 29), pen) << "lower left point";
        EXPECT_EQ(s.at(25, 29), pen) << "lower right point";
        EXPECT_EQ(s.at(16, 30), clWhite) << "notch between the lower points";
        int left = 0, right = 0;
        for (int y = 0; y < 32; ++y)
            for (int dx = 1; dx < 16; ++dx) {
                left += s.at(16 - dx, y) != clWhite;
                right += s.at(16 + dx, y) != clWhite;
            }
        EXPECT_NEAR(left, right, 12);
    }
    {   // half star: the left half only
        Surface s(40, 40);
        DrawCellShape(s.c(), 0, 0, 32, 32, csHalfStar, brush, pen);
        const TRect box = s.boxOfNot(clWhite);
        EXPECT_EQ(box.Left, 1);
        EXPECT_LE(box.Right, 17);
    }
    {
        Surface s(40, 40);
        DrawCellShape(s.c(), 0, 0, 32, 32, TCellShape(19), brush, pen);
        EXPECT_TRUE(s.boxOfNot(clWhite).IsEmpty());
    }
}

// ---- progress indicators

TProgressBarLook plainLook()
{
    TProgressBarLook look;
    look.Level0Color = 0x00FF00;
    look.Level1Color = 0x00FFFF;
    look.Level2Color = 0x0080FF;
    look.Level3Color = 0x0000FF;
    look.Level1Perc = 70;
    look.Level2Perc = 90;
    look.UnCompleteColor = clWhite;
    look.BorderColor = clBlack;
    look.ShowBorder = true;
    look.ShowGradient = false;
    look.ShowPercentage = false;
    look.CompletionSmooth = true;
    return look;
}

TEST(FxUtilDraw, StyledProgressBarStackedFillsTheSpan)
{
    Surface s(120, 20, 0x808080);
    TProgressBarLook look = plainLook();
    look.Stacked = true;
    DrawStyledProgressBar(s.c(), TRect(0, 0, 102, 12), 100, look);   // span 100
    EXPECT_EQ(s.boxOf(0x00FF00), TRect(1, 1, 71, 11));
    EXPECT_EQ(s.boxOf(0x00FFFF), TRect(71, 1, 91, 11));
    EXPECT_EQ(s.boxOf(0x0000FF), TRect(91, 1, 101, 11));
    EXPECT_EQ(s.boxOf(clBlack), TRect(0, 0, 102, 12)) << "frame";
    EXPECT_EQ(s.count(clWhite), 0) << "nothing of the background left inside";
}

TEST(FxUtilDraw, StyledProgressBarLevelsAndBlocks)
{
    struct TCase {
        const char* name;
        int percentage;
        bool smooth;
        TColor color;
        TRect box;
    };
    const std::vector<TCase> cases = {
        {"smooth level 0", 50, true, 0x00FF00, TRect(1, 1, 51, 11)},
        {"smooth level 1", 70, true, 0x00FFFF, TRect(1, 1, 71, 11)},
        {"smooth level 2", 95, true, 0x0080FF, TRect(1, 1, 96, 11)},
        {"smooth level 3", 100, true, 0x0000FF, TRect(1, 1, 101, 11)},
        // T = 50: five blocks of 7 with 2-pixel gaps from x=2, then 5 mod 9 -> a last block of 4
        {"blocks", 50, false, 0x00FF00, TRect(2, 2, 51, 10)},
        {"one short block", 8, false, 0x00FF00, TRect(2, 2, 9, 10)},
        {"too little for a block", 1, false, 0x00FF00, TRect()},
        {"nothing at zero", 0, true, 0x00FF00, TRect()},
    };
    for (const auto& c : cases) {
        Surface s(120, 20, 0x808080);
        DrawStyledProgressBar(s.c(), TRect(0, 0, 102, 12), c.percentage, [&] {
            TProgressBarLook look = plainLook();
            look.CompletionSmooth = c.smooth;
            return look;
        }());
        EXPECT_EQ(s.boxOf(c.color), c.box) << c.name;
    }
    Surface s(120, 20, 0x808080);
    TProgressBarLook look = plainLook();
    look.CompletionSmooth = false;
    DrawStyledProgressBar(s.c(), TRect(0, 0, 102, 12), 50, look);
    EXPECT_EQ(s.count(0x00FF00), (5 * 7 + 4) * 8);
    EXPECT_EQ(s.at(9, 5), clWhite) << "gap after the first block";
}

TEST(FxUtilDraw, StyledProgressBarVertical)
{
    TProgressBarLook look = plainLook();
    look.Vertical = true;
    {   // smooth: grows up from the bottom inside the frame
        Surface s(20, 120, 0x808080);
        DrawStyledProgressBar(s.c(), TRect(0, 0, 12, 102), 50, look);
        EXPECT_EQ(s.boxOf(0x00FF00), TRect(1, 51, 11, 101));
    }
    {   // blocks: the first ends 2 pixels above the bottom
        Surface s(20, 120, 0x808080);
        look.CompletionSmooth = false;
        DrawStyledProgressBar(s.c(), TRect(0, 0, 12, 102), 20, look);
        // T = 20: two blocks of 7 from the bottom, then 20 mod 9 = 2 adds none.
        EXPECT_EQ(s.boxOf(0x00FF00), TRect(2, 84, 10, 100));
        EXPECT_EQ(s.at(5, 92), clWhite) << "gap between the blocks";
    }
}

TEST(FxUtilDraw, StyledProgressBarGradientAndText)
{
    Surface s(120, 30, 0x808080);
    TProgressBarLook look = plainLook();
    look.ShowGradient = true;
    look.Level0ColorTo = clBlack;
    look.Steps = 4;
    DrawStyledProgressBar(s.c(), TRect(0, 0, 102, 22), 50, look);
    // Upper half runs from colour-to down to the colour, lower half back again.
    EXPECT_EQ(s.at(20, 1), clBlack);
    EXPECT_EQ(s.at(20, 10), 0x00FF00u);
    EXPECT_EQ(s.at(20, 11), 0x00FF00u);
    EXPECT_EQ(s.at(20, 20), clBlack);

    Surface t(120, 30, 0x808080);
    TProgressBarLook withText = plainLook();
    withText.ShowPercentage = true;
    withText.CompleteFontColor = 0xFF0000;
    DrawStyledProgressBar(t.c(), TRect(0, 0, 102, 22), 0, withText);
    const TRect text = t.boxOf(0xFF0000);
    ASSERT_FALSE(text.IsEmpty()) << "0% is written";
    EXPECT_NEAR((text.Left + text.Right) / 2.0, 51, 3);
    EXPECT_EQ(t.count(0x00FF00), 0);
}

TEST(FxUtilDraw, SimpleProgressBar)
{
    Surface s(140, 30, 0x808080);
    s.c().Brush().Color = 0x808080;
    // Value 12.345 of 0..200 with one decimal: text "12.3", 6 percent done.
    DrawSimpleProgressBar(s.c(), TRect(0, 0, 104, 24), 0x00FF00, clWhite, clWhite, clBlack, 12.345, 2, 2, 0, 200,
                          "%.1f", 0x0000FF, false);
    // R shrinks to (2,2,102,22): done part is 6 pixels wide.
    EXPECT_EQ(s.boxOf(0x00FF00), TRect(2, 2, 8, 22));
    EXPECT_EQ(s.boxOf(0x0000FF), TRect(1, 1, 103, 23)) << "border one pixel outside";
    EXPECT_EQ(s.at(0, 0), 0x808080u) << "outer frame in the background colour";
    const TRect text = s.boxOf(clBlack);
    ASSERT_FALSE(text.IsEmpty());
    EXPECT_NEAR((text.Left + text.Right) / 2.0, 52, 4);

    Surface p(140, 30, 0x808080);
    DrawSimpleProgressBar(p.c(), TRect(0, 0, 104, 24), 0x00FF00, clWhite, clWhite, clBlack, 40, 2, 2, 0, 100, "", clNone,
                          false);
    EXPECT_EQ(p.boxOf(0x00FF00).Right, 42) << "40 % of 100 pixels";

    // Formats that do not fit, and an empty range, still paint.
    Surface q(140, 30);
    DrawSimpleProgressBar(q.c(), TRect(0, 0, 104, 24), 0x00FF00, clWhite, clWhite, clBlack, 5, 2, 2, 5, 5, "%s", clNone,
                          false);
    EXPECT_EQ(q.boxOf(0x00FF00), TRect(2, 2, 102, 22));
}

TEST(FxUtilDraw, PieAndSignedBar)
{
    {
        Surface s(40, 40);
        s.c().Brush().Color = clWhite;
        DrawPiePercentage(s.c(), TRect(0, 0, 31, 31), 0x00FF00, 25, false);
        // A quarter: the upper right part is filled, the rest not.
        EXPECT_EQ(s.at(22, 8), 0x00FF00u);
        EXPECT_EQ(s.at(8, 8), clWhite);
        EXPECT_EQ(s.at(22, 22), clWhite);
        EXPECT_EQ(s.at(15, 5), 0x808080u) << "radius to the top";
    }
    {
        Surface s(40, 40);
        s.c().Brush().Color = clWhite;
        DrawPiePercentage(s.c(), TRect(0, 0, 31, 31), 0x00FF00, 0, false);
        EXPECT_EQ(s.count(0x00FF00), 0);
    }
    struct TCase {
        double value;
        TColor color;
        TRect box;
    };
    // R (0,0,44,14) shrinks to (2,2,42,12); zero line at x = 22.
    const std::vector<TCase> bars = {
        {5, 0x00FF00, TRect(22, 2, 32, 12)},
        {-5, 0x0000FF, TRect(12, 2, 22, 12)},
        {50, 0x00FF00, TRect(22, 2, 42, 12)},
        {-50, 0x0000FF, TRect(2, 2, 22, 12)},
    };
    for (const auto& b : bars) {
        Surface s(50, 20);
        DrawSignedBar(s.c(), TRect(0, 0, 44, 14), b.value, 10, false, 0x0000FF, 0x00FF00);
        EXPECT_EQ(s.boxOfNot(clWhite), b.box) << b.value;
    }
    Surface z(50, 20);
    DrawSignedBar(z.c(), TRect(0, 0, 44, 14), 3, 0, true, 0x0000FF, 0x00FF00);
    EXPECT_TRUE(z.boxOfNot(clWhite).IsEmpty()) << "zero maximum";
}

// ---- bitmaps

TEST(FxUtilDraw, BitmapTransparentReplacesKeyColour)
{
    TBitmap bmp(4, 3);
    FillRectColor(bmp.Canvas(), TRect(0, 0, 4, 3), 0xFF00FF);
    bmp.Canvas().SetPixel(2, 1, 0x0000FF);
    Surface s(10, 10);
    DrawBitmapTransparent(s.c(), bmp, 0x00FF00, TRect(3, 3, 20, 20));
    EXPECT_EQ(s.boxOfNot(clWhite), TRect(3, 3, 7, 6)) << "copied in its own size";
    EXPECT_EQ(s.at(5, 4), 0x0000FFu);
    EXPECT_EQ(s.count(0x00FF00), 11);

    for (const char* name : {"SGLEAFCLOSE", "SGLEAFOPEN", "XPNODEC", "XPNODEO"}) {
        Surface g(20, 20, 0x123456);
        DrawResourceBitmapTransparent(g.c(), 0x123456, TRect(2, 2, 18, 18), name);
        EXPECT_EQ(g.count(0xFF00FF), 0) << name;
        EXPECT_FALSE(g.boxOfNot(0x123456).IsEmpty()) << name;
    }
    TBitmap none;
    EXPECT_FALSE(LoadGridResourceBitmap("NOSUCH", none));
}

TEST(FxUtilDraw, ErrorUnderline)
{
    QWidget parent;
    Surface s(200, 40);
    DrawErrorUnderline(&parent, s.c(), "hello wrold here", TRect(0, 0, 200, 24), 0, 6, 5);
    const TRect red = s.boxOf(0x0000FF);
    ASSERT_FALSE(red.IsEmpty());
    EXPECT_GT(red.Left, 10) << "starts under the wrong word";
    EXPECT_LT(red.Right, 150);
    EXPECT_GE(red.Height(), 3) << "wavy";
    EXPECT_TRUE(parent.findChildren<QWidget*>().isEmpty()) << "the probe edit is gone";
}

// ---- clipboard

TEST(FxUtilDraw, ClipboardHtmlOffsets)
{
    struct TCase {
        const char* name;
        QString fragment;
        int fragmentBytes;
    };
    const std::vector<TCase> cases = {
        {"empty", "", 0},
        {"ascii", "<b>x</b>", 8},
        {"latin-1 letter", QString::fromUtf8("é"), 6},               // &#233;
        {"beyond latin-1", QString::fromUtf8("€"), 7},               // &#8364;
        {"surrogate pair", QString::fromUtf8("\xF0\x9F\x98\x80"), 9},  // &#128512;
    };
    for (const auto& c : cases) {
        QString text = c.fragment;
        WrapClipboardHtml(text);
        const QByteArray bytes = ClipboardHtmlBytes(c.fragment);
        EXPECT_EQ(bytes, text.toUtf8()) << c.name << ": pure ASCII, same bytes in any encoding";
        auto field = [&](const char* key) {
            const int at = int(bytes.indexOf(key)) + int(strlen(key));
            return bytes.mid(at, 8).toInt();
        };
        EXPECT_EQ(field("StartHTML:"), 97) << c.name;
        EXPECT_EQ(field("StartFragment:"), 274) << c.name;
        EXPECT_EQ(field("EndFragment:"), 274 + c.fragmentBytes) << c.name;
        EXPECT_EQ(field("EndHTML:"), 306 + c.fragmentBytes) << c.name;
        EXPECT_EQ(bytes.size(), 306 + c.fragmentBytes) << c.name;
        EXPECT_TRUE(bytes.mid(97).startsWith("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">"));
        EXPECT_TRUE(bytes.left(274).endsWith("<!--StartFragment-->")) << c.name;
        EXPECT_TRUE(bytes.mid(274 + c.fragmentBytes).startsWith("<!--EndFragment-->")) << c.name;
    }
    EXPECT_TRUE(ClipboardHtmlBytes("").startsWith("Version:1.0\r\nStartHTML:00000097\r\nEndHTML:00000306\r\n"
                                                   "StartFragment:00000274\r\nEndFragment:00000274\r\n"));
}

TEST(FxUtilDraw, LayeredWindowCalls)
{
    QWidget w;
    EXPECT_TRUE(CallSetLayeredWindowAttributes(&w, clNone, 128, LWA_ALPHA));
    EXPECT_NEAR(w.windowOpacity(), 128 / 255.0, 0.01);
    EXPECT_TRUE(CallSetLayeredWindowAttributes(nullptr, clNone, 128, LWA_ALPHA));
    QImage img(30, 20, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::red);
    const TPoint at(5, 7);
    EXPECT_TRUE(CallUpdateLayeredWindow(&w, &at, img, 200, ULW_ALPHA));
    EXPECT_EQ(w.size(), QSize(30, 20));
    EXPECT_EQ(w.pos(), QPoint(5, 7));

    // A layered window shows the pixels at the constant alpha.
    TLayeredWindow layered;
    EXPECT_TRUE(CallUpdateLayeredWindow(&layered, &at, img, 128, ULW_ALPHA));
    EXPECT_EQ(layered.size(), QSize(30, 20));
    EXPECT_EQ(layered.pos(), QPoint(5, 7));
    EXPECT_EQ(layered.Content().pixel(3, 3), qRgba(128, 0, 0, 128));
}

} // namespace
