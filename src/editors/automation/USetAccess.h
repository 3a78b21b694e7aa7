#pragma once
// Modbus master access: the read requests that poll serial Modbus slaves
// into the converter's input area and the write requests sent from its
// output area, the two tables of ModbusM_SetAccess.xml in column grids, with
// the row buttons and the check on OK.
#include "app/services/TableWindow.h"

class TFSetAccess : public TTableWindow {
    Q_OBJECT
public:
    explicit TFSetAccess(QWidget* owner = nullptr);
};

// The one window of this class, created at start-up.
extern TFSetAccess* FSetAccess;
