#include "framework/StringList.h"

#include "support/TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace fw;

namespace {

TStringList listOf(const QStringList& items)
{
    TStringList l;
    l.AddStrings(items);
    return l;
}

} // namespace

TEST(StringList, CommaTextQuotingTable)
{
    struct Case {
        QStringList items;
        QString text;
    };
    const std::vector<Case> cases = {
        {{}, QString()},
        {{QString()}, QStringLiteral("\"\"")},
        {{QStringLiteral("a"), QStringLiteral("b")}, QStringLiteral("a,b")},
        {{QStringLiteral("a b"), QStringLiteral("c")}, QStringLiteral("\"a b\",c")},
        {{QStringLiteral("x,y")}, QStringLiteral("\"x,y\"")},
        {{QStringLiteral("say \"hi\"")}, QStringLiteral("\"say \"\"hi\"\"\"")},
        {{QStringLiteral("a"), QString(), QStringLiteral("b")}, QStringLiteral("a,,b")},
        {{QStringLiteral("tab\there")}, QStringLiteral("\"tab\there\"")},
        {{QStringLiteral("semi;colon")}, QStringLiteral("semi;colon")},
        {{QStringLiteral("line\r\nbreak")}, QStringLiteral("\"line\r\nbreak\"")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const TStringList l = listOf(c.items);
        EXPECT_EQ(l.CommaText(), c.text);
        TStringList back;
        back.SetCommaText(c.text);
        EXPECT_EQ(back.ToQStringList(), c.items) << "round trip";
    }
}

TEST(StringList, CommaTextParsingOfHandWrittenText)
{
    struct Case {
        QString text;
        QStringList items;
    };
    const std::vector<Case> cases = {
        // Outside quotes a blank separates like the delimiter.
        {QStringLiteral("a b,c"), {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}},
        {QStringLiteral("  a ,  b  "), {QStringLiteral("a"), QStringLiteral("b")}},
        // A delimiter at the end adds an empty item.
        {QStringLiteral("a,"), {QStringLiteral("a"), QString()}},
        {QStringLiteral(",a"), {QString(), QStringLiteral("a")}},
        // Text right after a closing quote starts a new item.
        {QStringLiteral("\"ab\"cd,e"), {QStringLiteral("ab"), QStringLiteral("cd"), QStringLiteral("e")}},
        // An unterminated quote runs to the end.
        {QStringLiteral("\"open, text"), {QStringLiteral("open, text")}},
        {QStringLiteral("\"\""), {QString()}},
        {QString(), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        TStringList l;
        l.SetCommaText(c.text);
        EXPECT_EQ(l.ToQStringList(), c.items);
    }
}

TEST(StringList, DelimitedTextWithOwnDelimiterAndQuote)
{
    struct Case {
        QChar delimiter;
        QChar quote;
        bool strict;
        QStringList items;
        QString text;
    };
    const std::vector<Case> cases = {
        {QLatin1Char(';'), QLatin1Char('"'), false, {QStringLiteral("a,b"), QStringLiteral("c;d")}, QStringLiteral("a,b;\"c;d\"")},
        {QLatin1Char(';'), QLatin1Char('\''), false, {QStringLiteral("it's"), QStringLiteral("x y")}, QStringLiteral("'it''s';'x y'")},
        // Strict: blanks are data and do not force quotes.
        {QLatin1Char(';'), QLatin1Char('"'), true, {QStringLiteral(" a b "), QStringLiteral("c")}, QStringLiteral(" a b ;c")},
        {QLatin1Char('|'), QLatin1Char('"'), true, {QStringLiteral("x|y"), QString()}, QStringLiteral("\"x|y\"|")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        TStringList l = listOf(c.items);
        l.SetDelimiter(c.delimiter);
        l.SetQuoteChar(c.quote);
        l.SetStrictDelimiter(c.strict);
        EXPECT_EQ(l.DelimitedText(), c.text);
        TStringList back;
        back.SetDelimiter(c.delimiter);
        back.SetQuoteChar(c.quote);
        back.SetStrictDelimiter(c.strict);
        back.SetDelimitedText(c.text);
        EXPECT_EQ(back.ToQStringList(), c.items);
        // CommaText ignores the list's own settings.
        TStringList viaComma;
        viaComma.SetCommaText(l.CommaText());
        EXPECT_EQ(viaComma.ToQStringList(), c.items);
    }
}

TEST(StringList, SortedListKeepsOrderAndHandlesDuplicates)
{
    TStringList l;
    l.SetSorted(true);
    EXPECT_EQ(l.Add(QStringLiteral("pear")), 0);
    EXPECT_EQ(l.Add(QStringLiteral("Apple")), 0);
    EXPECT_EQ(l.Add(QStringLiteral("banana")), 1);
    EXPECT_EQ(l.Add(QStringLiteral("APPLE")), 0) << "dupIgnore returns the existing index";
    EXPECT_EQ(l.ToQStringList(), QStringList({QStringLiteral("Apple"), QStringLiteral("banana"), QStringLiteral("pear")}));
    EXPECT_EQ(l.IndexOf(QStringLiteral("BANANA")), 1);
    EXPECT_THROW(l.Insert(0, QStringLiteral("x")), EStringListError);

    l.SetDuplicates(TDuplicates::dupError);
    EXPECT_THROW(l.Add(QStringLiteral("pear")), EStringListError);
    l.SetDuplicates(TDuplicates::dupAccept);
    l.Add(QStringLiteral("pear"));
    EXPECT_EQ(l.Count(), 4);

    l.SetCaseSensitive(true);
    EXPECT_EQ(l.IndexOf(QStringLiteral("BANANA")), -1);
}

TEST(StringList, ObjectsAreCarriedButNotOwned)
{
    int a = 1, b = 2;
    TStringList l;
    l.AddObject(QStringLiteral("b"), &b);
    l.AddObject(QStringLiteral("a"), &a);
    l.Sort();
    EXPECT_EQ(l.Objects(0), &a);
    EXPECT_EQ(l.IndexOfObject(&b), 1);
    l.Exchange(0, 1);
    EXPECT_EQ(l.Objects(0), &b);
    l.Delete(0);
    EXPECT_EQ(b, 2);
    EXPECT_THROW(l.Objects(5), EStringListError);
}

TEST(StringList, IndexErrorsNameTheIndex)
{
    TStringList l = listOf({QStringLiteral("x")});
    try {
        l.Strings(3);
        FAIL();
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("List index out of bounds (3)"));
    }
    EXPECT_THROW(l.Delete(-1), EStringListError);
    EXPECT_NO_THROW(l.Insert(1, QStringLiteral("end")));
}

TEST(StringList, NameValueAccess)
{
    TStringList l = listOf({QStringLiteral("Col1=100"), QStringLiteral("plain"), QStringLiteral("Mode=a=b")});
    EXPECT_EQ(l.Names(0), QStringLiteral("Col1"));
    EXPECT_EQ(l.Names(1), QString());
    EXPECT_EQ(l.Values(QStringLiteral("col1")), QStringLiteral("100"));
    EXPECT_EQ(l.Values(QStringLiteral("Mode")), QStringLiteral("a=b"));
    EXPECT_EQ(l.ValueFromIndex(2), QStringLiteral("a=b"));
    EXPECT_EQ(l.IndexOfName(QStringLiteral("plain")), -1);

    l.SetValues(QStringLiteral("Col2"), QStringLiteral("5"));
    EXPECT_EQ(l.Strings(3), QStringLiteral("Col2=5"));
    l.SetValues(QStringLiteral("COL1"), QStringLiteral("7"));
    EXPECT_EQ(l.Values(QStringLiteral("Col1")), QStringLiteral("7"));
    l.SetValues(QStringLiteral("Col2"), QString());
    EXPECT_EQ(l.IndexOfName(QStringLiteral("Col2")), -1) << "an empty value removes the line";
    l.SetValueFromIndex(2, QStringLiteral("c"));
    EXPECT_EQ(l.Strings(2), QStringLiteral("Mode=c"));
}

TEST(StringList, TextSplitsEveryLineBreakKind)
{
    TStringList l;
    l.SetText(QStringLiteral("a\r\nb\nc\rd\r\n\r\ne\n"));
    EXPECT_EQ(l.ToQStringList(),
              QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"), QString(), QStringLiteral("e")}));
    EXPECT_EQ(l.Text(), QStringLiteral("a\r\nb\r\nc\r\nd\r\n\r\ne\r\n"));
    l.SetLineBreak(QStringLiteral("\n"));
    EXPECT_EQ(listOf({QStringLiteral("x")}).Text(), QStringLiteral("x\r\n"));
    l.SetText(QString());
    EXPECT_EQ(l.Count(), 0);
}

TEST(StringList, FilesRoundTripAndDecodeByteOrderMarks)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    TStringList l = listOf({QString::fromUtf8("Grüße"), QStringLiteral("STR 1 = x")});
    l.SaveToFile(path);
    TStringList back;
    back.LoadFromFile(path);
    EXPECT_EQ(back.ToQStringList(), l.ToQStringList());

    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const QString expected = QString::fromUtf8("€uro\u00E4");
    const QString content = expected + QStringLiteral("\r\nsecond");
    const std::vector<Case> cases = {
        {"utf8-bom", QByteArray("\xEF\xBB\xBF") + content.toUtf8()},
        {"utf16le", QByteArray("\xFF\xFE", 2) + QByteArray(reinterpret_cast<const char*>(content.utf16()), content.size() * 2)},
        {"cp1252", QByteArray("\x80uro\xE4\r\nsecond")},
        {"utf8", content.toUtf8()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = dir.filePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(testsupport::writeFile(file, c.bytes));
        TStringList t;
        t.LoadFromFile(file);
        ASSERT_EQ(t.Count(), 2);
        EXPECT_EQ(t[0], expected);
        EXPECT_EQ(t[1], QStringLiteral("second"));
    }
    EXPECT_THROW(back.LoadFromFile(dir.filePath(QStringLiteral("missing.txt"))), EFileError);
    EXPECT_THROW(l.SaveToFile(dir.filePath(QStringLiteral("no/such/folder/x.txt"))), EFileError);
}

TEST(StringList, ChangeEventsAreBracketedByUpdates)
{
    TStringList l;
    int changing = 0, changed = 0;
    l.OnChanging = [&](TStringList&) { ++changing; };
    l.OnChange = [&](TStringList&) { ++changed; };
    l.Add(QStringLiteral("a"));
    EXPECT_EQ(changed, 1);
    l.SetCommaText(QStringLiteral("x,y,z"));   // clear and three adds: one notification
    EXPECT_EQ(changed, 2);
    EXPECT_EQ(changing, 2);
    l.BeginUpdate();
    l.Add(QStringLiteral("p"));
    l.BeginUpdate();
    l.Delete(0);
    l.EndUpdate();
    EXPECT_EQ(changed, 2);
    l.EndUpdate();
    EXPECT_EQ(changed, 3);
}

TEST(StringList, CopiesAreIndependent)
{
    TStringList a = listOf({QStringLiteral("1"), QStringLiteral("2")});
    a.SetDelimiter(QLatin1Char(';'));
    TStringList b = a;
    b.Add(QStringLiteral("3"));
    EXPECT_EQ(a.Count(), 2);
    EXPECT_EQ(b.Delimiter(), QLatin1Char(';'));
    TStringList c = std::move(b);
    EXPECT_EQ(c.Count(), 3);
    EXPECT_EQ(b.Count(), 0);   // a moved-from list is empty and usable
    b.Add(QStringLiteral("again"));
    EXPECT_EQ(b.Count(), 1);
    a.AddStrings(a);
    EXPECT_EQ(a.Count(), 4);
}

TEST(StringList, CustomSortIsStable)
{
    TStringList l = listOf({QStringLiteral("b1"), QStringLiteral("a1"), QStringLiteral("b2"), QStringLiteral("a2")});
    l.CustomSort([](const TStringList& list, int i, int j) {
        return int(list[i].at(0).unicode()) - int(list[j].at(0).unicode());
    });
    EXPECT_EQ(l.CommaText(), QStringLiteral("a1,a2,b1,b2"));
}
