#pragma once
// CANopen SDO client: the SDO read and write requests the converter sends,
// the two tables of SDO_Client_CANopen.xml in column grids, with the row
// buttons and the check on OK.
#include "app/services/TableWindow.h"

class TFSet_SDO_Client_Access : public TTableWindow {
    Q_OBJECT
public:
    explicit TFSet_SDO_Client_Access(QWidget* owner = nullptr);

protected:
    void Grids_Created() override;
};

// The one window of this class, created at start-up.
extern TFSet_SDO_Client_Access* FSet_SDO_Client_Access;
