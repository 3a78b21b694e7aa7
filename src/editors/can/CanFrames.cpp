#include "editors/can/CanFrames.h"

#include "app/services/ULanguage.h"
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

namespace {

TTableFailure checkFrame(const TCanFrameLayout& layout, const QStringList& row, int rowNumber)
{
    const int cobId = Cell_Int(row[layout.CobID]);
    if (fw::Trim(row[layout.Type]) == CAN_Type_11_Bits()) {
        if (cobId < 0 || cobId > 0x7FF)
            return Row_Failure(layout.Table, rowNumber, layout.CobID, layout.Error_Row, layout.CobID_11);
    } else if (cobId < 0 || cobId > 0x1FFFFFFF) {
        return Row_Failure(layout.Table, rowNumber, layout.CobID, layout.Error_Row, layout.CobID_29);
    }
    return Check_Cell_Range(row, layout.Dimension, 1, 8, layout.Table, rowNumber, layout.Error_Row,
                            layout.Dimension_Text);
}

TTableFailure checkBytes(const TCanFrameLayout& layout, const QStringList& row, int rowNumber)
{
    const int dimension = Cell_Int(row[layout.Dimension]);
    for (int k = 1; k <= dimension; ++k) {
        const int column = layout.First_Byte + k - 1;
        const QString trimmed = fw::Trim(row[column]);
        if (trimmed.isEmpty() || trimmed == QLatin1String("None"))
            continue;
        const int text = k == 1 ? layout.Byte1_Text : layout.Byte2_Text + k - 2;
        const TTableFailure f = Check_Cell_Range(row, column, 0, layout.Max_Byte - 1, layout.Table, rowNumber,
                                                 layout.Error_Row, text,
                                                 QString::number(layout.Max_Byte - 1) + Lang_Text(layout.Or_None));
        if (f.Failed())
            return f;
    }
    return {};
}

} // namespace

TTableFailure CAN_Check_Frames(const TTableFile& file, const TCanFrameLayout& layout, const TCanTimingCheck& timing)
{
    const TTableRows& rows = file.Rows(layout.Table);
    const int end = Table_End(file.Table(layout.Table), rows);
    for (int r = 0; r < end; ++r) {
        const QStringList& row = rows[size_t(r)];
        if (fw::UpperCase(fw::Trim(row[layout.Enable])) != QLatin1String("Y"))
            continue;
        TTableFailure f = checkFrame(layout, row, r + 1);
        if (!f.Failed())
            f = timing(row, r + 1);
        if (!f.Failed())
            f = checkBytes(layout, row, r + 1);
        if (f.Failed())
            return f;
    }
    return {};
}
