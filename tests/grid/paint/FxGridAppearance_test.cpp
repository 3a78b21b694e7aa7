#include "grid/paint/FxGridAppearance.h"

#include "grid/model/FxGrid.h"

#include <gtest/gtest.h>

namespace {

TEST(FxGridAppearance, ProgressAppearanceReportsRealChangesAndOneForACopy)
{
    TGridProgressAppearance a;
    EXPECT_EQ(a.CompleteColor(), fw::clRed);
    EXPECT_EQ(a.Level1Perc(), 70);
    EXPECT_EQ(a.Level2Perc(), 90);
    EXPECT_EQ(a.Steps(), 11);
    EXPECT_EQ(a.Style(), psXP);
    int changes = 0;
    a.OnChange = [&](QObject*) { ++changes; };
    a.SetLevel1Perc(70);
    a.SetShowBorder(false);
    EXPECT_EQ(changes, 0) << "unchanged values raise nothing";
    a.SetLevel1Perc(60);
    EXPECT_EQ(changes, 1);

    TGridProgressAppearance b;
    b.SetSteps(4);
    b.SetStyle(psClassic);
    b.SetUnCompleteColor(0x123456);
    changes = 0;
    a.Assign(b);
    EXPECT_EQ(changes, 1) << "a copy raises exactly one change";
    EXPECT_EQ(a.Steps(), 4);
    EXPECT_EQ(a.Style(), psClassic);
    EXPECT_EQ(a.UnCompleteColor(), fw::TColor(0x123456));
    EXPECT_EQ(a.Level1Perc(), 70);
}

TEST(FxGridAppearance, BalloonAndModifiedMarkRaiseTheirEventOnEveryWrite)
{
    TBalloonSettings balloon;
    int enables = 0;
    balloon.OnEnableChange = [&](QObject*) { ++enables; };
    balloon.SetEnable(false);
    balloon.SetEnable(false);
    EXPECT_EQ(enables, 2) << "Enable raises its event even when unchanged";

    TShowModified modified;
    int colours = 0;
    modified.OnChange = [&](QObject*) { ++colours; };
    modified.SetEnabled(true);
    EXPECT_EQ(colours, 0) << "Enabled only stores";
    modified.SetColor(modified.Color());
    EXPECT_EQ(colours, 1) << "Color raises its event even when unchanged";
}

TEST(FxGridAppearance, BalloonCopyLeavesTransparencyAndRaisesNothing)
{
    TBalloonSettings source;
    source.SetTextColor(0x010203);
    source.SetBackgroundColor(0x040506);
    source.SetInitialDelay(10);
    source.SetAutoHideDelay(20);
    source.SetReshowDelay(30);
    source.SetTransparency(55);
    source.SetEnable(true);
    TBalloonSettings target;
    int enables = 0;
    target.OnEnableChange = [&](QObject*) { ++enables; };
    target.Assign(source);
    EXPECT_EQ(enables, 0);
    EXPECT_TRUE(target.Enable());
    EXPECT_EQ(target.TextColor(), fw::TColor(0x010203));
    EXPECT_EQ(target.BackgroundColor(), fw::TColor(0x040506));
    EXPECT_EQ(target.InitialDelay(), 10);
    EXPECT_EQ(target.AutoHideDelay(), 20);
    EXPECT_EQ(target.ReshowDelay(), 30);
    EXPECT_EQ(target.Transparency(), 0);
}

TEST(FxGridAppearance, GridBackGroundSetterCopiesAllSevenValues)
{
    TFxStringGrid grid;
    TBackGround source(nullptr);
    fw::TBitmap picture(3, 2);
    source.SetTop(7);
    source.SetLeft(9);
    source.SetDisplay(bdGradientVert);
    source.SetBitmap(picture);
    source.SetCells(bcAll);
    source.SetColor(0x111111);
    source.SetColorTo(0x222222);
    grid.SetBackGround(source);
    const TBackGround& bg = grid.BackGround();
    EXPECT_EQ(bg.Top(), 7);
    EXPECT_EQ(bg.Left(), 9);
    EXPECT_EQ(bg.Display(), bdGradientVert);
    EXPECT_EQ(bg.Bitmap().Width(), 3);
    EXPECT_EQ(bg.Bitmap().Height(), 2);
    EXPECT_EQ(bg.Cells(), bcAll);
    EXPECT_EQ(bg.Color(), fw::TColor(0x111111));
    EXPECT_EQ(bg.ColorTo(), fw::TColor(0x222222));
}

} // namespace
