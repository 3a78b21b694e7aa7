#include "controls/dropdown/FxCustomGridDropDown.h"

#include "controls/dropdown/FxDropDownDraw.h"
#include "controls/dropdown/FxDropDownForm.h"
#include "framework/Canvas.h"
#include "framework/Input.h"
#include "framework/Screen.h"
#include "grid/model/FxSortSettings.h"
#include "grid/paint/FxGridAppearance.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include <cstdint>

using namespace fw;

namespace {

void* itemObject(int index) { return reinterpret_cast<void*>(static_cast<std::intptr_t>(index)); }
int objectItem(void* object) { return int(reinterpret_cast<std::intptr_t>(object)); }

// The string list's own search: the first entry equal but for case.
int indexIgnoringCase(const QStringList& list, const QString& s)
{
    for (int i = 0; i < list.size(); ++i)
        if (list[i].compare(s, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool navigationKey(int key)
{
    return key == VK_PRIOR || key == VK_NEXT || key == VK_END || key == VK_HOME || key == VK_UP || key == VK_DOWN;
}

} // namespace

// ---- the grid ----------------------------------------------------------------------------

namespace FxCustomGridDropDown {

TFxColGrid::TFxColGrid(QWidget* parent) : TFxStringGrid(parent)
{
    SetFixedRowAlways(true);
    if (RowCount() < 2)
        SetRowCount(2);
    SetFixedRows(1);
    SetFixedCols(0);
    SetOptions((Options() & ~goRangeSelect) | goHorzLine | goRowSelect);
    setFrameShape(QFrame::NoFrame);
}

TFxColGrid::~TFxColGrid() = default;

QString TFxColGrid::CellTextFor(int col, int row) const
{
    // Copies of the item texts when the drop-down has items; else the grid's own cells.
    if (FFxDropDown && FFxDropDown->UseItems()) {
        const TDropDownItem* item = FFxDropDown->Items().Items(row - 1);
        return item ? item->TextAt(col) : QString();
    }
    return Cells(col, row);
}

void TFxColGrid::LoadFromDropDown(TCustomFxGridDropDown* dd)
{
    if (!dd)
        return;
    FFxDropDown = dd;
    FColumns.Assign(dd->Columns());
    if (ColCount() < FColumns.Count())
        SetColCount(FColumns.Count());
    if (dd->UseItems())
        SetRowCount(dd->Items().Count() + 1);
    for (int i = 0; i < FColumns.Count(); ++i)
        SetColWidths(i, FColumns.Items(i)->Width);
    LineColor = dd->LineColor();
    FixedLineColor = dd->FixedLineColor();
    HeaderColor = dd->HeaderColor();
    HeaderColorTo = dd->HeaderColorTo();
    HeaderHeight = dd->HeaderHeight();
    HeaderFont = dd->HeaderFont();
    SetHoverRow(dd->HoverRow());
    SetHoverRowColor(dd->HoverRowColor());
    SetHoverRowColorTo(dd->HoverRowColorTo());
    Images = dd->Images();
    SetDefaultRowHeight(std::max(1, dd->DropDownRowHeight()));
    SetRowHeights(0, HeaderHeight);
    TGridOptions o = Options();
    o = dd->ColumnSizing() ? o | goColSizing : o & ~goColSizing;
    o = dd->ColumnMoving() ? o | goColMoving : o & ~goColMoving;
    o = dd->RowSizing() ? o | goRowSizing : o & ~goRowSizing;
    o = dd->RowMoving() ? o | goRowMoving : o & ~goRowMoving;
    SetOptions(o);
    if (dd->AutoSizeColumns()) {
        if (dd->UseItems())
            FitColumnWidths();
        else
            TFxStringGrid::AutoSizeColumns(true, 4);
    }
    FitWrappedRowHeights();
}

void TFxColGrid::LoadItems()
{
    TCustomFxGridDropDown* dd = FFxDropDown;
    if (!dd)
        return;
    if (ColCount() != FColumns.Count() && FColumns.Count() > 0)
        SetColCount(FColumns.Count());
    for (int i = 0; i < FColumns.Count(); ++i) {
        SetCells(i, 0, FColumns.Items(i)->Header);
        SetObjects(i, 0, itemObject(-1));
    }
    const TDropDownItems& items = dd->Items();
    if (items.Count() > 0)
        SetRowCount(FixedRows() + items.Count());
    for (int j = 0; j < items.Count(); ++j) {
        const TDropDownItem* item = items.Items(j);
        for (int i = 0; i < ColCount(); ++i)
            SetCells(i, j + 1, item->TextAt(i));
        SetObjects(0, j + 1, itemObject(j));
    }
}

int TFxColGrid::ContentWidth() const
{
    return FxMultiColumn::ListContentWidth(*this);
}

void TFxColGrid::FitColumnWidth(int index)
{
    if (index < 0 || index >= FColumns.Count() || !FColumns.Items(index)->AutoSize)
        return;
    TDropDownColumn* col = FColumns.Items(index);
    TCanvas canvas;
    canvas.Font() = col->Font;
    int w = 0;
    for (int r = 1; r < RowCount(); ++r) {
        const QString text = CellTextFor(index, r);
        int image = -1;
        if (col->ColumnType == ctImage && FFxDropDown && FFxDropDown->UseItems())
            if (const TDropDownItem* item = FFxDropDown->Items().Items(r - 1))
                image = item->ImageIndex;
        int cw = image >= 0 && Images ? Images->Width() + 4 : 0;
        if (!text.isEmpty())
            cw += canvas.TextWidth(text) + 6;
        w = std::max(w, cw);
    }
    col->Width = w;
    SetColWidths(index, w);
}

void TFxColGrid::FitColumnWidths()
{
    for (int i = 0; i < FColumns.Count(); ++i)
        FitColumnWidth(i);
}

void TFxColGrid::FitWrappedRowHeights()
{
    bool any = false;
    for (int c = 0; c < FColumns.Count(); ++c)
        any = any || FColumns.Items(c)->Wordwrap;
    if (!any)
        return;
    TCanvas canvas;
    for (int r = FixedRows(); r < RowCount(); ++r) {
        int h = 24;
        for (int c = 0; c < FColumns.Count(); ++c) {
            const TDropDownColumn* col = FColumns.Items(c);
            if (!col->Wordwrap)
                continue;
            int ch = 0;
            if (col->ColumnType == ctImage && Images && FFxDropDown && FFxDropDown->UseItems())
                if (const TDropDownItem* item = FFxDropDown->Items().Items(r - 1); item && item->ImageIndex >= 0)
                    ch = Images->Height() + 6;
            const QString text = CellTextFor(c, r);
            if (!text.isEmpty()) {
                canvas.Font() = col->Font;
                TRect rc(0, 0, ColWidths(c), 500);
                canvas.DrawText(text, rc, DT_CALCRECT | DT_WORDBREAK);
                ch = std::max(ch, rc.Height() + 6);
            }
            h = std::max(h, ch);
        }
        SetRowHeights(r, h);
    }
}

void TFxColGrid::KeyDown(int& Key, TShiftState Shift)
{
    FConfirmSelection = true;
    if (Key == VK_TAB) {
        Key = 0;
        return;
    }
    if (Shift.Contains(ssAlt) && (Key == VK_UP || Key == VK_DOWN)) {
        if (FFxDropDown)
            FFxDropDown->PerformKeyDown(Key, Shift);
        Key = 0;
        return;
    }
    if (Key == VK_RETURN) {
        int none = 0;
        TFxStringGrid::KeyDown(none, Shift);
        DoSelect();
        Key = 0;
        return;
    }
    TFxStringGrid::KeyDown(Key, Shift);
}

void TFxColGrid::KeyPress(QChar& Key)
{
    if (Key == u'\r') {
        // The in-place editor of an editable list hands its Enter here: the
        // cell edit ends. Any other Enter selected the row on its key-down.
        if (EditMode() && (Options() & goEditing) && FFxDropDown)
            FFxDropDown->CellEditEntered();
        Key = QChar();
        return;
    }
    TFxStringGrid::KeyPress(Key);
}

void TFxColGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FConfirmSelection = true;
    TFxStringGrid::MouseDown(Button, Shift, X, Y);
}

void TFxColGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TFxStringGrid::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    int col = -1, row = -1;
    MouseToCell(X, Y, col, row);
    if (col < 0 || row < FixedRows() || row >= RowCount() || HasCheckBox(col, row))
        return;
    DoSelect();
}

bool TFxColGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    FMouseWheelSelection = true;
    FConfirmSelection = false;
    const bool handled = TFxStringGrid::DoMouseWheelDown(Shift, MousePos);
    FMouseWheelSelection = false;
    return handled;
}

bool TFxColGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    FMouseWheelSelection = true;
    FConfirmSelection = false;
    const bool handled = TFxStringGrid::DoMouseWheelUp(Shift, MousePos);
    FMouseWheelSelection = false;
    return handled;
}

