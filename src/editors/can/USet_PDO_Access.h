#pragma once
// CANopen PDO table: the PDOs received and transmitted.
// The window frame, its texts and OK/Cancel; the tables arrive with the grid.
#include "app/UEditorWindow.h"

class TFSet_PDO_Access : public TEditorWindow {
    Q_OBJECT
public:
    explicit TFSet_PDO_Access(QWidget* owner = nullptr);
};

// The one window of this class, created at start-up.
extern TFSet_PDO_Access* FSet_PDO_Access;
