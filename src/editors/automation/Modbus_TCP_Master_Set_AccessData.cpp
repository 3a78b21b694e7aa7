#include "editors/automation/Modbus_TCP_Master_Set_AccessData.h"

#include "editors/automation/AutomationColours.h"
#include "editors/automation/ModbusAccessRules.h"

namespace {

constexpr int kWriteOnChange = 9;
constexpr int kWriteOnCMD = 10;

TModbusLayout readLayout()
{
    TModbusLayout l;
    l.Table = TModbusTable::Read;
    l.IP_Address = 2;
    l.Port = 3;
    l.Slave_ID = 4;
    l.Type = 5;
    l.Address = 6;
    l.NPoint = 7;
    l.Poll_Time = 8;
    l.Max_Error = 9;
    l.Position = 10;
    l.Start_Bit = 11;
    l.Prefix_Text = 1138;
    l.Slave_ID_Text = 1141;
    l.Area_Bytes = ModbusTCPM_NByte_IN;
    return l;
}

TModbusLayout writeLayout()
{
    TModbusLayout l = readLayout();
    l.Table = TModbusTable::Write;
    l.Max_Error = 11;
    l.Position = 12;
    l.Start_Bit = 13;
    l.Slave_ID_Text = 1152;
    l.Area_Bytes = ModbusTCPM_NByte_OUT;
    return l;
}

} // namespace

TFileSpec ModbusTCPM_File_Spec()
{
    const TTableSpec read = Table_Spec(1106, QStringLiteral("Modbus_Read"), ModbusTCPM_Rows, 2, {
        Column(1108, edNone, 40, Cell_Colour_Number),
        Column(1109, edDataCheckBox, 50, Cell_Colour_Enable, "Enable", "Y").Centre(),
        Column(1110, edNormal, 101, Cell_Colour_Address, "IP_Address"),
        Column(1111, edNormal, 45, Cell_Colour_Address, "Port"),
        Column(1112, edNormal, 55, Cell_Colour_Address, "Slave_ID"),
        Column(1113, edComboList, 100, Cell_Colour_Address, "Type").With_Items(Modbus_Types(TModbusTable::Read)),
        Column(1114, edNormal, 55, Cell_Colour_Address, "Address"),
        Column(1115, edNormal, 45, Cell_Colour_Address, "NPoint"),
        Column(1116, edNormal, 60, Cell_Colour_Timing, "PollTime"),
        Column(1117, edNormal, 64, Cell_Colour_Timing, "MaxError"),
        Column(1118, edComboList, 60, Cell_Colour_Position, "Position").With_Items(Number_Items(ModbusTCPM_NByte_IN)),
        Column(1119, edComboList, 60, Cell_Colour_Position, "Bit").With_Items(Number_Items(8)),
        Column(1120, edDataCheckBox, 40, Cell_Colour_Value, "Swap").Centre().When_Missing("N"),
        Column(1121, edNormal, 200, Cell_Colour_Text, "Mnemonic"),
    });
    const TTableSpec write = Table_Spec(1107, QStringLiteral("Modbus_Write"), ModbusTCPM_Rows, 2, {
        Column(1122, edNone, 40, Cell_Colour_Number),
        Column(1123, edDataCheckBox, 50, Cell_Colour_Enable, "Enable", "Y").Centre(),
        Column(1124, edNormal, 101, Cell_Colour_Address, "IP_Address"),
        Column(1125, edNormal, 45, Cell_Colour_Address, "Port"),
        Column(1126, edNormal, 55, Cell_Colour_Address, "Slave_ID"),
        Column(1127, edComboList, 100, Cell_Colour_Address, "Type").With_Items(Modbus_Types(TModbusTable::Write)),
        Column(1128, edNormal, 55, Cell_Colour_Address, "Address"),
        Column(1129, edNormal, 45, Cell_Colour_Address, "NPoint"),
        Column(1130, edNormal, 60, Cell_Colour_Timing, "PollTime"),
        Column(1131, edDataCheckBox, 66, Cell_Colour_Timing, "OnChange").Hide().When_Missing("N"),
        Column(1132, edDataCheckBox, 56, Cell_Colour_Timing, "OnCMD").Hide().When_Missing("N"),
        Column(1133, edNormal, 62, Cell_Colour_Timing, "MaxError"),
        Column(1134, edComboList, 55, Cell_Colour_Position, "Position").With_Items(Number_Items(ModbusTCPM_NByte_OUT)),
        Column(1135, edComboList, 55, Cell_Colour_Position, "Bit").With_Items(Number_Items(8)),
        Column(1136, edDataCheckBox, 40, Cell_Colour_Value, "Swap").Centre().When_Missing("N"),
        Column(1137, edNormal, 212, Cell_Colour_Text, "Mnemonic"),
    });
    return {QStringLiteral("PROFINET_Master_to_Modbus_TCP_Master"), {}, {read, write}};
}

TTableFailure ModbusTCPM_Controllo_dati(const TTableFile& file)
{
    const TTableFailure read = Check_Modbus_Table(readLayout(), file.Table(ModbusTCPM_Read),
                                                  file.Rows(ModbusTCPM_Read), ModbusTCPM_Read);
    if (read.Failed())
        return read;
    return Check_Modbus_Table(writeLayout(), file.Table(ModbusTCPM_Write), file.Rows(ModbusTCPM_Write),
                              ModbusTCPM_Write);
}

void ModbusTCPM_Save(TTableFile& file, const QString& fileName)
{
    for (QStringList& row : file.Rows(ModbusTCPM_Write)) {
        row[kWriteOnChange] = QStringLiteral("N");
        row[kWriteOnCMD] = QStringLiteral("N");
    }
    file.Save(fileName);
}
