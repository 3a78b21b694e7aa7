// Editing a column grid with the keys and clicks of a user, one table of
// editor kind × action: what the cell, the current cell, EditMode, the
// keyboard and the events look like afterwards.
#include "EditingByInput.h"

#include "framework/DateTime.h"
#include "framework/SysUtils.h"
#include "grid/foundation/GridFocusWindow.h"
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

void refuseBad(Rig& r)
{
    r.refuse = "bad";
    r.grid->Navigation().SetEditSelectAll(true);
}

void tabs(Rig& r)
{
    r.grid->SetOptions(r.grid->Options() | fw::goTabs);
}

// Row 5 current, so that a line of scrolling keeps it in view.
void atRow5(Rig& r, const QString& text)
{
    r.grid->SetCells(1, 5, text);
}

const QStringList typedBad{"Change 1,1 a",  "SetEditText 1,1 a",  "Change 1,1 ",      "SetEditText 1,1 ",
                           "Change 1,1 b",  "SetEditText 1,1 b",  "Change 1,1 ba",    "SetEditText 1,1 ba",
                           "Change 1,1 bad", "SetEditText 1,1 bad"};

TEST(EditingByInput, TextEditor)
{
    const std::vector<Case> cases{
        {"text: F2, type, Enter writes, validates and ends", edNormal, "ab",
         {Key(Qt::Key_F2), Type("c"), Key(Qt::Key_Return)},
         {"abc", {1, 1}, false, "grid", "",
          {"Change 1,1 abc", "SetEditText 1,1 abc", "Validate 1,1 abc", "SetEditText 1,1 abc", "EditingDone",
           "EditCellDone 1,1"}}},
        {"text: typing opens the editor with the character", edNormal, "ab", {Type("x")},
         {"x", {1, 1}, true, "TFxInplaceEdit", "x", {"Change 1,1 x", "SetEditText 1,1 x"}}},
        {"text: a click on the current cell opens the editor", edNormal, "ab", {Click(1, 1)},
         {"ab", {1, 1}, true, "TFxInplaceEdit", "[ab]", {}}},
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
         [](Rig& r) { atRow5(r, "ab"); }, {1, 5}, {1, 5}},
        {"text: a refused value and a click on another cell: the move is refused, the text stays selected",
         edNormal, "ab",
         {Key(Qt::Key_F2), Key(Qt::Key_Backspace), Key(Qt::Key_Backspace), Type("bad"), Click(2, 3)},
         {"ab", {1, 1}, true, "TFxInplaceEdit", "[bad]",
          typedBad + QStringList{"SetEditText 1,1 bad", "Validate 1,1 bad refused", "Change 1,1 ab"}},
         refuseBad},
        {"text: a refused value and Tab: the editor stays with the refused text", edNormal, "ab",
         {Key(Qt::Key_F2), Key(Qt::Key_Backspace), Key(Qt::Key_Backspace), Type("bad"), Key(Qt::Key_Tab)},
         {"ab", {1, 1}, true, "TFxInplaceEdit", "[bad]", typedBad + QStringList{"Validate 1,1 bad refused"}},
         [](Rig& r) {
             refuseBad(r);
             tabs(r);
         }},
        {"text: a refused value and Enter: the editor stays with the refused text", edNormal, "ab",
         {Key(Qt::Key_F2), Key(Qt::Key_Backspace), Key(Qt::Key_Backspace), Type("bad"), Key(Qt::Key_Return)},
         {"ab", {1, 1}, true, "TFxInplaceEdit", "[bad]", typedBad + QStringList{"Validate 1,1 bad refused"}},
         refuseBad},
        {"text: Tab writes and moves on to edit the next cell", edNormal, "ab",
         {Key(Qt::Key_F2), Type("c"), Key(Qt::Key_Tab)},
         {"abc", {2, 1}, true, "TFxInplaceEdit", "[text 1]",
          {"Change 1,1 abc", "SetEditText 1,1 abc", "Validate 1,1 abc", "SetEditText 1,1 abc", "EditingDone",
           "EditCellDone 1,1"}},
         tabs},
        {"text: with the focus frame the edit goes on as without", edNormal, "ab",
         {Key(Qt::Key_F2), Type("c")},
         {"abc", {1, 1}, true, "TFxInplaceEdit", "abc", {"Change 1,1 abc", "SetEditText 1,1 abc"}},
         [](Rig& r) { r.grid->FocusHelper().SetEnabled(true); }},
    };
    for (const Case& c : cases)
        RunCase(c);
}

