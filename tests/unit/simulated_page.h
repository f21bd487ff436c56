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
    Deliver, AnswerRead, Network, Finish, // the engine goes on
    StopItself, AppClick, PageGoes, Title, Change, Hang, Crash, Keep, // the page
    Wait, Busy, // time passes: the next timer fires; the computer gets busy and answers late
    Count
};
// clang-format on
struct Step {
    Act act;
    int arg;
};

// How the site answers a refresh: as its address would, with no content, by sending it on to a
// shop app's address, or not at all.
enum class SiteAnswer { AsAddress, NoContent, RefusedRedirect, Failure };

// What an address brings when the network answers it.
enum class Brings { List, Other, Failure, HttpError, NoContent, Download, NoAddress, Inline };
constexpr int kBringsCount = 8;
inline Brings brings(int arg)
{
    return Brings(arg % kBringsCount);
}

inline QUrl target(Brings what)
{
    static const char* const paths[kBringsCount]
        = { "/list", "/other", "/fail", "/http", "/204", "/download", "", "data:text/html,x" };
    const QString path = QString::fromLatin1(paths[int(what)]);
    return QUrl(path.startsWith(QLatin1Char('/')) ? QStringLiteral("http://shop") + path : path);
}
inline Brings broughtBy(const QUrl& url)
{
    for (int i = 0; i < kBringsCount; ++i)
        if (target(Brings(i)) == url)
            return Brings(i);
    return Brings::Other;
}

// A Qt WebEngine 6.4 page as the lifecycle meets it. It turns the pane's requests and what the
// page does into the engine's events, in the engine's order, and writes down every rule of the
// lifecycle that it sees broken.
class SimulatedPage : public PaneEngine, public PaneReports {
public:
    explicit SimulatedPage(bool givesBackHidden = true)
        : pane(*this, *this, givesBackHidden)
    {
    }
    PaneLifecycle pane;
    QStringList faults;

    void play(Step s)
    {
        switch (s.act) {
        case Act::Navigate:
            return navigate(brings(s.arg));
        case Act::Refresh:
            m_engine.nextAnswer = SiteAnswer(s.arg % 4);
            // A refresh that brings no page leaves the page before it.
            if (m_engine.nextAnswer != SiteAnswer::AsAddress)
                m_program.wanted = {};
            return request([this] { pane.refresh(); });
        case Act::Hide: // the page is hidden before the pane hears of it
            m_program.visible = false;
            recommend();
            return pane.hidden();
        case Act::Show: // the page is shown (and woken) before the pane hears of it
            m_program.visible = true;
            wake();
            recommend();
            return pane.shown();
        case Act::Runs:
            m_program.runs = s.arg % 2;
            return pane.setRunsWhileHidden(m_program.runs);
        case Act::Deliver: // posted events arrive in the order they were posted
            return deliverFirst();
        case Act::AnswerRead: // reads are answered in any order, late; a page may answer nothing
            if (!m_engine.reads.empty())
                answer(s.arg % m_engine.reads.size(), s.arg % 8 == 7);
            return;
        case Act::Network:
            return network();
        case Act::Finish:
            return finish();
        case Act::StopItself:
            return stopItself(s.arg);
        case Act::AppClick:
            return appClick();
        case Act::PageGoes:
            return pageGoes(s.arg);
        case Act::Title:
            if (!live())
                return;
            m_page.doc->title = QStringLiteral("T%1").arg(s.arg);
            return pane.titleChanged();
        case Act::Change: // a script changes the page's body
            if (live())
                ++m_page.doc->version;
            return;
        case Act::Hang: // a script that never returns: nothing more is answered, committed or ended
            if (live()) {
                m_page.doc->hung = true;
                silenceReads();
            }
            return;
        case Act::Crash: // also while frozen; reads underway are answered only at destruction
            m_checks.crashedSinceRequest |= s.arg >= 0; // below 0: the pane ended a hung one
            if (m_page.doc && !m_engine.crashed)
                crash();
            return;
        case Act::Keep: // a page it opened lives, or goes again; or a form holds typed input
            if (s.arg % 2)
                m_page.opener = !m_page.opener;
            else
                m_page.typed = true;
            return recommend();
        case Act::Wait:
            return fireNextTimer(10000 * (1 + s.arg % 6));
        case Act::Busy: // a renderer that answers within 4 s is slow, not hung
            m_engine.lagMs = 1000 * (1 + s.arg % 4);
            return fireNextTimer(0);
        case Act::Count:
            return;
        }
    }

