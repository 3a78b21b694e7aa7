#include "editors/can/UTransmitCAN.h"

#include "app/services/UComon.h"
#include "editors/can/CanGrids.h"
#include "editors/can/TransmitCANData.h"

TFTransmitCAN* FTransmitCAN = nullptr;

namespace {

TTableWindowSpec spec()
{
    TTableWindowSpec s;
    s.Texts = TEditorTexts{2100, 2101, 2102, 2103, 2125, 2126, {}, {}};
    s.Texts.Buttons = {
        {"Btn_Delete_Row", 2104, 2127},
        {"Btn_Insert_Row", 2105, 2128},
        {"Btn_Copy_Row", 2106, 2129},
        {"Btn_Paste_Row", 2107, 2130},
    };
    s.Texts.Client_Width = 1100;
    s.Texts.Client_Height = 337;
    s.File = TransmitCAN_File_Spec();
    s.File_Name = &File_CAN_Send_Frames;
    s.Check = TransmitCAN_Controllo_dati;
    s.Grid_Names = {QStringLiteral("ACG_CAN_Transmit")};
    s.Delete_Question = 2161;
    return s;
}

} // namespace

TFTransmitCAN::TFTransmitCAN(QWidget* owner) : TTableWindow(spec(), owner)
{
    setObjectName(QStringLiteral("FTransmitCAN"));
}

void TFTransmitCAN::Grids_Created()
{
    CAN_Frame_Grids(*this);
}
