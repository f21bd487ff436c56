#pragma once

class QUrl;

namespace corvalen {

// The addresses a pane, or a pop-up that no pane takes, may show: web pages, a blank page and
// the maker's pages built into the program. Anything else (files, a shop app's own links,
// script addresses, inline data) is refused and never handed to the operating system.
bool isNavigable(const QUrl& url);

} // namespace corvalen
