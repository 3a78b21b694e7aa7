#pragma once
// Top-level windows, modal display and the application object.
//
// A window class derives from TForm, builds its controls in its constructor,
// and puts what needs the finished object (texts, sizes) into FormCreate,
// which Create() runs exactly once. ShowModal() runs a local event loop that
// ends when ModalResult becomes non-zero.
#include "framework/Types.h"

#include <QApplication>
#include <QLabel>
#include <QString>
#include <QWidget>

#include <exception>
#include <functional>
#include <memory>

namespace fw {

// Modal results as the desktop framework numbers them.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrClose = 8;
constexpr TModalResult mrHelp = 9;
constexpr TModalResult mrTryAgain = 10;
constexpr TModalResult mrContinue = 11;
constexpr TModalResult mrAll = 12;
constexpr TModalResult mrNoToAll = 13;
constexpr TModalResult mrYesToAll = 14;

// What FormClose decides for a window that is closing.
enum class TCloseAction { caNone, caHide, caFree, caMinimize };

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

enum class TPosition { poDesigned, poScreenCenter, poOwnerFormCenter, poMainFormCenter };

// Keyboard state passed to FormKeyDown; the bits follow Qt's modifiers so a
// handler can test them with Qt::ShiftModifier and friends.
using TKeyModifiers = Qt::KeyboardModifiers;

// A control that can act as a window's default (Enter) or cancel (Esc)
// button implements this interface; the window finds such controls among its
// descendants when Enter or Esc reaches it unhandled.
class IDialogButton {
public:
    virtual ~IDialogButton() = default;
    virtual bool IsDefault() const = 0;
    virtual bool IsCancel() const = 0;
    // Offered Qt::Key_Return/Key_Enter or Qt::Key_Escape with the modifiers
    // held. Returns true when the control took the key (and clicked).
    virtual bool ClickFromKey(int qtKey, Qt::KeyboardModifiers modifiers) = 0;
};

class TForm : public QWidget {
    Q_OBJECT
public:
    explicit TForm(QWidget* owner = nullptr);
    ~TForm() override;

    // Runs FormCreate once; later calls do nothing. ShowModal calls it too.
    void Create();
    bool Created() const;

    // Shows the window modally and returns its ModalResult once it is set
    // (mrCancel when the user closes the window).
    TModalResult ShowModal();
    bool Modal() const;

    TModalResult ModalResult() const;
    void SetModalResult(TModalResult value);

    // Shows or hides without a modal loop; Close() asks FormCloseQuery and
    // FormClose exactly like closing from the title bar.
    void Show();
    void Hide();
    bool Close();

    QString Caption() const;
    void SetCaption(const QString& text);

    TColor Color() const;
    void SetColor(TColor color);

    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    void SetClientSize(int width, int height);

    TFormBorderStyle BorderStyle() const;
    void SetBorderStyle(TFormBorderStyle style);

    TPosition Position() const;
    void SetPosition(TPosition position);

    // With KeyPreview the window sees every key of its controls in
    // FormKeyDown/FormKeyPress before the control does.
    bool KeyPreview() const;
    void SetKeyPreview(bool on);

    // The focused control of this window (nullptr when none).
    QWidget* ActiveControl() const;
    void SetActiveControl(QWidget* control);

    // The owner form given at construction (nullptr for none).
    QWidget* Owner() const;

protected:
    // Hooks; the default implementations do nothing.
    virtual void FormCreate() {}
    virtual void FormShow() {}
    virtual void FormHide() {}
    // action arrives as caHide; caNone keeps the window open.
    virtual void FormClose(TCloseAction& action) {}
    // canClose arrives true; false keeps the window open.
    virtual void FormCloseQuery(bool& canClose) {}
    // key is a Qt::Key; setting it to 0 swallows the key.
    virtual void FormKeyDown(int& key, TKeyModifiers modifiers) {}
    // ch is the typed character; setting it to QChar() swallows it.
    virtual void FormKeyPress(QChar& ch) {}

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool RunDialogKey(QKeyEvent* event);
    bool TryEndModal();
    // FormCloseQuery, then FormClose when allowed; true when both let the
    // window close, with FormClose's choice in `action`.
    bool AgreesToClose(TCloseAction& action);
    void ApplyGeometry();
    void CenterWindow();
    bool RunKeyHooks(QKeyEvent* event);

    struct Impl;
    std::unique_ptr<Impl> d;
};

// A label that shows its text exactly as it stands. Texts come from language
// files, folder names and other files a user can edit; read as markup, a text
// could lay out for ever or load a picture from any file. Only labels meant
// to show links opt into markup, with texts the program composes itself.
class TLabel : public QLabel {
    Q_OBJECT
public:
    explicit TLabel(QWidget* parent = nullptr);
    TLabel(const QString& text, QWidget* parent);
};

// Creates a form, runs its FormCreate and returns it.
template <class T, class... Args>
T* CreateForm(Args&&... args)
{
    T* form = new T(std::forward<Args>(args)...);
    form->Create();
    return form;
}

// The Qt application object of the program: delivers every event inside the
// application's exception handler, so an error escaping an event handler is
// shown in an error box and the program goes on. Hints (tool tips) are shown
// as plain text, for the reason TLabel gives.
class TApplicationCore : public QApplication {
    Q_OBJECT
public:
    TApplicationCore(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // Delivers one event through QApplication's own delivery, inside the
    // exception handler; the program's notify and the tests use it.
    static bool GuardedNotify(QObject* receiver, QEvent* event);
};

// The program-wide application services.
class TApplication {
public:
    // Caption of message boxes that give none.
    QString Title() const;
    void SetTitle(const QString& title);

    // The first form, whose closing ends Run().
    TForm* MainForm() const;
    void SetMainForm(TForm* form);

    // Runs the event loop until the main form closes or Terminate().
    int Run();
    void Terminate();
    bool Terminated() const;

    // Message box with Windows-style flags (MB_OK | MB_ICONERROR ...), through
    // the dialog seam; returns IDOK, IDYES, IDNO... See Dialogs.h.
    int MessageBox(const QString& text, const QString& caption, unsigned flags);

    // The exception handler. When OnException is set it gets the message;
    // otherwise the message is shown in an error box.
    std::function<void(const QString& message)> OnException;
    void HandleException(std::exception_ptr error);
    void ShowException(const QString& message);

private:
    QString m_title;
    TForm* m_mainForm = nullptr;
    bool m_terminated = false;
};

extern TApplication Application;

} // namespace fw
