#include "grid/interact/FxGridEditorKinds.h"

#include "grid/interact/FxGridSpecialEditors_p.h"

#include <map>

namespace FxGridEditorKinds {

namespace {

// Filled once at start-up, read by every grid; kept until the program ends.
std::map<TEditorType, std::unique_ptr<TGridEditorKind>>& registry()
{
    static std::map<TEditorType, std::unique_ptr<TGridEditorKind>> kinds;
    return kinds;
}

std::unique_ptr<TGridEditorLook>& lookSlot()
{
    static std::unique_ptr<TGridEditorLook> look;
    return look;
}

} // namespace

void Register(TEditorType kind, std::unique_ptr<TGridEditorKind> editor) { registry()[kind] = std::move(editor); }

TGridEditorKind* Find(TEditorType kind)
{
    const auto it = registry().find(kind);
    return it == registry().end() ? nullptr : it->second.get();
}

void RegisterLook(std::unique_ptr<TGridEditorLook> look) { lookSlot() = std::move(look); }

TGridEditorLook* Look() { return lookSlot().get(); }

} // namespace FxGridEditorKinds

namespace FxGridEditing {

bool TakeReplayedChar(TFxStringGrid& grid, QChar ch) { return FxTakeReplayedChar(TFxGridEditorAccess::State(grid), ch); }

const QString& RefusedText(const TFxStringGrid& grid) { return TFxGridEditorAccess::State(grid).NewCellText; }

void StayOnCell(TFxStringGrid& grid) { TFxGridEditorAccess::State(grid).NoAutoAdvance = true; }

bool OpenedByClick(const TFxStringGrid& grid) { return TFxGridEditorAccess::State(grid).LButFlg; }

void ClickPlaced(TFxStringGrid& grid) { TFxGridEditorAccess::State(grid).LButFlg = false; }

void SendChar(QWidget* editor, QChar ch) { FxGridSpecial::SendChar(editor, ch); }

} // namespace FxGridEditing
