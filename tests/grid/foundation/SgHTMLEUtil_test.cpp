#include "grid/foundation/SgHTMLEUtil.h"
#include "grid/foundation/SgCheck.h"

#include "framework/Canvas.h"
#include "framework/Graphics.h"
#include "framework/SysColors.h"

#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

// Readable failure messages for texts.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

struct TTextCase {
    const char* name;
    QString input;
    QString expected;
};

TEST(SgHTMLEUtil, StripHtmlTags)
{
    const std::vector<TTextCase> cases = {
        {"tags and line break", "a<b>b</b><BR>c", "ab\r\nc"},
        {"lower-case br and hr", "x<br>y<hr>z", "x\r\ny\r\nz"},
        {"lone greater-than stays", "a > b", "a > b"},
        {"lone less-than keeps the rest", "x < y", "x < y"},
        {"unclosed tag after a tag", "<i>x</i> < y", "x < y"},
        {"attributes", "<FONT color=\"clred\">red</FONT>", "red"},
        {"empty", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StripHtmlTags(c.input), c.expected) << c.name;
}

TEST(SgHTMLEUtil, WrapMatchesInTag)
{
    struct TCase {
        const char* name;
        QString html, search;
        bool caseSensitive;
        QString expected;
    };
    const std::vector<TCase> cases = {
        {"inside formatting", "<B>abc</B>", "b", true, "<B>a<HI>b</HI>c</B>"},
        {"every occurrence", "abab", "ab", true, "<HI>ab</HI><HI>ab</HI>"},
        {"case differs, sensitive", "ABC", "b", true, "ABC"},
        {"case differs, insensitive", "ABC", "b", false, "A<HI>B</HI>C"},
        {"match at the end", "xy", "y", true, "x<HI>y</HI>"},
        {"match spans a tag", "a<B>bc</B>", "ab", true, "<HI>a<B>b</HI>c</B>"},
        {"no match", "<B>abc</B>", "z", true, "<B>abc</B>"},
        {"stray bracket escapes the text", "1 > 0", "0", true, "1 &gt; <HI>0</HI>"},
        {"non-ASCII upper-casing keeps positions", "straße x", "X", false, "straße <HI>x</HI>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WrapMatchesInTag(c.html, c.search, "HI", c.caseSensitive), c.expected) << c.name;
}

TEST(SgHTMLEUtil, RemoveTagPairsUndoesWrap)
{
    const QString html = "<B>abcab</B> &lt;x&gt;";
    const QString marked = WrapMatchesInTag(html, "ab", "HI", true);
    EXPECT_NE(marked, html);
    EXPECT_EQ(RemoveTagPairs(marked, "hi"), "<B>abcab</B> <x>");
    // Tags with attributes are not touched.
    EXPECT_EQ(RemoveTagPairs("<HI a=1>x</HI>", "HI"), "<HI a=1>x");
}

TEST(SgHTMLEUtil, EntityDecoding)
{
    struct TCase {
        const char* name;
        QString input;
        bool extended;
        QString expected;
    };
    const std::vector<TCase> cases = {
        {"basic four", "&lt;a&gt; &amp; &quot;q&quot;", false, "<a> & \"q\""},
        {"decodes once", "&amp;quot; &amp;lt;", false, "&quot; &lt;"},
        {"extended off leaves names", "&eacute;", false, "&eacute;"},
        {"both cases in one text", "&Eacute;t&eacute; &eacute;&Eacute;", true,
         QString::fromUtf8("Été éÉ")},
        {"symbols", "&copy;&reg;&euro;&laquo;&raquo;", true, QString::fromUtf8("©®€«»")},
        {"exact case only", "&LT; &Amp;", true, "&LT; &Amp;"},
        {"unused table tail stays", "&atilde;", true, "&atilde;"},
        {"lone ampersand", "a & b &", true, "a & b &"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HtmlEntitiesToText(c.input, c.extended), c.expected) << c.name;
}

TEST(SgHTMLEUtil, EntityEncodingRoundTrips)
{
    struct TCase {
        const char* name;
        QString input;
        bool extended;
        QString encoded;
    };
    const std::vector<TCase> cases = {
        {"markup characters", "a<b & \"c\">", false, "a&lt;b &amp; &quot;c&quot;&gt;"},
        {"literal marker text is kept", "*amp; &", false, "*amp; &amp;"},
        {"already encoded text is encoded again", "&amp;", false, "&amp;amp;"},
        {"accents only when extended", QString::fromUtf8("é"), false, QString::fromUtf8("é")},
        {"accents extended", QString::fromUtf8("çÅ€"), true, "&ccedil;&Aring;&euro;"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextToHtmlEntities(c.input, c.extended), c.encoded) << c.name;
        EXPECT_EQ(HtmlEntitiesToText(c.encoded, c.extended), c.input) << c.name;
    }
}

TEST(SgHTMLEUtil, SmallTextRoutines)
{
    EXPECT_EQ(SpacesToNbsp("a b  c"), "a&nbsp;b&nbsp;&nbsp;c");
    EXPECT_EQ(PasswordMask("abc"), "***");
    EXPECT_EQ(PasswordMask(""), "");
    EXPECT_EQ(HtmlPosNoCase("bC", "aBcbc"), 2);
    EXPECT_EQ(HtmlPosNoCase("bc", "aBcbc", 3), 4);
    EXPECT_EQ(HtmlPosNoCase("x", "abc"), 0);
    EXPECT_EQ(RemoveHtmlMarkers("a<#b>c\r\nd", true), "a#bc<BR>d");
    EXPECT_EQ(RemoveHtmlMarkers("a\r\nd", false), "ad");
    QString s = "one TWO two";
    EXPECT_TRUE(ReplaceFirstNoCase(s, "two", "2"));
    EXPECT_EQ(s, "one 2 two");
    EXPECT_FALSE(ReplaceFirstNoCase(s, "three", "3"));
}

TEST(SgHTMLEUtil, LeadingInt)
{
    const std::vector<std::pair<QString, int>> cases = {
        {"12", 12}, {"12px", 12}, {"$1F", 31}, {"0x10", 16}, {"-5", -5}, {"", 0}, {"abc", 0},
        {"99999999999", 0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(HtmlLeadingInt(text), value) << text.toStdString();
}

const QString kForm =
    "Name <CONTROL TYPE=\"edit\" ID=\"n\" VALUE=\"Jo &amp; Al\" WIDTH=\"80\" HEIGHT=\"20\" MAXLEN=\"$10\">"
    " <CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"40\">"
    " <CONTROL TYPE=\"RADIO\" ID=\"r1\" VALUE=\"TRUE\" WIDTH=\"15\">"
    " <CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"true\" WIDTH=\"15\">"
    " <CONTROL TYPE=\"COMBO\" ID=\"k\" VALUE=\"x\" WIDTH=\"60\" PROP=\"a&quot;b\">"
    " <CONTROL TYPE=\"RADIO\" ID=\"r2\" VALUE=\"TRUE\" WIDTH=\"15\"> end";

TEST(SgHTMLEUtil, ParseControlTag)
{
    const auto a = ParseHtmlControlTag(
        "CONTROL type=\"edit\" id=\"x1\" value=\"&lt;&eacute;&gt;\" width=\"50\" height=\"18\" "
        "prop=\"p&amp;q\" maxlen=\"8\"");
    EXPECT_EQ(a.Type, "EDIT");
    EXPECT_EQ(a.ID, "x1");
    EXPECT_EQ(a.Value, QString::fromUtf8("<é>"));
    EXPECT_EQ(a.Width, "50");
    EXPECT_EQ(a.Height, "18");
    EXPECT_EQ(a.Prop, "p&q");
    EXPECT_EQ(a.MaxLen, "8");
    // "ID=" inside WIDTH or inside a quoted value is not the ID attribute.
    const auto b = ParseHtmlControlTag("CONTROL VALUE=\"ID=\" WIDTH=\"5\" ID=\"real\"");
    EXPECT_EQ(b.ID, "real");
    EXPECT_EQ(b.Value, "ID=");
    EXPECT_TRUE(ParseHtmlControlTag("CONTROL ID=\"q\"").Type.isEmpty());
}

TEST(SgHTMLEUtil, ControlQueries)
{
    EXPECT_TRUE(HasHtmlControl("a <control x>"));
    EXPECT_FALSE(HasHtmlControl("a <b>"));

    QString value;
    EXPECT_TRUE(HtmlControlValue(kForm, "n", value));
    EXPECT_EQ(value, "Jo & Al");
    EXPECT_FALSE(HtmlControlValue(kForm, "zz", value));
    EXPECT_EQ(HtmlControlProp(kForm, "k"), "a\"b");
    EXPECT_EQ(HtmlControlProp(kForm, "n"), "");
    EXPECT_EQ(HtmlControlMaxLen(kForm, "n"), 16);
    EXPECT_EQ(HtmlControlMaxLen(kForm, "b"), 0);

    struct TCase {
        QString from, expected;
    };
    const std::vector<TCase> next = {{"", "n"}, {"n", "k"}, {"b", "k"}, {"k", ""}, {"missing", ""}};
    for (const auto& c : next)
        EXPECT_EQ(NextEditableControlId(kForm, c.from), c.expected) << c.from.toStdString();
    // Duplicate IDs: the given ID is never the answer.
    const QString dup = "<CONTROL TYPE=\"EDIT\" ID=\"a\"><CONTROL TYPE=\"EDIT\" ID=\"a\"><CONTROL TYPE=\"EDIT\" ID=\"z\">";
    EXPECT_EQ(NextEditableControlId(dup, "a"), "z");
}

TEST(SgHTMLEUtil, SetControlValueRewritesTag)
{
    QString text = kForm;
    ASSERT_TRUE(SetHtmlControlValue(text, "n", QString::fromUtf8("<é> \"q\"")));
    EXPECT_TRUE(text.startsWith("Name <CONTROL ID=\"n\" VALUE=\"&lt;&eacute;&gt; &quot;q&quot;\" WIDTH=\"80\" "
                                "TYPE=\"EDIT\" MAXLEN=\"$10\"> <CONTROL TYPE=\"BUTTON\""))
        << text.toStdString();
    EXPECT_FALSE(text.contains("HEIGHT"));
    QString value;
    ASSERT_TRUE(HtmlControlValue(text, "n", value));
    EXPECT_EQ(value, QString::fromUtf8("<é> \"q\""));
    EXPECT_TRUE(text.endsWith(" end"));

    ASSERT_TRUE(SetHtmlControlValue(text, "k", "y"));
    EXPECT_EQ(HtmlControlProp(text, "k"), "a\"b");
    EXPECT_TRUE(text.contains("PROP=\"a&quot;b\""));

    const QString before = text;
    EXPECT_FALSE(SetHtmlControlValue(text, "nope", "v"));
    EXPECT_EQ(text, before);
}

TEST(SgHTMLEUtil, ClearRadioControls)
{
    const QString cleared = ClearRadioControls(kForm);
    QString v;
    ASSERT_TRUE(HtmlControlValue(cleared, "r1", v));
    EXPECT_EQ(v, "FALSE");
    ASSERT_TRUE(HtmlControlValue(cleared, "r2", v));
    EXPECT_EQ(v, "FALSE");
    ASSERT_TRUE(HtmlControlValue(cleared, "c", v));
    EXPECT_EQ(v, "true");
}

TEST(SgHTMLEUtil, ColourNames)
{
    const std::vector<std::pair<QString, fw::TColor>> cases = {
        {"clred", 0x0000FF},      {"clnavy", 0x800000},        {"clmaroon", 0x000080},
        {"cl3ddkshadow", 0xFF000015}, {"clinfobk", 0xFF000018}, {"clbackground", 0xFF000001},
        {"clRed", 0},             {"nonsense", 0},
    };
    for (const auto& [name, colour] : cases)
        EXPECT_EQ(HtmlColorFromName(name), colour) << name.toStdString();
}

TEST(SgHTMLEUtil, HexColours)
{
    const std::vector<std::pair<QString, fw::TColor>> cases = {
        {"#FF0000", 0x0000FF}, {"#00FF00", 0x00FF00}, {"#0000FF", 0xFF0000},
        {"#123456", 0x563412}, {"#12345", 0x003412},  {"#", 0},
        {"#ff8000", 0x0080FF},
    };
    for (const auto& [text, colour] : cases)
        EXPECT_EQ(HtmlColorFromHex(text), colour) << text.toStdString();
}

TEST(SgHTMLEUtil, HighlightColours)
{
    SetHtmlHighlightColors(0x00FFFF, 0x000080);
    EXPECT_EQ(HtmlHighlightBackground(), 0x00FFFFu);
    EXPECT_EQ(HtmlHighlightTextColor(), 0x000080u);
}

TEST(SgHTMLEUtil, BiDiFlags)
{
    using namespace fw;
    // Left-to-right desktop: nothing changes.
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    EXPECT_EQ(AdjustHtmlBiDiFlags(DT_LEFT | DT_BOTTOM, bdRightToLeft), DT_LEFT | DT_BOTTOM);

    QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    struct TCase {
        unsigned flags;
        TBiDiMode mode;
        unsigned expected;
    };
    const std::vector<TCase> cases = {
        {DT_LEFT, bdRightToLeft, DT_RIGHT | DT_RTLREADING},
        {DT_RIGHT, bdRightToLeft, DT_LEFT | DT_RTLREADING},
        {DT_CENTER, bdRightToLeft, DT_CENTER | DT_RTLREADING},
        {DT_LEFT, bdRightToLeftNoAlign, DT_LEFT | DT_RTLREADING},
        {DT_RIGHT, bdRightToLeftReadingOnly, DT_RIGHT | DT_RTLREADING},
        {DT_LEFT, bdLeftToRight, DT_LEFT},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AdjustHtmlBiDiFlags(c.flags, c.mode), c.expected) << c.flags << "/" << int(c.mode);
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
}

TEST(SgHTMLEUtil, StretchAndIcons)
{
    using namespace fw;
    QImage img(40, 40, QImage::Format_RGB32);
    img.fill(Qt::white);
    TCanvas canvas(&img);
    TBitmap bmp(2, 2);
    bmp.Canvas().Brush().Color = 0x0000FF;
    bmp.Canvas().FillRect(TRect(0, 0, 2, 2));
    bmp.Canvas().SetPixel(1, 1, 0x00FF00);
    StretchBitmapToRect(canvas, TRect(10, 10, 30, 30), bmp);
    canvas.Release();
    EXPECT_EQ(FromQColor(img.pixelColor(10, 10)), 0x0000FFu);
    EXPECT_EQ(FromQColor(img.pixelColor(29, 29)), 0x00FF00u);
    EXPECT_EQ(FromQColor(img.pixelColor(19, 19)), 0x0000FFu);
    EXPECT_EQ(FromQColor(img.pixelColor(20, 20)), 0x00FF00u);
    EXPECT_EQ(FromQColor(img.pixelColor(30, 30)), clWhite);

    EXPECT_EQ(DrawSystemIcon(canvas, 0, 0, 1.0, false, false, false, "5"), 16);
    EXPECT_EQ(DrawSystemIcon(canvas, 0, 0, 1.0, false, false, true, "5"), 32);
    QTemporaryDir dir;
    EXPECT_EQ(DrawSystemIcon(canvas, 0, 0, 2.0, true, true, false, dir.path()), 16);   // no crash on a real folder

    canvas.Font().Escapement = 0;
    const TFont before = SelectRotatedFont(canvas, 90);
    EXPECT_EQ(canvas.Font().Escapement, 900);
    EXPECT_EQ(canvas.Font().Orientation, 900);
    RestoreCanvasFont(canvas, before);
    EXPECT_EQ(canvas.Font().Escapement, 0);
    EXPECT_TRUE(HtmlFolderExists(dir.path()));
    EXPECT_FALSE(HtmlFolderExists(dir.path() + "/missing"));
}

TEST(SgHTMLEUtil, CheckerBaseLeavesTextAlone)
{
    TFxStringGridCheck check;
    EXPECT_FALSE(check.AutoCorrect || check.AutoMarkError || check.GotoCell || check.UseCorrect || check.UseMarkError);
    EXPECT_EQ(check.Correct(1, 2, "teh"), "teh");
    EXPECT_EQ(check.MarkError(1, 2, "teh"), "teh");
    check.StartCheck();
    check.StopCheck();
}

} // namespace
