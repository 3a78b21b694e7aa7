// Printing a grid: the print settings, the page layout (bands, offsets,
// fit to page, rows per page, page numbers, header and footer slots), the
// page loop's ending in the awkward cases, and printed PDF files as an
// outside reader sees them.
#include "grid/paint/FxPrintPager.h"
#include "grid/paint/FxPrintSettings.h"

#include "framework/Canvas.h"
#include "framework/Printing.h"
#include "framework/SysUtils.h"
#include "grid/foundation/FxOptions.h"
#include "grid/model/FxGrid.h"
#include "support/OutsideReaders.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

// ------------------------------------------------------------ settings

TEST(PrintSettings, StartWithTheDocumentedDefaults)
{
    TPrintSettings ps(nullptr);
    EXPECT_EQ(ps.Borders(), pbSingle);
    EXPECT_TRUE(ps.Centered());
    EXPECT_TRUE(ps.UseDisplayFont());
    EXPECT_EQ(ps.PageNumSep(), QStringLiteral("/"));
    EXPECT_EQ(ps.DateFormat(), QStringLiteral("dd/mm/yyyy"));
    EXPECT_EQ(ps.BorderColor(), fw::clBlack);
    EXPECT_EQ(ps.BorderStyle(), fw::psSolid);
    EXPECT_EQ(ps.Orientation(), poPortrait);
    EXPECT_EQ(ps.FitToPage(), fpNever);
    for (TPrintPosition p : {ps.Time(), ps.Date(), ps.PageNr(), ps.Title()})
        EXPECT_EQ(p, ppNone);
    for (bool b : {ps.RepeatFixedRows(), ps.RepeatFixedCols(), ps.UseFixedHeight(), ps.UseFixedWidth(),
                   ps.NoAutoSize(), ps.PrintGraphics(), ps.NoAutoSizeRow(), ps.UseDefaultOrientation(),
                   ps.FixedCellsAlways()})
        EXPECT_FALSE(b);
    for (int v : {ps.FooterSize(), ps.HeaderSize(), ps.LeftSize(), ps.RightSize(), ps.ColumnSpacing(),
                  ps.RowSpacing(), ps.TitleSpacing(), ps.FixedHeight(), ps.FixedWidth(), ps.PageNumberOffset(),
                  ps.MaxPagesOffset()})
        EXPECT_EQ(v, 0);
    EXPECT_TRUE(ps.TitleText().isEmpty() && ps.PagePrefix().isEmpty() && ps.PageSuffix().isEmpty() &&
                ps.JobName().isEmpty());
    EXPECT_EQ(ps.TitleLines().Count(), 0);
}

TEST(PrintSettings, AssignCopiesByValueButNotTheFixedCellsFlag)
{
    TPrintSettings source(nullptr), copy(nullptr);
    source.SetBorders(pbAroundVertical);
    source.SetCentered(false);
    source.SetPageNr(ppBottomCenter);
    source.SetPagePrefix(QStringLiteral("Page"));
    source.SetRowSpacing(7);
    source.SetFitToPage(fpShrink);
    source.SetBorderColor(fw::clRed);
    source.SetFixedCellsAlways(true);
    fw::TFont header;
    header.Name = QStringLiteral("DejaVu Serif");
    header.Size = 14;
    source.SetHeaderFont(header);
    source.TitleLines().Add(QStringLiteral("first"));
    source.TitleLines().Add(QStringLiteral("second"));

    copy.Assign(source);
    EXPECT_EQ(copy.Borders(), pbAroundVertical);
    EXPECT_FALSE(copy.Centered());
    EXPECT_EQ(copy.PageNr(), ppBottomCenter);
    EXPECT_EQ(copy.PagePrefix(), QStringLiteral("Page"));
    EXPECT_EQ(copy.RowSpacing(), 7);
    EXPECT_EQ(copy.FitToPage(), fpShrink);
    EXPECT_EQ(copy.BorderColor(), fw::clRed);
    EXPECT_EQ(copy.HeaderFont().Size, 14);
    EXPECT_FALSE(copy.FixedCellsAlways());
    ASSERT_EQ(copy.TitleLines().Count(), 2);

    // Changing the source afterwards leaves the copy alone.
    source.TitleLines().SetStrings(0, QStringLiteral("changed"));
    fw::TFont other = header;
    other.Size = 30;
    source.SetHeaderFont(other);
    EXPECT_EQ(copy.TitleLines().Strings(0), QStringLiteral("first"));
    EXPECT_EQ(copy.TitleLines().Strings(1), QStringLiteral("second"));
    EXPECT_EQ(copy.HeaderFont().Size, 14);
}

TEST(PrintSettings, AssignFromAnotherClassRaisesAndChangesNothing)
{
    TPrintSettings target(nullptr);
    target.SetBorders(pbDouble);
    target.SetTitleText(QStringLiteral("kept"));
    QObject stranger;
    EXPECT_THROW(target.Assign(&stranger), fw::EInvalidCast);
    EXPECT_THROW(target.Assign(static_cast<const QObject*>(nullptr)), fw::EInvalidCast);
    EXPECT_EQ(target.Borders(), pbDouble);
    EXPECT_EQ(target.TitleText(), QStringLiteral("kept"));

    TPrintSettings source(nullptr);
    source.SetBorders(pbHorizontal);
    target.Assign(static_cast<const QObject*>(&source));
    EXPECT_EQ(target.Borders(), pbHorizontal);
}

// ------------------------------------------------------------ layout arithmetic

TEST(PrintLayout, FitScaleFollowsTheFormulaAndItsClamps)
{
    // f = (page width - RightSize - LeftSize - V) / (W - V), V = printed columns x gap.
    struct Case {
        std::vector<int> widths;
        std::vector<bool> printed;
        int page, left, right;
        TFitToPage mode;
        double expected;
    } cases[] = {
        {{100, 100, 100, 100}, {}, 680, 0, 0, fpAlways, 1.5},        // (680 - 80) / 400
        {{100, 100, 100, 100}, {}, 680, 0, 0, fpGrow, 1.5},
        {{100, 100, 100, 100}, {}, 680, 0, 0, fpShrink, 1.0},        // would grow
        {{100, 100, 100, 100}, {}, 680, 0, 0, fpNever, 1.0},
        {{400, 400}, {}, 440, 0, 0, fpShrink, 0.5},                  // (440 - 40) / 800
        {{400, 400}, {}, 440, 0, 0, fpGrow, 1.0},                    // would shrink
        {{400, 400}, {}, 540, 60, 40, fpAlways, 0.5},                // margins come off the page
        {{100, 900, 100, 100}, {true, false, true, true}, 660, 0, 0, fpAlways, 2.0},   // (660 - 60) / 300
        {{100, 100, 100, 100}, {}, 60, 0, 0, fpAlways, 1.0},         // no spare width: no negative widths
        {{0, 0, 0}, {}, 600, 0, 0, fpAlways, 1.0},                   // nothing to scale
    };
    TPrintSettings ps(nullptr);
    for (const Case& c : cases) {
        ps.SetFitToPage(c.mode);
        ps.SetLeftSize(c.left);
        ps.SetRightSize(c.right);
        const int last = int(c.widths.size()) - 1;
        EXPECT_DOUBLE_EQ(TPrintPager::FitScale(c.widths, c.printed, 0, last, 20, c.page, ps), c.expected)
            << "page " << c.page << " mode " << c.mode;
    }
    std::vector<int> widths{101, 203, 7};
    TPrintPager::ApplyScale(widths, 0, 2, 1.5);
    EXPECT_EQ(widths, (std::vector<int>{151, 304, 10}));   // fractions dropped
}

TEST(PrintLayout, ColumnGapIsSpacingPlusTwentyOrNothingWithFixedWidths)
{
    TPrintSettings ps(nullptr);
    EXPECT_EQ(TPrintPager::ColumnGap(ps), 20);
    ps.SetColumnSpacing(15);
    EXPECT_EQ(TPrintPager::ColumnGap(ps), 35);
    ps.SetUseFixedWidth(true);
    EXPECT_EQ(TPrintPager::ColumnGap(ps), 0);
}

// A sink that records what the loop lays out and draws; it fails the test
// instead of hanging when the loop would not end.
struct RecordingSink : IPrintPageSink {
    std::map<int, int> heights;      // row -> content height; 40 when absent
    std::vector<bool> printedRows;   // empty: every row
    std::vector<std::pair<int, int>> drawn;                 // (page, row) of drawn data cells
    std::vector<std::vector<std::pair<int, int>>> bands;    // per drawn row: first..last columns
    std::vector<int> begun;
    std::vector<std::pair<int, int>> frames;                // (first, last) per drawn page
    int sheets = 0, steps = 0;
    int newPageEvery = 0, cancelAfter = 0;
    const TPrintPager* pager = nullptr;

    bool RowPrinted(int row) override
    {
        return printedRows.empty() || (row < int(printedRows.size()) && printedRows[std::size_t(row)]);
    }
    int RowHeight(int row) override
    {
        auto it = heights.find(row);
        return it == heights.end() ? 40 : it->second;
    }
    void DrawRow(int y, int first, int last, int row) override
    {
        drawn.emplace_back(pager->Page() + 1, row);
        ys.emplace_back(y);
        bands.push_back({{first, last}});
    }
    void PageFrame(int first, int last, int y) override { frames.emplace_back(first, last); }
    void RowStarts(int row) override
    {
        if (++steps > 100000)
            throw std::runtime_error("the page loop does not end");
    }
    void PageBegins(int pageNr) override { begun.push_back(pageNr); }
    void NewSheet() override { ++sheets; }
    bool ForceNewPage(int row) override { return newPageEvery > 0 && row % newPageEvery == 0; }
    bool PageDone(int row, int y, int pageNr) override { return cancelAfter > 0 && pageNr >= cancelAfter; }

    std::vector<int> ys;
    // Rows drawn on each page, counting each row once even when its fixed
    // cells were drawn apart.
    std::map<int, std::vector<int>> RowsByPage() const
    {
        std::map<int, std::vector<int>> out;
        for (std::size_t i = 0; i < drawn.size(); ++i) {
            auto& rows = out[drawn[i].first];
            if (rows.empty() || rows.back() != drawn[i].second)
                rows.push_back(drawn[i].second);
        }
        return out;
    }
};

// Page 1000 wide, 1000 high; every line height 40, so s = 5.
struct PagerRun {
    TPrintSettings settings{nullptr};
    RecordingSink sink;
    int pages = 0;
    std::unique_ptr<TPrintPager> pager;

    int Run(const TPrintArea& area, std::vector<int> widths, TPrintMode mode = pmdPreview, int first = 1,
            int last = INT_MAX, std::vector<bool> printedCols = {})
    {
        pager = std::make_unique<TPrintPager>(settings, mode, 1000, -1000, 40, 40, 40);
        pager->SetColumns(std::move(widths), std::move(printedCols));
        pager->SetPageRange(first, last);
        sink.pager = pager.get();
        pages = pager->Run(area, sink);
        return pages;
    }
};

