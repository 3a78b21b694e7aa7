#pragma once
// The drop-down family's view of the visual-styles interface. There is one
// binding in the program, the grid foundation's (FxXPVS.h), which answers all
// 45 functions from the widget style; the drop button and the calculator
// keypad draw through it. This unit keeps the binder's loaded flag and its
// program-wide start and end.
#include "grid/foundation/FxXPVS.h"

// Binds at the first call (while an application style exists); later calls
// only count. Each InitThemeBinder is matched by a DoneThemeBinder.
void InitThemeBinder();
void DoneThemeBinder();
// The interface is bound and may be called.
bool ThemeBinderLoaded();
