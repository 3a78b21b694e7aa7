#pragma once
// TFxStringGrid, the feature grid every table window stands on, directly or
// through the column grid (FxCGrid.h). Its members are grouped by concern:
//   model        cells and index mapping, hidden rows and columns, per-cell
//                queries and looks, selection, cell graphics, notification,
//                check boxes, sizing and headers   (src/grid/model)
//   painting     look, cell painting, measuring     (src/grid/paint)
//   interaction  update bracket, editors, framework hooks (src/grid/interact)
//   exchange     native stream, column persistence  (src/grid/exchange)
// The class holds no data of its own: each concern keeps its state in a
// struct of its folder's _p.h, so a painting file sees the painting state
// and the model's public members only.
//
// Index spaces: a column is always the real column (hidden columns keep
// their cells and index); a row is the display row for Cells, Objects and
// the per-cell properties, and the real row for the views named All...
// RealRowIndex / DisplRowIndex / RealColIndex / DisplColIndex translate.
#include "framework/DateTime.h"
#include "framework/SysUtils.h"
#include "grid/foundation/BaseGrid.h"
#include "grid/foundation/FxObj.h"
#include "grid/model/FxCellGraphic.h"
#include "grid/model/FxFindScan.h"
#include "grid/model/FxGridEvents.h"
#include "grid/model/FxGridSettings.h"
#include "grid/foundation/FxStyleIF.h"
#include "grid/paint/FxGridPaintTypes.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QIODevice;
namespace fw {
class TImageList;
class TBalloonToolTip;
class TPrinter;
class TNoActiveForm;
}
class TCellNode;
class THTMLSettings;
class TDragDropSettings;
class TGridDropTarget;
class TColumnSize;
struct TSizeWhileTyping;
class TGridItem;
class TFooterPanel;
class TSearchPanel;
class TSearchFooter;
class TFloatingFooter;
class TPrintSettings;
class TControlLook;
class TNavigation;
class TBands;
class TMouseActions;
class TDragScrollOptions;
class TSyncGrid;
class TBackGround;
class THTMLHintWindow;
class TBalloonSettings;
class TShowModified;
class TGridProgressAppearance;
class TScrollControl;
class TGridFocusWindow;
class TFocusHelper;
class THTMLPictureCache;
class TPictureContainer;
class TFxInplaceEdit;
class TFxStringGridCheck;
class TGridCombo;
class TGridCheckBox;
class TGridSpin;
class TGridEditBtn;
class TGridUnitEditBtn;
class TGridButton;
class TGridDatePicker;
class TFxRichEdit;
class TEditLink;
class TGridTransEdit;
class TGridTransCombo;
class TControlEdit;
class TControlCombo;
class TSortSettings;
class TFilter;
class TFilterDropDown;
class TGrouping;
class TDropList;
class TDropCheckList;
struct TFxGridModelState;
struct TFxGridPaintState;
struct TFxGridInteractState;
struct TFxGridExchangeState;

// The grid's error: a message text only.
class EFxGridError : public fw::Exception {
public:
    using fw::Exception::Exception;
};

// The one selection listener: told the new current cell whenever it changes.
class ITFxStringGridSelect {
public:
    virtual ~ITFxStringGridSelect() = default;
    virtual void SelectionChanged(int ACol, int ARow) = 0;
};

// Told the changed rectangle whenever cells change; does nothing itself.
class TGridChangeNotifier : public QObject {
public:
    using QObject::QObject;
    virtual void CellsChanged(const fw::TRect& R) {}
};

enum TGridLook { glStandard, glSoft, glClassic, glRIR, glXP, glListView, glVista, glWin7, glOffice2007, glCustom };
enum TScrollType { ssNormal, ssFlat, ssEncarta, ssMetro };
enum TScrollBarAlways { saNone, saVert, saHorz, saBoth };

class TFxStringGrid : public TBaseGrid {
    Q_OBJECT
public:
    explicit TFxStringGrid(QWidget* parent = nullptr);
    ~TFxStringGrid() override;

    // Every event of the grid, grouped by concern.
    TFxGridEvents& Events() const;

    // Plain settings (FxGridSettings.h): Name() and SetName() each.
    FX_GRID_MODEL_SETTINGS(FX_GRID_DECLARE_SETTING)
    FX_GRID_PAINT_SETTINGS(FX_GRID_DECLARE_SETTING)
    FX_GRID_INTERACT_SETTINGS(FX_GRID_DECLARE_SETTING)
    FX_GRID_EXCHANGE_SETTINGS(FX_GRID_DECLARE_SETTING)

    // ================================================================ model
    // ---- lifecycle (FxGrid.cpp)
    // Copies settings, option objects, sizes and last the cells (through the
    // native stream) from another feature grid; nothing from anything else.
    virtual void Assign(const QObject* Source);
    virtual void AssignCells(const QObject* Source);
    // Swallows exactly one invalidation right after an in-place edit change.
    void Invalidate() override;
    virtual void Loaded();
    bool IsLoaded() const;
    // With IntegralHeight the height is trimmed to whole rows.
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    bool IntegralHeight() const;
    void SetIntegralHeight(bool value);
    QString Version() const;                   // "6.2.1.3"; there is no setter
    virtual int GetVersionNr() const;          // $06020103
    virtual QString GetVersionString() const;
    bool AutoSize() const;
    void SetAutoSize(bool value);              // true auto-sizes all columns
    fw::TColor BorderColor() const;
    void SetBorderColor(fw::TColor value);
    fw::TFont& FixedFont() const;
    void SetFixedFont(const fw::TFont& value);
    fw::TFont& ActiveCellFont() const;
    void SetActiveCellFont(const fw::TFont& value);
    TScrollBarAlways ScrollBarAlways() const;
    void SetScrollBarAlways(TScrollBarAlways value);
    // Owned setting objects (never null).
    TSearchFooter& SearchFooter() const;
    TFloatingFooter& FloatingFooter() const;
    TPrintSettings& PrintSettings() const;
    TControlLook& ControlLook() const;
    TNavigation& Navigation() const;
    TColumnSize& ColumnSize() const;
    TCellNode& CellNode() const;
    TBands& Bands() const;
    TSizeWhileTyping& SizeWhileTyping() const;
    TMouseActions& MouseActions() const;
    TSyncGrid& SyncGrid() const;
    TBackGround& BackGround() const;
    TBalloonSettings& Balloon() const;
    TShowModified& ShowModified() const;
    TGridProgressAppearance& ProgressAppearance() const;
    TFooterPanel& FooterPanel() const;
    TSearchPanel& SearchPanel() const;
    THTMLPictureCache& ImageCache() const;
    fw::TBitmap& RowIndicator() const;
    fw::TStringList& LookupItems() const;
    void SetLookupItems(const fw::TStringList* value);   // null is ignored
    fw::TStringList& FilterList() const;
    TIntList& IgnoreColumns() const;
    // A cell's font: its properties' font when it has properties, else Font().
    fw::TFont GetCellFont(int i, int j);

    // ---- cells and index mapping (FxGridCells.cpp)
    using TBaseGrid::Cells;
    using TBaseGrid::SetCells;
    QString WideCells(int c, int r) const { return Cells(c, r); }
    void SetWideCells(int c, int r, const QString& value) { SetCells(c, r, value); }
    QString StrippedCells(int c, int r) const;
    // Real column, real row: hidden rows too.
    QString AllCells(int c, int r) const;
    void SetAllCells(int c, int r, const QString& value);
    QString AllGridCells(int c, int r) const;
    // A hidden row's column must exist in its stored cells (EFxGridError).
    void SetAllGridCells(int c, int r, const QString& value);
    QString AllWideCells(int c, int r) const { return AllCells(c, r); }
    void SetAllWideCells(int c, int r, const QString& value) { SetAllCells(c, r, value); }
    void* AllObjects(int c, int r) const;
    void SetAllObjects(int c, int r, void* value);
    TCellProperties* GetAllGridObject(int c, int r) const;
    QString OriginalCells(int c, int r) const;
    void SetOriginalCells(int c, int r, const QString& value);
    QString UnSortedCells(int c, int r) const;
    void SetUnSortedCells(int c, int r, const QString& value);
    virtual QString CurrentCell() const;
    virtual void SetCurrentCell(const QString& value);
    virtual QString GetCurrentCellText() const;
    virtual void SetCurrentCellText(const QString& value);

    int RealRowIndex(int ARow) const;
    int DisplRowIndex(int ARow) const;
    int RealColIndex(int ACol) const;
    int DisplColIndex(int ACol) const override;
    int RealRow() const;
    int RealCol() const;
    bool IsIgnoredColumn(int ACol) const;
    int SortedRowIndex(int ARow) const;
    int UnSortedRowIndex(int ARow) const;
    // The sort cross-reference: per row position after the last sort, its
    // position before it (filled by sorting).
    std::vector<int>& SortRowXRef() const;

    int Row() const { return TBaseGrid::Row(); }
    void SetRow(int value);
    int Col() const { return TBaseGrid::Col(); }
    void SetCol(int value);
    int TopRow() const { return TBaseGrid::TopRow(); }
    void SetTopRow(int value);                 // ignored outside FixedRows .. RowCount-1
    int RowCount() const { return TBaseGrid::RowCount(); }
    void SetRowCount(int value);
    int ColCount() const { return TBaseGrid::ColCount(); }
    void SetColCount(int value);
    int FixedRows() const;
    void SetFixedRows(int value);
    int FixedCols() const;
    void SetFixedCols(int value);
    void SetDefaultRowHeight(int value);
    int FixedRowHeight() const;
    void SetFixedRowHeight(int value);
    int FixedColWidth() const;
    void SetFixedColWidth(int value);
    bool WordWrap() const;
    void SetWordWrap(bool value);
    int AllRowCount() const;
    int AllColCount() const;
    int TotalRowCount() const;
    int TotalColCount() const override;
    int AllColWidths(int c) const;
    void SetAllColWidths(int c, int value);
    // Typed values; reads raise EFxGridError for texts that do not convert.
    int Ints(int c, int r) const;
    void SetInts(int c, int r, int value);
    int AllInts(int c, int r) const;
    void SetAllInts(int c, int r, int value);
    double Floats(int c, int r) const;
    void SetFloats(int c, int r, double value);
    double AllFloats(int c, int r) const;
    void SetAllFloats(int c, int r, double value);
    QString ControlValues(int c, int r, const QString& ID) const;
    void SetControlValues(int c, int r, const QString& ID, const QString& value);
    virtual QString GetCellFloatFormat(int ACol, int ARow) const;
    int SaveStartCol() const;
    int SaveStartRow() const;
    int SaveEndCol() const;
    int SaveEndRow() const;
    int SaveColCount() const;
    int SaveRowCount() const;
    virtual fw::TGridRect UsedCells() const;

