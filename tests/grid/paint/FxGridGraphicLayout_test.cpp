// Room a cell graphic takes, the displayed and formatted text, the sort row
// and the indent of tree rows.
#include "grid/model/FxGrid.h"

#include "framework/Canvas.h"
#include "grid/model/FxCellNode.h"
#include "grid/paint/FxControlLook.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class Layout : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = std::make_unique<TFxStringGrid>();
        grid->SetColCount(5);
        grid->SetRowCount(6);
        grid->SetFixedRows(1);
        grid->SetDefaultColWidth(100);
        grid->SetDefaultRowHeight(30);
        bitmap.SetSize(12, 9);
    }

    std::unique_ptr<TFxStringGrid> grid;
    fw::TBitmap bitmap;
};

TEST_F(Layout, GraphicSizeForAutoSizeDependsOnTheTextBesideIt)
{
    struct Case {
        const char* name;
        TCellHAlign h;
        TCellVAlign v;
        const char* text;
        fw::TPoint expected;
    } cases[] = {
        {"no text", haLeft, vaTop, "", {12, 9}},
        {"text over it", haLeft, vaTop, "x", {0, 0}},
        {"before the text", haBeforeText, vaTop, "x", {12, 0}},
        {"under the text", haLeft, vaUnderText, "x", {0, 9}},
        {"full width", haFull, vaTop, "", {100, 9}},
        {"full height", haLeft, vaFull, "", {12, 30}},
    };
    for (const Case& c : cases) {
        grid->SetCells(1, 2, QString::fromLatin1(c.text));
        grid->AddBitmap(1, 2, &bitmap, false, c.h, c.v);
        EXPECT_EQ(grid->GetCellGraphicSize(1, 2), c.expected) << c.name;
    }
}

TEST_F(Layout, PaintingTakesTheGraphicsRealSize)
{
    grid->SetCells(1, 2, QStringLiteral("text"));
    grid->AddBitmap(1, 2, &bitmap, false, haLeft, vaTop);
    int w = 0, h = 0;
    bool showText = false;
    TCellHAlign ha;
    TCellVAlign va;
    ASSERT_NE(grid->GetCellGraphicInfo(1, 2, w, h, showText, ha, va), nullptr);
    EXPECT_EQ(w, 12);
    EXPECT_EQ(h, 9);
    EXPECT_TRUE(showText);
}