void TFxColGrid::DoSelect()
{
    if (OnSelect)
        OnSelect(this);
}

} // namespace FxCustomGridDropDown

// ---- the drop-down: construction ---------------------------------------------------------

TCustomFxGridDropDown::TCustomFxGridDropDown(QWidget* parent, bool designTime)
    : TFxCustomDropDown(parent), FDesignTime(designTime)
{
    FSearchFooter = std::make_unique<TSearchFooter>(nullptr, FDesignTime);
    FBands = std::make_unique<TBands>();
    FNavigation = std::make_unique<TNavigation>();
    FMouseActions = std::make_unique<TMouseActions>();
    FNavigation->SetHomeEndKey(heFirstLastRow);
    SetDropDownColor(0xFFFFFF);
    SetDropDownHeight(200);
    SetAutoSelect(true);
    SetDropDownEnabled(true);
    CreateDropDownForm();
    // The style first: the selection style then leaves its own line colours.
    SetComponentStyle(ComponentStyle());
    SetSelectionColorStyle(scOffice2007);
    if (FDesignTime) {
        FColumns.Clear();
        for (int i = 0; i < 3; ++i)
            FColumns.Add();
    }
}

TCustomFxGridDropDown::~TCustomFxGridDropDown() = default;

std::unique_ptr<TDropDownItems> TCustomFxGridDropDown::CreateItems() const
{
    return std::make_unique<TDropDownItems>();
}

