// Pixel tests of the button face: every style in its states on an off-screen
// bitmap, the 32-band gradient, the hover blend, glyph choice, caption
// shortening and placement, the disabled look.
#include "controls/buttons/LbButtonFace.h"
#include "controls/buttons/LbGlyphs.h"
#include "framework/Canvas.h"
#include "framework/SysColors.h"
#include "support/TestSupport.h"

#include <QImage>
#include <gtest/gtest.h>

#include <optional>

using fw::TColor;

namespace {

constexpr TColor kMarker = 0xFF00FF;   // what lies under the face
constexpr TColor kFace = 0x405060;
constexpr TColor kHot = 0x00FFFF;
constexpr TColor kDown = 0x0080FF;
constexpr TColor kLight = 0xE0E0E0;
constexpr TColor kShadow = 0x202020;
constexpr int W = 100;
constexpr int H = 23;

struct Surface {
    fw::TBitmap bitmap;
    Surface(int w = W, int h = H) : bitmap(w, h)
    {
        fw::TCanvas& c = bitmap.Canvas();
        c.Brush().Color = kMarker;
        c.FillRect(fw::TRect(0, 0, w, h));
    }
    fw::TCanvas& canvas() { return bitmap.Canvas(); }
    TColor at(int x, int y) { return bitmap.Canvas().Pixel(x, y); }
    QImage image()
    {
        bitmap.Canvas().Release();
        return bitmap.ToImage();
    }
};

TLbFace baseFace(TLbButtonStyle style)
{
    TLbFace f;
    f.Width = W;
    f.Height = H;
    f.Style = style;
    f.Color = kFace;
    f.HotTrackColor = kHot;
    f.ColorWhenDown = kDown;
    f.LightColor = kLight;
    f.ShadowColor = kShadow;
    f.Font.Color = fw::clBlack;
    return f;
}

// Bounding box of the pixels whose colour is `ink`; nullopt when none.
std::optional<QRect> inkBox(const QImage& img, TColor ink, const QRect& area = QRect())
{
    const QRect box = testsupport::pixelBox(img, testsupport::rgbIs(fw::ToQColor(ink).rgb()), area);
    return box.isNull() ? std::nullopt : std::optional<QRect>(box);
}

// A strip of `count` solid squares of `size`, each with the glyph background
// in its lower-left corner so the corner is see-through.
void solidStrip(fw::TBitmap& strip, const std::vector<TColor>& colours, int size)
{
    strip.SetSize(size * int(colours.size()), size);
    fw::TCanvas& c = strip.Canvas();
    for (std::size_t i = 0; i < colours.size(); ++i) {
        c.Brush().Color = colours[i];
        c.FillRect(fw::TRect(int(i) * size, 0, int(i + 1) * size, size));
        c.SetPixel(int(i) * size, size - 1, LbGlyphBackground);
    }
    c.Release();
}

} // namespace

