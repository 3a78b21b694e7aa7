#include "framework/Clipboard.h"

#include <gtest/gtest.h>

using namespace fw;

namespace {

TEST(Clipboard, FormatsWrittenTogetherFormOneContent)
{
    TClipboard& clip = Clipboard();
    clip.Open();
    clip.SetData(QStringLiteral("TFxStringGrid Cells"), QByteArray("\x01\x00row", 5));
    clip.SetAsText(QStringLiteral("a\tb\r\n"));
    clip.SetData(QStringLiteral("HTML Format"), "<table></table>");
    clip.Close();

    EXPECT_EQ(clip.GetData(QStringLiteral("TFxStringGrid Cells")), QByteArray("\x01\x00row", 5));
    EXPECT_EQ(clip.AsText(), QStringLiteral("a\tb\r\n"));
    EXPECT_EQ(clip.GetData(QStringLiteral("HTML Format")), "<table></table>");
    // The offset document is a format of its own, not a page for text/html.
    EXPECT_FALSE(clip.HasFormat(QStringLiteral("text/html")));

    // Outside Open/Close a write replaces the whole content.
    clip.SetAsText(QStringLiteral("only text"));
    EXPECT_FALSE(clip.HasFormat(QStringLiteral("TFxStringGrid Cells")));
    EXPECT_EQ(clip.AsText(), QStringLiteral("only text"));

    clip.Clear();
    EXPECT_TRUE(clip.AsText().isEmpty());
}

TEST(Clipboard, FormatNamesMapToDistinctTypes)
{
    EXPECT_EQ(TClipboard::MimeOf(QStringLiteral("Rich Text Format")), QStringLiteral("text/rtf"));
    EXPECT_EQ(TClipboard::MimeOf(QStringLiteral("text/csv")), QStringLiteral("text/csv"));
    EXPECT_NE(TClipboard::MimeOf(QStringLiteral("TFxStringGrid Cells")),
              TClipboard::MimeOf(QStringLiteral("TFxStringGrid-Cells")));
}

} // namespace
