#pragma once
// TFxMultiColumnDropDown: a drop-down edit whose popup lists items in
// several columns under a header row (TFxColGrid). The edit shows the
// lookup column of the selected item; typing into the edit completes the
// text from the first item that starts with it; typing while the list has
// the focus searches the list. Wheel steps in the open list move the
// highlight only: closing takes a row only after a key or a click in the list.
//
// The sizing rules are free functions (FxMultiColumn) so they can be checked
// without a popup.
#include "controls/dropdown/FxCustomDropDown.h"
#include "framework/ObjStringGrid.h"
#include "grid/foundation/FxCollection.h"

#include <QStringList>

#include <functional>
#include <vector>

enum TColumnType { ctText, ctImage };

class TDropDownColumn : public TFxCollectionItem {
public:
    bool Wordwrap = false;
    int Width = 80;
    bool AutoSize = false;
    QString Header;
    fw::TAlignment Alignment = fw::taLeftJustify;
    fw::TColor Color = 0xFFFFFF;
    TColumnType ColumnType = ctText;
    fw::TFont Font;
    bool Ellipsis = false;
    void Assign(const TDropDownColumn& source);
};

class TDropDownColumns : public TFxCollection<TDropDownColumn> {};

class TDropDownItem : public TFxCollectionItem {
public:
    int ImageIndex = -1;
    // String i is the item's text in column i; an item may hold fewer.
    QStringList Text;
    // The text of a column; empty for a column the item has no string for.
    QString TextAt(int column) const;
    // The image index and the texts.
    void Assign(const TDropDownItem& source);
};

class TDropDownItems : public TFxCollection<TDropDownItem> {
public:
    // The first item whose string at `column` equals `value` exactly; -1 none.
    int IndexInColumn(int column, const QString& value) const;
};

namespace FxMultiColumn {
// The popup height fitted to whole rows: the popup header and footer bars
// (0 when hidden) and the list's header row (+ 2) stay, the rest holds as
// many rows as fit; `extra` is added at the end. A row height of 0 or less counts as 1.
int AdjustHeight(int height, int headerBar, int footerBar, int listHeaderHeight, int rowHeight, int extra = 0);
// Column widths scaled to `avail` (the total counts one pixel more than
// the widths), rounded half to even with the rounding carried on.
std::vector<int> SizeColumns(const std::vector<int>& widths, int avail);
enum TMove { mvFirst, mvLast, mvNext, mvPrevious, mvNextPage, mvPreviousPage };
// The selection after a move among `count` items (pages of 10).
int MoveIndex(int itemIndex, int count, TMove move);

// The list colours a component style gives: header gradient and font
// colour (KeepColor: unchanged), the selection pair (0 the Office 2007
// pair, 1 Vista, 2 Windows 7, 3 the highlight colour, 4 orange), lines and
// the selected row's text colour.
constexpr fw::TColor KeepColor = 0x7FFFFFFF;
struct TListStyle {
    fw::TColor Header, HeaderTo, Font;
    int Selection;
    fw::TColor Line, FixedLine, SelectionText;
};
// False for a style that changes nothing (tsCustom).
bool ListStyle(TFxStyle style, TListStyle& out);
// The selection pair of a list style applied to a drop-down.
void ApplyListSelection(TFxCustomDropDown& dropDown, int selection);

// The grid lines a selection colour style brings to the list; false for a
// style that keeps them.
bool SelectionLines(TSelectionColorStyle style, fw::TColor& line, fw::TColor& fixedLine);

// Typing into the edit completes the text from the first lookup entry that
// starts with what was typed (folded unless `matchCase`). Index is -1 when
// nothing was typed or no entry starts with it; otherwise Text is the typed
// part followed by the rest of the entry as it stands (at most 255 more
// characters) and KeyLength the length of the folded typed part.
struct TCompletion {
    int Index = -1;
    QString Text;
    int KeyLength = 0;
};
TCompletion Complete(const QStringList& lookupItems, const QString& typedPart, bool matchCase);

// What both drop-downs' list grids hold beside their grid: the columns and
// look copied from the drop-down, and whether a key or a click (not a wheel
// step) picked the row, which alone lets closing the popup take it.
class TListState {
public:
    TDropDownColumns& Columns() { return FColumns; }
    bool ConfirmSelection() const { return FConfirmSelection; }
    void SetConfirmSelection(bool value) { FConfirmSelection = value; }
    bool MouseWheelSelection() const { return FMouseWheelSelection; }

