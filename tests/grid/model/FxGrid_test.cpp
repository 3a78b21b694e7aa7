#include "grid/model/FxGrid.h"

#include "framework/SysColors.h"
#include "grid/foundation/FxOptions.h"
#include "grid/paint/FxControlLook.h"
#include "grid/paint/FxFloatingFooter.h"
#include "grid/model/FxCellNode.h"
#include "grid/model/FxColumnSize.h"
#include "grid/model/FxHiddenRows.h"
#include "grid/exchange/FxGridDragDrop.h"
#include "grid/exchange/FxHtmlSettings.h"
#include "grid/foundation/GridFocusWindow.h"
#include "grid/interact/FxDragScroll.h"
#include "grid/model/FxFilter.h"
#include "grid/model/FxGrouping.h"
#include "grid/model/FxSortSettings.h"
#include "grid/paint/FxGridAppearance.h"
#include "grid/paint/FxPrintSettings.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

class FxGridTest : public ::testing::Test {
protected:
    void SetUp() override { grid = std::make_unique<TFxStringGrid>(); }

    // Fills every cell with "c,r" (real column, real row).
    void Fill(int cols, int rows)
    {
        grid->SetColCount(cols);
        grid->SetRowCount(rows);
        for (int c = 0; c < cols; ++c)
            for (int r = 0; r < rows; ++r)
                grid->SetCells(c, r, QStringLiteral("%1,%2").arg(c).arg(r));
    }
    std::unique_ptr<TFxStringGrid> grid;
};