TPrintArea Area(int cols, int rows, int fixedCols = 0, int fixedRows = 0)
{
    TPrintArea a;
    a.Left = 0;
    a.Top = 0;
    a.Right = cols - 1;
    a.Bottom = rows - 1;
    a.FixedCols = fixedCols;
    a.FixedRows = fixedRows;
    return a;
}

TEST(PrintLayout, BandsAndOffsetsFollowTheWidths)
{
    struct Case {
        const char* what;
        std::vector<int> widths;
        bool centered;
        int left, right;
        std::vector<std::pair<int, int>> bands;   // first..last of each band
        std::vector<int> firstOffsets;            // offsets of band 1, first..last + 1
    } cases[] = {
        // 4 x (100 + 20) = 480 wide, centred: (1000 - 480) div 2 = 260.
        {"centred", {100, 100, 100, 100}, true, 0, 0, {{0, 3}}, {260, 380, 500, 620, 740}},
        {"left margin", {100, 100, 100, 100}, false, 50, 0, {{0, 3}}, {50, 170, 290, 410, 530}},
        // 220 per column: 4 fit into 1000 (880), 3 into 1000 - 250.
        {"three bands", std::vector<int>(12, 200), false, 0, 0, {{0, 3}, {4, 7}, {8, 11}}, {0, 220, 440, 660, 880}},
        {"right margin", std::vector<int>(6, 200), false, 0, 250, {{0, 2}, {3, 5}}, {0, 220, 440, 660}},
        // Without centring the left margin comes off the room: 850 holds three.
        {"left margin and bands", std::vector<int>(6, 200), false, 150, 0, {{0, 2}, {3, 5}}, {150, 370, 590, 810}},
        // A column wider than the page gets a band of its own and the loop
        // ends; the next column starts the next band instead of lying
        // beyond the paper's edge.
        {"too wide", {2000, 100, 100}, false, 0, 0, {{0, 0}, {1, 2}}, {0, 2020}},
        {"one fits, two do not", {600, 600, 600}, false, 0, 0, {{0, 0}, {1, 1}, {2, 2}}, {0, 620}},
    };
    for (const Case& c : cases) {
        PagerRun run;
        run.settings.SetCentered(c.centered);
        run.settings.SetLeftSize(c.left);
        run.settings.SetRightSize(c.right);
        const int cols = int(c.widths.size());
        run.Run(Area(cols, 1), c.widths);
        EXPECT_EQ(run.sink.frames, c.bands) << c.what;
        EXPECT_EQ(run.pages, int(c.bands.size())) << c.what;
        EXPECT_EQ(run.pager->SeveralBands(), c.bands.size() > 1) << c.what;
        // Offsets of the first band: run it again with the first band alone.
        PagerRun one;
        one.settings.SetCentered(c.centered);
        one.settings.SetLeftSize(c.left);
        one.settings.SetRightSize(c.right);
        TPrintArea area = Area(cols, 1);
        area.Right = c.bands[0].second;
        one.Run(area, c.widths);
        std::vector<int> offsets;
        for (int j = c.bands[0].first; j <= c.bands[0].second + 1; ++j)
            offsets.push_back(one.pager->Offset(j));
        EXPECT_EQ(offsets, c.firstOffsets) << c.what;
    }
}

TEST(PrintLayout, RepeatedFixedColumnsStandLeftOfLaterBands)
{
    PagerRun run;
    run.settings.SetRepeatFixedCols(true);
    run.settings.SetCentered(false);
    run.Run(Area(10, 1, 1), std::vector<int>(10, 200));
    // Band 1 holds the fixed column itself (0..3); later bands take 220 for it.
    EXPECT_EQ(run.sink.frames, (std::vector<std::pair<int, int>>{{0, 3}, {4, 6}, {7, 9}}));
    // The second band's row: the fixed column, then 4..6 right of it.
    ASSERT_EQ(run.sink.bands.size(), 5u);
    EXPECT_EQ(run.sink.bands[1], (std::vector<std::pair<int, int>>{{0, 0}}));
    EXPECT_EQ(run.sink.bands[2], (std::vector<std::pair<int, int>>{{4, 6}}));
    EXPECT_EQ(run.pager->Offset(0), 0);
    EXPECT_EQ(run.pager->Offset(7), 220);   // last band: right of the fixed column
}

TEST(PrintLayout, RowsPerPageFollowTheReserves)
{
    // A row fits while y - h > page height + G; y starts at -E and drops by
    // H = 2s + h + RowSpacing per row. s = 5, h = 40.
    struct Case {
        const char* what;
        TPrintPosition pageNr;
        int rowSpacing, headerSize, footerSize, titleSpacing;
        int rowsPerPage;
    } cases[] = {
        // E = 0, G = s + Hf = 45: -50 i - 40 > -955 -> i <= 18.
        {"no header", ppNone, 0, 0, 0, 0, 19},
        // E = s + Hh = 45, G = s + Hf = 45: -45 - 50 i - 40 > -955 -> i <= 17.
        {"number at the top", ppTopRight, 0, 0, 0, 0, 18},
        // E = 0, G = 2s + 2Hf = 90: -50 i - 40 > -910 -> i <= 17.
        {"number at the bottom", ppBottomCenter, 0, 0, 0, 0, 18},
        // H = 60: -60 i - 40 > -955 -> i <= 15.
        {"row spacing", ppNone, 10, 0, 0, 0, 16},
        // E = 100, G = 45 + 100: -100 - 50 i - 40 > -855 -> i <= 14.
        {"header and footer size", ppNone, 0, 100, 100, 0, 15},
        // y starts 150 lower: -150 - 50 i - 40 > -955 -> i <= 15.
        {"title spacing", ppNone, 0, 0, 0, 150, 16},
    };
    for (const Case& c : cases) {
        PagerRun run;
        run.settings.SetPageNr(c.pageNr);
        run.settings.SetRowSpacing(c.rowSpacing);
        run.settings.SetHeaderSize(c.headerSize);
        run.settings.SetFooterSize(c.footerSize);
        run.settings.SetTitleSpacing(c.titleSpacing);
        run.Run(Area(2, 100), {100, 100});
        const auto byPage = run.sink.RowsByPage();
        const int expectedPages = (100 + c.rowsPerPage - 1) / c.rowsPerPage;
        EXPECT_EQ(run.pages, expectedPages) << c.what;
        ASSERT_EQ(int(byPage.size()), expectedPages) << c.what;
        EXPECT_EQ(int(byPage.at(1).size()), c.rowsPerPage) << c.what;
        EXPECT_EQ(byPage.at(1).front(), 0) << c.what;
        EXPECT_EQ(byPage.at(2).front(), c.rowsPerPage) << c.what;
        EXPECT_EQ(byPage.at(expectedPages).back(), 99) << c.what;
    }
}

TEST(PrintLayout, EveryLoopEndsWithEveryRowPrintedOnce)
{
    struct Case {
        const char* what;
        std::map<int, int> heights;
        int fixedRows;
        bool repeatFixedRows;
        int newPageEvery, cancelAfter;
        int expectedPages;
        int expectedRowsDrawn;   // data rows, repeated fixed rows included
    } cases[] = {
        // A row taller than the page: clipped on a page of its own.
        {"tall row", {{1, 5000}}, 0, false, 0, 0, 3, 3},
        {"tall first row", {{0, 5000}}, 0, false, 0, 0, 2, 3},
        // A repeated fixed row taller than the page still lets one row through a page.
        {"tall repeated row", {{0, 5000}}, 1, true, 0, 0, 3, 5},
        {"new page every row", {}, 0, false, 1, 0, 3, 3},
        {"cancelled after page 2", {{0, 900}, {1, 900}, {2, 900}}, 0, false, 0, 2, 2, 2},
    };
    for (const Case& c : cases) {
        PagerRun run;
        run.settings.SetRepeatFixedRows(c.repeatFixedRows);
        run.sink.heights = c.heights;
        run.sink.newPageEvery = c.newPageEvery;
        run.sink.cancelAfter = c.cancelAfter;
        ASSERT_NO_THROW(run.Run(Area(2, 3, 0, c.fixedRows), {100, 100})) << c.what;
        EXPECT_EQ(run.pages, c.expectedPages) << c.what;
        EXPECT_EQ(int(run.sink.drawn.size()), c.expectedRowsDrawn) << c.what;
    }
    PagerRun empty;
    TPrintArea none = Area(0, 5);
    EXPECT_EQ(empty.Run(none, {}), 0);
}

TEST(PrintLayout, FixedRowsRepeatOnLaterPagesOnly)
{
    PagerRun run;
    run.settings.SetRepeatFixedRows(true);
    run.Run(Area(2, 40, 0, 1), {100, 100});
    const auto byPage = run.sink.RowsByPage();
    ASSERT_EQ(byPage.size(), 3u);   // 19 rows on page 1, 18 + the header row after
    EXPECT_EQ(byPage.at(1).front(), 0);
    EXPECT_EQ(std::count(byPage.at(1).begin(), byPage.at(1).end(), 0), 1);
    EXPECT_EQ(byPage.at(2).front(), 0);
    EXPECT_EQ(byPage.at(2)[1], 19);
    EXPECT_EQ(byPage.at(3).front(), 0);
}

TEST(PrintLayout, PageRangeDrawsOnlyItsPagesAndSheets)
{
    // 100 rows, 19 a page: 6 pages; print pages 3..4.
    PagerRun run;
    run.Run(Area(2, 100), {100, 100}, pmdPrint, 3, 4);
    EXPECT_EQ(run.pages, 6);
    EXPECT_EQ(run.sink.begun, (std::vector<int>{3, 4}));
    EXPECT_EQ(run.sink.sheets, 1);   // page 3 goes on the sheet the document began with
    const auto byPage = run.sink.RowsByPage();
    ASSERT_EQ(byPage.size(), 2u);
    EXPECT_EQ(byPage.at(3).front(), 38);

    // Counting draws nothing.
    PagerRun count;
    EXPECT_EQ(count.Run(Area(2, 100), {100, 100}, pmdCountPrint), 6);
    EXPECT_TRUE(count.sink.drawn.empty());
    EXPECT_TRUE(count.sink.begun.empty());
}

