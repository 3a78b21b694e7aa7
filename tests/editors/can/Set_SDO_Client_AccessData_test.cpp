#include "editors/can/Set_SDO_Client_AccessData.h"

#include "editors/can/CanTestSupport.h"

#include <gtest/gtest.h>

namespace {

class SdoClientTables : public cantest::ProjectFolder {
protected:
    TTableFile tables{SDO_Client_File_Spec()};
};

TEST_F(SdoClientTables, WithoutFileBothTablesAreEmpty)
{
    EXPECT_EQ(tables.Load(File_SDO_Client_CANopen).State, TProjectFileState::Missing);
    ASSERT_EQ(tables.Rows(SDO_Client_Read).size(), 256u);
    EXPECT_EQ(tables.Rows(SDO_Client_Read)[255], QStringList({"256", "", "", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(tables.Rows(SDO_Client_Write)[0].size(), 12);
    cantest::expectSavedAsGolden(tables, File_SDO_Client_CANopen, QStringLiteral("SDO_Client_CANopen.default.xml"));
    testsupport::expectTableFileReadsBack(tables, File_SDO_Client_CANopen);
}

TEST_F(SdoClientTables, LoadThenSaveIsByteExact)
{
    cantest::expectRoundTrip(tables, File_SDO_Client_CANopen, QStringLiteral("SDO_Client_CANopen.full.xml"),
                             SDO_Client_Controllo_dati);
    testsupport::expectTableFileReadsBack(tables, File_SDO_Client_CANopen);
}

TEST_F(SdoClientTables, ValidationWithTheWindowsTexts)
{
    tables.Rows(SDO_Client_Read)[0] = QStringList{"1", "5", "0x6000", "1", "2", "1000", "0", "1439", "", "", "m"};
    tables.Rows(SDO_Client_Write)[0] = QStringList{"1", "0x7F", "4096", "0xFF", "4", "0", "Y", "1", "2", "3", "4", ""};
    const int R = SDO_Client_Read, W = SDO_Client_Write;
    const QString e = QStringLiteral("Error row 1");
    const std::vector<cantest::CheckCase> cases = {
        {"device 0", R, 1, {{1, "0"}}, e + "!! [SDO Read] Device ID must be between 1 and 127"},
        {"device 128", W, 1, {{1, "128"}}, e + "!! [SDO Write] Device ID must be between 1 and 127"},
        {"device 127", R, 1, {{1, "127"}}, {}},
        {"index 0x0FFF", R, 1, {{2, "0x0FFF"}}, e + "!! [SDO Read] Index must be between 0x1000 and 0xFFFF"},
        {"index $FFFF", R, 1, {{2, "$FFFF"}}, {}},
        {"index 65536", W, 1, {{2, "65536"}}, e + "!! [SDO Write] Index must be between 0x1000 and 0xFFFF"},
        {"sub-index 256", R, 1, {{3, "256"}}, e + "!! [SDO Read] SubIndex must be between 0x00 and 0xFF"},
        {"sub-index of the write table", W, 1, {{3, "-1"}}, e + "!! [SDO Write] SubIndex must be between 0x00 and 0xFF"},
        {"three bytes", R, 1, {{4, "3"}}, e + "!! [SDO Read] N Byte must be 1 or 2 or 4"},
        {"three bytes written", W, 1, {{4, "3"}}, e + "!! [SDO Write] N Byte must be 1 or 2 or 4"},
        {"size before poll time", R, 1, {{4, "0"}, {5, "0"}}, e + "!! [SDO Read] N Byte must be 1 or 2 or 4"},
        {"read poll time 0", R, 1, {{5, "0"}}, e + "!! [SDO Read] Poll Time must be between 1 and 100000000"},
        {"write poll time 0", W, 1, {{5, "0"}}, {}},
        {"write poll time too long", W, 1, {{5, "100000001"}},
         e + "!! [SDO Write] Poll Time must be between 0 and 100000000"},
        {"address 1", R, 1, {{6, "1440"}}, e + "!! [SDO Read] Address Byte1 must be between 0 and 1439"},
        {"two bytes: byte 3 not looked at", R, 1, {{8, "abc"}}, {}},
        {"four bytes: byte 3 checked", R, 1, {{4, "4"}, {8, "abc"}, {9, "0"}},
         e + "!! [SDO Read] Address Byte3 must be between 0 and 1439"},
        {"one byte: byte 2 not looked at", R, 1, {{4, "1"}, {7, "x"}}, {}},
        {"write byte 2", W, 1, {{8, ""}}, e + "!! [SDO Write] Address Byte2 must be between 0 and 1439"},
        {"write byte 3", W, 1, {{9, "1440"}}, e + "!! [SDO Write] Address Byte3 must be between 0 and 1439"},
        {"write byte 4", W, 1, {{10, "-1"}}, e + "!! [SDO Write] Address Byte4 must be between 0 and 1439"},
        {"on change and mnemonic not checked", W, 1, {{6, "?"}, {11, "&"}}, {}},
        {"a row below a blank device", R, 3, {{1, "0"}}, {}},
    };
    cantest::expectChecks(tables, cases, SDO_Client_Controllo_dati);

    TTableFile both = tables;
    both.Rows(W)[0][1] = QStringLiteral("0");
    both.Rows(R)[0][1] = QStringLiteral("0");
    EXPECT_EQ(SDO_Client_Controllo_dati(both).Message, e + "!! [SDO Read] Device ID must be between 1 and 127");
}

} // namespace
