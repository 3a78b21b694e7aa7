#include "grid/foundation/FxObjCheckBox.h"

#include "framework/SysColors.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

using namespace fw;
using testsupport::colorIs;
using testsupport::countPixels;

namespace {

class CheckBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.resize(300, 100);
        box = new TFxCheckBox(&form);
        box->setGeometry(10, 10, 98, 20);
        box->SetCaption(QStringLiteral("Match case"));
        box->OnClick = [this](QObject*) { ++clicks; };
        next = new QLineEdit(&form);
        next->setGeometry(10, 50, 80, 20);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    QWidget form;
    TFxCheckBox* box = nullptr;
    QLineEdit* next = nullptr;
    int clicks = 0;
};

} // namespace

TEST_F(CheckBoxTest, Defaults)
{
    TFxCheckBox fresh;
    EXPECT_EQ(fresh.size(), QSize(98, 20));
    EXPECT_EQ(fresh.Caption(), "TFxCheckBox");
    EXPECT_EQ(fresh.State(), cbUnchecked);
    EXPECT_EQ(fresh.ButtonVertAlign(), tlTop);
    EXPECT_FALSE(fresh.TabStop());
    EXPECT_FALSE(fresh.ReadOnly());
    EXPECT_FALSE(fresh.Transparent());
    EXPECT_TRUE(fresh.ParentColor());
}

TEST_F(CheckBoxTest, MouseClickTogglesAndClicks)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 10));
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(box->Focused()) << "a press takes the focus";
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(50, 10));
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(clicks, 2);

    // Pressed, pulled out, released outside: nothing.
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(5, 10));
    EXPECT_TRUE(box->Down());
    QTest::mouseMove(box, QPoint(150, 10));
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(150, 10));
    EXPECT_FALSE(box->Down());
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(clicks, 2);
}

TEST_F(CheckBoxTest, SpaceTogglesOnRelease)
{
    box->setFocus();
    QTest::keyPress(box, Qt::Key_Space);
    EXPECT_TRUE(box->Down());
    EXPECT_FALSE(box->Checked()) << "the press only shows the box pressed";
    QTest::keyRelease(box, Qt::Key_Space);
    EXPECT_FALSE(box->Down());
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(clicks, 1);
}

TEST_F(CheckBoxTest, ReadOnlyKeepsItsStateButStillClicks)
{
    box->SetReadOnly(true);
    box->SetChecked(true);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 10));
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(clicks, 2);
}

TEST_F(CheckBoxTest, CheckedOnAGrayedBoxChecksIt)
{
    box->SetState(cbGrayed);
    EXPECT_FALSE(box->Checked());
    box->SetChecked(true);
    EXPECT_EQ(box->State(), cbChecked);
    box->SetChecked(false);
    EXPECT_EQ(box->State(), cbUnchecked);
}

TEST_F(CheckBoxTest, ReturnMovesOnWhenAskedTo)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), box) << "Return stays without ReturnIsTab";
    box->SetReturnIsTab(true);
    QTest::keyClick(box, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), next);
    EXPECT_EQ(clicks, 0);
}

TEST_F(CheckBoxTest, BoxSitsByAlignmentAndVerticalAlignment)
{
    struct Case {
        TAlignment alignment;
        TTextLayout layout;
        TRect box;
    };
    // A 98 x 20 control and the themed 14-pixel box.
    const std::vector<Case> cases = {
        {taLeftJustify, tlTop, Bounds(0, 4, 14, 14)},     {taLeftJustify, tlCenter, Bounds(0, 4, 14, 14)},
        {taLeftJustify, tlBottom, Bounds(0, 6, 14, 14)},  {taRightJustify, tlTop, Bounds(83, 4, 14, 14)},
        {taRightJustify, tlBottom, Bounds(83, 6, 14, 14)},
    };
    for (const Case& c : cases) {
        box->SetAlignment(c.alignment);
        box->SetButtonVertAlign(c.layout);
        EXPECT_EQ(box->BoxRect(), c.box) << c.alignment << "/" << c.layout;
    }
    box->setGeometry(10, 10, 98, 40);
    box->SetButtonVertAlign(tlCenter);
    EXPECT_EQ(box->BoxRect().Top, 14);
}

