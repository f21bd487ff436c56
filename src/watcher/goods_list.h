#pragma once

#include <QString>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace corvalen::goods_list {

// The marker texts of the full-exchange list, compared exactly, wherever they stand in the HTML.
inline constexpr std::u16string_view kExchangeMarker = u"可用金币兑换";
inline constexpr std::u16string_view kListStart = u"full-goods-list";
inline constexpr std::u16string_view kListEnd = u"pagination";
inline constexpr std::u16string_view kItemTag = u"<li>";

inline std::u16string_view view(const QString& text)
{
    return { reinterpret_cast<const char16_t*>(text.utf16()),
        static_cast<std::size_t>(text.size()) };
}

// Non-overlapping occurrences of the marker, searched from the start.
std::size_t countOccurrences(std::u16string_view text, std::u16string_view marker);

// The list: the text after the first "full-goods-list" (up to a second one), cut before the first
// "pagination". Nothing when the page has no list start or the list is empty.
std::optional<std::u16string_view> listRegion(std::u16string_view body);

// Appends to `out` the part before the first "<li>" of each of the first `count` item pieces of
// the region (the pieces between exchange markers). Stops early when the region holds fewer
// pieces.
void gatherScanText(std::u16string_view region, std::size_t count, QString& out);

// The keyword tones for the gathered text, in the order they play: 5 for the first keyword, 6 for
// the second, 7 when both are set and both are found. An empty keyword is not set.
std::vector<int> keywordTones(
    std::u16string_view scanText, std::u16string_view keyword1, std::u16string_view keyword2);

} // namespace corvalen::goods_list
