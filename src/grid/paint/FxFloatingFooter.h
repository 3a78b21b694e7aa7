#pragma once
// The floating footer: TFloatingFooter holds the settings of the strip below
// the cells (the last row held fixed, a column preview, a template preview or
// custom painting); TFooterPanel is the child panel that draws the strip and
// turns mouse actions on it into the grid's events.
#include "framework/Types.h"
#include "grid/foundation/FxTypes.h"
#include "grid/paint/FxGridPaintTypes.h"

#include <QObject>
#include <QString>
#include <QWidget>

class TBaseGrid;
class TFxStringGrid;

// A panel docked at the bottom of the grid; height 0 while hidden.
class TFooterPanel : public QWidget {
public:
    explicit TFooterPanel(QWidget* ownerGrid);
    int PanelHeight() const { return FHeight; }
    void SetPanelHeight(int value);

private:
    int FHeight = 0;
};

class TFloatingFooter : public QObject {
public:
    explicit TFloatingFooter(TBaseGrid* ownerGrid);

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool value);
    int Height() const { return FHeight; }
    void SetHeight(int value) { FHeight = value; }
    TFooterStyle FooterStyle() const { return FFooterStyle; }
    void SetFooterStyle(TFooterStyle value) { FFooterStyle = value; }
    bool EnableCalculation() const { return FEnableCalculation; }
    void SetEnableCalculation(bool value) { FEnableCalculation = value; }
    fw::TColor Color() const { return FColor; }
    void SetColor(fw::TColor value) { FColor = value; }
    bool CalculateHiddenRows() const { return FCalculateHiddenRows; }
    void SetCalculateHiddenRows(bool value) { FCalculateHiddenRows = value; }

    TColumnCalcType ColumnCalc(int col) const;
    void SetColumnCalc(int col, TColumnCalcType value);

private:
    TBaseGrid* FGrid;
    bool FVisible = false;
    int FHeight = 0;
    TFooterStyle FFooterStyle = fsFixedLastRow;
    bool FEnableCalculation = true;
    bool FCalculateHiddenRows = true;
    fw::TColor FColor = fw::clBtnFace;
};
