#include "dialogs/cmd1.h"

#include "app/qt_text.h"
#include "dialogs/dialog_paths.h"
#include "platform/executable_path.h"
#include "platform/path_text.h"

#include <QDir>

namespace fq {

cmd1::cmd1(const std::string& appFolder, std::shared_ptr<FileDialogRunner> runner)
    : runner_(std::move(runner)), initDir_(InitialDialogFolder(appFolder)) {}

FileDialogRequest cmd1::fileRequest() {
    if (const std::string folder = UpToLast(fileName_, "/"); !folder.empty()) {
        initDir_ = folder;
    }
    FileDialogRequest request;
    request.title = ToQt(dialogTitle_);
    request.startFolder = ToQt(initDir_);
    request.preselectedName = ToQt(FileNameOf(fileName_));
    for (const std::string& nameFilter : NameFiltersFromNative(filter_)) {
        request.nameFilters.append(ToQt(nameFilter));
    }
    request.selectedFilter =
        NameFilterPosition(filterIndex_, static_cast<std::size_t>(request.nameFilters.size()));
    request.confirmOverwrite = (flags_ & kOverwritePrompt) != 0;
    return request;
}

std::string cmd1::finishFileDialog(const FileDialogAnswer& answer) {
    // Qt's dialogs leave the working directory alone, so the folder the dialog showed last
    // takes the place of the directory the user browsed to.
    initDir_ = FromQt(answer.lastFolder);
    return answer.accepted ? FromQt(answer.path) : std::string();
}

std::string cmd1::ShowOpen() {
    return finishFileDialog(runner_->runOpen(fileRequest()));
}

std::string cmd1::ShowSave() {
    const FileDialogAnswer answer = runner_->runSave(fileRequest());
    filterIndex_ = FilterIndexAt(answer.selectedFilterIndex);
    return finishFileDialog(answer);
}

std::string cmd1::BrowseForFolder(const std::string& prompt) {
    FileDialogRequest request;
    request.title = ToQt(prompt);
    // The folder tree starts at the top of the user's own files.
    request.startFolder = QDir::homePath();
    const FileDialogAnswer answer = runner_->runFolder(request);
    return ChosenFolderResult(answer.accepted ? FromQt(answer.path) : std::string());
}

} // namespace fq
