#pragma once

#include "dialogs/file_dialog_runner.h"

namespace fq {

// The dialogs on QFileDialog. Qt's own widget dialog is used everywhere, so that the start
// folder, the filled-in name and the folder shown at the close behave alike on every desktop.
class QtFileDialogRunner final : public FileDialogRunner {
public:
    FileDialogAnswer runOpen(const FileDialogRequest& request) override;
    FileDialogAnswer runSave(const FileDialogRequest& request) override;
    FileDialogAnswer runFolder(const FileDialogRequest& request) override;
};

} // namespace fq