TEST(EditingByInput, FocusFrame)
{
    auto frame = [](Rig& r) {
        r.grid->FocusHelper().SetEnabled(true);
        comboItems(r, 1);
    };
    const std::vector<Case> cases{
        {"focus frame: a spin edit goes on and ends as without it", edSpinEdit, "7",
         {Key(Qt::Key_F2), Key(Qt::Key_PageUp), Key(Qt::Key_Return)},
         {"8", {1, 1}, false, "grid", "",
          {"Change 1,1 8", "SpinClick 1,1 8 up", "Validate 1,1 8", "EditingDone", "EditCellDone 1,1"}},
         frame},
        {"focus frame: a list combo opens and takes an item as without it", edComboList, "beta",
         {Key(Qt::Key_F2), Type("d"), Key(Qt::Key_Return)},
         {"delta", {1, 1}, false, "grid", "",
          {"Change 1,1 delta", "ComboChange 1,1 3 delta", "Validate 1,1 delta", "SetEditText 1,1 delta",
           "EditingDone", "EditCellDone 1,1"}},
         frame},
        {"focus frame: an edit combo keeps the keyboard", edComboEdit, "beta", {Key(Qt::Key_F2), Type("x")},
         {"beta", {1, 1}, true, "TGridCombo", "betax", {"Change 1,1 betax"}}, frame},
    };
    for (const Case& c : cases)
        RunCase(c);
}

// The date cell and what Page Up makes of it: the part under the caret (the
// first one, all text being selected) steps by one.
QString dateCell() { return fw::DateToStr(fw::EncodeDate(2024, 6, 15)); }
QString datePagedUp()
{
    const QString f = fw::FormatSettings().ShortDateFormat.toLower();
    if (f.startsWith(QLatin1Char('m')))
        return fw::DateToStr(fw::EncodeDate(2024, 7, 15));
    if (f.startsWith(QLatin1Char('y')))
        return fw::DateToStr(fw::EncodeDate(2025, 6, 15));
    return fw::DateToStr(fw::EncodeDate(2024, 6, 16));
}

