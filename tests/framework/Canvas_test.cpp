#include "framework/Canvas.h"
#include "framework/SysColors.h"
#include "support/TestSupport.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <gtest/gtest.h>

using namespace fw;

namespace {

class CanvasTest : public ::testing::Test {
protected:
    CanvasTest() : image(120, 80, QImage::Format_RGB32)
    {
        image.fill(Qt::white);
        canvas = std::make_unique<TCanvas>(&image);
    }

    TColor px(int x, int y) { return canvas->Pixel(x, y); }

    // Bounding box of the pixels that differ from white.
    TRect ink() { return testsupport::toTRect(testsupport::pixelBox(image, testsupport::rgbIsNot(0xFFFFFF))); }

    // Pixels of the canvas after its painter is closed.
    QImage pixels()
    {
        canvas->Release();
        return image.copy();
    }

    void reset()
    {
        canvas->Release();
        image.fill(Qt::white);
    }

    QImage image;
    std::unique_ptr<TCanvas> canvas;
};

bool inside(const TRect& inner, const TRect& outer)
{
    return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right
        && inner.Bottom <= outer.Bottom;
}

} // namespace

TEST_F(CanvasTest, RectangleLeavesOutRightAndBottomEdge)
{
    canvas->Pen().Color = clBlack;
    canvas->Brush().Color = clRed;
    canvas->Rectangle(10, 10, 20, 15);
    EXPECT_EQ(px(10, 10), clBlack);
    EXPECT_EQ(px(19, 14), clBlack);
    EXPECT_EQ(px(15, 12), clRed);
    EXPECT_EQ(px(20, 12), clWhite);
    EXPECT_EQ(px(15, 15), clWhite);
    EXPECT_EQ(ink(), Rect(10, 10, 20, 15));
}

TEST_F(CanvasTest, RectangleWithoutPenFillsOnePixelLess)
{
    canvas->Pen().Style = psClear;
    canvas->Brush().Color = clBlue;
    canvas->Rectangle(10, 10, 20, 15);
    EXPECT_EQ(ink(), Rect(10, 10, 19, 14));
}

TEST_F(CanvasTest, ShapesStayInsideTheirRectangleAndTouchEachSide)
{
    struct Case {
        const char* name;
        void (*draw)(TCanvas&, const TRect&);
    };
    const Case cases[] = {
        {"ellipse", [](TCanvas& c, const TRect& r) { c.Ellipse(r); }},
        {"round rect", [](TCanvas& c, const TRect& r) { c.RoundRect(r.Left, r.Top, r.Right, r.Bottom, 10, 10); }},
        {"rectangle", [](TCanvas& c, const TRect& r) { c.Rectangle(r); }},
        {"swapped corners", [](TCanvas& c, const TRect& r) { c.Rectangle(r.Right, r.Bottom, r.Left, r.Top); }},
    };
    const TRect box(10, 10, 41, 30);
    for (const Case& c : cases) {
        reset();
        canvas->Pen().Color = clBlack;
        canvas->Brush().Color = clGreen;
        c.draw(*canvas, box);
        EXPECT_EQ(ink(), box) << c.name;
        EXPECT_EQ(px(25, 20), clGreen) << c.name;
    }
    reset();
    canvas->Ellipse(box);
    EXPECT_EQ(px(10, 10), clWhite);   // an ellipse leaves the corners free
}

TEST_F(CanvasTest, LineToLeavesOutTheEndPoint)
{
    struct Case {
        TPoint from, to, lastDrawn;
        TRect pixels;   // bounding box of all pixels drawn
    };
    const Case cases[] = {
        {{5, 5}, {15, 5}, {14, 5}, Rect(5, 5, 15, 6)},
        {{5, 5}, {5, 15}, {5, 14}, Rect(5, 5, 6, 15)},
        {{15, 5}, {5, 5}, {6, 5}, Rect(6, 5, 16, 6)},    // leftwards
        {{5, 15}, {5, 5}, {5, 6}, Rect(5, 6, 6, 16)},    // upwards
        {{5, 5}, {15, 15}, {14, 14}, Rect(5, 5, 15, 15)},
        {{15, 15}, {5, 5}, {6, 6}, Rect(6, 6, 16, 16)},
    };
    for (const Case& c : cases) {
        reset();
        canvas->MoveTo(c.from.X, c.from.Y);
        canvas->LineTo(c.to.X, c.to.Y);
        EXPECT_EQ(px(c.from.X, c.from.Y), clBlack);
        EXPECT_EQ(px(c.lastDrawn.X, c.lastDrawn.Y), clBlack);
        EXPECT_EQ(px(c.to.X, c.to.Y), clWhite) << c.to.X << "," << c.to.Y;
        EXPECT_EQ(canvas->PenPos(), c.to);
        canvas->Release();
        EXPECT_EQ(ink(), c.pixels) << c.to.X << "," << c.to.Y;
    }
    reset();
    canvas->MoveTo(7, 7);
    canvas->LineTo(7, 7);
    canvas->Release();
    EXPECT_EQ(ink(), TRect());
}

