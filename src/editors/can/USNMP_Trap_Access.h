#pragma once
// SNMP access: the objects read and written over SNMP and their traps.
// The window frame, its texts and OK/Cancel; the tables arrive with the grid.
#include "app/UEditorWindow.h"

class TFSNMP_Trap_Access : public TEditorWindow {
    Q_OBJECT
public:
    explicit TFSNMP_Trap_Access(QWidget* owner = nullptr);
};

// The one window of this class, created at start-up.
extern TFSNMP_Trap_Access* FSNMP_Trap_Access;
