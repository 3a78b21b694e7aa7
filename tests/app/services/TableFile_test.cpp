#include "app/services/TableFile.h"
#include "app/services/ULanguage.h"
#include "framework/Xml.h"
#include "support/OutsideReaders.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A file of two tables as the editors have them: an enable box, a key, a
// check box that defaults to "N" when missing, free text, and a column that
// is shown but never stored.
TFileSpec twoTables()
{
    const std::vector<TColumnSpec> columns = {
        Column(-1, edNone, 30),
        Column(-1, edDataCheckBox, 40, fw::clWhite, "Enable", "Y"),
        Column(-1, edNormal, 90, fw::clWhite, "Key"),
        Column(-1, edDataCheckBox, 40, fw::clWhite, "Swap").When_Missing("N"),
        Column(-1, edNormal, 200, fw::clWhite, "Note"),
        Column(-1, edComboList, 60, fw::clWhite, {}, "shown only"),
    };
    return {"Test_Access", "SW_VERSION = 1.000",
            {Table_Spec(-1, "Read", 4, 2, columns), Table_Spec(-1, "Write", 3, 2, columns)}};
}

QByteArray fileBytes(const QString& rowsRead, const QString& rowsWrite = {})
{
    auto section = [](const char* name, const QString& rows) {
        return rows.isEmpty() ? QStringLiteral("\t<%1 />\n").arg(QLatin1String(name))
                              : QStringLiteral("\t<%1>\n%2\t</%1>\n").arg(QLatin1String(name), rows);
    };
    return (QStringLiteral("<Test_Access>\n") + section("Read", rowsRead) + section("Write", rowsWrite)
            + QStringLiteral("</Test_Access>\n<!--SW_VERSION = 1.000-->\n"))
        .toUtf8();
}

QString row(const char* enable, const char* key, const char* swap, const char* note)
{
    return QStringLiteral("\t\t<row Enable=\"%1\" Key=\"%2\" Swap=\"%3\" Note=\"%4\" />\n")
        .arg(QLatin1String(enable), QString::fromUtf8(key), QLatin1String(swap), QString::fromUtf8(note));
}

class TableFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Load_Default_Language();
    }
    QString file() const { return dir.filePath(QStringLiteral("Test_Access.xml")); }
    void write(const QByteArray& bytes) { ASSERT_TRUE(testsupport::writeFile(file(), bytes)); }

    QTemporaryDir dir;
};

TEST_F(TableFileTest, DefaultRowsAreNumberedAndSaveAsEmptySections)
{
    TTableFile tables(twoTables());
    const TTableRows& rows = tables.Rows(0);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], QStringList({"1", "Y", "", "", "", "shown only"}));
    EXPECT_EQ(rows[3][0], QStringLiteral("4"));
    EXPECT_EQ(tables.Rows(1).size(), 3u);

    tables.Save(file());
    EXPECT_EQ(testsupport::readFile(file()), fileBytes({}));
    EXPECT_FALSE(QFile::exists(file() + QStringLiteral(".bak")));
}

TEST_F(TableFileTest, LoadThenSaveGivesTheSameBytes)
{
    // Markup characters, quotes, blanks kept as typed, non-ASCII text, a
    // disabled row and a row with an empty note.
    const QByteArray original =
        fileBytes(row("Y", "10.0.0.1", "N", "a &lt; b &amp; &quot;c&quot; 'd' >")
                      + row("N", " 10.0.0.2 ", "Y", "  Luce caffè Ω  ") + row("Y", "x", "N", ""),
                  row("Y", "w", "Y", "last"));
    write(original);
    TTableFile tables(twoTables());
    const TTableLoadReport report = tables.Load(file());
    EXPECT_EQ(report.State, TProjectFileState::Loaded);
    EXPECT_TRUE(report.Clean());
    EXPECT_EQ(tables.Rows(0)[0][4], QStringLiteral("a < b & \"c\" 'd' >"));
    EXPECT_EQ(tables.Rows(0)[1][2], QStringLiteral(" 10.0.0.2 "));
    EXPECT_EQ(tables.Rows(0)[1][4], QStringLiteral("  Luce caffè Ω  "));
    EXPECT_EQ(tables.Rows(1)[0][2], QStringLiteral("w"));

    tables.Save(file());
    EXPECT_EQ(testsupport::readFile(file()), original);
}

