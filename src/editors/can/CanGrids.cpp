#include "editors/can/CanGrids.h"

#include "app/services/TableWindow.h"
#include "grid/model/FxCGrid.h"
#include "grid/paint/FxControlLook.h"

void SNMP_Grids(TTableWindow& window)
{
    for (int table = 0; table < window.Table_Count(); ++table) {
        TControlLook& look = window.Grid(table)->ControlLook();
        look.SetFixedGradientHoverFrom(fw::clGray);
        look.SetFixedGradientHoverTo(fw::clWhite);
        look.SetFixedGradientDownFrom(fw::clGray);
        look.SetFixedGradientDownTo(fw::clSilver);
    }
}

void CAN_Frame_Grids(TTableWindow& window)
{
    for (int table = 0; table < window.Table_Count(); ++table) {
        TFxColumnGrid* grid = window.Grid(table);
        TControlLook& look = grid->ControlLook();
        look.SetFixedGradientFrom(fw::clWhite);
        look.SetFixedGradientTo(fw::clBtnFace);
        look.SetFixedGradientHoverFrom(0xCFD0D1);
        look.SetFixedGradientHoverTo(0xBEC6C8);
        look.SetFixedGradientHoverMirrorFrom(0xBEC6C8);
        look.SetFixedGradientHoverMirrorTo(0xABBCBF);
        look.SetFixedGradientDownFrom(0x868788);
        look.SetFixedGradientDownTo(0x737C7E);
        look.SetFixedGradientDownMirrorFrom(0x737C7E);
        look.SetFixedGradientDownMirrorTo(0x627376);
        look.SetFixedGradientDownBorder(0xD5BCAA);
        grid->SetActiveCellColor(0xEACAB6);
    }
}

void CANopen_Grids(TTableWindow& window)
{
    // A click on a row number already selects that row through the table kit.
    for (int table = 0; table < window.Table_Count(); ++table)
        window.Grid(table)->SetDefaultRowHeight(21);
}