TEST_F(CanvasTest, RectangleOutlinedInTheBrushColourIsOneSolidBlock)
{
    struct Case {
        const char* name;
        TBrushStyle brush;
        TPenMode mode;
        TColor inside;   // pixel (15, 12), inside the outline
        TColor edge;     // pixel (10, 10), on the outline
    };
    const Case cases[] = {
        {"solid brush", bsSolid, pmCopy, clRed, clRed},
        {"hollow brush keeps the inside", bsClear, pmCopy, clWhite, clRed},
        {"a mixing pen mixes fill and outline", bsSolid, pmXor, TColor(0xFFFF00), TColor(0xFFFF00)},
    };
    for (const Case& c : cases) {
        reset();
        canvas->Pen().Color = clRed;
        canvas->Pen().Mode = c.mode;
        canvas->Brush().Color = clRed;
        canvas->Brush().Style = c.brush;
        canvas->Rectangle(10, 10, 20, 15);
        EXPECT_EQ(px(15, 12), c.inside) << c.name;
        EXPECT_EQ(px(10, 10), c.edge) << c.name;
        EXPECT_EQ(px(19, 14), c.edge) << c.name;
        EXPECT_EQ(px(20, 12), clWhite) << c.name;
        EXPECT_EQ(px(15, 15), clWhite) << c.name;
    }
}

TEST_F(CanvasTest, PolylineJoinsWithoutOverlapSoXorDrawsEveryPixelOnce)
{
    canvas->Pen().Mode = pmXor;
    canvas->Pen().Color = clWhite;
    canvas->Polyline({{10, 10}, {20, 10}, {20, 20}, {10, 20}, {10, 10}});
    // A closed outline under XOR: the corners would cancel if drawn twice.
    for (TPoint p : {TPoint(10, 10), TPoint(20, 10), TPoint(20, 20), TPoint(10, 20), TPoint(15, 10)})
        EXPECT_EQ(px(p.X, p.Y), clBlack) << p.X << "," << p.Y;
    canvas->Polyline({{10, 10}, {20, 10}, {20, 20}, {10, 20}, {10, 10}});
    EXPECT_EQ(ink(), TRect());
}

TEST_F(CanvasTest, PolygonFillsAndOutlines)
{
    canvas->Brush().Color = clYellow;
    canvas->Polygon({{10, 10}, {40, 10}, {25, 40}});
    EXPECT_EQ(px(25, 20), clYellow);
    EXPECT_EQ(px(10, 10), clBlack);
    EXPECT_EQ(px(40, 10), clBlack);
    EXPECT_EQ(px(25, 40), clBlack);
    EXPECT_EQ(px(5, 30), clWhite);
}

TEST_F(CanvasTest, FillRectAndFrameRectUseTheBrush)
{
    canvas->Brush().Color = clNavy;
    canvas->FillRect(Rect(2, 2, 6, 6));
    EXPECT_EQ(ink(), Rect(2, 2, 6, 6));
    reset();
    canvas->Brush().Color = clMaroon;
    canvas->FrameRect(Rect(10, 10, 15, 15));
    EXPECT_EQ(ink(), Rect(10, 10, 15, 15));
    EXPECT_EQ(px(14, 14), clMaroon);
    EXPECT_EQ(px(12, 12), clWhite);
    reset();
    canvas->Brush().Style = bsClear;
    canvas->FillRect(Rect(2, 2, 6, 6));
    EXPECT_EQ(ink(), TRect());
}

TEST_F(CanvasTest, DottedPenAlternatesThreeOnThreeOff)
{
    canvas->Pen().Style = psDot;
    canvas->Brush().Style = bsClear;   // transparent background: gaps stay
    canvas->MoveTo(0, 5);
    canvas->LineTo(12, 5);
    const TColor expected[] = {clBlack, clBlack, clBlack, clWhite, clWhite, clWhite,
                               clBlack, clBlack, clBlack, clWhite, clWhite, clWhite};
    for (int x = 0; x < 12; ++x)
        EXPECT_EQ(px(x, 5), expected[x]) << x;
}

