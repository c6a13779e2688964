#pragma once
// Opens web addresses in the user's browser and mail addresses in the mail program. Only http and
// https addresses with a host, and mailto addresses with a recipient, are ever handed on.
#include <QUrl>
#include <functional>

namespace platform {

using UrlOpenFunction = std::function<bool(const QUrl &)>;

// True when url is an absolute http or https address with a host.
bool isWebUrl(const QUrl &url);

// Hands a web address to the current opener (the desktop's browser by default). Anything that is not
// an http or https address is refused (false) and never reaches the opener.
bool openWebUrl(const QUrl &url);

// True when url is a mailto address with a recipient.
bool isMailUrl(const QUrl &url);

// Hands a web or mail address to the current opener; anything else is refused (false).
bool openLinkUrl(const QUrl &url);

// A link for a rich-text label: the address fully encoded, both parts escaped for HTML.
QString linkHtml(const QUrl &url, const QString &text);

// Replaces the opener (tests record instead of starting a browser); an empty function restores the
// desktop's. Returns the previous opener.
UrlOpenFunction setUrlOpener(UrlOpenFunction opener);

} // namespace platform
