// Behaviour of the push button control: defaults, presets and kinds, clicks by
// mouse, keys and accelerator, the hover fade, and the dialog keys of a modal
// window that end it with the button's modal result.
#include "controls/buttons/LbButton.h"
#include "controls/buttons/LbButtonFace.h"
#include "framework/Canvas.h"
#include "framework/Forms.h"
#include "framework/SysColors.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

using fw::TColor;

namespace {

void enter(QWidget* w)
{
    QEnterEvent e(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(w, &e);
}

void leave(QWidget* w)
{
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(w, &e);
}

TColor faceAt(TLbButton& b, int x, int y)
{
    fw::TBitmap bmp(b.width(), b.height());
    b.PaintTo(bmp.Canvas());
    return bmp.Canvas().Pixel(x, y);
}

// A window with a text field and buttons, shown so that enter/leave and
// focus behave as on screen.
struct Window {
    fw::TForm form;
    QLineEdit* edit;
    TLbButton* ok;
    TLbButton* cancel;
    int okClicks = 0;
    int cancelClicks = 0;
    Window()
    {
        form.SetClientSize(300, 120);
        edit = new QLineEdit(&form);
        edit->setGeometry(10, 10, 150, 22);
        ok = new TLbButton(&form);
        ok->move(10, 60);
        ok->SetCaption(QStringLiteral("OK"));
        ok->SetModalResult(fw::mrOk);
        ok->OnClick = [this](TLbButton*) { ++okClicks; };
        cancel = new TLbButton(&form);
        cancel->move(120, 60);
        cancel->SetCaption(QStringLiteral("Abbrechen"));
        cancel->SetModalResult(fw::mrCancel);
        cancel->OnClick = [this](TLbButton*) { ++cancelClicks; };
    }
    void activate()
    {
        form.show();
        form.activateWindow();
        QApplication::setActiveWindow(&form);
        (void)QTest::qWaitForWindowActive(&form, 1000);
    }
    // Runs the window modally; `whileModal` runs inside the modal loop, with
    // the window active so keys reach it. A loop left open fails the test.
    fw::TModalResult runModal(std::function<void()> whileModal)
    {
        return testsupport::runModal(form, [this, whileModal] {
            form.activateWindow();
            QApplication::setActiveWindow(&form);
            whileModal();
        });
    }
};

} // namespace

TEST(LbButton, NewButtonDefaults)
{
    TLbButton b;
    EXPECT_EQ(b.width(), 100);
    EXPECT_EQ(b.height(), 23);
    EXPECT_EQ(b.Color(), fw::clBtnFace);
    EXPECT_EQ(b.Alignment(), fw::taCenter);
    EXPECT_FALSE(b.Default());
    EXPECT_FALSE(b.Cancel());
    EXPECT_EQ(b.NumGlyphs(), 0);
    EXPECT_TRUE(b.Glyph().Empty());
    EXPECT_EQ(b.Kind(), bkCustom);
    EXPECT_EQ(b.Style(), bsNormal);
    EXPECT_EQ(b.Layout(), blGlyphLeft);
    EXPECT_EQ(b.LightColor(), TColor(0xFFFFFF));
    EXPECT_EQ(b.ShadowColor(), TColor(0x808080));
    EXPECT_EQ(b.ColorWhenDown(), fw::clNone);
    EXPECT_EQ(b.HotTrackColor(), fw::clNone);
    EXPECT_EQ(b.ModalResult(), fw::mrNone);
    EXPECT_FALSE(b.SlowDecease());
    EXPECT_TRUE(b.HasFadeTimer());
    EXPECT_FALSE(b.FadeRunning());
    EXPECT_EQ(b.focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(faceAt(b, 50, 11), fw::ColorToRGB(fw::clBtnFace));
}

TEST(LbButton, ColorPresets)
{
    struct Case {
        TLbColorStyle preset;
        TColor color, light, shadow, down, hot;
        TLbButtonStyle style;
        bool flat;
        TColor font;
    };
    const TColor none = fw::clNone;
    const Case cases[] = {
        {lcsGold, 0x00C0C0, 0x00FFFF, 0x008080, none, 0x00DFDF, bsModern, false, 0},
        {lcsChrome, 0xC0C0C0, 0xFFFFFF, 0x808080, none, none, bsModern, false, 0},
        {lcsBlue, 0xFF8000, 0xFFFF00, 0xFF0000, none, none, bsModern, false, 0},
        {lcsRed, 0x0000FF, 0xC0C0FF, 0x0000C0, none, none, bsModern, false, 0},
        {lcsUltraFlat1, fw::clBtnFace, 0xB59284, 0xB59284, 0xB59284, 0xDED3D6, bsNormal, true, 0},
        {lcsUltraFlat2, fw::clBtnFace, 0x000000, 0x000000, 0x24DABC, 0x8CF6E4, bsNormal, true, 0},
        {lcsUltraFlatXP, 0xD1D8DB, 0xB59284, 0xB59285, 0xB59285, 0xD2BDB6, bsNormal, true, 0},
        {lcsAqua, 0xECCE94, 0xFCE6D4, 0x000000, none, none, bsModern, false, 0},
        {lcsDefault, fw::clBtnFace, 0xFFFFFF, 0x808080, none, none, bsNormal, false, 0},
        {lcsQuicken, 0x603000, 0xC0C0C0, 0xC0C0C0, 0xAD6529, 0xCEAE9C, bsQuicken, false, 0xFFFFFF},
    };
    for (const Case& c : cases) {
        TLbButton b;
        // Start from values every preset overwrites.
        b.SetStyle(bsShape);
        b.SetFlat(!c.flat);
        fw::TFont font = b.Font();
        font.Color = 0x123456;
        b.SetFont(font);
        b.SetColorStyle(c.preset);
        EXPECT_EQ(b.ColorStyle(), lcsCustom);
        EXPECT_EQ(b.Color(), c.color) << c.preset;
        EXPECT_EQ(b.LightColor(), c.light) << c.preset;
        EXPECT_EQ(b.ShadowColor(), c.shadow) << c.preset;
        EXPECT_EQ(b.ColorWhenDown(), c.down) << c.preset;
        EXPECT_EQ(b.HotTrackColor(), c.hot) << c.preset;
        EXPECT_EQ(b.Style(), c.style) << c.preset;
        EXPECT_EQ(b.Flat(), c.flat) << c.preset;
        EXPECT_EQ(b.Font().Color, c.font) << c.preset;
    }

    TLbButton custom;
    custom.SetColor(0x010203);
    custom.SetStyle(bsOld);
    custom.SetColorStyle(lcsCustom);
    EXPECT_EQ(custom.Color(), TColor(0x010203));
    EXPECT_EQ(custom.Style(), bsOld);
}

TEST(LbButton, KindsSetCaptionModalResultAndGlyph)
{
    struct Case {
        TLbButtonKind kind;
        const char* caption;
        int modalResult;
        int glyphHeight;
    };
    const Case cases[] = {
        {bkOK, "OK", 1, 18},          {bkCancel, "Abbrechen", 2, 18}, {bkHelp, "Hilfe", 0, 18},
        {bkYes, "Ja", 6, 18},         {bkNo, "Nein", 7, 18},          {bkClose, "Schlie\u00DFen", 0, 18},
        {bkAbort, "Abbrechen", 3, 18}, {bkRetry, "Wiederholen", 4, 18}, {bkIgnore, "Ignorieren", 5, 18},
        {bkAll, "Alle", 12, 19},
    };
    for (const Case& c : cases) {
        TLbButton b;
        b.SetKind(c.kind);
        EXPECT_EQ(b.Kind(), c.kind);
        EXPECT_EQ(b.Caption(), QString::fromUtf8(c.caption));
        EXPECT_EQ(b.ModalResult(), c.modalResult) << c.caption;
        EXPECT_EQ(b.NumGlyphs(), 2) << c.caption;
        EXPECT_EQ(b.Glyph().Width(), 36) << c.caption;
        EXPECT_EQ(b.Glyph().Height(), c.glyphHeight) << c.caption;
    }

    TLbButton b;
    b.SetKind(bkCancel);
    b.SetModalResult(fw::mrOk);
    EXPECT_EQ(b.Kind(), bkCustom);
    EXPECT_EQ(b.Caption(), QStringLiteral("Abbrechen"));

    b.SetKind(bkOK);
    b.SetKind(bkCustom);
    EXPECT_EQ(b.Kind(), bkCustom);
    EXPECT_EQ(b.Caption(), QStringLiteral("OK")) << "bkCustom changes nothing else";
}

TEST(LbButton, GlyphSetsNumGlyphsAndCustomKind)
{
    TLbButton b;
    b.SetKind(bkYes);
    fw::TBitmap strip(54, 18);
    b.SetGlyph(&strip);
    EXPECT_EQ(b.NumGlyphs(), 3);
    EXPECT_EQ(b.Kind(), bkCustom);
    EXPECT_EQ(b.Glyph().Width(), 54);

    fw::TBitmap narrow(10, 20);
    b.SetGlyph(&narrow);
    EXPECT_EQ(b.NumGlyphs(), 0);

    b.SetGlyph(nullptr);
    EXPECT_TRUE(b.Glyph().Empty());
    EXPECT_EQ(b.NumGlyphs(), 0);
}

TEST(LbButton, MouseClickRunsOnClickOnlyWhenEnabled)
{
    Window w;
    w.activate();
    QTest::mouseClick(w.ok, Qt::LeftButton);
    EXPECT_EQ(w.okClicks, 1);
    EXPECT_FALSE(w.ok->Pressed());
    EXPECT_EQ(w.form.ModalResult(), fw::mrOk) << "a modeless window keeps the result";

    w.ok->setEnabled(false);
    QTest::mouseClick(w.ok, Qt::LeftButton);
    EXPECT_EQ(w.okClicks, 1);

    w.ok->setEnabled(true);
    QTest::mouseClick(w.ok, Qt::RightButton);
    EXPECT_EQ(w.okClicks, 1) << "only the left button clicks";
}

TEST(LbButton, PressedLookWhileTheMouseButtonIsDown)
{
    Window w;
    w.activate();
    w.ok->SetColorWhenDown(0x0080FF);
    QTest::mousePress(w.ok, Qt::LeftButton);
    EXPECT_TRUE(w.ok->Pressed());
    EXPECT_TRUE(w.ok->hasFocus());
    EXPECT_EQ(faceAt(*w.ok, 8, 11), TColor(0x0080FF));
    QTest::mouseRelease(w.ok, Qt::LeftButton);
    EXPECT_EQ(w.okClicks, 1);
    EXPECT_EQ(faceAt(*w.ok, 8, 11), fw::ColorToRGB(fw::clBtnFace));
}

TEST(LbButton, OnlyAReleaseOverTheButtonClicks)
{
    // Sent to the window, so Qt routes them as on screen: the button that got
    // the press keeps the mouse until the release, wherever that happens.
    const QPoint over(40, 70);      // inside OK (10, 60, 100 x 23)
    const QPoint outside(40, 20);   // on the text field
    const QPoint beside(115, 70);   // the gap between the two buttons
    struct Case {
        const char* name;
        QPoint press;
        std::vector<QPoint> moves;
        QPoint release;
        int clicks;
    } cases[] = {
        {"press and release over it", over, {}, over, 1},
        {"dragged off and released outside", over, {outside}, outside, 0},
        {"released just beside it", over, {beside}, beside, 0},
        {"pressed outside, released over it", outside, {over}, over, 0},
        {"dragged off and back", over, {outside, over}, over, 1},
    };
    for (const Case& c : cases) {
        Window w;
        w.activate();
        QWindow* win = w.form.windowHandle();
        ASSERT_NE(win, nullptr);
        QTest::mousePress(win, Qt::LeftButton, {}, c.press);
        for (const QPoint& p : c.moves) {
            QTest::mouseMove(win, p);
            EXPECT_EQ(w.ok->Pressed(), c.press == over && p == over)
                << c.name << ": the face shows down only while the pointer is over it";
        }
        QTest::mouseRelease(win, Qt::LeftButton, {}, c.release);
        EXPECT_EQ(w.okClicks, c.clicks) << c.name;
        EXPECT_EQ(w.cancelClicks, 0) << c.name;
        EXPECT_FALSE(w.ok->Pressed()) << c.name;
    }
}

TEST(LbButton, MouseReleaseAfterAKeyPressDoesNotClick)
{
    // The pressed flag of a held Space is not a mouse press on the button.
    Window w;
    w.activate();
    w.ok->setFocus();
    QTest::keyPress(w.ok, Qt::Key_Space);
    QTest::mouseRelease(w.ok, Qt::LeftButton);
    EXPECT_EQ(w.okClicks, 0);
}

TEST(LbButton, SpaceAndEnterClickTheFocusedButton)
{
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
        Window w;
        w.activate();
        w.ok->setFocus();
        QTest::keyPress(w.ok, key);
        EXPECT_TRUE(w.ok->Pressed()) << key;
        EXPECT_EQ(w.okClicks, 0) << key;
        QTest::keyRelease(w.ok, key);
        EXPECT_EQ(w.okClicks, 1) << key;
        EXPECT_EQ(w.cancelClicks, 0) << key;
    }
}

TEST(LbButton, KeyReleaseWithoutPressDoesNotClick)
{
    // The release of a key whose press went elsewhere (and, say, closed
    // another window) must not click the button that has the focus now.
    Window w;
    w.activate();
    w.ok->setFocus();
    QTest::keyRelease(w.ok, Qt::Key_Return);
    QTest::keyRelease(w.ok, Qt::Key_Space);
    EXPECT_EQ(w.okClicks, 0);
}

TEST(LbButton, AcceleratorClicks)
{
    Window w;
    w.ok->SetCaption(QStringLiteral("&Go"));
    w.activate();
    w.edit->setFocus();
    QTest::keyClick(w.edit, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(w.okClicks, 1);

    w.ok->setEnabled(false);
    QTest::keyClick(w.edit, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(w.okClicks, 1);
}

TEST(LbButton, PlainLetterIsAnAcceleratorWhileAButtonHasTheFocus)
{
    Window w;
    w.ok->SetCaption(QStringLiteral("&Go"));
    w.cancel->SetCaption(QStringLiteral("Save && &quit"));
    w.activate();
    w.ok->setFocus();
    QTest::keyClick(w.ok, Qt::Key_S);   // "&&" is no accelerator
    QTest::keyClick(w.ok, Qt::Key_Q);
    EXPECT_EQ(w.cancelClicks, 1);
    EXPECT_EQ(w.okClicks, 0);
    QTest::keyClick(w.ok, Qt::Key_G);
    EXPECT_EQ(w.okClicks, 1);

    // Typed into a text field the letter is text.
    w.edit->setFocus();
    QTest::keyClick(w.edit, Qt::Key_G);
    EXPECT_EQ(w.okClicks, 1);
    EXPECT_EQ(w.edit->text(), QStringLiteral("g"));
}

TEST(LbButton, PopupMenuOpensBelowTheButton)
{
    Window w;
    QMenu menu;
    menu.addAction(QStringLiteral("Eins"));
    w.ok->SetPopupMenu(&menu);
    w.activate();
    QTest::mouseClick(w.ok, Qt::LeftButton);
    EXPECT_EQ(w.okClicks, 1);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.pos(), w.ok->mapToGlobal(QPoint(0, w.ok->height())));
    menu.hide();
}

TEST(LbButton, HoverWithoutSlowDeceaseDropsAtOnce)
{
    Window w;
    w.ok->SetHotTrackColor(fw::clYellow);
    int entered = 0, exited = 0;
    w.ok->OnMouseEnter = [&](TLbButton*) { ++entered; };
    w.ok->OnMouseExit = [&](TLbButton*) { ++exited; };
    w.activate();
    enter(w.ok);
    EXPECT_TRUE(w.ok->MouseInside());
    EXPECT_EQ(w.ok->HotTrackStep(), 8);
    EXPECT_EQ(faceAt(*w.ok, 8, 11), fw::clYellow);
    leave(w.ok);
    EXPECT_FALSE(w.ok->MouseInside());
    EXPECT_EQ(w.ok->HotTrackStep(), 0);
    EXPECT_FALSE(w.ok->FadeRunning());
    EXPECT_EQ(faceAt(*w.ok, 8, 11), fw::ColorToRGB(fw::clBtnFace));
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(exited, 1);

    w.ok->setEnabled(false);
    enter(w.ok);
    EXPECT_EQ(w.ok->HotTrackStep(), 0) << "a disabled button does not light up";
    EXPECT_EQ(entered, 1);
}

TEST(LbButton, HiddenWhileHotShowsItsPlainFaceWhenShownAgain)
{
    for (bool slow : {false, true}) {
        Window w;
        w.ok->SetHotTrackColor(fw::clYellow);
        w.ok->SetSlowDecease(slow);
        w.activate();
        enter(w.ok);
        ASSERT_EQ(faceAt(*w.ok, 8, 11), fw::clYellow);
        w.form.hide();  // the window ends while the pointer is on the button
        w.activate();
        EXPECT_FALSE(w.ok->MouseInside()) << "slow decease " << slow;
        EXPECT_EQ(w.ok->HotTrackStep(), 0) << "slow decease " << slow;
        EXPECT_EQ(faceAt(*w.ok, 8, 11), fw::ColorToRGB(fw::clBtnFace)) << "slow decease " << slow;
    }
}

TEST(LbButton, SlowDeceaseFadesInEightTicks)
{
    Window w;
    w.ok->SetColor(0x000000);
    w.ok->SetHotTrackColor(0xFFFFFF);
    w.ok->SetSlowDecease(true);
    w.activate();
    enter(w.ok);
    leave(w.ok);
    EXPECT_TRUE(w.ok->FadeRunning());
    EXPECT_EQ(w.ok->HotTrackStep(), 8);
    for (int step = 7; step >= 0; --step) {
        w.ok->FadeTick();
        EXPECT_EQ(w.ok->HotTrackStep(), step);
        EXPECT_EQ(faceAt(*w.ok, 8, 11), BlendLbHotTrackColor(0x000000, 0xFFFFFF, step)) << "step " << step;
    }
    EXPECT_FALSE(w.ok->FadeRunning()) << "stops when the face is back to Color";

    // Entering during a fade starts it over from full hot-track colour.
    enter(w.ok);
    leave(w.ok);
    w.ok->FadeTick();
    w.ok->FadeTick();
    enter(w.ok);
    EXPECT_EQ(w.ok->HotTrackStep(), 8);
    EXPECT_TRUE(w.ok->FadeRunning());
    w.ok->FadeTick();
    EXPECT_EQ(w.ok->HotTrackStep(), 7);
}

TEST(LbButton, FadeTimerTicksEveryThirtyMilliseconds)
{
    Window w;
    w.ok->SetSlowDecease(true);
    w.activate();
    enter(w.ok);
    leave(w.ok);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.ok->FadeRunning(); }, 2000));
    EXPECT_EQ(w.ok->HotTrackStep(), 0);
}

