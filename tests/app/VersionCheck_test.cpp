#include "app/VersionCheck.h"

#include "app/AppTestFixture.h"
#include "support/LoopbackHttpServer.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using apptest::LocalServer;
using testsupport::LoopbackHttpServer;

namespace {

TEST(VersionCheck, ConvVersionReadsTheDigitsAroundThePoint)
{
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"1.001", 1001},      {"VER. 1.002", 1002}, {"VER.   2.345  ", 2345}, {"1,002", 1002},
        {"VER. 1.1", -1},     {"", -1},             {"VER.", -1},            {"abcde", -1},
        {"1.00x", -1},        {"1.0023", 1002},     {"VER. 0.000", 0},       {"x 9.999 tail", 9999},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Conv_Version(QString::fromUtf8(c.text)), c.expected) << c.text;
}

TEST(VersionCheck, OnlyAHigherVersionIsNewer)
{
    const struct {
        const char* reply;
        bool newer;
    } cases[] = {
        {"VER. 1.002", true}, {"1.002", true},      {"ver. 1.002", true}, {"VER. 1.001", false},
        {"VER. 1.000", false}, {"VER. 0.000", false}, {"ver. 0.000", false}, {"", false},
        {"VER. 1.1", false},  {"<html>Not here</html>", false}, {"   \r\n", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Is_Newer_Version(QString::fromUtf8(c.reply)), c.newer) << c.reply;
}

TEST(VersionCheck, SendsOneHttp10GetWithTheExactHeaders)
{
    LoopbackHttpServer server(LoopbackHttpServer::reply("HTTP/1.0 200 OK", "VER. 1.002"));
    ASSERT_GT(server.port(), 0);
    LocalServer local(server.port());
    EXPECT_TRUE(Check_Version());
    ASSERT_EQ(server.requests().size(), 1u);
    const QByteArray expected = "GET /home/download/GetversionSW.asp?nomesw=SW585-K317 HTTP/1.0\r\n"
                                "Host: 127.0.0.1:" + QByteArray::number(server.port()) + "\r\n"
                                "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"
                                "User-Agent: Mozilla/3.0 (compatible; HTTP client)\r\n"
                                "\r\n";
    EXPECT_EQ(server.requests()[0], expected);
}

TEST(VersionCheck, RepliesOfTheServer)
{
    const struct {
        const char* name;
        QByteArray reply;
        bool newer;
    } cases[] = {
        {"newer", LoopbackHttpServer::reply("HTTP/1.0 200 OK", "VER. 1.002\r\n"), true},
        {"same", LoopbackHttpServer::reply("HTTP/1.0 200 OK", "VER. 1.001"), false},
        {"none known", LoopbackHttpServer::reply("HTTP/1.0 200 OK", "VER. 0.000"), false},
        {"garbage", LoopbackHttpServer::reply("HTTP/1.0 200 OK", "\x01\xFFgarbage!"), false},
        {"not found page naming a version",
         LoopbackHttpServer::reply("HTTP/1.0 404 Not Found", "VER. 9.999"), false},
        {"redirect", LoopbackHttpServer::reply("HTTP/1.0 302 Found", "VER. 9.999",
                                               "Location: http://127.0.0.1:1/x\r\n"), false},
        {"too long", LoopbackHttpServer::reply("HTTP/1.0 200 OK", "VER. 9.999" + QByteArray(70000, ' ')), false},
        {"not HTTP", QByteArray("VER. 9.999\r\n"), false},
    };
    for (const auto& c : cases) {
        LoopbackHttpServer server(c.reply);
        ASSERT_GT(server.port(), 0);
        LocalServer local(server.port());
        EXPECT_EQ(Check_Version(), c.newer) << c.name;
    }
}

TEST(VersionCheck, ASilentServerCountsAsNoNewVersionAfterTheTimeout)
{
    LoopbackHttpServer server(LoopbackHttpServer::reply("HTTP/1.0 200 OK", "VER. 1.002"), 3000);
    ASSERT_GT(server.port(), 0);
    LocalServer local(server.port(), 400);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(Check_Version());
    EXPECT_LT(clock.elapsed(), 2500);
}

TEST(VersionCheck, NoServerCountsAsNoNewVersion)
{
    int port = 0;
    {
        // Nothing listens on this port once the probe is gone.
        LoopbackHttpServer probe(QByteArray{});
        port = probe.port();
    }
    ASSERT_GT(port, 0);
    LocalServer local(port, 1000);
    EXPECT_FALSE(Check_Version());
}

TEST(VersionCheck, LinksOfTheMakersPages)
{
    LocalServer local(8080);
    EXPECT_EQ(Home_Page_URL(), QStringLiteral("http://127.0.0.1:8080/HOME/default.asp?frompg=SW585-K317"));
    EXPECT_EQ(Download_Anchor(QStringLiteral("New")),
              QStringLiteral("<a href=\"http://127.0.0.1:8080/Home/download/download.asp#HD585-K317\">New</a>"));
    Set_Maker_Server(TMaker_Server{});
    EXPECT_EQ(Home_Page_URL(), QStringLiteral("http://www.orlaqi.com/HOME/default.asp?frompg=SW585-K317"));
}

} // namespace
