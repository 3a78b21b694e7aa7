// The canvas's 0.1 mm mapping mode: logical positions, lengths, fonts and
// pens at the device's resolution, y growing upward, text upright.
#include "framework/Canvas.h"
#include "support/TestSupport.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace fw;
using testsupport::pixelBox;
using testsupport::rgbIsNot;
using testsupport::toTRect;

namespace {

// A white picture of w x h pixels at `dpi`.
QImage page(int w, int h, int dpi)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMeter = int(dpi / 0.0254 + 0.5);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

TRect ink(const QImage& image) { return toTRect(pixelBox(image, rgbIsNot(0xFFFFFF))); }

} // namespace

TEST(CanvasMapping, PointsAndRectanglesMapWithTheResolutionAndYUpward)
{
    struct Case {
        int dpi;
        TPoint origin;
        TPoint logical;
        TPoint device;
    };
    // 254 dpi is one pixel per 0.1 mm, 508 two; 96 dpi rounds 0.378 pixels a unit.
    const Case cases[] = {
        {254, Point(0, 0), Point(100, -50), Point(100, 50)},
        {508, Point(0, 0), Point(100, -50), Point(200, 100)},
        {508, Point(30, 40), Point(100, -50), Point(230, 140)},
        {508, Point(0, 0), Point(-10, 25), Point(-20, -50)},
        {96, Point(0, 0), Point(254, -2540), Point(96, 960)},
        {96, Point(0, 0), Point(10, -10), Point(4, 4)},
    };
    for (const Case& c : cases) {
        QImage image = page(10, 10, c.dpi);
        TCanvas canvas(&image);
        EXPECT_EQ(canvas.PixelsPerInchX(), c.dpi);
        EXPECT_EQ(canvas.LPtoDP(c.logical), c.logical) << "mmText maps nothing";
        canvas.SetMapMode(mmLoMetric);
        canvas.SetViewportOrg(c.origin);
        const TPoint device = canvas.LPtoDP(c.logical);
        EXPECT_EQ(device.X, c.device.X) << c.dpi;
        EXPECT_EQ(device.Y, c.device.Y) << c.dpi;
        if (c.dpi >= 254) {
            EXPECT_EQ(canvas.DPtoLP(device), c.logical) << c.dpi;
        }
    }
}

TEST(CanvasMapping, ClipRectIsThePageWithNegativeHeight)
{
    QImage image = page(600, 400, 508);
    TCanvas canvas(&image);
    canvas.SetMapMode(mmLoMetric);
    EXPECT_EQ(canvas.ClipRect(), TRect(0, 0, 300, -200));
    canvas.IntersectClipRect(TRect(10, -20, 110, -120));
    EXPECT_EQ(canvas.ClipRect(), TRect(10, -20, 110, -120));
    canvas.SetMapMode(mmText);
    EXPECT_EQ(canvas.ClipRect(), TRect(20, 40, 220, 240));
}

TEST(CanvasMapping, ShapesAndPensDrawAtTheMappedPixels)
{
    QImage image = page(400, 400, 508);
    {
        TCanvas canvas(&image);
        canvas.SetMapMode(mmLoMetric);
        canvas.Brush().Color = clRed;
        // Top above bottom: the rectangle runs downward on the page.
        canvas.FillRect(TRect(10, -20, 60, -70));
    }
    EXPECT_EQ(ink(image), TRect(20, 40, 120, 140));

    image.fill(Qt::white);
    {
        TCanvas canvas(&image);
        canvas.SetMapMode(mmLoMetric);
        canvas.Pen().Color = clBlack;
        canvas.Pen().Width = 2;   // 0.2 mm: four pixels at 508 dpi
        canvas.MoveTo(20, -100);
        canvas.LineTo(150, -100);
    }
    const TRect line = ink(image);
    EXPECT_EQ(line.Height(), 4);
    EXPECT_NEAR(line.Top + 2, 200, 1);
    EXPECT_NEAR(line.Left, 40, 2);
    EXPECT_NEAR(line.Right, 300, 2);
}

TEST(CanvasMapping, TextStaysUprightAndMeasuresInLogicalUnits)
{
    // At 254 dpi a unit is a pixel, so mapped text must be the very pixels
    // the device mode draws at the mirrored y: upright, not turned over.
    QImage mapped = page(200, 100, 254), plain = page(200, 100, 254);
    TFont font;
    font.Name = QStringLiteral("DejaVu Sans");
    font.Color = clBlack;
    font.SetHeight(-24);
    {
        TCanvas canvas(&mapped);
        canvas.SetMapMode(mmLoMetric);
        canvas.Font() = font;
        canvas.Brush().Style = bsClear;
        canvas.TextOut(10, -20, QStringLiteral("Fgy"));
        EXPECT_EQ(canvas.PenPos(), Point(10 + canvas.TextWidth(QStringLiteral("Fgy")), -20));
    }
    {
        TCanvas canvas(&plain);
        canvas.Font() = font;
        canvas.Brush().Style = bsClear;
        canvas.TextOut(10, 20, QStringLiteral("Fgy"));
    }
    ASSERT_FALSE(ink(plain).IsEmpty());
    EXPECT_EQ(mapped, plain);

    // At 508 dpi the same logical font is twice the pixels and measures the same.
    QImage fine = page(400, 200, 508);
    TCanvas coarse(&plain), sharp(&fine);
    for (TCanvas* c : {&coarse, &sharp}) {
        c->SetMapMode(mmLoMetric);
        c->Font() = font;
    }
    EXPECT_NEAR(sharp.TextWidth(QStringLiteral("Mapping")), coarse.TextWidth(QStringLiteral("Mapping")), 2);
    EXPECT_NEAR(sharp.TextHeight(QStringLiteral("gh")), coarse.TextHeight(QStringLiteral("gh")), 1);
}

TEST(CanvasMapping, DrawTextGoesDownThePageAndReportsANegativeHeight)
{
    QImage image = page(400, 300, 508);
    TCanvas canvas(&image);
    canvas.SetMapMode(mmLoMetric);
    canvas.Font().SetHeight(-20);
    canvas.Font().Color = clBlack;
    canvas.Brush().Style = bsClear;
    const int line = canvas.TextHeight(QStringLiteral("gh"));

    TRect calc(10, -10, 60, -10);
    const int measured = canvas.DrawText(QStringLiteral("one two one two"), calc,
                                         DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    EXPECT_LT(measured, 0);
    EXPECT_EQ(calc.Bottom, calc.Top + measured);
    EXPECT_GE(-measured, 2 * line - 1) << "fifty units hold no more than two of the words";
    EXPECT_LE(calc.Right, 60 + 1);

    TRect r(10, -10, 190, -40);
    canvas.DrawText(QStringLiteral("Right"), r, DT_SINGLELINE | DT_RIGHT | DT_NOPREFIX);
    canvas.Release();
    const TRect box = ink(image);
    EXPECT_NEAR(box.Right, 380, 3);
    EXPECT_GE(box.Top, 20);
    EXPECT_LE(box.Bottom, 80);
}

TEST(CanvasMapping, SaveAndRestoreKeepTheMapping)
{
    QImage image = page(10, 10, 508);
    TCanvas canvas(&image);
    const int level = canvas.SaveDC();
    canvas.SetMapMode(mmLoMetric);
    canvas.SetViewportOrg(Point(5, 5));
    canvas.RestoreDC(level);
    EXPECT_EQ(canvas.MapMode(), mmText);
    EXPECT_EQ(canvas.ViewportOrg(), Point(0, 0));
}