TEST_F(FxGridTest, ValuesWhenCreateReturns)
{
    TFxStringGrid& g = *grid;
    EXPECT_EQ(g.RowCount(), 10);
    EXPECT_EQ(g.ColCount(), 5);
    EXPECT_EQ(g.FixedCols(), 1);
    EXPECT_EQ(g.FixedRows(), 1);
    EXPECT_EQ(g.width(), 400);
    EXPECT_EQ(g.height(), 250);
    EXPECT_EQ(g.DefaultRowHeight(), 22);
    EXPECT_EQ(g.FixedRowHeight(), 22);
    EXPECT_FALSE(g.AutoSize());
    EXPECT_EQ(g.FloatFormat(), "%.2f");
    EXPECT_EQ(g.CheckTrue(), "Y");
    EXPECT_EQ(g.CheckFalse(), "N");
    EXPECT_EQ(g.PasswordChar(), QLatin1Char('*'));
    EXPECT_EQ(g.Delimiter(), QChar(0));
    EXPECT_EQ(g.XMLEncoding(), "ISO-8859-1");
    EXPECT_EQ(g.FilterDropDownClear(), "(All)");
    EXPECT_EQ(g.FixedFont().Name, "Tahoma");
    EXPECT_TRUE(g.FixedFont().Style.Contains(fw::fsBold));
    EXPECT_TRUE(g.ActiveCellFont().Style.Contains(fw::fsBold));
    EXPECT_EQ(g.ActiveCellColor(), 0x808080u);
    EXPECT_EQ(g.ActiveCellColorTo(), fw::clNone);
    EXPECT_EQ(g.DisabledFontColor(), 0xC0C0C0u);
    EXPECT_EQ(g.HintColor(), fw::clInfoBk);
    EXPECT_EQ(g.HighlightColor(), fw::clHighlight);
    EXPECT_EQ(g.HighlightTextColor(), fw::clHighlightText);
    EXPECT_EQ(g.SelectionColor(), 0xEACAB6u);
    EXPECT_EQ(g.SelectionColorTo(), fw::clNone);
    EXPECT_EQ(g.SelectionMirrorColor(), fw::clNone);
    EXPECT_EQ(g.SelectionMirrorColorTo(), fw::clNone);
    EXPECT_EQ(g.SelectionTextColor(), 0u);
    EXPECT_EQ(g.SelectionRectangleColor(), 0u);
    EXPECT_EQ(g.SelectionColorMixerFactor(), 50);
    EXPECT_EQ(g.URLColor(), 0xFF0000u);
    EXPECT_EQ(g.BorderColor(), 0xB99D7Fu);
    EXPECT_EQ(g.RIRGradientFrom(), 0xFFFFFFu);
    EXPECT_EQ(g.RIRGradientTo(), fw::ColorToRGB(fw::clBtnFace));
    EXPECT_EQ(g.RIRGradientMirrorFrom(), fw::clNone);
    EXPECT_EQ(g.RIRGradientMirrorTo(), fw::clNone);
    EXPECT_EQ(g.Look(), glXP);
    EXPECT_EQ(g.ScrollType(), ssNormal);
    EXPECT_EQ(g.ScrollColor(), fw::clNone);
    EXPECT_EQ(g.ScrollBars(), fw::ssBoth);
    EXPECT_GT(g.ScrollWidth(), 0);
    EXPECT_EQ(g.DefaultEditor(), edNormal);
    EXPECT_EQ(g.DefaultAlignment(), fw::taLeftJustify);
    EXPECT_EQ(g.VAlignment(), vtaTop);
    EXPECT_EQ(g.HoverFixedCells(), hfNone);
    EXPECT_EQ(g.HintShowLargeTextPos(), hpCell);
    EXPECT_EQ(g.FilterDropDownColumns(), fdNormal);
    EXPECT_EQ(g.InvalidEntryIcon(), ieWarning);
    EXPECT_EQ(g.GroupColumn(), -1);
    EXPECT_EQ(g.PreviewPage(), 1);
    EXPECT_EQ(g.XYOffset(), fw::TPoint(2, 2));
    EXPECT_EQ(g.MinRowHeight(), 0);
    EXPECT_EQ(g.MaxRowHeight(), 0);
    EXPECT_EQ(g.MinColWidth(), 0);
    EXPECT_EQ(g.MaxColWidth(), 0);
    EXPECT_EQ(g.ZoomFactor(), 0);
    for (bool on : {g.AutoFilterUpdate(), g.FilterNormalCellsOnly(), g.UseInternalHintClass(), g.ShowDesignHelper(),
                    g.EnhRowColMove(), g.UseDisabledFont(), g.EnableWheel(), g.EnableHTML(), g.IntelliZoom(),
                    g.WordWrap(), g.LoadFirstRow(), g.ShowSelection(), g.QuoteEmptyCells(), g.ShowNullDates(),
                    g.SaveFixedCells(), g.SaveVirtCells(), g.SaveWithHTML(), g.FitCellsInGrid()})
        EXPECT_TRUE(on);
    for (bool off : {g.FixedAsButtons(), g.HideFocusRect(), g.AlwaysQuotes(), g.SaveFixedRows(), g.SaveFixedCols(),
                     g.SaveHiddenCells(), g.JavaCSV(), g.NoDefaultDraw(), g.ExcelClipboardFormat(),
                     g.PrinterDriverFix(), g.ClearTextOnly(), g.FilterIncremental(), g.SizeGrowOnly()})
        EXPECT_FALSE(off);
    EXPECT_EQ(g.CellNode().NodeIndent(), 12);
    EXPECT_EQ(g.ColumnSize().StretchColumn(), -1);
    EXPECT_EQ(g.CurrentEditor(), edNormal);
    EXPECT_EQ(g.Version(), "6.2.1.3");
}

TEST_F(FxGridTest, IntegralHeightTrimsToWholeRows)
{
    grid->SetColCount(2);   // all columns fit: no horizontal scroll bar
    grid->resize(400, 250);
    grid->SetIntegralHeight(true);
    grid->SetBounds(0, 0, 400, 100);
    const int b = grid->frameWidth() > 0 ? 2 : 0;
    EXPECT_EQ(grid->height(), 2 * b + (100 - b) - (100 - b) % 22);
    if (b == 2) {
        EXPECT_EQ(grid->height(), 92);
    }
}

TEST_F(FxGridTest, ColumnMappingWithAHiddenColumn)
{
    Fill(5, 4);
    grid->HideColumn(1);
    EXPECT_EQ(grid->ColCount(), 4);
    EXPECT_EQ(grid->RealColIndex(1), 2);
    EXPECT_EQ(grid->DisplColIndex(2), 1);
    EXPECT_EQ(grid->DisplColIndex(1), 1);
    EXPECT_EQ(grid->Cells(2, 1), "2,1");
    EXPECT_EQ(grid->Cells(1, 1), "1,1");   // the hidden column keeps its text
    EXPECT_EQ(grid->AllColCount(), 5);
}

