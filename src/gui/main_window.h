#pragma once

#include "core/check/check_pass.h"
#include "core/check/check_schedule.h"
#include "core/sites/site_store.h"
#include "gui/main_window_controls.h"
#include "gui/main_window_environment.h"

#include <QPointer>
#include <QSystemTrayIcon>
#include <QWidget>
#include <optional>
#include <string>

class QTimer;

namespace fq {

class AlertWindow;
class DesktopNotifier;
class SponsorWindow;
class SiteListModel;

// The main window. It owns all long-lived state: the site list with its check results, the
// report password, the schedule, the pending alert, the tray icon and the notifications.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr const char* kWindowCaption = "Ferrow Quorvel 2020 - v1.4 - Freeware";
    // The caption of message boxes and notifications.
    static constexpr const char* kProgramName = "Ferrow Quorvel";

    explicit MainWindow(MainWindowEnvironment environment, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The start-up sequence: caption, banner strip, tray icon, site database, then the window
    // is shown (or kept in the tray when the desktop started it at log-in).
    void start();

    // Writes the whole site file from the live state; a failure is shown once. Nothing is
    // written over a site file that exists but could not be read.
    bool saveSiteDatabase();

    // The exit sequence, from the tray menu or a termination signal: a check pass under way
    // stops, the tray icon goes, the database is saved once, and the event loop ends without
    // any close handling.
    void exitProgram();

    // Editing the site list.
    void addSite();
    void selectRow(int row); // a click on row `row` (from 0)
    void saveSelectedSite();
    void removeSelectedSite();
    void headerClicked(int column);
    void pickLocalFolder();

    // Backup: copies of the database file.
    void exportDatabase();
    void importDatabase();

    // One check pass over the active sites; a scheduled pass leaves an alert when a site
    // changed. "Check Now" is off and the tray icon's tooltip tells the progress meanwhile.
    void checkSites(bool scheduled);
    // One tick of the 200 ms timer: the scheduled check when it is due, then the delivery of
    // a pending alert into the alert window and a desktop notification.
    void tick();
    // "Check Now": a manual pass, then the next scheduled one a full interval later.
    void checkNow();
    // The report script and tutorial boxes; closing the script with "Php Code" keeps the
    // password written in it and saves.
    void toggleReportScript();
    void toggleTutorial();

    const MainWindowControls& controls() const { return ui_; }
    const SiteList& sites() const { return store_.sites(); }
    const std::string& reportPassword() const { return store_.reportPassword(); }
    AlertWindow* alertWindow() const;
    SponsorWindow* sponsorWindow() const;
    // Every banner in one window: the one already open, or a new one over the current page.
    void showSponsorWindow();
    int selectedRow() const { return selectedRow_; }
    bool ending() const { return ending_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void connectControls();
    void placeWindow();
    void layOutControls();
    bool trayAvailable() const;
    void showTrayIcon();
    void restoreFromTray(QSystemTrayIcon::ActivationReason reason);
    // Brings the window back, shown and in front, from the tray or the taskbar.
    void restoreWindow();
    void setTrayToolTip(const QString& text);
    void keepScriptPassword();
    // Shows what the site file gave: a warning when it could not be read, then the settings
    // and the number of sites.
    void showOpenedSiteFile(const SiteFileOpened& opened);
    void setReportPassword(const std::string& password);
    void typesEdited();
    void deliverPendingAlert();
    // Lets queued events run during a transfer; false once the program is ending.
    bool pumpEvents();
    void refreshBanners();
    void bannerReleased(const QString& alt);
    void sponsorBannerReleased(const QString& alt);
    // Sends a banner click to the maker's site; nothing for a click that counts for nothing.
    void reportClick(const std::optional<std::string>& event);
    void showWarning(const QString& text);

    MainWindowEnvironment environment_;
    SiteStore store_;
    SiteListModel* siteModel_;
    MainWindowControls ui_;
    int selectedRow_ = 0; // the 1-based number of the row clicked last; 0 for none
    bool checksActive_ = true;
    bool ending_ = false;
    QSystemTrayIcon* trayIcon_ = nullptr;
    std::optional<CheckSummary> pendingAlert_;
    DesktopNotifier* notifier_;
    CheckPass checkPass_;
    CheckSchedule schedule_;
    RepeatingDeadline bannerSchedule_ = BannerSchedule();
    bool countBannerClicks_ = false; // from the first banner refresh on
    QTimer* tickTimer_ = nullptr;
    QPointer<AlertWindow> alertWindow_;     // from the first alert until the user closes it
    QPointer<SponsorWindow> sponsorWindow_; // while it is open
};

} // namespace fq
