// Feeds arbitrary pages to the goods-list reader's functions. Beyond not crashing, each run
// checks the count against a count made the slow, obvious way, and that the gathered text is
// made of the page's own characters in the page's order.
#include "watcher/goods_list.h"

#include <QString>
#include <cstdint>
#include <cstdlib>

using namespace corvalen::goods_list;

namespace {

std::size_t directCount(std::u16string_view text, std::u16string_view marker)
{
    std::size_t count = 0;
    for (std::size_t at = 0; at + marker.size() <= text.size();) {
        if (text.compare(at, marker.size(), marker) == 0) {
            ++count;
            at += marker.size();
        } else {
            ++at;
        }
    }
    return count;
}

bool isSubsequence(std::u16string_view part, std::u16string_view whole)
{
    std::size_t at = 0;
    for (const char16_t c : part) {
        while (at < whole.size() && whole[at] != c)
            ++at;
        if (at == whole.size())
            return false;
        ++at;
    }
    return true;
}

void check(const QString& page, std::u16string_view keyword)
{
    const std::u16string_view body = view(page);
    const std::size_t count = countOccurrences(body, kExchangeMarker);
    if (count != directCount(body, kExchangeMarker))
        std::abort();
    QString scan;
    if (const auto region = listRegion(body)) {
        if (region->data() < body.data()
            || region->data() + region->size() > body.data() + body.size())
            std::abort();
        gatherScanText(*region, count, scan);
    }
    if (!isSubsequence(view(scan), body))
        std::abort();
    const auto tones = keywordTones(view(scan), keyword, u"雨伞");
    if (tones.size() > 3)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto* bytes = reinterpret_cast<const char*>(data);
    // The page as the engine would decode bytes (broken UTF-8 included) ...
    const QString decoded = QString::fromUtf8(bytes, static_cast<qsizetype>(size));
    check(decoded, view(decoded).substr(0, 3));
    // ... and as raw UTF-16, lone surrogates and all.
    const QString raw(reinterpret_cast<const QChar*>(data), static_cast<qsizetype>(size / 2));
    check(raw, u"x");
    return 0;
}
