#include "grid/foundation/SgHTMLE.h"

#include "framework/Canvas.h"
#include "framework/Graphics.h"
#include "grid/foundation/PictureContainer.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include <random>

namespace {

constexpr QRgb White = 0xFFFFFFFF;

QRgb toRgb(fw::TColor c) { return qRgb(fw::GetRValue(c), fw::GetGValue(c), fw::GetBValue(c)); }

// One call of the renderer with readable defaults; outputs are kept for the checks.
struct Render {
    QString text;
    fw::TRect rect{0, 0, 300, 200};
    const fw::TImageList* images = nullptr;
    int mouseX = -1, mouseY = -1, focusLink = -1, hoverLink = 0, shadowOffset = 0;
    bool checkOnly = false, measureOnly = false, selected = false, blinkOn = true, hoverStyling = false,
         wordWrap = true, mouseDown = false;
    fw::TColor urlColor = fw::clBlue, hoverColor = fw::clNone, hoverTextColor = fw::clNone,
               shadowColor = fw::clGray;
    THTMLPictureCache* cache = nullptr;
    TPictureContainer* container = nullptr;

    QString anchor = QStringLiteral("untouched"), stripped, focusAnchor, title;
    int width = -1, height = -1, links = -1, mouseLink = -2;
    fw::TRect hoverRect{-1, -1, -1, -1}, controlRect;
    QString controlID, controlValue, controlType;
    bool result = false;

    bool run(fw::TCanvas& canvas)
    {
        result = RenderHtmlText(canvas, text, rect, images, mouseX, mouseY, focusLink, hoverLink, shadowOffset,
                                checkOnly, measureOnly, false, selected, blinkOn, hoverStyling, wordWrap, mouseDown,
                                1.0, urlColor, hoverColor, hoverTextColor, shadowColor, anchor, stripped, focusAnchor,
                                title, width, height, links, mouseLink, hoverRect, controlRect, controlID,
                                controlValue, controlType, cache, container, nullptr, bdLeftToRight);
        return result;
    }
};

// A white page with a black 8 pt font, and a second canvas to ask the font metrics.
class HtmlRender : public ::testing::Test {
protected:
    void SetUp() override
    {
        page = QImage(400, 300, QImage::Format_RGB32);
        page.fill(White);
        canvas = std::make_unique<fw::TCanvas>(&page);
        canvas->Font().Color = fw::clBlack;
        canvas->Brush().Color = fw::clWhite;
    }

    // Width of a run as the text output measures it.
    int tw(const QString& s, fw::TFontStyles style = {}, int size = 8) const
    {
        fw::TCanvas m;
        m.Font() = canvas->Font();
        m.Font().Style = style;
        m.Font().Size = size;
        fw::TRect r(0, 0, 1000, 0);
        m.DrawText(s, r, fw::DT_SINGLELINE | fw::DT_CALCRECT);
        return r.Width();
    }
    int th(const QString& s, int size = 8) const
    {
        fw::TCanvas m;
        m.Font() = canvas->Font();
        m.Font().Size = size;
        return m.TextHeight(s);
    }
    int gh() const { return th(QStringLiteral("gh")); }

    QImage drawn()
    {
        canvas->Release();
        return page;
    }
    static bool hasColor(const QImage& img, const fw::TRect& area, QRgb color)
    {
        return testsupport::countPixels(img, testsupport::rgbIs(color), testsupport::toQRect(area)) > 0;
    }
    // Columns holding anything but white, within the rows of `area`.
    static std::pair<int, int> inkColumns(const QImage& img, const fw::TRect& area)
    {
        int lo = -1, hi = -1;
        for (int x = std::max(0, area.Left); x < std::min(img.width(), area.Right); ++x)
            for (int y = std::max(0, area.Top); y < std::min(img.height(), area.Bottom); ++y)
                if ((img.pixel(x, y) | 0xFF000000) != White) {
                    if (lo < 0)
                        lo = x;
                    hi = x;
                    break;
                }
        return {lo, hi};
    }

    QImage page;
    std::unique_ptr<fw::TCanvas> canvas;
};

using testsupport::pngBytes;

} // namespace

TEST_F(HtmlRender, EmptyTextIsOneTextLineHigh)
{
    for (bool measureOnly : {false, true}) {
        Render r;
        r.measureOnly = measureOnly;
        EXPECT_FALSE(r.run(*canvas));
        EXPECT_EQ(r.width, 0);
        EXPECT_EQ(r.height, gh());
        EXPECT_EQ(r.links, 0);
        EXPECT_EQ(r.mouseLink, -1);
        EXPECT_TRUE(r.stripped.isEmpty());
        EXPECT_EQ(r.anchor, QStringLiteral("untouched"));
    }
}

