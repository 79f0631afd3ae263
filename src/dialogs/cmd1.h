#pragma once

#include "dialogs/dialog_filter.h"
#include "dialogs/file_dialog_runner.h"
#include "dialogs/qt_file_dialog_runner.h"

#include <cstdint>
#include <memory>
#include <string>

namespace fq {

// The open, save and folder dialogs, with their settings kept as properties so that what is
// set for one dialog stays in place for the next. Texts are bytes; the dialogs see UTF-8.
class cmd1 {
public:
    static constexpr const char* kApplicationTitle = "Ferrow Quorvel";
    // Flags bit: the save dialog asks before replacing an existing file. The bit 4 (hide the
    // read-only box) is accepted and means nothing here: the dialogs have no such box.
    static constexpr std::int32_t kOverwritePrompt = 2;

    // `appFolder` is the program folder, ending in "/"; the dialogs start there.
    explicit cmd1(const std::string& appFolder, std::shared_ptr<FileDialogRunner> runner =
                                                    std::make_shared<QtFileDialogRunner>());

    const std::string& FileName() const { return fileName_; }
    void setFileName(const std::string& value) { fileName_ = value; }
    const std::string& InitDir() const { return initDir_; }
    void setInitDir(const std::string& value) { initDir_ = value; }
    const std::string& DialogTitle() const { return dialogTitle_; }
    void setDialogTitle(const std::string& value) { dialogTitle_ = value; }
    const std::string& Filter() const { return filter_; }
    void setFilter(const std::string& value) { filter_ = value; }
    std::int32_t Flags() const { return flags_; }
    void setFlags(std::int32_t value) { flags_ = value; }
    std::int32_t FilterIndex() const { return filterIndex_; }
    void setFilterIndex(std::int32_t value) { filterIndex_ = value; }
    // Kept for callers that set it; the dialogs open without an owner window.
    std::int32_t hwndOwner() const { return hwndOwner_; }
    void setHwndOwner(std::int32_t value) { hwndOwner_ = value; }

    // The chosen file's full path, or "" when the user cancels. Both file dialogs open in the
    // folder part of FileName (which then becomes InitDir) or else in InitDir, with FileName's
    // name filled in, and leave InitDir on the folder the user last visited.
    std::string ShowOpen();
    // As ShowOpen, and FilterIndex afterwards holds the 1-based filter in use at the close.
    std::string ShowSave();
    // The chosen folder's path followed by one zero character, or "" when the user cancels.
    std::string BrowseForFolder(const std::string& prompt);

private:
    FileDialogRequest fileRequest();
    std::string finishFileDialog(const FileDialogAnswer& answer);

    std::shared_ptr<FileDialogRunner> runner_;
    std::string fileName_;
    std::int32_t filterIndex_ = 0;
    std::string filter_ = DefaultDialogFilter();
    std::int32_t flags_ = 0;
    std::string initDir_;
    std::string dialogTitle_ = kApplicationTitle;
    std::int32_t hwndOwner_ = 0;
};

} // namespace fq
