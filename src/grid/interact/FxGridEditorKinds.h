#pragma once
// The in-place editor kinds built above the grid. The drop-down editors
// (track bar, memo, calculator, time picker, detail, multi-column list,
// colour, image and grid drop-down, and the date-and-time picker) are
// controls of the drop-down layer, which stands on the grid; the grid shows,
// hides them through TGridEditorKind, found by editor kind in a registry
// that layer fills at start-up (the program's main and the test main call
// FxGridDropDown::RegisterEditorKinds), and gives them its look through the
// TGridEditorLook that layer registers with them. A kind with no entry opens
// no editor. FxGridEditing is the part of the grid's editing state such an
// editor takes part in.
#include "framework/Types.h"
#include "grid/foundation/FxStyleIF.h"
#include "grid/foundation/FxTypes.h"

#include <QChar>
#include <QString>

#include <memory>

class QWidget;
class TFxStringGrid;

class TGridEditorKind {
public:
    virtual ~TGridEditorKind() = default;
    // Prepares, places, fills, shows and focuses the editor over the cell
    // (real column `col`, cell rectangle `cell`), replays `startChar` into
    // it; the editor.
    virtual QWidget* Show(TFxStringGrid& grid, int col, int row, const fw::TRect& cell, fw::TColor cellColor,
                          const QString& value, QChar startChar) = 0;
    // Writes the editor's value into the cell and hides the editor.
    virtual void Hide(TFxStringGrid& grid, int col, int row) = 0;
};

// The grid's component style or colour tones changed: every control of the
// layer above that the grid has as a direct child (the editors it has made
// so far) takes them.
class TGridEditorLook {
public:
    virtual ~TGridEditorLook() = default;
    virtual void SetComponentStyle(TFxStringGrid& grid, TFxStyle style) = 0;
    virtual void SetColorTones(TFxStringGrid& grid, const TColorTones& tones) = 0;
};

namespace FxGridEditorKinds {
// Sets the editor kind of `kind`, replacing one set before.
void Register(TEditorType kind, std::unique_ptr<TGridEditorKind> editor);
// The editor kind of `kind`; null when none is registered.
TGridEditorKind* Find(TEditorType kind);
// Sets the look of the editors built above, replacing one set before; Look
// is null when none is set.
void RegisterLook(std::unique_ptr<TGridEditorLook> look);
TGridEditorLook* Look();
} // namespace FxGridEditorKinds

namespace FxGridEditing {
// True, once, when `ch` is the replay of the character that opened the
// editor: the grid's OnKeyPress saw it when it was typed.
bool TakeReplayedChar(TFxStringGrid& grid, QChar ch);
// The text a refused cell validation leaves for the editor.
const QString& RefusedText(const TFxStringGrid& grid);
// After a refused validation the edit stays on its cell.
void StayOnCell(TFxStringGrid& grid);
// The edit was opened by a click that has not placed the caret yet; ClickPlaced
// says it has.
bool OpenedByClick(const TFxStringGrid& grid);
void ClickPlaced(TFxStringGrid& grid);
// Sends the character that opened the edit to the editor (nothing for a null one).
void SendChar(QWidget* editor, QChar ch);
} // namespace FxGridEditing
