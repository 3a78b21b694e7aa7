// The edit-button, unit and button editors of a grid cell driven through
// the editing cycle with the keys and clicks a user makes: the editor opens
// over the cell with its text, typing changes it, Enter writes it back,
// Escape gives the old text back, and the button asks OnEllipsClick.
#include "GridUi.h"

#include "grid/foundation/FxOptions.h"
#include "grid/interact/FxGridBtnEditors.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <QTimer>

using gridui::Window;
using namespace fw;

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

void useKind(TFxStringGrid& g, TEditorType kind)
{
    g.Events().OnGetEditorType = [kind](QObject*, int, int, TEditorType& e) { e = kind; };
}

// Chooses a unit menu's item (1-based) as soon as the menu shows.
void chooseMenuItemSoon(int item)
{
    QTimer::singleShot(0, [item] {
        auto* m = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(m, nullptr) << "the unit menu shows";
        m->setActiveAction(m->actions().at(item - 1));
        QTest::keyClick(m, Qt::Key_Return);
    });
}

} // namespace

TEST(EditBtnEditor, EditingCycleWritesOnEnterAndRestoresOnEscape)
{
    struct Case {
        const char* name;
        TEditorType kind;
        const char* typed;      // typed after End
        Qt::Key end;            // the key that ends the edit
        const char* after;      // the cell afterwards
    } cases[] = {
        {"edit button, Enter", edEditBtn, "de", Qt::Key_Return, "abcde"},
        {"edit button, Escape", edEditBtn, "de", Qt::Key_Escape, "abc"},
        {"mask button, Down", edMaskEditBtn, "x", Qt::Key_Down, "abcx"},
        {"numeric button drops letters", edNumericEditBtn, "x9", Qt::Key_Return, "abc9"},
        {"float button keeps one separator", edFloatEditBtn, "1.5.", Qt::Key_Return, "abc1.5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Window w;
        TFxStringGrid& g = *w.grid;
        useKind(g, c.kind);
        g.SetCells(1, 1, "abc");
        g.SetCol(1);
        g.SetRow(1);
        gridui::Recorder rec(g);
        w.key(Qt::Key_F2);
        auto* ed = qobject_cast<TGridEditBtn*>(w.focus());
        ASSERT_NE(ed, nullptr) << "the edit-button editor has the focus";
        EXPECT_EQ(ed, &g.BtnEdit());
        EXPECT_EQ(ed->text(), "abc");
        EXPECT_EQ(ed->geometry().topLeft(), QPoint(g.CellRect(1, 1).Left, g.CellRect(1, 1).Top));
        EXPECT_EQ(g.EditCtrl(), ed);
        w.key(Qt::Key_End);
        w.type(c.typed);
        EXPECT_EQ(g.Cells(1, 1), "abc") << "nothing reaches the cell while typing";
        w.key(c.end);
        EXPECT_FALSE(ed->isVisible());
        EXPECT_FALSE(g.EditMode());
        EXPECT_EQ(g.Cells(1, 1), c.after);
        if (QString(c.after) != "abc")
            EXPECT_TRUE(rec.log.contains(QStringLiteral("EditCellDone 1,1"))) << rec.log.join(" | ").toStdString();
    }
}

TEST(EditBtnEditor, TypedCharacterOpensTheEditorWithIt)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    useKind(g, edEditBtn);
    g.SetCells(2, 2, "old");
    g.SetCol(2);
    g.SetRow(2);
    w.type("7");
    ASSERT_TRUE(g.BtnEdit().isVisible());
    EXPECT_EQ(g.BtnEdit().text(), "7");
    w.key(Qt::Key_Return);
    EXPECT_EQ(g.Cells(2, 2), "7");
}

