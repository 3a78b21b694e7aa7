#include "grid/foundation/SgEdit.h"

#include "framework/SysColors.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

using namespace fw;

namespace {

class EditBtnTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.resize(300, 120);
        edit = new TSgEditBtn(&form);
        edit->SetBounds(10, 10, 120, 24);
        edit->OnClickBtn = [this](QObject* sender) { clicks.push_back(sender); };
        unit = new TSgUnitEditBtn(&form);
        unit->SetBounds(10, 50, 120, 24);
        unit->OnUnitChanged = [this](QObject*, const QString& u) { changes << u; };
        form.show();
    }

    // Picks menu item `index` (0-based) of the unit menu once it is open.
    void chooseFromMenu(int index)
    {
        QTimer::singleShot(0, [index] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr) << "no unit menu open";
            menu->setActiveAction(menu->actions().at(index));
            QTest::keyClick(menu, Qt::Key_Return);
        });
    }

    QWidget form;
    TSgEditBtn* edit = nullptr;
    TSgUnitEditBtn* unit = nullptr;
    std::vector<QObject*> clicks;
    QStringList changes;
};

} // namespace

TEST_F(EditBtnTest, F4ClicksTheButtonUnlessCtrlOrAlt)
{
    struct Case {
        Qt::KeyboardModifiers modifiers;
        bool clicks;
    };
    const std::vector<Case> cases = {
        {Qt::NoModifier, true},   {Qt::ShiftModifier, true}, {Qt::ControlModifier, false},
        {Qt::AltModifier, false}, {Qt::ControlModifier | Qt::AltModifier, false},
    };
    for (const Case& c : cases) {
        clicks.clear();
        QTest::keyClick(edit, Qt::Key_F4, c.modifiers);
        EXPECT_EQ(clicks.size(), c.clicks ? 1u : 0u) << int(c.modifiers);
        if (!clicks.empty()) {
            EXPECT_EQ(clicks[0], edit) << "OnClickBtn names the edit";
        }
    }
}

TEST_F(EditBtnTest, ButtonReleaseClicksAndFocusesTheEdit)
{
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    unit->setFocus();
    TFxSpeedButton* button = edit->Button()->Button();
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_EQ(clicks.size(), 1u);
    EXPECT_EQ(QApplication::focusWidget(), edit);
    QTest::mouseClick(button, Qt::RightButton, {}, QPoint(4, 4));
    EXPECT_EQ(clicks.size(), 1u) << "only the left button clicks";
}

TEST_F(EditBtnTest, WithoutEditorOnlyTheButtonActs)
{
    edit->SetEditorEnabled(false);
    edit->setText("abc");
    edit->setCursorPosition(1);
    QApplication::clipboard()->setText("xyz");
    QTest::keyClicks(edit, "12");
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "abc");
    QTest::keyClick(edit, Qt::Key_F4);
    QTest::mouseClick(edit->Button()->Button(), Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_EQ(clicks.size(), 2u) << "F4 and the button still fire";

    edit->SetEditorEnabled(true);
    edit->setCursorPosition(3);
    QTest::keyClicks(edit, "d");
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "abcdxyz");
}

TEST_F(EditBtnTest, ButtonSitsAtTheRightEnd)
{
    EXPECT_EQ(edit->ButtonWidth(), 18);
    // Single 3D border: client (120 - 18 - 5, 0), 24 - 5 high, two pixels in.
    EXPECT_EQ(edit->Button()->geometry(), QRect(2 + 97, 2, 18, 19));
    EXPECT_EQ(edit->Button()->Button()->geometry(), QRect(0, 0, 18, 19)) << "the button fills its holder";
    // Text keeps 18 + 5 pixels off the button.
    EXPECT_EQ(edit->FormatRect(), TRect(1, 1, 116 - 23, 20 + 1));
    edit->SetButtonWidth(30);
    EXPECT_EQ(edit->Button()->width(), 30);
    EXPECT_EQ(edit->FormatRect().Right, 116 - 35);
}

