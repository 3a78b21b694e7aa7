// The exchange concern's settings and placeholders of the exchange services
// the model calls (see README.md).
#include "grid/model/FxGrid.h"
#include "grid/exchange/FxGridExchange_p.h"

#define FX_EXCHANGE_SETTING(Type, Name, Initial, Write) FX_GRID_DEFINE_SETTING(ExchangeState(), Type, Name, Write)
FX_GRID_EXCHANGE_SETTINGS(FX_EXCHANGE_SETTING)
#undef FX_EXCHANGE_SETTING

void TFxStringGrid::SaveToStream(QIODevice&) {}
void TFxStringGrid::LoadFromStream(QIODevice&) {}
void TFxStringGrid::SaveColSizes() {}
void TFxStringGrid::LoadColSizes() {}
void TFxStringGrid::SaveColPositions() {}
void TFxStringGrid::LoadColPositions() {}
