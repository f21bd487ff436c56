#pragma once

#include "toolkit/event.h"

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace corvalen {

class BrowserPane;

// The browser object of a pane: what a new-window request is handed to receive the pop-up, and
// what a completed document names. Two browser objects are equal when their names are.
struct BrowserObject {
    BrowserPane* pane = nullptr;
    QString Name;

    bool operator==(const BrowserObject& other) const { return Name == other.Name; }
};

// A pane whose load failed shows its own error page, whose title contains this text.
inline QString noPageTitle()
{
    return QString::fromUtf8("没有可以显示的页面");
}

// The document a pane shows, as read at its last completed load. A page without a body element
// has no body text.
struct Document {
    QString Title;
    std::optional<QString> bodyHtml;
};

// An embedded web browser. Navigations and refreshes only start work; their results come back
// later through the events, on the user-interface thread.
class BrowserPane {
public:
    virtual ~BrowserPane() = default;

    virtual QWidget* widget() = 0;

    virtual void Navigate2(const QString& url) = 0;
    // Reloads the page shown; after a failed load, retries the address that failed.
    virtual void Refresh() = 0;

    virtual bool Silent() const = 0;
    virtual void setSilent(bool silent) = 0;

    // A hidden pane may give its page's memory back until it is shown or navigated again; one
    // whose page is still used while hidden is kept running.
    virtual void setRunsWhileHidden(bool runs) = 0;

    // Empty before the first completed load.
    virtual const std::optional<Document>& document() const = 0;
    virtual BrowserObject Object() = 0;

    Event<> DownloadBegin;
    Event<> DownloadComplete;
    // Asked when a page of the pane wants a new window: the browser object that is to show it,
    // or an empty one for the default. One handler, or none.
    std::function<BrowserObject()> NewWindow2;
    Event<const BrowserObject&, const QString&> DocumentComplete;
};

} // namespace corvalen
