#pragma once
// Interaction state of TFxStringGrid: the update bracket and what editing
// leaves for the model to read. The interaction issue extends this struct.
#include "grid/model/FxGrid.h"

struct TFxGridInteractState {
    FX_GRID_INTERACT_SETTINGS(FX_GRID_SETTING_FIELD)

    int UpdateCount = 0;
    // The in-place editor kind in use.
    TEditorType CurrentEditor = edNormal;
    // Set by an in-place edit change: the next Invalidate is swallowed.
    bool EditChange = false;
    // The current cell's "modified" flag of the in-place editing.
    bool Modified = false;
    // Editing is allowed although goEditing is off (set by the editing code).
    bool EditDisable = false;
};
