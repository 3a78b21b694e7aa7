#pragma once
// BACnet client access: the read and write requests to BACnet devices.
// The window frame, its texts and OK/Cancel; the tables arrive with the grid.
#include "app/UEditorWindow.h"

class TFBACnetAccess : public TEditorWindow {
    Q_OBJECT
public:
    explicit TFBACnetAccess(QWidget* owner = nullptr);
};

// The one window of this class, created at start-up.
extern TFBACnetAccess* FBACnetAccess;
