// The grid's keyboard as a user meets it: one key press becomes the key-down
// chain and the character chain, which keys open the editor in which state
// of the current cell, the scroll-only keys, the row keys, and where the
// focus goes.
#include "GridUi.h"

#include "grid/foundation/FxOptions.h"
#include "grid/model/FxFilter.h"
#include "grid/interact/FxInplaceEdit.h"
#include "grid/paint/FxSearchPanel.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <functional>

using gridui::Window;

namespace {

// A key press as the window system delivers it: to the focused widget.
void Press(Window& w, Qt::Key key, Qt::KeyboardModifiers mods, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QCoreApplication::sendEvent(w.focus() ? w.focus() : w.grid, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QCoreApplication::sendEvent(w.focus() ? w.focus() : w.grid, &release);
    w.settle();
}

struct ChainCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    const char* text;
    bool clearInKeyDown;
    QStringList expected;
};

class FxGridKeyChain : public ::testing::TestWithParam<ChainCase> {};

// goEditing off: no editor takes the characters, so they reach OnKeyPress.
TEST_P(FxGridKeyChain, KeyDownThenTheCharacterUnlessTheKeyWasCleared)
{
    const ChainCase& k = GetParam();
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions(g.Options() & ~fw::TGridOptions(fw::goEditing));
    QStringList log;
    g.OnKeyDown = [&](QObject*, int& key, fw::TShiftState) {
        log << QStringLiteral("down %1").arg(key);
        if (k.clearInKeyDown)
            key = 0;
    };
    g.OnKeyPress = [&](QObject*, QChar& key) { log << QStringLiteral("press %1").arg(key.unicode()); };
    g.SetCol(2);
    g.SetRow(2);
    Press(w, k.key, k.mods, QString::fromUtf8(k.text));
    EXPECT_EQ(log, k.expected);
}

const auto ctrl = Qt::ControlModifier;
const auto none = Qt::NoModifier;

INSTANTIATE_TEST_SUITE_P(
    Table, FxGridKeyChain,
    ::testing::Values(
        ChainCase{"letter", Qt::Key_A, none, "a", false, {"down 65", "press 97"}},
        ChainCase{"ctrl_a_is_1", Qt::Key_A, ctrl, "\x01", false, {"down 65", "press 1"}},
        ChainCase{"ctrl_z_is_26", Qt::Key_Z, ctrl, "\x1a", false, {"down 90", "press 26"}},
        ChainCase{"backspace_is_8", Qt::Key_Backspace, none, "\b", false, {"down 8", "press 8"}},
        ChainCase{"escape_is_27", Qt::Key_Escape, none, "\x1b", false, {"down 27", "press 27"}},
        ChainCase{"f2_makes_no_character", Qt::Key_F2, none, "", false, {"down 113"}},
        // A cell that cannot be edited keeps Enter from the framework: no character.
        ChainCase{"enter_on_a_read_only_grid", Qt::Key_Return, none, "\r", false, {"down 13"}},
        ChainCase{"cleared_key_makes_no_character", Qt::Key_A, none, "a", true, {"down 65"}},
        ChainCase{"character_only_key", Qt::Key_unknown, none, "\xe2\x82\xac", false, {"press 8364"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Enter reaches OnKeyPress as 13, once and last, where an edit ends on it
// (the application's Enter walk lives there).
TEST(FxGridKeyChainEdit, EnterEndingAnEditReachesOnKeyPressAs13)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    QList<int> presses;
    g.OnKeyPress = [&](QObject*, QChar& key) { presses << key.unicode(); };
    g.SetCol(1);
    g.SetRow(1);
    w.type("4");
    w.key(Qt::Key_Return);
    ASSERT_FALSE(presses.isEmpty());
    EXPECT_EQ(presses.last(), 13);
    EXPECT_EQ(presses.count(13), 1);
    EXPECT_TRUE(presses.contains('4'));
    EXPECT_EQ(g.Cells(1, 1), "4");
}

// ---------------------------------------------------------------- key x state -> editor

struct StateCase {
    const char* name;
    std::function<void(TFxStringGrid&)> setup;   // may move the current cell
    Qt::Key key;
    const char* text;        // the key's character ("" none)
    bool opens;
    const char* editorText;  // when it opens
    int col, row;            // the current cell afterwards
};

class FxGridKeyState : public ::testing::TestWithParam<StateCase> {};

TEST_P(FxGridKeyState, WhetherTheKeyOpensTheEditorAndWithWhat)
{
    const StateCase& k = GetParam();
    Window w;
    TFxStringGrid& g = *w.grid;
    for (int c = 0; c < g.ColCount(); ++c)
        g.SetCells(c, 2, QStringLiteral("t%1").arg(c));
    g.SetCol(2);
    g.SetRow(2);
    if (k.setup)
        k.setup(g);
    Press(w, k.key, Qt::NoModifier, QString::fromUtf8(k.text));
    const bool open = (g.NormalEdit() && g.NormalEdit()->isVisible()) || g.EditMode();
    EXPECT_EQ(open, k.opens);
    if (open && g.NormalEdit() && g.NormalEdit()->isVisible()) {
        EXPECT_EQ(g.NormalEdit()->Text(), QString::fromUtf8(k.editorText));
    }
    EXPECT_EQ(g.Col(), k.col);
    EXPECT_EQ(g.Row(), k.row);
}

// The cell turns read-only after it became current (as when rows move under
// it): it is still not edited.
void ReadOnly(TFxStringGrid& g)
{
    g.Events().OnCanEditCell = [](QObject*, int, int, bool& can) { can = false; };
}

void DataCheckBox(TFxStringGrid& g)
{
    g.AddCheckBox(2, 2, false, true);
    g.SetCells(2, 2, "N");
}

void NoEditor(TFxStringGrid& g)
{
    g.Events().OnGetEditorType = [](QObject*, int, int, TEditorType& e) { e = edNone; };
}

void EditingOff(TFxStringGrid& g)
{
    g.SetOptions(g.Options() & ~fw::TGridOptions(fw::goEditing));
}

// Cells (2,2) to (3,3) are one block; (3,3) is made current, which the
// grid turns into the block's base cell.
void MergedBlock(TFxStringGrid& g)
{
    g.SetOptions(g.Options() & ~fw::TGridOptions(fw::goRangeSelect));
    g.MergeCells(2, 2, 2, 2);
    g.SetCol(3);
    g.SetRow(3);
}

// Column 1 hidden: display column 2 shows real column 3.
void HiddenColumn(TFxStringGrid& g)
{
    g.HideColumn(1);
    g.SetCol(2);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FxGridKeyState,
    ::testing::Values(
        StateCase{"editable_f2", nullptr, Qt::Key_F2, "", true, "t2", 2, 2},
        StateCase{"editable_letter", nullptr, Qt::Key_X, "x", true, "x", 2, 2},
        StateCase{"editable_above_255", nullptr, Qt::Key_unknown, "\xe2\x82\xac", false, "", 2, 2},
        StateCase{"read_only_f2", ReadOnly, Qt::Key_F2, "", false, "", 2, 2},
        StateCase{"read_only_letter", ReadOnly, Qt::Key_X, "x", false, "", 2, 2},
        StateCase{"read_only_enter", ReadOnly, Qt::Key_Return, "\r", false, "", 2, 2},
        StateCase{"data_check_box_f2", DataCheckBox, Qt::Key_F2, "", false, "", 2, 2},
        StateCase{"data_check_box_letter", DataCheckBox, Qt::Key_X, "x", false, "", 2, 2},
        StateCase{"data_check_box_enter", DataCheckBox, Qt::Key_Return, "\r", false, "", 2, 2},
        StateCase{"no_editor_f2", NoEditor, Qt::Key_F2, "", false, "", 2, 2},
        StateCase{"no_editor_letter", NoEditor, Qt::Key_X, "x", false, "", 2, 2},
        StateCase{"editing_off_letter", EditingOff, Qt::Key_X, "x", false, "", 2, 2},
        StateCase{"editing_off_f2", EditingOff, Qt::Key_F2, "", false, "", 2, 2},
        StateCase{"merged_block_f2_edits_the_base", MergedBlock, Qt::Key_F2, "", true, "t2", 2, 2},
        StateCase{"merged_block_letter", MergedBlock, Qt::Key_X, "x", true, "x", 2, 2},
        StateCase{"hidden_column_f2_edits_the_real_cell", HiddenColumn, Qt::Key_F2, "", true, "t3", 2, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FxGridKeyState, ATypedCharacterOnAHiddenColumnGridLandsInTheRealColumn)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.HideColumn(1);
    g.SetCol(2);
    g.SetRow(2);
    w.type("z");
    w.key(Qt::Key_Return);
    EXPECT_EQ(g.Cells(3, 2), "z");
    EXPECT_EQ(g.Cells(2, 2), "");
}

// ---------------------------------------------------------------- scroll-only keys, row keys

TEST(FxGridKeys, MoveScrollOnlyScrollsAndLeavesTheCurrentCellAndOnKeyDownAlone)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetRowCount(100);
    g.Navigation().SetMoveScrollOnly(true);
    int downs = 0;
    g.OnKeyDown = [&](QObject*, int&, fw::TShiftState) { ++downs; };
    g.SetCol(1);
    g.SetRow(1);
    const int vis = g.VisibleRowCount();
    w.key(Qt::Key_Down);
    EXPECT_EQ(g.TopRow(), 2);
    w.key(Qt::Key_PageDown);
    EXPECT_EQ(g.TopRow(), 2 + vis);
    w.key(Qt::Key_End);
    EXPECT_EQ(g.TopRow(), 100 - vis);
    w.key(Qt::Key_Down);   // the last page: no further
    EXPECT_EQ(g.TopRow(), 100 - vis);
    w.key(Qt::Key_Home);
    EXPECT_EQ(g.TopRow(), 1);
    w.key(Qt::Key_Up);
    EXPECT_EQ(g.TopRow(), 1);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(downs, 0);
}

// The clipboard keys act after the framework's key-down, which fires
// OnKeyDown first: a handler that clears the key keeps the clipboard
// untouched, and Delete or Insert with Shift never reaches the row keys.
TEST(FxGridKeys, ClipboardKeysActAfterOnKeyDownAndNotWhenItClearedTheKey)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions(g.Options() & ~fw::TGridOptions(fw::goEditing));
    g.Navigation().SetAllowClipboardShortCuts(true);
    g.Navigation().SetAllowDeleteRow(true);
    g.Navigation().SetAllowInsertRow(true);
    QStringList log;
    bool clear = false;
    g.OnKeyDown = [&](QObject*, int& key, fw::TShiftState) {
        if (key == fw::VK_SHIFT || key == fw::VK_CONTROL)
            return;   // the modifier's own press
        log << QStringLiteral("down %1").arg(key);
        if (clear)
            key = 0;
    };
    // Refused, so the test leaves the system clipboard alone.
    TFxGridEvents& e = g.Events();
    e.OnClipboardCopy = [&](QObject*, bool& allow) { log << "copy"; allow = false; };
    e.OnClipboardCut = [&](QObject*, bool& allow) { log << "cut"; allow = false; };
    e.OnClipboardPaste = [&](QObject*, bool& allow) { log << "paste"; allow = false; };
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        bool clear;
        QStringList expected;
    };
    const Case cases[] = {
        {Qt::Key_C, Qt::ControlModifier, false, {"down 67", "copy"}},
        {Qt::Key_Insert, Qt::ControlModifier, false, {"down 45", "copy"}},
        {Qt::Key_X, Qt::ControlModifier, false, {"down 88", "cut"}},
        {Qt::Key_Delete, Qt::ShiftModifier, false, {"down 46", "cut"}},
        {Qt::Key_V, Qt::ControlModifier, false, {"down 86", "paste"}},
        {Qt::Key_Insert, Qt::ShiftModifier, false, {"down 45", "paste"}},
        {Qt::Key_C, Qt::ControlModifier, true, {"down 67"}},
        {Qt::Key_Delete, Qt::ShiftModifier, true, {"down 46"}},
    };
    for (const Case& k : cases) {
        log.clear();
        clear = k.clear;
        w.key(k.key, k.mods);
        EXPECT_EQ(log.join(", ").toStdString(), k.expected.join(", ").toStdString()) << k.key;
        EXPECT_EQ(g.RowCount(), 6) << "no row inserted or deleted";
    }
}

TEST(FxGridKeys, InsertAndDeleteRowsOnlyWhenAllowedAndNotRefused)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    for (int r = 1; r < 6; ++r)
        g.SetCells(1, r, QString::number(r));
    g.SetCol(1);
    g.SetRow(2);
    w.key(Qt::Key_Insert);   // not allowed: nothing
    EXPECT_EQ(g.RowCount(), 6);
    g.Navigation().SetAllowInsertRow(true);
    QList<int> inserted;
    g.Events().OnAutoInsertRow = [&](QObject*, int r) { inserted << r; };
    w.key(Qt::Key_Insert, Qt::ShiftModifier);   // a shift key held: no row
    EXPECT_EQ(g.RowCount(), 6);
    w.key(Qt::Key_Insert);
    EXPECT_EQ(g.RowCount(), 7);
    EXPECT_EQ(g.Cells(1, 2), "");
    EXPECT_EQ(g.Cells(1, 3), "2");
    EXPECT_EQ(g.Row(), 2);
    g.Navigation().SetInsertPosition(pInsertAfter);
    w.key(Qt::Key_Insert);
    EXPECT_EQ(g.RowCount(), 8);
    EXPECT_EQ(inserted, (QList<int>{2, 3}));
    // Inserted below the current row, the new row becomes current.
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.Cells(1, 3), "");
    EXPECT_EQ(g.Cells(1, 4), "2");

