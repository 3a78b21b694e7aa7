#include "framework/Icmp.h"

#include <QElapsedTimer>
#include <QStringList>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <netinet/ip.h>
#include <netinet/ip_icmp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace fw {

namespace {

constexpr std::uint8_t kEchoReply = 0;
constexpr std::uint8_t kEchoRequest = 8;
constexpr int kHeaderSize = 8;

std::uint16_t checksum(const std::uint8_t* data, size_t size)
{
    std::uint32_t sum = 0;
    for (size_t i = 0; i + 1 < size; i += 2)
        sum += std::uint32_t(data[i] << 8 | data[i + 1]);
    if (size & 1)
        sum += std::uint32_t(data[size - 1] << 8);
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return std::uint16_t(~sum);
}

struct Socket {
    int fd = -1;
    bool raw = false;
    ~Socket()
    {
        if (fd >= 0)
            close(fd);
    }
};

// The unprivileged datagram kind first; it needs no capability but the
// system may restrict it to some groups.
void openSocket(Socket& s)
{
    s.fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (s.fd >= 0)
        return;
    s.fd = socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
    s.raw = s.fd >= 0;
}

} // namespace

std::optional<std::uint32_t> TEchoClient::ParseAddress(const QString& address)
{
    const QStringList parts = address.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return std::nullopt;
    std::uint32_t value = 0;
    for (const QString& part : parts) {
        if (part.isEmpty() || part.size() > 3)
            return std::nullopt;
        int octet = 0;
        for (QChar c : part) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return std::nullopt;
            octet = octet * 10 + (c.unicode() - '0');
        }
        if (octet > 255)
            return std::nullopt;
        value = value << 8 | std::uint32_t(octet);
    }
    return value;
}

int TEchoClient::MatchReply(const QByteArray& icmpMessage, std::uint16_t id, std::uint16_t sequence)
{
    if (icmpMessage.size() < kHeaderSize)
        return -1;
    const auto* m = reinterpret_cast<const std::uint8_t*>(icmpMessage.constData());
    if (m[0] != kEchoReply || m[1] != 0)
        return -1;
    if (std::uint16_t(m[4] << 8 | m[5]) != id || std::uint16_t(m[6] << 8 | m[7]) != sequence)
        return -1;
    return int(icmpMessage.size() - kHeaderSize);
}

QString TEchoClient::AvailableSocketKind()
{
    Socket s;
    openSocket(s);
    if (s.fd < 0)
        return {};
    return s.raw ? QStringLiteral("raw") : QStringLiteral("datagram");
}

EchoResult TEchoClient::Echo(const QString& address, const QByteArray& payload)
{
    EchoResult result;
    const std::optional<std::uint32_t> target = ParseAddress(address);
    if (!target) {
        result.status = EchoStatus::BadAddress;
        return result;
    }
    Socket s;
    openSocket(s);
    if (s.fd < 0) {
        result.status = EchoStatus::NoSocket;
        return result;
    }

    const int dataSize = qBound(0, DataSize, 65507 - kHeaderSize);
    std::vector<std::uint8_t> packet(size_t(kHeaderSize + dataSize), 0);
    const std::uint16_t id = std::uint16_t(getpid() & 0xFFFF);
    const std::uint16_t seq = ++m_sequence;
    packet[0] = kEchoRequest;
    packet[4] = std::uint8_t(id >> 8);
    packet[5] = std::uint8_t(id);
    packet[6] = std::uint8_t(seq >> 8);
    packet[7] = std::uint8_t(seq);
    for (int i = 0; i < dataSize; ++i)
        packet[size_t(kHeaderSize + i)] = i < payload.size() ? std::uint8_t(payload[i]) : std::uint8_t(i & 0xFF);
    const std::uint16_t sum = checksum(packet.data(), packet.size());
    packet[2] = std::uint8_t(sum >> 8);
    packet[3] = std::uint8_t(sum);

    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(*target);

    QElapsedTimer clock;
    clock.start();
    if (sendto(s.fd, packet.data(), packet.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to) < 0) {
        result.status = EchoStatus::SendFailed;
        return result;
    }
    // The kernel writes its own identifier into a datagram socket's requests
    // (the socket's local port) and delivers only replies that carry it.
    std::uint16_t expectedId = id;
    if (!s.raw) {
        sockaddr_in local{};
        socklen_t len = sizeof local;
        if (getsockname(s.fd, reinterpret_cast<sockaddr*>(&local), &len) == 0)
            expectedId = ntohs(local.sin_port);
    }

    std::vector<std::uint8_t> buffer(65536);
    for (;;) {
        const qint64 left = TimeoutMs - clock.elapsed();
        if (left <= 0)
            break;
        pollfd p{s.fd, POLLIN, 0};
        const int ready = poll(&p, 1, int(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        sockaddr_in from{};
        socklen_t fromLen = sizeof from;
        const ssize_t n = recvfrom(s.fd, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&from),
                                   &fromLen);
        if (n < 0)
            continue;
        if (from.sin_addr.s_addr != to.sin_addr.s_addr)
            continue;
        const std::uint8_t* icmp = buffer.data();
        ssize_t icmpSize = n;
        if (s.raw) {
            // A raw socket hands over the IP header too.
            if (n < 20)
                continue;
            const int ipHeader = (buffer[0] & 0x0F) * 4;
            if (ipHeader < 20 || n < ipHeader)
                continue;
            icmp += ipHeader;
            icmpSize -= ipHeader;
        }
        const int data = MatchReply(
            QByteArray::fromRawData(reinterpret_cast<const char*>(icmp), qsizetype(icmpSize)), expectedId, seq);
        if (data < 0)
            continue;
        result.status = EchoStatus::Reply;
        result.bytesReceived = data;
        result.roundTripMs = int(clock.elapsed());
        return result;
    }
    result.status = EchoStatus::Timeout;
    return result;
}

} // namespace fw
