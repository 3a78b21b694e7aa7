#pragma once
// TCustomFxGridDropDown: a drop-down edit whose popup holds a whole feature
// grid (FxCustomGridDropDown::TFxColGrid). Its rows come from Items, copied
// into the grid each time the popup opens (UseItems), or from the grid
// itself, which the application fills through InnerGrid(). The edit shows
// the lookup column of the selected row; typing searches by prefix
// (lmLookup) or narrows the rows to those containing the typed text
// (lmNarrowDown). The grid's events reach the drop-down's OnGrid... events.
//
// Columns and items are the multi-column drop-down's. With UseItems a data
// row carries its item index in its first cell's object, so the index
// survives sorting and narrowing.
#include "controls/dropdown/FxMultiColumnDropDown.h"
#include "grid/foundation/FxOptions.h"
#include "grid/model/FxGrid.h"
#include "grid/model/FxGridEvents.h"

#include <QPointer>

#include <functional>
#include <memory>

class TCustomFxGridDropDown;

enum TLookupMethod { lmLookup, lmNarrowDown, lmNone };
enum TGridSorting { gsNone, gsSingleColumn, gsMultiColumn };
enum TDropDownStyle { dsDropDown, dsDropDownList };

namespace FxCustomGridDropDown {

using TDropDownColumn = ::TDropDownColumn;
using TDropDownColumns = ::TDropDownColumns;
using TDropDownItem = ::TDropDownItem;
using TDropDownItems = ::TDropDownItems;
using TGetCellPropEvent = std::function<void(QObject* sender, int col, int row, fw::TFont& font,
                                             fw::TColor& color, fw::TColor& colorTo)>;

// The popup's grid: a feature grid with a header row, whole-row selection
// and the selection rules of a list (keys and clicks confirm, wheel steps
// do not).
class TFxColGrid : public TFxStringGrid, public FxMultiColumn::TListState {
    Q_OBJECT
public:
    explicit TFxColGrid(QWidget* parent = nullptr);
    ~TFxColGrid() override;

    void SetDropDown(TCustomFxGridDropDown* dd) { FFxDropDown = dd; }
    TCustomFxGridDropDown* DropDown() const { return FFxDropDown; }
    // Settings, columns, sizes and (with UseItems) the row count from the
    // drop-down; the column count only grows here.
    void LoadFromDropDown(TCustomFxGridDropDown* dd);
    // Header captions and the item texts into the cells; each data row's
    // first cell object holds its item index.
    void LoadItems();
    int ContentWidth() const;
    void FitColumnWidth(int index);
    void FitColumnWidths();
    void FitWrappedRowHeights();
    // The list state's names, not the grid's own of the same name.
    using FxMultiColumn::TListState::Columns;
    using FxMultiColumn::TListState::HeaderColor;
    using FxMultiColumn::TListState::HeaderColorTo;
    using FxMultiColumn::TListState::LineColor;

    // The look is copied from the drop-down; the grid's own painting draws the list.
    TDrawCellEvent OnDrawCell;
    TGetCellPropEvent OnGetCellProp;
    TGetCellTextEvent OnGetCellText;

protected:
    void KeyDown(int& Key, fw::TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
    void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
    bool DoMouseWheelDown(fw::TShiftState Shift, fw::TPoint MousePos) override;
    bool DoMouseWheelUp(fw::TShiftState Shift, fw::TPoint MousePos) override;
    virtual void DoSelect();

private:
    QString CellTextFor(int col, int row) const;
    TCustomFxGridDropDown* FFxDropDown = nullptr;
};

} // namespace FxCustomGridDropDown

// The grid events the drop-down publishes. Where the grid has the event,
// the type is the grid's own.
namespace FxGridDropDownEvents {
using TAnchorEvent = std::function<void(QObject* Sender, int ARow, int ACol, const QString& Anchor)>;
using TAnchorHintEvent = std::function<void(QObject* Sender, int ARow, int ACol, QString& Anchor)>;
using TEllipsClickEvent = std::function<void(QObject* Sender, int ACol, int ARow, QString& S)>;
using TMovingEvent = std::function<void(QObject* Sender, int FromIndex, int ToIndex)>;
using TSpinClickEvent = std::function<void(QObject* Sender, int ACol, int ARow, int AValue, bool UpDown)>;
} // namespace FxGridDropDownEvents

class TCustomFxGridDropDown : public TFxCustomDropDown, public FxMultiColumn::TListSettings {
    Q_OBJECT
public:
    using TFxColGrid = FxCustomGridDropDown::TFxColGrid;