TEST(EditBtnEditor, ButtonAndF4AskForTheText)
{
    for (bool stop : {false, true}) {
        SCOPED_TRACE(stop ? "StopEditAfterClick" : "editor stays");
        Window w;
        TFxStringGrid& g = *w.grid;
        useKind(g, edEditBtn);
        g.SetCells(1, 1, "abc");
        g.SetCol(1);
        g.SetRow(1);
        QStringList asked;
        g.Events().OnEllipsClick = [&](QObject*, int c, int r, QString& v) {
            asked << QStringLiteral("%1,%2 %3").arg(c).arg(r).arg(v);
            v = "picked";
        };
        g.BtnEdit().SetStopEditAfterClick(stop);
        w.key(Qt::Key_F2);
        w.key(Qt::Key_F4);
        EXPECT_EQ(asked, QStringList{"1,1 abc"});
        if (stop) {
            EXPECT_FALSE(g.BtnEdit().isVisible());
            EXPECT_EQ(g.Cells(1, 1), "picked");
            continue;
        }
        ASSERT_TRUE(g.BtnEdit().isVisible());
        EXPECT_EQ(g.BtnEdit().text(), "picked");
        EXPECT_EQ(g.BtnEdit().selectedText(), "picked");
        // Ctrl+F4 is no button key.
        w.key(Qt::Key_F4, Qt::ControlModifier);
        EXPECT_EQ(asked.size(), 1);
        // The button itself: a click on it.
        QWidget* button = g.BtnEdit().Button()->Button();
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        Window::settle();
        EXPECT_EQ(asked.size(), 2);
        w.key(Qt::Key_Return);
        EXPECT_EQ(g.Cells(1, 1), "picked");
    }
}

TEST(EditBtnEditor, RefusedValueKeepsTheEditorOpen)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    useKind(g, edEditBtn);
    g.SetCells(1, 1, "abc");
    g.SetCol(1);
    g.SetRow(1);
    g.Events().OnCellValidate = [](QObject*, int, int, QString& v, bool& ok) {
        ok = v.size() <= 3;
        if (!ok)
            v = "bad";
    };
    w.key(Qt::Key_F2);
    w.key(Qt::Key_End);
    w.type("d");
    w.key(Qt::Key_Return);
    ASSERT_TRUE(g.BtnEdit().isVisible()) << "a refused value stays in the editor";
    EXPECT_EQ(g.BtnEdit().text(), "bad");
    EXPECT_EQ(g.BtnEdit().selectedText(), "bad");
    EXPECT_EQ(g.Row(), 1);
}

