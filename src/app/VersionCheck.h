#pragma once
// The maker's web server: the version query that tells whether a newer
// version of the program exists, and the addresses of the home and download
// pages. The server's address is one setting so tests can point the query at
// a server of their own.
#include <QString>

// The program's own version.
inline const QString SW_Version = QStringLiteral("1.001");

struct TMaker_Server {
    QString Host = QStringLiteral("www.orlaqi.com");
    int Port = 80;
    int Timeout_Ms = 10000;   // the whole query, connection included
};

const TMaker_Server& Maker_Server();
void Set_Maker_Server(const TMaker_Server& server);

// The web address shown to the user ("www.orlaqi.com").
QString Maker_Web_Address();
// http://<host>[:port]/HOME/default.asp?frompg=SW585-K317
QString Home_Page_URL();
// http://<host>[:port]/Home/download/download.asp#HD585-K317
QString Download_Page_URL();
// <a href="<download page>">text</a>, the text escaped so it shows as it stands.
QString Download_Anchor(const QString& text);

// "/home/download/GetversionSW.asp?nomesw=" + SW_Name
QString Version_Query_Path();

// One HTTP/1.0 GET of the version page; the reply body as text, or the empty
// text for any failure (no server, time-out, a status other than 2xx, a
// redirect, a body over 64 KiB).
QString Query_Version_Reply();

// The version in a text "1.002" or "VER. 1.002" as the number 1002: the part
// after the first blank, trimmed, its characters 1, 3, 4 and 5; -1 when that
// is shorter than five characters or not a number.
int Conv_Version(const QString& text);

// True when reply names a version newer than SW_Version; "VER. 0.000" and
// the empty reply mean no version is known.
bool Is_Newer_Version(const QString& reply);

// Query_Version_Reply, then Is_Newer_Version.
bool Check_Version();