TEST_F(TableFileTest, OnlyElementChildrenAreRows)
{
    struct Case {
        const char* name;
        QByteArray xml;
    };
    const std::vector<Case> cases = {
        {"comments between and before rows",
         "<Test_Access><Read><!-- first --><row Enable=\"Y\" Key=\"a\" Swap=\"N\" Note=\"1\"/><!-- gap -->"
         "<row Enable=\"N\" Key=\"b\" Swap=\"Y\" Note=\"2\"/></Read><Write/></Test_Access>"},
        {"declaration, comment before the root, CR LF and blank lines",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- saved by hand -->\r\n<Test_Access>\r\n\r\n<Read>\r\n"
         "  <row Enable=\"Y\" Key=\"a\" Swap=\"N\" Note=\"1\"/>\r\n\r\n"
         "  <row Enable=\"N\" Key=\"b\" Swap=\"Y\" Note=\"2\"/>\r\n</Read>\r\n<Write/>\r\n</Test_Access>\r\n"},
        {"processing instruction among the rows",
         "<Test_Access><Read><row Enable=\"Y\" Key=\"a\" Swap=\"N\" Note=\"1\"/><?note x?>"
         "<row Enable=\"N\" Key=\"b\" Swap=\"Y\" Note=\"2\"/></Read><Write/></Test_Access>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        write(c.xml);
        TTableFile tables(twoTables());
        const TTableLoadReport report = tables.Load(file());
        EXPECT_TRUE(report.Clean());
        EXPECT_EQ(tables.Rows(0)[0], QStringList({"1", "Y", "a", "N", "1", "shown only"}));
        EXPECT_EQ(tables.Rows(0)[1], QStringList({"2", "N", "b", "Y", "2", "shown only"}));
        EXPECT_EQ(Table_End(tables.Table(0), tables.Rows(0)), 2);
        tables.Save(file());
        EXPECT_EQ(testsupport::readFile(file()), fileBytes(row("Y", "a", "N", "1") + row("N", "b", "Y", "2")));
    }
}

TEST_F(TableFileTest, MissingAttributesTakeTheirDefaultAndAreReportedOnce)
{
    write("<Test_Access><Read>"
          "<row Key=\"a\" Note=\"n1\"/>"                                  // no Enable, no Swap
          "<row Enable=\"N\" Key=\"b\" Swap=\"Y\" Note=\"n2\"/>"
          "<row Enable=\"N\" Swap=\"Y\"/>"                                // no key, no note
          "<row Enable=\"Y\" Key=\"d\" Swap=\"N\" Note=\"n4\"/>"
          "</Read><Write/></Test_Access>");
    TTableFile tables(twoTables());
    const TTableLoadReport report = tables.Load(file());
    EXPECT_EQ(report.Tables[0].Incomplete, QList<int>({1, 3}));
    EXPECT_EQ(tables.Rows(0)[0], QStringList({"1", "Y", "a", "N", "n1", "shown only"}));
    // The row without a key ends the table: the row after it is reported, not dropped silently.
    EXPECT_EQ(report.Tables[0].AfterEnd, QList<int>({4}));
    EXPECT_FALSE(report.Clean());
    const QString message = Table_Load_Message(report, tables.Spec(), file());
    EXPECT_EQ(message, QStringLiteral("Test_Access.xml\n"
                                      "Rows that lacked values, which took their default values (Read): 1, 3\n"
                                      "Rows below the first row with an empty key cell, which are not saved (Read): 4"));

    // Every saved row carries every attribute, so a later load finds nothing missing.
    tables.Rows(0)[2][2] = QStringLiteral("c");
    tables.Save(file());
    TTableFile again(twoTables());
    EXPECT_TRUE(again.Load(file()).Clean());
    EXPECT_EQ(again.Rows(0)[2], QStringList({"3", "N", "c", "Y", "", "shown only"}));
    EXPECT_EQ(Table_End(again.Table(0), again.Rows(0)), 4);
}

TEST_F(TableFileTest, RowsBeyondCapacityAndMissingSectionsAreReported)
{
    QString rows;
    for (int i = 1; i <= 6; ++i)
        rows += row("Y", QByteArray::number(i).constData(), "N", "");
    write(QStringLiteral("<Test_Access>\n\t<Read>\n%1\t</Read>\n</Test_Access>\n").arg(rows).toUtf8());
    TTableFile tables(twoTables());
    const TTableLoadReport report = tables.Load(file());
    EXPECT_EQ(report.Tables[0].Beyond, 2);
    EXPECT_EQ(tables.Rows(0)[3][2], QStringLiteral("4"));
    EXPECT_FALSE(report.Tables[0].SectionMissing);
    EXPECT_TRUE(report.Tables[1].SectionMissing);
    const QString message = Table_Load_Message(report, tables.Spec(), file());
    EXPECT_TRUE(message.contains(QStringLiteral("Section missing from the file, left empty (Write): Write")))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("beyond the capacity of the table, not loaded (Read): 5-6")))
        << message.toStdString();
}

