#pragma once
// CANopen SDO client table: the SDO requests the converter sends.
// The window frame, its texts and OK/Cancel; the tables arrive with the grid.
#include "app/UEditorWindow.h"

class TFSet_SDO_Client_Access : public TEditorWindow {
    Q_OBJECT
public:
    explicit TFSet_SDO_Client_Access(QWidget* owner = nullptr);
};

// The one window of this class, created at start-up.
extern TFSet_SDO_Client_Access* FSet_SDO_Client_Access;