TEST_F(CanvasTest, DrawFocusRectIsDottedAndUndoneBySecondCall)
{
    canvas->Brush().Color = clBlack;
    canvas->FillRect(Rect(0, 0, 120, 80));
    const QImage before = pixels();
    canvas->DrawFocusRect(Rect(10, 10, 20, 16));
    EXPECT_EQ(px(10, 10), clWhite);
    EXPECT_EQ(px(11, 10), clBlack);
    EXPECT_EQ(px(12, 10), clWhite);
    EXPECT_EQ(px(15, 13), clBlack);   // inside untouched
    EXPECT_EQ(px(20, 10), clBlack);   // right edge excluded
    canvas->DrawFocusRect(Rect(10, 10, 20, 16));
    EXPECT_EQ(pixels(), before);
}

TEST_F(CanvasTest, ClipIntersectExcludeUnionAndRestore)
{
    canvas->Brush().Color = clRed;
    EXPECT_EQ(canvas->IntersectClipRect(Rect(10, 10, 30, 30)), rkSimple);
    EXPECT_EQ(canvas->ExcludeClipRect(Rect(15, 15, 20, 20)), rkComplex);
    const int level = canvas->SaveDC();
    canvas->ExtSelectClipRgn(TRegion(Rect(50, 50, 55, 55)), rmOr);
    canvas->Brush().Color = clBlue;
    canvas->RestoreDC(level);
    EXPECT_EQ(canvas->Brush().Color, clRed);
    canvas->FillRect(Rect(0, 0, 120, 80));
    EXPECT_EQ(ink(), Rect(10, 10, 30, 30));
    EXPECT_EQ(px(15, 15), clWhite);
    EXPECT_EQ(px(14, 15), clRed);
    EXPECT_EQ(px(52, 52), clWhite);
    EXPECT_EQ(canvas->ClipRect(), Rect(10, 10, 30, 30));

    reset();
    canvas->SelectClipRgn(TRegion(Rect(0, 0, 5, 5)));
    canvas->ExtSelectClipRgn(TRegion(Rect(50, 50, 55, 55)), rmOr);
    canvas->FillRect(Rect(0, 0, 120, 80));
    EXPECT_EQ(px(52, 52), clRed);
    EXPECT_EQ(px(2, 2), clRed);
    EXPECT_EQ(px(20, 20), clWhite);
    canvas->RemoveClip();
    TRegion rgn;
    EXPECT_FALSE(canvas->GetClipRgn(rgn));
}

TEST_F(CanvasTest, FloodFillStopsAtTheBorderOrFillsTheSurface)
{
    canvas->Pen().Color = clGray;
    canvas->Brush().Style = bsClear;
    canvas->Ellipse(10, 10, 40, 30);
    canvas->Brush().Style = bsSolid;
    canvas->Brush().Color = clRed;
    canvas->FloodFill(25, 20, clGray, fsBorder);
    EXPECT_EQ(px(25, 20), clRed);
    EXPECT_EQ(px(12, 20), clRed);
    EXPECT_EQ(px(10, 10), clWhite);   // outside the ring
    EXPECT_EQ(px(50, 50), clWhite);
    EXPECT_EQ(px(10, 20), clGray);    // the border itself stays

    canvas->Brush().Color = clBlue;
    canvas->FloodFill(0, 0, clWhite, fsSurface);
    EXPECT_EQ(px(0, 0), clBlue);
    EXPECT_EQ(px(10, 10), clBlue);
    EXPECT_EQ(px(25, 20), clRed);
}

TEST_F(CanvasTest, PixelsReadBackAndOutsideIsNone)
{
    canvas->SetPixel(3, 4, RGBToColor(1, 2, 3));
    EXPECT_EQ(px(3, 4), RGBToColor(1, 2, 3));
    EXPECT_EQ(px(-1, 0), clNone);
    EXPECT_EQ(px(120, 0), clNone);
    canvas->SetPixel(5, 5, clBtnFace);   // system colours resolve
    EXPECT_EQ(px(5, 5), ColorToRGB(clBtnFace));
}

TEST_F(CanvasTest, TextBackgroundFollowsTheBrush)
{
    canvas->Font().Color = clBlack;
    canvas->Brush().Color = clLime;
    canvas->TextOut(10, 10, QStringLiteral("i"));
    EXPECT_EQ(px(10, 10), clLime);   // opaque: the text cell is filled
    reset();
    canvas->Brush().Style = bsClear;
    canvas->TextOut(10, 10, QStringLiteral("i"));
    EXPECT_EQ(px(10, 10), clWhite);
    EXPECT_EQ(canvas->PenPos(), Point(10 + canvas->TextWidth(QStringLiteral("i")), 10));
}

