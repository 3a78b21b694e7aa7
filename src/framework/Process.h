#pragma once
// Runs an external program and waits for it while the window stays responsive.
// A program that outlives the wait keeps running; it is reaped later, so no
// finished child is left behind as a zombie.
#include <QString>
#include <QStringList>

namespace fw {

enum class RunStatus {
    Finished,       // ended within the wait; exitCode is valid
    StillRunning,   // the wait ended first; the program goes on
    NotFound,       // no such file
    NotExecutable,  // a folder, no execute permission, or not a program the system can start
    StartFailed     // any other reason the start failed
};

struct RunResult {
    RunStatus status = RunStatus::StartFailed;
    int exitCode = -1;   // exit status, or 128 + signal number when killed by a signal
    long long pid = 0;   // the started process (0 when it did not start)
};

// Starts program with the given arguments in workingDir (the caller's current
// folder when empty) and waits at most timeoutMs milliseconds, processing
// events about every 10 ms. The program is never killed.
RunResult RunAndWait(const QString& program, const QString& workingDir, const QStringList& arguments,
                     int timeoutMs);

// Reaps programs that outlived their wait and have ended since; runs on its
// own from a timer, at every RunAndWait and at exit. Returns how many are
// still running.
int ReapFinishedPrograms();

} // namespace fw
