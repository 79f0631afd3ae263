#include "core/banners/banner_list.h"

#include "core/files/text_file.h"
#include "core/text/path_text.h"

#include <algorithm>

namespace fq {
namespace {

constexpr const char* kLineBreak = "\r\n";
constexpr const char* kSectionBreak = "\r\n===\r\n";

// The entries of the non-empty lines of one section.
std::vector<BannerEntry> SectionEntries(const std::string& section) {
    std::vector<BannerEntry> entries;
    for (const std::string& line : SplitText(section, kLineBreak)) {
        if (line.empty()) {
            continue;
        }
        std::vector<std::string> parts = SplitText(line, "\t");
        const std::size_t fields = parts.size();
        parts.resize(6);
        entries.push_back({parts[0], parts[1], parts[2], parts[3], parts[4], parts[5], fields});
    }
    return entries;
}

} // namespace

BannerList ParseBannerList(const std::string& listText) {
    const std::vector<std::string> sections = SplitText(listText, kSectionBreak);
    BannerList list;
    list.strip = SectionEntries(sections[0]);
    if (sections.size() > 1) {
        list.sponsor = SectionEntries(sections[1]);
    }
    for (std::size_t later = 2; later < sections.size(); ++later) {
        for (BannerEntry& entry : SectionEntries(sections[later])) {
            list.later.push_back(std::move(entry));
        }
    }
    return list;
}

bool IsBannerListText(const std::string& text) {
    const auto lineBreaks = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    // An error page, or anything else with markup in it, is no banner list.
    return !text.empty() && text.size() <= kMaxBannerListBytes &&
           lineBreaks < kMaxBannerListLines && text.find('<') == std::string::npos;
}

bool IsSafeImageName(const std::string& name) {
    // Besides the pictures, banner/ holds the stored list and files on their way in; a
    // picture never takes their names, nor a hidden one.
    return !name.empty() && !name.starts_with('.') &&
           name.find_first_of("/\\") == std::string::npos && name.find("..") == std::string::npos &&
           name != kStoredListName && !IsTemporaryFileName(name);
}

bool IsWebLink(const std::string& link) {
    return StartsWithNoCase(link, "http://") || StartsWithNoCase(link, "https://");
}

bool IsFitForPage(const BannerEntry& entry) {
    const std::string attributes = entry.id + entry.imageFile + entry.link + entry.title;
    return IsWebLink(entry.link) && IsSafeImageName(entry.imageFile) &&
           attributes.find('\'') == std::string::npos;
}

} // namespace fq
