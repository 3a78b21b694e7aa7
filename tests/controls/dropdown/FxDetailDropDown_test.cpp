#include "controls/dropdown/FxDetailDropDown.h"

#include "controls/dropdown/FxDropDownDraw.h"
#include "controls/dropdown/FxDropDownForm.h"
#include "controls/dropdown/FxSelectorPicker.h"
#include "framework/Screen.h"
#include "framework/TickSource.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

using namespace fw;

namespace {

class DetailTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(400, 300);
        dd = new TFxDetailDropDown(&window);
        dd->SetBounds(20, 30, 180, 21);
        for (const char* caption : {"Apple", "Apricot", "Banana", "Bamboo", "Cherry"})
            dd->Items().Add()->SetCaption(caption);
        window.show();
        window.activateWindow();
        QApplication::processEvents();
        dd->setFocus();
        dd->OnSelect = [this](QObject*) { selects.push_back(dd->ItemIndex()); };
    }
    void TearDown() override { delete dd; }
    QWidget* popupFocus() const
    {
        QWidget* f = QApplication::focusWidget();
        return f && dd->DropDownForm()->isAncestorOf(f) ? f : dd->DropDownForm();
    }
    void type(QWidget* w, const char* keys)
    {
        for (const char* k = keys; *k; ++k)
            QTest::keyClick(w, *k);
    }

    TScopedMonitors monitors{{{TRect(0, 0, 1024, 768), TRect(0, 0, 1024, 740)}}};
    TManualTickSource clock{10000};
    TScopedTickSource scope{clock};
    QWidget window;
    TFxDetailDropDown* dd = nullptr;
    std::vector<int> selects;
};

TEST_F(DetailTest, TypingCompletesWithTheFirstMatchingCaption)
{
    type(dd, "a");
    EXPECT_EQ(dd->Text(), "apple") << "the typed part keeps the user's case";
    type(dd, "p");
    EXPECT_EQ(dd->Text(), "apple");
    EXPECT_EQ(dd->SelText(), "ple");
    EXPECT_EQ(dd->ItemIndex(), 0);
    EXPECT_TRUE(selects.empty()) << "completion selects without OnSelect";
    type(dd, "r");
    EXPECT_EQ(dd->Text(), "apricot");
    EXPECT_EQ(dd->SelText(), "icot");
    EXPECT_EQ(dd->ItemIndex(), 1);
    type(dd, "x");
    EXPECT_EQ(dd->Text(), "aprx") << "no caption matches: the text ends at the caret";
    EXPECT_EQ(dd->CaretPos(), 4);
    QTest::keyClick(dd, Qt::Key_Backspace);
    EXPECT_EQ(dd->Text(), "apr") << "deleting does not complete again";
}

TEST_F(DetailTest, MatchCaseAndLongCaptions)
{
    dd->SetMatchCase(true);
    type(dd, "AP");
    EXPECT_EQ(dd->Text(), "AP");
    dd->SetText("");
    dd->SetMatchCase(false);
    dd->Items().Add()->SetCaption(QStringLiteral("Zz") + QString(300, QLatin1Char('y')));
    type(dd, "zz");
    EXPECT_EQ(dd->Text().size(), 2 + 255) << "at most 255 characters are completed";
}

TEST_F(DetailTest, EnterReappliesAMatchingCaption)
{
    dd->SetTextUnformatted("Banana");
    dd->SetSel(6, 6);
    QTest::keyClick(dd, Qt::Key_Return);
    EXPECT_EQ(dd->ItemIndex(), 2);
    EXPECT_EQ(selects, std::vector<int>{2});
    dd->SetTextUnformatted("nothing");
    QTest::keyClick(dd, Qt::Key_Return);
    EXPECT_EQ(dd->ItemIndex(), 2) << "a text of no caption leaves ItemIndex";
}

