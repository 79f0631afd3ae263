#pragma once

#include "core/banners/banner_list.h"
#include "core/net/http_client.h"

#include <string>

namespace fq {

// Banner images are small pictures: one larger than this is not kept.
inline constexpr HttpLimits kBannerImageLimits{.maxBodyBytes = 4u * 1024u * 1024u};

// Brings `bannerFolder` (ending in "/") up to the banner list: every image an entry of any
// section names that is missing there, or whose size differs from the entry's ImageSize, is
// fetched from `imagesUrl` + its name. An entry with an unsafe image name, or with fewer than
// three fields, is skipped; the pump runs once per entry. A picture that could not be fetched
// is simply missing until the next update.
void LoadBannerImages(const BannerList& list, const std::string& bannerFolder,
                      const std::string& imagesUrl, const MessagePump& pump,
                      const HttpLimits& limits = kBannerImageLimits);

// Deletes the files of `bannerFolder` whose names end in "jpg", "gif" or "epg" (any letter
// case) and that no entry of the list (as LoadBannerImages takes them) names exactly; folders
// and other files stay.
void RemoveStaleImages(const BannerList& list, const std::string& bannerFolder);

} // namespace fq
