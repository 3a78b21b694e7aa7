#pragma once
// The tables of the SNMP window (TFSNMP_Trap_Access) without the window: the
// objects an SNMP manager reads (and that may be sent as traps) and the
// objects it writes, their columns, the file SNMP_Trap.xml, the 64 + 64
// default objects and the check run on OK.
#include "app/services/TableFile.h"

constexpr int SNMP_Read = 0;   // table index in the file
constexpr int SNMP_Write = 1;
constexpr int SNMP_Rows = 256;
constexpr int SNMP_NByte_IN = 1440;    // data array the read objects address
constexpr int SNMP_NByte_OUT = 1440;   // data array the write objects address
constexpr int SNMP_Default_Objects = 64;
// Columns both tables have at the same place, and the Descriptions.
constexpr int SNMP_Col_Enable = 1;
constexpr int SNMP_Col_Community = 2;
constexpr int SNMP_Col_Type = 3;
constexpr int SNMP_Read_Col_Description = 11;
constexpr int SNMP_Write_Col_Description = 7;

// Root SNMP_Trap with the sections SNMP_Trap_Read (15 columns) and
// SNMP_Trap_Write (10 columns); the Community Name is the key of both.
TFileSpec SNMP_Trap_File_Spec();

// Rows 1 to 64 of both tables: the default objects lampADV0 ... and lamp0 ...
void SNMP_Fill_Default_Objects(TTableFile& file);

// Loads the file; without a usable file the tables hold the default
// objects. Column 0 then shows the running numbers.
TTableLoadReport SNMP_Load(TTableFile& file, const QString& fileName);

// Column 0 of every row: the running number of the enabled rows, empty for
// the others (all rows, also those below the table's end).
void Index_Row_Build(TTableRows& rows);

// The character rule of community names (checkType 0) and descriptions
// (checkType 1: the first character a lower-case letter); true when `str`
// breaks it. ASCII letters and digits only; an empty text passes.
bool Check_Error_CommName_Desc(const QString& str, int checkType);

// True for a description the MIB already uses for a node of its own
// ("data", "trapsval", ...) or gives to an object without a description
// ("bufferinval3", "trapval7"): the MIB would name two things alike.
bool SNMP_Reserved_Name(const QString& description);

// Controllo_dati: the enabled rows of the read table, then of the write
// table, in the order and with the texts of the window; then no description
// of a checked row may be one of the MIB's own names ("Error row ", the row,
// text 1987 or 1988 and the description), and they must all differ from
// each other (text 1980). A hidden Conversion column is not checked.
TTableFailure SNMP_Controllo_dati(const TTableFile& file);
