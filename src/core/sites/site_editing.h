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

// The texts the user types that the site file stores.
enum class StoredBox { WebUrl, Folder, FileType, ScriptPassword };

// Why `text`, typed into `box`, cannot be stored, in words for the user; nothing when it can.
// The site file separates its fields with "<>", so a text holding it would come back cut at
// the next start, and the rest would land in another field (the password, for the types).
[[nodiscard]] std::optional<std::string> RefusalToStore(StoredBox box, const std::string& text);

// The refusal of the first of the two site boxes that cannot be stored; nothing when both can.
[[nodiscard]] std::optional<std::string> RefusalToStoreSite(const std::string& typedUrl,
                                                            const std::string& typedFolder);

// The folder box's new text for the folder the user picked: the path with a final "/";
// nothing when no folder was picked.
[[nodiscard]] std::optional<std::string> FolderBoxText(const std::optional<std::string>& picked);

} // namespace fq
