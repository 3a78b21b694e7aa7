#include "grid/foundation/SgCombo.h"

#include "framework/SysColors.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QScrollBar>
#include <QWidget>

using namespace fw;

namespace {

class ComboTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent.resize(400, 200);
        QPalette pal = parent.palette();
        pal.setColor(QPalette::Window, ToQColor(kParentColor));
        parent.setPalette(pal);
        combo = new TSgComboBox(&parent);
        combo->SetBounds(150, 80, 120, 22);
        combo->addItems({"one", "two", "three"});
    }

    void focus(bool in)
    {
        QFocusEvent e(in ? QEvent::FocusIn : QEvent::FocusOut, Qt::OtherFocusReason);
        QApplication::sendEvent(combo, &e);
    }

    QImage shot() { return combo->grab().toImage(); }
    static TColor px(const QImage& img, int x, int y) { return FromQColor(img.pixelColor(x, y)); }

    static constexpr TColor kParentColor = 0x00E0E0;
    QWidget parent;
    TSgComboBox* combo = nullptr;
};

TEST_F(ComboTest, Defaults)
{
    EXPECT_FALSE(combo->Flat());
    EXPECT_TRUE(combo->DisabledBorder());
    EXPECT_TRUE(combo->FlatParentColor());
    EXPECT_EQ(combo->BorderColor(), clNone);
    EXPECT_EQ(combo->FocusColor(), clNone);
    EXPECT_EQ(combo->ButtonColor(), clNone);
    EXPECT_EQ(combo->LabelMargin(), 4);
    EXPECT_EQ(combo->LabelPosition(), lpLeftTop);
    EXPECT_EQ(combo->ComboLabel(), nullptr);
    EXPECT_EQ(combo->LabelCaption(), "");
    EXPECT_EQ(combo->Style(), csDropDown);
    EXPECT_TRUE(combo->isEditable());
    EXPECT_TRUE(combo->AutoComplete());
    EXPECT_EQ(combo->maxVisibleItems(), 8);
    // The drop button is as wide as a vertical scroll bar of the same style, plus 2.
    QScrollBar bar(Qt::Vertical);
    bar.setStyle(combo->style());
    EXPECT_EQ(combo->ButtonWidth(), bar.sizeHint().width() + 2);
}

TEST_F(ComboTest, ButtonWidthRange)
{
    struct TCase {
        int value;
        int expected;
    };
    combo->SetButtonWidth(20);
    for (const TCase& c : std::vector<TCase>{{13, 20}, {14, 14}, {33, 14}, {32, 32}, {-1, 32}}) {
        combo->SetButtonWidth(c.value);
        EXPECT_EQ(combo->ButtonWidth(), c.expected) << c.value;
    }
}

TEST_F(ComboTest, FlatTakesParentColourAndDisablingKeepsOwn)
{
    combo->SetColor(0xFFFFFF);
    combo->SetFlat(true);
    EXPECT_EQ(combo->Color(), kParentColor);
    combo->SetColor(0x0000FF);
    combo->setEnabled(false);
    EXPECT_EQ(combo->Color(), kParentColor);
    combo->setEnabled(true);
    EXPECT_EQ(combo->Color(), 0x0000FFu);
    combo->SetFlat(false);
    EXPECT_EQ(combo->Color(), clWindow) << "back to the loaded colour";
}

TEST_F(ComboTest, FocusColourComesAndGoes)
{
    combo->SetColor(0xF0F0F0);
    combo->Init();
    combo->SetFocusColor(0x00FFFF);
    focus(true);
    EXPECT_EQ(combo->Color(), 0x00FFFFu);
    focus(false);
    EXPECT_EQ(combo->Color(), 0xF0F0F0u);
}

TEST_F(ComboTest, LoadingRemembersColour)
{
    TSgComboBox loaded(&parent);
    loaded.BeginLoad();
    loaded.SetColor(0x123456);
    loaded.SetFlat(true);   // turns to the parent colour while loading
    loaded.Loaded();
    EXPECT_EQ(loaded.Color(), 0x123456u);
    loaded.SetFocusColor(0x00FFFF);
    QFocusEvent in(QEvent::FocusIn), out(QEvent::FocusOut);
    QApplication::sendEvent(&loaded, &in);
    QApplication::sendEvent(&loaded, &out);
    EXPECT_EQ(loaded.Color(), 0x123456u) << "Loaded ends with Init";
}

