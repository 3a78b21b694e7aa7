#include "controls/dropdown/FxDropDown.h"

#include "framework/Screen.h"
#include "framework/SysColors.h"
#include "framework/TickSource.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

using namespace fw;

namespace {

TEST(DropDownAppearance, ChangeNotifications)
{
    THeaderAppearance header;
    int changes = 0, buttonChanges = 0;
    header.OnChange = [&] { ++changes; };
    header.OnButtonsChanged = [&] { ++buttonChanges; };
    header.SetVisible(true);
    EXPECT_EQ(changes, 0) << "the same visibility fires nothing";
    header.SetVisible(false);
    EXPECT_EQ(changes, 1);
    header.Caption = "other";
    EXPECT_EQ(changes, 1) << "only Visible notifies";

    THeaderButton* b = header.Buttons().Add();
    EXPECT_EQ(buttonChanges, 0) << "adding fires nothing";
    b->SetHeight(30);
    EXPECT_EQ(buttonChanges, 0) << "a new height notifies nobody";
    b->SetWidth(40);
    b->SetCaption("OK");
    b->SetCaption("OK");
    b->SetEnabled(false);
    EXPECT_EQ(buttonChanges, 3);

    TFooterAppearance footer;
    EXPECT_TRUE(footer.SizeGrip);
    EXPECT_TRUE(footer.Visible());
    EXPECT_EQ(footer.Height, 22);
    EXPECT_EQ(footer.ButtonAlignment, baRight);
}

TEST(DropDownAppearance, AssignAndAssignColors)
{
    THeaderAppearance source, target;
    source.Color = 0x111111;
    source.ColorTo = 0x222222;
    source.BorderColor = 0x333333;
    source.Font.Color = 0x444444;
    source.GradientDirection = gdHorizontal;
    source.Caption = "Caption";
    source.Height = 40;
    source.SetVisible(false);
    source.Buttons().Add()->SetCaption("A");
    target.Caption = "mine";
    target.Height = 10;
    target.AssignColors(source);
    EXPECT_EQ(target.Color, 0x111111u);
    EXPECT_EQ(target.ColorTo, 0x222222u);
    EXPECT_EQ(target.BorderColor, 0x333333u);
    EXPECT_EQ(target.Font.Color, 0x444444u);
    EXPECT_EQ(target.GradientDirection, gdHorizontal);
    EXPECT_EQ(target.Caption, "mine");
    EXPECT_EQ(target.Height, 10);
    EXPECT_TRUE(target.Visible());
    EXPECT_EQ(target.Buttons().Count(), 0);

    int changes = 0;
    target.OnChange = [&] { ++changes; };
    target.Assign(source);
    EXPECT_EQ(target.Caption, "Caption");
    EXPECT_EQ(target.Height, 40);
    EXPECT_FALSE(target.Visible());
    EXPECT_EQ(changes, 1) << "Visible goes through its setter";
    ASSERT_EQ(target.Buttons().Count(), 1);
    EXPECT_EQ(target.Buttons().Items(0)->Caption(), "A");

    TFooterAppearance footer, footerCopy;
    TFooterButton* ok = footer.Buttons().Add();
    ok->SetModalResult(mrOk);
    footer.SizeGrip = false;
    footerCopy.Assign(footer);
    EXPECT_FALSE(footerCopy.SizeGrip);
    EXPECT_EQ(footerCopy.Buttons().Items(0)->ModalResult(), mrOk);
}

TEST(DropDownAppearance, ButtonAppearance)
{
    TFxButtonAppearance a;
    // The latched face: the hot colours with 10 % less red and green.
    EXPECT_EQ(a.ColorChecked(), 0xF5D8CAu);
    EXPECT_EQ(a.ColorCheckedTo(), 0xF9BDA0u);
    EXPECT_EQ(a.BorderColorChecked(), 0xFF0000u);
    EXPECT_EQ(a.BorderColorHot(), 0x808080u);
    EXPECT_EQ(a.Gradient(), gdVertical);
    int changes = 0;
    a.OnChange = [&] { ++changes; };
    a.SetColorHot(a.ColorHot());
    EXPECT_EQ(changes, 0) << "an equal colour fires nothing";
    a.SetColorHot(0x123456);
    EXPECT_EQ(changes, 1);

    TFxButtonAppearance b;
    TFont font;
    font.Name = "Courier";
    b.SetFont(font);
    TFxButtonAppearance c;
    c.SetColor(0x010203);
    c.SetBorderColorChecked(0x040506);
    b.Assign(c);
    EXPECT_EQ(b.Color(), 0x010203u);
    EXPECT_EQ(b.BorderColorChecked(), 0x040506u);
    EXPECT_EQ(b.Font().Name, "Courier") << "Assign leaves the font";
}

TEST(DropDownAppearance, CheckedListRefusesIndicesOutOfRange)
{
    TDbgList<int> list;
    list.Add(7);
    EXPECT_EQ(list.GetItemsEx(0), 7);
    try {
        list.GetItemsEx(1);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Index out of bounds in list read access");
    }
    try {
        list.SetItemsEx(1, 3);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Index out of bounds in list write access");
    }
    EXPECT_THROW(list.GetItemsEx(-1), EListError);
}

// A drop-down whose popup shows the strips.
class BarsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(400, 300);
        dd = new TFxCustomDropDown(&window);
        dd->SetBounds(20, 30, 150, 21);
        dd->SetDropDownWidth(200);
        dd->SetDropDownHeight(140);
        window.show();
        QApplication::processEvents();
        dd->OnDropUp = [this](QObject*, bool cancelled) { ups.push_back(cancelled); };
        dd->OnDropDownFooterButtonClick = [this](QObject*, int index) { footerClicks.push_back(index); };
        dd->OnDropDownHeaderButtonClick = [this](QObject*, int index) { headerClicks.push_back(index); };
    }
    void TearDown() override { delete dd; }
    TFxHeader* header() const { return dd->DropDownForm()->Header(); }
    TFxFooter* footer() const { return dd->DropDownForm()->Footer(); }
    TFxButton* footerButton(int i) const { return footer()->ButtonList().GetItemsEx(i); }
    void click(QWidget* w, QPoint at = QPoint(3, 3))
    {
        QTest::mousePress(w, Qt::LeftButton, {}, at);
        QTest::mouseRelease(w, Qt::LeftButton, {}, at);
    }

    TScopedMonitors monitors{{{TRect(0, 0, 1024, 768), TRect(0, 0, 1024, 740)}}};
    TManualTickSource clock{10000};
    TScopedTickSource scope{clock};
    QWidget window;
    TFxCustomDropDown* dd = nullptr;
    std::vector<bool> ups;
    std::vector<int> footerClicks, headerClicks;
};

