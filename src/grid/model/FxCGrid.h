#pragma once
// TFxColumnGrid: the feature grid with a Columns collection of one item per
// column (hidden ones included). A column's settings answer the per-cell
// queries before the cell's own properties and the per-cell events, which
// keep the last word.
#include "grid/model/FxGrid.h"
#include "grid/model/FxGridColumnItem.h"

#include <functional>
#include <memory>

class TFxColumnGrid : public TFxStringGrid {
    Q_OBJECT
public:
    // Makes the collection a grid uses; a descendant passes its own factory
    // (a virtual call could not reach the descendant during construction).
    using TColumnsFactory = std::function<std::unique_ptr<TGridColumnCollection>(TFxColumnGrid* owner)>;

    explicit TFxColumnGrid(QWidget* parent = nullptr);
    ~TFxColumnGrid() override;

    TGridColumnCollection& Columns() const;
    void SetColumns(const TGridColumnCollection& value);
    // The first column whose Name equals `name` exactly; null when none.
    TGridColumnItem* ColumnByName(const QString& name) const;
    void SetColCount(int value);
    bool AutoFilterDisplay() const;
    void SetAutoFilterDisplay(bool value);
    // Adds or frees items until there is one per column.
    void SyncColumns();
    void SyncColumnHeaders();
    bool ColMoving() const;

    void Loaded() override;
    int GetVersionNr() const override;          // $03010301
    QString GetVersionString() const override;  // "3.1.3.1 Aug, 2012"

    // The column answers first (see Columns()); the per-cell events last.
    void GetDefaultVisualProps(int ACol, int ARow, TCellLook& Look) override;
    QString GetFormattedCell(int ACol, int ARow) override;
    QString GetCellFloatFormat(int ACol, int ARow) const override;
    TCellType GetCellType(int ACol, int ARow) override;
    TCellGraphic* GetCellGraphic(int ACol, int ARow) override;
    void ColumnSizeChanged(int ACol, int& AWidth) override;
    void ColumnAutoSized(int ACol, int& AWidth) override;
    void ColumnHeadersChanged() override;
    void RecalcFooters() override;
    // The Columns collection moves with the inserted and removed columns.
    void InsertCols(int ColIndex, int CCount) override;
    void RemoveCols(int ColIndex, int CCount) override;
    void DoGetCellColor(int ACol, int ARow, fw::TGridDrawState AState, fw::TBrush& ABrush,
                        fw::TFont& AFont) override;
    void DoGetCellPrintColor(int ACol, int ARow, fw::TGridDrawState AState, fw::TBrush& ABrush,
                             fw::TFont& AFont) override;
    void DoGetCellBorder(int ACol, int ARow, fw::TPen& APen, TCellBorders& Borders) override;
    void DoGetCellPrintBorder(int ACol, int ARow, fw::TPen& APen, TCellBorders& Borders) override;
    void DoGetAlignment(int ACol, int ARow, fw::TAlignment& HAlign, TVAlignment& VAlign) override;
    void DoGetFormat(int ACol, TSortStyle& AStyle, QString& aPrefix, QString& aSuffix) override;
    void GetCellEditorType(int ACol, int ARow, TEditorType& AEditor) override;
    void DoIsFixedCell(int ACol, int ARow, bool& IsFixed) override;
    void CanEditCell(int ACol, int ARow, bool& CanEdit) override;
    void DoIsPasswordCell(int ACol, int ARow, bool& IsPassword) override;
    bool HasComboBox(int ACol, int ARow) override;
    void GetCheckTrue(int ACol, int ARow, QString& Value) override;
    void GetCheckFalse(int ACol, int ARow, QString& Value) override;
    bool DoGetColumnFilter(int Column) override;
    // A pick in the filter drop-down of the grid's current filter column:
    // the column's own Filter lines when it has them.
    void DoFilterSelect(int ItemIndex) override;

    // Saved column positions: keys "CP" + position in an INI file.
    void SaveColumnPositions(const QString& Key, const QString& Section);
    void LoadColumnPositions(const QString& Key, const QString& Section);
    void SaveColPositions() override;
    void LoadColPositions() override;

    std::function<void(QObject* Sender, int ACol, int ARow, QObject* PopupMenu)> OnColumnPopupEvent() const;
    void SetOnColumnPopup(std::function<void(QObject* Sender, int ACol, int ARow, QObject* PopupMenu)> value);
    void SetOnAfterColumnMoved(std::function<void(QObject* Sender, int FromIndex, int ToIndex)> value);

protected:
    TFxColumnGrid(QWidget* parent, const TColumnsFactory& makeColumns);
    void ColumnMoved(int FromIndex, int ToIndex) override;

private:
    // A column's item when the column has one (real column index).
    TGridColumnItem* ItemOf(int realCol) const;
    // Inside the normal area: not a fixed, right-fixed or footer cell.
    bool InNormalArea(int ACol, int ARow) const;

    struct Private;
    std::unique_ptr<Private> c;
};
