#include "framework/Forms.h"

#include "framework/Dialogs.h"
#include "framework/Graphics.h"
#include "framework/SysColors.h"
#include "framework/SysUtils.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPalette>
#include <QPointer>
#include <QHelpEvent>
#include <QScreen>
#include <QToolTip>
#include <QWindow>

#include <stdexcept>

namespace fw {

TApplication Application;

namespace {

bool isEnterKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

} // namespace

struct TForm::Impl {
    QPointer<QWidget> owner;
    bool created = false;
    bool modal = false;
    TModalResult modalResult = mrNone;
    QEventLoop* loop = nullptr;
    TColor color = clBtnFace;
    int clientWidth = -1;
    int clientHeight = -1;
    TFormBorderStyle borderStyle = TFormBorderStyle::bsSizeable;
    TPosition position = TPosition::poScreenCenter;
    bool keyPreview = false;
    bool closingQuietly = false;
};

TForm::TForm(QWidget* owner) : QWidget(nullptr, Qt::Window), d(std::make_unique<Impl>())
{
    // The owner only places and outlives the window; the window stays a
    // top-level of its own so hiding the owner does not hide it.
    d->owner = owner;
    setAttribute(Qt::WA_DeleteOnClose, false);
    SetColor(clBtnFace);
}

TForm::~TForm()
{
    if (d->loop)
        d->loop->exit(mrCancel);
}

void TForm::Create()
{
    if (d->created)
        return;
    d->created = true;
    FormCreate();
}

bool TForm::Created() const { return d->created; }

TModalResult TForm::ShowModal()
{
    Create();
    if (d->modal || isVisible())
        throw std::logic_error("Cannot make a visible window modal");
    d->modalResult = mrNone;
    d->modal = true;
    setWindowModality(Qt::ApplicationModal);
    QPointer<TForm> self(this);
    // Keep the modal window above the window it was opened from.
    QWidget* over = d->owner ? d->owner->window() : QApplication::activeWindow();
    if (over && over != this && over->windowHandle()) {
        winId();
        if (windowHandle())
            windowHandle()->setTransientParent(over->windowHandle());
    }
    QEventLoop loop;
    d->loop = &loop;
    show();
    activateWindow();
    // FormShow may already have ended the modal state through ModalResult.
    if (d->modal)
        loop.exec(QEventLoop::DialogExec);
    if (!self)
        return mrCancel;
    d->loop = nullptr;
    d->modal = false;
    d->closingQuietly = true;
    hide();
    d->closingQuietly = false;
    // Only after hiding: a window hidden while no longer marked modal would
    // stay in the platform's list of modal windows.
    setWindowModality(Qt::NonModal);
    return d->modalResult;
}

bool TForm::Modal() const { return d->modal; }

TModalResult TForm::ModalResult() const { return d->modalResult; }

void TForm::SetModalResult(TModalResult value)
{
    d->modalResult = value;
    if (value != mrNone && d->modal && d->loop)
        TryEndModal();
}

// The modal loop ends only when the window agrees to close; otherwise the
// result goes back to mrNone, so a refused close does not return later.
bool TForm::TryEndModal()
{
    TCloseAction action;
    if (AgreesToClose(action)) {
        d->modal = false;
        if (d->loop)
            d->loop->exit(d->modalResult);
        return true;
    }
    d->modalResult = mrNone;
    return false;
}

bool TForm::AgreesToClose(TCloseAction& action)
{
    action = TCloseAction::caHide;
    bool canClose = true;
    FormCloseQuery(canClose);
    if (!canClose)
        return false;
    FormClose(action);
    return action != TCloseAction::caNone;
}

void TForm::Show()
{
    Create();
    show();
    raise();
    activateWindow();
}

void TForm::Hide() { hide(); }

bool TForm::Close()
{
    if (d->modal) {
        SetModalResult(mrCancel);
        return !d->modal;
    }
    if (!isVisible())
        return true;
    return QWidget::close();
}

QString TForm::Caption() const { return windowTitle(); }
void TForm::SetCaption(const QString& text) { setWindowTitle(text); }

TColor TForm::Color() const { return d->color; }

void TForm::SetColor(TColor color)
{
    d->color = color;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(color));
    setPalette(pal);
    setAutoFillBackground(true);
}

int TForm::ClientWidth() const { return width(); }
int TForm::ClientHeight() const { return height(); }