TEST(EditingByInput, SpinEditors)
{
    const QString date = dateCell();
    const QString paged = datePagedUp();
    const std::vector<Case> cases{
        {"spin: F2 opens the spin editor with the keyboard and the value selected", edSpinEdit, "7",
         {Key(Qt::Key_F2)}, {"7", {1, 1}, true, "TGridSpin", "[7]", {}}},
        {"spin: Page Up steps, Enter writes the integer", edSpinEdit, "7",
         {Key(Qt::Key_F2), Key(Qt::Key_PageUp), Key(Qt::Key_Return)},
         {"8", {1, 1}, false, "grid", "",
          {"Change 1,1 8", "SpinClick 1,1 8 up", "Validate 1,1 8", "EditingDone", "EditCellDone 1,1"}}},
        {"spin: typing opens it with the character typed, Enter writes once", edSpinEdit, "7",
         {Type("42"), Key(Qt::Key_Return)},
         {"42", {1, 1}, false, "grid", "",
          {"Change 1,1 4", "Change 1,1 42", "Validate 1,1 42", "EditingDone", "EditCellDone 1,1"}}},
        {"spin: a letter is no digit and changes nothing", edSpinEdit, "7", {Key(Qt::Key_F2), Type("x")},
         {"7", {1, 1}, true, "TGridSpin", "[7]", {}}},
        {"spin: Escape gives back the value the edit began with", edSpinEdit, "7",
         {Type("42"), Key(Qt::Key_Escape)},
         {"7", {1, 1}, false, "grid", "", {"Change 1,1 4", "Change 1,1 42", "Change 1,1 7", "EditingDone",
                                              "EditCellDone 1,1"}}},
        {"spin: Down writes and moves the grid", edSpinEdit, "7", {Type("9"), Key(Qt::Key_Down)},
         {"9", {1, 2}, false, "grid", "", {"Change 1,1 9", "Validate 1,1 9", "EditingDone", "EditCellDone 1,1"}}},
        {"spin: Tab writes and moves to the next cell", edSpinEdit, "7", {Type("9"), Key(Qt::Key_Tab)},
         {"9", {2, 1}, true, "TFxInplaceEdit", "[text 1]",
          {"Change 1,1 9", "Validate 1,1 9", "EditingDone", "EditCellDone 1,1"}},
         tabs},
        {"spin: its up button steps and tells the grid", edSpinEdit, "7", {Key(Qt::Key_F2), SpinButton(true)},
         {"7", {1, 1}, true, "TGridSpin", "8", {"Change 1,1 8", "SpinClick 1,1 8 up"}}},
        {"spin: a click on another cell writes and moves there", edSpinEdit, "7", {Type("9"), Click(2, 3)},
         {"9", {2, 3}, false, "grid", "", {"Change 1,1 9", "EditingDone", "Validate 1,1 9", "EditCellDone 1,1"}}},
        {"spin: a click on the scroll bar ends the edit with the value written", edSpinEdit, "7",
         {Type("9"), ScrollBarDown()},
         {"9", {1, 5}, false, "grid", "", {"Change 1,5 9", "EditingDone", "Validate 1,5 9", "EditCellDone 1,5"}},
         [](Rig& r) { atRow5(r, "7"); }, {1, 5}, {1, 5}},
        {"spin: a refused value keeps the editor open on the old value", edSpinEdit, "7",
         {Type("13"), Key(Qt::Key_Return)},
         {"7", {1, 1}, true, "TGridSpin", "7", {"Change 1,1 1", "Change 1,1 13", "Validate 1,1 13 refused",
                                                  "Change 1,1 7"}},
         [](Rig& r) { r.refuse = "13"; }},
        {"float spin: Page Up steps by its increment, Enter writes", edFloatSpinEdit, "1.5",
         {Key(Qt::Key_F2), Key(Qt::Key_PageUp), Key(Qt::Key_Return)},
         // The cell takes the value in its float format; the grid's spin
         // event carries the integer reading of the text.
         {"2.50", {1, 1}, false, "grid", "",
          {"Change 1,1 2.5", "SpinClick 1,1 0 up", "Validate 1,1 2.5", "EditingDone", "EditCellDone 1,1"}},
         [](Rig& r) {
             r.grid->Events().OnGetEditorProp = [](QObject*, int, int, QObject* o) {
                 if (auto* sp = qobject_cast<TGridSpin*>(o))
                     sp->SetIncrementFloat(1);
             };
         }},
        {"time spin: Page Up steps the hour under the caret, Enter writes the text", edTimeSpinEdit, "10:30:00",
         {Key(Qt::Key_F2), Key(Qt::Key_PageUp), Key(Qt::Key_Return)},
         {"11:30:00", {1, 1}, false, "grid", "",
          {"Change 1,1 11:30:00", "Validate 1,1 11:30:00", "SetEditText 1,1 11:30:00", "EditingDone",
           "EditCellDone 1,1"}}},
        {"date spin: Page Up steps the first part, Enter writes the date", edDateSpinEdit, date,
         {Key(Qt::Key_F2), Key(Qt::Key_PageUp), Key(Qt::Key_Return)},
         {paged, {1, 1}, false, "grid", "",
          {"Change 1,1 " + paged, "Validate 1,1 " + paged, "EditingDone", "EditCellDone 1,1"}}},
        {"date spin: Escape leaves the date as it was", edDateSpinEdit, date,
         {Key(Qt::Key_F2), Key(Qt::Key_PageUp), Key(Qt::Key_Escape)},
         {date, {1, 1}, false, "grid", "",
          {"Change 1,1 " + paged, "Change 1,1 " + date, "EditingDone", "EditCellDone 1,1"}}},
    };
    for (const Case& c : cases)
        RunCase(c);
}

