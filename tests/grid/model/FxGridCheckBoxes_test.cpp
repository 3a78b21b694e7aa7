#include "grid/model/FxGrid.h"

#include "framework/StringList.h"
#include "grid/foundation/FxOptions.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class CheckBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = std::make_unique<TFxStringGrid>();
        grid->SetColCount(4);
        grid->SetRowCount(6);
    }
    std::unique_ptr<TFxStringGrid> grid;
};

TEST_F(CheckBoxTest, PlainCheckBoxColumnKeepsStateInTheBox)
{
    grid->SetCells(1, 0, "Use");
    grid->AddCheckBoxColumn(1, false, false);
    EXPECT_EQ(grid->Cells(1, 0), "Use");
    EXPECT_FALSE(grid->HasCheckBox(1, 0));
    for (int r = 1; r < 6; ++r) {
        bool state = true;
        ASSERT_TRUE(grid->GetCheckBoxState(1, r, state));
        EXPECT_FALSE(state);
    }
    EXPECT_TRUE(grid->SetCheckBoxState(1, 3, true));
    bool state = false;
    EXPECT_TRUE(grid->GetCheckBoxState(1, 3, state));
    EXPECT_TRUE(state);
    // A hidden row still answers by its real row.
    grid->HideRow(2);
    EXPECT_TRUE(grid->GetCheckBoxState(1, 3, state));
    EXPECT_TRUE(state);
    EXPECT_TRUE(grid->SetCheckBoxState(1, 2, true));
    grid->UnHideRowsAll();
    EXPECT_TRUE(grid->IsChecked(1, 2));
}

TEST_F(CheckBoxTest, DataCheckBoxesUseTheCheckTexts)
{
    struct Case {
        const char* before;
        bool state;
        const char* after;
    };
    const std::vector<Case> cases = {{"N", true, "N"}, {"", true, "Y"}, {"", false, "N"}, {"x", true, "Y"}};
    for (const Case& c : cases) {
        grid->SetCells(2, 1, c.before);
        grid->AddCheckBox(2, 1, c.state, true);
        EXPECT_EQ(grid->Cells(2, 1), c.after) << c.before;
    }
    grid->SetCells(2, 1, "y");
    bool state = true;
    EXPECT_TRUE(grid->GetCheckBoxState(2, 1, state));
    EXPECT_FALSE(state);   // compared case-sensitively
    grid->Events().OnGetCheckTrue = [](QObject*, int, int, QString& v) { v = "y"; };
    EXPECT_TRUE(grid->IsChecked(2, 1));
    EXPECT_THROW(grid->AddCheckBox(9, 1, true, false), fw::Exception);
}

TEST_F(CheckBoxTest, GetCheckBoxStateLeavesStateAloneWithoutABox)
{
    bool state = true;
    EXPECT_FALSE(grid->GetCheckBoxState(3, 3, state));
    EXPECT_TRUE(state);
}

