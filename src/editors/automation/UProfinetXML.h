#pragma once
// The PROFINET device description (GSDML) writer.
#include <QString>

// Asks for the folder (the save dialog opens in the project folder with
// fileName) and writes the GSDML file there.
void Create_GSDML_File(const QString& fileName);
