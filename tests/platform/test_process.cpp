#include "platform/ProcessRunner.h"
#include "platform/UrlOpener.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QThread>
#include <signal.h>

using platform::RunOutcome;

TEST(ProcessRunner, ProgramThatEndsAtOnceReturnsQuickly)
{
    QElapsedTimer clock;
    clock.start();
    const platform::RunResult r =
        platform::runProgramAndWait(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("exit 3")},
                                    false, 150000);
    EXPECT_EQ(r.outcome, RunOutcome::Ended);
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_LT(clock.elapsed(), 250);
}

TEST(ProcessRunner, ProgramRunningPastTheTimeOutIsLeftRunning)
{
    QElapsedTimer clock;
    clock.start();
    const platform::RunResult r =
        platform::runProgramAndWait(QStringLiteral("sleep"), {QStringLiteral("30")}, true, 200);
    const qint64 took = clock.elapsed();
    ASSERT_EQ(r.outcome, RunOutcome::StillRunning);
    EXPECT_GE(took, 200);
    EXPECT_LT(took, 2000);
    ASSERT_GT(r.pid, 0);
    EXPECT_TRUE(platform::isProgramRunning(r.pid));
    EXPECT_EQ(::kill(pid_t(r.pid), 0), 0);
    ::kill(pid_t(r.pid), SIGKILL);
    QElapsedTimer wait;
    wait.start();
    while (platform::isProgramRunning(r.pid) && wait.elapsed() < 3000) QThread::msleep(5);
    EXPECT_FALSE(platform::isProgramRunning(r.pid)) << "an ended program is reaped";
}

TEST(ProcessRunner, CallerRunsItsOwnWorkBetweenPolls)
{
    int calls = 0;
    const platform::RunResult r = platform::runProgramAndWait(
        QStringLiteral("sleep"), {QStringLiteral("0.3")}, false, 5000, 10, [&] { ++calls; });
    EXPECT_EQ(r.outcome, RunOutcome::Ended);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_GE(calls, 10); // about 30 polls in 300 ms
}

TEST(ProcessRunner, MissingProgramIsNotStarted)
{
    const platform::RunResult r = platform::runProgramAndWait(QStringLiteral("/nonexistent/Ethernet_Update.exe"),
                                                              {}, false, 1000);
    EXPECT_EQ(r.outcome, RunOutcome::NotStarted);
    EXPECT_EQ(platform::runProgramAndWait(QString(), {}, false, 1000).outcome, RunOutcome::NotStarted);
}

TEST(UrlOpener, OnlyWebAddressesReachTheOpener)
{
    QList<QUrl> opened;
    auto previous = platform::setUrlOpener([&](const QUrl &u) {
        opened << u;
        return true;
    });
    EXPECT_TRUE(platform::openWebUrl(QUrl(QStringLiteral("http://www.example.com/HOME/default.asp?frompg=X"))));
    EXPECT_TRUE(platform::openWebUrl(QUrl(QStringLiteral("HTTPS://example.com/a#b"))));
    for (const char *bad : {"file:///etc/passwd", "javascript:alert(1)", "mailto:a@b.c", "ftp://example.com/",
                            "/usr/bin/xterm", "http://", "", "example.com/page"})
        EXPECT_FALSE(platform::openWebUrl(QUrl(QString::fromLatin1(bad)))) << bad;
    platform::setUrlOpener(std::move(previous));
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened.at(1).fragment(), QStringLiteral("b"));
}
