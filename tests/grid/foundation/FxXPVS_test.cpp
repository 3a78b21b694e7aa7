#include "grid/foundation/FxXPVS.h"

#include "framework/Canvas.h"
#include "framework/SysColors.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

using namespace fw;

namespace {

// Bounding box of the pixels that differ from the fill colour.
TRect drawnBox(const QImage& img, TColor background)
{
    return testsupport::toTRect(testsupport::pixelBox(img, testsupport::colorIsNot(background)));
}

TEST(FxXPVS, BindingAnswers)
{
    EXPECT_TRUE(XPVSBound());
    EXPECT_TRUE(IsThemeActive());
    EXPECT_TRUE(IsAppThemed());
    EXPECT_FALSE(GetCurrentThemeName().isEmpty());
    EXPECT_EQ(OpenThemeData(nullptr, "nosuchclass"), nullptr);
    HTHEME t = OpenThemeData(nullptr, "nosuch;Button");   // first known class of a list
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(IsThemePartDefined(t, xpvs::BP_CHECKBOX, 1));
    EXPECT_FALSE(IsThemePartDefined(t, 9, 1));
    CloseThemeData(t);
    EXPECT_FALSE(IsThemePartDefined(nullptr, 1, 1));
}

TEST(FxXPVS, PartsDrawInsideTheirRectangle)
{
    struct TCase {
        const char* cls;
        int part;
        std::vector<int> states;
    };
    const std::vector<TCase> cases = {
        {"button", xpvs::BP_PUSHBUTTON, {1, 2, 3, 4, 5}},
        {"button", xpvs::BP_CHECKBOX, {1, 4, 5, 8, 9, 12}},
        {"button", xpvs::BP_RADIOBUTTON, {1, 5}},
        {"combobox", xpvs::CP_DROPDOWNBUTTON, {1, 2, 3, 4}},
        {"spin", xpvs::SPNP_UP, {1, 4}},
        {"spin", xpvs::SPNP_DOWN, {1, 4}},
        {"header", xpvs::HP_HEADERITEM, {1, 2, 3}},
        {"treeview", xpvs::TVP_GLYPH, {1, 2}},
    };
    QWidget window;
    const TRect r(10, 10, 40, 32);
    for (const auto& c : cases) {
        for (int state : c.states) {
            QImage img(60, 50, QImage::Format_RGB32);
            img.fill(Qt::magenta);
            {
                TCanvas canvas(&img);
                HTHEME t = OpenThemeData(&window, c.cls);
                ASSERT_NE(t, nullptr) << c.cls;
                EXPECT_TRUE(DrawThemeBackground(t, canvas, c.part, state, r)) << c.cls << " " << state;
                CloseThemeData(t);
            }
            const TRect box = drawnBox(img, 0xFF00FF);
            EXPECT_FALSE(box.IsEmpty()) << c.cls << " part " << c.part << " state " << state;
            EXPECT_GE(box.Left, r.Left) << c.cls;
            EXPECT_GE(box.Top, r.Top) << c.cls;
            EXPECT_LE(box.Right, r.Right) << c.cls;
            EXPECT_LE(box.Bottom, r.Bottom) << c.cls;
        }
    }
}

TEST(FxXPVS, ClipLimitsDrawing)
{
    QImage img(60, 50, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    {
        TCanvas canvas(&img);
        HTHEME t = OpenThemeData(nullptr, "button");
        const TRect clip(10, 10, 20, 20);
        DrawThemeBackground(t, canvas, xpvs::BP_PUSHBUTTON, 1, TRect(10, 10, 40, 32), &clip);
        CloseThemeData(t);
    }
    const TRect box = drawnBox(img, 0xFF00FF);
    EXPECT_LE(box.Right, 20);
    EXPECT_LE(box.Bottom, 20);
}

} // namespace

namespace {

TEST(FxXPVS, ContentRectAndExtentAreInverseAndHitTestFindsTheBorders)
{
    QWidget window;
    HTHEME t = OpenThemeData(&window, "button");
    ASSERT_NE(t, nullptr);
    const TRect bounds(10, 10, 90, 40);
    TRect content, extent;
    ASSERT_TRUE(GetThemeBackgroundContentRect(t, xpvs::BP_PUSHBUTTON, 1, bounds, content));
    EXPECT_GT(content.Left, bounds.Left) << "a push button frames its content";
    ASSERT_TRUE(GetThemeBackgroundExtent(t, xpvs::BP_PUSHBUTTON, 1, content, extent));
    EXPECT_EQ(extent, bounds);
    int border = 0;
    ASSERT_TRUE(GetThemeMetric(t, xpvs::BP_PUSHBUTTON, 1, xpvs::TMT_BORDERSIZE, border));
    EXPECT_EQ(content, bounds.Inflated(-border, -border));
    TMargins margins;
    ASSERT_TRUE(GetThemeMargins(t, xpvs::BP_PUSHBUTTON, 1, xpvs::TMT_CONTENTMARGINS, margins));
    EXPECT_EQ(margins, (TMargins{border, border, border, border}));

    struct TCase {
        TPoint p;
        unsigned options;
        int code;
    };
    const TCase cases[] = {
        {{50, 25}, xpvs::HTTB_BACKGROUNDSEG, xpvs::HTCLIENT},
        {{5, 25}, xpvs::HTTB_BACKGROUNDSEG, xpvs::HTNOWHERE},
        {{10, 25}, xpvs::HTTB_BACKGROUNDSEG, xpvs::HTCLIENT},
        {{10, 25}, xpvs::HTTB_RESIZINGBORDER, xpvs::HTLEFT},
        {{89, 39}, xpvs::HTTB_RESIZINGBORDER, xpvs::HTBOTTOMRIGHT},
        {{50, 10}, xpvs::HTTB_RESIZINGBORDER, xpvs::HTTOP},
        {{90, 25}, xpvs::HTTB_RESIZINGBORDER, xpvs::HTNOWHERE},
    };
    for (const TCase& c : cases) {
        int code = -1;
        ASSERT_TRUE(HitTestThemeBackground(t, xpvs::BP_PUSHBUTTON, 1, c.options, bounds, c.p, code));
        EXPECT_EQ(code, c.code) << c.p.X << "," << c.p.Y << " options " << c.options;
    }

    TRegion region;
    ASSERT_TRUE(GetThemeBackgroundRegion(t, xpvs::BP_RADIOBUTTON, 1, TRect(0, 0, 20, 20), region));
    EXPECT_FALSE(region.Contains(TPoint(0, 0))) << "a radio button is round";
    EXPECT_TRUE(region.Contains(TPoint(10, 10)));
    EXPECT_TRUE(IsThemeBackgroundPartiallyTransparent(t, xpvs::BP_RADIOBUTTON, 1));
    EXPECT_FALSE(IsThemeBackgroundPartiallyTransparent(t, xpvs::BP_PUSHBUTTON, 1));
    CloseThemeData(t);
}

TEST(FxXPVS, PropertiesComeFromThePaletteAndUnknownOnesAreNotFound)
{
    QWidget window;
    QPalette pal = window.palette();
    pal.setColor(QPalette::Active, QPalette::ButtonText, QColor(0x12, 0x34, 0x56));
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x99, 0x99, 0x99));
    pal.setColor(QPalette::Active, QPalette::Button, QColor(0xEE, 0xDD, 0xCC));
    window.setPalette(pal);
    HTHEME t = OpenThemeData(&window, "combobox");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(GetWindowTheme(&window), t);