TEST(LbButton, ClearingSlowDeceaseRemovesTheTimer)
{
    TLbButton b;
    b.SetSlowDecease(true);
    EXPECT_TRUE(b.HasFadeTimer());
    b.SetSlowDecease(false);
    EXPECT_FALSE(b.HasFadeTimer());
    EXPECT_EQ(b.HotTrackStep(), 0);
    b.FadeTick();   // harmless without a timer
    EXPECT_EQ(b.HotTrackStep(), 0);
    b.SetSlowDecease(true);
    EXPECT_TRUE(b.HasFadeTimer());
    EXPECT_FALSE(b.FadeRunning());
}

TEST(LbButton, FocusShowsHotFaceAndFocusRectangleExceptForShapes)
{
    Window w;
    w.activate();
    w.ok->setFocus();
    ASSERT_TRUE(w.ok->hasFocus());
    fw::TBitmap bmp(100, 23);
    w.ok->PaintTo(bmp.Canvas());
    // The focus rectangle is dotted: some pixels of its top edge differ from the face.
    int dotted = 0;
    for (int x = 4; x < 96; ++x)
        dotted += bmp.Canvas().Pixel(x, 4) != fw::ColorToRGB(fw::clBtnFace);
    EXPECT_GT(dotted, 20);

    w.ok->SetStyle(bsShape);
    fw::TBitmap shape(100, 23);
    w.ok->PaintTo(shape.Canvas());
    dotted = 0;
    for (int x = 4; x < 96; ++x)
        dotted += shape.Canvas().Pixel(x, 4) == fw::clBlack;
    EXPECT_EQ(dotted, 0);
}

