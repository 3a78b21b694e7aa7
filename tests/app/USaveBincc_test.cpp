#include "app/services/ParGenFile.h"
#include "app/services/UComon.h"
#include "app/USaveBincc.h"
#include "framework/AtomicFile.h"
#include "framework/Xml.h"
#include "support/ScopedSettings.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class BankImage : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Path_Project = dir.path() + QStringLiteral("/Proj");
        QDir().mkpath(Path_Project + QStringLiteral("/bin"));
        Set_Project_Files();
    }
    void TearDown() override
    {
        Path_Project.clear();
        Set_Project_Files();
    }

    void writeDmxFile(int rows, const std::function<QString(int)>& value)
    {
        fw::TXmlDocument doc;
        fw::TXmlNode root = doc.AddChild(QStringLiteral("DMX_Default_Values"));
        doc.AppendComment(QStringLiteral("SW_VERSION = 1.001"));
        for (int i = 0; i < rows; ++i) {
            fw::TXmlNode row = root.AddChild(QStringLiteral("Row"));
            const QString v = value(i);
            if (!v.isNull())
                row.SetAttribute(QStringLiteral("Default_Value"), v);
            row.SetAttribute(QStringLiteral("Mnemonic"), QString());
        }
        ASSERT_TRUE(doc.SaveToFile(File_DMX_Default_Values));
    }

    QByteArray buildAndWrite()
    {
        Build_Bank_Image();
        QString error;
        EXPECT_TRUE(Write_Bank_File(&error)) << error.toStdString();
        return testsupport::readFile(Path_Project + QStringLiteral("/bin/bank.bin"));
    }

    static std::uint32_t u32(const QByteArray& b, int off)
    {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = (v << 8) | std::uint8_t(b[off + i]);
        return v;
    }
    static int u16(const QByteArray& b, int off) { return std::uint8_t(b[off]) | (std::uint8_t(b[off + 1]) << 8); }
    static QByteArray bytes(const QByteArray& b, int off, int n) { return b.mid(off, n); }

    QTemporaryDir dir;
};

QByteArray octets(int a, int b, int c, int d)
{
    QByteArray r;
    r.append(char(a)).append(char(b)).append(char(c)).append(char(d));
    return r;
}

TEST_F(BankImage, WithoutProjectFilesHoldsTheDefaultsAndChecksum2655)
{
    const QByteArray image = buildAndWrite();
    ASSERT_EQ(image.size(), 2560);

    // Every byte of the record is either a stated default or zero.
    QByteArray expected(2048, '\0');
    auto put = [&expected](int off, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            expected[off + i] = char(v >> (8 * i));
    };
    put(0x000, 125000, 4);
    put(0x00C, 9600, 4);
    put(0x010, 8, 2);
    expected.replace(0x028, 4, octets(192, 168, 2, 205));
    expected.replace(0x02C, 4, octets(255, 255, 255, 0));
    expected.replace(0x030, 4, octets(192, 168, 2, 1));
    put(0x034, 10000, 2);
    put(0x036, 10001, 2);
    put(0x038, 10001, 2);
    put(0x03C, 9600, 4);
    put(0x040, 8, 2);
    put(0x26C, 0x68800, 4);
    put(0x7FC, 2655, 4);
    EXPECT_EQ(image.left(2048), expected);
    EXPECT_EQ(bytes(image, 0x7FC, 4), QByteArray::fromHex("5f0a0000"));
    EXPECT_EQ(image.mid(2048), QByteArray(512, '\0'));
}

struct ParGenCase {
    const char* name;
    std::function<void(TParGen_Values&)> edit;
    std::uint32_t checksum;
    QByteArray gateway;
    int inChannels;
    int outChannels;
};