void TForm::SetClientWidth(int width) { SetClientSize(width, d->clientHeight < 0 ? height() : d->clientHeight); }
void TForm::SetClientHeight(int height) { SetClientSize(d->clientWidth < 0 ? width() : d->clientWidth, height); }

void TForm::SetClientSize(int width, int height)
{
    d->clientWidth = width;
    d->clientHeight = height;
    ApplyGeometry();
}

TFormBorderStyle TForm::BorderStyle() const { return d->borderStyle; }

void TForm::SetBorderStyle(TFormBorderStyle style)
{
    d->borderStyle = style;
    ApplyGeometry();
}

void TForm::ApplyGeometry()
{
    const int w = d->clientWidth < 0 ? width() : d->clientWidth;
    const int h = d->clientHeight < 0 ? height() : d->clientHeight;
    const bool fixed = d->borderStyle != TFormBorderStyle::bsSizeable
                       && d->borderStyle != TFormBorderStyle::bsSizeToolWin;
    if (fixed) {
        setFixedSize(w, h);
        setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, true);
    } else {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(w, h);
    }
    if (d->borderStyle == TFormBorderStyle::bsSingle || d->borderStyle == TFormBorderStyle::bsDialog) {
        // A single border offers only the system menu and close box.
        setWindowFlag(Qt::WindowMinimizeButtonHint, false);
        setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    }
}

TPosition TForm::Position() const { return d->position; }
void TForm::SetPosition(TPosition position) { d->position = position; }

bool TForm::KeyPreview() const { return d->keyPreview; }
void TForm::SetKeyPreview(bool on)
{
    if (on == d->keyPreview)
        return;
    d->keyPreview = on;
    // The keys of every control pass through the application; watch them
    // only while this window asks for them.
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

QWidget* TForm::ActiveControl() const
{
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus != this && focus->window() == this)
        return focus;
    QWidget* own = focusWidget();
    return own == this ? nullptr : own;
}

void TForm::SetActiveControl(QWidget* control)
{
    if (control && control->window() == this)
        control->setFocus(Qt::OtherFocusReason);
}

QWidget* TForm::Owner() const { return d->owner; }

void TForm::CenterWindow()
{
    QWidget* anchor = nullptr;
    if (d->position == TPosition::poOwnerFormCenter)
        anchor = d->owner;
    else if (d->position == TPosition::poMainFormCenter)
        anchor = Application.MainForm();
    else if (d->position != TPosition::poScreenCenter)
        return;
    QRect area;
    if (anchor && anchor->isVisible() && anchor != this)
        area = anchor->frameGeometry();
    else if (QScreen* screen = (anchor ? anchor->screen() : QGuiApplication::primaryScreen()))
        area = screen->availableGeometry();
    if (area.isEmpty())
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(area.center());
    move(frame.topLeft());
}

void TForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        CenterWindow();
        const QSize before = size();
        FormShow();
        // A window that lays itself out for this showing is centred as it
        // is now shown, not as it was before.
        if (size() != before)
            CenterWindow();
    }
}

void TForm::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        FormHide();
}

void TForm::closeEvent(QCloseEvent* event)
{
    if (d->closingQuietly) {
        event->accept();
        return;
    }
    if (d->modal) {
        // Closing a modal window from its title bar means Cancel.
        event->ignore();
        SetModalResult(mrCancel);
        return;
    }
    TCloseAction action;
    if (!AgreesToClose(action)) {
        event->ignore();
        return;
    }
    event->accept();
    if (action == TCloseAction::caFree)
        deleteLater();
    else if (action == TCloseAction::caMinimize) {
        event->ignore();
        showMinimized();
    }
    if (Application.MainForm() == this && action != TCloseAction::caMinimize)
        Application.Terminate();
}

// Runs the window's key hooks; true when they swallowed the key.
bool TForm::RunKeyHooks(QKeyEvent* event)
{
    int key = event->key();
    FormKeyDown(key, event->modifiers());
    if (key == 0)
        return true;
    const QString text = event->text();
    if (text.size() == 1) {
        QChar ch = text.at(0);
        FormKeyPress(ch);
        if (ch.isNull())
            return true;
    }
    return false;
}

