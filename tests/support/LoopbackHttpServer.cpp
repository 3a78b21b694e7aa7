#include "support/LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <atomic>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace testsupport {

struct LoopbackHttpServer::Impl {
    QByteArray reply;
    int delayMs = 0;
    int fd = -1;
    int port = 0;
    std::atomic<bool> stop{false};
    std::thread thread;
    std::mutex mutex;
    std::vector<QByteArray> requests;

    void serve();
};

LoopbackHttpServer::LoopbackHttpServer(QByteArray reply, int delayMs) : d(std::make_unique<Impl>())
{
    d->reply = std::move(reply);
    d->delayMs = delayMs;
    d->fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(d->fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(d->fd, 4) != 0)
        return;
    socklen_t len = sizeof a;
    getsockname(d->fd, reinterpret_cast<sockaddr*>(&a), &len);
    d->port = ntohs(a.sin_port);
    d->thread = std::thread([impl = d.get()] { impl->serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    d->stop = true;
    if (d->thread.joinable())
        d->thread.join();
    close(d->fd);
}

int LoopbackHttpServer::port() const
{
    return d->port;
}

std::vector<QByteArray> LoopbackHttpServer::requests()
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->requests;
}

QByteArray LoopbackHttpServer::reply(const QByteArray& statusLine, const QByteArray& body, const QByteArray& extra)
{
    return statusLine + "\r\nContent-Type: text/html\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n" +
           extra + "\r\n" + body;
}

void LoopbackHttpServer::Impl::serve()
{
    while (!stop) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 20) <= 0)
            continue;
        const int c = accept4(fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (c < 0)
            continue;
        QByteArray request;
        char buf[4096];
        while (!request.contains("\r\n\r\n") && request.size() < 65536) {
            pollfd q{c, POLLIN, 0};
            if (poll(&q, 1, 2000) <= 0)
                break;
            const ssize_t n = read(c, buf, sizeof buf);
            if (n <= 0)
                break;
            request.append(buf, n);
        }
        {
            std::lock_guard<std::mutex> lock(mutex);
            requests.push_back(request);
        }
        for (int waited = 0; waited < delayMs && !stop; waited += 10)
            usleep(10000);
        for (qsizetype sent = 0; sent < reply.size();) {
            const ssize_t n = send(c, reply.constData() + sent, size_t(reply.size() - sent), MSG_NOSIGNAL);
            if (n <= 0)
                break;
            sent += n;
        }
        close(c);
    }
}

} // namespace testsupport