TEST_F(CanvasTest, DrawTextAlignsInsideTheRectangle)
{
    const QString text = QStringLiteral("Abc");
    const int tw = canvas->TextWidth(text);
    const int th = canvas->TextHeight(text);
    const TRect box(10, 10, 110, 70);
    struct Case {
        unsigned flags;
        int x, y;
    };
    const Case cases[] = {
        {DT_LEFT | DT_TOP | DT_SINGLELINE, box.Left, box.Top},
        {DT_CENTER | DT_TOP | DT_SINGLELINE, box.Left + (box.Width() - tw) / 2, box.Top},
        {DT_RIGHT | DT_TOP | DT_SINGLELINE, box.Right - tw, box.Top},
        {DT_LEFT | DT_VCENTER | DT_SINGLELINE, box.Left, box.Top + (box.Height() - th) / 2},
        {DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, box.Right - tw, box.Bottom - th},
        {DT_CENTER | DT_VCENTER | DT_SINGLELINE, box.Left + (box.Width() - tw) / 2, box.Top + (box.Height() - th) / 2},
        // Vertical alignment needs DT_SINGLELINE, as on the desktop.
        {DT_LEFT | DT_BOTTOM, box.Left, box.Top},
    };
    canvas->Brush().Style = bsClear;
    for (const Case& c : cases) {
        reset();
        TRect r = box;
        const int h = canvas->DrawText(text, r, c.flags);
        const TRect cell(c.x, c.y, c.x + tw, c.y + th);
        const TRect got = ink();
        EXPECT_FALSE(got.IsEmpty()) << c.flags;
        EXPECT_TRUE(inside(got, cell)) << "flags " << c.flags << " ink " << got.Left << "," << got.Top << ","
                                       << got.Right << "," << got.Bottom;
        const bool vAligned = (c.flags & DT_SINGLELINE) && (c.flags & (DT_VCENTER | DT_BOTTOM));
        EXPECT_EQ(h, vAligned ? c.y - box.Top + th : th) << c.flags;
    }
}

TEST_F(CanvasTest, CalcRectMeasuresWithoutDrawing)
{
    const int lh = canvas->TextHeight(QStringLiteral("X"));
    TRect r(5, 5, 6, 6);
    EXPECT_EQ(canvas->DrawText(QStringLiteral("Hello"), r, DT_CALCRECT | DT_SINGLELINE), lh);
    EXPECT_EQ(r, Rect(5, 5, 5 + canvas->TextWidth(QStringLiteral("Hello")), 5 + lh));

    r = Rect(0, 0, 200, 0);
    canvas->DrawText(QStringLiteral("a\nbb\r\nccc"), r, DT_CALCRECT);
    EXPECT_EQ(r, Rect(0, 0, canvas->TextWidth(QStringLiteral("ccc")), 3 * lh));

    r = Rect(0, 0, 200, 0);
    canvas->DrawText(QStringLiteral("a\r\nb"), r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r, Rect(0, 0, canvas->TextWidth(QStringLiteral("ab")), lh));

    r = Rect(0, 0, 0, 0);
    EXPECT_EQ(canvas->DrawText(QString(), r, DT_CALCRECT | DT_SINGLELINE), lh);
    EXPECT_EQ(r, Rect(0, 0, 0, lh));
    EXPECT_EQ(ink(), TRect());
}