    fw::TColor HeaderColor = 0xFFFFFF;
    fw::TColor HeaderColorTo = 0x808080;
    fw::TColor LineColor = 0x808080;
    fw::TColor FixedLineColor = 0;
    int HeaderHeight = 25;
    fw::TFont HeaderFont;
    int LineWidth = 1;
    const fw::TImageList* Images = nullptr;
    TNotifyEvent OnSelect;

protected:
    TDropDownColumns FColumns;
    bool FMouseWheelSelection = false;
    bool FConfirmSelection = false;
};

// The list settings both drop-downs publish, with the same defaults.
class TListSettings {
public:
    bool MatchCase() const { return FMatchCase; }
    void SetMatchCase(bool value) { FMatchCase = value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool value) { FCaseSensitive = value; }
    bool DropDownAutoWidth() const { return FDropDownAutoWidth; }
    void SetDropDownAutoWidth(bool value) { FDropDownAutoWidth = value; }
    bool ColumnSizeWithDropDown() const { return FColumnSizeWithDropDown; }
    void SetColumnSizeWithDropDown(bool value) { FColumnSizeWithDropDown = value; }
    // Row height of the list; 0 or less counts as 1.
    int DropDownRowHeight() const { return FDropDownRowHeight; }
    void SetDropDownRowHeight(int value) { FDropDownRowHeight = value; }
    int HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(int value) { FHeaderHeight = value; }
    fw::TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(fw::TColor value) { FHeaderColor = value; }
    fw::TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(fw::TColor value) { FHeaderColorTo = value; }
    fw::TFont& HeaderFont() { return FHeaderFont; }
    void SetHeaderFont(const fw::TFont& value) { FHeaderFont = value; }
    fw::TColor LineColor() const { return FLineColor; }
    void SetLineColor(fw::TColor value) { FLineColor = value; }
    fw::TColor FixedLineColor() const { return FFixedLineColor; }
    void SetFixedLineColor(fw::TColor value) { FFixedLineColor = value; }
    fw::TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(fw::TColor value) { FSelectionTextColor = value; }

protected:
    // A component style's list colours; the selection pair goes to `dropDown`.
    void ApplyListStyle(TFxCustomDropDown& dropDown, const TListStyle& style);
    // The grid lines of a selection colour style (see SelectionLines).
    void ApplySelectionLines(TSelectionColorStyle style);

    bool FMatchCase = false;
    bool FCaseSensitive = false;
    bool FDropDownAutoWidth = true;
    bool FColumnSizeWithDropDown = true;
    int FDropDownRowHeight = 22;
    int FHeaderHeight = 25;
    fw::TColor FHeaderColor = 0xFFFFFF;
    fw::TColor FHeaderColorTo = 0x808080;
    fw::TFont FHeaderFont;
    fw::TColor FLineColor = 0xF1EDEB;
    fw::TColor FFixedLineColor = 0xD1BBA4;
    fw::TColor FSelectionTextColor = 0;
};

// The width of the vertical scroll bar a list shows when rows are out of sight.
int VerticalScrollBarWidth();

// Both drop-downs' lists share these rules though their grids differ; the
// templates ask of `Grid` only the column and row accessors the two have.

// What a list needs to show every column, its scroll bar included when not
// all rows fit.
template <class Grid>
int ListContentWidth(const Grid& list)
{
    int w = 0;
    for (int i = 0; i < list.ColCount(); ++i)
        w += list.ColWidths(i);
    if (list.VisibleRowCount() + list.FixedRows() != list.RowCount())
        w += VerticalScrollBarWidth();
    return w;
}

// The same for a list that will be `listHeight` high: the scroll bar counts
// only when the rows are higher than that (the list's present height may be
// an old one while its popup is being sized).
template <class Grid>
int ListContentWidth(const Grid& list, int listHeight)
{
    int w = 0, h = 0;
    for (int i = 0; i < list.ColCount(); ++i)
        w += list.ColWidths(i);
    for (int r = 0; r < list.RowCount() && h <= listHeight; ++r)
        h += list.RowHeights(r);
    if (h > listHeight)
        w += VerticalScrollBarWidth();
    return w;
}

// The columns' widths scaled to fill what the list shows inside a popup of
// `popupWidth` with a `borderWidth` border; the list keeps its vertical bar only.
template <class Grid>
void SizeListColumns(Grid& list, const TDropDownColumns& columns, int popupWidth, int borderWidth)
{
    list.SetScrollBars(fw::ssVertical);
    if (columns.Count() == 0)
        return;
    std::vector<int> widths;
    for (int i = 0; i < columns.Count(); ++i)
        widths.push_back(columns.Items(i)->Width);
    // The columns fill what the list shows: the popup less its border and
    // the list's frame (the popup's own width would push the last column's
    // end out of sight).
    int avail = popupWidth - 2 * borderWidth - 2 * list.frameWidth();
    if (list.VisibleRowCount() < list.RowCount() - list.FixedRows())
        avail -= VerticalScrollBarWidth();
    const std::vector<int> sized = SizeColumns(widths, avail);
    for (int i = 0; i < list.ColCount() && i < int(sized.size()); ++i)
        list.SetColWidths(i, sized[i]);
}
} // namespace FxMultiColumn

class TFxMultiColumnDropDown;

using TDrawCellEvent = std::function<void(QObject* sender, int col, int row, fw::TCanvas& canvas, const fw::TRect& r)>;
using TGetCellTextEvent = std::function<void(QObject* sender, int col, int row, QString& text)>;

class TFxColGrid : public fw::TStringGrid, public FxMultiColumn::TListState {
    Q_OBJECT
public:
    explicit TFxColGrid(QWidget* parent = nullptr);
    ~TFxColGrid() override;