TEST_F(FxGridTest, RowMappingWithHiddenRows)
{
    Fill(3, 8);
    grid->HideRows(3, 4);
    EXPECT_EQ(grid->RowCount(), 6);
    EXPECT_EQ(grid->RealRowIndex(3), 5);
    EXPECT_EQ(grid->DisplRowIndex(5), 3);
    EXPECT_EQ(grid->AllCells(1, 4), "1,4");
    EXPECT_EQ(grid->Cells(1, 3), "1,5");
    grid->SetAllCells(7, 4, "far");   // a hidden row's cells grow as needed
    EXPECT_EQ(grid->HiddenRowItem(4)->CellCount(), 8);
    EXPECT_EQ(grid->AllCells(7, 4), "far");
    EXPECT_EQ(grid->AllCells(-1, 4), "");
}

TEST_F(FxGridTest, HiddenRowsAndColumnsTogetherWithMergedCells)
{
    Fill(6, 10);
    grid->MergeCells(3, 6, 2, 2);   // block (3..4, 6..7), base text "3,6"
    grid->SetColors(4, 8, 0x0000FF);
    grid->HideColumn(1);
    grid->HideRows(2, 3);
    // Display row 4 is real row 6, the merged block's first row.
    EXPECT_EQ(grid->RealRowIndex(4), 6);
    EXPECT_EQ(grid->Cells(4, 5), "3,6");      // a covered cell reads its block's base
    EXPECT_TRUE(grid->IsMergedCell(4, 5));
    EXPECT_EQ(grid->Colors(4, 6), fw::TColor(0x0000FF));   // real row 8 is display row 6
    EXPECT_EQ(grid->AllCells(5, 9), "5,9");
    EXPECT_EQ(grid->DisplColIndex(3), 2);
    EXPECT_EQ(grid->RealColIndex(2), 3);
}

TEST_F(FxGridTest, HideUnhideRoundTripsKeepTextsHeightsAndProperties)
{
    Fill(4, 12);
    grid->SetRowHeights(5, 40);
    grid->SetColors(2, 5, 0x00FF00);
    grid->AddCheckBox(3, 7, true, false);
    grid->HideColumn(2);
    struct Step {
        const char* name;
        std::function<void(TFxStringGrid&)> hide, show;
    };
    const std::vector<Step> steps = {
        {"rows", [](TFxStringGrid& g) { g.HideRows(4, 8); }, [](TFxStringGrid& g) { g.UnHideRows(4, 8); }},
        {"scattered", [](TFxStringGrid& g) { g.HideRow(5); g.HideRow(7); g.HideRow(2); },
         [](TFxStringGrid& g) { g.UnHideRowsAll(); }},
        {"filter level", [](TFxStringGrid& g) { g.HideRowList({2, 5, 7}); }, [](TFxStringGrid& g) { g.UnHideRowList(); }},
        {"one by one", [](TFxStringGrid& g) { g.HideRows(5, 7); },
         [](TFxStringGrid& g) { g.UnHideRow(7); g.UnHideRow(5); g.UnHideRow(6); }},
    };
    for (const Step& s : steps) {
        s.hide(*grid);
        EXPECT_LT(grid->RowCount(), 12) << s.name;
        s.show(*grid);
        ASSERT_EQ(grid->RowCount(), 12) << s.name;
        EXPECT_EQ(grid->NumHiddenRows(), 0) << s.name;
        for (int r = 0; r < 12; ++r)
            for (int c = 0; c < 4; ++c)
                ASSERT_EQ(grid->Cells(c, r), QStringLiteral("%1,%2").arg(c).arg(r)) << s.name;
        EXPECT_EQ(grid->RowHeights(5), 40) << s.name;
        EXPECT_EQ(grid->Colors(2, 5), fw::TColor(0x00FF00)) << s.name;
        bool checked = false;
        EXPECT_TRUE(grid->GetCheckBoxState(3, 7, checked)) << s.name;
        EXPECT_TRUE(checked) << s.name;
    }
}

TEST_F(FxGridTest, FilterLevelsUndoOnlyTheirOwnRows)
{
    Fill(2, 6);
    grid->HideRow(1);                     // not hidden by the filter
    grid->HideRowList({1, 3});            // display rows 1, 3 = real rows 2, 4
    EXPECT_EQ(grid->RowCount(), 3);
    grid->UnHideRowList();
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_TRUE(grid->IsHiddenRow(1));
    EXPECT_EQ(grid->Cells(1, 1), "1,2");
    grid->UnHideRowList();                // no level left: nothing changes
    EXPECT_TRUE(grid->IsHiddenRow(1));
}

