#include "grid/foundation/GridFocusWindow.h"

#include "framework/Canvas.h"

#include <QImage>
#include <gtest/gtest.h>

#include <vector>

using namespace fw;

namespace {

// A 24-bit bitmap of w x h in one grey level.
void greyBitmap(TBitmap& bmp, int w, int h, int level)
{
    bmp.SetPixelFormat(pf24bit);
    bmp.SetSize(w, h);
    bmp.Canvas().Brush().Color = RGBToColor(level, level, level);
    bmp.Canvas().FillRect(TRect(0, 0, w, h));
    bmp.Canvas().Release();
}

int redAt(const TBitmap& bmp, int x, int y) { return bmp.ScanLine(y)[3 * x + 2]; }

} // namespace

TEST(BlurKernel, SizeFollowsTheRadius)
{
    struct Case {
        double radius;
        int size;
    };
    // Offset 10 always goes first, so no radius keeps all ten.
    const std::vector<Case> cases = {{3, 8}, {1, 2}, {0.5, 1}, {4, 9}, {7.5, 9}, {100, 9}};
    for (const Case& c : cases) {
        const TBlurKernel k = BuildBlurKernel(c.radius);
        EXPECT_EQ(k.Size, c.size) << "radius " << c.radius;
        double sum = 0;
        for (int j = -k.Size; j <= k.Size; ++j)
            sum += k.Weight(j);
        EXPECT_NEAR(sum, 1.0, 1e-6) << "the kept weights are normalised again";
        EXPECT_FLOAT_EQ(k.Weight(1), k.Weight(-1));
        EXPECT_GT(k.Weight(0), k.Weight(1));
    }
}

TEST(BlurKernel, ClampsKeepIndexAndChannelInRange)
{
    struct IndexCase {
        int value, expected;
    };
    for (const IndexCase& c : std::vector<IndexCase>{{-3, 0}, {0, 0}, {7, 7}, {9, 9}, {12, 9}})
        EXPECT_EQ(ClampIndex(0, 9, c.value), c.expected) << c.value;
    struct ChannelCase {
        float x;
        int expected;
    };
    for (const ChannelCase& c :
         std::vector<ChannelCase>{{-0.5f, 0}, {0.f, 0}, {127.9f, 127}, {254.99f, 254}, {255.f, 255}, {300.f, 255}})
        EXPECT_EQ(ClampChannel(0, 255, c.x), c.expected) << c.x;
}

TEST(BlurLine, ReadsUnblurredNeighboursAndRepeatsTheEnds)
{
    // One white pixel in black: it spreads symmetrically, and the total stays
    // about the same (each position reads the original line).
    std::vector<TBlurPixel> line(21);
    line[10] = {255, 255, 255};
    const TBlurKernel k = BuildBlurKernel(1);
    BlurLine(line.data(), int(line.size()), k);
    EXPECT_EQ(line[9], line[11]);
    EXPECT_GT(line[10].R, line[9].R);
    EXPECT_EQ(line[10].R, int(255 * k.Weight(0)));
    EXPECT_EQ(line[0].R, 0);

    // A white end stays white: positions beyond it read the end pixel.
    std::vector<TBlurPixel> edge(8, TBlurPixel{255, 255, 255});
    BlurLine(edge.data(), int(edge.size()), BuildBlurKernel(3));
    for (const TBlurPixel& p : edge)
        EXPECT_EQ(p.R, 255);
}

TEST(BlurBitmap, UniformAreasKeepTheirValue)
{
    for (const int level : {255, 0, 128}) {
        TBitmap bmp;
        greyBitmap(bmp, 60, 50, level);
        BlurBitmap24(bmp, 3);
        for (const auto& [x, y] : std::vector<std::pair<int, int>>{{0, 0}, {30, 25}, {59, 49}, {15, 40}})
            EXPECT_EQ(redAt(bmp, x, y), level) << level << " at " << x << "," << y;
    }
}

TEST(BlurBitmap, InteriorRowsAndColumnsCopyRowAndColumnFifteen)
{
    struct Case {
        int w, h;
        bool shortcut;
    };
    // 41 rows or fewer: every row blurred; from 42 on, rows 21 .. h - 21 copy row 15.
    for (const Case& c : std::vector<Case>{{50, 41, false}, {50, 42, true}, {50, 60, true}}) {
        TBitmap bmp;
        greyBitmap(bmp, c.w, c.h, 0);
        // A detail that only a real blur of row 21 would show: a white dot there.
        bmp.ScanLine(21)[3 * 5 + 2] = 255;
        bmp.ScanLine(21)[3 * 5 + 1] = 255;
        bmp.ScanLine(21)[3 * 5] = 255;
        BlurBitmap24(bmp, 1);
        bool row21EqualsRow15 = true;
        for (int x = 0; x < c.w; ++x)
            row21EqualsRow15 = row21EqualsRow15 && redAt(bmp, x, 21) == redAt(bmp, x, 15);
        EXPECT_EQ(row21EqualsRow15, c.shortcut) << c.w << " x " << c.h;
    }
    // Columns likewise: a dot in column 25 of a wide bitmap is gone.
    TBitmap wide;
    greyBitmap(wide, 60, 10, 0);
    wide.ScanLine(5)[3 * 25 + 2] = 255;
    BlurBitmap24(wide, 1);
    EXPECT_EQ(redAt(wide, 25, 5), redAt(wide, 15, 5));
}

