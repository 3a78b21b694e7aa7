#include "editors/automation/BACnetAccessData.h"

#include "app/services/ULanguage.h"
#include "support/OutsideReaders.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString fixture(const char* name)
{
    return testsupport::dataPath(QStringLiteral("editors/automation/") + QLatin1String(name));
}

class BACnet : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Load_Default_Language();
    }
    QString file() const { return dir.filePath(QStringLiteral("BACnet_Master_Access.xml")); }

    QTemporaryDir dir;
    TTableFile tables{BACnet_File_Spec()};
};

TEST_F(BACnet, DefaultTablesMatchTheGoldenFile)
{
    EXPECT_EQ(tables.Rows(BACnet_Read)[0].size(), 18);
    EXPECT_EQ(tables.Rows(BACnet_Write)[511].size(), 22);
    EXPECT_EQ(tables.Rows(BACnet_Write)[511][1], QStringLiteral("Y"));
    for (int c : {14, 15, 16})
        EXPECT_TRUE(tables.Table(BACnet_Read).Columns[size_t(c)].Hidden) << c;
    tables.Save(file());
    EXPECT_EQ(testsupport::readFile(file()), testsupport::readFile(fixture("BACnet_Master_Access.default.xml")));
}

TEST_F(BACnet, LoadThenSaveIsByteExactAndReadsBackOutside)
{
    const QByteArray original = testsupport::readFile(fixture("BACnet_Master_Access.full.xml"));
    ASSERT_TRUE(testsupport::writeFile(file(), original));
    BACnet_Use_Type(tables, 0);
    EXPECT_TRUE(tables.Load(file()).Clean());
    const TTableFailure check = BACnet_Controllo_dati(tables, 0);
    EXPECT_FALSE(check.Failed()) << check.Message.toStdString();
    tables.Save(file());
    EXPECT_EQ(testsupport::readFile(file()), original);
    testsupport::expectTableFileReadsBack(tables, file());
}

TEST_F(BACnet, EveryMissingAttributeHasItsDefault)
{
    ASSERT_TRUE(testsupport::writeFile(file(), "<BACnet_Master_Access><BACnet_Read><row IP_Address_Slave_ID=\"1\"/>"
                                               "</BACnet_Read><BACnet_Write><row IP_Address_Slave_ID=\"2\"/>"
                                               "</BACnet_Write></BACnet_Master_Access>"));
    tables.Load(file());
    EXPECT_EQ(tables.Rows(BACnet_Read)[0], QStringList({"1", "Y", "1", "", "", "", "", "N", "", "", "", "", "", "",
                                                        "", "N", "None", ""}));
    EXPECT_EQ(tables.Rows(BACnet_Write)[0], QStringList({"1", "Y", "2", "", "", "", "", "", "", "N", "", "", "", "N",
                                                         "N", "", "", "", "", "N", "None", ""}));
}

TEST_F(BACnet, TypeFromParGen)
{
    struct Case {
        const char* name;
        const char* xml;   // nullptr: no file
        bool found;
        int type;
    };
    const std::vector<Case> cases = {
        {"no file", nullptr, false, 0},
        {"no element", "<Par_Gen><DMX_DMX>1</DMX_DMX></Par_Gen>", false, 0},
        {"not well-formed", "<Par_Gen><BACnet_Type>1</BACnet_Type>", false, 0},
        {"MS/TP", "<Par_Gen><BACnet_Type>1</BACnet_Type></Par_Gen>", true, 1},
        {"declaration first", "<?xml version=\"1.0\"?><Par_Gen><BACnet_Type>2</BACnet_Type></Par_Gen>", true, 2},
        {"not a number", "<Par_Gen><BACnet_Type>MSTP</BACnet_Type></Par_Gen>", true, 0},
    };
    const QString parGen = dir.filePath(QStringLiteral("ParGen.xml"));
    for (const Case& c : cases) {
        QFile::remove(parGen);
        if (c.xml) {
            ASSERT_TRUE(testsupport::writeFile(parGen, c.xml));
        }
        int type = -7;
        EXPECT_EQ(Read_BACnet_Type(parGen, type), c.found) << c.name;
        EXPECT_EQ(type, c.type) << c.name;
    }
    EXPECT_EQ(BACnet_Address_Header(BACnet_Read, 0), 1409);
    EXPECT_EQ(BACnet_Address_Header(BACnet_Write, 1), 1422);
    EXPECT_EQ(BACnet_Address_Header(BACnet_Read, 2), -1);
    EXPECT_EQ(BACnet_Key_Column(1), 2);
    EXPECT_EQ(BACnet_Key_Column(2), 3);
}

