// The control look: its construction values, the gradient colours it pushes
// into the grid and what a copy takes.
#include "grid/paint/FxControlLook.h"

#include "grid/model/FxGrid.h"
#include "grid/paint/FxDropDownAppearance.h"

#include <gtest/gtest.h>

namespace {

TEST(ControlLook, FreshGridHasGreyToWhiteHover)
{
    TFxStringGrid grid;
    const TControlLook& look = grid.ControlLook();
    EXPECT_EQ(look.FixedGradientHoverFrom(), fw::clGray);
    EXPECT_EQ(look.FixedGradientHoverTo(), fw::clWhite);
    EXPECT_EQ(look.FixedGradientDownFrom(), fw::clGray);
    EXPECT_EQ(look.FixedGradientDownTo(), fw::clSilver);
    EXPECT_EQ(look.CheckSize(), 15);
    EXPECT_EQ(look.RadioSize(), 10);
    EXPECT_EQ(look.ControlStyle(), csTheme);
    EXPECT_EQ(look.CommentColor(), fw::clRed);
    EXPECT_EQ(look.ProgressMarginX(), 2);
    EXPECT_EQ(grid.RIRGradientHoverFrom(), fw::clGray) << "the grid starts with the same colours";
}

TEST(ControlLook, GradientWritersReachTheGridByRole)
{
    TFxStringGrid grid;
    TControlLook& look = grid.ControlLook();
    look.SetFixedGradientHoverFrom(0x010203);
    EXPECT_EQ(grid.RIRGradientHoverFrom(), fw::TColor(0x010203));
    look.SetFixedGradientHoverFrom(fw::clNone);
    EXPECT_EQ(look.FixedGradientHoverFrom(), fw::clNone) << "stored";
    EXPECT_EQ(grid.RIRGradientHoverFrom(), fw::TColor(0x010203)) << "but not pushed";
    look.SetFixedGradientHoverMirrorFrom(0x040506);
    look.SetFixedGradientHoverMirrorFrom(fw::clNone);
    EXPECT_EQ(grid.RIRGradientHoverMirrorFrom(), fw::clNone) << "mirror colours are always pushed";
    look.SetFixedGradientFrom(0x070809);
    EXPECT_EQ(grid.RIRGradientFrom(), fw::TColor(0x070809));
    look.SetFixedGradientDownBorder(0x0A0B0C);
    EXPECT_EQ(grid.RIRGradientDownBorder(), fw::TColor(0x0A0B0C));
}

TEST(ControlLook, CopyTakesColoursButNotTheButtonSwitches)
{
    TFxStringGrid a, b;
    TControlLook& source = a.ControlLook();
    source.SetFixedGradientHoverFrom(0x111111);
    source.SetFixedGradientDownMirrorTo(0x222222);
    source.SetCheckSize(20);
    source.SetControlStyle(csFlat);
    source.SetFlatButton(true);
    source.SetProgressXP(true);
    source.SetHintMaxWidth(300);
    source.DropDownHeader().Caption = QStringLiteral("Pick one");
    source.DropDownFooter().SizeGrip = false;
    TControlLook& target = b.ControlLook();
    target.Assign(source);
    EXPECT_EQ(target.FixedGradientHoverFrom(), fw::TColor(0x111111));
    EXPECT_EQ(target.FixedGradientDownMirrorTo(), fw::TColor(0x222222));
    EXPECT_EQ(target.CheckSize(), 20);
    EXPECT_EQ(target.ControlStyle(), csFlat);
    EXPECT_EQ(target.HintMaxWidth(), 300);
    EXPECT_EQ(target.DropDownHeader().Caption, QStringLiteral("Pick one"));
    EXPECT_FALSE(target.DropDownFooter().SizeGrip);
    EXPECT_FALSE(target.FlatButton());
    EXPECT_FALSE(target.ProgressXP());
    EXPECT_EQ(b.RIRGradientHoverFrom(), fw::clGray) << "a copy pushes nothing into the grid";
}

} // namespace
