#include "editors/can/SNMP_Trap_AccessData.h"

#include "editors/can/CanTestSupport.h"
#include "editors/can/USNMP_MIB.h"

#include <gtest/gtest.h>

namespace {

class SnmpTables : public cantest::ProjectFolder {
protected:
    TTableFile tables{SNMP_Trap_File_Spec()};
};

TEST_F(SnmpTables, WithoutFileBothTablesHoldTheDefaultObjects)
{
    const TTableLoadReport report = SNMP_Load(tables, File_SNMP_Trap);
    EXPECT_EQ(report.State, TProjectFileState::Missing);
    const TTableRows& read = tables.Rows(SNMP_Read);
    const TTableRows& write = tables.Rows(SNMP_Write);
    ASSERT_EQ(read.size(), 256u);
    ASSERT_EQ(write.size(), 256u);
    EXPECT_EQ(read[0], QStringList({"1", "Y", "tamvex", "Int", "N", "N", "N", "1000", "0", "0", "8", "lampADV0",
                                    "192.168.2.16", "None", "lampADV0"}));
    EXPECT_EQ(read[63], QStringList({"64", "Y", "tamvex", "Int", "N", "N", "N", "1000", "504", "0", "8", "lampADV63",
                                     "192.168.2.16", "None", "lampADV63"}));
    EXPECT_EQ(write[63], QStringList({"64", "Y", "tamvex", "Int", "63", "0", "8", "lamp63", "None", "lamp63"}));
    // Row 65 on: the reset (enabled, empty), numbered on as enabled rows.
    EXPECT_EQ(read[64], QStringList({"65", "Y", "", "", "", "", "", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(write[255][0], QStringLiteral("256"));

    // OK at once writes 64 rows per section: row 65's key cell is blank.
    cantest::expectSavedAsGolden(tables, File_SNMP_Trap, QStringLiteral("SNMP_Trap.default.xml"));
    testsupport::expectTableFileReadsBack(tables, File_SNMP_Trap);
}

TEST_F(SnmpTables, LoadThenSaveIsByteExactAndTheMibReadsTheSameObjects)
{
    cantest::expectRoundTrip(tables, File_SNMP_Trap, QStringLiteral("SNMP_Trap.full.xml"), SNMP_Controllo_dati,
                             SNMP_Load);
    // Running numbers count enabled rows only.
    EXPECT_EQ(tables.Rows(SNMP_Read)[0][0], QStringLiteral("1"));
    EXPECT_EQ(tables.Rows(SNMP_Read)[1][0], QString());
    EXPECT_EQ(tables.Rows(SNMP_Read)[2][0], QStringLiteral("2"));

    // The MIB writer lists what the window saved: the enabled rows' names.
    Read_SNMP_Names();
    EXPECT_EQ(SNMP_Read_Names, QStringList({"boilerTemp", "alarmText"}));
    EXPECT_EQ(SNMP_Write_Names, QStringList({"setpoint"}));
    testsupport::expectTableFileReadsBack(tables, File_SNMP_Trap);
}

TEST_F(SnmpTables, AttributesMissingFromTheFileTakeTheirDefaults)
{
    write(File_SNMP_Trap,
          "<SNMP_Trap><SNMP_Trap_Read>\n"
          "<row Community_Name=\"tamvex\" Type=\"Int\" On_Command=\"Y\" Time=\"5\" Position=\"1\" Bit=\"0\" "
          "NumBits=\"8\" IP_Address=\"10.0.0.1\" Mnemonic=\"m\"/>\n"
          "<!-- a comment is no row -->\n"
          "<row Enable=\"N\" Community_Name=\"qorlint\" Type=\"String\" On_Change=\"Y\" On_Command=\"N\" "
          "On_Timer=\"Y\" Time=\"9\" Position=\"2\" Bit=\"0\" NumBits=\"4\" Description=\"text\" IP_Address=\"\" "
          "Conversion=\"Float\" Mnemonic=\"\"/>\n"
          "</SNMP_Trap_Read><SNMP_Trap_Write/></SNMP_Trap>");
    const TTableLoadReport report = SNMP_Load(tables, File_SNMP_Trap);
    EXPECT_EQ(report.Tables[SNMP_Read].Incomplete, QList<int>({1}));
    // Enable "Y", the three send boxes "N", Conversion "None"; others empty.
    EXPECT_EQ(tables.Rows(SNMP_Read)[0], QStringList({"1", "Y", "tamvex", "Int", "N", "Y", "N", "5", "1", "0", "8", "",
                                                       "10.0.0.1", "None", "m"}));
    EXPECT_EQ(tables.Rows(SNMP_Read)[1][3], QStringLiteral("String"));
    EXPECT_EQ(tables.Rows(SNMP_Read)[2][2], QString());
    // A file with no write rows leaves the write table empty: no defaults.
    EXPECT_EQ(tables.Rows(SNMP_Write)[0][2], QString());
}

TEST_F(SnmpTables, UnreadableFileOpensWithTheDefaultObjectsAndIsKeptOnSave)
{
    write(File_SNMP_Trap, "<SNMP_Trap><SNMP_Trap_Read>");
    const TTableLoadReport report = SNMP_Load(tables, File_SNMP_Trap);
    EXPECT_EQ(report.State, TProjectFileState::Unreadable);
    EXPECT_EQ(tables.Rows(SNMP_Write)[5][7], QStringLiteral("lamp5"));
    tables.Save(File_SNMP_Trap);
    EXPECT_EQ(testsupport::readFile(File_SNMP_Trap + QStringLiteral(".bak")), QByteArray("<SNMP_Trap><SNMP_Trap_Read>"));
}

TEST_F(SnmpTables, RunningNumbersCountEnabledRows)
{
    TTableRows rows(5, QStringList(15));
    const char* const enable[] = {"Y", "N", "y", "", " Y"};
    for (int r = 0; r < 5; ++r)
        rows[size_t(r)][1] = QLatin1String(enable[r]);
    Index_Row_Build(rows);
    QStringList numbers;
    for (const QStringList& row : rows)
        numbers << row[0];
    EXPECT_EQ(numbers, QStringList({"1", "", "2", "", ""}));
}

TEST_F(SnmpTables, CharacterRuleOfNamesAndDescriptions)
{
    const struct {
        const char* text;
        bool badName, badDescription;
    } cases[] = {
        {"", false, false},         {"tamvex", false, false}, {"Tamvex01", false, true}, {"lampA", false, false},
        {"1abc", false, true},      {"Abc", false, true},     {"ab_c", true, true},      {"tam vex", true, true},
        {"caf\xc3\xa9", true, true}, {"a", false, false},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(Check_Error_CommName_Desc(text, 0), c.badName) << c.text;
        EXPECT_EQ(Check_Error_CommName_Desc(text, 1), c.badDescription) << c.text;
    }
}

TEST_F(SnmpTables, ValidationRunsTheChecksInOrderWithTheirTexts)
{
    SNMP_Load(tables, File_SNMP_Trap);   // the defaults pass
    const int R = SNMP_Read, W = SNMP_Write;
    const QString e = QStringLiteral("Error row ");
    const QString differ = QStringLiteral("Error!! The Descriptions must be all differents");
    const QString allowed = QStringLiteral("is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" and \"0\"..\"9\")");
    const QString lower = QStringLiteral(". First character must be a letter and must be lowercase");
    // Why a description the MIB uses itself is refused, naming it.
    const QString mibNames = QStringLiteral(
        "Description is a name the MIB already gives to one of its own objects or notifications: ");
    const std::vector<cantest::CheckCase> cases = {
        {"read community with a blank", R, 3, {{2, "tam vex"}}, e + "3!! [SNMP Read] Community Name " + allowed},
        {"read type blank", R, 3, {{3, " "}}, e + "3!! [SNMP Read] Type must be selected"},
        {"timer with time 0", R, 2, {{6, "Y"}, {7, "0"}}, e + "2!! [SNMP Read] Time must be between 1 and 1000000000 ms"},
        {"timer with a time that is no number", R, 2, {{6, "y"}, {7, "abc"}},
         e + "2!! [SNMP Read] Time must be between 1 and 1000000000 ms"},
        {"timer off: time not looked at", R, 2, {{6, "N"}, {7, "0"}}, {}},
        {"timer with the largest time", R, 2, {{6, "Y"}, {7, "1000000000"}}, {}},
        {"read position blank", R, 4, {{8, ""}}, e + "4!! [SNMP Read] Position must be selected"},
        {"read start bit blank", R, 4, {{9, ""}}, e + "4!! [SNMP Read] Start Bit must be selected"},
        {"read string from bit 1", R, 4, {{3, "String"}, {9, "1"}},
         e + "4!! [SNMP Read] Start Bit must be 0 if Type is String"},
        {"read int of 65 bits", R, 5, {{10, "65"}}, e + "5!! [SNMP Read] Num Bits/Bytes must be between 1 and 64 bits"},
        {"read int of 0x40 bits", R, 5, {{10, "0x40"}}, {}},
        {"read string of 17 bytes", R, 5, {{3, "String"}, {10, "17"}},
         e + "5!! [SNMP Read] Num Bits/Bytes must be between 1 and 16 bytes"},
        {"read string of 16 bytes", R, 5, {{3, "String"}, {10, "16"}}, {}},
        {"lower-case type is still an Int", R, 5, {{3, "int"}, {10, "64"}}, {}},
        {"read description starting with a digit", R, 6, {{11, "1abc"}},
         e + "6!! [SNMP Read] Description " + allowed + lower},
        {"read description starting upper-case", R, 6, {{11, "Abc"}}, e + "6!! [SNMP Read] Description " + allowed + lower},
        {"read IP with 256", R, 7, {{12, "192.168.2.256"}},
         e + "7!! [SNMP Read] IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {"read conversion blank", R, 8, {{13, ""}}, e + "8!! [SNMP Read] Conversion must be selected"},
        {"first failing check wins", R, 9, {{3, ""}, {8, ""}}, e + "9!! [SNMP Read] Type must be selected"},
        {"disabled row is not checked", R, 10, {{1, "N"}, {3, ""}, {11, "lamp0"}}, {}},
        {"rows below a blank community are not checked", R, 66, {{2, "x y"}, {3, ""}}, {}},
        {"write community", W, 3, {{2, "a_b"}}, e + "3!! [SNMP Write] Community Name " + allowed},
        {"write type", W, 3, {{3, ""}}, e + "3!! [SNMP Write] Type must be selected"},
        {"write position", W, 3, {{4, ""}}, e + "3!! [SNMP Write] Position must be selected"},
        {"write start bit", W, 3, {{5, " "}}, e + "3!! [SNMP Write] Start Bit must be selected"},
        {"write string from bit 7", W, 3, {{3, "String"}, {5, "7"}},
         e + "3!! [SNMP Write] Start Bit must be 0 if Type is String"},
        {"write int of 0 bits", W, 3, {{6, "0"}}, e + "3!! [SNMP Write] Num Bits/Bytes must be between 1 and 64 bits"},
        {"write string of 17 bytes", W, 3, {{3, "String"}, {6, "17"}},
         e + "3!! [SNMP Write] Num Bits/Bytes must be between 1 and 16 bytes"},
        {"write description", W, 3, {{7, "ab_c"}}, e + "3!! [SNMP Write] Descrtiption " + allowed + lower},
        {"write conversion", W, 3, {{8, ""}}, e + "3!! [SNMP Write] Conversion must be selected"},
        {"a read and a write object with one name", W, 1, {{7, "lampADV5"}}, differ},
        {"names differing in case are different", W, 1, {{7, "lampadv5"}}, {}},
        {"one empty description", R, 1, {{11, ""}}, {}},
        {"one reserved MIB node name", R, 1, {{11, "data"}}, e + "1!! [SNMP Read] " + mibNames + "data"},
        {"a name the MIB generates", W, 2, {{7, "bufferinval3"}}, e + "2!! [SNMP Write] " + mibNames + "bufferinval3"},
        {"a generated notification name", R, 2, {{11, "trapval7"}}, e + "2!! [SNMP Read] " + mibNames + "trapval7"},
        {"a data block name", R, 2, {{11, "bufferoutblk8"}}, e + "2!! [SNMP Read] " + mibNames + "bufferoutblk8"},
        {"a name close to a reserved one", R, 2, {{11, "databus"}}, {}},
    };
    cantest::expectChecks(tables, cases, SNMP_Controllo_dati);

    // Two enabled rows without description give two equal descriptions.
    TTableFile twoEmpty = tables;
    twoEmpty.Rows(R)[0][11].clear();
    twoEmpty.Rows(W)[0][7].clear();
    EXPECT_EQ(SNMP_Controllo_dati(twoEmpty).Message, differ);

    // The write table is reported only once the read table passes.
    TTableFile both = tables;
    both.Rows(W)[0][3].clear();
    both.Rows(R)[40][3].clear();
    EXPECT_EQ(SNMP_Controllo_dati(both).Message, e + "41!! [SNMP Read] Type must be selected");

    // A hidden Conversion column is not checked.
    TFileSpec spec = SNMP_Trap_File_Spec();
    spec.Tables[SNMP_Read].Columns[13].Hidden = true;
    TTableFile hiddenConversion(spec);
    SNMP_Load(hiddenConversion, File_SNMP_Trap);
    hiddenConversion.Rows(R)[0][13].clear();
    EXPECT_FALSE(SNMP_Controllo_dati(hiddenConversion).Failed());
}

} // namespace
