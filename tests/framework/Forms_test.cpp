#include "framework/Dialogs.h"
#include "framework/Forms.h"
#include "framework/SysUtils.h"
#include "support/TestSupport.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

using namespace fw;

namespace {

// A minimal button that acts on the window's Enter/Esc routing the way the
// styled button does: it takes its key unless Shift is held, and a click
// sets the window's modal result.
class KeyButton : public QWidget, public IDialogButton {
public:
    KeyButton(TForm* form, bool isDefault, bool isCancel, TModalResult result)
        : QWidget(form), FForm(form), FDefault(isDefault), FCancel(isCancel), FResult(result) {}
    bool IsDefault() const override { return FDefault; }
    bool IsCancel() const override { return FCancel; }
    bool ClickFromKey(int, Qt::KeyboardModifiers modifiers) override
    {
        if (modifiers & Qt::ShiftModifier)
            return false;
        ++clicks;
        FForm->SetModalResult(FResult);
        return true;
    }
    int clicks = 0;

private:
    TForm* FForm;
    bool FDefault, FCancel;
    TModalResult FResult;
};

class TestForm : public TForm {
public:
    explicit TestForm(QWidget* owner = nullptr) : TForm(owner) {}
    int created = 0, shown = 0, closed = 0;
    bool allowClose = true;
    bool swallowKeyA = false;
    QString previewed;
    TCloseAction closeAction = TCloseAction::caHide;

protected:
    void FormCreate() override { ++created; SetClientSize(331, 162); SetBorderStyle(TFormBorderStyle::bsSingle); }
    void FormShow() override { ++shown; }
    void FormCloseQuery(bool& canClose) override { canClose = allowClose; }
    void FormClose(TCloseAction& action) override { ++closed; action = closeAction; }
    void FormKeyDown(int& key, TKeyModifiers) override
    {
        previewed += QString::number(key, 16) + QLatin1Char(' ');
        if (swallowKeyA && key == Qt::Key_A)
            key = 0;
    }
};

// A loop the action failed to end fails the test instead of hanging it.
TModalResult showModalAndDo(TForm& form, std::function<void()> action)
{
    return testsupport::runModal(form, action, 5000);
}

struct DialogKeyCase {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    bool focusOnEdit;
    TModalResult expected;   // -1: the key did nothing
};

TEST(Forms, DialogKeysReachDefaultAndCancelButtons)
{
    const DialogKeyCase cases[] = {
        {"Enter clicks the default button", Qt::Key_Return, Qt::NoModifier, false, mrOk},
        {"keypad Enter clicks the default button", Qt::Key_Enter, Qt::KeypadModifier, false, mrOk},
        {"Esc clicks the cancel button", Qt::Key_Escape, Qt::NoModifier, false, mrCancel},
        {"Enter an edit lets pass reaches the default button", Qt::Key_Return, Qt::NoModifier, true, mrOk},
        {"Esc in an edit reaches the cancel button", Qt::Key_Escape, Qt::NoModifier, true, mrCancel},
        {"a button that refuses the key leaves the window open", Qt::Key_Escape, Qt::ShiftModifier, false, -1},
        {"other keys click nothing", Qt::Key_Space, Qt::NoModifier, false, -1},
    };
    for (const DialogKeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestForm form;
        auto* ok = new KeyButton(&form, true, false, mrOk);
        auto* cancel = new KeyButton(&form, false, true, mrCancel);
        auto* edit = new QLineEdit(&form);
        const TModalResult result = showModalAndDo(form, [&] {
            QWidget* target = &form;
            if (c.focusOnEdit) {
                edit->setFocus();
                target = edit;
            }
            QTest::keyClick(target, Qt::Key(c.key), c.modifiers);
            if (form.Modal() && c.expected == -1)
                form.SetModalResult(-1);
        });
        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(ok->clicks + cancel->clicks, c.expected == -1 ? 0 : 1);
        EXPECT_FALSE(form.isVisible());
    }
}

TEST(Forms, ModalResultEndsTheLoopOnlyWhenTheWindowAgreesToClose)
{
    TestForm form;
    form.allowClose = false;
    TModalResult seenAfterRefusal = -99;
    const TModalResult result = showModalAndDo(form, [&] {
        form.SetModalResult(mrYes);            // refused by FormCloseQuery
        seenAfterRefusal = form.ModalResult();
        EXPECT_TRUE(form.Modal());
        form.allowClose = true;
        form.closeAction = TCloseAction::caNone;
        form.SetModalResult(mrNo);             // refused by FormClose
        EXPECT_TRUE(form.Modal());
        form.closeAction = TCloseAction::caHide;
        form.SetModalResult(mrAll);
    });
    EXPECT_EQ(seenAfterRefusal, mrNone);
    EXPECT_EQ(result, mrAll);
    EXPECT_EQ(form.closed, 2);
    EXPECT_FALSE(form.isVisible());
}

TEST(Forms, ClosingAModalWindowGivesCancelAndShowsAgainFresh)
{
    TestForm form;
    EXPECT_EQ(showModalAndDo(form, [&] { form.close(); }), mrCancel);
    EXPECT_EQ(showModalAndDo(form, [&] { form.SetModalResult(mrRetry); }), mrRetry);
    EXPECT_EQ(form.created, 1);
    EXPECT_EQ(form.shown, 2);
}

TEST(Forms, AModalWindowOpenedFromAModalWindowReturnsToIt)
{
    TestForm outer;
    TestForm inner(&outer);
    auto* ok = new KeyButton(&outer, true, false, mrOk);
    TModalResult innerResult = mrNone;
    const TModalResult outerResult = showModalAndDo(outer, [&] {
        innerResult = showModalAndDo(inner, [&] { inner.SetModalResult(mrNo); });
        EXPECT_TRUE(outer.Modal());
        QTest::keyClick(&outer, Qt::Key_Return);
    });
    EXPECT_EQ(innerResult, mrNo);
    EXPECT_EQ(outerResult, mrOk);
    EXPECT_EQ(ok->clicks, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(Forms, ModalWindowsOpenCentredOnTheScreenOrTheirOwner)
{
    TestForm owner;
    owner.setGeometry(40, 30, 300, 200);
    owner.show();
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    const QPoint ownerCentre = owner.frameGeometry().center();
    struct Case {
        const char* name;
        TPosition position;
        QPoint expected;
    };
    const Case cases[] = {
        {"screen", TPosition::poScreenCenter, screenCentre},
        {"owner", TPosition::poOwnerFormCenter, ownerCentre},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestForm form(&owner);
        form.SetPosition(c.position);
        QPoint centre;
        showModalAndDo(form, [&] {
            centre = form.frameGeometry().center();
            form.SetModalResult(mrOk);
        });
        EXPECT_LE((centre - c.expected).manhattanLength(), 2);
    }
}

TEST(Forms, CreateRunsFormCreateOnceAndFixesTheClientSize)
{
    auto* form = CreateForm<TestForm>();
    form->Create();
    EXPECT_EQ(form->created, 1);
    EXPECT_EQ(form->ClientWidth(), 331);
    EXPECT_EQ(form->ClientHeight(), 162);
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    form->SetColor(RGBToColor(0xF8, 0xF7, 0xED));
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(0xF8, 0xF7, 0xED));
    form->SetCaption(QStringLiteral("Orlaqi - Configurator "));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Orlaqi - Configurator "));
    delete form;
}

TEST(Forms, KeyPreviewSeesControlKeysFirstAndCanSwallowThem)
{
    TestForm form;
    form.SetKeyPreview(true);
    form.swallowKeyA = true;
    auto* edit = new QLineEdit(&form);
    showModalAndDo(form, [&] {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A);
        QTest::keyClick(edit, Qt::Key_B);
        edit->clearFocus();
        QTest::keyClick(&form, Qt::Key_C);   // no focused control: the window's own key
        form.SetModalResult(mrOk);
    });
    EXPECT_EQ(form.previewed, QStringLiteral("41 42 43 "));   // once each, not once per parent
    EXPECT_EQ(edit->text(), QStringLiteral("b"));
}

TEST(Forms, ClosingTheMainFormEndsTheRunOnceItAgrees)
{
    TestForm form;
    Application.SetMainForm(&form);
    form.allowClose = false;
    bool refusedStayedOpen = false;
    QTimer::singleShot(0, [&] {
        refusedStayedOpen = !form.Close() && form.isVisible();
        form.allowClose = true;
        form.Close();
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { ADD_FAILURE() << "run did not end"; QCoreApplication::exit(1); });
    guard.start(5000);
    EXPECT_EQ(Application.Run(), 0);
    Application.SetMainForm(nullptr);
    EXPECT_TRUE(refusedStayedOpen);
    EXPECT_EQ(form.closed, 1);   // FormClose only for the close that happened
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(Application.Terminated());
}

TEST(Forms, WithoutKeyPreviewTheWindowSeesOnlyItsOwnKeys)
{
    TestForm form;
    auto* edit = new QLineEdit(&form);
    showModalAndDo(form, [&] {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A);
        edit->clearFocus();
        QTest::keyClick(&form, Qt::Key_C);
        form.SetModalResult(mrOk);
    });
    EXPECT_EQ(form.previewed, QStringLiteral("43 "));
    EXPECT_EQ(edit->text(), QStringLiteral("a"));
}

// A widget whose event handler fails.
class Thrower : public QWidget {
public:
    std::function<void()> fail;
protected:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            fail();
        return QWidget::event(e);
    }
};

TEST(Forms, AnErrorEscapingAnEventHandlerIsShownInAnErrorBox)
{
    struct Case {
        const char* name;
        std::function<void()> fail;
        QString shown;
    };
    const Case cases[] = {
        {"framework error", [] { throw Exception(QStringLiteral("Invalid row accessed")); },
         QStringLiteral("Invalid row accessed.")},
        {"standard error keeps its exclamation", [] { throw std::runtime_error("Error! Project not Valid!"); },
         QStringLiteral("Error! Project not Valid!")},
        {"unknown error", [] { throw 42; }, QStringLiteral("Unknown error.")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DialogRecorder recorder;
        DialogSeam::Guard guard(recorder);
        Thrower widget;
        widget.fail = c.fail;
        QEvent event(QEvent::User);
        EXPECT_NO_THROW(TApplicationCore::GuardedNotify(&widget, &event));
        ASSERT_EQ(recorder.Calls().size(), 1u);
        const DialogRequest& r = recorder.Calls().front();
        EXPECT_EQ(r.kind, DialogKind::MessageBox);
        EXPECT_EQ(r.text, c.shown);
        EXPECT_EQ(r.flags, MB_OK | MB_ICONERROR);
    }
}

} // namespace