TEST_F(CanvasTest, MeasuredWidthsFollowTheFont)
{
    // The same text measured again after a font change takes the new font's width.
    const QString text = QStringLiteral("Measured twice");
    for (int pass = 0; pass < 2; ++pass)
        for (int size : {8, 20}) {
            canvas->Font().Size = size;
            canvas->Font().Style = pass ? TFontStyles{fsBold} : TFontStyles();
            TRect r(0, 0, 1000, 0);
            canvas->DrawText(text, r, DT_CALCRECT | DT_SINGLELINE);
            EXPECT_EQ(r.Width(), canvas->TextWidth(text)) << size << (pass ? " bold" : "");
        }
    canvas->Font().Size = 8;
    canvas->Font().Style = TFontStyles();
    TRect small(0, 0, 1000, 0);
    canvas->DrawText(text, small, DT_CALCRECT | DT_SINGLELINE);
    canvas->Font().Size = 20;
    TRect large(0, 0, 1000, 0);
    canvas->DrawText(text, large, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_GT(large.Width(), small.Width() * 2);
}

TEST_F(CanvasTest, WordBreakWrapsAtSpacesAndEditControlCutsLongWords)
{
    const int lh = canvas->TextHeight(QStringLiteral("X"));
    const int avail = canvas->TextWidth(QStringLiteral("one two")) + 2;
    TRect r(0, 0, avail, 0);
    EXPECT_EQ(canvas->DrawText(QStringLiteral("one two three"), r, DT_CALCRECT | DT_WORDBREAK), 2 * lh);
    EXPECT_LE(r.Width(), avail);

    // A word wider than the line stays whole (and widens the measured rect) ...
    const QString longWord = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
    r = Rect(0, 0, 40, 0);
    EXPECT_EQ(canvas->DrawText(longWord, r, DT_CALCRECT | DT_WORDBREAK), lh);
    EXPECT_EQ(r.Width(), canvas->TextWidth(longWord));
    // ... unless the text is laid out like an edit control.
    r = Rect(0, 0, 40, 0);
    EXPECT_GT(canvas->DrawText(longWord, r, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL), 2 * lh);
    EXPECT_LE(r.Width(), 40);

    // Drawn text stays in its rectangle; the second line starts at the left.
    canvas->Brush().Style = bsClear;
    TRect box(10, 10, 10 + avail, 10 + 2 * lh);
    canvas->DrawText(QStringLiteral("one two three"), box, DT_WORDBREAK);
    const TRect got = ink();
    EXPECT_TRUE(inside(got, box));
    EXPECT_GT(got.Bottom, 10 + lh);
}

TEST_F(CanvasTest, EndEllipsisDrawsTheFittingPrefixAndDots)
{
    const QString text = QStringLiteral("Hello wonderful world");
    const int avail = 60;
    int n = 0;
    const int dots = canvas->TextWidth(QStringLiteral("..."));
    canvas->TextExtentEx(text, avail - dots, &n);
    ASSERT_GT(n, 0);
    ASSERT_LT(n, text.size());

    canvas->Brush().Style = bsClear;
    TRect r(5, 5, 5 + avail, 25);
    canvas->DrawText(text, r, DT_SINGLELINE | DT_END_ELLIPSIS);
    const QImage withEllipsis = pixels();
    reset();
    canvas->Brush().Style = bsClear;
    canvas->TextOut(5, 5, text.left(n) + QStringLiteral("..."));
    EXPECT_EQ(pixels(), withEllipsis);
}

TEST_F(CanvasTest, EditControlHidesPartialLinesAndMarksTheCut)
{
    const QString text = QStringLiteral("aaa bbb ccc ddd");
    const int lh = canvas->TextHeight(QStringLiteral("X"));
    const int avail = canvas->TextWidth(QStringLiteral("aaa bbb...")) + 1;
    ASSERT_GT(canvas->TextWidth(QStringLiteral("aaa bbb ccc")), avail);
    const TRect box(5, 5, 5 + avail, 5 + lh + lh / 2);   // one and a half lines

    canvas->Brush().Style = bsClear;
    TRect r = box;
    canvas->DrawText(text, r, DT_WORDBREAK);
    EXPECT_GT(ink().Bottom, 5 + lh);   // plain word break shows the cut line
    reset();
    canvas->Brush().Style = bsClear;
    r = box;
    canvas->DrawText(text, r, DT_WORDBREAK | DT_EDITCONTROL);
    EXPECT_LE(ink().Bottom, 5 + lh);

    reset();
    canvas->Brush().Style = bsClear;
    r = box;
    canvas->DrawText(text, r, DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS);
    const QImage cut = pixels();
    reset();
    canvas->Brush().Style = bsClear;
    canvas->TextOut(5, 5, QStringLiteral("aaa bbb..."));
    EXPECT_EQ(pixels(), cut);
}

// A long unbroken text is drawn only as far as it shows; what shows is what
// the whole text shows: the same pixels as a text of just its visible part.
TEST(CanvasLongText, DrawsTheSamePixelsAsItsVisiblePart)
{
    QString word;
    word.reserve(60000);
    for (int i = 0; i < 60000; ++i)
        word += QChar(u'a' + (i * 7) % 26);
    struct Case {
        const char* name;
        unsigned flags;
        QString shown;   // a text whose pixels the whole word must give
    };
    const Case cases[] = {
        {"word break", DT_WORDBREAK | DT_EDITCONTROL, word.left(400)},
        {"word break, ellipsis", DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS, word.left(400)},
        {"no word break", DT_EDITCONTROL, word.left(400)},
        {"single line", DT_SINGLELINE, word.left(400)},
        {"single line, ellipsis", DT_SINGLELINE | DT_END_ELLIPSIS, word.left(400)},
        {"single line, right", DT_SINGLELINE | DT_RIGHT, word.right(400)},
        {"single line, opaque", DT_SINGLELINE | DT_VCENTER, word.left(400)},
    };
    for (const Case& c : cases) {
        auto draw = [&](const QString& text, bool opaque) {
            QImage image(300, 60, QImage::Format_RGB32);
            image.fill(Qt::white);
            TCanvas canvas(&image);
            canvas.Brush().Color = clYellow;
            canvas.Brush().Style = opaque ? bsSolid : bsClear;
            TRect r(10, 10, 260, 10 + 2 * canvas.TextHeight(QStringLiteral("X")));
            canvas.DrawText(text, r, c.flags);
            canvas.Release();
            return image;
        };
        const bool opaque = c.flags & DT_VCENTER;
        EXPECT_EQ(draw(word, opaque), draw(c.shown, opaque)) << c.name;
    }
}

TEST_F(CanvasTest, PrefixUnderlinesTheNextCharacter)
{
    struct Case {
        QString text;
        unsigned flags;
        QString plain;     // same pixels as TextOut of this ...
        bool underlined;   // ... plus an underline
    };
    const Case cases[] = {
        {QStringLiteral("A&&B"), 0, QStringLiteral("A&B"), false},
        {QStringLiteral("&File"), DT_HIDEPREFIX, QStringLiteral("File"), false},
        {QStringLiteral("&File"), DT_NOPREFIX, QStringLiteral("&File"), false},
        {QStringLiteral("&File"), 0, QStringLiteral("File"), true},
    };
    for (const Case& c : cases) {
        reset();
        canvas->Brush().Style = bsClear;
        canvas->TextOut(5, 5, c.plain);
        const QImage plain = pixels();
        reset();
        canvas->Brush().Style = bsClear;
        TRect r(5, 5, 115, 40);
        canvas->DrawText(c.text, r, DT_SINGLELINE | c.flags);
        const QImage drawn = pixels();
        if (!c.underlined) {
            EXPECT_EQ(drawn, plain) << c.text.toStdString();
            continue;
        }
        // The underline sits below the baseline under 'F' only.
        const int fw = canvas->TextWidth(QStringLiteral("F"));
        const TTextMetric tm = canvas->TextMetrics();
        int underlineRow = -1;
        for (int y = 5 + tm.tmAscent; y < 5 + tm.tmHeight && underlineRow < 0; ++y)
            if ((drawn.pixel(5 + fw / 2, y) & 0xFFFFFF) == 0 && (plain.pixel(5 + fw / 2, y) & 0xFFFFFF) != 0)
                underlineRow = y;
        ASSERT_GE(underlineRow, 0);
        EXPECT_NE(drawn.pixel(5, underlineRow) & 0xFFFFFF, 0xFFFFFFu);
        EXPECT_EQ(drawn.pixel(5 + fw + 2, underlineRow), plain.pixel(5 + fw + 2, underlineRow));
    }
}

TEST_F(CanvasTest, TextExtentExCountsFittingCharacters)
{
    const QString text = QStringLiteral("abcdef");
    std::vector<int> partial;
    int fit = -1;
    const int w3 = canvas->TextWidth(QStringLiteral("abc"));
    const TSize size = canvas->TextExtentEx(text, w3, &fit, &partial);
    EXPECT_EQ(fit, 3);
    ASSERT_EQ(partial.size(), 6u);
    EXPECT_EQ(partial[2], w3);
    EXPECT_EQ(partial[5], size.cx);
    canvas->TextExtentEx(text, 0, &fit);
    EXPECT_EQ(fit, 0);
}

TEST_F(CanvasTest, DesktopFontNamesMeasureLikeTheInstalledFont)
{
    canvas->Font().Name = QStringLiteral("DejaVu Sans");
    const TSize reference = canvas->TextExtent(QStringLiteral("Configuration"));
    for (const char* name : {"Verdana", "MS Sans Serif", "Segoe UI", "Arial", "NoSuchFont"}) {
        canvas->Font().Name = QString::fromLatin1(name);
        EXPECT_EQ(canvas->TextExtent(QStringLiteral("Configuration")), reference) << name;
    }
    // Tahoma measures like the face that stands in for it.
    canvas->Font().Name = fw::MapFontFamily(QStringLiteral("Tahoma"));
    const TSize tahoma = canvas->TextExtent(QStringLiteral("Configuration"));
    canvas->Font().Name = QStringLiteral("Tahoma");
    EXPECT_EQ(canvas->TextExtent(QStringLiteral("Configuration")), tahoma);
    EXPECT_EQ(canvas->Font().Height(), -11);   // 8 pt at 96 dpi
}

TEST_F(CanvasTest, TransparentBitmapLeavesItsKeyColourOut)
{
    TBitmap bmp(4, 4);
    bmp.Canvas().Brush().Color = clFuchsia;
    bmp.Canvas().FillRect(Rect(0, 0, 4, 4));
    bmp.Canvas().Brush().Color = clBlue;
    bmp.Canvas().FillRect(Rect(1, 1, 3, 3));
    EXPECT_EQ(bmp.TransparentColor(), clFuchsia);   // lower-left pixel

    canvas->Draw(10, 10, bmp);
    EXPECT_EQ(px(10, 10), clFuchsia);
    reset();
    bmp.SetTransparent(true);
    canvas->Draw(10, 10, bmp);
    EXPECT_EQ(px(10, 10), clWhite);
    EXPECT_EQ(px(11, 11), clBlue);
    EXPECT_EQ(ink(), Rect(11, 11, 13, 13));
    reset();
    canvas->StretchDraw(Rect(20, 20, 28, 28), bmp);
    EXPECT_EQ(ink(), Rect(22, 22, 26, 26));
}

TEST_F(CanvasTest, CopyRectOntoItselfShifts)
{
    canvas->Brush().Color = clBlack;
    canvas->FillRect(Rect(0, 0, 10, 10));
    canvas->CopyRect(Rect(1, 1, 11, 11), *canvas, Rect(0, 0, 10, 10));
    EXPECT_EQ(ink(), Rect(0, 0, 11, 11));
    EXPECT_EQ(px(10, 10), clBlack);
    EXPECT_EQ(px(10, 0), clWhite);
}

TEST_F(CanvasTest, DrawEdgeColoursAndAdjust)
{
    struct Case {
        unsigned edge, flags;
        TColor topLeftOuter, bottomRightOuter, topLeftInner;
    };
    const Case cases[] = {
        {EDGE_RAISED, BF_RECT, cl3DLight, cl3DDkShadow, clBtnHighlight},
        {EDGE_SUNKEN, BF_RECT, clBtnShadow, clBtnHighlight, cl3DDkShadow},
        {EDGE_ETCHED, BF_RECT, clBtnShadow, clBtnHighlight, clBtnHighlight},
        {EDGE_BUMP, BF_RECT, cl3DLight, cl3DDkShadow, cl3DDkShadow},
        {EDGE_RAISED, BF_RECT | BF_FLAT, clBtnShadow, clBtnShadow, clBtnFace},
    };
    for (const Case& c : cases) {
        reset();
        TRect r(10, 10, 30, 20);
        canvas->DrawEdge(r, c.edge, c.flags | BF_ADJUST);
        EXPECT_EQ(r, Rect(12, 12, 28, 18));
        EXPECT_EQ(px(10, 15), ColorToRGB(c.topLeftOuter)) << c.edge;
        EXPECT_EQ(px(29, 15), ColorToRGB(c.bottomRightOuter)) << c.edge;
        EXPECT_EQ(px(29, 10), ColorToRGB(c.bottomRightOuter)) << c.edge;   // corner belongs to bottom/right
        EXPECT_EQ(px(11, 15), ColorToRGB(c.topLeftInner)) << c.edge;
        EXPECT_EQ(px(15, 15), clWhite);   // no BF_MIDDLE
    }
    TRect top(10, 10, 30, 20);
    canvas->DrawEdge(top, BDR_RAISEDOUTER, BF_TOP | BF_MIDDLE | BF_ADJUST);
    EXPECT_EQ(top, Rect(10, 11, 30, 20));
    EXPECT_EQ(px(15, 15), ColorToRGB(clBtnFace));
}

TEST_F(CanvasTest, FrameControlCheckBoxShowsTheMarkOnlyWhenChecked)
{
    const auto markPixels = [&](unsigned state) {
        reset();
        TRect r(10, 10, 23, 23);
        canvas->DrawFrameControl(r, DFC_BUTTON, DFCS_BUTTONCHECK | state);
        int n = 0;
        for (int y = 12; y < 21; ++y)
            for (int x = 12; x < 21; ++x)
                n += px(x, y) == ColorToRGB(clWindowText);
        return n;
    };
    EXPECT_EQ(markPixels(0), 0);
    EXPECT_EQ(markPixels(DFCS_CHECKED), 21);   // 7 bars of 3 pixels
    EXPECT_EQ(px(15, 15), ColorToRGB(clWindow));
    markPixels(DFCS_CHECKED | DFCS_INACTIVE);
    EXPECT_EQ(px(14, 14), ColorToRGB(clBtnFace));
}

TEST_F(CanvasTest, FrameControlScrollArrowPointsTheRightWay)
{
    struct Case {
        unsigned kind;
        bool wideAtTop;   // a down arrow has its base, the wide part, at the top
    };
    for (const Case& c : {Case{DFCS_SCROLLUP, false}, Case{DFCS_SCROLLDOWN, true}, Case{DFCS_SCROLLCOMBOBOX, true}}) {
        reset();
        TRect r(0, 0, 17, 17);
        canvas->DrawFrameControl(r, DFC_SCROLL, c.kind);
        int upper = 0, lower = 0;
        for (int y = 2; y < 15; ++y)
            for (int x = 2; x < 15; ++x)
                if (px(x, y) == ColorToRGB(clBtnText))
                    (y < 8 ? upper : lower) += 1;
        EXPECT_GT(upper + lower, 0);
        EXPECT_EQ(upper > lower, c.wideAtTop) << c.kind;
    }
}

TEST_F(CanvasTest, CanvasOverAPixmapReadsItsPixels)
{
    QPixmap pixmap(10, 10);
    pixmap.fill(Qt::white);
    TCanvas c(&pixmap);
    c.Brush().Color = clRed;
    c.FillRect(Rect(2, 2, 4, 4));
    EXPECT_EQ(c.Pixel(3, 3), clRed);
    EXPECT_EQ(c.Pixel(4, 4), clWhite);
    c.Release();
    EXPECT_EQ(QColor(pixmap.toImage().pixel(3, 3)), QColor(Qt::red));
}

namespace {
class PaintedWidget : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        TCanvas c(this);
        c.Brush().Color = clBtnFace;
        c.FillRect(Rect(0, 0, width(), height()));
        TRect r(0, 0, width(), height());
        c.DrawEdge(r, EDGE_RAISED, BF_RECT);
    }
};
} // namespace

