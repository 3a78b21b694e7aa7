// The grid's picture container: "<IMG src=name>" in HTML cell texts, cell
// measuring, hints, the footer panel and printing find their named pictures
// in it.
#include "grid/model/FxGrid.h"

#include "framework/Canvas.h"
#include "grid/foundation/PictureContainer.h"
#include "grid/paint/FxFloatingFooter.h"
#include "grid/paint/FxGridPrint_p.h"
#include "grid/paint/FxHTMLHintWindow.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include <memory>

using fw::TColor;
using testsupport::colorIs;
using testsupport::countPixels;
using testsupport::toQRect;

namespace {

constexpr TColor kRed = 0x0000FF;
constexpr TColor kBlue = 0xFF0000;

void addPicture(TPictureContainer& container, const QString& name, int width, int height, QRgb colour)
{
    TPictureItem* item = container.Items().Add();
    item->Name = name;
    THTMLPicture picture;
    ASSERT_TRUE(picture.LoadFromStream(testsupport::pngBytes(width, height, colour)));
    item->SetPicture(picture);
}

class PictureContainer : public ::testing::Test {
protected:
    void SetUp() override
    {
        addPicture(*container, QStringLiteral("Dot"), 16, 16, qRgb(255, 0, 0));
        addPicture(*container, QStringLiteral("Tall"), 12, 50, qRgb(0, 0, 255));
        grid = std::make_unique<TFxStringGrid>();
        grid->SetColCount(3);
        grid->SetRowCount(4);
        grid->SetDefaultColWidth(80);
        grid->SetDefaultRowHeight(22);
        grid->SetScrollBars(fw::ssNone);
        grid->SetColor(0xFFFFFF);
        grid->SetEnableHTML(true);
        grid->resize(3 * 81 + 10, 4 * 23 + 10);
        grid->SetPictureContainer(container.get());
    }

    std::unique_ptr<TPictureContainer> container = std::make_unique<TPictureContainer>();
    std::unique_ptr<TFxStringGrid> grid;
};

TEST_F(PictureContainer, AnHtmlCellShowsItsNamedPicture)
{
    grid->SetCells(1, 1, QStringLiteral("<IMG src=\"dot\"> <b>on</b>"));
    grid->SetCells(1, 2, QStringLiteral("<IMG src=\"none\"> <b>on</b>"));
    const QImage img = grid->viewport()->grab().toImage();
    const QRect cell = toQRect(grid->CellRect(1, 1));
    EXPECT_EQ(countPixels(img, colorIs(kRed), cell), 16 * 16) << "the whole picture inside its cell";
    EXPECT_EQ(countPixels(img, colorIs(kRed), QRect(0, 0, img.width(), img.height())), 16 * 16);
    EXPECT_EQ(countPixels(img, colorIs(kRed), toQRect(grid->CellRect(1, 2))), 0) << "an unknown name shows nothing";

    // Another container, and none: the grid repaints with what it has now.
    TPictureContainer other;
    addPicture(other, QStringLiteral("dot"), 10, 10, qRgb(0, 0, 255));
    grid->SetPictureContainer(&other);
    const QImage swapped = grid->viewport()->grab().toImage();
    EXPECT_EQ(countPixels(swapped, colorIs(kBlue), cell), 10 * 10);
    EXPECT_EQ(countPixels(swapped, colorIs(kRed), cell), 0);
    grid->SetPictureContainer(nullptr);
    EXPECT_EQ(countPixels(grid->viewport()->grab().toImage(), colorIs(kBlue), cell), 0);
}

TEST_F(PictureContainer, AContainerFreedFirstIsGoneForTheGrid)
{
    grid->SetCells(1, 1, QStringLiteral("<IMG src=\"dot\">"));
    container.reset();
    EXPECT_EQ(grid->PictureContainer(), nullptr);
    const QImage img = grid->viewport()->grab().toImage();
    EXPECT_EQ(countPixels(img, colorIs(kRed), toQRect(grid->CellRect(1, 1))), 0);
}

TEST_F(PictureContainer, CellsMeasureTheirPictures)
{
    grid->SetCells(1, 1, QStringLiteral("<IMG src=\"tall\">"));
    const fw::TSize size = grid->GetCellTextSize(1, 1, false, false);
    EXPECT_EQ(size.cx, 12 + 2);
    EXPECT_EQ(size.cy, 50 + 2);
    grid->AutoSizeRow(1);
    EXPECT_GE(grid->RowHeights(1), 50) << "auto-size makes room for the picture";
}

TEST_F(PictureContainer, HintsTakeTheGridsPictures)
{
    THTMLHintWindow hint;
    hint.ActivateHintData(fw::TRect(10, 10, 20, 20), QStringLiteral("<IMG src=\"tall\"> <b>hint</b>"), grid.get());
    EXPECT_EQ(hint.PictureContainer(), container.get());
    EXPECT_GE(hint.TextHeight(), 50);
    const QImage img = hint.grab().toImage();
    EXPECT_EQ(countPixels(img, colorIs(kBlue), QRect(0, 0, img.width(), img.height())), 12 * 50);
    hint.hide();

    THTMLHintWindow& scrollHint = grid->ScrollHintWindow();
    EXPECT_EQ(scrollHint.PictureContainer(), container.get()) << "the grid's own scroll hint window";
}

TEST_F(PictureContainer, TheFooterPreviewShowsNamedPictures)
{
    TFloatingFooter& footer = grid->FloatingFooter();
    footer.SetFooterStyle(fsCustomPreview);
    footer.SetCustomTemplate(QStringLiteral("<IMG src=\"dot\"> <b>total</b>"));
    footer.SetVisible(true);
    TFooterPanel& panel = grid->FooterPanel();
    panel.resize(grid->width(), std::max(panel.PanelHeight(), 20));
    const QImage img = panel.grab().toImage();
    EXPECT_GT(countPixels(img, colorIs(kRed), QRect(0, 0, img.width(), img.height())), 0);
}

TEST_F(PictureContainer, PrintedHtmlMeasuresNamedPictures)
{
    fw::TCanvas none;
    const QString html = QStringLiteral("<IMG src=\"tall\"> <b>title</b>");
    const fw::TSize with = PrintHtmlText(*grid, none, html, grid->Font(), fw::TRect(0, 0, 2000, -1), 1.0, true,
                                         false, nullptr);
    // 50 pixels at 96 dpi in 0.1 mm.
    EXPECT_EQ(with.cy, int(std::lround(50 * 254.0 / 96)));
    grid->SetPictureContainer(nullptr);
    const fw::TSize without = PrintHtmlText(*grid, none, html, grid->Font(), fw::TRect(0, 0, 2000, -1), 1.0, true,
                                            false, nullptr);
    EXPECT_LT(without.cy, with.cy);
}

TEST_F(PictureContainer, ALinkOnAPictureIsHitWhereThePictureShows)
{
    grid->show();
    grid->SetCells(1, 1, QStringLiteral("<a href=\"pic\"><IMG src=\"dot\"></a>"));
    QStringList entered;
    grid->Events().OnAnchorEnter = [&](QObject*, int, int, const QString& a) { entered << a; };
    const QImage img = grid->viewport()->grab().toImage();
    const QRect cell = toQRect(grid->CellRect(1, 1));
    const QRect picture = testsupport::pixelBox(img, colorIs(kRed), cell);
    ASSERT_EQ(picture.size(), QSize(16, 16));
    QTest::mouseMove(grid->viewport(), picture.center());
    EXPECT_EQ(entered, QStringList{QStringLiteral("pic")});
}

} // namespace