TEST_F(HtmlRender, EntitiesAndMarkersBecomeText)
{
    const fw::TFontStyles bold{fw::fsBold};
    struct Case {
        QString text;
        QString stripped;
        int width;
    };
    const Case cases[] = {
        {QStringLiteral("a&amp;b"), QStringLiteral("a&&b"), tw(QStringLiteral("a&&b"))},
        {QStringLiteral("A&AMP;B"), QStringLiteral("A&&B"), tw(QStringLiteral("A&&B"))},
        {QStringLiteral("&lt;B&gt;x"), QStringLiteral("<B>x"), tw(QStringLiteral("<B>x"))},
        {QStringLiteral("5&permil;"), QStringLiteral("5‰"), tw(QStringLiteral("5‰"))},
        {QStringLiteral("&quot;&copy;&euro;"), QStringLiteral("\"©€"), tw(QStringLiteral("\"©€"))},
        {QStringLiteral("<#12>"), QStringLiteral("#12"), tw(QStringLiteral("#12"))},
        {QStringLiteral("<B>x<B>y</B>z"), QStringLiteral("xyz"),
         tw(QStringLiteral("x"), bold) + tw(QStringLiteral("y"), bold) + tw(QStringLiteral("z"))},
        {QStringLiteral("a<Z>hidden</Z>b"), QStringLiteral("ahiddenb"), tw(QStringLiteral("a")) + tw(QStringLiteral("b"))},
        {QStringLiteral("a<BR>b"), QStringLiteral("a\rb"), tw(QStringLiteral("a"))},
        {QStringLiteral("a<blink>b</unknown>c"), QStringLiteral("abc"), tw(QStringLiteral("a")) + tw(QStringLiteral("b")) + tw(QStringLiteral("c"))},
    };
    for (const Case& c : cases) {
        Render r;
        r.text = c.text;
        r.wordWrap = false;
        r.run(*canvas);
        EXPECT_EQ(r.stripped, c.stripped) << c.text.toStdString();
        EXPECT_EQ(r.width, c.width) << c.text.toStdString();
    }
    // &amp; is drawn as one ampersand: same ink as the text output gives "a&b".
    page.fill(White);
    Render r;
    r.text = QStringLiteral("a&amp;b");
    r.run(*canvas);
    QImage expected(page.size(), QImage::Format_RGB32);
    expected.fill(White);
    {
        fw::TCanvas c(&expected);
        c.Font() = canvas->Font();
        c.SetBkMode(fw::bkTransparent);
        fw::TRect box(1, 0, 300, gh());
        c.DrawText(QStringLiteral("a&&b"), box, fw::DT_SINGLELINE | fw::DT_BOTTOM | fw::DT_EXTERNALLEADING | fw::DT_EXPANDTABS);
    }
    const QImage got = drawn();
    int differing = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 100; ++x)
            differing += got.pixel(x, y) != expected.pixel(x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_TRUE(hasColor(got, fw::TRect(0, 0, 100, gh()), 0xFF000000));
}

TEST_F(HtmlRender, FontTagsHaveNoStack)
{
    // The closing tag goes back to the canvas font, not to the enclosing tag's size.
    Render r;
    r.text = QStringLiteral("<FONT size=\"14\">a<FONT size=\"20\">b</FONT>c</FONT>");
    r.run(*canvas);
    EXPECT_EQ(r.width, tw(QStringLiteral("a"), {}, 14) + tw(QStringLiteral("b"), {}, 20) + tw(QStringLiteral("c")));
    EXPECT_EQ(r.height, th(QStringLiteral("b"), 20));
}

TEST_F(HtmlRender, SizesByNumberAndByPoints)
{
    struct Case {
        QString tag;
        int points;
    };
    const Case cases[] = {
        {QStringLiteral("<FONT size=\"1\">"), 8},  {QStringLiteral("<FONT size=\"2\">"), 10},
        {QStringLiteral("<FONT size=\"3\">"), 12}, {QStringLiteral("<FONT size=\"4\">"), 14},
        {QStringLiteral("<FONT size=\"5\">"), 16}, {QStringLiteral("<FONT size=\"18\">"), 18},
        {QStringLiteral("<font SIZE=24>"), 24},     {QStringLiteral("<FONT size=\"x\">"), 8},
    };
    for (const Case& c : cases) {
        Render r;
        r.text = c.tag + QStringLiteral("Hg</FONT>");
        r.run(*canvas);
        EXPECT_EQ(r.width, tw(QStringLiteral("Hg"), {}, c.points)) << c.tag.toStdString();
        EXPECT_EQ(r.height, std::max(gh(), th(QStringLiteral("Hg"), c.points))) << c.tag.toStdString();
    }
}

TEST_F(HtmlRender, WordWrapBreaksAtSpacesAndKeepsLongWordsAlone)
{
    const int space = tw(QStringLiteral(" "));
    struct Case {
        QString text;
        int rectWidth;
        int lines;
        int width;
    };
    const Case cases[] = {
        // "aaa bbb" fits, "ccc" goes to the next line.
        {QStringLiteral("aaa bbb ccc"), 1 + tw(QStringLiteral("aaa bbb")) + 2, 2,
         tw(QStringLiteral("aaa ")) + tw(QStringLiteral("bbb ")) - space},
        // A word wider than the rectangle stays alone on its line and overflows.
        {QStringLiteral("a verylongword b"), 1 + tw(QStringLiteral("verylong")), 3, tw(QStringLiteral("verylongword "))
                                                                                        - space},
        // Tags inside a word do not open a break.
        {QStringLiteral("ab<B>cd</B>ef"), 10, 1,
         tw(QStringLiteral("ab")) + tw(QStringLiteral("cd"), {fw::fsBold}) + tw(QStringLiteral("ef"))},
        {QStringLiteral("x<BR>y<HR>z"), 300, 3, tw(QStringLiteral("x"))},
    };
    for (const Case& c : cases) {
        Render r;
        r.text = c.text;
        r.rect = fw::TRect(0, 0, c.rectWidth, 200);
        r.measureOnly = true;
        r.run(*canvas);
        EXPECT_EQ(r.height, c.lines * gh()) << c.text.toStdString();
        EXPECT_EQ(r.width, c.width) << c.text.toStdString();
    }
}

TEST_F(HtmlRender, WithoutWrapTheFirstOverflowingLineEndsTheText)
{
    Render r;
    r.text = QStringLiteral("first<BR>second line that is far too long<BR>third");
    r.rect = fw::TRect(0, 0, 1 + tw(QStringLiteral("second line")), 200);
    r.wordWrap = false;
    r.run(*canvas);
    EXPECT_EQ(r.height, 2 * gh());
    EXPECT_FALSE(r.stripped.contains(QStringLiteral("third")));
    // The overflowing line ends with an ellipsis inside the rectangle.
    const QImage img = drawn();
    const auto [lo, hi] = inkColumns(img, fw::TRect(0, gh(), 400, 2 * gh()));
    EXPECT_LT(hi, r.rect.Right);
}

