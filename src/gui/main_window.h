#pragma once

#include "core/sites/site_store.h"
#include "gui/main_window_controls.h"
#include "gui/program_name.h"

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

namespace fq {

class FileDialogs;
class SiteListModel;

// Shows the one kind of message box of the program: an exclamation icon and an OK button.
using WarningBox =
    std::function<void(QWidget* parent, const QString& caption, const QString& text)>;

// What the main window works with; the application fills in every member.
struct MainWindowSeams {
    std::string dataFolder; // where "ferquor.ini" lives, ending in "/"
    std::string homeFolder; // where backups are proposed, ending in "/"
    std::shared_ptr<FileDialogs> dialogs;
    WarningBox warn;
    std::function<bool()> trayAvailable; // a minimised window hides into the tray
};

// The main window: the site list and its editing, the site file (load, save, export,
// import), and the report script and tutorial boxes. The check pass, the tray and the banner
// strip are collaborators that reach it through signals and its public slots.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr const char* kWindowCaption = "Ferrow Quorvel 2020 - v1.4 - Freeware";

    explicit MainWindow(MainWindowSeams seams, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Opens the site file and shows what it holds.
    void openSiteDatabase();
    // Writes the whole site file from the live state; a failure is shown once. Nothing is
    // written over a site file that exists but could not be read.
    bool saveSiteDatabase();
    // A save that nobody may be there to see fail (the program or the desktop session ends):
    // a failure goes to the log.
    void saveUnattended();

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

    // The report script and tutorial boxes; closing the script with "Php Code" keeps the
    // password written in it and saves.
    void toggleReportScript();
    void toggleTutorial();

    // Brings the window back, shown and in front, from the tray or the taskbar.
    void restore();
    // A check pass runs: "Check Now" is off meanwhile.
    void setChecking(bool checking);
    void showStatus(const QString& caption);

    const MainWindowControls& controls() const { return ui_; }
    SiteList& sites() { return store_.sites(); }
    const SiteList& sites() const { return store_.sites(); }
    const std::string& reportPassword() const { return store_.reportPassword(); }
    const std::string& watchedTypes() const { return store_.watchedTypes(); }
    int selectedRow() const { return selectedRow_; }

signals:
    void checkNowRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void connectControls();
    void placeWindow();
    // Takes the password written in the script box and saves; false, with a warning, when the
    // site file cannot hold it.
    bool keepScriptPassword();
    // Shows what the site file gave: a warning when it could not be read, then the settings
    // and the number of sites.
    void showOpenedSiteFile(const SiteFileOpened& opened);
    void setReportPassword(const std::string& password);
    void typesEdited();
    void showWarning(const QString& text);

    MainWindowSeams seams_;
    SiteStore store_;
    SiteListModel* siteModel_;
    MainWindowControls ui_;
    QTimer* saveTimer_; // an edit reaches the file this long after the last one
    bool unattended_ = false;
    bool typesRefused_ = false; // the types box holds a text that is not stored
    int selectedRow_ = 0;       // the 1-based number of the row clicked last; 0 for none
};

} // namespace fq
