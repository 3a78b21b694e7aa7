#include "editors/automation/Modbus_TCP_Master_Set_AccessData.h"
#include "editors/automation/ModbusAccessRules.h"

#include "app/services/ULanguage.h"
#include "support/OutsideReaders.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString fixture(const char* name)
{
    return testsupport::dataPath(QStringLiteral("editors/automation/") + QLatin1String(name));
}

class ModbusTCPM : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Load_Default_Language();
    }
    QString file() const { return dir.filePath(QStringLiteral("ModbusTCPM_SetAccess.xml")); }

    QTemporaryDir dir;
    TTableFile tables{ModbusTCPM_File_Spec()};
};

TEST_F(ModbusTCPM, DefaultTablesMatchTheGoldenFile)
{
    const TTableRows& read = tables.Rows(ModbusTCPM_Read);
    ASSERT_EQ(read.size(), 512u);
    EXPECT_EQ(read[511], QStringList({"512", "Y", "", "", "", "", "", "", "", "", "", "", "", ""}));
    ASSERT_EQ(tables.Rows(ModbusTCPM_Write)[0].size(), 16);
    EXPECT_TRUE(tables.Table(ModbusTCPM_Write).Columns[9].Hidden);
    EXPECT_TRUE(tables.Table(ModbusTCPM_Write).Columns[10].Hidden);
    EXPECT_EQ(tables.Table(ModbusTCPM_Read).Columns[10].Items.last(), QStringLiteral("127"));
    EXPECT_EQ(tables.Table(ModbusTCPM_Write).Columns[12].Items.last(), QStringLiteral("1539"));

    ModbusTCPM_Save(tables, file());
    EXPECT_EQ(testsupport::readFile(file()), testsupport::readFile(fixture("ModbusTCPM_SetAccess.default.xml")));
}

TEST_F(ModbusTCPM, LoadThenSaveIsByteExactAndReadsBackOutside)
{
    const QByteArray original = testsupport::readFile(fixture("ModbusTCPM_SetAccess.full.xml"));
    ASSERT_FALSE(original.isEmpty());
    ASSERT_TRUE(testsupport::writeFile(file(), original));
    const TTableLoadReport report = tables.Load(file());
    EXPECT_TRUE(report.Clean());
    EXPECT_EQ(tables.Rows(ModbusTCPM_Read)[1][13], QStringLiteral("Pump & valve <alarms> \"A\""));
    EXPECT_EQ(tables.Rows(ModbusTCPM_Write)[1][9], QStringLiteral("N"));
    EXPECT_EQ(Table_End(tables.Table(ModbusTCPM_Read), tables.Rows(ModbusTCPM_Read)), 3);
    EXPECT_FALSE(ModbusTCPM_Controllo_dati(tables).Failed()) << ModbusTCPM_Controllo_dati(tables).Message.toStdString();

    ModbusTCPM_Save(tables, file());
    EXPECT_EQ(testsupport::readFile(file()), original);
    testsupport::expectTableFileReadsBack(tables, file());
}

TEST_F(ModbusTCPM, HiddenWriteCellsAreAlwaysStoredAsN)
{
    ASSERT_TRUE(testsupport::writeFile(file(),
        "<PROFINET_Master_to_Modbus_TCP_Master><Modbus_Read/><Modbus_Write>"
        "<row Enable=\"Y\" IP_Address=\"1.2.3.4\" Port=\"502\" Slave_ID=\"1\" Type=\"Coil Status\" Address=\"0\" "
        "NPoint=\"1\" PollTime=\"0\" OnChange=\"Y\" OnCMD=\"Y\" MaxError=\"0\" Position=\"0\" Bit=\"0\" Swap=\"N\" "
        "Mnemonic=\"\"/></Modbus_Write></PROFINET_Master_to_Modbus_TCP_Master>"));
    tables.Load(file());
    EXPECT_EQ(tables.Rows(ModbusTCPM_Write)[0][9], QStringLiteral("Y"));
    ModbusTCPM_Save(tables, file());
    EXPECT_TRUE(testsupport::readFile(file()).contains("OnChange=\"N\" OnCMD=\"N\""));
}