// ---- Validation ------------------------------------------------------------

struct CheckCase {
    const char* name;
    int table;
    int type;
    std::vector<std::pair<int, const char*>> cells;
    const char* message;   // empty: passes
};

TEST(BACnetCheck, StepsInOrderWithThePartsTexts)
{
    Load_Default_Language();
    const QStringList read = {"", "Y", "192.168.1.20", "Analog Input", "1", "Present Value (85)", "4", "N", "", "",
                              "", "1000", "0", "0", "0", "N", "None", "r"};
    const QStringList write = {"", "Y", "192.168.1.30", "Analog Output", "Real", "2", "Present Value (85)", "8", "4",
                               "N", "", "", "", "N", "N", "", "0", "0", "0", "N", "None", "w"};
    const int R = BACnet_Read, W = BACnet_Write;
    const std::vector<CheckCase> cases = {
        {"valid", R, 0, {}, ""},
        {"IP address", R, 0, {{2, "192.168.1"}}, "Error in Read, row 2!! IP Address is not correct"},
        {"IP address with blanks around", R, 0, {{2, " 192.168.1.20 "}}, ""},
        {"slave ID", W, 1, {{2, "255"}}, "Error in Write, row 2!! Slave ID must be between 0 and 254"},
        {"slave ID 254", R, 1, {{2, "254"}}, ""},
        {"no address kind: no check", R, 2, {{2, "whatever"}}, ""},
        {"object type", R, 0, {{3, "Binary"}},
         "Error in Read, row 2!! Object Type is not correct. Select one from the list"},
        {"read-only object in the write table", W, 0, {{3, "Analog Input"}},
         "Error in Write, row 2!! Object Type is not correct. Select one from the list"},
        {"instance 4294967295", R, 0, {{4, "4294967295"}}, ""},
        {"instance 4294967296", R, 0, {{4, "4294967296"}},
         "Error in Read, row 2!! Instance must be between 0 and 4294967295"},
        {"instance -1", W, 0, {{5, "-1"}}, "Error in Write, row 2!! Instance must be between 0 and 4294967295"},
        {"property", R, 0, {{5, "Scale (187)"}},
         "Error in Read, row 2!! Property is not correct. Select one from the list"},
        {"data type names the expected one", W, 0, {{4, "Unsigned Int"}},
         "Error in Write, row 2!! Data Type is not correct. Aspected Data Type is Real"},
        {"data type without an expected one", W, 0, {{3, "Life Safety Point"}},
         "Error in Write, row 2!! Data Type is not correct"},
        {"priority", W, 0, {{7, "17"}}, "Error in Write, row 2!! Priority must be between 0 and 16"},
        {"NByte read", R, 0, {{6, "256"}}, "Error in Read, row 2!! NByte must be between 0 and 255"},
        {"NByte Real", W, 0, {{8, "5"}}, "Error in Write, row 2!! NByte must be between 0 and 4"},
        {"NByte Octet String", W, 0, {{3, "300"}, {4, "Octet String"}, {8, "255"}}, ""},
        {"NByte Bit String", W, 0, {{3, "300"}, {4, "Bit String"}, {8, "121"}},
         "Error in Write, row 2!! NByte must be between 0 and 120"},
        {"destination off: nothing checked", R, 0, {{8, "0"}, {9, "M9"}, {10, "x"}}, ""},
        {"D Net", R, 0, {{7, "y"}, {8, "0"}, {9, "1"}, {10, "1"}},
         "Error in Read, row 2!! Destination Network must be between 1 and 65535"},
        {"D Len 3", W, 0, {{9, "Y"}, {10, "1"}, {11, "3"}, {12, "1"}},
         "Error in Write, row 2!! Destination Lenght must be 1 or 2 or 6"},
        {"D Len 1", R, 0, {{7, "Y"}, {8, "1"}, {9, "1"}, {10, "256"}},
         "Error in Read, row 2!! Destination Address must be between 0 and 255"},
        {"D Len 2", R, 0, {{7, "Y"}, {8, "1"}, {9, "2"}, {10, "0"}},
         "Error in Read, row 2!! Destination Address must be between 1 and 65535"},
        {"D Len 6", W, 0, {{9, "Y"}, {10, "1"}, {11, "6"}, {12, "192.168.0.15"}},
         "Error in Write, row 2!! Destination Address must be in correct form, IP Address plus Port (ex. "
         "192.168.0.15:47808)"},
        {"D Len 6 with port", R, 0, {{7, "Y"}, {8, "1"}, {9, "6"}, {10, " 192.168.0.15:47808 "}}, ""},
        {"D Len M9", R, 0, {{7, "Y"}, {8, "1"}, {9, "M9"}, {10, "1"}},
         "Error in Read, row 2!! Destination Length is Wrong, choose one in List"},
        {"M3 with three bytes", R, 0, {{7, "Y"}, {8, "1"}, {9, " m3 "}, {10, "10, 20, 30"}}, ""},
        {"M3 with two bytes", R, 0, {{7, "Y"}, {8, "1"}, {9, "M3"}, {10, "10, 20"}},
         "Error in Read, row 2!! Destination Address has too few bytes"},
        {"M3 with four bytes", R, 0, {{7, "Y"}, {8, "1"}, {9, "M3"}, {10, "10, 20, 30, 40"}},
         "Error in Read, row 2!! Destination Address has too many bytes"},
        {"M3 with a byte above 255", W, 0, {{9, "Y"}, {10, "1"}, {11, "M3"}, {12, "10, 300, 30"}},
         "Error in Write, row 2!! Bytes of Destination Address must be between 0 and 255"},
        {"M2 with no address says so", W, 0, {{9, "Y"}, {10, "1"}, {11, "M2"}, {12, ""}},
         "Error in Write, row 2!! Destination Address has too few bytes"},
        {"read poll time", R, 0, {{11, "100000001"}},
         "Error in Read, row 2!! Poll Time must be between 0 and 100000000 ms"},
        {"write poll time without timer", W, 0, {{15, "x"}}, ""},
        {"write poll time with timer", W, 0, {{14, "y"}, {15, "x"}},
         "Error in Write, row 2!! Poll Time must be between 0 and 100000000"},
        {"max err read", R, 0, {{12, "65536"}}, "Error in Read, row 2!! Max Err must be between 0 and 65535"},
        {"max err write", W, 0, {{16, "-1"}}, "Error in Write, row 2!! Max Err must be between 0 and 65535"},
        {"disabled row", R, 0, {{1, "N"}, {4, "x"}}, ""},
        {"enable must be exactly Y", R, 0, {{1, "y"}, {4, "x"}}, ""},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        TTableFile t(BACnet_File_Spec());
        BACnet_Use_Type(t, c.type);
        for (int r = 0; r < 2; ++r) {
            t.Rows(R)[size_t(r)] = read;
            t.Rows(W)[size_t(r)] = write;
            t.Rows(R)[size_t(r)][0] = t.Rows(W)[size_t(r)][0] = QString::number(r + 1);
            if (c.type == 1)
                t.Rows(R)[size_t(r)][2] = t.Rows(W)[size_t(r)][2] = QStringLiteral("5");
        }
        for (const auto& [column, value] : c.cells)
            t.Rows(c.table)[1][column] = QString::fromUtf8(value);
        EXPECT_EQ(BACnet_Controllo_dati(t, c.type).Message, QString::fromUtf8(c.message));
    }
}

