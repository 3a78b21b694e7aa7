#include "grid/model/FxGrid.h"

#include "framework/Canvas.h"
#include "framework/StringList.h"
#include "grid/foundation/FxObj.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class AutoSizeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = std::make_unique<TFxStringGrid>();
        grid->SetColCount(4);
        grid->SetRowCount(5);
    }
    // Width of a text in the grid's own font, measured outside the grid.
    int TextWidth(const QString& text, const fw::TFont& font)
    {
        fw::TCanvas canvas;
        canvas.Font() = font;
        return canvas.TextWidth(text);
    }
    std::unique_ptr<TFxStringGrid> grid;
};

// Widest text + TotalXOffset + 2 x (GridLineWidth + 1).
TEST_F(AutoSizeTest, ColumnWidthIsTheWidestTextWithInsetsAndLines)
{
    const QString wide = QStringLiteral("a rather long cell text");
    grid->SetCells(1, 2, wide);
    grid->SetCells(1, 3, "short");
    struct Case {
        const char* name;
        int lineWidth;
        fw::TPoint offset;
        bool topLeftOnly;
    };
    const std::vector<Case> cases = {
        {"defaults", 1, {2, 2}, false},
        {"thick lines", 3, {2, 2}, false},
        {"top-left inset only", 1, {5, 2}, true},
        {"no inset", 0, {0, 0}, false},
    };
    for (const Case& c : cases) {
        grid->SetGridLineWidth(c.lineWidth);
        grid->SetXYOffset(c.offset);
        grid->SetXYOffsetTopLeftOnly(c.topLeftOnly);
        grid->SetColWidths(1, 500);
        grid->AutoSizeCol(1);
        const int inset = c.topLeftOnly ? c.offset.X : 2 * c.offset.X;
        EXPECT_EQ(grid->ColWidths(1), TextWidth(wide, grid->Font()) + inset + 2 * (c.lineWidth + 1)) << c.name;
    }
}

TEST_F(AutoSizeTest, GrowOnlyAndLimitsAndPadding)
{
    grid->SetCells(2, 1, "text");
    const int natural = TextWidth("text", grid->Font()) + 4 + 4;
    grid->SetSizeGrowOnly(true);
    grid->SetColWidths(2, 300);
    grid->AutoSizeCol(2);
    EXPECT_EQ(grid->ColWidths(2), 300);
    grid->SetSizeGrowOnly(false);
    grid->AutoSizeCol(2, 10);
    EXPECT_EQ(grid->ColWidths(2), natural + 10);
    grid->SetMaxColWidth(20);
    grid->AutoSizeCol(2);
    EXPECT_EQ(grid->ColWidths(2), 20);
    // An empty column gets the bare insets.
    grid->SetMaxColWidth(0);
    grid->AutoSizeCol(3);
    EXPECT_EQ(grid->ColWidths(3), 8);
}

TEST_F(AutoSizeTest, CheckBoxRowsTakeTheDefaultRowHeight)
{
    grid->SetCells(1, 2, "one\rtwo\rthree\rfour");   // taller than a row, in the box cell itself
    grid->AddCheckBox(1, 2, false, false);
    grid->AutoSizeRow(2);
    EXPECT_EQ(grid->RowHeights(2), grid->DefaultRowHeight() + grid->TotalYOffset() + 2 * grid->GridLineWidth());
}

TEST_F(AutoSizeTest, HeaderListsGoIntoRowAndColumnZero)
{
    fw::TStringList headers;
    headers.Add("Name");
    headers.Add("Two\\nlines");
    headers.Add("Last");
    grid->SetColumnHeaders(headers);
    EXPECT_EQ(grid->Cells(0, 0), "Name");
    EXPECT_EQ(grid->Cells(1, 0), "Two\rlines");
    EXPECT_EQ(grid->Cells(2, 0), "Last");
    EXPECT_EQ(grid->ColumnByHeader("Last"), 2);
    EXPECT_EQ(grid->ColumnByHeader("last"), -1);
    grid->ColumnHeaders().SetStrings(2, "Changed");   // a change of the list shows at once
    EXPECT_EQ(grid->Cells(2, 0), "Changed");
    fw::TStringList rows;
    rows.Add("");
    rows.Add("r1");
    rows.Add("r2");
    grid->SetRowHeaders(rows);
    EXPECT_EQ(grid->Cells(0, 2), "r2");
}

TEST_F(AutoSizeTest, AutoNumberingBothWays)
{
    struct Case {
        TSortDirection dir;
        std::vector<QString> texts;
    };
    for (const Case& c : {Case{sdAscending, {"1", "2", "3", "4"}}, Case{sdDescending, {"4", "3", "2", "1"}}}) {
        grid->SetAutoNumberDirection(c.dir);
        grid->AutoNumberCol(1);
        for (int r = 1; r <= 4; ++r)
            EXPECT_EQ(grid->Cells(1, r), c.texts[std::size_t(r - 1)]);
    }
}

TEST_F(AutoSizeTest, ColumnOrderFollowsMoves)
{
    for (int c = 0; c < 4; ++c)
        grid->SetCells(c, 1, QString::number(c));
    EXPECT_EQ(grid->ColumnPosition(2), 2);
    grid->MoveColumn(1, 3);
    EXPECT_EQ(grid->Cells(3, 1), "1");
    EXPECT_EQ(grid->ColumnPosition(1), 3);
    EXPECT_EQ(grid->ColumnAtPosition(3), 1);
    EXPECT_EQ(grid->OriginalCells(1, 1), "1");
    grid->ResetColumnOrder();
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(grid->Cells(c, 1), QString::number(c));
}

TEST_F(AutoSizeTest, SelectedTextJoinsCellsByTabAndRowsByCrLf)
{
    grid->SetCells(1, 1, "a");
    grid->SetCells(2, 1, "b");
    grid->SetCells(1, 2, "c");
    grid->SetCells(2, 2, "d");
    grid->SelectCells(1, 1, 2, 2);
    EXPECT_EQ(grid->SelectedText(), "a\tb\r\nc\td");
}

} // namespace
