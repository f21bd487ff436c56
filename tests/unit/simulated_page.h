#pragma once

#include "platform_rules/navigation_policy.h"
#include "platform_rules/pane_lifecycle.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <map>
#include <set>

namespace corvalen::testing {

// One thing the program, the page or the clock does; `arg` picks among its variants.
// clang-format off
enum class Act {
    Navigate, Refresh, Hide, Show, Runs, // the program
    Deliver, Answer, Network, Finish, // the engine goes on
    StopItself, AppClick, PageGoes, Title, Crash, Keep, // the page
    Wait, // time passes: the next timer fires
    Count
};
// clang-format on
struct Step {
    Act act;
    int arg;
};

// The addresses the program and the page go to, and what the network answers for each.
inline QUrl target(int arg)
{
    static const char* const paths[]
        = { "/list", "/other", "/fail", "/http", "/204", "/download", "", "data:text/html,x" };
    const QString path = QString::fromLatin1(paths[arg % 8]);
    return QUrl(path.startsWith(QLatin1Char('/')) ? QStringLiteral("http://shop") + path : path);
}

// A Qt WebEngine 6.4 page as the lifecycle meets it. It turns the pane's requests and what the
// page does into the engine's events, in the engine's order, and writes down every rule of the
// lifecycle that it sees broken.
class SimulatedPage : public PaneEngine {
public:
    explicit SimulatedPage(bool givesBackHidden = true)
        : pane(*this, givesBackHidden)
    {
    }
    PaneLifecycle pane;
    QStringList faults;

    void play(Step s)
    {
        // The program moves on: a page not yet reported is owed nothing more.
        const auto request = [this](auto call) {
            m_owed.reset(), m_askedSinceCommit = m_inRequest = true, call(), m_inRequest = false;
        };
        // A shop's page runs scripts; our error page and a blank one do not.
        const bool live = m_doc && !m_frozen && m_doc->url.scheme() == QLatin1String("http");
        switch (s.act) {
        case Act::Navigate: // a page, a failure, no page; an inline page is refused at once
            if (s.arg % 8 == 7)
                return pane.navigate(target(s.arg));
            m_wanted = s.arg % 8 < 2 || s.arg % 8 == 3 ? target(s.arg) : QUrl();
            m_noPageAsked = s.arg % 8 == 4 || s.arg % 8 == 5;
            return request([&] { pane.navigate(target(s.arg)); });
        case Act::Refresh:
            return request([&] { pane.refresh(); });
        case Act::Hide: // the page is hidden before the pane hears of it
            return m_visible = false, recommend(), pane.hidden();
        case Act::Show: // the page is shown (and woken) before the pane hears of it
            return m_visible = true, wake(), recommend(), pane.shown();
        case Act::Runs:
            return m_runs = s.arg % 2, pane.setRunsWhileHidden(m_runs);
        case Act::Deliver: // posted events arrive in the order they were posted
            if (!m_queue.empty())
                deliverFirst();
            return;
        case Act::Answer: // reads are answered in any order, late
            if (!m_reads.empty())
                answer(s.arg % m_reads.size());
            return;
        case Act::Network:
            return network();
        case Act::Finish: // the page's last resource comes: it is parsed and loaded
            if (m_doc && !m_frozen && m_docLoading)
                onloadRan(),
                    endUnlessNavigating(
                        m_doc->url.path() == QLatin1String("/http") ? Failed : Succeeded,
                        m_doc->url);
            return;
        case Act::StopItself: // window.stop() while a picture still comes: parsed now or later
            if (live && m_docLoading)
                m_docLoading = false, m_doc->parsedAt = m_now + 300 * (s.arg % 16),
                cancelNavigation(), end(Stopped, m_doc->url);
            return;
        case Act::AppClick: // refused; during a load (from onload) it ends that load
            if (live && m_loading)
                onloadRan(), cancelNavigation(), end(Stopped, kApp);
            else if (live)
                post([this] { pane.loadStarted(kApp); }),
                    post([this] { pane.loadEnded(LoadEnd::Stopped, kApp); });
            return;
        case Act::PageGoes: // a link or a script; during the load, from the page's onload
            if (live)
                onloadRan(), m_wanted = {}, m_owed.reset(), m_askedSinceCommit = true,
                             m_errorPageAsked = false, navigateTo(pageTarget(s.arg));
            return;
        case Act::Title:
            if (live)
                m_doc->title = QStringLiteral("T%1").arg(s.arg), pane.titleChanged();
            return;
        case Act::Crash: // also while frozen; reads underway are answered only at destruction
            if (m_doc && !m_crashed)
                crash();
            return;
        case Act::Keep: // a page it opened lives, or goes again; or a form holds typed input
            return (s.arg % 2 ? m_opener = !m_opener : m_typed = true), recommend();
        case Act::Wait:
            return fireNextTimer(10000 * (1 + s.arg % 6));
        case Act::Count:
            return;
        }
    }