TEST_F(TableFileTest, UnreadableFileLoadsDefaultsAndIsKeptOnTheFirstSave)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"not well-formed", "<Test_Access><Read><row Key=\"a\"", "Test_Access.xml"},
        {"another root", "<Other_Access><Read/></Other_Access>", "\"Other_Access\", not \"Test_Access\""},
        {"no root element", "<!-- only a comment -->", "no root element"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(file() + QStringLiteral(".bak"));
        write(c.bytes);
        TTableFile tables(twoTables());
        tables.Rows(0)[0][2] = QStringLiteral("left from an earlier showing");
        const TTableLoadReport report = tables.Load(file());
        EXPECT_EQ(report.State, TProjectFileState::Unreadable);
        EXPECT_TRUE(report.Error.contains(QLatin1String(c.reason))) << report.Error.toStdString();
        EXPECT_EQ(tables.Rows(0), Default_Table_Rows(tables.Table(0)));
        EXPECT_TRUE(Table_Load_Message(report, tables.Spec(), file()).contains(Lang_Text(910)));

        tables.Rows(0)[0][2] = QStringLiteral("k");
        tables.Save(file());
        EXPECT_EQ(testsupport::readFile(file() + QStringLiteral(".bak")), c.bytes);
        EXPECT_EQ(testsupport::readFile(file()), fileBytes(row("Y", "k", "", "")));
        // Only the first save keeps a copy: the file is the program's own now.
        tables.Rows(0)[0][2] = QStringLiteral("k2");
        tables.Save(file());
        EXPECT_EQ(testsupport::readFile(file() + QStringLiteral(".bak")), c.bytes);
    }
    // A readable file is replaced without a copy.
    QFile::remove(file() + QStringLiteral(".bak"));
    TTableFile tables(twoTables());
    EXPECT_EQ(tables.Load(file()).State, TProjectFileState::Loaded);
    tables.Save(file());
    EXPECT_FALSE(QFile::exists(file() + QStringLiteral(".bak")));
}

TEST_F(TableFileTest, MissingFileLoadsDefaultsWithoutAWord)
{
    TTableFile tables(twoTables());
    tables.Rows(1)[0][2] = QStringLiteral("stale");
    const TTableLoadReport report = tables.Load(file());
    EXPECT_EQ(report.State, TProjectFileState::Missing);
    EXPECT_TRUE(report.Clean());
    EXPECT_TRUE(Table_Load_Message(report, tables.Spec(), file()).isEmpty());
    EXPECT_EQ(tables.Rows(1), Default_Table_Rows(tables.Table(1)));
}

TEST_F(TableFileTest, WrittenFileReadsBackInOutsideReaders)
{
    TTableFile tables(twoTables());
    TTableRows& rows = tables.Rows(0);
    rows[0] = QStringList({"1", "Y", "192.168.1.10", "N", "tab\there, \"quoted\" & <tagged>", ""});
    rows[1] = QStringList({"2", "N", "k2", "Y", QStringLiteral("bell") + QChar(7) + " and " + QChar(0xFFFF) + " gone, line\nkept", ""});
    rows[2] = QStringList({"3", "Y", "k3", "N", QStringLiteral("  blanks  Ω ÿ"), ""});
    tables.Rows(1)[0] = QStringList({"1", "Y", "w1", "Y", "", ""});
    tables.Save(file());

    const std::vector<QStringList> expectedRead = {
        {"Y", "192.168.1.10", "N", "tab\there, \"quoted\" & <tagged>"},
        {"N", "k2", "Y", "bell and  gone, line\nkept"},
        {"Y", "k3", "N", "  blanks  Ω ÿ"},
    };
    // Our own reader first: characters XML 1.0 cannot hold were dropped, the rest kept.
    TTableFile back(twoTables());
    ASSERT_TRUE(back.Load(file()).Clean());
    for (size_t r = 0; r < expectedRead.size(); ++r)
        EXPECT_EQ(back.Rows(0)[r].mid(1, 4), expectedRead[r]) << r;

    if (testsupport::xmllintProgram().isEmpty())
        GTEST_SKIP() << "xmllint is not installed";
    QString lint;
    EXPECT_TRUE(testsupport::xmllintPasses(file(), &lint)) << lint.toStdString();
    if (testsupport::pythonProgram().isEmpty())
        GTEST_SKIP() << "/usr/bin/python3 is not installed";
    QString error;
    const QJsonObject tree = testsupport::pythonXmlTree(file(), &error);
    ASSERT_FALSE(tree.isEmpty()) << error.toStdString();
    const QStringList attributes = {"Enable", "Key", "Swap", "Note"};
    EXPECT_EQ(testsupport::pythonRows(tree, {"Read"}, attributes), expectedRead);
    EXPECT_EQ(testsupport::pythonRows(tree, {"Write"}, attributes),
              std::vector<QStringList>({{"Y", "w1", "Y", ""}}));
}