TEST(LbButton, FocusedOldStyleSitsInABlackFrame)
{
    Window w;
    w.ok->SetStyle(bsOld);
    w.ok->SetCaption(QString());
    w.activate();
    w.ok->setFocus();
    fw::TBitmap bmp(100, 23);
    w.ok->PaintTo(bmp.Canvas());
    fw::TCanvas& c = bmp.Canvas();
    EXPECT_EQ(c.Pixel(0, 0), fw::clBlack);
    EXPECT_EQ(c.Pixel(99, 22), fw::clBlack);
    EXPECT_EQ(c.Pixel(1, 10), TColor(0xFFFFFF)) << "the face's light edge, one pixel in";
    EXPECT_EQ(c.Pixel(98, 10), fw::ColorToRGB(fw::cl3DDkShadow));
}

TEST(LbButton, SeeThroughStylesLeaveTheirCornersToTheParent)
{
    TLbButton b;
    b.SetStyle(bsModern);
    fw::TBitmap bmp(100, 23);
    bmp.Canvas().Brush().Color = 0x00FF00;
    bmp.Canvas().FillRect(fw::TRect(0, 0, 100, 23));
    b.PaintTo(bmp.Canvas());
    EXPECT_EQ(bmp.Canvas().Pixel(0, 0), TColor(0x00FF00));
    EXPECT_EQ(bmp.Canvas().Pixel(0, 11), TColor(0x808080));
}

