#include "gui/qt_file_dialogs.h"

#include "core/text/path_text.h"
#include "gui/program_name.h"
#include "gui/qt_text.h"

#include <QDir>
#include <QFileDialog>

namespace fq {
namespace {

std::optional<std::string> Chosen(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return FromQt(dialog.selectedFiles().front());
}

} // namespace

QtFileDialogs::QtFileDialogs(const std::string& startFolder) : lastFolder_(ToQt(startFolder)) {}

std::optional<std::string> QtFileDialogs::openFile(const FileRequest& request) {
    return runFileDialog(false, request);
}

std::optional<std::string> QtFileDialogs::saveFile(const FileRequest& request) {
    return runFileDialog(true, request);
}

std::optional<std::string> QtFileDialogs::runFileDialog(bool save, const FileRequest& request) {
    QFileDialog dialog(nullptr, QLatin1String(kProgramName));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    QStringList filters;
    for (const std::string& filter : request.nameFilters) {
        filters.append(ToQt(filter));
    }
    dialog.setNameFilters(filters);
    const std::string proposedFolder = UpToLast(request.proposedPath, "/");
    dialog.setDirectory(proposedFolder.empty() ? lastFolder_ : ToQt(proposedFolder));
    const std::string proposedName = request.proposedPath.substr(proposedFolder.size());
    if (!proposedName.empty()) {
        dialog.selectFile(ToQt(proposedName));
    }
    const std::optional<std::string> path = Chosen(dialog);
    lastFolder_ = dialog.directory().absolutePath();
    return path;
}

std::optional<std::string> QtFileDialogs::pickFolder(const std::string& title) {
    QFileDialog dialog(nullptr, title.empty() ? QLatin1String(kProgramName) : ToQt(title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setDirectory(QDir::homePath());
    return Chosen(dialog);
}

} // namespace fq
