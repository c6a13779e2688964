#include "shell/UComon.h"
#include "shell/USoftOptions_Version.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>

using testsupport::LoopbackHttpServer;

namespace {

// Points the version query at a loopback server for one test.
struct LoopbackWebServer {
    LoopbackHttpServer server;
    QString oldHost = Web_Server_Host;
    quint16 oldPort = Web_Server_Port;
    int oldTimeout = Version_Query_Timeout_Ms;
    explicit LoopbackWebServer(const QByteArray &reply, bool silent = false, int timeoutMs = 3000)
        : server(reply, silent)
    {
        Web_Server_Host = QStringLiteral("127.0.0.1");
        Web_Server_Port = server.port();
        Version_Query_Timeout_Ms = timeoutMs;
    }
    ~LoopbackWebServer()
    {
        Web_Server_Host = oldHost;
        Web_Server_Port = oldPort;
        Version_Query_Timeout_Ms = oldTimeout;
    }
};

} // namespace

TEST(ConvVersion, Cases)
{
    const struct {
        const char *text;
        int value;
    } cases[] = {
        {"VER. 1.104", 1104}, {"1.103", 1103},  {"VER. 2.0", -1},     {"VER. 12.345", -1}, {"", -1},
        {"VER. ", -1},        {"VER.", -1},     {"VER. 1.10", -1},    {"VER. 1.1045", 1104},
        {"VER. x.FFF", -1},   {"VER. -.103", -1}, {"VER.  1.104 ", 1104}, {"ver. 0.000", 0},
        {"VER. 1,200", 1200}, // the second character is skipped whatever it is
    };
    for (const auto &c : cases) EXPECT_EQ(Conv_Version(QString::fromLatin1(c.text)), c.value) << c.text;
}

TEST(IsNewerVersionReply, Cases)
{
    const struct {
        const char *reply;
        bool newer;
    } cases[] = {
        {"VER. 1.104", true},
        {"  VER. 1.104\r\n", true},
        {"ver. 1.200", true},
        {"VER. 2.000", true},
        {"VER. 1.103", false},
        {"VER. 1.099", false},
        {"VER. 0.000", false},
        {"ver. 0.000", false},
        {"", false},
        {"VER. 2.0", false},
        {"VER.", false},
        {"<html><body>Error 12345</body></html>", false},
        {"<html> 9.999</html>", false},
        {"garbage 9.999", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Is_Newer_Version_Reply(QString::fromLatin1(c.reply), kSWVersion), c.newer) << c.reply;
}

TEST(QueryPublishedVersion, AsksTheVersionPageWithTheSoftwareCode)
{
    LoopbackWebServer web(LoopbackHttpServer::okReply("VER. 1.104"));
    EXPECT_EQ(Query_Published_Version(), QStringLiteral("VER. 1.104"));
    const QByteArray req = web.server.lastRequest();
    EXPECT_TRUE(req.startsWith("GET /home/download/GetversionSW.asp?nomesw=CF41520 HTTP/1.0\r\n")) << req.constData();
    EXPECT_TRUE(req.contains("\r\nAccept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"));
    EXPECT_TRUE(req.contains("\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"));
    EXPECT_FALSE(req.contains("Cookie"));
}

TEST(QueryPublishedVersion, FailuresGiveAnEmptyReply)
{
    {
        LoopbackWebServer web("HTTP/1.0 500 Internal Server Error\r\n\r\n<html>VER. 9.999</html>");
        EXPECT_EQ(Query_Published_Version(), QString());
    }
    {
        LoopbackWebServer web({}, /*silent*/ true, /*timeoutMs*/ 300);
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(Query_Published_Version(), QString());
        EXPECT_LT(clock.elapsed(), 3000);
    }
}

TEST(WebAddresses, HomeAndDownloadPages)
{
    EXPECT_EQ(Home_Page_Url().path(), QStringLiteral("/HOME/default.asp"));
    EXPECT_EQ(Home_Page_Url().query(), QStringLiteral("frompg=CF41520"));
    EXPECT_EQ(Download_Page_Url().path(), QStringLiteral("/Home/download/download.asp"));
    EXPECT_EQ(Download_Page_Url().fragment(), QStringLiteral("GW41520"));
    EXPECT_EQ(Home_Page_Url().host(), Web_Server_Host);
    EXPECT_EQ(Download_Page_Url().scheme(), QStringLiteral("http"));
}
