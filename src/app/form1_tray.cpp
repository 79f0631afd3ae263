// The notification-area icon and its menu.
#include "app/form1.h"
#include "platform/autostart_store.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QSystemTrayIcon>

namespace fq {

bool Form1::TrayAvailable() const {
    return environment_.trayAvailable ? environment_.trayAvailable()
                                      : QSystemTrayIcon::isSystemTrayAvailable();
}

void Form1::StartSystemTray() {
    TrayIcon = new QSystemTrayIcon(windowIcon(), this);
    TrayIcon->setToolTip(windowTitle());
    // The menu opens where the pointer is when the right button goes up.
    TrayIcon->setContextMenu(ui_.mPopup);
    connect(TrayIcon, &QSystemTrayIcon::activated, this, &Form1::TrayActivated);
    connect(ui_.mActive, &QAction::triggered, this, &Form1::mActive_Click);
    connect(ui_.mStartup, &QAction::triggered, this, &Form1::mStartup_Click);
    connect(ui_.mExit, &QAction::triggered, this, &Form1::mExit_Click);
    TrayIcon->show();
}

void Form1::EndSystemTray() {
    if (TrayIcon != nullptr) {
        TrayIcon->hide();
    }
}

void Form1::TrayActivated(QSystemTrayIcon::ActivationReason reason) {
    if (reason != QSystemTrayIcon::DoubleClick || isVisible()) {
        return;
    }
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    ui_.Browser1->show();
    raise();
    activateWindow();
}

void Form1::mActive_Click() {
    ChecksActive = ui_.mActive->isChecked() ? 1 : 0;
}

void Form1::mStartup_Click() {
    SetRunAtStartup(ui_.mStartup->isChecked(), environment_.autostartFolder,
                    environment_.executablePath);
}

void Form1::mExit_Click() {
    EndSystemTray();
    SaveAll();
    QCoreApplication::exit(0);
}

} // namespace fq