TEST(LbBlend, MixesChannelsByStepAndTruncates)
{
    struct Case {
        TColor color, hot;
        int step;
        TColor expected;
    };
    const Case cases[] = {
        {0x000000, 0xFFFFFF, 0, 0x000000},
        {0x000000, 0xFFFFFF, 8, 0xFFFFFF},
        {0x000000, 0xFFFFFF, 4, 0x7F7F7F},        // 127.5 truncated
        {0x102030, 0x30A0F0, 4, 0x206090},        // channel-wise mean
        {0x0000FF, 0x00FF00, 1, 0x001FDF},        // 255*7/8 = 223.125, 255/8 = 31.875
        {fw::clBtnFace, fw::clBtnFace, 3, fw::ColorToRGB(fw::clBtnFace)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BlendLbHotTrackColor(c.color, c.hot, c.step), c.expected) << std::hex << c.color << " step " << c.step;
}

TEST(LbGradient, ThirtyTwoBandsNeverReachTheEndColour)
{
    // 62 rows, red 0 -> 62: the bands are 3 rows high, start every 2 rows and
    // step red by 2; band 31 starts at the bottom edge and is cut away.
    Surface s(10, 70);
    DrawLbGradient(s.canvas(), 0x000000, 0x00003E, 2, 0, 8, 62);
    for (int y = 0; y < 62; ++y) {
        EXPECT_EQ(s.at(4, y), fw::RGBToColor(2 * (y / 2), 0, 0)) << "row " << y;
        EXPECT_EQ(s.at(1, y), kMarker);
        EXPECT_EQ(s.at(8, y), kMarker);
    }
    EXPECT_EQ(s.at(4, 62), kMarker);
}

TEST(LbGradient, ShortAreaKeepsTheLastBandStartingOnEachRow)
{
    // 10 rows, red 0 -> 31 (one step per band): row y shows band 3y+2.
    Surface s(4, 12);
    DrawLbGradient(s.canvas(), 0x000000, 0x00001F, 0, 1, 4, 11);
    for (int y = 0; y < 10; ++y)
        EXPECT_EQ(s.at(0, 1 + y), fw::RGBToColor(3 * y + 3, 0, 0)) << "row " << y;
    EXPECT_EQ(s.at(0, 0), kMarker);
    EXPECT_EQ(s.at(0, 11), kMarker);
}

TEST(LbFace, EveryStyleInEveryState)
{
    enum State { Normal, Hot, Pressed, Disabled, FlatIdle, FlatHot, FlatDisabled };
    struct Probe {
        int x, y;
        TColor colour;
    };
    struct Case {
        const char* name;
        TLbButtonStyle style;
        State state;
        std::vector<Probe> probes;
    };
    const TColor dk = fw::ColorToRGB(fw::cl3DDkShadow);
    const std::vector<Probe> raised = {{0, 0, kLight}, {0, H - 1, kLight}, {50, 0, kLight}, {W - 1, 0, kShadow},
                                       {W - 1, H - 1, kShadow}, {50, H - 1, kShadow}};
    const std::vector<Probe> sunken = {{0, 0, kShadow}, {0, H - 1, kShadow}, {50, 0, kShadow}, {W - 1, 0, kLight},
                                       {W - 1, H - 1, kLight}, {50, H - 1, kLight}};
    auto with = [](std::vector<Probe> v, std::initializer_list<Probe> more) {
        v.insert(v.end(), more);
        return v;
    };
    const Case cases[] = {
        {"normal", bsNormal, Normal, with(raised, {{50, 11, kFace}})},
        {"normal hot", bsNormal, Hot, with(raised, {{50, 11, kHot}})},
        {"normal pressed", bsNormal, Pressed, with(sunken, {{50, 11, kDown}})},
        {"normal disabled", bsNormal, Disabled, with(raised, {{50, 11, kFace}})},
        {"encarta", bsEncarta, Normal, with(raised, {{50, 11, kFace}})},
        {"encarta hot", bsEncarta, Hot, with(raised, {{50, 11, kHot}})},
        {"encarta pressed", bsEncarta, Pressed, with(sunken, {{50, 11, kDown}})},
        {"encarta disabled", bsEncarta, Disabled, with(raised, {{50, 11, kFace}})},
        {"old", bsOld, Normal,
         {{50, 11, kFace}, {0, 0, kLight}, {50, 0, kLight}, {W - 1, 5, dk}, {50, H - 1, dk}, {W - 2, 5, kShadow},
          {50, H - 2, kShadow}}},
        {"old pressed", bsOld, Pressed,
         {{50, 11, kDown}, {0, 5, dk}, {50, 0, dk}, {W - 1, 5, kLight}, {50, H - 1, kLight}, {1, 5, kShadow},
          {50, 1, kShadow}}},
        {"old disabled", bsOld, Disabled, {{50, 11, kFace}, {0, 5, kLight}, {W - 1, 5, dk}}},
        {"modern", bsModern, Normal, {{1, 11, kFace}, {0, 11, kShadow}, {50, 0, kShadow}, {0, 0, kMarker}}},
        {"modern hot", bsModern, Hot, {{1, 11, kHot}, {0, 11, kShadow}}},
        {"modern pressed", bsModern, Pressed, {{1, 11, kShadow}, {0, 11, kShadow}}},
        {"modern disabled", bsModern, Disabled, {{1, 11, kFace}, {0, 11, kShadow}}},
        {"shape", bsShape, Normal, {{0, 0, kMarker}, {50, 11, kMarker}, {W - 1, H - 1, kMarker}}},
        {"shape hot", bsShape, Hot, {{50, 11, kMarker}, {0, 0, kMarker}}},
        {"shape pressed", bsShape, Pressed, {{50, 11, kMarker}}},
        {"quicken", bsQuicken, Normal,
         {{50, 11, kFace}, {50, 0, kShadow}, {50, H - 1, kShadow}, {4, 0, kShadow}, {2, 0, kMarker},
          {W - 4, 0, kMarker}, {0, 1, kMarker}}},
        {"quicken hot", bsQuicken, Hot, {{50, 11, kHot}, {50, 0, kShadow}}},
        {"quicken pressed", bsQuicken, Pressed, {{50, 11, kDown}, {50, 0, kShadow}}},
        {"quicken disabled", bsQuicken, Disabled, {{50, 11, kFace}}},
        {"flat idle", bsNormal, FlatIdle, {{0, 0, kFace}, {W - 1, H - 1, kFace}, {50, 11, kFace}}},
        {"flat hot", bsNormal, FlatHot, with(raised, {{50, 11, kHot}})},
        {"flat disabled", bsNormal, FlatDisabled, {{0, 0, kFace}, {W - 1, H - 1, kFace}}},
        {"flat old idle", bsOld, FlatIdle, {{0, 0, kFace}, {W - 2, 5, kFace}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TLbFace f = baseFace(c.style);
        f.HotTrackStep = 0;
        switch (c.state) {
        case Normal:
            break;
        case Hot:
        case FlatHot:
            f.Hot = true;
            f.HotTrackStep = LbHotTrackSteps;
            break;
        case Pressed:
            f.Pressed = true;
            break;
        case Disabled:
        case FlatDisabled:
            f.Enabled = false;
            f.Hot = true;
            f.Pressed = true;
            f.HotTrackStep = LbHotTrackSteps;
            break;
        case FlatIdle:
            break;
        }
        f.Flat = c.state == FlatIdle || c.state == FlatHot || c.state == FlatDisabled;
        Surface s;
        DrawLbButtonFace(s.canvas(), f);
        for (const Probe& p : c.probes)
            EXPECT_EQ(s.at(p.x, p.y), p.colour) << "at " << p.x << "," << p.y;
    }
}

TEST(LbFace, ModernGradientTurnsAtAQuarterOfTheHeight)
{
    // Light E0E0E0 down to the face 405060 and back: the two rows around the
    // turn are one band away from the face colour (both gradients' first
    // bands start on the same row), the rows beyond them further.
    const TColor nearFace = 0x455464;
    struct Case {
        bool pressed;
        int turn;
    };
    for (const Case c : {Case{false, 5}, Case{true, 6}}) {
        TLbFace f = baseFace(bsModern);
        f.ColorWhenDown = fw::clNone;
        f.Pressed = c.pressed;
        Surface s;
        DrawLbButtonFace(s.canvas(), f);
        EXPECT_EQ(s.at(50, c.turn - 1), nearFace) << "pressed " << c.pressed;
        EXPECT_EQ(s.at(50, c.turn), nearFace) << "pressed " << c.pressed;
        EXPECT_NE(s.at(50, c.turn - 2), nearFace) << "pressed " << c.pressed;
        EXPECT_NE(s.at(50, c.turn + 1), nearFace) << "pressed " << c.pressed;
        if (!c.pressed) {
            EXPECT_EQ(s.at(50, 2), TColor(0xACB1B6)) << "row 2 shows band 10 of the top gradient";
        }
        EXPECT_EQ(s.at(50, H - 2), c.pressed ? kShadow : kFace) << "inner outline";
        EXPECT_EQ(s.at(1, 11), c.pressed ? kShadow : kFace) << "inner outline";
    }
}

TEST(LbFace, HoverBlendFollowsTheFadeStep)
{
    for (int step = 0; step <= LbHotTrackSteps; ++step) {
        TLbFace f = baseFace(bsEncarta);
        f.HotTrackStep = step;
        Surface s;
        DrawLbButtonFace(s.canvas(), f);
        EXPECT_EQ(s.at(50, 11), BlendLbHotTrackColor(kFace, kHot, step)) << "step " << step;
    }
    TLbFace mean = baseFace(bsNormal);
    mean.Color = 0x102030;
    mean.HotTrackColor = 0x30A0F1;
    mean.HotTrackStep = 4;
    Surface s;
    DrawLbButtonFace(s.canvas(), mean);
    EXPECT_EQ(s.at(50, 11), TColor(0x206090));
}

TEST(LbFace, NoHotTrackColourKeepsTheFace)
{
    TLbFace f = baseFace(bsNormal);
    f.HotTrackColor = fw::clNone;
    f.ColorWhenDown = fw::clNone;
    f.HotTrackStep = 8;
    f.Pressed = true;
    Surface s;
    DrawLbButtonFace(s.canvas(), f);
    EXPECT_EQ(s.at(50, 11), kFace);
}

TEST(LbFace, TransparentLeavesTheBackgroundExceptForShapes)
{
    for (TLbButtonStyle style : {bsNormal, bsEncarta, bsOld, bsModern, bsQuicken}) {
        TLbFace f = baseFace(style);
        f.Transparent = true;
        f.Color = 0x00FF00;
        Surface s;
        DrawLbButtonFace(s.canvas(), f);
        if (style == bsQuicken)
            EXPECT_EQ(s.at(50, 11), TColor(0x00FF00)) << "the rounded body is the border";
        else
            EXPECT_EQ(s.at(50, 11), kMarker) << style;
    }
    TLbFace shape = baseFace(bsShape);
    shape.Transparent = true;
    Surface s;
    s.canvas().Brush().Color = 0x123456;
    s.canvas().FillRect(fw::TRect(0, 0, W, H));
    DrawLbButtonFace(s.canvas(), shape);
    EXPECT_EQ(s.at(50, 11), kMarker);
}

TEST(LbFace, GlyphImageByState)
{
    const std::vector<TColor> colours = {0x0000C0, 0x00C000, 0xC00000, 0xC0C000};
    struct Case {
        int numGlyphs;
        bool enabled, hot, pressed;
        int expectedImage;
    };
    const Case cases[] = {
        {4, true, false, false, 0}, {4, true, true, false, 3}, {4, true, false, true, 2},
        {4, true, true, true, 2},   {4, false, true, true, 1}, {2, true, true, false, 0},
        {2, true, false, true, 0},  {3, true, false, true, 2}, {3, true, true, false, 0},
        {1, false, false, false, 0},   // index 1 lies beyond a one-image strip
    };
    for (const Case& c : cases) {
        fw::TBitmap strip;
        solidStrip(strip, std::vector<TColor>(colours.begin(), colours.begin() + c.numGlyphs), 16);
        TLbFace f = baseFace(bsEncarta);
        f.Glyph = &strip;
        f.NumGlyphs = c.numGlyphs;
        f.Enabled = c.enabled;
        f.Hot = c.hot;
        f.Pressed = c.pressed;
        Surface s;
        DrawLbButtonFace(s.canvas(), f);
        // Encarta: no press offset; empty caption: glyph centred.
        const int gx = (W - 16) / 2;
        const int gy = (H - 16) / 2;
        EXPECT_EQ(s.at(gx + 8, gy + 8), colours[c.expectedImage])
            << c.numGlyphs << " glyphs, enabled " << c.enabled << " hot " << c.hot << " pressed " << c.pressed;
        EXPECT_NE(s.at(gx, gy + 15), LbGlyphBackground) << "lower-left colour is see-through";
    }
}

TEST(LbFace, GlyphPositionByLayoutAndAlignment)
{
    struct Case {
        TLbButtonLayout layout;
        fw::TAlignment alignment;
        bool pressed;
        int gx, gy;   // for an empty caption: G = 0, th = 0
    };
    const int w = 16;
    const Case cases[] = {
        {blGlyphLeft, fw::taCenter, false, (W - w) / 2, (H - w) / 2},
        {blGlyphLeft, fw::taLeftJustify, false, 4, (H - w) / 2},
        {blGlyphLeft, fw::taRightJustify, false, W - 4 - w, (H - w) / 2},
        {blGlyphLeft, fw::taCenter, true, (W - w) / 2 + 1, (H - w) / 2 + 1},
        {blGlyphRight, fw::taCenter, false, (W - w) / 2, (H - w) / 2},
        {blGlyphRight, fw::taLeftJustify, false, 4, (H - w) / 2},
        {blGlyphRight, fw::taRightJustify, true, W - 4 - w + 1, (H - w) / 2 + 1},
        {blGlyphTop, fw::taCenter, false, (W - w) / 2, (H - (w + 4)) / 2},
        {blGlyphTop, fw::taRightJustify, false, W - w - 4, (H - (w + 4)) / 2},
        {blGlyphBottom, fw::taLeftJustify, true, 5, (H - (w + 4)) / 2 + 1},
    };
    for (const Case& c : cases) {
        fw::TBitmap strip;
        solidStrip(strip, {0x0000C0}, w);
        TLbFace f = baseFace(bsNormal);
        f.Glyph = &strip;
        f.NumGlyphs = 1;
        f.Layout = c.layout;
        f.Alignment = c.alignment;
        f.Pressed = c.pressed;
        Surface s;
        DrawLbButtonFace(s.canvas(), f);
        const auto box = inkBox(s.image(), 0x0000C0);
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->topLeft(), QPoint(c.gx, c.gy)) << "layout " << c.layout << " alignment " << c.alignment;
    }
}

TEST(LbFace, GlyphLeftOfCentredCaptionKeepsFourPixelGap)
{
    fw::TBitmap strip;
    solidStrip(strip, {0x0000C0, 0x00C000}, 16);
    TLbFace f = baseFace(bsNormal);
    f.Width = 120;
    f.Glyph = &strip;
    f.NumGlyphs = 2;
    f.Caption = QStringLiteral("Close");
    Surface s(120, H);
    DrawLbButtonFace(s.canvas(), f);
    const QImage img = s.image();
    const auto glyph = inkBox(img, 0x0000C0);
    const auto text = inkBox(img, fw::clBlack);
    ASSERT_TRUE(glyph && text);
    EXPECT_EQ(glyph->width(), 16);
    EXPECT_GE(text->left() - (glyph->right() + 1), 4);
    EXPECT_LE(text->left() - (glyph->right() + 1), 6);
}

TEST(LbFace, CaptionCentredAndShiftedWhenPressed)
{
    struct Case {
        TLbButtonStyle style;
        bool pressed;
        int shift;
    };
    const Case cases[] = {{bsNormal, true, 1}, {bsOld, true, 1}, {bsModern, true, 1}, {bsEncarta, true, 0}};
    TLbFace idle = baseFace(bsNormal);
    idle.Caption = QStringLiteral("Apply");
    idle.ColorWhenDown = fw::clNone;
    Surface base;
    DrawLbButtonFace(base.canvas(), idle);
    const auto idleBox = inkBox(base.image(), fw::clBlack, QRect(2, 2, W - 4, H - 4));
    ASSERT_TRUE(idleBox);
    // Centred within the text area 4 .. W - 4.
    EXPECT_LE(std::abs(idleBox->left() - 4 - (W - 4 - 1 - idleBox->right())), 3);
    EXPECT_LE(std::abs(idleBox->top() - (H - 1 - idleBox->bottom())), 4);

    for (const Case& c : cases) {
        TLbFace f = idle;
        f.Style = c.style;
        f.Pressed = c.pressed;
        Surface s;
        DrawLbButtonFace(s.canvas(), f);
        const auto box = inkBox(s.image(), fw::clBlack, QRect(2, 2, W - 4, H - 4));
        ASSERT_TRUE(box) << c.style;
        EXPECT_EQ(box->top(), idleBox->top() + c.shift) << "style " << c.style;
        if (c.style == bsEncarta) {
            // Not shifted, but bold: wider ink.
            EXPECT_GT(box->width(), idleBox->width());
            EXPECT_NEAR(box->center().x(), idleBox->center().x(), 2);
        } else {
            EXPECT_EQ(box->left(), idleBox->left() + c.shift) << "style " << c.style;
        }
    }
}

TEST(LbFace, CaptionAlignment)
{
    struct Case {
        fw::TAlignment alignment;
        int expectLeft;    // -1: not checked
        int expectRight;   // -1: not checked
    };
    const Case cases[] = {{fw::taLeftJustify, 4, -1}, {fw::taRightJustify, -1, W - 5}};
    for (const Case& c : cases) {
        TLbFace f = baseFace(bsNormal);
        f.Caption = QStringLiteral("Hi");
        f.Alignment = c.alignment;
        Surface s;
        DrawLbButtonFace(s.canvas(), f);
        const auto box = inkBox(s.image(), fw::clBlack, QRect(2, 2, W - 4, H - 4));
        ASSERT_TRUE(box);
        if (c.expectLeft >= 0) {
            EXPECT_NEAR(box->left(), c.expectLeft, 1);
        }
        if (c.expectRight >= 0) {
            EXPECT_NEAR(box->right(), c.expectRight, 1);
        }
    }
}

TEST(LbFace, LongCaptionIsCutFromTheEndWithoutEllipsis)
{
    const QString caption = QStringLiteral("Wiederholen Wiederholen");
    TLbFace f = baseFace(bsNormal);
    f.Width = 60;
    f.Caption = caption;
    Surface cut(60, H);
    DrawLbButtonFace(cut.canvas(), f);

    // The longest prefix that fits the 52-pixel text area, drawn directly.
    fw::TCanvas& c = cut.canvas();
    c.Font() = f.Font;
    QString prefix = caption;
    while (c.TextWidth(prefix) > 60 - 8)
        prefix.chop(1);
    ASSERT_LT(prefix.size(), caption.size());
    ASSERT_FALSE(prefix.isEmpty());
    TLbFace g = f;
    g.Caption = prefix;
    Surface expected(60, H);
    DrawLbButtonFace(expected.canvas(), g);
    EXPECT_EQ(cut.image(), expected.image());

    // One line only: no ink in the bottom rows of the face.
    const auto box = inkBox(cut.image(), fw::clBlack, QRect(2, 2, 56, H - 4));
    ASSERT_TRUE(box);
    EXPECT_LT(box->height(), 13);
}

TEST(LbFace, WordWrapBreaksAndCentresByMeasuredHeight)
{
    TLbFace f = baseFace(bsNormal);
    f.Width = 60;
    f.Height = 40;
    f.WordWrap = true;
    f.Caption = QStringLiteral("Alle Werte zeigen");
    Surface s(60, 40);
    DrawLbButtonFace(s.canvas(), f);
    const auto box = inkBox(s.image(), fw::clBlack, QRect(2, 2, 56, 36));
    ASSERT_TRUE(box);
    EXPECT_GT(box->height(), 16) << "two lines";
    EXPECT_LE(std::abs(box->top() - (40 - 1 - box->bottom())), 4) << "vertically centred";
}

TEST(LbFace, DisabledCaptionIsGrey)
{
    TLbFace f = baseFace(bsNormal);
    f.Caption = QStringLiteral("Hilfe");
    f.Enabled = false;
    f.Font.Color = 0x0000C0;
    Surface s;
    DrawLbButtonFace(s.canvas(), f);
    const QImage img = s.image();
    EXPECT_TRUE(inkBox(img, fw::clGray, QRect(2, 2, W - 4, H - 4)));
    EXPECT_FALSE(inkBox(img, 0x0000C0));

    // A shape button keeps its font colour when disabled.
    f.Style = bsShape;
    Surface shape;
    DrawLbButtonFace(shape.canvas(), f);
    EXPECT_TRUE(inkBox(shape.image(), 0x0000C0));
}

TEST(LbFace, ShapeCentresGlyphAndCaptionWithoutOffset)
{
    fw::TBitmap strip;
    solidStrip(strip, {0x0000C0, 0x00C000}, 10);
    TLbFace f = baseFace(bsShape);
    f.Glyph = &strip;
    f.NumGlyphs = 2;
    f.Pressed = true;
    Surface s;
    DrawLbButtonFace(s.canvas(), f);
    const auto box = inkBox(s.image(), 0x0000C0);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->topLeft(), QPoint((W - 10) / 2, (H - 10) / 2));
}

TEST(LbFace, PopupArrowNearTheRightEdge)
{
    TLbFace f = baseFace(bsNormal);
    f.HasPopupMenu = true;
    Surface s;
    DrawLbButtonFace(s.canvas(), f);
    const int x = W - 11;
    const int y = H / 2 - 1;
    const auto box = inkBox(s.image(), fw::clBlack);
    ASSERT_TRUE(box);
    EXPECT_EQ(*box, QRect(x, y, 5, 3));
    EXPECT_EQ(s.at(x + 2, y + 2), fw::clBlack);
    EXPECT_EQ(s.at(x, y + 2), kFace) << "arrow background is see-through";
}

TEST(LbGlyphs, KindPicturesHaveTheirSizesAndASeeThroughCorner)
{
    struct Case {
        const char* name;
        int w, h;
    };
    const Case cases[] = {{"LBOK", 36, 18},    {"LBCANCEL", 36, 18}, {"LBHELP", 36, 18},  {"LBYES", 36, 18},
                          {"LBNO", 36, 18},    {"LBCLOSE", 36, 18},  {"LBABORT", 36, 18}, {"LBRETRY", 36, 18},
                          {"LBIGNORE", 36, 18}, {"LBALL", 36, 19},   {"LBARROW", 5, 3}};
    for (const Case& c : cases) {
        fw::TBitmap b;
        ASSERT_TRUE(LoadLbGlyph(QString::fromLatin1(c.name), b)) << c.name;
        EXPECT_EQ(b.Width(), c.w) << c.name;
        EXPECT_EQ(b.Height(), c.h) << c.name;
        EXPECT_EQ(b.Canvas().Pixel(0, c.h - 1), LbGlyphBackground) << c.name;
        if (c.w == 36) {
            EXPECT_EQ(b.Canvas().Pixel(18, c.h - 1), LbGlyphBackground) << c.name;
            const QImage img = b.ToImage();
            EXPECT_NE(img.copy(0, 0, 18, c.h), img.copy(18, 0, 18, c.h)) << c.name << ": disabled image differs";
        }
    }
    fw::TBitmap none;
    EXPECT_FALSE(LoadLbGlyph(QStringLiteral("LBNOTHING"), none));
    EXPECT_TRUE(none.Empty());
}
