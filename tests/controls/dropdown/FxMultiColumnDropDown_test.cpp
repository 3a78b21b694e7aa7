#include "controls/dropdown/FxMultiColumnDropDown.h"

#include "controls/dropdown/FxDropDownForm.h"
#include "framework/Screen.h"
#include "framework/TickSource.h"
#include "support/TestSupport.h"

#include "ListDropDownFixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <QScrollBar>

using namespace fw;

// Readable failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

TEST(MultiColumnRules, PopupHeightFitsWholeRows)
{
    struct Row {
        int height, headerBar, footerBar, listHeader, rowHeight, extra, expected;
    } rows[] = {
        {200, 0, 0, 25, 22, 0, 181},    // 7 rows
        {200, 30, 0, 25, 22, 0, 189},   // 6 rows: 30 + 27 + 132
        {200, 0, 0, 25, 22, 4, 185},    // the grid drop-down's 4 pixels more
        {200, 20, 20, 25, 22, 0, 199},  // 6 rows: 40 + 27 + 132
        {20, 0, 0, 25, 22, 0, 27},      // no room for a row
        {200, 0, 0, 25, 0, 0, 200},     // a row height of 0 counts as 1
    };
    for (const Row& r : rows)
        EXPECT_EQ(FxMultiColumn::AdjustHeight(r.height, r.headerBar, r.footerBar, r.listHeader, r.rowHeight, r.extra),
                  r.expected)
            << r.height << " " << r.headerBar << " " << r.rowHeight;
}

TEST(MultiColumnRules, ColumnsScaledToThePopupCarryTheirRounding)
{
    EXPECT_EQ(FxMultiColumn::SizeColumns({100, 50}, 302), (std::vector<int>{200, 100}));
    EXPECT_EQ(FxMultiColumn::SizeColumns({100, 50}, 300), (std::vector<int>{199, 99}));
    const std::vector<int> many = FxMultiColumn::SizeColumns({33, 33, 33, 33, 33, 33}, 400);
    int sum = 0;
    for (int w : many)
        sum += w;
    EXPECT_NEAR(sum, 400.0 * 198 / 199, 1.0) << "the carry keeps the total";
}

TEST(MultiColumnRules, MovesAmongItems)
{
    using namespace FxMultiColumn;
    struct Row {
        int from;
        TMove move;
        int to;
    } rows[] = {
        {-1, mvNext, 0},          {3, mvNext, 4},          {24, mvNext, 24},     {-1, mvPrevious, 0},
        {0, mvPrevious, 0},       {5, mvPrevious, 4},      {-1, mvNextPage, 0},  {3, mvNextPage, 13},
        {20, mvNextPage, 24},     {24, mvPreviousPage, 14}, {5, mvPreviousPage, 0}, {-1, mvPreviousPage, 0},
        {7, mvFirst, 0},          {7, mvLast, 24},
    };
    for (const Row& r : rows)
        EXPECT_EQ(MoveIndex(r.from, 25, r.move), r.to) << r.from << " move " << r.move;
    EXPECT_EQ(MoveIndex(-1, 0, mvNext), -1) << "nothing to move among";
}

TEST(MultiColumnItems, ShortItemsReadAsEmptyAndAssignCopiesTexts)
{
    TDropDownItems items;
    items.Add()->Text = {"a"};
    items.Add()->Text = {"b", "B"};
    EXPECT_EQ(items.Items(0)->TextAt(1), "");
    EXPECT_EQ(items.IndexInColumn(1, "B"), 1);
    EXPECT_EQ(items.IndexInColumn(1, ""), -1) << "an item without the string is skipped";
    TDropDownItem copy;
    copy.Assign(*items.Items(1));
    EXPECT_EQ(copy.Text, (QStringList{"b", "B"}));
}

