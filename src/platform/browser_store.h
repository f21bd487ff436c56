#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

class QObject;
class QWebEngineProfile;

namespace corvalen {

// The claim of one copy of the program on the browser store's folder. The program holds it
// beyond the application object, so that the engine has written the store out before the
// folder is free for another copy.
class BrowserStoreLock {
public:
    // The disk cache goes to `cacheFolder`; without one, inside the store's folder.
    explicit BrowserStoreLock(const QString& folder, const QString& cacheFolder = {});
    BrowserStoreLock(const BrowserStoreLock&) = delete;
    BrowserStoreLock& operator=(const BrowserStoreLock&) = delete;

    bool held() const { return m_lock != nullptr; }
    const QString& folder() const { return m_folder; }
    const QString& cacheFolder() const { return m_cacheFolder; }

private:
    QString m_folder;
    QString m_cacheFolder;
    std::unique_ptr<QLockFile> m_lock;
};

// Where the panes keep what a browser keeps between starts: cookies (so that a sign-in on the
// shop lasts) and a capped disk cache. Only the copy of the program that holds the store's lock
// uses the folder; a second copy started meanwhile browses off the record and keeps nothing,
// so that it cannot damage the first one's store.
class BrowserStore {
public:
    BrowserStore(const BrowserStoreLock& lock, QObject* parent);
    ~BrowserStore();
    BrowserStore(const BrowserStore&) = delete;
    BrowserStore& operator=(const BrowserStore&) = delete;

    QWebEngineProfile* profile() const { return m_profile; }
    bool lasting() const;

private:
    QWebEngineProfile* m_profile;
};

// The folders of the running program's store and cache, named after the program, so that the
// demo never touches the real program's sign-in. On Windows both stay on this computer
// (%LOCALAPPDATA%), never in the roaming profile.
QString browserStorageFolder();
QString browserCacheFolder();

} // namespace corvalen
