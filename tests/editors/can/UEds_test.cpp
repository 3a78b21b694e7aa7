#include "editors/can/UEds.h"

#include "editors/can/CanTestSupport.h"
#include "framework/SysUtils.h"
#include "framework/Xml.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

QByteArray pdoRow(const QString& cobId, const QString& dimension, bool transmit)
{
    QByteArray r = "<row COB-ID=\"" + cobId.toUtf8() + "\" Dimension=\"" + dimension.toUtf8() + "\"";
    for (int k = 1; k <= 8; ++k)
        r += " Address_B" + QByteArray::number(k) + "=\"" + QByteArray::number(k - 1) + "\"";
    r += transmit ? " Send_Time=\"100\" On_Change=\"Y\"" : " TimeOut=\"0\"";
    return r + " Mnemonic=\"\"/>\n";
}

QByteArray pdoFile(const QByteArray& receiveRows, const QByteArray& transmitRows)
{
    return "<PDO_CANopen>\n<Receive_PDO>\n" + receiveRows + "</Receive_PDO>\n<Transmit_PDO>\n" + transmitRows
           + "</Transmit_PDO>\n</PDO_CANopen>\n<!--SW_VERSION = 1.000-->\n";
}

QByteArray sdoRow(const QString& index, const QString& sub, const QString& size)
{
    return "<row Index=\"" + index.toUtf8() + "\" SubIndex=\"" + sub.toUtf8() + "\" NByte=\"" + size.toUtf8()
           + "\" Address_B1=\"0\" Address_B2=\"1\" Address_B3=\"2\" Address_B4=\"3\" Mnemonic=\"\"/>\n";
}

QByteArray sdoFile(const QByteArray& readRows, const QByteArray& writeRows)
{
    return "<SDO_Server_CANopen>\n<SDO_Read>\n" + readRows + "</SDO_Read>\n<SDO_Write>\n" + writeRows
           + "</SDO_Write>\n</SDO_Server_CANopen>\n<!--SW_VERSION = 1.000-->\n";
}

const QDateTime kJustAfterMidnight(QDate(2024, 3, 5), QTime(0, 15));
const QDateTime kLastMinute(QDate(2024, 12, 31), QTime(23, 59, 59));

