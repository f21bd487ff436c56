#include "goods_list.h"

namespace corvalen::goods_list {

std::size_t countOccurrences(std::u16string_view text, std::u16string_view marker)
{
    if (marker.empty())
        return 0;
    std::size_t count = 0;
    for (std::size_t at = text.find(marker); at != std::u16string_view::npos;
         at = text.find(marker, at + marker.size()))
        ++count;
    return count;
}

std::optional<std::u16string_view> listRegion(std::u16string_view body)
{
    const std::size_t start = body.find(kListStart);
    if (start == std::u16string_view::npos)
        return std::nullopt;
    std::u16string_view region = body.substr(start + kListStart.size());
    region = region.substr(0, region.find(kListStart));
    region = region.substr(0, region.find(kListEnd));
    if (region.empty())
        return std::nullopt;
    return region;
}

void gatherScanText(std::u16string_view region, std::size_t count, QString& out)
{
    std::size_t pieceStart = 0;
    for (std::size_t i = 0; i < count && pieceStart <= region.size(); ++i) {
        const std::size_t marker = region.find(kExchangeMarker, pieceStart);
        const std::size_t pieceEnd = marker == std::u16string_view::npos ? region.size() : marker;
        const std::u16string_view piece = region.substr(pieceStart, pieceEnd - pieceStart);
        const std::u16string_view gathered = piece.substr(0, piece.find(kItemTag));
        out.append(reinterpret_cast<const QChar*>(gathered.data()),
            static_cast<qsizetype>(gathered.size()));
        if (marker == std::u16string_view::npos)
            break;
        pieceStart = marker + kExchangeMarker.size();
    }
}

std::vector<int> keywordTones(
    std::u16string_view scanText, std::u16string_view keyword1, std::u16string_view keyword2)
{
    const auto found = [scanText](std::u16string_view keyword) {
        return !keyword.empty() && scanText.find(keyword) != std::u16string_view::npos;
    };
    const bool first = found(keyword1);
    const bool second = found(keyword2);
    std::vector<int> tones;
    if (first)
        tones.push_back(5);
    if (second)
        tones.push_back(6);
    if (first && second)
        tones.push_back(7);
    return tones;
}

} // namespace corvalen::goods_list
