#pragma once
// The parameter file Ethernet_Update.xml that tells the external updater what
// to send to the device: its address, the ports, and one operation per image
// (firmware, configuration or both).
#include <QByteArray>
#include <QString>

inline const QString Updater_Parameter_File_Name = QStringLiteral("Ethernet_Update.xml");

// What goes into the file. Option: 0 firmware and configuration, 1 firmware,
// 2 configuration (the item index of the update options box).
struct TUpdater_Parameters {
    QString IP_Address;    // the four address edits joined with ".", as typed
    int Option = 0;
    bool Read_Back = true;
    QString Path_Master;   // folder of the firmware image
    QString Path_Project;  // folder of the open project (its bin/bank.bin)
};

// The file's bytes: UTF-8, no declaration, one element per line.
QByteArray Updater_Parameter_Xml(const TUpdater_Parameters& parameters);

// Writes the file, replacing an earlier one only once the new one is complete.
// False with the reason in *error when it cannot be written.
bool Write_Updater_Parameter_File(const QString& fileName, const TUpdater_Parameters& parameters,
                                  QString* error = nullptr);
