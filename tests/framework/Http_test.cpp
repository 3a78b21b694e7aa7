#include "framework/Http.h"

#include "support/LoopbackHttpServer.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <utility>

using namespace fw;
using testsupport::LoopbackHttpServer;

namespace {

HttpGetRequest versionQuery(int port)
{
    HttpGetRequest r;
    r.host = QStringLiteral("127.0.0.1");
    r.port = port;
    r.pathAndQuery = QStringLiteral("/home/download/GetversionSW.asp?nomesw=SW585-K317");
    r.headers = {{"Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"},
                 {"User-Agent", "Mozilla/3.0 (compatible; HTTP client)"}};
    return r;
}

// Without a length, so the client reads the body to the end of the connection.
QByteArray reply(const QByteArray& statusLine, const QByteArray& body, const QByteArray& extra = {})
{
    return statusLine + "\r\nContent-Type: text/html\r\n" + extra + "\r\n" + body;
}

TEST(Http, SendsExactlyTheRequestLineAndHeadersGiven)
{
    LoopbackHttpServer server(reply("HTTP/1.0 200 OK", "VER. 1.002"));
    ASSERT_GT(server.port(), 0);
    const HttpGetResult r = HttpGet(versionQuery(server.port()));
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.Text(), QStringLiteral("VER. 1.002"));
    ASSERT_EQ(server.requests().size(), 1u);
    const QByteArray expected = "GET /home/download/GetversionSW.asp?nomesw=SW585-K317 HTTP/1.0\r\n"
                                "Host: 127.0.0.1:" + QByteArray::number(server.port()) + "\r\n"
                                "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"
                                "User-Agent: Mozilla/3.0 (compatible; HTTP client)\r\n"
                                "\r\n";
    EXPECT_EQ(server.requests()[0], expected);
}

TEST(Http, OnlyACompleteTwoHundredReplyIsAccepted)
{
    const QByteArray cap(64 * 1024, 'x');
    struct Case {
        const char* name;
        QByteArray reply;
        bool ok;
        int status;
        qsizetype bodySize;
    };
    const Case cases[] = {
        {"not found", reply("HTTP/1.0 404 Not Found", "no such page"), false, 404, 0},
        {"server error", reply("HTTP/1.0 500 Internal Server Error", ""), false, 500, 0},
        {"redirect is not followed", reply("HTTP/1.0 302 Found", "", "Location: /elsewhere\r\n"), false, 302, 0},
        {"no content is fine", reply("HTTP/1.0 204 No Content", ""), true, 204, 0},
        {"body exactly at the cap", reply("HTTP/1.0 200 OK", cap), true, 200, cap.size()},
        {"body over the cap", reply("HTTP/1.0 200 OK", cap + "y"), false, 200, 0},
        {"garbage instead of HTTP", QByteArray("hello\r\n\r\n"), false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoopbackHttpServer server(c.reply);
        const HttpGetResult r = HttpGet(versionQuery(server.port()));
        EXPECT_EQ(r.ok, c.ok) << r.error.toStdString();
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.body.size(), c.bodySize);
        EXPECT_EQ(r.error.isEmpty(), c.ok);
        EXPECT_EQ(server.requests().size(), 1u);   // one request only, also after a redirect
    }
}

TEST(Http, GivesUpAfterTheTimeout)
{
    LoopbackHttpServer server(reply("HTTP/1.0 200 OK", "VER. 1.002"), 2000);
    HttpGetRequest request = versionQuery(server.port());
    request.timeoutMs = 300;
    QElapsedTimer clock;
    clock.start();
    const HttpGetResult r = HttpGet(request);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_LT(clock.elapsed(), 1500);
}

TEST(Http, NoPositiveTimeoutMeansTheDefaultNotForever)
{
    // Both peers answer only after the default time-out has passed.
    LoopbackHttpServer zero(reply("HTTP/1.0 200 OK", "late"), 11500);
    LoopbackHttpServer negative(reply("HTTP/1.0 200 OK", "late"), 11500);
    auto timedGet = [](int port, int timeoutMs) {
        HttpGetRequest request = versionQuery(port);
        request.timeoutMs = timeoutMs;
        QElapsedTimer clock;
        clock.start();
        const HttpGetResult r = HttpGet(request);
        return std::make_pair(r.ok, clock.elapsed());
    };
    auto a = std::async(std::launch::async, timedGet, zero.port(), 0);
    auto b = std::async(std::launch::async, timedGet, negative.port(), -1);
    for (auto [ok, elapsed] : {a.get(), b.get()}) {
        EXPECT_FALSE(ok);
        EXPECT_GE(elapsed, 9000);
        EXPECT_LT(elapsed, 11000);
    }
}

TEST(Http, RefusesRequestsThatCouldSmuggleTextIntoTheRequest)
{
    LoopbackHttpServer server(reply("HTTP/1.0 200 OK", "VER. 1.002"));
    struct Case {
        const char* name;
        std::function<void(HttpGetRequest&)> spoil;
    };
    const Case cases[] = {
        {"line break in a header value", [](HttpGetRequest& r) { r.headers.append(qMakePair(QByteArray("X-A"), QByteArray("1\r\nX-B: 2"))); }},
        {"colon in a header name", [](HttpGetRequest& r) { r.headers.append(qMakePair(QByteArray("X-A: 1"), QByteArray("2"))); }},
        {"blank in the path", [](HttpGetRequest& r) { r.pathAndQuery = QStringLiteral("/a b HTTP/1.1"); }},
        {"path not starting with /", [](HttpGetRequest& r) { r.pathAndQuery = QStringLiteral("a"); }},
        {"host with a path", [](HttpGetRequest& r) { r.host = QStringLiteral("127.0.0.1/x"); }},
        {"host with user info", [](HttpGetRequest& r) { r.host = QStringLiteral("u@127.0.0.1"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HttpGetRequest request = versionQuery(server.port());
        c.spoil(request);
        const HttpGetResult r = HttpGet(request);
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.error.isEmpty());
    }
    EXPECT_TRUE(server.requests().empty());
}

TEST(Http, ConnectionRefusedIsAnError)
{
    int port;
    {
        LoopbackHttpServer server("");
        port = server.port();
    }
    const HttpGetResult r = HttpGet(versionQuery(port));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.status, 0);
    EXPECT_FALSE(r.error.isEmpty());
}

} // namespace
