#pragma once

#include "core/check/check_services.h"
#include "core/time/clock.h"

#include <QString>
#include <QUrl>
#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace fq {

class FileDialogs;

// Shows the one kind of message box of the program: an exclamation icon and an OK button.
using WarningBox =
    std::function<void(QWidget* parent, const QString& caption, const QString& text)>;

// What the main window is handed by main(), so that tests can build it over a temporary
// program folder and replace what would block, wait or reach outside. Empty members get the
// real thing.
struct MainWindowEnvironment {
    std::string appFolder;       // the program folder with the shipped php/, ending in "/"
    std::string dataFolder;      // what the program writes, ending in "/"; empty: DataFolder()
    std::string machineKey;      // tells this machine apart in the usage statistics
    std::string baseUrl;         // the maker's site, ending in "/"; empty: nothing is sent there
    std::string executablePath;  // the running executable's full path
    std::string autostartFolder; // where the desktop finds programs to start at log-in
    std::string homeFolder;      // where backups are proposed, ending in "/"
    std::shared_ptr<FileDialogs> dialogs;     // empty: Qt's file dialogs
    WarningBox warn;                          // empty: a modal message box
    std::function<bool()> trayAvailable;      // empty: ask the desktop for a notification area
    PostFormFunction postForm;                // empty: PostForm over the network
    std::shared_ptr<Clock> clock;             // empty: the wall clock, waiting in the event loop
    std::function<void(const QUrl&)> openUrl; // empty: the user's default browser
};

} // namespace fq
