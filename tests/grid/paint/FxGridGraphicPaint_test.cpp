// Cell graphics, the sort indicator and the filter button, drawn by the cell
// paint pipeline on an offscreen grid.
#include "grid/model/FxGrid.h"

#include "framework/Canvas.h"
#include "framework/SysColors.h"
#include "grid/model/FxCellNode.h"
#include "grid/paint/FxControlLook.h"
#include "grid/paint/FxGridAppearance.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>

#include <memory>

using fw::TColor;
using fw::TRect;
using testsupport::colorIs;
using testsupport::colorIsNot;
using testsupport::countPixels;
using testsupport::pixelBox;
using testsupport::toQRect;

namespace {

constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kFixed = 0xC0C0C0;

// A feature grid whose sort marks are set by the test.
class SortedGrid : public TFxStringGrid {
public:
    TSortLook Sort;
    TSortLook SortLook() const override { return Sort; }
};

class GraphicPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = std::make_unique<SortedGrid>();
        grid->SetColCount(5);
        grid->SetRowCount(6);
        grid->SetFixedCols(1);
        grid->SetFixedRows(1);
        grid->SetDefaultColWidth(110);
        grid->SetDefaultRowHeight(22);
        grid->SetLook(glStandard);
        grid->SetColor(kWhite);
        grid->SetFixedColor(kFixed);
        grid->SetGridFixedLineColor(0xB0B0B0);
        grid->SetScrollBars(fw::ssNone);
        grid->SetSelection({4, 5, 4, 5});
        fw::TFont f = grid->Font();
        f.Color = 0x0000FF;
        grid->SetFont(f);
        grid->resize(5 * 111 + 10, 6 * 23 + 10);
    }

    QImage Shot() { return grid->viewport()->grab().toImage(); }
    QRect Cell(int c, int r) { return toQRect(grid->CellRect(c, r)); }

    // A solid glyph whose lower-left pixel is the transparent key.
    static void Glyph(fw::TBitmap& bmp, TColor color, int size = 15)
    {
        bmp.SetSize(size, size);
        bmp.Canvas().Brush().Color = color;
        bmp.Canvas().FillRect(TRect(0, 0, size, size));
        bmp.Canvas().SetPixel(0, size - 1, 0xFF00FF);
    }

    std::unique_ptr<SortedGrid> grid;
};

TEST_F(GraphicPaint, RatingShowsFullHalfAndEmptyStars)
{
    const TColor on = 0x0000C0, off = 0x00C000;
    grid->AddRating(2, 2, 5, on, off);
    grid->SetCells(2, 2, QStringLiteral("3.7"));
    const QImage img = Shot();
    const QRect cell = Cell(2, 2);
    // haFull: the stars start at the content's left edge, 18 pixels apart.
    const int left = cell.left() + 1;
    struct Star {
        bool on, off;
    } expected[] = {{true, false}, {true, false}, {true, false}, {true, true}, {false, true}};
    for (int i = 0; i < 5; ++i) {
        const QRect star(left + i * 18, cell.top(), 16, cell.height());
        EXPECT_EQ(countPixels(img, colorIs(on), star) > 0, expected[i].on) << "star " << i + 1;
        EXPECT_EQ(countPixels(img, colorIs(off), star) > 0, expected[i].off) << "star " << i + 1;
    }
    EXPECT_EQ(countPixels(img, colorIs(0x0000FF), cell), 0) << "a rating hides the cell text";
}