TEST_F(BarsTest, ButtonsAreLaidFromTheRightInItemOrder)
{
    for (const char* caption : {"One", "Two", "Three"})
        dd->DropDownHeader().Buttons().Add()->SetCaption(caption);
    dd->DropDownHeader().ButtonAlignment = baRight;
    dd->DropDownHeader().Caption = "Caption text that is long enough to reach the buttons";
    dd->ShowDropDown();
    ASSERT_NE(header(), nullptr);
    const auto& list = header()->ButtonList();
    ASSERT_EQ(list.Count(), 3);
    const TRect area = header()->ButtonArea();
    EXPECT_EQ(area, TRect(2, 2, header()->width() - 2, header()->height() - 3));
    EXPECT_EQ(list.GetItemsEx(0)->geometry().right() + 1, area.Right) << "item 0 is the rightmost";
    EXPECT_EQ(list.GetItemsEx(1)->geometry().right() + 1, list.GetItemsEx(0)->x()) << "buttons touch";
    EXPECT_EQ(list.GetItemsEx(2)->geometry().right() + 1, list.GetItemsEx(1)->x());

    // A button is its caption's size plus 8 by plus 4 (cut to the area's height).
    TCanvas canvas;
    canvas.Font() = dd->ButtonAppearance().Font();
    const TSize text = FxDropDown::MeasureTextSingleLine(canvas, "Three");
    EXPECT_EQ(list.GetItemsEx(2)->width(), text.cx + 8);
    EXPECT_EQ(list.GetItemsEx(2)->height(), std::min(text.cy + 4, area.Height()));

    // The caption stops 2 pixels left of the leftmost button.
    const QImage img = header()->grab().toImage();
    const int limit = list.GetItemsEx(2)->x() - 2;
    const TColor text0 = dd->DropDownHeader().Font.Color;
    EXPECT_GT(testsupport::countPixels(img, testsupport::colorIs(text0), QRect(0, 0, limit, img.height())), 0);
    EXPECT_EQ(testsupport::countPixels(img, testsupport::colorIs(text0),
                                       QRect(limit, 0, list.GetItemsEx(2)->x() - limit, img.height())),
              0);

    dd->HideDropDown(false);
    dd->DropDownHeader().ButtonAlignment = baLeft;
    dd->DropDownHeader().Buttons().Items(0)->SetWidth(50);
    dd->DropDownHeader().Buttons().Items(1)->SetHeight(60);
    dd->ShowDropDown();
    EXPECT_EQ(header()->ButtonList().GetItemsEx(0)->geometry().left(), 2) << "baLeft starts at the left";
    EXPECT_EQ(header()->ButtonList().GetItemsEx(0)->width(), 50) << "an item's own width";
    EXPECT_EQ(header()->ButtonList().GetItemsEx(1)->height(), header()->ButtonArea().Height())
        << "cut to the area's height";

    click(header()->ButtonList().GetItemsEx(2));
    EXPECT_EQ(headerClicks, std::vector<int>{2});
    EXPECT_TRUE(dd->DroppedDown()) << "header buttons do not close";
}

