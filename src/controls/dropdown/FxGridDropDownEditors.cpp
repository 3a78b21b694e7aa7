#include "controls/dropdown/FxGridDropDownEditors.h"

#include "controls/dropdown/FxDropDownForm.h"
#include "framework/DateTime.h"
#include "framework/Input.h"
#include "framework/SysColors.h"
#include "framework/SysUtils.h"
#include "grid/foundation/FxOptions.h"
#include "grid/interact/FxGridEditorKinds.h"
#include "grid/model/FxCellGraphic.h"
#include "grid/model/FxGrid.h"
#include "grid/paint/FxControlLook.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QSlider>

#include <algorithm>
#include <iterator>
#include <cmath>

using namespace fw;

// ---- the link ----------------------------------------------------------------------------

TGridDropDownLink::TGridDropDownLink(TFxStringGrid* grid, TFxCustomDropDown& editor)
    : WriteText([&editor](const QString& s) { editor.SetTextUnformatted(s); }), FGrid(grid), FEditor(editor)
{
}

bool TGridDropDownLink::KeyDown(int& key, TShiftState shift)
{
    const bool dropped = FEditor.DropDownForm() && FEditor.DropDownForm()->isVisible();
    const bool altUpDown = shift.Contains(ssAlt) && (key == VK_UP || key == VK_DOWN);
    if (dropped && !altUpDown) {
        // The open popup has the keys: they move in its list, text, track
        // bar or clock as in the control standing alone. Escape closes it
        // and the edit goes on with what it showed before; Enter and Tab
        // take the popup's choice and then end the edit as with it closed.
        if (key == VK_ESCAPE) {
            FEditor.HideDropDown(true);
            key = 0;
            return true;
        }
        if (key != VK_RETURN && key != VK_TAB)
            return false;
        QPointer<TFxCustomDropDown> editor(&FEditor);
        if (key == VK_RETURN && ParentKeyDown) {
            int k = key;
            ParentKeyDown(k, shift);
        }
        if (!editor)
            return true;
        if (FEditor.DropDownForm() && FEditor.DropDownForm()->isVisible())
            FEditor.HideDropDown(false);
    }
    bool taken = key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE;
    if (!ColorKeys || !dropped)
        taken = taken || key == VK_PRIOR || key == VK_NEXT || key == VK_END || key == VK_UP || key == VK_DOWN ||
                (ColorKeys && key == VK_HOME);
    if (!taken || altUpDown)
        return false;
    QPointer<TFxStringGrid> g = FGrid;
    if (key == VK_ESCAPE) {
        Cancelled = true;
        WriteText(g->CurrentCell());
        g->HideInplaceEdit();
        g->SetFocus();
        return true;
    }
    if (key == VK_RETURN || (!ColorKeys && (key == VK_UP || key == VK_DOWN))) {
        if (key == VK_RETURN && BeforeEnter)
            BeforeEnter();
        const QString text = ValueText ? ValueText() : FEditor.Text();
        g->SetCurrentCell(text);
        if (!g->ValidateCell(text)) {
            WriteText(FxGridEditing::RefusedText(*g));
            FEditor.SetSel(0, int(FEditor.EditText().size()));
            FEditor.update();
            key = 0;
            FxGridEditing::StayOnCell(*g);
            return true;
        }
        WriteText(g->CurrentCell());
    }
    if (key == VK_TAB && g->HasCellValidation()) {
        const QString text = ValueText ? ValueText() : FEditor.Text();
        g->SetCurrentCell(text);
        if (!g->ValidateCell(text)) {
            WriteText(FxGridEditing::RefusedText(*g));
            const int end = int(FEditor.EditText().size());
            FEditor.SetSel(end, end);
            FEditor.update();
            key = 0;
            return true;
        }
        if (g->Options() & goTabs) {
            g->HideInplaceEdit();
            g->SetFocus();
            g->AdvanceOnTab(shift.Contains(ssShift));
            return true;
        }
        g->PostMessage(WM_KEYDOWN, VK_TAB, 0);
    }
    if (key == VK_HOME) {
        // The colour picker's Home ends the edit where it is.
        key = 0;
    } else if (key == VK_END) {
        // The caret goes to the end of the text.
        return false;
    }
    if (!g)
        return true;
    g->DoneInplaceEdit(key, shift);
    if (g && g->Navigation().AdvanceOnEnter() && g->Navigation().AdvanceAutoEdit())
        g->ShowInplaceEdit();
    key = 0;
    return true;
}

