#include "app/services/ULanguage.h"
#include "app/services/UComon.h"
#include "framework/TextFile.h"

#include "support/TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>

using testsupport::writeFile;

namespace {

QString texts(int index) { return Lang_Texts.at(index); }

QStringList builtInTable()
{
    Load_Default_Language();
    return Lang_Texts;
}

// ---- Built-in texts --------------------------------------------------------

TEST(BuiltInTexts, TableHas2600EntriesMatchingTheReferenceDigest)
{
    Load_Default_Language();
    ASSERT_EQ(Lang_Texts.size(), 2600);
    EXPECT_EQ(Num_Lang_Texts, 2600);
    // Texts this build changed on purpose, with their reference wording, so
    // the digest below still pins every other text.
    const std::map<int, QString> amended = {
        // The MIB writer's overwrite question: blank in the reference.
        {905, QStringLiteral(" ")},
        // Findings of the table files (load warnings, save and insert questions): new.
        {910, QStringLiteral(" ")}, {911, QStringLiteral(" ")}, {912, QStringLiteral(" ")},
        {913, QStringLiteral(" ")}, {914, QStringLiteral(" ")}, {915, QStringLiteral(" ")},
        {916, QStringLiteral(" ")},
        // The updater cannot be started (missing, not executable, failed): new.
        {838, QStringLiteral(" ")}, {839, QStringLiteral(" ")}, {840, QStringLiteral(" ")},
        // A damaged ParGen.xml shows the defaults: new.
        {1294, QStringLiteral(" ")},
        // The DMX default values window without a readable ParGen.xml: new.
        {1309, QStringLiteral(" ")},
        // A GSDML user part that would leave the chosen folder: new.
        {1012, QStringLiteral(" ")},
        // Objects of an EDE import left without a free row: new.
        {1620, QStringLiteral(" ")},
        // SNMP descriptions the MIB uses itself; rows the MIB writer leaves out: new.
        {1987, QStringLiteral(" ")}, {1988, QStringLiteral(" ")}, {1989, QStringLiteral(" ")},
        {1990, QStringLiteral(" ")},
        // An SDO server object the EDS would describe twice; rows the EDS writer leaves out: new.
        {2466, QStringLiteral(" ")}, {2467, QStringLiteral(" ")}, {2468, QStringLiteral(" ")},
        {2469, QStringLiteral(" ")},
        // The BACnet Max Err check allows 0 to 65535.
        {1445, QStringLiteral("!! Max Err must be between 0 and 655535")},
        {1456, QStringLiteral("!! Max Err must be between 0 and 655535")},
    };
    QStringList reference = Lang_Texts;
    for (const auto& [index, text] : amended) {
        EXPECT_NE(reference[index], text) << "text " << index << " is no longer amended";
        reference[index] = text;
    }
    // SHA-256 of the reference list of the 2600 texts joined by "\n", taken
    // from the product's text list independently of english.txt.
    const QByteArray digest =
        QCryptographicHash::hash(reference.join(QLatin1Char('\n')).toUtf8(), QCryptographicHash::Sha256).toHex();
    EXPECT_EQ(digest, QByteArray("51cb31198fc07912c1b9a38402e5d9fc109a0814b6242dedaf7efd740a24ea1d"));
}

TEST(BuiltInTexts, SpotChecksOfExactTexts)
{
    Load_Default_Language();
    const std::map<int, QString> expected = {
        {0, QStringLiteral("Begin")},
        {9, QStringLiteral("None Configuration Opened ")},
        {306, QStringLiteral(" / ")},
        {404, QStringLiteral(" Modbus TCP Slave ")},
        {601, QStringLiteral("Select the DALI Device Present in the  Network")},
        {751, QStringLiteral("Num Byte In   :")},
        {1457, QStringLiteral("Select the BACnet Type in the \"Set Communication\" section")},
        {1976, QStringLiteral("!! [SNMP Read] Community Name is not correct (allowed characters are "
                              "\"a\"..\"z\", \"A\"..\"Z\" and \"0\"..\"9\")")},
        {2535, QStringLiteral("Set Access - Error Row %d!! Position Must be Between 0 and %d")},
        {2557, QStringLiteral("Functions")},
        // Slots without a text of their own hold one blank.
        {37, QStringLiteral(" ")},
        {1500, QStringLiteral(" ")},
        {1599, QStringLiteral(" ")},
        {2558, QStringLiteral(" ")},
        {2599, QStringLiteral(" ")},
    };
    for (const auto& [index, text] : expected)
        EXPECT_EQ(texts(index), text) << "text " << index;
}

TEST(BuiltInTexts, RefillStartsFromScratch)
{
    Load_Default_Language();
    Lang_Texts[5] = QStringLiteral("changed");
    Lang_Texts.append(QStringLiteral("extra"));
    Load_Default_Language();
    EXPECT_EQ(Lang_Texts.size(), 2600);
    EXPECT_EQ(texts(5), QStringLiteral("Step 5"));
}

// ---- Language files --------------------------------------------------------

class LanguageFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Set_Program_Paths(dir.path());
        QDir().mkpath(Path_Language);
        english = builtInTable();
    }

    QString writeLng(const QString& name, const QByteArray& bytes)
    {
        const QString path = Path_Language + QLatin1Char('/') + name + QStringLiteral(".lng");
        EXPECT_TRUE(writeFile(path, bytes));
        return path;
    }

    // Every entry equals the built-in table except the listed overrides.
    void expectTable(const std::map<int, QString>& overrides, const std::string& label)
    {
        ASSERT_EQ(Lang_Texts.size(), 2600) << label;
        for (int i = 0; i < 2600; ++i) {
            const auto it = overrides.find(i);
            const QString want = it == overrides.end() ? english.at(i) : it->second;
            EXPECT_EQ(Lang_Texts.at(i), want) << label << ": text " << i;
        }
    }

    QTemporaryDir dir;
    QStringList english;
};