TEST_F(CheckBoxTest, CaptionBesideTheBoxAndEmbossedWhenDisabled)
{
    box->SetColor(clWhite);
    QImage img = box->grab().toImage();
    // Text starts 15 pixels in (9 + 6) and 4 down.
    const QRect text = testsupport::pixelBox(img, colorIs(ColorToRGB(clWindowText)), QRect(14, 0, 84, 20));
    ASSERT_FALSE(text.isNull());
    EXPECT_GE(text.left(), 15);
    EXPECT_LE(text.left(), 17);
    EXPECT_GE(text.top(), 4);
    EXPECT_EQ(countPixels(img, colorIs(ColorToRGB(clWindowText)), QRect(0, 0, 14, 20)), 0)
        << "no caption over the box";

    box->SetAlignment(taRightJustify);
    img = box->grab().toImage();
    EXPECT_GT(countPixels(img, colorIs(ColorToRGB(clWindowText)), QRect(6, 0, 20, 20)), 0)
        << "with the box on the right the caption starts at the left";

    box->setEnabled(false);
    box->SetColor(0x00FFFF);
    img = box->grab().toImage();
    EXPECT_GT(countPixels(img, colorIs(0x808080)), 0) << "grey caption";
    EXPECT_GT(countPixels(img, colorIs(clWhite)), 0) << "its white emboss";
    EXPECT_EQ(countPixels(img, colorIs(ColorToRGB(clWindowText)), QRect(0, 0, 80, 20)), 0);
}

TEST_F(CheckBoxTest, FocusRectangleAroundTheCaption)
{
    box->SetColor(clWhite);
    const QImage before = box->grab().toImage();
    box->setFocus();
    ASSERT_TRUE(box->Focused());
    const QImage after = box->grab().toImage();
    // The dotted frame starts two pixels left of the text.
    int changedLeftOfText = 0;
    for (int y = 0; y < 20; ++y)
        changedLeftOfText += before.pixel(13, y) != after.pixel(13, y);
    EXPECT_GT(changedLeftOfText, 0);
}

TEST_F(CheckBoxTest, TransparentBoxShowsWhatLiesBelow)
{
    // The search panel's footer below the box: a colour the box never uses.
    QPalette pal = form.palette();
    pal.setColor(QPalette::Window, QColor(0x20, 0x80, 0x40));
    form.setPalette(pal);
    form.setAutoFillBackground(true);
    box->SetParentColor(false);
    box->SetColor(clWhite);
    struct Case {
        bool transparent;
        QColor below;   // right of the caption, where only the background is
    };
    for (const Case& c : std::vector<Case>{{false, Qt::white}, {true, QColor(0x20, 0x80, 0x40)}}) {
        box->SetTransparent(c.transparent);
        const QImage img = form.grab().toImage();
        EXPECT_EQ(img.pixelColor(10 + 95, 10 + 2), c.below) << (c.transparent ? "transparent" : "opaque");
        EXPECT_EQ(img.pixelColor(10 + 95, 10 + 18), c.below);
    }
}

TEST_F(CheckBoxTest, AcceleratorTogglesAndFocusesOnlyATabStop)
{
    box->SetCaption(QStringLiteral("&Match case"));
    next->setFocus();
    QTest::keyClick(&form, Qt::Key_M, Qt::AltModifier);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(QApplication::focusWidget(), next) << "without TabStop the focus stays";
    box->SetTabStop(true);
    QTest::keyClick(&form, Qt::Key_M, Qt::AltModifier);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(QApplication::focusWidget(), box);
    box->setEnabled(false);
    QTest::keyClick(&form, Qt::Key_M, Qt::AltModifier);
    EXPECT_FALSE(box->Checked()) << "a disabled box ignores its accelerator";
}