    // ---- hidden rows and columns, moving (FxGridHidden.cpp)
    void HideColumn(int ColIndex);
    void HideColumns(int FromCol, int ToCol);
    void UnHideColumn(int ColIndex);
    void UnHideColumns(int FromCol, int ToCol);
    void UnHideColumnsAll();
    bool IsHiddenColumn(int ColIndex) const;
    int NumHiddenColumns() const;
    void HideRow(int RowIndex);
    void HideRows(int FromRow, int ToRow);
    void HideRowsEx(int FromRow, int ToRow);
    // Hides display rows (ascending) as one filter level.
    void HideRowList(const std::vector<int>& RowList);
    // Shows the rows of the last filter level again.
    void UnHideRowList();
    void UnHideRow(int RowIndex);
    void UnHideRows(int FromRow, int ToRow);
    void UnHideRowsAll();
    bool IsHiddenRow(int RowIndex) const;
    int NumHiddenRows() const;
    // The stored item of a hidden real row, null when the row is shown.
    TGridItem* HiddenRowItem(int RealRow) const;
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);
    void MoveRows(int FromIndex, int ToIndex, int Count);
    // Deletes the listed display rows in one pass (rows out of range are
    // passed over); their property objects are freed. The structure edits
    // (RemoveRows, RemoveSelectedRows …) build on it.
    void DeleteRowsCore(const std::vector<int>& Rows);

    // ---- per-cell query hooks (FxGridQuery.cpp)
    virtual void DoGetCellColor(int ACol, int ARow, fw::TGridDrawState AState, fw::TBrush& ABrush, fw::TFont& AFont);
    virtual void DoGetCellPrintColor(int ACol, int ARow, fw::TGridDrawState AState, fw::TBrush& ABrush,
                                     fw::TFont& AFont);
    virtual void DoGetCellBorder(int ACol, int ARow, fw::TPen& APen, TCellBorders& Borders);
    virtual void DoGetCellPrintBorder(int ACol, int ARow, fw::TPen& APen, TCellBorders& Borders);
    virtual void DoGetAlignment(int ACol, int ARow, fw::TAlignment& HAlign, TVAlignment& VAlign);
    virtual void DoGetWordWrap(int ACol, int ARow, bool& WordWrap);
    void GetDefaultVisualProps(int ACol, int ARow, TCellLook& Look) override;
    virtual void DoGridHint(int ACol, int ARow, QString& hintstr, QString& widehint);
    virtual void DoGetCellCursor(int ACol, int ARow, int X, int Y);
    virtual void GetEventEditorType(int ACol, int ARow, TEditorType& AEditor);
    virtual void GetCellEditorType(int ACol, int ARow, TEditorType& AEditor);
    virtual bool IsNoEditorCell(int ACol, int ARow);
    virtual bool HasComboBox(int ACol, int ARow);
    virtual bool HasSpinEdit(int ACol, int ARow);
    virtual void CanEditCell(int ACol, int ARow, bool& CanEdit);
    virtual void DoCanEditCell(int ACol, int ARow, bool& CanEdit);
    virtual void DoIsFixedCell(int ACol, int ARow, bool& IsFixed);
    virtual void DoIsPasswordCell(int ACol, int ARow, bool& IsPassword);
    virtual void GetCheckTrue(int ACol, int ARow, QString& Value);
    virtual void GetCheckFalse(int ACol, int ARow, QString& Value);
    virtual void DoGetFormat(int ACol, TSortStyle& AStyle, QString& aPrefix, QString& aSuffix);
    virtual bool DoGetColumnFilter(int Column);
    void AfterCellTextSet(int ACol, int ARow) override;
    bool IsFixed(int ACol, int ARow) override;
    // The sizing vetoes of OnColumnSize / OnRowSize around the framework's
    // sizing-state calculation.
    void CalcSizingState(int X, int Y, fw::TGridState& State, int& Index, int& SizingPos, int& SizingOfs) override;
    virtual void DoSearchFooterAction(const QString& Value, int ACol, int ARow, TSearchAction SearchAction);
    virtual void DoButtonClick(int ACol, int ARow);
    virtual void DoExpandClick(int ACol, int ARow, bool Expanded);
    virtual void DoComboCloseUp(int ARow, int ACol);
    virtual void DoComboDropDown(int ARow, int ACol);

    // ---- per-cell visual properties (FxGridVisual.cpp)
    fw::TColor Colors(int c, int r) const;
    void SetColors(int c, int r, fw::TColor value);
    fw::TColor ColorsTo(int c, int r) const;
    void SetColorsTo(int c, int r, fw::TColor value);
    TCellGradientDirection Gradients(int c, int r) const;
    void SetGradients(int c, int r, TCellGradientDirection value);
    fw::TColor FontColors(int c, int r) const;
    void SetFontColors(int c, int r, fw::TColor value);
    fw::TFontStyles FontStyles(int c, int r) const;
    void SetFontStyles(int c, int r, fw::TFontStyles value);
    QString FontNames(int c, int r) const;
    void SetFontNames(int c, int r, const QString& value);
    int FontSizes(int c, int r) const;
    void SetFontSizes(int c, int r, int value);
    fw::TFont Fonts(int c, int r) { return GetCellFont(c, r); }
    void SetFonts(int c, int r, const fw::TFont& value);
    fw::TAlignment Alignments(int c, int r) const;
    void SetAlignments(int c, int r, fw::TAlignment value);
    bool ReadOnly(int c, int r) const;
    void SetReadOnly(int c, int r, bool value);
    bool WordWraps(int c, int r);              // creates the properties object
    void SetWordWraps(int c, int r, bool value);
    QWidget* CellControls(int c, int r) const;
    void SetCellControls(int c, int r, QWidget* value);
    TControlList& ControlList() const;
    int LinesInCell(int c, int r) const;
    void SetRowColor(int r, fw::TColor value);
    void SetRowColorTo(int r, fw::TColor value);
    void SetRowFontColor(int r, fw::TColor value);
    fw::TColor RIRGradientFrom() const;
    void SetRIRGradientFrom(fw::TColor value);   // stores the RGB value
    fw::TColor RIRGradientTo() const;
    void SetRIRGradientTo(fw::TColor value);
    fw::TColor RIRGradientMirrorFrom() const;
    void SetRIRGradientMirrorFrom(fw::TColor value);
    fw::TColor RIRGradientMirrorTo() const;
    void SetRIRGradientMirrorTo(fw::TColor value);
    void Zoom(int x);
    int ZoomFactor() const;

    // ---- selection, current cell, repaint (FxGridSelection.cpp)
    bool RowSelect(int ARow);
    void SetRowSelect(int ARow, bool Value);
    bool ColSelect(int ACol);
    void SetColSelect(int ACol, bool Value);
    void SelectRows(int RowIndex, int RCount);
    void UnSelectRows(int RowIndex, int RCount);
    void SelectCols(int ColIndex, int CCount);
    void UnSelectCols(int ColIndex, int CCount);
    void SelectRange(int FromCol, int ToCol, int FromRow, int ToRow);
    void ClearRowSelect();
    void ClearColSelect();
    int RowSelectCount() const;
    int ColSelectCount() const;
    int SelectedRowCount() const;
    int SelectedColCount() const;
    int SelectedRow(int i) const;
    void SelectionToRowSelect(bool All);
    void SelectionToColSelect(bool All);
    bool SelectedCells(int c, int r) const;
    void SetSelectedCells(int c, int r, bool value);
    fw::TGridCoord SelectedCell(int i) const;
    int SelectedCellsCount();
    void ClearSelectedCells();
    bool RowModified(int ARow) const;
    void SetRowModified(int ARow, bool value);
    int ModifiedRowCount() const;
    void ClearModifiedRows();
    bool RowEnabled(int ARow) const;
    void SetRowEnabled(int ARow, bool value);
    // True once a row was enabled or disabled through SetRowEnabled.
    bool UsesEnabledRows() const;
    void GotoCell(int ACol, int ARow);
    void EditCell(int ACol, int ARow);
    void FocusCell(int ACol, int ARow);
    void MoveCurrentCell(int ACol, int ARow);
    void UpdateEditMode();
    void ScrollInView(int ColIndex, int RowIndex);
    TEditorType CurrentEditor() const;
    void HideSelection();
    void UnHideSelection();
    bool SelectionHidden() const;
    bool LastRowAboveSearchFooter();
    void KeepLastRowAboveSearchFooter();
    void SwapCells(fw::TGridCoord FromCell, fw::TGridCoord ToCell);
    void RepaintRow(int ARow);
    void RepaintCol(int ACol);
    void RepaintRect(const fw::TGridRect& r);
    void RepaintActiveHeaders(int OldCol, int OldRow, int NewCol, int NewRow);
    void RegisterSelListener(ITFxStringGridSelect* AListener);
    void UnRegisterSelListener(ITFxStringGridSelect* AListener);
    ITFxStringGridSelect* SelListener() const;
    void RegisterNotifier(TGridChangeNotifier* ANotifier);
    void UnRegisterNotifier(TGridChangeNotifier* ANotifier);

    // ---- cell graphics and value classes (FxGridGraphics.cpp)
    virtual TCellType GetCellType(int ACol, int ARow);
    virtual TCellGraphic* GetCellGraphic(int ACol, int ARow);
    TCellGraphic* CreateCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphicOfType(int ACol, int ARow, TCellType CellType);
    void AddRotated(int ACol, int ARow, int AAngle, const QString& s);
    void SetRotated(int ACol, int ARow, int AAngle);
    void RemoveRotated(int ACol, int ARow);
    bool IsRotated(int ACol, int ARow, int& aAngle);
    static TCheckBoxState BoolToCheckBoxState(bool bChecked);
    void AddCheckBox(int ACol, int ARow, TCheckBoxState State);
    void AddTriStateCheckBoxColumn(int ACol, TCheckBoxState State);
    // Real row; hidden rows answer too.
    bool GetCheckBoxState(int ACol, int ARow, TCheckBoxState& State);
    // The graphic of a check box at a real row, hidden or shown.
    const TCellGraphic* CheckGraphicAtRealRow(int ACol, int ARow);

    // ---- row and column structure edits (FxGridStructure.cpp)
    // Everything indexed by row or column moves with the data: properties,
    // heights, widths, hidden rows and columns, row flags, cell controls.
    virtual void InsertRows(int RowIndex, int RCount, bool UpdateCellControls = true);
    void AddRow();
    virtual void RemoveRows(int RowIndex, int RCount);
    // As RemoveRows, leaving the removed rows' properties to the grid.
    virtual void RemoveRowsEx(int RowIndex, int RCount);
    virtual void DeleteRowRange(int ARow, int Count);
    void RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked);
    // ACol is a display column; the first of equal texts stays.
    void RemoveDuplicates(int ACol, bool DoCase);
    void RemoveSelectedRows();
    void RemoveUnSelectedRows();
    void HideSelectedRows();
    void HideUnSelectedRows();
    void RemoveSelectedCols();
    void RemoveUnSelectedCols();
    // Columns are real columns (hidden ones included).
    virtual void InsertCols(int ColIndex, int CCount);
    void AddColumn();
    virtual void RemoveCols(int ColIndex, int CCount);
    void MergeCols(int ColIndex1, int ColIndex2, const QString& Separator);
    virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);
    void ClearRows(int RowIndex, int RCount);
    void ClearCols(int ColIndex, int CCount);
    void ClearNormalRows(int RowIndex, int RCount);
    void ClearNormalCols(int ColIndex, int CCount);
    void ClearNormalCells();
    void ClearSelection();
    void Clear();
    void ClearAll();
    virtual void TrimRect(int ACol1, int ARow1, int ACol2, int ARow2);
    void TrimColumn(int ACol);
    void TrimRow(int ARow);
    void TrimAll();
    void ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, fw::TColor AColor);
    void MergeColumnCells(int ColIndex, bool MainMerge);
    void MergeRowCells(int RowIndex, bool MainMerge);
    void SplitColumnCells(int ColIndex);
    void SplitRowCells(int RowIndex);
    void SplitAllCells();
    bool IsWideCell(int ACol, int ARow);
    bool IsCell(const QString& SubStr, int& ACol, int& ARow);
    virtual void AutoInsertRow(int ARow);
    virtual void AutoDeleteRow(int ARow);

    // ---- column and row calculations, footers (FxGridCalc.cpp)
    double ColumnSum(int ACol, int FromRow, int ToRow);
    double ColumnAvg(int ACol, int FromRow, int ToRow);
    double ColumnMin(int ACol, int FromRow, int ToRow);
    double ColumnMax(int ACol, int FromRow, int ToRow);
    double ColumnStdDev(int ACol, int FromRow, int ToRow);
    double ColumnDistinct(int ACol, int FromRow, int ToRow);
    double ColumnCustomCalc(int ACol, int FromRow, int ToRow);
    double RowSum(int ARow, int fromCol, int toCol);
    double RowAvg(int ARow, int fromCol, int toCol);
    double RowMin(int ARow, int fromCol, int toCol);
    double RowMax(int ARow, int fromCol, int toCol);
    // ACol -1: every column.
    virtual void CalcFooter(int ACol);
    virtual void DoCalcFooter(int ACol);
    virtual void RecalcFooterColumn(int ACol);
    virtual void RecalcFooters();

    // ---- row nodes (FxGridNodes.cpp)
    // AddNode, RemoveNode, ExpandNode, ContractNode and the row inserts and
    // removals take a real row; the queries and SetNodeState a display row.
    void AddNode(int ARow, int Span);
    void RemoveNode(int ARow);
    void RemoveAllNodes();
    bool IsNode(int ARow);
    bool IsSummary(int ARow);
    void MarkSummaryRow(int ARow);
    bool GetNodeState(int ARow);
    void SetNodeState(int ARow, bool Value);
    int GetNodeLevel(int ARow);
    int GetNodeSpan(int ARow);
    void SetNodeSpan(int ARow, int Span);
    void UpdateNodeSpan(int ARow, int Delta);
    int GetSubNodeCount(int ARow);
    void UpdateSubNodeCount(int ARow, int Delta);
    void ExpandAll();
    void ContractAll();
    void ExpandNode(int ARow);
    void ContractNode(int ARow);
    int GetParentRow(int ARow);
    int GetNodeSpanType(int ARow);
    void InsertNormalRow(int ARow);
    void RemoveNormalRow(int ARow);
    void InsertChildRow(int ARow, int InsertAt);
    void RemoveChildRow(int ARow);
    int NumNodes() const;
    bool HasNodes() override;

    // ---- find, replace, quick lookup, search footer actions (FxGridFind.cpp)
    // The next hit after StartCell in the scan order of FindParams ((-1, -1)
    // starts at the first cell); (-1, -1) when the scan reached its end.
    fw::TPoint Find(fw::TPoint StartCell, const QString& s, TFindParams FindParams);
    fw::TPoint FindWide(fw::TPoint StartCell, const QString& s, TFindParams FindParams);
    fw::TPoint FindFirst(const QString& s, TFindParams FindParams);
    // Continues from SearchCell with the last text and options; one full
    // pass ends with (-1, -1).
    fw::TPoint FindNext();
    // Replaces OrigStr (any letter case) in every hit cell; the number of
    // cells changed. The hits are collected before anything is written.
    int Replace(const QString& OrigStr, const QString& NewStr, TFindParams FindParams);
    // The first row whose sort column starts with s (upper case), else -1.
    int Search(const QString& s);
    fw::TPoint SearchCell() const;
    void SetSearchCell(fw::TPoint value);
    int FindCol() const;
    void SetFindCol(int value);
    int FindRow() const;
    void SetFindRow(int value);
    bool FindBusy() const;
    void SearchFooterEditChange();
    void SearchFooterFindNext();
    void SearchFooterFindPrevious();
    void SearchFooterHighlight();
    void SearchFooterClose();

    // ---- text highlight, cell checking, fills, dates and times (FxGridFills.cpp)
    QString HilightText(bool DoCase, const QString& S, const QString& Text) const;
    QString UnHilightText(const QString& S) const;
    QString MarkText(bool DoCase, const QString& S, const QString& Text) const;
    QString UnMarkText(const QString& S) const;
    void HilightInCell(bool DoCase, int Col, int Row, const QString& HiText);
    void HilightInCol(bool DoFixed, bool DoCase, int Col, const QString& HiText);
    void HilightInRow(bool DoFixed, bool DoCase, int Row, const QString& HiText);
    void HilightInGrid(bool DoFixed, bool DoCase, const QString& HiText);
    void UnHilightInCell(int Col, int Row);
    void UnHilightInCol(bool DoFixed, int Col);
    void UnHilightInRow(bool DoFixed, int Row);
    void UnHilightInGrid(bool DoFixed);
    void MarkInCell(bool DoCase, int Col, int Row, const QString& HiText);
    void MarkInCol(bool DoFixed, bool DoCase, int Col, const QString& HiText);
    void MarkInRow(bool DoFixed, bool DoCase, int Row, const QString& HiText);
    void MarkInGrid(bool DoFixed, bool DoCase, const QString& HiText);
    void UnMarkInCell(int Col, int Row);
    void UnMarkInCol(bool DoFixed, int Col);
    void UnMarkInRow(bool DoFixed, int Row);
    void UnMarkInGrid(bool DoFixed);
    // The checker is the caller's; checks answer true without one.
    TFxStringGridCheck* CellChecker() const;
    void SetCellChecker(TFxStringGridCheck* value);
    bool CheckCell(int Col, int Row);
    bool CheckCells(int FromCol, int FromRow, int ToCol, int ToRow);
    bool CheckCol(bool DoFixed, int Col);
    bool CheckRow(bool DoFixed, int Row);
    bool CheckGrid(bool DoFixed);
    void TextFill(bool DoFixed, const QString& Txt);
    // Fmt takes the column and the row as two integers (checked Format).
    void FormatFill(bool DoFixed, const QString& Fmt);
    // Random numbers 0 .. Rnd-1; 0 in every cell when Rnd <= 0.
    void RandomFill(bool DoFixed, int Rnd);
    void LinearFill(bool DoFixed);
    // Locale short date / long time texts of a cell.
    fw::TDateTime Dates(int ACol, int ARow) const;
    void SetDates(int ACol, int ARow, fw::TDateTime value);
    fw::TDateTime Times(int ACol, int ARow) const;
    void SetTimes(int ACol, int ARow, fw::TDateTime value);

    // ---- change notification and text hooks (FxGridNotify.cpp)
    virtual void DoCellsChanged(const fw::TRect& R);
    virtual void StoreOldCellValue(int ACol, int ARow);
    virtual void DoSelectionChanged(int ALeft, int ATop, int ARight, int ABottom);
    virtual void EditorTextChanged();
    virtual void DoFixedEdit(int ACol, int ARow, TGridFixedCellEditor& AEditor, fw::TStringList& Values);
    void FixedCellEditChange(int ACol, int ARow, const QString& Text);
    virtual void ReadCellText(int ACol, int ARow, QString& Value);
    virtual void GetCellForSave(int ACol, int ARow, QString& Value);
    virtual void SetCellFromLoad(int ACol, int ARow, const QString& Value);
    virtual void ExportNotification(TGridExportState AState, int ARow);
    virtual void ImportNotification(TGridImportState AState, int ARow);
    // The current cell's position and text before an edit.
    int OldCol() const;
    int OldRow() const;
    QString OldCellText() const;
    bool SelectionChangedFlag() const;
    void SetSelectionChangedFlag(bool value);

    // ---- cell objects (FxGridCellObjects.cpp)
    void AddBitmap(int ACol, int ARow, fw::TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
    fw::TBitmap* CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign hal, TCellVAlign val);
    fw::TBitmap* GetBitmap(int ACol, int ARow);
    bool HasBitmap(int ACol, int ARow);
    void RemoveBitmap(int ACol, int ARow);
    void AddPicture(int ACol, int ARow, fw::TPicture* APicture, bool Transparent, TStretchMode StretchMode,
                    int Padding, TCellHAlign hal, TCellVAlign val);
    fw::TPicture* CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                                TCellHAlign hal, TCellVAlign val);
    fw::TPicture* GetPicture(int ACol, int ARow);
    bool HasPicture(int ACol, int ARow);
    void RemovePicture(int ACol, int ARow);
    void AddFilePicture(int ACol, int ARow, TFilePicture* AFilePicture, bool Transparent, TStretchMode StretchMode,
                        int Padding, TCellHAlign hal, TCellVAlign val);
    TFilePicture* CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                                    TCellHAlign hal, TCellVAlign val);
    TFilePicture* GetFilePicture(int ACol, int ARow);
    void RemoveFilePicture(int ACol, int ARow);
    void AddIcon(int ACol, int ARow, fw::TIcon* AIcon, TCellHAlign hal, TCellVAlign val);
    fw::TIcon* CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val);
    void RemoveIcon(int ACol, int ARow);
    void AddInterfacedCell(int ACol, int ARow, QObject* AObject);
    QObject* GetInterfacedCell(int ACol, int ARow);
    void RemoveInterfacedCell(int ACol, int ARow);
    void AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, fw::TStringList* sl);
    fw::TStringList* CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio);
    bool GetRadioIdx(int ACol, int ARow, int& IdxRadio);
    bool SetRadioIdx(int ACol, int ARow, int IdxRadio);
    fw::TStringList* GetRadioStrings(int ACol, int ARow);
    bool IsRadio(int ACol, int ARow);
    void RemoveRadio(int ACol, int ARow);
    void NextRadioItem(int ACol, int ARow, bool CheckEdit);
    void AddExpand(int ACol, int ARow, int ExpandedHeight);
    bool ToggleExpand(int ACol, int ARow);
    bool GetExpandState(int ACol, int ARow);
    int GetExpandHeight(int ACol, int ARow, bool Expanded);
    bool HasExpand(int ACol, int ARow);
    void RemoveExpand(int ACol, int ARow);
    fw::TRect ExpandButtonRect(int ACol, int ARow);
    void AddProgress(int ACol, int ARow, fw::TColor FGColor, fw::TColor BKColor);
    void AddProgressEx(int ACol, int ARow, fw::TColor FGColor, fw::TColor FGTextColor, fw::TColor BKColor,
                       fw::TColor BKTextColor);
    void AddProgressFormatted(int ACol, int ARow, fw::TColor FGColor, fw::TColor FGTextColor, fw::TColor BKColor,
                              fw::TColor BKTextColor, const QString& Fmt, int Min, int Max);
    bool HasProgress(int ACol, int ARow);
    void RemoveProgress(int ACol, int ARow);
    void AddFxProgress(int ACol, int ARow, int Min, int Max);
    void RemoveFxProgress(int ACol, int ARow);
    void AddProgressPie(int ACol, int ARow, fw::TColor Color, int Value);
    void SetProgressPie(int ACol, int ARow, int Value);
    void RemoveProgressPie(int ACol, int ARow);
    void AddRangeIndicator(int ACol, int ARow, int Range, fw::TColor NegColor, fw::TColor PosColor, bool ShowValue);
    void RemoveRangeIndicator(int ACol, int ARow);
    void AddComment(int ACol, int ARow, const QString& Comment);
    void AddColorComment(int ACol, int ARow, const QString& Comment, fw::TColor Color);
    bool IsComment(int ACol, int ARow, QString& comment);
    QString CellComment(int ACol, int ARow);
    void SetCellComment(int ACol, int ARow, const QString& value);
    void RemoveComment(int ACol, int ARow);
    void RemoveAllComments();
    void AddShape(int ACol, int ARow, int Shape, fw::TColor FillColor, fw::TColor LineColor, TCellHAlign hal,
                  TCellVAlign val);
    void SetShapeColor(int ACol, int ARow, fw::TColor Color);
    fw::TColor GetShapeColor(int ACol, int ARow);
    void RemoveShape(int ACol, int ARow);
    void AddRating(int ACol, int ARow, int Scale, fw::TColor FillColor, fw::TColor EmptyColor);
    bool HasRating(int ACol, int ARow);
    void RemoveRating(int ACol, int ARow);
    void AddScrollBar(int ACol, int ARow, bool AutoRange);
    void SetScrollPosition(int ACol, int ARow, int Pos);
    int GetScrollPosition(int ACol, int ARow);
    struct TScrollProp {
        int PageSize = -1;
        int Range = -1;
    };
    void SetScrollProp(int ACol, int ARow, TScrollProp Prop);
    TScrollProp GetScrollProp(int ACol, int ARow);
    bool HasScrollBar(int ACol, int ARow);
    bool HasAutoRangeScrollBar(int ACol, int ARow);
    void RemoveScrollBar(int ACol, int ARow);
    void AddButton(int ACol, int ARow, int bw, int bh, const QString& Caption, TCellHAlign hal, TCellVAlign val);
    void AddBitButton(int ACol, int ARow, int bw, int bh, const QString& Caption, fw::TBitmap* Glyph,
                      TCellHAlign hal, TCellVAlign val);
    fw::TBitmap* CreateBitButton(int ACol, int ARow, int bw, int bh, const QString& Caption, TCellHAlign hal,
                                 TCellVAlign val);
    void SetButtonText(int ACol, int ARow, const QString& Caption);
    QString GetButtonText(int ACol, int ARow);
    void PushButton(int ACol, int ARow, bool push);
    bool HasButton(int ACol, int ARow);
    void RemoveButton(int ACol, int ARow);
    void RemoveBitButton(int ACol, int ARow);
    void RemoveAllButtons();
    fw::TRect CellButtonRect(int ACol, int ARow);
    enum TBalloonIcon { biNone, biInfo, biWarning, biError };
    void AddBalloon(int ACol, int ARow, const QString& Title, const QString& Text, TBalloonIcon Icon);
    bool IsBalloon(int ACol, int ARow, QString& Title, QString& Text, TBalloonIcon& Icon);
    bool HasBalloon(int ACol, int ARow);
    void RemoveBalloon(int ACol, int ARow);
    void AddMarker(int ACol, int ARow, int ErrPos, int ErrLen);
    void GetMarker(int ACol, int ARow, int& ErrPos, int& ErrLen);
    void RemoveMarker(int ACol, int ARow);
    void RemoveAllMarkers();
    void CreateScrollControls();
    void FreeScrollControls();
    TIntList* CellImages(int ACol, int ARow);

    // ---- check boxes, radio buttons, image indexes (FxGridCheckBoxes.cpp)
    void AddCheckBoxColumn(int ACol, bool DefaultState, bool DataCheckBox);
    void AddCheckBox(int ACol, int ARow, bool State, bool Data);
    void RemoveCheckBox(int ACol, int ARow);
    void RemoveCheckBoxColumn(int ACol);
    bool HasCheckBox(int ACol, int ARow);
    bool HasDataCheckBox(int ACol, int ARow);
    bool IsChecked(int ACol, int ARow);
    // Real row; hidden rows answer too.
    bool GetCheckBoxState(int ACol, int ARow, bool& State);
    bool SetCheckBoxState(int ACol, int ARow, bool State);
    bool SetCheckBoxState(int ACol, int ARow, TCheckBoxState State);
    virtual bool ToggleCheckBox(int ACol, int ARow, bool CheckEdit);
    bool ToggleCheckBox(int ACol, int ARow) { return ToggleCheckBox(ACol, ARow, false); }
    void CheckAll(int ACol);
    // Sets a box and reports a real change through DoCheckBoxChange.
    bool SetCheckBoxNotify(int ACol, int ARow, bool State);
    void UnCheckAll(int ACol);
    bool IsInCheckBox(int ACol, int ARow, int XPos, int YPos);
    void AddRadioButton(int ACol, int ARow, bool State);
    void RemoveRadioButton(int ACol, int ARow);
    bool HasRadioButton(int ACol, int ARow);
    void AddRadioButtonColumn(int ACol);
    void RemoveRadioButtonColumn(int ACol);
    bool IsRadioButtonChecked(int ACol, int ARow);
    bool SetRadioButtonState(int ACol, int ARow, bool State);
    void SetRadioButtonColumnIndex(int ACol, int Index);
    int GetRadioButtonColumnIndex(int ACol);
    virtual bool ToggleRadioButton(int ACol, int ARow, bool CheckEdit);
    fw::TImageList* GridImages() const;
    void SetGridImages(fw::TImageList* value);
    // Named pictures for the "<IMG src=name>" of HTML cell texts, hints and
    // panels (not owned; null when the container is freed first).
    TPictureContainer* PictureContainer() const;
    void SetPictureContainer(TPictureContainer* value);
    void AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
    void RemoveImageIdx(int ACol, int ARow);
    bool GetImageIdx(int ACol, int ARow, int& idx);
    void SetImageIdx(int ACol, int ARow, int Idx);
    void AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
    void RemoveDataImage(int ACol, int ARow);
    bool HasDataImage(int ACol, int ARow);
    void AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val);
    void RemoveMultiImage(int ACol, int ARow);
    virtual bool DoCanAddRow();
    virtual bool DoCanInsertRow(int ARow);
    virtual void DoCheckBoxChange(int ACol, int ARow, bool State);
    virtual bool DoRatingChange(int ACol, int ARow, int& NewRate);
    virtual void DoColorSelect(fw::TColor AColor, const QString& AColorText);
    virtual void DoImageSelect(int AImageIndex);
    bool IsDataBoundCell(int ACol, int ARow);
    bool IsClickableCell(int ACol, int ARow);

    // ---- auto-size, headers, numbering, column order (FxGridAutoSize.cpp)
    void AutoSizeCol(int ACol, int Padding = 0);
    void AutoSizeColumns(bool DoFixedCols, int Padding = 0);
    void AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY);
    void AutoSizeRow(int ARow, int Padding = 0);
    void AutoSizeRows(bool DoFixedRows, int Padding = 0);
    void SetRowHeightForLines(int ARow, int Lines, int Padding);
    void AutoFitColumns(bool DoFixedCells);
    void SizeToCols();
    void SizeToRows();
    void SizeToCells();
    void AutoNumberCol(int ACol);
    void AutoNumberRow(int ARow);
    void SwapColumns(int ACol1, int ACol2);
    void SwapRows(int ARow1, int ARow2);
    void SelectCells(int FromCol, int FromRow, int ToCol, int ToRow);
    bool IsSelected(int ACol, int ARow);
    QString SelectedText();
    fw::TStringList& ColumnHeaders() const;
    void SetColumnHeaders(const fw::TStringList& value);
    void ClearColumnHeaders();
    void ShowColumnHeaders();
    fw::TStringList& RowHeaders() const;
    void SetRowHeaders(const fw::TStringList& value);
    void ClearRowHeaders();
    void ShowRowHeaders();
    virtual void ColumnHeadersChanged();
    std::vector<int>& ColumnOrder() const;
    void SetColumnOrder();
    void ResetColumnOrder();
    int ColumnPosition(int ACol) const;
    int ColumnAtPosition(int APos);
    int ColumnByHeader(const QString& AValue) const;
    int PrintColWidth(int ACol) const;
    int PrintColOffset(int ACol) const;
    virtual void ColumnAutoSized(int ACol, int& AWidth);
    virtual void ColumnSizeChanged(int ACol, int& AWidth);
    void SizeColumnToContent(int ACol, bool GrowOnly);
    void SizeRowToContent(int ARow, bool GrowOnly);

    // ---- sorting (FxGridSort.cpp)
    // Rows are compared by CompareCells and moved only through SortSwapRows,
    // which keeps SortRowXRef so that QUnSort can restore the order of the
    // last time the row count changed.
    TSortSettings& SortSettings() const;
    void SetSortSettings(const TSortSettings& value);
    TSortIndexList& SortIndexes() const;
    // The normal rows (not fixed, not footers) on SortSettings().Column();
    // nothing for a negative column. Clears SortIndexes.
    virtual void QSort();
    void Sort(int Column, TSortDirection Direction);
    void SortByColumn(int Col);                // nothing below two rows
    // On SortIndexes; EFxGridError "No indexes specified for indexed sort"
    // when the list is empty (nothing changed then).
    virtual void QSortIndexed();
    // The child rows of every expanded node of the deepest level.
    virtual void QSortGroup();
    virtual void QSortGroupIndexed();
    // Back to the order before the first sort; rows added since stay at the end.
    virtual void QUnSort();
    void QuickSort(int Col, int Left, int Right);
    void QuickSortIndexed(int Left, int Right);
    // Compares two rows on Col and on; swaps them when out of order (true).
    bool SortLine(int Col, int ARow1, int ARow2);
    void InitSortXRef();
    virtual void SortSwapRows(int ARow1, int ARow2);
    // -1, 0 or 1 (an application compare answers as it likes).
    int CompareCells(int ACol, int ARow1, int ARow2, TSortDirection Direction);
    int CompareRows(int ACol, int ARow1, int ARow2);
    int CompareRowsIndexed(int Index, int ARow1, int ARow2);
    int SortDir() const;
    int SortRow() const;
    // What a click on the header of real column RealCol sorts (the mouse
    // handling decides that it is a sort click): with IndexShow the index
    // list grows (AddKey held) or restarts; otherwise the column sorts, its
    // direction toggles on a repeated click and with UndoSort the third
    // click restores the unsorted order. Ends with OnClickSort.
    void HeaderClickSort(int RealCol, bool AddKey);

    // ---- filtering (FxGridFilter.cpp)
    // A filter hides the rows that fail Filter() as one level of the
    // hidden-row store; levels stack and come off newest first, and never
    // show rows that HideRow or a contracted node hid.
    TFilter& Filter() const;
    TFilterDropDown& FilterDropDown() const;
    void SetFilterDropDown(const TFilterDropDown& value);
    bool FilterActive() const;
    void SetFilterActive(bool value);          // applies, or takes back the newest level
    bool FilterDropDownCheck() const;
    void SetFilterDropDownCheck(bool value);
    int FilterLevel() const;
    // The column whose filter drop-down is open, -1 when none.
    int FilterColumn() const;
    void SetFilterColumn(int value);
    virtual bool MatchFilter(int ARow);
    void FilterRow(int ARow);
    void ApplyFilter();
    // True when more levels were left than the one taken back.
    bool RemoveLastFilter();
    void RemoveAllFilters();
    // Incremental search: one more character adds a level, one less takes
    // the newest back, anything else starts again. AColumn -1: whole rows.
    void NarrowDown(const QString& ACondition, int AColumn);
    virtual void DoFilterSelect(int ItemIndex);
    virtual void DoFilterCheck(int ItemIndex);
    virtual void DoFilterDone();
    // The drop-down lists (made hidden with the grid).
    TDropList& DropList() const;
    TDropCheckList& DropCheckList() const;
    // Opens the drop-down of real column RealCol under its header cell
    // rectangle R (client coordinates); false when the column offers nothing.
    bool ShowFilterDropDown(int RealCol, const fw::TRect& R);

    // ---- grouping (FxGridGroup.cpp)
    // Group makes every run of equal texts of a column a node row (the
    // header, holding the text) over the run's rows, optionally with a
    // summary row after each group, and removes the column; UnGroup gives
    // the column and its texts back and removes headers and summaries.
    TGrouping& Grouping() const;
    void SetGrouping(const TGrouping& value);
    // The grouped column, -1 when not grouped. Writing -1 ungroups, a
    // column above 0 groups on it; other values do nothing.
    int GroupColumn() const;
    void SetGroupColumn(int value);
    // True while Group or UnGroup rebuild the rows.
    bool IsGrouping() const;
    // Refused (nothing changes) for a column left of max(FixedCols, 1) or
    // outside the grid, and on a grid of fewer than three columns, where
    // the header texts would have no column to stand in.
    virtual void Group(int Colindex);
    virtual void UnGroup();
    // One level deeper inside the groups: runs of equal texts of Colindex
    // under a child header (the text in column Colindex + 1), the values
    // emptied meanwhile; SubUnGroup writes them back.
    virtual void SubGroup(int Colindex);
    virtual void SubUnGroup(int Colindex);
    // Into each expanded group's header (or its summary row, with Summary):
    // 1 sum, 2 average, 3 minimum, 4 maximum, 5 row count, 6 OnGroupCalc,
    // 7 distinct texts, 8 standard deviation of column Colindex.
    void GroupCalc(int Colindex, int method);
    void GroupSum(int Colindex);
    void GroupAvg(int Colindex);
    void GroupMin(int Colindex);
    void GroupMax(int Colindex);
    void GroupCount(int Colindex);
    void GroupCustomCalc(int Colindex);
    void GroupDistinct(int Colindex);
    void GroupStdDev(int Colindex);
    // With Grouping().ShowGroupCount, the number of a header's rows after
    // its text in column 1 (display text).
    void AppendGroupCount(int ACol, int ARow, QString& Value) const;

    // ================================================================ painting
    // Cell painting, looks, measuring, hints and the appearance objects
    // (src/grid/paint; its README.md says which file holds what).
    // ---- resolved look of a cell (FxGridVisualProps.cpp)
    void GetVisualProperties(int ACol, int ARow, fw::TGridDrawState& AState, TLookQuery Query,
                             TCellLook& Look) override;
    void GetFontProperties(int ACol, int RCol, int ARow, fw::TGridDrawState& AState, fw::TFont& AFont,
                           fw::TBrush& ABrush, bool Remap);
    fw::TColor MixSelectionColor(fw::TColor SelColor, fw::TColor CellColor, bool Mixer, int Factor) const;
    int SelectionColorMixerFactor() const;
    void SetSelectionColorMixerFactor(int value);   // kept within 0 .. 100
    bool ShowSelection() const;
    void SetShowSelection(bool value);
    fw::TColor HighlightColor() const;
    void SetHighlightColor(fw::TColor value);       // also the HTML renderer's highlight colours
    fw::TColor HighlightTextColor() const;
    void SetHighlightTextColor(fw::TColor value);

    // ---- cell paint pipeline (FxGridCellPaint.cpp, FxGridTextPaint.cpp, FxGridFixedPaint.cpp)
    void DrawCellContent(fw::TCanvas& Canvas, int ACol, int ARow, fw::TRect ARect,
                         fw::TGridDrawState AState) override;
    void DrawBackgroundBitmap(fw::TCanvas& Canvas, const fw::TRect& ARect);
    void DrawBackgroundTiled(fw::TCanvas& Canvas, const fw::TRect& ARect);
    void DrawCellBorders(fw::TCanvas& Canvas, int ACol, int ARow, fw::TRect R);
    void DrawSortIndicator(fw::TCanvas& Canvas, int ACol, int Y, int X);
    // Whether the caption of header cell (ACol as shown, ARow) did not fit
    // its cell when it was last painted and shows cut, ending in an ellipsis.
    bool FixedCaptionCut(int ACol, int ARow) const;
    // What the mouse handling tells painting; written by src/grid/interact.
    struct TPaintFeedback {
        bool ButtonDown = false;                 // a mouse button is held in the cells
        fw::TGridCoord HoverFixed{-1, -1};       // the fixed cell under the mouse
        fw::TGridCoord HotFixed{-1, -1};         // any cell under the mouse (list-view headers)
        int MovingColumn = -1;                   // the column being dragged
        bool FixedButtonDown = false;            // a button is held on a fixed cell
        bool FixedDropDownOpen = false;          // the header drop-down is down
        fw::TGridCoord HotButton{-1, -1};        // cell whose button the mouse is over
        fw::TGridCoord HoverAnchorCell{-1, -1};  // cell of the hovered HTML anchor
        int HoverAnchor = -1;                    // index of that anchor
        bool Blink = false;                      // blinking text is in its "on" phase
    };
    TPaintFeedback& PaintFeedback() const;
    // The sort marks of the header, as the sort settings give them.
    struct TSortLook {
        int Column = -1;
        int Row = 0;
        bool Show = false;
        bool FixedCols = false;
        bool Descending = false;
        bool IndexShow = false;
        fw::TColor IndexColor = fw::clYellow;
        const fw::TBitmap* UpGlyph = nullptr;
        const fw::TBitmap* DownGlyph = nullptr;
        const fw::TBitmap* IndexUpGlyph = nullptr;
        const fw::TBitmap* IndexDownGlyph = nullptr;
        fw::TColor HeaderColor = fw::clNone;
        fw::TColor HeaderColorTo = fw::clNone;
        fw::TColor HeaderMirrorColor = fw::clNone;
        fw::TColor HeaderMirrorColorTo = fw::clNone;
        // Sorted columns in order, as TSortIndexList keeps them: the column,
        // with bit 31 set (a negative entry) when it sorts descending.
        std::vector<int> Indexes;
    };
    // The filter glyphs of the filter drop-down row.
    struct TFilterLook {
        const fw::TBitmap* Glyph = nullptr;
        const fw::TBitmap* GlyphActive = nullptr;
        bool ColumnActive = false;   // the column's filter is in force
    };
    virtual TSortLook SortLook() const;
    virtual TFilterLook FilterLook(int ACol) const;
    virtual bool DoCanShowFixedDropDown(int ACol);

    // ---- cell graphics: layout, display text (FxGridGraphicLayout.cpp)
    virtual fw::TPoint GetCellGraphicSize(int ACol, int ARow);
    // Extra.Y is the text height to keep free; Extra.X is not used.
    virtual fw::TPoint CalcCellGraphicSize(int ACol, int ARow, fw::TPoint Extra);
    virtual fw::TPoint CalcPrintGraphicSize(int ACol, int ARow, int AWidth, int AHeight, double Scale);
    TCellGraphic* GetCellGraphicInfo(int ACol, int ARow, int& Width, int& Height, bool& ShowText,
                                     TCellHAlign& HAlign, TCellVAlign& VAlign);
    TIntList* GetCellImages(int ACol, int ARow);
    virtual fw::TImageList* GetCellImageList(int ACol, int ARow);
    std::intptr_t CellGraphicSortKey(int ACol, int ARow);
    void GetDisplayText(int ACol, int ARow, QString& Value) const override;
    virtual QString GetFormattedCell(int ACol, int ARow);
    bool IsSortRow(int ACol, int ARow);
    int NodeIndent(int ARow) override;

    // ---- cell graphic drawing (FxGridGraphicPaint.cpp)
    void DrawCheckBox(fw::TCanvas& Canvas, fw::TRect ARect, bool Checked, int TriStateValue, bool TriState,
                      TControlStyle Style, bool Grayed, bool Enabled);
    void DrawRadioGroup(fw::TCanvas& Canvas, fw::TRect ARect, bool Upward, double Zoom, TControlStyle Style,
                        int ARow, int ACol, bool Selected, const fw::TStringList* Captions, bool Disabled,
                        bool Horizontal, int Index, int Count);

    // ---- looks, style presets, colour tones (FxGridLooks.cpp)
    TGridLook Look() const;
    void SetLook(TGridLook value);
    virtual void SetStyle(TFxGridStyle AStyle);
    void SetComponentStyle(TFxStyle AStyle);
    TFxStyle ComponentStyle() const;
    // Gives the component style to every drop-down editor the grid has made.
    void StyleDropDownEditors();
    void SetTheme(TXPColorScheme Scheme);
    void SetColorTones(const TColorTones& ATones);
    const TColorTones& ColorTones() const;
    // SetColorTones was called: in-cell buttons take the tones while Flat is on.
    bool HasColorTones() const;
    void AdaptToOfficeTheme();
    bool AutoThemeAdapt() const;
    void SetAutoThemeAdapt(bool value);
    static QString LookName(TGridLook ALook);
    static QString LookCaption(TGridLook ALook);

    // ---- frame, alignment, measuring (FxGridFrame.cpp, FxGridMeasure.cpp)
    void DrawBorderLines();
    void PaintOutsideCells();
    virtual void GetCellAlignment(int ACol, int ARow, fw::TAlignment& HAlign, TVAlignment& VAlign);
    fw::TSize GetCellTextSize(int ACol, int ARow, bool DropDown, bool WordWrapInCell);
    fw::TSize CalcCellTextSize(int RealCol, int DisplCol, int ARow, bool DropDown, bool WordWrapInCell);
    // Moves R's top-left to where text rotated by Angle degrees starts
    // (VAlign 0 top, 1 centre, 2 bottom; HAlign 0 left, 1 right, 2 centre).
    void CalcRotatedTextPos(fw::TCanvas& Canvas, fw::TRect& R, int Angle, int VAlign, int HAlign,
                            const QString& Text);
    void DrawRichTextCell(int ACol, int ARow, const fw::TRect& R, fw::TCanvas& Canvas);
    // The translucent frame of pen width 4 around cell rectangle R (client
    // coordinates): a window of R's size + 9, 4 pixels up and left of it.
    void ShowFocusWindow(const fw::TRect& R);
    TGridFocusWindow* FocusWindow() const;
    // Whether the focus frame is shown; the grid keeps its own object and a
    // write copies the given settings into it.
    TFocusHelper& FocusHelper() const;
    void SetFocusHelper(const TFocusHelper& value);
    void MoveFocusWindow();
    void HideFocusWindow();
    // The grid whose focus frame shows, null when none (process-wide).
    static TFxStringGrid* FocusFrameGrid();
    void DrawSizingLineVert(int X);
    void DrawSizingLineHorz(int Y);
    int TotalXOffset() const;
    int TotalYOffset() const;
    int MaxLinesInRow(int ARow) const;
    int MaxColTextLength(int ACol);

    // ---- appearance properties, scroll-bar look (FxGridScrollLook.cpp)
    void SetBackGround(const TBackGround& value);   // copies all seven values
    void SetRowIndicator(const fw::TBitmap& value);
    void SetShowModified(const TShowModified& value);
    void SetBalloon(const TBalloonSettings& value);
    void SetProgressAppearance(const TGridProgressAppearance& value);
    TScrollType ScrollType() const;
    void SetScrollType(TScrollType value);
    fw::TColor ScrollColor() const;
    void SetScrollColor(fw::TColor value);
    int ScrollWidth() const;
    void SetScrollWidth(int value);
    fw::TScrollStyle ScrollBars() const;
    void SetScrollBars(fw::TScrollStyle value);
    bool ScrollProportional() const;
    void SetScrollProportional(bool value);
    bool SpreadSheet() const;
    void SetSpreadSheet(bool value);
    // The flat scroll bars are in use (never on this platform).
    bool FlatScrollBarsActive() const;
    void InitFlatScrollBars();
    void UninitFlatScrollBars();
    void UpdateFlatScrollBars();
    void ApplyScrollType();
    void ApplyScrollColor();
    void ApplyScrollWidth();
    TScrollControl* VScrollControl() const;
    TScrollControl* HScrollControl() const;

    // ---- hints and balloons (FxGridBalloon.cpp)
    void BalloonEnableChanged();
    void BalloonInit();
    void BalloonDone();
    bool BalloonInitialized() const;
    // The balloon window while balloons are initialised, else null.
    fw::TBalloonToolTip* BalloonToolTip() const;
    // The balloon's content for the client point (X, Y): the cell text cut
    // to 2048 characters, title " " and the info icon, then the cell's
    // balloon and OnCellBalloon; the title is cut to 100 characters. False
    // while Balloon.Enable is off.
    bool BalloonText(int X, int Y, QString& Title, QString& Text, int& Icon);
    THTMLHintWindow& ScrollHintWindow() const;

    // ---- selection snapshot, panels, relays (FxGridSnapshot.cpp, FxGridPaintSettings.cpp)
    // A picture of the cells of ARect (given in either corner order) in a
    // borderless, half-transparent window; the caller owns it and shows it.
    fw::TNoActiveForm* SelectionToForm(const fw::TGridRect& ARect);
    void InitOrigColSizes();
    const TIntList& OrigColSizes() const;
    int OldGridWidth() const;
    void InvalidateGridRect(const fw::TGridRect& R);
    void OleColumnDragStart(int ACol, int AIndex, QObject* AList);

    // ---- floating footer and search panel (FxGridPanels.cpp)
    // Panel height and visibility, last-row hiding and placement after a
    // change of the floating footer's visibility or style.
    void ApplyFloatingFooter();
    // Places the footer and search panels at the bottom of the cell area.
    void LayoutPanels();
    void PaintFooter(fw::TCanvas& Canvas, TFooterPanel& Panel);
    // A cell drawn as the grid draws it, into any rectangle of any canvas.
    void PaintFooterCell(fw::TCanvas& Canvas, int ACol, int ARow, const fw::TRect& R, fw::TGridDrawState State);
    void UpdateFooter();
    // Copies the search footer settings into the search panel and shows it
    // 32 pixels high at the bottom, or hides it.
    void SearchFooterChanged();
    void UnitEditChanged(const QString& AUnit);
    void ShowModifiedChanged();
    void BandsChanged();
    void ApplyAppStyleColors();
    bool UsesAppStyles() override;

    // ---- printing and print preview (FxGridPrint.cpp, FxGridPrintPaint.cpp)
    // Lengths on paper are in 0.1 mm with y growing upward.
    void Print();
    void PrintRect(const fw::TGridRect& Gridrect);
    void PrintSelection();
    void PrintSelectedRows();
    void PrintSelectedCols();
    // The print of Gridrect on `Printer` (begins and ends the document).
    void PrintToPrinter(fw::TPrinter& Printer, const fw::TGridRect& Gridrect, bool Selected);
    // The preview window of the whole grid, showing the pages Print gives;
    // true when the user printed from it.
    bool ShowPrintPreview();
    // The page PreviewPage() names, laid out for and drawn into Displayrect.
    void PrintPreview(fw::TCanvas& Canvas, const fw::TRect& Displayrect);
    void PrintPreviewRect(fw::TCanvas& Canvas, const fw::TRect& Displayrect, const fw::TGridRect& Gridrect);
    void PrintPreviewSelection(fw::TCanvas& Canvas, const fw::TRect& Displayrect);
    void PrintPreviewSelectedRows(fw::TCanvas& Canvas, const fw::TRect& Displayrect);
    void PrintPreviewSelectedCols(fw::TCanvas& Canvas, const fw::TRect& Displayrect);
    // Page 1 of the cells drawn into DrawRect of any canvas.
    void PrintDraw(fw::TCanvas& Canvas, const fw::TRect& DrawRect);
    void PrintDrawRect(fw::TCanvas& Canvas, const fw::TRect& DrawRect, const fw::TGridRect& Gridrect);
    // No counting pass: a print numbers its pages without the count.
    bool FastPrint() const;
    void SetFastPrint(bool value);
    bool IsPrintPreview() const;
    fw::TRect PrintPageRect() const;
    int PrintPageWidth() const;
    int PrintPageCount() const;
    // -trunc(points * 254 / 72 * fit scale): a character height in 0.1 mm.
    int MapFontHeight(int PointSize) const;
    int MapFontSize(int Height) const;
    // How far the printer turns landscape pages, in degrees.
    int PrinterLandscapeRotation() const;
    // The page loop (mode: TPrintMode); returns the pages.
    int PrintPages(fw::TCanvas& Canvas, int Mode, int PageCount, bool Selected);
    bool PrintRowFiltered(int ARow) const;
    bool PrintColFiltered(int ACol) const;
    fw::TSize MeasurePrintCell(int ACol, int ARow);
    void CalcPrintColWidths();
    int PrintRowHeight(int ARow);
    // The painters of the running page loop.
    int PrintRow(int Y, int FirstCol, int LastCol, int ARow);
    int PrintHeaderFooter();
    QString PrintPageNumberText();
    void PrintPageFrame(int FirstCol, int LastCol, int Y);

    // ================================================================ interaction
    // Keyboard, mouse, scrolling, sizing and in-place editing
    // (src/grid/interact; README.md there says which file holds what).
    // ---- update lock, window procedure, focus (FxGridUpdate.cpp, FxGridWndProc.cpp)
    void BeginUpdate();
    void EndUpdate();
    // Count without touching the window / back to 0 without redrawing.
    void StartUpdate();
    void ResetUpdate();
    int UpdateCount() const;
    bool LockUpdate() const { return UpdateCount() > 0; }
    void SetLockUpdate(bool value);
    // The registered message a grid posts to itself when an edit ends
    // (WParam real column, LParam row); it fires OnEditCellDone.
    static unsigned GridEditDoneMessage();
    int TimerTicks() const;

    // ---- editors: choosing, showing, hiding, write-back
    // (FxGridEditorShow.cpp, FxGridEditorHide.cpp)
    bool EditMode() const;
    TEditorType EditControl() const { return CurrentEditor(); }
    bool EditActive() const;
    QWidget* EditCtrl() const;
    // The framework text editor (null before the first text edit).
    TFxInplaceEdit* NormalEdit() const;
    // The shared combo editor of edComboEdit / edComboList (created with first use).
    TGridCombo& Combobox() const;
    TGridCombo& UniCombo() const { return Combobox(); }
    TGridCheckBox& CheckEditor() const;
    // The spin editor of edSpinEdit, edFloatSpinEdit, edTimeSpinEdit and
    // edDateSpinEdit (created with first use).
    TGridSpin& SpinEdit() const;
    void ShowInplaceEdit();
    void ShowCellEdit();
    void HideInplaceEdit();
    void HideCellEdit();
    void DoneInplaceEdit(int Key, fw::TShiftState Shift);
    virtual void ShowSpecialEditor(int ACol, int ARow);
    virtual void HideSpecialEditor(int ACol, int ARow);
    virtual void FireEditingDone(int ACol, int ARow);
    virtual void RestoreCachedCell();
    virtual void WriteCellText(int ACol, int ARow, const QString& Value);
    virtual QString HandleGetEditMask(int ACol, int ARow);
    virtual void DoGetEditorProp(int ACol, int ARow, QObject* AEditLink);
    virtual void HandleSetEditText(int ACol, int ARow, const QString& Value);
    virtual QString HandleGetEditText(int ACol, int ARow);
    void CellControlsUpdate(bool Rebuild);
    // The combo list of the next combo editor.
    void ClearComboString();
    void AddComboString(const QString& S);
    void AddComboStringObject(const QString& S, QObject* AObject);
    bool RemoveComboString(const QString& S);
    int GetComboCount() const;
    void SetComboSelection(int Index);
    bool SetComboSelectionString(const QString& S);
    void SetComboIndex(int ACol, int ARow, int Index);
    int GetComboIndex(int ACol, int ARow);

    // ---- the further editors, created with first use and kept with the grid
    // (FxGridSpecialEditors.cpp and the editors' own files)
    TGridEditBtn& BtnEdit() const;
    TGridUnitEditBtn& BtnUnitEdit() const;
    TGridButton& Btn() const;
    TGridDatePicker& DateTimePicker() const;
    // The hidden editor rich cells are measured and drawn with, and the
    // editor of edRichEdit.
    TFxRichEdit& RichEdit() const;
    TFxRichEdit& InplaceRichEdit() const;
    // The application's editor of edCustom (not owned; null: none).
    TEditLink* EditLink() const;
    void SetEditLink(TEditLink* Value);
    // OnEllipsClick for the current cell: the text the handler leaves.
    virtual QString DoEllipsClick(const QString& Text);
    // Rich-text cells (FxGridRichEdit.cpp): a cell's document into a rich
    // edit, and a rich edit's document back as the cell's RTF text.
    void CellToRich(int ACol, int ARow, TFxRichEdit& Richeditor);
    QString RichToString(TFxRichEdit& Richeditor);
    void RichToCell(int ACol, int ARow, TFxRichEdit& Richeditor);

    // ---- radio groups, HTML form controls, fixed-cell editors
    // (FxGridControlEditors.cpp, FxGridFixedEditors.cpp)
    // ACol real; the offsets are the press relative to the cell's top-left corner.
    void RadioGroupClick(int ACol, int ARow, int XOffset, int YOffset);
    // Opens the editor of a CONTROL tag (EDIT, PASSWORD, MASK, COMBO) of the
    // HTML text of cell (ACol display, RealCol, ARow) over CtrlRect.
    void StartControlEdit(const QString& Text, const QString& CtrlType, const QString& CtrlID,
                          const QString& CtrlValue, const fw::TRect& CtrlRect, int ACol, int RealCol, int ARow);
    // Writes the open form-control editor's value into its CONTROL tag and hides it.
    void EndControlEdit();
    void ControlComboSelect(QObject* Sender);
    // Opens the next editable form control of the cell after CtrlID; the
    // grid takes the focus when there is none.
    void EditNextCellControl(int ACol, int ARow, const QString& CtrlID);
    // The press on a CONTROL tag of an HTML cell: true when it opened an editor.
    bool HandleControlPress(int ACol, int ARow, int X, int Y);
    bool ControlEditing() const;
    TControlEdit& ControlEditor() const;
    TControlCombo& ControlComboEditor() const;
    // The fixed-cell editor over (ACol, ARow) (display column).
    void StartFixedCellEdit(int ACol, int ARow);
    TGridTransEdit& EditTrans() const;
    TGridTransCombo& ComboTrans() const;

    // ---- selection check and edit permission (FxGridSelect.cpp)
    bool IsEditable(int ACol, int ARow);
    bool CanEditBaseCell(int ACol, int ARow);
    bool IsPasswordCell(int ACol, int ARow);
    virtual void DoCellChanging(int ACol, int ARow, bool& Allow);
    void Select();
    void ClickSelectCell(int ACol, int ARow);
    virtual void ClearEditingOption();
    virtual void DoCheckBoxClick(int ACol, int ARow, bool State);
    virtual void DoClickSort(int ACol);

    // ---- validation and advance (FxGridValidate.cpp)
    virtual bool ValidateCell(const QString& NewValue);
    virtual bool ValidateCellWide(const QString& NewValue);
    void AdvanceAfterEdit(int ACol, int ARow, bool ReEdit, bool Skipping, bool Forward, bool AutoEdit, bool Force);
    bool HasCellValidation();
    bool LastValidation() const;
    QString OriginalCellValue() const;

    // ---- keyboard (FxGridKeys.cpp, FxGridNavigation.cpp)
    bool AdvanceOnTab(bool Backward);
    bool AtAppendRow();
    void AppendRowOnArrowDown();
    void AppendRow();
    void GotoFirstRow();
    int FirstNormalCol();
    int VisibleFixedRightCols();
    bool CanSelectByKey(int ACol, int ARow);
    int FirstSelectableCol(int ARow);
    int LastSelectableCol(int ARow);
    virtual void SelectAllByKey(const fw::TGridRect& R);
    virtual void DoF2Key();
    QString SearchIncText() const;

    // ---- scrolling, sizing, moving (FxGridScroll.cpp, FxGridSizing.cpp)
    void UpdateProportionalHorzScroll();
    void UpdateProportionalVertScroll();
    void UpdateScrollBarsAlways(bool Hide);
    void StretchColumn(int ACol);
    void StretchRightColumn();
    // The text of the scroll or sizing hint while it shows, else empty.
    QString HintText() const;
    // Drag scrolling (FxDragScroll.cpp): while a drag rests in a margin of
    // the cell area the grid scrolls a step per timer tick, firing
    // OnDragScroll first; the direction the last drag-over found.
    TDragScrollOptions& DragScrollOptions() const;
    void SetDragScrollOptions(const TDragScrollOptions& value);
    void UpdateDragScroll();
    TDragScrollDirection DragScrollDirection() const;

    // ---- mouse (FxGridMouseDown.cpp, FxGridMouseUp.cpp, FxGridMouseMove.cpp)
    virtual void SelectAllByClick(fw::TGridRect& R);

    // ================================================================ exchange
    // Services of the exchange issue (placeholders listed in
    // src/grid/exchange/README.md).
    // Native cell text (FxGridNativeText.cpp): count line, "cw" width lines,
    // one line per non-empty cell. Files are written atomically; a load never
    // clears the grid first.
    void SaveToFile(const QString& FileName, bool Unicode = false);
    void LoadFromFile(const QString& FileName);
    void SaveToStream(QIODevice& Stream);
    void LoadFromStream(QIODevice& Stream);
    // The cell's text as a number (EFxGridError naming the position).
    double CellToReal(int ACol, int ARow);
    // Binary cells (FxGridBinary.cpp): text, properties and graphic of each
    // cell of a rectangle (inclusive edges). A stream is checked completely
    // before the grid changes (EFxGridError "Invalid cell data: ...");
    // LoadAtPointFromBinStream answers the writing grid's ExchangeGridId.
    void SaveRectToBinStream(const fw::TRect& Rect, QIODevice& Stream);
    void SaveToBinStream(QIODevice& Stream);
    void SaveToBinFile(const QString& FileName);
    // ApplyFullGrid false (pastes and drops): a whole-grid stream places its
    // cells like any other and never clears or resizes the grid.
    int LoadAtPointFromBinStream(const fw::TPoint& Point, QIODevice& Stream, bool ApplyFullGrid = true);
    void LoadFromBinStream(QIODevice& Stream);
    void LoadFromBinFile(const QString& FileName);
    // This grid's number in the process (never 0), written into binary cells.
    int ExchangeGridId() const;
    // Plain text and HTML export (FxGridHtml.cpp).
    THTMLSettings& HTMLSettings() const;
    void SaveToASCII(const QString& FileName, bool Unicode = false);
    void AppendToASCII(const QString& FileName, bool Unicode = false);
    QString SaveToHTMLString(const QString& dir = QString());
    void SaveToHTML(const QString& FileName, bool Show = false, bool Unicode = false);
    void AppendToHTML(const QString& FileName, bool Show = false, bool Unicode = false);
    // XML (FxGridXml.cpp); FieldDescr may be null.
    void SaveToXML(const QString& FileName, const QString& ListDescr, const QString& RecordDescr,
                   const QStringList* FieldDescr = nullptr, bool ExportEmptyCells = true);
    void LoadFromXML(const QString& FileName, bool LevelToRow = false, bool LoadFieldDescr = false);
    // Delimiter-separated text (FxGridCsv.cpp): quoted fields may span
    // lines; Delimiter #0 finds the delimiter and is put back afterwards.
    // MaxRows <= 0 reads every record.
    void SaveToCSV(const QString& FileName, bool Unicode = false);
    void AppendToCSV(const QString& FileName, bool Unicode = false);
    void LoadFromCSV(const QString& FileName, int MaxRows = 0);
    void InsertFromCSV(const QString& FileName, int MaxRows = 0);
    void LoadFromCSVStream(QIODevice& AStream, int MaxRows = 0);
    // Fixed-width text: positions are widths when saving (missing ones are
    // appended) and sorted 1-based field boundaries when loading.
    void SaveToFixed(const QString& FileName, TIntList& positions);
    void LoadFromFixed(const QString& FileName, TIntList& positions, bool DoTrim = true, int MaxRows = -1);
    // Column states as one text: "N#widths#order#visible flags"; a text that
    // is not valid as a whole changes nothing (EFxGridError).
    QString ColumnStatesToString();
    void StringToColumnStates(const QString& Value);
    void SaveColSizes();
    void LoadColSizes();
    virtual void SaveColPositions();
    virtual void LoadColPositions();
    // The look in a text file of "name=value" lines (FxGridLookFile.cpp);
    // a load checks every line before it changes anything.
    void SaveVisualProps(const QString& FileName);
    void LoadVisualProps(const QString& FileName);
    // PrintSettings() in a section of the ini file Key
    // (FxGridPrintSettingsFile.cpp).
    void SavePrintSettings(const QString& Key, const QString& Section);
    void LoadPrintSettings(const QString& Key, const QString& Section);

    // Clipboard (FxGridClipboard.cpp): tab-separated text, the RTF of one
    // cell, the binary cells of a rectangle ("TFxStringGrid Cells") and an
    // HTML copy. A paste writes only inside the grid, grows it within the
    // load limits and tells one change.
    void CopySelectionToClipboard();
    void CutSelectionToClipboard();
    void CopyToClipBoard();
    void CutToClipboard();
    void CopyToClipBoardAsHTML();
    void PasteSelectionFromClipboard();
    void PasteFromClipboard();
    QString GetSelectionAsText();
    void SetSelectionAsText(const QString& Value);
    QString RectToClipText(const fw::TGridRect& R, bool OnlySelected);
    void CopyRectToClipboard(const fw::TGridRect& R, bool OnlySelected);
    void CopyCellsToClipboard(const fw::TGridRect& R);
    void CopyRTFToClipboard(int ACol, int ARow);
    // The number of pasted fields (cells for a cells block).
    int PasteClipboardAt(int ACol, int ARow, int& Cols, int& Rows);
    int PasteTextAt(int ACol, int ARow, int& Cols, int& Rows, const QString& Text);
    // The widest line in fields and the rows beyond the first.
    static void MeasureClipText(const QString& Text, int& Cols, int& Rows);
    void ExpandSelectionToMerged();
    // The top-left cell of the last rectangle turned into text, and the
    // last copy or cut.
    fw::TGridCoord ClipTopLeft() const;
    TClipOperation ClipLastOp() const;

    // Office documents and databases (FxGridOffice.cpp): workbooks (.xlsx
    // read and written, legacy .xls read), a word-processor table (.docx)
    // and the result of a query (Qt SQL: .mdb through ODBC, SQLite, or an
    // ODBC connection text).
    QStringList GetXLSSheets(const QString& FileName);
    void LoadFromXLS(const QString& FileName);
    void LoadFromXLSSheet(const QString& FileName, const QString& SheetName);
    void SaveToXLS(const QString& FileName, bool CreateNewSheet = false);
    void SaveToXLSSheet(const QString& FileName, const QString& SheetName);
    void SaveToDOC(const QString& FileName, bool CreateNewDocument = true);
    void AppendToDoc(const QString& FileName, const QString& Bookmark = QString());
    void LoadFromMDBTable(const QString& FileName, const QString& Table);
    void LoadFromMDBSQL(const QString& FileName, const QString& SQL);
    // The framework's scaling, then the fixed and active-cell font sizes
    // scaled by M / D (not while designing, not when M = D).
    void HandleChangeScale(int M, int D);

    // Drag and drop (FxGridDragDrop.cpp over SgDD): the settings, the drop
    // target while OleDropTarget is on (else null), and the drags the mouse
    // handling starts once the pointer left a pressed cell by more than 3
    // pixels. OleDragFromCell answers the drop effect (0 none, 1 copy,
    // 2 move), or -1 when the drag was refused and none started.
    TDragDropSettings& DragDropSettings() const;
    void SetDragDropSettings(const TDragDropSettings& value);
    TGridDropTarget* GridDropTarget() const;
    int OleDragFromCell(int ACol, int ARow);
    // The drop markers (made on first use, hidden until a drag shows them).
    QWidget& DropArrow(int Which) const;   // 0 ArwD, 1 ArwU, 2 ArwL