TEST_F(BankImage, ParGenValuesLandAtTheirOffsets)
{
    const std::vector<ParGenCase> cases = {
        {"untouched window", [](TParGen_Values&) {}, 3117, octets(255, 255, 255, 255), 0, 512},
        {"gateway on", [](TParGen_Values& v) { v.EN_GAT = true; }, 2458, octets(192, 168, 0, 1), 0, 512},
        {"DMX IN 100 channels",
         [](TParGen_Values& v) {
             v.DMX_Mode = 0;
             v.DMX_Num_Channels = QStringLiteral("100");
         },
         0, octets(255, 255, 255, 255), 100, 0},
        {"no mode selection is DMX OUT", [](TParGen_Values& v) { v.DMX_Mode = -1; }, 0, octets(255, 255, 255, 255), 0, 512},
        {"octets take their low 8 bits",
         [](TParGen_Values& v) {
             v.EN_GAT = true;
             v.GAT[0] = QStringLiteral("256");
             v.GAT[1] = QStringLiteral("-1");
             v.GAT[2] = QStringLiteral("$10");
             v.GAT[3] = QStringLiteral("junk");
         },
         0, octets(0, 255, 16, 1), 0, 512},
        {"hand-edited count above 512 is 512", [](TParGen_Values& v) { v.DMX_Num_Channels = QStringLiteral("70000"); },
         0, octets(255, 255, 255, 255), 0, 512},
        {"hand-edited count 0 is 512",
         [](TParGen_Values& v) {
             v.DMX_Mode = 0;
             v.DMX_Num_Channels = QStringLiteral("0");
         },
         0, octets(255, 255, 255, 255), 512, 0},
    };
    for (const ParGenCase& c : cases) {
        SCOPED_TRACE(c.name);
        TParGen_Values v;
        c.edit(v);
        Write_ParGen_File(File_ParGen, v);
        const QByteArray image = buildAndWrite();
        ASSERT_EQ(image.size(), 2560);
        EXPECT_EQ(bytes(image, 0x028, 4), octets(192, 168, 0, 10));
        EXPECT_EQ(bytes(image, 0x02C, 4), octets(255, 255, 255, 0));
        EXPECT_EQ(bytes(image, 0x030, 4), c.gateway);
        EXPECT_EQ(u16(image, 0x268), c.inChannels);
        EXPECT_EQ(u16(image, 0x26A), c.outChannels);
        EXPECT_EQ(u32(image, 0x26C), 0x68800u);
        EXPECT_EQ(u32(image, 0x274), 0u);
        std::uint32_t sum = 0;
        for (int i = 0; i < 0x7FC; ++i)
            sum += std::uint8_t(image[i]);
        EXPECT_EQ(u32(image, 0x7FC), sum);
        if (c.checksum) {
            EXPECT_EQ(u32(image, 0x7FC), c.checksum);
        }
    }
}

TEST_F(BankImage, MissingGatewaySwitchMeansGatewayOff)
{
    ASSERT_TRUE(
        testsupport::writeFile(File_ParGen, "<Par_Gen><MTCPs_GAT1>10</MTCPs_GAT1><MTCPs_GAT2>0</MTCPs_GAT2></Par_Gen>"));
    const QByteArray image = buildAndWrite();
    EXPECT_EQ(bytes(image, 0x030, 4), octets(255, 255, 255, 255));
    // Absent values take the reader's own defaults, not the window's.
    EXPECT_EQ(bytes(image, 0x028, 4), octets(192, 168, 0, 10));
    EXPECT_EQ(u16(image, 0x26A), 512);
}

