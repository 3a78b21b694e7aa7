#include "controls/dropdown/FxDropDown.h"

#include "framework/SysColors.h"
#include "grid/foundation/FxUtilDraw.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>

using namespace fw;
using namespace FxDropDown;

namespace {

QImage canvasImage(int w, int h, TColor fill = clWhite)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(ToQColor(fill));
    return img;
}

TColor at(const QImage& img, int x, int y) { return FromQColor(img.pixelColor(x, y)); }

TEST(DropDownDrawing, BlendAndChannelScaling)
{
    struct TCase {
        TColor c1, c2;
        int percent;
        TColor expected;
    };
    const TCase blends[] = {
        {0xFF0000, 0xFFFFFF, 100, 0xFF0000}, {0xFF0000, 0xFFFFFF, 150, 0xFF0000}, {0xFF0000, 0xFFFFFF, 0, 0xFFFFFF},
        {0xFF0000, 0xFFFFFF, 20, 0xFFCCCC},  // 20 % border colour, 80 % white
        {0x000001, 0x000000, 50, 0x000000},  // 0.5 rounds to the even 0
        {0x000003, 0x000000, 50, 0x000002},  // 1.5 rounds to the even 2
        {clBtnFace, clWhite, 100, clBtnFace},
    };
    for (const TCase& c : blends)
        EXPECT_EQ(BlendColor(c.c1, c.c2, c.percent), c.expected) << std::hex << c.c1 << " " << c.percent;
    EXPECT_EQ(BlendColor(clBlack, clBtnFace, 50), BlendColor(clBlack, ColorToRGB(clBtnFace), 50))
        << "system colours are resolved";

    struct TScale {
        TColor color;
        int r, g, b;
        TColor expected;
    };
    const TScale scales[] = {
        {0xF5F0E1, -10, -10, 0, 0xF5D8CA},   // 225 * 0.9 = 202.5 rounds to 202
        {0xF9D2B2, -10, -10, 0, 0xF9BDA0},
        {0x000000, 20, -5, 0, 0x000014},     // a zero channel becomes max(0, p)
        {0x808080, 50, 50, 50, 0x808080},    // only zero channels grow
    };
    for (const TScale& c : scales)
        EXPECT_EQ(AdjustColorChannels(c.color, c.r, c.g, c.b), c.expected) << std::hex << c.color;
}

TEST(DropDownDrawing, GradientBandsRoundHalfToEven)
{
    // Eleven pixels less one: 10 / 4 = 2.5 per band; bands start at
    // Round(n * 2.5) = 0, 2, 5, 8 and are Round(2.5) + 1 = 3 wide.
    QImage img = canvasImage(12, 3);
    {
        TCanvas canvas(&img);
        DrawStepGradient(canvas, 0x000000, 0x0000FF, 4, TRect(0, 0, 11, 3), true);
    }
    const TColor expected[] = {0x00, 0x00, 0x40, 0x40, 0x40, 0x80, 0x80, 0x80, 0xBF, 0xBF, 0xBF, clWhite};
    for (int x = 0; x < 12; ++x)
        EXPECT_EQ(at(img, x, 1), expected[x]) << "x=" << x;
}

TEST(DropDownDrawing, FillFrameImageAndCaption)
{
    QImage img = canvasImage(40, 30);
    {
        TCanvas canvas(&img);
        FillAndFrameRect(&canvas, TRect(5, 5, 35, 25), 0x00FF00, clNone, 0x0000FF, 1, true);
        FillAndFrameRect(nullptr, TRect(0, 0, 1, 1), 0, 0, 0, 1, true);   // no canvas: nothing
    }
    EXPECT_EQ(testsupport::pixelBox(img, testsupport::colorIs(0x0000FF)), QRect(5, 5, 30, 20));
    EXPECT_EQ(at(img, 20, 15), 0x00FF00u);

    TImageList images(8, 8);
    TBitmap red(8, 8);
    red.Canvas().Brush().Color = 0x0000FF;
    red.Canvas().FillRect(TRect(0, 0, 8, 8));
    images.Add(red);
    QImage withImage = canvasImage(80, 20);
    {
        TCanvas canvas(&withImage);
        DrawImageAndCaption(&canvas, TRect(0, 0, 80, 20), "", 0, &images);
    }
    EXPECT_EQ(testsupport::pixelBox(withImage, testsupport::colorIs(0x0000FF)), QRect(4, 6, 8, 8))
        << "4 pixels in, vertically centred";
}

