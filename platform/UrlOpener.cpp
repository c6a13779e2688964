#include "platform/UrlOpener.h"

#include <QDesktopServices>

namespace platform {
namespace {

UrlOpenFunction &currentOpener()
{
    static UrlOpenFunction opener;
    return opener;
}

} // namespace

bool isWebUrl(const QUrl &url)
{
    if (!url.isValid() || url.isRelative() || url.host().isEmpty()) return false;
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

bool openWebUrl(const QUrl &url)
{
    if (!isWebUrl(url)) return false;
    const UrlOpenFunction &opener = currentOpener();
    if (opener) return opener(url);
    return QDesktopServices::openUrl(url);
}

bool isMailUrl(const QUrl &url)
{
    return url.isValid() && url.scheme().compare(QLatin1String("mailto"), Qt::CaseInsensitive) == 0
           && !url.path().trimmed().isEmpty();
}

bool openLinkUrl(const QUrl &url)
{
    if (isWebUrl(url)) return openWebUrl(url);
    if (!isMailUrl(url)) return false;
    const UrlOpenFunction &opener = currentOpener();
    if (opener) return opener(url);
    return QDesktopServices::openUrl(url);
}

UrlOpenFunction setUrlOpener(UrlOpenFunction opener)
{
    UrlOpenFunction previous = std::move(currentOpener());
    currentOpener() = std::move(opener);
    return previous;
}

QString linkHtml(const QUrl &url, const QString &text)
{
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(url.toString(QUrl::FullyEncoded).toHtmlEscaped(),
                                                        text.toHtmlEscaped());
}

} // namespace platform