TEST(PrintLayout, FastPreviewStopsAfterItsPageButPrintGoesOn)
{
    PagerRun preview;
    preview.pager = nullptr;
    preview.Run(Area(2, 1000), {100, 100}, pmdPreview, 1, 1);
    const int full = preview.pages;
    PagerRun fast;
    fast.settings.SetRowSpacing(0);
    fast.pager = std::make_unique<TPrintPager>(fast.settings, pmdPreview, 1000, -1000, 40, 40, 40);
    fast.pager->SetColumns({100, 100}, {});
    fast.pager->SetPageRange(1, 1);
    fast.pager->SetFastPreview(true);
    fast.sink.pager = fast.pager.get();
    const int fastPages = fast.pager->Run(Area(2, 1000), fast.sink);
    EXPECT_EQ(full, 53);
    EXPECT_LT(fastPages, 5);
    EXPECT_EQ(fast.sink.RowsByPage().size(), 1u);

    // The same setting has no effect on a print: every page comes out.
    PagerRun print;
    print.pager = std::make_unique<TPrintPager>(print.settings, pmdPrint, 1000, -1000, 40, 40, 40);
    print.pager->SetColumns({100, 100}, {});
    print.pager->SetPageRange(1, INT_MAX);
    print.pager->SetFastPreview(true);
    print.sink.pager = print.pager.get();
    EXPECT_EQ(print.pager->Run(Area(2, 1000), print.sink), 53);
    EXPECT_EQ(print.sink.RowsByPage().size(), 53u);
}

TEST(PrintLayout, FilteredRowsAndColumnsTakeNoRoom)
{
    PagerRun run;
    run.sink.printedRows = {true, false, true, false, true};
    run.settings.SetCentered(false);
    run.Run(Area(3, 5), {100, 5000, 100}, pmdPreview, 1, INT_MAX, {true, false, true});
    EXPECT_EQ(run.pages, 1);
    const auto byPage = run.sink.RowsByPage();
    EXPECT_EQ(byPage.at(1), (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(run.pager->Offset(1), 120);
    EXPECT_EQ(run.pager->Offset(2), 120);   // the filtered column adds nothing
    EXPECT_EQ(run.pager->Offset(3), 240);
}

// ------------------------------------------------------------ page numbers, header and footer

TEST(PrintLayout, PageNumberTexts)
{
    struct Case {
        int page, pageInBand, band;
        bool several;
        int total;
        const char* sep;
        int pageOffset, maxOffset;
        const char* expected;
    } cases[] = {
        {2, 2, 1, false, 7, "/", 0, 0, "3/7"},
        {0, 0, 1, false, 1, "/", 0, 0, "1"},        // one page: the number alone
        {2, 2, 1, false, 7, "", 0, 0, "3"},         // no separator
        {0, 0, 1, false, 2, "/", 10, 10, "11/12"},
        {2, 2, 1, false, -1, "/", 0, 0, "3"},       // count unknown (no counting pass)
        {1, 1, 1, true, 6, "/", 0, 0, "2-1"},       // page within band, band
        {3, 0, 2, true, 6, "/", 0, 0, "1-2"},
    };
    TPrintSettings ps(nullptr);
    for (const Case& c : cases) {
        ps.SetPageNumSep(QString::fromLatin1(c.sep));
        ps.SetPageNumberOffset(c.pageOffset);
        ps.SetMaxPagesOffset(c.maxOffset);
        EXPECT_EQ(TPrintPager::PageNumberText(c.page, c.pageInBand, c.band, c.several, c.total, ps),
                  QString::fromLatin1(c.expected));
    }
}

TEST(PrintLayout, HeaderAndFooterSlotsJoinTheirParts)
{
    const QString time = QStringLiteral("10:05"), date = QStringLiteral("24/12/2026");
    const QString num = QStringLiteral("3/7");
    {   // Time and date both top left: date, blank, time, blank.
        TPrintSettings ps(nullptr);
        ps.SetTime(ppTopLeft);
        ps.SetDate(ppTopLeft);
        const auto s = TPrintPager::HeaderFooterSlots(ps, time, date, num, false);
        EXPECT_EQ(s[0], QStringLiteral("24/12/2026 10:05 "));
        for (int i = 1; i < 6; ++i)
            EXPECT_TRUE(s[std::size_t(i)].isEmpty());
    }
    {   // The page number at the bottom centre with a prefix.
        TPrintSettings ps(nullptr);
        ps.SetPageNr(ppBottomCenter);
        ps.SetPagePrefix(QStringLiteral("Page"));
        const auto s = TPrintPager::HeaderFooterSlots(ps, time, date, num, false);
        EXPECT_EQ(s[5], QStringLiteral(" Page 3/7 "));
    }
    {   // Title text top right after the time; first title line top left before the date.
        TPrintSettings ps(nullptr);
        ps.SetTime(ppTopRight);
        ps.SetTitle(ppTopRight);
        ps.SetTitleText(QStringLiteral("Report"));
        EXPECT_EQ(TPrintPager::HeaderFooterSlots(ps, time, date, num, false)[1], QStringLiteral(" 10:05 Report"));
        ps.SetTitleText(QString());
        ps.SetTitle(ppTopLeft);
        ps.SetDate(ppTopLeft);
        ps.TitleLines().Add(QStringLiteral("Line one"));
        ps.TitleLines().Add(QStringLiteral("Line two"));
        EXPECT_EQ(TPrintPager::HeaderFooterSlots(ps, time, date, num, false)[0],
                  QStringLiteral("Line one 24/12/2026 "));
        // An HTML title is drawn apart.
        EXPECT_EQ(TPrintPager::HeaderFooterSlots(ps, time, date, num, true)[0], QStringLiteral("24/12/2026 "));
    }
    EXPECT_EQ(TPrintPager::JoinWithBlank(QString(), QStringLiteral("b")), QStringLiteral("b"));
    EXPECT_EQ(TPrintPager::JoinWithBlank(QStringLiteral("a"), QString()), QStringLiteral("a"));
    EXPECT_EQ(TPrintPager::JoinWithBlank(QStringLiteral("a"), QStringLiteral("b")), QStringLiteral("a b"));
}

TEST(PrintLayout, TitleLinesGrowTheHeaderReserve)
{
    // Three plain title lines at the top: E grows by two header lines, so
    // two rows fewer fit (each row takes 50 here, each header line 40).
    PagerRun plain, titled;
    plain.settings.SetTitle(ppTopCenter);
    plain.settings.SetTitleText(QStringLiteral("one line"));
    titled.settings.SetTitle(ppTopCenter);
    for (const char* line : {"a", "b", "c"})
        titled.settings.TitleLines().Add(QString::fromLatin1(line));
    plain.Run(Area(2, 100), {100, 100});
    titled.Run(Area(2, 100), {100, 100});
    EXPECT_EQ(titled.pager->HeaderReserve() - plain.pager->HeaderReserve(), 80);
    EXPECT_EQ(plain.sink.RowsByPage().at(1).size() - titled.sink.RowsByPage().at(1).size(), 2u);
}

// ------------------------------------------------------------ printing a grid

// Records what the grid tells its exporters.
class NotedGrid : public TFxStringGrid {
public:
    std::vector<TGridExportState> states;
    void ExportNotification(TGridExportState AState, int ARow) override
    {
        if (AState == esExportStart || AState == esExportDone || AState == esExportFail)
            states.push_back(AState);
    }
};

QString CellText(int col, int row) { return row == 0 ? QStringLiteral("H%1").arg(col) : QStringLiteral("r%1c%2").arg(row).arg(col); }

class GridPrint : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = std::make_unique<NotedGrid>();
        grid->SetColCount(12);
        grid->SetRowCount(1001);
        grid->SetFixedRows(1);
        grid->SetFixedCols(0);
        for (int r = 0; r < grid->RowCount(); ++r)
            for (int c = 0; c < grid->ColCount(); ++c)
                grid->SetCells(c, r, CellText(c, r));
        fw::TFont font;
        font.Name = QStringLiteral("DejaVu Sans");
        font.Size = 8;
        grid->SetFont(font);
        grid->SetFixedFont(font);
        path = dir.filePath(QStringLiteral("grid.pdf"));
        fw::Printer().SetOutputFile(path);
        fw::Printer().SetPageSize(QPageSize::A4);
    }
    // When pictures are kept the printed file is kept with them, named
    // after the test, for a person to look at.
    void TearDown() override
    {
        fw::Printer().SetOutputFile(QString());
        const QString shots = testsupport::shotFolder();
        if (!shots.isEmpty() && QFileInfo::exists(path)) {
            const QString name = QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name());
            const QString kept = shots + QStringLiteral("/grid-print-") + name + QStringLiteral(".pdf");
            QFile::remove(kept);
            QFile::copy(path, kept);
        }
    }

    // The pages as pdftotext reads them; skips the test without the tool.
    QStringList Pages()
    {
        QString error;
        const QStringList pages = testsupport::pdfPageTexts(path, true, &error);
        EXPECT_FALSE(pages.isEmpty()) << error.toStdString();
        return pages;
    }
    // The cell texts in reading order.
    static QStringList CellTexts(const QString& text)
    {
        static const QRegularExpression cell(QStringLiteral("\\b(r\\d+c\\d+|H\\d+)\\b"));
        QStringList out;
        for (auto it = cell.globalMatch(text); it.hasNext();)
            out << it.next().captured(1);
        return out;
    }
    // Every page carries "n/m" once.
    static void ExpectPageNumbers(const QStringList& pages)
    {
        for (int i = 0; i < pages.size(); ++i) {
            const QString number = QStringLiteral("%1/%2").arg(i + 1).arg(pages.size());
            EXPECT_EQ(pages[i].count(QRegularExpression(QStringLiteral("\\b%1\\b").arg(number))), 1)
                << number.toStdString();
        }
    }
    // Row by row over bands of columns, the texts a print must show once each.
    static QStringList Expected(int top, int bottom, const std::vector<std::pair<int, int>>& bands)
    {
        QStringList out;
        for (const auto& band : bands)
            for (int r = top; r <= bottom; ++r)
                for (int c = band.first; c <= band.second; ++c)
                    out << CellText(c, r);
        return out;
    }

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<NotedGrid> grid;
};

#define SKIP_WITHOUT_POPPLER()                                                                                       \
    if (testsupport::pdftotextProgram().isEmpty() || testsupport::pdftoppmProgram().isEmpty())                      \
    GTEST_SKIP() << "pdftotext / pdftoppm (poppler-utils) not installed"

