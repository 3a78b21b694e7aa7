#include "editors/can/USet_SDO_Server_Access.h"

#include "app/services/UComon.h"
#include "editors/can/CanGrids.h"
#include "editors/can/Set_SDO_Server_AccessData.h"

TFSet_SDO_Server_Access* FSet_SDO_Server_Access = nullptr;

namespace {

TTableWindowSpec spec()
{
    TTableWindowSpec s;
    s.Texts = TEditorTexts{2400, 2401, 2402, 2403, 2408, 2409, {}, {}};
    s.Texts.Buttons = {
        {"Btn_Delete_Row", 2404, 2410},
        {"Btn_Insert_Row", 2405, 2411},
        {"Btn_Copy_Row", 2406, 2412},
        {"Btn_Paste_Row", 2407, 2413},
    };
    s.Texts.Pages = {2414, 2415};
    s.Texts.Client_Width = 749;
    s.Texts.Client_Height = 337;
    // Tahoma 8 point, the tables' header texts bold.
    s.Texts.Font_Name = QStringLiteral("Tahoma");
    s.Bold_Headers = true;
    s.File = SDO_Server_File_Spec();
    s.File_Name = &File_SDO_Server_CANopen;
    s.Check = SDO_Server_Controllo_dati;
    s.Grid_Names = {QStringLiteral("sga"), QStringLiteral("sgb")};
    s.Delete_Question = 2465;
    // A new row starts blank; a row copied from the other table is not pasted.
    s.Insert_Enables = false;
    s.Last_Copy_Only = true;
    return s;
}

} // namespace

TFSet_SDO_Server_Access::TFSet_SDO_Server_Access(QWidget* owner) : TTableWindow(spec(), owner)
{
    setObjectName(QStringLiteral("FSet_SDO_Server_Access"));
}

void TFSet_SDO_Server_Access::Grids_Created()
{
    CANopen_Grids(*this);
}
