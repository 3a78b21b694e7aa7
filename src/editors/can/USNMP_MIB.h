#pragma once
// The SNMP MIB writer.

// Asks for the file (the main window's MIB save dialog in the project folder)
// and writes the SNMP MIB of the project's SNMP objects.
void Build_MIB_File();
