#include "grid/foundation/BaseGridUndo.h"

#include "grid/foundation/BaseGrid.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class UndoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = std::make_unique<TBaseGrid>();
        grid->SetColCount(6);
        grid->SetRowCount(6);
        grid->SetUndoRedo(&undo);
    }
    // Writes a cell and records the change, as the feature grid's edit does.
    void Edit(int c, int r, const char* text)
    {
        const QString value = QString::fromUtf8(text);
        undo.RegisterChange(c, r, grid->Cells(c, r), value);
        grid->SetCells(c, r, value);
    }
    QString Cell(int c, int r) const { return grid->Cells(c, r); }

    TFxGridUndoRedo undo;
    std::unique_ptr<TBaseGrid> grid;
};

TEST_F(UndoTest, ConnectingAGridPointsTheComponentBack)
{
    EXPECT_EQ(undo.Grid(), grid.get());
    EXPECT_EQ(grid->UndoRedo(), &undo);
    grid.reset(); // the component forgets a destroyed grid
    EXPECT_EQ(undo.Grid(), nullptr);
    undo.RegisterChange(1, 1, QString(), QStringLiteral("x"));
    undo.Undo(); // no grid: nothing
    EXPECT_EQ(undo.Level(), 1);
}

TEST_F(UndoTest, GridForgetsADestroyedComponent)
{
    auto* other = new TFxGridUndoRedo;
    grid->SetUndoRedo(other);
    delete other;
    EXPECT_EQ(grid->UndoRedo(), nullptr);
}

TEST_F(UndoTest, SingleChangesUndoAndRedo)
{
    Edit(1, 1, "a");
    Edit(2, 3, "b");
    EXPECT_EQ(undo.Level(), 2);
    EXPECT_TRUE(undo.CanUndo());
    EXPECT_FALSE(undo.CanRedo());

    undo.Undo();
    EXPECT_EQ(Cell(2, 3), QString());
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(undo.Level(), 1);
    undo.Undo();
    EXPECT_EQ(Cell(1, 1), QString());
    EXPECT_EQ(undo.Level(), 0);
    undo.Undo(); // nothing left
    EXPECT_EQ(undo.Level(), 0);

    undo.Redo();
    EXPECT_EQ(Cell(1, 1), QStringLiteral("a"));
    undo.Redo();
    EXPECT_EQ(Cell(2, 3), QStringLiteral("b"));
    EXPECT_EQ(undo.Level(), 2);
    undo.Redo(); // nothing to redo
    EXPECT_EQ(undo.Level(), 2);
}

TEST_F(UndoTest, MaxLevelDropsTheOldestChange)
{
    undo.SetMaxLevel(3);
    Edit(1, 1, "1");
    Edit(1, 2, "2");
    Edit(1, 3, "3");
    Edit(1, 4, "4");
    EXPECT_EQ(undo.Items().Count(), 3);
    EXPECT_EQ(undo.Level(), 3);
    EXPECT_EQ(undo.Items().Items(0).Row(), 2);
}

TEST_F(UndoTest, ASequenceIsUndoneAndRedoneAsOne)
{
    Edit(0, 0, "before");
    undo.StartSequence();
    Edit(1, 1, "x");
    Edit(2, 2, "y");
    undo.StopSequence();
    EXPECT_EQ(undo.Level(), 5);

    undo.Undo();
    EXPECT_EQ(undo.Level(), 1);
    EXPECT_EQ(Cell(1, 1), QString());
    EXPECT_EQ(Cell(2, 2), QString());
    EXPECT_EQ(Cell(0, 0), QStringLiteral("before"));

    undo.Redo();
    EXPECT_EQ(undo.Level(), 5);
    EXPECT_EQ(Cell(1, 1), QStringLiteral("x"));
    EXPECT_EQ(Cell(2, 2), QStringLiteral("y"));
}

TEST_F(UndoTest, AnUnstoppedSequenceIsRedoneToItsLastChange)
{
    undo.StartSequence();
    Edit(1, 1, "x");
    Edit(2, 2, "y");
    undo.Undo(); // y alone
    undo.Undo(); // x alone
    EXPECT_EQ(Cell(1, 1), QString());
    EXPECT_EQ(undo.Level(), 1);
    undo.Undo(); // the lone start marker: no cell is touched
    EXPECT_EQ(undo.Level(), 0);
    undo.Undo();
    EXPECT_EQ(undo.Level(), 0);

    undo.Redo();
    EXPECT_EQ(Cell(1, 1), QStringLiteral("x"));
    EXPECT_EQ(Cell(2, 2), QStringLiteral("y"));
    EXPECT_EQ(undo.Level(), 3);
}

