#pragma once
// What the CAN receive and transmit tables share: the frame formats and the
// checks of a frame's identifier, length and data byte positions.
#include "app/TableSpec.h"

#include <QString>
#include <QStringList>

// "2.0A (11 bits)", "2.0B (29 bits)".
const QStringList& CAN_Types();
QString CAN_Type_11_Bits();

// Where a frame table keeps its cells and which texts its checks show.
struct TCanFrameLayout {
    int Table = 0;
    int Enable = 1, CobID = 2, Type = 3, Dimension = 4;
    int First_Byte = 0;     // column of Byte1; Byte2 to Byte8 follow
    int Max_Byte = 0;       // positions of the data array a byte may use
    int Error_Row = 0;      // "Error row "
    int CobID_11 = 0;       // CobID outside 0 to 2047 for a 2.0A frame
    int CobID_29 = 0;       // outside 0 to 0x1FFFFFFF for any other type
    int Dimension_Text = 0;
    int Byte1_Text = 0;     // Byte1; Byte2 to Byte8 follow Byte2_Text
    int Byte2_Text = 0;
    int Or_None = 0;        // " or None"
};

// A row is checked when its Enable cell, trimmed and upper-cased, is "Y".
bool CAN_Row_Enabled(const TCanFrameLayout& layout, const QStringList& row);

// Checks 1 and 2 of a frame row (identifier by frame format, length 1 to 8).
TTableFailure CAN_Check_Frame(const TCanFrameLayout& layout, const QStringList& row, int rowNumber);

// The byte checks: Byte1 to Byte<Dimension> blank, "None" or a position
// 0 to Max_Byte - 1; the message ends with Max_Byte - 1 and " or None".
TTableFailure CAN_Check_Bytes(const TCanFrameLayout& layout, const QStringList& row, int rowNumber);
