#pragma once
// The table of the CAN receive window (TFReceiveCAN) without the window: the
// raw CAN frames the converter receives and where their bytes go, its
// columns, the file CAN_Rec_Frames.xml and the check run on OK.
#include "app/services/TableFile.h"

constexpr int ReceiveCAN_Rows = 512;
constexpr int ReceiveCAN_Max_Byte = 132;   // data array positions 0 to 131

// Root Receive_Frames holding the rows itself; 15 columns, CobID the key.
TFileSpec ReceiveCAN_File_Spec();

// Controllo_dati: the enabled rows up to the table's end; the first failure.
TTableFailure ReceiveCAN_Controllo_dati(const TTableFile& file);
