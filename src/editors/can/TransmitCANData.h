#pragma once
// The table of the CAN transmit window (TFTransmitCAN) without the window:
// the raw CAN frames the converter sends, when it sends them and where their
// bytes come from, its columns, the file CAN_Send_Frames.xml and the check
// run on OK.
#include "app/services/TableFile.h"

constexpr int TransmitCAN_Rows = 512;
constexpr int TransmitCAN_Max_Byte = 512;   // data array positions 0 to 511

// Root Transmit_Frames holding the rows itself; 18 columns, CobID the key. A
// row of the file without Time gets "0" when its OnTimer is "Y", else stays
// empty.
TFileSpec TransmitCAN_File_Spec();

// Controllo_dati: the enabled rows up to the table's end; the first failure.
TTableFailure TransmitCAN_Controllo_dati(const TTableFile& file);
