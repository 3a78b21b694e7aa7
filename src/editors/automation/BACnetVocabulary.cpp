#include "editors/automation/BACnetVocabulary.h"

#include "editors/automation/AutomationNumbers.h"
#include "framework/SysUtils.h"

#include <array>

namespace {

struct ObjectType {
    int Code;
    const char* Name;
    int BACnet;
    bool ReadOnly;
    const char* EDE_DataType;
    int EDE_Bytes;
};

constexpr std::array<ObjectType, 15> kObjectTypes = {{
    {1, "Accumulator", 23, true, "Unsigned Int", 4},
    {2, "Multi-State Input", 13, true, "Unsigned Int", 4},
    {3, "Multi-State Output", 14, false, "Unsigned Int", 4},
    {4, "Analog Input", 0, true, "Real", 4},
    {5, "Analog Output", 1, false, "Real", 4},
    {6, "Binary Input", 3, true, "Enumerated", 1},
    {7, "Binary Output", 4, false, "Enumerated", 1},
    {8, "Integer Value", 45, false, "Signed Int", 4},
    {9, "Large Analog Value", 46, false, "Double", 8},
    {10, "Positive Integer Value", 48, false, "Unsigned Int", 4},
    {11, "Multi-State Value", 19, false, "Unsigned Int", 4},
    {12, "Analog Value", 2, false, "Real", 4},
    {13, "Binary Value", 5, false, "Enumerated", 1},
    {14, "Life Safety Point", 21, false, "Enumerated", 2},
    {15, "Life Safety Zone", 22, false, "Enumerated", 2},
}};

const ObjectType* byBACnet(int bacnetType)
{
    for (const ObjectType& t : kObjectTypes)
        if (t.BACnet == bacnetType)
            return &t;
    return nullptr;
}

bool isProprietaryType(int code)
{
    return code >= 128 && code <= 1023;
}

bool oneOf(int code, std::initializer_list<int> codes)
{
    for (int c : codes)
        if (c == code)
            return true;
    return false;
}

bool same(const QString& text, const QString& name)
{
    return fw::SameText(fw::Trim(text), name);
}

bool same(const QString& text, const char* name)
{
    return same(text, QString::fromUtf8(name));
}

struct DataType {
    const char* Name;
    int MaxBytes;
};

constexpr std::array<DataType, 13> kDataTypes = {{
    {"Null", 0}, {"Boolean", 1}, {"Unsigned Int", 4}, {"Signed Int", 4}, {"Real", 4}, {"Double", 8},
    {"Octet String", 255}, {"Character String", 255}, {"Bit String", 120}, {"Enumerated", 4}, {"Date", 4},
    {"Time", 4}, {"Object ID", 4},
}};

const char* const kPresentValue = "Present Value (85)";

} // namespace

int Check_Object_Type(const QString& text, int read_write)
{
    for (const ObjectType& t : kObjectTypes)
        if (same(text, t.Name))
            return read_write != 0 && t.ReadOnly ? -1 : t.Code;
    const int n = fw::StrToIntDef(fw::Trim(text), -1);
    return isProprietaryType(n) ? n : -1;
}

int Check_Property(const QString& text, int read_write, int obj_Type)
{
    if (same(text, kPresentValue))
        return 100;
    const int n = fw::StrToIntDef(fw::Trim(text), -1);
    if (n >= 512 && n <= 4194303)
        return 200;
    if (read_write != 0)
        return -1;
    if (same(text, "Object Identifier (75)") || same(text, "Event State (36)"))
        return 4;
    if (same(text, "Units (117)"))
        return oneOf(obj_Type, {2, 3, 6, 7, 11, 13}) ? -1 : 4;
    if (same(text, "Scale (187)"))
        return obj_Type == 1 ? 1 : -1;
    if (same(text, "PreScale (185)"))
        return obj_Type == 1 ? 5 : -1;
    if (same(text, "Polarity (84)"))
        return oneOf(obj_Type, {6, 7, 13}) ? 1 : -1;
    if (same(text, "Status Flags (111)"))
        return 1;
    if (same(text, "Object Type (79)"))
        return 2;
    if (same(text, "Number of States (74)"))
        return oneOf(obj_Type, {2, 3, 11}) ? 4 : -1;
    return -1;
}