TEST_F(HtmlRender, LinesStopAtTheBottomUnlessMeasuring)
{
    const QString text = QStringLiteral("1<BR>2<BR>3<BR>4<BR>5");
    Render drawn;
    drawn.text = text;
    drawn.rect = fw::TRect(0, 0, 100, gh() * 5 / 2);
    drawn.run(*canvas);
    EXPECT_EQ(drawn.height, 2 * gh());

    Render measured = drawn;
    measured.measureOnly = true;
    measured.run(*canvas);
    EXPECT_EQ(measured.height, 5 * gh());
}

TEST_F(HtmlRender, ParagraphAlignmentPlacesTheText)
{
    const int w = tw(QStringLiteral("WWW"));
    struct Case {
        QString align;
        int left;
    };
    const Case cases[] = {
        {QStringLiteral("left"), 1},
        {QStringLiteral("right"), 200 - w},
        {QStringLiteral("center"), 1 + (199 - w) / 2},
    };
    for (const Case& c : cases) {
        page.fill(White);
        Render r;
        r.text = QStringLiteral("<P align=\"%1\">WWW</P>").arg(c.align);
        r.rect = fw::TRect(0, 0, 200, 100);
        r.run(*canvas);
        const auto [lo, hi] = inkColumns(drawn(), fw::TRect(0, 0, 400, gh()));
        EXPECT_GE(lo, c.left) << c.align.toStdString();
        EXPECT_LE(hi, c.left + w) << c.align.toStdString();
        EXPECT_LE(lo, c.left + 2) << c.align.toStdString();
    }
    // The indent moves the line right.
    Render r;
    r.text = QStringLiteral("<P indent=\"30\">abc</P>");
    r.rect = fw::TRect(0, 0, 200, 100);
    r.mouseY = gh() / 2;
    r.checkOnly = true;
    r.text = QStringLiteral("<P indent=\"30\"><A href=\"i\">abc</A></P>");
    r.mouseX = 1 + 30 + 1;
    EXPECT_TRUE(r.run(*canvas));
    r.mouseX = 1 + 30 - 2;
    EXPECT_FALSE(r.run(*canvas));
}

TEST_F(HtmlRender, AnchorsAreHitTestedByTheirText)
{
    const QString text = QStringLiteral("go <A href=\"url1\" title=\"Tip\">here</A> now <A href=\"url2\">there</A>");
    const int hereLeft = 1 + tw(QStringLiteral("go "));
    const int hereRight = hereLeft + tw(QStringLiteral("here"));
    const int thereLeft = hereRight + tw(QStringLiteral(" now "));
    struct Case {
        int mouseX;
        QString anchor;
        QString title;
        int link;
    };
    const Case cases[] = {
        {hereLeft + 1, QStringLiteral("url1"), QStringLiteral("Tip"), 1},
        {hereRight - 1, QStringLiteral("url1"), QStringLiteral("Tip"), 1},
        {thereLeft + 2, QStringLiteral("url2"), QString(), 2},
        {1, QStringLiteral("untouched"), QString(), -1},
    };
    for (const Case& c : cases) {
        Render r;
        r.text = text;
        r.mouseX = c.mouseX;
        r.mouseY = gh() / 2;
        r.run(*canvas);
        EXPECT_EQ(r.anchor, c.anchor) << c.mouseX;
        EXPECT_EQ(r.title, c.title) << c.mouseX;
        EXPECT_EQ(r.mouseLink, c.link) << c.mouseX;
        EXPECT_EQ(r.links, 2);
        if (c.link == 1) {
            EXPECT_EQ(r.hoverRect, fw::TRect(hereLeft, 0, hereRight, gh()));
        }
        // Plain drawing reports anchor text only through the outputs.
        EXPECT_FALSE(r.result);
    }
}

TEST_F(HtmlRender, CheckOnlyReportsAnchorsOfAlignedLines)
{
    const int w = tw(QStringLiteral("link"));
    const int centreX = 1 + (199 - w) / 2 + w / 2;
    struct Case {
        bool checkOnly;
        int mouseX;
        bool result;
    };
    const Case cases[] = {
        {true, centreX, true},
        {false, centreX, false},
        {true, 3, false},
    };
    for (const Case& c : cases) {
        Render r;
        r.text = QStringLiteral("<P align=\"center\"><A href=\"c\">link</A></P>");
        r.rect = fw::TRect(0, 0, 200, 100);
        r.checkOnly = c.checkOnly;
        r.mouseX = c.mouseX;
        r.mouseY = gh() / 2;
        EXPECT_EQ(r.run(*canvas), c.result) << c.checkOnly << " " << c.mouseX;
    }
}

TEST_F(HtmlRender, AnchorColoursFollowHoverStyling)
{
    const QRgb url = toRgb(fw::clRed), hoverText = toRgb(fw::clGreen), hoverBg = toRgb(fw::clYellow);
    struct Case {
        bool hoverStyling;
        int hoverLink;
        QRgb text;
        bool background;
    };
    const Case cases[] = {
        {false, 0, url, true},         // every anchor styled: hover background, URL colour
        {true, 1, hoverText, true},    // the hovered anchor takes both hover colours
        {true, 2, url, false},         // another anchor is hovered: plain URL colour
    };
    for (const Case& c : cases) {
        page.fill(White);
        Render r;
        r.text = QStringLiteral("<A href=\"x\">WWW</A>");
        r.urlColor = fw::clRed;
        r.hoverStyling = c.hoverStyling;
        r.hoverLink = c.hoverLink;
        r.hoverColor = fw::clYellow;
        r.hoverTextColor = fw::clGreen;
        r.run(*canvas);
        const QImage img = drawn();
        const fw::TRect band(0, 0, 100, gh());
        EXPECT_TRUE(hasColor(img, band, c.text)) << c.hoverStyling << c.hoverLink;
        EXPECT_EQ(hasColor(img, band, hoverBg), c.background) << c.hoverStyling << c.hoverLink;
    }
}

