#include "editors/can/ReceiveCANData.h"

#include "editors/can/CanFrames.h"
#include "editors/can/CanTables.h"

namespace {

constexpr int kTimeOut = 5;
constexpr int kFirstByte = 6;

TCanFrameLayout layout()
{
    TCanFrameLayout l;
    l.First_Byte = kFirstByte;
    l.Max_Byte = ReceiveCAN_Max_Byte;
    l.Error_Row = 2044;
    l.CobID_11 = 2045;
    l.CobID_29 = 2046;
    l.Dimension_Text = 2047;
    l.Byte1_Text = 2049;
    l.Byte2_Text = 2051;
    l.Or_None = 2050;
    return l;
}

} // namespace

TFileSpec ReceiveCAN_File_Spec()
{
    std::vector<TColumnSpec> columns{
        Row_Number_Column(2008),
        Column(2009, edDataCheckBox, 50, Can_Colour_Enable, "Enable", "Y").Centre().With_Hint(2029),
        Column(2010, edNormal, 90, Can_Colour_Address, "COBID").With_Hint(2030),
        Column(2011, edComboList, 90, Can_Colour_Address, "CAN_Type").With_Items(CAN_Types()).With_Hint(2031),
        Column(2012, edNormal, 70, Can_Colour_Address, "Dim").With_Hint(2032),
        // Text 2033 belongs to no column of this table: the TimeOut hint is 2034.
        Column(2013, edNormal, 75, Can_Colour_Timing, "TimeOut").When_Missing("0").With_Hint(2034),
    };
    for (int k = 1; k <= 8; ++k)
        columns.push_back(Column(2013 + k, edComboList, 48, Can_Colour_Position, QStringLiteral("Byte%1").arg(k))
                              .With_Items(Count_Items(ReceiveCAN_Max_Byte, QStringLiteral("None")))
                              .With_Hint(2034 + k));
    columns.push_back(Column(2022, edNormal, 185, fw::clWindow, "Mnemonic").With_Hint(2043));
    return {QStringLiteral("Receive_Frames"), Can_File_Comment,
            {Table_Spec(2000, QString(), ReceiveCAN_Rows, 2, std::move(columns))}};
}

TTableFailure ReceiveCAN_Controllo_dati(const TTableFile& file)
{
    const TCanFrameLayout l = layout();
    return CAN_Check_Frames(file, l, [&l](const QStringList& row, int rowNumber) {
        return Check_Cell_Range(row, kTimeOut, 0, 100000000, l.Table, rowNumber, l.Error_Row, 2048);
    });
}
