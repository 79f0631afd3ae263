#include "core/banners/banner_pages.h"

#include "core/banners/banner_list.h"
#include "core/text/path_text.h"

#include <optional>

namespace fq {
namespace {

constexpr std::size_t kStripFields = 5;
constexpr std::size_t kSponsorFields = 6;
constexpr std::size_t kGroupSize = 4;
constexpr int kSponsorSlots = 100;

std::string LinkedImage(const BannerEntry& entry, const std::string& alt) {
    return "\t<a href='" + entry.link + "' target='_blank'><img src='../banner/" + entry.imageFile +
           "' title='" + entry.title + "' alt='" + alt + "'></a> \r\n";
}

std::string UnsoldSlot(int slot) {
    return "\t<a href='javascript: void(0);'><img src='../php/free.gif' title='' alt='0-" +
           std::to_string(slot) + "'></a> \r\n";
}

std::string Group(const std::string& entries) {
    return "\t<div>\r\n" + entries + "\t</div>";
}

std::optional<BannerEntry> FitEntry(const std::string& line, std::size_t fields) {
    auto entry = ParseBannerLine(line, fields);
    return entry && IsFitForPage(*entry) ? entry : std::nullopt;
}

} // namespace

std::string StripMarkup(const std::string& listText) {
    std::string markup, group;
    std::size_t inGroup = 0;
    for (const std::string& line : SplitBannerSections(listText).strip) {
        if (const auto entry = FitEntry(line, kStripFields)) {
            group += LinkedImage(*entry, entry->id);
            if (++inGroup == kGroupSize) {
                markup += Group(group) + "\r\n";
                group.clear();
                inGroup = 0;
            }
        }
    }
    return inGroup > 0 ? markup + Group(group) : markup;
}

std::string SponsorBlock(const std::string& listText) {
    const std::vector<std::string> lines = SplitBannerSections(listText).sponsor;
    std::string entries;
    for (int slot = 1; slot <= kSponsorSlots; ++slot) {
        std::optional<BannerEntry> sold;
        for (const std::string& line : lines) {
            const auto entry = FitEntry(line, kSponsorFields);
            if (entry && entry->slot == std::to_string(slot)) {
                sold = entry;
            }
        }
        entries +=
            sold ? LinkedImage(*sold, sold->id + "-" + std::to_string(slot)) : UnsoldSlot(slot);
    }
    return Group(entries);
}

std::string FillPage(const std::string& pageTemplate, const std::string& markup) {
    return ReplaceAll(pageTemplate, kPagePlaceholder, markup);
}

} // namespace fq
