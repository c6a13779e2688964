#include "shell/USoftOptions_Version.h"

#include "platform/HttpClient.h"
#include "shell/UComon.h"

namespace {

QString serverBase()
{
    QString base = QStringLiteral("http://") + Web_Server_Host;
    if (Web_Server_Port != 80) base += QLatin1Char(':') + QString::number(Web_Server_Port);
    return base + QLatin1Char('/');
}

QString asciiUpper(QString s)
{
    for (QChar &c : s)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) c = QChar(c.unicode() - 32);
    return s;
}

} // namespace

QString Web_Address_Text() { return Web_Server_Host; }

QUrl Home_Page_Url() { return QUrl(serverBase() + QStringLiteral("HOME/default.asp?frompg=") + kSWCode); }

QUrl Download_Page_Url()
{
    return QUrl(serverBase() + QStringLiteral("Home/download/download.asp#") + Get_Device_Code());
}

int Conv_Version(const QString &Ver_str)
{
    const qsizetype blank = Ver_str.indexOf(QLatin1Char(' '));
    const QString t = Trim_Text(blank < 0 ? Ver_str : Ver_str.mid(blank + 1));
    if (t.size() < 5) return -1;
    int value = 0;
    for (const qsizetype i : {0, 2, 3, 4}) {
        const QChar c = t.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

bool Is_Newer_Version_Reply(const QString &reply, const QString &own)
{
    const QString r = asciiUpper(Trim_Text(reply));
    if (r.isEmpty() || r == QLatin1String("VER. 0.000")) return false;
    // Anything but the server's own answer (an error page, a proxy's notice) says nothing.
    if (!r.startsWith(QLatin1String("VER. "))) return false;
    const int ownVersion = Conv_Version(own);
    const int webVersion = Conv_Version(Trim_Text(reply));
    return ownVersion != -1 && webVersion != -1 && webVersion > ownVersion;
}

QString Query_Published_Version()
{
    const platform::HttpReply reply = platform::httpGet(
        Web_Server_Host, Web_Server_Port, QByteArray("/home/download/GetversionSW.asp?nomesw=") + kSWCode.toLatin1(),
        {{"Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"},
         {"User-Agent", "Mozilla/3.0 (compatible; Indy Library)"}},
        Version_Query_Timeout_Ms);
    if (!reply.ok) return QString();
    return QString::fromLatin1(reply.body);
}