    // `designTime`: a drop-down freshly placed in a designer, which starts
    // with three columns.
    explicit TCustomFxGridDropDown(QWidget* parent = nullptr, bool designTime = false);
    ~TCustomFxGridDropDown() override;

    // The popup's grid (null before the popup exists).
    TFxStringGrid* InnerGrid() const { return FFxColGrid; }
    TFxColGrid* ColGrid() const { return FFxColGrid; }
    // Items with UseItems, else the grid's data rows.
    int ItemCount() const;

    TDropDownItems& Items() const;
    void SetItems(const TDropDownItems& value) { Items().Assign(value); }
    TDropDownColumns& Columns() { return FColumns; }
    void SetColumns(const TDropDownColumns& value) { FColumns.Assign(value); }
    // With UseItems an item index (an index past the items is ignored),
    // without it a data row counted from the first data row.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int value);
    int RowCount() const { return Items().Count(); }

    // The lookup list is rebuilt here.
    void BeginUpdate() {}
    void EndUpdate() { BuildLookupList(); }
    void Loaded() override;
    const QStringList& LookupItems() const { return FLookupItems; }
    // The first item (UseItems) or grid row (without) whose lookup-column
    // text starts with `s`.
    bool LookupPrefix(const QString& s, QString& found, int& index) const;
    // The data row that holds an item, and back.
    int RowToItemIndex(int row) const;
    int ItemIndexToRow(int index) const;
    QString LookupEntry() const { return FLookupEntry; }

    // ---- settings
    bool UseItems() const { return FUseItems; }
    void SetUseItems(bool value) { FUseItems = value; }
    TLookupMethod LookupMethod() const { return FLookupMethod; }
    void SetLookupMethod(TLookupMethod value) { FLookupMethod = value; }
    int LookupColumn() const { return FLookupColumn; }
    void SetLookupColumn(int value) { FLookupColumn = value; }
    TDropDownStyle Style() const { return FStyle; }
    // dsDropDownList: the edit takes no typing.
    void SetStyle(TDropDownStyle value);
    TGridSorting Sorting() const { return FSorting; }
    void SetSorting(TGridSorting value) { FSorting = value; }
    bool GridEditable() const { return FGridEditable; }
    void SetGridEditable(bool value) { FGridEditable = value; }
    bool AutoShowDropDown() const { return FAutoShowDropDown; }
    void SetAutoShowDropDown(bool value) { FAutoShowDropDown = value; }
    bool AutoSizeColumns() const { return FAutoSizeColumns; }
    void SetAutoSizeColumns(bool value) { FAutoSizeColumns = value; }
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool value) { FRowSelect = value; }
    bool ColumnSizing() const { return FColumnSizing; }
    void SetColumnSizing(bool value) { FColumnSizing = value; }
    bool ColumnMoving() const { return FColumnMoving; }
    void SetColumnMoving(bool value) { FColumnMoving = value; }
    bool RowSizing() const { return FRowSizing; }
    void SetRowSizing(bool value) { FRowSizing = value; }
    bool RowMoving() const { return FRowMoving; }
    void SetRowMoving(bool value) { FRowMoving = value; }
    // Case, popup width, row and header heights and the list colours: TListSettings.
    bool HoverRow() const { return FHoverRow; }
    void SetHoverRow(bool value) { FHoverRow = value; }
    fw::TColor HoverRowColor() const { return FHoverRowColor; }
    void SetHoverRowColor(fw::TColor value) { FHoverRowColor = value; }
    fw::TColor HoverRowColorTo() const { return FHoverRowColorTo; }
    void SetHoverRowColorTo(fw::TColor value) { FHoverRowColorTo = value; }
    fw::TImageList* GridImages() const { return FGridImages; }
    void SetGridImages(fw::TImageList* value);
    // Copied into the grid at every drop-down.
    TSearchFooter& SearchFooter() { return *FSearchFooter; }
    TBands& Bands() { return *FBands; }
    TNavigation& Navigation() { return *FNavigation; }
    TMouseActions& MouseActions() { return *FMouseActions; }

    void SelectFirst() { Move(FxMultiColumn::mvFirst); }
    void SelectLast() { Move(FxMultiColumn::mvLast); }
    void SelectNext() { Move(FxMultiColumn::mvNext); }
    void SelectPrevious() { Move(FxMultiColumn::mvPrevious); }
    void SelectNextPage() { Move(FxMultiColumn::mvNextPage); }
    void SelectPreviousPage() { Move(FxMultiColumn::mvPreviousPage); }