    // Lets everything run out, then checks the rules that hold once nothing more happens.
    void settle()
    {
        for (int i = 0; i < 5000; ++i) {
            if (!m_queue.empty())
                deliverFirst();
            else if (!m_reads.empty())
                answer(0);
            else if (m_pending && !m_frozen && !m_discarded)
                network();
            else if (m_docLoading && !m_frozen)
                play({ Act::Finish, 0 });
            else if (!m_timers.empty())
                fireNextTimer(0);
            else
                return atRest();
        }
        fault("the pane never settles");
    }

    void close()
    {
        pane.close();
        m_closed = true, m_owed.reset();
        for (quint64 load : m_deadReads) // a dead renderer answers as the page goes
            pane.documentRead(load, std::nullopt);
        settle();
    }

    // What the lifecycle has the engine do.
    void load(const QUrl& url) override
    {
        opened("loaded after close");
        const bool inline_ = url.scheme() == QLatin1String("data");
        expect(isNavigable(url) || inline_, "asked to load a refused address");
        if (!m_inRequest)
            reloadAfterCrash(!inline_);
        expect(!m_crashOnErrorPage || m_inRequest || inline_,
            "a crash on our error page loaded from the network");
        m_afterCrash = m_crashOnErrorPage = false;
        m_lastErrorPage = inline_ ? url : m_lastErrorPage;
        ++m_serial, m_ownPage = url, m_errorPageAsked = inline_, wake(), navigateTo(url);
    }
    void reload() override // reloads the page committed, not one still loading
    {
        opened("reloaded after close");
        ++m_serial, m_errorPageAsked = false, wake();
        if (!m_committed.isEmpty())
            navigateTo(m_committed);
    }
    void fence(quint64 load) override
    {
        opened("fenced after close");
        post([this, load] { pane.fencePassed(load); });
    }
    void readDocument(quint64 load, const QString& reported) override
    {
        opened("read after close");
        if (m_discarded) // answered at once, inside the request
            return pane.documentRead(load, std::nullopt);
        if (m_crashed)
            return m_deadReads.push_back(load);
        m_reads.push_back({ load, reported, m_now, m_endsDelivered });
    }
    void freeze() override
    {
        opened("froze after close");
        expect(!m_visible && !m_runs && !isErrorPage() && m_recommended != PageKeeping::Active,
            "froze a page it must keep running");
        m_frozen = true, pane.lifecycleChanged(false), recommend();
    }
    void wake() override
    {
        opened("woke after close");
        // A page given back comes back blank, and reloads its address.
        if (std::exchange(m_discarded, false))
            m_doc = Doc { m_nextDoc++, QUrl(QStringLiteral("about:blank")), QString(), 0 },
            pane.lifecycleChanged(true), navigateTo(m_committed);
        else if (std::exchange(m_frozen, false))
            pane.lifecycleChanged(true);
    }
    void discard() override
    {
        opened("discarded after close");
        expect(!m_visible && !m_runs && !isErrorPage() && m_recommended == PageKeeping::Discarded,
            "gave back a page it must keep");
        end(Stopped, m_committed); // discarding a loading page posts its stop
        for (const Read& read : std::exchange(m_reads, {}))
            post([this, read] { pane.documentRead(read.load, std::nullopt); });
        m_pending.reset(), m_doc.reset(), m_docLoading = m_frozen = false, m_discarded = true;
        pane.lifecycleChanged(false), recommend();
    }
    PageKeeping recommended() const override { return m_recommended; }
    QUrl shownUrl() const override { return m_committed; }
    qint64 elapsedMs() const override { return m_now; }
    void armTimer(PaneTimer timer, int ms) override
    {
        opened("armed a timer after close"), m_timers[timer] = m_now + ms;
    }
    void disarmTimer(PaneTimer timer) override { m_timers.erase(timer); }
    void downloadBegin() override { opened("began a download after close"); }
    void downloadComplete() override { opened("completed a download after close"); }
    void documentComplete(const QString& url) override
    {
        opened("reported after close");
        if (!expect(m_doc.has_value(), "reported with no page shown"))
            return;
        const auto& read = pane.document();
        expect(m_reported.insert(m_doc->id).second, "reported a page twice");
        expect(read && read->Title == m_doc->title && read->bodyHtml == body(m_doc->id),
            "reported another document than the one shown");
        expect(m_now >= m_doc->parsedAt, "reported a page before it was parsed");
        expect(m_endSerial == m_serial, "reported the end of a load before the one asked for");
        expect(m_answeredEnds == m_endsDelivered, "used the read of a load before");
        expect(url == m_doc->url.toString() || isErrorPage(), "reported under another address");
        m_owed.reset();
    }

private:
    struct Doc {
        int id;
        QUrl url;
        QString title;
        qint64 parsedAt;
    };
    struct Read {
        quint64 load;
        QString reported;
        qint64 asked;
        int ends; // how many load ends had arrived when it was asked for
    };
    using enum LoadEnd;
    const QUrl kApp = QUrl(QStringLiteral("taobao://item/1"));

