#pragma once
// What the grids of the CANopen windows (PDO, SDO client, SDO server) add to
// the table-window kit: rows 21 pixels high, and a click on a row number
// selects that whole row.
class TTableWindow;

void CANopen_Grids(TTableWindow& window);