protected:
    // Clipboard hooks (FxGridClipboard.cpp).
    virtual void SetCellWithUndo(int ACol, int ARow, const QString& Value);
    virtual void SmartPasteBegin() {}
    virtual void SmartPasteEnd() {}
    virtual void MarkRowsModified(fw::TGridCoord Origin, const fw::TGridRect& R, TClipOperation Op);
    virtual void CellSelectorClick(int ACol, int ARow) {}
    virtual void FormulaEditState(bool Active) {}
    virtual bool AllowFormatClipboard();
    // Ctrl+C / Ctrl+Insert, Ctrl+X / Shift+Delete, Ctrl+V / Shift+Insert,
    // each after its OnClipboardCopy / Cut / Paste allowed it; false for
    // any other key.
    bool HandleClipboardKey(int Key, fw::TShiftState Shift);
    // The office readers and writers share these.
    void ReadXLS(const QString& FileName, const QString& SheetName);
    void WriteXLS(const QString& FileName, const QString& SheetName, bool CreateNewSheet);
    void WriteDoc(const QString& FileName, const QString& Bookmark, bool Append, bool CreateNewDocument);
    // After a move whose drop landed in this same grid: clears (or, with
    // removeRows, removes the rows of) the source cells whose texts were
    // written elsewhere, following the rows the drop inserted (FxGridDragDrop.cpp).
    void FinishMoveWithinGrid(const fw::TGridRect& Source, bool removeRows);

