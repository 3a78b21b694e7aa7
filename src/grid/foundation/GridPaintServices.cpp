#include "grid/foundation/GridPaintServices.h"

#include "grid/foundation/BaseGrid.h"

TFooterPanel::TFooterPanel(QWidget* ownerGrid) : QWidget(ownerGrid)
{
    setFixedHeight(0);
}

void TFooterPanel::SetPanelHeight(int value)
{
    FHeight = value < 0 ? 0 : value;
    setFixedHeight(FHeight);
}

void TSearchPanel::SetEditText(const QString& value)
{
    FEditText = value;
    if (OnEditChange)
        OnEditChange(this);
}

TFloatingFooter::TFloatingFooter(TBaseGrid* ownerGrid) : QObject(ownerGrid), FGrid(ownerGrid) {}

void TFloatingFooter::SetVisible(bool value)
{
    FVisible = value;
    if (OnVisibleChanged)
        OnVisibleChanged(this);
}

TColumnCalcType TFloatingFooter::ColumnCalc(int col) const
{
    const int row = FGrid->RowCount() - 1;
    if (!FGrid->CellPropertiesAssigned(col, row))
        return acNONE;
    return FGrid->GridObjects(col, row)->CalcType();
}

void TFloatingFooter::SetColumnCalc(int col, TColumnCalcType value)
{
    FGrid->CellProperties(col, FGrid->RowCount() - 1)->SetCalcType(value);
    if (OnRecalcColumn)
        OnRecalcColumn(col);
}

void TPrintSettings::Assign(const TPrintSettings&) {}

TControlLook::TControlLook(QWidget* ownerGrid) : QObject(ownerGrid), FGrid(ownerGrid) {}

namespace {

void repaintGrid(QWidget* grid)
{
    if (auto* g = qobject_cast<fw::TStringGrid*>(grid))
        g->Invalidate();
    else if (grid)
        grid->update();
}

} // namespace

void TControlLook::SetControlStyle(TControlStyle value)
{
    FControlStyle = value;
    repaintGrid(FGrid);
}

void TControlLook::SetCheckSize(int value)
{
    FCheckSize = value;
    repaintGrid(FGrid);
}

THTMLHintWindow::THTMLHintWindow(QWidget* owner) : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint) {}

void TBalloonSettings::SetEnable(bool value)
{
    if (FEnable == value)
        return;
    FEnable = value;
    if (OnEnableChange)
        OnEnableChange(this);
}

void TShowModified::SetEnabled(bool value)
{
    if (FEnabled == value)
        return;
    FEnabled = value;
    if (OnChange)
        OnChange(this);
}

void TGridProgressAppearance::Assign(const TGridProgressAppearance&) {}

TScrollControl::TScrollControl(QWidget* owner) : QWidget(owner) {}
