#include "grid/foundation/BaseGridPaint.h"

#include "grid/foundation/BaseGrid.h"
#include "grid/foundation/FxUtilDraw.h"

#include "framework/SysColors.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>

#include <map>

using namespace fw;

namespace {

// A base grid (which paints its cells through the core), recording each content call.
class PaintGrid : public TBaseGrid {
public:
    struct TCall {
        int col, row;
        TRect rect;
        TGridDrawState state;
    };
    std::vector<TCall> calls;
    bool drawText = false;

    PaintGrid()
    {
        SetColCount(6);
        SetRowCount(8);
        SetFixedCols(1);
        SetFixedRows(1);
        SetDefaultColWidth(40);
        SetDefaultRowHeight(20);
        SetColor(clWhite);
        SetFixedColor(0xC0C0C0);
        resize(6 * 40 + 4, 8 * 20 + 4);
        SetScrollBars(ssNone);
    }
    void setHoverRowIdx(int row) { SetHoverRowIdx(row); }
    void setShowSel(bool value) { SetShowSel(value); }
    void setHideLastRow(bool value) { SetHideLastRow(value); }
    TBaseCellPaintState paintState() const { return {HoverRowIdx(), ShowSel(), HideLastRow()}; }
    void DrawCellContent(TCanvas& canvas, int c, int r, TRect rect, TGridDrawState state) override
    {
        calls.push_back({c, r, rect, state});
        if (drawText)
            TBaseGrid::DrawCellContent(canvas, c, r, rect, state);
    }
    QImage paintPass()
    {
        calls.clear();
        return viewport()->grab().toImage();   // cell coordinates are the viewport's
    }
    int callsFor(int c, int r) const
    {
        int n = 0;
        for (const auto& call : calls)
            n += call.col == c && call.row == r;
        return n;
    }
};

TColor px(const QImage& img, int x, int y) { return FromQColor(img.pixelColor(x, y)); }

TEST(BaseGridPaint, MergedBlockIsPaintedAsOneRectangle)
{
    PaintGrid grid;
    grid.MergeCells(2, 2, 3, 2);   // columns 2..4, rows 2..3
    grid.paintPass();
    EXPECT_LE(grid.callsFor(2, 2), 2) << "base cell turn and at most one more";
    EXPECT_GE(grid.callsFor(2, 2), 1);
    for (int c = 2; c <= 4; ++c)
        for (int r = 2; r <= 3; ++r)
            if (c != 2 || r != 2) {
                EXPECT_EQ(grid.callsFor(c, r), 0) << c << "," << r;
            }
    const TRect block = grid.CellRect(2, 2);
    EXPECT_EQ(block.Width(), 3 * 40);
    EXPECT_EQ(block.Height(), 2 * 20);
    for (const auto& call : grid.calls)
        if (call.col == 2 && call.row == 2) {
            EXPECT_EQ(call.rect, TRect(block.Left + 1, block.Top + 1, block.Right - 1, block.Bottom - 1));
        }

    // The next pass paints it again.
    grid.paintPass();
    EXPECT_GE(grid.callsFor(2, 2), 1);
}

TEST(BaseGridPaint, BlockWithBaseScrolledOutIsClippedUnderFixedRows)
{
    PaintGrid grid;
    grid.SetRowCount(30);
    grid.MergeCells(2, 2, 1, 3);   // rows 2..4 of column 2
    grid.SetTopRow(3);             // base row scrolled out, rows 3 and 4 visible
    const QImage img = grid.paintPass();
    EXPECT_EQ(grid.callsFor(2, 2), 1) << "painted once by the first visible cell of the block";
    // The block reaches above the first scrollable row but the fixed row keeps its colour.
    const TRect fixedCell = grid.CellRect(2, 0);
    EXPECT_EQ(px(img, fixedCell.Left + 5, fixedCell.Top + 5), 0xC0C0C0u);
}

TEST(BaseGridPaint, HoverAndActiveRows)
{
    PaintGrid grid;
    grid.SetHoverRow(true);
    grid.SetHoverRowColor(0x00FFFF);
    grid.setHoverRowIdx(3);
    grid.SetSelection({2, 3, 3, 3});
    grid.SetOptions(grid.Options() | goDrawFocusSelected);
    QImage img = grid.paintPass();
    auto centre = [&](int c, int r) {
        const TRect rc = grid.CellRect(c, r);
        return px(img, (rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2);
    };
    EXPECT_EQ(centre(4, 3), 0x00FFFFu) << "normal cell of the hover row";
    EXPECT_EQ(centre(3, 3), 0x00FFFFu) << "selected cells of the hover row with the default cells";
    EXPECT_EQ(centre(0, 3), 0xC0C0C0u) << "fixed cells are not hovered";
    EXPECT_EQ(centre(4, 4), clWhite);

    grid.setHoverRowIdx(-1);
    grid.SetActiveRowShow(true);
    grid.SetActiveRowColor(0xFFC0C0);
    grid.SetRow(5);
    grid.SetCol(2);
    img = grid.paintPass();
    EXPECT_EQ(centre(4, 5), 0xFFC0C0u) << "other cells of the current row";
    EXPECT_NE(centre(2, 5), 0xFFC0C0u) << "the current cell keeps its look";
    EXPECT_EQ(centre(0, 5), 0xC0C0C0u) << "fixed column";
    grid.setShowSel(false);
    img = grid.paintPass();
    EXPECT_EQ(centre(2, 5), 0xFFC0C0u) << "without a shown selection the current cell joins the row";
}

TEST(BaseGridPaint, LineWidthShrinksContent)
{
    PaintGrid grid;
    grid.SetGridLineWidth(3);
    grid.SetGridLineColor(0x0000FF);
    const QImage img = grid.paintPass();
    const TRect rc = grid.CellRect(3, 3);
    for (const auto& call : grid.calls)
        if (call.col == 3 && call.row == 3) {
            EXPECT_EQ(call.rect, TRect(rc.Left + 3, rc.Top + 3, rc.Right - 3, rc.Bottom - 3));
        }
    // h = 2: the 3-pixel line is centred on Bottom - 2 and Right - 2.
    EXPECT_EQ(px(img, rc.Left + 10, rc.Bottom - 2), 0x0000FFu);
    EXPECT_EQ(px(img, rc.Right - 2, rc.Top + 10), 0x0000FFu);
    EXPECT_EQ(px(img, rc.Left + 10, rc.Top + 10), clWhite);
}

TEST(BaseGridPaint, SelectionStylesUseSegments)
{
    PaintGrid grid;
    grid.SetSelectionStyle(ssOffice2007);
    grid.SetOptions(grid.Options() | goDrawFocusSelected | goRangeSelect);
    grid.SetSelection({1, 2, 3, 2});
    const QImage img = grid.paintPass();
    // The focused Office 2007 look: colour $D7FFFD, border $8DD7D3, corner $C3D9DF.
    constexpr TColor Face = 0xD7FFFD, Border = 0x8DD7D3, Corner = 0xC3D9DF;
    const TRect left = grid.CellRect(1, 2), middle = grid.CellRect(2, 2), right = grid.CellRect(3, 2);
    // Rounded left end: outer corner in the grid colour, corner colour next to it.
    EXPECT_EQ(px(img, left.Left, left.Top), clWhite);
    EXPECT_EQ(px(img, left.Left + 1, left.Top + 1), Corner);
    EXPECT_EQ(px(img, left.Right - 2, left.Top), Border) << "left segment open to the right";
    EXPECT_EQ(px(img, middle.Left, middle.Top), Border) << "middle segment square";
    EXPECT_EQ(px(img, right.Right - 3, right.Top + 1), Corner) << "rounded right end";
    EXPECT_EQ(px(img, middle.Left + 5, middle.Top + 2), Face) << "face starts with the colour";

    // Unfocused look (border $D9D9D9) when the grid has no focus and the option is off.
    grid.SetOptions(grid.Options() & ~goDrawFocusSelected);
    const QImage off = grid.paintPass();
    EXPECT_EQ(px(off, middle.Left, middle.Top), TColor(0xD9D9D9));
}

TEST(BaseGridPaint, HiddenFooterRow)
{
    PaintGrid grid;
    grid.SetColor(0x00E0E0);
    grid.setHideLastRow(true);
    const QImage img = grid.paintPass();
    const TRect rc = grid.CellRect(3, 7);
    EXPECT_EQ(grid.callsFor(3, 7), 0);
    EXPECT_EQ(px(img, rc.Right - 1, rc.Bottom - 1), 0x00E0E0u) << "no lines";
    EXPECT_EQ(px(img, rc.Left + 5, rc.Top + 5), 0x00E0E0u);
}

TEST(BaseGridPaint, ExtDrawsWithoutContent)
{
    PaintGrid grid;
    QImage img(120, 80, QImage::Format_RGB32);
    img.fill(Qt::white);
    TCanvas canvas(&img);
    grid.SetActiveRowColor(0x00FF00);
    BaseGridPaintCellExt(grid, canvas, 2, 2, TRect(50, 30, 90, 50), gdSelected, grid.paintState());
    canvas.Release();
    EXPECT_TRUE(grid.calls.empty());
    EXPECT_EQ(px(img, 60, 40), 0x00FF00u) << "a selected cell without content takes the active row colour";
    EXPECT_EQ(px(img, 89, 40), grid.GridLineColor()) << "right line";
    EXPECT_EQ(px(img, 60, 49), grid.GridLineColor()) << "bottom line";
    EXPECT_EQ(px(img, 95, 40), clWhite);

    // A rectangle reaching under the fixed area is clipped to the scrollable part.
    QImage clipped(120, 80, QImage::Format_RGB32);
    clipped.fill(Qt::white);
    TCanvas c2(&clipped);
    BaseGridPaintCellExt(grid, c2, 2, 2, TRect(10, 10, 90, 50), gdSelected, grid.paintState());
    c2.Release();
    EXPECT_EQ(px(clipped, 30, 30), clWhite) << "under the fixed column";
    EXPECT_EQ(px(clipped, 60, 15), clWhite) << "under the fixed row";
    EXPECT_EQ(px(clipped, 60, 30), 0x00FF00u);
}

// Each rounded selection look in its own colours over a grid with merged
// blocks and a hover row; the pictures are kept for a look when pictures
// are kept (testsupport::keepShot).
TEST(BaseGridPaint, SelectionLooksKeepTheirColoursBesideMergedBlocksAndTheHoverRow)
{
    struct Case {
        TGridSelectionStyle style;
        TColor face, border;   // colour and border of the focused look
    };
    const Case cases[] = {
        {ssVista, 0xFDF8F1, 0xFDDE99},
        {ssWin7, 0xFCEBDC, 0xCEA27D},
        {ssOffice2007, 0xD7FFFD, 0x8DD7D3},
    };
    constexpr TColor Hover = 0x00C000;
    for (const Case& c : cases) {
        PaintGrid grid;
        grid.drawText = true;
        for (int col = 0; col < 6; ++col)
            for (int r = 0; r < 8; ++r)
                grid.SetCells(col, r, QStringLiteral("%1:%2").arg(col).arg(r));
        grid.MergeCells(1, 4, 2, 2);
        grid.SetCells(1, 4, "merged");
        grid.MergeCells(4, 1, 2, 1);
        grid.SetSelectionStyle(c.style);
        grid.SetOptions(grid.Options() | goDrawFocusSelected);
        grid.SetSelection({1, 2, 4, 2});
        grid.SetHoverRow(true);
        grid.SetHoverRowColor(Hover);
        grid.setHoverRowIdx(6);
        const QImage img = grid.paintPass();
        const TRect middle = grid.CellRect(2, 2);
        EXPECT_EQ(px(img, middle.Left, middle.Top), c.border) << c.style;
        EXPECT_EQ(px(img, middle.Left + 5, middle.Top + 2), c.face) << c.style;
        // The block over columns 1..2 of rows 4..5 is one rectangle, drawn by
        // its base cell and once more by the first other cell of the pass.
        EXPECT_EQ(grid.callsFor(1, 4), 2) << c.style;
        EXPECT_EQ(grid.callsFor(2, 5), 0) << c.style;
        EXPECT_EQ(grid.CellRect(1, 4), TRect(40, 4 * 20, 3 * 40, 6 * 20)) << c.style;
        // Hover row cells outside the selection take the hover colour; the fixed one does not.
        EXPECT_EQ(px(img, grid.CellRect(3, 6).Left + 2, grid.CellRect(3, 6).Top + 2), Hover) << c.style;
        EXPECT_EQ(px(img, grid.CellRect(0, 6).Left + 2, grid.CellRect(0, 6).Top + 2), TColor(0xC0C0C0)) << c.style;
        testsupport::keepShot(img, QStringLiteral("basegrid_%1").arg(int(c.style)));
    }
}

} // namespace