    static QString body(int id) { return QStringLiteral("body %1").arg(id); }
    // Where a page goes: as the program may, or to an inline page: another, or the one error
    // page the pane asked for last (its address can be guessed).
    QUrl pageTarget(int arg) const
    {
        return arg % 8 == 6 && !m_lastErrorPage.isEmpty() ? m_lastErrorPage
                                                          : target(arg % 8 == 6 ? 7 : arg);
    }
    bool isErrorPage() const { return m_doc && m_doc->url.scheme() == QLatin1String("data"); }
    void fault(const char* what) { faults << QString::fromLatin1(what); }
    bool expect(bool holds, const char* rule) { return holds || (fault(rule), false); }
    void opened(const char* call) { expect(!m_closed, call); }
    void post(std::function<void()> event) { m_queue.push_back(std::move(event)); }
    void deliverFirst()
    {
        auto event = std::move(m_queue.front());
        m_queue.pop_front();
        event();
    }
    // The page ends a navigation not yet answered: the page before stays.
    void cancelNavigation()
    {
        if (std::exchange(m_pending, std::nullopt))
            m_wanted = {}, m_errorPageAsked = false;
    }
    // The page's load event ran: its own load is done.
    void onloadRan()
    {
        if (std::exchange(m_docLoading, false))
            m_doc->parsedAt = std::min(m_doc->parsedAt, m_now);
    }
    // A navigation that brings no page ends the stretch, unless the page shown still loads.
    void endUnlessNavigating(LoadEnd how, const QUrl& url)
    {
        if (!m_pending && !m_docLoading)
            end(how, url);
    }

