#pragma once
// All free routines of the grid pack: text, number and date routines and the
// drawing routines.
#include "grid/foundation/FxUtilDraw.h"
#include "grid/foundation/FxUtilText.h"