TEST(BlurBitmap, RefusesOtherPixelFormats)
{
    TBitmap bmp(10, 10);
    try {
        BlurBitmap24(bmp, 3);
        FAIL() << "a device bitmap was blurred";
    } catch (const EFxFocusError& e) {
        EXPECT_EQ(e.Message(), "Blur only works for 24-bit bitmaps");
    }
}

TEST(RoundRectMask, WhiteFrameOnBlack)
{
    // The grid's frame: cell 80 x 20 plus 9, pen 4, corner 5.
    TBitmap mask;
    BuildRoundRectMask(mask, 89, 29, 4, 5, 0);
    EXPECT_EQ(mask.PixelFormat(), pf24bit);
    EXPECT_EQ(mask.Width(), 89);
    EXPECT_EQ(mask.Height(), 29);
    // The outline runs around (4, 4) .. (85, 25): its middle lies at 4 and 84.
    EXPECT_EQ(redAt(mask, 44, 4), 255);
    EXPECT_EQ(redAt(mask, 4, 14), 255);
    EXPECT_EQ(redAt(mask, 84, 14), 255);
    EXPECT_EQ(redAt(mask, 44, 14), 0) << "an outline, not a filled shape";
    EXPECT_EQ(redAt(mask, 0, 0), 0);
    EXPECT_EQ(redAt(mask, 88, 28), 0);

    // Below pen width 1 the shape is filled.
    BuildRoundRectMask(mask, 40, 30, 0, 5, 0);
    EXPECT_EQ(redAt(mask, 20, 15), 255);
    EXPECT_EQ(redAt(mask, 0, 15), 0);

    // Blurred, the frame glows: softened at its middle, fading outwards and
    // inwards, nothing left in the middle of the cell.
    BuildRoundRectMask(mask, 89, 29, 4, 5, 3);
    EXPECT_LT(redAt(mask, 44, 4), 255);
    EXPECT_GT(redAt(mask, 44, 1), 0);
    EXPECT_LT(redAt(mask, 44, 1), redAt(mask, 44, 4));
    EXPECT_LT(redAt(mask, 44, 8), redAt(mask, 44, 4));
}

TEST(AlphaMask, MergePremultipliesByTheMasksRed)
{
    struct Case {
        int maskLevel;
        TColor colour;
        QRgb expected;   // premultiplied
    };
    const std::vector<Case> cases = {
        {255, RGBToColor(0x97, 0xD3, 0xFD), qRgba(0x97, 0xD3, 0xFD, 255)},
        {0, RGBToColor(0x97, 0xD3, 0xFD), qRgba(0, 0, 0, 0)},
        // 128 / 255 of each channel, rounded: 151 -> 76, 211 -> 106, 253 -> 127.
        {128, RGBToColor(0x97, 0xD3, 0xFD), qRgba(76, 106, 127, 128)},
    };
    for (const Case& c : cases) {
        TBitmap mask, colour;
        greyBitmap(mask, 4, 3, c.maskLevel);
        colour.SetPixelFormat(pf24bit);
        colour.SetSize(4, 3);
        colour.Canvas().Brush().Color = c.colour;
        colour.Canvas().FillRect(TRect(0, 0, 4, 3));
        TGridAlphaMask alpha;
        alpha.MergeMask(mask, colour, clRed);
        EXPECT_EQ(alpha.Width(), 4);
        EXPECT_EQ(alpha.Height(), 3);
        const auto* px = reinterpret_cast<const QRgb*>(alpha.ScanLine(2));
        EXPECT_EQ(px[3], c.expected) << "mask " << c.maskLevel;
    }
}

TEST(AlphaMask, MergeNeedsA24BitBitmap)
{
    TBitmap mask, colour(5, 5);
    greyBitmap(mask, 5, 5, 255);
    TGridAlphaMask alpha;
    alpha.MergeMask(mask, colour, clNone);
    EXPECT_TRUE(alpha.Empty()) << "a device bitmap merges nothing";

    // A mask smaller than the colour bitmap gives transparency outside it.
    TBitmap small, big;
    greyBitmap(small, 2, 2, 255);
    greyBitmap(big, 4, 4, 200);
    alpha.MergeMask(small, big, clNone);
    EXPECT_EQ(reinterpret_cast<const QRgb*>(alpha.ScanLine(1))[1], qRgba(200, 200, 200, 255));
    EXPECT_EQ(reinterpret_cast<const QRgb*>(alpha.ScanLine(3))[3], qRgba(0, 0, 0, 0));
}

