#pragma once
// The settings file "Strandelor.xml" beside the program: the last project, the
// device of the last update, the language and the four options. Read once at
// start-up, written when the main window closes and after the options were
// confirmed.
#include <QString>

namespace fw {
class TXmlDocument;
}

// Path_SW + "/Strandelor.xml".
QString Settings_File_Name();

// Sets Name_Project, Update_IP_Address, Language_Name and the four option flags
// from the settings file. Every value is read on its own: a missing file,
// element or text, or a file that is not XML, gives that value its default
// ("", "192.168.2.205", "English", off) and never an error.
void Read_Settings();

// Replaces the settings file with the current values. xml is a scratch document
// that is cleared first. False with a message in error when it cannot be written;
// the previous file is then kept.
bool Save_Setting(fw::TXmlDocument& xml, QString* error = nullptr);
