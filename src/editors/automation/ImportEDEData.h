#pragma once
// The BACnet EDE import (TFImportEDEFile) without its window: reading an EDE
// file (a semicolon-separated export of a BACnet device's objects) into the
// objects the converter can map, the table that lists them, and the choices
// the user makes there (import, read, write) with their checks.
#include "app/services/TableDescription.h"
#include "app/services/TableFile.h"

#include <QString>
#include <QStringList>

#include <vector>

// One object line of an EDE file.
struct TBACnet_Var {
    QString keyname;
    int device_obj_instance = -1;
    QString object_name;
    int object_type = -1;
    int object_instance = -1;
    QString description;
    QString present_value_default;
    QString min_present_value;
    QString max_present_value;
    bool commandable = false;
    bool support_COV = false;
    QString hi_limit;
    QString low_limit;
    QString stete_text_reference;
    QString unit_code;
    QString vendor_specific_address;
    bool import = true;
    bool read = true;
    bool write = false;
};

// The kept objects of an EDE file's lines, in file order. The header marker
// is a line "# mandatory...": on line 7 the data starts at line 9, else the
// last marker anywhere wins and the data starts two lines after it. No
// marker, or fewer than seven lines, gives no object. Only the object types
// the tables know are kept, each to import and read, and to write when it is
// commandable.
std::vector<TBACnet_Var> Parse_EDE_Lines(const QStringList& lines);

// The lines of an EDE file's bytes (a byte-order mark selects UTF-8 or
// UTF-16, else UTF-8 when valid, else the Western code page).
QStringList EDE_Lines(const QByteArray& bytes);

// Load_EDE_File: reads at most EDE_Max_File_Size bytes. False with the
// reason when the file cannot be read; vars is then empty.
constexpr qint64 EDE_Max_File_Size = 16 * 1024 * 1024;
bool Load_EDE_File(const QString& fileName, std::vector<TBACnet_Var>& vars, QString* error = nullptr);

// The table of the import window: Import, Read, Write boxes and the
// object's name, type, instance, description and whether it is commandable.
TTableSpec EDE_Table_Spec();
// Show_Data_in_Grid: one row per object (one empty row when there is none).
TTableRows EDE_Rows(const std::vector<TBACnet_Var>& vars);

// ACGCheckBoxClick (column 1 Import, 2 Read, 3 Write; row from 1). Ticking
// Write on an object that is only read is refused: false, and *message
// holds text 1613 + row + text 1614; the box goes back to "N".
bool EDE_Check_Box_Click(std::vector<TBACnet_Var>& vars, int column, int row, bool state, QString* message);
// Select All / Unselect All: every object's import flag.
void EDE_Select_All(std::vector<TBACnet_Var>& vars, bool import);

// The check of the device address typed on OK: 0 when it passes, else the
// text to show (1616 for a bad IP address, 1617 for a bad slave ID).
int Check_EDE_ID_IP(const QString& text, int bacnetType);
