#include "framework/Dialogs.h"
#include "framework/Forms.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

using namespace fw;

namespace {

TEST(Dialogs, EveryKindOfRequestIsRecordedAndAnsweredFromTheQueue)
{
    DialogRecorder recorder;
    DialogSeam::Guard guard(recorder);
    recorder.Answer(mrYes);
    recorder.Answer(IDNO);
    recorder.Answer(0);   // the link could not be opened

    EXPECT_EQ(MessageDlg(QStringLiteral("Do you want to change the Language?"), mtConfirmation, mbYesNo), mrYes);
    EXPECT_EQ(MessageBox(QStringLiteral("Device Not Found!"), QStringLiteral("Update"), MB_YESNO | MB_ICONQUESTION),
              IDNO);
    EXPECT_FALSE(OpenUrl(QStringLiteral("http://127.0.0.1/HOME/default.asp?frompg=SW585-K317")));
    ShowMessage(QStringLiteral("Done"));
    EXPECT_EQ(Application.MessageBox(QStringLiteral("Error! Project not Valid"), QString(), MB_OK | MB_ICONERROR),
              IDOK);

    const auto& calls = recorder.Calls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].kind, DialogKind::MessageDlg);
    EXPECT_EQ(calls[0].type, mtConfirmation);
    EXPECT_EQ(calls[0].buttons, mbYes | mbNo);
    EXPECT_EQ(calls[1].kind, DialogKind::MessageBox);
    EXPECT_EQ(calls[1].caption, QStringLiteral("Update"));
    EXPECT_EQ(calls[1].flags, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(calls[2].kind, DialogKind::OpenUrl);
    EXPECT_EQ(calls[2].text, QStringLiteral("http://127.0.0.1/HOME/default.asp?frompg=SW585-K317"));
    EXPECT_EQ(calls[3].kind, DialogKind::ShowMessage);
    EXPECT_EQ(calls[3].text, QStringLiteral("Done"));
    EXPECT_EQ(calls[4].text, QStringLiteral("Error! Project not Valid"));
    EXPECT_EQ(calls[4].caption, Application.Title());   // no caption given: the application's
}

TEST(Dialogs, UnansweredQuestionsGetTheEscapeAnswer)
{
    struct Case {
        const char* name;
        DialogRequest request;
        int expected;
    };
    auto dlg = [](TMsgDlgButtons b) { DialogRequest r; r.kind = DialogKind::MessageDlg; r.buttons = b; return r; };
    auto box = [](unsigned f) { DialogRequest r; r.kind = DialogKind::MessageBox; r.flags = f; return r; };
    const Case cases[] = {
        {"OK only", dlg(mbOK), mrOk},
        {"Yes/No says No", dlg(mbYesNo), mrNo},
        {"Yes/No/Cancel says Cancel", dlg(mbYesNoCancel), mrCancel},
        {"box OK", box(MB_OK | MB_ICONERROR), IDOK},
        {"box Yes/No says No", box(MB_YESNO | MB_ICONQUESTION), IDNO},
        {"box OK/Cancel says Cancel", box(MB_OKCANCEL), IDCANCEL},
        {"box Abort/Retry/Ignore says Abort", box(MB_ABORTRETRYIGNORE), IDABORT},
    };
    DialogRecorder recorder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(recorder.Ask(c.request).result, c.expected);
    }
}

TEST(Dialogs, GuardRestoresThePreviousProvider)
{
    DialogRecorder outer, inner;
    DialogSeam::Guard g1(outer);
    {
        DialogSeam::Guard g2(inner);
        ShowMessage(QStringLiteral("inner"));
    }
    ShowMessage(QStringLiteral("outer"));
    ASSERT_EQ(inner.Calls().size(), 1u);
    ASSERT_EQ(outer.Calls().size(), 1u);
    EXPECT_EQ(outer.Calls()[0].text, QStringLiteral("outer"));
}

