#pragma once
// DALI access: the DALI devices present on the bus, the DALI access rules and the rule functions.
// The window frame, its texts and OK/Cancel; the tables arrive with the grid.
#include "app/UEditorWindow.h"

class TFDALI_Access : public TEditorWindow {
    Q_OBJECT
public:
    explicit TFDALI_Access(QWidget* owner = nullptr);
};

// The one window of this class, created at start-up.
extern TFDALI_Access* FDALI_Access;
