#include "grid/paint/FxFloatingFooter.h"

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

TFloatingFooter::TFloatingFooter(TBaseGrid* ownerGrid) : QObject(ownerGrid), FGrid(ownerGrid) {}

void TFloatingFooter::SetVisible(bool value)
{
    FVisible = value;
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
}
