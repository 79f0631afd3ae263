// Backup of the site database: export a copy, import one back.
#include "core/sites/site_database.h"
#include "gui/file_dialogs.h"
#include "gui/main_window.h"
#include "gui/qt_text.h"

namespace fq {
namespace {

QString FailureText(const char* what, const std::string& path, const FileOutcome& outcome) {
    return QLatin1String(what) + ToQt(path) + QStringLiteral(":\n") + ToQt(outcome.reason());
}

} // namespace

void MainWindow::exportDatabase() {
    FileRequest request;
    request.nameFilters = {"All File (*.*) (*)"};
    request.proposedPath = environment_.homeFolder + kDatabaseFileName;
    request.confirmOverwrite = true;
    const std::optional<std::string> target = environment_.dialogs->saveFile(request);
    if (!target) {
        return;
    }
    // The file as last saved: edits not saved yet stay out of the copy.
    const FileOutcome copied = store_.exportTo(*target);
    if (!copied) {
        showWarning(FailureText("Could not export to ", *target, copied));
    }
}

void MainWindow::importDatabase() {
    FileRequest request;
    request.nameFilters = {std::string(kDatabaseFileName) + " (" + kDatabaseFileName + ")",
                           "All Files (*.*) (*)"};
    request.proposedPath = environment_.homeFolder + kDatabaseFileName;
    const std::optional<std::string> source = environment_.dialogs->openFile(request);
    if (!source) {
        return;
    }
    // Only a complete copy replaces what the window holds, unsaved edits included.
    const FileOutcome copied = store_.importFrom(*source);
    if (!copied) {
        showWarning(FailureText("Could not import ", *source, copied));
        return;
    }
    showOpenedSiteFile(store_.lastRead());
}

} // namespace fq
