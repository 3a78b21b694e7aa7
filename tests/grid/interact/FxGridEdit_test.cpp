// The editing cycle driven with the keys a user presses: the road of one
// edit, validation, Escape, the combo and check box editors, Enter walks.
#include "GridUi.h"

#include "framework/SysUtils.h"
#include "grid/foundation/FxOptions.h"
#include "grid/interact/FxGridEditors.h"
#include "grid/interact/FxInplaceEdit.h"

#include <gtest/gtest.h>

using gridui::Recorder;
using gridui::Window;

namespace {

TEST(FxGridEdit, TypingAValueAndEnterWritesTheCellWithTheEventsInOrder)
{
    Window w(true);
    TFxStringGrid& g = *w.grid;
    Recorder rec(g);
    g.SetCells(1, 1, "5");
    g.SetCol(1);
    g.SetRow(1);
    w.type("127");
    ASSERT_NE(g.NormalEdit(), nullptr);
    EXPECT_TRUE(g.NormalEdit()->isVisible());
    EXPECT_EQ(g.NormalEdit()->Text(), "127");
    QTest::keyClick(w.focus(), Qt::Key_Return);
    // The edit-done message is posted: it arrives after the key is handled.
    EXPECT_FALSE(rec.log.contains("EditCellDone 1,1"));
    w.settle();
    EXPECT_EQ(g.Cells(1, 1), "127");
    EXPECT_FALSE(g.NormalEdit()->isVisible());
    EXPECT_FALSE(g.EditMode());
    EXPECT_EQ(w.focus(), &g);
    const QStringList expected{"SetEditText 1,1 1",   "SetEditText 1,1 12", "SetEditText 1,1 127",
                               "CellValidate 1,1 127", "SetEditText 1,1 127", "EditingDone",
                               "EditCellDone 1,1"};
    EXPECT_EQ(rec.log, expected);
}

} // namespace

namespace {

TEST(FxGridEdit, EscapePutsBackTheTextTheCellHadWhenTheEditBegan)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetCells(2, 2, "old");
    g.SetCol(2);
    g.SetRow(2);
    w.type("new");
    EXPECT_EQ(g.Cells(2, 2), "new");   // typed text reaches the cell at once
    w.key(Qt::Key_Escape);
    EXPECT_EQ(g.Cells(2, 2), "old");
    EXPECT_FALSE(g.NormalEdit()->isVisible());
}

// What a validation handler does with the value decides what the cell and
// the editor hold afterwards.
struct ValidationCase {
    const char* name;
    bool valid;
    const char* replacement;   // null: the handler leaves the value alone
    const char* cellAfter;
    bool editorOpen;
};

class FxGridValidation : public ::testing::TestWithParam<ValidationCase> {};

TEST_P(FxGridValidation, EnterRunsTheHandlerOnceOnAChangedValue)
{
    const ValidationCase& k = GetParam();
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetCells(1, 1, "10");
    g.SetCol(1);
    g.SetRow(1);
    int calls = 0;
    g.Events().OnCellValidate = [&](QObject*, int c, int r, QString& v, bool& valid) {
        ++calls;
        EXPECT_EQ(c, 1);
        EXPECT_EQ(r, 1);
        EXPECT_EQ(v, "99");
        valid = k.valid;
        if (k.replacement)
            v = k.replacement;
    };
    w.type("99");
    w.key(Qt::Key_Return);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(g.Cells(1, 1), k.cellAfter);
    EXPECT_EQ(g.NormalEdit()->isVisible(), k.editorOpen);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.LastValidation(), k.valid);
}