TEST(EditingByInput, ComboEditors)
{
    auto items = [](Rig& r) { comboItems(r, 1); };
    auto itemsAlwaysShown = [](Rig& r) {
        comboItems(r, 1);
        r.grid->ControlLook().SetDropDownAlwaysVisible(true);
    };
    const std::vector<Case> cases{
        // ---- edit combo
        {"edit combo: F2 opens it with the keyboard", edComboEdit, "beta", {Key(Qt::Key_F2)},
         {"beta", {1, 1}, true, "TGridCombo", "beta", {}}, items},
        {"edit combo: typing g and Enter gives g, nothing completes it", edComboEdit, "beta",
         {Key(Qt::Key_F2), Key(Qt::Key_A, Qt::ControlModifier), Type("g"), Key(Qt::Key_Return)},
         {"g", {1, 1}, false, "grid", "",
          {"Change 1,1 g", "Validate 1,1 g", "SetEditText 1,1 g", "EditingDone", "EditCellDone 1,1"}},
         items},
        {"edit combo: with Lookup, typing completes from the items", edComboEdit, "beta",
         {Key(Qt::Key_F2), Key(Qt::Key_A, Qt::ControlModifier), Type("g")},
         {"beta", {1, 1}, true, "TGridCombo", "g[amma]", {"Change 1,1 g"}},
         [](Rig& r) {
             comboItems(r, 1);
             r.grid->SetLookup(true);
         }},
        {"edit combo: Escape gives back the cell's text", edComboEdit, "beta",
         {Key(Qt::Key_F2), Type("x"), Key(Qt::Key_Escape)},
         {"beta", {1, 1}, false, "grid", "",
          {"Change 1,1 betax", "Change 1,1 beta", "SetEditText 1,1 beta", "EditingDone", "EditCellDone 1,1"}},
         items},
        {"edit combo: Alt+Down opens its list, Down and Enter take an item", edComboEdit, "beta",
         {Key(Qt::Key_F2), Key(Qt::Key_Down, Qt::AltModifier), Key(Qt::Key_Down), Key(Qt::Key_Return),
          Key(Qt::Key_Return)},
         {"gamma", {1, 1}, false, "grid", "",
          {"Change 1,1 gamma", "ComboChange 1,1 2 gamma", "Validate 1,1 gamma", "SetEditText 1,1 gamma",
           "EditingDone", "EditCellDone 1,1"}},
         items},
        {"edit combo: a click on another cell writes and moves there", edComboEdit, "beta",
         {Key(Qt::Key_F2), Type("x"), Click(2, 3)},
         {"betax", {2, 3}, false, "grid", "",
          {"Change 1,1 betax", "SetEditText 1,1 betax", "EditingDone", "Validate 1,1 betax", "EditCellDone 1,1"}},
         items},
        {"edit combo: Tab writes and moves to the next cell", edComboEdit, "beta",
         {Key(Qt::Key_F2), Type("x"), Key(Qt::Key_Tab)},
         {"betax", {2, 1}, true, "TFxInplaceEdit", "[text 1]",
          {"Change 1,1 betax", "Validate 1,1 betax", "SetEditText 1,1 betax", "EditingDone", "EditCellDone 1,1"}},
         [](Rig& r) {
             comboItems(r, 1);
             tabs(r);
         }},
        {"edit combo: a click on the scroll bar ends the edit with the text written", edComboEdit, "beta",
         {Key(Qt::Key_F2), Type("x"), ScrollBarDown()},
         {"betax", {1, 5}, false, "grid", "",
          {"Change 1,5 betax", "SetEditText 1,5 betax", "EditingDone", "Validate 1,5 betax", "EditCellDone 1,5"}},
         [](Rig& r) {
             comboItems(r, 1);
             atRow5(r, "beta");
         },
         {1, 5}, {1, 5}},
        {"edit combo: a refused value keeps the editor open with the value selected", edComboEdit, "beta",
         {Key(Qt::Key_F2), Key(Qt::Key_A, Qt::ControlModifier), Type("bad"), Key(Qt::Key_Return)},
         {"beta", {1, 1}, true, "TGridCombo", "[bad]",
          {"Change 1,1 b", "Change 1,1 ba", "Change 1,1 bad", "Validate 1,1 bad refused"}},
         [](Rig& r) {
             comboItems(r, 1);
             r.refuse = "bad";
         }},
        {"edit combo: a refused value and a click on another cell: the move is refused", edComboEdit, "beta",
         {Key(Qt::Key_F2), Key(Qt::Key_A, Qt::ControlModifier), Type("bad"), Click(2, 3)},
         {"beta", {1, 1}, true, "TGridCombo", "bad",
          {"Change 1,1 b", "Change 1,1 ba", "Change 1,1 bad", "SetEditText 1,1 bad", "EditingDone",
           "Validate 1,1 bad refused", "EditCellDone 1,1"}},
         [](Rig& r) {
             comboItems(r, 1);
             r.refuse = "bad";
         }},
        {"edit combo: one click with the drop button always shown opens editor and list", edComboEdit, "beta",
         {DropButton(1, 2)}, {"", {1, 2}, true, "popup QComboBoxPrivateContainer", "", {}}, itemsAlwaysShown,
         {1, 1}, {1, 2}},
        // ---- list combo
        {"list combo after an edit combo opens and stays open", edComboEdit, "beta",
         {Key(Qt::Key_F2), Key(Qt::Key_Escape), Key(Qt::Key_Right), Key(Qt::Key_F2)},
         {"beta", {2, 1}, true, "TGridCombo", "gamma", {"SetEditText 1,1 beta", "EditingDone", "EditCellDone 1,1"}},
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
         items},
        {"list combo: a letter picks the item it begins", edComboList, "beta", {Key(Qt::Key_F2), Type("d")},
         {"beta", {1, 1}, true, "TGridCombo", "delta", {"Change 1,1 delta", "ComboChange 1,1 3 delta"}}, items},
        {"list combo: a click on an item of the open list takes it", edComboList, "beta",
         {Key(Qt::Key_F2), Key(Qt::Key_Down, Qt::AltModifier), ListItem(0)},
         {"beta", {1, 1}, true, "TGridCombo", "alpha", {"Change 1,1 alpha", "ComboChange 1,1 0 alpha"}}, items},
        {"list combo: Escape gives back the cell's item", edComboList, "beta",
         {Key(Qt::Key_F2), Type("d"), Key(Qt::Key_Escape)},
         {"beta", {1, 1}, false, "grid", "",
          {"Change 1,1 delta", "ComboChange 1,1 3 delta", "Change 1,1 beta", "SetEditText 1,1 beta", "EditingDone",
           "EditCellDone 1,1"}},
         items},
        {"list combo: a click on another cell writes the item and moves there", edComboList, "beta",
         {Key(Qt::Key_F2), Type("d"), Click(2, 3)},
         {"delta", {2, 3}, false, "grid", "",
          {"Change 1,1 delta", "ComboChange 1,1 3 delta", "SetEditText 1,1 delta", "EditingDone",
           "Validate 1,1 delta", "EditCellDone 1,1"}},
         items},
        {"list combo: Tab writes the item and moves to the next cell", edComboList, "beta",
         {Key(Qt::Key_F2), Type("d"), Key(Qt::Key_Tab)},
         {"delta", {2, 1}, true, "TFxInplaceEdit", "[text 1]",
          {"Change 1,1 delta", "ComboChange 1,1 3 delta", "Validate 1,1 delta", "SetEditText 1,1 delta",
           "EditingDone", "EditCellDone 1,1"}},
         [](Rig& r) {
             comboItems(r, 1);
             tabs(r);
         }},
        {"list combo: a refused item keeps the list open on the cell's item", edComboList, "beta",
         {Key(Qt::Key_F2), Type("d"), Key(Qt::Key_Return)},
         {"beta", {1, 1}, true, "TGridCombo", "delta",
          {"Change 1,1 delta", "ComboChange 1,1 3 delta", "Validate 1,1 delta refused"}},
         [](Rig& r) {
             comboItems(r, 1);
             r.refuse = "delta";
         }},
        {"list combo: a click on the scroll bar ends the edit with the item written", edComboList, "beta",
         {Key(Qt::Key_F2), Type("d"), ScrollBarDown()},
         {"delta", {1, 5}, false, "grid", "",
          {"Change 1,5 delta", "ComboChange 1,5 3 delta", "SetEditText 1,5 delta", "EditingDone",
           "Validate 1,5 delta", "EditCellDone 1,5"}},
         [](Rig& r) {
             comboItems(r, 1);
             atRow5(r, "beta");
         },
         {1, 5}, {1, 5}},
        {"list combo with the drop button always shown: one click opens editor and list", edComboList, "beta",
         {DropButton(1, 2)},
         {"", {1, 2}, true, "popup QComboBoxPrivateContainer", "alpha", {"ComboChange 1,2 0 alpha"}},
         itemsAlwaysShown, {1, 1}, {1, 2}},
        {"list combo with the drop button always shown: a click on an item of that list takes it", edComboList,
         "beta", {DropButton(1, 2), ListItem(2), Key(Qt::Key_Return)},
         {"gamma", {1, 2}, false, "grid", "",
          {"ComboChange 1,2 0 alpha", "Change 1,2 gamma", "ComboChange 1,2 2 gamma", "Validate 1,2 gamma",
           "SetEditText 1,2 gamma", "EditingDone", "EditCellDone 1,2"}},
         itemsAlwaysShown, {1, 1}, {1, 2}},
    };
    for (const Case& c : cases)
        RunCase(c);
}

