#pragma once
// Process-wide application state shared by every window, and the small routines
// several windows share: IPv4 text checks, the serial port list, the user's
// decimal separator and a lenient float conversion. All of it is used on the
// user-interface thread only.
#include "framework/SysUtils.h"

#include <QChar>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <cstdint>

// ---- Constants -------------------------------------------------------------

inline const QString SW_Code_Init = QStringLiteral("SW585-K317");
inline const QString SW_Description_Init = QStringLiteral("DMX / Ethernet - Converter");
inline const QString SW_Name = QStringLiteral("SW585-K317");   // sent with the version query
inline const QString Main_Caption_Init = QStringLiteral("Orlaqi - Configurator SW585-K317 - DMX / Ethernet ");

inline const QString Default_IP_Address = QStringLiteral("192.168.2.205");
inline const QString Default_Language_Name = QStringLiteral("English");

// ---- Folders and project ---------------------------------------------------

extern QString Path_SW;         // folder of the program file, no trailing separator
extern QString Path_Master;     // Path_SW + "/MASTER", firmware images
extern QString Path_Projects;   // Path_SW + "/PROJECTS", one sub-folder per project
extern QString Path_Language;   // Path_SW + "/LANGUAGE", language files and flags
extern QString Name_Project;    // last opened or created project; its folder may be gone
extern QString Path_Project;    // folder of the open project; empty when none is open
extern QString Main_Caption;
extern QString SW_Code;
extern QString SW_Description;

// ---- Choices and remembered values -----------------------------------------

extern QString Language_Name;      // language file name without ".lng"
extern QString Update_IP_Address;  // device of the last update
extern int Update_Option;          // 0 firmware and configuration, 1 firmware, 2 configuration
extern bool Update_Read_Back;
extern bool Opt_Enable_Internet;
extern bool Opt_Enable_Update;
extern bool Opt_Jump_Field;
extern bool Opt_DblClick_AutoSize;
extern QString Path_EDE_Import;

// ---- Per-project files (rebuilt by Set_Project_Files) ----------------------

extern QString File_ParGen;
extern QString File_DALI_Access;
extern QString File_DALI2_Access;
extern QString File_ModbusTCPM_SetAccess;
extern QString File_DMX_Default_Values;
extern QString File_BACnet_Master_Access;
extern QString File_ModbusM_SetAccess;
extern QString File_SNMP_Trap;
extern QString File_CAN_Rec_Frames;
extern QString File_CAN_Send_Frames;
extern QString File_PDO_CANopen;
extern QString File_SDO_Client_CANopen;
extern QString File_SDO_Server_CANopen;

// One copied grid row, one text per column from column 1 on, shared by all
// table windows; the flags mark the entries that came from check boxes.
extern QStringList Row_Clipboard;
extern QList<bool> Row_Clipboard_Is_Check;

// Names of the enabled SNMP read and write objects, collected by the MIB writer.
extern QStringList SNMP_Read_Names;
extern QStringList SNMP_Write_Names;

// ---- State set-up ----------------------------------------------------------

// Path_SW := programFolder (a trailing separator is dropped) and the three
// folders beside it. The folders themselves are not created here.
void Set_Program_Paths(const QString& programFolder);

// Rebuilds the 13 per-project file paths from Path_Project.
void Set_Project_Files();

// True when name can be a project folder directly inside PROJECTS: not empty,
// not "." or "..", no path separator, no ".." anywhere and no character a
// folder name cannot hold on any of the supported desktops (< > : " | ? * and
// control characters).
bool Is_Valid_Project_Name(const QString& name);

// True when folder is a real folder: not a link, which could lead anywhere
// (outside PROJECTS, or a bin that sends the configuration image elsewhere).
// Projects and their bin folders are used only when this holds.
bool Is_Real_Folder(const QString& folder);

// Re-opens the remembered project: Path_Project := Path_Projects + "/" +
// Name_Project when the name is a valid project name of a folder the Open
// dialog would list (a real folder, not hidden), else empty. Name_Project is kept either way so it is written back at exit.
void Reopen_Last_Project();

// ---- Shared routines -------------------------------------------------------

// Splits a dotted address into four trimmed octet texts. Each output is written
// as soon as its part is found; true when all four convert to 0..255.
bool Split_IP_Address(const QString& text, QString& octet1, QString& octet2, QString& octet3,
                      QString& octet4);

// Parses "a.b.c.d:port" (blanks around each part allowed). The outputs are
// zeroed first and set only when the whole text is valid.
bool Check_IP_Port(const QString& text, std::uint8_t& b1, std::uint8_t& b2, std::uint8_t& b3,
                   std::uint8_t& b4, std::uint16_t& port);

// Lenient dotted address: a bad or missing byte becomes 0. Returns true on
// error (also for the empty text, which leaves the outputs untouched).
bool Get_IP_Bytes(const QString& text, std::uint8_t& b1, std::uint8_t& b2, std::uint8_t& b3,
                  std::uint8_t& b4);

// Serial ports present on this machine, as device names ("ttyS0", "ttyUSB0"),
// ordered by kind and then by number. ttyRoot is the sysfs tty class folder.
QStringList Get_COM_Ports(const QString& ttyRoot = QStringLiteral("/sys/class/tty"));

// The user's decimal separator: "," or "."; "," for any other separator.
QChar Get_Decimal_Separator(const QLocale& locale = QLocale::system());

// Converts text after turning every "," and "." into separator, then reading it
// with the process's number format (fw::FormatSettings()). On failure
// value := 1.0 and false.
bool Str_To_Single(const QString& text, QChar separator, float& value);
