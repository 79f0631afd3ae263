#pragma once

#include "app/form1_environment.h"
#include "app/form1_ui.h"
#include "check/check_pass.h"
#include "check/check_schedule.h"

#include <QPointer>
#include <QSystemTrayIcon>
#include <QWidget>
#include <memory>
#include <string>

class QTimer;
class QTreeWidgetItem;

namespace fq {

class AlertWindow;
class cmd1;

// The main window. It owns all long-lived state: the site list is the rows of `lvWeb`, the
// watched types are the text of `txtFileType`, the report script is `txtPHP` element 0.
class Form1 : public QWidget {
    Q_OBJECT

public:
    static constexpr const char* kWindowCaption = "Ferrow Quorvel 2020 - v1.4 - Freeware";

    explicit Form1(Form1Environment environment, QWidget* parent = nullptr);
    ~Form1() override;

    // The start-up sequence: caption, site database, then the window is shown.
    void Form_Load();

    // Replaces the site list and settings by the content of the database file.
    void LoadWebDatabase();

    // Writes the whole database file from the live state.
    void SaveAll();

    // The tray icon: added at start-up, removed by Exit.
    void StartSystemTray();
    void EndSystemTray();
    // Double-click brings a hidden window back; every other activation is left to the menu.
    void TrayActivated(QSystemTrayIcon::ActivationReason reason);
    void mActive_Click();
    // Registers the program to start at log-in, or removes it, as the tick now says.
    void mStartup_Click();
    // The exit sequence: remove the icon, save once, then end the event loop without any
    // close handling.
    void mExit_Click();

    // Editing the site list.
    void cmdAdd_Click();
    void lvWeb_ItemClick(QTreeWidgetItem* row);
    void cmdSave_Click();
    void aRemove_Click();
    void lvWeb_ColumnClick(int column);
    void ImOpen_Click();

    // Backup: copies of the database file.
    void cmdBackup_Click();
    void mExport_Click();
    void mImport_Click();

    // One check pass over the active sites; `Alert` marks a scheduled pass, which leaves
    // PendingAlert when a site changed.
    void CheckWeb(bool Alert);
    // One tick of the 200 ms timer: the scheduled check when it is due, then the delivery
    // of a pending alert into the alert window.
    void Timer1_Timer();
    // "Check Now": a manual pass, then the next scheduled one a full interval later.
    void cmdCheck_Click();
    // The report script and tutorial boxes; closing the script with "Php Code" keeps the
    // password written in it.
    void cmdPHP_Click();
    void cmdTutor_Click();
    void SavePassword();

    const Form1Ui& ui() const { return ui_; }
    const std::string& pendingAlert() const { return PendingAlert; }
    const CheckSchedule& schedule() const { return Schedule; }
    AlertWindow* alertWindow() const;
    int selectedRow() const { return SelectedRow; }
    int checksActive() const { return ChecksActive; }
    const QSystemTrayIcon* trayIcon() const { return TrayIcon; }
    const std::string& reportPassword() const { return ReportPassword; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void PlaceWindow();
    void Form_Resize();
    bool TrayAvailable() const;
    void txtFileType_Change();
    std::string databasePath() const;
    void ConnectEditing();
    void ConnectReportScript();
    void StartTimer1();
    void DeliverPendingAlert();
    QTreeWidgetItem* SelectedRowItem() const;
    void ShowWarning(const QString& text);
    void ConnectBackup();
    cmd1& Dialog();

    Form1Environment environment_;
    Form1Ui ui_;
    std::string ReportPassword;
    int SelectedRow = 0;  // the number of the row clicked last; 0 for none
    int ChecksActive = 1; // 1: scheduled checks run
    QSystemTrayIcon* TrayIcon = nullptr;
    std::unique_ptr<cmd1> DialogObject; // created on first use
    std::string PendingAlert;
    CheckPass checkPass_;
    CheckSchedule Schedule;
    QTimer* Timer1 = nullptr;
    QPointer<AlertWindow> mBox; // from the first delivered alert until the user closes it
};

} // namespace fq