TDropDownItems& TCustomFxGridDropDown::Items() const
{
    // Made on first use, so that a descendant's CreateItems is the one called.
    if (!FItems)
        FItems = CreateItems();
    return *FItems;
}

void TCustomFxGridDropDown::Loaded()
{
    TFxCustomDropDown::Loaded();
    BuildLookupList();
    if (FFxColGrid)
        FFxColGrid->LoadItems();
}

void TCustomFxGridDropDown::SetStyle(TDropDownStyle value)
{
    FStyle = value;
    SetEditorEnabled(value == dsDropDown);
}

void TCustomFxGridDropDown::SetGridImages(TImageList* value)
{
    FGridImages = value;
    if (FFxColGrid)
        FFxColGrid->SetGridImages(value);
}

int TCustomFxGridDropDown::ItemCount() const
{
    if (FUseItems)
        return Items().Count();
    return FFxColGrid ? FFxColGrid->RowCount() - FFxColGrid->FixedRows() : 0;
}

// ---- the popup ---------------------------------------------------------------------------

void TCustomFxGridDropDown::CreateDropDownForm()
{
    TFxCustomDropDown::CreateDropDownForm();
    if (!DropDownForm())
        return;
    if (!FFxColGrid)
        FFxColGrid = new TFxColGrid(DropDownForm());
    FFxColGrid->SetDropDown(this);
    FFxColGrid->setGeometry(0, 0, FFxColGrid->width(), 180);
    FFxColGrid->SetColor(DropDownColor());
    FFxColGrid->Navigation().SetHomeEndKey(heFirstLastRow);
    SetControl(FFxColGrid);
    SetFocusControl(FFxColGrid);
}

template <class R, class... A>
void TCustomFxGridDropDown::Relay(std::function<R(A...)>& gridEvent,
                                  std::function<R(A...)> TCustomFxGridDropDown::*mine, bool block)
{
    gridEvent = [this, mine, block](A... a) -> R {
        const std::function<R(A...)>& handler = this->*mine;
        if (!handler)
            return R();
        // A dialog shown by the handler must not close the popup.
        TDropDownForm* form = block ? DropDownForm() : nullptr;
        const bool was = form && form->BlockActivate();
        if (form)
            form->SetBlockActivate(true);
        struct Restore {
            QPointer<TDropDownForm> f;
            bool was;
            ~Restore()
            {
                if (f)
                    f->SetBlockActivate(was);
            }
        } restore{form, was};
        return handler(std::forward<A>(a)...);
    };
}

