// Pictures of grids as a user sees them: one grid per look and per style
// preset, every kind of cell graphic, headers with sort marks and filter
// buttons, HTML and rich-text cells, the floating footer with the search
// panel, a balloon and a hint. Each picture is checked for what must show;
// when pictures are kept (testsupport::keepShot) they are saved for a person
// to look at.
#include "grid/model/FxGrid.h"

#include "framework/BalloonTip.h"
#include "framework/Canvas.h"
#include "framework/SysColors.h"
#include "grid/foundation/FxObj.h"
#include "grid/foundation/FxOptions.h"
#include "grid/foundation/FxUtilDraw.h"
#include "grid/model/FxCellNode.h"
#include "grid/model/FxSortSettings.h"
#include "grid/paint/FxControlLook.h"
#include "grid/paint/FxFloatingFooter.h"
#include "grid/paint/FxGridAppearance.h"
#include "grid/paint/FxHTMLHintWindow.h"
#include "grid/paint/FxSearchPanel.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QSet>

#include <functional>
#include <memory>
#include <vector>

using fw::TColor;
using testsupport::colorIs;
using testsupport::countPixels;
using testsupport::toQRect;

namespace {

int ColourCount(const QImage& img, QRect area = {})
{
    if (area.isNull())
        area = img.rect();
    QSet<QRgb> colours;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            colours.insert(img.pixel(x, y) & 0xFFFFFF);
    return int(colours.size());
}

// Pictures side by side in rows of `perRow`, each under its caption.
QImage Montage(const std::vector<std::pair<QString, QImage>>& tiles, int perRow)
{
    constexpr int caption = 18, gap = 8;
    int tileW = 0, tileH = 0;
    for (const auto& t : tiles) {
        tileW = std::max(tileW, t.second.width());
        tileH = std::max(tileH, t.second.height());
    }
    const int rows = (int(tiles.size()) + perRow - 1) / perRow;
    QImage out(gap + perRow * (tileW + gap), gap + rows * (tileH + caption + gap), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    for (int i = 0; i < int(tiles.size()); ++i) {
        const int x = gap + (i % perRow) * (tileW + gap);
        const int y = gap + (i / perRow) * (tileH + caption + gap);
        p.setPen(Qt::black);
        p.drawText(QRect(x, y, tileW, caption), Qt::AlignLeft | Qt::AlignVCenter, tiles[i].first);
        p.drawImage(x, y + caption, tiles[i].second);
    }
    return out;
}

// A small table: a header row and column, texts, a sorted column, a
// selected block and the current cell.
void FillTable(TFxStringGrid& grid)
{
    grid.SetColCount(4);
    grid.SetRowCount(6);
    grid.SetFixedCols(1);
    grid.SetFixedRows(1);
    grid.SetDefaultColWidth(70);
    grid.SetColWidths(0, 30);
    grid.SetDefaultRowHeight(21);
    grid.SetScrollBars(fw::ssNone);
    const char* headers[] = {"", "Name", "Value", "Unit"};
    for (int c = 0; c < 4; ++c)
        grid.SetCells(c, 0, QString::fromLatin1(headers[c]));
    for (int r = 1; r < 6; ++r) {
        grid.SetCells(0, r, QString::number(r));
        grid.SetCells(1, r, QStringLiteral("Channel %1").arg(r));
        grid.SetCells(2, r, QString::number(r * 12.5, 'f', 1));
        grid.SetCells(3, r, QStringLiteral("lx"));
    }
    grid.SortSettings().SetShow(true);
    grid.SortSettings().SetColumn(2);
    grid.SetSelection({1, 2, 2, 3});
    grid.resize(30 + 3 * 70 + 8, 6 * 21 + 10);
}

QImage GridPicture(TFxStringGrid& grid)
{
    return grid.grab().toImage();
}

// The header's middle pixel of column 2 and the middle pixel of an unselected data cell.
QRgb HeaderPixel(TFxStringGrid& grid, const QImage& img)
{
    const fw::TRect r = grid.CellRect(1, 0);
    const QPoint origin = grid.viewport()->mapTo(&grid, QPoint(0, 0));
    // Past the caption "Name", clear of its letters in any face.
    return img.pixel(origin.x() + r.Left + 50, origin.y() + r.Top + r.Height() / 2) & 0xFFFFFF;
}

TEST(Screenshots, OneGridPerLook)
{
    std::vector<std::pair<QString, QImage>> tiles;
    QSet<QRgb> headers;
    for (int l = glStandard; l < glCustom; ++l) {
        TFxStringGrid grid;
        FillTable(grid);
        grid.SetLook(TGridLook(l));
        const QImage img = GridPicture(grid);
        EXPECT_GT(ColourCount(img), 6) << TFxStringGrid::LookName(TGridLook(l)).toStdString();
        headers.insert(HeaderPixel(grid, img));
        tiles.emplace_back(TFxStringGrid::LookName(TGridLook(l)), img);
    }
    EXPECT_GE(headers.size(), 4) << "the looks give their headers different faces";
    testsupport::keepShot(Montage(tiles, 3), QStringLiteral("grid_looks"));
}

TEST(Screenshots, OneGridPerStylePresetAndColourTones)
{
    static const char* const names[] = {
        "Office2003Blue",   "Office2003Silver", "Office2003Olive",  "Office2003Classic", "Office2007Luna",
        "Office2007Obsidian", "WindowsXP",      "Whidbey",          "Custom",            "Office2007Silver",
        "WindowsVista",     "Windows7",         "Terminal",         "Office2010Blue",    "Office2010Silver",
        "Office2010Black"};
    std::vector<std::pair<QString, QImage>> tiles;
    QSet<QRgb> headers;
    for (int s = gsOffice2003Blue; s <= gsOffice2010Black; ++s) {
        TFxStringGrid grid;
        FillTable(grid);
        grid.SetStyle(TFxGridStyle(s));
        const QImage img = GridPicture(grid);
        headers.insert(HeaderPixel(grid, img));
        tiles.emplace_back(QString::fromLatin1(names[s]), img);
    }
    EXPECT_GE(headers.size(), 10) << "most presets give their headers a face of their own";

    TFxStringGrid toned;
    FillTable(toned);
    TColorTones tones;
    tones.Background = {0xFFFFFF, 0xD0D0D0, 0x202020};
    tones.Foreground = {0x7A4A1E, 0x7A4A1E, 0xFFFFFF};
    tones.Selected = {0xD77800, 0xD77800, 0xFFFFFF};
    tones.Hover = {0xF0E0D0, 0xF0E0D0, 0x202020};
    tones.Disabled = {0xF0F0F0, 0xC0C0C0, 0xA0A0A0};
    toned.SetColorTones(tones);
    toned.AddCheckBox(3, 2, true, false);
    const QImage img = GridPicture(toned);
    EXPECT_EQ(HeaderPixel(toned, img), qRgb(0x1E, 0x4A, 0x7A) & 0xFFFFFF)
        << "the foreground tone fills the headers";
    tiles.emplace_back(QStringLiteral("SetColorTones"), img);
    testsupport::keepShot(Montage(tiles, 4), QStringLiteral("grid_styles"));
}

// A grid that holds nodes for its tree lines.
class TreeGrid : public TFxStringGrid {
public:
    bool HasNodes() override { return true; }
};

TEST(Screenshots, EveryKindOfCellGraphic)
{
    TreeGrid grid;
    grid.SetColCount(4);
    grid.SetRowCount(10);
    grid.SetFixedRows(1);
    grid.SetFixedCols(0);
    grid.SetDefaultColWidth(150);
    grid.SetColWidths(0, 110);
    grid.SetDefaultRowHeight(26);
    grid.SetRowHeights(8, 60);
    grid.SetRowHeights(9, 40);
    grid.SetScrollBars(fw::ssNone);
    grid.SetLook(glXP);
    grid.SetCells(0, 0, QStringLiteral("Tree"));
    grid.SetCells(1, 0, QStringLiteral("Boxes and buttons"));
    grid.SetCells(2, 0, QStringLiteral("Bars"));
    grid.SetCells(3, 0, QStringLiteral("Pictures"));

    // Column 0: a node with its children and tree lines.
    grid.CellNode().SetShowTree(true);
    grid.SetCells(0, 1, QStringLiteral("Gateway"));
    grid.AddNode(1, 4);
    for (int r = 2; r <= 4; ++r)
        grid.SetCells(0, r, QStringLiteral("Port %1").arg(r - 1));
    grid.SetCells(0, 5, QStringLiteral("Bus"));
    grid.AddNode(5, 3);
    grid.SetCells(0, 6, QStringLiteral("Line A"));
    grid.SetCells(0, 7, QStringLiteral("Line B"));

    // Column 1: check boxes, radio buttons and groups, buttons.
    grid.SetCells(1, 1, QStringLiteral("checked"));
    grid.AddCheckBox(1, 1, true, false);
    grid.SetCells(1, 2, QStringLiteral("unchecked"));
    grid.AddCheckBox(1, 2, false, false);
    grid.SetCells(1, 3, QStringLiteral("grayed"));
    grid.AddCheckBox(1, 3, cbGrayed);
    grid.SetCells(1, 4, QStringLiteral("radio"));
    grid.AddRadioButton(1, 4, true);
    fw::TStringList captions;
    captions.Add(QStringLiteral("DMX"));
    captions.Add(QStringLiteral("DALI"));
    captions.Add(QStringLiteral("CAN"));
    grid.AddRadio(1, 5, 1, 1, &captions);
    grid.AddButton(1, 6, 90, 20, QStringLiteral("Button"), haLeft, vaCenter);
    fw::TBitmap glyph(12, 12);
    glyph.Canvas().Brush().Color = 0x00A000;
    glyph.Canvas().FillRect(fw::TRect(0, 0, 12, 12));
    glyph.Canvas().Brush().Color = 0xFF00FF;   // the lower-left pixel is the transparent key
    glyph.Canvas().FillRect(fw::TRect(0, 9, 3, 12));
    grid.AddBitButton(1, 7, 110, 22, QStringLiteral("Bit button"), &glyph, haLeft, vaCenter);
    grid.SetCells(1, 8, QStringLiteral("expand"));
    grid.AddExpand(1, 8, 80);
    grid.SetCells(1, 9, QStringLiteral("rotated"));
    grid.AddRotated(1, 9, 20, QStringLiteral("rotated"));

    // Column 2: progress, styled progress, pie, range, rating, comment.
    grid.SetCells(2, 1, QStringLiteral("65"));
    grid.AddProgress(2, 1, 0x00A000, 0xE8E8E8);
    grid.SetCells(2, 2, QStringLiteral("80"));
    grid.AddFxProgress(2, 2, 0, 100);
    grid.AddProgressPie(2, 3, 0xC06000, 70);
    grid.SetCells(2, 4, QStringLiteral("-40"));
    grid.AddRangeIndicator(2, 4, 100, 0x0000C0, 0x00A000, true);
    grid.SetCells(2, 5, QStringLiteral("3.5"));
    grid.AddRating(2, 5, 5, 0x00B0FF, 0xD0D0D0);
    grid.SetCells(2, 6, QStringLiteral("with a comment"));
    grid.AddComment(2, 6, QStringLiteral("note"));
    grid.SetCells(2, 7, QStringLiteral("shape"));
    grid.AddShape(2, 7, csStar, 0x00C0FF, 0x0060A0, haRight, vaCenter);

    // Column 3: image list images, a bitmap, an icon.
    fw::TImageList images(16, 16);
    const TColor colours[] = {0x0000C0, 0x00A000, 0xC00000};
    for (TColor c : colours) {
        fw::TBitmap b(16, 16);
        b.Canvas().Brush().Color = c;
        b.Canvas().Pen().Color = 0x000000;
        b.Canvas().Ellipse(1, 1, 15, 15);
        images.Add(b);
    }
    grid.SetGridImages(&images);
    grid.SetCells(3, 1, QStringLiteral("image"));
    grid.AddImageIdx(3, 1, 1, haBeforeText, vaCenter);
    grid.AddMultiImage(3, 2, 0, haLeft, vaCenter);
    if (TIntList* list = grid.CellImages(3, 2)) {
        list->Add(0);
        list->Add(1);
        list->Add(2);
    }
    grid.SetCells(3, 3, QStringLiteral("2"));
    grid.AddDataImage(3, 3, 0, haCenter, vaCenter);
    fw::TBitmap bitmap(20, 20);
    bitmap.Canvas().Brush().Color = 0xE0A000;
    bitmap.Canvas().FillRect(fw::TRect(0, 0, 20, 20));
    grid.SetCells(3, 4, QStringLiteral("bitmap after"));
    grid.AddBitmap(3, 4, &bitmap, false, haAfterText, vaCenter);

    grid.resize(110 + 3 * 150 + 8, 8 * 26 + 60 + 40 + 10);
    const QImage img = GridPicture(grid);
    testsupport::keepShot(img, QStringLiteral("grid_graphics"));

    const QPoint origin = grid.viewport()->mapTo(&grid, QPoint(0, 0));
    auto cell = [&](int c, int r) { return toQRect(grid.CellRect(c, r)).translated(origin); };
    EXPECT_GT(countPixels(img, colorIs(0x00A000), cell(2, 1)), 100) << "progress";
    EXPECT_GT(countPixels(img, colorIs(0xC06000), cell(2, 3)), 50) << "pie";
    EXPECT_GT(countPixels(img, colorIs(0x0000C0), cell(2, 4)), 20) << "negative range";
    EXPECT_GT(countPixels(img, colorIs(0x00B0FF), cell(2, 5)), 100) << "rating";
    EXPECT_GT(countPixels(img, colorIs(0xE0A000), cell(3, 4)), 300) << "bitmap";
    EXPECT_GT(countPixels(img, colorIs(0x00A000), cell(3, 1)), 50) << "image of the list";
    for (TColor c : colours)
        EXPECT_GT(countPixels(img, colorIs(c), cell(3, 2)), 50) << "every image of a multi-image cell";
    EXPECT_GT(countPixels(img, colorIs(0x00A000), cell(1, 7)), 50) << "bit button glyph";
    EXPECT_GT(countPixels(img, colorIs(0x808080), cell(0, 3)), 5) << "tree lines";
    for (int r = 1; r <= 9; ++r)
        EXPECT_GT(countPixels(img, [](QRgb p) { return qGray(p) < 160; }, cell(1, r).adjusted(2, 2, -2, -2)), 20)
            << "column 1, row " << r;
}

TEST(Screenshots, HeadersWithSortMarksAndFilterButtons)
{
    std::vector<std::pair<QString, QImage>> tiles;
    for (bool indexes : {false, true}) {
        TFxStringGrid grid;
        FillTable(grid);
        grid.SetRowCount(7);
        grid.SetFixedRows(2);
        grid.SetCells(1, 1, QStringLiteral("Name"));
        grid.SetCells(2, 1, QStringLiteral("Value"));
        grid.SetCells(3, 1, QStringLiteral("Unit"));
        grid.SetCells(1, 0, QStringLiteral("filter"));
        grid.SetCells(2, 0, QStringLiteral("filter"));
        grid.SetCells(3, 0, QString());
        grid.SetFilterDropDownRow(0);
        grid.Events().OnGetColumnFilter = [](QObject*, int Column, fw::TStringList& Filter) {
            if (Column == 1 || Column == 2)
                Filter.Add(QStringLiteral("> 10"));
        };
        grid.SortSettings().SetRow(1);
        grid.SortSettings().SetColumn(2);
        grid.SortSettings().SetDirection(indexes ? sdAscending : sdDescending);
        if (indexes) {
            grid.SortSettings().SetIndexShow(true);
            grid.SortIndexes().AddIndex(2, true);
            grid.SortIndexes().AddIndex(1, false);
        }
        grid.SetDefaultColWidth(80);
        grid.SetColWidths(0, 30);
        grid.resize(30 + 3 * 80 + 8, 7 * 21 + 10);
        const QImage img = GridPicture(grid);
        const QPoint origin = grid.viewport()->mapTo(&grid, QPoint(0, 0));
        const QRect filterCell = toQRect(grid.CellRect(1, 0)).translated(origin);
        const QRect plainCell = toQRect(grid.CellRect(3, 0)).translated(origin);
        EXPECT_GT(ColourCount(img, filterCell.adjusted(filterCell.width() - 18, 0, 0, 0)),
                  ColourCount(img, plainCell.adjusted(plainCell.width() - 18, 0, 0, 0)))
            << "a filter button in the columns with filter entries";
        if (indexes) {
            EXPECT_GT(countPixels(img, colorIs(grid.SortSettings().IndexColor()),
                                  toQRect(grid.CellRect(1, 1)).translated(origin)),
                      20)
                << "the second sort column shows its index mark";
        }
        tiles.emplace_back(indexes ? QStringLiteral("sort indexes") : QStringLiteral("descending sort"), img);
    }
    testsupport::keepShot(Montage(tiles, 2), QStringLiteral("grid_headers"));
}

TEST(Screenshots, HtmlAndRichTextCells)
{
    TFxStringGrid grid;
    FillTable(grid);
    grid.SetColWidths(1, 230);
    grid.SetRowHeights(1, 26);
    grid.SetRowHeights(2, 40);
    grid.SetCells(1, 1,
                  QStringLiteral("<b>Bold</b> <i>italic</i> <font color=\"clRed\">red</font> <u>under</u> "
                                 "<a href=\"http://127.0.0.1/\">link</a>"));
    grid.SetCells(1, 2,
                  QStringLiteral("{\\rtf1\\ansi{\\colortbl ;\\red0\\green128\\blue0;}plain \\b bold\\b0  \\i italic\\i0  "
                                 "H\\sub 2\\nosupersub O x\\super 2\\nosupersub  \\cf1 green\\cf0\\par second line}"));
    grid.SetSelection({3, 5, 3, 5});
    grid.resize(30 + 230 + 2 * 70 + 8, 6 * 21 + 30);
    const QImage img = GridPicture(grid);
    testsupport::keepShot(img, QStringLiteral("grid_html_rtf"));
    const QPoint origin = grid.viewport()->mapTo(&grid, QPoint(0, 0));
    const QRect html = toQRect(grid.CellRect(1, 1)).translated(origin);
    const QRect rtf = toQRect(grid.CellRect(1, 2)).translated(origin);
    EXPECT_GT(countPixels(img, [](QRgb p) { return qRed(p) > 180 && qGreen(p) < 90 && qBlue(p) < 90; }, html), 10)
        << "the red font of the HTML cell";
    EXPECT_GT(countPixels(img, [](QRgb p) { return qGreen(p) > 90 && qRed(p) < 60 && qBlue(p) < 60; }, rtf), 10)
        << "the green run of the rich text";
    const QRect secondLine = rtf.adjusted(0, rtf.height() / 2, 0, 0);
    EXPECT_GT(countPixels(img, [](QRgb p) { return qGray(p) < 100; }, secondLine), 10)
        << "the rich text's second paragraph";
}

TEST(Screenshots, FloatingFooterAndSearchPanel)
{
    TFxStringGrid grid;
    FillTable(grid);
    grid.SetRowCount(8);
    for (int r = 5; r < 7; ++r) {
        grid.SetCells(1, r, QStringLiteral("Channel %1").arg(r));
        grid.SetCells(2, r, QString::number(r * 12.5, 'f', 1));
    }
    grid.SetCells(1, 7, QStringLiteral("Total"));
    grid.SetCells(2, 7, QStringLiteral("350.0"));
    grid.FloatingFooter().SetBorderColor(0x808080);
    grid.FloatingFooter().SetVisible(true);
    TSearchFooter& sf = grid.SearchFooter();
    sf.SetFindNextCaption(QStringLiteral("Find next"));
    sf.SetFindPrevCaption(QStringLiteral("Find previous"));
    sf.SetHighLightCaption(QStringLiteral("Highlight"));
    sf.SetMatchCaseCaption(QStringLiteral("Match case"));
    sf.SetVisible(true);
    grid.resize(520, 8 * 21 + 32 + 40);
    grid.show();
    QApplication::processEvents();
    const QImage img = GridPicture(grid);
    testsupport::keepShot(img, QStringLiteral("grid_footer_search"));
    const QRect footer = grid.FooterPanel().geometry();
    const QRect search = grid.SearchPanel().geometry();
    EXPECT_TRUE(grid.FooterPanel().isVisible());
    EXPECT_TRUE(grid.SearchPanel().isVisible());
    EXPECT_LE(footer.bottom(), search.top()) << "the footer strip stands above the search bar";
    EXPECT_GT(countPixels(img, [](QRgb p) { return qGray(p) < 100; }, footer), 30) << "the total row's texts";
    EXPECT_GT(ColourCount(img, search), 10) << "the search bar's controls";
}

TEST(Screenshots, BalloonAndHint)
{
    TFxStringGrid grid;
    FillTable(grid);
    grid.show();
    grid.AddBalloon(1, 2, QStringLiteral("Channel 2"), QStringLiteral("Dimmed to 25 percent by the DALI rule"),
                    TFxStringGrid::biInfo);
    grid.Balloon().SetEnable(true);
    fw::TBalloonToolTip& tip = *grid.BalloonToolTip();
    const fw::TRect cell = grid.CellRect(1, 2);
    ASSERT_TRUE(tip.Popup(QPoint(cell.Left + 10, cell.Top + 10)));
    QApplication::processEvents();
    const QImage balloon = tip.grab().toImage();
    testsupport::keepShot(balloon, QStringLiteral("grid_balloon"));
    EXPECT_EQ(tip.Title(), QStringLiteral("Channel 2"));
    EXPECT_GT(ColourCount(balloon), 4);

    THTMLHintWindow hint;
    hint.ActivateHint(fw::Bounds(40, 40, 10, 10),
                      QStringLiteral("<b>Value</b> of channel 2:<br><font color=\"clBlue\">31.5</font> lx"));
    QApplication::processEvents();
    const QImage hintImage = hint.grab().toImage();
    testsupport::keepShot(hintImage, QStringLiteral("grid_hint"));
    EXPECT_EQ(hint.width(), hint.TextWidth() + 16);
    EXPECT_GT(countPixels(hintImage, [](QRgb p) { return qBlue(p) > 180 && qRed(p) < 80 && qGreen(p) < 80; }), 5)
        << "the hint's blue run";
    tip.Pop();
}

} // namespace