    // A navigation starts; only the first of a stretch of loading reports it, and a newer one
    // replaces one that the network has not answered yet.
    void navigateTo(const QUrl& url)
    {
        m_pending = url;
        if (!std::exchange(m_loading, true))
            post([this, url] { pane.loadStarted(url); });
    }
    // The one end of a stretch of loading, with the last address.
    void end(LoadEnd how, const QUrl& url)
    {
        if (!std::exchange(m_loading, false))
            return;
        const int serial = m_serial;
        const bool http = url.path() == QLatin1String("/http");
        // A load that ends with a page it brought owes that page a report, unless the pane
        // is about to load again after a crash.
        const int brought = m_doc && !m_askedSinceCommit ? m_doc->id : 0;
        post([this, how, url, serial, http, brought] {
            m_endSerial = serial, ++m_endsDelivered;
            if (serial == m_serial && brought && !m_closed && m_doc && m_doc->id == brought
                && !m_askedSinceCommit && !m_afterCrash && !m_reported.count(brought))
                m_owed = brought;
            pane.loadEnded(how == Failed && http ? LoadEnd::HttpError : how, url);
        });
        recommend();
    }
    // The network answers the navigation: refused, failed, no content, or a page committed.
    void network()
    {
        if (!m_pending || m_frozen)
            return;
        const QUrl url = *std::exchange(m_pending, std::nullopt);
        const bool inline_ = url.scheme() == QLatin1String("data");
        if (!pane.acceptsNavigation(url, true))
            return endUnlessNavigating(Stopped, url);
        expect(!inline_ || (url == m_ownPage && !std::exchange(m_ownPage, QUrl()).isEmpty()),
            "took an inline page that the pane did not ask for");
        const QString path = url.path();
        if (path == QLatin1String("/fail"))
            return endUnlessNavigating(Failed, url);
        if (path == QLatin1String("/204") || path == QLatin1String("/download"))
            return endUnlessNavigating(Stopped, url);
        expect(!m_owed, "a page whose load ended was never read");
        const QString title = inline_ ? noPageTitle() : QStringLiteral("page %1").arg(m_nextDoc);
        m_doc = Doc { m_nextDoc++, url, title, std::numeric_limits<qint64>::max() };
        m_committed = url, m_docLoading = true, m_crashed = m_askedSinceCommit = false, recommend();
    }
    // A read runs in the document shown when it is answered; a page already reported gives no body.
    void answer(std::size_t index)
    {
        const Read read = m_reads[index];
        m_reads.erase(m_reads.begin() + static_cast<std::ptrdiff_t>(index));
        const QString id = QString::number(m_doc->id);
        const bool known = id == read.reported;
        m_answeredEnds = read.ends;
        pane.documentRead(read.load,
            DocumentRead { { m_doc->title, known ? std::nullopt : std::optional(body(m_doc->id)) },
                m_now >= m_doc->parsedAt, id, m_doc->url });
    }
    void crash()
    {
        // Our error page stands for a failed address from the pane's asking for it to the next
        // load asked for.
        m_crashed = m_afterCrash = true,
        m_crashOnErrorPage
            = m_errorPageAsked && (isErrorPage() || (m_pending && *m_pending == m_ownPage));
        m_owed.reset(), m_doc.reset(), m_docLoading = false;
        for (const Read& read : std::exchange(m_reads, {}))
            m_deadReads.push_back(read.load);
        pane.rendererCrashed();
        end(Stopped, m_committed);
    }
    // A load of the pane's own after a crash (or a read that never came): at most three a minute
    // from the network, and none given up for our error page before three.
    void reloadAfterCrash(bool fromNetwork)
    {
        if (!m_afterCrash)
            return fromNetwork ? fault("loaded from the network by itself") : void();
        while (!m_crashLoads.empty() && m_now - m_crashLoads.front().first >= 60000)
            m_crashLoads.pop_front();
        expect(fromNetwork || m_wanted.isEmpty() || m_crashOnErrorPage || m_crashLoads.size() >= 3,
            "gave up on a crashed page before three reloads a minute");
        m_crashLoads.push_back({ m_now, fromNetwork });
        expect(
            std::count_if(m_crashLoads.begin(), m_crashLoads.end(), [](auto l) { return l.second; })
                <= 3,
            "more than three crash reloads a minute");
    }

