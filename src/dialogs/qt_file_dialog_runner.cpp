#include "dialogs/qt_file_dialog_runner.h"

#include <QFileDialog>

namespace fq {

namespace {

// Qt's own widget dialog in place of the desktop's, chosen before anything else is set.
void UseWidgetDialog(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
}

// Fills in the request and runs the dialog, whose modes are already set.
FileDialogAnswer Run(QFileDialog& dialog, const FileDialogRequest& request) {
    // The combo box shows the descriptions alone; the patterns stay in force.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (!request.title.isEmpty()) {
        dialog.setWindowTitle(request.title);
    }
    dialog.setDirectory(request.startFolder);
    if (!request.nameFilters.isEmpty()) {
        dialog.setNameFilters(request.nameFilters);
        dialog.selectNameFilter(request.nameFilters.value(request.selectedFilter));
    }
    if (!request.preselectedName.isEmpty()) {
        dialog.selectFile(request.preselectedName);
    }

    FileDialogAnswer answer;
    answer.accepted = dialog.exec() == QDialog::Accepted;
    if (answer.accepted) {
        answer.path = dialog.selectedFiles().value(0);
    }
    answer.selectedFilterIndex =
        static_cast<int>(request.nameFilters.indexOf(dialog.selectedNameFilter()));
    answer.lastFolder = dialog.directory().absolutePath();
    return answer;
}

} // namespace

FileDialogAnswer QtFileDialogRunner::runOpen(const FileDialogRequest& request) {
    QFileDialog dialog;
    UseWidgetDialog(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Run(dialog, request);
}

FileDialogAnswer QtFileDialogRunner::runSave(const FileDialogRequest& request) {
    QFileDialog dialog;
    UseWidgetDialog(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    return Run(dialog, request);
}

FileDialogAnswer QtFileDialogRunner::runFolder(const FileDialogRequest& request) {
    QFileDialog dialog;
    UseWidgetDialog(dialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    return Run(dialog, request);
}

} // namespace fq