TEST_F(FxGridTest, HideRowsSkipsRowsAlreadyHidden)
{
    Fill(2, 10);
    grid->HideRow(6);
    grid->HideRows(5, 7);
    EXPECT_EQ(grid->RowCount(), 7);
    EXPECT_EQ(grid->NumHiddenRows(), 3);
    grid->UnHideRows(4, 9);   // row 4 is not hidden: nothing is shown
    EXPECT_EQ(grid->NumHiddenRows(), 3);
    grid->UnHideRows(5, 9);
    EXPECT_EQ(grid->RowCount(), 10);
    EXPECT_EQ(grid->Cells(0, 6), "0,6");
}

TEST_F(FxGridTest, HidingColumnsKeepsTheLastOneAndItsWidth)
{
    Fill(5, 3);
    grid->HideColumns(0, 9);
    EXPECT_EQ(grid->ColCount(), 1);
    EXPECT_EQ(grid->NumHiddenColumns(), 4);
    EXPECT_EQ(grid->RealColIndex(0), 4);
    grid->UnHideColumnsAll();
    grid->SetColWidths(2, 50);
    grid->HideColumn(2);
    grid->SetColWidths(2, 80);   // now real column 3
    grid->UnHideColumn(2);
    EXPECT_EQ(grid->ColWidths(2), 50);
    EXPECT_EQ(grid->ColWidths(3), 80);
}

TEST_F(FxGridTest, MoveRowsCarriesTextsAndClampsItsRange)
{
    Fill(2, 10);
    grid->MoveRows(2, 8, 3);
    EXPECT_EQ(grid->Cells(1, 5), "1,2");
    EXPECT_EQ(grid->Cells(1, 7), "1,4");
    EXPECT_EQ(grid->Cells(1, 2), "1,5");
    EXPECT_THROW(grid->MoveRows(1, 3, -1), EFxGridError);
    grid->MoveRows(8, 0, 50);   // only rows 8 and 9 exist
    EXPECT_EQ(grid->Cells(1, 0), "1,8");
    EXPECT_EQ(grid->RowCount(), 10);
}

TEST_F(FxGridTest, ShrinkingRowCountFreesTheRowsAndTheirTexts)
{
    Fill(3, 6);
    grid->SetColors(1, 5, 0xFF);
    grid->SetRowCount(4);
    grid->SetRowCount(6);
    EXPECT_EQ(grid->Cells(1, 5), "");
    EXPECT_FALSE(grid->CellPropertiesAssigned(1, 5));
}

struct IntCase {
    const char* text;
    bool ok;
    int value;
};

TEST_F(FxGridTest, IntsReadStrictIntegerTexts)
{
    const std::vector<IntCase> cases = {
        {"  -  ", true, 0},  {"12abc", false, 0},  {"$1F", true, 31},         {"<b>12</b>", true, 12},
        {"0x10", true, 16},  {"-x1f", true, -31},  {"2147483647", true, 2147483647},
        {"2147483648", false, 0}, {"-2147483648", true, -2147483647 - 1}, {"1 2", false, 0}, {"", true, 0},
    };
    for (const IntCase& c : cases) {
        grid->SetCells(1, 1, c.text);
        if (c.ok)
            EXPECT_EQ(grid->Ints(1, 1), c.value) << c.text;
        else
            EXPECT_THROW(grid->Ints(1, 1), EFxGridError) << c.text;
    }
    grid->SetCells(1, 1, "<b>12</b>");
    EXPECT_THROW(grid->AllInts(1, 1), EFxGridError);
    try {
        grid->SetCells(1, 1, "12abc");
        grid->Ints(1, 1);
    } catch (const EFxGridError& e) {
        EXPECT_EQ(e.Message(), "Cell does not contain integer value");
    }
}

