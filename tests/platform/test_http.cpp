#include "platform/HttpClient.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTimer>

using platform::httpGet;
using testsupport::LoopbackHttpServer;

TEST(HttpGet, SendsOneHttp10RequestAndReturnsTheBody)
{
    LoopbackHttpServer server(LoopbackHttpServer::okReply("VER. 1.104"));
    const platform::HttpReply r = httpGet(QStringLiteral("127.0.0.1"), server.port(), "/a/b.asp?k=V",
                                          {{"Accept", "text/html"}, {"User-Agent", "Agent/1"}}, 3000);
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.body, QByteArray("VER. 1.104"));
    const QByteArray req = server.lastRequest();
    EXPECT_TRUE(req.startsWith("GET /a/b.asp?k=V HTTP/1.0\r\n")) << req.constData();
    EXPECT_TRUE(req.contains("\r\nAccept: text/html\r\n"));
    EXPECT_TRUE(req.contains("\r\nUser-Agent: Agent/1\r\n"));
    EXPECT_TRUE(req.contains("\r\nHost: 127.0.0.1:"));
    EXPECT_TRUE(req.endsWith("\r\n\r\n"));
}

TEST(HttpGet, ErrorStatusGivesNoBody)
{
    LoopbackHttpServer server("HTTP/1.0 404 Not Found\r\nContent-Type: text/html\r\n\r\n<html>404</html>");
    const platform::HttpReply r = httpGet(QStringLiteral("127.0.0.1"), server.port(), "/x", {}, 3000);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.status, 404);
    EXPECT_TRUE(r.body.isEmpty());
}

TEST(HttpGet, SilentServerTimesOutWithoutFreezingTheEventLoop)
{
    LoopbackHttpServer server({}, /*silent*/ true);
    int ticks = 0;
    QTimer painter;
    QObject::connect(&painter, &QTimer::timeout, [&] { ++ticks; });
    painter.start(20);
    QElapsedTimer clock;
    clock.start();
    const platform::HttpReply r = httpGet(QStringLiteral("127.0.0.1"), server.port(), "/x", {}, 400);
    const qint64 took = clock.elapsed();
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.timedOut);
    EXPECT_TRUE(r.body.isEmpty());
    EXPECT_GE(took, 350);
    EXPECT_LT(took, 3000);
    EXPECT_GE(ticks, 3) << "timers must keep running while the request waits";
}

TEST(HttpGet, RefusedConnectionFailsAtOnce)
{
    quint16 port;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    } // closed: nothing listens there now
    QElapsedTimer clock;
    clock.start();
    const platform::HttpReply r = httpGet(QStringLiteral("127.0.0.1"), port, "/x", {}, 5000);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.timedOut);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_LT(clock.elapsed(), 4000);
}

TEST(HttpGet, OversizedAnswerIsRefused)
{
    LoopbackHttpServer server(LoopbackHttpServer::okReply(QByteArray(platform::kHttpMaxReplyBytes + 10, 'x')));
    const platform::HttpReply r = httpGet(QStringLiteral("127.0.0.1"), server.port(), "/x", {}, 5000);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.body.isEmpty());
}

TEST(HttpReplyParse, Cases)
{
    struct Case {
        const char *name;
        QByteArray raw;
        bool ok;
        int status;
        QByteArray body;
    } cases[] = {
        {"plain", "HTTP/1.0 200 OK\r\n\r\nVER. 1.104", true, 200, "VER. 1.104"},
        {"content length cuts", "HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\nVER. 1.104", true, 200, "VER."},
        {"lf only", "HTTP/1.0 200 OK\nX: y\n\nbody", true, 200, "body"},
        {"empty body", "HTTP/1.0 204 No Content\r\n\r\n", true, 204, ""},
        {"truncated body", "HTTP/1.0 200 OK\r\nContent-Length: 40\r\n\r\nVER.", false, 200, ""},
        {"no header end", "HTTP/1.0 200 OK\r\nContent-Length: 4", false, 0, ""},
        {"garbage", "\x01\x02garbage\r\n\r\nVER. 1.104", false, 0, ""},
        {"bad status", "HTTP/1.0 2000 OK\r\n\r\nx", false, 0, ""},
        {"redirect", "HTTP/1.0 302 Found\r\nLocation: /y\r\n\r\n", false, 302, ""},
        {"bad length", "HTTP/1.0 200 OK\r\nContent-Length: -3\r\n\r\nabc", false, 200, ""},
        {"empty", "", false, 0, ""},
    };
    for (const Case &c : cases) {
        int status = -1;
        QByteArray body = "junk";
        EXPECT_EQ(platform::parseHttpReply(c.raw, status, body), c.ok) << c.name;
        EXPECT_EQ(status, c.status) << c.name;
        EXPECT_EQ(body, c.body) << c.name;
    }
}
