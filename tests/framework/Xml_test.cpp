#include "framework/AtomicFile.h"
#include "framework/Xml.h"

#include "support/ScopedSettings.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using namespace fw;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

// Builds the shape the project files use: a root with value elements and
// rows of attributes, and a version comment after the root.
void buildSample(TXmlDocument& doc)
{
    doc.Clear();
    TXmlNode root = doc.AddChild(QStringLiteral("Par_Gen"));
    doc.AppendComment(QStringLiteral("SW_VERSION = 1.001"));
    root.AddChild(QStringLiteral("MTCPs_IP1")).SetText(QStringLiteral("192"));
    root.AddChild(QStringLiteral("Name")).SetText(QString::fromUtf8("Zürich → 東京 & <x>"));
    root.AddChild(QStringLiteral("Blank")).SetText(QStringLiteral(" "));
    TXmlNode row = root.AddChild(QStringLiteral("row"));
    row.SetAttribute(QStringLiteral("Zeta"), QStringLiteral("1"));
    row.SetAttribute(QStringLiteral("Alpha"), QStringLiteral("\"q\" 'a' <&>"));
    row.SetAttribute(QStringLiteral("Mid"), QStringLiteral("line1\nline2"));
}

} // namespace

TEST(Xml, SerialisedFormHasNoDeclarationAndCommentAfterRoot)
{
    TXmlDocument doc;
    buildSample(doc);
    const QString text = doc.XmlText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("<Par_Gen><MTCPs_IP1>192</MTCPs_IP1>"))) << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("</Par_Gen>\n<!--SW_VERSION = 1.001-->\n"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("<?xml")));

    TXmlSaveOptions withDeclaration;
    withDeclaration.Declaration = true;
    EXPECT_TRUE(doc.XmlText(withDeclaration).startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Par_Gen>")));
}

TEST(Xml, FileRoundTripKeepsOrderTextAndUtf8)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ParGen.xml"));
    TXmlDocument doc;
    buildSample(doc);
    ASSERT_TRUE(doc.SaveToFile(path)) << doc.LastError().toStdString();
    EXPECT_TRUE(readFile(path).contains(QString::fromUtf8("Zürich → 東京").toUtf8())) << "stored as UTF-8";

    TXmlDocument back;
    ASSERT_TRUE(back.LoadFromFile(path)) << back.LastError().toStdString();
    const TXmlNodeList top = back.ChildNodes();
    ASSERT_EQ(top.Count(), 2);
    EXPECT_EQ(top[0].NodeName(), QStringLiteral("Par_Gen"));
    EXPECT_EQ(top[1].NodeType(), TXmlNodeType::Comment);
    EXPECT_EQ(top[1].Text(), QStringLiteral("SW_VERSION = 1.001"));

    const TXmlNode root = back.FirstNode();
    EXPECT_EQ(root, back.DocumentElement());
    EXPECT_EQ(root.FindNode(QStringLiteral("MTCPs_IP1")).Text(), QStringLiteral("192"));
    EXPECT_EQ(root.FindNode(QStringLiteral("Name")).Text(), QString::fromUtf8("Zürich → 東京 & <x>"));
    EXPECT_EQ(root.FindNode(QStringLiteral("Blank")).Text(), QStringLiteral(" ")) << "texts are kept as typed";
    const QList<QPair<QString, QString>> attrs = root.FindNode(QStringLiteral("row")).Attributes();
    const QList<QPair<QString, QString>> expected = {{QStringLiteral("Zeta"), QStringLiteral("1")},
                                                     {QStringLiteral("Alpha"), QStringLiteral("\"q\" 'a' <&>")},
                                                     {QStringLiteral("Mid"), QStringLiteral("line1\nline2")}};
    EXPECT_EQ(attrs, expected);

    // Saving the loaded document again gives the same bytes.
    const QString again = dir.filePath(QStringLiteral("again.xml"));
    ASSERT_TRUE(back.SaveToFile(again));
    EXPECT_EQ(readFile(again), readFile(path));
}

