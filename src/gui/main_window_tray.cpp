// The notification-area icon and the way out of the program.
#include "gui/banner_view.h"
#include "gui/main_window.h"
#include "gui/twips_layout.h"

#include <QCoreApplication>
#include <QTimer>

namespace fq {

bool MainWindow::trayAvailable() const {
    return environment_.trayAvailable ? environment_.trayAvailable()
                                      : QSystemTrayIcon::isSystemTrayAvailable();
}

void MainWindow::showTrayIcon() {
    trayIcon_ = new QSystemTrayIcon(windowIcon(), this);
    trayIcon_->setToolTip(windowTitle());
    trayIcon_->setContextMenu(ui_.trayMenu);
    connect(trayIcon_, &QSystemTrayIcon::activated, this, &MainWindow::restoreFromTray);
    trayIcon_->show();
}

void MainWindow::setTrayToolTip(const QString& text) {
    if (trayIcon_ != nullptr) {
        trayIcon_->setToolTip(text);
    }
}

void MainWindow::restoreFromTray(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::DoubleClick && !isVisible()) {
        restoreWindow();
    }
}

void MainWindow::restoreWindow() {
    ui_.bannerView->show();
    PresentWindow(this);
}

void MainWindow::exitProgram() {
    if (ending_) {
        return;
    }
    // From here on the pump of a running pass answers "stop": its transfer is aborted and
    // no further site is asked.
    ending_ = true;
    tickTimer_->stop();
    if (trayIcon_ != nullptr) {
        trayIcon_->hide();
    }
    saveSiteDatabase();
    QCoreApplication::exit(0);
}

} // namespace fq
