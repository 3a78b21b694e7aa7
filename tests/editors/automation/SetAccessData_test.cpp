#include "editors/automation/SetAccessData.h"

#include "app/services/ULanguage.h"
#include "editors/automation/Modbus_TCP_Master_Set_AccessData.h"
#include "support/OutsideReaders.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString fixture(const char* name)
{
    return testsupport::dataPath(QStringLiteral("editors/automation/") + QLatin1String(name));
}

class ModbusM : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Load_Default_Language();
    }
    QString file() const { return dir.filePath(QStringLiteral("ModbusM_SetAccess.xml")); }

    QTemporaryDir dir;
    TTableFile tables{ModbusM_File_Spec()};
};

TEST_F(ModbusM, DefaultTablesMatchTheGoldenFile)
{
    EXPECT_EQ(tables.Rows(ModbusM_Read)[0].size(), 12);
    EXPECT_EQ(tables.Rows(ModbusM_Write)[0].size(), 14);
    EXPECT_TRUE(tables.Table(ModbusM_Write).Columns[7].Hidden);
    EXPECT_TRUE(tables.Table(ModbusM_Write).Columns[8].Hidden);
    tables.Save(file());
    EXPECT_EQ(testsupport::readFile(file()), testsupport::readFile(fixture("ModbusM_SetAccess.default.xml")));
}

TEST_F(ModbusM, LoadThenSaveIsByteExactAndKeepsTheHiddenCells)
{
    const QByteArray original = testsupport::readFile(fixture("ModbusM_SetAccess.full.xml"));
    ASSERT_TRUE(testsupport::writeFile(file(), original));
    EXPECT_TRUE(tables.Load(file()).Clean());
    // The hidden On Change cell of the file is kept as it stands.
    EXPECT_EQ(tables.Rows(ModbusM_Write)[0][7], QStringLiteral("Y"));
    EXPECT_EQ(tables.Rows(ModbusM_Read)[1][11], QStringLiteral("\"Door\" & 'window'"));
    EXPECT_FALSE(ModbusM_Controllo_dati(tables).Failed()) << ModbusM_Controllo_dati(tables).Message.toStdString();
    tables.Save(file());
    EXPECT_EQ(testsupport::readFile(file()), original);
    testsupport::expectTableFileReadsBack(tables, file());
}

TEST_F(ModbusM, NeitherModbusWindowReadsTheOthersFile)
{
    ASSERT_TRUE(testsupport::writeFile(file(), testsupport::readFile(fixture("ModbusTCPM_SetAccess.full.xml"))));
    const TTableLoadReport report = tables.Load(file());
    EXPECT_EQ(report.State, TProjectFileState::Unreadable);
    EXPECT_EQ(tables.Rows(ModbusM_Read), Default_Table_Rows(tables.Table(ModbusM_Read)));

    TTableFile tcp(ModbusTCPM_File_Spec());
    ASSERT_TRUE(testsupport::writeFile(file(), testsupport::readFile(fixture("ModbusM_SetAccess.full.xml"))));
    EXPECT_EQ(tcp.Load(file()).State, TProjectFileState::Unreadable);
}

TEST_F(ModbusM, MissingOptionalAttributesTakeTheirDefaults)
{
    ASSERT_TRUE(testsupport::writeFile(file(),
        "<EtherNetIP_to_Modbus><Modbus_Read/><Modbus_Write>"
        "<row Slave_ID=\"4\" Type=\"Coil Status\" Address=\"0\" NPoint=\"1\" PollTime=\"0\" MaxError=\"0\" "
        "Position=\"0\" Bit=\"0\" Mnemonic=\"\"/></Modbus_Write></EtherNetIP_to_Modbus>"));
    const TTableLoadReport report = tables.Load(file());
    EXPECT_EQ(report.Tables[ModbusM_Write].Incomplete, QList<int>({1}));
    // Enable "Y", On Change blank (it has no default), On CMD and Swap "N".
    EXPECT_EQ(tables.Rows(ModbusM_Write)[0],
              QStringList({"1", "Y", "4", "Coil Status", "0", "1", "0", "", "N", "0", "0", "0", "N", ""}));
}

TEST_F(ModbusM, ValidationStepsUseTheirOwnColumnsAndTexts)
{
    const QStringList read = {"1", "Y", "1", "Holding Register", "0", "10", "1000", "3", "0", "0", "N", "m"};
    const QStringList write = {"1", "Y", "1", "Coil Status", "0", "8", "0", "N", "N", "3", "0", "0", "N", "m"};
    struct Case {
        int table;
        int column;
        const char* value;
        const char* message;
    };
    const int R = ModbusM_Read, W = ModbusM_Write;
    const std::vector<Case> cases = {
        {R, 2, "0", "Error row 5!! [Modbus Read] Slave ID must be between 1 and 247"},
        {R, 3, "", "Error row 5!! [Modbus Read] Type must be Coil Status or Input Status or Holding Register or "
                   "Input Register"},
        {R, 4, "-1", "Error row 5!! [Modbus Read] Address must be between 0 and 65535"},
        {R, 5, "126", "Error row 5!! [Modbus Read] NPoint must be between 1 and 125"},
        {R, 6, "0", "Error row 5!! [Modbus Read] Poll Time must be between 1 and 100000000"},
        {R, 7, "100000001", "Error row 5!! [Modbus Read] Max Error must be between 0 and 100000000"},
        {R, 8, "128", "Error row 5!! [Modbus Read] Position must be between 0 and 127"},
        {R, 8, "120", "Error row 5!! [Modbus Read] Too many bytes to save starting from the Position indicate"},
        {W, 2, "248", "Error row 5!! [Modbus Write] Slave ID must be between 1 and 247"},
        {W, 3, "", "Error row 5!! [Modbus Write] Type must be Coil Status or Holding Register"},
        {W, 4, "65536", "Error row 5!! [Modbus Write] Address must be between 0 and 65535"},
        {W, 5, "1969", "Error row 5!! [Modbus Write] NPoint must be between 1 and 1968"},
        {W, 6, "-5", "Error row 5!! [Modbus Write] Poll Time must be between 0 and 100000000"},
        {W, 9, "", "Error row 5!! [Modbus Write] Max Error must be between 0 and 100000000"},
        {W, 10, "1540", "Error row 5!! [Modbus Write] Position must be between 0 and 1539"},
        {W, 11, "", "Error row 5!! [Modbus Write] Bit must be between 0 and 7"},
        {W, 11, "7", "Error row 5!! [Modbus Write] Too many bytes to read starting from the Position indicate"},
        {W, 7, "whatever", ""},   // the hidden cells are not checked
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.table == R ? "read" : "write") << " column " << c.column << " = "
                                        << c.value);
        TTableFile t(ModbusM_File_Spec());
        for (int r = 0; r < 5; ++r) {
            t.Rows(R)[size_t(r)] = read;
            t.Rows(W)[size_t(r)] = write;
        }
        // The coils of the write row end in the last byte of the area.
        t.Rows(W)[4][10] = QStringLiteral("1539");
        t.Rows(c.table)[4][c.column] = QString::fromUtf8(c.value);
        EXPECT_EQ(ModbusM_Controllo_dati(t).Message, QString::fromUtf8(c.message));
    }
}

} // namespace