    // Lets everything run out, then checks the rules that hold once nothing more happens. All now
    // answer at once: a request is read within the shortest watch's 10 s, unless renderers crash.
    void settle()
    {
        m_engine.lagMs = 1000;
        const qint64 from = m_engine.now;
        for (int i = 0; i < 5000; ++i) {
            if (m_program.reportOwed && !m_checks.crashedSinceRequest
                && m_engine.now - from >= 10000)
                return fault("a request was not read within its interval");
            if (!m_engine.queue.empty())
                deliverFirst();
            else if (!m_engine.reads.empty())
                answer(0);
            else if (m_engine.pending && runs() && !m_engine.discarded)
                network();
            else if (m_page.loading && runs())
                finish();
            else if (!m_engine.timers.empty())
                fireNextTimer(0);
            else
                return atRest();
        }
        fault("the pane never settles");
    }

    void close()
    {
        pane.close();
        m_program.closed = true;
        m_program.reportOwed = false;
        m_checks.owed.reset();
        for (quint64 load : m_engine.deadReads) // a dead renderer answers as the page goes
            pane.documentRead(load, std::nullopt);
        settle();
    }

    // What the lifecycle has the engine do.
    void load(const QUrl& url) override
    {
        opened("loaded after close");
        const bool inline_ = isInline(url);
        expect(isNavigable(url) || inline_, "asked to load a refused address");
        // Our error page stands for a failure, a crash, or an address that is none.
        expect(!inline_ || m_program.inRequest || m_checks.afterCrash
                || m_checks.lastEnd == LoadEnd::Failed,
            "showed our error page where nothing failed");
        if (!m_program.inRequest)
            reloadAfterCrash(!inline_);
        expect(!m_checks.crashOnErrorPage || m_program.inRequest || inline_,
            "a crash on our error page loaded from the network");
        m_checks.afterCrash = false;
        m_checks.crashOnErrorPage = false;
        if (inline_)
            m_engine.lastErrorPage = url;
        ++m_engine.serial;
        m_engine.ownPage = url;
        m_checks.errorPageAsked = inline_;
        wake();
        navigateTo(url);
    }
    void reload() override // reloads the page committed, not one still loading
    {
        opened("reloaded after close");
        ++m_engine.serial;
        m_checks.errorPageAsked = false;
        wake();
        if (!m_engine.committed.isEmpty())
            navigateTo(m_engine.committed);
    }
    void fence(quint64 load) override
    {
        opened("fenced after close");
        post([this, load] { pane.fencePassed(load); });
    }
    void readDocument(quint64 load, const QString& reported) override
    {
        opened("read after close");
        if (m_engine.discarded) // answered at once, inside the request
            return pane.documentRead(load, std::nullopt);
        if (m_engine.crashed || hung())
            return m_engine.deadReads.push_back(load);
        m_engine.reads.push_back({ load, reported, m_engine.now, m_checks.endsDelivered, false });
    }
    void probe() override // no renderer, a dead one or a hung one never answers
    {
        opened("probed after close");
        if (m_page.doc && !m_engine.crashed && !hung())
            m_engine.reads.push_back({ 0, {}, m_engine.now, 0, true });
    }
    void endRenderer() override // the engine reports it as crashed
    {
        opened("ended a renderer after close");
        expect(hung(), "ended a renderer that answers");
        m_checks.ownHang
            = m_program.reportOwed && (m_checks.answeredSinceRequest || m_checks.requestReloaded);
        post([this] { play({ Act::Crash, -1 }); });
    }
    void freeze() override
    {
        opened("froze after close");
        expect(mayGo() && m_engine.recommended != PageKeeping::Active,
            "froze a page it must keep running");
        m_engine.frozen = true;
        pane.lifecycleChanged(false);
        recommend();
    }
    void wake() override
    {
        opened("woke after close");
        if (std::exchange(m_engine.discarded, false)) {
            // A page given back comes back blank, and reloads its address.
            m_page.doc = Doc { m_page.nextDoc++, QUrl(QStringLiteral("about:blank")), {}, 0 };
            pane.lifecycleChanged(true);
            navigateTo(m_engine.committed);
        } else if (std::exchange(m_engine.frozen, false)) {
            pane.lifecycleChanged(true);
        }
    }
    void discard() override
    {
        opened("discarded after close");
        expect(mayGo() && m_engine.recommended == PageKeeping::Discarded,
            "gave back a page it must keep");
        end(LoadEnd::Stopped, m_engine.committed); // discarding a loading page posts its stop
        for (const Read& read : std::exchange(m_engine.reads, {}))
            post([this, read] { pane.documentRead(read.load, std::nullopt); });
        m_engine.pending.reset();
        m_page.doc.reset();
        m_page.loading = false;
        m_engine.frozen = false;
        m_engine.discarded = true;
        pane.lifecycleChanged(false);
        recommend();
    }
    PageKeeping recommended() const override { return m_engine.recommended; }
    QUrl shownUrl() const override { return m_engine.committed; }
    bool rendererLives() const override { return m_page.doc && !m_engine.crashed; }
    qint64 elapsedMs() const override { return m_engine.now; }
    void armTimer(PaneTimer timer, int ms) override
    {
        opened("armed a timer after close");
        m_engine.timers[timer] = m_engine.now + ms;
    }
    void disarmTimer(PaneTimer timer) override { m_engine.timers.erase(timer); }