TEST_F(FxGridTest, FloatsRejectInfinityNanAndHex)
{
    struct Case {
        const char* text;
        bool ok;
        double value;
    };
    const std::vector<Case> cases = {
        {"(1,234.5)", true, -1234.5}, {"3.25", true, 3.25}, {"inf", false, 0},
        {"nan", false, 0},            {"0x1p3", false, 0},  {"1e999", false, 0}, {"-", true, 0},
    };
    for (const Case& c : cases) {
        grid->SetCells(1, 1, c.text);
        if (c.ok)
            EXPECT_DOUBLE_EQ(grid->Floats(1, 1), c.value) << c.text;
        else
            EXPECT_THROW(grid->Floats(1, 1), EFxGridError) << c.text;
    }
    grid->SetFloats(1, 1, 2.5);
    EXPECT_EQ(grid->Cells(1, 1), "2.50");
    grid->SetFloatFormat("%s%s%n");   // a settings text that does not fit a float
    grid->SetFloats(1, 1, 2.5);
    EXPECT_EQ(grid->Cells(1, 1), "2.5");
}

TEST_F(FxGridTest, SelectedCellsBeyondRow32768)
{
    grid->SetRowCount(70000);
    grid->MouseActions().SetDisjunctCellSelect(true);
    grid->SetSelectedCells(2, 32768, true);
    grid->SetSelectedCells(2, 32768 + 65536 - 65536 + 1, true);
    EXPECT_TRUE(grid->SelectedCells(2, 32768));
    EXPECT_FALSE(grid->SelectedCells(2, 0));
    EXPECT_EQ(grid->SelectedCellsCount(), 2);
    EXPECT_EQ(grid->SelectedCell(0).Y, 32768);
}

TEST_F(FxGridTest, SelectedCellsCountListsTheRectangleColumnByColumn)
{
    grid->SetSelection({1, 1, 2, 3});
    EXPECT_EQ(grid->SelectedCellsCount(), 6);
    EXPECT_EQ(grid->SelectedCell(0), (fw::TGridCoord{1, 1}));
    EXPECT_EQ(grid->SelectedCell(2), (fw::TGridCoord{1, 3}));
    EXPECT_EQ(grid->SelectedCell(3), (fw::TGridCoord{2, 1}));
}

TEST_F(FxGridTest, RowColorNoneClearsOnlyTheColour)
{
    Fill(4, 4);
    grid->AddCheckBox(2, 2, true, false);
    grid->MergeCells(1, 2, 1, 2);
    grid->SetRowColor(2, 0xFF);
    grid->SetRowColor(2, fw::clNone);
    grid->SetRowColorTo(2, fw::clNone);
    grid->SetRowFontColor(2, fw::clNone);
    EXPECT_EQ(grid->Colors(2, 2), fw::clNone);
    EXPECT_TRUE(grid->HasCheckBox(2, 2));
    EXPECT_TRUE(grid->IsMergedCell(1, 3));
}

} // namespace

namespace {

TEST_F(FxGridTest, DeleteRowsCoreClosesUpScatteredRowsInOnePass)
{
    Fill(3, 10);
    grid->SetColors(1, 4, 0xFF);
    grid->SetColors(1, 5, 0xFF00);
    grid->SetRowHeights(6, 33);
    grid->DeleteRowsCore({4, 1, 8, 4, 42, -1});
    ASSERT_EQ(grid->RowCount(), 7);
    const std::vector<int> kept = {0, 2, 3, 5, 6, 7, 9};
    for (int r = 0; r < 7; ++r)
        EXPECT_EQ(grid->Cells(2, r), QStringLiteral("2,%1").arg(kept[std::size_t(r)]));
    EXPECT_EQ(grid->Colors(1, 3), fw::TColor(0xFF00));   // former row 5
    EXPECT_EQ(grid->RowHeights(4), 33);                  // former row 6
    grid->SetRowCount(10);
    EXPECT_EQ(grid->Cells(2, 9), "");
}

} // namespace

