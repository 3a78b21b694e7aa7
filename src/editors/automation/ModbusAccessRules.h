#pragma once
// The checks the two Modbus master windows share: one table of read or
// write requests validated row by row in a fixed order of steps, with the
// bytes each request occupies in the converter's data area.
#include "app/services/TableFile.h"

#include <QString>
#include <QStringList>

enum class TModbusTable { Read, Write };

// Where a Modbus table keeps its values (real column numbers) and which
// texts its checks show.
struct TModbusLayout {
    TModbusTable Table = TModbusTable::Read;
    int IP_Address = -1;   // Modbus TCP only, with Port
    int Port = -1;
    int Slave_ID = -1;
    int Type = -1;
    int Address = -1;
    int NPoint = -1;
    int Poll_Time = -1;
    int Max_Error = -1;
    int Position = -1;
    int Start_Bit = -1;
    int Prefix_Text = -1;      // "Error row "
    // Text of the Slave ID check; the checks after it use the next texts in
    // order, the address and port checks the two before it.
    int Slave_ID_Text = -1;
    int Area_Bytes = 0;        // size of the data area the table reads into or writes from
};

// The Modbus object types a table's Type list offers.
QStringList Modbus_Types(TModbusTable table);
// "0", "1", ... up to count - 1: the Position and Start Bit lists.
QStringList Number_Items(int count);

// True for the types that count bits (two per register otherwise).
bool Modbus_Is_Bit_Type(TModbusTable table, const QString& type);

// Last byte of the data area a request occupies: bit types Position +
// (NPoint + Start Bit - 1) div 8, registers Position + 2 x NPoint - 1.
int Modbus_Last_Byte(TModbusTable table, const QString& type, int position, int nPoint, int startBit);

// True when text is NOT a dotted IPv4 address: four parts split at the first
// three dots, each a whole number 0 to 255.
bool Check_IP_Address(const QString& text);

// The first failing check of the enabled rows up to the table's end, or no
// failure. Message: prefix text, row number, the step's text (and its bound).
TTableFailure Check_Modbus_Table(const TModbusLayout& layout, const TTableSpec& spec, const TTableRows& rows,
                                 int tableIndex);