    struct TCase {
        int state;
        int prop;
        TColor expected;
    };
    const TCase cases[] = {
        {xpvs::CBXS_NORMAL, xpvs::TMT_TEXTCOLOR, 0x563412},
        {xpvs::CBXS_DISABLED, xpvs::TMT_TEXTCOLOR, 0x999999},
        {xpvs::CBXS_NORMAL, xpvs::TMT_FILLCOLOR, 0xCCDDEE},
    };
    for (const TCase& c : cases) {
        TColor color = clNone;
        ASSERT_TRUE(GetThemeColor(t, xpvs::CP_DROPDOWNBUTTON, c.state, c.prop, color)) << c.prop;
        EXPECT_EQ(color, c.expected) << "state " << c.state << " property " << c.prop;
    }
    TColor color = clNone;
    EXPECT_FALSE(GetThemeColor(t, xpvs::CP_DROPDOWNBUTTON, 1, 9999, color));
    EXPECT_FALSE(GetThemeColor(t, 7, 1, xpvs::TMT_TEXTCOLOR, color)) << "an unknown part";
    QString name;
    EXPECT_TRUE(GetThemeString(t, xpvs::CP_DROPDOWNBUTTON, 1, xpvs::TMT_CLASSES, name));
    EXPECT_EQ(name, "combobox");
    EXPECT_FALSE(GetThemeFilename(t, xpvs::CP_DROPDOWNBUTTON, 1, xpvs::TMT_IMAGEFILE, name));
    int bgType = -1;
    EXPECT_TRUE(GetThemeEnumValue(t, xpvs::CP_DROPDOWNBUTTON, 1, xpvs::TMT_BGTYPE, bgType));
    EXPECT_EQ(bgType, xpvs::BT_BORDERFILL);
    EXPECT_EQ(GetThemeSysColor(t, 15), GetSysColor(15));
    EXPECT_EQ(GetThemeSysColorBrush(t, 5).Color, GetSysColor(5));
    CloseThemeData(t);
    EXPECT_EQ(GetWindowTheme(&window), nullptr);
}