TEST_F(HtmlRender, FocusedAnchorIsReported)
{
    Render r;
    r.text = QStringLiteral("<A href=\"one\">1</A> <A href=\"two\">2</A>");
    r.focusLink = 1;
    r.run(*canvas);
    EXPECT_EQ(r.focusAnchor, QStringLiteral("two"));
    EXPECT_EQ(r.links, 2);
}

TEST_F(HtmlRender, ColoursByHexInAnyCaseAndByName)
{
    struct Case {
        QString tag;
        QRgb color;
    };
    const Case cases[] = {
        {QStringLiteral("<FONT color=\"#FF0000\">"), qRgb(255, 0, 0)},
        {QStringLiteral("<FONT color=\"#00ff00\">"), qRgb(0, 255, 0)},
        {QStringLiteral("<FONT color=\"#0000Ff\">"), qRgb(0, 0, 255)},
        {QStringLiteral("<FONT color=\"clTeal\">"), toRgb(fw::clTeal)},
        {QStringLiteral("<FONT bgcolor=\"#c0c0c0\">"), qRgb(0xC0, 0xC0, 0xC0)},
        {QStringLiteral("<P bgcolor=\"#abcdef\">"), qRgb(0xAB, 0xCD, 0xEF)},
    };
    for (const Case& c : cases) {
        page.fill(White);
        Render r;
        r.text = c.tag + QStringLiteral("WWW");
        r.run(*canvas);
        EXPECT_TRUE(hasColor(drawn(), fw::TRect(0, 0, 100, gh()), c.color)) << c.tag.toStdString();
    }
    // A paragraph background spans the whole rectangle width.
    page.fill(White);
    Render r;
    r.text = QStringLiteral("<P bgcolor=\"#abcdef\">x</P>");
    r.run(*canvas);
    EXPECT_EQ(drawn().pixel(r.rect.Right - 1, gh() / 2), qRgb(0xAB, 0xCD, 0xEF));
    // Selected text keeps the canvas colour.
    page.fill(White);
    Render s;
    s.text = QStringLiteral("<FONT color=\"#FF0000\">WWW</FONT>");
    s.selected = true;
    s.run(*canvas);
    EXPECT_FALSE(hasColor(drawn(), fw::TRect(0, 0, 100, gh()), qRgb(255, 0, 0)));
}

TEST_F(HtmlRender, ListsIndentTwelvePixelsPerLevel)
{
    struct Case {
        QString text;
        int indent;
    };
    const Case cases[] = {
        {QStringLiteral("<UL><LI><A href=\"a\">item</A></LI></UL>"), 12},
        {QStringLiteral("<UL><UL><LI><A href=\"a\">item</A></LI></UL></UL>"), 24},
    };
    for (const Case& c : cases) {
        Render r;
        r.text = c.text;
        r.measureOnly = true;
        r.run(*canvas);
        EXPECT_EQ(r.width, c.indent + tw(QStringLiteral("item"))) << c.text.toStdString();

        // The item's text starts after the indent; the bullet stands left of it.
        page.fill(White);
        Render hit;
        hit.text = c.text;
        hit.checkOnly = true;
        const int levels = c.indent / 12;
        hit.mouseY = levels * gh() + gh() / 2;   // each UL opens a line of its own
        hit.mouseX = 1 + c.indent + 1;
        EXPECT_TRUE(hit.run(*canvas)) << c.text.toStdString();
        EXPECT_EQ(hit.anchor, QStringLiteral("a"));
        hit.mouseX = 1 + c.indent - 3;
        EXPECT_FALSE(hit.run(*canvas)) << c.text.toStdString();
        Render draw;
        draw.text = c.text;
        draw.run(*canvas);
        const auto [lo, hi] = inkColumns(drawn(), fw::TRect(0, levels * gh(), 1 + c.indent, (levels + 1) * gh()));
        EXPECT_GE(lo, 1 + c.indent - 12) << "bullet " << c.text.toStdString();
    }
    // A second item in one line starts a new line.
    Render two;
    two.text = QStringLiteral("<UL><LI>a<LI>b</UL>");
    two.measureOnly = true;
    two.run(*canvas);
    EXPECT_EQ(two.height, 3 * gh());
}

TEST_F(HtmlRender, SubscriptAndSuperscriptAddRoom)
{
    Render r;
    r.text = QStringLiteral("x<SUP>2</SUP>");
    r.measureOnly = true;
    r.run(*canvas);
    EXPECT_EQ(r.height, gh() + th(QStringLiteral("2")) / 4);
    r.text = QStringLiteral("x<SUB>2</SUB><SUP>3</SUP>");
    r.run(*canvas);
    EXPECT_EQ(r.height, gh() + 2 * (th(QStringLiteral("2")) / 4));
}

TEST_F(HtmlRender, IndentTagMovesOnlyRight)
{
    Render r;
    r.text = QStringLiteral("a<IND x=\"100\">b");
    r.run(*canvas);
    EXPECT_EQ(r.width, 99 + tw(QStringLiteral("b")));
    r.text = QStringLiteral("aaaaaaaa<IND x=\"2\">b");
    r.run(*canvas);
    EXPECT_EQ(r.width, tw(QStringLiteral("aaaaaaaa")) + tw(QStringLiteral("b")));
}

