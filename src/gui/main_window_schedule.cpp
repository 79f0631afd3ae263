// What happens by itself: the check schedule and the delivery of alerts.
#include "core/check/alert_text.h"
#include "gui/alert_window.h"
#include "gui/desktop_notifier.h"
#include "gui/main_window.h"
#include "gui/qt_text.h"

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
    if (pendingAlert_) {
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
    const std::string line = pendingAlert_->statusLine();
    alertWindow_->deliver(line);
    notifier_->notify(QLatin1String(kProgramName),
                      ToQt(AlertNotificationBody(line, pendingAlert_->changedSites)));
    pendingAlert_.reset();
}

AlertWindow* MainWindow::alertWindow() const {
    return alertWindow_;
}

void MainWindow::checkNow() {
    checkSites(false);
    schedule_.ManualCheckEnded(environment_.clock->now());
}

} // namespace fq
