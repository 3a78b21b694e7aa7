#include "grid/model/FxColumnSize.h"

void TColumnSize::Assign(const TColumnSize& source)
{
    FRows = source.FRows;
    FSave = source.FSave;
    FKey = source.FKey;
    FSection = source.FSection;
    FStretch = source.FStretch;
    FStretchColumn = source.FStretchColumn;
    FSynchWithGrid = source.FSynchWithGrid;
    FSynchNormalCellsOnly = source.FSynchNormalCellsOnly;
    FLocation = source.FLocation;
}

void TColumnSize::SetStretch(bool value)
{
    FStretch = value;
    if (OnStretch)
        OnStretch(FStretchColumn);
}