TEST_F(LanguageFile, LineGrammar)
{
    struct Case {
        const char* label;
        const char* content;   // UTF-8
        std::map<int, QString> overrides;
    };
    const std::vector<Case> cases = {
        {"first index", "STR0 = Start", {{0, "Start"}}},
        {"last index", "STR2599 = Last", {{2599, "Last"}}},
        {"index past the table", "STR2600 = X", {}},
        {"negative index", "STR-1 = X", {}},
        {"lower-case str", "str5 = x", {}},
        {"mixed-case Str", "Str5 = x", {}},
        {"blanks before STR", "  \tSTR5 = y", {{5, "y"}}},
        {"other text before STR", "xSTR5 = z", {}},
        {"number against the =", "STR15=New", {{15, "New"}}},
        {"blanks around the index", "STR  15   =  New", {{15, "New"}}},
        {"hex index", "STR $10 = hex", {{16, "hex"}}},
        {"index not a number", "STRx = y", {}},
        {"no index", "STR = y", {}},
        {"no =", "STR3 nothing", {}},
        {"empty text", "STR3 =   ", {}},
        {"only a comment", "STR12 = /#/ only comment", {}},
        {"comment after text", "STR12 = Info /#/ note", {{12, "Info"}}},
        {"only a pilcrow", "STR12 = \xC2\xB6", {{12, ""}}},
        {"trailing blanks kept", "STR9 = None Open \xC2\xB6", {{9, "None Open "}}},
        {"blanks at both ends", "STR9 = \xC2\xB6  both  \xC2\xB6 /#/ c", {{9, "  both  "}}},
        {"first inner pilcrow ends", "STR9 = a\xC2\xB6" "b\xC2\xB6" "c", {{9, "a"}}},
        {"inner = kept", "STR7 = a = b", {{7, "a = b"}}},
        {"later line wins", "STR3 = one\nSTR3 = two", {{3, "two"}}},
        {"ignored later line does not win", "STR3 = one\nSTR3 = /#/ x", {{3, "one"}}},
        {"CR, LF and CR LF", "STR1 = a\rSTR2 = b\nSTR3 = c\r\nSTR4 = d", {{1, "a"}, {2, "b"}, {3, "c"}, {4, "d"}}},
        {"header and blank lines", "[Deutsch]\n\n; note\nSTR0 = Anfang\n", {{0, "Anfang"}}},
    };
    for (const Case& c : cases) {
        Load_Default_Language();
        const QString path = writeLng(QStringLiteral("case"), QByteArray(c.content));
        ASSERT_TRUE(Read_Language_File(path)) << c.label;
        expectTable(c.overrides, c.label);
    }
}

