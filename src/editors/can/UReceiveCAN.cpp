#include "editors/can/UReceiveCAN.h"

#include "app/services/UComon.h"
#include "editors/can/CanGrids.h"
#include "editors/can/ReceiveCANData.h"

TFReceiveCAN* FReceiveCAN = nullptr;

namespace {

TTableWindowSpec spec()
{
    TTableWindowSpec s;
    s.Texts = TEditorTexts{2000, 2001, 2002, 2003, 2023, 2024, {}, {}};
    s.Texts.Buttons = {
        {"Btn_Delete_Row", 2004, 2025},
        {"Btn_Insert_Row", 2005, 2026},
        {"Btn_Copy_Row", 2006, 2027},
        {"Btn_Paste_Row", 2007, 2028},
    };
    s.Texts.Client_Width = 1010;
    s.Texts.Client_Height = 337;
    s.File = ReceiveCAN_File_Spec();
    s.File_Name = &File_CAN_Rec_Frames;
    s.Check = ReceiveCAN_Controllo_dati;
    s.Grid_Names = {QStringLiteral("ACG_CAN_Receive")};
    s.Delete_Question = 2058;
    return s;
}

} // namespace

TFReceiveCAN::TFReceiveCAN(QWidget* owner) : TTableWindow(spec(), owner)
{
    setObjectName(QStringLiteral("FReceiveCAN"));
}

void TFReceiveCAN::Grids_Created()
{
    CAN_Frame_Grids(*this);
}