    void SetDropDown(TFxMultiColumnDropDown* dd) { FFxDropDown = dd; }
    // Fills the list from the drop-down: columns, rows, colours, sizes.
    void LoadFromDropDown(TFxMultiColumnDropDown* dd);
    int ContentWidth() const;
    void FitColumnWidth(int index);
    void FitColumnWidths();
    void FitWrappedRowHeights();

protected:
    void DrawCell(int ACol, int ARow, const fw::TRect& ARect, fw::TGridDrawState AState) override;
    void KeyDown(int& Key, fw::TShiftState Shift) override;
    void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
    void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
    bool DoMouseWheelDown(fw::TShiftState Shift, fw::TPoint MousePos) override;
    bool DoMouseWheelUp(fw::TShiftState Shift, fw::TPoint MousePos) override;
    virtual void DoSelect();

private:
    TFxMultiColumnDropDown* FFxDropDown = nullptr;
};

class TFxMultiColumnDropDown : public TFxCustomDropDown, public FxMultiColumn::TListSettings {
    Q_OBJECT
public:
    explicit TFxMultiColumnDropDown(QWidget* parent = nullptr);
    ~TFxMultiColumnDropDown() override;

    TDropDownItems& Items() { return FItems; }
    TDropDownColumns& Columns() { return FColumns; }
    int ItemIndex() const { return FItemIndex; }
    // An index past the items is ignored; the text becomes the item's
    // lookup-column string (empty for -1 or a missing string).
    void SetItemIndex(int value);
    int RowCount() const { return FItems.Count(); }
    // The first item whose lookup-column string equals `value`; -1 none.
    int GetItemIndex(const QString& value) const;
    int LookupColumn() const { return FLookupColumn; }
    void SetLookupColumn(int value) { FLookupColumn = value; }
    // The lookup list (the edit type-ahead's snapshot of the items) is
    // rebuilt here.
    void BeginUpdate() {}
    void EndUpdate() { BuildLookupList(); }
    const QStringList& LookupItems() const { return FLookupItems; }

    bool ColumnSizing() const { return FColumnSizing; }
    void SetColumnSizing(bool value) { FColumnSizing = value; }
    TFxColGrid* List() const { return FFxColGrid; }

    void SelectFirst() { Move(FxMultiColumn::mvFirst); }
    void SelectLast() { Move(FxMultiColumn::mvLast); }
    void SelectNext() { Move(FxMultiColumn::mvNext); }
    void SelectPrevious() { Move(FxMultiColumn::mvPrevious); }
    void SelectNextPage() { Move(FxMultiColumn::mvNextPage); }
    void SelectPreviousPage() { Move(FxMultiColumn::mvPreviousPage); }

    void Assign(const TFxMultiColumnDropDown& source);
    void SetComponentStyle(TFxStyle style) override;
    void SetSelectionColorStyle(TSelectionColorStyle value) override;
    void DoHideDropDown(bool cancel) override;

    TNotifyEvent OnSelect;
    TDrawCellEvent OnDropDownDrawItem;
    TGetCellTextEvent OnDropDownGetItemText;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void AdjustDropDownHeight(int& height) override;
    void DoShowDropDown() override;
    void UpdateDropDownSize() override;
    void DropDownResizing() override;
    void SelectNextItem() override { SelectNext(); }
    void SelectPrevItem() override { SelectPrevious(); }
    void ControlKeyDown(int& key, fw::TShiftState shift) override;
    void ControlKeyUp(int& key, fw::TShiftState shift) override;
    void ControlKeyPress(QChar& key) override;
    void KeyDown(int& key, fw::TShiftState shift) override;
    void KeyPress(QChar& key) override;
    void KeyUp(int& key, fw::TShiftState shift) override;
    void HandleChange() override;
    // Extra pixels of the popup beyond header and rows.
    virtual int ExtraDropDownHeight() const { return 0; }
    // The list row of an item.
    virtual int ItemIndexToRow(int index) const;

private:
    friend class TFxColGrid;
    void Move(FxMultiColumn::TMove move);
    void BuildLookupList();
    bool LookupPrefix(const QString& s, QString& found, int& index) const;
    int LookupKey(QChar key);
    void SizeColumnsToDropDown();
    void GridSelectCell(int row);
    void GridSelect();
    QString Fold(const QString& s, bool caseSensitive) const;
    void SetEditTextKeep(const QString& text);

    TDropDownItems FItems;
    TDropDownColumns FColumns;
    bool FShowing = false;
    bool FColumnSizing = false;
    int FLookupColumn = 0;
    int FItemIndex = -1;
    TFxColGrid* FFxColGrid = nullptr;
    bool FWorkmode = true;
    QStringList FLookupItems;
    bool FItemChange = false;
    int FItemIdx = 0;
    int FItemSel = 0;
    int FOldItemIndex = -1;
    QString FLookupEntry;
    // The text when the popup opened: the edit is modified when it differs.
    QString FOldText;
    bool FInChange = false;
    bool FHiding = false;
};