    std::uint32_t GetVersionNr() const override { return 0x06000101; }
    void SetComponentStyle(TFxStyle style) override;
    void SetSelectionColorStyle(TSelectionColorStyle value) override;
    void DoHideDropDown(bool cancel) override;

    TNotifyEvent OnSelect;
    // The grid's events, relayed with the grid as Sender (OnGridTopLeftChanged
    // with the drop-down). OnGridCanSort, OnGridClickSort, OnGridCustomCompare,
    // OnGridRawCompare and OnGridSpinClick are never fired; OnGridAnchorEnter,
    // OnGridAnchorExit, OnGridAnchorHint, OnGridEllipsClick, OnGridColumnMoving
    // and OnGridRowMoving have no grid event behind them here.
    decltype(TFxGridEvents::OnAnchorClick) OnGridAnchorClick;
    FxGridDropDownEvents::TAnchorEvent OnGridAnchorEnter;
    FxGridDropDownEvents::TAnchorEvent OnGridAnchorExit;
    FxGridDropDownEvents::TAnchorHintEvent OnGridAnchorHint;
    decltype(TFxGridEvents::OnCanSort) OnGridCanSort;
    decltype(TFxGridEvents::OnClickSort) OnGridClickSort;
    decltype(TFxGridEvents::OnCustomCompare) OnGridCustomCompare;
    decltype(TFxGridEvents::OnRawCompare) OnGridRawCompare;
    TFxCustomCellDrawEvent OnGridCustomCellDraw;
    TFxCustomCellDrawEvent OnGridCustomCellBkgDraw;
    decltype(TFxGridEvents::OnGetAlignment) OnGridGetAlignment;
    decltype(TFxGridEvents::OnGetCellColor) OnGridGetCellColor;
    decltype(TFxGridEvents::OnGetCellGradient) OnGridGetCellGradient;
    decltype(TBaseGrid::OnGetDisplText) OnGridGetDiplText;
    decltype(TFxGridEvents::OnGetFloatFormat) OnGridGetFloatFormat;
    decltype(TFxGridEvents::OnGetFormat) OnGridGetFormat;
    decltype(TFxGridEvents::OnGridHint) OnGridHint;
    decltype(TFxGridEvents::OnRightClickCell) OnGridRightClickCell;
    decltype(TFxGridEvents::OnScrollHint) OnGridScrollHint;
    decltype(fw::TStringGrid::OnMouseMove) OnGridMouseMove;
    decltype(fw::TStringGrid::OnMouseDown) OnGridMouseDown;
    decltype(fw::TStringGrid::OnMouseUp) OnGridMouseUp;
    decltype(fw::TStringGrid::OnKeyDown) OnGridKeyDown;
    decltype(fw::TStringGrid::OnKeyUp) OnGridKeyUp;
    decltype(fw::TStringGrid::OnKeyPress) OnGridKeyPress;
    decltype(TFxGridEvents::OnButtonClick) OnGridButtonClick;
    decltype(TFxGridEvents::OnCheckBoxClick) OnGridCheckBoxClick;
    decltype(TFxGridEvents::OnColumnSize) OnGridColumnSize;
    decltype(TFxGridEvents::OnColumnSizing) OnGridColumnSizing;
    decltype(TFxGridEvents::OnEndColumnSize) OnGridEndColumnSize;
    decltype(TFxGridEvents::OnRowSize) OnGridRowSize;
    decltype(TFxGridEvents::OnRowSizing) OnGridRowSizing;
    decltype(TFxGridEvents::OnEndRowSize) OnGridEndRowSize;
    decltype(TFxGridEvents::OnGetEditorType) OnGridGetEditorType;
    decltype(TFxGridEvents::OnGetEditorProp) OnGridGetEditorProp;
    decltype(TFxGridEvents::OnCanEditCell) OnGridCanEditCell;
    FxGridDropDownEvents::TEllipsClickEvent OnGridEllipsClick;
    decltype(TFxGridEvents::OnCellBalloon) OnGridCellBalloon;
    decltype(TFxGridEvents::OnAutoInsertCol) OnGridInsertCol;
    decltype(TFxGridEvents::OnAutoInsertRow) OnGridInsertRow;
    decltype(TFxGridEvents::OnAutoDeleteRow) OnGridDeleteRow;
    decltype(TFxGridEvents::OnAutoAddRow) OnGridAutoAddRow;
    decltype(TFxGridEvents::OnCanAddRow) OnGridCanAddRow;
    decltype(TFxGridEvents::OnCanDeleteRow) OnGridCanDeleteRow;
    decltype(TFxGridEvents::OnCanInsertRow) OnGridCanInsertRow;
    decltype(TFxGridEvents::OnColumnMove) OnGridColumnMove;
    decltype(fw::TStringGrid::OnColumnMoved) OnGridColumnMoved;
    FxGridDropDownEvents::TMovingEvent OnGridColumnMoving;
    decltype(TFxGridEvents::OnRowMove) OnGridRowMove;
    FxGridDropDownEvents::TMovingEvent OnGridRowMoving;
    decltype(fw::TStringGrid::OnRowMoved) OnGridRowMoved;
    TNotifyEvent OnGridTopLeftChanged;
    decltype(TFxGridEvents::OnSearchEditChange) OnGridSearchEditChange;
    FxGridDropDownEvents::TSpinClickEvent OnGridSpinClick;

protected:
    // The item list of this drop-down (a descendant may supply its own).
    virtual std::unique_ptr<TDropDownItems> CreateItems() const;

    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void AdjustDropDownHeight(int& height) override;
    void DoShowDropDown() override;
    void UpdateDropDownSize() override;
    void DropDownResizing() override { SizeColumnsToDropDown(); }
    void SelectNextItem() override { SelectNext(); }
    void SelectPrevItem() override { SelectPrevious(); }
    void ControlKeyDown(int& key, fw::TShiftState shift) override;
    void ControlKeyUp(int& key, fw::TShiftState shift) override;
    void ControlKeyPress(QChar& key) override;
    void KeyDown(int& key, fw::TShiftState shift) override;
    void KeyPress(QChar& key) override;
    void KeyUp(int& key, fw::TShiftState shift) override;
    void HandleChange() override;
    void focusInEvent(QFocusEvent* e) override;

private:
    friend class FxCustomGridDropDown::TFxColGrid;
    template <class R, class... A>
    void Relay(std::function<R(A...)>& gridEvent, std::function<R(A...)> TCustomFxGridDropDown::*mine,
               bool block = false);
    void ConnectGridEvents();
    void Move(FxMultiColumn::TMove move);
    void BuildLookupList();
    int LookupKey(QChar key);
    // The data row of an item; -1 when no row holds it.
    int RowOfItem(int index) const;
    void SizeColumnsToDropDown();
    void GridSelectCell(int row);
    void GridSelect();
    // Enter in a cell the editable grid is editing.
    void CellEditEntered();
    void SetEditTextKeep(const QString& text);
    void SelectGridRow(int row);