TEST_F(ModbusTCPM, MissingAttributesLoadWhatIsPresentAndAreReported)
{
    // Row 1 lacks the optional Enable and Swap, row 2 the required Port and
    // Mnemonic: everything present loads, and the next save is no shorter.
    ASSERT_TRUE(testsupport::writeFile(file(),
        "<PROFINET_Master_to_Modbus_TCP_Master><Modbus_Read>"
        "<row IP_Address=\"10.0.0.1\" Port=\"502\" Slave_ID=\"1\" Type=\"Coil Status\" Address=\"0\" NPoint=\"1\" "
        "PollTime=\"10\" MaxError=\"0\" Position=\"0\" Bit=\"0\" Mnemonic=\"a\"/>"
        "<row Enable=\"N\" IP_Address=\"10.0.0.2\" Slave_ID=\"2\" Type=\"Coil Status\" Address=\"0\" NPoint=\"1\" "
        "PollTime=\"10\" MaxError=\"0\" Position=\"1\" Bit=\"0\" Swap=\"Y\"/>"
        "<row Enable=\"Y\" IP_Address=\"10.0.0.3\" Port=\"502\" Slave_ID=\"3\" Type=\"Coil Status\" Address=\"0\" "
        "NPoint=\"1\" PollTime=\"10\" MaxError=\"0\" Position=\"2\" Bit=\"0\" Swap=\"N\" Mnemonic=\"c\"/>"
        "</Modbus_Read><Modbus_Write/></PROFINET_Master_to_Modbus_TCP_Master>"));
    const TTableLoadReport report = tables.Load(file());
    EXPECT_EQ(report.Tables[ModbusTCPM_Read].Incomplete, QList<int>({1, 2}));
    const TTableRows& read = tables.Rows(ModbusTCPM_Read);
    EXPECT_EQ(read[0], QStringList({"1", "Y", "10.0.0.1", "502", "1", "Coil Status", "0", "1", "10", "0", "0", "0",
                                    "N", "a"}));
    EXPECT_EQ(read[1], QStringList({"2", "N", "10.0.0.2", "", "2", "Coil Status", "0", "1", "10", "0", "1", "0", "Y",
                                    ""}));
    EXPECT_EQ(Table_End(tables.Table(ModbusTCPM_Read), read), 3);
    ModbusTCPM_Save(tables, file());
    TTableFile again(ModbusTCPM_File_Spec());
    EXPECT_TRUE(again.Load(file()).Clean());
    EXPECT_EQ(again.Rows(ModbusTCPM_Read), read);
}

TEST_F(ModbusTCPM, RowsBeyond512AreReportedNotLoaded)
{
    QByteArray xml = "<PROFINET_Master_to_Modbus_TCP_Master><Modbus_Read/><Modbus_Write>";
    for (int i = 1; i <= 515; ++i)
        xml += "<row Enable=\"N\" IP_Address=\"10.0.0." + QByteArray::number(i % 250) + "\" Port=\"1\" Slave_ID=\"1\" "
               "Type=\"Coil Status\" Address=\"0\" NPoint=\"1\" PollTime=\"0\" OnChange=\"N\" OnCMD=\"N\" "
               "MaxError=\"0\" Position=\"0\" Bit=\"0\" Swap=\"N\" Mnemonic=\"" + QByteArray::number(i) + "\"/>";
    xml += "</Modbus_Write></PROFINET_Master_to_Modbus_TCP_Master>";
    ASSERT_TRUE(testsupport::writeFile(file(), xml));
    const TTableLoadReport report = tables.Load(file());
    EXPECT_EQ(report.Tables[ModbusTCPM_Write].Beyond, 3);
    EXPECT_EQ(tables.Rows(ModbusTCPM_Write)[511][15], QStringLiteral("512"));
    EXPECT_TRUE(Table_Load_Message(report, tables.Spec(), file())
                    .contains(QStringLiteral("(Modbus Write): 513-515")));
}

// ---- Validation ------------------------------------------------------------

QStringList readRow(int n)
{
    return {QString::number(n), "Y", "192.168.1.125", "502", "1", "Holding Register", "0", "10", "1000", "3", "0", "0",
            "N", "m"};
}

