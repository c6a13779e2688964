#include "platform/ProcessRunner.h"

#include <QElapsedTimer>
#include <QThread>
#include <mutex>
#include <set>
#include <vector>

#include <cerrno>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace platform {
namespace {

// Children left running at a time-out; reaped whenever we look again, so none stays a zombie.
std::mutex g_lock;
std::set<pid_t> g_leftRunning;

// Reaps pid when it has ended; true when it has (or is not ours any more).
bool reapIfEnded(pid_t pid, int *exitCode)
{
    int status = 0;
    pid_t r;
    do {
        r = ::waitpid(pid, &status, WNOHANG);
    } while (r < 0 && errno == EINTR);
    if (r == 0) return false;
    if (r == pid && exitCode) *exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return true;
}

void reapLeftRunning()
{
    std::lock_guard<std::mutex> guard(g_lock);
    for (auto it = g_leftRunning.begin(); it != g_leftRunning.end();)
        it = reapIfEnded(*it, nullptr) ? g_leftRunning.erase(it) : std::next(it);
}

} // namespace

RunResult runProgramAndWait(const QString &program, const QStringList &args, bool hidden, int timeoutMs,
                            int pollMs, const std::function<void()> &whileWaiting)
{
    Q_UNUSED(hidden); // a spawned program opens windows of its own accord here
    reapLeftRunning();
    RunResult result;
    if (program.isEmpty()) return result;

    std::vector<QByteArray> storage;
    storage.push_back(program.toLocal8Bit());
    for (const QString &a : args) storage.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &b : storage) argv.push_back(b.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    if (::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return result;
    result.pid = pid;

    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (reapIfEnded(pid, &result.exitCode)) {
            // posix_spawnp reports an exec failure as exit code 127 of the child.
            result.outcome = RunOutcome::Ended;
            return result;
        }
        if (clock.elapsed() >= timeoutMs) {
            std::lock_guard<std::mutex> guard(g_lock);
            g_leftRunning.insert(pid);
            result.outcome = RunOutcome::StillRunning;
            return result;
        }
        QThread::msleep(qMax(1, pollMs));
        if (whileWaiting) whileWaiting();
    }
}

bool isProgramRunning(qint64 pid)
{
    if (pid <= 0) return false;
    std::lock_guard<std::mutex> guard(g_lock);
    auto it = g_leftRunning.find(pid_t(pid));
    if (it == g_leftRunning.end()) return false;
    if (!reapIfEnded(*it, nullptr)) return true;
    g_leftRunning.erase(it);
    return false;
}

} // namespace platform