    // As the engine decides it: visible, loading, crashed or with an opened page: active.
    void recommend()
    {
        const PageKeeping now = m_discarded                      ? PageKeeping::Discarded
            : m_visible || m_docLoading || m_crashed || m_opener ? PageKeeping::Active
            : !m_frozen || m_typed                               ? PageKeeping::Frozen
                                                                 : PageKeeping::Discarded;
        if (std::exchange(m_recommended, now) != now)
            post([this, now] { pane.recommendationChanged(now); });
    }
    // The next timer fires; with none armed, the clock moves on by `idleMs`.
    void fireNextTimer(qint64 idleMs)
    {
        if (m_timers.empty())
            return void(m_now += idleMs);
        const auto next = std::min_element(m_timers.begin(), m_timers.end(),
            [](const auto& a, const auto& b) { return a.second < b.second; });
        const PaneTimer timer = next->first;
        const qint64 due = next->second;
        // A live renderer answers a read within a second.
        while (!m_reads.empty() && m_reads.front().asked + 1000 <= due)
            answer(0);
        if (!m_timers.count(timer) || m_timers[timer] != due)
            return;
        m_now = std::max(m_now, due);
        m_afterCrash = m_afterCrash || timer == PaneTimer::ReadTimeout; // taken for a crash
        m_timers.erase(timer);
        pane.timerFired(timer);
    }
    // The rules that hold once nothing more happens.
    void atRest()
    {
        using S = PaneLifecycle::State;
        const S state = pane.state();
        if (m_closed)
            return void(expect(state == S::Closed, "the pane is open again after close"));
        expect(state == S::Idle || state == S::Shown || state == S::ErrorPage || state == S::Frozen
                || state == S::GivenBack || state == S::Closed,
            "the pane waits for something that will not come");
        // (Our error page, left shown by a load asked for since that brought no page, is not
        // read again: its content is the pane's own.)
        const bool leftErrorPage = isErrorPage() && m_askedSinceCommit;
        expect(!m_owed && (!m_doc || m_reported.count(m_doc->id) || leftErrorPage),
            "a page shown was never read");
        const bool claimsPage = state == S::Shown || state == S::Frozen;
        expect(m_doc || (!claimsPage && (m_committed.isEmpty() || !m_visible || m_noPageAsked)),
            "the pane is left without a page");
        expect(m_wanted.isEmpty() || !m_doc || m_doc->url == m_wanted || isErrorPage(),
            "the page shown is not the one asked for");
        expect(state != S::Shown || m_visible || m_runs || m_recommended == PageKeeping::Active,
            "a hidden page that could go is kept");
        expect(state != S::Shown || !m_doc || !pane.document() || !m_reported.count(m_doc->id)
                || pane.document()->Title == m_doc->title,
            "the title is not the page's own");
    }

    std::deque<std::function<void()>> m_queue;
    std::optional<Doc> m_doc;
    std::optional<QUrl> m_pending;
    QUrl m_committed, m_ownPage, m_wanted, m_lastErrorPage;
    // Loading, as Qt reports it: one stretch from a start to an end; the page's own resources.
    bool m_loading = false, m_docLoading = false;
    bool m_frozen = false, m_discarded = false, m_crashed = false;
    bool m_visible = true, m_runs = false, m_opener = false, m_typed = false;
    bool m_closed = false, m_inRequest = false, m_askedSinceCommit = false;
    bool m_afterCrash = false, m_crashOnErrorPage = false, m_noPageAsked = false;
    bool m_errorPageAsked = false; // the last load the pane asked for is our error page
    PageKeeping m_recommended = PageKeeping::Active;
    std::deque<Read> m_reads;
    std::vector<quint64> m_deadReads;
    std::map<PaneTimer, qint64> m_timers;
    std::deque<std::pair<qint64, bool>> m_crashLoads; // when, and whether from the network
    std::set<int> m_reported;
    std::optional<int> m_owed;
    qint64 m_now = 0;
    int m_nextDoc = 1, m_serial = 0, m_endSerial = -1, m_endsDelivered = 0, m_answeredEnds = 0;
};

} // namespace corvalen::testing
