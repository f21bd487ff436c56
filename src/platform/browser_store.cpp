#include "browser_store.h"

#include "platform_rules/navigation_policy.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QWebEngineProfile>

namespace corvalen {

namespace {
const QLatin1String kStoreName("corvalen");
constexpr qint64 kCacheBytes = 64 * 1024 * 1024;

// The store holds the shop's sign-in and the cache the pages the user saw: for the user alone, as
// a browser keeps its profile. A folder an older release made open to others is closed too.
bool makePrivateFolder(const QString& folder)
{
    if (!QDir().mkpath(folder))
        return false;
#ifdef Q_OS_UNIX
    const auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
        | QFile::WriteOther | QFile::ExeOther;
    if (!QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)
        || (QFileInfo(folder).permissions() & others)) {
        qCWarning(lcPanes) << "a folder of the browser store stays open to others:" << folder;
        return false;
    }
#endif
    return true;
}

std::unique_ptr<QLockFile> lockFolder(const QString& folder)
{
    if (folder.isEmpty() || !makePrivateFolder(folder))
        return nullptr;
    auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(QStringLiteral("store.lock")));
    // A lock left by a copy that died is taken over; a live copy keeps it.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

QWebEngineProfile* lastingProfile(const BrowserStoreLock& lock, QObject* parent)
{
    auto* profile = new QWebEngineProfile(kStoreName, parent);
    profile->setPersistentStoragePath(QDir(lock.folder()).filePath(QStringLiteral("browser")));
    profile->setCachePath(lock.cacheFolder());
    profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
    profile->setHttpCacheMaximumSize(kCacheBytes);
    profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
    return profile;
}

QWebEngineProfile* passingProfile(QObject* parent)
{
    auto* profile = new QWebEngineProfile(parent);
    profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    return profile;
}

// Shop pages serve a browser what they serve Chrome: the engine's Chrome release, without the
// toolkit's own product token.
QString browserUserAgent(const QString& engineAgent)
{
    static const QRegularExpression toolkitToken(QStringLiteral("QtWebEngine/\\S+\\s*"));
    return QString(engineAgent).remove(toolkitToken);
}
} // namespace

BrowserStoreLock::BrowserStoreLock(const QString& folder, const QString& cacheFolder)
    : m_folder(folder)
    , m_cacheFolder(
          cacheFolder.isEmpty() ? QDir(folder).filePath(QStringLiteral("cache")) : cacheFolder)
    , m_lock(lockFolder(folder))
{
    if (m_lock)
        makePrivateFolder(m_cacheFolder);
}

BrowserStore::BrowserStore(const BrowserStoreLock& lock, QObject* parent)
    : m_profile(lock.held() ? lastingProfile(lock, parent) : passingProfile(parent))
{
    m_profile->setHttpUserAgent(browserUserAgent(m_profile->httpUserAgent()));
}

BrowserStore::~BrowserStore()
{
    delete m_profile;
}

bool BrowserStore::lasting() const
{
    return !m_profile->isOffTheRecord();
}

QString browserStorageFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

QString browserCacheFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
}

} // namespace corvalen
