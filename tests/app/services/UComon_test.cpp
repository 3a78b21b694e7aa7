#include "app/services/UComon.h"

#include "support/ScopedSettings.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <array>

using testsupport::writeFile;

namespace {

// ---- IPv4 texts ------------------------------------------------------------

TEST(SplitIPAddress, Cases)
{
    struct Case {
        const char* input;
        bool result;
        std::array<const char*, 4> octets;   // "?" = left as it was
    };
    const std::vector<Case> cases = {
        {" 192.168.1.10 ", true, {"192", "168", "1", "10"}},
        {"192 . 168 .1. 10", true, {"192", "168", "1", "10"}},
        {"$C0.0xA8.1.10", true, {"$C0", "0xA8", "1", "10"}},
        {"0.0.0.0", true, {"0", "0", "0", "0"}},
        {"192.168.1", false, {"192", "168", "?", "?"}},
        {"192.168.1.300", false, {"192", "168", "1", "300"}},
        {"1.2.3.4.5", false, {"1", "2", "3", "4.5"}},
        {"-1.2.3.4", false, {"-1", "2", "3", "4"}},
        {"a.b.c.d", false, {"a", "b", "c", "d"}},
        {"192", false, {"?", "?", "?", "?"}},
        {"", false, {"?", "?", "?", "?"}},
    };
    for (const Case& c : cases) {
        QString o[4] = {"?", "?", "?", "?"};
        EXPECT_EQ(Split_IP_Address(QString::fromLatin1(c.input), o[0], o[1], o[2], o[3]), c.result) << c.input;
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(o[k], QString::fromLatin1(c.octets[k])) << c.input << " octet " << k + 1;
    }
}

TEST(CheckIPPort, Cases)
{
    struct Case {
        const char* input;
        bool result;
        std::array<int, 5> out;   // four bytes and the port
    };
    const std::vector<Case> cases = {
        {"192.168.1.10:47808", true, {192, 168, 1, 10, 47808}},
        {" 192 . 168 . 1 . 10 : 47808 ", true, {192, 168, 1, 10, 47808}},
        {"10.0.0.1:0", true, {10, 0, 0, 1, 0}},
        {"255.255.255.255:65535", true, {255, 255, 255, 255, 65535}},
        {"192.168.1.10", false, {0, 0, 0, 0, 0}},
        {"192.168.1.10:70000", false, {0, 0, 0, 0, 0}},
        {"192.168.1.10:-1", false, {0, 0, 0, 0, 0}},
        {"192.168.1.10:", false, {0, 0, 0, 0, 0}},
        {"256.168.1.10:80", false, {0, 0, 0, 0, 0}},
        {"192.168.1.256:80", false, {0, 0, 0, 0, 0}},
        {"1.2.3:80", false, {0, 0, 0, 0, 0}},
        {"1.2.3.4.5:80", false, {0, 0, 0, 0, 0}},
        {"", false, {0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        std::uint8_t b[4] = {9, 9, 9, 9};
        std::uint16_t port = 9;
        EXPECT_EQ(Check_IP_Port(QString::fromLatin1(c.input), b[0], b[1], b[2], b[3], port), c.result) << c.input;
        EXPECT_EQ((std::array<int, 5>{b[0], b[1], b[2], b[3], port}), c.out) << c.input;
    }
}

TEST(GetIPBytes, Cases)
{
    struct Case {
        const char* input;
        bool error;
        std::array<int, 4> bytes;
    };
    const std::vector<Case> cases = {
        {"", true, {77, 77, 77, 77}},   // untouched
        {"10.0.0.1", false, {10, 0, 0, 1}},
        {"10.20", true, {10, 0, 0, 20}},
        {" 10.0.0.1", false, {10, 0, 0, 1}},   // leading blanks pass
        {"10 .0.0.1", true, {0, 0, 0, 1}},     // trailing blanks do not
        {"10.0.0.256", true, {10, 0, 0, 0}},
        {"1.2.3.4.5", true, {1, 2, 3, 0}},
        {"$0A.0x14.0.1", false, {10, 20, 0, 1}},
    };
    for (const Case& c : cases) {
        std::uint8_t b[4] = {77, 77, 77, 77};
        EXPECT_EQ(Get_IP_Bytes(QString::fromLatin1(c.input), b[0], b[1], b[2], b[3]), c.error) << c.input;
        EXPECT_EQ((std::array<int, 4>{b[0], b[1], b[2], b[3]}), c.bytes) << c.input;
    }
}

// ---- Numbers ---------------------------------------------------------------

TEST(StrToSingle, Cases)
{
    struct Case {
        const char* input;
        char separator;         // asked for by the caller
        char processSeparator;  // of the process's number format
        bool result;
        float value;
    };
    const std::vector<Case> cases = {
        {"1,5", '.', '.', true, 1.5f},
        {"1.5", '.', '.', true, 1.5f},
        {"1.5", ',', ',', true, 1.5f},
        {"1,5", ',', ',', true, 1.5f},
        {" -2.5e2 ", '.', '.', true, -250.0f},
        {"1.5", ',', '.', false, 1.0f},   // the caller's separator differs from the process's
        {"abc", '.', '.', false, 1.0f},
        {"", '.', '.', false, 1.0f},
        {"1.2.3", '.', '.', false, 1.0f},
        {"1e39", '.', '.', false, 1.0f},   // beyond single precision
    };
    const testsupport::FormatSettingsGuard saved;
    for (const Case& c : cases) {
        fw::FormatSettings().DecimalSeparator = QLatin1Char(c.processSeparator);
        float value = 42.0f;
        EXPECT_EQ(Str_To_Single(QString::fromLatin1(c.input), QLatin1Char(c.separator), value), c.result) << c.input;
        EXPECT_FLOAT_EQ(value, c.value) << c.input;
    }
}

TEST(DecimalSeparator, FromLocale)
{
    EXPECT_EQ(Get_Decimal_Separator(QLocale(QLocale::German, QLocale::Germany)), QLatin1Char(','));
    EXPECT_EQ(Get_Decimal_Separator(QLocale(QLocale::English, QLocale::UnitedStates)), QLatin1Char('.'));
    // A separator other than "," and "." gives ",".
    const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
    ASSERT_NE(arabic.decimalPoint(), QStringLiteral(","));
    ASSERT_NE(arabic.decimalPoint(), QStringLiteral("."));
    EXPECT_EQ(Get_Decimal_Separator(arabic), QLatin1Char(','));
}

// ---- Serial ports ----------------------------------------------------------

TEST(ComPorts, ListsSerialDevicesFromSysfs)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.path() + QStringLiteral("/class/tty");
    const QString drivers = dir.path() + QStringLiteral("/drivers");
    QDir().mkpath(drivers + QStringLiteral("/serial8250"));
    QDir().mkpath(drivers + QStringLiteral("/ftdi_sio"));
    QDir().mkpath(drivers + QStringLiteral("/cdc_acm"));

    // name, driver ("" = no device behind it), uart type for 8250 ports
    struct Tty {
        const char* name;
        const char* driver;
        const char* type;
    };
    const std::vector<Tty> ttys = {
        {"tty0", "", ""},                 // virtual console
        {"ptmx", "", ""},
        {"ttyS0", "serial8250", "4"},     // a real UART
        {"ttyS1", "serial8250", "0"},     // registered, no UART
        {"ttyS10", "serial8250", "4"},
        {"ttyS2", "serial8250", "4"},
        {"ttyUSB0", "ftdi_sio", ""},      // held open by another program: still listed
        {"ttyACM10", "cdc_acm", ""},
        {"ttyACM2", "cdc_acm", ""},
    };
    for (const Tty& t : ttys) {
        const QString folder = root + QLatin1Char('/') + QLatin1String(t.name);
        QDir().mkpath(folder);
        if (*t.driver) {
            QDir().mkpath(folder + QStringLiteral("/device"));
            ASSERT_TRUE(QFile::link(drivers + QLatin1Char('/') + QLatin1String(t.driver),
                                    folder + QStringLiteral("/device/driver")));
        }
        if (*t.type)
            writeFile(folder + QStringLiteral("/type"), QByteArray(t.type) + "\n");
    }
    EXPECT_EQ(Get_COM_Ports(root).join(QLatin1Char(' ')).toStdString(),
              "ttyACM2 ttyACM10 ttyS0 ttyS2 ttyS10 ttyUSB0");
    EXPECT_TRUE(Get_COM_Ports(dir.path() + QStringLiteral("/missing")).isEmpty());
}

// ---- Paths and projects ----------------------------------------------------

TEST(ProgramPaths, FoldersAndProjectFiles)
{
    Set_Program_Paths(QStringLiteral("/opt/conf/"));
    EXPECT_EQ(Path_SW, QStringLiteral("/opt/conf"));
    EXPECT_EQ(Path_Master, QStringLiteral("/opt/conf/MASTER"));
    EXPECT_EQ(Path_Projects, QStringLiteral("/opt/conf/PROJECTS"));
    EXPECT_EQ(Path_Language, QStringLiteral("/opt/conf/LANGUAGE"));

    Path_Project = QStringLiteral("/p");
    Set_Project_Files();
    const std::vector<std::pair<const QString*, const char*>> files = {
        {&File_ParGen, "/p/ParGen.xml"},
        {&File_DALI_Access, "/p/DALI_Access.xml"},
        {&File_DALI2_Access, "/p/DALI2_Access.xml"},
        {&File_ModbusTCPM_SetAccess, "/p/ModbusTCPM_SetAccess.xml"},
        {&File_DMX_Default_Values, "/p/DMX_Default_Values.xml"},
        {&File_BACnet_Master_Access, "/p/BACnet_Master_Access.xml"},
        {&File_ModbusM_SetAccess, "/p/ModbusM_SetAccess.xml"},
        {&File_SNMP_Trap, "/p/SNMP_Trap.xml"},
        {&File_CAN_Rec_Frames, "/p/CAN_Rec_Frames.xml"},
        {&File_CAN_Send_Frames, "/p/CAN_Send_Frames.xml"},
        {&File_PDO_CANopen, "/p/PDO_CANopen.xml"},
        {&File_SDO_Client_CANopen, "/p/SDO_Client_CANopen.xml"},
        {&File_SDO_Server_CANopen, "/p/SDO_Server_CANopen.xml"},
    };
    for (const auto& [file, want] : files)
        EXPECT_EQ(*file, QLatin1String(want));
}

TEST(ProjectName, Validity)
{
    const std::vector<std::pair<QString, bool>> cases = {
        {"Plant A", true},
        {"Prj_1.v2", true},
        {QStringLiteral("\u00DCbersicht"), true},
        {"", false},
        {".", false},
        {"..", false},
        {"../x", false},
        {"a..b", false},
        {"a/b", false},
        {"a\\b", false},
        {"a:b", false},
        {"a?b", false},
        {"a*b", false},
        {"a|b", false},
        {"a<b", false},
        {"a\"b", false},
        {QStringLiteral("a\u0001b"), false},
    };
    for (const auto& [name, valid] : cases)
        EXPECT_EQ(Is_Valid_Project_Name(name), valid) << name.toStdString();
}

TEST(ProjectName, ReopenLastProject)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Set_Program_Paths(dir.path());
    QDir().mkpath(Path_Projects + QStringLiteral("/Plant A"));
    QDir().mkpath(Path_SW + QStringLiteral("/Outside"));
    struct Case {
        QString name;
        QString path;   // expected Path_Project
    };
    const std::vector<Case> cases = {
        {"Plant A", Path_Projects + QStringLiteral("/Plant A")},
        {"Deleted", ""},
        {"", ""},
        {"../Outside", ""},
        {Path_SW + QStringLiteral("/Outside"), ""},
    };
    for (const Case& c : cases) {
        Name_Project = c.name;
        Path_Project = QStringLiteral("stale");
        Reopen_Last_Project();
        EXPECT_EQ(Path_Project, c.path) << c.name.toStdString();
        EXPECT_EQ(Name_Project, c.name) << "the stored name is kept";
    }
}

} // namespace

TEST(ProjectFiles, NoOpenProjectGivesNoPaths)
{
    const QString saved = Path_Project;
    Path_Project.clear();
    Set_Project_Files();
    for (const QString* file : {&File_ParGen, &File_DMX_Default_Values, &File_SDO_Server_CANopen})
        EXPECT_TRUE(file->isEmpty()) << file->toStdString();
    Path_Project = saved;
    Set_Project_Files();
}
