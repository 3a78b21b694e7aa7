#include "editors/can/Set_SDO_Server_AccessData.h"

#include "editors/can/CanTables.h"
#include "editors/can/CellNumber.h"

namespace {

constexpr int kIndex = SDO_Server_Col_Index, kSubIndex = SDO_Server_Col_SubIndex, kNByte = SDO_Server_Col_NByte,
              kFirstAddress = 4;
constexpr int kErrorRow = 2450;

struct TServerTable {
    int Table;
    int ArraySize;
    int FirstText;   // Index; SubIndex, N Byte, Address Byte1 to 4 follow
};

TTableFailure checkTable(const TTableFile& file, const TServerTable& t)
{
    const TTableRows& rows = file.Rows(t.Table);
    const int end = Table_End(file.Table(t.Table), rows);
    for (int r = 0; r < end; ++r) {
        const QStringList& row = rows[size_t(r)];
        const int n = r + 1;
        TTableFailure f = Check_Cell_Range(row, kIndex, 0x2000, 0x5FFF, t.Table, n, kErrorRow, t.FirstText);
        if (!f.Failed())
            f = Check_Cell_Range(row, kSubIndex, 0, 0xFF, t.Table, n, kErrorRow, t.FirstText + 1);
        if (!f.Failed())
            f = Check_SDO_Size(row, kNByte, t.Table, n, kErrorRow, t.FirstText + 2);
        if (!f.Failed())
            f = Check_SDO_Addresses(row, kNByte, kFirstAddress, t.ArraySize, t.Table, n, kErrorRow,
                                    t.FirstText + 3);
        if (f.Failed())
            return f;
    }
    return {};
}

} // namespace

TFileSpec SDO_Server_File_Spec()
{
    auto columns = [](int header, int hint, int addressHint) {
        std::vector<TColumnSpec> c{
            Row_Number_Column(header, fw::clWindow),
            Column(header + 1, edNormal, 65, Can_Colour_Address, "Index").With_Hint(hint),
            Column(header + 2, edNormal, 61, Can_Colour_Address, "SubIndex").With_Hint(hint + 1),
            Column(header + 3, edNormal, 55, Can_Colour_Address, "NByte").With_Hint(hint + 2),
        };
        for (int k = 0; k < 4; ++k)
            c.push_back(Column(header + 4 + k, edNormal, 80, Can_Colour_Position, QStringLiteral("Address_B%1").arg(k + 1))
                            .With_Hint(addressHint + k));
        c.push_back(Column(header + 8, edNormal, 170, fw::clWhite, "Mnemonic").With_Hint(addressHint + 4));
        return c;
    };
    return {QStringLiteral("SDO_Server_CANopen"), Can_File_Comment,
            {Table_Spec(2414, QStringLiteral("SDO_Read"), SDO_Server_Rows, kIndex, columns(2416, 2434, 2437)),
             Table_Spec(2415, QStringLiteral("SDO_Write"), SDO_Server_Rows, kIndex, columns(2425, 2442, 2445))},
            CANopen_File_Indent};
}

TTableFailure SDO_Server_Controllo_dati(const TTableFile& file)
{
    // An object given twice is not refused here: the EDS writer refuses it,
    // naming both rows, when it would describe the object twice.
    const TTableFailure f = checkTable(file, {SDO_Server_Read, SDO_Server_NByte_IN, 2451});
    if (f.Failed())
        return f;
    return checkTable(file, {SDO_Server_Write, SDO_Server_NByte_OUT, 2458});
}