TEST(LbButton, ClickOfHiddenButtonLeavesNoPressedLook)
{
    TLbButton b;
    int clicks = 0;
    b.OnClick = [&](TLbButton*) { ++clicks; };
    b.hide();
    b.Click();
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(b.Pressed());
}

// ---------------------------------------------------------------- modal window keys

TEST(LbButtonDialog, EnterClicksTheDefaultButtonAndEndsTheWindow)
{
    Window w;
    w.ok->SetDefault(true);
    w.cancel->SetCancel(true);
    bool stillModalInClick = false;
    w.ok->OnClick = [&](TLbButton*) {
        ++w.okClicks;
        stillModalInClick = w.form.Modal() && w.form.ModalResult() == fw::mrNone;
    };
    const fw::TModalResult result = w.runModal([&] {
        w.edit->setFocus();
        QTest::keyClick(w.edit, Qt::Key_Return);
    });
    EXPECT_EQ(result, fw::mrOk);
    EXPECT_EQ(w.okClicks, 1);
    EXPECT_EQ(w.cancelClicks, 0);
    EXPECT_TRUE(stillModalInClick) << "OnClick runs before the result is set";
}

TEST(LbButtonDialog, EscClicksTheCancelButton)
{
    Window w;
    w.ok->SetDefault(true);
    w.cancel->SetCancel(true);
    const fw::TModalResult result = w.runModal([&] {
        w.edit->setFocus();
        QTest::keyClick(w.edit, Qt::Key_Escape);
    });
    EXPECT_EQ(result, fw::mrCancel);
    EXPECT_EQ(w.cancelClicks, 1);
    EXPECT_EQ(w.okClicks, 0);
}

