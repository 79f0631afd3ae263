#include "gui/check_controller.h"

#include "gui/alert_window.h"
#include "gui/program_name.h"
#include "gui/qt_text.h"

#include <QCoreApplication>
#include <QScopeGuard>
#include <QTimer>

namespace fq {
namespace {

// Five times a second: an alert shows promptly, and with nothing due a tick costs nothing.
constexpr int kTickMilliseconds = 200;

} // namespace

CheckController::CheckController(SiteList& sites, CheckInputs inputs, std::shared_ptr<Clock> clock,
                                 PostFormFunction postForm, QWidget* alertParent)
    : sites_(sites), inputs_(std::move(inputs)), clock_(std::move(clock)),
      postForm_(std::move(postForm)), alertParent_(alertParent), pass_(inputs_.hashCacheFile),
      signedSites_(inputs_.signedSitesFile), answeredSites_(inputs_.answeredSitesFile),
      timer_(new QTimer(this)) {
    timer_->setInterval(kTickMilliseconds);
    connect(timer_, &QTimer::timeout, this, &CheckController::tick);
    timer_->start();
}

void CheckController::checkNow() {
    checkSites(false);
    schedule_.ManualCheckEnded(clock_->now());
}

void CheckController::checkSites(bool scheduled) {
    // A pass asked for while one runs does nothing, and leaves that one's progress alone.
    if (pass_.busy()) {
        return;
    }
    emit passStarted();
    const auto passEnded = qScopeGuard([this] { emit passFinished(); });
    const CheckServices services{postForm_, [this] { return pumpEvents(); }, clock_.get()};
    CheckSettings settings;
    settings.watchedTypes = inputs_.watchedTypes;
    settings.reportPassword = inputs_.reportPassword;
    settings.signedSites = &signedSites_;
    settings.showStatus = [this](const std::string& caption) { emit statusChanged(ToQt(caption)); };
    settings.siteStarted = [this](const std::string& webUrl, int left) {
        const QString following =
            left > 0 ? QStringLiteral("%1 more to go").arg(left) : QStringLiteral("the last one");
        emit progress(QStringLiteral("%1 - checking %2 (%3)")
                          .arg(QLatin1String(kProgramName), ToQt(webUrl), following));
    };
    const std::optional<CheckSummary> summary = pass_.run(scheduled, sites_, services, settings);
    if (!summary) {
        return;
    }
    const std::vector<std::string> silent = answeredSites_.record(summary->verdicts, scheduled);
    if (std::optional<PassAlert> alert = ScheduledPassAlert(*summary, silent); scheduled && alert) {
        pendingAlert_ = std::move(alert);
    }
}

void CheckController::forgetSitesNotListed() {
    answeredSites_.keepOnly(sites_.storedSites());
}

void CheckController::tick() {
    if (ending_) {
        return;
    }
    if (schedule_.Tick(clock_->now(), active_)) {
        // Outside this slot, so that the timer goes on ticking during the pass.
        QTimer::singleShot(0, this, [this] { checkSites(true); });
    }
    if (pendingAlert_) {
        deliverPendingAlert();
    }
}

void CheckController::deliverPendingAlert() {
    if (alertWindow_.isNull()) {
        alertWindow_ = new AlertWindow(alertParent_);
    }
    alertWindow_->deliver(pendingAlert_->line);
    const std::string body = pendingAlert_->notification;
    pendingAlert_.reset();
    emit alerted(ToQt(body));
}

AlertWindow* CheckController::alertWindow() const {
    return alertWindow_;
}

void CheckController::stop() {
    ending_ = true;
    timer_->stop();
}

bool CheckController::pumpEvents() {
    QCoreApplication::processEvents();
    return !ending_;
}

} // namespace fq
