#include "framework/PopupWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

using namespace fw;

namespace {

class PopupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner.resize(300, 200);
        owner.show();
        owner.activateWindow();
        QApplication::processEvents();
        popup = new TPopupWindow(&owner);
        inner = new QLineEdit(popup);
        popup->OnDeactivate = [this](QWidget* activated) {
            ++deactivations;
            lastActivated = activated;
            popup->hide();
        };
    }
    QWidget owner;
    TPopupWindow* popup = nullptr;
    QLineEdit* inner = nullptr;
    int deactivations = 0;
    QWidget* lastActivated = nullptr;
};

} // namespace

TEST_F(PopupTest, IsAFramelessStayOnTopToolWindowThatTakesTheFocus)
{
    EXPECT_TRUE(popup->isWindow());
    EXPECT_TRUE(popup->windowFlags().testFlag(Qt::Tool));
    EXPECT_TRUE(popup->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(popup->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_NE(popup->windowType(), Qt::Popup);

    int activations = 0;
    popup->OnActivate = [&] { ++activations; };
    popup->ShowAt(TRect(40, 50, 200, 130));
    QApplication::processEvents();
    EXPECT_EQ(popup->geometry(), QRect(40, 50, 160, 80));
    EXPECT_EQ(QApplication::activeWindow(), popup);
    EXPECT_EQ(activations, 1);
}

TEST_F(PopupTest, AnotherWindowTakingOverOrAClickElsewhereEndsIt)
{
    popup->ShowAt(TRect(0, 0, 100, 100));
    QApplication::processEvents();
    owner.activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(deactivations, 1);
    EXPECT_EQ(lastActivated, &owner);
    EXPECT_FALSE(popup->isVisible());

    // Clicks inside the popup keep it; a click on the owner ends it even
    // where no window manager moves the activation.
    popup->ShowAt(TRect(0, 0, 100, 100));
    QApplication::processEvents();
    QTest::mouseClick(inner, Qt::LeftButton);
    EXPECT_EQ(deactivations, 1);
    QTest::mousePress(&owner, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(deactivations, 2);
    EXPECT_FALSE(popup->isVisible());
    QTest::mouseRelease(&owner, Qt::LeftButton, {}, QPoint(10, 10));

    // While blocked, activation changes are not reported.
    popup->ShowAt(TRect(0, 0, 100, 100));
    QApplication::processEvents();
    popup->SetBlockActivate(true);
    QTest::mousePress(&owner, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&owner, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(deactivations, 2);
    EXPECT_TRUE(popup->isVisible());
}

TEST_F(PopupTest, CornerSizingFollowsTheMouseDownToTheMinimum)
{
    popup->setMinimumSize(80, 50);
    popup->ShowAt(TRect(100, 100, 300, 250));   // 200 x 150
    QApplication::processEvents();
    int sizing = 0;
    popup->OnSizing = [&] { ++sizing; };

    // Not sizeable: the corner is an ordinary part of the window.
    QTest::mousePress(popup, Qt::LeftButton, {}, QPoint(195, 145));
    EXPECT_FALSE(popup->IsSizing());
    QTest::mouseRelease(popup, Qt::LeftButton, {}, QPoint(195, 145));

    popup->SetSizeable(true);
    QTest::mousePress(popup, Qt::LeftButton, {}, QPoint(190, 140));
    EXPECT_FALSE(popup->IsSizing()) << "10 pixels from the edges is outside the corner";
    QTest::mouseRelease(popup, Qt::LeftButton, {}, QPoint(190, 140));
    QTest::mousePress(popup, Qt::LeftButton, {}, QPoint(191, 141));
    EXPECT_TRUE(popup->IsSizing());
    QTest::mouseMove(popup, QPoint(291, 171));
    EXPECT_EQ(popup->size(), QSize(300, 180));
    QTest::mouseMove(popup, QPoint(1, 1));
    EXPECT_EQ(popup->size(), QSize(80, 50)) << "never below the minimum";
    QTest::mouseRelease(popup, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_FALSE(popup->IsSizing());
    EXPECT_EQ(sizing, 2);
}