TEST(BACnetCheck, TheKeyInUseEndsTheTables)
{
    Load_Default_Language();
    TTableFile t(BACnet_File_Spec());
    // Without device addresses the object type is the key: a row without an
    // address is still checked, and one without an object type ends the table.
    BACnet_Use_Type(t, 2);
    t.Rows(BACnet_Read)[0] = QStringList({"1", "Y", "", "Analog Input", "1", "Present Value (85)", "300", "N", "", "",
                                          "", "0", "0", "0", "0", "N", "None", ""});
    t.Rows(BACnet_Read)[2] = t.Rows(BACnet_Read)[0];
    EXPECT_EQ(BACnet_Controllo_dati(t, 2).Message,
              QStringLiteral("Error in Read, row 1!! NByte must be between 0 and 255"));
    EXPECT_EQ(Rows_After_End(t.Table(BACnet_Read), t.Rows(BACnet_Read)), QList<int>({3}));
    BACnet_Use_Type(t, 0);
    EXPECT_FALSE(BACnet_Controllo_dati(t, 0).Failed());
}

TEST(BACnetHint, NByteHintFollowsObjectAndProperty)
{
    TTableRows rows = Default_Table_Rows(BACnet_File_Spec().Tables[BACnet_Read]);
    struct Case {
        const char* object;
        const char* property;
        int column;
        const char* hint;
    };
    const std::vector<Case> cases = {
        {"Analog Input", "Present Value (85)", 6, "4"},
        {"Binary Output", "Present Value (85)", 6, "1"},
        {"Large Analog Value", "Present Value (85)", 6, "8"},
        {"Multi-State Value", "Present Value (85)", 6, ""},
        {"Accumulator", "PreScale (185)", 6, "5"},
        {"Analog Input", "Object Type (79)", 6, "2"},
        {"Analog Input", "600", 6, ""},
        {"Analog Input", "Present Value (85)", 5, ""},
        {"", "Present Value (85)", 6, ""},
        {"Analog Input", " ", 6, ""},
    };
    for (const Case& c : cases) {
        rows[4][3] = QString::fromUtf8(c.object);
        rows[4][5] = QString::fromUtf8(c.property);
        EXPECT_EQ(Str_Hint_Read(rows, 5, c.column), QString::fromUtf8(c.hint)) << c.object << " " << c.property;
    }
    EXPECT_EQ(Str_Hint_Read(rows, 0, 6), QString());
    EXPECT_EQ(Str_Hint_Read(rows, 513, 6), QString());
}

