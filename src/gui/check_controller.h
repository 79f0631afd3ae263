#pragma once

#include "core/check/alert_text.h"
#include "core/check/answered_sites.h"
#include "core/check/check_pass.h"
#include "core/check/check_schedule.h"
#include "core/check/check_services.h"
#include "core/sites/site_list.h"
#include "core/time/clock.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QTimer;
class QWidget;

namespace fq {

class AlertWindow;

// What a check pass reads from the window at the moment it needs it.
struct CheckInputs {
    std::function<std::string()> watchedTypes;
    std::function<std::string()> reportPassword;
    std::string signedSitesFile;   // where the sites that answered the signed way are kept
    std::string answeredSitesFile; // where the sites that answered, and their silence, are kept
    std::string hashCacheFile;     // where local files' hashes are kept ("" for memory only)
};

// Runs the check passes over the site list: the manual one, the scheduled ones on its own
// timer while checks are active, and the alert window that collects the scheduled passes'
// alerts. Owns the event pump that lets the window live during a transfer, and ends every
// transfer once the program is ending.
class CheckController : public QObject {
    Q_OBJECT

public:
    // `postForm` carries the report requests. The alert window is a window of `alertParent`.
    CheckController(SiteList& sites, CheckInputs inputs, std::shared_ptr<Clock> clock,
                    PostFormFunction postForm, QWidget* alertParent);

    // "Check Now": a manual pass, then the next scheduled one a full interval later.
    void checkNow();
    // One check pass over the active sites; a scheduled pass leaves an alert when a site
    // changed, or answered before and has given no report on scheduled passes for too long.
    // Nothing while a pass runs.
    void checkSites(bool scheduled);
    // One tick of the 200 ms timer: the scheduled check when it is due, then the delivery of
    // a pending alert.
    void tick();
    void setActive(bool active) { active_ = active; }
    // The site list changed: a site no longer in it forgets what it answered.
    void forgetSitesNotListed();
    // From here on the pump answers "stop": the transfer in flight is aborted and no further
    // site is asked. The timer stops.
    void stop();
    bool ending() const { return ending_; }
    // Lets queued events run; false once the program is ending.
    bool pumpEvents();
    AlertWindow* alertWindow() const;

signals:
    void passStarted();
    void statusChanged(const QString& caption); // the status line under the list
    void progress(const QString& text);         // which site is asked, for the tray's tooltip
    void passFinished();
    // A scheduled pass found changes or silent sites: the text for a desktop notification.
    void alerted(const QString& body);

private:
    void deliverPendingAlert();

    SiteList& sites_;
    CheckInputs inputs_;
    std::shared_ptr<Clock> clock_;
    PostFormFunction postForm_;
    QWidget* alertParent_;
    CheckPass pass_;
    SignedSites signedSites_;
    AnsweredSites answeredSites_;
    CheckSchedule schedule_;
    bool active_ = true;
    bool ending_ = false;
    std::optional<PassAlert> pendingAlert_;
    QPointer<AlertWindow> alertWindow_; // from the first alert until the user closes it
    QTimer* timer_;
};

} // namespace fq
