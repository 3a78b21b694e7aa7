#pragma once
// The tables of the CANopen SDO client window (TFSet_SDO_Client_Access)
// without the window: the SDO read and write requests the converter sends,
// their columns, the file SDO_Client_CANopen.xml and the check run on OK.
#include "app/services/TableFile.h"

constexpr int SDO_Client_Read = 0;   // table index in the file
constexpr int SDO_Client_Write = 1;
constexpr int SDO_Client_Rows = 256;
constexpr int SDO_Client_NByte_IN = 1440;    // data array the read requests fill
constexpr int SDO_Client_NByte_OUT = 1440;   // data array the write requests send from

// Root SDO_Client_CANopen with the sections SDO_Read (11 columns) and
// SDO_Write (12 columns); the ID Device is the key of both. Every cell
// starts empty.
TFileSpec SDO_Client_File_Spec();

// Controllo_dati: every row of the read table up to its end, then of the
// write table; the first failure.
TTableFailure SDO_Client_Controllo_dati(const TTableFile& file);
