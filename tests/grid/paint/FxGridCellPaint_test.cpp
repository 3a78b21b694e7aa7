// The cell paint pipeline on an offscreen grid: the order of its steps and
// what each of them puts where (pixels of the viewport).
#include "grid/model/FxGrid.h"

#include "framework/Canvas.h"
#include "framework/SysColors.h"
#include "grid/foundation/FxOptions.h"
#include "grid/paint/FxControlLook.h"
#include "grid/paint/FxGridAppearance.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>

#include <algorithm>
#include <memory>

using fw::TColor;
using fw::TRect;
using testsupport::colorIs;
using testsupport::countPixels;
using testsupport::pixelBox;
using testsupport::toQRect;

namespace {

constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kFixed = 0xC0C0C0;

class CellPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = std::make_unique<TFxStringGrid>();
        grid->SetColCount(5);
        grid->SetRowCount(6);
        grid->SetFixedCols(1);
        grid->SetFixedRows(1);
        grid->SetDefaultColWidth(60);
        grid->SetDefaultRowHeight(22);
        grid->SetLook(glStandard);
        grid->SetColor(kWhite);
        grid->SetFixedColor(kFixed);
        grid->SetScrollBars(fw::ssNone);
        grid->SetSelectionColor(0xEACAB6);
        grid->SetSelection({4, 5, 4, 5});
        grid->resize(5 * 61 + 10, 6 * 23 + 10);
    }

    QImage Shot() { return grid->viewport()->grab().toImage(); }
    QRect Cell(int c, int r) { return toQRect(grid->CellRect(c, r)); }

    std::unique_ptr<TFxStringGrid> grid;
};

TColor Px(const QImage& img, int x, int y) { return fw::FromQColor(img.pixelColor(x, y)); }

TEST_F(CellPaint, ModifiedRowGetsAStripAtTheRightOfColumnZero)
{
    grid->ShowModified().SetEnabled(true);
    grid->ShowModified().SetColor(0x00FFFF);
    grid->SetRowModified(3, true);
    const QImage img = Shot();
    const QRect cell = Cell(0, 3);
    const QRect strip = pixelBox(img, colorIs(0x00FFFF), cell);
    ASSERT_FALSE(strip.isNull());
    EXPECT_EQ(strip.width(), 4);
    EXPECT_LE(strip.right(), cell.right());
    EXPECT_GE(strip.right(), cell.right() - 2) << "at the right edge of the cell";
    EXPECT_EQ(countPixels(img, colorIs(0x00FFFF), Cell(0, 2)), 0) << "rows not modified have none";
}

TEST_F(CellPaint, OwnerDrawnCellsKeepOrDropTheDefaultText)
{
    grid->SetCells(2, 2, QStringLiteral("WWWW"));
    grid->Font();
    fw::TFont f = grid->Font();
    f.Color = 0x0000FF;
    grid->SetFont(f);
    int drawn = 0;
    grid->OnDrawCell = [&](QObject*, int, int, TRect, fw::TGridDrawState) { ++drawn; };
    const QRect cell = Cell(2, 2);
    EXPECT_GT(countPixels(Shot(), colorIs(0x0000FF), cell), 0) << "default text first, then the handler";
    EXPECT_GT(drawn, 0);
    grid->SetNoDefaultDraw(true);
    EXPECT_EQ(countPixels(Shot(), colorIs(0x0000FF), cell), 0) << "only the handler paints the text";
}

TEST_F(CellPaint, ZoomMakesTextLargerInTheSameRows)
{
    grid->SetCells(2, 2, QStringLiteral("Wg"));
    fw::TFont f = grid->Font();
    f.Color = 0x0000FF;
    grid->SetFont(f);
    const QRect cell = Cell(2, 2);
    const QRect before = pixelBox(Shot(), colorIs(0x0000FF), cell);
    grid->Zoom(2);
    grid->SetDefaultRowHeight(22);
    for (int r = 0; r < grid->RowCount(); ++r)
        grid->SetRowHeights(r, 22);
    for (int c = 0; c < grid->ColCount(); ++c)
        grid->SetColWidths(c, 60);
    ASSERT_EQ(Cell(2, 2), cell);
    const QRect after = pixelBox(Shot(), colorIs(0x0000FF), cell);
    ASSERT_FALSE(before.isNull());
    EXPECT_GT(after.height(), before.height());
    EXPECT_GT(after.width(), before.width());
}

