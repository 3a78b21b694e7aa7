#include "framework/Process.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <signal.h>

using namespace fw;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

class ProcessTest : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString script(const QString& name, const QByteArray& body, QFile::Permissions perms =
                       QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)
    {
        const QString path = dir.filePath(name);
        writeFile(path, body);
        QFile::setPermissions(path, perms);
        return path;
    }

    // Whether the process still exists in any state, zombie included.
    static bool processExists(long long pid) { return kill(pid_t(pid), 0) == 0; }
    static bool isZombie(long long pid)
    {
        const QByteArray stat = readFile(QStringLiteral("/proc/%1/stat").arg(pid));
        const qsizetype close = stat.lastIndexOf(')');
        return close > 0 && stat.mid(close + 2, 1) == "Z";
    }
};

TEST_F(ProcessTest, RunsInTheGivenFolderWithItsArgumentsAndReportsTheExitCode)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("work")));
    const QString work = dir.filePath(QStringLiteral("work"));
    const QString updater =
        script(QStringLiteral("Ethernet_Update"), "#!/bin/sh\npwd > where.txt\necho \"$#:$1|$2\" > args.txt\nexit 3\n");

    const RunResult r = RunAndWait(updater, work, {QStringLiteral("a b"), QStringLiteral("c")}, 5000);
    EXPECT_EQ(r.status, RunStatus::Finished);
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(QString::fromUtf8(readFile(work + QStringLiteral("/where.txt"))).trimmed(),
              QDir(work).canonicalPath());
    EXPECT_EQ(readFile(work + QStringLiteral("/args.txt")), "2:a b|c\n");
    EXPECT_FALSE(processExists(r.pid));   // finished and reaped
}

TEST_F(ProcessTest, AProgramOutlivingTheWaitKeepsRunningAndIsReapedLater)
{
    const QString done = dir.filePath(QStringLiteral("done"));
    const QString slow = script(QStringLiteral("slow"), "#!/bin/sh\nsleep 0.6\ntouch done\n");

    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(20);
    QElapsedTimer clock;
    clock.start();
    const RunResult r = RunAndWait(slow, dir.path(), {}, 200);
    const qint64 waited = clock.elapsed();
    ticker.stop();

    EXPECT_EQ(r.status, RunStatus::StillRunning);
    EXPECT_GE(waited, 200);
    EXPECT_LT(waited, 550);
    EXPECT_GE(ticks, 4);   // the event loop kept running during the wait
    ASSERT_GT(r.pid, 0);
    EXPECT_TRUE(processExists(r.pid));
    EXPECT_GE(ReapFinishedPrograms(), 1);

    // Not killed: it finishes its work; then it is reaped, not left a zombie.
    QElapsedTimer wait;
    wait.start();
    while (!QFile::exists(done) && wait.elapsed() < 5000)
        QThread::msleep(20);
    EXPECT_TRUE(QFile::exists(done));
    while (processExists(r.pid) && !isZombie(r.pid) && wait.elapsed() < 5000)
        QThread::msleep(20);
    EXPECT_EQ(ReapFinishedPrograms(), 0);
    EXPECT_FALSE(processExists(r.pid));
}

TEST_F(ProcessTest, StartFailuresAreReportedDistinctly)
{
    struct Case {
        const char* name;
        QString program;
        QString workingDir;
        RunStatus expected;
    };
    const QString plain = script(QStringLiteral("plain.txt"), "#!/bin/sh\nexit 0\n",
                                 QFile::ReadOwner | QFile::WriteOwner);
    const QString garbage = script(QStringLiteral("garbage"), "\x01\x02\x03 not a program\n");
    const QString good = script(QStringLiteral("good"), "#!/bin/sh\nexit 0\n");
    const Case cases[] = {
        {"missing program", dir.filePath(QStringLiteral("Ethernet_Update.exe")), dir.path(), RunStatus::NotFound},
        {"no execute permission", plain, dir.path(), RunStatus::NotExecutable},
        {"a folder", dir.path(), dir.path(), RunStatus::NotExecutable},
        {"not a program format", garbage, dir.path(), RunStatus::NotExecutable},
        {"missing working folder", good, dir.filePath(QStringLiteral("nowhere")), RunStatus::StartFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RunResult r = RunAndWait(c.program, c.workingDir, {}, 2000);
        EXPECT_EQ(r.status, c.expected);
        EXPECT_EQ(r.pid, 0);
    }
}

} // namespace
