#pragma once
// Import of a BACnet EDE file: the objects of a slave, chosen for reading or writing.
// The window frame, its texts and OK/Cancel; the tables arrive with the grid.
#include "app/UEditorWindow.h"

class TFImportEDEFile : public TEditorWindow {
    Q_OBJECT
public:
    explicit TFImportEDEFile(QWidget* owner = nullptr);
};

// The one window of this class, created at start-up.
extern TFImportEDEFile* FImportEDEFile;
