// Editing a column grid with the keys and clicks of a user, one table of
// editor kind × action: what the cell, the current cell, EditMode, the
// keyboard and the events look like afterwards.
#include "EditingByInput.h"

#include "framework/DateTime.h"
#include "framework/SysUtils.h"
#include "grid/interact/FxGridEditors.h"

#include <gtest/gtest.h>

using namespace editinput;

namespace {

const QStringList kItems{"alpha", "beta", "gamma", "delta"};

void comboItems(Rig& r, int col)
{
    r.grid->Columns()[col]->ComboItems().Clear();
    for (const QString& s : kItems)
        r.grid->Columns()[col]->ComboItems().Add(s);
}

TEST(EditingByInput, TextEditor)
{
    const std::vector<Case> cases{
        {"text: F2, type, Enter writes, validates and ends", edNormal, "ab",
         {Key(Qt::Key_F2), Type("c"), Key(Qt::Key_Return)},
         {"abc", {1, 1}, false, "grid", "",
          {"Change 1,1 abc", "SetEditText 1,1 abc", "Validate 1,1 abc", "SetEditText 1,1 abc", "EditingDone",
           "EditCellDone 1,1"}}},
        {"text: Escape gives back the text the edit began with", edNormal, "ab",
         {Type("xy"), Key(Qt::Key_Escape)},
         {"ab", {1, 1}, false, "grid", "",
          {"Change 1,1 x", "SetEditText 1,1 x", "Change 1,1 xy", "SetEditText 1,1 xy", "Change 1,1 ab",
           "SetEditText 1,1 ab", "SetEditText 1,1 ab", "EditingDone", "EditCellDone 1,1"}}},
        {"text: a click on another cell writes and moves there", edNormal, "ab",
         {Key(Qt::Key_F2), Type("c"), Click(2, 3)},
         {"abc", {2, 3}, false, "grid", "",
          {"Change 1,1 abc", "SetEditText 1,1 abc", "SetEditText 1,1 abc", "Validate 1,1 abc", "EditingDone",
           "EditCellDone 1,1"}}},
        {"text: a click on the scroll bar keeps the edit open", edNormal, "ab",
         {Key(Qt::Key_F2), Type("c"), ScrollBarDown()},
         {"abc", {1, 5}, true, "TFxInplaceEdit", "abc", {"Change 1,5 abc", "SetEditText 1,5 abc"}},
         [](Rig& r) { r.grid->SetCells(1, 5, "ab"); }, {1, 5}, {1, 5}},
        {"text: a refused value and a click on another cell: the move is refused, the text stays selected",
         edNormal, "ab",
         {Key(Qt::Key_F2), Key(Qt::Key_Backspace), Key(Qt::Key_Backspace), Type("bad"), Click(2, 3)},
         {"ab", {1, 1}, true, "TFxInplaceEdit", "[bad]",
          {"Change 1,1 a", "SetEditText 1,1 a", "Change 1,1 ", "SetEditText 1,1 ", "Change 1,1 b",
           "SetEditText 1,1 b", "Change 1,1 ba", "SetEditText 1,1 ba", "Change 1,1 bad", "SetEditText 1,1 bad",
           "SetEditText 1,1 bad", "Validate 1,1 bad refused", "Change 1,1 ab"}},
         [](Rig& r) {
             r.refuse = "bad";
             r.grid->Navigation().SetEditSelectAll(true);
         }},
        {"text: a refused value and Tab: the editor stays with the refused text", edNormal, "ab",
         {Key(Qt::Key_F2), Key(Qt::Key_Backspace), Key(Qt::Key_Backspace), Type("bad"), Key(Qt::Key_Tab)},
         {"ab", {1, 1}, true, "TFxInplaceEdit", "[bad]",
          {"Change 1,1 a", "SetEditText 1,1 a", "Change 1,1 ", "SetEditText 1,1 ", "Change 1,1 b",
           "SetEditText 1,1 b", "Change 1,1 ba", "SetEditText 1,1 ba", "Change 1,1 bad", "SetEditText 1,1 bad",
           "Validate 1,1 bad refused"}},
         [](Rig& r) {
             r.refuse = "bad";
             r.grid->Navigation().SetEditSelectAll(true);
             r.grid->SetOptions(r.grid->Options() | fw::goTabs);
         }},
        {"text: Tab writes and moves on to edit the next cell", edNormal, "ab",
         {Key(Qt::Key_F2), Type("c"), Key(Qt::Key_Tab)},
         {"abc", {2, 1}, true, "TFxInplaceEdit", "[text 1]",
          {"Change 1,1 abc", "SetEditText 1,1 abc", "Validate 1,1 abc", "SetEditText 1,1 abc", "EditingDone",
           "EditCellDone 1,1"}},
         [](Rig& r) { r.grid->SetOptions(r.grid->Options() | fw::goTabs); }},
    };
    for (const Case& c : cases)
        RunCase(c);
}

TEST(EditingByInput, SpinEditors)
{
    const std::vector<Case> cases{
        {"spin: F2 opens the spin editor with the keyboard, Page Up steps, Enter writes", edSpinEdit, "7",
         {Key(Qt::Key_F2), Key(Qt::Key_PageUp), Key(Qt::Key_Return)},
         {"8", {1, 1}, false, "grid", "",
          {"Change 1,1 8", "Validate 1,1 8", "EditingDone", "EditCellDone 1,1"}}},
        {"spin: typing opens it with the character typed, Enter writes once", edSpinEdit, "7",
         {Type("42"), Key(Qt::Key_Return)},
         {"42", {1, 1}, false, "grid", "",
          {"Change 1,1 4", "Change 1,1 42", "Validate 1,1 42", "EditingDone", "EditCellDone 1,1"}}},
        {"spin: open, it shows the value", edSpinEdit, "7", {Key(Qt::Key_F2)},
         {"7", {1, 1}, true, "TGridSpin", "[7]", {}}},
    };
    for (const Case& c : cases)
        RunCase(c);
}

TEST(EditingByInput, ComboEditors)
{
    const std::vector<Case> cases{
        {"edit combo: typing g and Enter gives g, nothing completes it", edComboEdit, "beta",
         {Key(Qt::Key_F2), Key(Qt::Key_A, Qt::ControlModifier), Type("g"), Key(Qt::Key_Return)},
         {"g", {1, 1}, false, "grid", "",
          {"Change 1,1 g", "Validate 1,1 g", "SetEditText 1,1 g", "EditingDone", "EditCellDone 1,1"}},
         [](Rig& r) { comboItems(r, 1); }},
        {"list combo after an edit combo opens and stays open", edComboEdit, "beta",
         {Key(Qt::Key_F2), Key(Qt::Key_Escape), Key(Qt::Key_Right), Key(Qt::Key_F2)},
         {"beta", {2, 1}, true, "TGridCombo", "gamma",
          {"SetEditText 1,1 beta", "EditingDone", "EditCellDone 1,1"}},
         [](Rig& r) {
             comboItems(r, 1);
             comboItems(r, 2);
             r.grid->Columns()[2]->SetEditor(edComboList);
             r.grid->SetCells(2, 1, "gamma");
         }},
        {"list combo: Alt+Down opens the list, Down moves in it, Enter takes", edComboList, "beta",
         {Key(Qt::Key_F2), Key(Qt::Key_Down, Qt::AltModifier), Key(Qt::Key_Down), Key(Qt::Key_Return),
          Key(Qt::Key_Return)},
         {"gamma", {1, 1}, false, "grid", "",
          {"Change 1,1 gamma", "ComboChange 1,1 2 gamma", "Validate 1,1 gamma", "SetEditText 1,1 gamma",
           "EditingDone", "EditCellDone 1,1"}},
         [](Rig& r) { comboItems(r, 1); }},
        {"list combo with the drop button always shown: one click opens editor and list", edComboList, "beta",
         {DropButton(1, 2)},
         {"", {1, 2}, true, "popup QComboBoxPrivateContainer", "alpha", {"ComboChange 1,2 0 alpha"}},
         [](Rig& r) {
             comboItems(r, 1);
             r.grid->ControlLook().SetDropDownAlwaysVisible(true);
         },
         {1, 1}, {1, 2}},
    };
    for (const Case& c : cases)
        RunCase(c);
}

} // namespace
