#include "framework/Dialogs.h"

#include "framework/Forms.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace fw {

namespace {

// Buttons of a MessageDlg in the order the desktop lays them out, with the
// modal result each returns and the Qt role that places it.
struct ButtonInfo {
    TMsgDlgButtons bit;
    int result;
    QMessageBox::StandardButton standard;
};

constexpr ButtonInfo kButtons[] = {
    {mbYes, mrYes, QMessageBox::Yes},         {mbNo, mrNo, QMessageBox::No},
    {mbOK, mrOk, QMessageBox::Ok},            {mbCancel, mrCancel, QMessageBox::Cancel},
    {mbAbort, mrAbort, QMessageBox::Abort},   {mbRetry, mrRetry, QMessageBox::Retry},
    {mbIgnore, mrIgnore, QMessageBox::Ignore}, {mbAll, mrAll, QMessageBox::YesToAll},
    {mbNoToAll, mrNoToAll, QMessageBox::NoToAll}, {mbYesToAll, mrYesToAll, QMessageBox::YesToAll},
    {mbHelp, mrHelp, QMessageBox::Help},      {mbClose, mrClose, QMessageBox::Close},
};

// MB_* button groups as the modal results of their buttons.
std::vector<int> messageBoxButtons(unsigned flags)
{
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
    }
}

QMessageBox::Icon iconOfType(TMsgDlgType type)
{
    switch (type) {
    case mtWarning: return QMessageBox::Warning;
    case mtError: return QMessageBox::Critical;
    case mtInformation: return QMessageBox::Information;
    case mtConfirmation: return QMessageBox::Question;
    default: return QMessageBox::NoIcon;
    }
}

