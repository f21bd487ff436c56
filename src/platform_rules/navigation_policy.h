#pragma once

#include <QLoggingCategory>

class QUrl;

namespace corvalen {

// What the panes say of the pages they refuse, the reads that fail and the moves they get wrong.
Q_DECLARE_LOGGING_CATEGORY(lcPanes)

// The addresses a pane, or a pop-up that no pane takes, may show: web pages, a blank page and
// the maker's pages built into the program. Anything else (files, a shop app's own links,
// script addresses, inline data) is refused and never handed to the operating system.
bool isNavigable(const QUrl& url);

} // namespace corvalen