    // What the pane tells the program.
    void downloadBegin() override { opened("began a download after close"); }
    void downloadComplete() override { opened("completed a download after close"); }
    void documentComplete(const QString& url) override
    {
        opened("reported after close");
        if (!expect(m_page.doc.has_value(), "reported with no page shown"))
            return;
        const auto& read = pane.document();
        const Doc& doc = *m_page.doc;
        // A page whose read answers nothing is read as empty, under the address the engine names.
        const bool empty = doc.unreadable;
        // A load the program asked for is reported once, whatever it brought; a load of the
        // page's own only for a new page.
        const bool fresh = m_checks.reported.insert(doc.id).second;
        expect(std::exchange(m_program.reportOwed, false) || fresh, "reported a page twice");
        expect(read
                && (empty ? read->Title.isEmpty() && !read->bodyHtml
                          : read->Title == doc.title && read->bodyHtml == body(doc)),
            "reported another document than the one shown");
        expect(m_engine.now >= doc.parsedAt || empty, "reported a page before it was parsed");
        expect(m_checks.endSerial == m_engine.serial,
            "reported the end of a load before the one asked for");
        expect(m_checks.answeredEnds == m_checks.endsDelivered, "used the read of a load before");
        expect(
            url == doc.url.toString() || isErrorPage() || (empty && url == shownUrl().toString()),
            "reported under another address");
        m_checks.owed.reset();
    }

private:
    struct Doc {
        int id;
        QUrl url;
        QString title;
        qint64 parsedAt;
        int version = 0; // how often a script changed its body
        bool hung = false;
        bool unreadable = false; // its reads answer nothing
    };
    struct Read {
        quint64 load;
        QString reported;
        qint64 asked;
        int ends; // how many load ends had arrived when it was asked for
        bool probe;
    };
    const QUrl kApp = QUrl(QStringLiteral("taobao://item/1"));