bool TGridDropDownLink::TabIsGrids() const { return FGrid->HasCellValidation(); }

void TGridDropDownLink::KeyEventArrives(const QKeyEvent& e)
{
    FReplayed = e.key() == 0 && e.text().size() == 1 && FxGridEditing::TakeReplayedChar(*FGrid, e.text()[0]);
}

void TGridDropDownLink::KeyPress(QChar& key)
{
    if (FGrid->OnKeyPress && !FReplayed)
        FGrid->OnKeyPress(&FEditor, key);
    FReplayed = false;
    if (key == QChar(0x1B) || key == u'\r' || key == u'\t')
        key = QChar();
}

void TGridDropDownLink::Changed()
{
    ++FChangesReported;
    if (const auto& e = FGrid->Events().OnEditChange)
        e(FGrid, FGrid->Col(), FGrid->Row(), FEditor.Text());
}

void TGridDropDownLink::FocusLost(QFocusEvent* e)
{
    // The popup opening, or a window of the popup, takes the focus for a while.
    if (FEditor.DroppedDown() || e->reason() == Qt::PopupFocusReason || !FEditor.isVisible())
        return;
    QWidget* to = QApplication::focusWidget();
    if (to && FEditor.DropDownForm() && FEditor.DropDownForm()->isAncestorOf(to))
        return;
    FGrid->HideInplaceEdit();
}

void TGridDropDownLink::FocusGained()
{
    if (!CaretAtClick || !FxGridEditing::OpenedByClick(*FGrid))
        return;
    const QPoint p = FEditor.mapFromGlobal(QCursor::pos());
    if (!FEditor.rect().contains(p))
        return;
    const int pos = FEditor.cursorPositionAt(p);
    if (pos < 0)
        return;
    FEditor.SetSel(pos, pos);
    FxGridEditing::ClickPlaced(*FGrid);
}

template <class Base>
TGridDropDownEditor<Base>::TGridDropDownEditor(TFxStringGrid* grid) : Base(grid), FLink(grid, *this)
{
    FLink.ParentKeyDown = [this](int& key, TShiftState shift) { Base::KeyDown(key, shift); };
}

template class TGridDropDownEditor<TFxTrackBarDropDown>;
template class TGridDropDownEditor<TFxMemoDropDown>;
template class TGridDropDownEditor<TFxCalculatorDropdown>;
template class TGridDropDownEditor<TFxTimePickerDropDown>;
template class TGridDropDownEditor<TFxMultiColumnDropDown>;
template class TGridDropDownEditor<TFxDetailDropDown>;
template class TGridDropDownEditor<TCustomFxGridDropDown>;
template class TGridDropDownEditor<TFxColorPickerDropDown>;
template class TGridDropDownEditor<TFxImagePickerDropDown>;

// ---- the date-and-time editor ------------------------------------------------------------

TGridDateTimePicker::TGridDateTimePicker(TFxStringGrid* grid) : TFxDateTimePicker(grid), FGrid(grid)
{
    if (TCustomDateTimePicker* t = TimePicker())
        t->installEventFilter(this);
}

void TGridDateTimePicker::KeyDown(int& key, TShiftState shift)
{
    QPointer<TFxStringGrid> g = FGrid;
    const bool tabIsGrids = key == VK_TAB && g->HasCellValidation();
    if (key != VK_ESCAPE && key != VK_RETURN && !tabIsGrids) {
        // Page keys, End and a Tab the window's focus chain takes are the picker's.
        TFxDateTimePicker::KeyDown(key, shift);
        return;
    }
    if (key == VK_ESCAPE) {
        // The whole start value, date and time, goes back into the cell.
        SetDateTime(OriginalDateTime);
        g->HideInplaceEdit();
        if (g)
            g->SetFocus();
    } else if (key == VK_RETURN) {
        g->HideInplaceEdit();
        if (g) {
            g->SetFocus();
            if (g->Navigation().AdvanceOnEnter())
                g->AdvanceAfterEdit(g->Col(), g->Row(), false, false, true, true, false);
        }
    } else {
        // The value was written back in full by the hide.
        g->HideInplaceEdit();
        if (g) {
            g->SetFocus();
            g->AdvanceOnTab(shift.Contains(ssShift));
        }
    }
    key = 0;
}

