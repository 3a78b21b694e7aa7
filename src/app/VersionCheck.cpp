#include "app/VersionCheck.h"

#include "app/services/UComon.h"
#include "framework/Http.h"
#include "framework/SysUtils.h"

namespace {

TMaker_Server& server()
{
    static TMaker_Server s;
    return s;
}

QString serverRoot()
{
    const TMaker_Server& s = server();
    QString root = QStringLiteral("http://") + s.Host;
    if (s.Port != 80)
        root += QLatin1Char(':') + QString::number(s.Port);
    return root;
}

} // namespace

const TMaker_Server& Maker_Server() { return server(); }
void Set_Maker_Server(const TMaker_Server& s) { server() = s; }

QString Maker_Web_Address() { return server().Host; }

QString Home_Page_URL()
{
    return serverRoot() + QStringLiteral("/HOME/default.asp?frompg=") + SW_Name;
}

QString Download_Page_URL()
{
    return serverRoot() + QStringLiteral("/Home/download/download.asp#HD585-K317");
}

QString Download_Anchor(const QString& text)
{
    // The text comes from the language file: it is shown, never read as markup.
    return QStringLiteral("<a href=\"") + Download_Page_URL().toHtmlEscaped() + QStringLiteral("\">") +
           text.toHtmlEscaped() + QStringLiteral("</a>");
}

QString Version_Query_Path()
{
    return QStringLiteral("/home/download/GetversionSW.asp?nomesw=") + SW_Name;
}

QString Query_Version_Reply()
{
    fw::HttpGetRequest request;
    request.host = server().Host;
    request.port = server().Port;
    request.pathAndQuery = Version_Query_Path();
    request.headers = {{"Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"},
                       {"User-Agent", "Mozilla/3.0 (compatible; HTTP client)"}};
    request.timeoutMs = server().Timeout_Ms;
    request.maxBodyBytes = 64 * 1024;
    const fw::HttpGetResult result = fw::HttpGet(request);
    // A failed query only means that no newer version is known.
    return result.ok ? result.Text() : QString();
}

int Conv_Version(const QString& text)
{
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    const QString s = fw::Trim(blank < 0 ? text : text.mid(blank + 1));
    if (s.size() < 5)
        return -1;
    // The second character is the point, whatever it holds.
    const QString digits = s.mid(0, 1) + s.mid(2, 3);
    return fw::StrToIntDef(digits, -1);
}

bool Is_Newer_Version(const QString& reply)
{
    const QString trimmed = fw::Trim(reply);
    const QString upper = trimmed.toUpper();
    if (upper.isEmpty() || upper == QLatin1String("VER. 0.000"))
        return false;
    const int own = Conv_Version(SW_Version);
    const int offered = Conv_Version(trimmed);
    return own != -1 && offered != -1 && offered > own;
}

bool Check_Version()
{
    return Is_Newer_Version(Query_Version_Reply());
}
