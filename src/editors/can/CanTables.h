#pragma once
// What the SNMP, CAN and CANopen tables share: the colours that group their
// cells, the row-number column, combo items that count, the version comment
// of their files and the form of their check messages.
#include "app/services/TableFile.h"

#include <QString>
#include <QStringList>

// Cell colours as the platform's blue-green-red values.
constexpr fw::TColor Can_Colour_Enable = 0xB0D8FF;     // enable boxes and conversions
constexpr fw::TColor Can_Colour_Address = 0xFEFAE0;    // what the row addresses
constexpr fw::TColor Can_Colour_Timing = 0xA8FFA8;     // when it is sent or times out
constexpr fw::TColor Can_Colour_Position = 0xF4D6FC;   // where its bytes lie in the data array
constexpr fw::TColor Can_Colour_Size = 0xA8FFFF;       // how many bits or bytes
constexpr fw::TColor Can_Colour_Name = 0xFFD5D5;       // SNMP object names
constexpr fw::TColor Can_Colour_Ip = 0xE4E4C9;         // SNMP trap destinations

// Every table file of these windows carries this comment after its root.
inline const QString Can_File_Comment = QStringLiteral("SW_VERSION = 1.000");
// The CANopen windows (PDO, SDO client, SDO server) write their files
// without indentation (TFileSpec::Indent); the SNMP and CAN frame files are
// indented.
constexpr bool CANopen_File_Indent = false;

// Column 0: the row number, not edited and not stored.
TColumnSpec Row_Number_Column(int header, fw::TColor color = fw::clNone);

// first (when given), then "0", "1", ... up to count - 1.
QStringList Count_Items(int count, const QString& first = {});

// The failure as the windows show it: text prefixText ("Error row "), the
// row, the check's text, then suffix.
TTableFailure Row_Failure(int table, int row, int column, int prefixText, int text, const QString& suffix = {});

// Row_Failure unless cell `column` of the row is a number from lo to hi.
TTableFailure Check_Cell_Range(const QStringList& row, int column, int lo, int hi, int table, int rowNumber,
                               int prefixText, int text, const QString& suffix = {});

// The SDO size check: N Byte exactly 1, 2 or 4.
TTableFailure Check_SDO_Size(const QStringList& row, int sizeColumn, int table, int rowNumber, int prefixText,
                             int sizeText);

// The SDO address checks, after the size passed: Add Byte1 and, as the size
// needs them, Add Byte2 to Add Byte4 a position 0 to arraySize - 1 (texts
// address1Text and on, the message ending with arraySize - 1).
TTableFailure Check_SDO_Addresses(const QStringList& row, int sizeColumn, int firstAddress, int arraySize,
                                  int table, int rowNumber, int prefixText, int address1Text);

// What a writer says of rows of a table file it leaves out of the file it
// writes: text indexes for rows beyond the table's capacity and for rows
// below the table's end (the window would say "not loaded", "not saved").
struct TWriterTexts {
    int Beyond;
    int AfterEnd;
};
constexpr TWriterTexts MIB_Writer_Texts{1989, 1990};
constexpr TWriterTexts EDS_Writer_Texts{2468, 2469};

// Loads a project table file for the MIB or EDS writer as its window would:
// a missing file leaves the defaults, an unreadable one throws fw::EXmlError
// (the device file must not silently describe default tables), and what the
// load could not take over (rows beyond the table, rows below its end, rows
// lacking values, missing sections) is appended to notes: the file's name,
// then one line per finding, the rows left out in the writer's texts.
TTableLoadReport Load_For_Writer(TTableFile& tables, const QString& fileName, const TWriterTexts& texts,
                                 QStringList& notes);