TEST_F(DetailTest, NavigatingTheOpenListAndClosing)
{
    dd->SetItemIndex(1);
    selects.clear();
    dd->ShowDropDown();
    ASSERT_TRUE(dd->DroppedDown());
    QTest::keyClick(popupFocus(), Qt::Key_Down);
    EXPECT_TRUE(dd->DroppedDown()) << "Down moves without closing";
    EXPECT_EQ(dd->ItemIndex(), 2);
    EXPECT_EQ(dd->Text(), "Banana");
    EXPECT_EQ(dd->ItemSelector()->ItemIndex(), 2);
    QTest::keyClick(popupFocus(), Qt::Key_Escape);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 1) << "Escape restores the item selected at the opening";
    EXPECT_EQ(dd->Text(), "Apricot");

    dd->ShowDropDown();
    TCustomItemSelector* panel = dd->ItemSelector()->Panel();
    const QPoint row4 = testsupport::toQRect(dd->ItemSelector()->Items().Items(4)->Rect()).center();
    QTest::mouseClick(panel, Qt::LeftButton, {}, row4);
    EXPECT_FALSE(dd->DroppedDown()) << "a click on a row chooses and closes";
    EXPECT_EQ(dd->ItemIndex(), 4);
    EXPECT_EQ(dd->Text(), "Cherry");
}

TEST_F(DetailTest, EscapeWithoutAnOpeningSelectionRestoresNothing)
{
    dd->ShowDropDown();
    QTest::keyClick(popupFocus(), Qt::Key_Down);
    EXPECT_EQ(dd->ItemIndex(), 0);
    QTest::keyClick(popupFocus(), Qt::Key_Escape);
    EXPECT_EQ(dd->ItemIndex(), 0) << "nothing was selected when it opened: nothing to restore";
}

TEST_F(DetailTest, IncrementalSearchLastsFiveHundredMillisecondsFromItsFirstKey)
{
    dd->ShowDropDown();
    type(popupFocus(), "b");
    clock.Advance(200);
    type(popupFocus(), "a");
    EXPECT_EQ(dd->CurrentSearch(), "BA");
    EXPECT_EQ(dd->ItemSelector()->ItemIndex(), 2) << "the first caption starting with BA";
    EXPECT_TRUE(dd->DroppedDown()) << "a search match does not close";
    clock.Advance(200);
    type(popupFocus(), "m");
    EXPECT_EQ(dd->ItemSelector()->ItemIndex(), 3) << "BAM, still within 500 ms of the first key";
    clock.Advance(100);
    EXPECT_EQ(dd->CurrentSearch(), "") << "500 ms after the first key the search is forgotten";
    type(popupFocus(), "c");
    EXPECT_EQ(dd->ItemSelector()->ItemIndex(), 4) << "a new search";

    // Keys that type nothing do not join the search.
    clock.Advance(600);
    QTest::keyClick(popupFocus(), Qt::Key_Shift);
    QTest::keyClick(popupFocus(), Qt::Key_F5);
    type(popupFocus(), "a");
    EXPECT_EQ(dd->CurrentSearch(), "A");
}

