#include "core/sites/site_editing.h"

#include "core/text/path_text.h"

namespace fq {

StoredSite SiteFromBoxes(const std::string& typedUrl, const std::string& typedFolder) {
    return {EnsureTrailing(typedUrl, '/'), EnsureTrailing(typedFolder, '/'), true};
}

std::optional<StoredSite> SiteToAdd(const std::string& typedUrl, const std::string& typedFolder) {
    if (typedUrl.empty() || typedFolder.empty()) {
        return std::nullopt;
    }
    return SiteFromBoxes(typedUrl, typedFolder);
}

std::optional<std::string> FolderBoxText(const std::optional<std::string>& picked) {
    if (!picked || picked->empty()) {
        return std::nullopt;
    }
    return EnsureTrailing(*picked, '/');
}

} // namespace fq
