// The exchange concern's settings (see README.md).
#include "grid/model/FxGrid.h"
#include "grid/exchange/FxGridExchange_p.h"

#define FX_EXCHANGE_SETTING(Type, Name, Initial, Write) FX_GRID_DEFINE_SETTING(ExchangeState(), Type, Name, Write)
FX_GRID_EXCHANGE_SETTINGS(FX_EXCHANGE_SETTING)
#undef FX_EXCHANGE_SETTING
