#include "controls/dropdown/FxDropDown.h"

#include "framework/Clipboard.h"
#include "framework/Screen.h"
#include "framework/SysColors.h"
#include "framework/TickSource.h"
#include "support/ScopedSettings.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>

using namespace fw;

namespace {

TEST(DropDownPlacement, BelowOrAboveAndAlwaysOnTheWorkArea)
{
    struct TCase {
        TDropPosition position;
        int anchorX, anchorY, popupWidth, popupHeight;
        TRect expected;
    };
    // Work area (0, 0) - (1280, 1000), the edit 21 high at (anchorX, anchorY);
    // below, the popup starts on the edit's last pixel row (anchorY + 20).
    const TCase cases[] = {
        {dpAuto, 30, 100, 150, 200, Bounds(30, 120, 150, 200)},
        {dpAuto, 30, 780, 150, 200, Bounds(30, 800, 150, 200)},    // ends exactly on the bottom edge
        {dpAuto, 30, 781, 150, 200, Bounds(30, 581, 150, 200)},    // one pixel more: above, on the edit's top
        {dpAuto, 30, 800, 150, 199, Bounds(30, 601, 150, 199)},    // the screen height rule put this below, 19 px off
        {dpDown, 30, 900, 150, 300, Bounds(30, 600, 150, 300)},    // does not fit below: above
        {dpDown, 30, 500, 150, 300, Bounds(30, 520, 150, 300)},
        {dpUp, 30, 100, 150, 50, Bounds(30, 50, 150, 50)},
        {dpUp, 30, 10, 150, 50, Bounds(30, 30, 150, 50)},          // no room above: below
        {dpAuto, 30, 400, 150, 900, Bounds(30, 420, 150, 580)},    // neither side: the larger room, that high
        {dpAuto, 30, 600, 150, 900, Bounds(30, 0, 150, 600)},
        {dpAuto, 1200, 100, 200, 100, Bounds(1080, 120, 200, 100)},   // would pass the right edge
        {dpAuto, 1080, 100, 200, 100, Bounds(1080, 120, 200, 100)},   // ends exactly there
        {dpAuto, 1300, 100, 200, 100, Bounds(1080, 120, 200, 100)},   // right of the work area
        {dpAuto, -50, 100, 200, 100, Bounds(0, 120, 200, 100)},       // left of it
    };
    for (const TCase& c : cases) {
        const TRect r = DropDownBounds(c.position, TPoint(c.anchorX, c.anchorY), 21,
                                       TSize(c.popupWidth, c.popupHeight), TRect(0, 0, 1280, 1000));
        EXPECT_EQ(r, c.expected) << c.position << " at " << c.anchorX << "," << c.anchorY << " size "
                                 << c.popupWidth << "x" << c.popupHeight << ": " << r.Left << "," << r.Top << " "
                                 << r.Width() << "x" << r.Height();
    }
    // A work area left of 0 (a second monitor) is one like any other.
    EXPECT_EQ(DropDownBounds(dpAuto, TPoint(-100, 100), 21, TSize(200, 100), TRect(-1024, 0, 0, 768)),
              Bounds(-200, 120, 200, 100));
}

// A drop-down with a plain 120 x 60 content and counters for its events.
class TProbeDropDown : public TFxCustomDropDown {
public:
    explicit TProbeDropDown(QWidget* parent) : TFxCustomDropDown(parent)
    {
        content = new QWidget(DropDownForm());
        content->resize(120, 60);
        SetControl(content);
    }
    QWidget* content;
    int nextItems = 0, prevItems = 0;

protected:
    void SelectNextItem() override { ++nextItems; }
    void SelectPrevItem() override { ++prevItems; }
};

class DropDownTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(400, 300);
        window.move(0, 0);
        dd = new TProbeDropDown(&window);
        dd->SetBounds(20, 30, 150, 21);
        window.show();
        window.activateWindow();
        QApplication::processEvents();
        dd->setFocus();
        dd->OnDropUp = [this](QObject*, bool cancelled) {
            upEvents.push_back(cancelled);
            droppedAtUp = dd->DroppedDown();
        };
    }
    // Handlers of a test capture its locals: the drop-down goes before them.
    void TearDown() override { delete dd; }
    TDropDownForm* popup() const { return dd->DropDownForm(); }
    // The widget keys typed in the popup arrive at.
    QWidget* popupFocus() const
    {
        QWidget* f = QApplication::focusWidget();
        return f && popup()->isAncestorOf(f) ? f : popup();
    }
    void clickButton(Qt::MouseButton button = Qt::LeftButton)
    {
        QWidget* b = dd->Button()->InnerButton();
        QTest::mousePress(b, button, {}, QPoint(5, 5));
        QTest::mouseRelease(b, button, {}, QPoint(5, 5));
    }

    TScopedMonitors monitors{{{TRect(0, 0, 1024, 768), TRect(0, 0, 1024, 740)}}};
    TManualTickSource clock{10000};
    TScopedTickSource scope{clock};
    QWidget window;
    TProbeDropDown* dd = nullptr;
    std::vector<bool> upEvents;
    bool droppedAtUp = true;
};

