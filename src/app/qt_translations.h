#pragma once

#include <QLocale>
#include <QTranslator>
#include <memory>
#include <vector>

namespace corvalen {

// Installs Qt's own translations for this language: the texts Qt supplies (the buttons of the
// message boxes, the browser engine's) then speak the user's language. They come from Qt's
// translations folder: the system's Qt's on Linux, beside the program on Windows. The
// translators stay installed while the caller keeps them.
std::vector<std::unique_ptr<QTranslator>> installQtTranslations(const QLocale& language);

} // namespace corvalen
