#pragma once
// Modbus master access: the read and write requests the converter sends to Modbus slaves.
// The window frame, its texts and OK/Cancel; the tables arrive with the grid.
#include "app/UEditorWindow.h"

class TFSetAccess : public TEditorWindow {
    Q_OBJECT
public:
    explicit TFSetAccess(QWidget* owner = nullptr);
};

// The one window of this class, created at start-up.
extern TFSetAccess* FSetAccess;
