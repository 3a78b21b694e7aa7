#pragma once
// What the further in-place editors share: their reach into the grid's
// editing state, and the state of their own (the custom editor link, the
// HTML form control being edited, the fixed cell being edited), kept in a
// child object of the grid so that the grid's declaration stays as it is.
#include "framework/Input.h"
#include "grid/interact/FxGridInteract_p.h"
#include "grid/model/FxGrid.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QObject>
#include <QPointer>
#include <QString>

class TEditLink;

// The grid's protected editing state, reached through a derived class's
// name as the drop-down editors do.
struct TFxGridEditorAccess : TFxStringGrid {
    static TFxGridInteractState& State(const TFxStringGrid& grid)
    {
        return (grid.*(&TFxGridEditorAccess::InteractState))();
    }
};

// The character an editor receives is the replay of the one that opened it
// (posted without a key code), which the grid's OnKeyPress saw when it was
// typed: the editor does not report it again.
inline bool FxIsReplayedChar(const TFxStringGrid& grid, const QKeyEvent& e, QChar typed)
{
    return e.key() == 0 && FxTakeReplayedChar(TFxGridEditorAccess::State(grid), typed);
}

class TFxGridEditorsState : public QObject {
public:
    explicit TFxGridEditorsState(TFxStringGrid* grid);

    // The grid's editor link of edCustom (not owned).
    QPointer<TEditLink> EditLink;

    // The HTML form control being edited: real column and row of its cell,
    // its ID and TYPE, and whether an editor is open.
    fw::TPoint CtrlXY{-1, -1};
    QString CtrlID;
    QString CtrlType;
    bool CtrlEditing = false;

    // The fixed cell a fixed-cell editor edits.
    int FixedColEdit = -1;
    int FixedRowEdit = -1;

    // Escape in the date or rich-text editor: the edit ends with the cell's
    // text as it was when the edit began, not with the editor's rendering of it.
    bool RestoreOnHide = false;

    // Found as the grid's child; made on first use.
    static TFxGridEditorsState& Of(const TFxStringGrid& grid);
};

namespace FxGridSpecial {
// True for the kinds these editors show: the date and time pickers, the
// edit-button and unit kinds, the button, the rich edit and edCustom.
bool Handles(TEditorType kind);
// Places, fills, shows and focuses the editor of `kind` over the cell
// (display column `acol`, row `arow`, rectangle `cell`); returns the
// control that becomes the grid's EditCtrl (null for the kinds that leave
// it null).
QWidget* Show(TFxStringGrid& grid, TEditorType kind, int acol, int arow, const fw::TRect& cell,
              fw::TColor cellColor, const QString& value, QChar startChar);
// Writes the editor's value back and hides it; false for another kind.
bool Hide(TFxStringGrid& grid, TEditorType kind, int col, int row);
// The focus leaves an editor for a popup of its own (a menu, a list, a
// calendar), or leaves with its window's activation: the edit goes on and
// the editor has the focus again when its window does.
bool FocusGoesToPopup(const QFocusEvent& e);
// The focus leaves a shown editor for anything but a popup of its own:
// the edit ends. `keepOpen` holds it open (a list or calendar still down).
// A refused value opens the editor again, and the press that took the
// focus away does not move the grid (HoldRefusedPress).
void EndEditOnFocusLoss(TFxStringGrid& grid, QWidget& editor, const QFocusEvent& e, bool keepOpen = false);
// The edit ended on a focus loss reopened its editor on a refused value:
// the press under way does not move the current cell.
void HoldRefusedPress(TFxStringGrid& grid);
// The press held back takes the keyboard to the grid once more: the editor
// has it back afterwards (true: the focus loss is that one).
bool FocusTakenByHeldPress(TFxStringGrid& grid, QWidget& editor);
// A Tab press an editor takes for itself (rather than the focus chain)
// when `claimed`: the grid validates cells, or tabs from cell to cell.
bool TabIsEditors(const QEvent* e, bool claimed);
// Tab accepted in an editor: with goTabs the edit ends and the grid moves
// to the next cell (true, nothing more to do); otherwise the Tab is posted
// on to the grid (false, the edit still ends as the key says).
bool TabOn(TFxStringGrid& grid, fw::TShiftState shift);
// The lookup list's first entry that begins with what is typed before the
// caret, as the edit's whole text; null when there is none (nothing typed,
// no lookup, or no entry fits).
QString LookupCompletion(const TFxStringGrid& grid, const QString& text, int cursor);
// The editor's own KeyDown for the key of `e`. False when the press goes no
// further: the key was taken (and `e` accepted), or the editor is gone.
template <class Editor>
bool PassKeyDown(Editor& editor, QKeyEvent& e)
{
    QPointer<Editor> self(&editor);
    int key = fw::VirtualKeyFromEvent(e);
    if (key != 0 && !editor.KeyDown(key, fw::ShiftStateFromEvent(e))) {
        e.accept();
        return false;
    }
    return !self.isNull();
}
// Gives a control the typed character that opened it, at once: keys typed
// quickly behind it are already queued by the window system and would
// overtake a character posted for later.
void SendChar(QWidget* target, QChar ch);
// The cell's background in an edit's base colour.
void SetEditColor(QWidget* e, fw::TColor color);
} // namespace FxGridSpecial
