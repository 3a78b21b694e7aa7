#include "controls/dropdown/FxMemoDropDown.h"
#include "controls/dropdown/FxTrackBarDropDown.h"

#include "controls/dropdown/FxDropDownForm.h"
#include "framework/Screen.h"
#include "framework/TickSource.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTest>

using namespace fw;

// Readable failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

class SmallDropDowns : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(400, 300);
        window.show();
        window.activateWindow();
        QApplication::processEvents();
    }
    TScopedMonitors monitors{{{TRect(0, 0, 1024, 768), TRect(0, 0, 1024, 740)}}};
    TManualTickSource clock{10000};
    TScopedTickSource scope{clock};
    QWidget window;
};

} // namespace

TEST_F(SmallDropDowns, TrackBarKeysAndPopup)
{
    TFxTrackBarDropDown tb(&window);
    tb.SetBounds(10, 10, 120, 21);
    tb.show();
    tb.setFocus();
    int changes = 0;
    tb.OnTrackChange = [&](QObject*) { ++changes; };
    EXPECT_EQ(tb.Min(), 0);
    EXPECT_EQ(tb.Max(), 10);
    QTest::keyClick(&tb, Qt::Key_Up);
    EXPECT_EQ(tb.Position(), 0) << "Up at the minimum does nothing";
    QTest::keyClick(&tb, Qt::Key_Down);
    EXPECT_EQ(tb.Position(), 1);
    EXPECT_EQ(tb.Text(), "1");
    tb.SetFrequency(4);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&tb, Qt::Key_Down);
    EXPECT_EQ(tb.Position(), 9) << "a step past the maximum is not taken";

    tb.ShowDropDown();
    QApplication::processEvents();
    ASSERT_TRUE(tb.DroppedDown());
    EXPECT_EQ(tb.TrackBar()->value(), 9);
    EXPECT_EQ(tb.DropDownForm()->width(), tb.width()) << "the popup is as wide as the edit";
    tb.TrackBar()->setValue(3);
    EXPECT_EQ(tb.Position(), 3);
    EXPECT_EQ(tb.Text(), "3");
    EXPECT_GE(changes, 1);
    tb.HideDropDown(false);
    tb.SetMax(5);
    tb.SetPosition(8);
    EXPECT_EQ(tb.Position(), 5) << "the track bar's range rules apply";
}

TEST_F(SmallDropDowns, TrackBarEscapeGivesBackWhatTheEditShowedBeforeThePopup)
{
    // A value set by the position (never by a formatted text write) and one
    // typed into an edit that types: a cancelled popup brings it back.
    for (bool typed : {false, true}) {
        SCOPED_TRACE(typed ? "typed" : "by position");
        TFxTrackBarDropDown tb(&window);
        tb.SetBounds(10, 10, 120, 21);
        tb.show();
        tb.setFocus();
        if (typed) {
            tb.SetEditorEnabled(true);
            tb.SelectAllText();
            QTest::keyClicks(&tb, "6");
        } else {
            tb.SetPosition(6);
        }
        ASSERT_EQ(tb.Text(), "6");
        QTest::keyClick(&tb, Qt::Key_F4);
        QApplication::processEvents();
        ASSERT_TRUE(tb.DroppedDown());
        tb.TrackBar()->setValue(9);
        EXPECT_EQ(tb.Text(), "9") << "the edit follows the track bar while it is open";
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QApplication::processEvents();
        EXPECT_FALSE(tb.DroppedDown());
        EXPECT_EQ(tb.Text(), "6");
        EXPECT_EQ(tb.Position(), 6);
        tb.ShowDropDown();
        QApplication::processEvents();
        EXPECT_EQ(tb.TrackBar()->value(), 6) << "the track bar opens on it again";
        tb.TrackBar()->setValue(2);
        tb.HideDropDown(false);
        EXPECT_EQ(tb.Text(), "2") << "a close that is no cancel keeps the new value";
    }
}