TEST_F(HtmlRender, ErrorMarkAndShadowDrawInTheirColours)
{
    Render r;
    r.text = QStringLiteral("<E>WWW</E>");
    r.run(*canvas);
    EXPECT_TRUE(hasColor(drawn(), fw::TRect(0, gh() - 2, 100, gh() + 2), qRgb(255, 0, 0)));

    page.fill(White);
    Render s;
    s.text = QStringLiteral("<SHAD>WWW</SHAD>");
    s.shadowOffset = 2;
    s.shadowColor = fw::clLime;
    s.run(*canvas);
    EXPECT_TRUE(hasColor(drawn(), fw::TRect(0, 0, 100, gh() + 3), qRgb(0, 255, 0)));
}

TEST_F(HtmlRender, CanvasStateIsRestored)
{
    canvas->Pen().Color = fw::clPurple;
    canvas->Pen().Width = 3;
    canvas->Brush().Color = fw::clAqua;
    const fw::TFont font = canvas->Font();
    Render r;
    r.text = QStringLiteral("<B><I><FONT face=\"Courier New\" size=\"20\" color=\"#123456\"><R a=\"90\">x<E>y<HR>");
    r.run(*canvas);
    EXPECT_EQ(canvas->Font(), font);
    EXPECT_EQ(canvas->Pen().Color, fw::clPurple);
    EXPECT_EQ(canvas->Pen().Width, 3);
    EXPECT_EQ(canvas->Brush().Color, fw::clAqua);
}

class HtmlPictures : public HtmlRender {
protected:
    void SetUp() override
    {
        HtmlRender::SetUp();
        TPictureItem* item = container.Items().Add();
        item->Name = QStringLiteral("Logo");
        THTMLPicture pic;
        ASSERT_TRUE(pic.LoadFromStream(pngBytes(20, 40, qRgb(0, 0, 255))));
        item->SetPicture(pic);
    }
    TPictureContainer container;
};

TEST_F(HtmlPictures, SizeFromTheTagOrThePicture)
{
    struct Case {
        QString attrs;
        int width, height;
    };
    const Case cases[] = {
        {QString(), 20, 40},
        {QStringLiteral(" width=\"10\""), 10, 20},
        {QStringLiteral(" height=\"10\""), 5, 10},
        {QStringLiteral(" width=\"30\" height=\"35\""), 30, 35},
        {QStringLiteral(" width=\"7\""), 7, 14},
    };
    for (const Case& c : cases) {
        page.fill(White);
        Render r;
        r.container = &container;
        r.text = QStringLiteral("<IMG src=\"logo\"%1>").arg(c.attrs);
        r.run(*canvas);
        EXPECT_EQ(r.width, c.width) << c.attrs.toStdString();
        EXPECT_EQ(r.height, std::max(gh(), c.height)) << c.attrs.toStdString();
        const QImage img = drawn();
        const int bottom = std::max(gh(), c.height);
        EXPECT_EQ(img.pixel(1, bottom - 1), qRgb(0, 0, 255)) << c.attrs.toStdString();
        EXPECT_EQ(img.pixel(c.width, bottom - 1), qRgb(0, 0, 255)) << c.attrs.toStdString();
        EXPECT_EQ(img.pixel(c.width + 1, bottom - 1), White) << c.attrs.toStdString();
    }
}

TEST_F(HtmlPictures, MissingPicturesTakeNoSpace)
{
    Render r;
    r.text = QStringLiteral("a<IMG src=\"nothing\">b<IMG src=\"IDX:3\"><IMG src=\"file:///no/such/file.png\">");
    r.container = &container;
    THTMLPictureCache cache;
    r.cache = &cache;
    r.run(*canvas);
    EXPECT_EQ(r.width, tw(QStringLiteral("a")) + tw(QStringLiteral("b")));
    EXPECT_EQ(r.height, gh());
}

TEST_F(HtmlPictures, PictureThatDoesNotFitMovesToTheNextLine)
{
    Render r;
    r.container = &container;
    r.text = QStringLiteral("aaaa<IMG src=\"logo\">");
    r.rect = fw::TRect(0, 0, 1 + tw(QStringLiteral("aaaa")) + 10, 200);
    r.measureOnly = true;
    r.run(*canvas);
    EXPECT_EQ(r.height, gh() + 40);
    // Alone on a line it stays, even when wider than the line.
    r.text = QStringLiteral("<IMG src=\"logo\">");
    r.rect = fw::TRect(0, 0, 10, 200);
    r.run(*canvas);
    EXPECT_EQ(r.height, 40);
}

TEST_F(HtmlPictures, PictureInsideAnAnchorIsAHit)
{
    Render r;
    r.container = &container;
    r.text = QStringLiteral("<A href=\"pic\" title=\"T\"><IMG src=\"logo\"></A>");
    r.mouseX = 10;
    r.mouseY = 30;
    EXPECT_TRUE(r.run(*canvas));
    EXPECT_EQ(r.anchor, QStringLiteral("pic"));
    EXPECT_EQ(r.title, QStringLiteral("T"));
    r.mouseX = 30;
    r.anchor.clear();
    EXPECT_FALSE(r.run(*canvas));
    EXPECT_TRUE(r.anchor.isEmpty());
}

