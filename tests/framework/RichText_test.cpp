// The rich-text subset: reading, plain text, writing back, layout and drawing.
#include "framework/RichText.h"

#include "framework/Canvas.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using fw::TRichRun;
using fw::TRichText;

namespace {

TEST(RichText, ReadsTheFormattingSubset)
{
    const TRichText doc = TRichText::FromRtf(QStringLiteral(
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl ;\\red255\\green0\\blue0;}"
        "plain \\b bold\\b0  \\i it\\i0 \\ul under\\ulnone  H\\sub 2\\nosupersub O x\\super 2\\nosupersub "
        "\\cf1 red\\cf0\\par second \\u8364? \\'e9\\tab end}"));
    ASSERT_EQ(doc.Paragraphs().size(), 2u);
    const auto& p = doc.Paragraphs()[0];
    auto runWith = [&](const QString& text) -> const TRichRun* {
        for (const TRichRun& r : p)
            if (r.Text == text)
                return &r;
        return nullptr;
    };
    ASSERT_NE(runWith(QStringLiteral("bold")), nullptr);
    EXPECT_TRUE(runWith(QStringLiteral("bold"))->Style.Contains(fw::fsBold));
    EXPECT_TRUE(runWith(QStringLiteral("it"))->Style.Contains(fw::fsItalic));
    EXPECT_TRUE(runWith(QStringLiteral("under"))->Style.Contains(fw::fsUnderline));
    EXPECT_EQ(runWith(QStringLiteral("red"))->Color, fw::clRed);
    int subscripts = 0, superscripts = 0;
    for (const TRichRun& r : p) {
        subscripts += r.VOffset < 0 && r.Text == u"2";
        superscripts += r.VOffset > 0 && r.Text == u"2";
    }
    EXPECT_EQ(subscripts, 1);
    EXPECT_EQ(superscripts, 1);
    EXPECT_EQ(doc.PlainText(),
              QString::fromUtf8("plain bold itunder H2O x2red\r\nsecond \u20AC \u00E9\tend"))
        << "a control word takes one blank after it as its end";
}

TEST(RichText, DamagedInputNeverFailsAndStopsAtItsLimits)
{
    const QString cases[] = {
        QStringLiteral("{\\rtf1 unclosed \\b bold"),
        QStringLiteral("{\\rtf1 \\u99999999999 \\'zz \\"),
        QStringLiteral("{\\rtf1 }}}} extra"),
        QString(200, u'{').prepend(QStringLiteral("{\\rtf1 ")) + QStringLiteral("deep"),
        QStringLiteral("{\\rtf1 \\fs-4 \\uc99 \\u65 abc}"),
    };
    for (const QString& rtf : cases) {
        const TRichText doc = TRichText::FromRtf(rtf);
        EXPECT_FALSE(doc.Paragraphs().empty()) << rtf.toStdString();
        (void)doc.RequiredSize(fw::TFont(), 100, true);
    }
    EXPECT_EQ(TRichText::FromRtf(QStringLiteral("{\\rtf1 unclosed \\b bold")).PlainText(),
              QStringLiteral("unclosed bold"));
}

TEST(RichText, PlainTextIsTakenAsIs)
{
    const TRichText doc = TRichText::FromRtf(QStringLiteral("not rtf\r\nline two"));
    EXPECT_EQ(doc.PlainText(), QStringLiteral("not rtf\r\nline two"));
}

TEST(RichText, WrittenRtfReadsBackTheSameRuns)
{
    const TRichText doc = TRichText::FromRtf(QStringLiteral(
        "{\\rtf1{\\colortbl ;\\red0\\green128\\blue0;}a \\b b\\b0 \\cf1 c\\cf0 {\\super d} \\u8364? e\\{\\}\\par f}"));
    const TRichText again = TRichText::FromRtf(doc.ToRtf());
    EXPECT_EQ(again.Paragraphs(), doc.Paragraphs());
}

TEST(RichText, WrapsAtBlanksToTheWidth)
{
    const TRichText doc = TRichText::FromRtf(QStringLiteral("{\\rtf1 aaaa bbbb cccc}"));
    fw::TFont font;
    fw::TCanvas canvas;
    canvas.Font() = font;
    const int word = canvas.TextWidth(QStringLiteral("aaaa"));
    const int line = canvas.TextMetrics().tmHeight;
    EXPECT_EQ(doc.RequiredSize(font, 1000, false).cy, line);
    const fw::TSize wrapped = doc.RequiredSize(font, word + 5, true);
    EXPECT_EQ(wrapped.cy, 3 * line);
    EXPECT_EQ(wrapped.cx, word) << "a blank that would start a line is dropped";
}

TEST(RichText, DrawsRunsInTheirColoursOrTheGivenOne)
{
    const TRichText doc = TRichText::FromRtf(
        QStringLiteral("{\\rtf1{\\colortbl ;\\red0\\green0\\blue255;}\\cf1 Blue\\cf0  Black}"));
    fw::TBitmap bmp(200, 30);
    fw::TCanvas& c = bmp.Canvas();
    c.Brush().Color = fw::clWhite;
    c.FillRect(fw::TRect(0, 0, 200, 30));
    fw::TFont font;
    font.Color = fw::clBlack;
    doc.Draw(c, fw::TRect(2, 2, 198, 28), font, true);
    QImage img = bmp.ToImage();
    EXPECT_GT(testsupport::countPixels(img, testsupport::colorIs(fw::clBlue)), 10);
    EXPECT_GT(testsupport::countPixels(img, testsupport::colorIs(fw::clBlack)), 10);
    c.FillRect(fw::TRect(0, 0, 200, 30));
    doc.Draw(c, fw::TRect(2, 2, 198, 28), font, true, fw::clRed);
    img = bmp.ToImage();
    EXPECT_EQ(testsupport::countPixels(img, testsupport::colorIs(fw::clBlue)), 0);
    EXPECT_GT(testsupport::countPixels(img, testsupport::colorIs(fw::clRed)), 20);
}

} // namespace

namespace {

TEST(RichText, DrawingWithTheCanvasOwnFontGivesTheSamePicture)
{
    const TRichText doc = TRichText::FromRtf(QStringLiteral("{\\rtf1 \\b bold\\b0  \\i it\\i0  plain \\sub 2\\nosupersub  end}"));
    auto draw = [&](bool own) {
        fw::TBitmap bmp(300, 30);
        fw::TCanvas& c = bmp.Canvas();
        c.Brush().Color = fw::clWhite;
        c.FillRect(fw::TRect(0, 0, 300, 30));
        c.Font() = fw::TFont();
        const fw::TFont copy = c.Font();
        if (own)
            doc.Draw(c, fw::TRect(0, 0, 300, 30), c.Font(), false);
        else
            doc.Draw(c, fw::TRect(0, 0, 300, 30), copy, false);
        EXPECT_EQ(c.Font(), copy) << "the canvas keeps its font";
        return bmp.ToImage();
    };
    EXPECT_EQ(draw(true), draw(false));
}

} // namespace
