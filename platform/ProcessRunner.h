#pragma once
// Runs an external program and waits for its end, at most a given time.
#include <QString>
#include <QStringList>
#include <functional>

namespace platform {

enum class RunOutcome {
    NotStarted,   // the program could not be started
    Ended,        // the program ended within the time
    StillRunning, // the time ran out; the program goes on running
};

struct RunResult {
    RunOutcome outcome = RunOutcome::NotStarted;
    qint64 pid = 0;    // the started process (0 when not started)
    int exitCode = -1; // valid when Ended
};

// Starts program with args in the current folder and polls every pollMs until it ends or timeoutMs
// have passed. Blocks the calling thread; whileWaiting (when given) runs between two polls, so a caller
// can keep its windows painted. hidden asks for no visible window where the desktop knows the
// difference. A program still running at the time-out is left alone (it is not killed, not even when
// this process ends).
RunResult runProgramAndWait(const QString &program, const QStringList &args, bool hidden, int timeoutMs,
                            int pollMs = 10, const std::function<void()> &whileWaiting = {});

// True while a process started by runProgramAndWait is still running.
bool isProgramRunning(qint64 pid);

} // namespace platform