    mutable std::unique_ptr<TDropDownItems> FItems;
    TDropDownColumns FColumns;
    bool FDesignTime = false;
    bool FBalloonInit = false;
    bool FColumnSizing = false;
    bool FColumnMoving = false;
    int FLookupColumn = 0;
    TLookupMethod FLookupMethod = lmLookup;
    bool FUseItems = true;
    int FItemIndex = -1;
    QPointer<TFxColGrid> FFxColGrid;
    int FSelRow = 0;
    bool FWorkmode = true;
    bool FRowSelect = true;
    QStringList FLookupItems;
    bool FItemChange = false;
    int FItemIdx = 0;
    int FItemSel = 0;
    std::unique_ptr<TSearchFooter> FSearchFooter;
    std::unique_ptr<TBands> FBands;
    std::unique_ptr<TNavigation> FNavigation;
    std::unique_ptr<TMouseActions> FMouseActions;
    int FOldItemIndex = -1;
    int FTempItemIndex = 0;
    TDropDownStyle FStyle = dsDropDown;
    QString FLookupEntry;
    bool FHoverRow = false;
    fw::TColor FHoverRowColor = 0xFF000018;
    fw::TColor FHoverRowColorTo = fw::clNone;
    TGridSorting FSorting = gsNone;
    bool FGridEditable = false;
    fw::TImageList* FGridImages = nullptr;
    bool FRowMoving = false;
    bool FRowSizing = false;
    bool FAutoShowDropDown = false;
    bool FAutoSizeColumns = true;
    // The text when the popup opened: the edit is modified when it differs.
    QString FOldText;
    bool FInChange = false;
    bool FHiding = false;
    // Set while the drop-down moves the grid's row itself: the selection
    // then leaves the edit's text alone.
    bool FQuietSelect = false;
};