TEST_F(GridPrint, AllCellsComeOutOnceInOrderWithPageNumbersAndTitle)
{
    SKIP_WITHOUT_POPPLER();
    TPrintSettings& ps = grid->PrintSettings();
    ps.SetPageNr(ppBottomRight);
    ps.SetPagePrefix(QStringLiteral("Page"));
    ps.SetTitle(ppTopCenter);
    ps.SetTitleText(QStringLiteral("Gateway table"));
    ps.SetDate(ppTopLeft);
    grid->Print();
    EXPECT_EQ(grid->states, (std::vector<TGridExportState>{esExportStart, esExportDone}));

    const QStringList pages = Pages();
    ASSERT_GT(pages.size(), 10);
    EXPECT_EQ(grid->PrintPageCount(), pages.size());
    QString all;
    for (int i = 0; i < pages.size(); ++i) {
        const QString number = QStringLiteral("Page %1/%2").arg(i + 1).arg(pages.size());
        EXPECT_TRUE(pages[i].contains(number)) << number.toStdString();
        EXPECT_EQ(pages[i].count(QStringLiteral("Gateway table")), 1) << "page " << i + 1;
        all += pages[i];
    }
    EXPECT_EQ(CellTexts(all), Expected(0, 1000, {{0, 11}}));
}

TEST_F(GridPrint, HeaderAndFooterTextsStandOnEveryPage)
{
    SKIP_WITHOUT_POPPLER();
    TPrintSettings& ps = grid->PrintSettings();
    ps.SetDate(ppTopLeft);
    ps.SetDateFormat(QStringLiteral("yyyy-mm-dd"));
    ps.SetTime(ppTopRight);
    ps.SetPageNr(ppTopCenter);
    ps.SetPagePrefix(QStringLiteral("Sheet"));
    ps.SetPageSuffix(QStringLiteral("of the table"));
    ps.SetTitle(ppBottomLeft);
    for (const char* line : {"Lighting bus", "DMX universe one", "Ethernet side"})
        ps.TitleLines().Add(QString::fromLatin1(line));
    const QString before = fw::FormatDateTime(QStringLiteral("yyyy-mm-dd"), fw::Now());
    grid->Print();
    const QString after = fw::FormatDateTime(QStringLiteral("yyyy-mm-dd"), fw::Now());

    const QStringList pages = Pages();
    ASSERT_GT(pages.size(), 10);
    EXPECT_EQ(grid->PrintPageCount(), pages.size());
    static const QRegularExpression time(QStringLiteral("\\b\\d\\d:\\d\\d\\b"));
    QString all;
    for (int i = 0; i < pages.size(); ++i) {
        const QString& page = pages[i];
        const QString number = QStringLiteral("Sheet %1/%2 of the table").arg(i + 1).arg(pages.size());
        EXPECT_EQ(page.count(number), 1) << number.toStdString();
        EXPECT_TRUE(page.contains(before) || page.contains(after)) << "page " << i + 1;
        EXPECT_TRUE(page.contains(time)) << "page " << i + 1;
        for (const char* line : {"Lighting bus", "DMX universe one", "Ethernet side"})
            EXPECT_EQ(page.count(QString::fromLatin1(line)), 1) << line << " on page " << i + 1;
        // The header comes before the cells, the footer's title after them.
        static const QRegularExpression cell(QStringLiteral("\\b(r\\d+c\\d+|H\\d+)\\b"));
        EXPECT_LT(page.indexOf(number), page.indexOf(cell)) << "page " << i + 1;
        EXPECT_GT(page.indexOf(QStringLiteral("DMX universe one")), page.lastIndexOf(cell)) << "page " << i + 1;
        all += page;
    }
    EXPECT_EQ(CellTexts(all), Expected(0, 1000, {{0, 11}}));
}

TEST_F(GridPrint, HtmlTitleTakesItsHeightOnPaperOnEveryPage)
{
    SKIP_WITHOUT_POPPLER();
    TPrintSettings& ps = grid->PrintSettings();
    ps.SetTitle(ppTopCenter);
    ps.TitleLines().Add(QStringLiteral("<b>Gateway</b> mapping"));
    ps.TitleLines().Add(QStringLiteral("second <i>line</i><br>third line"));
    // Every page gives the title its room; the pages counted are the pages printed.
    grid->Print();
    const QStringList pages = Pages();
    ASSERT_GT(pages.size(), 10);
    EXPECT_EQ(grid->PrintPageCount(), pages.size());
    QString all;
    for (int i = 0; i < pages.size(); ++i) {
        // The title is laid out with the screen's glyph widths and scaled to
        // paper, so a reader may see a gap inside a word: blanks do not count.
        QString compact = pages[i];
        compact.remove(QRegularExpression(QStringLiteral("[ \\t]")));
        for (const char* line : {"Gatewaymapping", "secondline", "thirdline"})
            EXPECT_EQ(compact.count(QString::fromLatin1(line)), 1) << line << " on page " << i + 1;
        EXPECT_FALSE(pages[i].contains(QLatin1Char('<'))) << "page " << i + 1;
        all += pages[i];
    }
    EXPECT_EQ(CellTexts(all), Expected(0, 1000, {{0, 11}}));

    // The room it takes: the y the loop reaches after three rows, against a
    // one-line plain title.
    grid->SetRowCount(3);
    int lastY = 0;
    grid->Events().OnPrintPageDone = [&](QObject*, fw::TCanvas&, int, int y, int, int, int) { lastY = y; };
    QImage image(2000, 2800, QImage::Format_RGB32);
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    fw::TCanvas canvas(&image);
    grid->PrintDraw(canvas, fw::TRect(0, 0, 2000, 2800));
    const int htmlY = lastY;
    ps.TitleLines().Clear();
    ps.TitleLines().Add(QStringLiteral("plain title"));
    grid->PrintDraw(canvas, fw::TRect(0, 0, 2000, 2800));
    canvas.Release();
    // Three lines of an 8 point font on paper: about 3 x 3.4 mm, not three
    // screen lines taken as tenths of a millimetre.
    const int titleHeight = lastY - htmlY;
    EXPECT_GT(titleHeight, 80);
    EXPECT_LT(titleHeight, 160);
}

TEST_F(GridPrint, SelectionPrintsOnlyItsCells)
{
    SKIP_WITHOUT_POPPLER();
    grid->PrintSettings().SetPageNr(ppBottomRight);
    grid->SetSelection(fw::TGridRect{2, 100, 5, 299});
    grid->PrintSelection();
    const QStringList pages = Pages();
    ASSERT_GT(pages.size(), 1);
    ExpectPageNumbers(pages);
    EXPECT_EQ(CellTexts(pages.join(QString())), Expected(100, 299, {{2, 5}}));
}

TEST_F(GridPrint, DisjunctSelectedRowsPrintAlone)
{
    SKIP_WITHOUT_POPPLER();
    grid->MouseActions().SetDisjunctRowSelect(true);
    const std::vector<int> rows{3, 250, 251, 999, 1000};
    for (int r : rows)
        grid->SetRowSelect(r, true);
    grid->PrintSelectedRows();
    QStringList expected;
    for (int r : rows)
        expected << Expected(r, r, {{0, 11}});
    EXPECT_EQ(CellTexts(Pages().join(QString())), expected);
}

TEST_F(GridPrint, SelectedRowsKeepTheFixedRowWhenAsked)
{
    SKIP_WITHOUT_POPPLER();
    grid->PrintSettings().SetFixedCellsAlways(true);
    grid->SetSelection(fw::TGridRect{0, 500, 11, 509});
    grid->PrintSelectedRows();
    QStringList expected = Expected(0, 0, {{0, 11}});
    expected << Expected(500, 509, {{0, 11}});
    EXPECT_EQ(CellTexts(Pages().join(QString())), expected);
}

TEST_F(GridPrint, FitToPageFillsThePageWidth)
{
    SKIP_WITHOUT_POPPLER();
    TPrintSettings& ps = grid->PrintSettings();
    ps.SetFitToPage(fpAlways);
    ps.SetPageNr(ppTopRight);
    grid->Print();
    const int pageWidth = grid->PrintPageRect().Right;
    ASSERT_GT(pageWidth, 1500);
    int used = 0;
    for (int c = 0; c < 12; ++c)
        used += grid->PrintColWidth(c) + 20;
    // Every width is truncated after scaling: at most a unit lost per column.
    EXPECT_LE(used, pageWidth);
    EXPECT_GE(used, pageWidth - 12);
    EXPECT_EQ(grid->PrintColOffset(0), (pageWidth - used) / 2);
    const QStringList pages = Pages();
    ExpectPageNumbers(pages);
    EXPECT_EQ(CellTexts(pages.join(QString())), Expected(0, 1000, {{0, 11}}));
}

TEST_F(GridPrint, BandsOfColumnsAreNumberedWithinTheirBand)
{
    SKIP_WITHOUT_POPPLER();
    TPrintSettings& ps = grid->PrintSettings();
    ps.SetUseFixedWidth(true);
    ps.SetFixedWidth(450);   // 45 mm: four columns a band on A4
    ps.SetPageNr(ppBottomCenter);
    grid->Print();
    const int perBand = grid->PrintPageRect().Right / 450;
    ASSERT_GE(perBand, 3);
    std::vector<std::pair<int, int>> bands;
    for (int c = 0; c < 12; c += perBand)
        bands.emplace_back(c, std::min(c + perBand - 1, 11));
    const QStringList pages = Pages();
    ASSERT_EQ(pages.size() % int(bands.size()), 0);
    const int pagesPerBand = pages.size() / int(bands.size());
    for (int i = 0; i < pages.size(); ++i) {
        const QString number = QStringLiteral("%1-%2").arg(i % pagesPerBand + 1).arg(i / pagesPerBand + 1);
        EXPECT_TRUE(pages[i].contains(number)) << number.toStdString();
    }
    EXPECT_EQ(CellTexts(pages.join(QString())), Expected(0, 1000, bands));
}

TEST_F(GridPrint, FixedRowAndColumnRepeatOnEveryPageAndBand)
{
    SKIP_WITHOUT_POPPLER();
    grid->SetFixedCols(1);
    TPrintSettings& ps = grid->PrintSettings();
    ps.SetRepeatFixedRows(true);
    ps.SetRepeatFixedCols(true);
    ps.SetUseFixedWidth(true);
    ps.SetFixedWidth(450);
    grid->Print();
    // The first band holds the fixed column itself; later bands repeat it
    // left of their own columns.
    const int perBand = grid->PrintPageRect().Right / 450;
    ASSERT_GE(perBand, 3);
    std::vector<std::vector<int>> bands{{}};
    for (int c = 0; c < perBand; ++c)
        bands[0].push_back(c);
    for (int c = perBand; c < 12;) {
        std::vector<int> band{0};
        for (int i = 1; i < perBand && c < 12; ++i)
            band.push_back(c++);
        bands.push_back(band);
    }
    const QStringList pages = Pages();
    ASSERT_EQ(pages.size() % int(bands.size()), 0);
    const int pagesPerBand = pages.size() / int(bands.size());
    ASSERT_GT(pagesPerBand, 10);
    QStringList expected, printed;
    for (std::size_t b = 0; b < bands.size(); ++b)
        for (int r = 1; r <= 1000; ++r)
            for (int c : bands[b])
                expected << CellText(c, r);
    for (int i = 0; i < pages.size(); ++i) {
        // Every page starts with the band's header row, once.
        const std::vector<int>& band = bands[std::size_t(i / pagesPerBand)];
        QStringList texts = CellTexts(pages[i]);
        QStringList header;
        for (int c : band)
            header << CellText(c, 0);
        ASSERT_GE(texts.size(), int(band.size())) << "page " << i + 1;
        EXPECT_EQ(texts.mid(0, int(band.size())), header) << "page " << i + 1;
        EXPECT_EQ(texts.count(header.last()), 1) << "page " << i + 1;
        printed << texts.mid(int(band.size()));
    }
    EXPECT_EQ(printed, expected);
}