TEST(LbButtonDialog, EscWithAModifierDoesNotCancel)
{
    for (Qt::KeyboardModifier mod : {Qt::ShiftModifier, Qt::ControlModifier}) {
        Window w;
        w.cancel->SetCancel(true);
        bool stillOpen = false;
        const fw::TModalResult result = w.runModal([&] {
            w.edit->setFocus();
            QTest::keyClick(w.edit, Qt::Key_Escape, mod);
            stillOpen = w.form.Modal();
            w.form.SetModalResult(fw::mrNo);
        });
        EXPECT_TRUE(stillOpen) << mod;
        EXPECT_EQ(result, fw::mrNo);
        EXPECT_EQ(w.cancelClicks, 0);
    }
}

TEST(LbButtonDialog, EnterIsLeftToAFocusedButtonOfAnyButtonClass)
{
    struct Case {
        const char* name;
        std::function<QWidget*(QWidget*)> make;
        bool defaultClicks;
    };
    const Case cases[] = {
        {"push button", [](QWidget* p) { return new QPushButton(QStringLiteral("Other"), p); }, false},
        {"radio button", [](QWidget* p) { return new QRadioButton(QStringLiteral("Choice"), p); }, true},
        {"text field", [](QWidget* p) { return new QLineEdit(p); }, true},
    };
    for (const Case& c : cases) {
        Window w;
        w.ok->SetDefault(true);
        QWidget* focus = c.make(&w.form);
        focus->setGeometry(10, 90, 120, 22);
        const fw::TModalResult result = w.runModal([&] {
            focus->setFocus();
            QTest::keyClick(focus, Qt::Key_Return);
            if (w.form.Modal())
                w.form.SetModalResult(fw::mrNo);
        });
        EXPECT_EQ(w.okClicks, c.defaultClicks ? 1 : 0) << c.name;
        EXPECT_EQ(result, c.defaultClicks ? fw::mrOk : fw::mrNo) << c.name;
    }
}