INSTANTIATE_TEST_SUITE_P(Cases, FxGridValidation,
                         ::testing::Values(ValidationCase{"accepted", true, nullptr, "99", false},
                                           ValidationCase{"accepted_corrected", true, "099", "099", false},
                                           ValidationCase{"refused", false, nullptr, "10", true},
                                           ValidationCase{"refused_replaced", false, "42", "42", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FxGridEdit, AnUnchangedValueIsNotValidatedUnlessAlwaysValidate)
{
    for (bool always : {false, true}) {
        Window w;
        TFxStringGrid& g = *w.grid;
        g.SetAlwaysValidate(always);
        g.SetCells(1, 1, "7");
        g.SetCol(1);
        g.SetRow(1);
        int calls = 0;
        g.Events().OnCellValidate = [&](QObject*, int, int, QString&, bool&) { ++calls; };
        w.key(Qt::Key_F2);
        ASSERT_TRUE(g.NormalEdit() && g.NormalEdit()->isVisible());
        w.key(Qt::Key_Return);
        EXPECT_EQ(calls, always ? 1 : 0) << "AlwaysValidate " << always;
        EXPECT_EQ(g.Cells(1, 1), "7");
    }
}

// Which keys open the text editor, and with what text.
struct OpenCase {
    const char* name;
    Qt::Key key;
    bool opens;
    const char* editorText;
};

class FxGridOpenEditor : public ::testing::TestWithParam<OpenCase> {};

TEST_P(FxGridOpenEditor, KeysOnAnEditableCell)
{
    const OpenCase& k = GetParam();
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetCells(3, 2, "ab");
    g.SetCol(3);
    g.SetRow(2);
    w.key(k.key);
    const bool open = g.NormalEdit() && g.NormalEdit()->isVisible();
    EXPECT_EQ(open, k.opens);
    if (open) {
        EXPECT_EQ(g.NormalEdit()->Text(), k.editorText);
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, FxGridOpenEditor,
                         ::testing::Values(OpenCase{"F2", Qt::Key_F2, true, "ab"},
                                           OpenCase{"Enter", Qt::Key_Return, true, "ab"},
                                           OpenCase{"letter", Qt::Key_X, true, "x"},
                                           OpenCase{"space", Qt::Key_Space, true, " "},
                                           OpenCase{"backspace", Qt::Key_Backspace, true, ""},
                                           OpenCase{"arrow", Qt::Key_Down, false, ""},
                                           OpenCase{"escape", Qt::Key_Escape, false, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FxGridEdit, ACellThatMayNotBeEditedOpensNothingAndEnterReachesOnKeyDown)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.Events().OnCanEditCell = [](QObject*, int ARow, int ACol, bool& can) {
        // The event takes the row before the column.
        if (ARow == 2 && ACol == 3)
            can = false;
    };
    int downs = 0, presses = 0;
    g.OnKeyDown = [&](QObject*, int& key, fw::TShiftState) {
        if (key == fw::VK_RETURN)
            ++downs;
    };
    g.OnKeyPress = [&](QObject*, QChar&) { ++presses; };
    g.SetCol(3);
    g.SetRow(2);
    w.key(Qt::Key_Return);
    w.type("q");
    EXPECT_FALSE(g.NormalEdit() && g.NormalEdit()->isVisible());
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(g.Cells(3, 2), "");
    EXPECT_EQ(g.Row(), 2);
}

TEST(FxGridEdit, TheEditorCoversTheCellLessOnePixelAndAMergedBlockWhole)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.MergeCells(1, 1, 2, 2);
    g.SetCells(1, 1, "m");
    g.SetCol(2);   // inside the block: the block's base cell becomes current
    g.SetRow(2);
    g.SetCol(1);
    g.SetRow(1);
    w.key(Qt::Key_F2);
    ASSERT_TRUE(g.NormalEdit() && g.NormalEdit()->isVisible());
    const fw::TRect r = g.CellRect(1, 1);
    const QRect e = g.NormalEdit()->geometry();
    EXPECT_EQ(e, QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
    EXPECT_GT(r.Width(), g.ColWidths(1));
    EXPECT_EQ(g.NormalEdit()->Text(), "m");
}

// A data check box changes by Space and never opens an editor.
TEST(FxGridEdit, SpaceTogglesADataCheckBoxWithoutAnEditor)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.AddCheckBox(2, 1, false, true);
    g.SetCells(2, 1, "N");
    QList<std::tuple<int, int, bool>> clicks;
    g.Events().OnCheckBoxClick = [&](QObject*, int c, int r, bool s) { clicks.append({c, r, s}); };
    g.SetCol(2);
    g.SetRow(1);
    w.key(Qt::Key_Space);
    EXPECT_EQ(g.Cells(2, 1), "Y");
    w.key(Qt::Key_Space);
    EXPECT_EQ(g.Cells(2, 1), "N");
    w.key(Qt::Key_F2);
    EXPECT_FALSE(g.NormalEdit() && g.NormalEdit()->isVisible());
    EXPECT_FALSE(g.EditMode());
    ASSERT_EQ(clicks.size(), 2);
    EXPECT_EQ(clicks[0], std::make_tuple(2, 1, true));
    EXPECT_EQ(clicks[1], std::make_tuple(2, 1, false));
}

} // namespace

namespace {

// A column grid whose column 2 edits through a drop-down list.
struct ComboWindow : Window {
    ComboWindow(TEditorType kind) : Window(true)
    {
        auto& cg = static_cast<TFxColumnGrid&>(*grid);
        cg.Columns()[2]->SetEditor(kind);
        grid->Events().OnGetEditorType = [](QObject* s, int c, int, TEditorType&) {
            if (c == 2) {
                auto* g = static_cast<TFxStringGrid*>(s);
                g->ClearComboString();
                g->AddComboString("Off");
                g->AddComboString("On");
                g->AddComboString("Auto");
            }
        };
        grid->SetCol(2);
        grid->SetRow(1);
    }
    TGridCombo& combo() { return grid->Combobox(); }
};

TEST(FxGridCombo, AListComboOnAForeignTextOpensOnTheFirstItemButKeepsTheTextUnlessChosen)
{
    for (bool choose : {false, true}) {
        ComboWindow w(edComboList);
        TFxStringGrid& g = *w.grid;
        g.SetCells(2, 1, "legacy");
        QList<int> changes;
        g.Events().OnComboChange = [&](QObject*, int c, int r, int idx, const QString&) {
            EXPECT_EQ(c, 2);
            EXPECT_EQ(r, 1);
            changes << idx;
        };
        w.key(Qt::Key_F2);
        ASSERT_TRUE(w.combo().isVisible());
        EXPECT_EQ(w.combo().ItemIndex(), 0);
        EXPECT_EQ(changes, QList<int>{0});
        if (choose)
            w.key(Qt::Key_Down);   // ComboGetUpDown: the list's selection moves
        w.key(Qt::Key_Return);
        EXPECT_FALSE(w.combo().isVisible());
        EXPECT_EQ(g.Cells(2, 1), choose ? "On" : "legacy") << "choose " << choose;
        EXPECT_EQ(w.focus(), &g);
    }
}

TEST(FxGridCombo, UpAndDownMoveTheGridUnlessTheComboTakesThem)
{
    for (bool comboTakes : {true, false}) {
        ComboWindow w(edComboList);
        TFxStringGrid& g = *w.grid;
        g.Navigation().SetComboGetUpDown(comboTakes);
        g.SetCells(2, 1, "Off");
        w.key(Qt::Key_F2);
        ASSERT_TRUE(w.combo().isVisible());
        w.key(Qt::Key_Down);
        if (comboTakes) {
            EXPECT_EQ(g.Row(), 1);
            EXPECT_EQ(w.combo().Text(), "On");
        } else {
            EXPECT_EQ(g.Row(), 2);
            EXPECT_FALSE(w.combo().isVisible());
            EXPECT_EQ(g.Cells(2, 1), "Off");
        }
    }
}

TEST(FxGridCombo, EscapeRestoresTheItemOfTheCellAndReturnsTheFocus)
{
    ComboWindow w(edComboList);
    TFxStringGrid& g = *w.grid;
    g.SetCells(2, 1, "Auto");
    w.key(Qt::Key_F2);
    w.key(Qt::Key_Up);
    EXPECT_EQ(w.combo().Text(), "On");
    w.key(Qt::Key_Escape);
    EXPECT_EQ(w.combo().Text(), "Auto");
    EXPECT_EQ(g.Cells(2, 1), "Auto");
    EXPECT_EQ(w.focus(), &g);
}

// A special editor ended by leaving the cell: write-back, editing done,
// validation, and the posted edit-done last.
TEST(FxGridCombo, LeavingTheCellEndsTheEditInTheEventOrder)
{
    ComboWindow w(edComboEdit);
    TFxStringGrid& g = *w.grid;
    Recorder rec(g);
    g.SetCells(2, 1, "Off");
    w.key(Qt::Key_F2);
    ASSERT_TRUE(w.combo().isVisible());
    w.combo().setEditText("Auto");
    w.click(w.at(3, 3));
    EXPECT_EQ(g.Cells(2, 1), "Auto");
    EXPECT_EQ(g.Col(), 3);
    EXPECT_EQ(g.Row(), 3);
    const QStringList expected{"SetEditText 2,1 Auto", "EditingDone", "CellValidate 2,1 Auto", "EditCellDone 2,1"};
    EXPECT_EQ(rec.log, expected);
}

TEST(FxGridCombo, ARefusedValueKeepsTheComboOpenOnTheSameCell)
{
    ComboWindow w(edComboEdit);
    TFxStringGrid& g = *w.grid;
    g.SetCells(2, 1, "Off");
    g.Events().OnCellValidate = [](QObject*, int, int, QString& v, bool& valid) { valid = v != "bad"; };
    w.key(Qt::Key_F2);
    w.combo().setEditText("bad");
    w.key(Qt::Key_Return);
    EXPECT_EQ(g.Cells(2, 1), "Off");
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.Col(), 2);
}

} // namespace

namespace {

TEST(FxGridCombo, AColumnsChoicesFillTheListUnlessTheEditorTypeHandlerReplacesThem)
{
    for (bool handler : {false, true}) {
        Window w(true);
        auto& g = static_cast<TFxColumnGrid&>(*w.grid);
        g.Columns()[1]->SetEditor(edComboList);
        g.Columns()[1]->ComboItems().Add("A");
        g.Columns()[1]->ComboItems().Add("B");
        if (handler)
            g.Events().OnGetEditorType = [&](QObject*, int, int, TEditorType&) {
                g.ClearComboString();
                g.AddComboString("X");
            };
        g.SetCells(1, 1, "B");
        g.SetCol(1);
        g.SetRow(1);
        w.key(Qt::Key_F2);
        EXPECT_EQ(g.Combobox().Items(), handler ? QStringList{"X"} : QStringList({"A", "B"}));
        EXPECT_EQ(g.Combobox().Text(), handler ? "X" : "B");
    }
}

} // namespace

namespace {

// What typing leaves in the text editor of each kind.
struct KindCase {
    const char* name;
    TEditorType kind;
    const char* typed;
    const char* result;
};

class FxGridEditorKind : public ::testing::TestWithParam<KindCase> {};

TEST_P(FxGridEditorKind, TypedCharactersPassTheKindsFilter)
{
    const KindCase& k = GetParam();
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetDefaultEditor(k.kind);
    g.SetValidChars("01");
    g.SetCol(1);
    g.SetRow(1);
    w.type(k.typed);
    ASSERT_TRUE(g.NormalEdit());
    EXPECT_EQ(g.NormalEdit()->Text(), k.result);
}

INSTANTIATE_TEST_SUITE_P(Table, FxGridEditorKind,
                         ::testing::Values(KindCase{"numeric_letters_refused", edNumeric, "-12a", "-12"},
                                           KindCase{"numeric_minus_only_first", edNumeric, "1-2", "12"},
                                           KindCase{"positive_numeric_no_minus", edPositiveNumeric, "-5", "5"},
                                           KindCase{"float_one_separator", edFloat, "1.2.3", "1.23"},
                                           KindCase{"positive_float_no_minus", edPositiveFloat, "-1.5", "1.5"},
                                           KindCase{"upper_case", edUpperCase, "abC", "ABC"},
                                           KindCase{"lower_case", edLowerCase, "AbC", "abc"},
                                           KindCase{"mixed_case", edMixedCase, "john smith", "John Smith"},
                                           KindCase{"valid_chars", edValidChars, "0121", "011"},
                                           KindCase{"normal_takes_all", edNormal, "a-1.B", "a-1.B"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FxGridEdit, TheEditLengthLimitHoldsBackFurtherTyping)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetMaxEditLength(3);
    g.SetCol(1);
    g.SetRow(1);
    w.type("abcdef");
    EXPECT_EQ(g.NormalEdit()->Text(), "abc");
    w.key(Qt::Key_Return);
    EXPECT_EQ(g.Cells(1, 1), "abc");
}

TEST(FxGridEdit, TheCheckBoxEditorShowsUncheckedWithTheCellTextAndSpaceToggles)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetDefaultEditor(edCheckBox);
    g.SetCells(2, 2, "Yes please");
    g.SetCol(2);
    g.SetRow(2);
    w.key(Qt::Key_F2);
    TGridCheckBox& ck = g.CheckEditor();
    ASSERT_TRUE(ck.isVisible());
    EXPECT_EQ(ck.text(), "Yes please");
    EXPECT_FALSE(ck.isChecked());
    w.key(Qt::Key_Space);
    EXPECT_TRUE(ck.isChecked());
    w.key(Qt::Key_Down);   // ends the edit and the grid moves
    EXPECT_FALSE(ck.isVisible());
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.Cells(2, 2), "Yes please");
}

TEST(FxGridEdit, AnEditorTypeOfNoneRefusesTheEditSilently)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.Events().OnGetEditorType = [](QObject*, int c, int, TEditorType& e) {
        if (c == 2)
            e = edNone;
    };
    int events = 0;
    g.Events().OnEditingDone = [&](QObject*) { ++events; };
    g.SetCol(2);
    g.SetRow(1);
    w.key(Qt::Key_F2);
    w.type("z");
    EXPECT_FALSE(g.NormalEdit() && g.NormalEdit()->isVisible());
    EXPECT_FALSE(g.EditMode());
    EXPECT_EQ(g.Cells(2, 1), "");
    EXPECT_EQ(events, 0);
}

} // namespace

