#pragma once

#include "gui/file_dialogs.h"

#include <QString>

namespace fq {

// The dialogs on Qt's own widget dialog, so that the start folder, the filled-in name and the
// folder shown at the close behave alike on every desktop. A file dialog opens in the folder
// of the proposed path, or else in the folder the last file dialog showed when it closed
// (at first `startFolder`). The folder dialog starts at the user's home.
class QtFileDialogs final : public FileDialogs {
public:
    explicit QtFileDialogs(const std::string& startFolder);

    std::optional<std::string> openFile(const FileRequest& request) override;
    std::optional<std::string> saveFile(const FileRequest& request) override;
    std::optional<std::string> pickFolder(const std::string& title) override;

private:
    std::optional<std::string> runFileDialog(bool save, const FileRequest& request);

    QString lastFolder_;
};

} // namespace fq
