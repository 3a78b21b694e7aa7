#pragma once
// What the grids of the SNMP, CAN and CANopen windows add to the table-window
// kit's grids: the header look of the SNMP and CAN frame grids, and rows 21
// pixels high for the CANopen grids (PDO, SDO client, SDO server).
class TTableWindow;

// Header cells: hover grey to white, pressed grey to silver.
void SNMP_Grids(TTableWindow& window);
// Header cells from white to the button face, with the frame windows' hover
// and pressed tones; the active cell's colour.
void CAN_Frame_Grids(TTableWindow& window);
void CANopen_Grids(TTableWindow& window);
