#include "editors/automation/DALI_AccessData.h"

#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "framework/Dialogs.h"
#include "framework/Forms.h"
#include "support/OutsideReaders.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString fixture(const char* name)
{
    return testsupport::dataPath(QStringLiteral("editors/automation/") + QLatin1String(name));
}

class DALIAccess : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Load_Default_Language();
    }
    QString file() const { return dir.filePath(QStringLiteral("DALI_Access.xml")); }
    void enable(std::initializer_list<int> addresses)
    {
        for (int a : addresses)
            devices.Devices()[size_t(a)][1] = QStringLiteral("Y");
    }

    QTemporaryDir dir;
    TDALI_Access_File devices;
};

TEST_F(DALIAccess, DefaultDevicesMatchTheGoldenFile)
{
    ASSERT_EQ(devices.Devices().size(), 64u);
    EXPECT_EQ(devices.Devices()[63][1], QStringLiteral("N"));
    EXPECT_EQ(DALI_Device_Label(1), QStringLiteral("DALI ID Device 0"));
    EXPECT_EQ(DALI_Device_Label(64), QStringLiteral("DALI ID Device 63"));
    EXPECT_EQ(DALI_Group_Label(16), QStringLiteral("DALI Group 16"));
    EXPECT_EQ(DALI_Group_Label(17), QStringLiteral("DALI Broadcast"));
    const TTableSpec spec = DALI_Device_Spec();
    for (int c = 2; c <= 5; ++c)
        EXPECT_TRUE(spec.Columns[size_t(c)].Hidden) << c;
    devices.Save(file());
    EXPECT_EQ(testsupport::readFile(file()), testsupport::readFile(fixture("DALI_Access.default.xml")));
}

TEST_F(DALIAccess, LoadThenSaveIsByteExact)
{
    const QByteArray original = testsupport::readFile(fixture("DALI_Access.some.xml"));
    ASSERT_TRUE(testsupport::writeFile(file(), original));
    EXPECT_TRUE(devices.Load(file()).Clean());
    EXPECT_EQ(DALI_Enabled_Count(devices.Devices()), 4);
    EXPECT_EQ(devices.Devices()[17][1], QStringLiteral("Y"));
    devices.Save(file());
    EXPECT_EQ(testsupport::readFile(file()), original);
    if (testsupport::xmllintProgram().isEmpty())
        GTEST_SKIP() << "xmllint is not installed";
    EXPECT_TRUE(testsupport::xmllintPasses(file()));
    if (testsupport::pythonProgram().isEmpty())
        GTEST_SKIP() << "/usr/bin/python3 is not installed";
    // Python reads one element per address, in order, "1" exactly for the enabled ones.
    const QJsonArray children = testsupport::pythonXmlTree(file()).value(QStringLiteral("children")).toArray();
    ASSERT_EQ(children.size(), 64);
    for (int a = 0; a < 64; ++a) {
        const QJsonObject e = children[a].toObject();
        EXPECT_EQ(e.value(QStringLiteral("tag")).toString(), QStringLiteral("DALI_ID_DEVICE_%1").arg(a));
        EXPECT_EQ(e.value(QStringLiteral("text")).toString(),
                  devices.Devices()[size_t(a)][1] == QLatin1String("Y") ? QStringLiteral("1") : QStringLiteral("0"));
    }
}

TEST_F(DALIAccess, OnlyTheText1EnablesADevice)
{
    ASSERT_TRUE(testsupport::writeFile(file(),
        "<?xml version=\"1.0\"?>\n<!-- before the root -->\n<DALI_Access>"
        "<DALI_ID_DEVICE_0>Y</DALI_ID_DEVICE_0><DALI_ID_DEVICE_1>true</DALI_ID_DEVICE_1>"
        "<DALI_ID_DEVICE_2>1</DALI_ID_DEVICE_2><DALI_ID_DEVICE_3> 1</DALI_ID_DEVICE_3>"
        "<!-- DALI_ID_DEVICE_4 is missing --><DALI_ID_DEVICE_5>1</DALI_ID_DEVICE_5>"
        "<DALI_ID_DEVICE_64>1</DALI_ID_DEVICE_64></DALI_Access>"));
    devices.Devices()[4][1] = QStringLiteral("Y");   // left from an earlier showing
    EXPECT_TRUE(devices.Load(file()).Clean());
    QStringList enabled;
    for (int r = 0; r < 64; ++r)
        if (devices.Devices()[size_t(r)][1] == QLatin1String("Y"))
            enabled << QString::number(r);
    EXPECT_EQ(enabled, QStringList({"2", "5"}));
}

TEST_F(DALIAccess, UnreadableFileLeavesEveryDeviceOffAndIsKept)
{
    const QByteArray broken = "<DALI_Access><DALI_ID_DEVICE_0>1</DALI_ID_DEV";
    ASSERT_TRUE(testsupport::writeFile(file(), broken));
    const TTableLoadReport report = devices.Load(file());
    EXPECT_EQ(report.State, TProjectFileState::Unreadable);
    EXPECT_EQ(DALI_Enabled_Count(devices.Devices()), 0);
    enable({1});
    devices.Save(file());
    EXPECT_EQ(testsupport::readFile(file() + QStringLiteral(".bak")), broken);
    EXPECT_TRUE(testsupport::readFile(file()).contains("<DALI_ID_DEVICE_1>1</DALI_ID_DEVICE_1>"));
}