void TCustomFxGridDropDown::ConnectGridEvents()
{
    TFxColGrid& g = *FFxColGrid;
    TFxGridEvents& e = g.Events();
    g.OnSelectCell = nullptr;
    g.OnSelect = [this](QObject*) { GridSelect(); };
    Relay(e.OnAnchorClick, &TCustomFxGridDropDown::OnGridAnchorClick, true);
    Relay(e.OnButtonClick, &TCustomFxGridDropDown::OnGridButtonClick, true);
    Relay(e.OnColumnSize, &TCustomFxGridDropDown::OnGridColumnSize);
    Relay(e.OnColumnSizing, &TCustomFxGridDropDown::OnGridColumnSizing);
    Relay(e.OnEndColumnSize, &TCustomFxGridDropDown::OnGridEndColumnSize);
    Relay(e.OnRowSize, &TCustomFxGridDropDown::OnGridRowSize);
    Relay(e.OnRowSizing, &TCustomFxGridDropDown::OnGridRowSizing);
    Relay(e.OnEndRowSize, &TCustomFxGridDropDown::OnGridEndRowSize);
    Relay(e.OnRowMove, &TCustomFxGridDropDown::OnGridRowMove);
    Relay(g.OnRowMoved, &TCustomFxGridDropDown::OnGridRowMoved);
    Relay(e.OnColumnMove, &TCustomFxGridDropDown::OnGridColumnMove);
    Relay(g.OnColumnMoved, &TCustomFxGridDropDown::OnGridColumnMoved);
    if (OnGridCustomCellDraw)
        Relay(e.OnCustomCellDraw, &TCustomFxGridDropDown::OnGridCustomCellDraw);
    else
        e.OnCustomCellDraw = nullptr;
    if (OnGridCustomCellBkgDraw)
        Relay(e.OnCustomCellBkgDraw, &TCustomFxGridDropDown::OnGridCustomCellBkgDraw);
    else
        e.OnCustomCellBkgDraw = nullptr;
    Relay(e.OnCellBalloon, &TCustomFxGridDropDown::OnGridCellBalloon);
    // The columns reach the picture through the alignment and colour events.
    e.OnGetAlignment = [this](QObject* s, int row, int col, TAlignment& h, TVAlignment& v) {
        if (const TDropDownColumn* c = FColumns.Items(col))
            h = c->Alignment;
        if (OnGridGetAlignment)
            OnGridGetAlignment(s, row, col, h, v);
    };
    e.OnGetCellColor = [this](QObject* s, int row, int col, TGridDrawState state, TBrush& brush, TFont& font) {
        if (const TDropDownColumn* c = FColumns.Items(col); c && FFxColGrid && row >= FFxColGrid->FixedRows())
            brush.Color = c->Color;
        if (OnGridGetCellColor)
            OnGridGetCellColor(s, row, col, state, brush, font);
    };
    Relay(e.OnGetCellGradient, &TCustomFxGridDropDown::OnGridGetCellGradient);
    e.OnGetFloatFormat = [this](QObject* s, int col, int row, bool& isFloat, QString& format) {
        format.clear();
        if (OnGridGetFloatFormat)
            OnGridGetFloatFormat(s, col, row, isFloat, format);
    };
    Relay(e.OnGetEditorType, &TCustomFxGridDropDown::OnGridGetEditorType);
    Relay(e.OnGetEditorProp, &TCustomFxGridDropDown::OnGridGetEditorProp);
    Relay(e.OnCanEditCell, &TCustomFxGridDropDown::OnGridCanEditCell);
    Relay(g.OnGetDisplText, &TCustomFxGridDropDown::OnGridGetDiplText);
    Relay(e.OnGetFormat, &TCustomFxGridDropDown::OnGridGetFormat);
    Relay(e.OnGridHint, &TCustomFxGridDropDown::OnGridHint);
    g.OnMouseMove = [this](QObject* s, TShiftState shift, int x, int y) {
        // The first move after the popup opened renews the balloon window.
        if (!FBalloonInit && FFxColGrid) {
            if (FFxColGrid->Balloon().Enable()) {
                FFxColGrid->Balloon().SetEnable(false);
                FFxColGrid->Balloon().SetEnable(true);
            }
            FBalloonInit = true;
        }
        if (OnGridMouseMove)
            OnGridMouseMove(s, shift, x, y);
    };
    Relay(g.OnMouseDown, &TCustomFxGridDropDown::OnGridMouseDown);
    Relay(g.OnMouseUp, &TCustomFxGridDropDown::OnGridMouseUp);
    // Key events reach the drop-down through the popup's key relays.
    g.OnKeyDown = nullptr;
    g.OnKeyUp = nullptr;
    g.OnKeyPress = nullptr;
    Relay(e.OnRightClickCell, &TCustomFxGridDropDown::OnGridRightClickCell);
    Relay(e.OnScrollHint, &TCustomFxGridDropDown::OnGridScrollHint);
    g.OnTopLeftChanged = [this](QObject*) {
        if (OnGridTopLeftChanged)
            OnGridTopLeftChanged(this);
    };
    Relay(e.OnSearchEditChange, &TCustomFxGridDropDown::OnGridSearchEditChange);
    Relay(e.OnAutoAddRow, &TCustomFxGridDropDown::OnGridAutoAddRow);
    Relay(e.OnAutoInsertRow, &TCustomFxGridDropDown::OnGridInsertRow);
    Relay(e.OnAutoInsertCol, &TCustomFxGridDropDown::OnGridInsertCol);
    Relay(e.OnAutoDeleteRow, &TCustomFxGridDropDown::OnGridDeleteRow);
    Relay(e.OnCanAddRow, &TCustomFxGridDropDown::OnGridCanAddRow);
    Relay(e.OnCanInsertRow, &TCustomFxGridDropDown::OnGridCanInsertRow);
    Relay(e.OnCanDeleteRow, &TCustomFxGridDropDown::OnGridCanDeleteRow);
    Relay(e.OnCheckBoxClick, &TCustomFxGridDropDown::OnGridCheckBoxClick);
}

