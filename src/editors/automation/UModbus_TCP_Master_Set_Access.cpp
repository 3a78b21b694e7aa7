#include "editors/automation/UModbus_TCP_Master_Set_Access.h"

#include "app/services/UComon.h"
#include "controls/buttons/LbButton.h"
#include "editors/automation/Modbus_TCP_Master_Set_AccessData.h"

TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access = nullptr;

namespace {

TTableWindowSpec spec()
{
    TTableWindowSpec s;
    s.Texts = TEditorTexts{1100, 1101, 1102, 1103, -1, -1, {}, {}};
    // Copy Row and Paste Row keep the captions of the window, untranslated.
    s.Texts.Buttons = {
        {"Btn_Delete_Row", 1104, -1},
        {"Btn_Insert_Row", 1105, -1},
        {"Btn_Copy_Row", -1, -1},
        {"Btn_Paste_Row", -1, -1},
    };
    s.Texts.Pages = {1106, 1107};
    s.Texts.Client_Width = 1007;
    s.Texts.Client_Height = 337;
    s.File = ModbusTCPM_File_Spec();
    s.File_Name = &File_ModbusTCPM_SetAccess;
    s.Check = ModbusTCPM_Controllo_dati;
    s.Save = ModbusTCPM_Save;
    s.Grid_Names = {QStringLiteral("ACG_Modbus_Read"), QStringLiteral("ACG_Modbus_Write")};
    // A new row starts disabled; a row copied from the other table is not pasted.
    s.Insert_Enables = false;
    s.Last_Copy_Only = true;
    s.Delete_Question = 1161;
    return s;
}

} // namespace

TFModbus_TCP_Master_Set_Access::TFModbus_TCP_Master_Set_Access(QWidget* owner) : TTableWindow(spec(), owner)
{
    setObjectName(QStringLiteral("FModbus_TCP_Master_Set_Access"));
    Button("Btn_Copy_Row")->SetCaption(QStringLiteral("Copy Row"));
    Button("Btn_Paste_Row")->SetCaption(QStringLiteral("Paste Row"));
}
