#pragma once
// What the CAN receive and transmit tables share: the frame formats and the
// checks of a frame's identifier, length and data byte positions.
#include "app/services/TableFile.h"

#include <QString>
#include <QStringList>

#include <functional>

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

// The table's timing check of one enabled row (its time-out or send period).
using TCanTimingCheck = std::function<TTableFailure(const QStringList& row, int rowNumber)>;

// Controllo_dati of a frame table: each row up to the table's end whose
// Enable cell, trimmed and upper-cased, is "Y": the identifier by frame
// format (any type but "2.0A (11 bits)", a blank one too, takes 29 bits),
// the length 1 to 8, the timing check, then Byte1 to Byte<length> blank,
// "None" or a position 0 to Max_Byte - 1 (the message ending with
// Max_Byte - 1 and " or None"). The first failure.
TTableFailure CAN_Check_Frames(const TTableFile& file, const TCanFrameLayout& layout, const TCanTimingCheck& timing);
