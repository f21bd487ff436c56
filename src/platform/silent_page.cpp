#include "silent_page.h"

#include "platform_rules/navigation_policy.h"

#include <QAuthenticator>
#include <QCoreApplication>
#include <QWebEngineCertificateError>
#include <QWebEngineFullScreenRequest>
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
#include <QWebEnginePermission>
#endif
#include <QWebEngineRegisterProtocolHandlerRequest>

namespace corvalen {

namespace {
// The engine asks a leave-page question through a confirm with this text; answering no would
// block every refresh of a page that asks it.
QString leavePageQuestion()
{
    return QCoreApplication::translate("QWebEnginePage",
        "Are you sure you want to leave this page? Changes that you made may not be saved.");
}
} // namespace

SilentPage::SilentPage(QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent)
{
    // Invalid certificates are refused, silent or not: nobody is there to judge them.
    connect(this, &QWebEnginePage::certificateError, this,
        [](QWebEngineCertificateError error) { error.rejectCertificate(); });
    // Nothing a page asks for (place, camera, notifications...) is granted.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    connect(this, &QWebEnginePage::permissionRequested, this,
        [](QWebEnginePermission permission) { permission.deny(); });
#else
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
        [this](const QUrl& origin, Feature feature) {
            setFeaturePermission(origin, feature, PermissionDeniedByUser);
        });
#endif
    connect(this, &QWebEnginePage::fullScreenRequested, this,
        [](QWebEngineFullScreenRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::registerProtocolHandlerRequested, this,
        [](QWebEngineRegisterProtocolHandlerRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::authenticationRequired, this,
        [](const QUrl&, QAuthenticator* authenticator) { *authenticator = QAuthenticator(); });
    connect(this, &QWebEnginePage::proxyAuthenticationRequired, this,
        [](const QUrl&, QAuthenticator* authenticator, const QString&) {
            *authenticator = QAuthenticator();
        });
}

bool SilentPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    // The program loads a page as if typed; the history holds only built-in pages it showed.
    const bool askedByProgram = type == NavigationTypeTyped || type == NavigationTypeBackForward;
    if (reachesBuiltInSiteFromWeb(url, askedByProgram, this->url())) {
        qCInfo(lcPanes) << "refused a web page's navigation to a built-in page";
        return false;
    }
    if (mayNavigate)
        return mayNavigate(url, isMainFrame);
    if (isNavigable(url))
        return true;
    qCInfo(lcPanes) << "refused a navigation to a" << url.scheme() << "address";
    return false;
}

QWebEnginePage* SilentPage::createWindow(WebWindowType type)
{
    return onCreateWindow ? onCreateWindow(type) : nullptr;
}

void SilentPage::javaScriptAlert(const QUrl& origin, const QString& message)
{
    if (!silent)
        QWebEnginePage::javaScriptAlert(origin, message);
}

bool SilentPage::javaScriptConfirm(const QUrl& origin, const QString& message)
{
    if (!silent)
        return QWebEnginePage::javaScriptConfirm(origin, message);
    return message == leavePageQuestion();
}

bool SilentPage::javaScriptPrompt(
    const QUrl& origin, const QString& message, const QString& defaultValue, QString* result)
{
    if (!silent)
        return QWebEnginePage::javaScriptPrompt(origin, message, defaultValue, result);
    return false;
}

QStringList SilentPage::chooseFiles(
    FileSelectionMode mode, const QStringList& oldFiles, const QStringList& acceptedMimeTypes)
{
    if (!silent)
        return QWebEnginePage::chooseFiles(mode, oldFiles, acceptedMimeTypes);
    return {};
}

} // namespace corvalen
