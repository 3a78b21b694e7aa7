#include "framework/AtomicFile.h"
#include "framework/IniFile.h"
#include "framework/StringList.h"
#include "framework/TextFile.h"

#include "support/ScopedSettings.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace fw;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("grid.ini")); }
};

} // namespace

TEST_F(IniFileTest, RoundTripKeepsOrderSpellingAndComments)
{
    ASSERT_TRUE(writeFile(path(), QByteArray("; saved column state\r\n"
                                             "[Zeta]\r\n"
                                             "Col2 = 80\r\n"
                                             "; widths in pixels\r\n"
                                             "Col1=120\r\n"
                                             "\r\n"
                                             "[alpha]\r\n"
                                             "CP0=3\r\n")));
    {
        TIniFile ini(path());
        ini.WriteInteger(QStringLiteral("ZETA"), QStringLiteral("col2"), 90);   // existing key, other case
        ini.WriteString(QStringLiteral("Zeta"), QStringLiteral("Col0"), QStringLiteral("x y"));
        ini.WriteBool(QStringLiteral("New"), QStringLiteral("Flag"), true);
        ASSERT_TRUE(ini.UpdateFile()) << ini.LastError().toStdString();
    }
    EXPECT_EQ(readFile(path()), QByteArray("; saved column state\n"
                                           "\n"
                                           "[Zeta]\n"
                                           "Col2=90\n"
                                           "; widths in pixels\n"
                                           "Col1=120\n"
                                           "Col0=x y\n"
                                           "\n"
                                           "[alpha]\n"
                                           "CP0=3\n"
                                           "\n"
                                           "[New]\n"
                                           "Flag=1\n"));
    TIniFile back(path());
    TStringList sections, keys;
    back.ReadSections(sections);
    EXPECT_EQ(sections.CommaText(), QStringLiteral("Zeta,alpha,New"));
    back.ReadSection(QStringLiteral("zeta"), keys);
    EXPECT_EQ(keys.CommaText(), QStringLiteral("Col2,Col1,Col0"));
    back.ReadSectionValues(QStringLiteral("ALPHA"), keys);
    EXPECT_EQ(keys.CommaText(), QStringLiteral("CP0=3"));
}

TEST_F(IniFileTest, ReadsAreCaseInsensitiveWithDefaults)
{
    ASSERT_TRUE(writeFile(path(), QByteArray("[Sizes]\nCol1=$10\nBad=12x\nPadded=  7  \nOn=1\nOff=0\nWord=true\nEmpty=\n")));
    TIniFile ini(path());
    struct Case {
        const char* key;
        int asInteger;   // with default -1
        bool asBool;     // with default true
    };
    const Case cases[] = {
        {"col1", 16, true}, {"BAD", -1, true}, {"padded", 7, true}, {"on", 1, true}, {"Off", 0, false},
        {"word", -1, true}, {"empty", -1, true}, {"missing", -1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(ini.ReadInteger(QStringLiteral("sizes"), QString::fromLatin1(c.key), -1), c.asInteger);
        EXPECT_EQ(ini.ReadBool(QStringLiteral("SIZES"), QString::fromLatin1(c.key), true), c.asBool);
    }
    EXPECT_EQ(ini.ReadString(QStringLiteral("Sizes"), QStringLiteral("Empty"), QStringLiteral("d")), QString());
    EXPECT_EQ(ini.ReadString(QStringLiteral("Other"), QStringLiteral("Col1"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_TRUE(ini.SectionExists(QStringLiteral("sizes")));
    EXPECT_TRUE(ini.ValueExists(QStringLiteral("sizes"), QStringLiteral("EMPTY")));
    EXPECT_FALSE(ini.ValueExists(QStringLiteral("sizes"), QStringLiteral("none")));
}

TEST_F(IniFileTest, EraseAndDelete)
{
    TIniFile ini(path());
    ini.WriteString(QStringLiteral("A"), QStringLiteral("k1"), QStringLiteral("1"));
    ini.WriteString(QStringLiteral("A"), QStringLiteral("k2"), QStringLiteral("2"));
    ini.WriteString(QStringLiteral("B"), QStringLiteral("k"), QStringLiteral("3"));
    ini.DeleteKey(QStringLiteral("a"), QStringLiteral("K1"));
    EXPECT_FALSE(ini.ValueExists(QStringLiteral("A"), QStringLiteral("k1")));
    EXPECT_TRUE(ini.ValueExists(QStringLiteral("A"), QStringLiteral("k2")));
    ini.EraseSection(QStringLiteral("b"));
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("B")));
    ini.DeleteKey(QStringLiteral("none"), QStringLiteral("k"));   // no effect, no error
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(readFile(path()), QByteArray("[A]\nk2=2\n"));
}

TEST_F(IniFileTest, MissingFileIsEmptyAndNothingIsWrittenBeforeUpdate)
{
    TIniFile ini(path());
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("Any")));
    ini.WriteInteger(QStringLiteral("S"), QStringLiteral("K"), 1);
    EXPECT_FALSE(QFileInfo::exists(path()));
    EXPECT_EQ(ini.FileName(), path());
}