namespace {

class MultiColumnTest : public ListDropDownFixture<TFxMultiColumnDropDown> {
protected:
    void SetUp() override
    {
        Place(400, [this] {
            for (int w : {100, 50})
                dd->Columns().Add()->Width = w;
            for (const char* name : {"Apple", "Apricot", "Banana"})
                dd->Items().Add()->Text = {name, QStringLiteral("%1 kg").arg(int(strlen(name)))};
        });
    }
    QString selected() const { return dd->selectedText(); }
    void wheel(QWidget* w, int delta)
    {
        QWheelEvent e(QPointF(10, 40), w->mapToGlobal(QPointF(10, 40)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w, &e);
    }

};

} // namespace

TEST_F(MultiColumnTest, TypingCompletesFromTheLookupColumn)
{
    QTest::keyClick(dd, 'a');
    EXPECT_EQ(dd->Text(), "Apple") << "after the key-up the item's own text";
    EXPECT_EQ(selected(), "pple");
    EXPECT_EQ(dd->ItemIndex(), 0);
    QTest::keyClick(dd, 'p');
    EXPECT_EQ(dd->Text(), "Apple");
    EXPECT_EQ(selected(), "ple");
    QTest::keyClick(dd, 'r');
    EXPECT_EQ(dd->Text(), "Apricot");
    EXPECT_EQ(selected(), "icot");
    EXPECT_EQ(dd->ItemIndex(), 1);
    QTest::keyClick(dd, 'x');
    EXPECT_EQ(dd->Text(), "Aprx") << "no item: the typed text stays";
    QTest::keyClick(dd, Qt::Key_Backspace);
    EXPECT_EQ(dd->Text(), "Apr") << "deleting never completes";
}

TEST_F(MultiColumnTest, EnterTakesTheItemsCaseAndEscapeClearsAnUnknownText)
{
    dd->SetTextUnformatted("banana");
    dd->SetSel(6, 6);
    QTest::keyClick(dd, Qt::Key_Return);
    EXPECT_EQ(dd->Text(), "Banana");
    EXPECT_EQ(dd->ItemIndex(), 2);
    dd->SetTextUnformatted("cherry");
    QTest::keyClick(dd, Qt::Key_Escape);
    EXPECT_EQ(dd->Text(), "");
    EXPECT_EQ(dd->ItemIndex(), -1);
}

TEST_F(MultiColumnTest, KeysMoveTheSelectionByOneAndByPages)
{
    dd->Items().Clear();
    for (int i = 0; i < 25; ++i)
        dd->Items().Add()->Text = {QStringLiteral("Item %1").arg(i)};
    dd->SetEditorEnabled(false);
    struct Step {
        Qt::Key key;
        int index;
    } steps[] = {{Qt::Key_PageDown, 0}, {Qt::Key_PageDown, 10}, {Qt::Key_PageDown, 20}, {Qt::Key_PageDown, 24},
                 {Qt::Key_PageUp, 14},  {Qt::Key_Up, 13},       {Qt::Key_Home, 0},      {Qt::Key_End, 24}};
    for (const Step& s : steps) {
        QTest::keyClick(dd, s.key);
        EXPECT_EQ(dd->ItemIndex(), s.index) << s.key;
        EXPECT_EQ(dd->Text(), QStringLiteral("Item %1").arg(s.index));
    }
}

TEST_F(MultiColumnTest, PopupSizeAndColumnScaling)
{
    for (int i = 0; i < 20; ++i)
        dd->Items().Add()->Text = {QStringLiteral("More %1").arg(i)};
    dd->SetDropDownAutoWidth(false);
    dd->SetDropDownWidth(300);
    dd->ShowDropDown();
    QApplication::processEvents();
    ASSERT_TRUE(dd->DroppedDown());
    EXPECT_EQ(dd->DropDownForm()->height(), 181);
    TFxColGrid* list = dd->List();
    EXPECT_EQ(list->RowCount(), 24) << "a header row and the items";
    const int avail = 300 - 2 * dd->DropDownBorderWidth() - 2 * list->frameWidth() - GetSystemMetrics(SM_CXVSCROLL);
    const std::vector<int> expected = FxMultiColumn::SizeColumns({100, 50}, avail);
    EXPECT_EQ(list->ColWidths(0), expected[0]);
    EXPECT_EQ(list->ColWidths(1), expected[1]);
    EXPECT_LE(list->ColWidths(0) + list->ColWidths(1), list->viewport()->width()) << "the last column ends in sight";
    dd->HideDropDown(true);
}

TEST_F(MultiColumnTest, WheelStepsNeverConfirmButAClickDoes)
{
    dd->SetItemIndex(0);
    dd->ShowDropDown();
    QApplication::processEvents();
    TFxColGrid* list = dd->List();
    wheel(list->viewport(), -120);
    wheel(list->viewport(), -120);
    EXPECT_EQ(list->Row(), 3) << "the highlight moved";
    EXPECT_EQ(dd->ItemIndex(), 0) << "the selection did not";
    dd->HideDropDown(false);
    EXPECT_EQ(dd->ItemIndex(), 0) << "closing without a key or click keeps the selection";
    EXPECT_EQ(dd->Text(), "Apple");
    EXPECT_EQ(selects, 0);

    dd->ShowDropDown();
    QApplication::processEvents();
    const TRect r = list->CellRect(0, 2);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(r.Left + 5, r.Top + 5));
    EXPECT_FALSE(dd->DropDownForm()->isVisible());
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(dd->Text(), "Apricot");
    EXPECT_EQ(selects, 1);
}