TEST_F(DALIAccess, EnableIsReadTrimmedInAnyCase)
{
    devices.Devices()[3][1] = QStringLiteral(" y ");
    devices.Devices()[4][1] = QStringLiteral("yes");
    EXPECT_EQ(DALI_Enabled_Count(devices.Devices()), 1);
    EXPECT_TRUE(devices.Xml_Text().contains(QStringLiteral("<DALI_ID_DEVICE_3>1</DALI_ID_DEVICE_3>")));
    EXPECT_TRUE(devices.Xml_Text().contains(QStringLiteral("<DALI_ID_DEVICE_4>0</DALI_ID_DEVICE_4>")));
    EXPECT_TRUE(DALI_Maps_Bytes(devices.Devices()).endsWith("\r\n4; 0; 1; 2; 3; 4; 5; 6, 7;\r\n"));
}

TEST_F(DALIAccess, MapsFileGivesEachEnabledDeviceEightBytes)
{
    const QByteArray header = "DALI ID; Status; ADV; Response Received After Commnad; Type and Versione; "
                              "Min. Settable Value; Max. Settable Value; Group;\r\n";
    EXPECT_EQ(DALI_Maps_Bytes(devices.Devices()), header);
    enable({0, 5});
    // The first number is the row: the short address plus one.
    EXPECT_EQ(DALI_Maps_Bytes(devices.Devices()),
              header + "1; 0; 1; 2; 3; 4; 5; 6, 7;\r\n6; 8; 9; 10; 11; 12; 13; 14, 15;\r\n");
    enable({63});
    EXPECT_TRUE(DALI_Maps_Bytes(devices.Devices()).endsWith("64; 16; 17; 18; 19; 20; 21; 22, 23;\r\n"));
}

TEST_F(DALIAccess, MapsFileNameGetsTheCsvExtension)
{
    struct Case {
        const char* chosen;
        const char* written;
    };
    for (const Case& c : std::vector<Case>{{"/p/maps", "/p/maps.csv"},
                                           {"/p/maps.txt", "/p/maps.txt.csv"},
                                           {"/p/maps.CSV", "/p/maps.CSV"},
                                           {"/p/maps.Csv", "/p/maps.Csv"},
                                           {"/p.csv/maps", "/p.csv/maps.csv"}})
        EXPECT_EQ(DALI_Maps_File_Name(QString::fromUtf8(c.chosen)), QString::fromUtf8(c.written)) << c.chosen;
}

TEST_F(DALIAccess, ExportAsksBeforeReplacingAFile)
{
    fw::DialogRecorder recorder;
    fw::DialogSeam::Guard guard(recorder);
    const QString saved = Path_Project;
    Path_Project = dir.path();
    enable({2});
    const QString chosen = dir.filePath(QStringLiteral("maps"));
    const QString written = chosen + QStringLiteral(".csv");

    recorder.AnswerCancel();
    EXPECT_FALSE(Export_DALI_Maps(devices.Devices()));
    EXPECT_FALSE(QFile::exists(written));
    ASSERT_EQ(recorder.Calls().size(), 1u);
    EXPECT_EQ(recorder.Calls()[0].initialDir, dir.path());
    EXPECT_EQ(recorder.Calls()[0].filter, QStringLiteral("Comma-separated value (CSV file)|*.csv"));

    recorder.AnswerFile(chosen);
    EXPECT_TRUE(Export_DALI_Maps(devices.Devices()));
    EXPECT_EQ(testsupport::readFile(written), DALI_Maps_Bytes(devices.Devices()));

    // The file is there now: anything but Yes keeps it.
    enable({7});
    for (int answer : {fw::mrNo, fw::mrCancel}) {
        recorder.Clear();
        recorder.AnswerFile(chosen);
        recorder.Answer(answer);
        EXPECT_FALSE(Export_DALI_Maps(devices.Devices()));
        ASSERT_EQ(recorder.Calls().size(), 2u);
        EXPECT_EQ(recorder.Calls()[1].text, QStringLiteral("The File is already present. Overwrite the file?"));
        EXPECT_FALSE(testsupport::readFile(written).contains("8; 8;"));
    }
    recorder.AnswerFile(chosen);
    recorder.Answer(fw::mrYes);
    EXPECT_TRUE(Export_DALI_Maps(devices.Devices()));
    EXPECT_TRUE(testsupport::readFile(written).endsWith("8; 8; 9; 10; 11; 12; 13; 14, 15;\r\n"));
    Path_Project = saved;
}

TEST(DALIAccessChoices, HiddenColumnHelpersKeepOnlyKnownChoices)
{
    EXPECT_EQ(Check_Dimming_mode(QStringLiteral("Start Break")), QStringLiteral("Start Break"));
    EXPECT_EQ(Check_Dimming_mode(QStringLiteral("start break")), QStringLiteral("Normal"));
    EXPECT_EQ(Check_ReCall_Level(QStringLiteral("Recall Old Value Level for Switch")),
              QStringLiteral("Recall Old Value Level for Switch"));
    EXPECT_EQ(Check_ReCall_Level(QStringLiteral("other")), QStringLiteral("None"));
}

} // namespace