TEST(DropDownDrawing, TextRoutines)
{
    TCanvas canvas;
    EXPECT_EQ(MeasureTextSingleLine(canvas, ""), TSize(0, 0));
    const TSize size = MeasureTextSingleLine(canvas, "Hello");
    EXPECT_EQ(size.cx, canvas.TextWidth("Hello"));
    EXPECT_GT(size.cy, 0);

    const QString text = "A rather long caption";
    const int full = canvas.TextWidth(text);
    EXPECT_EQ(FitTextWithEllipsis(canvas, text, full, true), text) << "fits as it is";
    const QString cut = FitTextWithEllipsis(canvas, text, full / 2, true);
    EXPECT_TRUE(cut.endsWith("...")) << cut.toStdString();
    EXPECT_LT(canvas.TextWidth(cut), full / 2);
    EXPECT_TRUE(text.startsWith(cut.chopped(3)));
    EXPECT_EQ(FitTextWithEllipsis(canvas, text, 1, true), text) << "nothing fits: the text stays";
    EXPECT_FALSE(FitTextWithEllipsis(canvas, text, full / 2, false).endsWith("..."));

    EXPECT_EQ(FoldCase("Straße x", true), "Straße x");
    EXPECT_EQ(FoldCase("abc", false), "ABC");
}

TEST(DropDownStyles, ComponentStylesColourPopupStripsAndButtons)
{
    QWidget parent;
    TFxCustomDropDown dd(&parent);
    struct TCase {
        TFxStyle style;
        TColor color, colorTo, border;
        TColor header, headerTo, headerFont, headerBorder;
        TColor footerBorder;
        TColor buttonColor, buttonHot, buttonCheckedBorder;
    };
    const TColor kept = 0x010101;
    const TCase cases[] = {
        {tsOffice2003Blue, 0xFFFFFF, clNone, kept, 0xFCE1CB, 0xE0A57D, 0, 0, 0x962D00, 0xFCE1CB, 0xEBFDFF, 0x45667B},
        {tsOffice2007Luna, 0xF3E5DA, 0xF0DED0, clNone, 0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF, 0xFFD2AF, 0xFFEFE3,
         0xEBFDFF, 0x45667B},
        {tsWindows7, 0xFFFFFF, 0xFFFFFF, 0x979797, 0xFDFBFA, 0xFDF3EB, 0, 0xFBD6B8, 0xFBD6B8, 0xFDFBFA, 0xFDFBFA,
         0xCEA27D},
        {tsTerminal, 0xFFFFFF, 0xFFFFFF, 0x808080, clBtnFace, clBtnFace, 0, clNone, clNone, clBtnFace, 0xC0C0C0,
         clHighlight},
        {tsOffice2010Black, 0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D, 0x6D6D6D, 0xBFBFBF,
         0x8AE3FD, 0x4FA0CE},
        {tsWindowsXP, 0xFFFFFF, clNone, kept, 0xFFFFFF, clBtnFace, 0, 0x808080, 0x808080, 0xFFFFFF, 0xEFD3C6,
         0x000000},
    };
    for (const TCase& c : cases) {
        dd.SetDropDownBorderColor(kept);
        dd.SetComponentStyle(c.style);
        EXPECT_EQ(dd.GetComponentStyle(), c.style);
        EXPECT_EQ(dd.DropDownColor(), c.color) << c.style;
        EXPECT_EQ(dd.DropDownColorTo(), c.colorTo) << c.style;
        EXPECT_EQ(dd.DropDownBorderColor(), c.border) << c.style;
        EXPECT_EQ(dd.DropDownHeader().Color, c.header) << c.style;
        EXPECT_EQ(dd.DropDownHeader().ColorTo, c.headerTo) << c.style;
        EXPECT_EQ(dd.DropDownHeader().Font.Color, c.headerFont) << c.style;
        EXPECT_EQ(dd.DropDownHeader().BorderColor, c.headerBorder) << c.style;
        EXPECT_EQ(dd.DropDownFooter().BorderColor, c.footerBorder) << c.style;
        EXPECT_EQ(dd.ButtonAppearance().Color(), c.buttonColor) << c.style;
        EXPECT_EQ(dd.ButtonAppearance().ColorHot(), c.buttonHot) << c.style;
        EXPECT_EQ(dd.ButtonAppearance().BorderColorChecked(), c.buttonCheckedBorder) << c.style;
    }
    dd.SetComponentStyle(tsWindowsVista);
    EXPECT_EQ(dd.DropDownFooter().Color, 0xFFFAF0u) << "the Vista footer runs the other way";
    EXPECT_EQ(dd.DropDownFooter().ColorTo, 0xFFFDF9u);
    dd.SetComponentStyle(tsCustom);
    EXPECT_EQ(dd.GetComponentStyle(), tsCustom);
    EXPECT_EQ(dd.DropDownColor(), 0xFFFFFFu) << "a custom style changes no colour";
    EXPECT_EQ(dd.DropDownHeader().Color, 0xFFFDF9u);
}

