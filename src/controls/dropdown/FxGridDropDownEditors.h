#pragma once
// The in-place editors of the drop-down kinds: a track bar, memo,
// calculator, time picker, detail picker, multi-column list, colour picker,
// image picker and grid drop-down over the current cell, and the date and
// time picker. Each is its stand-alone control with the grid's key handling
// added (TGridDropDownLink): while the popup is open the keys move in it
// (list, text, track bar, clock), Escape closes it and Enter takes its
// choice; with it closed Escape gives the cell's value back, Enter, Up and
// Down write and validate the text and end the edit, Tab validates and
// moves on, and the grid hears of text changes and typed characters. The
// grid creates each editor on first use as its child and keeps it; it
// reaches them through its editor kind registry (grid/interact/
// FxGridEditorKinds.h), which RegisterEditorKinds fills.
#include "controls/dropdown/FxCalculatorDropDown.h"
#include "controls/dropdown/FxColorPickerDropDown.h"
#include "controls/dropdown/FxCustomGridDropDown.h"
#include "controls/dropdown/FxDateTimePicker.h"
#include "controls/dropdown/FxDetailDropDown.h"
#include "controls/dropdown/FxImagePickerDropDown.h"
#include "controls/dropdown/FxMemoDropDown.h"
#include "controls/dropdown/FxMultiColumnDropDown.h"
#include "controls/dropdown/FxTimePickerDropDown.h"
#include "controls/dropdown/FxTrackBarDropDown.h"
#include "grid/foundation/FxTypes.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>

#include <functional>

class TFxStringGrid;

// The grid's side of a drop-down editor's keys, characters, changes and focus.
class TGridDropDownLink {
public:
    TGridDropDownLink(TFxStringGrid* grid, TFxCustomDropDown& editor);
    // The key relay: true when the key is handled here and the editor's own
    // key-down must not run (with `key` as it is left); an open popup's keys
    // other than Escape, Enter and Tab go to the editor's own key-down.
    bool KeyDown(int& key, fw::TShiftState shift);
    // The grid's OnKeyPress sees every character; Escape, Enter and Tab go
    // no further (null).
    void KeyPress(QChar& key);
    // A key event reaches the editor: the replay of the character that
    // opened it was reported by the grid as it was typed, so its key press
    // stays silent. Ended by KeyEventDone.
    void KeyEventArrives(const QKeyEvent& e);
    void KeyEventDone() { FReplayed = false; }
    void Changed();
    // How many changes the grid has heard of (a key that changed the text
    // without one is reported after it).
    int ChangesReported() const { return FChangesReported; }
    // The editor lost the focus to something outside its popup: the edit ends.
    void FocusLost(QFocusEvent* e);
    // A click that opened the edit puts the caret at the clicked character.
    void FocusGained();
    TFxStringGrid* Grid() const { return FGrid; }
    // The grid validates cells (goTabs or a validation handler).
    bool TabIsGrids() const;

    // How the editor's text is set from the cell (the track bar formats).
    std::function<void(const QString&)> WriteText;
    // Runs before Enter writes the text (the calculator completes its sum).
    std::function<void()> BeforeEnter;
    // The editor's own key-down (its control's handling standing alone):
    // Enter in an open popup takes the popup's choice through it.
    std::function<void(int& key, fw::TShiftState shift)> ParentKeyDown;
    // The cell text a key writes and validates; the editor's text when
    // unset (the colour and image pickers' value is not their text).
    std::function<QString()> ValueText;
    // The click-to-caret rule of the track bar, memo and calculator editors.
    bool CaretAtClick = false;
    // Enter and Escape are the editor's even in a window with default buttons.
    bool ClaimsEnterEscape = false;
    // The colour picker's keys: with the popup open only Tab, Enter and
    // Escape end the edit, with it closed Home does too; only Enter writes
    // and validates.
    bool ColorKeys = false;
    // Set by Escape for the edit that runs: the cell keeps its text, and a
    // picker whose value is not its text (colour, image) writes nothing back.
    bool Cancelled = false;
    // The cell's text when the edit began, and the editor's text once it
    // was loaded from it (an editor left as loaded gives the cell's text back).
    QString OriginalText;
    QString LoadedText;

private:
    TFxStringGrid* FGrid;
    TFxCustomDropDown& FEditor;
    int FChangesReported = 0;
    bool FReplayed = false;
};

