#pragma once
// The maker's web server and the version query.
#include <QString>
#include <QUrl>

// The one place that names the maker's web server. Tests point it at a loopback server.
inline QString Web_Server_Host = QStringLiteral("velmar.example");
inline quint16 Web_Server_Port = 80;
// Longest wait for the version query; past it the answer counts as "no newer version".
inline int Version_Query_Timeout_Ms = 10000;

// The web address as the windows show it ("velmar.example").
QString Web_Address_Text();
// "HOME/default.asp?frompg=CF41520" on the maker's server.
QUrl Home_Page_Url();
// "Home/download/download.asp#GW41520" on the maker's server.
QUrl Download_Page_Url();

// A version text made comparable: the 1st, 3rd, 4th and 5th character of the text after its first
// blank ("VER. 1.104" -> 1104, "1.103" -> 1103); -1 when they are not four digits or the text is short.
int Conv_Version(const QString &Ver_str);

// True when reply (the body of the version query) announces a version newer than own. Only a reply
// of the form "VER. <version>" counts; anything else (empty, "VER. 0.000", an HTML page, garbage)
// means no newer version.
bool Is_Newer_Version_Reply(const QString &reply, const QString &own);

// Asks the maker's web server for the published version (HTTP/1.0 GET of
// "home/download/GetversionSW.asp?nomesw=CF41520"). Every failure, the time-out included, gives "".
QString Query_Published_Version();