TEST_F(GridPrint, RepeatedFixedColumnJoinsTheBandsColumns)
{
    // Twelve columns of 45 mm on a 200 mm page: bands 0-3, 0 4-6, 0 7-9,
    // 0 10-11, one page each; the second drawn at 254 dpi.
    grid->SetRowCount(3);
    grid->SetFixedCols(1);
    TPrintSettings& ps = grid->PrintSettings();
    ps.SetRepeatFixedCols(true);
    ps.SetUseFixedWidth(true);
    ps.SetFixedWidth(450);
    ps.SetCentered(false);
    QImage image(2000, 600, QImage::Format_RGB32);
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    image.fill(Qt::white);
    fw::TCanvas canvas(&image);
    grid->SetPreviewPage(2);
    grid->PrintPreview(canvas, fw::TRect(0, 0, 2000, 600));
    canvas.Release();
    EXPECT_EQ(grid->PrintPageCount(), 4);
    // The run leaves the last band's offsets.
    EXPECT_EQ(grid->PrintColOffset(0), 0);
    EXPECT_EQ(grid->PrintColOffset(10), 450);
    EXPECT_EQ(grid->PrintColOffset(12), 1350);
    // A row's lines run unbroken from the fixed column across the band.
    const auto dark = [](QRgb p) { return qGray(p) < 100; };
    int longest = 0;
    for (int y = 0; y < 600; ++y) {
        int run = 0;
        for (int x = 0; x < 2000; ++x) {
            run = dark(image.pixel(x, y)) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    EXPECT_GE(longest, 1800 - 4);
}

TEST_F(GridPrint, MoreColumnsThanAPageHoldsComeOutInBands)
{
    SKIP_WITHOUT_POPPLER();
    // 600 columns, more than a fixed table of column widths would hold.
    grid->SetColCount(600);
    grid->SetRowCount(3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 600; ++c)
            grid->SetCells(c, r, CellText(c, r));
    TPrintSettings& ps = grid->PrintSettings();
    ps.SetUseFixedWidth(true);
    ps.SetFixedWidth(200);
    ps.SetPageNr(ppBottomCenter);
    grid->Print();
    const int perBand = grid->PrintPageRect().Right / 200;
    std::vector<std::pair<int, int>> bands;
    for (int c = 0; c < 600; c += perBand)
        bands.emplace_back(c, std::min(c + perBand - 1, 599));
    const QStringList pages = Pages();
    ASSERT_EQ(pages.size(), int(bands.size()));
    for (int i = 0; i < pages.size(); ++i)
        EXPECT_TRUE(pages[i].contains(QStringLiteral("1-%1").arg(i + 1))) << "page " << i + 1;
    EXPECT_EQ(CellTexts(pages.join(QString())), Expected(0, 2, bands));
    EXPECT_EQ(grid->PrintColWidth(599), 200);
}

TEST_F(GridPrint, PrintStartLimitsThePagesOrPrintsNothing)
{
    SKIP_WITHOUT_POPPLER();
    int offered = 0;
    grid->Events().OnPrintStart = [&](QObject*, int pages, int& from, int& to) {
        offered = pages;
        from = 2;
        to = pages + 5;   // more than there are: the document's pages
    };
    grid->Print();
    const QStringList pages = Pages();
    ASSERT_EQ(pages.size(), offered - 1);
    const QStringList texts = CellTexts(pages.join(QString()));
    ASSERT_FALSE(texts.isEmpty());
    const int firstRow = texts.first().mid(1, texts.first().indexOf(QLatin1Char('c')) - 1).toInt();
    EXPECT_GT(firstRow, 20);
    EXPECT_EQ(texts, Expected(firstRow, 1000, {{0, 11}}));

    // FromPage 0: nothing is printed, and the exporters still hear the end.
    const QString none = dir.filePath(QStringLiteral("none.pdf"));
    fw::Printer().SetOutputFile(none);
    grid->states.clear();
    grid->Events().OnPrintStart = [](QObject*, int, int& from, int&) { from = 0; };
    grid->Print();
    EXPECT_EQ(grid->states, (std::vector<TGridExportState>{esExportStart, esExportDone}));
    EXPECT_FALSE(fw::Printer().Printing());
    EXPECT_FALSE(QFileInfo::exists(none));
}

TEST_F(GridPrint, PreviewWindowShowsThePagesAPrintGives)
{
    SKIP_WITHOUT_POPPLER();
    grid->PrintSettings().SetPageNr(ppBottomCenter);
    grid->Print();
    const QStringList printed = Pages();
    const QString previewPath = dir.filePath(QStringLiteral("preview.pdf"));
    const fw::PrintPreviewHandler previous =
        fw::SetPrintPreviewHandler([&](fw::TPrinter& printer, const fw::PrintPaint& paint) {
            printer.SetOutputFile(previewPath);
            paint(printer);
            return false;
        });
    EXPECT_FALSE(grid->ShowPrintPreview());
    fw::SetPrintPreviewHandler(previous);
    // The date or time is not printed here: the two documents read the same.
    EXPECT_EQ(testsupport::pdfPageTexts(previewPath, true), printed);
}

TEST_F(GridPrint, PreviewOfAPageDrawsWhatThePrintPutsOnIt)
{
    // Page 2 previewed at 254 dpi (a pixel is 0.1 mm) in the size of the
    // printed page's paper, against page 2 of the PDF rendered at 254 dpi:
    // the same pages, the same rows in the same place.
    SKIP_WITHOUT_POPPLER();
    grid->PrintSettings().SetPageNr(ppBottomCenter);
    grid->PrintSettings().SetBorders(pbAround);
    grid->Print();
    const fw::TRect paper = grid->PrintPageRect();
    const int printedPages = grid->PrintPageCount();
    const QImage printed = testsupport::pdfPageImage(path, 2, 254);
    ASSERT_FALSE(printed.isNull());
    const QRectF margins = fw::Printer().Device().pageLayout().paintRect(QPageLayout::Millimeter);
    const QPoint origin(int(std::lround(margins.left() * 10)), int(std::lround(margins.top() * 10)));

    QImage preview(paper.Right, -paper.Bottom, QImage::Format_RGB32);
    preview.setDotsPerMeterX(10000);
    preview.setDotsPerMeterY(10000);
    preview.fill(Qt::white);
    fw::TCanvas canvas(&preview);
    grid->SetPreviewPage(2);
    grid->PrintPreview(canvas, fw::TRect(0, 0, preview.width(), preview.height()));
    canvas.Release();
    EXPECT_EQ(grid->PrintPageCount(), printedPages);

    const auto dark = [](QRgb p) { return qGray(p) < 128; };
    const QRect fromPdf = testsupport::pixelBox(printed, dark).translated(-origin);
    const QRect fromPreview = testsupport::pixelBox(preview, dark);
    ASSERT_FALSE(fromPreview.isNull());
    // Text is measured in whole device pixels of each canvas's font, so a
    // column may differ by a unit between the two: twelve centred columns
    // move each edge by at most six.
    EXPECT_NEAR(fromPreview.left(), fromPdf.left(), 7);
    EXPECT_NEAR(fromPreview.right(), fromPdf.right(), 7);
    EXPECT_NEAR(fromPreview.top(), fromPdf.top(), 3);
    EXPECT_NEAR(fromPreview.bottom(), fromPdf.bottom(), 3);
    // The outline around the rows: its bottom line stands where the
    // printed page's does.
    const auto frameBottom = [&](const QImage& img, QPoint shift) {
        for (int y = img.height() - 1; y >= 0; --y)
            if (testsupport::countPixels(img, dark, QRect(0, y, img.width(), 1)) > 1000)
                return y - shift.y();
        return -1;
    };
    EXPECT_NEAR(frameBottom(preview, {}), frameBottom(printed, origin), 3);
    testsupport::keepShot(preview, "grid-print-preview-page2");
}

TEST_F(GridPrint, PreviewOnAnyScreenBreaksPagesWhereThePrintDoes)
{
    // The last row of every printed page, then the same pages previewed
    // on canvases of common screen resolutions in the paper's proportions.
    grid->PrintSettings().SetPageNr(ppBottomCenter);
    std::map<int, int> lastRow;   // page -> last row + 1
    grid->Events().OnPrintPageDone = [&](QObject*, fw::TCanvas&, int row, int, int page, int, int) {
        lastRow[page] = row;
    };
    grid->Print();
    const int printed = grid->PrintPageCount();
    ASSERT_GT(printed, 10);
    ASSERT_EQ(int(lastRow.size()), printed);
    const std::map<int, int> printedRows = lastRow;
    const fw::TRect paper = grid->PrintPageRect();
    for (int dpi : {72, 96, 120, 144}) {
        const int w = int(paper.Right * dpi / 254.0), h = int(-paper.Bottom * dpi / 254.0);
        QImage image(w, h, QImage::Format_RGB32);
        image.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
        image.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
        for (int page : {1, printed / 2, printed}) {
            lastRow.clear();
            fw::TCanvas canvas(&image);
            grid->SetPreviewPage(page);
            grid->PrintPreview(canvas, fw::TRect(0, 0, w, h));
            canvas.Release();
            EXPECT_EQ(grid->PrintPageCount(), printed) << dpi << " dpi";
            EXPECT_EQ(lastRow[page], printedRows.at(page)) << dpi << " dpi, page " << page;
        }
    }
}

TEST_F(GridPrint, PreviewAndDrawShowOnePage)
{
    std::vector<int> begun;
    grid->Events().OnPrintPage = [&](QObject*, fw::TCanvas&, int page, int, int) { begun.push_back(page); };
    QImage image(600, 850, QImage::Format_RGB32);
    image.fill(Qt::white);
    fw::TCanvas canvas(&image);
    grid->SetPreviewPage(2);
    grid->PrintPreview(canvas, fw::TRect(0, 0, 600, 850));
    EXPECT_EQ(begun, (std::vector<int>{2}));
    EXPECT_GT(grid->PrintPageCount(), 2);
    EXPECT_FALSE(grid->IsPrintPreview());
    EXPECT_EQ(canvas.MapMode(), fw::mmText);

    begun.clear();
    grid->PrintDraw(canvas, fw::TRect(0, 0, 600, 850));
    EXPECT_EQ(begun, (std::vector<int>{1}));
    canvas.Release();
    // Something was drawn in the rectangle.
    EXPECT_GT(testsupport::countPixels(image, testsupport::rgbIsNot(0xFFFFFF)), 1000);
}

TEST_F(GridPrint, BorderStylesDrawTheirLines)
{
    // Three cells wide, two high, printed at 254 dpi: a pixel is 0.1 mm.
    grid->SetColCount(3);
    grid->SetRowCount(2);
    grid->SetFixedRows(0);
    grid->PrintSettings().SetCentered(false);
    grid->PrintSettings().SetLeftSize(50);
    struct Case {
        TPrintBorders borders;
        bool vertical, horizontal, outline;
    } cases[] = {
        {pbSingle, true, true, false},
        {pbVertical, true, false, false},
        {pbHorizontal, false, true, false},
        {pbNoborder, false, false, false},
        {pbAround, false, false, true},
        {pbAroundVertical, true, false, true},
        {pbAroundHorizontal, false, true, true},
    };
    for (const Case& c : cases) {
        grid->PrintSettings().SetBorders(c.borders);
        QImage image(800, 400, QImage::Format_RGB32);
        image.setDotsPerMeterX(10000);
        image.setDotsPerMeterY(10000);
        image.fill(Qt::white);
        fw::TCanvas canvas(&image);
        grid->PrintDraw(canvas, fw::TRect(0, 0, 800, 400));
        canvas.Release();
        const int width = grid->PrintColOffset(3) - grid->PrintColOffset(0);
        ASSERT_GT(width, 100);
        // A vertical cell line: a column of dark pixels at an inner cell
        // edge; a horizontal one: a row of dark pixels across the cells
        // between the first and the last such row; the outline: dark at the
        // outer left edge and across the top and bottom.
        const auto dark = [](QRgb p) { return qGray(p) < 100; };
        const auto darkColumn = [&](int x) {
            return testsupport::countPixels(image, dark, QRect(x - 1, 0, 3, 400)) >= 40;
        };
        std::vector<int> across;
        for (int y = 0; y < 400; ++y)
            if (testsupport::countPixels(image, dark, QRect(0, y, 800, 1)) >= width - 10)
                across.push_back(y);
        const bool inner = std::any_of(across.begin(), across.end(), [&](int y) {
            return y > across.front() + 10 && y < across.back() - 10;
        });
        EXPECT_EQ(darkColumn(grid->PrintColOffset(1)), c.vertical) << "borders " << c.borders;
        EXPECT_EQ(inner, c.horizontal) << "borders " << c.borders;
        EXPECT_EQ(!across.empty(), c.horizontal || c.outline) << "borders " << c.borders;
        EXPECT_EQ(darkColumn(grid->PrintColOffset(0)), c.vertical || c.outline) << "borders " << c.borders;
    }
}

TEST_F(GridPrint, GradientCellsPrintInSixtyFourSteps)
{
    grid->SetColCount(2);
    grid->SetRowCount(1);
    grid->SetFixedRows(0);
    grid->SetCells(0, 0, QString());
    grid->SetCells(1, 0, QString());
    grid->Events().OnGetCellGradient = [](QObject*, int, int col, fw::TColor& color, fw::TColor& to, fw::TColor&,
                                          fw::TColor&, TCellGradientDirection& direction) {
        if (col == 0) {
            color = 0x000000;
            to = 0xFFFFFF;
            direction = GradientVertical;
        }
    };
    TPrintSettings& ps = grid->PrintSettings();
    ps.SetUseFixedHeight(true);
    ps.SetFixedHeight(500);
    ps.SetBorders(pbNoborder);
    ps.SetCentered(false);
    QImage image(800, 700, QImage::Format_RGB32);
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    image.fill(Qt::red);
    fw::TCanvas canvas(&image);
    grid->PrintDraw(canvas, fw::TRect(0, 0, 800, 700));
    canvas.Release();
    // Down the middle of the first cell: from the cell colour at the top to
    // the end colour at the bottom, in 64 bands.
    const int x = (grid->PrintColOffset(0) + grid->PrintColOffset(1)) / 2;
    std::vector<QRgb> bands;
    for (int y = 0; y < 700; ++y) {
        const QRgb p = image.pixel(x, y);
        if (p != qRgb(255, 0, 0) && (bands.empty() || bands.back() != p))
            bands.push_back(p);
    }
    EXPECT_EQ(bands.size(), 64u);
    EXPECT_LT(qGray(bands.front()), 10);
    EXPECT_GT(qGray(bands.back()), 245);
    EXPECT_TRUE(std::is_sorted(bands.begin(), bands.end(), [](QRgb a, QRgb b) { return qGray(a) < qGray(b); }));
}

TEST_F(GridPrint, RowTallerThanThePageStopsAboveTheFooter)
{
    // The middle row holds 300 lines: more than a page. It gets a page of
    // its own and is cut off where the footer's room begins.
    grid->SetRowCount(3);
    grid->SetMultilinecells(true);
    QStringList lines;
    for (int i = 0; i < 300; ++i)
        lines << QStringLiteral("line %1").arg(i);
    grid->SetCells(0, 1, lines.join(QStringLiteral("\r\n")));
    grid->PrintSettings().SetBorders(pbNoborder);
    int pages = 0;
    QImage image(2000, 2800, QImage::Format_RGB32);
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    for (int page : {1, 2, 3}) {
        image.fill(Qt::white);
        fw::TCanvas canvas(&image);
        grid->SetPreviewPage(page);
        grid->PrintPreview(canvas, fw::TRect(0, 0, 2000, 2800));
        canvas.Release();
        pages = grid->PrintPageCount();
        // The footer's room (a line of the footer font and a gap, over 3 mm)
        // stays empty on every page.
        EXPECT_EQ(testsupport::countPixels(image, testsupport::rgbIsNot(0xFFFFFF), QRect(0, 2770, 2000, 30)), 0)
            << "page " << page;
    }
    EXPECT_EQ(pages, 3);
}

TEST_F(GridPrint, FitToPageScalesTheCellsButNotTheHeader)
{
    // Two narrow columns grown to a 200 mm page: the cells' fonts grow about
    // tenfold; the header line keeps its reserved size and stays above them.
    grid->SetColCount(2);
    grid->SetRowCount(2);
    grid->SetFixedRows(0);
    TPrintSettings& ps = grid->PrintSettings();
    ps.SetFitToPage(fpAlways);
    ps.SetTitle(ppTopLeft);
    ps.SetTitleText(QStringLiteral("Title"));
    ps.SetBorders(pbNoborder);
    QImage image(2000, 2800, QImage::Format_RGB32);
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    image.fill(Qt::white);
    fw::TCanvas canvas(&image);
    grid->PrintDraw(canvas, fw::TRect(0, 0, 2000, 2800));
    canvas.Release();
    const auto dark = [](QRgb p) { return qGray(p) < 128; };
    // The title stands at the left margin, left of the cells.
    // The header line: "Title" at 8 points, under 4 mm high and 2 cm wide.
    const QRect title = testsupport::pixelBox(image, dark, QRect(0, 0, 2000, 36));
    ASSERT_FALSE(title.isNull());
    EXPECT_LT(title.width(), 200);
    // The cells below it, their text some ten times taller.
    const QRect cells = testsupport::pixelBox(image, dark, QRect(0, 36, 2000, 2764));
    ASSERT_FALSE(cells.isNull());
    EXPECT_GT(cells.height(), 200);
}

TEST_F(GridPrint, AnErrorWhileDrawingEndsTheDocumentAndTheRun)
{
    // An event handler fails on the second page: the error reaches the
    // caller, the printed part of the document is ended (not left open),
    // the canvas gets its mapping back and the exporters hear the end.
    SKIP_WITHOUT_POPPLER();
    grid->Events().OnPrintPage = [](QObject*, fw::TCanvas&, int page, int, int) {
        if (page == 2)
            throw std::runtime_error("page handler failed");
    };
    EXPECT_THROW(grid->Print(), std::runtime_error);
    EXPECT_FALSE(fw::Printer().Printing());
    EXPECT_EQ(grid->states, (std::vector<TGridExportState>{esExportStart, esExportDone}));
    const QStringList pages = Pages();
    ASSERT_FALSE(pages.isEmpty());
    EXPECT_TRUE(pages[0].contains(QStringLiteral("r1c0")));

    // A preview: the flag drops and the canvas is mapped as before.
    grid->states.clear();
    QImage image(600, 850, QImage::Format_RGB32);
    fw::TCanvas canvas(&image);
    grid->SetPreviewPage(2);
    EXPECT_THROW(grid->PrintPreview(canvas, fw::TRect(0, 0, 600, 850)), std::runtime_error);
    EXPECT_FALSE(grid->IsPrintPreview());
    EXPECT_EQ(canvas.MapMode(), fw::mmText);
    EXPECT_EQ(grid->states, (std::vector<TGridExportState>{esExportStart, esExportDone}));
    canvas.Release();
}

TEST_F(GridPrint, SizeEventsAndTheCustomFitShapeTheLayout)
{
    // Three columns drawn at 254 dpi on a 2000 x 2800 page (0.1 mm a pixel).
    grid->SetColCount(3);
    grid->SetRowCount(3);
    grid->SetMultilinecells(true);
    grid->SetCells(0, 1, QStringLiteral("one\r\ntwo\r\nthree"));
    QImage image(2000, 2800, QImage::Format_RGB32);
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    fw::TCanvas canvas(&image);
    const auto draw = [&] { grid->PrintDraw(canvas, fw::TRect(0, 0, 2000, 2800)); };

    // A row is as high as its tallest cell plus an eighth of it, measured
    // while the page is laid out.
    int tallest = 0, row1 = 0, line = 0;
    grid->Events().OnPrintPage = [&](QObject*, fw::TCanvas&, int, int, int) {
        line = grid->MeasurePrintCell(1, 1).cy;
        tallest = grid->MeasurePrintCell(0, 1).cy;
        row1 = grid->PrintRowHeight(1);
    };
    draw();
    ASSERT_GT(line, 20);
    EXPECT_EQ(tallest, 3 * line);
    EXPECT_EQ(row1, tallest + tallest / 8);
    const int natural[3] = {grid->PrintColWidth(0), grid->PrintColWidth(1), grid->PrintColWidth(2)};

    // The size events have the last word on a width and a row height.
    grid->Events().OnPrintSetColumnWidth = [](QObject*, int col, int& width) {
        if (col == 2)
            width = 777;
    };
    grid->Events().OnPrintSetRowHeight = [](QObject*, int row, int& height) {
        if (row == 2)
            height = 345;
    };
    int row2 = 0;
    grid->Events().OnPrintPage = [&](QObject*, fw::TCanvas&, int, int, int) { row2 = grid->PrintRowHeight(2); };
    draw();
    EXPECT_EQ(grid->PrintColWidth(2), 777);
    EXPECT_EQ(row2, 345);
    grid->Events().OnPrintSetColumnWidth = nullptr;
    grid->Events().OnPrintSetRowHeight = nullptr;
    grid->Events().OnPrintPage = nullptr;

    // A custom fit asks the handler, which may change the factor or refuse it.
    struct Case {
        const char* what;
        double answer;   // 0: keep the offered factor
        bool allow;
        double expected;   // of the natural widths; 0: the offered factor
    } cases[] = {
        {"offered factor", 0, true, 0},
        {"handler's factor", 0.5, true, 0.5},
        {"refused", 3.0, false, 1.0},
    };
    grid->PrintSettings().SetFitToPage(fpCustom);
    for (const Case& c : cases) {
        double offered = 0;
        grid->Events().OnFitToPage = [&](QObject*, double& factor, bool& allow) {
            offered = factor;
            if (c.answer != 0)
                factor = c.answer;
            allow = c.allow;
        };
        draw();
        // (page width - gaps) / widths: the columns grow to the page.
        const int content = natural[0] + natural[1] + natural[2];
        EXPECT_NEAR(offered, double(2000 - 3 * 20) / content, 1e-9) << c.what;
        const double f = c.expected == 0 ? offered : c.expected;
        for (int col = 0; col < 3; ++col)
            EXPECT_EQ(grid->PrintColWidth(col), int(std::trunc(natural[col] * f))) << c.what << " column " << col;
    }
    canvas.Release();
}

TEST_F(GridPrint, PageNumberEventNamesThePages)
{
    SKIP_WITHOUT_POPPLER();
    grid->SetRowCount(201);
    grid->PrintSettings().SetPageNr(ppBottomLeft);
    std::vector<std::pair<int, int>> asked;
    grid->Events().OnPrintGetPageNum = [&](QObject*, int page, int band, QString& text) {
        asked.emplace_back(page, band);
        text = QStringLiteral("Sheet %1 (was %2)").arg(page).arg(text);
    };
    grid->Print();
    const QStringList pages = Pages();
    ASSERT_GT(pages.size(), 2);
    ASSERT_EQ(int(asked.size()), pages.size());   // asked on drawn pages only
    for (int i = 0; i < pages.size(); ++i) {
        EXPECT_EQ(asked[std::size_t(i)], std::make_pair(i + 1, 1));
        const QString text = QStringLiteral("Sheet %1 (was %1/%2)").arg(i + 1).arg(pages.size());
        EXPECT_EQ(pages[i].count(text), 1) << text.toStdString();
    }
}

TEST_F(GridPrint, CustomDrawAndPrintBordersSeeThePrintedCell)
{
    // Drawn at 254 dpi: a device pixel is 0.1 mm, so the device rectangle
    // the handler gets is the cell's place on paper.
    grid->SetColCount(3);
    grid->SetRowCount(2);
    grid->SetFixedRows(0);
    TPrintSettings& ps = grid->PrintSettings();
    ps.SetCentered(false);
    ps.SetLeftSize(100);
    ps.SetBorders(pbNoborder);
    struct Seen {
        int col, row;
        fw::TRect rect;
        bool printing;
        fw::TMapMode mode;
    };
    std::vector<Seen> seen;
    grid->Events().OnCustomCellDraw = [&](QObject*, fw::TCanvas& canvas, int col, int row, fw::TGridDrawState,
                                          fw::TRect r, bool printing) {
        seen.push_back({col, row, r, printing, canvas.MapMode()});
        canvas.Brush().Style = fw::bsSolid;
        canvas.Brush().Color = fw::clRed;
        canvas.FillRect(fw::TRect(r.Left + 5, r.Top + 5, r.Left + 15, r.Top + 15));
    };
    // The hook draws the left and right lines of column 1 only.
    grid->Events().OnGetCellPrintBorder = [](QObject*, int, int col, fw::TPen& pen, TCellBorders& borders) {
        if (col == 1) {
            borders = TCellBorders{cbLeft, cbRight};
            pen.Color = fw::clBlue;
        }
    };
    QImage image(1200, 400, QImage::Format_RGB32);
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    image.fill(Qt::white);
    fw::TCanvas canvas(&image);
    grid->PrintDraw(canvas, fw::TRect(0, 0, 1200, 400));
    canvas.Release();

    ASSERT_EQ(seen.size(), 6u);
    for (const Seen& s : seen) {
        EXPECT_TRUE(s.printing);
        EXPECT_EQ(s.mode, fw::mmText);
        EXPECT_EQ(s.rect.Left, grid->PrintColOffset(s.col)) << s.col;
        EXPECT_EQ(s.rect.Right, grid->PrintColOffset(s.col + 1)) << s.col;
        EXPECT_GT(s.rect.Bottom - s.rect.Top, 20);
        EXPECT_EQ(image.pixel(s.rect.Left + 10, s.rect.Top + 10), qRgb(255, 0, 0)) << s.col << "," << s.row;
    }
    EXPECT_EQ(seen[3].rect.Top, seen[0].rect.Bottom);   // the second row starts where the first ends
    const auto blue = [](QRgb p) { return qBlue(p) > 150 && qRed(p) < 100; };
    const int top = seen[0].rect.Top, height = seen[3].rect.Bottom - top;
    for (int col = 0; col <= 3; ++col) {
        const int x = grid->PrintColOffset(col);
        const int found = testsupport::countPixels(image, blue, QRect(x - 1, top, 3, height));
        EXPECT_EQ(found >= height - 4, col == 1 || col == 2) << "edge " << col;
    }
    // No horizontal lines at all.
    EXPECT_EQ(testsupport::countPixels(image, blue, QRect(0, top + height / 2 - 2, 1200, 4)), 2 * 4);
}

TEST_F(GridPrint, LongTextsWrapOrEndInAnEllipsisInTheirScreenWidth)
{
    SKIP_WITHOUT_POPPLER();
    const QString text = QStringLiteral("Lighting bus gateway mapping table entry");
    grid->SetColCount(2);
    grid->SetRowCount(1);
    grid->SetFixedRows(0);
    grid->SetColWidths(0, 80);
    grid->SetColWidths(1, 80);
    grid->SetRowHeights(0, 100);
    grid->SetCells(0, 0, text);
    grid->SetCells(1, 0, QStringLiteral("end"));
    TPrintSettings& ps = grid->PrintSettings();
    ps.SetNoAutoSize(true);
    ps.SetNoAutoSizeRow(true);

    // Word wrap: every word once, in reading order, over several lines of
    // the column (the first cell's text lies left of the second's).
    grid->SetWordWrap(true);
    grid->Print();
    const QStringList lines = testsupport::pdfPageTexts(path, true).value(0).split(QLatin1Char('\n'));
    QStringList wrapped;
    for (const QString& l : lines) {
        const QString first = l.simplified().remove(QRegularExpression(QStringLiteral("\\bend$"))).trimmed();
        if (!first.isEmpty())
            wrapped << first;
    }
    EXPECT_GE(wrapped.size(), 2) << lines.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(wrapped.join(QLatin1Char(' ')), text) << lines.join(QLatin1Char('|')).toStdString();

    // Screen sizes with EnhTextSize: one line, cut with an ellipsis.
    grid->SetWordWrap(false);
    grid->SetEnhTextSize(true);
    grid->Print();
    const QString page = testsupport::pdfPageTexts(path).value(0).simplified();
    EXPECT_TRUE(page.contains(QChar(0x2026)) || page.contains(QStringLiteral("..."))) << page.toStdString();
    EXPECT_TRUE(page.startsWith(QStringLiteral("Lighting"))) << page.toStdString();
    EXPECT_FALSE(page.contains(QStringLiteral("entry"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("end")));
}

TEST_F(GridPrint, OrientationAndJobNameGoToThePrinter)
{
    SKIP_WITHOUT_POPPLER();
    grid->SetRowCount(5);
    TPrintSettings& ps = grid->PrintSettings();
    ps.SetOrientation(poLandscape);
    ps.SetJobName(QStringLiteral("Gateway print"));
    fw::Printer().SetOrientation(QPageLayout::Portrait);
    grid->Print();
    EXPECT_EQ(fw::Printer().Title(), QStringLiteral("Gateway print"));
    EXPECT_EQ(fw::Printer().Orientation(), QPageLayout::Landscape);
    QImage page = testsupport::pdfPageImage(path, 1, 20);
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(page.width(), page.height());
    EXPECT_GT(grid->PrintPageRect().Right, 2800);   // 297 mm less the margins

    // The printer's own orientation stays when asked.
    ps.SetOrientation(poPortrait);
    ps.SetUseDefaultOrientation(true);
    grid->Print();
    EXPECT_EQ(fw::Printer().Orientation(), QPageLayout::Landscape);
    fw::Printer().SetOrientation(QPageLayout::Portrait);
}

TEST_F(GridPrint, SelectedColumnsPrintAloneWithTheirRows)
{
    SKIP_WITHOUT_POPPLER();
    grid->MouseActions().SetDisjunctColSelect(true);
    grid->SetColSelect(2, true);
    grid->SetColSelect(7, true);
    grid->SetColSelect(11, true);
    grid->SetSelection(fw::TGridRect{0, 40, 11, 44});
    grid->PrintSelectedCols();
    QStringList expected;
    for (int r = 40; r <= 44; ++r)
        for (int c : {2, 7, 11})
            expected << CellText(c, r);
    EXPECT_EQ(CellTexts(Pages().join(QString())), expected);
}

TEST_F(GridPrint, PrinterThatCannotStartReportsTheFailure)
{
    fw::Printer().SetOutputFile(QStringLiteral("/nonexistent-folder/grid.pdf"));
    EXPECT_THROW(grid->Print(), EFxGridError);
    EXPECT_EQ(grid->states, (std::vector<TGridExportState>{esExportStart, esExportFail}));
    EXPECT_FALSE(fw::Printer().Printing());
}

// A small grid of the cell kinds the print treats apart.
void FillKinds(TFxStringGrid& g)
{
    g.SetColCount(5);
    g.SetRowCount(3);
    g.SetFixedRows(0);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 5; ++c)
            g.SetCells(c, r, QString());
    g.AddCheckBox(0, 0, true, true);    // data check boxes: their text is their state
    g.AddCheckBox(0, 1, false, true);
    g.SetCells(1, 0, QStringLiteral("<b>Bold</b> part"));
    g.AddRotated(2, 1, 90, QStringLiteral("Upward"));
    g.SetCells(3, 2, QStringLiteral("merged block"));
    g.MergeCells(3, 2, 2, 1);
    g.SetCells(4, 0, QStringLiteral("{\\rtf1 rich \\b bold\\b0  words}"));
}

TEST_F(GridPrint, CellKindsPrintTheirTextOnce)
{
    SKIP_WITHOUT_POPPLER();
    FillKinds(*grid);
    grid->Print();
    const QStringList pages = Pages();
    ASSERT_EQ(pages.size(), 1);
    const QString& page = pages[0];
    // The data check boxes print their box (with PrintGraphics), never the
    // text that holds their state.
    EXPECT_FALSE(page.contains(QRegularExpression(QStringLiteral("\\b[YN]\\b")))) << page.toStdString();
    EXPECT_EQ(page.count(QStringLiteral("Bold part")), 1) << page.toStdString();
    EXPECT_FALSE(page.contains(QLatin1Char('<')));
    EXPECT_EQ(page.count(QStringLiteral("merged block")), 1);
    // Rich text prints its words, not its markup.
    EXPECT_EQ(page.simplified().count(QStringLiteral("rich bold words")), 1) << page.toStdString();
    EXPECT_FALSE(page.contains(QStringLiteral("rtf1")));
    // The turned text is there, once.
    EXPECT_EQ(testsupport::pdfPageTexts(path, false).join(QString()).count(QStringLiteral("Upward")), 1);
}

TEST_F(GridPrint, CheckBoxesPrintWithGraphicsOnly)
{
    FillKinds(*grid);
    grid->PrintSettings().SetCentered(false);
    grid->PrintSettings().SetBorders(pbNoborder);
    // Each row drawn alone at 254 dpi (a pixel is 0.1 mm); the pixels drawn
    // inside the first column.
    const auto darkInBox = [&](int row) {
        QImage image(1200, 300, QImage::Format_RGB32);
        image.setDotsPerMeterX(10000);
        image.setDotsPerMeterY(10000);
        image.fill(Qt::white);
        fw::TCanvas canvas(&image);
        grid->PrintDrawRect(canvas, fw::TRect(0, 0, 1200, 300), fw::TGridRect{0, row, 4, row});
        canvas.Release();
        const int left = grid->PrintColOffset(0), right = grid->PrintColOffset(1);
        return testsupport::countPixels(image, [](QRgb p) { return qGray(p) < 200; },
                                        QRect(left, 0, right - left, 300));
    };
    EXPECT_EQ(darkInBox(0), 0);
    EXPECT_EQ(darkInBox(1), 0);
    grid->PrintSettings().SetPrintGraphics(true);
    const int checked = darkInBox(0), unchecked = darkInBox(1);
    EXPECT_GT(unchecked, 60);              // the box's frame
    EXPECT_GT(checked, unchecked + 40);    // and its tick
}

TEST_F(GridPrint, MergedBlockHoldsItsTextAcrossItsColumns)
{
    FillKinds(*grid);
    grid->PrintSettings().SetBorders(pbNoborder);
    QImage image(1500, 300, QImage::Format_RGB32);
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    image.fill(Qt::white);
    fw::TCanvas canvas(&image);
    grid->PrintDrawRect(canvas, fw::TRect(0, 0, 1500, 300), fw::TGridRect{0, 2, 4, 2});
    canvas.Release();
    // The text starts in the block's first column and ends inside its last,
    // which grew for it; nothing is drawn beyond.
    const QRect text = testsupport::pixelBox(image, [](QRgb p) { return qGray(p) < 128; });
    ASSERT_FALSE(text.isNull());
    EXPECT_GE(text.left(), grid->PrintColOffset(3));
    EXPECT_LT(text.left(), grid->PrintColOffset(4));
    EXPECT_LT(text.right(), grid->PrintColOffset(5) - 10);
    EXPECT_GT(text.width(), 120);   // "merged block" at 8 points is about 2 cm
}

TEST_F(GridPrint, TurnedTextMeasuresItsTurnedBox)
{
    grid->SetColCount(2);
    grid->SetRowCount(1);
    grid->SetFixedRows(0);
    grid->SetCells(0, 0, QStringLiteral("a turned heading"));
    const fw::TSize upright = grid->MeasurePrintCell(0, 0);
    ASSERT_GT(upright.cx, 2 * upright.cy);
    struct Case {
        int angle;
        bool swapped;
    } cases[] = {{90, true}, {270, true}, {180, false}};
    for (const Case& c : cases) {
        grid->AddRotated(0, 0, c.angle, QStringLiteral("a turned heading"));
        const fw::TSize turned = grid->MeasurePrintCell(0, 0);
        EXPECT_EQ(turned.cx, c.swapped ? upright.cy : upright.cx) << c.angle;
        EXPECT_EQ(turned.cy, c.swapped ? upright.cx : upright.cy) << c.angle;
    }
    grid->AddRotated(0, 0, 45, QStringLiteral("a turned heading"));
    const fw::TSize slanted = grid->MeasurePrintCell(0, 0);
    EXPECT_NEAR(slanted.cx, (upright.cx + upright.cy) * 0.7071, 2);
    EXPECT_NEAR(slanted.cy, (upright.cx + upright.cy) * 0.7071, 2);

    // The size event has the last word, on paper too.
    bool printing = false;
    grid->Events().OnCustomCellSize = [&](QObject*, fw::TCanvas&, int col, int, fw::TPoint& size, bool p) {
        printing = p;
        if (col == 1)
            size.X = 1234;
    };
    QImage image(2000, 400, QImage::Format_RGB32);
    fw::TCanvas canvas(&image);
    grid->PrintDraw(canvas, fw::TRect(0, 0, 2000, 400));
    EXPECT_TRUE(printing);
    EXPECT_EQ(grid->PrintColWidth(1), 1234);
}

TEST_F(GridPrint, FontHeightsAndScreenSizesMapToTenthsOfAMillimetre)
{
    // -trunc(points * 254 / 72): the fraction is dropped toward zero.
    // Back to points: trunc(height * 72 / 254), without the scale.
    struct Case {
        int points, height, back;
    } fonts[] = {{8, -28, 7}, {9, -31, 8}, {10, -35, 9}, {12, -42, 11}, {72, -254, 72}};
    for (const Case& c : fonts) {
        EXPECT_EQ(grid->MapFontHeight(c.points), c.height) << c.points;
        EXPECT_EQ(grid->MapFontSize(-c.height), c.back) << c.points;
    }

    // Screen widths and heights at 96 pixels an inch: k = 254 / 96.
    grid->SetColCount(3);
    grid->SetRowCount(3);
    grid->SetFixedRows(0);
    grid->SetColWidths(0, 64);
    grid->SetColWidths(1, 100);
    grid->SetColWidths(2, 7);
    grid->SetRowHeights(1, 30);
    TPrintSettings& ps = grid->PrintSettings();
    ps.SetNoAutoSize(true);
    ps.SetNoAutoSizeRow(true);
    QImage image(800, 800, QImage::Format_RGB32);
    fw::TCanvas canvas(&image);
    grid->PrintDraw(canvas, fw::TRect(0, 0, 800, 800));
    EXPECT_EQ(grid->PrintColWidth(0), 169);   // 64 x 2.6458 = 169.3
    EXPECT_EQ(grid->PrintColWidth(1), 265);   // 264.6
    EXPECT_EQ(grid->PrintColWidth(2), 19);    // 18.5
    EXPECT_EQ(grid->PrintRowHeight(1), 75);   // round(30 x 2.6458) - 4

    ps.SetNoAutoSizeRow(false);
    ps.SetUseFixedHeight(true);
    ps.SetFixedHeight(123);
    EXPECT_EQ(grid->PrintRowHeight(2), 123);
    ps.SetNoAutoSize(false);
    ps.SetUseFixedWidth(true);
    ps.SetFixedWidth(222);
    grid->PrintDraw(canvas, fw::TRect(0, 0, 800, 800));
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(grid->PrintColWidth(c), 222);
    // No column gap with fixed widths.
    EXPECT_EQ(grid->PrintColOffset(1) - grid->PrintColOffset(0), 222);
}

TEST_F(GridPrint, FastPrintNumbersPagesWithoutACount)
{
    SKIP_WITHOUT_POPPLER();
    grid->SetRowCount(201);
    grid->SetFastPrint(true);
    grid->PrintSettings().SetPageNr(ppBottomRight);
    grid->Print();
    const QStringList pages = Pages();
    ASSERT_GT(pages.size(), 2);
    for (int i = 0; i < pages.size(); ++i) {
        EXPECT_FALSE(pages[i].contains(QLatin1Char('/'))) << "page " << i + 1;
        EXPECT_TRUE(pages[i].contains(QRegularExpression(QStringLiteral("\\b%1\\s*$").arg(i + 1))))
            << "page " << i + 1;
    }
    // Every page came out, not only the first ones.
    EXPECT_EQ(CellTexts(pages.join(QString())), Expected(0, 200, {{0, 11}}));
}

TEST_F(GridPrint, CancelEndsThePrintAfterThePage)
{
    SKIP_WITHOUT_POPPLER();
    grid->Events().OnPrintCancel = [](QObject*, int page, bool& cancel) { cancel = page == 2; };
    grid->Print();
    const QStringList pages = Pages();
    ASSERT_EQ(pages.size(), 2);
    const QStringList texts = CellTexts(pages.join(QString()));
    ASSERT_FALSE(texts.isEmpty());
    const int lastRow = texts.last().mid(1, texts.last().indexOf(QLatin1Char('c')) - 1).toInt();
    EXPECT_EQ(texts, Expected(0, lastRow, {{0, 11}}));
}

TEST_F(GridPrint, PreviewWindowHoldsThePagesOfThePrint)
{
    grid->SetRowCount(301);
    grid->PrintSettings().SetPageNr(ppBottomCenter);
    grid->Print();
    const int printedPages = grid->PrintPageCount();
    ASSERT_GT(printedPages, 3);
    int previewPages = -1;
    bool closed = false;
    // The preview window is modal: look at it from inside its loop, then close it.
    QTimer::singleShot(300, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (auto* view = dialog->findChild<QPrintPreviewWidget*>())
            previewPages = view->pageCount();
        if (!testsupport::shotFolder().isEmpty()) {
            // Large enough to read the page, on the second page.
            dialog->resize(900, 1200);
            if (auto* view = dialog->findChild<QPrintPreviewWidget*>())
                view->fitInView();
            QApplication::processEvents();
            for (QAction* action : dialog->findChildren<QAction*>())
                if (action->text() == QStringLiteral("Next page"))
                    action->trigger();
            QApplication::processEvents();
            testsupport::keepShot(dialog, "grid-print-preview");
        }
        dialog->reject();
        closed = true;
    });
    QTimer::singleShot(8000, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    EXPECT_FALSE(grid->ShowPrintPreview());
    EXPECT_TRUE(closed);
    EXPECT_EQ(previewPages, printedPages);
}

} // namespace