// A drop-down editor: `Base` with the grid link in front of its keys.
template <class Base>
class TGridDropDownEditor : public Base {
public:
    explicit TGridDropDownEditor(TFxStringGrid* grid);
    TGridDropDownLink& Link() { return FLink; }

protected:
    // The edit lets Tab go to the window's focus chain; with the grid's cell
    // validation on, Tab is the grid's (validated and moved on here).
    bool event(QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress)
            return Base::event(e);
        auto* k = static_cast<QKeyEvent*>(e);
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && FLink.TabIsGrids()) {
            this->PerformKeyDown(fw::VK_TAB, fw::ShiftStateFromEvent(*k));
            return true;
        }
        // A character typed over the whole selected value changes the text
        // without the edit's change notification: the grid hears of it here.
        QPointer<TGridDropDownEditor> self(this);
        const QString before = this->Text();
        const int reported = FLink.ChangesReported();
        FLink.KeyEventArrives(*k);
        const bool handled = Base::event(e);
        if (!self)
            return handled;
        FLink.KeyEventDone();
        if (self && this->isVisible() && FLink.ChangesReported() == reported && this->Text() != before)
            FLink.Changed();
        return handled;
    }
    void KeyDown(int& key, fw::TShiftState shift) override
    {
        if (!FLink.KeyDown(key, shift))
            Base::KeyDown(key, shift);
    }
    bool WantsSpecialKey(int key, fw::TShiftState shift) override
    {
        return Base::WantsSpecialKey(key, shift) ||
               (FLink.ClaimsEnterEscape && (key == fw::VK_RETURN || key == fw::VK_ESCAPE));
    }
    void KeyPress(QChar& key) override
    {
        FLink.KeyPress(key);
        if (!key.isNull())
            Base::KeyPress(key);
    }
    void HandleChange() override
    {
        Base::HandleChange();
        FLink.Changed();
    }
    void focusInEvent(QFocusEvent* e) override
    {
        Base::focusInEvent(e);
        FLink.FocusGained();
    }
    void focusOutEvent(QFocusEvent* e) override
    {
        Base::focusOutEvent(e);
        FLink.FocusLost(e);
    }

private:
    TGridDropDownLink FLink;
};

using TGridTrackbarDropDown = TGridDropDownEditor<TFxTrackBarDropDown>;
using TGridMemoDropDown = TGridDropDownEditor<TFxMemoDropDown>;
using TGridCalculatorDropDown = TGridDropDownEditor<TFxCalculatorDropdown>;
using TGridTimepickerDropDown = TGridDropDownEditor<TFxTimePickerDropDown>;
using TGridGridDropDown = TGridDropDownEditor<TFxMultiColumnDropDown>;
using TGridDetailPickerDropDown = TGridDropDownEditor<TFxDetailDropDown>;
using TGridFxGridDropDown = TGridDropDownEditor<TCustomFxGridDropDown>;
using TGridColorDropDown = TGridDropDownEditor<TFxColorPickerDropDown>;
using TGridImageDropDown = TGridDropDownEditor<TFxImagePickerDropDown>;

// The date-and-time cell editor: a date and a time picker side by side.
// Escape gives the cell its whole start value back (date and time), Enter
// ends the edit and moves on as the grid's navigation says, Tab moves on
// when the grid validates cells; leaving the picker ends the edit.
class TGridDateTimePicker : public TFxDateTimePicker {
    Q_OBJECT
public:
    explicit TGridDateTimePicker(TFxStringGrid* grid);
    void KeyDown(int& key, fw::TShiftState shift) override;
    TFxStringGrid* Grid() const { return FGrid; }

    // The value the picker opened with (now for a cell that holds no date)
    // and the text the cell held when the edit started.
    fw::TDateTime OriginalDateTime = 0;
    QString OriginalText;

protected:
    void focusOutEvent(QFocusEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void FocusLeft();
    TFxStringGrid* FGrid;
};

namespace FxGridDropDown {
// The grid's drop-down editor of a kind, created with first use; null for a
// kind without one here (edDateTimeEdit has DateTimeEditor).
TFxCustomDropDown* Editor(TFxStringGrid& grid, TEditorType kind);
TGridDateTimePicker& DateTimeEditor(TFxStringGrid& grid);
// True for the kinds this file edits.
bool Handles(TEditorType kind);
// Prepares, places, fills, shows and focuses the editor of `kind` over the
// cell (real column `col`); the editor, or null for another kind.
QWidget* Show(TFxStringGrid& grid, TEditorType kind, int col, int row, const fw::TRect& cell, fw::TColor cellColor,
              const QString& value, QChar startChar);
// The cell text of a date and time as the date-and-time editor writes it.
QString DateTimeText(fw::TDateTime value);
// Writes the editor's value into the cell and hides the editor; false for another kind.
bool Hide(TFxStringGrid& grid, TEditorType kind, int col, int row);
// Gives the grid the kinds this file edits. The program's start-up and the
// test main call it once, before any grid edits a cell.
void RegisterEditorKinds();
} // namespace FxGridDropDown
