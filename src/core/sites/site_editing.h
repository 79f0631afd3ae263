#pragma once

#include "core/sites/site_database.h"

#include <optional>
#include <string>

namespace fq {

// The address and folder boxes as a site stores them: the address ends in "/", the folder
// in "/", each added only when missing (an empty box becomes "/" alone).
[[nodiscard]] StoredSite SiteFromBoxes(const std::string& typedUrl, const std::string& typedFolder);

// The site that "Add" appends, active; nothing when either box is empty as typed.
[[nodiscard]] std::optional<StoredSite> SiteToAdd(const std::string& typedUrl,
                                                  const std::string& typedFolder);

// The folder box's new text for the folder the user picked: the path with a final "/";
// nothing when no folder was picked.
[[nodiscard]] std::optional<std::string> FolderBoxText(const std::optional<std::string>& picked);

} // namespace fq