TEST_F(HtmlPictures, UrlPicturesAreLoadedOncePerCache)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Red.png");
    ASSERT_TRUE(testsupport::writeFile(path, pngBytes(12, 6, qRgb(255, 0, 0))));
    THTMLPictureCache cache;
    Render r;
    r.cache = &cache;
    r.text = QStringLiteral("<IMG src=\"file://%1\">").arg(path);
    for (int i = 0; i < 3; ++i) {
        r.run(*canvas);
        EXPECT_EQ(r.width, 12);
    }
    EXPECT_EQ(cache.Count(), 1);
    EXPECT_EQ(cache.Picture(0)->ID(), QStringLiteral("FILE://") + path.toUpper());
}

TEST_F(HtmlPictures, ImageListPicturesTakeTheListSize)
{
    fw::TImageList list(16, 16);
    fw::TBitmap bmp(16, 16);
    bmp.Canvas().Brush().Color = fw::clRed;
    bmp.Canvas().FillRect(fw::TRect(0, 0, 16, 16));
    list.Add(bmp);
    Render r;
    r.images = &list;
    r.text = QStringLiteral("<IMG src=\"idx:0\">x");
    r.run(*canvas);
    EXPECT_EQ(r.width, 16 + tw(QStringLiteral("x")));
    EXPECT_TRUE(hasColor(drawn(), fw::TRect(1, 0, 17, 16), qRgb(255, 0, 0)));
}

TEST_F(HtmlRender, ControlsReportTheirBoxValueAndType)
{
    const QString text = QStringLiteral("ab<CONTROL TYPE=\"EDIT\" ID=\"e1\" VALUE=\"abc\" WIDTH=\"60\">"
                                        "<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\">");
    const int editLeft = 1 + tw(QStringLiteral("ab"));
    // By ID with check only, wherever the mouse is.
    Render r;
    r.text = text;
    r.checkOnly = true;
    r.controlID = QStringLiteral("e1");
    EXPECT_TRUE(r.run(*canvas));
    EXPECT_EQ(r.anchor, QStringLiteral("ctrl"));
    EXPECT_EQ(r.controlValue, QStringLiteral("abc"));
    EXPECT_EQ(r.controlType, QStringLiteral("EDIT"));
    EXPECT_EQ(r.controlRect.Left, editLeft);
    EXPECT_EQ(r.controlRect.Width(), 60);
    EXPECT_EQ(r.width, tw(QStringLiteral("ab")) + 60 + 16);
    EXPECT_EQ(r.height, 23);

    // By the mouse while drawing; the ID is cleared on entry then.
    Render m;
    m.text = text;
    m.controlID = QStringLiteral("stale");
    m.mouseX = editLeft + 60 + 8;
    m.mouseY = 23 - 8;
    EXPECT_TRUE(m.run(*canvas));
    EXPECT_EQ(m.controlID, QStringLiteral("c1"));
    EXPECT_EQ(m.controlType, QStringLiteral("CHECK"));
    EXPECT_EQ(m.controlRect, fw::TRect(editLeft + 60, 23 - 16, editLeft + 76, 23));
    m.mouseX = 300;
    EXPECT_FALSE(m.run(*canvas));
    EXPECT_TRUE(m.controlID.isEmpty());
    EXPECT_EQ(m.controlRect, fw::TRect(0, 0, 0, 0));
}

TEST_F(HtmlRender, MalformedTextEndsOrIsDropped)
{
    struct Case {
        QString text;
        QString stripped;
    };
    const Case cases[] = {
        {QStringLiteral("abc<B"), QStringLiteral("abc")},
        {QStringLiteral("abc<"), QStringLiteral("abc")},
        {QStringLiteral("abc<x"), QStringLiteral("abc")},
        {QStringLiteral("a<>b"), QStringLiteral("ab")},
        {QStringLiteral("a</>b"), QStringLiteral("ab")},
        {QStringLiteral("a<NOSUCH attr=\"1\">b</NOSUCH>"), QStringLiteral("ab")},
        {QStringLiteral("<<<>x"), QStringLiteral("x")},
    };
    for (const Case& c : cases) {
        Render r;
        r.text = c.text;
        r.run(*canvas);
        EXPECT_EQ(r.stripped, c.stripped) << c.text.toStdString();
    }
}

TEST_F(HtmlRender, HostileTextsEndWithoutCrash)
{
    QString deep;
    for (int i = 0; i < 5000; ++i)
        deep += QStringLiteral("<FONT size=\"%1\"><B><UL><LI><A href=\"x\">").arg(i % 7);
    QString noBlanks;   // long text without blanks: each run must not rescan the rest
    for (int i = 0; i < 20000; ++i)
        noBlanks += QStringLiteral("<B>x</B>");
    const QString texts[] = {
        deep,
        noBlanks,
        QStringLiteral("<FONT size=\"2147483647\">huge</FONT>"),
        QStringLiteral("<FONT size=\"-5\">neg</FONT>"),
        QStringLiteral("<IMG src=\"IDX:99999999999\" width=\"2147483647\" height=\"2147483647\">"),
        QStringLiteral("<IND x=\"2147483647\">far<P indent=\"99999999\">x"),
        QStringLiteral("<CONTROL TYPE=\"EDIT\" WIDTH=\"2147483647\" HEIGHT=\"-9\">"),
        QStringLiteral("<R a=\"-2147483648\">rot</R></R></R>"),
        QStringLiteral("&amp;amp;amp;amp;amp;amp;amp;lt;"),
        QString(3000, u'<'),
        QStringLiteral("</UL></UL></UL></A></A></P></P>"),
    };
    for (const QString& t : texts) {
        for (bool wrap : {true, false}) {
            Render r;
            r.text = t;
            r.rect = fw::TRect(0, 0, 1, 50);
            r.wordWrap = wrap;
            r.mouseX = 5;
            r.mouseY = 5;
            r.run(*canvas);
            r.measureOnly = true;
            r.run(*canvas);
            EXPECT_GE(r.height, gh());
        }
    }
}