TEST(AlphaMask, NewMaskIsOpaque32Bit)
{
    TGridAlphaMask alpha;
    EXPECT_EQ(alpha.Opacity(), 255);
    EXPECT_EQ(alpha.PixelFormat(), pf32bit);
    TBitmap plain(3, 3);
    alpha.Assign(plain);
    EXPECT_EQ(alpha.PixelFormat(), pf32bit) << "any assigned picture becomes 32-bit";
    EXPECT_EQ(alpha.Width(), 3);
}

TEST(AlphaMask, AssignCopiesOnlyWhatFits)
{
    const auto filled = [](TGridAlphaMask& m, int w, int h, QRgb px, std::uint8_t opacity) {
        m.SetSize(w, h);
        for (int y = 0; y < h; ++y) {
            auto* row = reinterpret_cast<QRgb*>(m.ScanLine(y));
            std::fill(row, row + w, px);
        }
        m.SetOpacity(opacity);
    };
    TGridAlphaMask big, small;
    filled(big, 6, 5, qRgba(1, 2, 3, 4), 255);
    filled(small, 3, 2, qRgba(9, 9, 9, 9), 40);

    big.Assign(small);
    EXPECT_EQ(big.Opacity(), 40);
    EXPECT_EQ(big.Width(), 6) << "the receiving mask keeps its size";
    EXPECT_EQ(reinterpret_cast<const QRgb*>(big.ScanLine(1))[2], qRgba(9, 9, 9, 9));
    EXPECT_EQ(reinterpret_cast<const QRgb*>(big.ScanLine(1))[3], qRgba(1, 2, 3, 4)) << "beyond the source's width";
    EXPECT_EQ(reinterpret_cast<const QRgb*>(big.ScanLine(4))[0], qRgba(1, 2, 3, 4)) << "beyond the source's height";

    filled(big, 6, 5, qRgba(1, 2, 3, 4), 77);
    small.Assign(big);
    EXPECT_EQ(small.Width(), 3);
    EXPECT_EQ(small.Opacity(), 77);
    EXPECT_EQ(reinterpret_cast<const QRgb*>(small.ScanLine(1))[2], qRgba(1, 2, 3, 4));

    // Any other picture is copied whole, and the mask stays 32-bit.
    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(7, 4);
    small.Assign(picture);
    EXPECT_EQ(small.Width(), 7);
    EXPECT_EQ(small.Height(), 4);
    EXPECT_EQ(small.PixelFormat(), pf32bit);
}

TEST(FocusWindow, FloatingFrameWindowAndSwitch)
{
    TGridFocusWindow window;
    EXPECT_EQ(window.size(), QSize(0, 0));
    EXPECT_EQ(window.Color(), 0x0000FFu);
    EXPECT_FALSE(window.isEnabled()) << "the frame takes no input";
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::Tool));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));

    TFocusHelper helper;
    EXPECT_FALSE(helper.Enabled());
    TFocusHelper other;
    other.SetEnabled(true);
    helper.Assign(other);
    EXPECT_TRUE(helper.Enabled());
}

TEST(FocusWindow, ShowsTheMergedFrameAtItsOpacity)
{
    // The grid's pipeline: mask, colour, merge, opacity 230.
    TBitmap mask, colour;
    BuildRoundRectMask(mask, 89, 29, 4, 5, 3);
    colour.SetPixelFormat(pf24bit);
    colour.SetSize(89, 29);
    colour.Canvas().Brush().Color = 0xFDD397;
    colour.Canvas().FillRect(TRect(0, 0, 89, 29));
    TGridAlphaMask alpha;
    alpha.MergeMask(mask, colour, clNone);
    alpha.SetOpacity(230);
    TGridFocusWindow window;
    window.UpdateLayered(alpha.ToImage(), alpha.Opacity());
    EXPECT_EQ(window.size(), QSize(89, 29));
    const QImage content = window.Content();
    const int maskAt = redAt(mask, 44, 4);
    const int a = (maskAt * 230 * 2 + 255) / 510;
    EXPECT_NEAR(qAlpha(content.pixel(44, 4)), a, 1);
    // Premultiplied blue of $FDD397 (blue FD) over the frame line.
    EXPECT_NEAR(qBlue(content.pixel(44, 4)), (0xFD * a * 2 + 255) / 510, 1);
    EXPECT_EQ(qAlpha(content.pixel(44, 14)), 0) << "the cell itself stays clear";
}