TEST_F(CellPaint, FocusRectangleOnlyOnTheFocusedNormalCell)
{
    grid->show();
    QApplication::setActiveWindow(grid.get());
    grid->setFocus();
    QApplication::processEvents();
    if (!grid->Focused())
        GTEST_SKIP() << "the platform gives no focus";
    grid->SetCol(2);
    grid->SetRow(2);
    const QRect area = Cell(2, 2).adjusted(-2, -2, 2, 2);
    // Pixels the focus rectangle changes: the shot against one with HideFocusRect.
    auto frame = [&] {
        grid->SetHideFocusRect(true);
        const QImage without = Shot().copy(area);
        grid->SetHideFocusRect(false);
        const QImage with = Shot().copy(area);
        int n = 0;
        for (int y = 0; y < with.height(); ++y)
            for (int x = 0; x < with.width(); ++x)
                n += with.pixel(x, y) != without.pixel(x, y) ? 1 : 0;
        return n;
    };
    EXPECT_GT(frame(), 40) << "a dotted frame around the current cell";
    grid->SetOptions(grid->Options() | fw::goRowSelect);
    EXPECT_EQ(frame(), 0) << "none in row select mode";
    grid->SetOptions(grid->Options() & ~fw::TGridOptions(fw::goRowSelect));
    grid->clearFocus();
    QApplication::processEvents();
    if (!grid->Focused()) {
        EXPECT_EQ(frame(), 0) << "none without the focus";
    }
}

TEST_F(CellPaint, BottomBorderStartsTwoPixelsLeftOfTheCell)
{
    grid->SetGridLineWidth(1);
    grid->Events().OnGetCellBorder = [](QObject*, int ARow, int ACol, fw::TPen& APen, TCellBorders& Borders) {
        if (ARow == 2 && ACol == 2) {
            APen.Color = 0x0000FF;
            Borders.Include(cbBottom);
        }
    };
    fw::TBitmap bmp(200, 100);
    fw::TCanvas& canvas = bmp.Canvas();
    canvas.Brush().Color = kWhite;
    canvas.FillRect(TRect(0, 0, 200, 100));
    grid->DrawCellBorders(canvas, 2, 2, TRect(50, 20, 110, 42));
    const QRect line = pixelBox(bmp.ToImage(), colorIs(0x0000FF));
    ASSERT_FALSE(line.isNull());
    // The left edge moves in by (1 + 1) div 2 for the vertical lines, then the
    // line starts GridLineWidth + 1 left of it; the bottom edge moves up by 1.
    EXPECT_EQ(line.left(), 51 - 1 - 1);
    EXPECT_EQ(line.right(), 109);
    EXPECT_EQ(line.top(), 42 - 1 - 1);
    EXPECT_EQ(line.height(), 1);
}

TEST_F(CellPaint, BorderPropEventGetsOnePenPerEdge)
{
    grid->Events().OnGetCellBorder = [](QObject*, int, int, fw::TPen& APen, TCellBorders& Borders) {
        APen.Width = 3;
        Borders = TCellBorders{cbLeft, cbTop, cbRight, cbBottom};
    };
    grid->Events().OnGetCellBorderProp = [](QObject*, int, int, fw::TPen& L, fw::TPen& T, fw::TPen& R, fw::TPen& B) {
        L.Color = 0x0000FF;
        T.Color = 0x00FF00;
        R.Color = 0xFF0000;
        B.Color = 0x00FFFF;
        L.Width = T.Width = R.Width = B.Width = 1;
    };
    fw::TBitmap bmp(200, 100);
    bmp.Canvas().Brush().Color = kWhite;
    bmp.Canvas().FillRect(TRect(0, 0, 200, 100));
    grid->SetOptions(fw::TGridOptions(0));
    grid->DrawCellBorders(bmp.Canvas(), 2, 2, TRect(50, 20, 110, 42));
    const QImage img = bmp.ToImage();
    // pw = (3 + 1) div 2 = 2 moves the right and the top edges only (no grid lines).
    EXPECT_EQ(pixelBox(img, colorIs(0x0000FF)).left(), 50);
    EXPECT_EQ(pixelBox(img, colorIs(0xFF0000)).left(), 110 - 2 - 1);
    EXPECT_EQ(pixelBox(img, colorIs(0x00FF00)).top(), 20 + 2 - 1);
    EXPECT_EQ(pixelBox(img, colorIs(0x00FFFF)).top(), 41);
}

