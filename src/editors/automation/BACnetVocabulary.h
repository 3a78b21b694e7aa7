#pragma once
// What the BACnet client tables understand: object types, properties, data
// types and destination addresses, the checks built on them, and the
// object types, data types and value sizes an EDE import assigns.
#include <QString>
#include <QStringList>

// read_write: 0 for the read table, anything else for the write table.

// The object code (1 to 15, or a proprietary type 128 to 1023 as itself) of
// a type name (blanks around and letter case ignored) or number; -1 for
// anything else, and for the read-only types in the write table.
int Check_Object_Type(const QString& text, int read_write);

// 100 for "Present Value (85)", 200 for a proprietary property 512 to
// 4194303, the value size 1 to 5 for the other named properties where they
// apply to the object code; -1 otherwise. The write table takes only the
// present value and proprietary properties.
int Check_Property(const QString& text, int read_write, int obj_Type);

// 1000 when the property is not the present value (any data type goes);
// otherwise the size of the one data type the object code accepts (1 for any
// type of a proprietary object), -1 when the data type does not fit.
int Check_Data_Type(const QString& text, int obj_Type, int property_val);
// The data type Check_Data_Type expects; empty when there is none to name.
QString Aspected_Data_Type_Value(int obj_Type, int property_val);
// The largest NByte of a data type (named as in the lists, blanks around
// and letter case ignored); 255 for an unknown one.
int Check_Num_Byte_Max(const QString& dataType);

// Check_Dest_Add without its message box: the destination address of an
// "M1" ... "M8" length, numbers 0 to 255 separated by commas.
enum class TDestAddResult { Ok, Empty, BadByte, TooMany, TooFew };
TDestAddResult Check_Dest_Add(const QString& text, int numByte);
// The text of a failed destination address: read (read_write 0) or write.
// An empty address has too few bytes.
int Dest_Add_Text(TDestAddResult result, int read_write);

// EDE import: name, EDE data type and value size of a BACnet object type
// number; "", "Null" and 4 for a number not in the table.
QString Get_ObjType_EDE(int bacnetType);
QString Get_DataType_EDE(int bacnetType);
int Get_NumByte_EDE(int bacnetType);
// The BACnet object type numbers an EDE import keeps.
bool Is_EDE_Object_Type(int bacnetType);

// Combo lists of the tables, in list order.
QStringList BACnet_Read_Object_Types();
QStringList BACnet_Write_Object_Types();
QStringList BACnet_Read_Properties();
QStringList BACnet_Write_Properties();
QStringList BACnet_Data_Types();
QStringList BACnet_Dest_Lengths();   // "1", "2", "6", "M1" ... "M8"