TEST_F(DetailTest, WheelAndArrowsWhileClosed)
{
    QWheelEvent down(QPointF(5, 5), dd->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(dd, &down);
    EXPECT_EQ(dd->ItemIndex(), 0);
    QTest::keyClick(dd, Qt::Key_Down);
    QTest::keyClick(dd, Qt::Key_Down);
    EXPECT_EQ(dd->ItemIndex(), 2);
    QTest::keyClick(dd, Qt::Key_Up);
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(selects, (std::vector<int>{0, 1, 2, 1}));
    dd->SetItemIndex(-1);
    EXPECT_EQ(dd->Text(), "");
    EXPECT_EQ(selects.size(), 4u) << "-1 fires no OnSelect";
    dd->SetItemIndex(9);
    EXPECT_EQ(dd->ItemIndex(), -1);
}

TEST_F(DetailTest, RowsAreFullWidthAtTheItemHeight)
{
    dd->Items().Items(0)->SetNotes("<b>notes</b> line");
    dd->SetItemHeight(22);
    dd->ShowDropDown();
    TFxCustomItemSelector* list = dd->ItemSelector();
    const TRect row = list->Items().Items(0)->Rect();
    EXPECT_EQ(row.Height(), 22);
    EXPECT_EQ(row.Width(), dd->DropDownForm()->width() - 2 * 1 - 4 -
                               (list->VertScrollBarVisible() ? GetSystemMetrics(SM_CXVSCROLL) : 0));
    EXPECT_EQ(list->Items().Items(1)->Rect().Top, row.Bottom);
}

// Rows of ink of `colour`-like pixels, as runs of consecutive y.
std::vector<std::pair<int, int>> inkRuns(const QImage& img, bool (*ink)(QRgb))
{
    std::vector<std::pair<int, int>> runs;
    for (int y = 0; y < img.height(); ++y) {
        bool any = false;
        for (int x = 0; x < img.width() && !any; ++x)
            any = ink(img.pixel(x, y));
        if (!any)
            continue;
        if (!runs.empty() && runs.back().second == y)
            runs.back().second = y + 1;
        else
            runs.push_back({y, y + 1});
    }
    return runs;
}

bool reddish(QRgb p) { return qRed(p) > 150 && qGreen(p) < 110 && qBlue(p) < 110; }

TEST_F(DetailTest, TheDefaultRowHoldsCaptionAndNotes)
{
    // Notes in red with descenders and ascenders, in a larger font than the caption.
    const QString notes = QStringLiteral("Hg <b>notes</b> py");
    TFont notesFont = dd->NotesFont();
    notesFont.Color = 0x0000FF;
    notesFont.Size = notesFont.Size + 2;
    dd->SetNotesFont(notesFont);
    dd->Items().Clear();
    for (const char* caption : {"Alpha", "Beta", "Gamma"}) {
        TDetailItem* item = dd->Items().Add();
        item->SetCaption(caption);
        item->SetNotes(notes);
    }
    // What the notes need, drawn where nothing cuts them.
    TBitmap free(400, 200);
    free.Canvas().Brush().Color = clWhite;
    free.Canvas().FillRect(TRect(0, 0, 400, 200));
    free.Canvas().Font() = notesFont;
    FxDropDown::DrawHtmlCaption(free.Canvas(), notes, TRect(10, 10, 390, 190), nullptr, true, nullptr);
    const auto reference = inkRuns(free.ToImage(), reddish);
    ASSERT_EQ(reference.size(), 1u);
    const int noteInk = reference[0].second - reference[0].first;

    dd->ShowDropDown();
    QApplication::processEvents();
    TFxCustomItemSelector* list = dd->ItemSelector();
    const QImage shown = list->grab().toImage();
    const auto runs = inkRuns(shown, reddish);
    ASSERT_GE(runs.size(), 2u) << "the notes of the rows in sight";
    for (int i = 0; i + 1 < int(runs.size()); ++i)
        EXPECT_EQ(runs[i].second - runs[i].first, noteInk) << "row " << i << ": the notes line is whole";
    const TRect row0 = list->Items().Items(0)->Rect();
    EXPECT_LE(runs[0].second, row0.Bottom) << "the first row's notes end inside it";
    EXPECT_GE(dd->ItemHeight(), 22);
    dd->HideDropDown(true);

    dd->SetItemHeight(40);
    EXPECT_EQ(dd->ItemHeight(), 40) << "a height set is kept";
}

TEST(DetailItems, IndexOfIsExact)
{
    TDetailItems items;
    items.Add()->SetCaption("one");
    items.Add()->SetCaption("One");
    EXPECT_EQ(items.IndexOf("One"), 1);
    EXPECT_EQ(items.IndexOf("ONE"), -1);
    int changes = 0;
    items.OnChange = [&] { ++changes; };
    items.Items(0)->SetCaption("two");
    items.Items(0)->SetNotes("notes change nothing");
    items.Add();
    EXPECT_EQ(changes, 1);
}

TEST(SearchKeys, OnlyLettersAndDigits)
{
    EXPECT_EQ(SearchCharForKey('A'), QChar(u'A'));
    EXPECT_EQ(SearchCharForKey('7'), QChar(u'7'));
    EXPECT_EQ(SearchCharForKey(VK_NUMPAD3), QChar(u'3'));
    for (int key : {VK_SHIFT, VK_RETURN, VK_SPACE, VK_F5, VK_BACK, 0xBA})
        EXPECT_TRUE(SearchCharForKey(key).isNull()) << key;
}

} // namespace
