#pragma once
// Modbus TCP master access: the read and write requests the converter sends to Modbus TCP slaves.
// The window frame, its texts and OK/Cancel; the tables arrive with the grid.
#include "app/UEditorWindow.h"

class TFModbus_TCP_Master_Set_Access : public TEditorWindow {
    Q_OBJECT
public:
    explicit TFModbus_TCP_Master_Set_Access(QWidget* owner = nullptr);
};

// The one window of this class, created at start-up.
extern TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access;
