#pragma once
// CAN frames sent by the converter, when they are sent and where their bytes
// come from: the table of CAN_Send_Frames.xml in a column grid, with its row
// buttons and its check on OK.
#include "app/services/TableWindow.h"

class TFTransmitCAN : public TTableWindow {
    Q_OBJECT
public:
    explicit TFTransmitCAN(QWidget* owner = nullptr);

protected:
    void Grids_Created() override;
};

// The one window of this class, created at start-up.
extern TFTransmitCAN* FTransmitCAN;
