// Alignment and text extent of cells, and the origin of rotated text.
#include "grid/model/FxGrid.h"

#include "framework/Canvas.h"
#include "grid/foundation/SgHTMLE.h"
#include "grid/paint/FxGridPaintUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

class Measure : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = std::make_unique<TFxStringGrid>();
        grid->SetColCount(4);
        grid->SetRowCount(5);
        grid->SetFixedRows(1);
        grid->SetDefaultColWidth(120);
        grid->SetDefaultRowHeight(40);
        grid->SetWordWrap(false);
    }

    fw::TSize Size(int c, int r, bool wrap = false) { return grid->GetCellTextSize(c, r, false, wrap); }
    fw::TCanvas& FontCanvas()
    {
        fw::TCanvas& canvas = grid->Canvas();
        canvas.Font() = grid->Font();
        return canvas;
    }

    std::unique_ptr<TFxStringGrid> grid;
};

TEST_F(Measure, NumbersAlignRightWithAutoNumAlign)
{
    grid->SetAutoNumAlign(true);
    grid->SetDefaultAlignment(fw::taCenter);
    struct Case {
        const char* text;
        fw::TAlignment expected;
    } cases[] = {
        {"12", fw::taRightJustify}, {"-3", fw::taRightJustify}, {"1.5", fw::taRightJustify},
        {"2E5", fw::taRightJustify}, {"12a", fw::taCenter},      {"", fw::taCenter},
    };
    for (const Case& c : cases) {
        grid->SetCells(1, 2, QString::fromLatin1(c.text));
        fw::TAlignment h = fw::taLeftJustify;
        TVAlignment v = vtaBottom;
        grid->GetCellAlignment(1, 2, h, v);
        EXPECT_EQ(h, c.expected) << c.text;
        EXPECT_EQ(v, vtaTop);
    }
}

TEST_F(Measure, OwnAlignmentThenTheEventHaveTheirSay)
{
    grid->SetAutoNumAlign(true);
    grid->SetCells(1, 2, QStringLiteral("12"));
    grid->SetAlignments(1, 2, fw::taCenter);
    fw::TAlignment h;
    TVAlignment v;
    grid->GetCellAlignment(1, 2, h, v);
    EXPECT_EQ(h, fw::taCenter) << "the cell's own alignment beats the number rule";
    grid->SetCells(1, 2, QStringLiteral("=1+2"));
    grid->Events().OnGetAlignment = nullptr;
    grid->GetCellAlignment(1, 2, h, v);
    EXPECT_NE(h, fw::taCenter) << "a formula cell does not take its own alignment";
    grid->Events().OnGetAlignment = [](QObject*, int, int, fw::TAlignment& HAlign, TVAlignment& VAlign) {
        HAlign = fw::taLeftJustify;
        VAlign = vtaBottom;
    };
    grid->SetCells(1, 2, QStringLiteral("12"));
    grid->GetCellAlignment(1, 2, h, v);
    EXPECT_EQ(h, fw::taLeftJustify);
    EXPECT_EQ(v, vtaBottom);
}

TEST_F(Measure, PlainTextExtents)
{
    const int line = FontCanvas().TextHeight(QStringLiteral("gh"));
    EXPECT_EQ(Size(1, 2), fw::TSize(0, line)) << "an empty cell is one line high";
    grid->SetCells(1, 2, QStringLiteral("short\rmuch longer"));
    EXPECT_EQ(Size(1, 2), fw::TSize(FontCanvas().TextWidth(QStringLiteral("short")), line))
        << "without Multilinecells the first line only";
    grid->SetMultilinecells(true);
    EXPECT_EQ(Size(1, 2), fw::TSize(FontCanvas().TextWidth(QStringLiteral("much longer")), 2 * line));
    grid->SetURLShow(true);
    grid->SetCells(1, 3, QStringLiteral("http://ab.example"));
    EXPECT_EQ(Size(1, 3).cx, FontCanvas().TextWidth(QStringLiteral("ab.example"))) << "links measure without scheme";
    grid->SetURLFull(true);
    EXPECT_EQ(Size(1, 3).cx, FontCanvas().TextWidth(QStringLiteral("http://ab.example")));
}

