#include "controls/dropdown/FxMultiColumnDropDown.h"

#include "controls/dropdown/FxDropDownDraw.h"
#include "controls/dropdown/FxDropDownForm.h"
#include "controls/dropdown/FxDropDownStyles.h"
#include "framework/Canvas.h"
#include "framework/Input.h"
#include "framework/Screen.h"
#include "framework/SysColors.h"
#include "grid/foundation/FxUtilDraw.h"

#include <QApplication>
#include <QKeyEvent>

#include <cmath>

using namespace fw;

namespace {

// The string list's own search: the first entry equal but for case.
int indexIgnoringCase(const QStringList& list, const QString& s)
{
    for (int i = 0; i < list.size(); ++i)
        if (list[i].compare(s, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace

// ---- columns and items -------------------------------------------------------------------

void TDropDownColumn::Assign(const TDropDownColumn& s)
{
    Wordwrap = s.Wordwrap;
    Width = s.Width;
    AutoSize = s.AutoSize;
    Header = s.Header;
    Alignment = s.Alignment;
    Color = s.Color;
    ColumnType = s.ColumnType;
    Font = s.Font;
    Ellipsis = s.Ellipsis;
}

QString TDropDownItem::TextAt(int column) const
{
    return column >= 0 && column < Text.size() ? Text[column] : QString();
}

void TDropDownItem::Assign(const TDropDownItem& source)
{
    ImageIndex = source.ImageIndex;
    Text = source.Text;
}

int TDropDownItems::IndexInColumn(int column, const QString& value) const
{
    for (int i = 0; i < Count(); ++i)
        if (column >= 0 && column < Items(i)->Text.size() && Items(i)->Text[column] == value)
            return i;
    return -1;
}

// ---- sizing rules ------------------------------------------------------------------------

int FxMultiColumn::AdjustHeight(int height, int headerBar, int footerBar, int listHeaderHeight, int rowHeight, int extra)
{
    const int row = std::max(1, rowHeight);
    const int overhead = headerBar + footerBar + listHeaderHeight + 2;
    const int avail = height - overhead;
    const int rows = avail > 0 ? avail / row : 0;
    return overhead + rows * row + extra;
}

std::vector<int> FxMultiColumn::SizeColumns(const std::vector<int>& widths, int avail)
{
    int total = 1;
    for (int w : widths)
        total += w;
    const double f = double(avail) / total;
    double carry = 0;
    std::vector<int> out;
    for (int w : widths) {
        const double exact = w * f;
        const int r = int(std::nearbyint(exact));
        carry += exact - r;
        if (carry > 1.0) {
            out.push_back(r + 1);
            carry -= 1.0;
        } else {
            out.push_back(r);
        }
    }
    return out;
}

bool FxMultiColumn::SelectionLines(TSelectionColorStyle style, TColor& line, TColor& fixedLine)
{
    if (style == scOffice2007) {
        line = 0xF1EDEB;
        fixedLine = 0xD1BBA4;
        return true;
    }
    if (style == scWindowsVista || style == scWindows7) {
        line = 0xECECF0;
        fixedLine = 0xD4D2D1;
        return true;
    }
    return false;
}

FxMultiColumn::TCompletion FxMultiColumn::Complete(const QStringList& lookupItems, const QString& typedPart,
                                                   bool matchCase)
{
    TCompletion out;
    const QString key = FxDropDown::FoldCase(typedPart, matchCase);
    if (key.isEmpty())
        return out;
    for (int i = 0; i < lookupItems.size(); ++i) {
        const QString& e = lookupItems[i];
        if (!FxDropDown::FoldCase(e, matchCase).startsWith(key))
            continue;
        out.Index = i;
        out.Text = typedPart + e.mid(key.size()).left(255);
        out.KeyLength = int(key.size());
        return out;
    }
    return out;
}

void FxMultiColumn::TListSettings::ApplyListStyle(TFxCustomDropDown& dropDown, const TListStyle& style)
{
    FHeaderColor = style.Header;
    FHeaderColorTo = style.HeaderTo;
    if (style.Font != KeepColor)
        FHeaderFont.Color = style.Font;
    ApplyListSelection(dropDown, style.Selection);
    FLineColor = style.Line;
    FFixedLineColor = style.FixedLine;
    FSelectionTextColor = style.SelectionText;
}

void FxMultiColumn::TListSettings::ApplySelectionLines(TSelectionColorStyle style)
{
    SelectionLines(style, FLineColor, FFixedLineColor);
}

int FxMultiColumn::VerticalScrollBarWidth() { return GetSystemMetrics(SM_CXVSCROLL); }

int FxMultiColumn::MoveIndex(int i, int count, TMove move)
{
    if (count <= 0)
        return i;
    switch (move) {
    case mvFirst: return 0;
    case mvLast: return count - 1;
    case mvNext: return i < 0 ? 0 : i + 1 < count ? i + 1 : i;
    case mvPrevious: return i < 0 ? 0 : i - 1 >= 0 ? i - 1 : i;
    case mvNextPage: return i < 0 ? 0 : std::min(i + 10, count - 1);
    case mvPreviousPage: return i >= 0 && i - 10 >= 0 ? i - 10 : 0;
    }
    return i;
}

// ---- the list ----------------------------------------------------------------------------

TFxColGrid::TFxColGrid(QWidget* parent) : TStringGrid(parent)
{
    SetFixedCols(0);
    SetOptions((Options() & ~(goRangeSelect | goDrawFocusSelected)) | goHorzLine | goRowSelect);
    SetDefaultDrawing(false);
    SetGridLineWidth(0);
    // No frame of its own: the popup's border is the list's, and the popup's
    // height is snapped to the rows with no room for one.
    setFrameShape(QFrame::NoFrame);
}

TFxColGrid::~TFxColGrid() = default;

void TFxColGrid::LoadFromDropDown(TFxMultiColumnDropDown* dd)
{
    if (!dd)
        return;
    FFxDropDown = dd;
    FColumns.Assign(dd->Columns());
    SetColCount(std::max(1, FColumns.Count()));
    const int items = dd->Items().Count();
    SetRowCount(items + 1);
    if (RowCount() > 1) {
        SetFixedRows(1);
        SetRow(1);
    } else {
        SetFixedRows(0);
    }
    for (int i = 0; i < FColumns.Count(); ++i)
        SetColWidths(i, FColumns.Items(i)->Width);
    LineColor = dd->LineColor();
    FixedLineColor = dd->FixedLineColor();
    HeaderColor = dd->HeaderColor();
    HeaderColorTo = dd->HeaderColorTo();
    HeaderHeight = dd->HeaderHeight();
    HeaderFont = dd->HeaderFont();
    Images = dd->Images();
    SetDefaultRowHeight(std::max(1, dd->DropDownRowHeight()));
    if (RowCount() > 1)
        SetRowHeights(0, HeaderHeight);
    SetOptions(dd->ColumnSizing() ? Options() | goColSizing : Options() & ~goColSizing);
    FitColumnWidths();
    FitWrappedRowHeights();
}

int TFxColGrid::ContentWidth() const
{
    return FxMultiColumn::ListContentWidth(*this);
}

void TFxColGrid::FitColumnWidth(int index)
{
    if (index < 0 || index >= FColumns.Count() || !FColumns.Items(index)->AutoSize || !FFxDropDown)
        return;
    TDropDownColumn* col = FColumns.Items(index);
    TCanvas canvas;
    canvas.Font() = col->Font;
    int w = 0;
    for (int r = 1; r < RowCount(); ++r) {
        const TDropDownItem* item = FFxDropDown->Items().Items(r - 1);
        if (!item)
            continue;
        const QString text = item->TextAt(index);
        const int image = col->ColumnType == ctImage ? item->ImageIndex : -1;
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
    if (!any || !FFxDropDown)
        return;
    TCanvas canvas;
    for (int r = FixedRows(); r < RowCount(); ++r) {
        const TDropDownItem* item = FFxDropDown->Items().Items(r - 1);
        if (!item)
            continue;
        int h = 24;
        for (int c = 0; c < FColumns.Count(); ++c) {
            const TDropDownColumn* col = FColumns.Items(c);
            if (!col->Wordwrap)
                continue;
            int ch = col->ColumnType == ctImage && item->ImageIndex >= 0 && Images ? Images->Height() + 6 : 0;
            const QString text = item->TextAt(c);
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

void TFxColGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    TCanvas& canvas = Canvas();
    TFxMultiColumnDropDown* dd = FFxDropDown;
    if (dd && dd->OnDropDownDrawItem) {
        dd->OnDropDownDrawItem(dd, ACol, ARow, canvas, ARect);
        return;
    }
    const int part = ColCount() == 1 ? 0 : ACol == FixedCols() ? 1 : ACol == ColCount() - 1 ? 2 : 3;
    TRect r = ARect;
    QString text;
    int image = -1;
    TColor color = Color();
    unsigned align = DT_LEFT;
    bool wrap = false, ellipsis = false;
    const bool fixed = AState & gdFixed;
    const bool selected = (AState & gdSelected) && !fixed;
    if (const TDropDownColumn* col = FColumns.Items(ACol)) {
        color = col->Color;
        align = col->Alignment == taRightJustify ? DT_RIGHT : col->Alignment == taCenter ? DT_CENTER : DT_LEFT;
        wrap = col->Wordwrap;
        ellipsis = col->Ellipsis;
        canvas.Font() = col->Font;
        if (dd && ARow >= 1 && ARow <= dd->Items().Count()) {
            const TDropDownItem* item = dd->Items().Items(ARow - 1);
            if (col->ColumnType == ctImage)
                image = item->ImageIndex;
            text = item->TextAt(ACol);
        }
    } else {
        canvas.Font() = HeaderFont;
    }
    if (dd && dd->OnDropDownGetItemText)
        dd->OnDropDownGetItemText(dd, ACol, ARow, text);
    if (fixed) {
        const TDropDownColumn* col = FColumns.Items(ACol);
        text = col ? col->Header : QString();
        image = -1;
        if (HeaderColor == clNone || HeaderColorTo == clNone) {
            canvas.Brush().Color = HeaderColor;
            canvas.Brush().Style = bsSolid;
            canvas.FillRect(r);
        } else {
            DrawStepGradient(canvas, HeaderColor, HeaderColorTo, 80, r, false);
        }
    } else if (selected) {
        if (dd)
            dd->DrawSelectionBackground(canvas, r, part, color);
        else {
            canvas.Brush().Color = clHighlight;
            canvas.FillRect(r);
        }
    } else {
        canvas.Brush().Color = color;
        canvas.Brush().Style = bsSolid;
        canvas.FillRect(r);
    }
    // Lines below and right of the cell.
    const int c = fixed ? 1 : (LineWidth + 1) / 2;
    if (fixed || (LineWidth > 0 && LineColor != clNone)) {
        canvas.Pen().Color = fixed ? FixedLineColor : LineColor;
        canvas.Pen().Width = fixed ? 1 : LineWidth;
        if (Options() & (fixed ? goFixedHorzLine : goHorzLine)) {
            canvas.MoveTo(r.Left - c + 1, r.Bottom - c);
            canvas.LineTo(r.Right - c + 1, r.Bottom - c);
        }
        if (Options() & (fixed ? goFixedVertLine : goVertLine)) {
            canvas.MoveTo(r.Right - c, r.Bottom - c);
            canvas.LineTo(r.Right - c, r.Top - c);
        }
        canvas.Pen().Width = 1;
    }
    TRect tr(r.Left + 2, r.Top, r.Right, r.Bottom);
    if (Images && image >= 0) {
        const int y = r.Top + std::max(0, (r.Height() - Images->Height()) / 2);
        Images->Draw(canvas, r.Left + 2, y, image);
        tr.Left = r.Left + Images->Width() + 4;
    }
    if (text.isEmpty())
        return;
    canvas.Brush().Style = bsClear;
    if (fixed)
        canvas.Font() = HeaderFont;
    else if (selected && dd)
        canvas.Font().Color = dd->SelectionTextColor();
    unsigned flags = DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS | align;
    flags |= wrap ? DT_WORDBREAK : DT_SINGLELINE;
    if (ellipsis)
        flags |= DT_END_ELLIPSIS;
    canvas.DrawText(text, tr, flags);
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
    const int pressed = Key;
    TStringGrid::KeyDown(Key, Shift);
    if (pressed == VK_RETURN)
        DoSelect();
}

void TFxColGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FConfirmSelection = true;
    TStringGrid::MouseDown(Button, Shift, X, Y);
}

void TFxColGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TStringGrid::MouseUp(Button, Shift, X, Y);
    int col = 0, row = 0;
    MouseToCell(X, Y, col, row);
    if (row >= FixedRows() && row < RowCount() && RowCount() > 1)
        DoSelect();
}

bool TFxColGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    FMouseWheelSelection = true;
    FConfirmSelection = false;
    const bool handled = TStringGrid::DoMouseWheelDown(Shift, MousePos);
    FMouseWheelSelection = false;
    return handled;
}

bool TFxColGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    FMouseWheelSelection = true;
    FConfirmSelection = false;
    const bool handled = TStringGrid::DoMouseWheelUp(Shift, MousePos);
    FMouseWheelSelection = false;
    return handled;
}

void TFxColGrid::DoSelect()
{
    if (OnSelect)
        OnSelect(this);
}

// ---- the drop-down -----------------------------------------------------------------------

TFxMultiColumnDropDown::TFxMultiColumnDropDown(QWidget* parent) : TFxCustomDropDown(parent)
{
    SetDropDownColor(0xFFFFFF);
    SetDropDownHeight(200);
    SetAutoSelect(true);
    SetDropDownEnabled(true);
    CreateDropDownForm();
    SetSelectionColorStyle(scOffice2007);
    SetComponentStyle(ComponentStyle());
}

TFxMultiColumnDropDown::~TFxMultiColumnDropDown() = default;

QString TFxMultiColumnDropDown::Fold(const QString& s, bool caseSensitive) const
{
    return FxDropDown::FoldCase(s, caseSensitive);
}

void TFxMultiColumnDropDown::Assign(const TFxMultiColumnDropDown& s)
{
    TFxCustomDropDown::Assign(s);
    FCaseSensitive = s.FCaseSensitive;
    FDropDownAutoWidth = s.FDropDownAutoWidth;
    FDropDownRowHeight = s.FDropDownRowHeight;
    FLineColor = s.FLineColor;
    FFixedLineColor = s.FFixedLineColor;
    FColumnSizing = s.FColumnSizing;
    FColumnSizeWithDropDown = s.FColumnSizeWithDropDown;
    FColumns.Assign(s.FColumns);
    FHeaderColor = s.FHeaderColor;
    FHeaderColorTo = s.FHeaderColorTo;
    FHeaderHeight = s.FHeaderHeight;
    FHeaderFont = s.FHeaderFont;
    FLookupColumn = s.FLookupColumn;
    FSelectionTextColor = s.FSelectionTextColor;
    FItems.Assign(s.FItems);
    FItemIndex = s.FItemIndex;
}

void TFxMultiColumnDropDown::CreateDropDownForm()
{
    TFxCustomDropDown::CreateDropDownForm();
    if (!DropDownForm())
        return;
    if (!FFxColGrid) {
        FFxColGrid = new TFxColGrid(DropDownForm());
        FFxColGrid->OnSelectCell = [this](QObject*, int, int row, bool&) { GridSelectCell(row); };
        FFxColGrid->OnSelect = [this](QObject*) { GridSelect(); };
    }
    FFxColGrid->SetDropDown(this);
    FFxColGrid->setGeometry(0, 0, FFxColGrid->width(), 180);
    FFxColGrid->SetColor(DropDownColor());
    SetControl(FFxColGrid);
    SetFocusControl(FFxColGrid);
}

void TFxMultiColumnDropDown::BeforeDropDown()
{
    TFxCustomDropDown::BeforeDropDown();
    DropDownForm()->SetCancelOnDeActivate(false);
    FShowing = true;
    if (FFxColGrid) {
        FFxColGrid->LoadFromDropDown(this);
        FFxColGrid->SetOptions(FFxColGrid->Options() | goThumbTracking);
        FFxColGrid->SetColor(DropDownColor());
        if (FFxColGrid->RowCount() > 1)
            FFxColGrid->SetRow(std::max(FFxColGrid->FixedRows(), ItemIndexToRow(FItemIndex)));
    }
    FOldItemIndex = FItemIndex;
    FOldText = Text();
}

int TFxMultiColumnDropDown::ItemIndexToRow(int index) const { return index + 1; }

void TFxMultiColumnDropDown::AdjustDropDownHeight(int& height)
{
    const int headerBar = DropDownHeader().Visible() ? DropDownHeader().Height : 0;
    const int footerBar = DropDownFooter().Visible() ? DropDownFooter().Height : 0;
    height = FxMultiColumn::AdjustHeight(height, headerBar, footerBar, FHeaderHeight, FDropDownRowHeight,
                                         ExtraDropDownHeight());
}

void TFxMultiColumnDropDown::DoShowDropDown()
{
    TFxCustomDropDown::DoShowDropDown();
    SizeColumnsToDropDown();
    if (FFxColGrid && FFxColGrid->RowCount() > 1) {
        const int row = FItemIndex + 1 > 0 ? ItemIndexToRow(FItemIndex) : 1;
        FFxColGrid->SetRow(row);
        if (row >= FFxColGrid->TopRow() + FFxColGrid->VisibleRowCount())
            FFxColGrid->SetTopRow(std::max(FFxColGrid->FixedRows(), row - FFxColGrid->VisibleRowCount() + 1));
    }
    FShowing = false;
}

void TFxMultiColumnDropDown::UpdateDropDownSize()
{
    TFxCustomDropDown::UpdateDropDownSize();
    if (!FDropDownAutoWidth || !DropDownForm() || !FFxColGrid)
        return;
    // The list's height when the popup opens decides its scroll bar.
    int h = UserDropDownHeight() != -1 ? UserDropDownHeight() : DropDownForm()->height();
    AdjustDropDownHeight(h);
    h -= 2 * DropDownBorderWidth();
    if (DropDownHeader().Visible())
        h -= DropDownHeader().Height;
    if (DropDownFooter().Visible())
        h -= DropDownFooter().Height;
    const int w = FxMultiColumn::ListContentWidth(*FFxColGrid, h);
    DropDownForm()->resize(w + 2 * DropDownBorderWidth(), DropDownForm()->height());
}

void TFxMultiColumnDropDown::DropDownResizing() { SizeColumnsToDropDown(); }

void TFxMultiColumnDropDown::SizeColumnsToDropDown()
{
    if (!FColumnSizeWithDropDown || !FFxColGrid || !DropDownForm())
        return;
    FxMultiColumn::SizeListColumns(*FFxColGrid, FColumns, DropDownForm()->width(), DropDownBorderWidth());
}

void TFxMultiColumnDropDown::DoHideDropDown(bool cancel)
{
    // Hiding the popup deactivates it, which asks for a close of its own
    // while the first one runs: only the first decides the selection.
    if (FHiding || !DropDownForm() || !DropDownForm()->isVisible()) {
        TFxCustomDropDown::DoHideDropDown(cancel);
        return;
    }
    FHiding = true;
    TFxCustomDropDown::DoHideDropDown(cancel);
    FHiding = false;
    if (cancel) {
        SetItemIndex(FOldItemIndex);
        return;
    }
    if (FFxColGrid && FFxColGrid->ConfirmSelection())
        SetItemIndex(FFxColGrid->Row() - 1);
    FOldItemIndex = FItemIndex;
}

void TFxMultiColumnDropDown::SetItemIndex(int value)
{
    if (value >= FItems.Count())
        return;
    FItemIndex = value;
    const TDropDownItem* item = value >= 0 ? FItems.Items(value) : nullptr;
    SetText(item && FLookupColumn >= 0 ? item->TextAt(FLookupColumn) : QString());
}

int TFxMultiColumnDropDown::GetItemIndex(const QString& value) const
{
    for (int i = 0; i < FItems.Count(); ++i)
        if (FItems.Items(i)->TextAt(FLookupColumn) == value)
            return i;
    return -1;
}

void TFxMultiColumnDropDown::BuildLookupList()
{
    if (FLookupColumn < 0 || FItems.Count() == 0)
        return;
    FLookupItems.clear();
    for (int i = 0; i < FItems.Count(); ++i)
        FLookupItems << FItems.Items(i)->TextAt(FLookupColumn);
}

void TFxMultiColumnDropDown::Move(FxMultiColumn::TMove move)
{
    if (FItems.Count() == 0)
        return;
    SetItemIndex(FxMultiColumn::MoveIndex(FItemIndex, FItems.Count(), move));
}

bool TFxMultiColumnDropDown::LookupPrefix(const QString& s, QString& found, int& index) const
{
    found.clear();
    index = -1;
    const QString key = Fold(s, FCaseSensitive);
    for (int i = 0; i < FItems.Count(); ++i) {
        const QString t = FItems.Items(i)->TextAt(FLookupColumn);
        if (Fold(t, FCaseSensitive).startsWith(key)) {
            found = t;
            index = i;
            return true;
        }
    }
    return false;
}

void TFxMultiColumnDropDown::SetEditTextKeep(const QString& text)
{
    FInChange = true;
    SetTextUnformatted(text);
    FInChange = false;
}

int TFxMultiColumnDropDown::LookupKey(QChar key)
{
    if (key == u'\b') {
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
    if (key != u'\t')
        FLookupEntry += key;
    QString found;
    int index = -1;
    if (LookupPrefix(FLookupEntry, found, index)) {
        FItemIndex = index;
        SetEditTextKeep(found);
        SetSel(int(FLookupEntry.size()), int(found.size()));
        return index;
    }
    if (LookupPrefix(QString(key), found, index)) {
        FItemIndex = index;
        SetEditTextKeep(found);
        FLookupEntry = QString(key);
        return index;
    }
    FLookupEntry.clear();
    return -1;
}

void TFxMultiColumnDropDown::GridSelectCell(int row)
{
    if (!FFxColGrid || FFxColGrid->MouseWheelSelection() || FShowing)
        return;
    // The edit follows the highlighted row.
    if (row - 1 < FItems.Count())
        SetItemIndex(row - 1);
}

void TFxMultiColumnDropDown::GridSelect()
{
    if (FFxColGrid && FFxColGrid->ConfirmSelection())
        SetItemIndex(FFxColGrid->Row() - 1);
    DoHideDropDown(false);
    if (OnSelect)
        OnSelect(this);
}

namespace {

// Keys that move in the open list and stay there.
bool listKey(int key, TShiftState shift)
{
    return (key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN) && !shift.Contains(ssAlt);
}

} // namespace

void TFxMultiColumnDropDown::ControlKeyDown(int& key, TShiftState shift)
{
    if (!listKey(key, shift))
        TFxCustomDropDown::ControlKeyDown(key, shift);
}

void TFxMultiColumnDropDown::ControlKeyUp(int& key, TShiftState shift)
{
    if (!listKey(key, shift))
        TFxCustomDropDown::ControlKeyUp(key, shift);
}

void TFxMultiColumnDropDown::ControlKeyPress(QChar& key)
{
    if (key == u'\r' || key == QChar(0x1B) || (FFxColGrid && (FFxColGrid->Options() & goEditing))) {
        FLookupEntry.clear();
        return;
    }
    const int r = LookupKey(key);
    if (r == -1) {
        FLookupEntry.clear();
        return;
    }
    if (!FFxColGrid)
        return;
    const int row = ItemIndexToRow(r);
    if (row >= FFxColGrid->TopRow() + FFxColGrid->VisibleRowCount() || row < FFxColGrid->TopRow())
        FFxColGrid->SetTopRow(row);
    // Moving the highlight must not rewrite the text the search just set.
    const bool showing = FShowing;
    FShowing = true;
    FFxColGrid->SetRow(row);
    FFxColGrid->SetCol(0);
    FShowing = showing;
}

void TFxMultiColumnDropDown::KeyDown(int& key, TShiftState shift)
{
    const int pressed = key;
    if (FLookupColumn >= 0 && FItems.Count() > 0) {
        if (key == VK_BACK || key == VK_ESCAPE || key == VK_DELETE) {
            FWorkmode = false;
        } else if (key == VK_RETURN) {
            const int pos = indexIgnoringCase(FLookupItems, Text());
            if (pos >= 0) {
                // The list's own search ignores case; the text takes the entry's.
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
    TFxCustomDropDown::KeyDown(key, shift);
    if (FLookupColumn >= 0 && FItems.Count() > 0 && pressed == VK_ESCAPE && key == VK_ESCAPE) {
        const int pos = indexIgnoringCase(FLookupItems, Text());
        SetItemIndex(pos);
    }
    if (!isEnabled() || shift.Contains(ssAlt))
        return;
    switch (pressed) {
    case VK_PRIOR: SelectPreviousPage(); break;
    case VK_NEXT: SelectNextPage(); break;
    case VK_END:
        if (!EditorEnabled())
            SelectLast();
        break;
    case VK_HOME:
        if (!EditorEnabled())
            SelectFirst();
        break;
    case VK_UP: SelectPrevious(); break;
    case VK_DOWN: SelectNext(); break;
    default: break;
    }
}

void TFxMultiColumnDropDown::KeyPress(QChar& key)
{
    if (key == u'\r' && ReturnIsTab()) {
        key = QChar();
        return;
    }
    TFxCustomDropDown::KeyPress(key);
}

void TFxMultiColumnDropDown::KeyUp(int& key, TShiftState shift)
{
    TFxCustomDropDown::KeyUp(key, shift);
    if (!FItemChange)
        return;
    FItemChange = false;
    SetItemIndex(FItemIdx);
    // The completed part stays selected, the caret after the typed part.
    const int end = int(EditText().size());
    setSelection(end, FItemSel - end);
}

void TFxMultiColumnDropDown::HandleChange()
{
    if (FInChange)
        return;
    FItemChange = false;
    TFxCustomDropDown::HandleChange();
    if (!FWorkmode)
        return;
    SetModified(Text() != FOldText);
    // The text up to the caret is what the user typed.
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

// ---- styles ------------------------------------------------------------------------------

void TFxMultiColumnDropDown::SetSelectionColorStyle(TSelectionColorStyle value)
{
    ApplySelectionLines(value);
    TFxCustomDropDown::SetSelectionColorStyle(value);
}

bool FxMultiColumn::ListStyle(TFxStyle style, TListStyle& r)
{
    constexpr TColor keep = KeepColor;
    switch (style) {
    case tsOffice2003Blue: r = {0xD68759, 0x933803, 0xFFFFFF, 0, 0x962D00, 0x962D00, 0}; break;
    case tsOffice2003Silver: r = {0xBDA4A5, 0x957475, keep, 0, 0x947C7C, 0x947C7C, 0}; break;
    case tsOffice2003Olive: r = {0x82C0AF, 0x447A63, keep, 0, 0x588060, 0x588060, 0}; break;
    case tsOffice2003Classic: r = {0x808080, 0x808080, keep, 0, 0x808080, 0x808080, 0}; break;
    case tsOffice2007Luna: r = {0xFFEFE3, 0xFFD2AF, 0x723708, 0, 0xFFD2AF, 0xFFD2AF, 0}; break;
    case tsOffice2007Obsidian: r = {0xF2F1F0, 0xC9C2BD, 0x433C37, 0, 0x5C534C, 0x5C534C, 0}; break;
    case tsWindowsXP: r = {clBtnFace, clBtnFace, 0, 3, 0xC0C0C0, 0, clHighlightText}; break;
    case tsWhidbey: r = {0xEBEEEF, 0x7E9898, 0xFFFFFF, 0, 0x962D00, 0x962D00, 0}; break;
    case tsOffice2007Silver: r = {0xF8F7F6, 0xE8E0DB, 0x8B4215, 0, 0x74706F, 0x74706F, 0}; break;
    case tsWindowsVista: r = {0xFFFDF9, 0xFFFAF0, 0, 1, 0xFCF2DA, 0xFCF2DA, 0}; break;
    case tsWindows7: r = {0xFDFBFA, 0xFDF3EB, 0, 2, 0xFBD6B8, 0xFBD6B8, 0}; break;
    case tsTerminal: r = {clBtnFace, clBtnFace, 0, 3, 0x808080, 0x808080, clHighlightText}; break;
    case tsOffice2010Blue: r = {0xEDDBCD, clNone, 0x5B391E, 4, 0xEEDDCF, 0xEEDDCF, 0}; break;
    case tsOffice2010Silver: r = {0xEDE9E5, clNone, 0x5B391E, 4, 0xEEDDCF, 0xEEDDCF, 0}; break;
    case tsOffice2010Black: r = {0x828282, clNone, 0xD7D7D6, 4, 0xEEDDCF, 0xEEDDCF, 0}; break;
    case tsCustom:
    default: return false;
    }
    return true;
}

void FxMultiColumn::ApplyListSelection(TFxCustomDropDown& dd, int selection)
{
    auto pair = [&dd](TSelectionColorStyle s) {
        const FxDropDown::TSelectionStyleColors c = FxDropDown::SelectionStyleColors(s);
        dd.SetSelectionColor(c.Color);
        dd.SetSelectionColorTo(c.ColorTo);
    };
    switch (selection) {
    case 0: pair(scOffice2007); break;
    case 1: pair(scWindowsVista); break;
    case 2: pair(scWindows7); break;
    case 3:
        dd.TFxCustomDropDown::SetSelectionColorStyle(scCustom);
        dd.SetSelectionColor(clHighlight);
        dd.SetSelectionColorTo(clHighlight);
        break;
    default:
        dd.TFxCustomDropDown::SetSelectionColorStyle(scCustom);
        dd.SetSelectionColor(0x6CD0FF);
        dd.SetSelectionColorTo(0x6CD0FF);
        break;
    }
}

void TFxMultiColumnDropDown::SetComponentStyle(TFxStyle style)
{
    TFxCustomDropDown::SetComponentStyle(style);
    if (FxMultiColumn::TListStyle r{}; FxMultiColumn::ListStyle(style, r))
        ApplyListStyle(*this, r);
}
