#include "core/banners/banner_list.h"

#include "core/text/path_text.h"

namespace fq {
namespace {

constexpr const char* kLineBreak = "\r\n";
constexpr const char* kSectionBreak = "\r\n===\r\n";

std::vector<std::string> NonEmptyLines(const std::string& section) {
    std::vector<std::string> lines = SplitText(section, kLineBreak);
    std::erase(lines, std::string());
    return lines;
}

} // namespace

BannerSections SplitBannerSections(const std::string& listText) {
    const std::vector<std::string> sections = SplitText(listText, kSectionBreak);
    BannerSections result;
    result.strip = NonEmptyLines(sections[0]);
    if (sections.size() > 1) {
        result.sponsor = NonEmptyLines(sections[1]);
    }
    return result;
}

std::optional<BannerEntry> ParseBannerLine(const std::string& line, std::size_t fields) {
    std::vector<std::string> parts = SplitText(line, "\t");
    if (parts.size() < fields) {
        return std::nullopt;
    }
    parts.resize(6);
    return BannerEntry{parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]};
}

bool IsSafeImageName(const std::string& name) {
    return !name.empty() && name.find_first_of("/\\") == std::string::npos &&
           name.find("..") == std::string::npos;
}

bool IsFitForPage(const BannerEntry& entry) {
    const bool webLink =
        StartsWithNoCase(entry.link, "http://") || StartsWithNoCase(entry.link, "https://");
    const std::string attributes = entry.id + entry.imageFile + entry.link + entry.title;
    return webLink && IsSafeImageName(entry.imageFile) &&
           attributes.find('\'') == std::string::npos;
}

} // namespace fq
