#pragma once
// CAN frames received by the converter and where their bytes go: the table
// of CAN_Rec_Frames.xml in a column grid, with its row buttons and its check
// on OK.
#include "app/services/TableWindow.h"

class TFReceiveCAN : public TTableWindow {
    Q_OBJECT
public:
    explicit TFReceiveCAN(QWidget* owner = nullptr);

protected:
    void Grids_Created() override;
};

// The one window of this class, created at start-up.
extern TFReceiveCAN* FReceiveCAN;