void TGridDateTimePicker::FocusLeft()
{
    if (!isVisible() || !FGrid->EditMode())
        return;
    QWidget* to = QApplication::focusWidget();
    // The time part, the calendar or a popup keep the edit running.
    if (to && (to == this || isAncestorOf(to) || to->window() != window()))
        return;
    FGrid->HideInplaceEdit();
}

void TGridDateTimePicker::focusOutEvent(QFocusEvent* e)
{
    TFxDateTimePicker::focusOutEvent(e);
    if (e->reason() != Qt::PopupFocusReason)
        QMetaObject::invokeMethod(this, [p = QPointer<TGridDateTimePicker>(this)] {
            if (p)
                p->FocusLeft();
        }, Qt::QueuedConnection);
}

bool TGridDateTimePicker::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == TimePicker() && e->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(e)->reason() != Qt::PopupFocusReason)
        QMetaObject::invokeMethod(this, [p = QPointer<TGridDateTimePicker>(this)] {
            if (p)
                p->FocusLeft();
        }, Qt::QueuedConnection);
    return TFxDateTimePicker::eventFilter(watched, e);
}

// ---- showing and writing back ------------------------------------------------------------

namespace FxGridDropDown {

namespace {

// The kinds this file edits.
constexpr TEditorType kinds[] = {edTrackbarDropDown, edMemoDropDown,        edCalculatorDropDown, edTimePickerDropDown,
                                 edDetailDropDown,   edGridDropDown,        edColorPickerDropDown, edImagePickerDropDown,
                                 edFxGridDropDown,   edDateTimeEdit};

QString nameOf(TEditorType kind) { return QStringLiteral("GridDropDownEditor%1").arg(int(kind)); }

// A cell's text read as a time of day: hours and minutes, with or without
// seconds, the locale's separator, blanks of the mask taken as zeros.
bool readTime(const QString& text, int& h, int& m, int& sec)
{
    const QChar sep = LocaleTimeSeparator();
    sec = 0;
    return FxTimePicker::ParseTime(text, true, sep, h, m, sec) || FxTimePicker::ParseTime(text, false, sep, h, m, sec);
}

// The time editor shows a cell's time in its own form; a text that is no
// time shows as midnight.
void loadTime(TGridTimepickerDropDown& e, const QString& text)
{
    int h = 0, m = 0, sec = 0;
    e.ShowTime(readTime(text, h, m, sec) ? EncodeTime(h, m, sec, 0) : TDateTime(0));
}

// What the time editor gives the cell: nothing typed, the cell's own text
// (whatever its form); a time, in the editor's form; an emptied edit, no
// text. A text that is no time (hour 25) leaves the cell as it was.
QString timeValue(TGridTimepickerDropDown& e)
{
    const TGridDropDownLink& l = e.Link();
    const QString text = e.EditText();
    if (text == l.LoadedText)
        return l.OriginalText;
    if (!std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); }))
        return QString();
    int h = 0, m = 0, sec = 0;
    if (!readTime(text, h, m, sec))
        return l.OriginalText;
    return e.FormatTime(h, m, sec);
}

// The edit's background in the cell's colour.
void setEditColor(QWidget* e, TColor color)
{
    QPalette pal = e->palette();
    pal.setColor(QPalette::Base, ToQColor(color));
    e->setPalette(pal);
}

template <class T>
T* make(TFxStringGrid& grid, TEditorType kind)
{
    auto* e = new T(&grid);
    e->setObjectName(nameOf(kind));
    e->hide();
    e->SetComponentStyle(grid.ComponentStyle());
    if (grid.HasColorTones())
        e->SetColorTones(grid.ColorTones());
    return e;
}

