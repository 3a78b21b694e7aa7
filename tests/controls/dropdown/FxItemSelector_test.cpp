#include "controls/dropdown/FxItemSelector.h"

#include "framework/Canvas.h"
#include "framework/SysColors.h"
#include "framework/SysUtils.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QTest>

using namespace fw;

namespace {

class SelectorTest : public ::testing::Test {
protected:
    void SetUp() override { host.resize(300, 200); }
    void add(const QString& caption, TColor color = 0x0000FF, const QString& hint = {})
    {
        TSelectorItem* item = host.Items().Add();
        item->SetCaption(caption);
        item->SetColor(color);
        item->SetHint(hint);
    }
    TCustomItemSelector& panel() { return *host.Panel(); }
    QPoint centreOf(int index) { return testsupport::toQRect(host.Items().Items(index)->Rect()).center(); }

    TFxCustomItemSelector host;
    std::vector<int> selections;
};

TEST_F(SelectorTest, EmptyHost)
{
    EXPECT_EQ(host.GetPanelSize(), TSize(100, 50));
    EXPECT_EQ(host.GetVisibleItemCount(), 0);
    EXPECT_FALSE(host.LookupItem("A"));
    host.SelectNext();
    host.SelectLast();
    host.HotNext();
    EXPECT_EQ(host.ItemIndex(), -1);
    EXPECT_EQ(host.ItemHot(), -1);
}

TEST_F(SelectorTest, ColumnsLayOutRowsOfTouchingItems)
{
    host.SetSelectorType(stColor);
    for (int i = 0; i < 7; ++i)
        add(QStringLiteral("Item %1").arg(i));
    host.SetColumns(0);
    host.SetColumns(-2);
    EXPECT_EQ(host.Columns(), 1) << "values below 1 leave the old value";
    host.SetColumns(3);
    const TRect first = host.Items().Items(0)->Rect();
    const int w = first.Width(), h = first.Height();
    EXPECT_EQ(first.Left, 2) << "the panel margin";
    EXPECT_EQ(first.Top, 2);
    struct TCase {
        int index, column, row;
    };
    const TCase cases[] = {{1, 1, 0}, {2, 2, 0}, {3, 0, 1}, {5, 2, 1}, {6, 0, 2}};
    for (const TCase& c : cases)
        EXPECT_EQ(host.Items().Items(c.index)->Rect(), Bounds(2 + c.column * w, 2 + c.row * h, w, h)) << c.index;
    EXPECT_EQ(host.GetPanelSize(), TSize(2 + 3 * w + 2, 2 + 3 * h + 2)) << "three items wide, three rows high";

    // A colour box 14 x 14 beside the caption: width 4 + 14 + 4 + text + 4 + 4.
    TCanvas canvas;
    canvas.Font() = host.ItemAppearance().Font;
    EXPECT_EQ(h, std::max(14, canvas.TextHeight("Item 0")) + 8);
}

TEST_F(SelectorTest, SelectionEventsAndBounds)
{
    for (const char* c : {"Red", "Green", "Blue"})
        add(c);
    host.OnItemSelect = [&](QObject* sender) {
        EXPECT_EQ(sender, &host);
        selections.push_back(host.ItemIndex());
    };
    host.SetItemIndex(1);
    host.SetItemIndex(1);
    EXPECT_EQ(selections, (std::vector<int>{1, 1})) << "selecting the selected item fires again";
    host.SetItemIndex(-1);
    EXPECT_EQ(host.ItemIndex(), -1);
    EXPECT_EQ(selections.size(), 2u) << "-1 fires nothing";
    host.SetItemIndex(2);
    host.SetItemIndex(3);
    EXPECT_EQ(host.ItemIndex(), 2) << "an index at the count is ignored";
    host.SetItemIndex(99);
    EXPECT_EQ(host.ItemIndex(), 2);
    host.SelectNext();
    EXPECT_EQ(host.ItemIndex(), 2) << "no item after the last";
    host.SelectFirst();
    host.SelectPrevious();
    EXPECT_EQ(host.ItemIndex(), 0);
}

TEST_F(SelectorTest, LookupByPlainCaptionStart)
{
    add("<b>Red</b>");
    add("   Green");
    add("blue");
    struct TCase {
        const char* search;
        bool found;
        int index;
    };
    const TCase cases[] = {{"RE", true, 0}, {"<B", false, 0}, {"GR", true, 1}, {"BL", true, 2}, {"bl", false, 2},
                           {"", false, 2}};
    for (const TCase& c : cases) {
        EXPECT_EQ(host.LookupItem(c.search), c.found) << c.search;
        EXPECT_EQ(host.ItemIndex(), c.index) << c.search;
    }
}

TEST_F(SelectorTest, MouseHoverHintAndPressSelect)
{
    add("One", 0x0000FF, "first hint");
    add("Two", 0x00FF00, "second hint");
    host.show();
    QApplication::processEvents();
    host.OnItemSelect = [&](QObject*) { selections.push_back(host.ItemIndex()); };
    QTest::mouseMove(&panel(), centreOf(0));
    EXPECT_EQ(host.ItemHot(), 0);
    EXPECT_EQ(panel().toolTip(), "first hint");
    QTest::mouseMove(&panel(), centreOf(1));
    EXPECT_EQ(host.ItemHot(), 1);
    EXPECT_EQ(panel().toolTip(), "second hint") << "the hint changes at once";
    QTest::mousePress(&panel(), Qt::LeftButton, {}, centreOf(0));
    EXPECT_EQ(selections, std::vector<int>{0}) << "selected on the press";
    QTest::mouseRelease(&panel(), Qt::LeftButton, {}, centreOf(0));
    QTest::mouseMove(&panel(), QPoint(panel().width() - 1, panel().height() - 1));
    EXPECT_EQ(host.ItemHot(), -1);
}

TEST_F(SelectorTest, HotAndSelectedLooks)
{
    add("One");
    add("Two");
    host.show();
    QApplication::processEvents();
    host.SetColor(0xFFFFFF);
    TItemAppearance& a = host.ItemAppearance();
    a.ColorSelectedText = 0x00FF00;
    a.ColorHotText = 0xFF0000;
    panel().SetItemHot(0);
    host.SetItemIndex(0);
    const QImage img = panel().grab().toImage();
    const QRect r0 = testsupport::toQRect(host.Items().Items(0)->Rect());
    EXPECT_EQ(FromQColor(img.pixelColor(r0.center().x(), r0.top())), a.BorderColor)
        << "the rounded frame's top line";
    EXPECT_GT(testsupport::countPixels(img, testsupport::colorIs(0x00FF00), r0), 0)
        << "a selected hot item has the selected text colour";
    EXPECT_EQ(testsupport::countPixels(img, testsupport::colorIs(0xFF0000), r0), 0);

    host.SetItemIndex(-1);
    a.BorderColorHot = 0x0000FF;
    a.ColorHotTo = clNone;
    panel().update();
    const QImage hot = panel().grab().toImage();
    EXPECT_EQ(testsupport::pixelBox(hot, testsupport::colorIs(0x0000FF)), r0)
        << "with BorderColorHot the hot item has a plain frame in it";
}

TEST(ItemSelectorPanel, OwnerMustBeAHost)
{
    QWidget other;
    try {
        TCustomItemSelector panel(&other);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Invalid parent");
    }
}

TEST_F(SelectorTest, ScrollingAndVisibleCount)
{
    for (int i = 0; i < 30; ++i)
        add(QStringLiteral("Row %1").arg(i));
    host.resize(200, 100);
    host.show();
    QApplication::processEvents();
    ASSERT_TRUE(host.VertScrollBarVisible());
    const int rowHeight = host.Items().Items(0)->Rect().Height();
    EXPECT_EQ(host.GetVisibleItemCount(), 100 / rowHeight);
    host.SetItemIndex(29);
    const TRect last = host.Items().Items(29)->Rect();
    EXPECT_EQ(last.Bottom - host.verticalScrollBar()->value(), host.viewport()->height())
        << "scrolled so that the item's bottom ends the view";
    host.SetItemIndex(0);
    EXPECT_EQ(host.verticalScrollBar()->value(), host.Items().Items(0)->Rect().Top) << "its top starts the view";
}

} // namespace

namespace {

TEST(PickIndex, StepsThroughTheItems)
{
    struct TCase {
        TPickStep step;
        int index, count, expected;
    };
    const TCase cases[] = {
        {TPickStep::First, 3, 5, 0},    {TPickStep::Last, -1, 5, 4},     {TPickStep::Next, -1, 5, 0},
        {TPickStep::Next, 3, 5, 4},     {TPickStep::Next, 4, 5, -1},     {TPickStep::Previous, -1, 5, 0},
        {TPickStep::Previous, 0, 5, -1}, {TPickStep::Previous, 3, 5, 2}, {TPickStep::First, -1, 0, -1},
        {TPickStep::Next, -1, 0, -1},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(PickIndex(c.step, c.index, c.count), c.expected)
            << int(c.step) << " from " << c.index << " of " << c.count;
}

} // namespace