void TCustomFxGridDropDown::BeforeDropDown()
{
    DropDownForm()->SetCancelOnDeActivate(false);
    if (TFxColGrid* g = FFxColGrid) {
        g->LoadFromDropDown(this);
        g->SetColor(DropDownColor());
        TSortSettings& sort = g->SortSettings();
        sort.SetShow(FSorting != gsNone);
        sort.SetIndexShow(FSorting == gsMultiColumn);
        FBalloonInit = false;
        ConnectGridEvents();
        g->SearchFooter().Assign(FSearchFooter.get());
        g->MouseActions().Assign(FMouseActions.get());
        g->Navigation().Assign(FNavigation.get());
        g->Bands().Assign(FBands.get());
        TGridOptions o = g->Options() | goThumbTracking;
        o = FRowSelect ? o | goRowSelect : o & ~goRowSelect;
        o = FGridEditable ? o | goEditing : o & ~goEditing;
        g->SetOptions(o);
        g->SetGridImages(FGridImages);
        g->Events().OnCanSort = [this](QObject*, int, bool&) { FTempItemIndex = FItemIndex; };
        g->Events().OnClickSort = [this](QObject*, int) {
            const int row = RowOfItem(FTempItemIndex);
            if (row >= 0)
                SelectGridRow(row);
        };
        g->OnSelectCell = [this](QObject*, int, int row, bool&) { GridSelectCell(row); };
        g->SetComponentStyle(ComponentStyle());
        int row = -1;
        if (FUseItems) {
            TFxCustomDropDown::BeforeDropDown();
            g->RemoveAllFilters();
            g->SetRowCount(Items().Count() + 1);
            g->SetFixedRows(1);
            g->LoadItems();
        } else {
            QString found;
            int index = -1;
            row = LookupPrefix(Text(), found, index) ? index : g->FixedRows();
        }
        // Sorted before the row is chosen, so that the row found is the item's.
        if (sort.Column() >= 0 && sort.Column() < g->ColCount() && sort.Show() && g->RowCount() > g->FixedRows() + 1)
            g->QSort();
        if (FUseItems)
            row = RowOfItem(FItemIndex);
        if (row >= g->FixedRows() && row < g->RowCount())
            SelectGridRow(row);
    }
    FOldItemIndex = FItemIndex;
    FOldText = Text();
    if (!FUseItems)
        TFxCustomDropDown::BeforeDropDown();
}

void TCustomFxGridDropDown::SelectGridRow(int row)
{
    const bool quiet = FQuietSelect;
    FQuietSelect = true;
    FFxColGrid->SetRow(row);
    FQuietSelect = quiet;
    FSelRow = FFxColGrid->Row();
}

void TCustomFxGridDropDown::AdjustDropDownHeight(int& height)
{
    const int headerBar = DropDownHeader().Visible() ? DropDownHeader().Height : 0;
    const int footerBar = DropDownFooter().Visible() ? DropDownFooter().Height : 0;
    height = FxMultiColumn::AdjustHeight(height, headerBar, footerBar, FHeaderHeight, FDropDownRowHeight, 4);
}

void TCustomFxGridDropDown::DoShowDropDown()
{
    TFxCustomDropDown::DoShowDropDown();
    TFxColGrid* g = FFxColGrid;
    if (!g || !DroppedDown())
        return;
    if (!FUseItems)
        while (FColumns.Count() < g->ColCount())
            FColumns.Add();
    SizeColumnsToDropDown();
    if (g->RowCount() > g->VisibleRowCount() + g->FixedRows()) {
        if (g->Row() >= g->TopRow() + g->VisibleRowCount() || g->Row() < g->TopRow())
            g->SetTopRow(std::max(g->FixedRows(), std::min(g->Row(), g->RowCount() - g->VisibleRowCount())));
    }
    // Enter on the row shown selected takes that row.
    FSelRow = g->Row();
    g->setFocusPolicy(Qt::StrongFocus);
    g->setFocus();
}

void TCustomFxGridDropDown::UpdateDropDownSize()
{
    TFxCustomDropDown::UpdateDropDownSize();
    if (!FDropDownAutoWidth || !DropDownForm() || !FFxColGrid)
        return;
    const int w = FFxColGrid->ContentWidth();
    DropDownForm()->resize(w + 2 * DropDownBorderWidth(), DropDownForm()->height());
}

void TCustomFxGridDropDown::SizeColumnsToDropDown()
{
    if (!FColumnSizeWithDropDown || !FFxColGrid || !DropDownForm())
        return;
    FxMultiColumn::SizeListColumns(*FFxColGrid, FColumns, DropDownForm()->width(), DropDownBorderWidth());
}

void TCustomFxGridDropDown::DoHideDropDown(bool cancel)
{
    // Hiding deactivates the popup, which asks for a close of its own while
    // the first runs: only the first decides the selection.
    if (FHiding || !DropDownForm() || !DropDownForm()->isVisible()) {
        TFxCustomDropDown::DoHideDropDown(cancel);
        return;
    }
    FHiding = true;
    if (cancel) {
        SetItemIndex(FOldItemIndex);
    } else if (FFxColGrid && FFxColGrid->ConfirmSelection()) {
        SetItemIndex(FUseItems ? RowToItemIndex(FSelRow) : FSelRow - FFxColGrid->FixedRows());
        FOldItemIndex = FItemIndex;
        FFxColGrid->SetConfirmSelection(false);
    }
    TFxCustomDropDown::DoHideDropDown(cancel);
    FHiding = false;
}