// The grid link of a drop-down editor of `kind`.
TGridDropDownLink* linkOf(TFxCustomDropDown* e, TEditorType kind)
{
    switch (kind) {
    case edTrackbarDropDown: return &static_cast<TGridTrackbarDropDown*>(e)->Link();
    case edMemoDropDown: return &static_cast<TGridMemoDropDown*>(e)->Link();
    case edCalculatorDropDown: return &static_cast<TGridCalculatorDropDown*>(e)->Link();
    case edTimePickerDropDown: return &static_cast<TGridTimepickerDropDown*>(e)->Link();
    case edDetailDropDown: return &static_cast<TGridDetailPickerDropDown*>(e)->Link();
    case edGridDropDown: return &static_cast<TGridGridDropDown*>(e)->Link();
    case edFxGridDropDown: return &static_cast<TGridFxGridDropDown*>(e)->Link();
    case edColorPickerDropDown: return &static_cast<TGridColorDropDown*>(e)->Link();
    case edImagePickerDropDown: return &static_cast<TGridImageDropDown*>(e)->Link();
    default: return nullptr;
    }
}

} // namespace

bool Handles(TEditorType kind) { return std::find(std::begin(kinds), std::end(kinds), kind) != std::end(kinds); }

TGridDateTimePicker& DateTimeEditor(TFxStringGrid& grid)
{
    const QString name = nameOf(edDateTimeEdit);
    if (auto* e = grid.findChild<TGridDateTimePicker*>(name, Qt::FindDirectChildrenOnly))
        return *e;
    auto* e = new TGridDateTimePicker(&grid);
    e->setObjectName(name);
    e->hide();
    e->setEnabled(false);
    e->SetAutoTab(true);
    e->OnTimeChange = [g = &grid, e](QObject*) {
        if (const auto& ev = g->Events().OnDateTimeChange)
            ev(g, g->Col(), g->Row(), e->DateTime());
    };
    return *e;
}

QString DateTimeText(TDateTime value)
{
    const TFormatSettings& fs = FormatSettings();
    int h = 0, m = 0, sec = 0, ms = 0;
    DecodeTime(value, h, m, sec, ms);
    // Seconds the short time form would drop are kept.
    const QString time = sec != 0 ? fs.LongTimeFormat : fs.ShortTimeFormat;
    return FormatDateTime(fs.ShortDateFormat, value) + QLatin1Char(' ') + FormatDateTime(time, value);
}

TFxCustomDropDown* Editor(TFxStringGrid& grid, TEditorType kind)
{
    if (!Handles(kind) || kind == edDateTimeEdit)
        return nullptr;
    if (auto* e = grid.findChild<TFxCustomDropDown*>(nameOf(kind), Qt::FindDirectChildrenOnly))
        return e;
    switch (kind) {
    case edTrackbarDropDown: {
        auto* e = make<TGridTrackbarDropDown>(grid, kind);
        e->SetEditorEnabled(true);
        e->Link().ClaimsEnterEscape = true;
        e->Link().WriteText = [e](const QString& s) { e->SetText(s); };
        e->Link().CaretAtClick = true;
        // The edit types, so the arrow keys are the open track bar's own.
        e->SetFocusControl(e->TrackBar());
        return e;
    }
    case edMemoDropDown: {
        auto* e = make<TGridMemoDropDown>(grid, kind);
        e->Link().CaretAtClick = true;
        return e;
    }
    case edCalculatorDropDown: {
        auto* e = make<TGridCalculatorDropDown>(grid, kind);
        e->SetEditorEnabled(true);
        e->Link().CaretAtClick = true;
        e->Link().BeforeEnter = [e] { e->CalcResult(); };
        return e;
    }
    case edTimePickerDropDown: {
        auto* e = make<TGridTimepickerDropDown>(grid, kind);
        e->SetFocusDraw(false);
        e->Link().WriteText = [e](const QString& s) { loadTime(*e, s); };
        e->Link().ValueText = [e] { return timeValue(*e); };
        return e;
    }
    case edGridDropDown: return make<TGridGridDropDown>(grid, kind);
    case edDetailDropDown: return make<TGridDetailPickerDropDown>(grid, kind);
    case edFxGridDropDown: return make<TGridFxGridDropDown>(grid, kind);
    case edColorPickerDropDown: {
        auto* e = make<TGridColorDropDown>(grid, kind);
        e->AddDefaultColors();
        e->Link().ClaimsEnterEscape = true;
        e->Link().ColorKeys = true;
        e->OnSelect = [g = &grid, e](QObject*) { g->DoColorSelect(e->SelectedColor(), e->SelectedColorText()); };
        e->Link().ValueText = [e] { return e->SelectedColorText(); };
        return e;
    }
    case edImagePickerDropDown: {
        auto* e = make<TGridImageDropDown>(grid, kind);
        e->OnSelect = [g = &grid, e](QObject*) { g->DoImageSelect(e->ImageIndex()); };
        // An integer image cell holds the index as its text; any other keeps its own.
        e->Link().ValueText = [g = &grid, e] {
            return g->GetCellType(g->RealCol(), g->Row()) == ctDataImage ? QString::number(e->ImageIndex())
                                                                         : g->CurrentCell();
        };
        return e;
    }
    default: return nullptr;
    }
}

