#pragma once

#include "core/net/http_client.h"

#include <string>

namespace fq {

// Where a banner update reads and writes, each ending in "/": the program folder with the
// shipped php/ templates and picture, the data folder (see DataFolder) that gets banner/ and
// the pages in php/, and the maker's site.
struct BannerPlaces {
    std::string programFolder;
    std::string dataFolder;
    std::string baseUrl;
};

// The maker's page for would-be sponsors; empty without a maker's site.
[[nodiscard]] std::string AdvertisingPage(const std::string& baseUrl);

// Fetches the maker's banner list; when it is a list (no "<" in it) whose length differs from
// the stored copy's, stores it, brings the images up to date and writes the strip and
// sponsor pages from their templates, with the shipped free.gif they show beside them.
// Otherwise changes nothing. True when the pages were written.
bool UpdateBanners(const BannerPlaces& places, const MessagePump& pump);

} // namespace fq
