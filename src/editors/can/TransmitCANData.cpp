#include "editors/can/TransmitCANData.h"

#include "editors/can/CanFrames.h"
#include "editors/can/CanTables.h"
#include "framework/SysUtils.h"

namespace {

constexpr int kOnTimer = 7;
constexpr int kTime = 8;
constexpr int kFirstByte = 9;

TCanFrameLayout layout()
{
    TCanFrameLayout l;
    l.First_Byte = kFirstByte;
    l.Max_Byte = TransmitCAN_Max_Byte;
    l.Error_Row = 2147;
    l.CobID_11 = 2148;
    l.CobID_29 = 2149;
    l.Dimension_Text = 2150;
    l.Byte1_Text = 2152;
    l.Byte2_Text = 2154;
    l.Or_None = 2153;
    return l;
}

} // namespace

TFileSpec TransmitCAN_File_Spec()
{
    std::vector<TColumnSpec> columns{
        Row_Number_Column(2108),
        Column(2109, edDataCheckBox, 50, Can_Colour_Enable, "Enable", "Y").Centre().With_Hint(2131),
        Column(2110, edNormal, 90, Can_Colour_Address, "COBID").With_Hint(2132),
        Column(2111, edComboList, 90, Can_Colour_Address, "CAN_Type").With_Items(CAN_Types())
            .When_Missing(CAN_Type_11_Bits()).With_Hint(2133),
        Column(2112, edNormal, 70, Can_Colour_Address, "Dim").With_Hint(2134),
        Column(2113, edDataCheckBox, 65, Can_Colour_Timing, "OnChange").When_Missing("Y").With_Hint(2135),
        Column(2162, edDataCheckBox, 50, Can_Colour_Timing, "OnCMD").When_Missing("N").With_Hint(2163),
        Column(2114, edDataCheckBox, 55, Can_Colour_Timing, "OnTimer").When_Missing("N").With_Hint(2136),
        Column(2115, edNormal, 70, Can_Colour_Timing, "Time")
            .When_Missing_From([](const QStringList& row) {
                return row.value(kOnTimer) == QLatin1String("Y") ? QStringLiteral("0") : QString();
            })
            .With_Hint(2137),
    };
    for (int k = 1; k <= 8; ++k)
        columns.push_back(Column(2115 + k, edComboList, 48, Can_Colour_Position, QStringLiteral("Byte%1").arg(k))
                              .With_Items(Count_Items(TransmitCAN_Max_Byte, QStringLiteral("None")))
                              .With_Hint(2137 + k));
    columns.push_back(Column(2124, edNormal, 110, fw::clWindow, "Mnemonic").With_Hint(2146));
    return {QStringLiteral("Transmit_Frames"), Can_File_Comment,
            {Table_Spec(2100, QString(), TransmitCAN_Rows, 2, std::move(columns))}};
}

TTableFailure TransmitCAN_Controllo_dati(const TTableFile& file)
{
    const TCanFrameLayout l = layout();
    return CAN_Check_Frames(file, l, [&l](const QStringList& row, int rowNumber) {
        if (fw::UpperCase(fw::Trim(row[kOnTimer])) != QLatin1String("Y"))
            return TTableFailure{};
        return Check_Cell_Range(row, kTime, 0, 100000000, l.Table, rowNumber, l.Error_Row, 2151);
    });
}
