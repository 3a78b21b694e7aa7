#pragma once
// A one-thread HTTP server on 127.0.0.1 for the version check: records each
// request's bytes and answers every connection with the same canned reply,
// optionally late.
#include <QByteArray>

#include <arpa/inet.h>
#include <atomic>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace apptest {

class LoopbackHttpServer {
public:
    explicit LoopbackHttpServer(QByteArray reply, int delayMs = 0) : m_reply(std::move(reply)), m_delayMs(delayMs)
    {
        m_fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (bind(m_fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(m_fd, 4) != 0)
            return;
        socklen_t len = sizeof a;
        getsockname(m_fd, reinterpret_cast<sockaddr*>(&a), &len);
        m_port = ntohs(a.sin_port);
        m_thread = std::thread([this] { serve(); });
    }
    ~LoopbackHttpServer()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        close(m_fd);
    }
    int port() const { return m_port; }
    std::vector<QByteArray> requests()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_requests;
    }

    // A reply with a status line, a text body and its length.
    static QByteArray reply(const QByteArray& statusLine, const QByteArray& body, const QByteArray& extra = {})
    {
        return statusLine + "\r\nContent-Type: text/html\r\nContent-Length: " + QByteArray::number(body.size()) +
               "\r\n" + extra + "\r\n" + body;
    }

private:
    void serve()
    {
        while (!m_stop) {
            pollfd p{m_fd, POLLIN, 0};
            if (poll(&p, 1, 20) <= 0)
                continue;
            const int c = accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
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
                std::lock_guard<std::mutex> lock(m_mutex);
                m_requests.push_back(request);
            }
            for (int waited = 0; waited < m_delayMs && !m_stop; waited += 10)
                usleep(10000);
            for (qsizetype sent = 0; sent < m_reply.size();) {
                const ssize_t n = send(c, m_reply.constData() + sent, size_t(m_reply.size() - sent), MSG_NOSIGNAL);
                if (n <= 0)
                    break;
                sent += n;
            }
            close(c);
        }
    }

    QByteArray m_reply;
    int m_delayMs;
    int m_fd = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    std::mutex m_mutex;
    std::vector<QByteArray> m_requests;
};

} // namespace apptest
