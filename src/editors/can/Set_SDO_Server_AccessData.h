#pragma once
// The tables of the CANopen SDO server window (TFSet_SDO_Server_Access)
// without the window: the objects of the converter's dictionary a master
// reads and writes, their columns, the file SDO_Server_CANopen.xml (which
// the EDS writer reads too) and the check run on OK.
#include "app/services/TableFile.h"

constexpr int SDO_Server_Read = 0;   // table index in the file
constexpr int SDO_Server_Write = 1;
constexpr int SDO_Server_Rows = 500;
constexpr int SDO_Server_NByte_IN = 1440;
constexpr int SDO_Server_NByte_OUT = 1440;
constexpr int SDO_Server_Col_Index = 1;   // both tables
constexpr int SDO_Server_Col_SubIndex = 2;
constexpr int SDO_Server_Col_NByte = 3;

// Root SDO_Server_CANopen with the sections SDO_Read and SDO_Write, nine
// columns each; the Index is the key of both. Every cell starts empty.
TFileSpec SDO_Server_File_Spec();

// Controllo_dati: every row of the read table up to its end, then of the
// write table; the first failure. An index and sub-index pair used twice,
// in one table or in both, passes and both rows are saved.
TTableFailure SDO_Server_Controllo_dati(const TTableFile& file);
