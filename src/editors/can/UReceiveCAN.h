#pragma once
// CAN frames received by the converter and where their bytes go.
// The window frame, its texts and OK/Cancel; the tables arrive with the grid.
#include "app/UEditorWindow.h"

class TFReceiveCAN : public TEditorWindow {
    Q_OBJECT
public:
    explicit TFReceiveCAN(QWidget* owner = nullptr);
};

// The one window of this class, created at start-up.
extern TFReceiveCAN* FReceiveCAN;