TEST_F(CheckBoxTest, ToggleCyclesEachKindAndReportsTheChange)
{
    std::vector<std::pair<int, bool>> changes;
    grid->Events().OnCheckBoxChange = [&](QObject*, int, int r, bool s) { changes.push_back({r, s}); };
    grid->AddCheckBox(1, 1, false, false);
    grid->AddCheckBox(1, 2, false, true);
    grid->AddCheckBox(1, 3, cbUnchecked);
    EXPECT_TRUE(grid->ToggleCheckBox(1, 1));
    EXPECT_TRUE(grid->IsChecked(1, 1));
    EXPECT_TRUE(grid->ToggleCheckBox(1, 2));
    EXPECT_EQ(grid->Cells(1, 2), "Y");
    std::vector<TCheckBoxState> cycle;
    for (int i = 0; i < 3; ++i) {
        grid->ToggleCheckBox(1, 3);
        TCheckBoxState s = cbUnchecked;
        grid->GetCheckBoxState(1, 3, s);
        cycle.push_back(s);
    }
    EXPECT_EQ(cycle, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
    EXPECT_FALSE(grid->ToggleCheckBox(2, 2));   // no box
    EXPECT_EQ(changes.front(), (std::pair<int, bool>{1, true}));
    EXPECT_EQ(changes.size(), 5u);
    // With the edit check a read-only cell refuses.
    grid->SetReadOnly(1, 1, true);
    EXPECT_FALSE(grid->ToggleCheckBox(1, 1, true));
}

TEST_F(CheckBoxTest, CheckAllReportsOnlyRealChanges)
{
    grid->AddCheckBoxColumn(1, false, true);
    grid->SetCells(1, 2, "Y");
    int changes = 0;
    grid->Events().OnCheckBoxChange = [&](QObject*, int, int, bool) { ++changes; };
    grid->CheckAll(1);
    EXPECT_EQ(changes, 4);
    for (int r = 1; r < 6; ++r)
        EXPECT_EQ(grid->Cells(1, r), "Y");
    grid->UnCheckAll(1);
    EXPECT_EQ(changes, 9);
}

TEST_F(CheckBoxTest, RadioButtonColumnHoldsOneCheckedRow)
{
    grid->AddRadioButtonColumn(2);
    EXPECT_EQ(grid->GetRadioButtonColumnIndex(2), -1);
    grid->SetRadioButtonColumnIndex(2, 3);
    EXPECT_EQ(grid->GetRadioButtonColumnIndex(2), 3);
    EXPECT_TRUE(grid->ToggleRadioButton(2, 4, false));
    EXPECT_EQ(grid->GetRadioButtonColumnIndex(2), 4);
    EXPECT_FALSE(grid->IsRadioButtonChecked(2, 3));
    EXPECT_EQ(grid->GetRadioButtonColumnIndex(1), -1);
}

TEST_F(CheckBoxTest, ImageIndexesNeedTheGridsImageList)
{
    grid->AddImageIdx(1, 1, 3, haLeft, vaTop);
    int idx = -1;
    EXPECT_FALSE(grid->GetImageIdx(1, 1, idx));
    grid->SetCells(2, 2, "7");
    grid->RemoveDataImage(2, 2);   // empties the text even without a data image
    EXPECT_EQ(grid->Cells(2, 2), "");
}

TEST_F(CheckBoxTest, KindSettersTouchOnlyTheirOwnKind)
{
    grid->AddComment(1, 1, "note");
    EXPECT_FALSE(grid->SetRadioIdx(1, 1, 2));
    grid->SetButtonText(1, 1, "Caption");
    grid->PushButton(1, 1, true);
    QString comment;
    ASSERT_TRUE(grid->IsComment(1, 1, comment));
    EXPECT_EQ(comment, "note");
    grid->AddButton(2, 2, 40, 16, "Go", haLeft, vaTop);
    grid->SetButtonText(2, 2, "Stop");
    EXPECT_EQ(grid->GetButtonText(2, 2), "Stop");
    fw::TStringList* items = grid->CreateRadio(3, 3, 0, 2);
    items->Add("a");
    items->Add("b");
    items->Add("c");
    grid->NextRadioItem(3, 3, false);   // index 2 wraps to 0
    int idx = -1;
    EXPECT_TRUE(grid->GetRadioIdx(3, 3, idx));
    EXPECT_EQ(idx, 0);
    EXPECT_EQ(grid->Cells(3, 3), "a");
}

TEST_F(CheckBoxTest, BalloonsAndMarkersJoinOtherGraphics)
{
    grid->AddCheckBox(1, 1, true, false);
    grid->AddBalloon(1, 1, "T", "X", TFxStringGrid::biInfo);
    QString title, text;
    TFxStringGrid::TBalloonIcon icon = TFxStringGrid::biNone;
    EXPECT_TRUE(grid->IsBalloon(1, 1, title, text, icon));
    EXPECT_EQ(title, "T");
    grid->RemoveBalloon(1, 1);
    EXPECT_TRUE(grid->HasCheckBox(1, 1));
    EXPECT_FALSE(grid->IsBalloon(1, 1, title, text, icon));
    grid->AddProgress(2, 2, 0xFF, 0xFF00);
    grid->AddBalloon(2, 2, "T", "X", TFxStringGrid::biInfo);
    EXPECT_TRUE(grid->HasProgress(2, 2));
    grid->AddMarker(3, 3, 2, 4);
    int pos = 0, len = 0;
    grid->GetMarker(3, 3, pos, len);
    EXPECT_EQ(pos, 2);
    grid->RemoveMarker(3, 3);
    EXPECT_EQ(grid->GetCellGraphic(3, 3), nullptr);
    EXPECT_EQ(grid->GetScrollPosition(3, 3), -1);
    EXPECT_EQ(grid->GetScrollProp(3, 3).Range, -1);
    EXPECT_EQ(grid->GetShapeColor(3, 3), fw::clNone);
}

} // namespace
