// Controls in and over cells that work outside the normal editing cycle:
// the fixed-cell editors of headers and row labels, the editors of the form
// controls of an HTML cell, and the radio group click.
#include "GridUi.h"

#include "framework/Canvas.h"
#include "grid/foundation/FxOptions.h"
#include "grid/foundation/SgHTMLE.h"
#include "grid/foundation/SgHTMLEUtil.h"
#include "grid/interact/FxGridControlEditors.h"
#include "grid/interact/FxGridFixedEditors.h"
#include "grid/paint/FxControlLook.h"

#include <gtest/gtest.h>

#include <QLineEdit>

using gridui::Window;
using namespace fw;

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// A client point inside the form control `id` of an HTML cell.
QPoint pointOnControl(TFxStringGrid& g, int c, int r, const QString& id)
{
    const TRect cr = g.CellRect(c, r);
    const QString text = g.Cells(c, r);
    for (int y = cr.Top + 1; y < cr.Bottom; y += 2)
        for (int x = cr.Left + 1; x < cr.Right; x += 2) {
            TRect box = cr;
            box.Left += 1 + g.XYOffset().X;
            box.Top += 1 + g.XYOffset().Y;
            box.Right -= g.XYOffset().X;
            QString anchor, stripped, focusAnchor, title, cid, cval, ctype;
            int w = 0, h = 0, links = 0, ml = -1;
            TRect hover, crect;
            g.Canvas().Font() = g.GetCellFont(c, r);
            RenderHtmlText(g.Canvas(), text, box, nullptr, x, y, -1, -1, 1, true, false, false, false, false, false,
                           true, false, 1.0, g.URLColor(), clNone, clNone, clNone, anchor, stripped, focusAnchor,
                           title, w, h, links, ml, hover, crect, cid, cval, ctype, nullptr, nullptr, &g,
                           bdLeftToRight);
            if (cid == id)
                return {x, y};
        }
    ADD_FAILURE() << "no control " << id.toStdString();
    return {};
}

} // namespace

