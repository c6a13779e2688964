#include "platform/HttpClient.h"

#include <QEventLoop>
#include <QTcpSocket>
#include <QTimer>

namespace platform {

bool parseHttpReply(const QByteArray &raw, int &status, QByteArray &body, QString *error)
{
    auto fail = [&](const char *why) {
        if (error) *error = QString::fromLatin1(why);
        body.clear();
        return false;
    };
    status = 0;
    body.clear();
    qsizetype headEnd = raw.indexOf("\r\n\r\n");
    qsizetype bodyStart = headEnd + 4;
    const qsizetype lfEnd = raw.indexOf("\n\n");
    if (lfEnd >= 0 && (headEnd < 0 || lfEnd < headEnd)) {
        headEnd = lfEnd;
        bodyStart = lfEnd + 2;
    }
    if (headEnd < 0) return fail("incomplete HTTP answer");

    const QList<QByteArray> lines = raw.left(headEnd).split('\n');
    const QList<QByteArray> statusParts = lines.value(0).trimmed().split(' ');
    if (statusParts.size() < 2 || !statusParts.at(0).startsWith("HTTP/")) return fail("not an HTTP answer");
    bool okNum = false;
    status = statusParts.at(1).toInt(&okNum);
    if (!okNum || statusParts.at(1).size() != 3) {
        status = 0;
        return fail("bad HTTP status line");
    }

    qint64 contentLength = -1;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0) continue;
        if (line.left(colon).trimmed().toLower() == "content-length") {
            bool okLen = false;
            contentLength = line.mid(colon + 1).trimmed().toLongLong(&okLen);
            if (!okLen || contentLength < 0) return fail("bad Content-Length");
        }
    }
    if (status < 200 || status > 299) return fail("HTTP error status");

    QByteArray rest = raw.mid(bodyStart);
    if (contentLength >= 0) {
        if (rest.size() < contentLength) return fail("answer shorter than its Content-Length");
        rest.truncate(contentLength);
    }
    body = rest;
    return true;
}

HttpReply httpGet(const QString &host, quint16 port, const QByteArray &pathAndQuery, const HttpHeaders &headers,
                  int timeoutMs)
{
    HttpReply reply;
    QByteArray request = "GET " + (pathAndQuery.startsWith('/') ? pathAndQuery : "/" + pathAndQuery)
                         + " HTTP/1.0\r\nHost: " + host.toUtf8();
    if (port != 80) request += ':' + QByteArray::number(port);
    request += "\r\n";
    for (const auto &h : headers) request += h.first + ": " + h.second + "\r\n";
    request += "\r\n";

    QTcpSocket socket;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QByteArray raw;
    bool finished = false;
    bool oversized = false;
    bool stop = false; // set by every handler that ends the wait, even before exec() runs
    QString socketError;
    auto quit = [&] {
        stop = true;
        loop.quit();
    };

    QObject::connect(&socket, &QTcpSocket::connected, &loop, [&] { socket.write(request); });
    QObject::connect(&socket, &QTcpSocket::readyRead, &loop, [&] {
        raw += socket.readAll();
        if (raw.size() > kHttpMaxReplyBytes) {
            oversized = true;
            quit();
        }
    });
    QObject::connect(&socket, &QTcpSocket::disconnected, &loop, [&] {
        finished = true;
        quit();
    });
    QObject::connect(&socket, &QTcpSocket::errorOccurred, &loop, [&](QAbstractSocket::SocketError e) {
        if (e == QAbstractSocket::RemoteHostClosedError) {
            finished = true;
        } else {
            socketError = socket.errorString();
        }
        quit();
    });
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        reply.timedOut = true;
        quit();
    });

    deadline.start(qMax(0, timeoutMs));
    socket.connectToHost(host, port);
    // User input waits until the answer is in; painting and timers go on.
    if (!stop) loop.exec(QEventLoop::ExcludeUserInputEvents);
    deadline.stop();
    if (finished) raw += socket.readAll();
    socket.abort();

    if (reply.timedOut) {
        reply.error = QStringLiteral("no answer within %1 ms").arg(timeoutMs);
        return reply;
    }
    if (oversized) {
        reply.error = QStringLiteral("answer too large");
        return reply;
    }
    if (!socketError.isEmpty()) {
        reply.error = socketError;
        return reply;
    }
    if (!finished) {
        reply.error = QStringLiteral("connection ended unexpectedly");
        return reply;
    }
    reply.ok = parseHttpReply(raw, reply.status, reply.body, &reply.error);
    return reply;
}

} // namespace platform