TEST_F(BankImage, DmxDefaultsFillTheChannelsOfTheRowsRead)
{
    struct Case {
        const char* name;
        int rows;
        std::function<QString(int)> value;
        std::vector<std::pair<int, int>> expected;   // channel (1-based), byte
    };
    const std::vector<Case> cases = {
        {"24 rows leave the rest 0", 24, [](int i) { return QString::number(i + 1); }, {{1, 1}, {24, 24}, {25, 0}, {512, 0}}},
        {"600 rows give their first 512", 600, [](int i) { return QString::number(i % 256); }, {{1, 0}, {256, 255}, {512, 255}}},
        {"bad or missing values give 0 alone", 4,
         [](int i) {
             switch (i) {
             case 0: return QStringLiteral("x");
             case 1: return QString();
             case 2: return QStringLiteral("300");
             default: return QStringLiteral("0x7F");
             }
         },
         {{1, 0}, {2, 0}, {3, 300 & 0xFF}, {4, 0x7F}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeDmxFile(c.rows, c.value);
        const QByteArray image = buildAndWrite();
        for (auto [channel, byte] : c.expected)
            EXPECT_EQ(std::uint8_t(image[2048 + channel - 1]), byte) << "channel " << channel;
        // The DMX table is not part of the checksum.
        std::uint32_t sum = 0;
        for (int i = 0; i < 0x7FC; ++i)
            sum += std::uint8_t(image[i]);
        EXPECT_EQ(u32(image, 0x7FC), sum);
    }
}

// Channels are the rows the DMX default values window shows: the root's
// elements, whatever comments or blanks stand between them.
TEST_F(BankImage, CommentsBetweenDmxRowsAreNoChannels)
{
    ASSERT_TRUE(testsupport::writeFile(File_DMX_Default_Values,
                                       "<DMX_Default_Values>\n  <Row Default_Value=\"11\"/>\n  <!-- lamp 2 -->\n"
                                       "  <Row Default_Value=\"22\"/><?pi x?>\n\n  <Row Default_Value=\"33\"/>\n"
                                       "</DMX_Default_Values>"));
    const QByteArray image = buildAndWrite();
    EXPECT_EQ(bytes(image, 2048, 4), octets(11, 22, 33, 0));
}

TEST_F(BankImage, BuildingTwiceGivesIdenticalFiles)
{
    Write_ParGen_File(File_ParGen, TParGen_Values{});
    writeDmxFile(30, [](int i) { return QString::number(i * 3); });
    const QByteArray first = buildAndWrite();
    const QByteArray second = buildAndWrite();
    EXPECT_EQ(first, second);
}

TEST_F(BankImage, MalformedProjectFileStopsTheBuild)
{
    ASSERT_TRUE(testsupport::writeFile(File_ParGen, "<Par_Gen><MTCPs_IP1>1</Par_Gen"));
    EXPECT_THROW(Build_Bank_Image(), fw::EXmlError);
}

TEST_F(BankImage, MissingBinFolderIsCreated)
{
    QDir(Path_Project + QStringLiteral("/bin")).removeRecursively();
    EXPECT_EQ(buildAndWrite().size(), 2560);
}

TEST_F(BankImage, UnwritableImageIsReportedAndTheOldFileKept)
{
    const QString bank = Path_Project + QStringLiteral("/bin/bank.bin");
    ASSERT_TRUE(testsupport::writeFile(bank, "old"));
    QString error;
    {
        const testsupport::RenameHookGuard failing([](const QString&, const QString&) { return false; });
        Build_Bank_Image();
        EXPECT_FALSE(Write_Bank_File(&error));
    }
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(testsupport::readFile(bank), QByteArray("old"));

    // A bin path that is a file cannot become a folder: reported, not ignored.
    QDir(Path_Project + QStringLiteral("/bin")).removeRecursively();
    ASSERT_TRUE(testsupport::writeFile(Path_Project + QStringLiteral("/bin"), "x"));
    EXPECT_FALSE(Write_Bank_File(&error));
}

// The image that goes into the device is written only into the project's
// own bin: a bin, or a project folder, that is a link is refused and nothing
// is written where it points.
TEST_F(BankImage, ALinkedBinOrProjectFolderIsRefused)
{
    const QString elsewhere = dir.path() + QStringLiteral("/elsewhere");
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    const QString bin = Path_Project + QStringLiteral("/bin");
    ASSERT_TRUE(QDir(bin).removeRecursively());
    ASSERT_TRUE(QFile::link(elsewhere, bin));
    Build_Bank_Image();
    QString error;
    EXPECT_FALSE(Write_Bank_File(&error));
    EXPECT_TRUE(error.contains(QStringLiteral("is a link"))) << error.toStdString();
    EXPECT_TRUE(QDir(elsewhere).isEmpty());

    // The project folder itself a link to a folder with a real bin.
    const QString real = dir.path() + QStringLiteral("/Real");
    ASSERT_TRUE(QDir().mkpath(real + QStringLiteral("/bin")));
    Path_Project = dir.path() + QStringLiteral("/Alias");
    ASSERT_TRUE(QFile::link(real, Path_Project));
    EXPECT_FALSE(Write_Bank_File(&error));
    EXPECT_TRUE(QDir(real + QStringLiteral("/bin")).isEmpty());
}

TEST(BankImageWithoutProject, WriteIsRefused)
{
    Path_Project.clear();
    QString error;
    EXPECT_FALSE(Write_Bank_File(&error));
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
