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

// True for a built-in page asked for by neither the program nor a built-in page shown: a web
// page, or a frame in one, could dress itself in the program's own screens with it.
bool reachesBuiltInSiteFromWeb(const QUrl& url, bool askedByProgram, const QUrl& shown);

} // namespace corvalen
