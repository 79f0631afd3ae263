#pragma once

#include "core/banners/banner_list.h"

#include <string>

namespace fq {

// What the page templates hold where the generated markup belongs.
inline constexpr const char* kPagePlaceholder = "<div></div>";

// The strip page's markup for a banner list: every fit entry of the strip section as a
// linked image, gathered into "<div>" groups of four; a last, shorter group has no CR LF
// after its "</div>". Empty when the section has no fit entry.
[[nodiscard]] std::string StripMarkup(const BannerList& list);

// The sponsor page's block: slots 1 to 100 in order, each the fit entry of the sponsor
// section whose Slot is exactly that number (the last such line), else the unsold picture.
[[nodiscard]] std::string SponsorBlock(const BannerList& list);

// `pageTemplate` with every placeholder replaced by `markup`.
[[nodiscard]] std::string FillPage(const std::string& pageTemplate, const std::string& markup);

} // namespace fq
