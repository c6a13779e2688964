#pragma once
// Minimal HTTP/1.0 client for short text queries (the version check).
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace platform {

struct HttpReply {
    bool ok = false;      // a complete 2xx answer arrived
    int status = 0;       // status code of the answer, 0 when none arrived
    bool timedOut = false;
    QByteArray body;      // empty unless ok
    QString error;        // why it failed
};

using HttpHeaders = QList<QPair<QByteArray, QByteArray>>;

inline constexpr int kHttpDefaultTimeoutMs = 10000;
inline constexpr qsizetype kHttpMaxReplyBytes = 1 << 20;

// Sends "GET <pathAndQuery> HTTP/1.0" to host:port and waits for the whole answer, at most timeoutMs.
// While it waits the event loop keeps running (painting, timers) but user input is held back until
// the call returns, so no handler can run twice. Any failure (no connection, time-out, non-2xx status,
// malformed or oversized answer) gives ok = false and an empty body.
HttpReply httpGet(const QString &host, quint16 port, const QByteArray &pathAndQuery,
                  const HttpHeaders &headers = {}, int timeoutMs = kHttpDefaultTimeoutMs);

// Splits a raw HTTP answer into status and body; false when it is not a complete 2xx answer.
// Exposed for tests; never reads past the end of raw.
bool parseHttpReply(const QByteArray &raw, int &status, QByteArray &body, QString *error = nullptr);

} // namespace platform
