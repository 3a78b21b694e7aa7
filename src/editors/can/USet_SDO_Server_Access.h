#pragma once
// CANopen SDO server: the objects of the converter's dictionary a master
// reads and writes, the two tables of SDO_Server_CANopen.xml in column grids,
// with the row buttons and the check on OK.
#include "app/services/TableWindow.h"

class TFSet_SDO_Server_Access : public TTableWindow {
    Q_OBJECT
public:
    explicit TFSet_SDO_Server_Access(QWidget* owner = nullptr);

protected:
    void Grids_Created() override;
};

// The one window of this class, created at start-up.
extern TFSet_SDO_Server_Access* FSet_SDO_Server_Access;
