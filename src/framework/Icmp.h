#pragma once
// ICMP echo ("ping") over IPv4. Only an echo reply from the target carrying
// our identifier and sequence number is an answer; an error message from a
// router on the way (unreachable, time exceeded) is not.
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace fw {

enum class EchoStatus {
    Reply,        // an echo reply arrived; bytesReceived > 0
    Timeout,      // nothing usable arrived in time
    BadAddress,   // the address is not a dotted quad of decimal octets 0..255
    NoSocket,     // the system allows neither an ICMP datagram nor a raw socket
    SendFailed    // the request could not be sent (no route, ...)
};

struct EchoResult {
    EchoStatus status = EchoStatus::Timeout;
    int bytesReceived = 0;   // data bytes of the reply (without ICMP header)
    int roundTripMs = 0;
};

class IEchoClient {
public:
    virtual ~IEchoClient() = default;
    // Sends one echo request to address and waits for its reply. payload
    // starts the request's data; the rest up to the packet size is filled.
    virtual EchoResult Echo(const QString& address, const QByteArray& payload) = 0;
};

class TEchoClient : public IEchoClient {
public:
    int DataSize = 1024;      // data bytes per request
    int TimeoutMs = 400;      // wait for the reply

    EchoResult Echo(const QString& address, const QByteArray& payload) override;

    // "a.b.c.d" with each part 1 to 3 decimal digits and at most 255; leading
    // zeros are decimal, not octal. The address in host byte order.
    static std::optional<std::uint32_t> ParseAddress(const QString& address);

    // The data size of an ICMP message (header included, IP header removed)
    // when it is the echo reply with this identifier and sequence number;
    // -1 for anything else.
    static int MatchReply(const QByteArray& icmpMessage, std::uint16_t id, std::uint16_t sequence);

    // Which socket kind this system lets us use: "datagram", "raw" or empty.
    static QString AvailableSocketKind();

private:
    std::uint16_t m_sequence = 0;
};

} // namespace fw
