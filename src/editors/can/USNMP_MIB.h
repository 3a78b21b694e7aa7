#pragma once
// The SNMP MIB writer: an SMIv2 module describing the converter's agent, with
// one object per enabled SNMP read and write row of SNMP_Trap.xml and one
// notification per enabled read row.
#include "app/services/UComon.h"
#include "editors/can/SNMP_Trap_AccessData.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

namespace fw {
class TSaveDialog;
}

// Objects per direction the agent (and the flag table below) holds: a table's rows.
constexpr int SNMP_Max_Objects = SNMP_Rows;

// Entry k is 1 when read object k is an INTEGER, 0 for an OCTET STRING;
// entry 256 + k the same for write object k. Only the first
// SNMP_Read_Names.size() (SNMP_Write_Names.size()) entries of each half mean
// anything.
extern std::array<std::uint8_t, 2 * SNMP_Max_Objects> SNMP_Int_Flags;

// Fills SNMP_Read_Names, SNMP_Write_Names and SNMP_Int_Flags from the
// enabled rows of the SNMP table file, read as the SNMP window reads it (at
// most 256 rows a table, up to the first blank Community Name), or with the
// 64 + 64 default objects when the file does not exist. Names are taken
// unchanged. Returns what the file held that the MIB leaves out, in the
// window's words (empty when nothing). A file that is not well-formed XML,
// or whose root is not SNMP_Trap, throws fw::EXmlError and leaves the lists
// empty.
QString Read_SNMP_Names(const QString& fileName = File_SNMP_Trap);

// The MIB text of the current lists and flags: CR LF line ends, the last
// line "END" included.
QByteArray MIB_Text();

// Writes MIB_Text() to fileName atomically; fw::EFileError when it cannot.
void Write_MIB_File(const QString& fileName);

// The MIB step: the save dialog in the project folder, the overwrite
// question (text 905) for an existing file, then reading the SNMP table and
// writing the MIB. When the table file held rows the MIB leaves out, a
// warning says so after the file is written. The main window passes its MIB
// save dialog.
void Build_MIB_File(fw::TSaveDialog& dialog);
