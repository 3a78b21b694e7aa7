#pragma once
// The tables of the BACnet client window (TFBACnetAccess) without the
// window: the object properties the converter polls from BACnet devices and
// the present values it writes to them, their columns, the file
// BACnet_Master_Access.xml, the check run on OK, and the placing of objects
// imported from an EDE file.
#include "app/services/TableFile.h"
#include "editors/automation/ImportEDEData.h"

#include <QString>

#include <vector>

constexpr int BACnet_Read = 0;    // table index in the file
constexpr int BACnet_Write = 1;
constexpr int BACnet_Rows = 512;

// Root BACnet_Master_Access with the comment "SW_VERSION = 1.000" after it,
// sections BACnet_Read (18 columns, 14 to 16 hidden) and BACnet_Write (22).
TFileSpec BACnet_File_Spec();

// BACnet_Type of ParGen.xml: 0 BACnet/IP, 1 MS/TP, other: no address. False
// (type 0) when the file or the element is missing or unreadable: the window
// then shows text 1457.
bool Read_BACnet_Type(const QString& parGenFile, int& type);

// The key column: the device address (2) for BACnet/IP and MS/TP, the object
// type (3) when devices have no address.
int BACnet_Key_Column(int bacnetType);
// Sets the key column of both tables for the type; the window calls it with
// the type read at each showing, before loading, so that loading, checking,
// importing and saving all end the tables where the user sees them end.
void BACnet_Use_Type(TTableFile& file, int bacnetType);
// Header text of column 2 ("IP Address" or "Slave ID"); -1 when the column
// is hidden.
int BACnet_Address_Header(int table, int bacnetType);

// Controllo_dati: the enabled rows (Enable exactly "Y") of the read table,
// then the write table, up to each table's end (BACnet_Use_Type); the first
// failure.
TTableFailure BACnet_Controllo_dati(const TTableFile& file, int bacnetType);

// Str_Hint_Read: the value size the NByte cell (column 6) of a read row
// expects, from its object type and property; empty for other cells.
QString Str_Hint_Read(const TTableRows& read, int row, int column);

// What an EDE import did: rows filled per table, and the objects chosen for
// a table that found no free row there.
struct TEDE_Import {
    int Read_Added = 0;
    int Write_Added = 0;
    int Read_Left = 0;
    int Write_Left = 0;
};

// Turns the chosen objects into rows: each goes into the next free row (key
// cell in use blank and nothing typed), so rows typed by hand are never
// replaced, at the next free position of the table's data area. idIp is the
// device address typed in the import window.
TEDE_Import Place_EDE_Objects(TTableFile& file, const std::vector<TBACnet_Var>& vars, const QString& idIp);
// What to tell the user about objects left out; empty when all fitted.
QString EDE_Import_Message(const TEDE_Import& result);
