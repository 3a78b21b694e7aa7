// The painting concern's plain settings and the change relays the grid
// installs on its settings objects and editors.
#include "grid/model/FxGrid.h"
#include "grid/paint/FxGridPaint_p.h"

#define FX_PAINT_SETTING(Type, Name, Initial, Write) FX_GRID_DEFINE_SETTING(PaintState(), Type, Name, Write)
FX_GRID_PAINT_SETTINGS(FX_PAINT_SETTING)
#undef FX_PAINT_SETTING

TFxStringGrid::TPaintFeedback& TFxStringGrid::PaintFeedback() const
{
    return PaintState().Feedback;
}

void TFxStringGrid::ShowModifiedChanged()
{
    RepaintCol(0);
}

void TFxStringGrid::BandsChanged()
{
    Invalidate();
}

void TFxStringGrid::UnitEditChanged(const QString& AUnit)
{
    if (const auto& e = Events().OnUnitChanged)
        e(this, Col(), Row(), AUnit);
}

bool TFxStringGrid::UsesAppStyles()
{
    // No application style other than the default one exists in this program.
    return false;
}

void TFxStringGrid::ApplyAppStyleColors() {}