TEST(DropDownStyles, SelectionColourStylesAndTheirBackground)
{
    QWidget parent;
    TFxCustomDropDown dd(&parent);
    dd.SetSelectionColorStyle(scWindows7);
    EXPECT_EQ(dd.SelectionColor(), 0xFCEBDCu);
    EXPECT_EQ(dd.SelectionColorTo(), 0xFCDBC1u);
    dd.SetSelectionColorStyle(scWindowsVista);
    EXPECT_EQ(dd.SelectionColor(), 0xFDF8F1u);
    dd.SetSelectionColor(0x123456);
    dd.SetSelectionColorStyle(scCustom);
    EXPECT_EQ(dd.SelectionColor(), 0x123456u) << "custom keeps the colours";

    QImage plain = canvasImage(30, 20);
    {
        TCanvas canvas(&plain);
        dd.DrawSelectionBackground(canvas, TRect(0, 0, 30, 20), 0, clWhite);
    }
    EXPECT_EQ(testsupport::countPixels(plain, testsupport::colorIs(0x123456)), 30 * 20);

    dd.SetSelectionColorStyle(scOffice2007);
    QImage framed = canvasImage(30, 20, 0xFF00FF);
    {
        TCanvas canvas(&framed);
        dd.DrawSelectionBackground(canvas, TRect(0, 0, 30, 20), 0, 0xFF00FF);
    }
    EXPECT_EQ(at(framed, 15, 0), 0x8DD7D3u) << "the top line";
    EXPECT_EQ(at(framed, 15, 1), 0xF4FEFFu) << "the upper inner line";
    EXPECT_EQ(at(framed, 15, 2), 0xD7FFFDu) << "the upper half starts at SelectionColor";
}

TEST(DropDownStyles, ItemAppearance)
{
    TItemAppearance a;
    EXPECT_EQ(a.ColorStyle(), scOffice2007);
    EXPECT_EQ(a.ColorSelected, 0xA6FFFBu);
    EXPECT_EQ(a.ColorMirrorSelectedTo, 0x68E3F9u);
    EXPECT_EQ(a.BorderColorHot, clNone);
    a.SetColorStyle(scWindows7);
    EXPECT_EQ(a.ColorSelected, 0xF9D8B9u);
    EXPECT_EQ(a.ColorMirrorHot, clNone);
    a.ColorHot = 0x010203;
    a.SetColorStyle(scWindows7);
    EXPECT_EQ(a.ColorHot, 0x010203u) << "the same style loads nothing";

    // Assign: the colours, then the source's style, whose presets win when it differs.
    TItemAppearance target;
    target.ColorHotText = 0x0000FF;
    target.Assign(a);
    EXPECT_EQ(target.ColorStyle(), scWindows7);
    EXPECT_EQ(target.ColorHot, 0xFCEBDCu) << "the presets replaced the copied colour";
    EXPECT_EQ(target.ColorHotText, 0u);
    TItemAppearance same;
    same.SetColorStyle(scWindows7);
    same.Assign(a);
    EXPECT_EQ(same.ColorHot, 0x010203u) << "the same style: the copied colour stays";

    TFxCustomDropDown::ApplyItemAppearanceStyle(&same, tsWindowsXP);
    EXPECT_EQ(same.ColorSelected, clHighlight);
    EXPECT_EQ(same.ColorSelectedText, clHighlightText);
    EXPECT_EQ(same.BorderColorTop, clNone);
    TFxCustomDropDown::ApplyItemAppearanceStyle(&same, tsOffice2007Silver);
    EXPECT_EQ(same.ColorSelectedText, 0u);
    EXPECT_EQ(same.EdgeColor, 0xC3D9DFu);
    same.ColorHot = 0x424242;
    TFxCustomDropDown::ApplyItemAppearanceStyle(&same, tsCustom);
    EXPECT_EQ(same.ColorHot, 0x424242u);
    TFxCustomDropDown::ApplyItemAppearanceStyle(nullptr, tsWindows7);
}

} // namespace
