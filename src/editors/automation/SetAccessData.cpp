#include "editors/automation/SetAccessData.h"

#include "editors/automation/AutomationColours.h"
#include "editors/automation/ModbusAccessRules.h"

namespace {

TModbusLayout readLayout()
{
    TModbusLayout l;
    l.Table = TModbusTable::Read;
    l.Slave_ID = 2;
    l.Type = 3;
    l.Address = 4;
    l.NPoint = 5;
    l.Poll_Time = 6;
    l.Max_Error = 7;
    l.Position = 8;
    l.Start_Bit = 9;
    l.Prefix_Text = 1736;
    l.Slave_ID_Text = 1737;
    l.Area_Bytes = ModbusM_NByte_IN;
    return l;
}

TModbusLayout writeLayout()
{
    TModbusLayout l = readLayout();
    l.Table = TModbusTable::Write;
    l.Max_Error = 9;
    l.Position = 10;
    l.Start_Bit = 11;
    l.Slave_ID_Text = 1746;
    l.Area_Bytes = ModbusM_NByte_OUT;
    return l;
}

} // namespace

TFileSpec ModbusM_File_Spec()
{
    const TTableSpec read = Table_Spec(1708, QStringLiteral("Modbus_Read"), ModbusM_Rows, 2, {
        Column(1710, edNone, 40, Cell_Colour_Number),
        Column(1711, edDataCheckBox, 50, Cell_Colour_Enable, "Enable", "Y").Centre(),
        Column(1712, edNormal, 60, Cell_Colour_Address, "Slave_ID"),
        Column(1713, edComboList, 115, Cell_Colour_Address, "Type").With_Items(Modbus_Types(TModbusTable::Read)),
        Column(1714, edNormal, 60, Cell_Colour_Address, "Address"),
        Column(1715, edNormal, 64, Cell_Colour_Address, "NPoint"),
        Column(1716, edNormal, 64, Cell_Colour_Timing, "PollTime"),
        Column(1717, edNormal, 64, Cell_Colour_Timing, "MaxError"),
        Column(1718, edComboList, 61, Cell_Colour_Position, "Position").With_Items(Number_Items(ModbusM_NByte_IN)),
        Column(1719, edComboList, 64, Cell_Colour_Position, "Bit").With_Items(Number_Items(8)),
        Column(1720, edDataCheckBox, 40, Cell_Colour_Value, "Swap").Centre().When_Missing("N"),
        Column(1721, edNormal, 240, Cell_Colour_Text, "Mnemonic"),
    });
    const TTableSpec write = Table_Spec(1709, QStringLiteral("Modbus_Write"), ModbusM_Rows, 2, {
        Column(1722, edNone, 40, Cell_Colour_Number),
        Column(1723, edDataCheckBox, 50, Cell_Colour_Enable, "Enable", "Y").Centre(),
        Column(1724, edNormal, 60, Cell_Colour_Address, "Slave_ID"),
        Column(1725, edComboList, 115, Cell_Colour_Address, "Type").With_Items(Modbus_Types(TModbusTable::Write)),
        Column(1726, edNormal, 60, Cell_Colour_Address, "Address"),
        Column(1727, edNormal, 64, Cell_Colour_Address, "NPoint"),
        Column(1728, edNormal, 64, Cell_Colour_Timing, "PollTime"),
        Column(1729, edDataCheckBox, 66, Cell_Colour_Timing, "OnChange").Hide(),
        Column(1730, edDataCheckBox, 56, Cell_Colour_Timing, "OnCMD").Hide().When_Missing("N"),
        Column(1731, edNormal, 64, Cell_Colour_Timing, "MaxError"),
        Column(1732, edComboList, 61, Cell_Colour_Position, "Position").With_Items(Number_Items(ModbusM_NByte_OUT)),
        Column(1733, edComboList, 64, Cell_Colour_Position, "Bit").With_Items(Number_Items(8)),
        Column(1734, edDataCheckBox, 40, Cell_Colour_Value, "Swap").Centre().When_Missing("N"),
        Column(1735, edNormal, 237, Cell_Colour_Text, "Mnemonic"),
    });
    return {QStringLiteral("EtherNetIP_to_Modbus"), QStringLiteral("SW_VERSION = 1.100"), {read, write}};
}

TTableFailure ModbusM_Controllo_dati(const TTableFile& file)
{
    const TTableFailure read = Check_Modbus_Table(readLayout(), file.Table(ModbusM_Read), file.Rows(ModbusM_Read),
                                                  ModbusM_Read);
    if (read.Failed())
        return read;
    return Check_Modbus_Table(writeLayout(), file.Table(ModbusM_Write), file.Rows(ModbusM_Write), ModbusM_Write);
}