    g.Navigation().SetAllowDeleteRow(true);
    bool allow = false;
    g.Events().OnCanDeleteRow = [&](QObject*, int, bool& can) { can = allow; };
    g.SetRow(4);
    w.key(Qt::Key_Delete);   // refused
    EXPECT_EQ(g.RowCount(), 8);
    allow = true;
    w.key(Qt::Key_Delete);
    EXPECT_EQ(g.RowCount(), 7);
    EXPECT_EQ(g.Cells(1, 4), "3");
}

// Insert and Delete on a filtered grid act on the row under the cursor among
// all rows, and the filter is active again afterwards, showing what it showed
// (an inserted empty row fails it and stays hidden).
TEST(FxGridKeys, InsertAndDeleteUnderAFilterActOnTheRealRowAndKeepTheFilter)
{
    struct Case {
        const char* name;
        Qt::Key key;
        TInsertPosition position;
        bool allowDelete;
        QStringList allRows;     // column 1 of the data rows with the filter off
        QStringList shown;       // with the filter on
        QString current;         // the current row's text
        QList<int> events;       // OnCanDeleteRow's real row, then OnAutoInsertRow/OnAutoDeleteRow
    };
    const Case cases[] = {
        {"insert before", Qt::Key_Insert, pInsertBefore, true, {"a1", "b2", "", "a3", "b4", "a5"},
         {"a1", "a3", "a5"}, "a3", {3}},
        {"insert after", Qt::Key_Insert, pInsertAfter, true, {"a1", "b2", "a3", "", "b4", "a5"},
         {"a1", "a3", "a5"}, "a3", {4}},
        {"delete", Qt::Key_Delete, pInsertBefore, true, {"a1", "b2", "b4", "a5"}, {"a1", "a5"}, "a5", {3, 3}},
        {"refused delete", Qt::Key_Delete, pInsertBefore, false, {"a1", "b2", "a3", "b4", "a5"},
         {"a1", "a3", "a5"}, "a3", {3}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Window w;
        TFxStringGrid& g = *w.grid;
        const QStringList start{"a1", "b2", "a3", "b4", "a5"};
        for (int r = 0; r < start.size(); ++r)
            g.SetCells(1, r + 1, start[r]);
        g.Navigation().SetAllowInsertRow(true);
        g.Navigation().SetAllowDeleteRow(true);
        g.Navigation().SetInsertPosition(k.position);
        TFilterData* f = g.Filter().Add();
        f->SetColumn(1);
        f->SetCondition("a*");
        g.SetFilterActive(true);
        g.SetCol(1);
        g.SetRow(2);
        ASSERT_EQ(g.Cells(1, 2), "a3");
        QList<int> events;
        bool filterOffInEvents = true;
        g.Events().OnCanDeleteRow = [&](QObject*, int r, bool& can) {
            events << r;
            filterOffInEvents = filterOffInEvents && !g.FilterActive();
            can = k.allowDelete;
        };
        g.Events().OnAutoInsertRow = [&](QObject*, int r) {
            events << r;
            filterOffInEvents = filterOffInEvents && !g.FilterActive();
        };
        g.Events().OnAutoDeleteRow = [&](QObject*, int r) {
            events << r;
            filterOffInEvents = filterOffInEvents && !g.FilterActive();
        };
        w.key(k.key);
        auto column = [&] {
            QStringList c;
            for (int r = 1; r < g.RowCount(); ++r)
                c << g.Cells(1, r);
            return c;
        };
        EXPECT_EQ(events, k.events);
        EXPECT_TRUE(filterOffInEvents) << "the events see all rows";
        EXPECT_TRUE(g.FilterActive());
        EXPECT_EQ(column(), k.shown);
        EXPECT_EQ(g.Cells(1, g.Row()), k.current);
        g.SetFilterActive(false);
        EXPECT_EQ(column(), k.allRows);
    }
}

TEST(FxGridKeys, DisjunctRowFlagsFollowTheArrowsShiftAndSpace)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions((g.Options() & ~fw::TGridOptions(fw::goEditing)) | fw::goRangeSelect);
    g.MouseActions().SetDisjunctRowSelect(true);
    g.SetCol(1);
    g.SetRow(1);
    auto flagged = [&] {
        QList<int> rows;
        for (int r = 1; r < g.RowCount(); ++r)
            if (g.RowSelect(r))
                rows << r;
        return rows;
    };
    w.key(Qt::Key_Down);
    EXPECT_EQ(flagged(), QList<int>{2});
    w.key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(flagged(), (QList<int>{2, 3}));
    w.key(Qt::Key_Space);
    EXPECT_EQ(flagged(), QList<int>{2});
    w.key(Qt::Key_Down);
    EXPECT_EQ(flagged(), QList<int>{4});
}