QMessageBox::Icon iconOfFlags(unsigned flags)
{
    switch (flags & MB_ICONMASK) {
    case MB_ICONERROR: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONWARNING: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

QString captionOfType(TMsgDlgType type)
{
    switch (type) {
    case mtWarning: return QStringLiteral("Warning");
    case mtError: return QStringLiteral("Error");
    case mtInformation: return QStringLiteral("Information");
    case mtConfirmation: return QStringLiteral("Confirm");
    default: return Application.Title();
    }
}

QMessageBox::StandardButton standardOfId(int id)
{
    switch (id) {
    case IDOK: return QMessageBox::Ok;
    case IDCANCEL: return QMessageBox::Cancel;
    case IDABORT: return QMessageBox::Abort;
    case IDRETRY: return QMessageBox::Retry;
    case IDIGNORE: return QMessageBox::Ignore;
    case IDYES: return QMessageBox::Yes;
    default: return QMessageBox::No;
    }
}

// A message box whose buttons carry our own results; Escape gives the
// cancel-like button, as on the desktop.
int runBox(QMessageBox::Icon icon, const QString& caption, const QString& text,
           const std::vector<std::pair<QMessageBox::StandardButton, int>>& buttons, int defaultIndex,
           int escapeResult)
{
    QMessageBox box(icon, caption, QString(), QMessageBox::NoButton, QApplication::activeWindow());
    // Messages carry texts from language files and file names: never markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    std::vector<std::pair<QAbstractButton*, int>> map;
    for (const auto& [standard, result] : buttons) {
        // mbAll has no standard button of its own: give it its text.
        QPushButton* b = box.addButton(standard);
        if (result == mrAll && standard == QMessageBox::YesToAll)
            b->setText(QStringLiteral("All"));
        map.emplace_back(b, result);
    }
    if (defaultIndex >= 0 && defaultIndex < int(map.size()))
        box.setDefaultButton(static_cast<QPushButton*>(map[size_t(defaultIndex)].first));
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (const auto& [button, result] : map)
        if (button == clicked)
            return result;
    return escapeResult;
}

class QtDialogProvider : public IDialogProvider {
public:
    DialogAnswer Ask(const DialogRequest& r) override
    {
        DialogAnswer answer;
        switch (r.kind) {
        case DialogKind::MessageDlg:
        case DialogKind::ShowMessage: {
            std::vector<std::pair<QMessageBox::StandardButton, int>> buttons;
            // ShowMessage asks for mbOK itself; a message without buttons gets OK too.
            TMsgDlgButtons set = r.buttons;
            if (set == 0)
                set = mbOK;
            for (const ButtonInfo& b : kButtons)
                if (set & b.bit)
                    buttons.emplace_back(b.standard, b.result);
            answer.result = runBox(r.kind == DialogKind::ShowMessage ? QMessageBox::NoIcon : iconOfType(r.type),
                                   r.caption, r.text, buttons, 0, DialogRecorder::DefaultAnswer(r));
            break;
        }
        case DialogKind::MessageBox: {
            std::vector<std::pair<QMessageBox::StandardButton, int>> buttons;
            for (int id : messageBoxButtons(r.flags))
                buttons.emplace_back(standardOfId(id), id);
            const int def = int((r.flags >> 8) & 0x3);
            answer.result = runBox(iconOfFlags(r.flags), r.caption, r.text, buttons, def,
                                   DialogRecorder::DefaultAnswer(r));
            break;
        }
        case DialogKind::OpenFile:
        case DialogKind::SaveFile: {
            QFileDialog dialog(QApplication::activeWindow(), r.caption, r.initialDir);
            const bool save = r.kind == DialogKind::SaveFile;
            dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
            if (save)
                dialog.setFileMode(QFileDialog::AnyFile);
            else if (r.flags & ofAllowMultiSelect)
                dialog.setFileMode(QFileDialog::ExistingFiles);
            else
                dialog.setFileMode((r.flags & ofFileMustExist) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
            if (save && !(r.flags & ofOverwritePrompt))
                dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
            const QStringList filters = TFileDialogBase::QtFilters(r.filter);
            if (!filters.isEmpty()) {
                dialog.setNameFilters(filters);
                if (r.filterIndex >= 1 && r.filterIndex <= filters.size())
                    dialog.selectNameFilter(filters.at(r.filterIndex - 1));
            }
            const QString ext = TFileDialogBase::CleanExtension(r.defaultExt);
            if (!ext.isEmpty())
                dialog.setDefaultSuffix(ext);
            if (!r.fileName.isEmpty())
                dialog.selectFile(r.fileName);
            if (dialog.exec() == QDialog::Accepted) {
                answer.result = 1;
                answer.fileNames = dialog.selectedFiles();
                answer.filterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
            }
            break;
        }
        case DialogKind::OpenUrl: {
            QUrl url = QUrl::fromUserInput(r.text);
            answer.result = url.isValid() && QDesktopServices::openUrl(url) ? 1 : 0;
            break;
        }
        }
        return answer;
    }
};

IDialogProvider* g_provider = nullptr;

QtDialogProvider& realProvider()
{
    static QtDialogProvider provider;
    return provider;
}

} // namespace

IDialogProvider& DialogSeam::Current() { return g_provider ? *g_provider : realProvider(); }

IDialogProvider* DialogSeam::Install(IDialogProvider* provider)
{
    IDialogProvider* previous = g_provider;
    g_provider = provider;
    return previous;
}

DialogSeam::Guard::Guard(IDialogProvider& provider) : m_previous(DialogSeam::Install(&provider)) {}
DialogSeam::Guard::~Guard() { DialogSeam::Install(m_previous); }

// ---------------------------------------------------------------------------

int DialogRecorder::DefaultAnswer(const DialogRequest& r)
{
    switch (r.kind) {
    case DialogKind::MessageDlg: {
        const TMsgDlgButtons b = r.buttons;
        if (b & mbCancel) return mrCancel;
        if (b & mbNo) return mrNo;
        if (b & mbAbort) return mrAbort;
        return mrOk;
    }
    case DialogKind::MessageBox: {
        const std::vector<int> ids = messageBoxButtons(r.flags);
        if (std::find(ids.begin(), ids.end(), IDCANCEL) != ids.end()) return IDCANCEL;
        if (std::find(ids.begin(), ids.end(), IDNO) != ids.end()) return IDNO;
        if (std::find(ids.begin(), ids.end(), IDABORT) != ids.end()) return IDABORT;
        return IDOK;
    }
    case DialogKind::ShowMessage: return mrOk;
    case DialogKind::OpenFile:
    case DialogKind::SaveFile: return 0;
    case DialogKind::OpenUrl: return 1;
    }
    return 0;
}

DialogAnswer DialogRecorder::Ask(const DialogRequest& request)
{
    m_calls.push_back(request);
    if (m_answers.empty()) {
        DialogAnswer answer;
        answer.result = DefaultAnswer(request);
        return answer;
    }
    DialogAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void DialogRecorder::Answer(int result)
{
    DialogAnswer a;
    a.result = result;
    m_answers.push_back(a);
}

void DialogRecorder::AnswerFile(const QString& fileName)
{
    DialogAnswer a;
    a.result = 1;
    a.fileNames = QStringList{fileName};
    m_answers.push_back(a);
}

void DialogRecorder::AnswerCancel() { m_answers.push_back(DialogAnswer{}); }

void DialogRecorder::Enqueue(const DialogAnswer& answer) { m_answers.push_back(answer); }

// ---------------------------------------------------------------------------

int MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons)
{
    DialogRequest r;
    r.kind = DialogKind::MessageDlg;
    r.text = text;
    r.caption = captionOfType(type);
    r.type = type;
    r.buttons = buttons;
    return DialogSeam::Current().Ask(r).result;
}

int MessageBox(const QString& text, const QString& caption, unsigned flags)
{
    DialogRequest r;
    r.kind = DialogKind::MessageBox;
    r.text = text;
    r.caption = caption;
    r.flags = flags;
    return DialogSeam::Current().Ask(r).result;
}

void ShowMessage(const QString& text)
{
    DialogRequest r;
    r.kind = DialogKind::ShowMessage;
    r.text = text;
    r.caption = Application.Title();
    r.buttons = mbOK;
    DialogSeam::Current().Ask(r);
}

bool OpenUrl(const QString& url)
{
    DialogRequest r;
    r.kind = DialogKind::OpenUrl;
    r.text = url;
    return DialogSeam::Current().Ask(r).result != 0;
}

// ---------------------------------------------------------------------------

QStringList TFileDialogBase::QtFilters(const QString& filter)
{
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        QStringList masks = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& m : masks)
            m = m.trimmed();
        const QString patterns = masks.join(QLatin1Char(' '));
        // "Text (*.txt)" already names its patterns the way Qt reads them.
        if (description.endsWith(QLatin1Char('(') + patterns + QLatin1Char(')')))
            result << description;
        else
            result << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return result;
}

QString TFileDialogBase::CleanExtension(const QString& defaultExt)
{
    QString ext = defaultExt.trimmed();
    while (ext.startsWith(QLatin1Char('*')) || ext.startsWith(QLatin1Char('.')))
        ext.remove(0, 1);
    // A mask is not an extension.
    if (ext.contains(QLatin1Char('*')) || ext.contains(QLatin1Char('?')) || ext.contains(QLatin1Char('/')))
        return {};
    return ext;
}

bool TFileDialogBase::Execute()
{
    DialogRequest r;
    r.kind = Kind();
    r.caption = Title;
    r.initialDir = InitialDir;
    r.fileName = FileName;
    r.filter = Filter;
    r.filterIndex = FilterIndex;
    r.defaultExt = DefaultExt;
    r.flags = Options;
    const DialogAnswer answer = DialogSeam::Current().Ask(r);
    if (answer.result == 0 || answer.fileNames.isEmpty())
        return false;
    Files.clear();
    const QString ext = CleanExtension(DefaultExt);
    for (QString name : answer.fileNames) {
        if (!ext.isEmpty() && QFileInfo(name).suffix().isEmpty() && !name.endsWith(QLatin1Char('.')))
            name += QLatin1Char('.') + ext;
        Files << name;
    }
    FileName = Files.first();
    FilterIndex = answer.filterIndex;
    return true;
}

} // namespace fw
