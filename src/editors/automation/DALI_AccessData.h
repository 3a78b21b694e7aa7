#pragma once
// The device page of the DALI access window (TFDALI_Access) without the
// window: which of the 64 DALI short addresses carry a device, stored in
// DALI_Access.xml, and the DALI maps file that lists the 8 bytes each
// enabled device occupies.
#include "app/services/TableFile.h"

#include <QByteArray>
#include <QString>

constexpr int DALI_Devices = 64;

// Device table: row r (1 to 64) is short address r - 1; only Enable
// (column 1, "Y"/"N") is stored; columns 2 to 5 are hidden.
TTableSpec DALI_Device_Spec();
// Column 0 of device row r shows this label ("DALI ID Device 0" for row 1).
QString DALI_Device_Label(int row);
// Group and broadcast table (17 rows, hidden, never stored).
TTableSpec DALI_Group_Spec();
QString DALI_Group_Label(int row);

// The devices of DALI_Access.xml: element DALI_ID_DEVICE_<address> with
// text "1" enables the device; anything else, or no element, leaves it "N".
class TDALI_Access_File {
public:
    TDALI_Access_File();

    TTableRows& Devices() { return m_devices; }
    const TTableRows& Devices() const { return m_devices; }

    // Every device "N", then the file. An unreadable file keeps them "N" and
    // makes the next Save keep a backup of it.
    TTableLoadReport Load(const QString& fileName);
    // The 64 elements, "1" for a device whose Enable is "Y" (trimmed, any
    // case), "0" otherwise. Throws fw::EFileError.
    void Save(const QString& fileName);
    QString Xml_Text() const;

private:
    TTableRows m_devices;
    bool m_keepBackup = false;
};

// The enabled devices (Enable trimmed and upper-cased "Y").
int DALI_Enabled_Count(const TTableRows& devices);

// "Start Break" when the text is exactly that, else "Normal".
QString Check_Dimming_mode(const QString& dimmingMode);
// One of the two recall choices when the text is exactly it, else "None".
QString Check_ReCall_Level(const QString& reCallLevel);

// ---- DALI maps file --------------------------------------------------------

// The chosen name with ".csv" appended unless its extension, trimmed and
// upper-cased, is ".CSV".
QString DALI_Maps_File_Name(const QString& chosen);
// Text 756 as the header line, then one line per enabled device: its row
// number (short address + 1) and its 8 byte positions, CR LF line ends, in
// the Western code page without byte-order mark.
QByteArray DALI_Maps_Bytes(const TTableRows& devices);
// Writes the maps file atomically. Throws fw::EFileError.
void Write_DALI_Maps(const QString& fileName, const TTableRows& devices);
// Btn_DALI_MapsClick: asks for the file (starting in the project folder),
// asks text 755 before replacing one, then writes it. False when the user
// stopped it.
bool Export_DALI_Maps(const TTableRows& devices);
