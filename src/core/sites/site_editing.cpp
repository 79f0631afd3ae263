#include "core/sites/site_editing.h"

#include "core/text/path_text.h"

namespace fq {
namespace {

const char* BoxName(StoredBox box) {
    switch (box) {
    case StoredBox::WebUrl:
        return "The Web URL";
    case StoredBox::Folder:
        return "The Folder";
    case StoredBox::FileType:
        return "The File Type";
    case StoredBox::ScriptPassword:
        return "The password in the report script";
    }
    return "The text";
}

} // namespace

std::optional<std::string> RefusalToStore(StoredBox box, const std::string& text) {
    if (text.find(kSiteFieldSeparator) == std::string::npos) {
        return std::nullopt;
    }
    return std::string(BoxName(box)) + " cannot hold \"<>\": the site file separates its " +
           "fields with it. Nothing was saved; please remove it.";
}

std::optional<std::string> RefusalToStoreSite(const std::string& typedUrl,
                                              const std::string& typedFolder) {
    if (auto refusal = RefusalToStore(StoredBox::WebUrl, typedUrl)) {
        return refusal;
    }
    return RefusalToStore(StoredBox::Folder, typedFolder);
}

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
