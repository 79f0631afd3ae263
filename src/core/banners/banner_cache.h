#pragma once

#include "core/banners/banner_list.h"
#include "core/net/http_client.h"

#include <cstdint>
#include <string>

namespace fq {

// Banner images are small pictures: one larger than this is not kept.
inline constexpr HttpLimits kBannerImageLimits{.maxBodyBytes = 4u * 1024u * 1024u};
// All the pictures that one list keeps, together.
inline constexpr std::uintmax_t kBannerFolderBytes = 16u * 1024u * 1024u;

// Makes `bannerFolder` (ending in "/") ready for an update: creates it when it is missing and
// removes what writes cut short there left a while ago. False, and nothing touched, unless it
// is a folder of this user's under that very name: a link there may have been planted by
// someone else to a folder of the user's own files.
[[nodiscard]] bool PrepareBannerFolder(const std::string& bannerFolder);

// Brings `bannerFolder` (ending in "/") up to the banner list: every image an entry of any
// section names that is missing there, or whose size differs from the entry's ImageSize, is
// fetched from `imagesUrl` + its name, and replaces the file there only when a whole success
// answer within `limits` arrived. No picture is fetched once those kept there reach
// `totalBytes`. An entry with an unsafe image name, or with fewer than three fields, is
// skipped; the pump runs once per entry. Nothing happens in a folder that PrepareBannerFolder
// refuses. A picture that could not be fetched is simply missing until the next update.
void LoadBannerImages(const BannerList& list, const std::string& bannerFolder,
                      const std::string& imagesUrl, const MessagePump& pump,
                      const HttpLimits& limits = kBannerImageLimits,
                      std::uintmax_t totalBytes = kBannerFolderBytes);

// Deletes the files of `bannerFolder` whose names end in "jpg", "gif" or "epg" (any letter
// case) and that no entry of the list (as LoadBannerImages takes them) names exactly; folders
// and other files stay, and a folder that PrepareBannerFolder refuses is not touched.
void RemoveStaleImages(const BannerList& list, const std::string& bannerFolder);

} // namespace fq