// ---- selection ---------------------------------------------------------------------------

int TCustomFxGridDropDown::RowToItemIndex(int row) const
{
    if (FFxColGrid && row >= 0 && row < FFxColGrid->RowCount())
        return objectItem(FFxColGrid->Objects(0, row));
    return row;
}

int TCustomFxGridDropDown::RowOfItem(int index) const
{
    if (index < 0 || !FFxColGrid)
        return -1;
    for (int r = FFxColGrid->FixedRows(); r < FFxColGrid->RowCount(); ++r)
        if (objectItem(FFxColGrid->Objects(0, r)) == index)
            return r;
    return -1;
}

int TCustomFxGridDropDown::ItemIndexToRow(int index) const
{
    const int row = RowOfItem(index);
    return row >= 0 ? row : FItemIndex;
}

void TCustomFxGridDropDown::SetItemIndex(int value)
{
    if (FUseItems) {
        if (value >= Items().Count())
            return;
        FItemIndex = value;
        const TDropDownItem* item = value >= 0 ? Items().Items(value) : nullptr;
        SetText(item && FLookupColumn >= 0 ? item->TextAt(FLookupColumn) : QString());
        return;
    }
    if (!FFxColGrid) {
        FItemIndex = value;
        return;
    }
    if (value == FItemIndex || value >= FFxColGrid->RowCount())
        return;
    FItemIndex = value;
    SetText(value >= 0 ? FFxColGrid->Cells(FLookupColumn, value + 1) : QString());
}

void TCustomFxGridDropDown::Move(FxMultiColumn::TMove move)
{
    const int count = ItemCount();
    if (count == 0)
        return;
    SetItemIndex(FxMultiColumn::MoveIndex(FItemIndex, count, move));
}

void TCustomFxGridDropDown::GridSelectCell(int row)
{
    if (!FFxColGrid)
        return;
    FSelRow = row;
    if (FQuietSelect || FFxColGrid->MouseWheelSelection())
        return;
    if (FUseItems) {
        SetItemIndex(RowToItemIndex(row));
    } else {
        SetText(FFxColGrid->Cells(FLookupColumn, row));
        FItemIndex = row - FFxColGrid->FixedRows();
    }
}

void TCustomFxGridDropDown::GridSelect()
{
    if (FFxColGrid && FFxColGrid->ConfirmSelection()) {
        FSelRow = FFxColGrid->Row();
        SetItemIndex(FUseItems ? RowToItemIndex(FSelRow) : FSelRow - FFxColGrid->FixedRows());
    }
    if (!FGridEditable)
        DoHideDropDown(false);
    if (OnSelect)
        OnSelect(this);
}

void TCustomFxGridDropDown::CellEditEntered()
{
    TFxColGrid* g = FFxColGrid;
    g->HideInplaceEdit();
    if (g->Col() != FLookupColumn || !DropDownForm() || !DropDownForm()->isVisible())
        return;
    // The edited lookup text is the choice: the popup closes with it, not
    // with the item's own text.
    const int row = g->Row();
    g->SetConfirmSelection(false);
    SetText(g->Cells(FLookupColumn, row));
    FItemIndex = FUseItems ? RowToItemIndex(row) : row - g->FixedRows();
    FOldItemIndex = FItemIndex;
    DoHideDropDown(false);
}

// ---- lookup ------------------------------------------------------------------------------

void TCustomFxGridDropDown::BuildLookupList()
{
    if (FLookupColumn < 0 || Items().Count() == 0)
        return;
    FLookupItems.clear();
    for (int i = 0; i < Items().Count(); ++i)
        FLookupItems << Items().Items(i)->TextAt(FLookupColumn);
}

bool TCustomFxGridDropDown::LookupPrefix(const QString& s, QString& found, int& index) const
{
    found.clear();
    index = -1;
    const QString key = FxDropDown::FoldCase(s, FCaseSensitive);
    if (FUseItems) {
        for (int i = 0; i < Items().Count(); ++i) {
            const QString t = Items().Items(i)->TextAt(FLookupColumn);
            if (FxDropDown::FoldCase(t, FCaseSensitive).startsWith(key)) {
                found = t;
                index = i;
                return true;
            }
        }
        return false;
    }
    if (!FFxColGrid)
        return false;
    for (int r = FFxColGrid->FixedRows(); r < FFxColGrid->RowCount(); ++r) {
        const QString t = FFxColGrid->Cells(FLookupColumn, r);
        if (FxDropDown::FoldCase(t, FCaseSensitive).startsWith(key)) {
            found = t;
            index = r;
            return true;
        }
    }
    return false;
}

