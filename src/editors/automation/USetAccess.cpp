#include "editors/automation/USetAccess.h"

#include "app/services/UComon.h"
#include "editors/automation/SetAccessData.h"

TFSetAccess* FSetAccess = nullptr;

namespace {

TTableWindowSpec spec()
{
    TTableWindowSpec s;
    s.Texts = TEditorTexts{1700, 1701, 1702, 1703, -1, -1, {}, {}};
    s.Texts.Buttons = {
        {"Btn_Delete_Row", 1704, -1},
        {"Btn_Insert_Row", 1705, -1},
        {"Btn_Copy_Row", 1706, -1},
        {"Btn_Paste_Row", 1707, -1},
    };
    s.Texts.Pages = {1708, 1709};
    s.Texts.Client_Width = 956;
    s.Texts.Client_Height = 337;
    s.Texts.Sizeable = true;
    s.File = ModbusM_File_Spec();
    s.File_Name = &File_ModbusM_SetAccess;
    s.Check = ModbusM_Controllo_dati;
    s.Grid_Names = {QStringLiteral("ACG_Modbus_Read"), QStringLiteral("ACG_Modbus_Write")};
    // A new row starts disabled; a row copied from the other table is not pasted.
    s.Insert_Enables = false;
    s.Last_Copy_Only = true;
    s.Delete_Question = 1755;
    return s;
}

} // namespace

TFSetAccess::TFSetAccess(QWidget* owner) : TTableWindow(spec(), owner)
{
    setObjectName(QStringLiteral("FSetAccess"));
}
