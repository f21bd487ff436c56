#pragma once

#include "eventually.h"

#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace corvalen::testing {

// Clicks an element of the page shown in a view with the mouse, as a person would: the engine
// takes it as a user's gesture (a pop-up from a script alone is blocked).
inline bool clickElement(QWidget* paneWidget, const QString& selector, int timeoutMs = 10000)
{
    auto* view = qobject_cast<QWebEngineView*>(paneWidget);
    if (!view)
        return false;
    QPoint centre(-1, -1);
    bool answered = false;
    view->page()->runJavaScript(
        QStringLiteral("(function () { var e = document.querySelector('%1'); if (!e) return null;"
                       " e.scrollIntoView({ block: 'center' });"
                       " var r = e.getBoundingClientRect(); return [r.left + r.width / 2, r.top + "
                       "r.height / 2]; })()")
            .arg(selector),
        [&](const QVariant& result) {
            const QVariantList at = result.toList();
            if (at.size() == 2)
                centre = QPoint(qRound(at[0].toDouble()), qRound(at[1].toDouble()));
            answered = true;
        });
    if (!waitUntil([&] { return answered; }, timeoutMs) || centre.x() < 0)
        return false;
    QWidget* input = view->focusProxy() ? view->focusProxy() : view;
    QTest::mouseClick(input, Qt::LeftButton, {}, centre);
    return true;
}

} // namespace corvalen::testing