TEST_F(CanvasTest, CanvasInsideAWidgetPaintEvent)
{
    PaintedWidget w;
    w.resize(20, 10);
    const QImage shot = w.grab().toImage();
    EXPECT_EQ(FromQColor(QColor(shot.pixel(5, 5))), ColorToRGB(clBtnFace));
    EXPECT_EQ(FromQColor(QColor(shot.pixel(19, 9))), ColorToRGB(cl3DDkShadow));
}

namespace {
// A clip set and given back, then a rectangle kept out of a fill: what a
// control's painting does for its text and then around its button.
class ClipAfterRestoreWidget : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        TCanvas c(this);
        c.Brush().Color = clWhite;
        c.FillRect(Rect(0, 0, width(), height()));
        const int outer = c.SaveDC();
        c.IntersectClipRect(Rect(0, 0, 5, 5));
        c.RestoreDC(outer);
        const int inner = c.SaveDC();
        c.ExcludeClipRect(Rect(10, 5, 20, 15));
        c.Brush().Color = clRed;
        c.FillRect(Rect(0, 0, width(), height()));
        c.RestoreDC(inner);
    }
};
} // namespace

TEST_F(CanvasTest, AnExcludedRectStaysUnpaintedInAWidgetAfterARestoredClip)
{
    ClipAfterRestoreWidget w;
    w.resize(40, 30);
    const QImage shot = w.grab().toImage();
    EXPECT_EQ(FromQColor(QColor(shot.pixel(15, 10))), clWhite) << "inside the excluded rectangle";
    EXPECT_EQ(FromQColor(QColor(shot.pixel(2, 2))), clRed);
    EXPECT_EQ(FromQColor(QColor(shot.pixel(30, 20))), clRed);
}

TEST_F(CanvasTest, CanvasOverABorrowedPainter)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    {
        TCanvas borrowed(&painter);
        borrowed.IntersectClipRect(Rect(0, 0, 2, 2));
        borrowed.Brush().Color = clRed;
        borrowed.FillRect(Rect(1, 1, 3, 3));
    }
    // The painter is handed back as it was lent: no clip, same hints.
    EXPECT_FALSE(painter.hasClipping());
    EXPECT_TRUE(painter.testRenderHint(QPainter::Antialiasing));
    painter.fillRect(QRect(5, 5, 1, 1), Qt::blue);
    painter.end();
    EXPECT_EQ(px(1, 1), clRed);
    EXPECT_EQ(px(2, 2), clWhite);
    EXPECT_EQ(px(5, 5), clBlue);
}