TEST_F(CellPaint, SelectionRectangleOutlinesTheSelectionWithAResizer)
{
    grid->SetSelectionRectangle(true);
    grid->SetSelectionResizer(true);
    grid->SetSelectionRectangleColor(0x0000FF);
    grid->SetSelection({1, 1, 2, 3});
    const QImage img = Shot();
    const QRect topLeft = Cell(1, 1);
    const QRect left = pixelBox(img, colorIs(0x0000FF), QRect(topLeft.left(), topLeft.top() + 4, 6, 8));
    ASSERT_FALSE(left.isNull());
    EXPECT_EQ(left.width(), 2) << "a 2-pixel line";
    EXPECT_EQ(countPixels(img, colorIs(0x0000FF), Cell(3, 1)), 0) << "cells outside get nothing";
    // Inner cells of the selection carry no outline.
    const QRect middle = Cell(2, 2);
    EXPECT_EQ(countPixels(img, colorIs(0x0000FF), middle.adjusted(0, 3, -3, -3)), 0);
    // The bottom-right cell ends in a 4 x 4 handle.
    const QRect last = Cell(2, 3);
    const QRect corner(last.right() - 7, last.bottom() - 7, 8, 8);
    int squares = 0;
    for (int y = corner.top(); y <= corner.bottom() - 3; ++y)
        for (int x = corner.left(); x <= corner.right() - 3; ++x)
            squares += countPixels(img, colorIs(0x0000FF), QRect(x, y, 4, 4)) == 16 &&
                               countPixels(img, colorIs(0x0000FF), QRect(x - 1, y, 1, 2)) == 0
                           ? 1
                           : 0;
    EXPECT_GE(squares, 1);
}

TEST_F(CellPaint, VerticalBackgroundGradientRunsOverTheWholeGrid)
{
    grid->BackGround().SetColor(fw::RGBToColor(0, 0, 0));
    grid->BackGround().SetColorTo(fw::RGBToColor(0, 0, 250));
    grid->BackGround().SetDisplay(bdGradientVert);
    const QImage img = Shot();
    const QRect upper = Cell(2, 2), lower = Cell(2, 3);
    const int x = upper.left() + 30;
    const int a = fw::GetBValue(Px(img, x, upper.top() + 2));
    const int b = fw::GetBValue(Px(img, x, upper.bottom() - 2));
    const int c = fw::GetBValue(Px(img, x, lower.top() + 2));
    EXPECT_LT(a, b);
    EXPECT_LE(b, c) << "the next cell goes on where this one ended, not from the start";
    EXPECT_LT(c - b, 10);
}

TEST_F(CellPaint, ActiveCellShowMarksOnlyTheCurrentHeaders)
{
    grid->SetLook(glXP);
    grid->SetActiveCellShow(true);
    grid->SetActiveCellColor(0x00CC00);
    grid->SetActiveCellColorTo(fw::clNone);
    grid->SetCol(2);
    grid->SetRow(3);
    const QImage img = Shot();
    EXPECT_GT(countPixels(img, colorIs(0x00CC00), Cell(0, 3)), 100) << "row header of the current row";
    EXPECT_GT(countPixels(img, colorIs(0x00CC00), Cell(2, 0)), 100) << "column header of the current column";
    EXPECT_EQ(countPixels(img, colorIs(0x00CC00), Cell(0, 2)), 0);
    EXPECT_EQ(countPixels(img, colorIs(0x00CC00), Cell(3, 0)), 0);
}