TEST(LbButtonDialog, EnterOnAFocusedStyledButtonClicksThatButton)
{
    Window w;
    w.ok->SetDefault(true);
    const fw::TModalResult result = w.runModal([&] {
        w.cancel->setFocus();
        QTest::keyClick(w.cancel, Qt::Key_Return);
    });
    EXPECT_EQ(result, fw::mrCancel);
    EXPECT_EQ(w.cancelClicks, 1);
    EXPECT_EQ(w.okClicks, 0);
}

TEST(LbButtonDialog, EscCancelsAlsoWhileAButtonHasTheFocus)
{
    Window w;
    w.cancel->SetCancel(true);
    const fw::TModalResult result = w.runModal([&] {
        w.ok->setFocus();
        QTest::keyClick(w.ok, Qt::Key_Escape);
    });
    EXPECT_EQ(result, fw::mrCancel);
    EXPECT_EQ(w.cancelClicks, 1);
    EXPECT_EQ(w.okClicks, 0);
}

TEST(LbButtonDialog, MouseClickEndsTheWindowWithTheButtonsResult)
{
    Window w;
    std::vector<int> seen;
    w.cancel->OnClick = [&](TLbButton*) { seen.push_back(w.form.ModalResult()); };
    const fw::TModalResult result = w.runModal([&] { QTest::mouseClick(w.cancel, Qt::LeftButton); });
    EXPECT_EQ(result, fw::mrCancel);
    EXPECT_EQ(seen, std::vector<int>{fw::mrNone});
}

TEST(LbButtonDialog, DisabledCancelButtonIgnoresEsc)
{
    Window w;
    w.cancel->SetCancel(true);
    w.cancel->setEnabled(false);
    const fw::TModalResult result = w.runModal([&] {
        w.edit->setFocus();
        QTest::keyClick(w.edit, Qt::Key_Escape);
        if (w.form.Modal())
            w.form.SetModalResult(fw::mrNo);
    });
    EXPECT_EQ(result, fw::mrNo);
    EXPECT_EQ(w.cancelClicks, 0);
}