QStringList writeRow(int n)
{
    return {QString::number(n), "Y", "192.168.1.125", "502", "1", "Coil Status", "0", "8", "0", "N", "N", "3", "0",
            "0", "N", "m"};
}

struct CheckCase {
    const char* name;
    int table;
    std::function<void(QStringList&)> edit;
    const char* message;   // empty: passes
};

TEST_F(ModbusTCPM, ValidationStepsInOrderWithThePartsTexts)
{
    auto set = [](std::vector<std::pair<int, const char*>> cells) {
        return [cells](QStringList& row) {
            for (const auto& [c, v] : cells)
                row[c] = QString::fromUtf8(v);
        };
    };
    const int R = ModbusTCPM_Read, W = ModbusTCPM_Write;
    const std::vector<CheckCase> cases = {
        {"valid rows", R, set({}), ""},
        {"a: three parts", R, set({{2, "192.168.1"}}),
         "Error row 2!! [Modbus Read] Slave IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {"a: five parts", R, set({{2, "1.2.3.4.5"}}),
         "Error row 2!! [Modbus Read] Slave IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {"a: byte above 255", W, set({{2, "10.0.256.1"}}),
         "Error row 2!! [Modbus Write] Slave IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {"b: port 65536", R, set({{3, "65536"}}), "Error row 2!! [Modbus Read] Port must be between 0 and 65535"},
        {"b: port abc", W, set({{3, "abc"}}), "Error row 2!! [Modbus Write] Port must be between 0 and 65535"},
        {"b: hexadecimal port", R, set({{3, "0x1F6"}}), ""},
        {"c: slave 0", R, set({{4, "0"}}), "Error row 2!! [Modbus Read] Slave ID must be between 1 and 247"},
        {"c: slave 248", W, set({{4, "248"}}), "Error row 2!! [Modbus Write] Slave ID must be between 1 and 247"},
        {"d: no type", R, set({{5, ""}}),
         "Error row 2!! [Modbus Read] Type must be Coil Status or Input Status or Holding Register or Input Register"},
        {"d: no type", W, set({{5, " "}}), "Error row 2!! [Modbus Write] Type must be Coil Status or Holding Register"},
        {"e: address 65536", R, set({{6, "65536"}}), "Error row 2!! [Modbus Read] Address must be between 0 and 65535"},
        {"f: register NPoint 126", R, set({{7, "126"}}), "Error row 2!! [Modbus Read] NPoint must be between 1 and 125"},
        {"f: status NPoint 2001", R, set({{5, "input status"}, {7, "2001"}, {10, "0"}}),
         "Error row 2!! [Modbus Read] NPoint must be between 1 and 2000"},
        {"f: coil NPoint 1969", W, set({{7, "1969"}}), "Error row 2!! [Modbus Write] NPoint must be between 1 and 1968"},
        {"f: register NPoint 124", W, set({{5, "Holding Register"}, {7, "124"}}),
         "Error row 2!! [Modbus Write] NPoint must be between 1 and 123"},
        {"f: NPoint 0", R, set({{7, "0"}}), "Error row 2!! [Modbus Read] NPoint must be between 1 and 125"},
        {"g: read poll 0", R, set({{8, "0"}}), "Error row 2!! [Modbus Read] Poll Time must be between 1 and 100000000"},
        {"g: write poll 0 passes", W, set({{8, "0"}}), ""},
        {"g: write poll above", W, set({{8, "100000001"}}),
         "Error row 2!! [Modbus Write] Poll Time must be between 0 and 100000000"},
        {"h: max error -1", R, set({{9, "-1"}}), "Error row 2!! [Modbus Read] Max Error must be between 0 and 100000000"},
        {"h: write max error in column 11", W, set({{11, "x"}}),
         "Error row 2!! [Modbus Write] Max Error must be between 0 and 100000000"},
        {"i: read position 128", R, set({{10, "128"}}), "Error row 2!! [Modbus Read] Position must be between 0 and 127"},
        {"i: write position 1540", W, set({{12, "1540"}}),
         "Error row 2!! [Modbus Write] Position must be between 0 and 1539"},
        {"j: status without start bit", R, set({{5, "Coil Status"}, {11, ""}}),
         "Error row 2!! [Modbus Read] Bit must be between 0 and 7"},
        {"j: start bit 8", W, set({{13, "8"}}), "Error row 2!! [Modbus Write] Bit must be between 0 and 7"},
        {"j: registers need no start bit", R, set({{11, ""}}), ""},
        // k: the last byte, with the examples of the bit and register formulas.
        {"k: input status 127 + (1 + 7 - 1) div 8 = 127", R,
         set({{5, "Input Status"}, {10, "127"}, {7, "1"}, {11, "7"}}), ""},
        {"k: input status NPoint 2 reaches 128", R, set({{5, "Input Status"}, {10, "127"}, {7, "2"}, {11, "7"}}),
         "Error row 2!! [Modbus Read] Too many bytes to save starting from the Position indicate"},
        {"k: 64 registers from 0 end at 127", R, set({{10, "0"}, {7, "64"}}), ""},
        {"k: 64 registers from 1 end at 128", R, set({{10, "1"}, {7, "64"}}),
         "Error row 2!! [Modbus Read] Too many bytes to save starting from the Position indicate"},
        {"k: write coils beyond 1539", W, set({{12, "1539"}, {7, "9"}}),
         "Error row 2!! [Modbus Write] Too many bytes to read starting from the Position indicate"},
        {"k: write coils end at 1539", W, set({{12, "1539"}, {7, "8"}}), ""},
        {"disabled row is not checked", R, set({{1, "N"}, {3, "abc"}, {4, "0"}}), ""},
        {"enable with blanks counts", R, set({{1, " Y "}, {3, "abc"}}),
         "Error row 2!! [Modbus Read] Port must be between 0 and 65535"},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.table == R ? " (read)" : " (write)"));
        TTableFile t(ModbusTCPM_File_Spec());
        t.Rows(R)[0] = readRow(1);
        t.Rows(W)[0] = writeRow(1);
        QStringList row = c.table == R ? readRow(2) : writeRow(2);
        c.edit(row);
        t.Rows(c.table)[1] = row;
        const TTableFailure f = ModbusTCPM_Controllo_dati(t);
        EXPECT_EQ(f.Message, QString::fromUtf8(c.message));
        if (f.Failed()) {
            EXPECT_EQ(f.Table, c.table);
            EXPECT_EQ(f.Row, 2);
        }
    }
}

