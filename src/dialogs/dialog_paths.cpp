#include "dialogs/dialog_paths.h"

namespace fq {

std::string InitialDialogFolder(const std::string& appFolder) {
    if (appFolder.size() > 1 && appFolder.back() == '/') {
        return appFolder.substr(0, appFolder.size() - 1);
    }
    return appFolder;
}

std::string ChosenFolderResult(const std::string& folder) {
    return folder.empty() ? std::string() : folder + '\0';
}

} // namespace fq
