#pragma once

#include "core/net/http_client.h"

#include <chrono>
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

// A whole update, the list and every picture, ends after this long.
inline constexpr std::chrono::milliseconds kBannerUpdateDeadline = std::chrono::minutes(5);

// Fetches the maker's banner list; when it is a list (a success answer that IsBannerListText
// accepts) that differs from the stored copy, brings the images up to date, writes the strip
// and sponsor pages from their templates, with the shipped free.gif they show beside them,
// and then stores the list. Otherwise, or in a banner folder that PrepareBannerFolder
// refuses, changes nothing. An update that `pump` or `deadline` ends before the pages stores
// no list, so the next one completes it. True when the pages were written.
bool UpdateBanners(const BannerPlaces& places, const MessagePump& pump,
                   std::chrono::milliseconds deadline = kBannerUpdateDeadline);

// The sponsor page to show: the one the last update wrote or, before any, one written now
// from the template with every slot free (beside the shipped picture it shows), so that the
// sponsor window is never blank.
[[nodiscard]] std::string SponsorPageToShow(const BannerPlaces& places);

} // namespace fq