// ---------------------------------------------------------------- focus

TEST(FxGridFocus, APressOnACellGivesTheGridTheFocus)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.resize(600, 300);
    auto* other = new QLineEdit(w.form.get());
    other->setGeometry(0, 320, 200, 24);
    other->show();
    other->setFocus();
    w.settle();
    ASSERT_EQ(w.focus(), other);
    w.click(w.at(3, 2));
    EXPECT_EQ(w.focus(), &g);
    EXPECT_EQ(g.Col(), 3);
    EXPECT_EQ(g.Row(), 2);
}

// Tab in the editor of a grid without goTabs but with a validation event:
// the editor keeps Tab, validates, and the grid keeps the focus; a refused
// value stays in the open editor.
TEST(FxGridFocus, TabWithAValidationEventValidatesAndKeepsTheFocusInTheGrid)
{
    for (bool valid : {true, false}) {
        Window w;
        TFxStringGrid& g = *w.grid;
        g.resize(600, 300);
        auto* next = new QLineEdit(w.form.get());
        next->setGeometry(0, 320, 200, 24);
        next->show();
        int calls = 0;
        g.Events().OnCellValidate = [&](QObject*, int, int, QString&, bool& ok) {
            ++calls;
            ok = valid;
        };
        g.SetCol(1);
        g.SetRow(1);
        w.type("ab");
        w.key(Qt::Key_Tab);
        w.settle();
        EXPECT_EQ(calls, 1);
        if (valid) {
            EXPECT_EQ(g.Cells(1, 1), "ab");
            EXPECT_EQ(w.focus(), &g);
            EXPECT_FALSE(g.NormalEdit()->isVisible());
            // Without an open editor Tab leaves the grid.
            w.key(Qt::Key_Tab);
            EXPECT_EQ(w.focus(), next);
        } else {
            EXPECT_EQ(g.Cells(1, 1), "");
            EXPECT_EQ(w.focus(), g.NormalEdit());
            EXPECT_TRUE(g.NormalEdit()->isVisible());
        }
        EXPECT_EQ(g.Col(), 1);
        EXPECT_EQ(g.Row(), 1);
    }
}

} // namespace