TEST_F(IniFileTest, FailedUpdateKeepsTheOldFile)
{
    ASSERT_TRUE(writeFile(path(), QByteArray("[Old]\nK=1\n")));
    TIniFile ini(path());
    ini.WriteString(QStringLiteral("Old"), QStringLiteral("K"), QStringLiteral("2"));
    {
        const testsupport::RenameHookGuard failing([](const QString&, const QString&) { return false; });
        EXPECT_FALSE(ini.UpdateFile());
    }
    EXPECT_FALSE(ini.LastError().isEmpty());
    EXPECT_EQ(readFile(path()), QByteArray("[Old]\nK=1\n"));
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(readFile(path()), QByteArray("[Old]\nK=2\n"));
}

TEST_F(IniFileTest, ExistingFileThatCannotBeReadIsNeverReplaced)
{
    struct Case {
        const char* name;
        bool folder;   // else a file just over the size limit
    };
    const Case cases[] = {{"oversized", false}, {"folder", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = dir.filePath(QString::fromLatin1(c.name) + QStringLiteral(".ini"));
        if (c.folder) {
            ASSERT_TRUE(QDir(dir.path()).mkdir(QFileInfo(file).fileName()));
        } else {
            ASSERT_TRUE(writeFile(file, QByteArray("[Keep]\nK=1\n")));
            QFile grow(file);
            ASSERT_TRUE(grow.resize(MaxTextFileSize + 1));   // sparse, cheap
        }
        TIniFile ini(file);
        ini.WriteString(QStringLiteral("New"), QStringLiteral("K"), QStringLiteral("2"));
        EXPECT_FALSE(ini.UpdateFile());
        EXPECT_FALSE(ini.LastError().isEmpty());
        const QFileInfo after(file);
        EXPECT_EQ(after.isDir(), c.folder);
        if (!c.folder) {
            EXPECT_EQ(after.size(), MaxTextFileSize + 1);
            QFile f(file);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.read(11), QByteArray("[Keep]\nK=1\n"));
        }
    }
}

TEST_F(IniFileTest, LineBreaksCannotInjectLinesAndLeadingTextIsKept)
{
    ASSERT_TRUE(writeFile(path(), QByteArray("written by hand\n; note\n[S]\nA=1\n")));
    {
        TIniFile ini(path());
        ini.WriteString(QStringLiteral("S"), QStringLiteral("B"), QStringLiteral("x\r\n[Evil]\nK=v\rend"));
        ini.WriteString(QStringLiteral("T\nU"), QStringLiteral("k\r1"), QStringLiteral("2"));
        EXPECT_EQ(ini.ReadString(QStringLiteral("S"), QStringLiteral("B"), QString()), QStringLiteral("x  [Evil] K=v end"));
        ASSERT_TRUE(ini.UpdateFile()) << ini.LastError().toStdString();
    }
    EXPECT_EQ(readFile(path()), QByteArray("written by hand\n"
                                           "; note\n"
                                           "\n"
                                           "[S]\n"
                                           "A=1\n"
                                           "B=x  [Evil] K=v end\n"
                                           "\n"
                                           "[T U]\n"
                                           "k 1=2\n"));
    TIniFile back(path());
    TStringList sections;
    back.ReadSections(sections);
    EXPECT_EQ(sections.CommaText(), QStringLiteral("S,\"T U\""));
}

TEST_F(IniFileTest, EscapedValuesComeBackWholeThroughTheFile)
{
    struct Case {
        const char* value;
        const char* stored;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"C:\\new\\table", "C:\\\\new\\\\table"},
        {"two\r\nlines\rand\nmore", "two\\r\\nlines\\rand\\nmore"},
        {" padded ", "\" padded \""},
        {"\"quoted\"", "\"\"quoted\"\""},
        {"\"", "\"\"\""},
        {"tab\t", "\"tab\t\""},
        {"", ""},
    };
    {
        TIniFile ini(path());
        int i = 0;
        for (const Case& k : cases) {
            EXPECT_EQ(EscapeIniValue(QString::fromLatin1(k.value)), QString::fromLatin1(k.stored)) << k.value;
            ini.WriteString(QStringLiteral("S"), QStringLiteral("K%1").arg(i++), EscapeIniValue(QString::fromLatin1(k.value)));
        }
        ASSERT_TRUE(ini.UpdateFile());
    }
    TIniFile back(path());
    int i = 0;
    for (const Case& k : cases)
        EXPECT_EQ(UnescapeIniValue(back.ReadString(QStringLiteral("S"), QStringLiteral("K%1").arg(i++), QStringLiteral("?"))),
                  QString::fromLatin1(k.value))
            << k.value;
    // Values written without escapes read as they stand.
    EXPECT_EQ(UnescapeIniValue(QStringLiteral("C:\\temp\\x")), QStringLiteral("C:\\temp\\x"));
    EXPECT_EQ(UnescapeIniValue(QStringLiteral("ends in \\")), QStringLiteral("ends in \\"));
}
