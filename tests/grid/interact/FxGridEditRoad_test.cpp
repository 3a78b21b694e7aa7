// The road of one edit on the program's own table: a default value typed
// into the DMX default values window and Enter, key by key as the user
// does it, with the order of the grid's events and the repaint of the cell.
#include "app/AppTestFixture.h"
#include "app/services/UComon.h"
#include "app/UDMXDefVal.h"
#include "controls/buttons/LbButton.h"
#include "framework/SysColors.h"
#include "grid/interact/FxInplaceEdit.h"
#include "grid/model/FxCGrid.h"
#include "support/TestSupport.h"

#include <QImage>
#include <QPaintEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The regions the grid's viewport is asked to paint.
class PaintSpy : public QObject {
public:
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
};

class DmxRoad : public apptest::ProjectWindow<TFDMXDefVal> {
protected:
    void SetUp() override
    {
        ProjectWindow::SetUp();
        m_jump = Opt_Jump_Field;
    }
    void TearDown() override
    {
        Opt_Jump_Field = m_jump;
        ProjectWindow::TearDown();
    }
    static void settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    static void key(Qt::Key k)
    {
        QTest::keyClick(QApplication::focusWidget(), k);
        settle();
    }
    static void type(const char* text)
    {
        for (const char* p = text; *p; ++p) {
            QTest::keyClick(QApplication::focusWidget(), *p);
            settle();
        }
    }
    QImage cellImage(TFxStringGrid& g, int c, int r) const
    {
        const fw::TRect rc = g.CellRect(c, r);
        return g.viewport()->grab(QRect(rc.Left, rc.Top, rc.Width(), rc.Height())).toImage();
    }

private:
    bool m_jump = false;
};

TEST_F(DmxRoad, TypingADefaultValueAndEnterWritesValidatesEndsAndMovesOn)
{
    Opt_Jump_Field = true;
    form->Show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    TFxColumnGrid& g = *form->ACG_DMX_Def_Val();
    // The window opens on the default value of channel 1.
    ASSERT_EQ(g.Col(), 1);
    ASSERT_EQ(g.Row(), 1);
    ASSERT_EQ(QApplication::focusWidget(), &g);
    const QString before = g.Cells(1, 1);
    ASSERT_NE(before, "127");
    const QImage imageBefore = cellImage(g, 1, 1);

    QStringList log;
    g.OnSetEditText = [&](QObject*, int c, int r, const QString& v) {
        log << QStringLiteral("SetEditText %1,%2 %3").arg(c).arg(r).arg(v);
    };
    g.Events().OnCellValidate = [&](QObject*, int c, int r, QString& v, bool&) {
        log << QStringLiteral("CellValidate %1,%2 %3").arg(c).arg(r).arg(v);
    };
    g.Events().OnEditingDone = [&](QObject*) { log << QStringLiteral("EditingDone"); };
    g.Events().OnEditCellDone = [&](QObject*, int c, int r) {
        log << QStringLiteral("EditCellDone %1,%2").arg(c).arg(r);
    };
    // The window's own Enter walk stays in place; its calls are recorded.
    auto walk = g.OnKeyPress;
    ASSERT_TRUE(walk);
    g.OnKeyPress = [&](QObject* s, QChar& k) {
        const int code = k.unicode();
        log << QStringLiteral("KeyPress %1 %2").arg(s == &g ? "grid" : "other").arg(code);
        walk(s, k);
        if (code == 13)
            log << QStringLiteral("Walk to %1,%2").arg(g.Col()).arg(g.Row());
    };

    type("127");
    ASSERT_TRUE(g.NormalEdit() && g.NormalEdit()->isVisible());
    EXPECT_EQ(g.NormalEdit()->Text(), "127");
    // The editor covers the cell less its grid lines.
    const fw::TRect rc = g.CellRect(1, 1);
    EXPECT_EQ(g.NormalEdit()->geometry(), QRect(rc.Left, rc.Top, rc.Width() - 1, rc.Height() - 1));
    // It has the cell's colour: the default value column's own.
    const QImage editor = g.NormalEdit()->grab().toImage();
    EXPECT_EQ(editor.pixelColor(editor.width() - 3, editor.height() / 2), fw::ToQColor(g.Columns()[1]->Color()));
    // A picture of the window with the open editor, for a person to look at.
    if (const QString shots = qEnvironmentVariable("GC_SCREENSHOT_DIR"); !shots.isEmpty())
        form->grab().save(shots + QStringLiteral("/dmx-default-value-editor.png"));

    PaintSpy spy;
    g.viewport()->installEventFilter(&spy);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    // The edit-done message is posted: it arrives once control is back in the loop.
    EXPECT_FALSE(log.contains("EditCellDone 1,1"));
    settle();
    g.viewport()->removeEventFilter(&spy);

    EXPECT_EQ(g.Cells(1, 1), "127");
    EXPECT_FALSE(g.NormalEdit()->isVisible());
    EXPECT_FALSE(g.EditMode());
    EXPECT_EQ(QApplication::focusWidget(), &g);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 1);
    // Each typed character and the Enter reach the window's key-press
    // handler once, from the grid; Enter after the value was validated.
    const QStringList expected{"KeyPress grid 49",     "SetEditText 1,1 1",   "KeyPress grid 50",
                               "SetEditText 1,1 12",   "KeyPress grid 55",    "SetEditText 1,1 127",
                               "CellValidate 1,1 127", "KeyPress grid 13",    "SetEditText 1,1 127",
                               "EditingDone",          "Walk to 2,1",         "EditCellDone 1,1"};
    EXPECT_EQ(log, expected);
    // The cell is painted again, now with its new text.
    EXPECT_TRUE(spy.painted.contains(QRect(rc.Left, rc.Top, rc.Width(), rc.Height())));
    EXPECT_NE(cellImage(g, 1, 1), imageBefore);

    // The value reaches the project's file with OK.
    form->Btn_OK->Click();
    EXPECT_EQ(form->ModalResult(), fw::mrOk);
    const QByteArray saved = testsupport::readFile(File_DMX_Default_Values);
    EXPECT_TRUE(saved.contains("<Row Default_Value=\"127\"")) << saved.constData();
}

} // namespace