TEST_F(BarsTest, FooterButtonsCloseByTheirModalResult)
{
    const TModalResult results[] = {mrOk, mrCancel, mrRetry, mrNo, mrClose};
    for (TModalResult r : results)
        dd->DropDownFooter().Buttons().Add()->SetModalResult(r);
    for (int i = 0; i < 5; ++i)
        dd->DropDownFooter().Buttons().Items(i)->SetCaption(QString::number(i));
    dd->SetText("kept");

    struct TCase {
        int button;
        bool closes;
        bool cancelled;
    };
    const TCase cases[] = {{0, true, false}, {1, true, true}, {2, false, false}, {3, true, true}, {4, false, false}};
    for (const TCase& c : cases) {
        ups.clear();
        footerClicks.clear();
        dd->ShowDropDown();
        ASSERT_TRUE(dd->DroppedDown());
        dd->SetTextUnformatted("typed");
        click(footerButton(c.button));
        EXPECT_EQ(!dd->DroppedDown(), c.closes) << "button " << c.button;
        EXPECT_EQ(footerClicks, std::vector<int>{c.button}) << "the event follows the close";
        if (c.closes) {
            EXPECT_EQ(ups, std::vector<bool>{c.cancelled}) << "button " << c.button;
            EXPECT_EQ(dd->Text(), c.cancelled ? "kept" : "typed");
        }
        dd->HideDropDown(false);
        dd->SetText("kept");
    }

    // Enter on a focused footer button closes without the event.
    footerClicks.clear();
    dd->ShowDropDown();
    footerButton(0)->setFocus();
    QTest::keyClick(footerButton(0), Qt::Key_Return);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_TRUE(footerClicks.empty());
}