TEST(EditingByInput, CheckBoxes)
{
    const std::vector<Case> cases{
        {"data check box: Space ticks it, no editor opens", edDataCheckBox, "N", {Key(Qt::Key_Space)},
         {"Y", {1, 1}, false, "grid", "", {"CheckBoxClick 1,1 on"}}},
        {"data check box: F2 opens no editor", edDataCheckBox, "N", {Key(Qt::Key_F2)},
         {"N", {1, 1}, false, "grid", "", {}}},
        {"data check box: a click on its box in another row ticks it and moves there", edDataCheckBox, "N",
         {Click(1, 2)}, {"Y", {1, 2}, false, "grid", "", {"CheckBoxClick 1,2 on"}},
         [](Rig& r) { r.grid->SetCells(1, 2, "N"); }, {2, 1}, {1, 2}},
        {"data check box: a click on a ticked box clears it", edDataCheckBox, "Y", {Click(1, 1)},
         {"N", {1, 1}, false, "grid", "", {"CheckBoxClick 1,1 off"}}},
    };
    for (const Case& c : cases)
        RunCase(c);
}

} // namespace

// Keys typed faster than the program takes them: the character that opens
// the editor goes in before the ones behind it.
TEST(EditingByInput, FastTyping)
{
    // Validated, written back and ended by the Enter after the burst.
    auto ended = [](const QString& v, bool writesBack) {
        QStringList l{"Validate 1,1 " + v};
        if (writesBack)
            l << "SetEditText 1,1 " + v;
        return l + QStringList{"EditingDone", "EditCellDone 1,1"};
    };
    const std::vector<Case> cases{
        {"text: a burst of digits opens the editor in the order typed", edNormal, "ab",
         {Burst("1439"), Key(Qt::Key_Return)},
         {"1439", {1, 1}, false, "grid", "",
          QStringList{"Change 1,1 1", "SetEditText 1,1 1", "Change 1,1 14", "SetEditText 1,1 14", "Change 1,1 143",
                      "SetEditText 1,1 143", "Change 1,1 1439", "SetEditText 1,1 1439"} +
              ended("1439", true)}},
        {"spin: a burst of digits opens the editor in the order typed", edSpinEdit, "7",
         {Burst("1439"), Key(Qt::Key_Return)},
         {"1439", {1, 1}, false, "grid", "",
          QStringList{"Change 1,1 1", "Change 1,1 14", "Change 1,1 143", "Change 1,1 1439"} + ended("1439", false)},
         [](Rig& r) {
             r.grid->Events().OnGetEditorProp = [](QObject*, int, int, QObject* o) {
                 if (auto* sp = qobject_cast<TGridSpin*>(o))
                     sp->SetMaxValue(9999);
             };
         }},
        // The edit combo opens with the caret after the cell's text.
        {"edit combo: a burst of letters goes on the text in the order typed", edComboEdit, "beta",
         {Burst("zyxw"), Key(Qt::Key_Return)},
         {"betazyxw", {1, 1}, false, "grid", "",
          QStringList{"Change 1,1 betaz", "Change 1,1 betazy", "Change 1,1 betazyx", "Change 1,1 betazyxw"} +
              ended("betazyxw", true)},
         [](Rig& r) { comboItems(r, 1); }},
        {"button edit: a burst of letters opens the editor in the order typed", edEditBtn, "ab",
         {Burst("zyxw"), Key(Qt::Key_Return)},
         {"zyxw", {1, 1}, false, "grid", "",
          QStringList{"Change 1,1 z", "Change 1,1 zy", "Change 1,1 zyx", "Change 1,1 zyxw"} + ended("zyxw", true)}},
        {"memo drop-down: a burst of letters opens the editor in the order typed", edMemoDropDown, "ab",
         {Burst("zyxw"), Key(Qt::Key_Return)},
         {"zyxw", {1, 1}, false, "grid", "",
          QStringList{"Change 1,1 ab", "Change 1,1 z", "Change 1,1 zy", "Change 1,1 zyx", "Change 1,1 zyxw"} +
              ended("zyxw", true)}},
    };
    for (const Case& c : cases)
        RunCase(c);
}