TEST_F(CellPaint, HoveredHeaderWithDropDownButton)
{
    grid->SetLook(glXP);
    grid->SetHoverFixedCells(hfAll);
    grid->ControlLook().SetFixedDropDownButton(true);
    grid->SetRIRGradientHoverFrom(0x00AA00);
    grid->SetRIRGradientHoverTo(0x00AA00);
    grid->SetRIRGradientHoverBorder(0x0000AA);
    grid->SetRIRGradientDownFrom(0xAA0000);
    grid->SetRIRGradientDownTo(0xAA0000);
    grid->SetRIRGradientDownBorder(0xAA00AA);
    grid->PaintFeedback().HoverFixed = {2, 0};
    const QRect cell = Cell(2, 0);
    QImage img = Shot();
    EXPECT_GT(countPixels(img, colorIs(0x00AA00), cell), 200) << "hover colours";
    EXPECT_EQ(countPixels(img, colorIs(0x00AA00), Cell(3, 0)), 0) << "only the hovered header";
    // The button part: a separator 16 pixels from the right and a 7 x 4 triangle.
    const QRect separator = pixelBox(img, colorIs(0x0000AA), QRect(cell.right() - 17, cell.top() + 3, 3, 8));
    ASSERT_FALSE(separator.isNull());
    // The content rectangle of a fixed cell ends one pixel before the cell's edge.
    EXPECT_EQ(separator.left(), cell.right() - 16);
    const QRect triangle = pixelBox(img, colorIs(fw::clBlack), QRect(cell.right() - 14, cell.top() + 2, 14, 12));
    EXPECT_EQ(triangle.width(), 7);
    EXPECT_EQ(triangle.height(), 4);

    // Held with the drop-down open: the button part pressed, the label hovered.
    grid->PaintFeedback().FixedButtonDown = true;
    grid->PaintFeedback().FixedDropDownOpen = true;
    img = Shot();
    EXPECT_GT(countPixels(img, colorIs(0xAA0000), QRect(cell.right() - 12, cell.top(), 12, cell.height())), 30);
    EXPECT_GT(countPixels(img, colorIs(0x00AA00), QRect(cell.left(), cell.top(), 30, cell.height())), 100);
    grid->PaintFeedback() = TFxStringGrid::TPaintFeedback();
}

TEST_F(CellPaint, RowIndicatorSitsTwoPixelsIntoTheCurrentRowHeader)
{
    // Drawn transparent: the lower-left pixel's colour is left out.
    fw::TBitmap indicator(6, 6);
    indicator.Canvas().Brush().Color = 0x0000FF;
    indicator.Canvas().FillRect(TRect(0, 0, 6, 6));
    indicator.Canvas().SetPixel(0, 5, 0x00FF00);
    grid->SetRowIndicator(indicator);
    grid->SetRow(3);
    const QImage img = Shot();
    const QRect box = pixelBox(img, colorIs(0x0000FF), Cell(0, 3));
    ASSERT_FALSE(box.isNull());
    EXPECT_EQ(box.left(), Cell(0, 3).left() + 2);
    EXPECT_EQ(box.top(), Cell(0, 3).top()) << "vtaTop";
    EXPECT_EQ(countPixels(img, colorIs(0x0000FF), Cell(0, 2)), 0);
}

TEST_F(CellPaint, ClassicLookGivesFixedCellsABlackRightEdge)
{
    grid->SetLook(glClassic);
    const QImage img = Shot();
    const QRect cell = Cell(2, 0);
    int black = 0;
    for (int y = cell.top() + 2; y < cell.bottom() - 2; ++y)
        black += Px(img, cell.right() - 1, y) == fw::clBlack || Px(img, cell.right(), y) == fw::clBlack ? 1 : 0;
    EXPECT_GE(black, cell.height() - 5);
}

TEST_F(CellPaint, PasswordCellsShowOneMaskCharacterPerCharacter)
{
    grid->Events().OnIsPasswordCell = [](QObject*, int ARow, int ACol, bool& IsPassword) {
        IsPassword = ARow == 2 && ACol == 2;
    };
    grid->SetCells(2, 2, QStringLiteral("abc"));
    grid->SetCells(2, 3, QStringLiteral("***"));
    const QImage img = Shot();
    const QImage masked = img.copy(Cell(2, 2));
    const QImage plain = img.copy(Cell(2, 3));
    EXPECT_EQ(masked, plain);
}

TEST_F(CellPaint, SingleLineTextShowsItsFirstLineOnly)
{
    grid->SetRowHeights(2, 60);
    fw::TFont f = grid->Font();
    f.Color = 0x0000FF;
    grid->SetFont(f);
    grid->SetWordWrap(false);
    grid->SetCells(2, 2, QStringLiteral("Abc\r\nXyz"));
    const QRect box = pixelBox(Shot(), colorIs(0x0000FF), Cell(2, 2));
    ASSERT_FALSE(box.isNull());
    EXPECT_LT(box.height(), grid->Canvas().TextHeight(QStringLiteral("gh")) + 1);
}