void TCustomFxGridDropDown::SetEditTextKeep(const QString& text)
{
    FInChange = true;
    SetTextUnformatted(text);
    FInChange = false;
}

int TCustomFxGridDropDown::LookupKey(QChar key)
{
    if (FLookupMethod == lmNone)
        return -1;
    if (key == u'\b') {
        if (FLookupMethod == lmLookup) {
            if (SelLength() > 0) {
                QString t = EditText();
                t.remove(SelStart(), SelLength());
                SetEditTextKeep(t);
                SetSel(int(t.size()), int(t.size()));
            } else {
                FLookupEntry.chop(1);
                SetEditTextKeep(FLookupEntry);
                SetSel(int(FLookupEntry.size()), int(FLookupEntry.size()));
            }
            return -1;
        }
        // Narrowing: one filter level less per deleted character.
        FLookupEntry.chop(1);
    } else if (key != u'\t') {
        FLookupEntry += key;
    }
    const QString e = FLookupEntry.trimmed();
    if (FLookupMethod == lmNarrowDown) {
        if (!FFxColGrid)
            return -1;
        TFxColGrid& g = *FFxColGrid;
        if (e.isEmpty()) {
            g.RemoveAllFilters();
        } else {
            g.SetFixedRowAlways(true);
            g.NarrowDown(e, FLookupColumn);
            if (FStyle == dsDropDown && g.RowCount() > g.FixedRows()) {
                const QString t = g.Cells(FLookupColumn, g.FixedRows());
                SetEditTextKeep(t);
                setSelection(int(t.size()), int(FLookupEntry.size()) - int(t.size()));
            }
        }
        return g.FixedRows();
    }
    QString found;
    int index = -1;
    if (LookupPrefix(e, found, index)) {
        FItemIndex = index;
        SetEditTextKeep(found);
        if (FStyle == dsDropDown)
            setSelection(int(found.size()), int(FLookupEntry.size()) - int(found.size()));
        return index;
    }
    if (FStyle == dsDropDown)
        return -1;
    if (LookupPrefix(QString(key), found, index)) {
        FItemIndex = index;
        SetEditTextKeep(found);
        FLookupEntry = QString(key);
        return index;
    }
    FLookupEntry.clear();
    return -1;
}

// ---- keys in the popup's grid ------------------------------------------------------------

void TCustomFxGridDropDown::ControlKeyDown(int& key, TShiftState shift)
{
    const int pressed = key;
    const bool stays = navigationKey(key) && !shift.Contains(ssAlt);
    if (!stays)
        TFxCustomDropDown::ControlKeyDown(key, shift);
    int k = pressed;
    if (OnGridKeyDown)
        OnGridKeyDown(this, k, shift);
}

void TCustomFxGridDropDown::ControlKeyUp(int& key, TShiftState shift)
{
    const int pressed = key;
    if (navigationKey(key) && !shift.Contains(ssAlt))
        FLookupEntry.clear();
    else
        TFxCustomDropDown::ControlKeyUp(key, shift);
    int k = pressed;
    if (OnGridKeyUp)
        OnGridKeyUp(this, k, shift);
}

void TCustomFxGridDropDown::ControlKeyPress(QChar& key)
{
    QChar pressed = key;
    TFxColGrid* g = FFxColGrid;
    if (key == u'\r' || key == QChar(0x1B) || (g && (g->Options() & goEditing))) {
        FLookupEntry.clear();
    } else {
        const int r = LookupKey(key);
        int row = r;
        // A found item sits where the grid put it (the rows may be sorted).
        if (r >= 0 && FUseItems && FLookupMethod == lmLookup && g) {
            row = RowOfItem(r);
            if (row < 0)
                row = g->FixedRows() + r;
        }
        if (g && r >= 0 && row >= g->FixedRows() && row < g->RowCount()) {
            if (g->RowCount() > g->VisibleRowCount() + g->FixedRows())
                g->SetTopRow(std::min(row, g->RowCount() - g->VisibleRowCount()));
            SelectGridRow(row);
            if (FUseItems && FLookupMethod == lmNarrowDown)
                FItemIndex = RowToItemIndex(row);
            g->SetCol(0);
            g->RepaintRow(row);
        } else {
            FLookupEntry.clear();
        }
    }
    if (OnGridKeyPress)
        OnGridKeyPress(this, pressed);
}

// ---- keys in the edit --------------------------------------------------------------------

