#pragma once
// The in-place editors of the drop-down kinds: a track bar, memo,
// calculator, time picker and multi-column list drop-down over the current
// cell. Each is its stand-alone drop-down with the grid's key handling
// added (TGridDropDownLink): Escape gives the cell's text back, Enter, Up
// and Down write and validate the text and end the edit, Tab validates and
// moves on, and the grid hears of text changes and typed characters. The
// grid creates each editor on first use as its child and keeps it.
#include "controls/dropdown/FxCalculatorDropDown.h"
#include "controls/dropdown/FxMemoDropDown.h"
#include "controls/dropdown/FxMultiColumnDropDown.h"
#include "controls/dropdown/FxTimePickerDropDown.h"
#include "controls/dropdown/FxTrackBarDropDown.h"
#include "grid/foundation/FxTypes.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <functional>

class TFxStringGrid;

// The grid's side of a drop-down editor's keys, characters, changes and focus.
class TGridDropDownLink {
public:
    TGridDropDownLink(TFxStringGrid* grid, TFxCustomDropDown& editor);
    // The six-step key relay: true when the key is handled here and the
    // editor's own key-down must not run (with `key` as it is left).
    bool KeyDown(int& key, fw::TShiftState shift);
    // The grid's OnKeyPress sees every character; Escape, Enter and Tab go
    // no further (null).
    void KeyPress(QChar& key);
    void Changed();
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
    // The click-to-caret rule of the track bar, memo and calculator editors.
    bool CaretAtClick = false;

private:
    TFxStringGrid* FGrid;
    TFxCustomDropDown& FEditor;
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
        if (e->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(e);
            if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && FLink.TabIsGrids()) {
                this->PerformKeyDown(fw::VK_TAB, fw::ShiftStateFromEvent(*k));
                return true;
            }
        }
        return Base::event(e);
    }
    void KeyDown(int& key, fw::TShiftState shift) override
    {
        if (!FLink.KeyDown(key, shift))
            Base::KeyDown(key, shift);
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

namespace FxGridDropDown {
// The grid's editor of a kind, created with first use; null for a kind
// without one here.
TFxCustomDropDown* Editor(TFxStringGrid& grid, TEditorType kind);
// True for the kinds this file edits.
bool Handles(TEditorType kind);
// Prepares, places, fills, shows and focuses the editor of `kind` over the
// cell (real column `col`); the editor, or null for another kind.
TFxCustomDropDown* Show(TFxStringGrid& grid, TEditorType kind, int col, int row, const fw::TRect& cell,
                        fw::TColor cellColor, const QString& value, QChar startChar);
// Writes the editor's value into the cell and hides the editor; false for another kind.
bool Hide(TFxStringGrid& grid, TEditorType kind, int col, int row);
} // namespace FxGridDropDown