TEST_F(CellPaint, LinksShowWithoutTheirSchemeUnderlinedInTheLinkColour)
{
    grid->SetURLShow(true);
    grid->SetURLColor(0xFF0000);
    grid->SetColWidths(2, 200);
    grid->SetCells(2, 2, QStringLiteral("http://example.com"));
    const QImage img = Shot();
    const QRect box = pixelBox(img, colorIs(0xFF0000), Cell(2, 2));
    ASSERT_FALSE(box.isNull());
    fw::TCanvas& c = grid->Canvas();
    c.Font() = grid->Font();
    const int shown = c.TextWidth(QStringLiteral("example.com"));
    EXPECT_NEAR(box.width(), shown, 2) << "the scheme is not shown";
    // The underline: one row of the link colour as wide as the text.
    int longest = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        longest = std::max(longest, countPixels(img, colorIs(0xFF0000), QRect(box.left(), y, box.width(), 1)));
    EXPECT_GE(longest, shown - 2);
}

// One unbroken word of `length` characters.
QString LongWord(int length, int seed)
{
    QString s;
    s.reserve(length);
    for (int i = 0; i < length; ++i)
        s += QChar(u'a' + (i * 7 + seed) % 26);
    return s;
}

// A cell shows the lines that fit it, and painting it costs what they cost:
// a row of 60,000-character words (a pasted mnemonic) paints the pixels of
// their first 400 characters, in about the time those take. Each line of a
// wrapped word was once found by measuring the whole rest of the word, and
// a single line was shaped whole: seconds for one cell.
TEST_F(CellPaint, LongWordsPaintAtTheCostOfTheirVisibleLines)
{
    grid->SetColWidths(2, 250);
    grid->SetRowHeights(2, 40);
    grid->resize(4 * 61 + 251 + 10, 6 * 23 + 18 + 10);
    QImage image(grid->size(), QImage::Format_RGB32);
    // The least CPU-independent figure of a few rounds: the fastest.
    auto paintSeconds = [&](int rounds) {
        double best = 1e9;
        for (int i = 0; i < rounds; ++i) {
            QElapsedTimer t;
            t.start();
            grid->render(&image);
            best = std::min(best, t.nsecsElapsed() * 1e-9);
        }
        return best;
    };
    for (const bool wrap : {true, false}) {
        SCOPED_TRACE(wrap ? "word wrap" : "single line");
        grid->SetWordWrap(wrap);
        for (int c = 1; c < 5; ++c)
            grid->SetCells(c, 2, LongWord(400, c));
        paintSeconds(1);
        const double shortTime = paintSeconds(5);
        const QImage shortShot = Shot();
        for (int c = 1; c < 5; ++c)
            grid->SetCells(c, 2, LongWord(60000, c));
        const double first = paintSeconds(1);
        ASSERT_LT(first, 50 * shortTime + 0.05) << "the first paint of the long words lays out what shows only";
        EXPECT_LE(paintSeconds(5), 4 * shortTime) << "short " << shortTime * 1e3 << " ms";
        EXPECT_EQ(Shot(), shortShot) << "the same lines show";
    }
}

TEST_F(CellPaint, CheckBoxColumnShowsNoDropDownButtonWithoutACombo)
{
    grid->ControlLook().SetDropDownAlwaysVisible(true);
    grid->ControlLook().SetControlStyle(csFlat);
    grid->AddCheckBox(2, 2, false, false);
    grid->Events().OnGetEditorType = [](QObject*, int ACol, int ARow, TEditorType& AEditor) {
        if (ACol == 3 && ARow == 2)
            AEditor = edComboList;
    };
    grid->SetOptions(grid->Options() | fw::goEditing);
    const QImage img = Shot();
    auto buttonPixels = [&](const QRect& cell) {
        return countPixels(img, testsupport::colorIsNot(kWhite),
                           QRect(cell.right() - 15, cell.top() + 1, 14, cell.height() - 3));
    };
    EXPECT_GT(buttonPixels(Cell(3, 2)), 30) << "the combo cell shows its button";
    EXPECT_EQ(buttonPixels(Cell(2, 2)), 0) << "the check box cell shows none";
}

} // namespace
