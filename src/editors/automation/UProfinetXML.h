#pragma once
// The PROFINET device description (GSDML, schema version 2.31) of the
// converter: a fixed description whose module input length follows the DALI
// devices enabled in the project, with the station name of ParGen.xml.
#include <QByteArray>
#include <QDate>
#include <QString>

#include <functional>

// The three values of the description that depend on the project.
struct TProfinet_Param {
    int Input_Length = 0;     // bytes of the module's input data
    int Output_Length = 132;  // bytes of its output data
    QString Station_Name;     // device access point's implementation and DNS name
};

// 8 for every element child of the DALI_Access.xml root whose text is
// exactly "1"; 0 when the file is missing. Throws fw::EXmlError when it
// cannot be read, so no description goes out with a wrong length.
int Count_DALI_Input_Bytes(const QString& daliAccessFile);

// Read_Profinet_Param: 8 bytes per enabled DALI device, 8 more when
// ParGen.xml enables DALI-2; the station name of ParGen.xml, "SERIAL" when it
// is blank or missing. A missing ParGen.xml leaves the DALI devices counted;
// one that cannot be read throws fw::EXmlError, as DALI_Access.xml does.
TProfinet_Param Read_Profinet_Param(const QString& parGenFile, const QString& daliAccessFile);

// The 167 lines of the description, CR LF ended, in UTF-8 with its
// byte-order mark as the declaration says; the station name escaped.
QByteArray GSDML_File_Bytes(const TProfinet_Param& param);

// Write_GSDML_File: reads the project's values (File_ParGen,
// File_DALI_Access) and writes the description atomically. Throws
// fw::EFileError or fw::EXmlError.
void Write_GSDML_File(const QString& path);

// "GSDML-V2.31-Orlaqi-HD58526", "_" and the user part when it is not blank
// (no second "_" when it starts with one), "-", the date as yyyyMMdd, ".xml".
QString GSDML_File_Fixed_Part();
QString GSDML_File_Date_Part(const QDate& date);
QString GSDML_File_Name(const QString& userPart, const QDate& date);
// The user part may not leave the folder the file goes into: no "/", "\" or "..".
bool Is_Valid_GSDML_User_Part(const QString& userPart);

// The date the file name carries: today, or what a test installs. An empty
// function restores today.
QDate GSDML_Today();
void Set_GSDML_Clock(std::function<QDate()> clock);

// Asks for the folder (the save dialog starts in the project folder with the
// name proposed), asks text 1011 before replacing a file, then writes the
// description there under fileName whatever name was typed in the dialog.
void Create_GSDML_File(const QString& fileName);
