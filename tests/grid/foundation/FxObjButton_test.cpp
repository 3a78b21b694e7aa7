#include "grid/foundation/FxObjButton.h"

#include "framework/SysColors.h"

#include <QApplication>
#include <QEnterEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

using namespace fw;

namespace {

class GridButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.resize(300, 100);
        a = make(10);
        b = make(80);
        form.show();
    }

    TFxGridButton* make(int x)
    {
        auto* button = new TFxGridButton(&form);
        button->setGeometry(x, 10, 60, 23);
        button->OnClick = [this](QObject* sender) { clicked.push_back(sender); };
        return button;
    }

    static void enter(QWidget* w)
    {
        QEnterEvent e(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(w, &e);
    }
    static void leave(QWidget* w)
    {
        QEvent e(QEvent::Leave);
        QApplication::sendEvent(w, &e);
    }
    static TColor px(QWidget* w, int x, int y) { return FromQColor(w->grab().toImage().pixelColor(x, y)); }

    QWidget form;
    TFxGridButton* a = nullptr;
    TFxGridButton* b = nullptr;
    std::vector<QObject*> clicked;
};

// A 4 x 4 glyph in one colour with a white lower-left (transparent) pixel.
const TBitmap& glyphOf(TBitmap& g, TColor colour)
{
    g.SetSize(4, 4);
    g.Canvas().Brush().Color = colour;
    g.Canvas().FillRect(TRect(0, 0, 4, 4));
    g.Canvas().SetPixel(0, 3, clWhite);
    return g;
}

} // namespace

TEST(ButtonGradient, SixteenBandsEachOnePixelLonger)
{
    QImage img(10, 32, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        TCanvas c(&img);
        DrawButtonGradient(c, clBlack, RGBToColor(160, 0, 0), false, TRect(0, 0, 10, 32), 16, clNone);
    }
    // Bands of 2 rows (3 drawn, the next band covering the third): band i is red 10 * i.
    for (int y = 0; y < 32; ++y)
        EXPECT_EQ(qRed(img.pixel(5, y)), 10 * (y / 2)) << "row " << y;

    QImage framed(10, 32, QImage::Format_RGB32);
    {
        TCanvas c(&framed);
        DrawButtonGradient(c, clWhite, clWhite, true, TRect(0, 0, 10, 32), 0, clBlue);
    }
    EXPECT_EQ(FromQColor(framed.pixelColor(0, 10)), clBlue);
    EXPECT_EQ(FromQColor(framed.pixelColor(9, 31)), clBlue);
    EXPECT_EQ(FromQColor(framed.pixelColor(5, 10)), clWhite) << "steps below 1 count as one band";
}

TEST_F(GridButtonTest, LooksSetTheirColourSets)
{
    struct Case {
        int look;
        TColor color, colorTo, hot, down, checkedTo, borderDown, borderHot;
        bool rounded;
    };
    const std::vector<Case> cases = {
        {0, 0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE0E6E7, clNone, 0xAF987A, 0xC3CECE, true},
        {1, clBtnFace, clNone, 0xEED2C1, 0xE2B598, clNone, 0xC56A31, 0xC56A31, false},
        {2, 0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x4E91FE, 0x55ADFF, 0x000000, 0x000000, false},
        {5, clBtnFace, clNone, clBtnFace, 0xD8D3D2, clNone, clNone, clNone, false},
        {6, 0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x4DE0FB, 0x9CDDED, 0x808080, 0x808080, false},
    };
    for (const Case& c : cases) {
        a->SetBorderColor(clRed);
        a->SetFlat(false);
        a->SetLook(c.look);
        EXPECT_EQ(a->Color(), c.color) << c.look;
        EXPECT_EQ(a->ColorTo(), c.colorTo) << c.look;
        EXPECT_EQ(a->ColorHot(), c.hot) << c.look;
        EXPECT_EQ(a->ColorDown(), c.down) << c.look;
        EXPECT_EQ(a->ColorCheckedTo(), c.checkedTo) << c.look;
        EXPECT_EQ(a->BorderDownColor(), c.borderDown) << c.look;
        EXPECT_EQ(a->BorderHotColor(), c.borderHot) << c.look;
        EXPECT_EQ(a->Rounded(), c.rounded) << c.look;
        EXPECT_EQ(a->BorderColor(), clNone) << c.look;
        EXPECT_TRUE(a->Flat());
    }
    a->SetLook(7);
    EXPECT_EQ(a->Color(), 0xCAFFFFu) << "look 7 changes nothing";
    a->SetLook(-1);
    EXPECT_EQ(a->ColorHot(), 0xA8F0FDu);
}