#include "framework/Dialogs.h"

namespace {

TEST(FxGridEdit, AnErrorOfAnEventHandlerReachesTheErrorHandlerNotQt)
{
    fw::DialogRecorder boxes;
    fw::DialogSeam::Guard guard(boxes);
    Window w;
    TFxStringGrid& g = *w.grid;
    g.Events().OnCellValidate = [](QObject*, int, int, QString&, bool&) {
        throw EFxGridError(QStringLiteral("handler failed"));
    };
    g.SetCol(1);
    g.SetRow(1);
    w.type("1");
    w.key(Qt::Key_Return);
    ASSERT_FALSE(boxes.Calls().empty());
    EXPECT_TRUE(boxes.Calls().front().text.contains("handler failed"));
    // The grid still works afterwards.
    g.Events().OnCellValidate = nullptr;
    w.key(Qt::Key_Escape);
    w.key(Qt::Key_Down);
    EXPECT_EQ(g.Row(), 2);
    w.type("8");
    w.key(Qt::Key_Return);
    EXPECT_EQ(g.Cells(1, 2), "8");
}

} // namespace

namespace {

TEST(FxGridCombo, OpeningTheListDoesNotEndTheEdit)
{
    ComboWindow w(edComboList);
    TFxStringGrid& g = *w.grid;
    g.SetCells(2, 1, "Off");
    w.key(Qt::Key_F2);
    ASSERT_TRUE(w.combo().isVisible());
    w.combo().showPopup();
    w.settle();
    EXPECT_TRUE(w.combo().isVisible());
    EXPECT_TRUE(g.EditMode());
    w.combo().hidePopup();
    w.settle();
    EXPECT_TRUE(w.combo().isVisible());
    w.key(Qt::Key_Return);
    EXPECT_EQ(g.Cells(2, 1), "Off");
    EXPECT_FALSE(g.EditMode());
}

} // namespace