public:

protected:
    // Removes display rows (any order) with their flags, hidden-row indices
    // and controls in step (FxGridStructure.cpp).
    void RemoveDisplayRows(std::vector<int> Rows, bool FreeProps);
    // Opens empty rows at the display positions At (each the position the
    // row takes once all are in), with the same bookkeeping as InsertRows.
    void InsertDisplayRows(std::vector<int> At);
    // Real columns inserted (Delta > 0) or removed at At, with widths,
    // hidden columns and the hidden rows' cells in step.
    void ShiftColumns(int At, int Delta);
    // A shown real column moved to another real position: the hidden
    // columns between and their saved widths close up behind it
    // (FxGridHidden.cpp).
    void HiddenColumnsMoved(int FromReal, int ToReal);
    // Shows the real rows hidden behind a contracted node (FxGridNodes.cpp).
    void ExpandNodeRows(int ARow);
    // Opens the contracted nodes that hide a real row.
    void ShowHiddenRowNode(int RealRow);
    // The cell test and the scan of one search (FxGridFind.cpp).
    virtual bool MatchFindCell(int ACol, int ARow, bool Wide);
    fw::TPoint FindCore(fw::TPoint Start, const QString& s, TFindParams FindParams, bool Wide);

    // The per-concern state; each struct is defined in its folder's _p.h.
    TFxGridModelState& ModelState() const;
    TFxGridPaintState& PaintState() const;
    TFxGridInteractState& InteractState() const;
    TFxGridExchangeState& ExchangeState() const;

    // What a plain setting's write does after storing (FxGridSettings.h).
    void StoreSetting() {}
    void InvalidateSetting();
    // True while the grid is being destroyed.
    bool Destroying() const;
    // Makes the cell's properties object when missing, lets `set` change it
    // and repaints the shown cell unless an update is in progress.
    template <typename Set>
    void WriteProp(int c, int r, Set set);
    void resizeEvent(QResizeEvent* e) override;
    // One paint pass: the cells, the edited cell's outline, the area outside
    // the cells, then OnPainted (FxGridFrame.cpp).
    void Paint() override;

    // ---- interaction: the framework grid's hooks and the message handlers
    void WndProc(fw::TMessage& Message) override;
    bool CanEditShow() override;
    fw::TInplaceEdit* CreateEditor() override;
    QString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const QString& Value) override;
    QString GetEditMask(int ACol, int ARow) override;
    int GetEditLimit() override;
    bool SelectCell(int ACol, int ARow) override;
    void KeyDown(int& Key, fw::TShiftState Shift) override;
    void KeyUp(int& Key, fw::TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
    void MouseMove(fw::TShiftState Shift, int X, int Y) override;
    void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
    bool DoMouseWheelDown(fw::TShiftState Shift, fw::TPoint MousePos) override;
    bool DoMouseWheelUp(fw::TShiftState Shift, fw::TPoint MousePos) override;
    void TopLeftChanged() override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    void SizeChanged(int OldColCount, int OldRowCount) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    bool EndColumnDrag(int& Origin, int& Destination, const fw::TPoint& MousePt) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    void DoEnter() override;
    void DoExit() override;
    void DragOver(QObject* Source, int X, int Y, fw::TDragState State, bool& Accept) override;
    // One key press becomes the key-down chain and, unless the key was
    // cleared there, the character chain with the desktop's character codes.
    void keyPressEvent(QKeyEvent* e) override;
    // The cell hint: the tool-tip request of the cell under the pointer.
    bool viewportEvent(QEvent* e) override;
    virtual bool CanSelectCell(int ACol, int ARow);
    virtual bool CanShowEditor();
    virtual void HandleKeyPress(QChar& Key);
    virtual void HandleKeyDown(int& Key, fw::TShiftState Shift);
    virtual void HandleKeyUp(int& Key, fw::TShiftState Shift);

private:
    // Message handlers of the window procedure (src/grid/interact).
    void HandleWmKeyDown(fw::TMessage& m);
    void HandleWmChar(fw::TMessage& m);
    void HandleWmCommand(fw::TMessage& m);
    void HandleWmSetFocus(fw::TMessage& m);
    void HandleWmKillFocus(fw::TMessage& m);
    void HandleWmTimer(fw::TMessage& m);
    void HandleWmGetDlgCode(fw::TMessage& m);
    void HandleWmScroll(fw::TMessage& m, bool Vertical);
    void HandleWmMouseWheel(fw::TMessage& m);
    void HandleWmLButtonDown(fw::TMessage& m);
    void HandleWmLButtonUp(fw::TMessage& m);
    void HandleWmLButtonDblClk(fw::TMessage& m);
    void HandleWmRButtonDown(fw::TMessage& m);
    void HandleWmSize(fw::TMessage& m);
    void HandleCmMouseLeave(fw::TMessage& m);
    // Wheel-button panning: a press starts it, the next press or key ends
    // it, and a 10 ms tick moves towards the pointer.
    void StartPanning(int X, int Y);
    void StopPanning();
    void PanTick();
    // Row, fixed-cell and cell-button hover follow the pointer.
    void UpdateHover(int ACol, int ARow, int X, int Y);
    // The sort click test of a button release on a header cell.
    void HeaderSortClick(int ACol, int ARow, int X, int Y, fw::TShiftState Shift);
    void ShowHint(const QString& Text, fw::TPoint ScreenPos);
    // The hint text of a cell and where it shows; false when it has none.
    bool FillCellHint(int X, int Y, QString& HintStr, QPoint& At);
    void ReleaseHint();
    void StoreOldValue(int ACol, int ARow);
    void SkipFixedCellsKey(int& Key);
    // An anchor under a press in an HTML or URL cell; true when it was handled.
    bool HandleAnchorPress(int ACol, int ARow, int X, int Y);
    // The anchor under (X, Y) in a cell: an HTML link (with its title and
    // index) or a text that looks like an address with URLShow.
    bool AnchorAt(int ACol, int ARow, int X, int Y, QString& Anchor, QString& Title, int& Link);
    // Anchor enter, exit and the hand cursor as the pointer moves.
    void UpdateAnchorHover(int ACol, int ARow, int X, int Y);

private:
    // The steps of one cell's painting share one context (FxGridPaint_p.h).
    struct TCellPaintContext;
    // The steps that resolve a cell's look (FxGridVisualProps.cpp).
    struct TLookResolver;
    void PaintCellContent(fw::TCanvas& Canvas, TCellPaintContext& c);
    void DrawCellText(fw::TCanvas& Canvas, TCellPaintContext& c);
    void DrawCellBackgroundBitmap(fw::TCanvas& Canvas, TCellPaintContext& c, const fw::TRect& BR);
    void DrawCellBackgroundTiled(fw::TCanvas& Canvas, TCellPaintContext& c, const fw::TRect& BR);
    void DrawCellBackgroundGradient(fw::TCanvas& Canvas, const fw::TRect& BR);
    void DrawSelectionRectangle(fw::TCanvas& Canvas, TCellPaintContext& c);
    void DrawFixedCellBackground(fw::TCanvas& Canvas, TCellPaintContext& c);
    void DrawRowIndicator(fw::TCanvas& Canvas, TCellPaintContext& c);
    void DrawFixedCellEdges(fw::TCanvas& Canvas, TCellPaintContext& c);
    void DrawFilterButton(fw::TCanvas& Canvas, TCellPaintContext& c);
    void PlaceSortIndicator(fw::TCanvas& Canvas, TCellPaintContext& c, bool Html, int TextWidth);
    void FitFixedCaption(fw::TCanvas& Canvas, const TCellPaintContext& c, QString& Text, const fw::TRect& TR,
                         unsigned& Flags);
    void DrawCellGraphic(fw::TCanvas& Canvas, TCellPaintContext& c);
    void DrawTreeLines(fw::TCanvas& Canvas, TCellPaintContext& c);
    void DrawNodeGlyph(fw::TCanvas& Canvas, TCellPaintContext& c);
    void DrawCellButton(fw::TCanvas& Canvas, TCellPaintContext& c, int GL, int GT, int GR, int GB);

    // The CSV readers' common part: text is the whole decoded input.
    void LoadCsvText(const QString& text, int MaxRows, bool Insert);

    // The row test of MatchFilter. With inPlace (FilterReadsStoredText
    // answered true) a row without cell properties is tested on its stored
    // texts where they lie; any other row reads them as the items say.
    bool TestFilterRow(int ARow, bool inPlace);
    // Whether what each item of Filter() reads is the cell's stored text
    // for every row without cell properties: raw texts, or display texts
    // while nothing between the two is set.
    bool FilterReadsStoredText() const;
    // The general way: each item reads its text as its Data says.
    bool MatchFilterReading(int ARow, int cols);

    // Model internals shared by the model's files (FxGridRows.cpp).
    friend struct TFxGridRowOps;
    // The in-place editors work on the grid's editing state.
    friend class TFxInplaceEdit;
    friend class TGridCombo;
    friend class TGridCheckBox;
    // Drag and drop work on the exchange and painting state.
    friend class TDragDropSettings;
    friend class TGridDropTarget;
    struct Private;
    std::unique_ptr<Private> d;
};