TEST_F(GridButtonTest, DefaultsAndFlatFaces)
{
    EXPECT_EQ(a->Color(), clBtnFace);
    EXPECT_EQ(a->ColorHot(), 0xCAC7C7u);
    EXPECT_EQ(a->ColorDown(), 0xD8D3D2u);
    EXPECT_EQ(a->ColorChecked(), 0x808080u);
    EXPECT_EQ(a->Margin(), -1);
    EXPECT_EQ(a->Spacing(), 4);
    EXPECT_TRUE(a->Flat());
    EXPECT_TRUE(a->Shaded());
    EXPECT_TRUE(a->ShowCaption());
    EXPECT_EQ(a->Style(), tasButton);
    TFxGridButton fresh;
    EXPECT_EQ(fresh.size(), QSize(22, 23));

    a->SetColor(0x00FF00);
    a->SetColorHot(0x0000FF);
    EXPECT_EQ(px(a, 30, 3), 0x00FF00u) << "normal face";
    enter(a);
    EXPECT_TRUE(a->MouseInControl());
    EXPECT_EQ(px(a, 30, 3), 0x0000FFu) << "hot face";
    leave(a);
    EXPECT_EQ(px(a, 30, 3), 0x00FF00u);
}

TEST_F(GridButtonTest, CheckButtonTogglesOnEachClickInside)
{
    a->SetStyle(tasCheck);
    a->SetColor(0x00FF00);
    a->SetColorChecked(0xFF0000);
    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(clicked.size(), 1u);
    EXPECT_EQ(px(a, 30, 3), 0xFF0000u) << "a down check button shows the checked colour";
    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(px(a, 30, 3), 0x00FF00u);

    // Released outside: no toggle, no click.
    QTest::mousePress(a, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(a, Qt::LeftButton, {}, QPoint(100, 10));
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(clicked.size(), 2u);
}

TEST_F(GridButtonTest, ReleaseOutsideFiresNoClick)
{
    struct Case {
        QPoint release;
        bool clicks;
    };
    for (const Case& c : std::vector<Case>{{{59, 22}, true}, {{59, 23}, true}, {{60, 10}, false}, {{10, -1}, false}}) {
        clicked.clear();
        QTest::mousePress(a, Qt::LeftButton, {}, QPoint(10, 10));
        EXPECT_EQ(a->State(), bsDown);
        QTest::mouseRelease(a, Qt::LeftButton, {}, c.release);
        EXPECT_EQ(a->State(), bsUp);
        EXPECT_EQ(clicked.size(), c.clicks ? 1u : 0u) << c.release.x() << "," << c.release.y();
    }

    // Dragged off the button it comes up, and back over it goes down again.
    QTest::mousePress(a, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(a, QPoint(70, 10));
    EXPECT_EQ(a->State(), bsUp);
    QTest::mouseMove(a, QPoint(12, 10));
    EXPECT_EQ(a->State(), bsDown);
    QTest::mouseRelease(a, Qt::LeftButton, {}, QPoint(12, 10));
    EXPECT_EQ(a->State(), bsUp);
}

TEST_F(GridButtonTest, GroupKeepsOneButtonDown)
{
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(a->State(), bsExclusive);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down()) << "pressing one button of the group releases the other";
    EXPECT_EQ(a->State(), bsUp);

    b->SetDown(false);
    EXPECT_TRUE(b->Down()) << "without AllowAllUp the down button stays down";
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(b->Down());

    b->SetAllowAllUp(true);
    EXPECT_TRUE(a->AllowAllUp()) << "the whole group takes AllowAllUp";
    b->SetDown(false);
    EXPECT_FALSE(b->Down());

    // Without a group a plain button never stays down.
    TFxGridButton* loose = make(150);
    loose->SetDown(true);
    EXPECT_FALSE(loose->Down());
}

TEST_F(GridButtonTest, DropDownPartFiresDropDownNotClick)
{
    int drops = 0;
    a->SetDropDownButton(true);
    a->OnDropDown = [&](QObject*) { ++drops; };
    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(50, 10));   // within 12 pixels of the right edge
    EXPECT_EQ(drops, 1);
    EXPECT_TRUE(clicked.empty());
    EXPECT_EQ(a->State(), bsUp);
    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(47, 10));
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(clicked.size(), 1u);
}