TEST(Dialogs, SaveDialogPassesItsSettingsAndAppliesTheDefaultExtension)
{
    struct Case {
        const char* name;
        QString defaultExt;
        QString chosen;
        QString expected;
    };
    const Case cases[] = {
        {"mask-style extension", QStringLiteral("*.mib"), QStringLiteral("/p/traps"), QStringLiteral("/p/traps.mib")},
        {"dotted extension", QStringLiteral(".eds"), QStringLiteral("/p/node"), QStringLiteral("/p/node.eds")},
        {"an extension typed by the user stays", QStringLiteral("*.mib"), QStringLiteral("/p/traps.txt"),
         QStringLiteral("/p/traps.txt")},
        {"no default extension", QString(), QStringLiteral("/p/plain"), QStringLiteral("/p/plain")},
        {"dotted folder, bare name", QStringLiteral("eds"), QStringLiteral("/p.d/node"), QStringLiteral("/p.d/node.eds")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DialogRecorder recorder;
        DialogSeam::Guard guard(recorder);
        recorder.AnswerFile(c.chosen);
        TSaveDialog save;
        save.InitialDir = QStringLiteral("/p");
        save.DefaultExt = c.defaultExt;
        save.Filter = QStringLiteral("Management Information Base (*.mib)|*.mib");
        save.Options |= ofOverwritePrompt;
        ASSERT_TRUE(save.Execute());
        EXPECT_EQ(save.FileName, c.expected);
        const DialogRequest& r = recorder.Calls().at(0);
        EXPECT_EQ(r.kind, DialogKind::SaveFile);
        EXPECT_EQ(r.initialDir, QStringLiteral("/p"));
        EXPECT_EQ(r.filter, save.Filter);
        EXPECT_TRUE(r.flags & ofOverwritePrompt);
    }
}

TEST(Dialogs, CancelledOpenDialogKeepsTheFileName)
{
    DialogRecorder recorder;
    DialogSeam::Guard guard(recorder);
    TOpenDialog open;
    open.FileName = QStringLiteral("before.csv");
    EXPECT_FALSE(open.Execute());   // unanswered: cancelled
    recorder.AnswerCancel();
    EXPECT_FALSE(open.Execute());
    EXPECT_EQ(open.FileName, QStringLiteral("before.csv"));
    EXPECT_EQ(recorder.Calls().at(0).kind, DialogKind::OpenFile);
}

TEST(Dialogs, FiltersBecomeQtNameFilters)
{
    EXPECT_EQ(TFileDialogBase::QtFilters(QStringLiteral("Management Information Base (*.mib)|*.mib")),
              QStringList{QStringLiteral("Management Information Base (*.mib)")});
    EXPECT_EQ(TFileDialogBase::QtFilters(QStringLiteral("Sheets|*.csv;*.txt|All files|*.*")),
              (QStringList{QStringLiteral("Sheets (*.csv *.txt)"), QStringLiteral("All files (*.*)")}));
    EXPECT_TRUE(TFileDialogBase::QtFilters(QString()).isEmpty());
}

// Without a recorder the real message boxes appear; a timer answers them
// the way a person would, so the button-to-result mapping is checked.
TEST(Dialogs, RealMessageBoxesReturnTheResultOfThePressedButton)
{
    struct Case {
        const char* name;
        std::function<int()> ask;
        QMessageBox::StandardButton press;   // NoButton: press Escape
        QMessageBox::Icon icon;
        int expected;
    };
    const Case cases[] = {
        {"Yes of Yes/No", [] { return MessageBox("q", "c", MB_YESNO | MB_ICONQUESTION); }, QMessageBox::Yes,
         QMessageBox::Question, IDYES},
        {"No of Yes/No", [] { return MessageBox("q", "c", MB_YESNO | MB_ICONQUESTION); }, QMessageBox::No,
         QMessageBox::Question, IDNO},
        {"Escape on Yes/No", [] { return MessageBox("q", "c", MB_YESNO); }, QMessageBox::NoButton,
         QMessageBox::NoIcon, IDNO},
        {"Escape on an error box", [] { return MessageBox("e", "c", MB_OK | MB_ICONERROR); }, QMessageBox::NoButton,
         QMessageBox::Critical, IDOK},
        {"Retry", [] { return MessageBox("r", "c", MB_RETRYCANCEL | MB_ICONWARNING); }, QMessageBox::Retry,
         QMessageBox::Warning, IDRETRY},
        {"MessageDlg Yes", [] { return MessageDlg("q", mtConfirmation, mbYesNo); }, QMessageBox::Yes,
         QMessageBox::Question, mrYes},
        {"MessageDlg Escape on OK/Cancel", [] { return MessageDlg("q", mtWarning, mbOKCancel); },
         QMessageBox::NoButton, QMessageBox::Warning, mrCancel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
        bool answered = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            answered = true;
            seenIcon = box->icon();
            if (c.press == QMessageBox::NoButton)
                QTest::keyClick(box, Qt::Key_Escape);
            else if (QAbstractButton* b = box->button(c.press))
                b->click();
            else
                box->reject();
        });
        EXPECT_EQ(c.ask(), c.expected);
        EXPECT_TRUE(answered);
        EXPECT_EQ(seenIcon, c.icon);
    }
}

// A message quotes texts from language files and file names: it shows
// them as they stand, never as markup.
TEST(Dialogs, RealMessageBoxesShowTheirTextAsItStands)
{
    const QString text = QStringLiteral("<b>Folder</b> <img src=\"/dev/zero\"> & more");
    Qt::TextFormat format = Qt::AutoText;
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        format = box->textFormat();
        shown = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    MessageDlg(text, mtError, mbOK);
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(shown, text);
}

} // namespace