TEST(FixedCellEditor, ClickKindAndEditorKindFollowTheSettings)
{
    struct Case {
        const char* name;
        int col, row;
        TGridFixedCellEdit rowsEdit, colsEdit;
        bool dbl;
        bool opens;
        bool combo;
    } cases[] = {
        {"header, double click", 2, 0, fceDblClick, fceNone, true, true, false},
        {"header, single click asked", 2, 0, fceLeftClick, fceNone, false, true, false},
        {"header, double click not asked", 2, 0, fceNone, fceNone, true, false, false},
        {"row label in column 0 takes the columns' editor", 0, 2, fceNone, fceDblClick, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Window w;
        TFxStringGrid& g = *w.grid;
        g.MouseActions().SetFixedRowsEdit(c.rowsEdit);
        g.MouseActions().SetFixedColsEdit(c.colsEdit);
        g.MouseActions().SetFixedColsEditor(fceComboEdit);
        g.MouseActions().SetFixedRowsEditor(fceEdit);
        g.SetCells(c.col, c.row, "Head");
        const QPoint p = w.at(c.col, c.row, 10, 8);
        if (c.dbl)
            w.dblClick(p);
        else
            w.click(p);
        const bool edit = g.EditTrans().isVisible(), combo = g.ComboTrans().isVisible();
        EXPECT_EQ(edit || combo, c.opens);
        if (!c.opens)
            continue;
        EXPECT_EQ(combo, c.combo);
        EXPECT_EQ(c.combo ? g.ComboTrans().currentText() : g.EditTrans().text(), "Head");
    }
}

TEST(FixedCellEditor, ValidationOnLeavingAndEnterDoingNothing)
{
    for (bool refuse : {true, false}) {
        SCOPED_TRACE(refuse ? "refused" : "accepted");
        Window w;
        TFxStringGrid& g = *w.grid;
        g.MouseActions().SetFixedRowsEdit(fceDblClick);
        g.SetCells(2, 0, "Head");
        g.SetCol(3);
        g.SetRow(3);
        QStringList events;
        g.Events().OnEditChange = [&](QObject*, int c, int r, const QString& t) {
            events << QStringLiteral("change %1,%2 %3").arg(c).arg(r).arg(t);
        };
        g.Events().OnCellValidate = [&](QObject*, int c, int r, QString& v, bool& ok) {
            events << QStringLiteral("validate %1,%2 %3").arg(c).arg(r).arg(v);
            ok = !refuse;
        };
        w.dblClick(w.at(2, 0, 10, 8));
        TGridTransEdit& e = g.EditTrans();
        ASSERT_TRUE(e.isVisible());
        e.end(false);
        w.type("X");
        w.key(Qt::Key_Return);
        EXPECT_TRUE(e.isVisible()) << "Enter does not close the editor";
        EXPECT_EQ(e.text(), "HeadX") << "nor break the line";
        e.StopEdit();   // what leaving it does
        EXPECT_EQ(events, (QStringList{"change 2,0 HeadX", "validate 2,0 HeadX"}));
        EXPECT_EQ(e.isVisible(), refuse);
        EXPECT_EQ(g.Cells(2, 0), refuse ? "Head" : "HeadX");
        EXPECT_EQ(g.Col(), 3) << "the current cell stays where it was";
        EXPECT_EQ(g.Row(), 3);
    }
}

TEST(FixedCellEditor, ClickOnACellLeavesTheEditorThroughValidation)
{
    for (bool refuse : {true, false}) {
        SCOPED_TRACE(refuse ? "refused" : "accepted");
        Window w;
        TFxStringGrid& g = *w.grid;
        g.MouseActions().SetFixedRowsEdit(fceDblClick);
        g.SetCells(2, 0, "Head");
        g.SetCol(3);
        g.SetRow(3);
        g.Events().OnCellValidate = [&](QObject*, int, int, QString&, bool& ok) { ok = !refuse; };
        w.dblClick(w.at(2, 0, 10, 8));
        TGridTransEdit& e = g.EditTrans();
        ASSERT_TRUE(e.isVisible());
        e.end(false);
        w.type("X");
        w.click(w.at(1, 2));
        EXPECT_EQ(e.isVisible(), refuse);
        EXPECT_EQ(g.Cells(2, 0), refuse ? "Head" : "HeadX");
        if (refuse) {
            EXPECT_EQ(w.focus(), &e) << "the refused editor keeps the focus";
            EXPECT_EQ(g.Col(), 3) << "and the current cell stays where it was";
            EXPECT_EQ(g.Row(), 3);
        } else {
            EXPECT_EQ(w.focus(), &g);
            EXPECT_EQ(g.Col(), 1) << "the click moved on";
            EXPECT_EQ(g.Row(), 2);
        }
    }
}

TEST(FormControls, TabWalksTheControlsOfTheCellAndWritesTheirValues)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetColWidths(1, 260);
    g.SetRowHeights(1, 30);
    g.SetCells(1, 1,
               "Name <CONTROL TYPE=\"EDIT\" ID=\"name\" VALUE=\"Ann\" WIDTH=\"60\"> "
               "Pin <CONTROL TYPE=\"PASSWORD\" ID=\"pin\" VALUE=\"\" WIDTH=\"50\"> "
               "<CONTROL TYPE=\"CHECK\" ID=\"ok\" VALUE=\"FALSE\">");
    QStringList done;
    g.Events().OnControlEditDone = [&](QObject*, int r, int c, const QString& id, const QString& type,
                                       const QString& v) {
        done << QStringLiteral("%1,%2 %3 %4 %5").arg(r).arg(c).arg(id, type, v);
    };
    w.click(pointOnControl(g, 1, 1, "name"));
    TControlEdit& e = g.ControlEditor();
    ASSERT_TRUE(e.isVisible());
    EXPECT_TRUE(g.ControlEditing());
    EXPECT_EQ(e.text(), "Ann");
    e.end(false);
    w.type("e");
    w.key(Qt::Key_Tab);
    ASSERT_TRUE(e.isVisible()) << "Tab opened the next control";
    EXPECT_EQ(e.PasswordChar(), QChar('*'));
    EXPECT_EQ(e.text(), "");
    w.type("42");
    w.key(Qt::Key_Tab);
    EXPECT_FALSE(e.isVisible()) << "no control after the last editable one";
    EXPECT_FALSE(g.ControlEditing());
    EXPECT_EQ(done, (QStringList{"1,1 name EDIT Anne", "1,1 pin PASSWORD 42"}));
    QString v;
    ASSERT_TRUE(HtmlControlValue(g.Cells(1, 1), "name", v));
    EXPECT_EQ(v, "Anne");
    ASSERT_TRUE(HtmlControlValue(g.Cells(1, 1), "pin", v));
    EXPECT_EQ(v, "42");
    ASSERT_TRUE(HtmlControlValue(g.Cells(1, 1), "ok", v));
    EXPECT_EQ(v, "FALSE") << "other controls keep their values";

    // A press on the check control flips it.
    w.click(pointOnControl(g, 1, 1, "ok"));
    ASSERT_TRUE(HtmlControlValue(g.Cells(1, 1), "ok", v));
    EXPECT_EQ(v, "TRUE");
}

