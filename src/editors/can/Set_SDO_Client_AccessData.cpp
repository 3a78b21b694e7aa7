#include "editors/can/Set_SDO_Client_AccessData.h"

#include "editors/can/CanTables.h"

namespace {

constexpr int kDevice = 1, kIndex = 2, kSubIndex = 3, kNByte = 4, kPollTime = 5;
constexpr int kErrorRow = 2360;

struct TClientTable {
    int Table;
    int FirstAddress;
    int PollMin;
    int ArraySize;
    int FirstText;   // Device ID; Index, SubIndex, N Byte, Poll Time, Address Byte1 to 4 follow
};

TTableFailure checkTable(const TTableFile& file, const TClientTable& t)
{
    const TTableRows& rows = file.Rows(t.Table);
    const int end = Table_End(file.Table(t.Table), rows);
    for (int r = 0; r < end; ++r) {
        const QStringList& row = rows[size_t(r)];
        const int n = r + 1;
        TTableFailure f = Check_Cell_Range(row, kDevice, 1, 127, t.Table, n, kErrorRow, t.FirstText);
        if (!f.Failed())
            f = Check_Cell_Range(row, kIndex, 0x1000, 0xFFFF, t.Table, n, kErrorRow, t.FirstText + 1);
        if (!f.Failed())
            f = Check_Cell_Range(row, kSubIndex, 0, 0xFF, t.Table, n, kErrorRow, t.FirstText + 2);
        if (!f.Failed())
            f = Check_SDO_Size(row, kNByte, t.Table, n, kErrorRow, t.FirstText + 3);
        if (!f.Failed())
            f = Check_Cell_Range(row, kPollTime, t.PollMin, 100000000, t.Table, n, kErrorRow, t.FirstText + 4);
        if (!f.Failed())
            f = Check_SDO_Addresses(row, kNByte, t.FirstAddress, t.ArraySize, t.Table, n, kErrorRow,
                                    t.FirstText + 5);
        if (f.Failed())
            return f;
    }
    return {};
}

} // namespace

TFileSpec SDO_Client_File_Spec()
{
    auto common = [](int header, int hint) {
        return std::vector<TColumnSpec>{
            Row_Number_Column(header, fw::clWindow),
            Column(header + 1, edNormal, 60, Can_Colour_Address, "Device_ID").With_Hint(hint),
            Column(header + 2, edNormal, 55, Can_Colour_Address, "Index").With_Hint(hint + 1),
            Column(header + 3, edNormal, 60, Can_Colour_Address, "SubIndex").With_Hint(hint + 2),
            Column(header + 4, edNormal, 45, Can_Colour_Address, "NByte").With_Hint(hint + 3),
            Column(header + 5, edNormal, 60, Can_Colour_Timing, "Poll_Time").With_Hint(hint + 4),
        };
    };
    auto addresses = [](std::vector<TColumnSpec>& columns, int header, int hint) {
        for (int k = 0; k < 4; ++k)
            columns.push_back(Column(header + k, edNormal, 70, Can_Colour_Position,
                                     QStringLiteral("Address_B%1").arg(k + 1))
                                  .With_Hint(hint + k));
    };
    std::vector<TColumnSpec> read = common(2316, 2339);
    addresses(read, 2322, 2344);
    read.push_back(Column(2326, edNormal, 163, fw::clWhite, "Mnemonic").With_Hint(2348));
    std::vector<TColumnSpec> write = common(2327, 2349);
    write.push_back(Column(2333, edDataCheckBox, 68, Can_Colour_Timing, "On_Change").Centre().With_Hint(2354));
    addresses(write, 2334, 2355);
    write.push_back(Column(2338, edNormal, 95, fw::clWhite, "Mnemonic").With_Hint(2359));
    return {QStringLiteral("SDO_Client_CANopen"), Can_File_Comment,
            {Table_Spec(2314, QStringLiteral("SDO_Read"), SDO_Client_Rows, kDevice, std::move(read)),
             Table_Spec(2315, QStringLiteral("SDO_Write"), SDO_Client_Rows, kDevice, std::move(write))},
            CANopen_File_Indent};
}

TTableFailure SDO_Client_Controllo_dati(const TTableFile& file)
{
    const TTableFailure f = checkTable(file, {SDO_Client_Read, 6, 1, SDO_Client_NByte_IN, 2361});
    if (f.Failed())
        return f;
    return checkTable(file, {SDO_Client_Write, 7, 0, SDO_Client_NByte_OUT, 2370});
}
