#pragma once
// The tables of the CANopen PDO window (TFSet_PDO_Access) without the
// window: the receive and transmit PDOs, their columns, the file
// PDO_CANopen.xml (which the EDS writer reads too) and the check run on OK.
#include "app/services/TableFile.h"

constexpr int PDO_Receive = 0;   // table index in the file
constexpr int PDO_Transmit = 1;
constexpr int PDO_Rows = 30;
constexpr int PDO_NByte_IN = 1440;    // data array the receive PDOs write into
constexpr int PDO_NByte_OUT = 1440;   // data array the transmit PDOs read from
constexpr int PDO_Col_COB_ID = 1;     // both tables
constexpr int PDO_Col_Dimension = 2;

// Root PDO_CANopen with the sections Receive_PDO (13 columns) and
// Transmit_PDO (14 columns); the COB-ID is the key of both. Every cell
// starts empty.
TFileSpec PDO_File_Spec();

// Controllo_dati: every row of the receive table up to its end, then of the
// transmit table; the first failure.
TTableFailure PDO_Controllo_dati(const TTableFile& file);
