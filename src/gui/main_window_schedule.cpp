// What happens by itself: the check schedule and the delivery of alerts.
#include "gui/alert_window.h"
#include "gui/main_window.h"

namespace fq {

void MainWindow::tick() {
    if (ending_) {
        return;
    }
    if (schedule_.Tick(environment_.clock->now(), checksActive_)) {
        checkSites(true);
    }
    if (!pendingAlert_.empty()) {
        deliverPendingAlert();
    }
}

void MainWindow::deliverPendingAlert() {
    if (alertWindow_.isNull()) {
        alertWindow_ = new AlertWindow(this);
    }
    alertWindow_->deliver(pendingAlert_);
    pendingAlert_.clear();
}

AlertWindow* MainWindow::alertWindow() const {
    return alertWindow_;
}

void MainWindow::checkNow() {
    checkSites(false);
    schedule_.ManualCheckEnded(environment_.clock->now());
}

} // namespace fq