int Check_Data_Type(const QString& text, int obj_Type, int property_val)
{
    if (property_val != 100)
        return 1000;
    if (isProprietaryType(obj_Type))
        return 1;
    // Each object type takes exactly one data type for its present value.
    const QString expected = Aspected_Data_Type_Value(obj_Type, property_val);
    if (expected.isEmpty() || !same(text, expected))
        return -1;
    if (expected == QLatin1String("Double"))
        return 8;
    if (expected == QLatin1String("Enumerated"))
        return 1;
    return 4;
}

QString Aspected_Data_Type_Value(int obj_Type, int property_val)
{
    if (property_val != 100)
        return {};
    if (oneOf(obj_Type, {3, 10, 11}))
        return QStringLiteral("Unsigned Int");
    if (oneOf(obj_Type, {5, 12}))
        return QStringLiteral("Real");
    if (oneOf(obj_Type, {7, 13}))
        return QStringLiteral("Enumerated");
    if (obj_Type == 8)
        return QStringLiteral("Signed Int");
    if (obj_Type == 9)
        return QStringLiteral("Double");
    return {};
}

int Check_Num_Byte_Max(const QString& dataType)
{
    for (const DataType& t : kDataTypes)
        if (same(dataType, t.Name))
            return t.MaxBytes;
    return 255;
}

TDestAddResult Check_Dest_Add(const QString& text, int numByte)
{
    QString rest = fw::Trim(text);
    if (rest.isEmpty())
        return TDestAddResult::Empty;
    int count = 0;
    while (!rest.isEmpty()) {
        QString part;
        const qsizetype comma = rest.indexOf(QLatin1Char(','));
        if (comma >= 0) {
            part = fw::Trim(rest.left(comma));
            rest = fw::Trim(rest.mid(comma + 1));
        } else {
            part = rest;
            rest.clear();
        }
        if (!Whole_In_Range(part, 0, 255))
            return TDestAddResult::BadByte;
        if (++count > numByte)
            return TDestAddResult::TooMany;
    }
    return count < numByte ? TDestAddResult::TooFew : TDestAddResult::Ok;
}

int Dest_Add_Text(TDestAddResult result, int read_write)
{
    const int write = read_write != 0 ? 1 : 0;
    switch (result) {
    case TDestAddResult::BadByte:
        return 1482 + write;
    case TDestAddResult::TooMany:
        return 1484 + write;
    case TDestAddResult::TooFew:
    case TDestAddResult::Empty:
        return 1488 + write;
    case TDestAddResult::Ok:
        break;
    }
    return -1;
}

QString Get_ObjType_EDE(int bacnetType)
{
    const ObjectType* t = byBACnet(bacnetType);
    return t ? QString::fromUtf8(t->Name) : QString();
}

QString Get_DataType_EDE(int bacnetType)
{
    const ObjectType* t = byBACnet(bacnetType);
    return QString::fromUtf8(t ? t->EDE_DataType : "Null");
}

int Get_NumByte_EDE(int bacnetType)
{
    const ObjectType* t = byBACnet(bacnetType);
    return t ? t->EDE_Bytes : 4;
}

bool Is_EDE_Object_Type(int bacnetType)
{
    return byBACnet(bacnetType) != nullptr;
}

QStringList BACnet_Read_Object_Types()
{
    return {"Accumulator", "Multi-State Input", "Multi-State Output", "Multi-State Value", "Analog Input",
            "Analog Output", "Analog Value", "Binary Input", "Binary Output", "Binary Value", "Integer Value",
            "Large Analog Value", "Positive Integer Value", "Life Safety Point", "Life Safety Zone"};
}

QStringList BACnet_Write_Object_Types()
{
    return {"Multi-State Output", "Multi-State Value", "Analog Output", "Analog Value", "Binary Output",
            "Binary Value", "Integer Value", "Large Analog Value", "Positive Integer Value"};
}

QStringList BACnet_Read_Properties()
{
    return {kPresentValue, "Object Identifier (75)", "Units (117)", "Scale (187)", "PreScale (185)",
            "Polarity (84)", "Event State (36)", "Status Flags (111)", "Object Type (79)", "Number of States (74)"};
}

QStringList BACnet_Write_Properties()
{
    return {kPresentValue};
}

QStringList BACnet_Data_Types()
{
    QStringList list;
    for (const DataType& t : kDataTypes)
        list << QString::fromUtf8(t.Name);
    return list;
}

QStringList BACnet_Dest_Lengths()
{
    QStringList list{"1", "2", "6"};
    for (int n = 1; n <= 8; ++n)
        list << QStringLiteral("M%1").arg(n);
    return list;
}
