#include "editors/can/CanFrames.h"

#include "app/ULanguage.h"
#include "editors/can/CanTables.h"
#include "editors/can/CellNumber.h"
#include "framework/SysUtils.h"

const QStringList& CAN_Types()
{
    static const QStringList items{CAN_Type_11_Bits(), QStringLiteral("2.0B (29 bits)")};
    return items;
}

QString CAN_Type_11_Bits()
{
    return QStringLiteral("2.0A (11 bits)");
}

bool CAN_Row_Enabled(const TCanFrameLayout& layout, const QStringList& row)
{
    return fw::UpperCase(fw::Trim(row[layout.Enable])) == QLatin1String("Y");
}

TTableFailure CAN_Check_Frame(const TCanFrameLayout& layout, const QStringList& row, int rowNumber)
{
    const int cobId = Cell_Int(row[layout.CobID]);
    // Any type but 2.0A, a blank one too, takes the 29-bit range.
    if (fw::Trim(row[layout.Type]) == CAN_Type_11_Bits()) {
        if (cobId < 0 || cobId > 0x7FF)
            return Row_Failure(layout.Table, rowNumber, layout.CobID, layout.Error_Row, layout.CobID_11);
    } else if (cobId < 0 || cobId > 0x1FFFFFFF) {
        return Row_Failure(layout.Table, rowNumber, layout.CobID, layout.Error_Row, layout.CobID_29);
    }
    const int dimension = Cell_Int(row[layout.Dimension]);
    if (dimension < 1 || dimension > 8)
        return Row_Failure(layout.Table, rowNumber, layout.Dimension, layout.Error_Row, layout.Dimension_Text);
    return {};
}

TTableFailure CAN_Check_Bytes(const TCanFrameLayout& layout, const QStringList& row, int rowNumber)
{
    const int dimension = Cell_Int(row[layout.Dimension]);
    for (int k = 1; k <= dimension; ++k) {
        const int column = layout.First_Byte + k - 1;
        const QString trimmed = fw::Trim(row[column]);
        if (trimmed.isEmpty() || trimmed == QLatin1String("None"))
            continue;
        if (Cell_In_Range(row[column], 0, layout.Max_Byte - 1))
            continue;
        const int text = k == 1 ? layout.Byte1_Text : layout.Byte2_Text + k - 2;
        return Row_Failure(layout.Table, rowNumber, column, layout.Error_Row, text,
                           QString::number(layout.Max_Byte - 1) + Lang_Text(layout.Or_None));
    }
    return {};
}
