#pragma once
// A feature grid shown in a window with the keyboard focus, driven by the
// key and mouse events a user makes, and a recorder of the grid's events.
#include "framework/Input.h"
#include "grid/model/FxCGrid.h"
#include "grid/model/FxGrid.h"

#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <memory>

namespace gridui {

class Window {
public:
    explicit Window(bool columnGrid = false)
    {
        form = std::make_unique<QWidget>();
        form->resize(600, 400);
        if (columnGrid)
            grid = new TFxColumnGrid(form.get());
        else
            grid = new TFxStringGrid(form.get());
        grid->setGeometry(0, 0, 600, 400);
        grid->SetColCount(5);
        grid->SetRowCount(6);
        grid->SetOptions(grid->Options() | fw::goEditing);
        form->show();
        QApplication::setActiveWindow(form.get());
        // Without an active window the grid could not take the keyboard focus.
        if (!QTest::qWaitForWindowActive(form.get()))
            qWarning("grid test window did not become active");
        grid->setFocus(Qt::OtherFocusReason);
        settle();
    }
    ~Window() { form.reset(); }

    // Posted messages (the edit-done message among them) are delivered.
    static void settle() { QCoreApplication::processEvents(); }

    // A key as the user presses it, to whatever holds the focus.
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QWidget* w = QApplication::focusWidget() ? QApplication::focusWidget() : grid;
        QTest::keyClick(w, k, m);
        settle();
    }
    void type(const QString& text)
    {
        for (QChar c : text) {
            QWidget* w = QApplication::focusWidget() ? QApplication::focusWidget() : grid;
            QTest::keyClick(w, c.toLatin1());
            settle();
        }
    }
    // Client point of a cell's top-left corner plus an offset.
    QPoint at(int c, int r, int dx = 4, int dy = 4) const
    {
        const fw::TRect rc = grid->CellRect(c, r);
        return {rc.Left + dx, rc.Top + dy};
    }
    void click(QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, m, p);
        settle();
    }
    void dblClick(QPoint p)
    {
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, p);
        settle();
    }
    QWidget* focus() const { return QApplication::focusWidget(); }

    std::unique_ptr<QWidget> form;
    TFxStringGrid* grid = nullptr;
};

// The grid's editing events in the order they fire.
struct Recorder {
    QStringList log;
    explicit Recorder(TFxStringGrid& g)
    {
        g.OnSetEditText = [this](QObject*, int c, int r, const QString& v) {
            log << QStringLiteral("SetEditText %1,%2 %3").arg(c).arg(r).arg(v);
        };
        TFxGridEvents& e = g.Events();
        e.OnCellValidate = [this](QObject*, int c, int r, QString& v, bool&) {
            log << QStringLiteral("CellValidate %1,%2 %3").arg(c).arg(r).arg(v);
        };
        e.OnEditingDone = [this](QObject*) { log << QStringLiteral("EditingDone"); };
        e.OnEditCellDone = [this](QObject*, int c, int r) {
            log << QStringLiteral("EditCellDone %1,%2").arg(c).arg(r);
        };
    }
};

} // namespace gridui
