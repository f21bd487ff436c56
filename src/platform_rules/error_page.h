#pragma once

#include <QUrl>

namespace corvalen {

// The inline address of the pane's own error page for an address that could not be loaded: a
// small page whose title says that there is no page to show.
QUrl errorPageAddress(const QUrl& failed);

} // namespace corvalen
