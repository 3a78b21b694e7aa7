#pragma once
// The tables of the serial Modbus master window (TFSetAccess) without the
// window: the Modbus TCP master's tables without slave address and port,
// stored in ModbusM_SetAccess.xml, with the hidden write cells On Change and
// On CMD stored as they stand.
#include "app/services/TableFile.h"

constexpr int ModbusM_Read = 0;     // table index in the file
constexpr int ModbusM_Write = 1;
constexpr int ModbusM_NByte_IN = 128;
constexpr int ModbusM_NByte_OUT = 1540;
constexpr int ModbusM_Rows = 512;

// Root EtherNetIP_to_Modbus with the comment "SW_VERSION = 1.100" after it,
// sections Modbus_Read (12 columns) and Modbus_Write (14, On Change and On
// CMD hidden); Slave ID is the key of both.
TFileSpec ModbusM_File_Spec();

// Controllo_dati: read table, then write table; the first failure.
TTableFailure ModbusM_Controllo_dati(const TTableFile& file);