    static QString body(const Doc& d) { return QStringLiteral("%1.%2").arg(d.id).arg(d.version); }
    static bool isInline(const QUrl& url) { return url.scheme() == QLatin1String("data"); }
    bool isErrorPage() const { return m_page.doc && isInline(m_page.doc->url); }
    // A shop's page runs scripts; our error page and a blank one do not.
    bool live() const
    {
        return m_page.doc && runs() && m_page.doc->url.scheme() == QLatin1String("http");
    }
    bool hung() const { return m_page.doc && m_page.doc->hung; }
    bool runs() const { return !m_engine.frozen && !hung(); }
    bool mayGo() const { return !m_program.visible && !m_program.runs && !isErrorPage(); }
    void fault(const char* what) { faults << QString::fromLatin1(what); }
    bool expect(bool holds, const char* rule)
    {
        if (!holds)
            fault(rule);
        return holds;
    }
    void opened(const char* call) { expect(!m_program.closed, call); }
    void post(std::function<void()> event) { m_engine.queue.push_back(std::move(event)); }
    void deliverFirst()
    {
        if (m_engine.queue.empty())
            return;
        auto event = std::move(m_engine.queue.front());
        m_engine.queue.pop_front();
        event();
    }

    // The program moves on: a page not yet reported is owed nothing more, the request is.
    template <typename Call> void request(Call call)
    {
        m_checks.owed.reset();
        m_checks.askedSinceCommit = true;
        m_program.reportOwed = true;
        m_program.inRequest = true;
        m_checks.requestReloaded = m_checks.answeredSinceRequest = m_checks.ownHang
            = m_checks.crashedSinceRequest = false;
        call();
        m_program.inRequest = false;
    }
    // A page, a failure, no page; an inline page is refused at once.
    void navigate(Brings what)
    {
        if (what == Brings::Inline)
            return pane.navigate(target(what));
        const bool page
            = what == Brings::List || what == Brings::Other || what == Brings::HttpError;
        m_program.wanted = page ? target(what) : QUrl();
        m_program.noPageAsked = what == Brings::NoContent || what == Brings::Download;
        m_engine.nextAnswer = SiteAnswer::AsAddress;
        request([&] { pane.navigate(target(what)); });
    }
    // The page's last resource comes: it is parsed and loaded.
    void finish()
    {
        if (!m_page.doc || !runs() || !m_page.loading)
            return;
        onloadRan();
        const bool http = broughtBy(m_page.doc->url) == Brings::HttpError;
        endUnlessNavigating(http ? LoadEnd::HttpError : LoadEnd::Succeeded, m_page.doc->url);
    }
    // window.stop() while a picture still comes: parsed now or later.
    void stopItself(int arg)
    {
        if (!live() || !m_page.loading)
            return;
        m_page.loading = false;
        m_page.doc->parsedAt = m_engine.now + 300 * (arg % 16);
        cancelNavigation();
        end(LoadEnd::Stopped, m_page.doc->url);
    }
    // Refused; during a load (from onload) it ends that load.
    void appClick()
    {
        if (!live())
            return;
        if (m_engine.loading) {
            onloadRan();
            cancelNavigation();
            return end(LoadEnd::Stopped, kApp);
        }
        post([this] { pane.loadStarted(kApp); });
        post([this] { pane.loadEnded(LoadEnd::Stopped, kApp); });
    }
    // A link or a script; during the load, from the page's onload. It goes where the program
    // may, or to an inline page: another, or the one error page the pane asked for last (its
    // address can be guessed).
    void pageGoes(int arg)
    {
        if (!live())
            return;
        onloadRan();
        m_program.wanted = {};
        m_checks.owed.reset();
        m_checks.askedSinceCommit = true;
        m_checks.errorPageAsked = false;
        const bool guessed = brings(arg) == Brings::NoAddress && !m_engine.lastErrorPage.isEmpty();
        navigateTo(guessed                         ? m_engine.lastErrorPage
                : brings(arg) == Brings::NoAddress ? target(Brings::Inline)
                                                   : target(brings(arg)));
    }
    // The page ends a navigation not yet answered: the page before stays.
    void cancelNavigation()
    {
        if (!std::exchange(m_engine.pending, std::nullopt))
            return;
        m_program.wanted = {};
        m_checks.errorPageAsked = false;
    }
    // The page's load event ran: its own load is done.
    void onloadRan()
    {
        if (std::exchange(m_page.loading, false))
            m_page.doc->parsedAt = std::min(m_page.doc->parsedAt, m_engine.now);
    }
    // A navigation that brings no page ends the stretch, unless the page shown still loads.
    void endUnlessNavigating(LoadEnd how, const QUrl& url)
    {
        if (!m_engine.pending && !m_page.loading)
            end(how, url);
    }

