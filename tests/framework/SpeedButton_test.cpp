#include "framework/SpeedButton.h"

#include "framework/Canvas.h"
#include "framework/SysColors.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

using namespace fw;

namespace {

class SpeedButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent.resize(100, 60);
        button = new TSpeedButton(&parent);
        button->setGeometry(10, 10, 23, 22);
        button->OnClick = [this](QObject*) { ++clicks; };
        button->OnMouseDown = [this](QObject*, TMouseButton, TShiftState, int, int) { events += 'd'; };
        button->OnMouseUp = [this](QObject*, TMouseButton, TShiftState, int, int) { events += 'u'; };
        parent.show();
    }

    QWidget parent;
    TSpeedButton* button = nullptr;
    int clicks = 0;
    std::string events;
};

} // namespace

TEST_F(SpeedButtonTest, ClicksOnlyWhenReleasedOverIt)
{
    struct Case {
        QPoint release;
        int clicks;
    };
    // The bottom edge still counts; the right edge does not.
    const std::vector<Case> cases = {
        {QPoint(5, 5), 1}, {QPoint(22, 21), 1}, {QPoint(5, 22), 1}, {QPoint(23, 5), 0}, {QPoint(5, 30), 0},
        {QPoint(-1, 5), 0},
    };
    for (const Case& c : cases) {
        clicks = 0;
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(button->State(), bsDown);
        EXPECT_TRUE(button->Dragging());
        QTest::mouseRelease(button, Qt::LeftButton, {}, c.release);
        EXPECT_EQ(button->State(), bsUp);
        EXPECT_FALSE(button->Dragging());
        EXPECT_EQ(clicks, c.clicks) << c.release.x() << "," << c.release.y();
    }
    EXPECT_EQ(events, "dudududududu") << "mouse events fire before the state changes";
}

TEST_F(SpeedButtonTest, RightButtonAndDisabledButtonDoNotClick)
{
    QTest::mouseClick(button, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 0);
    button->setEnabled(false);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(button->State(), bsUp);
}

TEST_F(SpeedButtonTest, GlyphStripShowsTheImageOfTheState)
{
    // Four 4 x 4 images: red (up), green (disabled), blue (down), yellow; the
    // lower-left pixel of the strip is white, the transparent colour.
    TBitmap strip(16, 4);
    const TColor colours[] = {clRed, clLime, clBlue, clYellow};
    for (int i = 0; i < 4; ++i) {
        strip.Canvas().Brush().Color = colours[i];
        strip.Canvas().FillRect(Bounds(i * 4, 0, 4, 4));
    }
    strip.Canvas().SetPixel(0, 3, clWhite);
    button->SetGlyph(strip);
    button->SetNumGlyphs(4);
    button->SetFlat(true);
    const auto centre = [&] { return FromQColor(button->grab().toImage().pixelColor(11, 10)); };
    EXPECT_EQ(centre(), clRed);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(2, 2));
    // Pressed: the down image, one pixel right and down.
    EXPECT_EQ(FromQColor(button->grab().toImage().pixelColor(12, 11)), clBlue);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(2, 2));
    button->setEnabled(false);
    EXPECT_EQ(centre(), clLime);
}
