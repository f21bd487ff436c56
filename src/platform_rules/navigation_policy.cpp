#include "navigation_policy.h"

#include <QDir>
#include <QUrl>

namespace corvalen {

Q_LOGGING_CATEGORY(lcPanes, "corvalen.panes")

namespace {
// Where the build puts the maker's pages among the program's resources.
const QLatin1String kBuiltInSite("/site/");

// A path that climbs out of the site ("/site/../res/...") stays out.
bool isBuiltInPage(const QUrl& url)
{
    return url.scheme() == QLatin1String("qrc") && !url.path().contains(QLatin1String(".."))
        && QDir::cleanPath(url.path()).startsWith(kBuiltInSite);
}
} // namespace

bool isNavigable(const QUrl& url)
{
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return !url.host().isEmpty();
    if (scheme == QLatin1String("about"))
        // A frame written inline by its page is about:srcdoc; both show nothing of the system.
        return url.path() == QLatin1String("blank") || url.path() == QLatin1String("srcdoc");
    return isBuiltInPage(url);
}

bool reachesBuiltInSiteFromWeb(const QUrl& url, bool askedByProgram, const QUrl& shown)
{
    return url.scheme() == QLatin1String("qrc") && !askedByProgram && !isBuiltInPage(shown);
}

} // namespace corvalen
