#include "editors/can/USet_SDO_Client_Access.h"

#include "app/services/UComon.h"
#include "editors/can/CanGrids.h"
#include "editors/can/Set_SDO_Client_AccessData.h"

TFSet_SDO_Client_Access* FSet_SDO_Client_Access = nullptr;

namespace {

TTableWindowSpec spec()
{
    TTableWindowSpec s;
    s.Texts = TEditorTexts{2300, 2301, 2302, 2303, 2308, 2309, {}, {}};
    s.Texts.Buttons = {
        {"Btn_Delete_Row", 2304, 2310},
        {"Btn_Insert_Row", 2305, 2311},
        {"Btn_Copy_Row", 2306, 2312},
        {"Btn_Paste_Row", 2307, 2313},
    };
    s.Texts.Pages = {2314, 2315};
    s.Texts.Client_Width = 798;
    s.Texts.Client_Height = 337;
    // Tahoma 8 point, the tables' header texts bold.
    s.Texts.Font_Name = QStringLiteral("Tahoma");
    s.Bold_Headers = true;
    s.File = SDO_Client_File_Spec();
    s.File_Name = &File_SDO_Client_CANopen;
    s.Check = SDO_Client_Controllo_dati;
    s.Grid_Names = {QStringLiteral("sga"), QStringLiteral("sgb")};
    s.Delete_Question = 2379;
    // A new row starts blank; a row copied from the other table is not pasted.
    s.Insert_Enables = false;
    s.Last_Copy_Only = true;
    return s;
}

} // namespace

TFSet_SDO_Client_Access::TFSet_SDO_Client_Access(QWidget* owner) : TTableWindow(spec(), owner)
{
    setObjectName(QStringLiteral("FSet_SDO_Client_Access"));
}

void TFSet_SDO_Client_Access::Grids_Created()
{
    CANopen_Grids(*this);
}
