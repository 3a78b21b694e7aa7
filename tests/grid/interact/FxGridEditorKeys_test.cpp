// The text editor's own keys: the arrows that leave it validate the value
// and move on, the caret walk at the ends of the text, and the keys it keeps.
#include "GridUi.h"

#include "grid/foundation/FxOptions.h"
#include "grid/interact/FxInplaceEdit.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using gridui::Window;

namespace {

struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers mods = Qt::NoModifier;
};

struct EditorKeyCase {
    const char* name;
    std::function<void(TFxStringGrid&)> setup;
    const char* typed;        // typed on cell (2, 2), which holds "ab"
    std::vector<Key> keys;    // then these keys
    int col, row;             // the current cell afterwards
    bool editorOpen;
    const char* cell;         // cell (2, 2) afterwards
    const char* editor;       // the editor's text when open
};

class FxGridEditorKeys : public ::testing::TestWithParam<EditorKeyCase> {};

TEST_P(FxGridEditorKeys, KeyInTheOpenEditor)
{
    const EditorKeyCase& k = GetParam();
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetCells(2, 2, "ab");
    if (k.setup)
        k.setup(g);
    g.SetCol(2);
    g.SetRow(2);
    if (*k.typed)
        w.type(QString::fromLatin1(k.typed));
    else
        w.key(Qt::Key_F2);
    ASSERT_TRUE(g.NormalEdit() && g.NormalEdit()->isVisible());
    for (const Key& key : k.keys)
        w.key(key.key, key.mods);
    EXPECT_EQ(g.Col(), k.col);
    EXPECT_EQ(g.Row(), k.row);
    const bool open = g.NormalEdit()->isVisible();
    EXPECT_EQ(open, k.editorOpen);
    EXPECT_EQ(g.Cells(2, 2), QString::fromLatin1(k.cell));
    if (open)
        EXPECT_EQ(g.NormalEdit()->Text(), QString::fromLatin1(k.editor));
}

auto refuse = [](TFxStringGrid& g) {
    g.Events().OnCellValidate = [](QObject*, int, int, QString&, bool& ok) { ok = false; };
};
auto walk = [](TFxStringGrid& g) { g.Navigation().SetCursorWalkEditor(true); };

INSTANTIATE_TEST_SUITE_P(
    Table, FxGridEditorKeys,
    ::testing::Values(
        EditorKeyCase{"down_writes_and_moves", nullptr, "7", {{Qt::Key_Down}}, 2, 3, false, "7", ""},
        EditorKeyCase{"up_writes_and_moves", nullptr, "7", {{Qt::Key_Up}}, 2, 1, false, "7", ""},
        // A refused value: the cell keeps its text, the editor the typed one.
        EditorKeyCase{"down_refused_stays", refuse, "7", {{Qt::Key_Down}}, 2, 2, true, "ab", "7"},
        // The walk validates, writes and edits the neighbouring cell.
        EditorKeyCase{"right_at_the_end_walks_on", walk, "7", {{Qt::Key_Right}}, 3, 2, true, "7", ""},
        EditorKeyCase{"left_at_the_start_walks_back", walk, "", {{Qt::Key_Home}, {Qt::Key_Left}}, 1, 2, true,
                      "ab", ""},
        EditorKeyCase{"right_walk_refused_stays", [](TFxStringGrid& g) { walk(g); refuse(g); }, "7",
                      {{Qt::Key_Right}}, 2, 2, true, "ab", "7"},
        EditorKeyCase{"right_inside_the_text_moves_the_caret", walk, "", {{Qt::Key_Home}, {Qt::Key_Right}}, 2, 2,
                      true, "ab", "ab"},
        EditorKeyCase{"right_without_the_walk_stays", nullptr, "7", {{Qt::Key_Right}}, 2, 2, true, "7", "7"},
        EditorKeyCase{"ctrl_enter_is_swallowed",
                      [](TFxStringGrid& g) { g.Navigation().SetAllowCtrlEnter(false); }, "7",
                      {{Qt::Key_Return, Qt::ControlModifier}}, 2, 2, true, "7", "7"},
        EditorKeyCase{"shift_right_at_the_end_ends_the_edit_in_place", walk, "7",
                      {{Qt::Key_Right, Qt::ShiftModifier}}, 2, 2, false, "7", ""},
        EditorKeyCase{"walk_without_editing_the_next_cell",
                      [](TFxStringGrid& g) {
                          walk(g);
                          g.Navigation().SetCursorWalkAlwaysEdit(false);
                      },
                      "7", {{Qt::Key_Right}}, 3, 2, false, "7", ""},
        EditorKeyCase{"ctrl_a_selects_the_text", nullptr, "", {{Qt::Key_End}, {Qt::Key_A, Qt::ControlModifier},
                                                               {Qt::Key_X}},
                      2, 2, true, "x", "x"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
