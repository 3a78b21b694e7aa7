#include "framework/Process.h"

#include "framework/Timer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fw {

namespace {

// Children that outlived their wait. Only touched on the thread that runs
// the programs (the user-interface thread).
struct Leftovers {
    std::vector<pid_t> pids;
    QTimer* timer = nullptr;

    ~Leftovers() { reap(); }

    int reap()
    {
        for (auto it = pids.begin(); it != pids.end();) {
            int status = 0;
            const pid_t r = waitpid(*it, &status, WNOHANG);
            // Ended (reaped now) or no longer our child: forget it.
            if (r == *it || (r < 0 && errno == ECHILD))
                it = pids.erase(it);
            else
                ++it;
        }
        if (pids.empty() && timer)
            timer->stop();
        return int(pids.size());
    }

    void add(pid_t pid)
    {
        pids.push_back(pid);
        if (!QCoreApplication::instance())
            return;
        if (!timer) {
            timer = new QTimer(QCoreApplication::instance());
            timer->setInterval(500);
            QObject::connect(timer, &QTimer::timeout, [this] { reap(); });
            QObject::connect(timer, &QObject::destroyed, [this] { timer = nullptr; });
        }
        timer->start();
    }
};

Leftovers& leftovers()
{
    static Leftovers l;
    return l;
}

int exitCodeOf(int status)
{
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}

RunStatus statusOfErrno(int err)
{
    switch (err) {
    case ENOENT:
    case ENOTDIR: return RunStatus::NotFound;
    case EACCES:
    case EPERM:
    case ENOEXEC:
    case EISDIR: return RunStatus::NotExecutable;
    default: return RunStatus::StartFailed;
    }
}

} // namespace

int ReapFinishedPrograms() { return leftovers().reap(); }

RunResult RunAndWait(const QString& program, const QString& workingDir, const QStringList& arguments,
                     int timeoutMs)
{
    RunResult result;
    ReapFinishedPrograms();

    const QFileInfo info(program);
    if (!info.exists()) {
        result.status = RunStatus::NotFound;
        return result;
    }
    if (info.isDir() || !info.isExecutable()) {
        result.status = RunStatus::NotExecutable;
        return result;
    }

    // A working folder that cannot be entered is not the program's fault.
    if (!workingDir.isEmpty() && !QFileInfo(workingDir).isDir())
        return result;

    // Everything the child needs is prepared before fork: after it, only
    // async-signal-safe calls are allowed.
    const QByteArray path = QFile::encodeName(info.absoluteFilePath());
    const QByteArray dir = QFile::encodeName(workingDir);
    std::vector<QByteArray> argStore;
    argStore.push_back(QFile::encodeName(program));
    for (const QString& a : arguments)
        argStore.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& a : argStore)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    // The child reports a failed chdir/exec through this pipe; it closes on a
    // successful exec, so the parent reads end-of-file.
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return result;

    const pid_t pid = fork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        return result;
    }
    if (pid == 0) {
        close(fds[0]);
        // The program starts with default signal handling, whatever Qt set up here.
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        signal(SIGPIPE, SIG_DFL);
        int err = EINVAL;
        if (dir.isEmpty() || chdir(dir.constData()) == 0) {
            execv(path.constData(), argv.data());
            err = errno;
        }
        ssize_t ignored = write(fds[1], &err, sizeof err);
        (void)ignored;
        _exit(127);
    }
    close(fds[1]);
    int childErr = 0;
    ssize_t n;
    do {
        n = read(fds[0], &childErr, sizeof childErr);
    } while (n < 0 && errno == EINTR);
    close(fds[0]);
    if (n == ssize_t(sizeof childErr)) {
        int status;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        result.status = statusOfErrno(childErr);
        return result;
    }

    result.pid = pid;
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        int status = 0;
        const pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid) {
            result.status = RunStatus::Finished;
            result.exitCode = exitCodeOf(status);
            return result;
        }
        if (r < 0 && errno != EINTR) {
            // Someone else reaped it; it has ended, its code is lost.
            result.status = RunStatus::Finished;
            return result;
        }
        if (clock.elapsed() >= timeoutMs)
            break;
        PauseProcessingEvents(10);
    }
    leftovers().add(pid);
    result.status = RunStatus::StillRunning;
    return result;
}

} // namespace fw