// ---- EDE import --------------------------------------------------------------

TBACnet_Var object(const char* name, int type, int instance, bool commandable)
{
    TBACnet_Var v;
    v.object_name = QString::fromUtf8(name);
    v.description = QStringLiteral("d");
    v.object_type = type;
    v.object_instance = instance;
    v.commandable = commandable;
    v.write = commandable;
    return v;
}

TEST(BACnetImport, ObjectsGoToFreeRowsAtTheNextFreePositions)
{
    TTableFile t(BACnet_File_Spec());
    BACnet_Use_Type(t, 0);
    const std::vector<TBACnet_Var> vars = {object("Lock", 5, 7, true), object("Temp", 0, 1, false)};
    const TEDE_Import result = Place_EDE_Objects(t, vars, QStringLiteral("192.168.1.9"));
    EXPECT_EQ(result.Read_Added, 2);
    EXPECT_EQ(result.Write_Added, 1);
    EXPECT_TRUE(EDE_Import_Message(result).isEmpty());
    EXPECT_EQ(t.Rows(BACnet_Read)[0], QStringList({"1", "Y", "192.168.1.9", "Binary Value", "7", "Present Value (85)",
                                                   "1", "N", "", "", "", "1000", "0", "0", "0", "N", "", "Lock - d"}));
    EXPECT_EQ(t.Rows(BACnet_Read)[1][13], QStringLiteral("1"));
    EXPECT_EQ(t.Rows(BACnet_Read)[1][6], QStringLiteral("4"));
    EXPECT_EQ(t.Rows(BACnet_Write)[0],
              QStringList({"1", "Y", "192.168.1.9", "Binary Value", "Enumerated", "7", "Present Value (85)", "0", "1",
                           "N", "", "", "", "N", "N", "1000", "0", "0", "0", "N", "", "Lock - d"}));
    EXPECT_EQ(t.Rows(BACnet_Write)[1][2], QString());
    // A second import continues after what is there.
    const TEDE_Import again = Place_EDE_Objects(t, {object("Level", 1, 2, true)}, QStringLiteral("192.168.1.9"));
    EXPECT_EQ(again.Read_Added, 1);
    EXPECT_EQ(t.Rows(BACnet_Read)[2][13], QStringLiteral("5"));
    EXPECT_EQ(t.Rows(BACnet_Write)[1][17], QStringLiteral("1"));
    EXPECT_EQ(t.Rows(BACnet_Write)[1][4], QStringLiteral("Real"));
}

