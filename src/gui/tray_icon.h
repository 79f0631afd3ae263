#pragma once

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>

class QAction;
class QMenu;

namespace fq {

class DesktopNotifier;

// The notification-area icon with its popup menu ("&Active", "&Run on start up", "&Exit"),
// its tooltip and the desktop notifications. It decides nothing: each choice of the user
// leaves as a request.
class TrayIcon : public QObject {
    Q_OBJECT

public:
    // `available` says whether the desktop has a notification area now.
    TrayIcon(const QString& programName, std::function<bool()> available,
             QObject* parent = nullptr);
    ~TrayIcon() override;

    bool available() const { return available_(); }
    // Puts the icon into the notification area with `toolTip`.
    void show(const QIcon& icon, const QString& toolTip);
    void hide();
    void setToolTip(const QString& text);
    // Ticks "Run on start up" as the desktop will act at the next log-in.
    void setRunAtStartup(bool registered);
    // Shows a desktop notification in place of the one before.
    void notify(const QString& body);

    QMenu* menu() const { return menu_.get(); }
    QSystemTrayIcon* icon() const { return icon_; } // none before show()

signals:
    void restoreRequested();                 // a double-click on the icon
    void notificationChosen();               // the user chose a notification
    void activeChanged(bool active);         // "Active"
    void runAtStartupRequested(bool wanted); // "Run on start up"
    void exitRequested();                    // "Exit"

private:
    QString programName_;
    std::function<bool()> available_;
    std::unique_ptr<QMenu> menu_; // a popup, owned by no window
    QAction* runAtStartupAction_;
    QSystemTrayIcon* icon_ = nullptr;
    DesktopNotifier* notifier_;
};

} // namespace fq