    // A navigation starts; only the first of a stretch of loading reports it, and a newer one
    // replaces one that the network has not answered yet.
    void navigateTo(const QUrl& url)
    {
        m_engine.pending = url;
        if (!std::exchange(m_engine.loading, true))
            post([this, url] { pane.loadStarted(url); });
    }
    // The one end of a stretch of loading, with the last address.
    void end(LoadEnd how, const QUrl& url)
    {
        if (!std::exchange(m_engine.loading, false))
            return;
        const int serial = m_engine.serial;
        // A load that ends with a page it brought owes that page a report, unless the pane is
        // about to load again after a crash.
        const int brought = m_page.doc && !m_checks.askedSinceCommit ? m_page.doc->id : 0;
        post([this, how, url, serial, brought] {
            m_checks.endSerial = serial;
            m_checks.lastEnd = how;
            ++m_checks.endsDelivered;
            const bool stillShown = m_page.doc && m_page.doc->id == brought;
            if (serial == m_engine.serial && brought && stillShown && !m_program.closed
                && !m_checks.askedSinceCommit && !m_checks.afterCrash
                && !m_checks.reported.count(brought))
                m_checks.owed = brought;
            pane.loadEnded(how, url);
        });
        recommend();
    }
    // The network answers the navigation: refused, failed, no content, or a page committed.
    void network()
    {
        if (!m_engine.pending || !runs())
            return;
        const QUrl url = *std::exchange(m_engine.pending, std::nullopt);
        const bool inline_ = isInline(url);
        const SiteAnswer answer = inline_ ? SiteAnswer::AsAddress : m_engine.nextAnswer;
        m_engine.nextAnswer = SiteAnswer::AsAddress;
        if (answer == SiteAnswer::RefusedRedirect && !pane.acceptsNavigation(kApp, true))
            return endUnlessNavigating(LoadEnd::Stopped, kApp);
        if (!pane.acceptsNavigation(url, true))
            return endUnlessNavigating(LoadEnd::Stopped, url);
        const bool asked = url == m_engine.ownPage && !m_engine.ownPage.isEmpty();
        expect(!inline_ || asked, "took an inline page that the pane did not ask for");
        if (inline_)
            m_engine.ownPage.clear();
        const Brings what = answer == SiteAnswer::NoContent ? Brings::NoContent
            : answer == SiteAnswer::Failure                 ? Brings::Failure
                                                            : broughtBy(url);
        switch (what) {
        case Brings::Failure:
            return endUnlessNavigating(LoadEnd::Failed, url);
        case Brings::NoContent:
        case Brings::Download:
            return endUnlessNavigating(LoadEnd::Stopped, url);
        default:
            break;
        }
        expect(!m_checks.owed, "a page whose load ended was never read");
        const QString title
            = inline_ ? noPageTitle() : QStringLiteral("page %1").arg(m_page.nextDoc);
        m_page.doc = Doc { m_page.nextDoc++, url, title, std::numeric_limits<qint64>::max() };
        m_engine.committed = url;
        m_page.loading = true;
        m_engine.crashed = false;
        m_checks.askedSinceCommit = false;
        recommend();
    }
    // A read runs in the document shown when it is answered; a page already reported gives no
    // body.
    void answer(std::size_t index, bool breaks = false)
    {
        const Read read = m_engine.reads[index];
        m_engine.reads.erase(m_engine.reads.begin() + static_cast<std::ptrdiff_t>(index));
        Doc& doc = *m_page.doc;
        doc.unreadable = doc.unreadable || (breaks && !read.probe);
        m_checks.answeredSinceRequest |= read.probe || !doc.unreadable; // nothing says nothing
        if (read.probe || !doc.unreadable)
            pane.rendererAnswered();
        if (read.probe)
            return;
        const QString id = QString::number(doc.id);
        const auto shownBody = id == read.reported ? std::nullopt : std::optional(body(doc));
        m_checks.answeredEnds = read.ends;
        pane.documentRead(read.load,
            doc.unreadable ? std::nullopt
                           : std::optional(DocumentRead { { doc.title, shownBody },
                               m_engine.now >= doc.parsedAt, id, doc.url }));
    }
    // Reads underway are answered only when the page goes.
    void silenceReads()
    {
        for (const Read& read : std::exchange(m_engine.reads, {}))
            m_engine.deadReads.push_back(read.load);
    }
    void crash()
    {
        // Our error page stands for a failed address from the pane's asking for it to the next
        // load asked for.
        const bool errorPageLoading = m_engine.pending && *m_engine.pending == m_engine.ownPage;
        m_checks.crashOnErrorPage = m_checks.errorPageAsked && (isErrorPage() || errorPageLoading);
        m_engine.crashed = true;
        m_checks.afterCrash = true;
        m_checks.owed.reset();
        m_page.doc.reset();
        m_page.loading = false;
        silenceReads();
        pane.rendererCrashed();
        end(LoadEnd::Stopped, m_engine.committed);
    }
    // A load of the pane's own after a crash (or a read that never came): at most three a minute
    // from the network besides the first of each request not yet reported, and none given up for
    // our error page before those.
    void reloadAfterCrash(bool fromNetwork)
    {
        if (!m_checks.afterCrash) {
            expect(!fromNetwork, "loaded from the network by itself");
            return;
        }
        const bool requestsOwn
            = m_program.reportOwed && !m_checks.requestReloaded && !m_checks.answeredSinceRequest;
        const bool ownHang = std::exchange(m_checks.ownHang, false);
        expect(!ownHang || !fromNetwork, "loaded a request's own page again after it hung");
        m_checks.requestReloaded = m_checks.requestReloaded || m_program.reportOwed;
        auto& loads = m_checks.crashLoads;
        while (!loads.empty() && m_engine.now - loads.front().first >= 60000)
            loads.pop_front();
        expect(fromNetwork || m_program.wanted.isEmpty() || m_checks.crashOnErrorPage || ownHang
                || (loads.size() >= 3 && !requestsOwn),
            "gave up on a crashed page before three reloads a minute, or its own to a request");
        if (requestsOwn && fromNetwork)
            return;
        loads.push_back({ m_engine.now, fromNetwork });
        const auto fromTheNetwork = std::count_if(
            loads.begin(), loads.end(), [](const auto& load) { return load.second; });
        expect(fromTheNetwork <= 3, "more than three crash reloads a minute");
    }

