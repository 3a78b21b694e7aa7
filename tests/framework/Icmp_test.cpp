#include "framework/Icmp.h"

#include <gtest/gtest.h>

using namespace fw;

namespace {

TEST(Icmp, AddressesAreStrictDecimalDottedQuads)
{
    struct Case {
        const char* text;
        std::optional<std::uint32_t> expected;
    };
    const Case cases[] = {
        {"127.0.0.1", 0x7F000001},
        {"192.168.002.205", 0xC0A802CD},   // leading zeros are decimal
        {"010.0.0.8", 0x0A000008},         // not octal
        {"255.255.255.255", 0xFFFFFFFF},
        {"192.168.0.300", std::nullopt},
        {"1.2.3", std::nullopt},
        {"1.2.3.4.5", std::nullopt},
        {"1..3.4", std::nullopt},
        {" 1.2.3.4", std::nullopt},
        {"1.2.3.4 ", std::nullopt},
        {"0x7f.0.0.1", std::nullopt},
        {"+1.2.3.4", std::nullopt},
        {"1.2.3.-4", std::nullopt},
        {"0001.2.3.4", std::nullopt},
        {"2130706433", std::nullopt},      // one number is not accepted either
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TEchoClient::ParseAddress(QString::fromLatin1(c.text)), c.expected);
    }
}

QByteArray icmpMessage(std::uint8_t type, std::uint8_t code, std::uint16_t id, std::uint16_t seq, int data)
{
    QByteArray m(8 + data, '\x5A');
    m[0] = char(type);
    m[1] = char(code);
    m[4] = char(id >> 8);
    m[5] = char(id);
    m[6] = char(seq >> 8);
    m[7] = char(seq);
    return m;
}

TEST(Icmp, OnlyOurEchoReplyCounts)
{
    struct Case {
        const char* name;
        QByteArray message;
        int expected;
    };
    const Case cases[] = {
        {"our reply", icmpMessage(0, 0, 0x1234, 7, 1024), 1024},
        {"our reply without data", icmpMessage(0, 0, 0x1234, 7, 0), 0},
        {"host unreachable from a router", icmpMessage(3, 1, 0x1234, 7, 28), -1},
        {"time exceeded", icmpMessage(11, 0, 0x1234, 7, 28), -1},
        {"our own request seen on loopback", icmpMessage(8, 0, 0x1234, 7, 1024), -1},
        {"another program's reply", icmpMessage(0, 0, 0x4321, 7, 1024), -1},
        {"a late reply to an earlier request", icmpMessage(0, 0, 0x1234, 6, 1024), -1},
        {"truncated", QByteArray(5, '\0'), -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TEchoClient::MatchReply(c.message, 0x1234, 7), c.expected);
    }
}

TEST(Icmp, MalformedAddressIsRejectedBeforeAnythingIsSent)
{
    TEchoClient client;
    EXPECT_EQ(client.Echo(QStringLiteral("192.168.0.300"), "192.168.0.300").status, EchoStatus::BadAddress);
}

TEST(Icmp, LoopbackAnswersWithTheWholePacket)
{
    const QString kind = TEchoClient::AvailableSocketKind();
    if (kind.isEmpty())
        GTEST_SKIP() << "this system allows neither an ICMP datagram socket (see net.ipv4.ping_group_range) "
                        "nor a raw socket (needs CAP_NET_RAW)";
    TEchoClient client;
    for (int i = 0; i < 2; ++i) {   // a second request matches by its new sequence number
        const EchoResult r = client.Echo(QStringLiteral("127.0.0.1"), "127.0.0.1");
        EXPECT_EQ(r.status, EchoStatus::Reply) << "socket kind " << kind.toStdString();
        EXPECT_EQ(r.bytesReceived, 1024);
        EXPECT_LT(r.roundTripMs, 400);
    }
}

} // namespace