TEST_F(HtmlRender, EveryLineConsumesText)
{
    // Random tag soup in a rectangle one pixel wide: the layout must always finish.
    static const char* pieces[] = {"<B>", "</B>", "<BR>", "<UL>", "</UL>", "<LI>", "</LI>", "<P align=\"right\">",
                                   "</P>", "<A href=\"h\">", "</A>", "<IMG src=\"x\">", "<Z>", "</Z>", "word ",
                                   "w", " ", "&nbsp;", "<CONTROL TYPE=\"CHECK\" ID=\"i\">", "<SUB>", "<HR>", "<"};
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        QString t;
        const int n = int(rng() % 40);
        for (int i = 0; i < n; ++i)
            t += QString::fromLatin1(pieces[rng() % std::size(pieces)]);
        Render r;
        r.text = t;
        r.rect = fw::TRect(0, 0, 1, 100000);
        r.wordWrap = (round % 2) == 0;
        r.measureOnly = (round % 3) == 0;
        r.run(*canvas);
        EXPECT_LE(r.height, std::max(gh(), 60 * n)) << t.toStdString();
    }
}

TEST_F(HtmlPictures, AltPictureShowsUnderTheMouse)
{
    TPictureItem* item = container.Items().Add();
    item->Name = QStringLiteral("Other");
    THTMLPicture red;
    ASSERT_TRUE(red.LoadFromStream(pngBytes(20, 40, qRgb(255, 0, 0))));
    item->SetPicture(red);
    struct Case {
        int mouseX;
        QRgb shown;
    };
    const Case cases[] = {{10, qRgb(255, 0, 0)}, {200, qRgb(0, 0, 255)}};
    for (const Case& c : cases) {
        page.fill(White);
        Render r;
        r.container = &container;
        r.text = QStringLiteral("<A href=\"p\"><IMG src=\"logo\" alt=\"other\"></A>");
        r.mouseX = c.mouseX;
        r.mouseY = 20;
        r.run(*canvas);
        EXPECT_EQ(drawn().pixel(10, 20), c.shown) << c.mouseX;
    }
}

TEST_F(HtmlPictures, BodyFillsAndTilesTheRectangle)
{
    Render r;
    r.container = &container;
    r.rect = fw::TRect(10, 10, 110, 90);
    r.text = QStringLiteral("<BODY bgcolor=\"clLime\">x");
    r.run(*canvas);
    QImage img = drawn();
    EXPECT_EQ(img.pixel(109, 89), qRgb(0, 255, 0));
    EXPECT_EQ(img.pixel(110, 90), White);

    page.fill(White);
    r.text = QStringLiteral("<BODY background=\"logo\">");
    r.run(*canvas);
    img = drawn();
    EXPECT_EQ(img.pixel(10, 10), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(109, 89), qRgb(0, 0, 255));   // tiles repeat over the whole area
    EXPECT_EQ(img.pixel(110, 89), White);              // and stay inside it
}

TEST_F(HtmlPictures, AttributesNeedQuotesAndAWholeName)
{
    const int a = tw(QStringLiteral("a")), b = tw(QStringLiteral("b"));
    struct Case {
        QString text;
        int width;
    };
    const Case cases[] = {
        {QStringLiteral("<IMG src=\"logo\" width=\"10\">"), 10},
        {QStringLiteral("<IMG src=\"logo\" width=10>"), 20},         // unquoted: no value
        {QStringLiteral("<IMG src=\"logo\" HEIGHT=10>"), 20},
        {QStringLiteral("<IMG alt=\"WIDTH 5\" src=\"logo\">"), 20},  // a name inside a value
        {QStringLiteral("a<IND x=\"100\">b"), 99 + b},
        {QStringLiteral("a<IND x=100>b"), a + b},
        {QStringLiteral("a<IND x=\"far\">b"), a + b},                // not a number: ignored
        {QStringLiteral("a<INDEX x=\"100\">b"), 99 + b},            // the tag's own x is not the attribute
        {QStringLiteral("<font SIZE=24>Hg"), tw(QStringLiteral("Hg"), {}, 24)},
        {QStringLiteral("<font SIZE=\"24\">Hg"), tw(QStringLiteral("Hg"), {}, 24)},
    };
    for (const Case& c : cases) {
        Render r;
        r.container = &container;
        r.text = c.text;
        r.run(*canvas);
        EXPECT_EQ(r.width, c.width) << c.text.toStdString();
    }

    // The paragraph indent takes only a quoted number.
    const struct {
        QString tag;
        int left;
    } indents[] = {{QStringLiteral("<P indent=\"30\">"), 31}, {QStringLiteral("<P indent=30>"), 1}};
    for (const auto& c : indents) {
        page.fill(White);
        Render r;
        r.text = c.tag + QStringLiteral("WWW</P>");
        r.run(*canvas);
        const auto [lo, hi] = inkColumns(drawn(), fw::TRect(0, 0, 400, gh()));
        EXPECT_GE(lo, c.left) << c.tag.toStdString();
        EXPECT_LE(lo, c.left + 2) << c.tag.toStdString();
    }

    // Pages drawn by two texts that must look alike (or must not).
    auto page_of = [&](const QString& text) {
        page.fill(White);
        Render r;
        r.container = &container;
        r.text = text;
        r.run(*canvas);
        return drawn().copy();
    };
    const QImage plain = page_of(QStringLiteral("WWW")), rotated = page_of(QStringLiteral("<R a=\"45\">WWW</R>"));
    // "a" inside the tag name ROTATE is not the angle.
    EXPECT_TRUE(page_of(QStringLiteral("<ROTATE a=\"45\">WWW</R>")) == rotated);
    EXPECT_TRUE(rotated != plain);
    // Only ALIGN lifts the text beside a picture, not another value beginning with TOP.
    const QImage beside = page_of(QStringLiteral("WWW<IMG src=\"logo\">"));
    EXPECT_TRUE(page_of(QStringLiteral("WWW<IMG src=\"logo\" alt=\"top\">")) == beside);
    EXPECT_TRUE(page_of(QStringLiteral("WWW<IMG src=\"logo\" align=\"top\">")) != beside);
}

