#include "platform/Ping.h"

#include <QElapsedTimer>
#include <algorithm>
#include <atomic>
#include <vector>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <netinet/ip.h>
#include <netinet/ip_icmp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {
namespace {

std::function<PingReply(const QString &, int)> &slot()
{
    static std::function<PingReply(const QString &, int)> f;
    return f;
}

uint16_t checksum(const uint8_t *data, size_t len)
{
    uint32_t sum = 0;
    for (size_t i = 0; i + 1 < len; i += 2) sum += uint32_t(data[i] << 8 | data[i + 1]);
    if (len & 1) sum += uint32_t(data[len - 1] << 8);
    while (sum >> 16) sum = (sum & 0xFFFF) + (sum >> 16);
    return uint16_t(~sum);
}

class Socket {
public:
    explicit Socket(int fd) : fd(fd) {}
    ~Socket() { if (fd >= 0) ::close(fd); }
    Socket(const Socket &) = delete;
    Socket &operator=(const Socket &) = delete;
    int fd;
};

PingReply realEcho(const QString &ipv4, int timeoutMs, const QByteArray &payload)
{
    PingReply reply;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    if (::inet_pton(AF_INET, ipv4.trimmed().toLatin1().constData(), &to.sin_addr) != 1) {
        reply.error = QStringLiteral("\"%1\" is not an IPv4 address.").arg(ipv4);
        return reply;
    }
    bool raw = false;
    Socket s(::socket(AF_INET, SOCK_DGRAM, IPPROTO_ICMP));
    if (s.fd < 0) {
        s.fd = ::socket(AF_INET, SOCK_RAW, IPPROTO_ICMP);
        raw = true;
    }
    if (s.fd < 0) {
        reply.error = QStringLiteral("The device cannot be pinged: this system allows ICMP echo only to "
                                     "administrators (run as root, or allow ping sockets with "
                                     "net.ipv4.ping_group_range).");
        return reply;
    }

    static std::atomic<uint16_t> sequence{0}; // echoes may be sent from worker threads
    const uint16_t seq = ++sequence;
    const uint16_t id = uint16_t(::getpid());
    std::vector<uint8_t> packet(8);
    if (payload.isEmpty()) {
        for (int i = 0; i < 32; ++i) packet.push_back(uint8_t('a' + i % 23));
    } else {
        packet.insert(packet.end(), payload.begin(), payload.begin() + std::min<qsizetype>(payload.size(), 1024));
    }
    packet[0] = ICMP_ECHO;
    packet[4] = uint8_t(id >> 8);
    packet[5] = uint8_t(id);
    packet[6] = uint8_t(seq >> 8);
    packet[7] = uint8_t(seq);
    const uint16_t sum = checksum(packet.data(), packet.size());
    packet[2] = uint8_t(sum >> 8);
    packet[3] = uint8_t(sum);

    QElapsedTimer clock;
    clock.start();
    if (::sendto(s.fd, packet.data(), packet.size(), 0, reinterpret_cast<sockaddr *>(&to), sizeof to) < 0) {
        reply.error = QStringLiteral("The echo request could not be sent: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return reply;
    }
    uint8_t buf[2048];
    for (;;) {
        const int left = timeoutMs - int(clock.elapsed());
        if (left <= 0) return reply;
        pollfd p{s.fd, POLLIN, 0};
        if (::poll(&p, 1, left) <= 0) return reply;
        sockaddr_in from{};
        socklen_t fromLen = sizeof from;
        const ssize_t n = ::recvfrom(s.fd, buf, sizeof buf, 0, reinterpret_cast<sockaddr *>(&from), &fromLen);
        if (n <= 0 || from.sin_addr.s_addr != to.sin_addr.s_addr) continue;
        const uint8_t *icmp = buf;
        size_t len = size_t(n);
        if (raw) {
            // A raw socket hands over the IP header too, and sees our own request on loopback.
            const size_t ihl = size_t(buf[0] & 0x0F) * 4;
            if (len < ihl + 8) continue;
            icmp += ihl;
            len -= ihl;
            if (icmp[4] != packet[4] || icmp[5] != packet[5]) continue;
        }
        if (len < 8 || icmp[0] != ICMP_ECHOREPLY || icmp[6] != packet[6] || icmp[7] != packet[7]) continue;
        reply.answered = true;
        reply.bytes = int(len - 8);
        reply.roundTripMs = int(clock.elapsed());
        return reply;
    }
}

} // namespace

PingReply icmpEcho(const QString &ipv4, int timeoutMs, const QByteArray &payload)
{
    return slot() ? slot()(ipv4, timeoutMs) : realEcho(ipv4, timeoutMs, payload);
}

void setPingFunction(std::function<PingReply(const QString &, int)> f) { slot() = std::move(f); }

} // namespace platform
