#pragma once
// A one-thread HTTP server on 127.0.0.1 for the tests of the HTTP client and
// the version check: records each request's bytes and answers every
// connection with the same canned reply, optionally late.
#include <QByteArray>

#include <memory>
#include <vector>

namespace testsupport {

class LoopbackHttpServer {
public:
    explicit LoopbackHttpServer(QByteArray reply, int delayMs = 0);
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    // The port it listens on; 0 when it could not listen.
    int port() const;
    // The bytes of every request received so far, up to the blank line.
    std::vector<QByteArray> requests();

    // A reply with a status line, a text body and its length.
    static QByteArray reply(const QByteArray& statusLine, const QByteArray& body, const QByteArray& extra = {});

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace testsupport