TEST_F(Layout, GraphicKindsAndTheirRoom)
{
    grid->ControlLook().SetCheckSize(13);
    grid->ControlLook().SetRadioSize(11);
    grid->AddCheckBox(1, 1, true, false);
    grid->AddCheckBox(2, 1, true, true);
    grid->AddRadioButton(3, 1, true);
    grid->AddProgressPie(4, 1, 0x0000FF, 30);
    grid->AddRating(1, 2, 5, 0x0000FF, 0x00FF00);
    grid->AddFxProgress(2, 2, 0, 100);
    grid->AddButton(3, 2, 40, 18, QStringLiteral("Go"), haLeft, vaTop);
    struct Case {
        int c, r;
        fw::TPoint autoSize;   // for auto-size
        int w, h;              // for painting
        bool showText;
    } cases[] = {
        {1, 1, {13, 13}, 13, 13, true},
        {2, 1, {13, 13}, 13, 13, false},
        {3, 1, {11, 11}, 15, 15, true},
        {4, 1, {20, 20}, 20, 20, true},
        {1, 2, {90, 16}, 90, 16, false},   // kept against the full-width rule
        {2, 2, {0, 0}, 0, 0, false},
        {3, 2, {40, 18}, 40, 18, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(grid->GetCellGraphicSize(c.c, c.r), c.autoSize) << c.c << "," << c.r;
        int w = -1, h = -1;
        bool showText = !c.showText;
        TCellHAlign ha;
        TCellVAlign va;
        grid->GetCellGraphicInfo(c.c, c.r, w, h, showText, ha, va);
        EXPECT_EQ(w, c.w) << c.c << "," << c.r;
        EXPECT_EQ(h, c.h) << c.c << "," << c.r;
        EXPECT_EQ(showText, c.showText) << c.c << "," << c.r;
    }
}

TEST_F(Layout, RadioGroupsTakeTheirCaptions)
{
    fw::TStringList* items = grid->CreateRadio(1, 2, 1, 0);
    items->Add(QStringLiteral("one"));
    items->Add(QStringLiteral("three"));
    fw::TCanvas& c = grid->Canvas();
    const int gh = c.TextHeight(QStringLiteral("gh"));
    const int wide = c.TextWidth(QStringLiteral("one")) + 12 + c.TextWidth(QStringLiteral("three")) + 12;
    EXPECT_EQ(grid->GetCellGraphicSize(1, 2), fw::TPoint(wide, gh));
    fw::TStringList* column = grid->CreateRadio(2, 2, 0, 0);
    column->Add(QStringLiteral("one"));
    column->Add(QStringLiteral("three"));
    EXPECT_EQ(grid->GetCellGraphicSize(2, 2),
              fw::TPoint(c.TextWidth(QStringLiteral("three")) + 12, std::max(16, gh) * 2));
}

TEST_F(Layout, LinksInTextWrapTheFirstSchemeFoundOnly)
{
    grid->SetURLShowInText(true);
    grid->SetCells(1, 2, QStringLiteral("see www.a.example or http://b.example"));
    const QString shown = grid->Cells(1, 2);
    EXPECT_TRUE(shown.contains(QStringLiteral("http://b.example</a>"))) << shown.toStdString();
    EXPECT_FALSE(shown.contains(QStringLiteral("www.a.example</a>"))) << "HTTP:// is tried before WWW.";
}

TEST_F(Layout, FloatFormatFromTheEventOnly)
{
    grid->SetCells(1, 2, QStringLiteral("1.5"));
    grid->SetCells(1, 3, QStringLiteral("42"));
    grid->SetCells(1, 4, QStringLiteral("abc"));
    EXPECT_EQ(grid->GetFormattedCell(1, 2), QStringLiteral("1.5")) << "without the event";
    QString format = QStringLiteral("%.3f");
    grid->Events().OnGetFloatFormat = [&](QObject*, int, int, bool&, QString& FloatFormat) { FloatFormat = format; };
    EXPECT_EQ(grid->GetFormattedCell(1, 2), QStringLiteral("1.500"));
    EXPECT_EQ(grid->GetFormattedCell(1, 4), QStringLiteral("abc")) << "no number, no format";
    format = QStringLiteral("%d pcs");
    EXPECT_EQ(grid->GetFormattedCell(1, 3), QStringLiteral("42 pcs"));
    EXPECT_EQ(grid->GetFormattedCell(1, 2), QStringLiteral("1.5")) << "a decimal does not read as an integer";
    format = QStringLiteral("%s%s%s%n");
    EXPECT_EQ(grid->GetFormattedCell(1, 2), QStringLiteral("1.5")) << "a format that does not fit is not used";
}

// A grid whose sort settings name row 1 the sort row.
class SortRowGrid : public TFxStringGrid {
public:
    TSortLook SortLook() const override
    {
        TSortLook s;
        s.Column = 1;
        s.Row = 1;
        s.Show = true;
        return s;
    }
};

TEST(LayoutSortRow, MergedHeadersCountByTheirLastRow)
{
    SortRowGrid grid;
    grid.SetColCount(4);
    grid.SetRowCount(6);
    grid.SetFixedRows(2);
    EXPECT_TRUE(grid.IsSortRow(2, 1));
    EXPECT_FALSE(grid.IsSortRow(2, 0));
    grid.MergeCells(1, 0, 1, 2);
    EXPECT_TRUE(grid.IsSortRow(1, 0)) << "the block ends on the sort row";
    grid.SetRowCount(3);
    EXPECT_FALSE(grid.IsSortRow(2, 1)) << "one data row below the fixed rows: no sort row";
}

class NodeGrid : public TFxStringGrid {
public:
    bool nodes = false;
    bool HasNodes() override { return nodes; }
};

TEST(LayoutNodes, IndentIsLevelTimesNodeIndent)
{
    NodeGrid grid;
    grid.GetCellProperties(0, 3)->SetNodeLevel(2);
    grid.CellNode().SetNodeIndent(14);
    EXPECT_EQ(grid.NodeIndent(3), 0) << "a grid without nodes";
    grid.nodes = true;
    EXPECT_EQ(grid.NodeIndent(3), 28);
    EXPECT_EQ(grid.NodeIndent(2), 0) << "a row without properties";
    EXPECT_EQ(grid.NodeIndent(-1), 0);
}

} // namespace