TEST(FxXPVS, ThemingSwitchesPerWindowAndForTheProgram)
{
    QWidget window;
    ASSERT_TRUE(SetWindowTheme(&window, QStringLiteral(""), QStringLiteral("")));
    EXPECT_EQ(OpenThemeData(&window, "button"), nullptr);
    ASSERT_TRUE(SetWindowTheme(&window, QString(), QString()));
    HTHEME t = OpenThemeData(&window, "button");
    EXPECT_NE(t, nullptr);
    CloseThemeData(t);

    EnableTheming(false);
    EXPECT_FALSE(IsThemeActive());
    EXPECT_EQ(OpenThemeData(&window, "button"), nullptr);
    EnableTheming(true);
    EXPECT_TRUE(IsThemeActive());

    SetThemeAppProperties(xpvs::STAP_ALLOW_NONCLIENT);
    EXPECT_FALSE(IsAppThemed());
    EXPECT_EQ(OpenThemeData(&window, "button"), nullptr);
    SetThemeAppProperties(xpvs::STAP_ALLOW_NONCLIENT | xpvs::STAP_ALLOW_CONTROLS | xpvs::STAP_ALLOW_WEBCONTENT);
    EXPECT_TRUE(IsAppThemed());

    EXPECT_FALSE(IsThemeDialogTextureEnabled(&window));
    EnableThemeDialogTexture(&window, xpvs::ETDT_ENABLE | xpvs::ETDT_USETABTEXTURE);
    EXPECT_TRUE(IsThemeDialogTextureEnabled(&window));
    EnableThemeDialogTexture(&window, xpvs::ETDT_DISABLE);
    EXPECT_FALSE(IsThemeDialogTextureEnabled(&window));

    QString file, colour, size, display;
    EXPECT_TRUE(GetCurrentThemeName(file, colour, size));
    EXPECT_EQ(file, GetCurrentThemeName());
    EXPECT_TRUE(GetThemeDocumentationProperty(file, "DisplayName", display));
    EXPECT_EQ(display, file);
    EXPECT_FALSE(GetThemeDocumentationProperty("no such theme", "DisplayName", display));
}

TEST(FxXPVS, TextAndParentBackgroundAreDrawnInTheirColours)
{
    QWidget parent;
    QPalette pal = parent.palette();
    pal.setColor(QPalette::Window, QColor(0x20, 0x40, 0x60));
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0xFF, 0x00, 0x00));
    parent.setPalette(pal);
    QWidget child(&parent);
    child.resize(30, 20);

    QImage img(60, 40, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        TCanvas canvas(&img);
        ASSERT_TRUE(DrawThemeParentBackground(&child, canvas));
        HTHEME t = OpenThemeData(&child, "button");
        ASSERT_TRUE(DrawThemeText(t, canvas, xpvs::BP_PUSHBUTTON, xpvs::PBS_DISABLED, "WWW",
                                  DT_SINGLELINE | DT_LEFT | DT_TOP, TRect(0, 25, 60, 40)));
        CloseThemeData(t);
    }
    EXPECT_EQ(testsupport::countPixels(img, testsupport::colorIs(0x604020), QRect(0, 0, 30, 20)), 30 * 20);
    EXPECT_EQ(testsupport::countPixels(img, testsupport::colorIs(0x604020), QRect(30, 0, 30, 20)), 0);
    EXPECT_GT(testsupport::countPixels(img, testsupport::colorIs(0x0000FF), QRect(0, 25, 60, 15)), 10)
        << "disabled text in the palette's disabled button text colour";
}

} // namespace
