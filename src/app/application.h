#pragma once

#include "core/check/check_services.h"
#include "core/time/clock.h"
#include "gui/main_window.h"

#include <QObject>
#include <QUrl>
#include <functional>
#include <memory>
#include <string>

namespace fq {

class BannerStrip;
class CheckController;
class FileDialogs;
class ShowRequestListener;
class TrayIcon;

// What the program is handed by main(), so that tests can build it over a temporary program
// folder and replace what would block, wait or reach outside. Empty members get the real
// thing, here and nowhere else.
struct Environment {
    std::string appFolder;         // the program folder with the shipped php/, ending in "/"
    std::string dataFolder;        // what the program writes, ending in "/"; empty: DataFolder()
    std::string machineKey;        // tells this machine apart in the usage statistics
    std::string baseUrl;           // the maker's site, ending in "/"; empty: nothing is sent there
    std::string executablePath;    // the running executable's full path
    std::string autostartFolder;   // where the desktop finds programs to start at log-in
    std::string cacheFolder;       // what can be computed again, such as local files' hashes
    std::string homeFolder;        // where backups are proposed, ending in "/"
    bool startedAtLogin = false;   // the desktop started it from the autostart entry
    std::string showRequestSocket; // where a second start asks for the window; "": nowhere
    std::shared_ptr<FileDialogs> dialogs;     // empty: Qt's file dialogs
    WarningBox warn;                          // empty: a modal message box
    std::function<bool()> trayAvailable;      // empty: ask the desktop for a notification area
    PostFormFunction postForm;                // empty: PostForm over the network
    std::shared_ptr<Clock> clock;             // empty: the wall clock, waiting in the event loop
    std::function<void(const QUrl&)> openUrl; // empty: the user's default browser
};

// The program: the main window and its collaborators (the tray icon, the banner strip, the
// check passes), wired together; the start-up and exit sequences.
class Application : public QObject {
    Q_OBJECT

public:
    explicit Application(Environment environment);
    ~Application() override;

    // Caption, banner strip, tray icon, the autostart entry (one an earlier version wrote is
    // written again), the site file, then the window is shown (or kept in the tray when the
    // desktop started it at log-in); the start is reported to the maker's site.
    void start();
    // From the tray menu or a termination signal: a check pass under way stops, the tray icon
    // goes, the site file is saved once, and the event loop ends without any close handling.
    void exit();
    bool ending() const;

    MainWindow& window() { return *window_; }
    TrayIcon& tray() { return *tray_; }
    BannerStrip& bannerStrip() { return *strip_; }
    CheckController& checks() { return *checks_; }

private:
    void connectCollaborators();
    void listenForShowRequests();
    void runAtStartup(bool wanted);

    Environment environment_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<TrayIcon> tray_;
    std::unique_ptr<CheckController> checks_;
    std::unique_ptr<BannerStrip> strip_;
    std::unique_ptr<ShowRequestListener> showRequests_;
};

} // namespace fq
