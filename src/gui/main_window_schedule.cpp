// What happens by itself: the check schedule and the delivery of alerts.
#include "gui/alert_window.h"
#include "gui/main_window.h"

#include <QTimer>

namespace fq {

void MainWindow::tick() {
    if (ending_) {
        return;
    }
    const ClockSeconds now = environment_.clock->now();
    if (schedule_.Tick(now, checksActive_)) {
        // Outside this slot, so that the timer goes on ticking during the pass.
        QTimer::singleShot(0, this, [this] { checkSites(true); });
    }
    if (!pendingAlert_.empty()) {
        deliverPendingAlert();
    }
    if (bannerSchedule_.Tick(now)) {
        refreshBanners();
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
