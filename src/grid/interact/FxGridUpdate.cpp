// The update bracket, the interaction concern's settings, and placeholders
// of the interaction services the model calls (see README.md).
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
        viewport()->setUpdatesEnabled(false);
}

void TFxStringGrid::EndUpdate()
{
    TFxGridInteractState& s = InteractState();
    if (!isVisible() || s.UpdateCount == 0)
        return;
    if (--s.UpdateCount > 0 || Destroying())
        return;
    viewport()->setUpdatesEnabled(true);
    Invalidate();
}

int TFxStringGrid::UpdateCount() const
{
    return InteractState().UpdateCount;
}

void TFxStringGrid::ShowInplaceEdit()
{
    ShowEditor();
}

void TFxStringGrid::HideInplaceEdit()
{
    if (EditorMode())
        HideEditor();
}

void TFxStringGrid::HandleSetEditText(int ACol, int ARow, const QString& Value)
{
    const fw::TPoint b = BaseCell(RealColIndex(ACol), ARow);
    SetCells(b.X, b.Y, Value);
}

void TFxStringGrid::CellControlsUpdate(bool) {}
void TFxStringGrid::UpdateProportionalHorzScroll() {}
void TFxStringGrid::UpdateProportionalVertScroll() {}
void TFxStringGrid::UpdateScrollBarsAlways(bool) {}
void TFxStringGrid::StretchColumn(int) {}
