#pragma once
// The CANopen EDS writer.
#include <QString>

// Writes the CANopen EDS file of the project's PDO and SDO server tables.
void Write_EDS_File(const QString& fileName);
