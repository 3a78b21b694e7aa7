#include "editors/can/Set_SDO_Server_AccessData.h"

#include "editors/can/CanTestSupport.h"
#include "editors/can/UEds.h"

#include <gtest/gtest.h>

namespace {

class SdoServerTables : public cantest::ProjectFolder {
protected:
    TTableFile tables{SDO_Server_File_Spec()};
};

TEST_F(SdoServerTables, WithoutFileBothTablesAreEmpty)
{
    EXPECT_EQ(tables.Load(File_SDO_Server_CANopen).State, TProjectFileState::Missing);
    ASSERT_EQ(tables.Rows(SDO_Server_Write).size(), 500u);
    EXPECT_EQ(tables.Rows(SDO_Server_Write)[499], QStringList({"500", "", "", "", "", "", "", "", ""}));
    cantest::expectSavedAsGolden(tables, File_SDO_Server_CANopen, QStringLiteral("SDO_Server_CANopen.default.xml"));
    testsupport::expectTableFileReadsBack(tables, File_SDO_Server_CANopen);
}

TEST_F(SdoServerTables, LoadThenSaveIsByteExactAndFeedsTheEds)
{
    cantest::expectRoundTrip(tables, File_SDO_Server_CANopen, QStringLiteral("SDO_Server_CANopen.full.xml"),
                             SDO_Server_Controllo_dati);

    // What the window accepts, the EDS writer takes as it stands.
    TEds_Objects eds;
    Read_SDO_Server_List(File_SDO_Server_CANopen, eds);
    ASSERT_EQ(eds.SDO_Index_List.size(), 2u);
    EXPECT_EQ(eds.SDO_Index_List[0].Index, 0x2000);
    EXPECT_EQ(eds.SDO_Index_List[0].Sub_Indexs.size(), 3u);
    testsupport::expectTableFileReadsBack(tables, File_SDO_Server_CANopen);
}

TEST_F(SdoServerTables, ValidationWithTheWindowsTexts)
{
    tables.Rows(SDO_Server_Read)[0] = QStringList{"1", "0x2000", "0", "2", "0", "1439", "", "", "m"};
    tables.Rows(SDO_Server_Read)[1] = QStringList{"2", "0x2000", "1", "1", "5", "", "", "", ""};
    tables.Rows(SDO_Server_Write)[0] = QStringList{"1", "$5FFF", "0xFF", "4", "1", "2", "3", "4", ""};
    const int R = SDO_Server_Read, W = SDO_Server_Write;
    const QString e = QStringLiteral("Error row ");
    const std::vector<cantest::CheckCase> cases = {
        {"index 0x1FFF", R, 1, {{1, "0x1FFF"}}, e + "1!! [SDO in Read] Index must be between 0x2000 and 0x5FFF"},
        {"index 0x6000", W, 1, {{1, "0x6000"}}, e + "1!! [SDO in Write] Index must be between 0x2000 and 0x5FFF"},
        {"index 8192", W, 1, {{1, "8192"}}, {}},
        {"sub-index 256", R, 2, {{2, "256"}}, e + "2!! [SDO in Read] SubIndex must be between 0x00 and 0xFF"},
        {"sub-index 0xFF", R, 2, {{2, "0xFF"}}, {}},
        {"three bytes", W, 1, {{3, "3"}}, e + "1!! [SDO in Write] N Byte must be 1 or 2 or 4"},
        {"one byte: byte 2 not looked at", R, 1, {{3, "1"}, {5, "abc"}}, {}},
        {"two bytes: byte 2 checked", R, 1, {{5, "abc"}}, e + "1!! [SDO in Read] Address Byte2 must be between 0 and 1439"},
        {"write byte 2", W, 1, {{5, "abc"}}, e + "1!! [SDO in Write] Address Byte2 must be between 0 and 1439"},
        {"write byte 4", W, 1, {{7, "1440"}}, e + "1!! [SDO in Write] Address Byte4 must be between 0 and 1439"},
        // An object given twice passes here; the EDS writer refuses it.
        {"same object twice in the read table", R, 2, {{2, "0"}}, {}},
        {"same object written as another number", R, 2, {{1, "8192"}, {2, "0x00"}}, {}},
        {"same object in both tables", W, 1, {{1, "0x2000"}, {2, "1"}}, {}},
        {"same index, other sub-index", W, 1, {{1, "0x2000"}, {2, "2"}}, {}},
        {"a row below a blank index", R, 4, {{1, "1"}}, {}},
    };
    cantest::expectChecks(tables, cases, SDO_Server_Controllo_dati);
}

} // namespace
