#include "grid/paint/FxSearchPanel.h"

TSearchPanel::TSearchPanel(QWidget* ownerGrid) : QWidget(ownerGrid)
{
    setFixedHeight(0);
}

void TSearchPanel::SetPanelHeight(int value)
{
    FHeight = value < 0 ? 0 : value;
    setFixedHeight(FHeight);
}
