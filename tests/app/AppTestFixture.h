#pragma once
// A program folder of its own for each test, the program's windows created
// in it, and every question to the user answered by a recorder.
#include "app/Application.h"
#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "app/VersionCheck.h"
#include "framework/Dialogs.h"
#include "framework/Forms.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace apptest {

// Points the update server at a loopback port for the life of the object,
// then puts the previous server back.
class LocalServer {
public:
    explicit LocalServer(int port, int timeoutMs = 3000) : m_previous(Maker_Server())
    {
        TMaker_Server s;
        s.Host = QStringLiteral("127.0.0.1");
        s.Port = port;
        s.Timeout_Ms = timeoutMs;
        Set_Maker_Server(s);
    }
    ~LocalServer() { Set_Maker_Server(m_previous); }
    LocalServer(const LocalServer&) = delete;
    LocalServer& operator=(const LocalServer&) = delete;

private:
    TMaker_Server m_previous;
};

class ProgramFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_savedProject = Path_Project;
        m_guard = std::make_unique<fw::DialogSeam::Guard>(recorder);
        // No test may reach the maker's real server.
        m_server.emplace(9, 1000);
    }
    void TearDown() override
    {
        Free_Application_Windows();
        m_guard.reset();
        Path_Project = m_savedProject;
        Set_Project_Files();
        m_server.reset();
    }

    QString folder() const { return m_dir.path(); }
    QString path(const QString& relative) const { return m_dir.path() + QLatin1Char('/') + relative; }
    bool write(const QString& relative, const QByteArray& bytes) const
    {
        return testsupport::writeFile(path(relative), bytes);
    }
    void start() { Create_Application_Windows(folder()); }
    void startIn(const QString& programFolder) { Create_Application_Windows(programFolder); }
    // The built-in texts, the program paths in this folder and the project
    // `name` among its projects (the project folder is not created).
    void openProject(const QString& name)
    {
        Load_Default_Language();
        Set_Program_Paths(folder());
        Path_Project = Path_Projects + QLatin1Char('/') + name;
    }

    // The messages the recorder was asked to show, in order.
    std::vector<fw::DialogRequest> messageRequests() const
    {
        std::vector<fw::DialogRequest> out;
        for (const fw::DialogRequest& r : recorder.Calls())
            if (r.kind == fw::DialogKind::MessageDlg || r.kind == fw::DialogKind::MessageBox)
                out.push_back(r);
        return out;
    }
    // Their texts.
    QStringList messages() const
    {
        QStringList texts;
        for (const fw::DialogRequest& r : messageRequests())
            texts << r.text;
        return texts;
    }

    fw::DialogRecorder recorder;

private:
    QTemporaryDir m_dir;
    QString m_savedProject;
    std::optional<LocalServer> m_server;
    std::unique_ptr<fw::DialogSeam::Guard> m_guard;
};

// A project folder of its own with the built-in texts, and one window of
// the program created in it as the program creates it.
template <class TWindow>
class ProjectWindow : public ProgramFolder {
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        Load_Default_Language();
        Path_Project = folder();
        Set_Project_Files();
        form.reset(fw::CreateForm<TWindow>());
    }
    void TearDown() override
    {
        form.reset();
        ProgramFolder::TearDown();
    }

    // A save that failed: one error box from the framework's error report,
    // and the window still open with what the user typed.
    void expectSaveFailureReported() const
    {
        const std::vector<fw::DialogRequest> shown = messageRequests();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].kind, fw::DialogKind::MessageBox);
        EXPECT_EQ(shown[0].flags & fw::MB_ICONMASK, fw::MB_ICONERROR);
        EXPECT_EQ(form->ModalResult(), fw::mrNone);
        EXPECT_TRUE(form->isVisible());
    }

    std::unique_ptr<TWindow> form;
};

// Runs trigger, which is expected to open a modal window; whileOpen runs once
// that window's loop is running and must end it. A window left open fails the
// test instead of hanging it. Gives the class name of the window that was
// open (empty when none opened).
inline QString withModal(const std::function<void()>& trigger, const std::function<void(fw::TForm&)>& whileOpen)
{
    QString seen;
    QObject context;   // drops the call below if it never ran
    QTimer::singleShot(0, &context, [&] {
        auto* form = qobject_cast<fw::TForm*>(QApplication::activeModalWidget());
        if (!form)
            return;
        seen = QString::fromLatin1(form->metaObject()->className());
        whileOpen(*form);
        QPointer<fw::TForm> guard(form);
        QTimer::singleShot(3000, [guard] {
            if (guard && guard->Modal()) {
                ADD_FAILURE() << "modal window left open";
                guard->SetModalResult(fw::mrCancel);
            }
        });
    });
    trigger();
    QCoreApplication::processEvents();
    return seen;
}

} // namespace apptest
