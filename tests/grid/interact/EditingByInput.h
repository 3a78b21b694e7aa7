#pragma once
// A column grid in a window, edited the way a user edits it: every key and
// click enters through the window system's input path (the window receives
// the event and finds the widget under the pointer or with the focus, an
// open list or popup included), never by calling the grid. One case is one
// editor kind, a few settings and a list of actions; what it leaves is the
// cell's text, the current cell, EditMode, who holds the keyboard, what the
// open editor shows, and the editing events in the order they fired.
//
// A case table: a vector of Case, each run on a fresh window by RunCase().
#include "framework/Input.h"
#include "grid/foundation/FxOptions.h"
#include "grid/model/FxCGrid.h"
#include "grid/model/FxGrid.h"
#include "grid/model/FxGridEvents.h"
#include "grid/paint/FxControlLook.h"
#include "grid/interact/FxInplaceEdit.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <functional>
#include <ostream>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QPoint& p, std::ostream* os) { *os << '(' << p.x() << ", " << p.y() << ')'; }

namespace editinput {

// ---------------------------------------------------------------- actions

struct Act {
    enum Kind { KeyPress, Typing, Burst, CellClick, DropButtonClick, ScrollBarLine, ListItemClick, SpinButtonClick };
    Kind kind = KeyPress;
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers mods = Qt::NoModifier;
    QString text;
    int col = -1, row = -1;
    int item = -1;
};

// A key (with its modifiers) pressed and released.
inline Act Key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
{
    Act a;
    a.key = k;
    a.mods = m;
    return a;
}
// Characters typed one by one.
inline Act Type(const QString& text)
{
    Act a;
    a.kind = Act::Typing;
    a.text = text;
    return a;
}
// Characters typed faster than the program takes them: the window system
// holds them all before the first is handled, so nothing runs in between.
inline Act Burst(const QString& text)
{
    Act a;
    a.kind = Act::Burst;
    a.text = text;
    return a;
}
// A click inside a cell, away from its edges and its drop button.
inline Act Click(int col, int row)
{
    Act a;
    a.kind = Act::CellClick;
    a.col = col;
    a.row = row;
    return a;
}
// A click on the drop button a cell shows at its right edge (with
// ControlLook.DropDownAlwaysVisible), or on the open combo's own button.
inline Act DropButton(int col, int row)
{
    Act a;
    a.kind = Act::DropButtonClick;
    a.col = col;
    a.row = row;
    return a;
}
// A click on the down arrow of the grid's vertical scroll bar.
inline Act ScrollBarDown()
{
    Act a;
    a.kind = Act::ScrollBarLine;
    return a;
}
// A click on the up (or down) button of the open spin editor.
inline Act SpinButton(bool up)
{
    Act a;
    a.kind = Act::SpinButtonClick;
    a.item = up ? 1 : 0;
    return a;
}
// A click on item `i` of the open list (the combo's drop-down list).
inline Act ListItem(int i)
{
    Act a;
    a.kind = Act::ListItemClick;
    a.item = i;
    return a;
}

// ---------------------------------------------------------------- outcome

struct Outcome {
    QString cell;              // text of the watched cell
    QPoint current;            // Col, Row
    bool editMode = false;
    QString focus;             // "grid", the open editor's class, or "popup <class>"
    QString editor;            // what the open editor shows; the selection in [ ]
    QStringList events;
};

// ---------------------------------------------------------------- the window

// Columns: 0 the fixed row numbers, 1 the column under test (kind of the
// case), 2 and 3 plain text. 40 rows, so the vertical scroll bar shows.
class Rig {
public:
    Rig()
    {
        form = std::make_unique<QWidget>();
        form->resize(520, 300);
        grid = new TFxColumnGrid(form.get());
        grid->setGeometry(0, 0, 520, 300);
        grid->SetColCount(4);
        grid->SetRowCount(40);
        grid->SetOptions(grid->Options() | fw::goEditing);
        for (int c = 1; c < 4; ++c) {
            grid->SetColWidths(c, 120);
            grid->Columns()[c]->SetHeader(QStringLiteral("Column %1").arg(c));
        }
        for (int r = 1; r < grid->RowCount(); ++r) {
            grid->SetCells(0, r, QString::number(r));
            grid->SetCells(2, r, QStringLiteral("text %1").arg(r));
            grid->SetCells(3, r, QStringLiteral("more %1").arg(r));
        }
    }

    // The window goes first: closing it still reports to the recorder.
    ~Rig() { form.reset(); }

    // Shown, active, the grid holding the keyboard on (col, row); the
    // recorder starts here.
    void Start(int col, int row)
    {
        grid->SetCol(col);
        grid->SetRow(row);
        form->show();
        QApplication::setActiveWindow(form.get());
        if (!QTest::qWaitForWindowActive(form.get()))
            qWarning("editing test window did not become active");
        grid->setFocus(Qt::OtherFocusReason);
        settle();
        Record();
    }

