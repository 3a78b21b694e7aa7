#pragma once
// CANopen SDO server table: the objects other devices read and write.
// The window frame, its texts and OK/Cancel; the tables arrive with the grid.
#include "app/UEditorWindow.h"

class TFSet_SDO_Server_Access : public TEditorWindow {
    Q_OBJECT
public:
    explicit TFSet_SDO_Server_Access(QWidget* owner = nullptr);
};

// The one window of this class, created at start-up.
extern TFSet_SDO_Server_Access* FSet_SDO_Server_Access;
