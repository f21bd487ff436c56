#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

class QObject;
class QWebEngineProfile;

namespace corvalen {

// Where the panes keep what a browser keeps between starts: cookies (so that a sign-in on the
// shop lasts) and a capped disk cache, in a folder of the program's own. Only one copy of the
// program uses the folder at a time; a second copy started meanwhile browses off the record and
// keeps nothing, so that it cannot damage the first one's store.
class BrowserStore {
public:
    BrowserStore(const QString& folder, QObject* parent);
    ~BrowserStore();
    BrowserStore(const BrowserStore&) = delete;
    BrowserStore& operator=(const BrowserStore&) = delete;

    QWebEngineProfile* profile() const { return m_profile; }
    bool lasting() const;

private:
    std::unique_ptr<QLockFile> m_lock;
    QWebEngineProfile* m_profile;
};

// The folder of the running program's store, named after the program, so that the demo never
// touches the real program's sign-in.
QString browserStorageFolder();

} // namespace corvalen
