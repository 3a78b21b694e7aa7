#pragma once
// One plain HTTP GET with the request under the caller's exact control: the
// request line is "GET <path> HTTP/1.0", then "Host", then the caller's
// headers in their order, and nothing else.
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace fw {

struct HttpGetRequest {
    QString host;             // name or IPv4 address
    int port = 80;
    QString pathAndQuery;     // "/dir/page.asp?key=value"; must start with "/"
    QList<QPair<QByteArray, QByteArray>> headers;   // sent as "Name: value"
    int timeoutMs = 10000;    // whole exchange, connection included; <= 0 means this default
    qsizetype maxBodyBytes = 64 * 1024;   // a longer body is an error
};

struct HttpGetResult {
    bool ok = false;          // a 2xx reply whose body arrived whole
    int status = 0;           // the reply's status code (0 when none arrived)
    QByteArray body;
    QString error;            // why it failed (empty when ok)

    QString Text() const { return QString::fromUtf8(body); }
};

// Redirects are not followed (a 3xx reply is a failure), no proxy is used for
// loopback addresses, and only http is spoken.
HttpGetResult HttpGet(const HttpGetRequest& request);

} // namespace fw