TEST_F(GridButtonTest, GlyphBuildsItsDisabledCopyOnce)
{
    TBitmap first, second;
    a->SetGlyph(glyphOf(first, RGBToColor(30, 60, 90)));
    ASSERT_FALSE(a->GlyphDisabled().Empty());
    // ((30 + 60 + 90) / 3) / 2 + 96 = 126; white: 255 / 2 + 96 = 223.
    EXPECT_EQ(a->GlyphDisabled().ToImage().pixel(1, 1) & 0xFFFFFF, qRgb(126, 126, 126) & 0xFFFFFF);
    EXPECT_EQ(a->GlyphDisabled().ToImage().pixel(0, 3) & 0xFFFFFF, qRgb(223, 223, 223) & 0xFFFFFF);
    a->SetGlyph(glyphOf(second, clBlack));
    EXPECT_EQ(a->GlyphDisabled().ToImage().pixel(1, 1) & 0xFFFFFF, qRgb(126, 126, 126) & 0xFFFFFF)
        << "a second glyph does not rebuild the disabled copy";

    a->SetShaded(true);
    EXPECT_EQ(a->GlyphShade().ToImage().pixel(1, 1) & 0xFFFFFF, qRgb(0x80, 0x80, 0x80) & 0xFFFFFF);
    EXPECT_EQ(a->GlyphShade().ToImage().pixel(0, 3) & 0xFFFFFF, qRgb(255, 255, 255) & 0xFFFFFF)
        << "the transparent colour stays";

    // Disabled, the button shows the grey copy.
    a->SetCaption(QString());
    a->setEnabled(false);
    EXPECT_EQ(px(a, 2, 1), RGBToColor(126, 126, 126)) << "a caption-less glyph sits at the corner";
}

TEST_F(GridButtonTest, LayoutPlacesGlyphByLayoutMarginAndDirection)
{
    a->SetGlyph(TBitmap(16, 16));
    struct Case {
        TButtonLayout layout;
        int margin;
        bool rtl;
        TPoint glyph;
    };
    // Client 64 x 23, no caption: the free 48 pixels split evenly with margin -1.
    const std::vector<Case> cases = {
        {blGlyphLeft, -1, false, {24, 4}}, {blGlyphRight, -1, false, {24, 4}}, {blGlyphTop, -1, false, {24, 4}},
        {blGlyphBottom, -1, false, {24, 3}}, {blGlyphLeft, 2, false, {2, 4}}, {blGlyphRight, 2, false, {46, 4}},
        {blGlyphTop, 2, false, {24, 2}}, {blGlyphBottom, 2, false, {24, 5}}, {blGlyphLeft, 2, true, {46, 4}},
    };
    for (const Case& c : cases) {
        const auto r = a->CalcLayout(TRect(10, 20, 74, 43), QString(), c.layout, c.margin, 4, TPoint(1, 1), c.rtl);
        EXPECT_EQ(r.GlyphPos, TPoint(c.glyph.X + 11, c.glyph.Y + 21)) << c.layout << " margin " << c.margin;
    }
    // With a caption the glyph moves left to make room for the text after the spacing.
    const auto withText = a->CalcLayout(TRect(0, 0, 64, 23), QStringLiteral("Go"), blGlyphLeft, -1, 4, TPoint(), false);
    EXPECT_LT(withText.GlyphPos.X, 24);
    EXPECT_EQ(withText.TextBounds.Left, withText.GlyphPos.X + 16 + 4);
}

TEST_F(GridButtonTest, AcceleratorClicks)
{
    a->SetCaption(QStringLiteral("&Find"));
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(clicked.size(), 1u);
    a->setEnabled(false);
    QTest::keyClick(&form, Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(clicked.size(), 1u) << "a disabled button ignores its accelerator";
}
