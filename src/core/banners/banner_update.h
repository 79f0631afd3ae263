#pragma once

#include "core/platform/http_client.h"

#include <string>

namespace fq {

// Where a banner update reads and writes: the program folder (ending in "/") with its
// banner/ and php/ folders, and the maker's site (ending in "/").
struct BannerPlaces {
    std::string appFolder;
    std::string baseUrl;
};

// The maker's page for would-be sponsors; empty without a maker's site.
std::string AdvertisingPage(const std::string& baseUrl);

// Fetches the maker's banner list; when it is a list (no "<" in it) whose length differs from
// the stored copy's, stores it, brings the images up to date and writes the strip and
// sponsor pages from their templates. Otherwise changes nothing. True when the pages were
// written.
bool UpdateBanners(const BannerPlaces& places, const MessagePump& pump);

} // namespace fq
