#include "editors/can/USet_PDO_Access.h"

#include "app/services/UComon.h"
#include "editors/can/CanGrids.h"
#include "editors/can/Set_PDO_AccessData.h"

TFSet_PDO_Access* FSet_PDO_Access = nullptr;

namespace {

TTableWindowSpec spec()
{
    TTableWindowSpec s;
    s.Texts = TEditorTexts{2200, 2201, 2202, 2203, 2208, 2209, {}, {}};
    s.Texts.Buttons = {
        {"Btn_Delete_Row", 2204, 2210},
        {"Btn_Insert_Row", 2205, 2211},
        {"Btn_Copy_Row", 2206, 2212},
        {"Btn_Paste_Row", 2207, 2213},
    };
    s.Texts.Pages = {2214, 2215};
    s.Texts.Client_Width = 798;
    s.Texts.Client_Height = 337;
    // Tahoma 8 point, the tables' header texts bold; the description grey.
    s.Texts.Font_Name = QStringLiteral("Tahoma");
    s.Texts.Grey_Description = true;
    s.Bold_Headers = true;
    s.File = PDO_File_Spec();
    s.File_Name = &File_PDO_CANopen;
    s.Check = PDO_Controllo_dati;
    s.Grid_Names = {QStringLiteral("sga"), QStringLiteral("sgb")};
    s.Delete_Question = 2291;
    // A new row starts blank; a row copied from the other table is not pasted.
    s.Insert_Enables = false;
    s.Last_Copy_Only = true;
    return s;
}

} // namespace

TFSet_PDO_Access::TFSet_PDO_Access(QWidget* owner) : TTableWindow(spec(), owner)
{
    setObjectName(QStringLiteral("FSet_PDO_Access"));
}

void TFSet_PDO_Access::Grids_Created()
{
    CANopen_Grids(*this);
}