TEST(Xml, NodeQueriesAndEdits)
{
    TXmlDocument doc;
    ASSERT_TRUE(doc.LoadFromString(QStringLiteral(
        "<!-- head --><Root><a>one</a><b/><a>two</a><c>x<d>inner</d>y</c><e>  spaced  </e></Root>")));
    const TXmlNode first = doc.FirstNode();
    EXPECT_EQ(first.NodeType(), TXmlNodeType::Comment) << "the first node is whatever comes first";
    TXmlNode root = doc.DocumentElement();
    EXPECT_EQ(root.NodeName(), QStringLiteral("Root"));
    EXPECT_EQ(root.ChildNodes().Count(), 5);
    EXPECT_EQ(root.FindNode(QStringLiteral("a")).Text(), QStringLiteral("one"));
    EXPECT_TRUE(root.FindNode(QStringLiteral("A")).IsNull()) << "names are case-sensitive";
    EXPECT_EQ(root.FindNode(QStringLiteral("b")).Text(), QString());
    EXPECT_TRUE(root.FindNode(QStringLiteral("b")).IsTextElement());
    EXPECT_FALSE(root.FindNode(QStringLiteral("c")).IsTextElement());
    EXPECT_EQ(root.FindNode(QStringLiteral("c")).Text(), QStringLiteral("xy"));
    EXPECT_EQ(root.FindNode(QStringLiteral("e")).Text(), QStringLiteral("  spaced  ")) << "text is not trimmed";

    QStringList names;
    for (TXmlNode n : root.ChildNodes())
        names << n.NodeName();
    EXPECT_EQ(names.join(QLatin1Char(',')), QStringLiteral("a,b,a,c,e"));

    // Setting an existing attribute keeps its place.
    TXmlNode b = root.FindNode(QStringLiteral("b"));
    b.SetAttribute(QStringLiteral("x"), QStringLiteral("1"));
    b.SetAttribute(QStringLiteral("y"), QStringLiteral("2"));
    b.SetAttribute(QStringLiteral("x"), QStringLiteral("3"));
    EXPECT_EQ(b.Xml(), QStringLiteral("<b x=\"3\" y=\"2\"/>"));
    EXPECT_EQ(b.Attribute(QStringLiteral("missing"), QStringLiteral("def")), QStringLiteral("def"));
    EXPECT_FALSE(b.HasAttribute(QStringLiteral("missing")));

    TXmlNode c = root.FindNode(QStringLiteral("c"));
    c.SetText(QStringLiteral("plain"));
    EXPECT_EQ(c.Xml(), QStringLiteral("<c>plain</c>"));

    // A second root element is refused; a null node ignores everything.
    EXPECT_TRUE(doc.AddChild(QStringLiteral("Second")).IsNull());
    TXmlNode none = root.FindNode(QStringLiteral("zz"));
    none.SetText(QStringLiteral("ignored"));
    none.SetAttribute(QStringLiteral("a"), QStringLiteral("b"));
    EXPECT_TRUE(none.AddChild(QStringLiteral("x")).IsNull());
    EXPECT_EQ(none.ChildNodes().Count(), 0);
    EXPECT_EQ(none.Text(), QString());

    root.ChildNodes().Clear();
    EXPECT_EQ(doc.XmlText(), QStringLiteral("<!-- head -->\n<Root/>\n"));
    doc.ChildNodes().Clear();
    EXPECT_TRUE(doc.FirstNode().IsNull());
    EXPECT_FALSE(doc.AddChild(QStringLiteral("Fresh")).IsNull());
}

TEST(Xml, CommentsStayWellFormed)
{
    TXmlDocument doc;
    doc.AddChild(QStringLiteral("R"));
    doc.AppendComment(QStringLiteral("a--b-"));
    TXmlDocument back;
    ASSERT_TRUE(back.LoadFromString(doc.XmlText())) << doc.XmlText().toStdString();
    EXPECT_EQ(back.ChildNodes().Last().NodeType(), TXmlNodeType::Comment);
}

