#include "app/AppTestFixture.h"
#include "app/UBoot.h"
#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "app/UpdateDevice.h"
#include "framework/Dialogs.h"
#include "framework/Process.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <signal.h>

namespace {

class ProgramFolder : public apptest::ProgramFolder {
protected:
    QString script(const QString& name, const QByteArray& body, bool executable = true)
    {
        const QString file = path(name);
        EXPECT_TRUE(write(name, "#!/bin/sh\n" + body));
        if (executable)
            QFile::setPermissions(file, QFile::permissions(file) | QFileDevice::ExeOwner);
        return file;
    }
};

// Runs from another folder, so the working folder is really set for it.
TEST_F(ProgramFolder, RunsInItsOwnFolderWithTheParametersAndWaits)
{
    const QString program = script(QStringLiteral("Ethernet_Update.exe"),
                                   "sleep 0.3\npwd > where.txt\nprintf '%s|' \"$@\" > args.txt\nexit 3\n");
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(20);

    const fw::RunResult r = Start_Program(program, QStringLiteral("-a \"two words\" x"), false);
    EXPECT_EQ(r.status, fw::RunStatus::Finished);
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(QString::fromUtf8(testsupport::readFile(path(QStringLiteral("where.txt")))).trimmed(),
              QDir(folder()).canonicalPath());
    EXPECT_EQ(testsupport::readFile(path(QStringLiteral("args.txt"))), QByteArray("-a|two words|x|"));
    EXPECT_GE(ticks, 5);   // the windows kept working during the wait
    EXPECT_TRUE(recorder.Calls().empty());
}

TEST_F(ProgramFolder, ProgramThatOutlivesTheWaitKeepsRunningAndIsReapedLater)
{
    const QString program = script(QStringLiteral("Ethernet_Update.exe"), "sleep 1\ntouch done.txt\n");
    QElapsedTimer clock;
    clock.start();
    const fw::RunResult r = Start_Program(program, QString(), false, 200);
    EXPECT_LT(clock.elapsed(), 900);
    ASSERT_EQ(r.status, fw::RunStatus::StillRunning);
    ASSERT_GT(r.pid, 0);
    EXPECT_EQ(kill(pid_t(r.pid), 0), 0);   // not killed
    EXPECT_TRUE(recorder.Calls().empty());

    const QString done = path(QStringLiteral("done.txt"));
    for (int i = 0; i < 100 && !QFile::exists(done); ++i)
        QTest::qWait(50);
    ASSERT_TRUE(QFile::exists(done));
    // Reaped by the periodic check, so no zombie remains.
    for (int i = 0; i < 100 && fw::ReapFinishedPrograms() != 0; ++i)
        QTest::qWait(50);
    EXPECT_EQ(fw::ReapFinishedPrograms(), 0);
    EXPECT_FALSE(QFile::exists(QStringLiteral("/proc/%1").arg(r.pid)));
}

TEST_F(ProgramFolder, ProgramThatCannotStartIsReported)
{
    Load_Default_Language();
    struct Case {
        const char* name;
        QString program;
        fw::RunStatus status;
        const char* reason;
    };
    const Case cases[] = {
        {"missing", path(QStringLiteral("Ethernet_Update.exe")), fw::RunStatus::NotFound,
         "The update program was not found: "},
        {"not executable", script(QStringLiteral("plain.exe"), "exit 0\n", false), fw::RunStatus::NotExecutable,
         "The update program cannot be run because it is not an executable program: "},
        {"folder", folder(), fw::RunStatus::NotExecutable,
         "The update program cannot be run because it is not an executable program: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        recorder.Clear();
        EXPECT_EQ(Start_Program(c.program, QString(), false).status, c.status);
        ASSERT_EQ(recorder.Calls().size(), 1u);
        EXPECT_EQ(recorder.Calls()[0].type, fw::mtError);
        EXPECT_EQ(recorder.Calls()[0].text,
                  QLatin1String(c.reason) + QDir::toNativeSeparators(QFileInfo(c.program).absoluteFilePath()));
    }
}

TEST_F(ProgramFolder, UpdaterStartMessagesComeFromTheLanguageFile)
{
    Load_Default_Language();
    ASSERT_TRUE(write(QStringLiteral("Deutsch.lng"),
                      "STR838 = \xc2\xb6" "Das Update-Programm fehlt: \xc2\xb6\n"
                      "STR839 = Nicht ausf\xc3\xbchrbar: \xc2\xb6\n"));
    ASSERT_TRUE(Read_Language_File(path(QStringLiteral("Deutsch.lng"))));
    const QString missing = path(QStringLiteral("Ethernet_Update.exe"));
    Start_Program(missing, QString(), false);
    Start_Program(folder(), QString(), false);
    ASSERT_EQ(recorder.Calls().size(), 2u);
    EXPECT_EQ(recorder.Calls()[0].text, QStringLiteral("Das Update-Programm fehlt: ") + missing);
    EXPECT_EQ(recorder.Calls()[1].text, QStringLiteral("Nicht ausf\u00fchrbar: ") + folder());
}

class Step4 : public ProgramFolder {
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        openProject(QStringLiteral("Hall"));
        ASSERT_TRUE(QDir().mkpath(Path_Project));
        Set_Project_Files();
        FBoot = new TFBoot();
        FBoot->Create();
    }
    void TearDown() override
    {
        delete FBoot;
        FBoot = nullptr;
        ProgramFolder::TearDown();
    }
};

TEST_F(Step4, WritesTheImageThenShowsTheWindowForEthernet)
{
    QString caption;
    QTimer::singleShot(0, [&] {
        caption = FBoot->Modal() ? FBoot->Caption() : QString();
        FBoot->SetModalResult(fw::mrCancel);
    });
    Update_Device();
    EXPECT_EQ(FBoot->Form_Type, TFBoot::Form_Type_Ethernet);
    EXPECT_EQ(caption, QStringLiteral("Update Device by Ethernet (UDP)"));
    EXPECT_EQ(testsupport::readFile(Path_Project + QStringLiteral("/bin/bank.bin")).size(), 2560);
    EXPECT_TRUE(recorder.Calls().empty());
}

TEST_F(Step4, ImageThatCannotBeWrittenStopsTheUpdate)
{
    // A file where the bin folder should be.
    ASSERT_TRUE(testsupport::writeFile(Path_Project + QStringLiteral("/bin"), "x"));
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = FBoot->Modal();
        FBoot->SetModalResult(fw::mrCancel);
    });
    Update_Device();
    QTest::qWait(10);
    EXPECT_FALSE(shown);
    ASSERT_EQ(recorder.Calls().size(), 1u);
    EXPECT_EQ(recorder.Calls()[0].type, fw::mtError);
}

} // namespace
