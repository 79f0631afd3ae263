#include "core/banners/banner_pages.h"

#include "core/text/path_text.h"

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

bool FitsPage(const BannerEntry& entry, std::size_t fields) {
    return entry.fields >= fields && IsFitForPage(entry);
}

} // namespace

std::string StripMarkup(const BannerList& list) {
    std::string markup, group;
    std::size_t inGroup = 0;
    for (const BannerEntry& entry : list.strip) {
        if (FitsPage(entry, kStripFields)) {
            group += LinkedImage(entry, entry.id);
            if (++inGroup == kGroupSize) {
                markup += Group(group) + "\r\n";
                group.clear();
                inGroup = 0;
            }
        }
    }
    return inGroup > 0 ? markup + Group(group) : markup;
}

std::string SponsorBlock(const BannerList& list) {
    std::string entries;
    for (int slot = 1; slot <= kSponsorSlots; ++slot) {
        const std::string number = std::to_string(slot);
        const BannerEntry* sold = nullptr;
        for (const BannerEntry& entry : list.sponsor) {
            if (FitsPage(entry, kSponsorFields) && entry.slot == number) {
                sold = &entry;
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