TEST_F(DropDownTest, NewControlDefaults)
{
    EXPECT_EQ(dd->width(), 150);
    EXPECT_EQ(dd->DropDownButtonWidth(), 17);
    EXPECT_EQ(dd->Button()->width(), 16) << "the container keeps its own width of 16";
    dd->SetDropDownButtonWidth(17);
    EXPECT_EQ(dd->Button()->width(), 16) << "writing the same 17 changes nothing";
    dd->SetDropDownButtonWidth(20);
    EXPECT_EQ(dd->Button()->width(), 20);
    dd->Button()->SetBounds(0, 0, 40, 21);
    EXPECT_EQ(dd->Button()->width(), 20) << "the container's width stays its own";
    EXPECT_EQ(dd->Version(), "1.2.1.4");
    EXPECT_EQ(dd->DropDownColor(), 0xF3E5DAu) << "the Luna style of a new drop-down";
    EXPECT_EQ(dd->SelectionColor(), 0xD7FFFDu);
    EXPECT_EQ(dd->LabelMargin(), 4);
    EXPECT_FALSE(dd->DroppedDown());
}

TEST_F(DropDownTest, OpenAndCloseWithKeysRestoringTheTextOnEscape)
{
    dd->SetText("first");
    dd->SetSel(5, 5);
    QTest::keyClicks(dd, "XY");
    EXPECT_EQ(dd->Text(), "firstXY");

    QTest::keyClick(dd, Qt::Key_F4);
    ASSERT_TRUE(dd->DroppedDown());
    EXPECT_TRUE(popup()->isVisible());
    QTest::keyClick(popupFocus(), Qt::Key_Escape);
    EXPECT_FALSE(popup()->isVisible());
    EXPECT_EQ(dd->Text(), "first") << "the value of the last Text write comes back";
    EXPECT_EQ(upEvents, std::vector<bool>{true});
    EXPECT_FALSE(droppedAtUp) << "DroppedDown is already false for OnDropUp";

    dd->SetSel(5, 5);
    QTest::keyClicks(dd, "Z");
    QTest::keyClick(dd, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(dd->DroppedDown());
    QTest::keyClick(popupFocus(), Qt::Key_Return);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->Text(), "firstZ") << "Enter keeps the text";
    QTest::keyClick(dd, Qt::Key_F4);
    QTest::keyClick(popupFocus(), Qt::Key_F4);
    QTest::keyClick(dd, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(popupFocus(), Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(upEvents, (std::vector<bool>{true, false, false, false}));
    EXPECT_FALSE(dd->DroppedDown());
}

TEST_F(DropDownTest, KeysTypedInThePopupReachTheEdit)
{
    dd->SetText("");
    dd->ShowDropDown();
    ASSERT_TRUE(dd->DroppedDown());
    QTest::keyClicks(popupFocus(), "ab");
    EXPECT_EQ(dd->Text(), "ab");
    QTest::keyClick(popupFocus(), Qt::Key_Backspace);
    EXPECT_EQ(dd->Text(), "a");
    EXPECT_TRUE(dd->DroppedDown());
}

TEST_F(DropDownTest, TheButtonTogglesAndReopensOnlyAfter250ms)
{
    clickButton(Qt::RightButton);
    EXPECT_FALSE(dd->DroppedDown()) << "a right click does nothing";
    QWidget* b = dd->Button()->InnerButton();
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(dd->DroppedDown()) << "the press does not open";
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(dd->DroppedDown()) << "the release does";

    // The press on the button first ends the popup; its release must not reopen it.
    clickButton();
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(upEvents, std::vector<bool>{true}) << "another window taking over cancels";
    clock.Advance(250);
    clickButton();
    EXPECT_FALSE(dd->DroppedDown()) << "250 ms after the close";
    clock.Advance(1);
    clickButton();
    EXPECT_TRUE(dd->DroppedDown()) << "251 ms after the close";
}

TEST_F(DropDownTest, VetoesAndStatesThatKeepThePopupClosed)
{
    int before = 0;
    dd->OnBeforeDropDown = [&](QObject*) { ++before; };
    dd->OnDropDown = [](QObject*, bool& accept) { accept = false; };
    dd->content->resize(130, 70);
    dd->ShowDropDown();
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_FALSE(popup()->isVisible());
    EXPECT_EQ(before, 1) << "OnBeforeDropDown fired first";
    EXPECT_EQ(popup()->size(), QSize(130, 2 + 22 + 70 + 22))
        << "the popup was sized around the content, header and footer already";
    EXPECT_EQ(dd->Control()->parentWidget(), popup());

    dd->OnDropDown = nullptr;
    dd->setEnabled(false);
    clickButton();
    QTest::keyClick(dd, Qt::Key_F4);
    dd->ShowDropDown();
    EXPECT_FALSE(dd->DroppedDown()) << "disabled";
    dd->setEnabled(true);
    dd->SetReadOnly(true);
    clickButton();
    QTest::keyClick(dd, Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(dd->DroppedDown()) << "read-only";
}

TEST_F(DropDownTest, PopupSizeComesFromTheContentAndTheUserAndKeepsAMinimum)
{
    dd->ShowDropDown();
    // Content 120 x 60 plus the frame; header and footer are visible by default.
    const int expectedHeight = 2 + 22 + 22 + 60;
    EXPECT_EQ(popup()->size(), QSize(120, expectedHeight));
    popup()->resize(300, 180);
    dd->HideDropDown(false);
    dd->ShowDropDown();
    EXPECT_EQ(popup()->size(), QSize(300, 180)) << "the size the user gave it";
    dd->HideDropDown(false);
    dd->SetDropDownWidth(0);
    dd->ShowDropDown();
    EXPECT_EQ(popup()->size(), QSize(300, 180)) << "writing the same width forgets nothing";
    dd->HideDropDown(false);
    dd->SetDropDownWidth(250);
    dd->ShowDropDown();
    EXPECT_EQ(popup()->width(), 250) << "a new width is used again";
    popup()->resize(10, 10);
    EXPECT_EQ(popup()->size(), QSize(80, 50)) << "never below 80 x 50";
}

TEST_F(DropDownTest, OpensBelowOrAboveOnTheScreen)
{
    TScopedMonitors screen({{TRect(0, 0, 1024, 400), TRect(0, 0, 1024, 380)}});
    dd->SetDropDownHeight(100);
    window.setGeometry(0, 0, 400, 400);
    dd->SetBounds(20, 30, 150, 21);
    QApplication::processEvents();
    const QPoint at = dd->mapToGlobal(QPoint(0, 0));
    dd->ShowDropDown();
    EXPECT_EQ(popup()->geometry().topLeft(), at + QPoint(0, 20)) << "below, over the edit's last pixel row";
    dd->HideDropDown(false);

    dd->SetBounds(20, 320, 150, 21);
    QApplication::processEvents();
    const QPoint low = dd->mapToGlobal(QPoint(0, 0));
    ASSERT_GE(low.y() + 100, 400);
    dd->ShowDropDown();
    EXPECT_EQ(popup()->geometry().topLeft(), low - QPoint(0, 100)) << "above, its bottom on the edit's top";
    EXPECT_EQ(popup()->geometry().bottom() + 1, low.y());
}

TEST_F(DropDownTest, APopupNeverRunsPastTheWorkArea)
{
    // Work area 380 high; the edit's bottom row at 359.
    TScopedMonitors screen({{TRect(0, 0, 1024, 400), TRect(0, 0, 1024, 380)}});
    window.setGeometry(0, 0, 400, 400);
    QApplication::processEvents();
    const int top = 380 - 100 - 20 + 9 - window.mapToGlobal(QPoint(0, 0)).y();
    struct TCase {
        TDropPosition position;
        int editTop;
    };
    // dpAuto compared the popup with the screen's height (400): these opened
    // below and ran 9 pixels past the work area (and dpDown anywhere).
    for (const TCase& c : {TCase{dpAuto, top}, TCase{dpDown, top}, TCase{dpDown, top + 20}}) {
        dd->SetDropPosition(c.position);
        dd->SetDropDownHeight(100);
        dd->SetBounds(20, c.editTop, 150, 21);
        QApplication::processEvents();
        const QPoint at = dd->mapToGlobal(QPoint(0, 0));
        dd->ShowDropDown();
        const QRect g = popup()->geometry();
        EXPECT_LE(g.bottom() + 1, 380) << c.position << " edit at " << at.y();
        EXPECT_EQ(g.bottom() + 1, at.y()) << "above, on the edit's top";
        EXPECT_EQ(g.height(), 100);
        dd->HideDropDown(false);
    }
}

TEST_F(DropDownTest, NonTypingEditOpensOnAClickAndIgnoresTyping)
{
    dd->SetEditorEnabled(false);
    dd->SetText("fixed");
    QTest::keyClicks(dd, "abc");
    EXPECT_EQ(dd->Text(), "fixed");
    QTest::mouseClick(dd, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_TRUE(dd->DroppedDown()) << "a click anywhere opens it";
}

TEST_F(DropDownTest, WheelMovesTheSelectionOfDescendants)
{
    QWheelEvent down(QPointF(5, 5), dd->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(dd, &down);
    QWheelEvent up(QPointF(5, 5), dd->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(dd, &up);
    dd->ShowDropDown();
    QWheelEvent overPopup(QPointF(5, 5), popup()->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(popup(), &overPopup);
    EXPECT_EQ(dd->nextItems, 2);
    EXPECT_EQ(dd->prevItems, 1);
}

TEST_F(DropDownTest, LayoutButtonAndMinimumHeight)
{
    dd->SetBounds(20, 30, 150, 10);
    EXPECT_EQ(dd->height(), dd->GetMinHeight()) << "a low edit grows to its minimum";
    dd->SetBounds(20, 30, 150, 24);
    const QRect b = dd->Button()->geometry();
    EXPECT_EQ(b.right(), dd->width() - 1 - (dd->height() - b.height()) / 2) << "inside the right border";
    EXPECT_EQ(b.height() + 2 * b.y(), dd->height()) << "spans the height less the border";
    EXPECT_EQ(dd->EditRect().Right, dd->width() - 2 * b.y() - b.width() - 3);
}

TEST_F(DropDownTest, LabelBesideTheEdit)
{
    dd->SetLabelCaption("Name");
    QLabel* label = dd->EditLabel();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->parentWidget(), &window);
    const int captionWidth = QFontMetrics(label->font()).horizontalAdvance("Name");
    EXPECT_NEAR(label->x(), 20 - captionWidth - 4, 1) << "the caption's width and the margin of 4";
    EXPECT_EQ(label->y(), 30);

    struct TCase {
        FxDropDown::TLabelPosition position;
        int left, top;   // with L 20, T 30, W 150, H 21, label w x h, margin 4
    };
    const int w = label->width(), h = label->height();
    const TCase cases[] = {
        {FxDropDown::lpTopLeft, 20, 30 - h - 4},
        {FxDropDown::lpBottomRight, 20 + 150 - w, 30 + 21 + 4},
        {FxDropDown::lpRightCenter, 20 + 150 + 4, 30 + (21 - h) / 2},
        {FxDropDown::lpLeftTopLeft, 20 - 4, 30},
        {FxDropDown::lpTopCenter, 20 + (150 - w) / 2, 30 - h - 4},
    };
    for (const TCase& c : cases) {
        dd->SetLabelPosition(c.position);
        EXPECT_EQ(label->pos(), QPoint(c.left, c.top)) << c.position;
    }
    // A label taller than the edit stands above its top by half the difference.
    TFont big;
    big.Size = 28;
    dd->SetLabelFont(big);
    dd->SetLabelPosition(FxDropDown::lpRightCenter);
    ASSERT_GT(label->height(), 21);
    EXPECT_EQ(label->y(), 30 - (label->height() - 21) / 2);
    dd->SetBounds(40, 60, 150, 21);
    EXPECT_EQ(label->x(), 40 + 150 + 4) << "the label follows the edit";

    int clicks = 0;
    dd->OnLabelClick = [&](QObject*) { ++clicks; };
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

TEST_F(DropDownTest, ClipboardEventsAndVetoes)
{
    dd->SetText("hello world");
    dd->SetSel(0, 5);
    std::vector<QString> copies, cuts;
    dd->OnClipboardCopy = [&](QObject*, const QString& v, bool&) { copies.push_back(v); };
    dd->OnClipboardCut = [&](QObject*, const QString& v, bool& allow) {
        cuts.push_back(v);
        allow = v != "world";
    };
    QTest::keyClick(dd, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(cuts, std::vector<QString>{"hello"});
    EXPECT_TRUE(copies.empty()) << "a cut raises no copy event";
    EXPECT_EQ(Clipboard().AsText(), "hello");
    dd->SetSel(1, 6);
    QTest::keyClick(dd, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(dd->Text(), " world") << "the vetoed cut leaves the text";
    dd->SetSel(0, 3);
    QTest::keyClick(dd, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copies, std::vector<QString>{" wo"});

    dd->OnClipboardPaste = [](QObject*, const QString& v, bool& allow) { allow = !v.contains(u'!'); };
    Clipboard().SetAsText("!");
    dd->SetSel(0, 0);
    QTest::keyClick(dd, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(dd->Text(), " world");
    Clipboard().SetAsText("big");
    QTest::keyClick(dd, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(dd->Text(), "big world");
}

TEST_F(DropDownTest, MoneyTypedAndFormattedOnFocusLoss)
{
    testsupport::FormatSettingsGuard guard;
    FormatSettings().DecimalSeparator = QLatin1Char(',');
    FormatSettings().ThousandSeparator = QLatin1Char('.');
    dd->SetEditType(etMoney);
    dd->SetPrecision(2);
    dd->SetTextUnformatted("");
    int changes = 0;
    dd->OnChange = [&](QObject*) { ++changes; };
    QTest::keyClicks(dd, "1234567");
    EXPECT_EQ(dd->EditText(), "1.234.567");
    EXPECT_EQ(dd->CaretPos(), 9);
    EXPECT_EQ(changes, 7) << "one change per digit: the regrouping raises none of its own";
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(dd, &out);
    EXPECT_EQ(dd->EditText(), "1.234.567,00");
    EXPECT_TRUE(dd->Modified());
}

TEST_F(DropDownTest, SignToggleKeepsTheCaretInTheWidget)
{
    dd->SetEditType(etNumeric);
    dd->Value().SetSigned(true);
    dd->SetText("42");
    dd->SetSel(1, 1);
    QTest::keyClicks(dd, "-");
    EXPECT_EQ(dd->Text(), "-42");
    EXPECT_EQ(dd->CaretPos(), 2);
}

TEST_F(DropDownTest, AssignCopiesTheDropDownSettings)
{
    TProbeDropDown other(&window);
    other.SetDropDownWidth(321);
    other.SetDropDownColor(0x123456);
    other.SetEditType(etFloat);
    other.Value().SetPrefix("$");
    other.DropDownHeader().Caption = "Head";
    other.SetDropDownButtonWidth(22);
    other.SetBorderColor(0x0000FF);
    other.SetText("x");
    dd->Assign(other);
    EXPECT_EQ(dd->DropDownWidth(), 321);
    EXPECT_EQ(dd->DropDownColor(), 0x123456u);
    EXPECT_EQ(dd->EditType(), etFloat);
    EXPECT_EQ(dd->Value().Prefix(), "$");
    EXPECT_EQ(dd->DropDownHeader().Caption, "Head");
    EXPECT_EQ(dd->DropDownButtonWidth(), 22);
    EXPECT_EQ(dd->BorderColor(), clNone) << "border colours are not copied";
}

// ---- painting --------------------------------------------------------------------------

TEST_F(DropDownTest, PopupFrameAndBackground)
{
    dd->DropDownHeader().SetVisible(false);
    dd->DropDownFooter().SetVisible(false);
    dd->SetDropDownBorderWidth(3);
    dd->SetDropDownBorderColor(0x000000);
    dd->SetDropDownColor(0xFFFFFF);
    dd->SetDropDownColorTo(clNone);
    dd->content->hide();
    dd->SetDropDownWidth(100);
    dd->SetDropDownHeight(60);
    dd->ShowDropDown();
    const QImage img = popup()->grab().toImage();
    using testsupport::colorIs;
    EXPECT_EQ(FromQColor(img.pixelColor(0, 30)), 0u);
    EXPECT_EQ(FromQColor(img.pixelColor(2, 30)), 0u);
    EXPECT_EQ(FromQColor(img.pixelColor(3, 30)), 0xFFFFFFu) << "the frame is 3 pixels wide";
    EXPECT_EQ(FromQColor(img.pixelColor(50, 2)), 0u);
    EXPECT_EQ(FromQColor(img.pixelColor(50, 3)), 0xFFFFFFu);
    EXPECT_EQ(testsupport::countPixels(img, colorIs(0xFFFFFF), QRect(3, 3, 94, 54)), 94 * 54) << "plain white inside";

    dd->HideDropDown(false);
    dd->SetDropDownColorTo(0xF0DED0);
    dd->ShowDropDown();
    const QImage gradient = popup()->grab().toImage();
    EXPECT_EQ(FromQColor(gradient.pixelColor(3, 30)), 0xFFFFFFu) << "the gradient starts at the colour";
    EXPECT_NE(FromQColor(gradient.pixelColor(95, 30)), 0xFFFFFFu) << "and runs to the end colour";
}

TEST_F(DropDownTest, BorderColours)
{
    dd->SetBorderColor(0x0000FF);
    const QImage red = dd->grab().toImage();
    EXPECT_EQ(FromQColor(red.pixelColor(0, 10)), 0x0000FFu);
    EXPECT_EQ(FromQColor(red.pixelColor(60, 0)), 0x0000FFu);
    dd->SetBorderColor(clNone);
    dd->setEnabled(false);
    const QImage disabled = dd->grab().toImage();
    EXPECT_EQ(FromQColor(disabled.pixelColor(0, 10)), 0xC0C0C0u) << "a disabled themed edit has a grey frame";
}

TEST_F(DropDownTest, ColorTonesColourTheButtonAndBorder)
{
    TColorTones tones;
    tones.Background = {0x00FF00, 0x0000FF, clNone};
    tones.Hover = {0xFF0000, clNone, clNone};
    tones.Selected = {0x00FFFF, clNone, clNone};
    dd->SetColorTones(tones);
    EXPECT_EQ(dd->BorderColor(), 0x0000FFu);
    EXPECT_EQ(dd->Button()->ButtonColor, 0x00FF00u);
    EXPECT_EQ(dd->Button()->ButtonColorHot, 0xFF0000u);
    EXPECT_EQ(dd->Button()->ButtonColorDown, 0x00FFFFu);
    const QImage img = dd->Button()->InnerButton()->grab().toImage();
    EXPECT_EQ(FromQColor(img.pixelColor(0, 5)), 0x0000FFu) << "a separator line in the edit's border colour";
    EXPECT_EQ(FromQColor(img.pixelColor(3, 3)), 0x00FF00u) << "a flat face";
    EXPECT_EQ(FromQColor(img.pixelColor(8, 8)), 0x000000u) << "the arrow";
}

} // namespace
