#pragma once
// CAN frames sent by the converter and where their bytes come from.
// The window frame, its texts and OK/Cancel; the tables arrive with the grid.
#include "app/UEditorWindow.h"

class TFTransmitCAN : public TEditorWindow {
    Q_OBJECT
public:
    explicit TFTransmitCAN(QWidget* owner = nullptr);
};

// The one window of this class, created at start-up.
extern TFTransmitCAN* FTransmitCAN;
