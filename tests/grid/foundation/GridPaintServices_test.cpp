#include "grid/foundation/GridPaintServices.h"

#include "grid/foundation/BaseGrid.h"

#include <gtest/gtest.h>

namespace {

TEST(GridPaintServices, FloatingFooterKeepsCalculationsInTheLastRow)
{
    TBaseGrid grid;
    grid.SetColCount(4);
    grid.SetRowCount(6);
    TFloatingFooter footer(&grid);
    EXPECT_EQ(footer.FooterStyle(), fsFixedLastRow);
    EXPECT_TRUE(footer.EnableCalculation());
    EXPECT_EQ(footer.ColumnCalc(2), acNONE);
    EXPECT_FALSE(grid.CellPropertiesAssigned(2, 5)); // reading creates nothing

    std::vector<int> recalculated;
    footer.OnRecalcColumn = [&](int col) { recalculated.push_back(col); };
    footer.SetColumnCalc(2, acCOUNT);
    EXPECT_EQ(grid.CellProperties(2, 5)->CalcType(), acCOUNT);
    EXPECT_EQ(footer.ColumnCalc(2), acCOUNT);
    EXPECT_EQ(recalculated, std::vector<int>{2});

    int shown = 0;
    footer.OnVisibleChanged = [&](TFloatingFooter* f) { shown += f->Visible() ? 1 : -1; };
    footer.SetVisible(true);
    EXPECT_TRUE(footer.Visible());
    EXPECT_EQ(shown, 1);
}

TEST(GridPaintServices, DefaultsAndChangeEvents)
{
    TBaseGrid grid;
    TControlLook look(&grid);
    EXPECT_EQ(look.ControlStyle(), csTheme);
    EXPECT_EQ(look.CheckSize(), 15);
    look.SetControlStyle(csFlat);
    EXPECT_EQ(look.ControlStyle(), csFlat);

    TBackGround back(&grid);
    EXPECT_EQ(back.Display(), bdTile);
    EXPECT_EQ(back.ColorTo(), fw::clNone);

    TScrollControl bar;
    EXPECT_EQ(bar.Color(), fw::TColor(0xC0C0C0));
    EXPECT_EQ(bar.ScrollWidth(), 4);
    EXPECT_EQ(bar.Direction(), sdVertical);

    int balloon = 0, modified = 0, edits = 0;
    TBalloonSettings b;
    b.OnEnableChange = [&](QObject*) { ++balloon; };
    b.SetEnable(false);
    b.SetEnable(true);
    TShowModified m;
    m.OnChange = [&](QObject*) { ++modified; };
    m.SetEnabled(true);
    m.SetEnabled(true);
    TSearchPanel panel(&grid);
    panel.OnEditChange = [&](QObject*) { ++edits; };
    panel.SetEditText(QStringLiteral("abc"));
    panel.SetPanelHeight(32);
    EXPECT_EQ(panel.height(), 32);
    EXPECT_EQ(balloon, 1);
    EXPECT_EQ(modified, 1);
    EXPECT_EQ(edits, 1);
}

} // namespace
