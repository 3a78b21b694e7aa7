#pragma once
// Modbus TCP master access: the read requests that poll Modbus TCP slaves
// into the converter's input area and the write requests sent from its
// output area, the two tables of ModbusTCPM_SetAccess.xml in column grids,
// with the row buttons and the check on OK.
#include "app/services/TableWindow.h"

class TFModbus_TCP_Master_Set_Access : public TTableWindow {
    Q_OBJECT
public:
    explicit TFModbus_TCP_Master_Set_Access(QWidget* owner = nullptr);
};

// The one window of this class, created at start-up.
extern TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access;