    static void settle()
    {
        for (int i = 0; i < 4; ++i)
            QCoreApplication::processEvents();
    }

    // The window that takes keys now: a list or popup that is open, else the
    // active window.
    static QWindow* keyWindow(QWidget* form)
    {
        if (QWidget* popup = QApplication::activePopupWidget())
            if (popup->windowHandle())
                return popup->windowHandle();
        if (QWindow* w = QGuiApplication::focusWindow())
            return w;
        return form->windowHandle();
    }

    // A point of the grid's viewport in the form window's coordinates.
    QPoint onForm(QPoint viewportPoint) const { return grid->viewport()->mapTo(form.get(), viewportPoint); }

    void Do(const Act& a)
    {
        switch (a.kind) {
        case Act::KeyPress:
            QTest::keyClick(keyWindow(form.get()), a.key, a.mods);
            break;
        case Act::Typing:
            for (QChar c : a.text) {
                QTest::keyClick(keyWindow(form.get()), c.toLatin1());
                settle();
            }
            break;
        case Act::Burst:
            // Each key enters the window system's input path as QTest's
            // keys do, but no event processing runs between them.
            for (QChar c : a.text) {
                QWindow* w = keyWindow(form.get());
                const int k = QTest::asciiToKey(c.toLatin1());
                qt_handleKeyEvent(w, QEvent::KeyPress, k, Qt::NoModifier, QString(c));
                qt_handleKeyEvent(w, QEvent::KeyRelease, k, Qt::NoModifier, QString(c));
            }
            break;
        case Act::CellClick: {
            const fw::TRect r = grid->CellRect(a.col, a.row);
            click(form->windowHandle(), onForm(QPoint(r.Left + 8, r.Top + r.Height() / 2)));
            break;
        }
        case Act::DropButtonClick: {
            const fw::TRect r = grid->CellRect(a.col, a.row);
            click(form->windowHandle(), onForm(QPoint(r.Right - 7, r.Top + r.Height() / 2)));
            break;
        }
        case Act::ScrollBarLine: {
            QScrollBar* bar = grid->verticalScrollBar();
            const QPoint p = bar->mapTo(form.get(), QPoint(bar->width() / 2, bar->height() - 5));
            click(form->windowHandle(), p);
            break;
        }
        case Act::SpinButtonClick: {
            // The spin editor's arrow buttons lie at its right end, up above down.
            QWidget* spin = grid->EditCtrl();
            if (!spin)
                break;
            const QPoint p(spin->width() - 5, a.item ? spin->height() / 4 : spin->height() * 3 / 4);
            click(form->windowHandle(), spin->mapTo(form.get(), p));
            break;
        }
        case Act::ListItemClick: {
            QWidget* popup = QApplication::activePopupWidget();
            auto* combo = qobject_cast<QComboBox*>(grid->EditCtrl());
            if (!popup || !combo || !combo->view())
                break;
            QAbstractItemView* v = combo->view();
            const QRect ir = v->visualRect(v->model()->index(a.item, 0));
            const QPoint p = v->viewport()->mapTo(popup, ir.center());
            click(popup->windowHandle(), p);
            break;
        }
        }
        settle();
    }

    static void click(QWindow* w, QPoint p)
    {
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, p);
    }

    // Who holds the keyboard: the grid, the editor control over the cell
    // (by class), or a window of its own (a list, a popup).
    QString FocusName() const
    {
        QWidget* f = QApplication::focusWidget();
        if (QWidget* popup = QApplication::activePopupWidget())
            return QStringLiteral("popup ") + popup->metaObject()->className();
        if (!f)
            return QStringLiteral("none");
        if (f == grid || f == grid->viewport())
            return QStringLiteral("grid");
        if (f->window() != form.get())
            return QStringLiteral("popup ") + f->window()->metaObject()->className();
        for (QWidget* w = f; w; w = w->parentWidget())
            if (w->parentWidget() == grid->viewport() || w->parentWidget() == grid)
                return w->metaObject()->className();
        return f->metaObject()->className();
    }

    // The open editor's text with its selection in brackets; empty when no
    // editor shows.
    QString EditorText() const
    {
        if (!grid->EditMode())
            return QString();
        QLineEdit* le = nullptr;
        QWidget* ctrl = grid->EditCtrl();
        if (grid->NormalEdit() && grid->NormalEdit()->isVisible())
            le = grid->NormalEdit();
        else if (auto* cb = qobject_cast<QComboBox*>(ctrl))
            le = cb->lineEdit() ? cb->lineEdit() : nullptr;
        else
            le = qobject_cast<QLineEdit*>(ctrl);
        if (!le) {
            if (auto* cb = qobject_cast<QComboBox*>(ctrl))
                return cb->currentText();
            if (auto* b = qobject_cast<QAbstractButton*>(ctrl))
                return b->isChecked() ? QStringLiteral("[x]") : QStringLiteral("[ ]");
            if (ctrl && ctrl->property("text").isValid())
                return ctrl->property("text").toString();
            return QString();
        }
        QString t = le->text();
        if (le->hasSelectedText()) {
            const int s = le->selectionStart();
            const int n = int(le->selectedText().length());
            t.insert(s + n, QLatin1Char(']'));
            t.insert(s, QLatin1Char('['));
        }
        return t;
    }