TEST_F(LanguageFile, Encodings)
{
    // Texts 0 and 1 hold non-ASCII letters that every encoding can carry.
    const QString content = QStringLiteral("STR0 = Gr\u00FC\u00DFe \u00B6\r\nSTR1 = \u20ACuro\r\n");
    const std::map<int, QString> want = {{0, QStringLiteral("Gr\u00FC\u00DFe ")},
                                         {1, QStringLiteral("\u20ACuro")}};
    auto encode = [&](QStringConverter::Encoding e) {
        QStringEncoder enc(e);
        return QByteArray(enc(content));
    };
    struct Case {
        const char* label;
        QByteArray bytes;
    };
    const std::vector<Case> cases = {
        {"UTF-8", encode(QStringConverter::Utf8)},
        {"UTF-8 with BOM", QByteArray("\xEF\xBB\xBF") + encode(QStringConverter::Utf8)},
        {"UTF-16 LE with BOM", QByteArray("\xFF\xFE") + encode(QStringConverter::Utf16LE)},
        {"UTF-16 BE with BOM", QByteArray("\xFE\xFF") + encode(QStringConverter::Utf16BE)},
        {"Windows-1252", QByteArray("STR0 = Gr\xFC\xDF" "e \xB6\r\nSTR1 = \x80uro\r\n")},
    };
    for (const Case& c : cases) {
        Load_Default_Language();
        ASSERT_TRUE(Read_Language_File(writeLng(QStringLiteral("enc"), c.bytes))) << c.label;
        expectTable(want, c.label);
    }
}

TEST(LanguageDecoding, Windows1252HighRange)
{
    EXPECT_EQ(fw::DecodeText(QByteArray("\x80\x8A\x93\x94\x9F\xA0\xFF")),
              QStringLiteral("\u20AC\u0160\u201C\u201D\u0178\u00A0\u00FF"));
}

TEST_F(LanguageFile, UnreadableFileKeepsTheTable)
{
    Load_Default_Language();
    QString error;
    EXPECT_FALSE(Read_Language_File(Path_Language + QStringLiteral("/missing.lng"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(Read_Language_File(Path_Language, &error));   // a folder, not a file
    expectTable({}, "unreadable");
}

TEST_F(LanguageFile, LoadLanguageChoosesFileWithEnglishFallback)
{
    struct Case {
        const char* label;
        QString language;
        bool withEnglishFile;
        bool withChosenFile;
        QString wantLanguage;
        std::map<int, QString> overrides;
    };
    const std::vector<Case> cases = {
        {"chosen file present", "Deutsch", true, true, "Deutsch", {{0, "Anfang"}}},
        {"chosen file missing, English.lng present", "Deutsch", true, false, "English", {{0, "Begin here"}}},
        {"chosen file missing, no English.lng", "Deutsch", false, false, "English", {}},
        {"English without a file", "English", false, false, "English", {}},
        {"name leading outside the folder", "../Deutsch", false, false, "English", {}},
    };
    for (const Case& c : cases) {
        QDir(Path_Language).removeRecursively();
        QDir().mkpath(Path_Language);
        if (c.withEnglishFile)
            writeLng(QStringLiteral("English"), "STR0 = Begin here\n");
        if (c.withChosenFile)
            writeLng(c.language, "STR0 = Anfang\n");
        // A file one level up must not be reachable through the language name.
        writeFile(Path_SW + QStringLiteral("/Deutsch.lng"), "STR0 = outside\n");
        Language_Name = c.language;
        EXPECT_TRUE(Load_Language()) << c.label;
        EXPECT_EQ(Language_Name, c.wantLanguage) << c.label;
        expectTable(c.overrides, c.label);
    }
}

TEST_F(LanguageFile, ChangingLanguageReturnsUndefinedTextsToEnglish)
{
    writeLng(QStringLiteral("Deutsch"), "STR0 = Anfang\nSTR1 = Schritt 1\n");
    writeLng(QStringLiteral("Italiano"), "STR0 = Inizio\n");
    Language_Name = QStringLiteral("Deutsch");
    ASSERT_TRUE(Load_Language());
    Language_Name = QStringLiteral("Italiano");
    ASSERT_TRUE(Load_Language());
    expectTable({{0, "Inizio"}}, "after change");
}

} // namespace