namespace {

// ExcelStyleDecimalSeparator: the keypad's decimal key types the locale's
// separator, both when it starts the edit and inside the editor; the main
// keyboard's "." stays a full stop.
struct DecimalCase {
    const char* name;
    bool excelStyle;
    Qt::KeyboardModifiers mods;   // of the "." key
    const char* expected;
};

class FxGridDecimal : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(FxGridDecimal, KeypadDecimalKeyTypesTheLocaleSeparator)
{
    const DecimalCase& k = GetParam();
    fw::TFormatSettings& fs = fw::FormatSettings();
    const QChar saved = fs.DecimalSeparator;
    fs.DecimalSeparator = QLatin1Char(',');
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetExcelStyleDecimalSeparator(k.excelStyle);
    g.SetCol(1);
    g.SetRow(1);
    // The first key opens the editor, the rest reach it.
    QTest::keyClick(w.focus(), Qt::Key_Period, k.mods);
    w.settle();
    w.type("5");
    QTest::keyClick(w.focus(), Qt::Key_Period, k.mods);
    w.settle();
    w.type("2");
    w.key(Qt::Key_Return);
    fs.DecimalSeparator = saved;
    EXPECT_EQ(g.Cells(1, 1), k.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FxGridDecimal,
    ::testing::Values(DecimalCase{"keypadExcelStyle", true, Qt::KeypadModifier, ",5,2"},
                      DecimalCase{"keypadPlain", false, Qt::KeypadModifier, ".5.2"},
                      DecimalCase{"mainKeyExcelStyle", true, Qt::NoModifier, ".5.2"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