TEST_F(GraphicPaint, CheckBoxesFollowTheTextAndDataBoxesHideIt)
{
    fw::TBitmap checked, unchecked;
    Glyph(checked, 0x00A000);
    Glyph(unchecked, 0xA00000);
    grid->ControlLook().SetControlStyle(csGlyph);
    grid->ControlLook().SetCheckedGlyph(checked);
    grid->ControlLook().SetUnCheckedGlyph(unchecked);
    grid->SetCells(2, 2, QStringLiteral("Text"));
    grid->SetAlignments(2, 2, fw::taRightJustify);
    grid->AddCheckBox(2, 2, true, false);
    grid->AddCheckBox(3, 2, false, true);
    grid->SetCells(3, 2, QStringLiteral("Y"));   // CheckTrue: shown checked, text hidden
    const QImage img = Shot();
    const QRect box = pixelBox(img, colorIs(0x00A000), Cell(2, 2));
    const QRect text = pixelBox(img, colorIs(0x0000FF), Cell(2, 2));
    ASSERT_FALSE(box.isNull());
    ASSERT_FALSE(text.isNull());
    EXPECT_LT(box.right(), text.left()) << "the box stands left of right-aligned text";
    EXPECT_GT(box.left(), Cell(2, 2).left() + 40);
    EXPECT_FALSE(pixelBox(img, colorIs(0x00A000), Cell(3, 2)).isNull()) << "the data box reads its text";
    EXPECT_EQ(countPixels(img, colorIs(0x0000FF), Cell(3, 2)), 0) << "a data check box never shows its text";
}

TEST_F(GraphicPaint, GraphicAfterCentredTextFollowsTheMeasuredWidth)
{
    fw::TBitmap mark;
    Glyph(mark, 0x00A000, 8);
    grid->SetCells(2, 2, QStringLiteral("Abc"));
    grid->SetAlignments(2, 2, fw::taCenter);
    grid->AddBitmap(2, 2, &mark, true, haAfterText, vaTop);
    const QImage img = Shot();
    const QRect cell = Cell(2, 2);
    fw::TCanvas& c = grid->Canvas();
    c.Font() = grid->Font();
    const int textWidth = c.TextWidth(QStringLiteral("Abc"));
    // TW is the measured extent + 2, and 2 more before placing; the room is the content rectangle.
    const int TW = textWidth + 2 + 2;
    const int contentLeft = cell.left() + 1, contentWidth = cell.width() - 2;
    const int expected = contentLeft + TW + (contentWidth - TW - 8) / 2;
    const QRect box = pixelBox(img, colorIs(0x00A000), cell);
    ASSERT_FALSE(box.isNull());
    EXPECT_EQ(box.left(), expected);
}

TEST_F(GraphicPaint, PressedButtonShiftsItsCaption)
{
    grid->ControlLook().SetFlatButton(true);
    grid->ControlLook().SetNoDisabledButtonLook(true);   // the cells are not editable
    grid->AddButton(2, 2, 80, 18, QStringLiteral("OK"), haLeft, vaTop);
    grid->AddButton(2, 3, 80, 18, QStringLiteral("OK"), haLeft, vaTop);
    grid->PushButton(2, 3, true);
    const QImage img = Shot();
    auto caption = [&](int row) {
        const QRect cell = Cell(2, row);
        return pixelBox(img, colorIs(fw::ColorToRGB(fw::clBtnText)), cell.adjusted(20, 4, -40, -4))
            .translated(-cell.left(), -cell.top());
    };
    const QRect up = caption(2), down = caption(3);
    ASSERT_FALSE(up.isNull());
    EXPECT_EQ(down.topLeft(), up.topLeft() + QPoint(1, 1));
}

TEST_F(GraphicPaint, IndicatorsOfValuesThatDoNotReadStayEmpty)
{
    const TColor done = 0x0000C0;
    grid->AddProgress(2, 1, done, 0xE0E0E0);
    grid->SetCells(2, 1, QStringLiteral("50"));
    grid->AddProgress(2, 2, done, 0xE0E0E0);
    grid->SetCells(2, 2, QStringLiteral("half"));
    grid->ProgressAppearance().SetLevel0Color(0x00C000);
    grid->ProgressAppearance().SetShowGradient(false);
    grid->AddFxProgress(3, 1, 0, 10);
    grid->SetCells(3, 1, QStringLiteral("5"));
    grid->AddFxProgress(3, 2, 5, 5);   // no range to divide by
    grid->SetCells(3, 2, QStringLiteral("5"));
    const QImage img = Shot();
    EXPECT_GT(countPixels(img, colorIs(done), Cell(2, 1)), 100);
    EXPECT_EQ(countPixels(img, colorIs(done), Cell(2, 2)), 0) << "a text that does not read counts as 0";
    EXPECT_GT(countPixels(img, colorIs(0x00C000), Cell(3, 1)), 50);
    EXPECT_EQ(countPixels(img, colorIs(0x00C000), Cell(3, 2)), 0) << "max = min draws an empty bar";
}

