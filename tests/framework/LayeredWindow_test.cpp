#include "framework/LayeredWindow.h"

#include <QImage>
#include <gtest/gtest.h>

#include <vector>

using namespace fw;

TEST(LayeredWindow, ConstantAlphaScalesPremultipliedPixels)
{
    struct Case {
        QRgb pixel;   // premultiplied
        std::uint8_t alpha;
        QRgb expected;
    };
    const std::vector<Case> cases = {
        {qRgba(200, 100, 50, 255), 255, qRgba(200, 100, 50, 255)},
        {qRgba(200, 100, 50, 255), 0, qRgba(0, 0, 0, 0)},
        // 230 / 255 of each part, rounded to nearest.
        {qRgba(200, 100, 50, 255), 230, qRgba(180, 90, 45, 230)},
        {qRgba(64, 64, 64, 128), 128, qRgba(32, 32, 32, 64)},
        {qRgba(1, 1, 1, 1), 128, qRgba(1, 1, 1, 1)},
    };
    for (const Case& c : cases) {
        QImage img(1, 1, QImage::Format_ARGB32_Premultiplied);
        img.setPixel(0, 0, c.pixel);
        const QImage out = ScaleAlpha(img, c.alpha);
        EXPECT_EQ(out.pixel(0, 0), c.expected) << std::hex << c.pixel << " at " << int(c.alpha);
    }
}

TEST(LayeredWindow, FloatsWithoutFocusAndTakesTheContentsSize)
{
    TLayeredWindow window;
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::Tool)) << "no task-bar entry";
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTransparentForInput)) << "clicks reach the window below";
    EXPECT_TRUE(window.testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_TRUE(window.testAttribute(Qt::WA_ShowWithoutActivating));

    QImage img(30, 20, QImage::Format_ARGB32_Premultiplied);
    img.fill(qRgba(0, 0, 255, 255));
    window.UpdateLayered(img, 128);
    EXPECT_EQ(window.size(), QSize(30, 20));
    EXPECT_EQ(window.ConstantAlpha(), 128);
    EXPECT_EQ(window.Content().pixel(5, 5), qRgba(0, 0, 128, 128));

    window.SetWindowRegion(TRegion(TRect(0, 0, 30, 20)).Xored(TRegion(TRect(4, 4, 26, 16))));
    EXPECT_TRUE(window.mask().contains(QPoint(1, 1)));
    EXPECT_FALSE(window.mask().contains(QPoint(10, 10))) << "the hole of the frame is not part of the window";
    window.SetWindowRegion(TRegion());
    EXPECT_TRUE(window.mask().isEmpty());

    window.ShowNoActivate();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isActiveWindow());
    // What the window paints is its content, nothing behind it.
    const QImage shot = window.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(shot.pixel(5, 5), qRgba(0, 0, 128, 128));
}
