#include "editors/can/Set_PDO_AccessData.h"

#include "editors/can/CanTables.h"
#include "editors/can/CellNumber.h"

namespace {

constexpr int kCobID = PDO_Col_COB_ID, kDimension = PDO_Col_Dimension, kFirstAddress = 3, kTiming = 11;
constexpr int kErrorRow = 2268;

struct TPdoTexts {
    int CobID, Dimension, Address1, Timing;
    int TimingMax;
    int ArraySize;
};

std::vector<TColumnSpec> pdoColumns(int firstHeader, int firstHint)
{
    std::vector<TColumnSpec> columns{
        Row_Number_Column(firstHeader, fw::clWindow),
        Column(firstHeader + 1, edNormal, 65, Can_Colour_Address, "COB-ID").With_Hint(firstHint),
        Column(firstHeader + 2, edNormal, 65, Can_Colour_Address, "Dimension").With_Hint(firstHint + 1),
    };
    for (int k = 1; k <= 8; ++k)
        columns.push_back(Column(firstHeader + 2 + k, edNormal, 45, Can_Colour_Position,
                                 QStringLiteral("Address_B%1").arg(k))
                              .With_Hint(firstHint + 1 + k));
    return columns;
}

TTableFailure checkTable(const TTableFile& file, int table, const TPdoTexts& text)
{
    const TTableRows& rows = file.Rows(table);
    const int end = Table_End(file.Table(table), rows);
    const QString lastPosition = QString::number(text.ArraySize - 1);
    for (int r = 0; r < end; ++r) {
        const QStringList& row = rows[size_t(r)];
        const int n = r + 1;
        TTableFailure f = Check_Cell_Range(row, kCobID, 0, 0x7FF, table, n, kErrorRow, text.CobID);
        if (!f.Failed())
            f = Check_Cell_Range(row, kDimension, 1, 8, table, n, kErrorRow, text.Dimension);
        // Addresses beyond the PDO's length are not looked at.
        const int dimension = Cell_Int(row[kDimension]);
        for (int k = 1; k <= dimension && !f.Failed(); ++k)
            f = Check_Cell_Range(row, kFirstAddress + k - 1, 0, text.ArraySize - 1, table, n, kErrorRow,
                                 text.Address1 + k - 1, lastPosition);
        if (!f.Failed())
            f = Check_Cell_Range(row, kTiming, 0, text.TimingMax, table, n, kErrorRow, text.Timing);
        if (f.Failed())
            return f;
    }
    return {};
}

} // namespace

TFileSpec PDO_File_Spec()
{
    std::vector<TColumnSpec> receive = pdoColumns(2216, 2243);
    receive.push_back(Column(2227, edNormal, 65, Can_Colour_Timing, "TimeOut").With_Hint(2253));
    receive.push_back(Column(2228, edNormal, 173, fw::clWhite, "Mnemonic").With_Hint(2254));
    std::vector<TColumnSpec> transmit = pdoColumns(2229, 2255);
    transmit.push_back(Column(2240, edNormal, 65, Can_Colour_Timing, "Send_Time").With_Hint(2265));
    transmit.push_back(Column(2241, edDataCheckBox, 68, Can_Colour_Timing, "On_Change").Centre().With_Hint(2266));
    transmit.push_back(Column(2242, edNormal, 105, fw::clWhite, "Mnemonic").With_Hint(2267));
    return {QStringLiteral("PDO_CANopen"), Can_File_Comment,
            {Table_Spec(2214, QStringLiteral("Receive_PDO"), PDO_Rows, kCobID, std::move(receive)),
             Table_Spec(2215, QStringLiteral("Transmit_PDO"), PDO_Rows, kCobID, std::move(transmit))},
            CANopen_File_Indent};
}

TTableFailure PDO_Controllo_dati(const TTableFile& file)
{
    const TTableFailure f = checkTable(file, PDO_Receive, {2269, 2270, 2271, 2279, 65535, PDO_NByte_IN});
    if (f.Failed())
        return f;
    return checkTable(file, PDO_Transmit, {2280, 2281, 2282, 2290, 100000000, PDO_NByte_OUT});
}