namespace {

// Ctrl+F takes the user to the search bar's text field, when the bar shows.
TEST(FxGridKeysSearch, CtrlFFocusesTheSearchBarOnlyWhenItShows)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    w.key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(w.focus(), &g);
    g.SearchFooter().SetVisible(true);
    w.settle();
    w.key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(w.focus(), &g.SearchPanel().EditControl());
}

} // namespace

#include "grid/model/FxSortSettings.h"

namespace {

// ---------------------------------------------------------------- typing to find a row

struct FindCase {
    const char* name;
    bool autoGoto;
    bool incremental;
    const char* typed;
    int row;             // the current row afterwards
    const char* pending; // the search text kept for the next key
};

class FxGridKeysIncrementalSearch : public ::testing::TestWithParam<FindCase> {};

// A read-only grid sorted on column 2: typing jumps to the first row whose
// sorted column begins with the typed text.
TEST_P(FxGridKeysIncrementalSearch, TypingJumpsToTheRowOfTheSortColumn)
{
    const FindCase& k = GetParam();
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions(g.Options() & ~fw::TGridOptions(fw::goEditing));
    const QStringList names{"", "Alpha", "Beta", "Bravo", "Charlie", "Delta"};
    for (int r = 1; r < g.RowCount(); ++r) {
        g.SetCells(1, r, names[(names.size() - r) % names.size()]);   // column 1 holds other texts
        g.SetCells(2, r, names[r]);
    }
    g.SortSettings().SetColumn(2);
    g.SortSettings().SetShow(true);
    g.Navigation().SetAutoGotoWhenSorted(k.autoGoto);
    g.Navigation().SetAutoGotoIncremental(k.incremental);
    g.SetRow(1);
    w.type(QString::fromLatin1(k.typed));
    EXPECT_EQ(g.Row(), k.row);
    EXPECT_EQ(g.SearchIncText(), QString::fromLatin1(k.pending));
    EXPECT_FALSE(g.EditMode());
}

INSTANTIATE_TEST_SUITE_P(
    Table, FxGridKeysIncrementalSearch,
    ::testing::Values(FindCase{"off", false, false, "c", 1, ""},
                      FindCase{"one_letter", true, false, "c", 4, "c"},
                      FindCase{"case_does_not_matter", true, false, "D", 5, "D"},
                      // Without incremental search each key starts over.
                      FindCase{"each_letter_alone", true, false, "br", 2, ""},
                      FindCase{"incremental", true, true, "br", 3, "br"},
                      FindCase{"no_match_clears", true, true, "bx", 2, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FxGridKeysIncrementalSearchTimer, BackspaceShortensAndAMovingKeyForgetsTheText)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions(g.Options() & ~fw::TGridOptions(fw::goEditing));
    g.SetCells(1, 1, "Bravo");
    g.SetCells(1, 2, "Beta");
    g.SetCells(1, 3, "Bright");
    g.Navigation().SetAutoGotoWhenSorted(true);
    g.Navigation().SetAutoGotoIncremental(true);
    w.type("bri");
    EXPECT_EQ(g.Row(), 3);
    w.key(Qt::Key_Backspace);
    w.key(Qt::Key_Backspace);
    EXPECT_EQ(g.SearchIncText(), "b");
    EXPECT_EQ(g.Row(), 1);
    w.key(Qt::Key_Down);
    EXPECT_EQ(g.SearchIncText(), "");
}

// ---------------------------------------------------------------- disjunct cells by keys

TEST(FxGridKeysDisjunctCells, SpacePicksCellsCtrlSpaceTogglesShiftArrowsTakeARange)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions((g.Options() & ~fw::TGridOptions(fw::goEditing)) | fw::goRangeSelect);
    g.MouseActions().SetDisjunctCellSelect(true);
    auto listed = [&] {
        QStringList cells;
        for (int i = 0; i < g.SelectedCellsCount(); ++i)
            cells << QStringLiteral("%1,%2").arg(g.SelectedCell(i).X).arg(g.SelectedCell(i).Y);
        cells.sort();
        return cells;
    };
    g.SetCol(1);
    g.SetRow(1);
    w.key(Qt::Key_Space);
    EXPECT_EQ(listed(), QStringList({"1,1"}));
    // Space elsewhere starts over; Ctrl+Space adds, and again removes.
    w.key(Qt::Key_Right);
    w.key(Qt::Key_Space);
    EXPECT_EQ(listed(), QStringList({"2,1"}));
    w.key(Qt::Key_Down);
    w.key(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(listed(), QStringList({"2,1", "2,2"}));
    w.key(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(listed(), QStringList({"2,1"}));
    // Shift with the arrows: the range but its current cell.
    w.key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(listed(), QStringList({"2,1", "2,2"}));
    w.key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(listed(), QStringList({"2,1", "2,2", "2,3", "3,2"}));
    // A fixed cell is never picked, and OnSelectCell may refuse one.
    g.OnSelectCell = [](QObject*, int c, int, bool& can) { can = c != 4; };
    g.SetSelection({4, 4, 4, 4});
    w.key(Qt::Key_Space);
    EXPECT_EQ(listed(), QStringList({"2,1", "2,2", "2,3", "3,2"}));
    // An editing grid leaves the list alone.
    g.SetOptions(g.Options() | fw::goEditing);
    g.SetSelection({1, 1, 1, 1});
    w.key(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(listed(), QStringList({"2,1", "2,2", "2,3", "3,2"}));
}

} // namespace

namespace {

// ---------------------------------------------------------------- Home and End by HomeEndKey

struct HomeEndCase {
    const char* name;
    THomeEndAction mode;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    std::function<void(TFxStringGrid&)> setup;
    int col, row;              // the current cell afterwards
    fw::TGridRect selection;   // the selection afterwards
    int keyDowns;              // OnKeyDown calls: 1 whether the grid or the framework answers
};

class FxGridKeysHomeEnd : public ::testing::TestWithParam<HomeEndCase> {};

TEST_P(FxGridKeysHomeEnd, HomeAndEndGoWhereTheModeSays)
{
    const HomeEndCase& k = GetParam();
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions(g.Options() & ~fw::TGridOptions(fw::goEditing));
    g.Navigation().SetHomeEndKey(k.mode);
    if (k.setup)
        k.setup(g);
    g.SetCol(3);
    g.SetRow(3);
    int downs = 0;
    // The modifier keys go down first; only Home and End count.
    g.OnKeyDown = [&](QObject*, int& key, fw::TShiftState) {
        if (key == fw::VK_HOME || key == fw::VK_END)
            ++downs;
    };
    w.key(k.key, k.mods);
    EXPECT_EQ(g.Col(), k.col);
    EXPECT_EQ(g.Row(), k.row);
    const fw::TGridRect s = g.Selection();
    EXPECT_EQ((QList<int>{s.Left, s.Top, s.Right, s.Bottom}),
              (QList<int>{k.selection.Left, k.selection.Top, k.selection.Right, k.selection.Bottom}));
    EXPECT_EQ(downs, k.keyDowns);
}

const auto shift = Qt::ShiftModifier;

INSTANTIATE_TEST_SUITE_P(
    Table, FxGridKeysHomeEnd,
    ::testing::Values(
        HomeEndCase{"cell_home", heFirstLastCell, Qt::Key_Home, none, nullptr, 1, 1, {1, 1, 1, 1}, 1},
        HomeEndCase{"cell_end", heFirstLastCell, Qt::Key_End, none, nullptr, 4, 5, {4, 5, 4, 5}, 1},
        // With Ctrl the key is the framework's: to the first cell as well, one OnKeyDown.
        HomeEndCase{"cell_ctrl_home_passed_on", heFirstLastCell, Qt::Key_Home, ctrl, nullptr, 1, 1, {1, 1, 1, 1},
                    1},
        HomeEndCase{"row_home", heFirstLastRow, Qt::Key_Home, none, nullptr, 3, 1, {3, 1, 3, 1}, 1},
        HomeEndCase{"row_end", heFirstLastRow, Qt::Key_End, none, nullptr, 3, 5, {3, 5, 3, 5}, 1},
        // Whole rows from the entry row; the current cell goes to the first row.
        HomeEndCase{"row_shift_home_selects_whole_rows", heFirstLastRow, Qt::Key_Home, shift, nullptr, 4, 1,
                    {0, 1, 4, 3}, 1},
        HomeEndCase{"row_shift_end_selects_whole_rows", heFirstLastRow, Qt::Key_End, shift, nullptr, 4, 5,
                    {0, 3, 4, 5}, 1},
        HomeEndCase{"row_end_before_the_footer_rows", heFirstLastRow, Qt::Key_End, none,
                    [](TFxStringGrid& g) { g.SetFixedFooters(1); }, 3, 4, {3, 4, 3, 4}, 1},
        HomeEndCase{"column_home", heFirstLastColumn, Qt::Key_Home, none, nullptr, 1, 3, {1, 3, 1, 3}, 1},
        HomeEndCase{"column_end", heFirstLastColumn, Qt::Key_End, none, nullptr, 4, 3, {4, 3, 4, 3}, 1},
        HomeEndCase{"column_shift_home_selects_to_the_first", heFirstLastColumn, Qt::Key_Home, shift, nullptr, 3,
                    3, {1, 3, 3, 3}, 1},
        HomeEndCase{"column_shift_end_selects_to_the_last", heFirstLastColumn, Qt::Key_End, shift, nullptr, 4, 3,
                    {3, 3, 4, 3}, 1},
        HomeEndCase{"column_ctrl_home_first_row", heFirstLastColumn, Qt::Key_Home, ctrl, nullptr, 1, 1,
                    {1, 1, 1, 1}, 1},
        // The first tab stop of the row: a read-only first column is passed over
        // in an editing grid.
        HomeEndCase{"column_home_first_selectable", heFirstLastColumn, Qt::Key_Home, none,
                    [](TFxStringGrid& g) {
                        g.SetOptions(g.Options() | fw::goEditing);
                        g.Events().OnCanEditCell = [](QObject*, int, int c, bool& can) { can = c != 1; };
                    },
                    2, 3, {2, 3, 2, 3}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

#include "grid/paint/FxControlLook.h"

namespace {

// ---------------------------------------------------------------- Space, Down at the end, Ctrl+A

// Space toggles a check box where the cell may be edited, or always with
// CheckAlwaysActive.
TEST(FxGridKeysCheckBox, SpaceTogglesOnlyAnEditableCellUnlessAlwaysActive)
{
    const struct {
        bool editing, alwaysActive, toggles;
    } rows[] = {{true, false, true}, {false, false, false}, {false, true, true}};
    for (const auto& k : rows) {
        Window w;
        TFxStringGrid& g = *w.grid;
        if (!k.editing)
            g.SetOptions(g.Options() & ~fw::TGridOptions(fw::goEditing));
        g.ControlLook().SetCheckAlwaysActive(k.alwaysActive);
        g.AddCheckBox(2, 1, false, true);
        g.SetCells(2, 1, "N");
        int clicks = 0;
        g.Events().OnCheckBoxClick = [&](QObject*, int, int, bool) { ++clicks; };
        g.SetCol(2);
        g.SetRow(1);
        w.key(Qt::Key_Space);
        EXPECT_EQ(g.Cells(2, 1), k.toggles ? "Y" : "N") << k.editing << k.alwaysActive;
        EXPECT_EQ(clicks, k.toggles ? 1 : 0) << k.editing << k.alwaysActive;
    }
}

// Down on the last row appends an empty row with AppendOnArrowDown, unless
// OnCanAddRow refuses; the appended row becomes current.
TEST(FxGridKeysAppend, DownOnTheLastRowAppendsARowWhenAllowed)
{
    for (bool allow : {true, false}) {
        Window w;
        TFxStringGrid& g = *w.grid;
        g.Navigation().SetAppendOnArrowDown(true);
        g.SetCells(2, 5, "last");
        QList<int> added;
        g.Events().OnCanAddRow = [&](QObject*, bool& can) { can = allow; };
        g.Events().OnAutoAddRow = [&](QObject*, int row) { added << row; };
        g.SetCol(2);
        g.SetRow(5);
        w.key(Qt::Key_Down);
        EXPECT_EQ(g.RowCount(), allow ? 7 : 6) << allow;
        EXPECT_EQ(g.Row(), allow ? 6 : 5) << allow;
        EXPECT_EQ(added, allow ? QList<int>{6} : QList<int>{}) << allow;
        if (allow) {
            EXPECT_EQ(g.Cells(2, 6), "");
            EXPECT_EQ(g.Cells(2, 5), "last");
        }
    }
}

// Ctrl+A selects every data cell of a grid that selects ranges or rows.
TEST(FxGridKeysSelectAll, CtrlASelectsTheDataCellsOnlyWithRangeOrRowSelection)
{
    for (bool range : {true, false}) {
        Window w;
        TFxStringGrid& g = *w.grid;
        g.SetOptions(g.Options() & ~fw::TGridOptions(fw::goEditing | fw::goRangeSelect | fw::goRowSelect));
        if (range)
            g.SetOptions(g.Options() | fw::goRangeSelect);
        g.SetCol(2);
        g.SetRow(2);
        w.key(Qt::Key_A, Qt::ControlModifier);
        const fw::TGridRect s = g.Selection();
        const QList<int> expected = range ? QList<int>{1, 1, 4, 5} : QList<int>{2, 2, 2, 2};
        EXPECT_EQ((QList<int>{s.Left, s.Top, s.Right, s.Bottom}), expected) << range;
    }
}

} // namespace

#include "framework/Forms.h"

namespace {

// The window around the grid: records the keys that reach it after the
// grid has passed them on.
class RecordingForm : public fw::TForm {
public:
    QStringList* log = nullptr;

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        *log << QStringLiteral("window %1").arg(e->key() == Qt::Key_Return ? "Enter" : "other");
        fw::TForm::keyPressEvent(e);
    }
};

// Enter on a cell that takes no edit: a window that previews keys gets it
// passed on from a grid that does not edit; otherwise the grid ends it with
// OnKeyDown, and nothing moves.
TEST(FxGridKeys, EnterOnANonEditableCellIsPassedOnOnlyToAPreviewingWindowOfAGridThatDoesNotEdit)
{
    struct Case {
        const char* name;
        bool keyPreview;
        QStringList expected;
    };
    const Case cases[] = {
        {"previewing window", true, {"key down 13", "window Enter"}},
        {"plain window", false, {"key down 13"}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        QStringList log;
        RecordingForm form;
        form.log = &log;
        form.resize(600, 400);
        form.SetKeyPreview(k.keyPreview);
        auto* g = new TFxStringGrid(&form);
        g->setGeometry(0, 0, 600, 400);
        g->SetColCount(5);
        g->SetRowCount(6);
        g->SetOptions(g->Options() & ~fw::TGridOptions(fw::goEditing));
        g->Events().OnCanEditCell = [](QObject*, int, int, bool& can) { can = false; };
        g->SetCol(2);
        g->SetRow(2);
        form.show();
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        g->setFocus(Qt::OtherFocusReason);
        g->OnKeyDown = [&](QObject*, int& key, fw::TShiftState) { log << QStringLiteral("key down %1").arg(key); };
        QTest::keyClick(g, Qt::Key_Return);
        QCoreApplication::processEvents();
        EXPECT_EQ(log, k.expected);
        EXPECT_EQ(g->Col(), 2);
        EXPECT_EQ(g->Row(), 2);
        EXPECT_FALSE(g->EditMode());
    }
}

} // namespace