void TCustomFxGridDropDown::KeyDown(int& key, TShiftState shift)
{
    const int pressed = key;
    TFxColGrid* g = FFxColGrid;
    if (g && (g->Options() & goEditing) && g->EditMode() && key == VK_RETURN && !shift.Contains(ssShift)) {
        g->HideInplaceEdit();
        SetText(g->Cells(FLookupColumn, g->Row()));
        FItemIndex = g->Row() - g->FixedRows();
        key = 0;
        return;
    }
    if (key == VK_RETURN && g)
        g->SetConfirmSelection(true);
    if (FLookupColumn >= 0 && Items().Count() > 0) {
        if (key == VK_BACK || key == VK_ESCAPE || key == VK_DELETE) {
            FWorkmode = false;
        } else if (key == VK_RETURN) {
            const int pos = indexIgnoringCase(FLookupItems, Text());
            if (pos >= 0) {
                FItemIndex = pos;
                SetText(FLookupItems[pos]);
            }
            if (ReturnIsTab()) {
                QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
                key = 0;
            }
        } else {
            FWorkmode = true;
        }
    }
    if (pressed == VK_ESCAPE || (pressed >= VK_PRIOR && pressed <= VK_DOWN))
        FLookupEntry.clear();
    TFxCustomDropDown::KeyDown(key, shift);
    if (FLookupColumn >= 0 && Items().Count() > 0 && pressed == VK_ESCAPE && key == VK_ESCAPE)
        SetItemIndex(indexIgnoringCase(FLookupItems, Text()));
    if (!isEnabled() || shift.Contains(ssAlt))
        return;
    switch (pressed) {
    case VK_PRIOR: SelectPreviousPage(); break;
    case VK_NEXT: SelectNextPage(); break;
    case VK_END:
        if (!shift.Contains(ssShift) && FStyle == dsDropDownList)
            SelectLast();
        break;
    case VK_HOME:
        if (!shift.Contains(ssShift) && FStyle == dsDropDownList)
            SelectFirst();
        break;
    case VK_UP: SelectPrevious(); break;
    case VK_DOWN: SelectNext(); break;
    default: break;
    }
}

void TCustomFxGridDropDown::KeyPress(QChar& key)
{
    if (key == u'\r' && ReturnIsTab()) {
        key = QChar();
        return;
    }
    const QChar typed = key;
    TFxCustomDropDown::KeyPress(key);
    // Control characters (Enter, Escape) are no search text.
    if (typed == u'\b' || typed.unicode() >= 32)
        LookupKey(typed);
    if (FAutoShowDropDown && !typed.isNull() && typed.unicode() >= 32)
        ShowDropDown();
}

void TCustomFxGridDropDown::KeyUp(int& key, TShiftState shift)
{
    TFxCustomDropDown::KeyUp(key, shift);
    TFxColGrid* g = FFxColGrid;
    if (g && g->EditMode() && key == VK_RETURN && !shift.Contains(ssShift)) {
        if (g->Col() == FLookupColumn)
            DoHideDropDown(false);
        else
            g->HideInplaceEdit();
    }
    if (!FItemChange)
        return;
    FItemChange = false;
    SetItemIndex(FItemIdx);
    const int end = int(EditText().size());
    setSelection(end, FItemSel - end);
}

void TCustomFxGridDropDown::HandleChange()
{
    if (FInChange)
        return;
    FItemChange = false;
    TFxCustomDropDown::HandleChange();
    if (!FWorkmode)
        return;
    SetModified(Text() != FOldText);
    const QString text = EditText();
    const QString typedPart = text.left(cursorPosition());
    if (FLookupItems.isEmpty())
        return;
    if (const FxMultiColumn::TCompletion c = FxMultiColumn::Complete(FLookupItems, typedPart, FMatchCase);
        c.Index >= 0) {
        FItemIndex = c.Index;
        FItemIdx = c.Index;
        FItemSel = c.KeyLength;
        FItemChange = true;
        SetEditTextKeep(c.Text);
        setSelection(int(c.Text.size()), int(typedPart.size()) - int(c.Text.size()));
        return;
    }
    if (!typedPart.isEmpty() && typedPart != text) {
        SetEditTextKeep(typedPart);
        SetSel(int(typedPart.size()), int(typedPart.size()));
    }
}

void TCustomFxGridDropDown::focusInEvent(QFocusEvent* e)
{
    TFxCustomDropDown::focusInEvent(e);
    if (FFxColGrid && !DroppedDown())
        FFxColGrid->RemoveAllFilters();
    FLookupEntry.clear();
}

// ---- styles ------------------------------------------------------------------------------

void TCustomFxGridDropDown::SetSelectionColorStyle(TSelectionColorStyle value)
{
    ApplySelectionLines(value);
    TFxCustomDropDown::SetSelectionColorStyle(value);
}

void TCustomFxGridDropDown::SetComponentStyle(TFxStyle style)
{
    TFxCustomDropDown::SetComponentStyle(style);
    if (style == tsOffice2010Blue || style == tsOffice2010Silver || style == tsOffice2010Black)
        return;
    if (FxMultiColumn::TListStyle r{}; FxMultiColumn::ListStyle(style, r))
        ApplyListStyle(*this, r);
}
