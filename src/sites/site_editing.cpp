#include "sites/site_editing.h"

#include "platform/path_text.h"

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

std::optional<std::string> FolderFromBrowser(const std::string& browserResult) {
    std::string folder = browserResult;
    if (!folder.empty() && folder.back() == '\0') {
        folder.pop_back();
    }
    if (folder.empty()) {
        return std::nullopt;
    }
    return EnsureTrailing(folder, '/');
}

} // namespace fq
