#include "framework/TextFile.h"

#include <gtest/gtest.h>

namespace {

TEST(TextFile, Cp1252EncodingIsTheDecodersInverse)
{
    // Euro sign, curly quotes and the Latin-1 half land on their code page bytes.
    const QString text = QStringLiteral("\u20AC 5 \u201Cdim\u201D caf\u00E9 \u0152uvre \u00FF");
    const QByteArray bytes = fw::EncodeCp1252(text);
    EXPECT_EQ(bytes, QByteArray("\x80 5 \x93" "dim\x94 caf\xE9 \x8Cuvre \xFF"));
    EXPECT_EQ(fw::DecodeText(bytes), text);
    // Characters the page lacks become a question mark, one per character.
    EXPECT_EQ(fw::EncodeCp1252(QStringLiteral("\u03A9 \u4E2D")), QByteArray("? ?"));
}

} // namespace