TEST(Xml, MalformedInputGivesAnErrorAndAnEmptyDocument)
{
    const char* inputs[] = {
        "",
        "   ",
        "<a>",
        "<a></b>",
        "<a><b></a></b>",
        "<a x=\"1\" x=\"2\"/>",
        "<a x=1/>",
        "<a/><b/>",
        "text only",
        "<a/>trailing text",
        "<!-- only a comment -->",
        "<?xml version=\"1.0\"?>",
        "<a>&#xFFFFFFFFF;</a><",
        "\xEF\xBB\xBF<a",
        "<1a/>",
    };
    QTemporaryDir dir;
    for (const char* input : inputs) {
        SCOPED_TRACE(input);
        TXmlDocument doc;
        doc.AddChild(QStringLiteral("Before"));
        const QString path = dir.filePath(QStringLiteral("bad.xml"));
        ASSERT_TRUE(writeFile(path, QByteArray(input)));
        EXPECT_FALSE(doc.LoadFromFile(path));
        EXPECT_FALSE(doc.LastError().isEmpty());
        EXPECT_TRUE(doc.FirstNode().IsNull()) << "a failed load leaves nothing behind";
        EXPECT_FALSE(doc.LoadFromString(QString::fromUtf8(input)));
    }
    TXmlDocument doc;
    EXPECT_FALSE(doc.LoadFromFile(dir.filePath(QStringLiteral("missing.xml"))));
    EXPECT_FALSE(doc.LoadFromFile(dir.path())) << "a folder is not a file";
}

TEST(Xml, EveryTruncationOfAFileLoadsOrFailsCleanly)
{
    TXmlDocument doc;
    buildSample(doc);
    const QByteArray full = doc.XmlText().toUtf8();
    int loaded = 0;
    for (int n = 0; n < full.size(); ++n) {
        TXmlDocument part;
        if (part.LoadFromString(QString::fromUtf8(full.left(n))))
            ++loaded;
        else
            EXPECT_TRUE(part.FirstNode().IsNull());
    }
    // Whole documents: cut right after the root's end tag, after the line
    // break that follows it, and after the comment.
    EXPECT_EQ(loaded, 3);
}

TEST(Xml, IndentedFilesReadLikeCompactOnes)
{
    TXmlDocument doc;
    ASSERT_TRUE(doc.LoadFromString(QStringLiteral("<R>\n\t<a>1</a>\n\t<b> </b>\n</R>\n")));
    const TXmlNode root = doc.DocumentElement();
    EXPECT_EQ(root.ChildNodes().Count(), 2) << "indentation is not a node";
    EXPECT_EQ(root.FindNode(QStringLiteral("a")).Text(), QStringLiteral("1"));
    EXPECT_EQ(root.FindNode(QStringLiteral("b")).Text(), QStringLiteral(" "));
    TXmlSaveOptions indented;
    indented.Indent = true;
    EXPECT_EQ(doc.XmlText(indented), QStringLiteral("<R>\n\t<a>1</a>\n\t<b> </b>\n</R>\n"));
}

TEST(Xml, DeclarationAndUtf16FilesAreRead)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("decl.xml"));
    ASSERT_TRUE(writeFile(path, QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Conf_Settings><lastlang><language>Deutsch</language></lastlang></Conf_Settings>")));
    TXmlDocument doc;
    ASSERT_TRUE(doc.LoadFromFile(path));
    EXPECT_EQ(doc.FirstNode().NodeType(), TXmlNodeType::Declaration);
    EXPECT_EQ(doc.DocumentElement().FindNode(QStringLiteral("lastlang")).FindNode(QStringLiteral("language")).Text(),
              QStringLiteral("Deutsch"));

    const QString text = QString::fromUtf8("<R v=\"ä\">ö</R>");
    QByteArray utf16("\xFF\xFE", 2);
    utf16 += QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    ASSERT_TRUE(writeFile(path, utf16));
    ASSERT_TRUE(doc.LoadFromFile(path)) << doc.LastError().toStdString();
    EXPECT_EQ(doc.DocumentElement().Text(), QString::fromUtf8("ö"));
    EXPECT_EQ(doc.DocumentElement().Attribute(QStringLiteral("v")), QString::fromUtf8("ä"));
}

TEST(Xml, SaveInterruptedBeforeRenameKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("DMX_Default_Values.xml"));
    const QByteArray old("<Old>kept</Old>\n");
    ASSERT_TRUE(writeFile(path, old));

    QString seenFrom;
    testsupport::RenameHookGuard hook([&](const QString& from, const QString& to) {
        seenFrom = from;
        EXPECT_EQ(to, QFileInfo(path).absoluteFilePath());
        // The complete new content is on disk beside the target before the rename.
        EXPECT_EQ(QFileInfo(from).absolutePath(), QFileInfo(path).absolutePath());
        EXPECT_TRUE(readFile(from).startsWith("<Par_Gen>"));
        return false;
    });
    TXmlDocument doc;
    buildSample(doc);
    EXPECT_FALSE(doc.SaveToFile(path));
    EXPECT_FALSE(doc.LastError().isEmpty());
    EXPECT_EQ(readFile(path), old);
    EXPECT_FALSE(seenFrom.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(seenFrom)) << "the temporary file is removed";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    hook.restore();
    ASSERT_TRUE(doc.SaveToFile(path));
    EXPECT_TRUE(readFile(path).startsWith("<Par_Gen>"));
}

