#pragma once
// The drop-down family's view of the visual-styles interface. There is one
// binding in the program, the grid foundation's (FxXPVS.h), which answers all
// 45 functions from the widget style; the drop button and the calculator
// keypad draw through it.
#include "grid/foundation/FxXPVS.h"

// The interface is bound (once, at the first question, while an application
// style exists) and may be called.
bool ThemeBinderLoaded();