TEST_F(SmallDropDowns, TrackBarDragAndTypedText)
{
    TFxTrackBarDropDown tb(&window);
    tb.SetBounds(10, 10, 160, 21);
    tb.show();
    tb.SetPosition(2);
    struct Step {
        int x;
        int position;
    } steps[] = {{17, 5}, {18, 5}, {19, 5}, {12, 2}};
    QTest::mousePress(&tb, Qt::LeftButton, {}, QPoint(10, 10));
    for (const Step& s : steps) {
        QMouseEvent move(QEvent::MouseMove, QPointF(s.x, 10), tb.mapToGlobal(QPointF(s.x, 10)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&tb, &move);
        EXPECT_EQ(tb.Position(), s.position) << "move to " << s.x << ": the remainder is not carried";
    }
    QTest::mouseRelease(&tb, Qt::LeftButton, {}, QPoint(12, 10));
    tb.SetPageSize(0);
    QTest::mousePress(&tb, Qt::LeftButton, {}, QPoint(10, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(13, 10), tb.mapToGlobal(QPointF(13, 10)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&tb, &move);
    EXPECT_EQ(tb.Position(), 5) << "a page size of 0 counts as 1";
    QTest::mouseRelease(&tb, Qt::LeftButton, {}, QPoint(13, 10));

    tb.SetEditorEnabled(true);
    tb.setFocus();
    tb.SelectAllText();
    QTest::keyClick(&tb, Qt::Key_Delete);
    EXPECT_EQ(tb.Position(), 5) << "an emptied text is no integer: the position stays";
    QTest::keyClicks(&tb, "7");
    EXPECT_EQ(tb.Position(), 7);
}

TEST_F(SmallDropDowns, MemoShowsOneLineOfItsText)
{
    TFxMemoDropDown memo(&window);
    memo.SetBounds(10, 10, 140, 21);
    memo.show();
    QApplication::processEvents();
    memo.MemoText().SetText(QStringLiteral("first\r\nsecond"));
    EXPECT_EQ(memo.Text(), "first\r\nsecond") << "an editable memo edit shows the whole text";
    memo.SetEditorEnabled(false);
    memo.MemoText().SetText(QStringLiteral("first\r\nsecond"));
    EXPECT_EQ(memo.Text(), "first...");
    memo.MemoText().SetText(QStringLiteral("a first line far too wide for this small edit"));
    EXPECT_TRUE(memo.Text().endsWith("...")) << memo.Text().toStdString();
    EXPECT_LT(memo.Text().size(), 40);
    memo.MemoText().SetText(QStringLiteral("only"));
    EXPECT_EQ(memo.Text(), "only");
}

TEST_F(SmallDropDowns, MemoPopupEditsEscapeAndTyping)
{
    TFxMemoDropDown memo(&window);
    memo.SetBounds(10, 10, 140, 21);
    memo.show();
    memo.setFocus();
    memo.MemoText().SetText(QStringLiteral("one\r\ntwo"));
    memo.ShowDropDown();
    QApplication::processEvents();
    ASSERT_TRUE(memo.DroppedDown());
    EXPECT_EQ(memo.Memo()->toPlainText(), "one\ntwo");
    memo.Memo()->setPlainText(QStringLiteral("changed"));
    QTest::keyClick(memo.Memo(), Qt::Key_Escape);
    EXPECT_FALSE(memo.DropDownForm()->isVisible());
    EXPECT_EQ(memo.MemoJoined(), "one\r\ntwo") << "Escape discards the memo's edits";

    memo.ShowDropDown();
    QApplication::processEvents();
    memo.Memo()->setPlainText(QStringLiteral("kept\nlines"));
    memo.HideDropDown(false);
    EXPECT_EQ(memo.MemoJoined(), "kept\r\nlines");
    EXPECT_EQ(memo.Text(), "kept\r\nlines");

    memo.setFocus();
    memo.SelectAllText();
    QTest::keyClicks(&memo, "typed");
    EXPECT_EQ(memo.MemoJoined(), "typed") << "typing replaces the memo's text";
}

TEST_F(SmallDropDowns, MemoAutoDropOpensOnFocusButNotAsItCloses)
{
    QLineEdit other(&window);
    other.move(10, 100);
    other.show();
    TFxMemoDropDown memo(&window);
    memo.SetBounds(10, 10, 140, 21);
    memo.SetAutoDrop(true);
    memo.show();
    other.setFocus();
    QApplication::processEvents();
    memo.setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(memo.DroppedDown());
    memo.HideDropDown(false);
    QApplication::processEvents();
    memo.setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(memo.DroppedDown() && memo.DropDownForm()->isVisible()) << "the focus returning on close";
    other.setFocus();
    clock.Advance(1000);
    memo.setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(memo.DropDownForm()->isVisible());
    memo.HideDropDown(false);
}
