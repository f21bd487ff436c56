#pragma once

#include "eventually.h"

#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <memory>

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
    // The engine drops input that comes before the page has painted what it shows: the click
    // waits for two frames after the element was scrolled into view.
    view->page()->runJavaScript(
        QStringLiteral("(function () { var e = document.querySelector('%1'); if (!e) return null;"
                       " e.scrollIntoView({ block: 'center' }); window.corvalenPainted = false;"
                       " requestAnimationFrame(function () { requestAnimationFrame(function () {"
                       " window.corvalenPainted = true; }); });"
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
    // Answers may come after this function has returned: they write to shared state.
    struct Poll {
        bool painted = false;
        bool asking = false;
    };
    const auto poll = std::make_shared<Poll>();
    const bool painted = waitUntil(
        [&] {
            if (!poll->asking) {
                poll->asking = true;
                view->page()->runJavaScript(QStringLiteral("window.corvalenPainted === true"),
                    [poll](const QVariant& result) {
                        poll->painted = poll->painted || result.toBool();
                        poll->asking = false;
                    });
            }
            return poll->painted;
        },
        timeoutMs);
    if (!painted)
        return false;
    QWidget* input = view->focusProxy() ? view->focusProxy() : view;
    QTest::mouseClick(input, Qt::LeftButton, {}, centre);
    return true;
}

} // namespace corvalen::testing
