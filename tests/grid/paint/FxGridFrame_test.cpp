// What the grid paints around its cells: the area outside them, the frame
// border, the focus frame window and the sizing lines.
#include "grid/model/FxGrid.h"

#include "framework/Canvas.h"
#include "framework/SysColors.h"
#include "grid/foundation/GridFocusWindow.h"
#include "grid/paint/FxGridAppearance.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include <memory>

using fw::TColor;
using fw::TRect;
using testsupport::colorIs;
using testsupport::countPixels;

namespace {

std::unique_ptr<TFxStringGrid> SmallGrid(int cols, int rows)
{
    auto grid = std::make_unique<TFxStringGrid>();
    grid->SetColCount(cols);
    grid->SetRowCount(rows);
    grid->SetFixedCols(0);
    grid->SetFixedRows(0);
    grid->SetDefaultColWidth(50);
    grid->SetDefaultRowHeight(20);
    grid->SetScrollBars(fw::ssNone);
    grid->SetColor(0xFFFFFF);
    grid->resize(300, 200);
    return grid;
}

TEST(GridFrame, BackgroundOutsideTheCellsOnlyWhereThereIsRoom)
{
    auto grid = SmallGrid(2, 3);
    grid->BackGround().SetColor(fw::RGBToColor(0, 0, 100));
    grid->BackGround().SetColorTo(fw::RGBToColor(0, 0, 200));
    grid->BackGround().SetDisplay(bdGradientHorz);
    QImage img = grid->viewport()->grab().toImage();
    const int right = grid->CellRect(1, 0).Right + 2;
    const TColor outside = fw::FromQColor(img.pixelColor(right + 20, 5));
    EXPECT_GT(fw::GetBValue(outside), 100) << "the strip right of the last column takes the gradient";
    EXPECT_EQ(fw::GetRValue(outside), 0);
    const TColor below = fw::FromQColor(img.pixelColor(10, grid->CellRect(0, 2).Bottom + 20));
    EXPECT_GE(fw::GetBValue(below), 100) << "and the area below the last row";
    // Horizontal: the colour grows from left to right.
    EXPECT_LT(fw::GetBValue(fw::FromQColor(img.pixelColor(right + 5, 100))),
              fw::GetBValue(fw::FromQColor(img.pixelColor(290, 100))));

    grid->BackGround().SetColorTo(fw::clNone);
    img = grid->viewport()->grab().toImage();
    EXPECT_EQ(fw::FromQColor(img.pixelColor(right + 20, 5)), TColor(0xFFFFFF)) << "no end colour: nothing";
}

TEST(GridFrame, NothingOutsideWhenRowsAndColumnsOverflow)
{
    auto grid = SmallGrid(20, 40);
    grid->BackGround().SetColor(fw::RGBToColor(0, 0, 100));
    grid->BackGround().SetColorTo(fw::RGBToColor(0, 0, 200));
    grid->BackGround().SetDisplay(bdGradientVert);
    grid->BackGround().SetCells(bcFixed);   // the (normal) cells keep their own colour
    const QImage img = grid->viewport()->grab().toImage();
    const auto gradient = [](QRgb p) { return qRed(p) == 0 && qGreen(p) == 0 && qBlue(p) >= 100; };
    EXPECT_EQ(countPixels(img, gradient), 0);
}

TEST(GridFrame, FrameBorderOnlyForTheFlatLooks)
{
    struct Case {
        TGridLook look;
        bool flat;
        bool drawn;
    } cases[] = {{glXP, false, true}, {glVista, false, true}, {glClassic, false, false},
                 {glStandard, false, false}, {glXP, true, false}};
    for (const Case& c : cases) {
        QWidget parent;
        parent.resize(400, 300);
        auto* grid = new TFxStringGrid(&parent);
        grid->SetLook(c.look == glXP ? glRIR : glXP);
        grid->SetLook(c.look);
        grid->SetFlat(c.flat);
        grid->SetBorderColor(0x0000C0);
        grid->SetBounds(10, 10, 200, 100);
        const QImage img = grid->grab().toImage();
        // FitCellsInGrid: one pixel inside the edge, the parent's colour outside it.
        EXPECT_EQ(img.pixelColor(1, 50) == QColor(0xC0, 0, 0), c.drawn) << c.look << " flat " << c.flat;
        EXPECT_NE(img.pixelColor(0, 50), QColor(0xC0, 0, 0));
    }
}

TEST(GridFrame, FocusFrameWindowAroundTheCell)
{
    auto grid = SmallGrid(3, 3);
    grid->show();
    grid->ShowFocusWindow(TRect(10, 20, 110, 40));
    TGridFocusWindow* frame = grid->FocusWindow();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->width(), 109);
    EXPECT_EQ(frame->height(), 29);
    EXPECT_EQ(frame->pos(), grid->viewport()->mapToGlobal(QPoint(6, 16)));
    EXPECT_EQ(frame->ConstantAlpha(), 230);
    // The region is a frame whose hole is exactly the cell.
    const QRegion region = frame->mask();
    EXPECT_TRUE(region.contains(QPoint(0, 0)));
    EXPECT_TRUE(region.contains(QPoint(3, 10)));
    EXPECT_FALSE(region.contains(QPoint(4, 4)));
    EXPECT_FALSE(region.contains(QPoint(103, 23)));
    EXPECT_TRUE(region.contains(QPoint(104, 23)));
    EXPECT_TRUE(region.contains(QPoint(50, 24)));
    EXPECT_EQ(TFxStringGrid::FocusFrameGrid(), grid.get());
    // The colour under full mask alpha is $FDD397 (BGR): red 0x97, green 0xD3, blue 0xFD.
    const QImage pixels = frame->Content();
    const QColor edge = pixels.pixelColor(4, 14).toRgb();
    EXPECT_GT(edge.alpha(), 0);
    grid->HideFocusWindow();
    EXPECT_EQ(TFxStringGrid::FocusFrameGrid(), nullptr);
    EXPECT_FALSE(frame->isVisible());
}

TEST(GridFrame, FocusFrameGridIsForgottenWithItsGrid)
{
    auto grid = SmallGrid(3, 3);
    grid->ShowFocusWindow(TRect(0, 0, 50, 20));
    EXPECT_EQ(TFxStringGrid::FocusFrameGrid(), grid.get());
    grid.reset();
    EXPECT_EQ(TFxStringGrid::FocusFrameGrid(), nullptr);
}

TEST(GridFrame, SizingLineDrawnTwiceLeavesNoTrace)
{
    auto grid = SmallGrid(3, 3);
    int lines = 0;
    grid->Events().OnPainted = [&](QObject*) {
        for (int i = 0; i < lines; ++i)
            grid->DrawSizingLineVert(75);
    };
    const QImage plain = grid->viewport()->grab().toImage();
    lines = 1;
    const QImage once = grid->viewport()->grab().toImage();
    lines = 2;
    const QImage twice = grid->viewport()->grab().toImage();
    EXPECT_NE(once, plain);
    EXPECT_EQ(twice, plain);
    int changed = 0;
    for (int y = 0; y < once.height(); ++y)
        changed += once.pixel(75, y) != plain.pixel(75, y) ? 1 : 0;
    EXPECT_GT(changed, once.height() / 3) << "a dotted line down the whole height";
}

TEST(GridFrame, PaintedEventAfterEveryPass)
{
    auto grid = SmallGrid(3, 3);
    int painted = 0;
    grid->Events().OnPainted = [&](QObject*) { ++painted; };
    grid->viewport()->grab();
    grid->viewport()->grab();
    EXPECT_EQ(painted, 2);
}

} // namespace