TEST_F(ComboTest, BorderAndFocusBorderColours)
{
    combo->SetBorderColor(0x0000FF);
    combo->SetFocusBorderColor(0xFF0000);
    QImage img = shot();
    EXPECT_EQ(px(img, 0, 0), 0x0000FFu);
    EXPECT_EQ(px(img, 119, 21), 0x0000FFu);
    EXPECT_EQ(px(img, 60, 0), 0x0000FFu);
    focus(true);
    img = shot();
    EXPECT_EQ(px(img, 0, 0), 0xFF0000u);
    EXPECT_EQ(px(img, 60, 21), 0xFF0000u);
    focus(false);
    EXPECT_EQ(px(shot(), 0, 0), 0x0000FFu);

    // Only a focus border colour: nothing while unfocused.
    combo->SetBorderColor(clNone);
    focus(true);
    EXPECT_EQ(px(shot(), 0, 0), 0xFF0000u);
}

TEST_F(ComboTest, CustomButtonColours)
{
    combo->SetButtonWidth(20);
    combo->SetButtonColor(0x00FF00);
    combo->SetButtonBorderColor(0x800000);
    combo->SetButtonTextColor(0x0000FF);
    const QImage img = shot();
    // B = (120-20+3, 1, 119, 21) grown left by one, top down and bottom/right up by one: (102, 2, 118, 20).
    EXPECT_EQ(px(img, 110, 4), 0x00FF00u);
    EXPECT_EQ(px(img, 102, 10), 0x800000u) << "button border line";
    EXPECT_EQ(px(img, 109, 9), 0x0000FFu) << "arrow";
    EXPECT_EQ(px(img, 109, 13), 0x00FF00u) << "below the arrow";
    EXPECT_EQ(px(img, 50, 10), fw::ColorToRGB(clWindow)) << "edit area in the combo colour";
}

TEST_F(ComboTest, FlatFrame)
{
    combo->SetFlat(true);
    combo->SetColor(0xFFFFFF);
    combo->SetFlatLineColor(0x0000FF);
    const QImage img = shot();
    EXPECT_EQ(px(img, 0, 5), kParentColor) << "outer frame in the parent colour";
    EXPECT_EQ(px(img, 1, 5), kParentColor);
    EXPECT_EQ(px(img, 2, 5), 0xFFFFFFu) << "inner frame in the combo colour";
    EXPECT_EQ(px(img, 30, 21), 0x0000FFu) << "flat line along the bottom";
    EXPECT_EQ(px(img, 30, 0), kParentColor);
}

TEST_F(ComboTest, FlatButtonAreaWhenNotHot)
{
    combo->SetButtonWidth(20);
    combo->SetFlat(true);
    const QImage img = shot();
    const TColor face = ColorToRGB(clBtnFace);
    // Button area (100, 3, 117, 19) in the button face colour, around the arrow part (104, 4, 116, 18).
    EXPECT_EQ(px(img, 101, 10), face);
    EXPECT_EQ(px(img, 110, 3), face);
    EXPECT_EQ(px(img, 110, 18), face);
    bool arrowKept = false;
    for (int y = 4; y < 18; ++y)
        for (int x = 104; x < 116; ++x)
            arrowKept |= px(img, x, y) != face;
    EXPECT_TRUE(arrowKept) << "the drop button's glyph stays";
}

TEST_F(ComboTest, ListOnlyComboPaintsItsText)
{
    combo->SetStyle(csDropDownList);
    EXPECT_FALSE(combo->isEditable());
    combo->setCurrentIndex(1);
    combo->SetBorderColor(0x0000FF);
    QImage img = shot();
    bool text = false;
    for (int y = 3; y < 19; ++y)
        for (int x = 3; x < 60; ++x)
            text |= px(img, x, y) == ColorToRGB(clWindowText);
    EXPECT_TRUE(text);
    focus(true);
    img = shot();
    EXPECT_EQ(px(img, 4, 4), ColorToRGB(clHighlight)) << "focused list-only combo highlights its text";
}

TEST_F(ComboTest, DisabledThemedBorder)
{
    combo->SetDisabledBorder(false);
    combo->setEnabled(false);
    const QImage img = shot();
    EXPECT_EQ(px(img, 0, 0), 0xB99D7Fu);
    EXPECT_EQ(px(img, 119, 10), 0xB99D7Fu);
}