    // The editing events, each as one line: SetEditText, Validate (with
    // "refused"), EditingDone, EditCellDone, Change (OnEditChange),
    // ComboChange, CheckBoxClick and SpinClick.
    void Record()
    {
        grid->OnSetEditText = [this](QObject*, int c, int r, const QString& v) {
            log << QStringLiteral("SetEditText %1,%2 %3").arg(c).arg(r).arg(v);
        };
        TFxGridEvents& e = grid->Events();
        e.OnCellValidate = [this](QObject*, int c, int r, QString& v, bool& valid) {
            if (!refuse.isNull() && v == refuse)
                valid = false;
            log << QStringLiteral("Validate %1,%2 %3%4").arg(c).arg(r).arg(v, valid ? "" : " refused");
        };
        e.OnEditingDone = [this](QObject*) { log << QStringLiteral("EditingDone"); };
        e.OnEditCellDone = [this](QObject*, int c, int r) { log << QStringLiteral("EditCellDone %1,%2").arg(c).arg(r); };
        e.OnEditChange = [this](QObject*, int c, int r, const QString& v) {
            log << QStringLiteral("Change %1,%2 %3").arg(c).arg(r).arg(v);
        };
        e.OnComboChange = [this](QObject*, int c, int r, int i, const QString& v) {
            log << QStringLiteral("ComboChange %1,%2 %3 %4").arg(c).arg(r).arg(i).arg(v);
        };
        e.OnCheckBoxClick = [this](QObject*, int c, int r, bool state) {
            log << QStringLiteral("CheckBoxClick %1,%2 %3").arg(c).arg(r).arg(state ? "on" : "off");
        };
        e.OnSpinClick = [this](QObject*, int c, int r, int v, bool up) {
            log << QStringLiteral("SpinClick %1,%2 %3 %4").arg(c).arg(r).arg(v).arg(up ? "up" : "down");
        };
    }

    Outcome Snap(QPoint watched) const
    {
        Outcome o;
        o.cell = grid->Cells(watched.x(), watched.y());
        o.current = QPoint(grid->Col(), grid->Row());
        o.editMode = grid->EditMode();
        o.focus = FocusName();
        o.editor = EditorText();
        o.events = log;
        return o;
    }

    std::unique_ptr<QWidget> form;
    TFxColumnGrid* grid = nullptr;
    QStringList log;
    // OnCellValidate refuses exactly this value (null: refuses nothing).
    QString refuse;
};

// ---------------------------------------------------------------- cases

struct Case {
    const char* name;
    TEditorType kind;            // editor of column 1
    QString start;               // text of cell (1, 1) at the start
    std::vector<Act> acts;
    Outcome want;
    // Further settings before the window shows (items, options, other
    // columns); may move the start cell with `at`.
    std::function<void(Rig&)> setup = nullptr;
    QPoint at{1, 1};             // current cell at the start
    QPoint watch{1, 1};          // the cell whose text is reported
};

// EDITING_CASE=<part of a name> runs only the cases whose name holds it.
inline void RunCase(const Case& c)
{
    const QString only = qEnvironmentVariable("EDITING_CASE");
    if (!only.isEmpty() && !QString::fromUtf8(c.name).contains(only))
        return;
    SCOPED_TRACE(c.name);
    Rig rig;
    rig.grid->Columns()[1]->SetEditor(c.kind);
    rig.grid->SetCells(1, 1, c.start);
    if (c.setup)
        c.setup(rig);
    rig.Start(c.at.x(), c.at.y());
    for (const Act& a : c.acts)
        rig.Do(a);
    const Outcome got = rig.Snap(c.watch);
    EXPECT_EQ(got.cell, c.want.cell) << "cell text";
    EXPECT_EQ(got.current, c.want.current) << "current cell";
    EXPECT_EQ(got.editMode, c.want.editMode) << "EditMode";
    EXPECT_EQ(got.focus, c.want.focus) << "focus owner";
    EXPECT_EQ(got.editor, c.want.editor) << "open editor shows";
    EXPECT_EQ(got.events.join(QStringLiteral("\n")), c.want.events.join(QStringLiteral("\n"))) << "events";
    // Whatever the case left open is closed before the window goes.
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
}

} // namespace editinput
