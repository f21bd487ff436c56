#include "qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace corvalen {

std::vector<std::unique_ptr<QTranslator>> installQtTranslations(const QLocale& language)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    std::vector<std::unique_ptr<QTranslator>> installed;
    // "qt" gathers Qt's modules; on Windows the install step merged the engine's into it.
    for (const char* catalog : { "qt", "qtwebengine" }) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(language, QLatin1String(catalog), QStringLiteral("_"), folder)
            && QCoreApplication::installTranslator(translator.get()))
            installed.push_back(std::move(translator));
    }
    return installed;
}

} // namespace corvalen