TEST(UnitEditor, ValueAndUnitSplitEditedAndJoined)
{
    struct Case {
        const char* name;
        TEditorType kind;
        const char* cell;
        const char* text;       // the value part once open
        const char* unit;       // the unit part once open
        const char* typed;      // typed after End
        Qt::Key end;
        const char* after;
    } cases[] = {
        {"value with unit", edUnitEditBtn, "12cm", "12", "cm", "5", Qt::Key_Return, "125cm"},
        {"Escape keeps the cell", edUnitEditBtn, "12cm", "12", "cm", "5", Qt::Key_Escape, "12cm"},
        {"value without a known unit stays whole", edUnitEditBtn, "12", "12", "", "3", Qt::Key_Return, "123"},
        {"numeric unit editor drops letters", edNumericUnitEditBtn, "4mm", "4", "mm", "k2", Qt::Key_Return, "42mm"},
        {"float unit editor keeps one separator", edFloatUnitEditBtn, "4mm", "4", "mm", ".5.", Qt::Key_Return,
         "4.5mm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Window w;
        TFxStringGrid& g = *w.grid;
        useKind(g, c.kind);
        g.Events().OnGetEditorProp = [](QObject*, int, int, QObject* link) {
            if (auto* u = qobject_cast<TGridUnitEditBtn*>(link))
                u->SetUnits(QStringList{"mm", "cm"});
        };
        g.SetCells(1, 1, c.cell);
        g.SetCol(1);
        g.SetRow(1);
        w.key(Qt::Key_F2);
        auto* ed = qobject_cast<TGridUnitEditBtn*>(w.focus());
        ASSERT_NE(ed, nullptr);
        EXPECT_EQ(ed->text(), c.text);
        EXPECT_EQ(ed->UnitID(), c.unit);
        w.key(Qt::Key_End);
        w.type(c.typed);
        w.key(c.end);
        EXPECT_FALSE(ed->isVisible());
        EXPECT_EQ(g.Cells(1, 1), c.after);
    }
}

TEST(UnitEditor, UnitMenuChoosesTheUnitTheFirstItemIncluded)
{
    for (int item : {1, 2}) {
        SCOPED_TRACE(item);
        Window w;
        TFxStringGrid& g = *w.grid;
        useKind(g, edUnitEditBtn);
        g.Events().OnGetEditorProp = [](QObject*, int, int, QObject* link) {
            if (auto* u = qobject_cast<TGridUnitEditBtn*>(link))
                u->SetUnits(QStringList{"mm", "cm", "m"});
        };
        QStringList events;
        g.Events().OnEllipsClick = [&](QObject*, int, int, QString& v) { events << "ellips " + v; };
        g.Events().OnUnitChanged = [&](QObject*, int c, int r, const QString& u) {
            events << QStringLiteral("unit %1,%2 %3").arg(c).arg(r).arg(u);
        };
        g.SetCells(1, 1, "7m");
        g.SetCol(1);
        g.SetRow(1);
        w.key(Qt::Key_F2);
        chooseMenuItemSoon(item);
        w.key(Qt::Key_F4);
        const QString unit = item == 1 ? "mm" : "cm";
        EXPECT_EQ(events, (QStringList{"ellips 7", "unit 1,1 " + unit}));
        EXPECT_EQ(g.BtnUnitEdit().UnitID(), unit);
        ASSERT_TRUE(g.BtnUnitEdit().isVisible()) << "the menu does not end the edit";
        // The offscreen platform leaves the window inactive after a popup.
        QApplication::setActiveWindow(w.form.get());
        Window::settle();
        EXPECT_EQ(w.focus(), &g.BtnUnitEdit());
        w.key(Qt::Key_Return);
        EXPECT_EQ(g.Cells(1, 1), "7" + unit);
    }
}

TEST(ButtonEditor, ClickWritesTheEllipsTextArrowsAndEscapeLeave)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    useKind(g, edButton);
    g.SetCells(2, 1, "Go");
    g.SetCol(2);
    g.SetRow(1);
    g.Events().OnEllipsClick = [](QObject*, int, int, QString& v) { v = v + "ne"; };
    w.key(Qt::Key_F2);
    TGridButton& b = g.Btn();
    ASSERT_TRUE(b.isVisible());
    EXPECT_EQ(b.text(), "Go");
    const TRect r = g.CellRect(2, 1);
    EXPECT_EQ(b.geometry(), QRect(r.Left - 1, r.Top - 1, r.Width() + 1, r.Height() + 1));
    QTest::mouseClick(&b, Qt::LeftButton, {}, b.rect().center());
    Window::settle();
    EXPECT_EQ(g.Cells(2, 1), "Gone");
    EXPECT_EQ(b.text(), "Gone");

    // Left goes to the grid and the button goes.
    w.key(Qt::Key_Left);
    EXPECT_FALSE(b.isVisible());
    EXPECT_EQ(g.Col(), 1);
    EXPECT_TRUE(g.hasFocus() || g.viewport()->hasFocus());

    // Escape gives the text from before the edit back.
    g.SetCol(2);
    w.key(Qt::Key_F2);
    ASSERT_TRUE(b.isVisible());
    QTest::mouseClick(&b, Qt::LeftButton, {}, b.rect().center());
    Window::settle();
    EXPECT_EQ(g.Cells(2, 1), "Gonene");
    EXPECT_EQ(g.OriginalCellValue(), "Gone");
    w.key(Qt::Key_Escape);
    EXPECT_FALSE(b.isVisible());
    EXPECT_EQ(g.Cells(2, 1), "Gone");
}

TEST(ButtonEditor, TypedCharacterOpensTheButtonWithoutTheCharacter)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    useKind(g, edButton);
    g.SetCells(1, 1, "Go");
    g.SetCol(1);
    g.SetRow(1);
    w.type("x");
    EXPECT_TRUE(g.Btn().isVisible());
    EXPECT_EQ(g.Btn().text(), "Go");
    EXPECT_EQ(g.Cells(1, 1), "Go");
}