TEST_F(MultiColumnTest, TypingInTheOpenListSearchesIt)
{
    dd->ShowDropDown();
    QApplication::processEvents();
    QWidget* list = dd->List();
    QTest::keyClick(list, 'b');
    EXPECT_EQ(dd->Text(), "Banana");
    EXPECT_EQ(dd->List()->Row(), 3);
    QTest::keyClick(list, 'x');
    EXPECT_EQ(dd->Text(), "Banana") << "no item starts with x";
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(dd->DropDownForm()->isVisible());
    EXPECT_EQ(dd->Text(), "");
    EXPECT_EQ(dd->ItemIndex(), -1) << "Escape restores the selection from before the popup";
}

TEST_F(MultiColumnTest, ModifiedComparesWithTheTextAtDropDown)
{
    dd->SetItemIndex(2);
    dd->ShowDropDown();
    QApplication::processEvents();
    dd->HideDropDown(false);
    EXPECT_FALSE(dd->Modified());
    dd->SelectAllText();
    QTest::keyClick(dd, 'a');
    EXPECT_TRUE(dd->Modified());
}


TEST_F(MultiColumnTest, AListWhoseRowsFitHasNoScrollBar)
{
    // The popup (200 asked, 181 shown) holds its header and footer strips
    // (22 each), the list's header row and 5 rows.
    struct TCase {
        int items;
        bool scrollBar;
    } cases[] = {{3, false}, {5, false}, {6, true}, {30, true}};
    for (const TCase& c : cases) {
        dd->Items().Clear();
        for (int i = 0; i < c.items; ++i)
            dd->Items().Add()->Text = {QStringLiteral("Item %1").arg(i), QStringLiteral("%1 kg").arg(i)};
        dd->ShowDropDown();
        QApplication::processEvents();
        ASSERT_TRUE(dd->DroppedDown());
        TFxColGrid* list = dd->List();
        EXPECT_EQ(dd->DropDownForm()->height(), 181) << c.items;
        EXPECT_EQ(list->verticalScrollBar()->isVisible(), c.scrollBar) << c.items;
        EXPECT_EQ(list->VisibleRowCount(), std::min(c.items, 5)) << c.items;
        const int bar = c.scrollBar ? GetSystemMetrics(SM_CXVSCROLL) : 0;
        EXPECT_EQ(dd->DropDownForm()->width(), 150 + bar + 2 * dd->DropDownBorderWidth())
            << c.items << ": the columns, and a scroll bar only when rows are out of sight";
        EXPECT_LE(list->ColWidths(0) + list->ColWidths(1), list->viewport()->width())
            << c.items << ": the last header is not cut";
        dd->HideDropDown(true);
    }
}

TEST_F(MultiColumnTest, OpenedAboveItEndsOnTheEditsTop)
{
    // The work area ends at 740; an edit low on it opens the list above.
    window.move(0, 0);
    dd->SetBounds(20, 640, 160, 21);
    window.resize(400, 700);
    QApplication::processEvents();
    const QPoint at = dd->mapToGlobal(QPoint(0, 0));
    dd->ShowDropDown();
    QApplication::processEvents();
    const QRect g = dd->DropDownForm()->geometry();
    EXPECT_EQ(g.height(), 181) << "the asked 200 snapped to whole rows";
    EXPECT_EQ(g.bottom() + 1, at.y()) << "no gap between the list and the edit";
    dd->HideDropDown(true);
}
