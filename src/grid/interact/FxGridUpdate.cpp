// The update lock and the interaction concern's settings.
#include "grid/model/FxGrid.h"
#include "grid/interact/FxGridInteract_p.h"

#define FX_INTERACT_SETTING(Type, Name, Initial, Write) FX_GRID_DEFINE_SETTING(InteractState(), Type, Name, Write)
FX_GRID_INTERACT_SETTINGS(FX_INTERACT_SETTING)
#undef FX_INTERACT_SETTING

void TFxStringGrid::BeginUpdate()
{
    if (!isVisible())
        return;
    if (InteractState().UpdateCount++ == 0)
        Perform(fw::WM_SETREDRAW, 0);
}

void TFxStringGrid::EndUpdate()
{
    TFxGridInteractState& s = InteractState();
    // A lock taken while shown and released while hidden is still released:
    // otherwise the grid would never paint again once shown.
    if (s.UpdateCount > 0)
        --s.UpdateCount;
    if (!isVisible() || s.UpdateCount > 0 || Destroying())
        return;
    SetSelectionChangedFlag(false);
    Perform(fw::WM_SETREDRAW, 1);
    Invalidate();
    DrawBorderLines();
}

void TFxStringGrid::StartUpdate()
{
    ++InteractState().UpdateCount;
}

void TFxStringGrid::ResetUpdate()
{
    InteractState().UpdateCount = 0;
}

int TFxStringGrid::UpdateCount() const
{
    return InteractState().UpdateCount;
}

void TFxStringGrid::SetLockUpdate(bool value)
{
    if (value)
        BeginUpdate();
    else
        EndUpdate();
}

int TFxStringGrid::TimerTicks() const
{
    return InteractState().TimerTicks;
}
