#include "grid/paint/FxGridAppearance.h"

#include "framework/ObjStringGrid.h"

TBackGround::TBackGround(fw::TStringGrid* ownerGrid) : FGrid(ownerGrid), FBitmap(std::make_unique<fw::TBitmap>()) {}

TBackGround::~TBackGround() = default;

void TBackGround::Changed()
{
    if (FGrid)
        FGrid->Invalidate();
}

void TBackGround::SetTop(int value)
{
    FTop = value;
    Changed();
}

void TBackGround::SetLeft(int value)
{
    FLeft = value;
    Changed();
}

void TBackGround::SetDisplay(TBackGroundDisplay value)
{
    FDisplay = value;
    Changed();
}

void TBackGround::SetBitmap(const fw::TBitmap& value)
{
    FBitmap->Assign(value);
    Changed();
}

void TBackGround::SetCells(TBackGroundCells value)
{
    FCells = value;
    Changed();
}

void TBackGround::SetColor(fw::TColor value)
{
    FColor = value;
    Changed();
}

void TBackGround::SetColorTo(fw::TColor value)
{
    FColorTo = value;
    Changed();
}

void TBalloonSettings::SetEnable(bool value)
{
    FEnable = value;
    if (OnEnableChange)
        OnEnableChange(this);
}

void TBalloonSettings::Assign(const TBalloonSettings& source)
{
    FTextColor = source.FTextColor;
    FBackgroundColor = source.FBackgroundColor;
    FInitialDelay = source.FInitialDelay;
    FAutoHideDelay = source.FAutoHideDelay;
    FReshowDelay = source.FReshowDelay;
    FEnable = source.FEnable;
}

void TShowModified::SetColor(fw::TColor value)
{
    FColor = value;
    if (OnChange)
        OnChange(this);
}

void TShowModified::Assign(const TShowModified& source)
{
    FColor = source.FColor;
    FEnabled = source.FEnabled;
}

void TGridProgressAppearance::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TGridProgressAppearance::Assign(const TGridProgressAppearance& source)
{
#define FX_PROGRESS_COPY(Type, Name, Initial) F##Name = source.F##Name;
    FX_PROGRESS_APPEARANCE(FX_PROGRESS_COPY)
#undef FX_PROGRESS_COPY
    Changed();
}