TEST_F(TableFileTest, RowsAfterABlankKeyAreNamedBeforeSaving)
{
    TTableFile tables(twoTables());
    const TTableSpec& spec = tables.Table(0);
    TTableRows& rows = tables.Rows(0);
    EXPECT_TRUE(Rows_After_End_Question(spec, rows).isEmpty());
    rows[0][2] = QStringLiteral("a");
    rows[2][4] = QStringLiteral("typed below the gap");
    rows[3][1] = QStringLiteral("N");   // a check box alone is no data
    EXPECT_EQ(Rows_After_End(spec, rows), QList<int>({3}));
    EXPECT_EQ(Rows_After_End_Question(spec, rows),
              QStringLiteral("Rows below the first row with an empty key cell, which are not saved: 3\n"
                             "Do you want to save without them?"));
    // The row whose blank key ends the table goes too when it holds anything else.
    rows[1][4] = QStringLiteral("a note without a key");
    EXPECT_EQ(Rows_After_End(spec, rows), QList<int>({2, 3}));
}

TEST_F(TableFileTest, RowInUseIgnoresRowNumbersAndCheckBoxes)
{
    const TTableSpec spec = twoTables().Tables[0];
    struct Case {
        QStringList row;
        bool inUse;
    };
    const std::vector<Case> cases = {
        {{"4", "Y", "", "Y", "", ""}, false},
        {{"4", "N", " ", "N", "\t", ""}, false},
        {{"4", "N", "", "N", "x", ""}, true},
        {{"4", "N", "k", "N", "", ""}, true},
        {{"4", "N", "", "N", "", "shown only"}, false},
        {{"4", "N", "", "N", "", "chosen"}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Row_In_Use(spec, c.row), c.inUse) << c.row.join(QLatin1Char('|')).toStdString();
        TTableRows rows = Default_Table_Rows(spec);
        rows.back() = c.row;
        EXPECT_EQ(Insert_Loses_Last_Row(spec, rows), c.inUse);
    }
}

TEST_F(TableFileTest, RowsDirectlyUnderTheRoot)
{
    const TFileSpec spec{"Frames", {}, {Table_Spec(-1, {}, 2, 1, {Column(-1, edNone, 30), Column(-1, edNormal, 40, fw::clWhite, "Id")})}};
    write("<Frames><!-- c --><row Id=\"7\"/>\n<row Id=\"8\"/><row Id=\"9\"/></Frames>");
    TTableFile tables(spec);
    const TTableLoadReport report = tables.Load(file());
    EXPECT_EQ(report.Tables[0].Beyond, 1);
    EXPECT_EQ(tables.Rows(0)[1][1], QStringLiteral("8"));
    EXPECT_EQ(tables.Xml_Text(), QStringLiteral("<Frames>\n\t<row Id=\"7\" />\n\t<row Id=\"8\" />\n</Frames>\n"));
}

TEST(TableFileText, RowListJoinsRuns)
{
    EXPECT_EQ(Row_List_Text({}), QString());
    EXPECT_EQ(Row_List_Text({9, 3, 5, 6, 7}), QStringLiteral("3, 5-7, 9"));
    EXPECT_EQ(Row_List_Text({1, 2}), QStringLiteral("1-2"));
}

} // namespace