TEST_F(EditBtnTest, UnitSpaceSitsBetweenTextAndButton)
{
    // Unit space 20, single border, 18-pixel holder: the text ends 46 pixels
    // (18 + 20 + 5 + 3) before the client's right edge; the unit is drawn in
    // the 20 pixels ending 21 (18 + 3) before it.
    const int cw = unit->ClientWidth();
    EXPECT_EQ(unit->UnitSpace(), 20);
    EXPECT_TRUE(unit->RightAlign());
    EXPECT_EQ(unit->FormatRect().Right, cw - 46);
    EXPECT_EQ(unit->UnitRect(), TRect(cw - 41, 2, cw - 21, unit->ClientHeight()));

    unit->setText(QString());
    unit->SetUnitID("m");
    const QImage img = unit->grab().toImage();
    const QRect drawn = testsupport::pixelBox(img, testsupport::colorIs(ColorToRGB(clWindowText)), QRect(3, 3, 96, 18));
    ASSERT_FALSE(drawn.isNull()) << "the unit is drawn";
    EXPECT_GE(drawn.left(), 2 + cw - 41);
    EXPECT_LE(drawn.right(), 2 + cw - 21);

    unit->SetUnitSpace(30);
    EXPECT_EQ(unit->FormatRect().Right, cw - 56);
}

TEST_F(EditBtnTest, TextAndUnitSplitsAtTheFirstUnitEndingTheValue)
{
    struct Case {
        QStringList units;
        QString value;
        QString text, unitId;
    };
    const std::vector<Case> cases = {
        {{"mm", "cm"}, "12.5cm", "12.5", "cm"},
        {{"m", "km"}, "5km", "5k", "m"},   // the first listed unit that ends it
        {{"km", "m"}, "5km", "5", "km"},
        {{"m"}, "m5m", "old", "u"},        // its first occurrence is not at the end
        {{"mm", "cm"}, "12.5in", "old", "u"},
        {{"mm"}, "mm", "", "mm"},
    };
    for (const Case& c : cases) {
        unit->SetUnits(c.units);
        unit->setText("old");
        unit->SetUnitID("u");
        unit->SetTextAndUnit(c.value);
        EXPECT_EQ(unit->text(), c.text) << c.value.toStdString();
        EXPECT_EQ(unit->UnitID(), c.unitId) << c.value.toStdString();
    }
    unit->setText("3");
    unit->SetUnitID("cm");
    EXPECT_EQ(unit->TextAndUnit(), "3cm");
}

TEST_F(EditBtnTest, UnitMenuChoosesEveryItemTheFirstIncluded)
{
    unit->SetUnits(QStringList{"mm", "cm", "m"});
    unit->SetUnitID("cm");
    int buttonClicks = 0;
    unit->OnClickBtn = [&](QObject*) { ++buttonClicks; };

    chooseFromMenu(0);
    unit->ButtonClick();
    EXPECT_EQ(buttonClicks, 1) << "OnClickBtn comes before the menu";
    EXPECT_EQ(unit->UnitID(), "mm");
    EXPECT_EQ(changes, QStringList{"mm"});

    chooseFromMenu(2);
    QTest::keyClick(unit, Qt::Key_F4);
    EXPECT_EQ(unit->UnitID(), "m");

    chooseFromMenu(2);
    unit->ButtonClick();
    EXPECT_EQ(changes, (QStringList{"mm", "m"})) << "choosing the current unit changes nothing";

    // Commands that are no menu choice.
    unit->HandleWmCommand(EN_CHANGE, 1);
    unit->HandleWmCommand(0, 0);
    unit->HandleWmCommand(0, 4);
    EXPECT_EQ(unit->UnitID(), "m");
    unit->HandleWmCommand(0, 2);
    EXPECT_EQ(unit->UnitID(), "cm");
}

TEST_F(EditBtnTest, ButtonFaces)
{
    TSgEditButton* holder = edit->Button();
    TFxSpeedButton* button = holder->Button();
    const auto pixel = [&](int x, int y) { return FromQColor(button->grab().toImage().pixelColor(x, y)); };

    holder->SetButtonColor(0x00FF00);
    holder->SetButtonColorDown(0x0000FF);
    edit->SetButtonCaption("...");
    EXPECT_EQ(pixel(1, 1), 0x00FF00u);
    EXPECT_TRUE(button->Flat()) << "custom colours make the button flat";
    const QImage img = button->grab().toImage();
    EXPECT_GT(testsupport::countPixels(img, testsupport::colorIs(clBlack)), 0) << "black caption";
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(pixel(1, 1), 0x0000FFu);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(3, 3));

    // Classic and flat faces, without custom colours.
    holder->SetButtonColor(clNone);
    holder->SetFlat(false);
    EXPECT_EQ(pixel(0, 0), ColorToRGB(clBtnHighlight)) << "classic raised frame";
    holder->SetFlat(true);
    EXPECT_EQ(pixel(5, 0), ColorToRGB(clBtnHighlight)) << "flat raised inner edge";
}