// Copying a grid: every setting and option object a grid copy carries, each
// set away from its value after construction on the source. A row's check
// must fail on a fresh grid, so a row cannot pass by matching the default.
namespace {

struct TAssignedItem {
    const char* Name;
    std::function<void(TFxStringGrid&)> Set;
    std::function<bool(const TFxStringGrid&)> Has;
};

std::vector<TAssignedItem> AssignedItems()
{
    return {
        {"Font", [](TFxStringGrid& g) { fw::TFont f = g.Font(); f.Size = 13; g.SetFont(f); },
         [](const TFxStringGrid& g) { return g.Font().Size == 13; }},
        {"ActiveCellColor", [](TFxStringGrid& g) { g.SetActiveCellColor(0x123456); },
         [](const TFxStringGrid& g) { return g.ActiveCellColor() == 0x123456; }},
        {"ActiveCellColorTo", [](TFxStringGrid& g) { g.SetActiveCellColorTo(0x654321); },
         [](const TFxStringGrid& g) { return g.ActiveCellColorTo() == 0x654321; }},
        {"ActiveCellFont",
         [](TFxStringGrid& g) { fw::TFont f = g.ActiveCellFont(); f.Name = "Courier"; g.SetActiveCellFont(f); },
         [](const TFxStringGrid& g) { return g.ActiveCellFont().Name == "Courier"; }},
        {"ActiveCellShow", [](TFxStringGrid& g) { g.SetActiveCellShow(true); },
         [](const TFxStringGrid& g) { return g.ActiveCellShow(); }},
        {"ActiveRowShow", [](TFxStringGrid& g) { g.SetActiveRowShow(true); },
         [](const TFxStringGrid& g) { return g.ActiveRowShow(); }},
        {"FilterDropDown", [](TFxStringGrid& g) { g.FilterDropDown().SetHeight(80); },
         [](const TFxStringGrid& g) { return g.FilterDropDown().Height() == 80; }},
        {"AnchorHint", [](TFxStringGrid& g) { g.SetAnchorHint(true); },
         [](const TFxStringGrid& g) { return g.AnchorHint(); }},
        {"AutoNumAlign", [](TFxStringGrid& g) { g.SetAutoNumAlign(true); },
         [](const TFxStringGrid& g) { return g.AutoNumAlign(); }},
        {"AutoSize", [](TFxStringGrid& g) { g.SetAutoSize(true); },
         [](const TFxStringGrid& g) { return g.AutoSize(); }},
        {"AutoFilterUpdate", [](TFxStringGrid& g) { g.SetAutoFilterUpdate(false); },
         [](const TFxStringGrid& g) { return !g.AutoFilterUpdate(); }},
        {"MouseActions", [](TFxStringGrid& g) { g.MouseActions().SetDisjunctRowSelect(true); },
         [](const TFxStringGrid& g) { return g.MouseActions().DisjunctRowSelect(); }},
        {"Navigation", [](TFxStringGrid& g) { g.Navigation().SetAllowClipboardRowGrow(false); },
         [](const TFxStringGrid& g) { return !g.Navigation().AllowClipboardRowGrow(); }},
        {"Grouping", [](TFxStringGrid& g) { g.Grouping().SetMergeHeader(true); },
         [](const TFxStringGrid& g) { return g.Grouping().MergeHeader(); }},
        {"SearchFooter", [](TFxStringGrid& g) { g.SearchFooter().SetFindNextCaption("Onward"); },
         [](const TFxStringGrid& g) { return g.SearchFooter().FindNextCaption() == "Onward"; }},
        {"PrintSettings", [](TFxStringGrid& g) { g.PrintSettings().SetTime(ppTopLeft); },
         [](const TFxStringGrid& g) { return g.PrintSettings().Time() == ppTopLeft; }},
        {"Filter", [](TFxStringGrid& g) { g.Filter().Add()->SetCondition("A*"); },
         [](const TFxStringGrid& g) { return g.Filter().Count() == 1 && g.Filter().Items(0)->Condition() == "A*"; }},
        {"HTMLSettings", [](TFxStringGrid& g) { g.HTMLSettings().Summary = "Prices"; },
         [](const TFxStringGrid& g) { return g.HTMLSettings().Summary == "Prices"; }},
        {"Bands", [](TFxStringGrid& g) { g.Bands().SetPrimaryColor(0x0A0B0C); },
         [](const TFxStringGrid& g) { return g.Bands().PrimaryColor() == 0x0A0B0C; }},
        {"CellNode", [](TFxStringGrid& g) { g.CellNode().SetNodeColor(0x0C0B0A); },
         [](const TFxStringGrid& g) { return g.CellNode().NodeColor() == 0x0C0B0A; }},
        {"SortSettings", [](TFxStringGrid& g) { g.SortSettings().SetColumn(3); },
         [](const TFxStringGrid& g) { return g.SortSettings().Column() == 3; }},
        {"DragScrollOptions",
         [](TFxStringGrid& g) {
             g.DragScrollOptions().SetActive(true);
             g.DragScrollOptions().Delays().SetRepeatDelay(40);
             g.DragScrollOptions().Margins().SetTopMargin(7);
         },
         [](const TFxStringGrid& g) {
             return g.DragScrollOptions().Active() && g.DragScrollOptions().Delays().RepeatDelay() == 40 &&
                    g.DragScrollOptions().Margins().TopMargin() == 7;
         }},
        {"DragDropSettings",
         [](TFxStringGrid& g) { g.DragDropSettings().SetOleDropRTF(!TFxStringGrid().DragDropSettings().OleDropRTF()); },
         [](const TFxStringGrid& g) {
             return g.DragDropSettings().OleDropRTF() != TFxStringGrid().DragDropSettings().OleDropRTF();
         }},
        {"ProgressAppearance", [](TFxStringGrid& g) { g.ProgressAppearance().SetCompleteColor(0x00AA00); },
         [](const TFxStringGrid& g) { return g.ProgressAppearance().CompleteColor() == 0x00AA00; }},
        {"ColumnSize", [](TFxStringGrid& g) { g.ColumnSize().SetKey("sizes.ini"); },
         [](const TFxStringGrid& g) { return g.ColumnSize().Key() == "sizes.ini"; }},
        {"SyncGrid", [](TFxStringGrid& g) { g.SyncGrid().SetScrollVertical(true); },
         [](const TFxStringGrid& g) { return g.SyncGrid().ScrollVertical(); }},
        {"FocusHelper", [](TFxStringGrid& g) { g.FocusHelper().SetEnabled(true); },
         [](const TFxStringGrid& g) { return g.FocusHelper().Enabled(); }},
        {"FixedRowAlways", [](TFxStringGrid& g) { g.SetFixedRowAlways(true); },
         [](const TFxStringGrid& g) { return g.FixedRowAlways(); }},
        {"ColCount", [](TFxStringGrid& g) { g.SetColCount(7); },
         [](const TFxStringGrid& g) { return g.ColCount() == 7; }},
        {"RowCount", [](TFxStringGrid& g) { g.SetRowCount(9); },
         [](const TFxStringGrid& g) { return g.RowCount() == 9; }},
        {"FixedRows", [](TFxStringGrid& g) { g.SetFixedRows(2); },
         [](const TFxStringGrid& g) { return g.FixedRows() == 2; }},
        {"FixedCols", [](TFxStringGrid& g) { g.SetFixedCols(2); },
         [](const TFxStringGrid& g) { return g.FixedCols() == 2; }},
        {"DefaultColWidth", [](TFxStringGrid& g) { g.SetDefaultColWidth(91); },
         [](const TFxStringGrid& g) { return g.DefaultColWidth() == 91; }},
        {"DefaultRowHeight", [](TFxStringGrid& g) { g.SetDefaultRowHeight(31); },
         [](const TFxStringGrid& g) { return g.DefaultRowHeight() == 31; }},
        {"FixedRowHeight", [](TFxStringGrid& g) { g.SetFixedRowHeight(37); },
         [](const TFxStringGrid& g) { return g.FixedRowHeight() == 37; }},
        {"FixedColWidth", [](TFxStringGrid& g) { g.SetFixedColWidth(41); },
         [](const TFxStringGrid& g) { return g.FixedColWidth() == 41; }},
        {"InvalidEntryTitle", [](TFxStringGrid& g) { g.SetInvalidEntryTitle("Bad value"); },
         [](const TFxStringGrid& g) { return g.InvalidEntryTitle() == "Bad value"; }},
        {"InvalidEntryIcon", [](TFxStringGrid& g) { g.SetInvalidEntryIcon(ieError); },
         [](const TFxStringGrid& g) { return g.InvalidEntryIcon() == ieError; }},
        {"InvalidEntryText", [](TFxStringGrid& g) { g.SetInvalidEntryText("Use 0 to 255"); },
         [](const TFxStringGrid& g) { return g.InvalidEntryText() == "Use 0 to 255"; }},
        {"Options", [](TFxStringGrid& g) { g.SetOptions(g.Options() | fw::goRowSelect); },
         [](const TFxStringGrid& g) { return (g.Options() & fw::goRowSelect) != 0; }},
        {"ColWidths", [](TFxStringGrid& g) { g.SetColWidths(3, 77); },
         [](const TFxStringGrid& g) { return g.ColCount() > 3 && g.ColWidths(3) == 77; }},
        {"ColumnHeaders", [](TFxStringGrid& g) { g.ColumnHeaders().Add("Name"); },
         [](const TFxStringGrid& g) { return g.ColumnHeaders().Count() == 1 && g.ColumnHeaders()[0] == "Name"; }},
        {"RowHeights", [](TFxStringGrid& g) { g.SetRowHeights(4, 33); },
         [](const TFxStringGrid& g) { return g.RowCount() > 4 && g.RowHeights(4) == 33; }},
        {"ScrollProportional", [](TFxStringGrid& g) { g.SetScrollProportional(true); },
         [](const TFxStringGrid& g) { return g.ScrollProportional(); }},
        {"ScrollSynch", [](TFxStringGrid& g) { g.SetScrollSynch(true); },
         [](const TFxStringGrid& g) { return g.ScrollSynch(); }},
        {"ScrollHints", [](TFxStringGrid& g) { g.SetScrollHints(shBoth); },
         [](const TFxStringGrid& g) { return g.ScrollHints() == shBoth; }},
        {"ScrollBarAlways", [](TFxStringGrid& g) { g.SetScrollBarAlways(saVert); },
         [](const TFxStringGrid& g) { return g.ScrollBarAlways() == saVert; }},
        {"ScrollBars", [](TFxStringGrid& g) { g.SetScrollBars(fw::ssVertical); },
         [](const TFxStringGrid& g) { return g.ScrollBars() == fw::ssVertical; }},
        {"ScrollColor", [](TFxStringGrid& g) { g.SetScrollColor(0x224466); },
         [](const TFxStringGrid& g) { return g.ScrollColor() == 0x224466; }},
        {"ScrollType", [](TFxStringGrid& g) { g.SetScrollType(ssFlat); },
         [](const TFxStringGrid& g) { return g.ScrollType() == ssFlat; }},
        {"ScrollWidth", [](TFxStringGrid& g) { g.SetScrollWidth(9); },
         [](const TFxStringGrid& g) { return g.ScrollWidth() == 9; }},
        {"Cells", [](TFxStringGrid& g) { g.SetCells(2, 5, "copied"); },
         [](const TFxStringGrid& g) { return g.RowCount() > 5 && g.Cells(2, 5) == "copied"; }},
    };
}

} // namespace

