#include "goods_list_reader.h"

#include "forms/control_states.h"
#include "forms/form1.h"
#include "watcher/alert_tones.h"
#include "watcher/goods_list.h"

namespace corvalen {

GoodsListReader::GoodsListReader(Form1& form, AlertTones& tones)
    : QObject(&form)
    , m_form(form)
    , m_tones(tones)
{
    form.WebBrowser6->DocumentComplete.connect(
        this, [this](const BrowserObject& object, const QString&) { documentComplete(object); });
}

void GoodsListReader::documentComplete(const BrowserObject& object)
{
    if (!isWatcherTabMarked(m_form))
        return;
    if (!(object == m_form.WebBrowser6->Object()))
        return;

    // A page without a document or a body counts as an empty one.
    const auto& document = m_form.WebBrowser6->document();
    const QString body = document && document->bodyHtml ? *document->bodyHtml : QString();
    const auto count = static_cast<int>(
        goods_list::countOccurrences(goods_list::view(body), goods_list::kExchangeMarker));
    m_form.Text2.setText(QString::number(count));
    if (!isWatchRunning(m_form))
        return;

    countAlert(count);
    keywordAlert(count, body);
    m_form.state.ScanText.clear();
}

void GoodsListReader::countAlert(int count)
{
    const WatchState& s = m_form.state;
    if (!s.Keyword1.isEmpty() || !s.Keyword2.isEmpty())
        return;
    if (count > s.RangeLow - 1 && count < s.RangeHigh + 1) {
        for (int k = 0; k <= 3; ++k) {
            if (m_form.Command2(k).Enabled())
                m_tones.command2Click(k);
        }
    }
}

void GoodsListReader::keywordAlert(int count, const QString& body)
{
    WatchState& s = m_form.state;
    if (s.RangeLow != 0 || s.RangeHigh != 0 || (s.Keyword1.isEmpty() && s.Keyword2.isEmpty()))
        return;
    if (count == 0)
        return;
    // Without a list there is nothing to search.
    const auto region = goods_list::listRegion(goods_list::view(body));
    if (!region)
        return;
    goods_list::gatherScanText(*region, static_cast<std::size_t>(count), s.ScanText);
    for (const int tone : goods_list::keywordTones(goods_list::view(s.ScanText),
             goods_list::view(s.Keyword1), goods_list::view(s.Keyword2)))
        m_tones.command3Click(tone - 5);
}

} // namespace corvalen
