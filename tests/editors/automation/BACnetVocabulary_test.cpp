#include "editors/automation/BACnetVocabulary.h"

#include <gtest/gtest.h>

namespace {

TEST(BACnetVocabulary, ObjectTypes)
{
    struct Case {
        const char* text;
        int read_write;
        int code;
    };
    const std::vector<Case> cases = {
        {" binary input ", 0, 6},
        {"Binary Input", 1, -1},       // read only: not in the write table
        {"Accumulator", 1, -1},
        {"Analog Input", 1, -1},
        {"Multi-State Input", 1, -1},
        {"Multi-State Output", 1, 3},
        {"Life Safety Zone", 0, 15},
        {"Analog Value", 1, 12},
        {"200", 1, 200},               // proprietary types 128 to 1023
        {"128", 0, 128},
        {"1023", 0, 1023},
        {"1024", 0, -1},
        {"127", 0, -1},
        {"", 0, -1},
        {"Binary", 0, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Check_Object_Type(QString::fromUtf8(c.text), c.read_write), c.code) << c.text << " " << c.read_write;
}

TEST(BACnetVocabulary, Properties)
{
    struct Case {
        const char* text;
        int read_write;
        int object;
        int result;
    };
    const std::vector<Case> cases = {
        {"Units (117)", 0, 6, -1},
        {"Units (117)", 0, 4, 4},
        {"Units (117)", 0, 11, -1},
        {"Scale (187)", 0, 12, -1},
        {"Scale (187)", 0, 1, 1},
        {"PreScale (185)", 0, 1, 5},
        {"PreScale (185)", 0, 2, -1},
        {"Polarity (84)", 0, 13, 1},
        {"Polarity (84)", 0, 5, -1},
        {"Number of States (74)", 0, 11, 4},
        {"Number of States (74)", 0, 12, -1},
        {"Object Identifier (75)", 0, 9, 4},
        {"Event State (36)", 0, 9, 4},
        {"Status Flags (111)", 0, 9, 1},
        {"Object Type (79)", 0, 9, 2},
        {"Present Value (85)", 0, 14, 100},
        {"Present Value (85)", 1, 3, 100},
        {"Present Value (85)", 1, -1, 100},
        {"Status Flags (111)", 1, 3, -1},   // the write table takes the present value only
        {"512", 0, 4, 200},
        {"4194303", 1, 4, 200},
        {"511", 0, 4, -1},
        {"4194304", 0, 4, -1},
        {"Priority (87)", 0, 4, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Check_Property(QString::fromUtf8(c.text), c.read_write, c.object), c.result)
            << c.text << " " << c.read_write << " " << c.object;
}

TEST(BACnetVocabulary, DataTypesOfThePresentValue)
{
    struct Case {
        const char* text;
        int object;
        int property;
        int result;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"Real", 12, 100, 4, "Real"},
        {"Real", 10, 100, -1, "Unsigned Int"},
        {"Unsigned Int", 11, 100, 4, "Unsigned Int"},
        {"Signed Int", 8, 100, 4, "Signed Int"},
        {"Double", 9, 100, 8, "Double"},
        {"Enumerated", 13, 100, 1, "Enumerated"},
        {"Enumerated", 7, 100, 1, "Enumerated"},
        {"anything", 300, 100, 1, ""},       // proprietary objects take any type
        {"anything", 5, 200, 1000, ""},      // not the present value: any type
        {"Real", 14, 100, -1, ""},           // life safety objects take none
        {"Boolean", 13, 100, -1, "Enumerated"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Check_Data_Type(QString::fromUtf8(c.text), c.object, c.property), c.result)
            << c.text << " " << c.object;
        EXPECT_EQ(Aspected_Data_Type_Value(c.object, c.property), QString::fromUtf8(c.expected)) << c.object;
    }
    struct Max {
        const char* type;
        int bytes;
    };
    for (const Max& m : std::vector<Max>{{"Null", 0}, {"Boolean", 1}, {"Real", 4}, {"Double", 8}, {"Octet String", 255},
                                         {"Character String", 255}, {"Bit String", 120}, {"Object ID", 4},
                                         {"Quantum", 255}})
        EXPECT_EQ(Check_Num_Byte_Max(QString::fromUtf8(m.type)), m.bytes) << m.type;
}

TEST(BACnetVocabulary, DestinationAddresses)
{
    struct Case {
        const char* text;
        int numByte;
        TDestAddResult result;
    };
    const std::vector<Case> cases = {
        {"10, 20, 30", 3, TDestAddResult::Ok},
        {" 10 ,20,  30 ", 3, TDestAddResult::Ok},
        {"10, 20", 3, TDestAddResult::TooFew},
        {"10, 20, 30, 40", 3, TDestAddResult::TooMany},
        {"10, 256, 30", 3, TDestAddResult::BadByte},
        {"1, 2,", 2, TDestAddResult::Ok},          // a trailing comma ends the list
        {"1,,2", 3, TDestAddResult::BadByte},      // an empty part is no byte
        {"0x0A", 1, TDestAddResult::Ok},
        {"", 2, TDestAddResult::Empty},
        {"  ", 1, TDestAddResult::Empty},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Check_Dest_Add(QString::fromUtf8(c.text), c.numByte), c.result) << c.text;
    EXPECT_EQ(Dest_Add_Text(TDestAddResult::BadByte, 0), 1482);
    EXPECT_EQ(Dest_Add_Text(TDestAddResult::TooMany, 1), 1485);
    EXPECT_EQ(Dest_Add_Text(TDestAddResult::TooFew, 0), 1488);
    EXPECT_EQ(Dest_Add_Text(TDestAddResult::Empty, 1), 1489);
    EXPECT_EQ(Dest_Add_Text(TDestAddResult::Ok, 0), -1);
}

TEST(BACnetVocabulary, EdeObjectTypes)
{
    struct Case {
        int bacnet;
        const char* name;
        const char* dataType;
        int bytes;
    };
    const std::vector<Case> cases = {
        {23, "Accumulator", "Unsigned Int", 4}, {0, "Analog Input", "Real", 4},
        {3, "Binary Input", "Enumerated", 1},   {46, "Large Analog Value", "Double", 8},
        {21, "Life Safety Point", "Enumerated", 2}, {48, "Positive Integer Value", "Unsigned Int", 4},
        {6, "", "Null", 4},                     {8, "", "Null", 4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Get_ObjType_EDE(c.bacnet), QString::fromUtf8(c.name)) << c.bacnet;
        EXPECT_EQ(Get_DataType_EDE(c.bacnet), QString::fromUtf8(c.dataType)) << c.bacnet;
        EXPECT_EQ(Get_NumByte_EDE(c.bacnet), c.bytes) << c.bacnet;
    }
    // Every name of the lists is a type the checks know.
    for (const QString& name : BACnet_Read_Object_Types())
        EXPECT_GT(Check_Object_Type(name, 0), 0) << name.toStdString();
    for (const QString& name : BACnet_Write_Object_Types())
        EXPECT_GT(Check_Object_Type(name, 1), 0) << name.toStdString();
    EXPECT_EQ(BACnet_Dest_Lengths().join(QLatin1Char(' ')), QStringLiteral("1 2 6 M1 M2 M3 M4 M5 M6 M7 M8"));
}

} // namespace