TEST_F(HtmlRender, ButtonIsDrawnAsHighAsItsHeight)
{
    // The line of a control is 23 high, or the control's height - 2 above 25;
    // the button stands on the line's bottom, its given height tall.
    struct Case {
        QString heightAttr;
        int height, lineHeight;
    };
    const Case cases[] = {
        {QString(), 25, 23},
        {QStringLiteral(" HEIGHT=\"40\""), 40, 38},
        {QStringLiteral(" HEIGHT=\"60\""), 60, 58},
    };
    const int top = 80, middle = 1 + 30;
    for (const Case& c : cases) {
        page.fill(White);
        Render r;
        r.rect = fw::TRect(0, top, 300, 300);
        r.text = QStringLiteral("<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"\" WIDTH=\"60\"%1>").arg(c.heightAttr);
        r.run(*canvas);
        EXPECT_EQ(r.height, c.lineHeight) << c.height;
        const QImage img = drawn();
        int first = -1, last = -1;
        for (int y = 0; y < img.height(); ++y)
            if ((img.pixel(middle, y) | 0xFF000000) != White) {
                if (first < 0)
                    first = y;
                last = y;
            }
        EXPECT_EQ(first, top + c.lineHeight - c.height) << c.height;
        EXPECT_EQ(last, top + c.lineHeight - 1) << c.height;
    }
}

TEST_F(HtmlRender, AnchorTextBandEndsAtTheLineBottom)
{
    // With a subscript in the line, the band of anchor text that answers a check
    // is the lowest "gh" height of the whole line, subscript room included.
    const int bottom = gh() + th(QStringLiteral("2")) / 4;
    ASSERT_GT(bottom, gh());
    struct Case {
        int mouseY;
        bool hit;
    };
    const Case cases[] = {
        {bottom - 1, true},
        {bottom - gh() + 1, true},
        {bottom - gh(), false},
        {bottom, false},
    };
    for (const Case& c : cases) {
        Render r;
        r.text = QStringLiteral("<A href=\"a\">link</A>x<SUB>2</SUB>");
        r.checkOnly = true;
        r.mouseX = 1 + tw(QStringLiteral("link")) / 2;
        r.mouseY = c.mouseY;
        EXPECT_EQ(r.run(*canvas), c.hit) << c.mouseY;
    }
}

TEST_F(HtmlRender, HiddenTextTakesHeightButNoWidth)
{
    struct Case {
        QString text;
        int height;
    };
    const Case cases[] = {
        {QStringLiteral("a<FONT size=\"20\"><Z>x</Z></FONT>"), std::max(gh(), th(QStringLiteral("x"), 20))},
        {QStringLiteral("a<SUB><Z>x</Z></SUB>"), gh() + th(QStringLiteral("x")) / 4},
        {QStringLiteral("a<Z>x</Z>"), gh()},
    };
    for (const Case& c : cases) {
        for (bool measureOnly : {true, false}) {
            Render r;
            r.text = c.text;
            r.measureOnly = measureOnly;
            r.run(*canvas);
            EXPECT_EQ(r.height, c.height) << c.text.toStdString();
            EXPECT_EQ(r.width, tw(QStringLiteral("a"))) << c.text.toStdString();
            EXPECT_EQ(r.stripped, QStringLiteral("ax")) << c.text.toStdString();
        }
    }
}

TEST_F(HtmlRender, CheckWithoutControlIdFindsControlsOnlyUnderTheMouse)
{
    // A check made for the mouse alone passes no ID: a CONTROL without an ID is
    // then no match by ID, or every such control would answer wherever the mouse is.
    const QString text = QStringLiteral("<A href=\"a\">link</A> <CONTROL TYPE=\"CHECK\" VALUE=\"TRUE\">");
    struct Case {
        int mouseX;
        bool result;
        QString anchor;
    };
    const Case cases[] = {
        {1 + tw(QStringLiteral("link")) / 2, true, QStringLiteral("a")},
        {250, false, QStringLiteral("untouched")},
    };
    for (const Case& c : cases) {
        Render r;
        r.text = text;
        r.checkOnly = true;
        r.mouseX = c.mouseX;
        r.mouseY = std::max(gh(), 16) - 2;   // a check box line is 16 high
        EXPECT_EQ(r.run(*canvas), c.result) << c.mouseX;
        EXPECT_EQ(r.anchor, c.anchor) << c.mouseX;
        EXPECT_TRUE(r.controlType.isEmpty()) << c.mouseX;
        EXPECT_EQ(r.controlRect, fw::TRect(0, 0, 0, 0)) << c.mouseX;
    }
}

TEST_F(HtmlRender, ListItemOutsideAListDrawsNoBullet)
{
    // At level 0 a bullet would stand left of the rectangle, over whatever lies there.
    Render r;
    r.rect = fw::TRect(50, 0, 300, 200);
    r.text = QStringLiteral("<LI>item");
    r.run(*canvas);
    EXPECT_EQ(r.width, tw(QStringLiteral("item")));
    const auto [lo, hi] = inkColumns(drawn(), fw::TRect(0, 0, 400, gh()));
    EXPECT_GE(lo, 51);
}