TEST(FxGridAssign, CopiesEverySettingAndOptionObject)
{
    TFxStringGrid source;
    const TFxStringGrid fresh;
    for (const TAssignedItem& item : AssignedItems()) {
        EXPECT_FALSE(item.Has(fresh)) << item.Name << " is already set on a fresh grid";
        item.Set(source);
        EXPECT_TRUE(item.Has(source)) << item.Name;
    }
    TFxStringGrid target;
    target.Assign(&source);
    for (const TAssignedItem& item : AssignedItems())
        EXPECT_TRUE(item.Has(target)) << item.Name << " was not copied";
}

// The copy adapts to the desktop theme after taking the source's colours,
// just as the source did when its adaptation was switched on.
TEST(FxGridAssign, CopiesAutoThemeAdaptAndAdaptsLikeTheSource)
{
    TFxStringGrid source;
    source.SetActiveCellColor(0x123456);
    source.SetAutoThemeAdapt(!source.AutoThemeAdapt());
    TFxStringGrid target;
    target.Assign(&source);
    EXPECT_EQ(target.AutoThemeAdapt(), source.AutoThemeAdapt());
    EXPECT_EQ(target.ActiveCellColor(), source.ActiveCellColor());
    EXPECT_EQ(target.SelectionColor(), source.SelectionColor());
}

// Copying from anything but a grid, or from the grid itself, leaves every
// setting and the cells as they were.
TEST(FxGridAssign, FromAnotherKindOfObjectOrItselfChangesNothing)
{
    TFxStringGrid target;
    for (const TAssignedItem& item : AssignedItems())
        item.Set(target);
    QObject stranger;
    TFxStringGrid* self = &target;
    for (const QObject* source : {static_cast<const QObject*>(&stranger), static_cast<const QObject*>(self)}) {
        target.Assign(source);
        for (const TAssignedItem& item : AssignedItems())
            EXPECT_TRUE(item.Has(target)) << item.Name;
    }
}
