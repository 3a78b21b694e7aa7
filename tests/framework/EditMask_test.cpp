#include "framework/EditMask.h"

#include <gtest/gtest.h>

using namespace fw;

TEST(EditMask, ParsesFieldsLiteralsAndBlanks)
{
    struct TCase {
        const char* mask;
        const char* empty;        // edit text with nothing typed
        const char* text;         // Text given
        const char* editText;     // edit text showing it
        const char* textBack;     // Text read back
    };
    const TCase cases[] = {
        {"!90:00:00;1; ", "  :  :  ", "12:34:56", "12:34:56", "12:34:56"},
        {"00:00;0;_", "__:__", "1234", "12:34", "1234"},
        {"00:00;0;_", "__:__", "12", "12:__", "12  "},
        {">LL-000;1;*", "**-***", "ab-123", "AB-123", "AB-123"},
        {"<LL>ll;1;_", "____", "ABcd", "abCD", "abCD"},
        {"\\A00;1;_", "A__", "A42", "A42", "A42"},
        {"00/00/0000;1;_", "__.__.____", "24.12.2024", "24.12.2024", "24.12.2024"},
        {"__00;1;_", "  __", "  07", "  07", "  07"},
        {"", "", "free", "", ""},
    };
    for (const TCase& c : cases) {
        const TEditMask m(QString::fromUtf8(c.mask), QLatin1Char('.'), QLatin1Char(':'));
        EXPECT_EQ(m.EmptyText(), QString::fromUtf8(c.empty)) << c.mask;
        if (m.IsEmpty())
            continue;
        const QString shown = m.EditTextFor(QString::fromUtf8(c.text));
        EXPECT_EQ(shown, QString::fromUtf8(c.editText)) << c.mask;
        EXPECT_EQ(m.TextOf(shown), QString::fromUtf8(c.textBack)) << c.mask;
    }
}

TEST(EditMask, AcceptsByKindAndReportsMissingRequiredPositions)
{
    const TEditMask m(QStringLiteral("L l A a C c 0 9 #;1;_"), QLatin1Char('/'), QLatin1Char(':'));
    struct TCase {
        int pos;
        char ch;
        bool accepted;
    };
    const TCase cases[] = {
        {0, 'x', true},  {0, '1', false}, {2, 'q', true},  {2, '-', false}, {4, '7', true},  {4, '+', false},
        {8, '%', true},  {10, ' ', true}, {12, '5', true}, {12, 'x', false}, {14, '0', true}, {16, '-', true},
        {16, '+', true}, {16, 'a', false}, {1, 'x', false},   // position 1 is a literal blank
    };
    for (const TCase& c : cases)
        EXPECT_EQ(!m.Accept(c.pos, QLatin1Char(c.ch)).isNull(), c.accepted) << c.pos << " " << c.ch;

    EXPECT_EQ(m.FirstMissing(m.EmptyText()), 0);
    const TEditMask time(QStringLiteral("00:90;1;_"), QLatin1Char('/'), QLatin1Char(':'));
    EXPECT_EQ(time.FirstMissing(QStringLiteral("12:_5")), -1) << "9 is optional";
    EXPECT_EQ(time.FirstMissing(QStringLiteral("12:4_")), 4);
    EXPECT_EQ(time.NextEditable(2), 3);
    EXPECT_EQ(time.PrevEditable(3), 1);
    EXPECT_EQ(time.NextEditable(5), 5) << "none left: the length";
}

namespace {

TEditBuffer buffer(const QString& text, int anchor, int caret, int maxLength = 0, const TEditMask* mask = nullptr)
{
    TEditBuffer b;
    b.Text = text;
    b.Anchor = anchor;
    b.Caret = caret;
    b.MaxLength = maxLength;
    b.Mask = mask;
    return b;
}

} // namespace

