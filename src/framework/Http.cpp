#include "framework/Http.h"

#define CURL_DISABLE_TYPECHECK
#include <curl/curl.h>

#include "framework/SharedLibrary.h"

#include <memory>

namespace fw {

namespace {

// libcurl brings two dozen libraries (TLS, Kerberos, LDAP ...) and a run
// asks the web server at most now and then: loaded at the first request.
struct TCurl {
    decltype(&curl_global_init) global_init = nullptr;
    decltype(&curl_easy_init) easy_init = nullptr;
    decltype(&curl_easy_cleanup) easy_cleanup = nullptr;
    decltype(&curl_easy_setopt) easy_setopt = nullptr;
    decltype(&curl_easy_perform) easy_perform = nullptr;
    decltype(&curl_easy_getinfo) easy_getinfo = nullptr;
    decltype(&curl_easy_strerror) easy_strerror = nullptr;
    decltype(&curl_slist_append) slist_append = nullptr;
    decltype(&curl_slist_free_all) slist_free_all = nullptr;
};

// The library's entry points, the library set up once; nullptr when it
// cannot be loaded.
const TCurl* curlLibrary()
{
    static const TCurl* const loaded = LoadSharedApi<TCurl>("libcurl.so.4", [](TCurl& api, auto bind) {
        return bind(api.global_init, "curl_global_init") && bind(api.easy_init, "curl_easy_init")
               && bind(api.easy_cleanup, "curl_easy_cleanup") && bind(api.easy_setopt, "curl_easy_setopt")
               && bind(api.easy_perform, "curl_easy_perform") && bind(api.easy_getinfo, "curl_easy_getinfo")
               && bind(api.easy_strerror, "curl_easy_strerror") && bind(api.slist_append, "curl_slist_append")
               && bind(api.slist_free_all, "curl_slist_free_all")
               && api.global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    });
    return loaded;
}

struct Sink {
    QByteArray body;
    qsizetype limit = 0;
    bool overflow = false;
};

size_t writeBody(char* data, size_t size, size_t count, void* user)
{
    auto* sink = static_cast<Sink*>(user);
    const size_t bytes = size * count;
    if (sink->body.size() + qsizetype(bytes) > sink->limit) {
        sink->overflow = true;
        return 0;   // makes curl stop with a write error
    }
    sink->body.append(data, qsizetype(bytes));
    return bytes;
}

// Text that goes into the request verbatim must not be able to end a line
// or the request early.
bool isSafeRequestText(const QByteArray& text)
{
    for (char c : text)
        if (c == '\r' || c == '\n' || c == '\0')
            return false;
    return true;
}

bool isValidHost(const QString& host)
{
    if (host.isEmpty() || host.size() > 253)
        return false;
    for (QChar c : host)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('.') && c != QLatin1Char('-'))
            return false;
    return true;
}

bool isValidPath(const QByteArray& path)
{
    if (!path.startsWith('/'))
        return false;
    for (char c : path)
        if (static_cast<unsigned char>(c) <= 0x20 || static_cast<unsigned char>(c) >= 0x7F || c == '#')
            return false;
    return true;
}

HttpGetResult failure(const QString& why)
{
    HttpGetResult r;
    r.error = why;
    return r;
}

} // namespace

HttpGetResult HttpGet(const HttpGetRequest& request)
{
    const QByteArray path = request.pathAndQuery.toUtf8();
    if (!isValidHost(request.host))
        return failure(QStringLiteral("Invalid host name"));
    if (request.port <= 0 || request.port > 65535)
        return failure(QStringLiteral("Invalid port"));
    if (!isValidPath(path))
        return failure(QStringLiteral("Invalid request path"));

    const TCurl* api = curlLibrary();
    if (!api)
        return failure(QStringLiteral("HTTP client not available (libcurl.so.4 cannot be loaded)"));
    std::unique_ptr<CURL, void (*)(CURL*)> curl(api->easy_init(), api->easy_cleanup);
    if (!curl)
        return failure(QStringLiteral("HTTP client not available"));
    CURL* c = curl.get();

    const QByteArray url = "http://" + request.host.toLatin1() + ':' + QByteArray::number(request.port) + path;

    // curl adds "Accept: */*" unless told otherwise; an empty header removes
    // it, and a caller's own Accept replaces it.
    struct curl_slist* list = nullptr;
    bool hasAccept = false;
    for (const auto& [name, value] : request.headers) {
        if (name.isEmpty() || name.contains(':') || !isSafeRequestText(name) || !isSafeRequestText(value)) {
            api->slist_free_all(list);
            return failure(QStringLiteral("Invalid request header"));
        }
        if (name.compare("Accept", Qt::CaseInsensitive) == 0)
            hasAccept = true;
        // "Name;" is curl's way of sending a header with an empty value.
        const QByteArray line = value.isEmpty() ? name + ';' : name + ": " + value;
        list = api->slist_append(list, line.constData());
    }
    if (!hasAccept)
        list = api->slist_append(list, "Accept:");
    std::unique_ptr<curl_slist, void (*)(curl_slist*)> headers(list, api->slist_free_all);

    Sink sink;
    sink.limit = request.maxBodyBytes;
    char errorText[CURL_ERROR_SIZE] = {};

    api->easy_setopt(c, CURLOPT_URL, url.constData());
    api->easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http");
    api->easy_setopt(c, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
    api->easy_setopt(c, CURLOPT_HTTPGET, 1L);
    api->easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
    api->easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    // To curl a time-out of 0 means none at all: a silent peer would hold the
    // caller forever, so no positive time-out means the default.
    const long timeoutMs = request.timeoutMs > 0 ? long(request.timeoutMs) : long(HttpGetRequest{}.timeoutMs);
    api->easy_setopt(c, CURLOPT_TIMEOUT_MS, timeoutMs);
    api->easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, timeoutMs);
    api->easy_setopt(c, CURLOPT_NOPROXY, "127.0.0.1,localhost,::1");
    api->easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    api->easy_setopt(c, CURLOPT_WRITEFUNCTION, writeBody);
    api->easy_setopt(c, CURLOPT_WRITEDATA, &sink);
    api->easy_setopt(c, CURLOPT_ERRORBUFFER, errorText);
    api->easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(request.maxBodyBytes));

    const CURLcode code = api->easy_perform(c);
    long status = 0;
    api->easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);

    HttpGetResult result;
    result.status = int(status);
    if (code != CURLE_OK) {
        if (sink.overflow || code == CURLE_FILESIZE_EXCEEDED)
            result.error = QStringLiteral("Reply too large");
        else
            result.error = QString::fromUtf8(errorText[0] ? errorText : api->easy_strerror(code));
        return result;
    }
    if (status < 200 || status > 299) {
        result.error = QStringLiteral("HTTP status %1").arg(status);
        return result;
    }
    result.ok = true;
    result.body = std::move(sink.body);
    return result;
}

} // namespace fw
