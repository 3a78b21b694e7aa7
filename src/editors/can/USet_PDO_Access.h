#pragma once
// CANopen PDOs: the PDOs the converter receives (where their bytes go) and
// transmits (where their bytes come from), the two tables of PDO_CANopen.xml
// in column grids, with the row buttons and the check on OK.
#include "app/services/TableWindow.h"

class TFSet_PDO_Access : public TTableWindow {
    Q_OBJECT
public:
    explicit TFSet_PDO_Access(QWidget* owner = nullptr);

protected:
    void Grids_Created() override;
};

// The one window of this class, created at start-up.
extern TFSet_PDO_Access* FSet_PDO_Access;
