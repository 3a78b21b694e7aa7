#include "controls/dropdown/FxCustomGridDropDown.h"

#include "controls/dropdown/FxDropDownForm.h"
#include "framework/Screen.h"
#include "framework/TickSource.h"
#include "grid/model/FxSortSettings.h"
#include "support/TestSupport.h"

#include "ListDropDownFixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

using namespace fw;

// Readable failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

TEST(GridDropDownConstruction, DesignerPlacesThreeColumnsCodeNone)
{
    TCustomFxGridDropDown placed(nullptr, true);
    EXPECT_EQ(placed.Columns().Count(), 3);
    TCustomFxGridDropDown coded;
    EXPECT_EQ(coded.Columns().Count(), 0);
    EXPECT_EQ(coded.ItemIndex(), -1);
    EXPECT_EQ(coded.LookupMethod(), lmLookup);
    EXPECT_TRUE(coded.UseItems());
    EXPECT_EQ(coded.LineColor(), 0xF1EDEB) << "the Office 2007 selection style";
    EXPECT_EQ(coded.FixedLineColor(), 0xD1BBA4);
    EXPECT_EQ(coded.Navigation().HomeEndKey(), heFirstLastRow);
    EXPECT_EQ(coded.Version(), "6.0.1.1");
    ASSERT_NE(coded.InnerGrid(), nullptr);
    EXPECT_EQ(coded.InnerGrid()->FixedRows(), 1);
    EXPECT_EQ(coded.InnerGrid()->FixedCols(), 0);
}

namespace {

class GridDropDownTest : public ListDropDownFixture<TCustomFxGridDropDown> {
protected:
    void SetUp() override
    {
        Place(500, [this] {
            for (const char* h : {"Fruit", "Weight"}) {
                TDropDownColumn* c = dd->Columns().Add();
                c->Header = h;
                c->Width = 90;
            }
            for (const char* name : {"Apple", "Banana", "Cherry"})
                dd->Items().Add()->Text = {name, QStringLiteral("%1 kg").arg(int(strlen(name)))};
        });
    }
    void open()
    {
        dd->ShowDropDown();
        QApplication::processEvents();
        ASSERT_TRUE(dd->DropDownForm()->isVisible());
    }
    TFxStringGrid& grid() { return *dd->InnerGrid(); }
    void clickRow(int row)
    {
        const TRect r = grid().CellRect(0, row);
        QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, QPoint(r.Left + 5, r.Top + 5));
        QApplication::processEvents();
    }
    // The data rows' first texts, top to bottom.
    QStringList rows()
    {
        QStringList out;
        for (int r = grid().FixedRows(); r < grid().RowCount(); ++r)
            out << grid().Cells(0, r);
        return out;
    }

};

} // namespace

TEST_F(GridDropDownTest, OpensWithTheItemsInTheGridAndAClickChoosesOne)
{
    dd->SetDropDownAutoWidth(false);
    dd->SetDropDownWidth(300);
    for (int i = 0; i < 20; ++i)
        dd->Items().Add()->Text = {QStringLiteral("More %1").arg(i)};
    open();
    EXPECT_EQ(dd->DropDownForm()->height(), 185) << "7 rows of 22 below a 25 header, 4 pixels more than a list";
    EXPECT_EQ(grid().Cells(0, 0), "Fruit");
    EXPECT_EQ(grid().Cells(1, 2), "6 kg");
    EXPECT_EQ(grid().RowCount(), 24);
    EXPECT_EQ(dd->RowToItemIndex(2), 1);
    EXPECT_LE(grid().ColWidths(0) + grid().ColWidths(1), grid().viewport()->width()) << "the last column ends in sight";
    EXPECT_GE(grid().ColWidths(0) + grid().ColWidths(1), grid().viewport()->width() - 2) << "and the columns fill the list";
    EXPECT_EQ(QApplication::focusWidget(), dd->InnerGrid());
    clickRow(2);
    EXPECT_FALSE(dd->DropDownForm()->isVisible());
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(dd->Text(), "Banana");
    EXPECT_EQ(selects, 1);
}