namespace {

// The date-and-time editor over the cell: the start value is the cell's
// text read as a date and time, or now.
QWidget* showDateTime(TFxStringGrid& grid, int col, int row, const TRect& cell, TColor cellColor,
                      const QString& value)
{
    TGridDateTimePicker& e = DateTimeEditor(grid);
    TDateTime v = 0;
    const bool parsed = !value.trimmed().isEmpty() && TryStrToDateTime(value.trimmed(), v);
    if (!parsed)
        v = Now();
    e.OriginalText = value;
    e.SetKind(dkDateTime);
    e.SetChecked(true);
    e.SetDateTime(v);
    // As the picker holds it (whole seconds), so that an untouched value compares equal.
    e.OriginalDateTime = e.DateTime();
    e.SetBorderStyle(bsNone);
    const int h = cell.Height() - 1;
    e.setGeometry(cell.Left, cell.Top, cell.Width() - 1, std::max(e.height(), h));
    if (e.height() > h && e.height() > e.minimumSizeHint().height())
        e.resize(e.width(), h);
    grid.DoGetEditorProp(col, row, &e);
    e.setEnabled(true);
    e.SetColor(cellColor);
    e.show();
    e.raise();
    e.setFocus(Qt::OtherFocusReason);
    return &e;
}

} // namespace