TEST_F(UndoTest, LoneMarkersNeverTouchCellsAndLevelStaysInRange)
{
    struct Case { const char* name; std::function<void(TFxGridUndoRedo&)> build; int undos; int redos; };
    const Case cases[] = {
        {"stop without start", [](TFxGridUndoRedo& u) {
             u.RegisterChange(1, 1, QString(), QStringLiteral("a"));
             u.StopSequence();
         }, 3, 3},
        {"start alone", [](TFxGridUndoRedo& u) { u.StartSequence(); }, 2, 2},
        {"stop alone", [](TFxGridUndoRedo& u) { u.StopSequence(); }, 2, 2},
        {"empty sequence", [](TFxGridUndoRedo& u) {
             u.StartSequence();
             u.StopSequence();
         }, 2, 2},
    };
    for (const Case& c : cases) {
        undo.Reset();
        c.build(undo);
        int writes = 0;
        undo.OnUndo = [&](QObject*, TBaseGrid*, int col, int row, const QString&, const QString&) {
            EXPECT_GE(col, 0) << c.name;
            EXPECT_GE(row, 0) << c.name;
            ++writes;
        };
        undo.OnRedo = undo.OnUndo;
        for (int i = 0; i < c.undos; ++i) {
            EXPECT_NO_THROW(undo.Undo()) << c.name;
            EXPECT_GE(undo.Level(), 0) << c.name;
        }
        EXPECT_EQ(undo.Level(), 0) << c.name;
        for (int i = 0; i < c.redos; ++i) {
            EXPECT_NO_THROW(undo.Redo()) << c.name;
            EXPECT_LE(undo.Level(), undo.Items().Count()) << c.name;
        }
        EXPECT_EQ(undo.Level(), undo.Items().Count()) << c.name;
        undo.OnUndo = nullptr;
        undo.OnRedo = nullptr;
    }
}

TEST_F(UndoTest, RegisteringAfterAnUndoKeepsTheUndoneEntry)
{
    Edit(1, 1, "a");
    Edit(1, 1, "b");
    undo.Undo(); // back to "a"
    EXPECT_EQ(Cell(1, 1), QStringLiteral("a"));
    Edit(2, 2, "c");
    EXPECT_EQ(undo.Items().Count(), 3);
    EXPECT_EQ(undo.Level(), 3);
    undo.Undo(); // c
    undo.Undo(); // the undone "b" entry again: its original text "a"
    EXPECT_EQ(Cell(1, 1), QStringLiteral("a"));
    EXPECT_EQ(Cell(2, 2), QString());
    undo.Undo();
    EXPECT_EQ(Cell(1, 1), QString());
}

TEST_F(UndoTest, EventsReportTheShownAndTheWrittenText)
{
    Edit(1, 1, "old");
    Edit(1, 1, "new");
    grid->MergeCells(1, 1, 2, 1);
    struct Call { int col, row; QString orig, value; };
    std::vector<Call> undos, redos;
    undo.OnUndo = [&](QObject* s, TBaseGrid* g, int c, int r, const QString& o, const QString& n) {
        EXPECT_EQ(s, &undo);
        EXPECT_EQ(g, grid.get());
        undos.push_back({c, r, o, n});
    };
    undo.OnRedo = [&](QObject*, TBaseGrid*, int c, int r, const QString& o, const QString& n) {
        redos.push_back({c, r, o, n});
    };
    undo.Undo();
    undo.Redo();
    ASSERT_EQ(undos.size(), 1u);
    EXPECT_EQ(undos[0].orig, QStringLiteral("new"));
    EXPECT_EQ(undos[0].value, QStringLiteral("old"));
    ASSERT_EQ(redos.size(), 1u);
    EXPECT_EQ(redos[0].orig, QStringLiteral("old"));
    EXPECT_EQ(redos[0].value, QStringLiteral("new"));
}

TEST_F(UndoTest, ResetForgetsEverything)
{
    Edit(1, 1, "a");
    Edit(1, 2, "b");
    undo.Undo();
    undo.Reset();
    EXPECT_EQ(undo.Items().Count(), 0);
    EXPECT_FALSE(undo.CanUndo());
    EXPECT_FALSE(undo.CanRedo());
    undo.Undo();
    undo.Redo();
    EXPECT_EQ(Cell(1, 1), QStringLiteral("a"));
    EXPECT_EQ(Cell(1, 2), QString());
}

} // namespace
