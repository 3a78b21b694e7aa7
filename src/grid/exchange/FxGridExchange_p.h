#pragma once
// Exchange state of TFxStringGrid: file and clipboard settings. The exchange
// issue extends this struct.
#include "grid/model/FxGrid.h"

struct TFxGridExchangeState {
    FX_GRID_EXCHANGE_SETTINGS(FX_GRID_SETTING_FIELD)
};
