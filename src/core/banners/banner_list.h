#pragma once

#include <optional>
#include <string>
#include <vector>

namespace fq {

// One line of the maker's banner list: tab-separated fields in this order.
struct BannerEntry {
    std::string id;        // a positive number for a real banner; "alt" of its image
    std::string imageFile; // the same name under "files/banner/" and in banner/
    std::string imageSize; // bytes, in decimal
    std::string link;
    std::string title;
    std::string slot; // sponsor section only: 1 to 100 as plain digits
};

// The list's sections: lines before the first CR LF "===" CR LF, and between it and a second.
struct BannerSections {
    std::vector<std::string> strip;
    std::vector<std::string> sponsor;
};
BannerSections SplitBannerSections(const std::string& listText);

// The entry of one non-empty line, or nothing when it has fewer than `fields` fields.
std::optional<BannerEntry> ParseBannerLine(const std::string& line, std::size_t fields);

// True when the image name can only mean a file directly inside banner/: not empty, no
// folder separator, no "..".
bool IsSafeImageName(const std::string& name);

// True when the entry may go into a page: a safe image name, an http or https link, and no
// apostrophe in a field that lands inside an attribute value.
bool IsFitForPage(const BannerEntry& entry);

} // namespace fq
