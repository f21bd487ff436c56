#include "error_page.h"

#include "forms/browser_pane.h"

namespace corvalen {

QUrl errorPageAddress(const QUrl& failed)
{
    const QString shown = failed.toDisplayString().left(300).toHtmlEscaped();
    const QString html
        = QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>")
        + noPageTitle()
        + QStringLiteral("</title></head><body style=\"font-family:sans-serif;margin:2em\"><h3>")
        + noPageTitle() + QStringLiteral("</h3><p>") + shown + QStringLiteral("</p></body></html>");
    return QUrl(QStringLiteral("data:text/html;charset=UTF-8,")
        + QString::fromLatin1(QUrl::toPercentEncoding(html)));
}

} // namespace corvalen