    // As the engine decides it: visible, loading, crashed or with an opened page: active.
    void recommend()
    {
        const bool active
            = m_program.visible || m_page.loading || m_engine.crashed || m_page.opener;
        PageKeeping now = PageKeeping::Discarded;
        if (!m_engine.discarded && active)
            now = PageKeeping::Active;
        else if (!m_engine.discarded && (!m_engine.frozen || m_page.typed))
            now = PageKeeping::Frozen;
        if (std::exchange(m_engine.recommended, now) != now)
            post([this, now] { pane.recommendationChanged(now); });
    }
    // The next timer fires; with none armed, the clock moves on by `idleMs`. A live renderer
    // answers a read within a second, or a few when the computer is busy.
    void fireNextTimer(qint64 idleMs)
    {
        if (m_engine.timers.empty()) {
            m_engine.now += idleMs;
            return;
        }
        const auto [timer, due] = *std::min_element(m_engine.timers.begin(), m_engine.timers.end(),
            [](const auto& a, const auto& b) { return a.second < b.second; });
        while (!m_engine.reads.empty() && m_engine.reads.front().asked + m_engine.lagMs <= due)
            answer(0);
        if (!m_engine.timers.count(timer) || m_engine.timers[timer] != due)
            return;
        m_engine.now = std::max(m_engine.now, due);
        m_engine.timers.erase(timer);
        // A page read whose renderer is gone is recovered like a crash.
        const bool gone = timer == PaneTimer::Probe && pane.state() == PaneLifecycle::State::Reading
            && !rendererLives();
        m_checks.afterCrash |= gone;
        m_checks.crashedSinceRequest |= gone;
        pane.timerFired(timer);
    }
    // The rules that hold once nothing more happens.
    void atRest()
    {
        using S = PaneLifecycle::State;
        const S state = pane.state();
        if (m_program.closed) {
            expect(state == S::Closed, "the pane is open again after close");
            return;
        }
        const std::set<S> resting = { S::Idle, S::Shown, S::ErrorPage, S::Frozen, S::GivenBack };
        // A page that hangs is left to the person browsing it, until the program asks.
        const bool leftAlone = hung() && state == S::Loading && !m_program.reportOwed;
        expect(
            resting.count(state) || leftAlone, "the pane waits for something that will not come");
        const Doc* doc = m_page.doc ? &*m_page.doc : nullptr;
        expect(!m_checks.owed
                && (!doc || m_checks.reported.count(doc->id) || doc->unreadable || leftAlone),
            "a page shown was never read");
        expect(!m_program.reportOwed || !doc, "a load asked for was never reported");
        const bool claimsPage = state == S::Shown || state == S::Frozen;
        const bool mayLackPage
            = m_engine.committed.isEmpty() || !m_program.visible || m_program.noPageAsked;
        expect(doc || (!claimsPage && mayLackPage), "the pane is left without a page");
        expect(m_program.wanted.isEmpty() || !doc || doc->url == m_program.wanted || isErrorPage(),
            "the page shown is not the one asked for");
        expect(state != S::Shown || !mayGo() || m_engine.recommended == PageKeeping::Active,
            "a hidden page that could go is kept");
        const bool titled = !doc || !pane.document() || !m_checks.reported.count(doc->id)
            || pane.document()->Title == doc->title || doc->unreadable || hung();
        expect(state != S::Shown || titled, "the title is not the page's own");
    }

