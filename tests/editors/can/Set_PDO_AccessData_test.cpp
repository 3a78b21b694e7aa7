#include "editors/can/Set_PDO_AccessData.h"

#include "editors/can/CanTestSupport.h"
#include "editors/can/UEds.h"

#include <gtest/gtest.h>

namespace {

class PdoTables : public cantest::ProjectFolder {
protected:
    TTableFile tables{PDO_File_Spec()};
};

TEST_F(PdoTables, WithoutFileBothTablesAreEmpty)
{
    EXPECT_EQ(tables.Load(File_PDO_CANopen).State, TProjectFileState::Missing);
    ASSERT_EQ(tables.Rows(PDO_Receive).size(), 30u);
    EXPECT_EQ(tables.Rows(PDO_Receive)[29], QStringList({"30", "", "", "", "", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(tables.Rows(PDO_Transmit)[0].size(), 14);
    cantest::expectSavedAsGolden(tables, File_PDO_CANopen, QStringLiteral("PDO_CANopen.default.xml"));
    testsupport::expectTableFileReadsBack(tables, File_PDO_CANopen);
}

TEST_F(PdoTables, LoadThenSaveIsByteExactAndFeedsTheEds)
{
    // Cells keep their texts: "0x181" is saved as "0x181".
    cantest::expectRoundTrip(tables, File_PDO_CANopen, QStringLiteral("PDO_CANopen.full.xml"), PDO_Controllo_dati);

    TEds_Objects eds;
    Read_PDO_List(File_PDO_CANopen, eds);
    EXPECT_EQ(eds.Nr_RX_PDO, 2);
    EXPECT_EQ(eds.Nr_TX_PDO, 1);
    EXPECT_EQ(eds.PDO_List[0].COB_ID, 0x181);
    EXPECT_EQ(eds.PDO_List[30].Dimension, 8);
    testsupport::expectTableFileReadsBack(tables, File_PDO_CANopen);
}

TEST_F(PdoTables, RowsMissingAttributesAndRowsBeyond30AreReported)
{
    QByteArray xml = "<PDO_CANopen><Receive_PDO>\n<row COB-ID=\"0x181\" Address_B1=\"7\"/>\n</Receive_PDO><Transmit_PDO>";
    for (int i = 0; i < 32; ++i)
        xml += "<row COB-ID=\"" + QByteArray::number(0x281 + i) + "\" Dimension=\"1\" Address_B1=\"0\" Address_B2=\"\" "
               "Address_B3=\"\" Address_B4=\"\" Address_B5=\"\" Address_B6=\"\" Address_B7=\"\" Address_B8=\"\" "
               "Send_Time=\"0\" On_Change=\"\" Mnemonic=\"\"/>";
    write(File_PDO_CANopen, xml + "</Transmit_PDO></PDO_CANopen>");
    const TTableLoadReport report = tables.Load(File_PDO_CANopen);
    // What is there loads; the rest is empty and the row is named.
    EXPECT_EQ(report.Tables[PDO_Receive].Incomplete, QList<int>({1}));
    EXPECT_EQ(tables.Rows(PDO_Receive)[0], QStringList({"1", "0x181", "", "7", "", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(report.Tables[PDO_Transmit].Beyond, 2);
    EXPECT_EQ(tables.Rows(PDO_Transmit)[29][1], QString::number(0x281 + 29));
    // The next save keeps every attribute of the incomplete row.
    tables.Save(File_PDO_CANopen);
    EXPECT_TRUE(testsupport::readFile(File_PDO_CANopen).contains("<row COB-ID=\"0x181\" Dimension=\"\" Address_B1=\"7\""));
}

TEST_F(PdoTables, ValidationWithTheWindowsTexts)
{
    const QStringList receive{"1", "0x181", "2", "0", "1439", "", "", "", "", "", "", "0", "m"};
    const QStringList transmit{"1", "0x201", "1", "1439", "", "", "", "", "", "", "", "100000000", "Y", ""};
    tables.Rows(PDO_Receive)[0] = receive;
    tables.Rows(PDO_Receive)[1] = receive;
    tables.Rows(PDO_Receive)[1][0] = QStringLiteral("2");
    tables.Rows(PDO_Transmit)[0] = transmit;
    const int R = PDO_Receive, T = PDO_Transmit;
    const QString e = QStringLiteral("Error row ");
    const QString rxCob = QStringLiteral("!! [Receive PDO] COB-ID must be between 0x000 and 0x7FF");
    const QString txCob = QStringLiteral("!! [Transmit PDO] COB-ID must be between 0x000 and 0x7FF");
    std::vector<cantest::CheckCase> cases;
    for (const char* good : {"0x7FF", "$7ff", "2047", " 2047", "x7ff", "0"})
        cases.push_back({good, R, 2, {{1, good}}, {}});
    for (const char* bad : {"2048", "0x800", "-1", "2047 ", "abc"})
        cases.push_back({bad, R, 2, {{1, bad}}, e + "2" + rxCob});
    cases.push_back({"transmit COB-ID", T, 1, {{1, "0x800"}}, e + "1" + txCob});
    const std::vector<cantest::CheckCase> more = {
        {"dimension 0", R, 1, {{2, "0"}}, e + "1!! [Receive PDO] Dimension must be between 1 and 8"},
        {"dimension 9", T, 1, {{2, "9"}}, e + "1!! [Transmit PDO] Dimension must be between 1 and 8"},
        {"address beyond the length", R, 1, {{5, "abc"}}, {}},
        {"address 2 at 1440", R, 1, {{4, "1440"}},
         e + "1!! [Receive PDO] Address Byte2 must be between 0 and 1439"},
        {"address 8 of a full PDO", T, 1, {{2, "8"}, {4, "1"}, {5, "2"}, {6, "3"}, {7, "4"}, {8, "5"}, {9, "6"}, {10, ""}},
         e + "1!! [Transmit PDO] Address Byte8 must be between 0 and 1439"},
        {"time-out 65535", R, 1, {{11, "65535"}}, {}},
        {"time-out 65536", R, 1, {{11, "65536"}}, e + "1!! [Receive PDO] TimeOut must be between 0 and 65535"},
        {"send time 100000001", T, 1, {{11, "100000001"}},
         e + "1!! [Transmit PDO] Send Time must be between 0 and 100000000"},
        {"on change and mnemonic are not checked", T, 1, {{12, "?"}, {13, "<>"}}, {}},
        {"row below a blank COB-ID", R, 4, {{1, "abc"}}, {}},
    };
    cases.insert(cases.end(), more.begin(), more.end());
    cantest::expectChecks(tables, cases, PDO_Controllo_dati);

    // The transmit table is reported only once the receive table passes.
    TTableFile both = tables;
    both.Rows(T)[0][2] = QStringLiteral("0");
    both.Rows(R)[1][11] = QStringLiteral("-1");
    EXPECT_EQ(PDO_Controllo_dati(both).Message, e + "2!! [Receive PDO] TimeOut must be between 0 and 65535");
}

} // namespace