// The lines of one section, from its name to the line before the next
// section or the end.
QStringList section(const QByteArray& eds, const QString& name)
{
    const QStringList lines = QString::fromLatin1(eds).split(QStringLiteral("\r\n"));
    const int from = int(lines.indexOf(QLatin1Char('[') + name + QLatin1Char(']')));
    if (from < 0)
        return {};
    QStringList out;
    for (int i = from + 1; i < lines.size() && !lines.at(i).startsWith(QLatin1Char('[')); ++i)
        out << lines.at(i);
    while (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

class Eds : public cantest::ProjectFolder {
protected:
    QByteArray writeEds(const QDateTime& now = kJustAfterMidnight)
    {
        const QString file = path(QStringLiteral("gateway.eds"));
        Write_EDS_File(file, now);
        return testsupport::readFile(file);
    }

    // Python's strict INI reader and the CiA 306 rules; empty when both pass.
    QString outsideCheck(const QByteArray& eds, QString* skip)
    {
        const QString file = path(QStringLiteral("checked.eds"));
        write(file, eds);
        const QString script = QDir::cleanPath(testsupport::dataPath(QStringLiteral("../editors/can/eds_check.py")));
        const cantest::ToolRun run = cantest::runTool(QStringLiteral("/usr/bin/python3"), {script, file});
        if (!run.found) {
            *skip = QStringLiteral("/usr/bin/python3 is not installed");
            return {};
        }
        return run.exitCode == 0 ? run.output : QStringLiteral("exit %1: %2").arg(run.exitCode).arg(run.output);
    }

    void writeProject()
    {
        QByteArray transmit;
        for (int i = 0; i < 11; ++i)
            transmit += pdoRow(QStringLiteral("0x%1").arg(0x281 + i, 0, 16), QString::number(i % 8 + 1), true);
        write(File_PDO_CANopen,
              pdoFile(pdoRow(QStringLiteral("0x201"), QStringLiteral("2"), false)
                          + "<!-- a comment is no PDO -->\n"
                          + pdoRow(QStringLiteral("$181"), QStringLiteral("8"), false),
                      transmit));
        write(File_SDO_Server_CANopen,
              sdoFile(sdoRow(QStringLiteral("0x2000"), QStringLiteral("12"), QStringLiteral("1"))
                          + sdoRow(QStringLiteral("$2000"), QStringLiteral("1"), QStringLiteral("2"))
                          + sdoRow(QStringLiteral("8192"), QStringLiteral("3"), QStringLiteral("4"))
                          + sdoRow(QStringLiteral("0x3000"), QStringLiteral("0"), QStringLiteral("1"))
                          + sdoRow(QStringLiteral("0x2100"), QStringLiteral("1"), QStringLiteral("2")),
                      sdoRow(QStringLiteral("0x3000"), QStringLiteral("1"), QStringLiteral("2"))
                          + sdoRow(QStringLiteral("0x2200"), QStringLiteral("4"), QStringLiteral("1"))));
    }
};

TEST_F(Eds, WithoutProjectFilesOnlyTheFixedObjectsAreWritten)
{
    const QByteArray eds = writeEds(kLastMinute);
    EXPECT_EQ(eds, testsupport::fixture("editors/can", "empty.eds"));
    EXPECT_TRUE(eds.endsWith("[1280sub3]\r\nParameterName=Node ID of the SDO Server\r\nObjectType=0x07\r\n"
                             "DataType=0x0005\r\nAccessType=rw\r\nDefaultValue=none\r\nPDOMapping=0\r\n\r\n"));
    EXPECT_TRUE(section(eds, QStringLiteral("DeviceInfo")).contains(QStringLiteral("NrOfRXPDO=0")));
    EXPECT_EQ(section(eds, QStringLiteral("OptionalObjects")).at(0), QStringLiteral("SupportedObjects=8"));
    EXPECT_EQ(section(eds, QStringLiteral("ManufacturerObjects")), QStringList{QStringLiteral("SupportedObjects=0")});
    EXPECT_TRUE(section(eds, QStringLiteral("FileInfo")).contains(QStringLiteral("CreationTime=11:59PM")));
    EXPECT_TRUE(section(eds, QStringLiteral("FileInfo")).contains(QStringLiteral("CreationDate=12-31-2024")));
}

TEST_F(Eds, PdosAndServerObjectsOfTheProject)
{
    writeProject();
    const QByteArray eds = writeEds();
    EXPECT_EQ(eds, testsupport::fixture("editors/can", "project.eds"));

    const QStringList device = section(eds, QStringLiteral("DeviceInfo"));
    EXPECT_TRUE(device.contains(QStringLiteral("NrOfRXPDO=2")));
    EXPECT_TRUE(device.contains(QStringLiteral("NrOfTXPDO=11")));
    const QStringList optional = section(eds, QStringLiteral("OptionalObjects"));
    EXPECT_EQ(optional.at(0), QStringLiteral("SupportedObjects=47"));   // 3 x 2 + 8 + 3 x 11
    EXPECT_EQ(optional.mid(9, 3), (QStringList{QStringLiteral("9=0x1400"), QStringLiteral("10=0x1401"),
                                               QStringLiteral("11=0x1600")}));
    EXPECT_EQ(optional.last(), QStringLiteral("47=0x705A"));

    EXPECT_TRUE(section(eds, QStringLiteral("1400sub1")).contains(QStringLiteral("DefaultValue=0x00000201")));
    EXPECT_TRUE(section(eds, QStringLiteral("1401sub1")).contains(QStringLiteral("DefaultValue=0x00000181")));
    EXPECT_EQ(section(eds, QStringLiteral("1600")).at(0), QStringLiteral("SubNumber=3"));
    EXPECT_TRUE(section(eds, QStringLiteral("1600sub2")).contains(QStringLiteral("DefaultValue=0x70000208")));
    EXPECT_TRUE(section(eds, QStringLiteral("7000sub1")).contains(QStringLiteral("ParameterName=b1")));
    EXPECT_TRUE(section(eds, QStringLiteral("7000sub2")).contains(QStringLiteral("ParameterName=b2")));
    EXPECT_TRUE(section(eds, QStringLiteral("7050sub0")).contains(QStringLiteral("AccessType=rw")));
    // The eleventh transmit PDO (position 10) and its variables "ca".
    EXPECT_FALSE(section(eds, QStringLiteral("180A")).isEmpty());
    EXPECT_TRUE(section(eds, QStringLiteral("1A0A")).contains(QStringLiteral("ParameterName=Transmit PDO Mapping Parameter 11")));
    EXPECT_TRUE(section(eds, QStringLiteral("705Asub1")).contains(QStringLiteral("ParameterName=ca1")));

    // Manufacturer objects in order of first appearance, read table first.
    EXPECT_EQ(section(eds, QStringLiteral("ManufacturerObjects")),
              (QStringList{QStringLiteral("SupportedObjects=4"), QStringLiteral("1=0x2000"), QStringLiteral("2=0x3000"),
                           QStringLiteral("3=0x2100"), QStringLiteral("4=0x2200")}));
    EXPECT_EQ(section(eds, QStringLiteral("2000")).at(0), QStringLiteral("SubNumber=4"));
    EXPECT_TRUE(section(eds, QStringLiteral("2000sub0")).contains(QStringLiteral("DefaultValue=0x0C")));
    const int s1 = int(eds.indexOf("[2000sub1]")), s3 = int(eds.indexOf("[2000sub3]")), sC = int(eds.indexOf("[2000subC]"));
    EXPECT_TRUE(s1 > 0 && s1 < s3 && s3 < sC);
    // Sub-indexes 0 and 1: no generated sub-index 0; read ones ro, written ones rw.
    EXPECT_EQ(section(eds, QStringLiteral("3000")).at(0), QStringLiteral("SubNumber=2"));
    EXPECT_TRUE(section(eds, QStringLiteral("3000sub0")).contains(QStringLiteral("ParameterName=Application Variable")));
    EXPECT_TRUE(section(eds, QStringLiteral("3000sub0")).contains(QStringLiteral("AccessType=ro")));
    EXPECT_TRUE(section(eds, QStringLiteral("3000sub1")).contains(QStringLiteral("AccessType=rw")));
    EXPECT_TRUE(section(eds, QStringLiteral("3000sub1")).contains(QStringLiteral("DataType=0x0006")));
}

TEST_F(Eds, CreationTimeUsesTheTwelveHourClock)
{
    const struct {
        int h, m;
        const char* text;
    } cases[] = {
        {0, 0, "12:00AM"}, {0, 15, "12:15AM"}, {1, 5, "01:05AM"},  {11, 59, "11:59AM"},
        {12, 0, "12:00PM"}, {12, 30, "12:30PM"}, {14, 7, "02:07PM"}, {23, 59, "11:59PM"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EDS_Time_Text(QTime(c.h, c.m)), QLatin1String(c.text)) << c.h << ":" << c.m;
    EXPECT_EQ(EDS_Date_Text(QDate(2024, 3, 5)), QStringLiteral("03-05-2024"));
    EXPECT_EQ(EDS_Date_Text(QDate(2031, 11, 28)), QStringLiteral("11-28-2031"));
}

TEST_F(Eds, NumbersAreReadTheLenientWay)
{
    const char* const accepted[] = {"0x7FF", "$7ff", "2047", " 2047", "x7FF", "+0X7ff"};
    for (const char* cobId : accepted) {
        SCOPED_TRACE(cobId);
        write(File_PDO_CANopen, pdoFile(pdoRow(QLatin1String(cobId), QStringLiteral("1"), false), {}));
        EXPECT_TRUE(section(writeEds(), QStringLiteral("1400sub1")).contains(QStringLiteral("DefaultValue=0x000007FF")));
    }
}

TEST_F(Eds, TablesItWouldMisdescribeAreRefusedAndNothingIsWritten)
{
    const struct {
        const char* name;
        QByteArray pdo, sdo;
        const char* says;
    } cases[] = {
        // The windows let an object be given twice; the EDS would describe it twice.
        {"same object twice in one table", {},
         sdoFile(sdoRow(QStringLiteral("0x2000"), QStringLiteral("1"), QStringLiteral("1"))
                     + sdoRow(QStringLiteral("8192"), QStringLiteral("0x01"), QStringLiteral("2")), {}),
         "SDO_Server_CANopen.xml\nError row 2!! [SDO in Read] The EDS cannot describe one object twice: Index and "
         "SubIndex are already used in row 1 (SDO in Read)"},
        {"same object in both tables", {},
         sdoFile(sdoRow(QStringLiteral("0x2000"), QStringLiteral("1"), QStringLiteral("1")),
                 sdoRow(QStringLiteral("0x2000"), QStringLiteral("1"), QStringLiteral("1"))),
         "SDO_Server_CANopen.xml\nError row 1!! [SDO in Write] The EDS cannot describe one object twice: Index and "
         "SubIndex are already used in row 1 (SDO in Read)"},
        // Values the EDS cannot hold, in the windows' words.
        {"sub-index over 8 bits", {},
         sdoFile(sdoRow(QStringLiteral("0x2000"), QStringLiteral("256"), QStringLiteral("1")), {}),
         "SDO_Server_CANopen.xml\nError row 1!! [SDO in Read] SubIndex must be between 0x00 and 0xFF"},
        {"index below the manufacturer range", {},
         sdoFile({}, sdoRow(QStringLiteral("0x1FFF"), QStringLiteral("0"), QStringLiteral("1"))),
         "SDO_Server_CANopen.xml\nError row 1!! [SDO in Write] Index must be between 0x2000 and 0x5FFF"},
        {"index above it", {},
         sdoFile({}, sdoRow(QStringLiteral("0x6000"), QStringLiteral("0"), QStringLiteral("1"))),
         "SDO_Server_CANopen.xml\nError row 1!! [SDO in Write] Index must be between 0x2000 and 0x5FFF"},
        {"index over 16 bits", {},
         sdoFile(sdoRow(QStringLiteral("0x12000"), QStringLiteral("0"), QStringLiteral("1")), {}),
         "SDO_Server_CANopen.xml\nError row 1!! [SDO in Read] Index must be between 0x2000 and 0x5FFF"},
        {"three-byte object", {},
         sdoFile(sdoRow(QStringLiteral("0x2000"), QStringLiteral("0"), QStringLiteral("3")), {}),
         "SDO_Server_CANopen.xml\nError row 1!! [SDO in Read] N Byte must be 1 or 2 or 4"},
        {"index that is no number", {},
         sdoFile(sdoRow(QStringLiteral("abc"), QStringLiteral("0"), QStringLiteral("1")), {}),
         "SDO_Server_CANopen.xml\nError row 1!! [SDO in Read] Index must be between 0x2000 and 0x5FFF"},
        {"server row without sub-index", {}, sdoFile("<row Index=\"0x2000\" NByte=\"1\"/>", {}),
         "SDO_Server_CANopen.xml\nError row 1!! [SDO in Read] SubIndex must be between 0x00 and 0xFF"},
        {"COB-ID beyond 11 bits", pdoFile(pdoRow(QStringLiteral("0x800"), QStringLiteral("1"), false), {}), {},
         "PDO_CANopen.xml\nError row 1!! [Receive PDO] COB-ID must be between 0x000 and 0x7FF"},
        {"COB-ID with a trailing blank", pdoFile({}, pdoRow(QStringLiteral("2047 "), QStringLiteral("1"), true)), {},
         "PDO_CANopen.xml\nError row 1!! [Transmit PDO] COB-ID must be between 0x000 and 0x7FF"},
        {"nine data bytes", pdoFile(pdoRow(QStringLiteral("0x181"), QStringLiteral("9"), false), {}), {},
         "PDO_CANopen.xml\nError row 1!! [Receive PDO] Dimension must be between 1 and 8"},
        {"PDO row without dimension", pdoFile("<row COB-ID=\"0x181\"/>", {}), {},
         "PDO_CANopen.xml\nError row 1!! [Receive PDO] Dimension must be between 1 and 8"},
        {"another table's file", "<SDO_Server_CANopen/>", {}, nullptr},
    };
    const QString file = path(QStringLiteral("kept.eds"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(File_PDO_CANopen);
        QFile::remove(File_SDO_Server_CANopen);
        if (!c.pdo.isEmpty())
            write(File_PDO_CANopen, c.pdo);
        if (!c.sdo.isEmpty())
            write(File_SDO_Server_CANopen, c.sdo);
        write(file, "old EDS");
        try {
            Write_EDS_File(file, kJustAfterMidnight);
            ADD_FAILURE() << "written";
        } catch (const fw::EXmlError& e) {
            EXPECT_EQ(c.says, nullptr) << e.Message().toStdString();
            EXPECT_TRUE(e.Message().contains(QLatin1String("not \"PDO_CANopen\""))) << e.Message().toStdString();
        } catch (const fw::Exception& e) {
            EXPECT_EQ(e.Message(), QString::fromUtf8(c.says ? c.says : ""));
        }
        EXPECT_EQ(testsupport::readFile(file), QByteArray("old EDS"));
    }
}

TEST_F(Eds, MoreThanThirtyPdosAreCappedAndReported)
{
    QByteArray receive, transmit;
    for (int i = 0; i < 35; ++i)
        receive += pdoRow(QString::number(0x200 + i), QStringLiteral("1"), false);
    for (int i = 0; i < 31; ++i)
        transmit += pdoRow(QString::number(0x300 + i), QStringLiteral("1"), true);
    write(File_PDO_CANopen, pdoFile(receive, transmit));

    const QByteArray eds = writeEds();
    const QStringList device = section(eds, QStringLiteral("DeviceInfo"));
    EXPECT_TRUE(device.contains(QStringLiteral("NrOfRXPDO=30")));
    EXPECT_TRUE(device.contains(QStringLiteral("NrOfTXPDO=30")));
    EXPECT_TRUE(section(eds, QStringLiteral("141D")).size() > 0);
    EXPECT_TRUE(section(eds, QStringLiteral("141E")).isEmpty());
    ASSERT_EQ(recorder.Calls().size(), 1u);
    EXPECT_EQ(recorder.Calls()[0].type, fw::mtWarning);
    const QString beyond = QStringLiteral("Rows of the file beyond the capacity of the table, which are not written to "
                                          "the EDS");
    EXPECT_EQ(recorder.Calls()[0].text, QStringLiteral("PDO_CANopen.xml\n") + beyond
                                            + QStringLiteral(" (Receive PDO): 31-35\n") + beyond
                                            + QStringLiteral(" (Transmit PDO): 31"));
}

TEST_F(Eds, RowsBelowAnEmptyKeyAreReportedAsNotInTheEds)
{
    write(File_PDO_CANopen, pdoFile(pdoRow(QStringLiteral("0x181"), QStringLiteral("1"), false)
                                        + pdoRow(QStringLiteral(" "), QStringLiteral("1"), false)
                                        + pdoRow(QStringLiteral("0x182"), QStringLiteral("1"), false),
                                    {}));
    write(File_SDO_Server_CANopen, sdoFile({}, sdoRow({}, QStringLiteral("1"), QStringLiteral("1"))));
    const QByteArray eds = writeEds();
    EXPECT_TRUE(section(eds, QStringLiteral("DeviceInfo")).contains(QStringLiteral("NrOfRXPDO=1")));
    ASSERT_EQ(recorder.Calls().size(), 1u);
    EXPECT_EQ(recorder.Calls()[0].type, fw::mtWarning);
    EXPECT_EQ(recorder.Calls()[0].text,
              QStringLiteral("PDO_CANopen.xml\nRows below the first row with an empty key cell, which are not written "
                             "to the EDS (Receive PDO): 2-3\n"
                             "SDO_Server_CANopen.xml\nRows below the first row with an empty key cell, which are not "
                             "written to the EDS (SDO in Write): 1"));
}

TEST_F(Eds, AFolderThatCannotBeWrittenIsAFileError)
{
    EXPECT_THROW(Write_EDS_File(path(QStringLiteral("no/such/folder/x.eds")), kJustAfterMidnight), fw::EFileError);
}

// ---- Outside readers -----------------------------------------------------------

TEST_F(Eds, StrictIniReaderAndCia306RulesAcceptEveryFileWritten)
{
    QString skip;
    EXPECT_EQ(outsideCheck(writeEds(), &skip), QString());
    if (!skip.isEmpty())
        GTEST_SKIP() << skip.toStdString();
    writeProject();
    EXPECT_EQ(outsideCheck(writeEds(kLastMinute), &skip), QString());

    // Full tables: 30 PDOs each way with every length, 120 server objects.
    QByteArray receive, transmit, reads, writes;
    for (int i = 0; i < 30; ++i) {
        receive += pdoRow(QString::number(0x200 + i), QString::number(i % 8 + 1), false);
        transmit += pdoRow(QString::number(0x300 + i), QString::number(8 - i % 8), true);
    }
    for (int i = 0; i < 60; ++i) {
        reads += sdoRow(QString::number(0x2000 + i / 3), QString::number(i % 3 * 7), QString::number(1 << (i % 3)));
        writes += sdoRow(QString::number(0x5FFF - i / 4), QString::number(255 - i % 4), QStringLiteral("4"));
    }
    write(File_PDO_CANopen, pdoFile(receive, transmit));
    write(File_SDO_Server_CANopen, sdoFile(reads, writes));
    EXPECT_EQ(outsideCheck(writeEds(QDateTime(QDate(2025, 1, 1), QTime(12, 0))), &skip), QString());
}

TEST_F(Eds, OutsideCheckCatchesBrokenFiles)
{
    writeProject();
    const QByteArray good = writeEds();
    const struct {
        const char* name;
        QByteArray from, to;
    } faults[] = {
        {"object count off by one", "SupportedObjects=4", "SupportedObjects=5"},
        {"sub-index count off by one", "[2000]\r\nSubNumber=4", "[2000]\r\nSubNumber=3"},
        {"section written twice", "[2100sub1]", "[2000sub1]"},
        {"illegal access type", "AccessType=rww", "AccessType=rx"},
        {"midnight as hour 00", "CreationTime=12:15AM", "CreationTime=00:15AM"},
    };
    for (const auto& f : faults) {
        SCOPED_TRACE(f.name);
        QByteArray bad = good;
        ASSERT_TRUE(bad.contains(f.from));
        bad.replace(bad.indexOf(f.from), f.from.size(), f.to);
        QString skip;
        const QString out = outsideCheck(bad, &skip);
        if (!skip.isEmpty())
            GTEST_SKIP() << skip.toStdString();
        EXPECT_FALSE(out.isEmpty());
    }
}

} // namespace