TEST_F(Measure, HtmlMeasuresTwoMoreThanTheRenderer)
{
    const QString html = QStringLiteral("<b>Bold</b> text");
    grid->SetCells(1, 2, html);
    fw::TCanvas& canvas = FontCanvas();
    QString anchor, stripped, focusAnchor, title, id, value, type;
    int w = 0, h = 0, links = 0, mouseLink = 0;
    fw::TRect hover, control;
    fw::TRect r = grid->CellRect(1, 2);
    r = fw::TRect(r.Left + 2, r.Top + 2, 65535, 65535);
    RenderHtmlText(canvas, html, r, nullptr, 0, 0, -1, -1, 1, false, true, false, false, false, false, true, false,
                   1.0, grid->URLColor(), fw::clNone, fw::clNone, fw::clGray, anchor, stripped, focusAnchor, title,
                   w, h, links, mouseLink, hover, control, id, value, type, &grid->ImageCache(), nullptr, grid.get(),
                   bdLeftToRight);
    EXPECT_EQ(Size(1, 2), fw::TSize(w + 2, h + 2));
}

TEST_F(Measure, RotatedTextMeasuresTheTurnedBox)
{
    grid->SetCells(1, 2, QStringLiteral("Rotated text"));
    grid->SetCells(2, 2, QStringLiteral("Rotated text"));
    const fw::TSize flat = Size(1, 2);
    grid->AddRotated(1, 2, 90, QStringLiteral("Rotated text"));
    EXPECT_EQ(Size(1, 2), fw::TSize(flat.cy + 12, flat.cx + 12));
    grid->AddRotated(2, 2, 45, QStringLiteral("Rotated text"));
    const double k = std::sin(M_PI / 4);
    const int side = int(std::trunc(flat.cx * k)) + int(std::trunc(flat.cy * k)) + 12;
    EXPECT_NEAR(Size(2, 2).cx, side, 1);
    EXPECT_NEAR(Size(2, 2).cy, side, 1);
}

TEST_F(Measure, RichTextMeasuresItsLaidOutExtent)
{
    grid->SetCells(1, 2, QStringLiteral("{\\rtf1 plain \\b bold\\b0}"));
    const fw::TSize rich = Size(1, 2);
    EXPECT_GT(rich.cx, FontCanvas().TextWidth(QStringLiteral("plain ")));
    EXPECT_EQ(rich.cy, FontCanvas().TextHeight(QStringLiteral("gh")) + 4);
}

TEST(RotatedText, OriginByQuadrantAndAlignment)
{
    // W = 100, H = 50; extents a = 10, b = 20, c = 30, d = 40.
    struct Case {
        int angle, h, v;
        int left, top;
    } cases[] = {
        {30, 0, 0, 0, 20},     {30, 1, 2, 30, 40},    {30, 2, 1, 15, 30},
        {120, 0, 0, 40, 30},   {120, 1, 2, 70, 50},   {120, 2, 1, 55, 40},
        {200, 0, 0, 70, 10},   {200, 1, 2, 100, 30},  {200, 2, 1, 85, 20},
        {300, 0, 0, 30, 0},    {300, 1, 2, 60, 20},   {300, 2, 1, 45, 10},
        {-30, 0, 0, 0, 20},
    };
    for (const Case& c : cases) {
        fw::TRect r(0, 0, 100, 50);
        RotatedTextOrigin(r, c.h, c.v, 10, 20, 30, 40, c.angle);
        EXPECT_EQ(r.Left, c.left) << c.angle << " " << c.h << " " << c.v;
        EXPECT_EQ(r.Top, c.top) << c.angle << " " << c.h << " " << c.v;
        EXPECT_EQ(r.Right, 100);
        EXPECT_EQ(r.Bottom, 50);
    }
}

} // namespace
