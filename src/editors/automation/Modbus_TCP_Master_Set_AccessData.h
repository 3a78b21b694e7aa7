#pragma once
// The tables of the Modbus TCP master window (TFModbus_TCP_Master_Set_Access)
// without the window: the read requests that fill the converter's input
// area and the write requests sent from its output area, their columns, the
// file ModbusTCPM_SetAccess.xml and the check run on OK.
#include "app/services/TableFile.h"

constexpr int ModbusTCPM_Read = 0;     // table index in the file
constexpr int ModbusTCPM_Write = 1;
constexpr int ModbusTCPM_NByte_IN = 128;
constexpr int ModbusTCPM_NByte_OUT = 1540;
constexpr int ModbusTCPM_Rows = 512;

// Root PROFINET_Master_to_Modbus_TCP_Master, sections Modbus_Read and
// Modbus_Write; 14 read and 16 write columns (write On Change and On CMD hidden).
TFileSpec ModbusTCPM_File_Spec();

// Controllo_dati: read table, then write table; the first failure.
TTableFailure ModbusTCPM_Controllo_dati(const TTableFile& file);

// Stores the tables: write rows always carry OnChange and OnCMD "N",
// whatever their hidden cells hold. Throws fw::EFileError.
void ModbusTCPM_Save(TTableFile& file, const QString& fileName);