bool TForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !d->keyPreview || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != this)
        return false;
    // A key travels up the parents of the control that got it; preview it
    // only at its first stop, the focused control (or a control without focus
    // that was handed the key directly).
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus != widget && widget->isAncestorOf(focus))
        return false;
    if (RunKeyHooks(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return false;
}

void TForm::keyPressEvent(QKeyEvent* event)
{
    // Keys reach the window itself when no control took them: either it has
    // no focused control (its own hooks then see the key, unless the preview
    // already did), or a control let Enter/Esc pass.
    const bool ownKey = ActiveControl() == nullptr;
    if (ownKey && !d->keyPreview && RunKeyHooks(event)) {
        event->accept();
        return;
    }
    if (RunDialogKey(event)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TForm::RunDialogKey(QKeyEvent* event)
{
    const int key = event->key();
    const bool enter = isEnterKey(key);
    if (!enter && key != Qt::Key_Escape)
        return false;
    const QList<QWidget*> children = findChildren<QWidget*>();
    for (QWidget* child : children) {
        auto* button = dynamic_cast<IDialogButton*>(child);
        if (!button || child->window() != this)
            continue;
        if (enter ? button->IsDefault() : button->IsCancel()) {
            QPointer<TForm> self(this);
            if (button->ClickFromKey(key, event->modifiers()))
                return true;
            if (!self)
                return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------

TLabel::TLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

TLabel::TLabel(const QString& text, QWidget* parent) : TLabel(parent)
{
    setText(text);
}

namespace {

// Shows the hint of a widget that has one as plain text; false leaves the
// event to Qt (no hint here: it goes on to the parent).
bool showPlainHint(QObject* receiver, QEvent* event)
{
    if (event->type() != QEvent::ToolTip || !receiver->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(receiver);
    const QString hint = widget->toolTip();
    if (hint.isEmpty())
        return false;
    const auto* help = static_cast<QHelpEvent*>(event);
    QToolTip::showText(help->globalPos(), Qt::convertFromPlainText(hint, Qt::WhiteSpaceNormal), widget, QRect(),
                       widget->toolTipDuration());
    return true;
}

} // namespace

TApplicationCore::TApplicationCore(int& argc, char** argv) : QApplication(argc, argv)
{
    // Before the first window: its fonts name the faces the windows were laid out for.
    InstallFontFaces();
}

bool TApplicationCore::notify(QObject* receiver, QEvent* event)
{
    return GuardedNotify(receiver, event);
}

bool TApplicationCore::GuardedNotify(QObject* receiver, QEvent* event)
{
    try {
        if (showPlainHint(receiver, event))
            return true;
        return static_cast<QApplication*>(QCoreApplication::instance())->QApplication::notify(receiver, event);
    } catch (...) {
        Application.HandleException(std::current_exception());
        return false;
    }
}

QString TApplication::Title() const
{
    if (!m_title.isEmpty())
        return m_title;
    return QCoreApplication::instance() ? QCoreApplication::applicationName() : QString();
}

void TApplication::SetTitle(const QString& title) { m_title = title; }

TForm* TApplication::MainForm() const { return m_mainForm; }
void TApplication::SetMainForm(TForm* form) { m_mainForm = form; }

int TApplication::Run()
{
    m_terminated = false;
    if (m_mainForm)
        m_mainForm->Show();
    return QApplication::exec();
}

void TApplication::Terminate()
{
    m_terminated = true;
    QCoreApplication::exit(0);
}

bool TApplication::Terminated() const { return m_terminated; }

int TApplication::MessageBox(const QString& text, const QString& caption, unsigned flags)
{
    return fw::MessageBox(text, caption.isEmpty() ? Title() : caption, flags);
}

void TApplication::HandleException(std::exception_ptr error)
{
    QString message;
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        message = e.Message();
    } catch (const std::exception& e) {
        message = QString::fromUtf8(e.what());
    } catch (...) {
        message = QStringLiteral("Unknown error");
    }
    // Reporting must not itself let an exception out of the event loop.
    try {
        if (OnException)
            OnException(message);
        else
            ShowException(message);
    } catch (...) {
    }
}

void TApplication::ShowException(const QString& message)
{
    QString text = message;
    // As the desktop does: a message ending in a letter or digit gets a full
    // stop; one ending in punctuation such as "!" keeps it.
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        text += QLatin1Char('.');
    fw::MessageBox(text, Title(), MB_OK | MB_ICONERROR);
}

} // namespace fw
