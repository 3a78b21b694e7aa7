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
