#pragma once
// The floating footer: TFloatingFooter holds the settings of the strip below
// the cells (the last row held fixed, a preview of one column, a preview
// built from a template, or custom painting); TFooterPanel is the child panel
// that draws the strip and turns mouse actions on it into the grid's events.
#include "framework/Types.h"
#include "grid/foundation/FxTypes.h"
#include "grid/paint/FxGridPaintTypes.h"

#include <QObject>
#include <QString>
#include <QWidget>

#include <functional>

class TBaseGrid;
class TFxStringGrid;

// A panel docked at the bottom of the grid; height 0 while hidden.
class TFooterPanel : public QWidget {
public:
    explicit TFooterPanel(QWidget* ownerGrid);
    int PanelHeight() const { return FHeight; }
    void SetPanelHeight(int value);

    // The column under x, as the strip lays the columns out (fixed columns,
    // then the scrolled ones from the grid's left column); -1 beyond the last.
    int ColumnAt(int X) const;
    // The column whose hint shows, -1 for none.
    int LastHintColumn() const { return FLastHintX; }
    // The strip's content width: the fixed columns and the columns from the
    // left visible column on.
    int FooterWidth() const;

    // The mouse in panel coordinates (also reached through the Qt events).
    void MouseUp(int X, int Y);
    void MouseMove(int X, int Y);
    // The hint of the column under x: asks OnGridHint when the footer shows hints.
    QString HintAt(int X);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    TFxStringGrid* Grid() const;

    int FHeight = 0;
    int FLastHintX = -1;
    bool FCreated = false;
};

// A template's "<#n>" tags replaced by the text of column n (CellText);
// a column out of range gives an empty text, a tag that is no number
// vanishes, and "<#" without a closing ">" stays as it is.
QString ExpandFooterTemplate(const QString& Template, int ColCount, const std::function<QString(int)>& CellText);

class TFloatingFooter : public QObject {
public:
    explicit TFloatingFooter(TFxStringGrid* ownerGrid);

    fw::TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(fw::TColor value);        // repaints the panel when changed
    bool CalculateHiddenRows() const { return FCalculateHiddenRows; }
    void SetCalculateHiddenRows(bool value) { FCalculateHiddenRows = value; }
    fw::TColor Color() const { return FColor; }
    void SetColor(fw::TColor value);              // repaints the panel
    int Column() const { return FColumn; }
    void SetColumn(int value);                    // repaints the panel
    QString CustomTemplate() const { return FCustomTemplate; }
    void SetCustomTemplate(const QString& value); // repaints the panel
    TFooterStyle FooterStyle() const { return FFooterStyle; }
    // The last row hides from the cells exactly while a fixed-last-row footer
    // shows; FixedFooters is left as it is.
    void SetFooterStyle(TFooterStyle value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    bool Visible() const { return FVisible; }
    // Shows or hides the panel (Height - 1 high, never below 0); a visible
    // fixed-last-row footer makes the grid's last row its one fixed footer.
    virtual void SetVisible(bool value);
    int Height() const { return FHeight; }
    void SetHeight(int value);                    // the panel takes value - 1 when above 0
    bool EnableCalculation() const { return FEnableCalculation; }
    void SetEnableCalculation(bool value) { FEnableCalculation = value; }

    // The calculation of a column lives in the cell properties of that
    // column's cell in the grid's last row.
    TColumnCalcType ColumnCalc(int col) const;
    void SetColumnCalc(int col, TColumnCalcType value);

    // Copies CalculateHiddenRows, Color, Column, CustomTemplate, FooterStyle,
    // Visible (through its writer) and ShowHint.
    void Assign(const TFloatingFooter& source);
    void Invalidate();

    std::function<void(QObject* sender, int ACol, QString& Value)> OnCalcFooter;

private:
    TFxStringGrid* FGrid;
    fw::TColor FBorderColor = fw::clNone;
    bool FCalculateHiddenRows = true;
    fw::TColor FColor = fw::clBtnFace;
    int FColumn = 0;
    QString FCustomTemplate;
    TFooterStyle FFooterStyle = fsFixedLastRow;
    bool FShowHint = false;
    bool FVisible = false;
    int FHeight = 0;
    bool FEnableCalculation = true;
};
