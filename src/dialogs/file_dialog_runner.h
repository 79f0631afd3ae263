#pragma once

#include <QString>
#include <QStringList>

namespace fq {

// What one modal file or folder dialog is opened with.
struct FileDialogRequest {
    QString title;                 // the caption; empty keeps the dialog's own
    QString startFolder;           // the folder shown first
    QString preselectedName;       // the file name filled in; empty for none
    QStringList nameFilters;       // Qt name filters; empty lists every file
    int selectedFilter = 0;        // position in nameFilters shown first
    bool confirmOverwrite = false; // save dialog: ask before replacing an existing file
};

// How the user left the dialog.
struct FileDialogAnswer {
    bool accepted = false;
    QString path;                 // the chosen file or folder, absolute; empty on cancel
    int selectedFilterIndex = -1; // position in nameFilters in use at the close; -1 for none
    QString lastFolder;           // the folder the dialog showed when it closed
};

// Runs the modal dialogs; tests hand their own to answer without a user.
class FileDialogRunner {
public:
    virtual ~FileDialogRunner() = default;
    virtual FileDialogAnswer runOpen(const FileDialogRequest& request) = 0;
    virtual FileDialogAnswer runSave(const FileDialogRequest& request) = 0;
    virtual FileDialogAnswer runFolder(const FileDialogRequest& request) = 0;
};

} // namespace fq
