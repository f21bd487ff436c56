#pragma once

#include "forms/browser_pane.h"
#include "toolkit/control.h"

#include <memory>

namespace corvalen {

// A browser pane placed in a window like any control: `WebBrowser6->Navigate2(url)` reaches the
// browser, `WebBrowser6.setWidth(w)` places it.
class PaneControl : public Control {
public:
    explicit PaneControl(std::unique_ptr<BrowserPane> pane)
        : Control(pane->widget())
        , m_pane(std::move(pane))
    {
        // A pane takes the focus like any other control, in its place in the tab order.
        widget()->setFocusPolicy(Qt::StrongFocus);
    }

    BrowserPane* operator->() const { return m_pane.get(); }
    BrowserPane& browser() const { return *m_pane; }

private:
    std::unique_ptr<BrowserPane> m_pane;
};

} // namespace corvalen