TEST_F(GraphicPaint, PieFillsItsShareOnTheWindow)
{
    grid->AddProgressPie(2, 2, 0x0000C0, 25);
    grid->AddProgressPie(2, 3, 0x0000C0, 75);
    const QImage img = Shot();
    const int quarter = countPixels(img, colorIs(0x0000C0), Cell(2, 2));
    const int threeQuarters = countPixels(img, colorIs(0x0000C0), Cell(2, 3));
    EXPECT_GT(quarter, 30);
    EXPECT_GT(threeQuarters, 2 * quarter);
}

TEST_F(GraphicPaint, DataImagesDrawOnlyIndexesOfTheList)
{
    fw::TImageList images(8, 8);
    fw::TBitmap red;
    Glyph(red, 0x0000C0, 8);
    red.Canvas().SetPixel(0, 7, 0x0000C0);
    images.Add(red);
    images.Add(red);
    grid->SetGridImages(&images);
    grid->AddDataImage(2, 1, 0, haLeft, vaTop);
    grid->SetCells(2, 1, QStringLiteral("1"));
    grid->AddDataImage(2, 2, 0, haLeft, vaTop);
    grid->SetCells(2, 2, QStringLiteral("-1"));
    grid->AddDataImage(2, 3, 0, haLeft, vaTop);
    grid->SetCells(2, 3, QStringLiteral("7"));
    const QImage img = Shot();
    EXPECT_GT(countPixels(img, colorIs(0x0000C0), Cell(2, 1)), 40);
    EXPECT_EQ(countPixels(img, colorIs(0x0000C0), Cell(2, 2)), 0) << "a negative index draws nothing";
    EXPECT_EQ(countPixels(img, colorIs(0x0000C0), Cell(2, 3)), 0) << "an index past the list draws nothing";
    grid->SetGridImages(nullptr);
}

TEST_F(GraphicPaint, CommentMarkSitsInTheTopRightCorner)
{
    grid->AddColorComment(2, 2, QStringLiteral("note"), 0x00C000);
    const QImage img = Shot();
    const QRect cell = Cell(2, 2);
    const QRect mark = pixelBox(img, colorIs(0x00C000), cell);
    ASSERT_FALSE(mark.isNull());
    // The graphic's rectangle is the cell's, shrunk by XYOffset - 1 = 1 on each side.
    const int right = cell.right(), top = cell.top() + 1;
    EXPECT_EQ(mark.left(), right + 2 - 8);
    EXPECT_LE(mark.right(), right + 2 - 3);
    EXPECT_EQ(mark.top(), top - 2 + 1);
    EXPECT_LE(mark.height(), 6);
}

TEST_F(GraphicPaint, SortIndicatorFollowsTheHeaderText)
{
    grid->SetCells(2, 0, QStringLiteral("ab"));
    grid->Sort.Column = 2;
    grid->Sort.Row = 0;
    grid->Sort.Show = true;
    grid->Sort.Descending = true;
    const QImage img = Shot();
    const QRect cell = Cell(2, 0);
    fw::TCanvas& c = grid->Canvas();
    c.Font() = grid->FixedFont();
    const int textWidth = c.TextWidth(QStringLiteral("ab"));
    // Text rectangle of a fixed cell: in by the grid line and XYOffset (2, 2).
    const int left = cell.left() + 1 + 2, top = cell.top() + 1 + 2;
    const int X = left + textWidth + 10, Y = top + 8;
    const QRect grey = pixelBox(img, colorIs(0x808080), cell);
    ASSERT_FALSE(grey.isNull());
    EXPECT_EQ(grey.left(), X - 4);
    EXPECT_EQ(grey.top(), Y - 4);
    EXPECT_EQ(grey.right(), X + 3) << "the end point of the last line is not drawn";
    EXPECT_FALSE(pixelBox(img, colorIs(kWhite), cell).isNull()) << "the lit edge of the arrow";
    EXPECT_EQ(countPixels(img, colorIs(0x808080), Cell(3, 0)), 0);
}

