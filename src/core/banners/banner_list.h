#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace fq {

// One non-empty line of the maker's banner list: tab-separated fields in this order.
struct BannerEntry {
    std::string id;        // a positive number for a real banner; "alt" of its image
    std::string imageFile; // the same name under "files/banner/" and in banner/
    std::string imageSize; // bytes, in decimal
    std::string link;
    std::string title;
    std::string slot;       // sponsor section only: 1 to 100 as plain digits
    std::size_t fields = 0; // how many fields the line had; those missing above are ""
};

// The list's entries by section: lines before the first CR LF "===" CR LF, between it and a
// second, and after that (pictures only).
struct BannerList {
    std::vector<BannerEntry> strip;
    std::vector<BannerEntry> sponsor;
    std::vector<BannerEntry> later;
};

// Every non-empty line of `listText` as an entry of its section, in list order.
[[nodiscard]] BannerList ParseBannerList(const std::string& listText);

// The name of the stored copy of the last applied list, in banner/ beside the pictures.
inline constexpr const char* kStoredListName = "banner.txt";

// Bounds on a banner list: the maker's has tens of lines, and anything far larger would
// only cost the memory and the time to take it apart.
inline constexpr std::size_t kMaxBannerListBytes = 256u * 1024u;
inline constexpr std::size_t kMaxBannerListLines = 2000;

// True when `text` can be a banner list: not empty, within the bounds above, and without "<"
// anywhere (an error page has markup).
[[nodiscard]] bool IsBannerListText(const std::string& text);

// True when the image name can only mean a picture directly inside banner/: not empty, no
// folder separator, no "..", not hidden, and none of the names the program keeps there
// itself (the stored list, a file being written).
[[nodiscard]] bool IsSafeImageName(const std::string& name);

// Whether `link` is a web address (http or https, any letter case): the only links that are
// shown on a page or handed to the browser.
[[nodiscard]] bool IsWebLink(const std::string& link);

// True when the entry may go into a page: a safe image name, an http or https link, and no
// apostrophe in a field that lands inside an attribute value.
[[nodiscard]] bool IsFitForPage(const BannerEntry& entry);

} // namespace fq
