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
    if (!request.title.isEmpty()) {
        dialog.setWindowTitle(request.title);
    }
    dialog.setDirectory(request.startFolder);
    if (!request.nameFilters.isEmpty()) {
        // The dialog keeps its filters with blanks simplified, one for one in the same order;
        // positions are therefore counted in its own list.
        dialog.setNameFilters(request.nameFilters);
        dialog.selectNameFilter(dialog.nameFilters().value(request.selectedFilter));
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
        static_cast<int>(dialog.nameFilters().indexOf(dialog.selectedNameFilter()));
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