    // What the program has said.
    struct Program {
        bool visible = true;
        bool runs = false;
        bool closed = false;
        bool inRequest = false;
        // A Navigate2 or Refresh awaits its one report.
        bool reportOwed = false;
        QUrl wanted;
        bool noPageAsked = false;
    } m_program;
    // The document shown and what it does.
    struct Page {
        std::optional<Doc> doc;
        // Its own resources still come.
        bool loading = false;
        bool opener = false;
        bool typed = false;
        int nextDoc = 1;
    } m_page;
    // The engine: what it has posted, what it navigates to, what it runs.
    struct Engine {
        std::deque<std::function<void()>> queue;
        std::optional<QUrl> pending;
        QUrl committed;
        QUrl ownPage;
        QUrl lastErrorPage;
        // One stretch from a start to an end, as Qt reports it.
        bool loading = false;
        bool frozen = false;
        bool discarded = false;
        bool crashed = false;
        // How long the renderer takes to answer.
        qint64 lagMs = 1000;
        // How the site answers the next navigation, once.
        SiteAnswer nextAnswer = SiteAnswer::AsAddress;
        PageKeeping recommended = PageKeeping::Active;
        std::deque<Read> reads;
        std::vector<quint64> deadReads;
        std::map<PaneTimer, qint64> timers;
        qint64 now = 0;
        int serial = 0;
    } m_engine;
    // What the rules are checked against.
    struct Checks {
        std::set<int> reported;
        // A page whose load ended, not yet reported.
        std::optional<int> owed;
        std::deque<std::pair<qint64, bool>> crashLoads; // when, and whether from the network
        bool afterCrash = false;
        bool crashOnErrorPage = false;
        bool askedSinceCommit = false;
        bool requestReloaded = false; // the request not yet reported, after a crash
        // Since the request: the renderer answered; the pane ended one its own page hung; one died.
        bool answeredSinceRequest = false, ownHang = false, crashedSinceRequest = false;
        // The last load the pane asked for is our error page.
        bool errorPageAsked = false;
        LoadEnd lastEnd = LoadEnd::Succeeded;
        int endSerial = -1;
        int endsDelivered = 0;
        int answeredEnds = 0;
    } m_checks;
};

} // namespace corvalen::testing