TEST(FormControls, ComboControlAsListOrEdit)
{
    for (bool edit : {false, true}) {
        SCOPED_TRACE(edit ? "editable" : "list");
        Window w;
        TFxStringGrid& g = *w.grid;
        g.SetColWidths(1, 200);
        g.SetRowHeights(1, 30);
        g.SetCells(1, 1, "Mode <CONTROL TYPE=\"COMBO\" ID=\"m\" VALUE=\"b\" WIDTH=\"80\">");
        g.Events().OnControlComboList = [edit](QObject*, int, int, const QString&, const QString&, const QString&,
                                               TStringList& values, bool& e, int& count) {
            values.Add("a");
            values.Add("b");
            values.Add("c");
            e = edit;
            count = 3;
        };
        QStringList selected;
        g.Events().OnControlComboSelect = [&](QObject*, int, int, int idx, const QString& id, const QString& v) {
            selected << QStringLiteral("%1 %2 %3").arg(idx).arg(id, v);
        };
        w.click(pointOnControl(g, 1, 1, "m"));
        TControlCombo& cb = g.ControlComboEditor();
        ASSERT_TRUE(cb.isVisible());
        EXPECT_EQ(cb.isEditable(), edit);
        EXPECT_EQ(cb.maxVisibleItems(), 3);
        EXPECT_EQ(cb.currentText(), "b");
        cb.hidePopup();
        cb.setCurrentIndex(2);
        emit cb.activated(2);
        g.EndControlEdit();
        EXPECT_EQ(selected, QStringList{"2 m c"});
        QString v;
        ASSERT_TRUE(HtmlControlValue(g.Cells(1, 1), "m", v));
        EXPECT_EQ(v, "c");
        EXPECT_FALSE(cb.isVisible());
    }
}

TEST(RadioGroup, ClickChoosesTheItemUnderThePress)
{
    struct Case {
        const char* name;
        bool horizontal;
        int index;      // -1: the choice is held in the cell text
        int x, y;
        int chosen;     // -1: nothing chosen
    } cases[] = {
        {"vertical, first item's last pixel", false, 0, 5, 16, 0},
        {"vertical, second item's first pixel", false, 0, 5, 17, 1},
        {"vertical, below the last item", false, 0, 5, 100, -1},
        {"text-held group writes the caption", false, -1, 5, 20, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The caller owns the items of AddRadio; they outlive the grid.
        TStringList itemList;
        TStringList* items = &itemList;
        Window w;
        TFxStringGrid& g = *w.grid;
        g.SetOptions(g.Options() | goEditing);
        g.ControlLook().SetControlStyle(csTheme);
        items->Add("one");
        items->Add("two");
        items->Add("three");
        g.AddRadio(1, 2, c.horizontal ? 1 : 0, c.index, items);
        g.SetCells(1, 2, c.index == -1 ? "one" : "");
        ASSERT_LE(g.Canvas().TextHeight("gh"), 16) << "items are 16 pixels high";
        QList<int> clicks;
        g.Events().OnRadioClick = [&](QObject*, int col, int row, int idx) { clicks << col << row << idx; };
        g.RadioGroupClick(1, 2, c.x, c.y);
        if (c.chosen < 0) {
            EXPECT_TRUE(clicks.isEmpty());
            continue;
        }
        EXPECT_EQ(clicks, (QList<int>{1, 2, c.chosen}));
        int idx = -2;
        g.GetRadioIdx(1, 2, idx);
        if (c.index == -1) {
            EXPECT_EQ(g.Cells(1, 2), items->Strings(c.chosen));
            EXPECT_EQ(idx, -1);
        } else {
            EXPECT_EQ(idx, c.chosen);
        }
        EXPECT_EQ(g.Col(), 1);
        EXPECT_EQ(g.Row(), 2);
    }
}

TEST(RadioGroup, PressOnTheCellOperatesTheGroup)
{
    TStringList items;   // the caller's, outliving the grid
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetRowHeights(2, 60);
    items.Add("one");
    items.Add("two");
    g.AddRadio(1, 2, 0, 0, &items);
    w.click(w.at(1, 2, 6, 24));
    int idx = -2;
    g.GetRadioIdx(1, 2, idx);
    EXPECT_EQ(idx, 1);
    EXPECT_FALSE(g.EditMode()) << "a radio group opens no editor";
}
