#pragma once

#include "app/banner_browser.h"
#include "check/post_form_function.h"
#include "platform/http_client.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace fq {

class FileDialogRunner;

// Shows the one message box of the program: an exclamation icon, an OK button.
using WarningBox =
    std::function<void(QWidget* parent, const QString& caption, const QString& text)>;

// What the main window is handed by main(), so that tests can build it over a temporary
// program folder and replace what would block or reach outside.
struct Form1Environment {
    std::string appFolder;       // the program folder, ending in "/"
    std::string executablePath;  // the running executable's full path
    std::string autostartFolder; // where the desktop finds programs to start at log-in
    std::string homeFolder;      // where backups are proposed, ending in "/"
    std::shared_ptr<FileDialogRunner> dialogs; // empty: the real modal dialogs
    WarningBox warn;                           // empty: a real modal message box
    std::function<bool()> trayAvailable;       // empty: ask the desktop for a notification area
    BannerBrowserFactory makeBrowser;          // empty: the banner strip on Qt WebEngine
    PostFormFunction postForm = PostForm;      // the report requests of the check pass
    std::function<std::int64_t()> now;         // the schedule's clock; empty: the wall clock
};

} // namespace fq