TEST_F(ModbusTCPM, ValidationStopsAtTheTablesEndAndReadsTheReadTableFirst)
{
    TTableRows& read = tables.Rows(ModbusTCPM_Read);
    TTableRows& write = tables.Rows(ModbusTCPM_Write);
    // Row 1 without a slave address: the read table is empty, nothing below is checked.
    read[1] = readRow(2);
    read[1][3] = QStringLiteral("bad");
    write[0] = writeRow(1);
    write[0][7] = QStringLiteral("1969");
    EXPECT_EQ(ModbusTCPM_Controllo_dati(tables).Message,
              QStringLiteral("Error row 1!! [Modbus Write] NPoint must be between 1 and 1968"));
    read[0] = readRow(1);
    read[0][4] = QStringLiteral("0");
    EXPECT_EQ(ModbusTCPM_Controllo_dati(tables).Message,
              QStringLiteral("Error row 1!! [Modbus Read] Slave ID must be between 1 and 247"));
}

TEST(ModbusRules, CheckIPAddress)
{
    struct Case {
        const char* text;
        bool invalid;
    };
    for (const Case& c : std::vector<Case>{{"192.168.1.125", false}, {"0.0.0.0", false}, {"255.255.255.255", false},
                                           {"0x0A.0.0.1", false}, {"", true}, {"192.168.1", true}, {"1.2.3.4.5", true},
                                           {"1.2.3.256", true}, {"1..2.3", true}, {"1.2.3.4 ", true}, {"a.b.c.d", true}})
        EXPECT_EQ(Check_IP_Address(QString::fromUtf8(c.text)), c.invalid) << c.text;
}

} // namespace
