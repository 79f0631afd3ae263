// Backup of the site database: export a copy, import one back.
#include "app/form1.h"
#include "dialogs/cmd1.h"
#include "sites/database_backup.h"
#include "sites/site_database.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QPushButton>

namespace fq {
namespace {

// Dialog flags: ask before overwriting (2) and no read-only box (4).
constexpr std::int32_t kExportFlags = 6;

} // namespace

void Form1::ConnectBackup() {
    connect(ui_.cmdBackup, &QPushButton::clicked, this, &Form1::cmdBackup_Click);
    connect(ui_.mExport, &QAction::triggered, this, &Form1::mExport_Click);
    connect(ui_.mImport, &QAction::triggered, this, &Form1::mImport_Click);
}

cmd1& Form1::Dialog() {
    if (!DialogObject) {
        DialogObject = environment_.dialogs
                           ? std::make_unique<cmd1>(environment_.appFolder, environment_.dialogs)
                           : std::make_unique<cmd1>(environment_.appFolder);
    }
    return *DialogObject;
}

void Form1::cmdBackup_Click() {
    ui_.mBackup->popup(QCursor::pos());
}

void Form1::mExport_Click() {
    cmd1& dialog = Dialog();
    dialog.setFilter(std::string("All File (*.*)\0*.*", 18));
    dialog.setFileName(environment_.homeFolder + kDatabaseFileName);
    dialog.setFlags(kExportFlags);
    const std::string target = dialog.ShowSave();
    if (!target.empty()) {
        // The file as last saved: edits not saved yet stay out of the copy.
        CopyDatabaseFile(databasePath(), target);
    }
}

void Form1::mImport_Click() {
    cmd1& dialog = Dialog();
    dialog.setFilter(kDatabaseFileName);
    dialog.setFileName(environment_.homeFolder + kDatabaseFileName);
    const std::string source = dialog.ShowOpen();
    if (source.empty()) {
        return;
    }
    CopyDatabaseFile(source, databasePath());
    LoadWebDatabase();
}

} // namespace fq