TEST(EditBuffer, FreeTextEdits)
{
    enum Op { Type, Paste, Back, Del };
    struct TCase {
        const char* name;
        TEditBuffer before;
        Op op;
        QString arg;
        bool ok;
        QString text;
        int caret;
    };
    const TCase cases[] = {
        {"type at caret", buffer("abc", 1, 1), Type, "X", true, "aXbc", 2},
        {"type over selection", buffer("abcd", 3, 1), Type, "X", true, "aXd", 2},
        {"limit reached", buffer("abc", 3, 3, 3), Type, "X", false, "abc", 3},
        {"limit with selection", buffer("abc", 0, 1, 3), Type, "X", true, "Xbc", 1},
        {"paste cut to the limit", buffer("ab", 2, 2, 5), Paste, "12345", true, "ab123", 5},
        {"paste stops at a line break", buffer("", 0, 0), Paste, "one\r\ntwo", true, "one", 3},
        {"paste nothing left", buffer("abc", 1, 1, 3), Paste, "z", false, "abc", 1},
        {"backspace at start", buffer("abc", 0, 0), Back, "", false, "abc", 0},
        {"backspace", buffer("abc", 2, 2), Back, "", true, "ac", 1},
        {"backspace selection", buffer("abcd", 1, 3), Back, "", true, "ad", 1},
        {"delete at end", buffer("abc", 3, 3), Del, "", false, "abc", 3},
        {"delete", buffer("abc", 0, 0), Del, "", true, "bc", 0},
    };
    for (const TCase& c : cases) {
        TEditBuffer b = c.before;
        bool ok = false;
        switch (c.op) {
        case Type: ok = b.InsertChar(c.arg.at(0)); break;
        case Paste: ok = b.InsertText(c.arg); break;
        case Back: ok = b.Backspace(); break;
        case Del: ok = b.DeleteForward(); break;
        }
        EXPECT_EQ(ok, c.ok) << c.name;
        EXPECT_EQ(b.Text, c.text) << c.name;
        EXPECT_EQ(b.Caret, c.caret) << c.name;
        EXPECT_FALSE(b.HasSelection()) << c.name;
    }
}

TEST(EditBuffer, MaskedTypingSkipsLiteralsAndBlanksInsteadOfRemoving)
{
    const TEditMask mask(QStringLiteral("00:00;1;_"), QLatin1Char('/'), QLatin1Char(':'));
    TEditBuffer b = buffer(mask.EmptyText(), 0, 0, 0, &mask);
    for (const char ch : {'1', '2', '3'})
        EXPECT_TRUE(b.InsertChar(QLatin1Char(ch)));
    EXPECT_EQ(b.Text, "12:3_");
    EXPECT_EQ(b.Caret, 4);
    EXPECT_FALSE(b.InsertChar(QLatin1Char('x'))) << "a letter in a digit place";
    EXPECT_TRUE(b.InsertChar(QLatin1Char('4')));
    EXPECT_FALSE(b.InsertChar(QLatin1Char('5'))) << "the mask is full";

    EXPECT_TRUE(b.Backspace());
    EXPECT_TRUE(b.Backspace());
    EXPECT_EQ(b.Text, "12:__");
    EXPECT_TRUE(b.Backspace()) << "jumps over the literal";
    EXPECT_EQ(b.Text, "1_:__");
    EXPECT_EQ(b.Caret, 1);

    b.SetSel(0, 5);
    EXPECT_TRUE(b.InsertText(QStringLiteral("09:45")));
    EXPECT_EQ(b.Text, "09:45") << "the pasted separator is passed over";
    b.SetSel(1, 4);
    EXPECT_TRUE(b.DeleteForward());
    EXPECT_EQ(b.Text, "0_:_5") << "deleting blanks, the text keeps its length";
}

TEST(EditBuffer, WordMoves)
{
    const TEditBuffer b = buffer("one two  three", 0, 0);
    EXPECT_EQ(b.WordRight(0), 4);
    EXPECT_EQ(b.WordRight(4), 9);
    EXPECT_EQ(b.WordLeft(9), 4);
    EXPECT_EQ(b.WordLeft(6), 4);
    EXPECT_EQ(b.WordLeft(3), 0);
}
