#include "platform/Clock.h"
#include "platform/FileChooser.h"
#include "platform/Ping.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

TEST(TextFile, ByteOrderMarksAndAnsiFallback)
{
    const QString expected = QStringLiteral("Größe €");
    QByteArray le("\xFF\xFE", 2), be("\xFE\xFF", 2);
    for (QChar c : expected) {
        le.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
        be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    }
    EXPECT_EQ(platform::decodeText(QByteArray("\xEF\xBB\xBF") + expected.toUtf8()), expected);
    EXPECT_EQ(platform::decodeText(le), expected);
    EXPECT_EQ(platform::decodeText(be), expected);
    EXPECT_EQ(platform::decodeText("Gr\xF6\xDF" "e \x80"), expected);
    QString text, error;
    EXPECT_FALSE(platform::readTextFile("/nonexistent/file.lng", text, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(Ping, LoopbackAnswersOrTheReasonIsClear)
{
    const platform::PingReply r = platform::icmpEcho("127.0.0.1", 1000);
    if (!r.answered) {
        // Without ping sockets and without root there is no echo, but always a reason.
        EXPECT_FALSE(r.error.isEmpty());
        GTEST_SKIP() << r.error.toStdString();
    }
    EXPECT_GT(r.bytes, 0);
    EXPECT_TRUE(r.error.isEmpty());
}

TEST(Ping, ReplyCarriesTheRequestsData)
{
    const platform::PingReply r = platform::icmpEcho("127.0.0.1", 1000, QByteArrayLiteral("127.0.0.1"));
    if (!r.error.isEmpty()) GTEST_SKIP() << r.error.toStdString();
    ASSERT_TRUE(r.answered);
    EXPECT_EQ(r.bytes, 9);
}

TEST(Ping, BadAddressesAreRefusedWithoutTraffic)
{
    for (const char *bad : {"", "localhost", "1.2.3", "256.1.1.1", "::1"}) {
        const platform::PingReply r = platform::icmpEcho(bad, 100);
        EXPECT_FALSE(r.answered) << bad;
        EXPECT_TRUE(r.error.contains("not an IPv4 address")) << bad;
    }
}

TEST(Ping, TestsCanStandInForTheNetwork)
{
    platform::setPingFunction([](const QString &a, int) {
        platform::PingReply r;
        r.answered = a == "10.0.0.1";
        r.bytes = 32;
        return r;
    });
    EXPECT_TRUE(platform::icmpEcho("10.0.0.1", 10).answered);
    EXPECT_FALSE(platform::icmpEcho("10.0.0.2", 10).answered);
    platform::setPingFunction({});
}

TEST(ClockAndChooser, StandIns)
{
    const QDateTime fixed(QDate(2024, 2, 29), QTime(12, 0));
    platform::setClock([&] { return fixed; }, [] { return qint64(42); });
    EXPECT_EQ(platform::currentDateTime(), fixed);
    EXPECT_EQ(platform::tickMs(), 42);
    platform::setClock({}, {});
    const qint64 a = platform::tickMs();
    EXPECT_GE(platform::tickMs(), a);

    platform::setFileChooser([](const platform::FileChoice &c) { return c.save ? QString("out.csv") : QString(); });
    EXPECT_EQ(platform::chooseFile({true, "Save", "/tmp", "*.csv"}), "out.csv");
    EXPECT_EQ(platform::chooseFile({false, "Open", "/tmp", "*.xml"}), "");
    platform::setFileChooser({});
}