TEST(BACnetImport, ImportReadWriteChoicesDecideTheTables)
{
    TTableFile t(BACnet_File_Spec());
    BACnet_Use_Type(t, 0);
    TBACnet_Var notImported = object("Skipped", 1, 1, true);
    notImported.import = false;
    TBACnet_Var writeOnly = object("Out", 1, 2, true);
    writeOnly.read = false;
    TBACnet_Var readOnly = object("In", 4, 3, true);
    readOnly.write = false;
    const TEDE_Import result = Place_EDE_Objects(t, {notImported, writeOnly, readOnly}, QString());
    EXPECT_EQ(result.Read_Added, 1);
    EXPECT_EQ(result.Write_Added, 1);
    EXPECT_EQ(t.Rows(BACnet_Read)[0][17], QStringLiteral("In - d"));
    EXPECT_EQ(t.Rows(BACnet_Write)[0][21], QStringLiteral("Out - d"));
}

TEST(BACnetImport, RowsTypedByHandAreNeverReplaced)
{
    TTableFile t(BACnet_File_Spec());
    // Without device addresses the key is the object type: a typed row has
    // no address, and must not count as free.
    BACnet_Use_Type(t, 2);
    TTableRows& read = t.Rows(BACnet_Read);
    read[0][3] = QStringLiteral("Analog Value");
    read[0][6] = QStringLiteral("4");
    read[0][13] = QStringLiteral("10");
    // Row 2 is a gap; row 3 holds only a mnemonic someone typed.
    read[2][17] = QStringLiteral("keep me");
    const TEDE_Import result =
        Place_EDE_Objects(t, {object("A", 0, 1, false), object("B", 0, 2, false)}, QString());
    EXPECT_EQ(result.Read_Added, 2);
    EXPECT_EQ(read[0][3], QStringLiteral("Analog Value"));
    EXPECT_EQ(read[1][17], QStringLiteral("A - d"));
    EXPECT_EQ(read[1][13], QStringLiteral("14"));
    EXPECT_EQ(read[2][17], QStringLiteral("keep me"));
    EXPECT_EQ(read[3][17], QStringLiteral("B - d"));
    EXPECT_EQ(read[3][13], QStringLiteral("18"));
}

TEST(BACnetImport, ObjectsThatDoNotFitAreReported)
{
    Load_Default_Language();
    TTableFile t(BACnet_File_Spec());
    BACnet_Use_Type(t, 1);
    for (int r = 0; r < 511; ++r)
        t.Rows(BACnet_Read)[size_t(r)][2] = QStringLiteral("1");
    const TEDE_Import result =
        Place_EDE_Objects(t, {object("A", 0, 1, false), object("B", 1, 2, true), object("C", 2, 3, true)},
                          QStringLiteral("7"));
    EXPECT_EQ(result.Read_Added, 1);
    EXPECT_EQ(result.Read_Left, 2);
    EXPECT_EQ(result.Write_Added, 2);
    EXPECT_EQ(t.Rows(BACnet_Read)[511][17], QStringLiteral("A - d"));
    EXPECT_EQ(EDE_Import_Message(result),
              QStringLiteral("Objects that found no free row and were not imported (BACnet Read): 2"));
}

} // namespace