QWidget* Show(TFxStringGrid& grid, TEditorType kind, int col, int row, const TRect& cell, TColor cellColor,
              const QString& value, QChar startChar)
{
    if (kind == edDateTimeEdit)
        return showDateTime(grid, col, row, cell, cellColor, value);
    TFxCustomDropDown* e = Editor(grid, kind);
    if (!e)
        return nullptr;
    e->SetDropDownFooter(grid.ControlLook().DropDownFooter());
    e->SetDropDownHeader(grid.ControlLook().DropDownHeader());
    e->SetComponentStyle(grid.ComponentStyle());
    e->OnDropDownHeaderButtonClick = [g = &grid](QObject*, int index) {
        if (const auto& ev = g->Events().OnDropDownHeaderButtonClick)
            ev(g, g->Col(), g->Row(), index);
    };
    e->OnDropDownFooterButtonClick = [g = &grid](QObject*, int index) {
        if (const auto& ev = g->Events().OnDropDownFooterButtonClick)
            ev(g, g->Col(), g->Row(), index);
    };
    auto* list = kind == edGridDropDown ? static_cast<TGridGridDropDown*>(e) : nullptr;
    auto* gridList = kind == edFxGridDropDown ? static_cast<TGridFxGridDropDown*>(e) : nullptr;
    if (list || gridList) {
        setEditColor(e, cellColor);
        e->SetEditorEnabled(true);
    }
    if (gridList && gridList->InnerGrid())
        gridList->InnerGrid()->SetFixedRowAlways(true);
    grid.DoGetEditorProp(col, row, e);
    if (list) {
        list->BeginUpdate();
        list->EndUpdate();
    }
    if (gridList) {
        gridList->BeginUpdate();
        gridList->EndUpdate();
    }
    e->setGeometry(cell.Left, cell.Top, cell.Width() - 1, cell.Height() - 1);
    e->setEnabled(true);
    linkOf(e, kind)->Cancelled = false;
    int detailIndex = -1;
    switch (kind) {
    case edTrackbarDropDown: {
        // A text that is no number opens at the position 0 would give.
        int v = 0;
        if (!TryStrToInt(value.trimmed(), v))
            v = 0;
        static_cast<TGridTrackbarDropDown*>(e)->SetPosition(v);
        break;
    }
    case edMemoDropDown:
        static_cast<TGridMemoDropDown*>(e)->MemoText().SetText(value);
        e->SetSel(0, 0);
        break;
    case edCalculatorDropDown: e->SetText(value); break;
    case edTimePickerDropDown:
        e->SetEditorEnabled(true);
        // The clock opens on the cell's time.
        loadTime(*static_cast<TGridTimepickerDropDown*>(e), value);
        break;
    case edDetailDropDown: {
        auto* d = static_cast<TGridDetailPickerDropDown*>(e);
        e->SetEditorEnabled(true);
        e->SetTextUnformatted(value);
        for (int i = 0; i < d->Items().Count(); ++i)
            if (d->Items().Items(i)->Caption() == value) {
                detailIndex = i;
                break;
            }
        break;
    }
    case edGridDropDown:
        list->SetItemIndex(value.isEmpty() ? 0 : list->GetItemIndex(value));
        e->SetText(value);
        break;
    case edFxGridDropDown:
        if (gridList->UseItems()) {
            QString found;
            int index = -1;
            if (value.isEmpty())
                index = 0;
            else if (!gridList->LookupPrefix(value, found, index))
                index = -1;
            gridList->SetItemIndex(index);
        }
        e->SetText(value);
        break;
    case edColorPickerDropDown: {
        auto* c = static_cast<TGridColorDropDown*>(e);
        c->SetSelectedColor(grid.GetCellType(col, row) == ctShape ? grid.GetShapeColor(col, row)
                                                                   : grid.Colors(col, row));
        break;
    }
    case edImagePickerDropDown: {
        auto* p = static_cast<TGridImageDropDown*>(e);
        const TCellType type = grid.GetCellType(col, row);
        if (type == ctImageList || type == ctDataImage) {
            p->SetImages(grid.GridImages());
            if (p->Items().Count() == 0)
                p->AddImagesFromImageList();
            int index = -1;
            if (type == ctImageList)
                grid.GetImageIdx(col, row, index);
            else
                index = grid.Ints(col, row);
            p->SetImageIndex(index);
            const TImageItem* item = p->Items().Items(p->ItemIndex());
            e->SetTextUnformatted(item ? item->Caption() : QString());
        } else {
            p->SetItemIndex(-1);
            e->SetTextUnformatted(QString());
        }
        break;
    }
    default: break;
    }
    if (kind != edColorPickerDropDown && kind != edImagePickerDropDown && !list && !gridList)
        setEditColor(e, cellColor);
    linkOf(e, kind)->OriginalText = value;
    linkOf(e, kind)->LoadedText = e->EditText();
    e->show();
    e->raise();
    e->setFocus(Qt::OtherFocusReason);
    if (detailIndex >= 0)
        static_cast<TGridDetailPickerDropDown*>(e)->SetItemIndex(detailIndex);
    FxGridEditing::SendChar(e, startChar);
    if (grid.MouseActions().DirectComboDrop())
        e->ShowDropDown();
    return e;
}