TEST_F(ComboTest, LabelPlacement)
{
    combo->SetLabelCaption("&Name");
    QLabel* label = combo->ComboLabel();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->parentWidget(), &parent);
    EXPECT_EQ(label->buddy(), combo);
    EXPECT_EQ(combo->LabelCaption(), "&Name");
    const int lw = label->width(), lh = label->height();
    const int cw = QFontMetrics(label->font()).size(Qt::TextSingleLine | Qt::TextShowMnemonic, "&Name").width();
    const int L = 150, T = 80, W = 120, H = 22, m = 6;
    combo->SetLabelMargin(m);
    const int vc = H >= lh ? T + (H - lh) / 2 : T - (lh - H) / 2;
    const int hc = lw < W ? L + (W - lw) / 2 : L - (lw - W) / 2;
    struct TCase {
        TLabelPosition pos;
        int left, top;
    };
    const std::vector<TCase> cases = {
        {lpLeftTop, L - cw - m, T},         {lpLeftCenter, L - cw - m, vc},  {lpLeftBottom, L - cw - m, T + H - lh},
        {lpTopLeft, L, T - lh - m},         {lpBottomLeft, L, T + H + m},    {lpLeftTopLeft, L - m, T},
        {lpLeftCenterLeft, L - m, vc},      {lpLeftBottomLeft, L - m, T + H - lh},
        {lpTopCenter, hc, T - lh - m},      {lpBottomCenter, hc, T + H + m}, {lpRightTop, L + W + m, T},
        {lpRightCenter, L + W + m, vc},     {lpRighBottom, L + W + m, T + H - lh},
    };
    for (const auto& c : cases) {
        combo->SetLabelPosition(c.pos);
        EXPECT_EQ(label->pos(), QPoint(c.left, c.top)) << int(c.pos);
    }
    // The label follows moves, visibility and the enabled state.
    combo->SetLabelPosition(lpRightTop);
    combo->SetBounds(10, 20, 120, 22);
    EXPECT_EQ(label->pos(), QPoint(10 + 120 + m, 20));
    combo->setVisible(false);
    EXPECT_TRUE(label->isHidden());
    combo->setVisible(true);
    EXPECT_FALSE(label->isHidden());
    combo->setEnabled(false);
    EXPECT_FALSE(label->isEnabled());
    combo->SetLabelAlwaysEnabled(true);
    EXPECT_TRUE(label->isEnabled());
}

TEST_F(ComboTest, FocusLabelTurnsBold)
{
    combo->SetLabelCaption("Name");
    combo->SetFocusLabel(true);
    focus(true);
    EXPECT_TRUE(combo->ComboLabel()->font().bold());
    focus(false);
    EXPECT_FALSE(combo->ComboLabel()->font().bold());
}

TEST_F(ComboTest, SelectItemDropWidthAndDropUp)
{
    combo->SelectItem("two");
    EXPECT_EQ(combo->currentIndex(), 1);
    combo->SelectItem("missing");
    EXPECT_EQ(combo->currentIndex(), 1);
    combo->SelectItem("TWO");
    EXPECT_EQ(combo->currentIndex(), 1);

    combo->SetDropWidth(300);
    EXPECT_EQ(combo->view()->minimumWidth(), 300);

    int dropUps = 0;
    combo->OnDropUp = [&](QObject* sender) {
        EXPECT_EQ(sender, combo);
        ++dropUps;
    };
    // Hiding a list that never dropped down is no close-up.
    combo->hidePopup();
    EXPECT_EQ(dropUps, 0);
    combo->showPopup();
    combo->hidePopup();
    EXPECT_EQ(dropUps, 1);
    combo->hidePopup();
    combo->hide();
    EXPECT_EQ(dropUps, 1);
}

TEST_F(ComboTest, ButtonHoverFollowsTheMouse)
{
    combo->SetButtonWidth(20);
    QMouseEvent inside(QEvent::MouseMove, QPointF(110, 10), QPointF(110, 10), Qt::NoButton, Qt::NoButton,
                       Qt::NoModifier);
    QApplication::sendEvent(combo, &inside);
    EXPECT_TRUE(combo->ButtonHover());
    QMouseEvent edit(QEvent::MouseMove, QPointF(50, 10), QPointF(50, 10), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(combo, &edit);
    EXPECT_FALSE(combo->ButtonHover());
}

} // namespace