TEST_F(GridDropDownTest, SortedRowsKeepTheirItemIndex)
{
    dd->SetSorting(gsSingleColumn);
    open();
    grid().SortSettings().SetColumn(0);
    grid().SortSettings().SetDirection(sdDescending);
    grid().QSort();
    EXPECT_EQ(rows(), (QStringList{"Cherry", "Banana", "Apple"}));
    clickRow(1);
    EXPECT_EQ(dd->ItemIndex(), 2) << "the item the first row holds, not its position";
    EXPECT_EQ(dd->Text(), "Cherry");
    open();
    EXPECT_EQ(rows(), (QStringList{"Cherry", "Banana", "Apple"})) << "the sort is kept on reopening";
    EXPECT_EQ(grid().Row(), 1) << "the item's row is selected again";
    EXPECT_EQ(dd->ItemIndexToRow(0), 3);
    QTest::keyClick(dd->InnerGrid(), 'a');
    EXPECT_EQ(dd->Text(), "Apple");
    EXPECT_EQ(grid().Row(), 3) << "a search in the sorted list finds the item's own row";
    dd->HideDropDown(true);
    EXPECT_EQ(dd->Text(), "Cherry") << "cancelled";
}

TEST_F(GridDropDownTest, EnterOnTheRowShownSelectedKeepsIt)
{
    dd->SetItemIndex(2);
    open();
    EXPECT_EQ(grid().Row(), 3);
    QTest::keyClick(dd->InnerGrid(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_FALSE(dd->DropDownForm()->isVisible());
    EXPECT_EQ(dd->ItemIndex(), 2);
    EXPECT_EQ(dd->Text(), "Cherry");
    open();
    QTest::keyClick(dd->InnerGrid(), Qt::Key_Up);
    QTest::keyClick(dd->InnerGrid(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(dd->Text(), "Banana");
}

TEST_F(GridDropDownTest, NarrowingLeavesTheRowsThatContainTheTypedText)
{
    dd->SetLookupMethod(lmNarrowDown);
    dd->Items().Add()->Text = {"Date"};
    open();
    QTest::keyClick(dd->InnerGrid(), 'a');
    EXPECT_EQ(rows(), (QStringList{"Apple", "Banana", "Date"}));
    EXPECT_EQ(grid().Row(), grid().FixedRows());
    EXPECT_EQ(dd->Text(), "Apple");
    EXPECT_EQ(dd->selectedText(), "pple");
    QTest::keyClick(dd->InnerGrid(), 'n');
    EXPECT_EQ(rows(), (QStringList{"Banana"}));
    EXPECT_EQ(dd->LookupEntry(), "an");
    QTest::keyClick(dd->InnerGrid(), Qt::Key_Backspace);
    EXPECT_EQ(rows(), (QStringList{"Apple", "Banana", "Date"})) << "one filter level less";
    dd->HideDropDown(false);
    QApplication::processEvents();
    dd->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(grid().RowCount() - grid().FixedRows(), 4) << "the edit's focus removes every filter";
}

TEST_F(GridDropDownTest, NoLookupMethodIgnoresTyping)
{
    dd->SetLookupMethod(lmNone);
    dd->SetItemIndex(0);
    open();
    QTest::keyClick(dd->InnerGrid(), 'c');
    EXPECT_EQ(dd->LookupEntry(), "");
    EXPECT_EQ(dd->Text(), "Apple");
    EXPECT_EQ(grid().Row(), 1);
}

TEST_F(GridDropDownTest, DropDownListTakesNoTypingAndRestartsTheSearch)
{
    dd->SetStyle(dsDropDownList);
    EXPECT_FALSE(dd->EditorEnabled());
    QTest::keyClick(dd, 'b');
    EXPECT_EQ(dd->Text(), "Banana") << "the search selects without typing";
    EXPECT_EQ(dd->ItemIndex(), 1);
    QTest::keyClick(dd, 'c');
    EXPECT_EQ(dd->Text(), "Cherry") << "no item starts with bc: the search starts again with c";
    EXPECT_EQ(dd->LookupEntry(), "c");
    QTest::keyClick(dd, Qt::Key_Home);
    EXPECT_EQ(dd->Text(), "Apple");
    QTest::keyClick(dd, Qt::Key_End);
    EXPECT_EQ(dd->Text(), "Cherry");
}

TEST_F(GridDropDownTest, EditableGridKeepsThePopupOpenOnAClick)
{
    dd->SetGridEditable(true);
    open();
    clickRow(2);
    EXPECT_TRUE(dd->DropDownForm()->isVisible());
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(selects, 1);
    EXPECT_TRUE(grid().Options() & goEditing);
    dd->HideDropDown(false);
}

TEST_F(GridDropDownTest, AutoShowOpensOnTheFirstCharacter)
{
    dd->SetAutoShowDropDown(true);
    QTest::keyClick(dd, 'c');
    QApplication::processEvents();
    EXPECT_TRUE(dd->DroppedDown());
    EXPECT_EQ(dd->Text(), "Cherry");
    dd->HideDropDown(true);
}

TEST_F(GridDropDownTest, RowsOfTheApplicationWithoutItems)
{
    dd->SetUseItems(false);
    TFxStringGrid& g = grid();
    g.SetColCount(2);
    g.SetRowCount(4);
    const char* names[] = {"Oak", "Pine", "Yew"};
    for (int r = 1; r < 4; ++r)
        g.SetCells(0, r, names[r - 1]);
    dd->SetTextUnformatted("Pi");
    open();
    EXPECT_EQ(g.Row(), 2) << "the row the text starts";
    clickRow(3);
    EXPECT_EQ(dd->Text(), "Yew");
    EXPECT_EQ(dd->ItemIndex(), 2) << "data rows counted from the first";
    EXPECT_EQ(dd->ItemCount(), 3);
}

TEST_F(GridDropDownTest, GridEventsReachTheDropDown)
{
    QObject* topLeftSender = nullptr;
    QObject* alignSender = nullptr;
    int sortQuestions = 0;
    dd->OnGridTopLeftChanged = [&](QObject* s) { topLeftSender = s; };
    dd->OnGridGetAlignment = [&](QObject* s, int, int, TAlignment&, TVAlignment&) { alignSender = s; };
    dd->OnGridCanSort = [&](QObject*, int, bool&) { ++sortQuestions; };
    dd->Columns().Items(1)->Alignment = taRightJustify;
    for (int i = 0; i < 30; ++i)
        dd->Items().Add()->Text = {QStringLiteral("More %1").arg(i)};
    dd->SetSorting(gsSingleColumn);
    open();
    grid().SetTopRow(5);
    EXPECT_EQ(topLeftSender, dd) << "the drop-down is the Sender of this one";
    grid().repaint();
    EXPECT_EQ(alignSender, dd->InnerGrid()) << "the grid is the Sender of the others";
    const TRect h = grid().CellRect(0, 0);
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, QPoint(h.Left + 10, h.Top + 5));
    EXPECT_EQ(sortQuestions, 0) << "the sort question is the drop-down's own";
    dd->HideDropDown(true);
}

TEST_F(GridDropDownTest, AnchorHandlerKeepsThePopupOpen)
{
    bool blocked = false;
    dd->OnGridAnchorClick = [&](QObject*, int, int, const QString&, bool&) {
        blocked = dd->DropDownForm()->BlockActivate();
    };
    open();
    bool autoHandle = true;
    grid().Events().OnAnchorClick(dd->InnerGrid(), 1, 0, "x", autoHandle);
    EXPECT_TRUE(blocked);
    EXPECT_FALSE(dd->DropDownForm()->BlockActivate()) << "cleared when the handler returns";
    dd->HideDropDown(true);
}

TEST_F(GridDropDownTest, EnterInAnEditedCellEndsTheCellEditOrTakesTheLookupCell)
{
    dd->SetGridEditable(true);
    dd->SetRowSelect(false);
    open();
    auto focusKey = [](Qt::Key k) {
        QTest::keyClick(QApplication::focusWidget(), k);
        QApplication::processEvents();
    };
    // Another column: Enter ends the cell's edit, the popup stays.
    grid().SetRow(2);
    grid().SetCol(1);
    focusKey(Qt::Key_F2);
    ASSERT_TRUE(grid().EditMode());
    QTest::keyClicks(QApplication::focusWidget(), "0");
    focusKey(Qt::Key_Return);
    EXPECT_FALSE(grid().EditMode());
    EXPECT_TRUE(dd->DropDownForm()->isVisible()) << "only the cell edit ended";
    EXPECT_EQ(grid().Cells(1, 2), "6 kg0");

    // The lookup column: Enter takes the edited text and closes the popup.
    grid().SetCol(0);
    focusKey(Qt::Key_F2);
    ASSERT_TRUE(grid().EditMode());
    QTest::keyClicks(QApplication::focusWidget(), "s");
    focusKey(Qt::Key_Return);
    EXPECT_FALSE(grid().EditMode());
    EXPECT_EQ(dd->Text(), "Bananas");
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_FALSE(dd->DropDownForm()->isVisible()) << "closed, not cancelled";
    EXPECT_EQ(dd->Text(), "Bananas");
}
