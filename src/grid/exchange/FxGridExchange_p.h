#pragma once
// Exchange state of TFxStringGrid: file and clipboard settings.
#include "grid/model/FxGrid.h"

#include <memory>

struct TFxGridExchangeState {
    FX_GRID_EXCHANGE_SETTINGS(FX_GRID_SETTING_FIELD)
    // This grid's number in the process, given on first binary save: tells a
    // paste or drop whether cells came from this very grid (0: none yet).
    int GridId = 0;
    // Made on first use; shared so that this header needs no definition of it.
    std::shared_ptr<THTMLSettings> HTMLSettings;
};