bool Hide(TFxStringGrid& grid, TEditorType kind, int col, int row)
{
    if (!Handles(kind))
        return false;
    if (kind == edDateTimeEdit) {
        auto* d = grid.findChild<TGridDateTimePicker*>(nameOf(kind), Qt::FindDirectChildrenOnly);
        if (!d)
            return true;
        QString value;
        if (d->Checked()) {
            const TDateTime v = d->DateTime();
            // An unchanged value keeps the cell's own text: an empty cell
            // opened at now stays empty when nothing was chosen.
            value = std::llround(v * 86400.0) == std::llround(d->OriginalDateTime * 86400.0) ? d->OriginalText
                                                                                            : DateTimeText(v);
        }
        grid.WriteCellText(col, row, value);
        if (d->hasFocus() || d->isAncestorOf(QApplication::focusWidget()))
            grid.SetFocus();
        d->hide();
        d->setEnabled(false);
        return true;
    }
    TFxCustomDropDown* e = grid.findChild<TFxCustomDropDown*>(nameOf(kind), Qt::FindDirectChildrenOnly);
    if (!e)
        return true;
    e->HideDropDown(false);
    // Escape leaves a colour or an image as the cell had it.
    const bool cancelled = linkOf(e, kind)->Cancelled;
    switch (kind) {
    case edMemoDropDown:
        grid.WriteCellText(col, row, cancelled ? grid.Cells(col, row) : static_cast<TGridMemoDropDown*>(e)->MemoJoined());
        break;
    case edColorPickerDropDown: {
        if (cancelled)
            break;
        auto* c = static_cast<TGridColorDropDown*>(e);
        TColor color = c->SelectedColor();
        QString text = c->SelectedColorText();
        if (const auto& ev = grid.Events().OnColorSelected)
            ev(&grid, col, row, color, text);
        grid.WriteCellText(col, row, text);
        if (grid.GetCellType(col, row) == ctShape)
            grid.SetShapeColor(col, row, color);
        else
            grid.SetColors(col, row, color);
        break;
    }
    case edImagePickerDropDown: {
        auto* p = static_cast<TGridImageDropDown*>(e);
        const TCellType type = grid.GetCellType(col, row);
        if (cancelled || (type != ctImageList && type != ctDataImage))
            break;
        int index = p->ImageIndex();
        if (const auto& ev = grid.Events().OnImageSelected)
            ev(&grid, col, row, index);
        if (type == ctImageList)
            grid.SetImageIdx(col, row, index);
        else
            grid.WriteCellText(col, row, QString::number(index));
        break;
    }
    default: {
        // Escape leaves the cell's text as it is.
        TGridDropDownLink* l = linkOf(e, kind);
        grid.WriteCellText(col, row, cancelled ? grid.Cells(col, row) : l->ValueText ? l->ValueText() : e->Text());
        break;
    }
    }
    if (e->hasFocus())
        grid.SetFocus();
    e->hide();
    e->setEnabled(false);
    return true;
}

namespace {

// The grid's view of one kind of this file.
class TDropDownEditorKind final : public TGridEditorKind {
public:
    explicit TDropDownEditorKind(TEditorType kind) : FKind(kind) {}

    QWidget* Show(TFxStringGrid& grid, int col, int row, const TRect& cell, TColor cellColor, const QString& value,
                  QChar startChar) override
    {
        return FxGridDropDown::Show(grid, FKind, col, row, cell, cellColor, value, startChar);
    }
    void Hide(TFxStringGrid& grid, int col, int row) override { FxGridDropDown::Hide(grid, FKind, col, row); }

private:
    TEditorType FKind;
};

// The grid's look reaches every drop-down control it has as a direct child
// (the date-and-time picker is none and takes no component style).
class TDropDownEditorLook final : public TGridEditorLook {
public:
    void SetComponentStyle(TFxStringGrid& grid, TFxStyle style) override
    {
        for (TFxCustomDropDown* editor : grid.findChildren<TFxCustomDropDown*>(Qt::FindDirectChildrenOnly))
            editor->SetComponentStyle(style);
    }
    void SetColorTones(TFxStringGrid& grid, const TColorTones& tones) override
    {
        for (TFxCustomDropDown* editor : grid.findChildren<TFxCustomDropDown*>(Qt::FindDirectChildrenOnly))
            editor->SetColorTones(tones);
    }
};

} // namespace

void RegisterEditorKinds()
{
    for (TEditorType kind : kinds)
        FxGridEditorKinds::Register(kind, std::make_unique<TDropDownEditorKind>(kind));
    FxGridEditorKinds::RegisterLook(std::make_unique<TDropDownEditorLook>());
}

} // namespace FxGridDropDown