TEST_F(BarsTest, SizeGripZoneAndDrag)
{
    dd->ShowDropDown();
    ASSERT_NE(footer(), nullptr);
    TFxFooter* f = footer();
    EXPECT_TRUE(f->ShowSizeGrip());
    EXPECT_EQ(f->ButtonArea().Right, f->width() - 14);
    const int w = f->width(), h = f->height();
    EXPECT_FALSE(f->InGripZone(QPoint(w - 12, h - 14)));
    EXPECT_TRUE(f->InGripZone(QPoint(w - 11, h - 14)));
    EXPECT_FALSE(f->InGripZone(QPoint(w - 11, h - 15)));

    // The grip: a white square with a dark one a pixel up and left of it.
    const QImage img = f->grab().toImage();
    const int x0 = w - 1 - 16, y0 = h;
    EXPECT_EQ(FromQColor(img.pixelColor(x0 + 13, y0 - 3)), 0xFFFFFFu);
    EXPECT_EQ(FromQColor(img.pixelColor(x0 + 12, y0 - 5)), dd->DropDownFooter().BorderColor);

    const QSize before = dd->DropDownForm()->size();
    QTest::mousePress(f, Qt::LeftButton, {}, QPoint(w - 5, h - 5));
    QTest::mouseMove(f, QPoint(w + 35, h + 15));
    QTest::mouseRelease(f, Qt::LeftButton, {}, QPoint(w + 35, h + 15));
    EXPECT_EQ(dd->DropDownForm()->size(), before + QSize(40, 20));
    dd->HideDropDown(false);
    EXPECT_EQ(dd->UserDropDownWidth(), before.width() + 40) << "the new size is remembered";

    dd->SetDropDownSizeable(false);
    dd->ShowDropDown();
    EXPECT_FALSE(footer()->ShowSizeGrip());
    EXPECT_EQ(footer()->ButtonArea().Right, footer()->width() - 2);
    EXPECT_FALSE(footer()->InGripZone(QPoint(w - 5, h - 5)));
}

TEST_F(BarsTest, BackgroundAndTextEvents)
{
    dd->DropDownHeader().Caption = "Visible caption";
    dd->DropDownHeader().Font.Color = 0x0000FF;
    dd->DropDownHeader().Color = 0x00FF00;
    dd->DropDownHeader().ColorTo = clNone;
    dd->ShowDropDown();
    const QImage plain = header()->grab().toImage();
    EXPECT_GT(testsupport::countPixels(plain, testsupport::colorIs(0x0000FF)), 0);
    EXPECT_EQ(FromQColor(plain.pixelColor(plain.width() / 2, 3)), 0x00FF00u);
    dd->HideDropDown(false);

    dd->OnGetHeaderText = [](QObject*, QString& text) { text.clear(); };
    dd->ShowDropDown();
    const QImage noText = header()->grab().toImage();
    EXPECT_EQ(testsupport::countPixels(noText, testsupport::colorIs(0x0000FF)), 0) << "an empty text paints no caption";
    dd->HideDropDown(false);

    dd->OnGetHeaderText = nullptr;
    dd->OnDrawHeader = [](QObject*, TCanvas& canvas, const TRect& r) {
        canvas.Brush().Color = 0xFF00FF;
        canvas.FillRect(r);
    };
    dd->ShowDropDown();
    const QImage custom = header()->grab().toImage();
    EXPECT_EQ(testsupport::countPixels(custom, testsupport::colorIsNot(0xFF00FF)), 0)
        << "neither caption nor border: only the event's drawing";
}

TEST(FxButton, LatchingGroup)
{
    QWidget parent;
    TFxButtonAppearance appearance;
    auto* a = new TFxButton(&parent);
    auto* b = new TFxButton(&parent);
    for (TFxButton* x : {a, b}) {
        x->SetAppearance(&appearance);
        x->SetGroupIndex(1);
        x->resize(30, 20);
    }
    parent.show();
    auto click = [](TFxButton* x) {
        QTest::mousePress(x, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(x, Qt::LeftButton, {}, QPoint(5, 5));
    };
    click(a);
    EXPECT_TRUE(a->Down());
    click(a);
    EXPECT_TRUE(a->Down()) << "without AllowAllUp the down button stays down";
    click(b);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down()) << "the latch moved";

    auto* check = new TFxButton(&parent);
    check->SetStyle(tasCheck);
    check->SetAppearance(&appearance);
    click(check);
    EXPECT_TRUE(check->Down());
    click(check);
    EXPECT_FALSE(check->Down());

    auto* plain = new TFxButton(&parent);
    plain->SetDown(true);
    EXPECT_FALSE(plain->Down()) << "a push button without group stays up";
}

} // namespace
