#include "framework/BalloonTip.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QBitmap>
#include <QImage>
#include <QRegion>

using namespace fw;

namespace {

TEST(BalloonTip, TheWindowIsShapedToTheBalloon)
{
    QWidget tool;
    tool.resize(300, 200);
    tool.show();
    TBalloonToolTip tip(&tool);
    tip.OnGetText = [](const QPoint&, QString& title, QString& text, int& icon) {
        title = QStringLiteral("Title");
        text = QStringLiteral("A text long enough for a few words in the balloon");
        icon = biInfoIcon;
        return true;
    };
    ASSERT_TRUE(tip.Popup(QPoint(50, 50)));
    QApplication::processEvents();
    const QRegion shape = tip.mask();
    // Without a mask the whole rectangle is the window, and an X server that
    // does not blend it shows its transparent corners black.
    ASSERT_FALSE(shape.isEmpty());
    const int w = tip.width(), h = tip.height();
    for (const QPoint corner : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1), QPoint(0, 10),
                                QPoint(w - 1, 10), QPoint(40, 2)})
        EXPECT_FALSE(shape.contains(corner)) << corner.x() << "," << corner.y() << " lies outside the balloon";
    for (const QPoint inside : {QPoint(w / 2, h / 2), QPoint(20, 2), QPoint(3, h / 2), QPoint(w - 2, h / 2)})
        EXPECT_TRUE(shape.contains(inside)) << inside.x() << "," << inside.y();
    // Every pixel the balloon paints fully belongs to the window, and none
    // that it leaves transparent does.
    const QImage painted = tip.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    int outside = 0, cut = 0;
    for (int y = 0; y < painted.height(); ++y)
        for (int x = 0; x < painted.width(); ++x) {
            const int alpha = qAlpha(painted.pixel(x, y));
            if (alpha == 255 && !shape.contains(QPoint(x, y)))
                ++cut;
            if (alpha == 0 && shape.contains(QPoint(x, y)))
                ++outside;
        }
    EXPECT_EQ(cut, 0) << "painted pixels outside the shape";
    EXPECT_EQ(outside, 0) << "transparent pixels inside the shape";

    // A new text lays the balloon out again, and its shape with it.
    tip.OnGetText = [](const QPoint&, QString&, QString& text, int&) {
        text = QStringLiteral("Short");
        return true;
    };
    ASSERT_TRUE(tip.Popup(QPoint(50, 50)));
    const QRect bounds = tip.mask().boundingRect();
    EXPECT_EQ(bounds.left(), 0);
    EXPECT_EQ(bounds.right(), tip.width() - 1);
    EXPECT_EQ(bounds.bottom(), tip.height() - 1);
}

} // namespace
