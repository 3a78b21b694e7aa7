// One typed character is one key press for the application: the grid's
// OnKeyPress sees each character once, with the grid (or the combo editor
// the character went to) as its sender, whether the character opens the
// editor, goes into an open editor, or finds no editor at all.
#include "GridUi.h"

#include "grid/foundation/FxOptions.h"
#include "controls/dropdown/FxCustomDropDown.h"
#include "grid/interact/FxGridEditors.h"
#include "grid/interact/FxInplaceEdit.h"
#include "grid/model/FxCGrid.h"

#include <gtest/gtest.h>

#include <functional>

using gridui::Window;

namespace {

struct PressCase {
    const char* name;
    TEditorType column2;                      // the editor of column 2
    std::function<void(TFxStringGrid&)> setup;
    std::function<void(Window&)> keys;
    QStringList expected;                     // sender and character code, in order
    bool editorOpen;
    const char* cellOrEditor;                 // the open editor's text, else the cell's
};

class FxGridKeyPressOnce : public ::testing::TestWithParam<PressCase> {};

TEST_P(FxGridKeyPressOnce, EachTypedCharacterReachesOnKeyPressOnce)
{
    const PressCase& k = GetParam();
    Window w(true);
    TFxStringGrid& g = *w.grid;
    static_cast<TFxColumnGrid&>(g).Columns()[2]->SetEditor(k.column2);
    g.Events().OnGetEditorType = [](QObject* s, int c, int, TEditorType&) {
        if (c == 2) {
            auto* grid = static_cast<TFxStringGrid*>(s);
            grid->ClearComboString();
            grid->AddComboString("alpha");
            grid->AddComboString("beta");
        }
    };
    g.SetCells(1, 1, "xy");
    g.SetCol(1);
    g.SetRow(1);
    QStringList log;
    g.OnKeyPress = [&](QObject* sender, QChar& key) {
        const QString who = sender == &g                            ? QStringLiteral("grid")
                            : sender == &g.Combobox()               ? QStringLiteral("combo")
                            : qobject_cast<TFxCustomDropDown*>(sender) ? QStringLiteral("dropdown")
                                                                    : QStringLiteral("other");
        log << QStringLiteral("%1 %2").arg(who).arg(key.unicode());
    };
    if (k.setup)
        k.setup(g);
    k.keys(w);
    EXPECT_EQ(log, k.expected);
    const bool text = g.NormalEdit() && g.NormalEdit()->isVisible();
    const bool combo = g.Combobox().isVisible();
    TFxCustomDropDown* dropDown = nullptr;
    for (TFxCustomDropDown* d : g.findChildren<TFxCustomDropDown*>(QString(), Qt::FindDirectChildrenOnly))
        if (d->isVisible())
            dropDown = d;
    EXPECT_EQ(text || combo || dropDown, k.editorOpen);
    if (dropDown)
        EXPECT_EQ(dropDown->Text(), QString::fromLatin1(k.cellOrEditor));
    else if (text)
        EXPECT_EQ(g.NormalEdit()->Text(), QString::fromLatin1(k.cellOrEditor));
    else if (combo)
        EXPECT_EQ(g.Combobox().currentText(), QString::fromLatin1(k.cellOrEditor));
    else
        EXPECT_EQ(g.Cells(g.Col(), g.Row()), QString::fromLatin1(k.cellOrEditor));
}

const auto ctrl = Qt::ControlModifier;

auto typeText(const char* text)
{
    return [text](Window& w) { w.type(QString::fromLatin1(text)); };
}

INSTANTIATE_TEST_SUITE_P(
    Table, FxGridKeyPressOnce,
    ::testing::Values(
        // A read-only cell: no editor takes the character; it is reported once.
        PressCase{"letter_on_a_read_only_cell", edNormal,
                  [](TFxStringGrid& g) {
                      g.Events().OnCanEditCell = [](QObject*, int, int, bool& can) { can = false; };
                  },
                  typeText("a"), {"grid 97"}, false, "xy"},
        PressCase{"letter_on_a_grid_that_does_not_edit", edNormal,
                  [](TFxStringGrid& g) { g.SetOptions(g.Options() & ~fw::TGridOptions(fw::goEditing)); },
                  typeText("a"), {"grid 97"}, false, "xy"},
        // The first character opens the editor and is typed into it: once.
        PressCase{"letters_opening_the_editor", edNormal, nullptr, typeText("ab"), {"grid 97", "grid 98"}, true,
                  "ab"},
        // The editor opens with its text selected: Backspace empties it.
        PressCase{"backspace_opening_the_editor", edNormal, nullptr,
                  [](Window& w) { w.key(Qt::Key_Backspace); }, {"grid 8"}, true, ""},
        PressCase{"backspace_in_the_open_editor", edNormal, nullptr,
                  [](Window& w) {
                      w.type("ab");
                      w.key(Qt::Key_Backspace);
                  },
                  {"grid 97", "grid 98", "grid 8"}, true, "a"},
        // Enter ends the edit and is reported once, after the typed value.
        PressCase{"enter_ending_the_edit", edNormal, nullptr,
                  [](Window& w) {
                      w.type("7");
                      w.key(Qt::Key_Return);
                  },
                  {"grid 55", "grid 13"}, false, "7"},
        PressCase{"ctrl_letter_on_the_grid", edNormal, nullptr, [](Window& w) { w.key(Qt::Key_B, ctrl); },
                  {"grid 2"}, false, "xy"},
        PressCase{"ctrl_letter_in_the_open_editor", edNormal, nullptr,
                  [](Window& w) {
                      w.type("a");
                      w.key(Qt::Key_B, ctrl);
                  },
                  {"grid 97", "grid 2"}, true, "a"},
        // A handler's answer is the character: a cleared one opens nothing,
        // a changed one is what the editor receives.
        PressCase{"handler_clears_the_character", edNormal,
                  [](TFxStringGrid& g) {
                      auto log = g.OnKeyPress;
                      g.OnKeyPress = [log](QObject* s, QChar& key) {
                          log(s, key);
                          key = QChar();
                      };
                  },
                  typeText("a"), {"grid 97"}, false, "xy"},
        PressCase{"handler_changes_the_character", edNormal,
                  [](TFxStringGrid& g) {
                      auto log = g.OnKeyPress;
                      g.OnKeyPress = [log](QObject* s, QChar& key) {
                          log(s, key);
                          key = key.toUpper();
                      };
                  },
                  typeText("ab"), {"grid 97", "grid 98"}, true, "AB"},
        // A grid that selects ranges and edits by typing: the same.
        PressCase{"letters_opening_the_editor_of_a_range_selecting_grid", edNormal,
                  [](TFxStringGrid& g) {
                      g.SetOptions(g.Options() & ~fw::TGridOptions(fw::goEditing));
                      g.MouseActions().SetRangeSelectAndEdit(true);
                  },
                  typeText("ab"), {"grid 97", "grid 98"}, true, "ab"},
        // A combo cell: the grid reports the opening character, the combo
        // the ones typed into it.
        PressCase{"letters_opening_a_combo", edComboEdit, [](TFxStringGrid& g) { g.SetCol(2); }, typeText("ab"),
                  {"grid 97", "combo 98"}, true, "ab"},
        PressCase{"enter_ending_a_combo_edit", edComboEdit, [](TFxStringGrid& g) { g.SetCol(2); },
                  [](Window& w) {
                      w.type("b");
                      w.key(Qt::Key_Return);
                  },
                  // Without Lookup nothing completes what was typed.
                  {"grid 98", "combo 13"}, false, "b"},
        PressCase{"enter_on_a_list_combo", edComboList, [](TFxStringGrid& g) { g.SetCol(2); },
                  [](Window& w) {
                      w.key(Qt::Key_F2);
                      w.key(Qt::Key_Down);
                      w.key(Qt::Key_Return);
                  },
                  {"combo 13"}, false, "beta"},
        // A drop-down editor: the grid reports the opening character, the
        // editor the ones typed into it.
        PressCase{"digits_opening_a_calculator", edCalculatorDropDown, [](TFxStringGrid& g) { g.SetCol(2); },
                  typeText("57"), {"grid 53", "dropdown 55"}, true, "57"},
        PressCase{"letters_opening_a_memo", edMemoDropDown, [](TFxStringGrid& g) { g.SetCol(2); },
                  typeText("ab"), {"grid 97", "dropdown 98"}, true, "ab"},
        PressCase{"letter_opening_a_colour_picker", edColorPickerDropDown, [](TFxStringGrid& g) { g.SetCol(2); },
                  typeText("n"), {"grid 110"}, true, ""},
        PressCase{"enter_ending_a_calculator_edit", edCalculatorDropDown, [](TFxStringGrid& g) { g.SetCol(2); },
                  [](Window& w) {
                      w.type("4");
                      w.key(Qt::Key_Return);
                  },
                  {"grid 52", "dropdown 13"}, false, "4.00"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
