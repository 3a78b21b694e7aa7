#pragma once
// Every question the program puts to the user goes through one seam: message
// boxes, file dialogs and opening a web link. The real provider shows Qt
// dialogs; a test installs a DialogRecorder that records each call and answers
// from a queue, so no window ever waits for a person.
#include <QString>
#include <QStringList>

#include <deque>
#include <memory>
#include <vector>

namespace fw {

// Message dialog type and buttons.
enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons mbYes = 0x001;
constexpr TMsgDlgButtons mbNo = 0x002;
constexpr TMsgDlgButtons mbOK = 0x004;
constexpr TMsgDlgButtons mbCancel = 0x008;
constexpr TMsgDlgButtons mbAbort = 0x010;
constexpr TMsgDlgButtons mbRetry = 0x020;
constexpr TMsgDlgButtons mbIgnore = 0x040;
constexpr TMsgDlgButtons mbAll = 0x080;
constexpr TMsgDlgButtons mbNoToAll = 0x100;
constexpr TMsgDlgButtons mbYesToAll = 0x200;
constexpr TMsgDlgButtons mbHelp = 0x400;
constexpr TMsgDlgButtons mbClose = 0x800;
constexpr TMsgDlgButtons mbYesNo = mbYes | mbNo;
constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;
constexpr TMsgDlgButtons mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore;

// Windows-style message box flags and answers (Application.MessageBox).
constexpr unsigned MB_OK = 0x00;
constexpr unsigned MB_OKCANCEL = 0x01;
constexpr unsigned MB_ABORTRETRYIGNORE = 0x02;
constexpr unsigned MB_YESNOCANCEL = 0x03;
constexpr unsigned MB_YESNO = 0x04;
constexpr unsigned MB_RETRYCANCEL = 0x05;
constexpr unsigned MB_TYPEMASK = 0x0F;
constexpr unsigned MB_ICONHAND = 0x10;
constexpr unsigned MB_ICONERROR = 0x10;
constexpr unsigned MB_ICONSTOP = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONWARNING = 0x30;
constexpr unsigned MB_ICONASTERISK = 0x40;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr unsigned MB_ICONMASK = 0xF0;
constexpr unsigned MB_DEFBUTTON1 = 0x000;
constexpr unsigned MB_DEFBUTTON2 = 0x100;
constexpr unsigned MB_DEFBUTTON3 = 0x200;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// File dialog options.
using TOpenOptions = unsigned;
constexpr TOpenOptions ofOverwritePrompt = 0x001;
constexpr TOpenOptions ofHideReadOnly = 0x002;
constexpr TOpenOptions ofPathMustExist = 0x004;
constexpr TOpenOptions ofFileMustExist = 0x008;
constexpr TOpenOptions ofAllowMultiSelect = 0x010;
constexpr TOpenOptions ofNoChangeDir = 0x020;
constexpr TOpenOptions ofEnableSizing = 0x040;

enum class DialogKind { MessageDlg, MessageBox, ShowMessage, OpenFile, SaveFile, OpenUrl };

// One request to the user, as the seam sees it.
struct DialogRequest {
    DialogKind kind = DialogKind::ShowMessage;
    QString text;       // message text; the address for OpenUrl
    QString caption;    // window caption (title of file dialogs)
    TMsgDlgType type = mtCustom;   // MessageDlg
    TMsgDlgButtons buttons = 0;    // MessageDlg
    unsigned flags = 0;            // MessageBox: MB_* flags; file dialogs: TOpenOptions
    // File dialogs.
    QString initialDir;
    QString fileName;
    QString filter;      // "Description|*.ext|Other|*.a;*.b"
    int filterIndex = 1; // 1-based, as the filter lists its pairs
    QString defaultExt;
};

// The user's answer. result: a modal result for MessageDlg and ShowMessage,
// an ID* value for MessageBox, 1 (accepted) or 0 for file dialogs and
// OpenUrl (whether the link could be handed over).
struct DialogAnswer {
    int result = 0;
    QStringList fileNames;   // file dialogs: the chosen files
    int filterIndex = 1;     // file dialogs: the filter the user picked
};

class IDialogProvider {
public:
    virtual ~IDialogProvider() = default;
    virtual DialogAnswer Ask(const DialogRequest& request) = 0;
};

// The seam. Without an installed provider the real Qt dialogs are used.
class DialogSeam {
public:
    static IDialogProvider& Current();
    // Installs a provider (not owned); returns the one it replaces.
    static IDialogProvider* Install(IDialogProvider* provider);

    // Installs a provider for the life of the guard, then restores the previous one.
    class Guard {
    public:
        explicit Guard(IDialogProvider& provider);
        ~Guard();
        Guard(const Guard&) = delete;
        Guard& operator=(const Guard&) = delete;
    private:
        IDialogProvider* m_previous;
    };
};

// Test provider: records every request and answers from a queue. A request
// that finds the queue empty is answered as if the user pressed Escape:
// Cancel, else No, else OK for messages; a cancelled file dialog; a link
// that opened.
class DialogRecorder : public IDialogProvider {
public:
    DialogAnswer Ask(const DialogRequest& request) override;

    void Answer(int result);                      // queue a plain answer
    void AnswerFile(const QString& fileName);     // queue an accepted file dialog
    void AnswerCancel();                          // queue a cancelled file dialog
    void Enqueue(const DialogAnswer& answer);

    const std::vector<DialogRequest>& Calls() const { return m_calls; }
    void Clear() { m_calls.clear(); m_answers.clear(); }

    static int DefaultAnswer(const DialogRequest& request);

private:
    std::vector<DialogRequest> m_calls;
    std::deque<DialogAnswer> m_answers;
};

// Message box with a type icon and buttons; returns the modal result of the
// button pressed (mrOk, mrYes, ...; see Forms.h).
int MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons);

// Windows-style message box: flags MB_OK|MB_ICONERROR ...; returns IDOK, IDYES, ...
int MessageBox(const QString& text, const QString& caption, unsigned flags);

// Information box with only an OK button, captioned with the application title.
void ShowMessage(const QString& text);

// Opens an address (web link or file) in the system's default handler, like
// the shell's "open" verb; false when nothing could take it.
bool OpenUrl(const QString& url);

// Common part of the open and save dialogs.
class TFileDialogBase {
public:
    virtual ~TFileDialogBase() = default;

    QString InitialDir;
    QString FileName;     // in: proposed name; out: the chosen file
    QStringList Files;    // out: all chosen files (ofAllowMultiSelect)
    QString Filter;       // "Description|*.ext|..."
    int FilterIndex = 1;
    QString DefaultExt;   // appended when the chosen name has no extension ("txt", ".txt" or "*.txt")
    QString Title;
    TOpenOptions Options = ofHideReadOnly | ofEnableSizing;

    // Shows the dialog; true when the user chose a file.
    bool Execute();

    // "Description|*.a;*.b|..." in Qt's form "Description (*.a *.b)".
    static QStringList QtFilters(const QString& filter);
    // The extension text of DefaultExt without "*" and ".".
    static QString CleanExtension(const QString& defaultExt);

protected:
    virtual DialogKind Kind() const = 0;
};

class TOpenDialog : public TFileDialogBase {
protected:
    DialogKind Kind() const override { return DialogKind::OpenFile; }
};

class TSaveDialog : public TFileDialogBase {
protected:
    DialogKind Kind() const override { return DialogKind::SaveFile; }
};

} // namespace fw