TEST(Xml, SaveIntoAMissingFolderFails)
{
    QTemporaryDir dir;
    TXmlDocument doc;
    buildSample(doc);
    EXPECT_FALSE(doc.SaveToFile(dir.filePath(QStringLiteral("no/such/ParGen.xml"))));
    EXPECT_FALSE(doc.LastError().isEmpty());
}

TEST(Xml, OversizedFileIsRefusedWithoutReadingIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("huge.xml"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<R>");
        ASSERT_TRUE(f.resize(qint64(64) * 1024 * 1024 + 1));   // sparse, no real data
    }
    TXmlDocument doc;
    EXPECT_FALSE(doc.LoadFromFile(path));
    EXPECT_TRUE(doc.LastError().contains(QStringLiteral("larger"))) << doc.LastError().toStdString();
}

TEST(Xml, ManyAttributesOnOneElementLoadInLinearTime)
{
    auto element = [](int count, bool duplicateLast) {
        QString xml = QStringLiteral("<r><e");
        for (int i = 0; i < count; ++i)
            xml += QStringLiteral(" a%1=\"%2\"").arg(duplicateLast && i == count - 1 ? 7 : i).arg(i);
        return xml + QStringLiteral("/></r>");
    };
    auto bestLoadSeconds = [](const QString& xml) {
        double best = 1e9;
        for (int run = 0; run < 5; ++run) {
            TXmlDocument doc;
            QElapsedTimer t;
            t.start();
            EXPECT_TRUE(doc.LoadFromString(xml)) << doc.LastError().toStdString();
            best = std::min(best, t.nsecsElapsed() / 1e9);
        }
        return best;
    };
    const double small = bestLoadSeconds(element(5000, false));
    const double large = bestLoadSeconds(element(50000, false));
    // Ten times the attributes: linear work is about ten times the time, a
    // comparison of every pair a hundred times.
    EXPECT_LT(large, std::max(small, 0.005) * 35) << "5,000: " << small << " s, 50,000: " << large << " s";
    EXPECT_LT(large, 1.0);

    TXmlDocument doc;
    EXPECT_FALSE(doc.LoadFromString(element(50000, true)));
    EXPECT_TRUE(doc.LastError().contains(QStringLiteral("a7"))) << doc.LastError().toStdString();
}

TEST(XmlDocument, ElementDepthCountsNestedElementsWithoutRecursion)
{
    struct Case {
        const char* name;
        QString xml;
        int depth;
    } cases[] = {
        {"lone root", QStringLiteral("<a/>"), 1},
        {"text and comments do not count", QStringLiteral("<!-- c --><a>x<!-- d --></a>"), 1},
        {"a table", QStringLiteral("<l><r><f>1</f></r><r/></l>"), 3},
        {"deepest branch counts", QStringLiteral("<l><r/><r><s><t/></s></r></l>"), 4},
    };
    for (const Case& k : cases) {
        TXmlDocument doc;
        ASSERT_TRUE(doc.LoadFromString(k.xml)) << k.name;
        EXPECT_EQ(doc.ElementDepth(), k.depth) << k.name;
    }
    EXPECT_EQ(TXmlDocument().ElementDepth(), 0);
    // Far deeper than any call stack would take.
    QString chain;
    for (int i = 0; i < 200000; ++i)
        chain += QStringLiteral("<e>");
    for (int i = 0; i < 200000; ++i)
        chain += QStringLiteral("</e>");
    TXmlDocument deep;
    ASSERT_TRUE(deep.LoadFromString(chain)) << deep.LastError().toStdString();
    EXPECT_EQ(deep.ElementDepth(), 200000);
}