TEST_F(GraphicPaint, SortIndicatorsOnlyOnTheSortRowAndThePrimaryColumn)
{
    grid->Sort.Column = 2;
    grid->Sort.Row = 0;
    grid->Sort.Show = true;
    grid->Sort.Indexes = {2, int(0x80000000u | 3)};
    QImage img = Shot();
    EXPECT_GT(countPixels(img, colorIs(0x808080), Cell(2, 0)), 3);
    EXPECT_EQ(countPixels(img, colorIs(0x808080), Cell(3, 0)), 0) << "IndexShow off: the primary column only";

    grid->Sort.IndexShow = true;
    grid->Sort.IndexColor = 0x00C0C0;
    img = Shot();
    EXPECT_GT(countPixels(img, colorIs(0x00C0C0), Cell(2, 0)), 20);
    EXPECT_GT(countPixels(img, colorIs(0x00C0C0), Cell(3, 0)), 20) << "every listed column with IndexShow";

    grid->SetRowCount(2);   // one data row: no sort row
    img = Shot();
    EXPECT_EQ(countPixels(img, colorIs(0x00C0C0), Cell(2, 0)), 0);
}

TEST_F(GraphicPaint, FilterButtonInTheFilterRow)
{
    grid->Events().OnGetColumnFilter = [](QObject*, int Column, fw::TStringList& Filter) {
        if (Column == 2)
            Filter.Add(QStringLiteral("x"));
    };
    const QImage img = Shot();
    const QRect cell = Cell(2, 0);
    const QRect glyph = pixelBox(img, colorIs(0x404040), cell);
    ASSERT_FALSE(glyph.isNull());
    EXPECT_GE(glyph.left(), cell.right() - 16);
    EXPECT_EQ(countPixels(img, colorIs(0x404040), Cell(3, 0)), 0) << "a column without filter entries has no button";
}

// A feature grid that holds nodes (the node bookkeeping is the model's).
class TreeGrid : public TFxStringGrid {
public:
    bool HasNodes() override { return true; }
};

TEST(GraphicPaintTree, TreeLinesJoinTheChildRowsOfANode)
{
    TreeGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(5);
    grid.SetFixedRows(1);
    grid.SetFixedCols(0);
    grid.SetDefaultColWidth(60);
    grid.SetDefaultRowHeight(20);
    grid.SetScrollBars(fw::ssNone);
    grid.SetColor(kWhite);
    grid.SetGridLineColor(kWhite);
    grid.SetSelection({2, 4, 2, 4});
    grid.resize(200, 120);
    grid.CellNode().SetTreeColor(0x00A000);
    grid.CellNode().SetNodeType(cnFlat);
    TCellGraphic* node = grid.CreateCellGraphic(0, 1);
    node->SetCellType(ctNode);
    for (int r = 1; r <= 3; ++r)
        grid.GetCellProperties(0, r)->SetNodeLevel(1);
    const QImage img = grid.viewport()->grab().toImage();
    const QRect child = toQRect(grid.CellRect(0, 2));
    const QRect last = toQRect(grid.CellRect(0, 3));
    // Children of a level-1 node: the line at 12 div 2 + 2 pixels in.
    const int x = child.left() + 12 / 2 + 2;
    EXPECT_EQ(img.pixelColor(x, child.top() + 1), QColor(0, 0xA0, 0)) << "runs down through a middle child";
    EXPECT_EQ(img.pixelColor(x, child.bottom() - 1), QColor(0, 0xA0, 0));
    EXPECT_EQ(img.pixelColor(x, last.top() + 2), QColor(0, 0xA0, 0)) << "reaches the last child";
    EXPECT_NE(img.pixelColor(x, last.bottom() - 1), QColor(0, 0xA0, 0)) << "and ends at its middle";
    EXPECT_EQ(img.pixelColor(child.right() - 2, child.top() + child.height() / 2), QColor(0, 0xA0, 0))
        << "ShowTreeFull: the branch runs to the cell's edge";
}

} // namespace
