#pragma once
// ICMP echo to an IPv4 address. Uses an unprivileged ping socket where the system allows one,
// otherwise a raw socket (root), otherwise fails with a clear reason.
#include <QByteArray>
#include <QString>
#include <functional>

namespace platform {

struct PingReply {
    bool answered = false;
    int bytes = 0;        // size of the echo reply's data
    int roundTripMs = 0;
    QString error;        // why no echo could be sent (empty for a plain time-out)
};

// One echo request to a dotted IPv4 address, waiting at most timeoutMs for its reply. The request
// carries payload as its data (a fixed 32-byte pattern when empty; at most 1024 bytes are sent).
PingReply icmpEcho(const QString &ipv4, int timeoutMs, const QByteArray &payload = {});

// Tests stand in for the network; an empty function restores the real echo.
void setPingFunction(std::function<PingReply(const QString &, int)> f);

} // namespace platform
