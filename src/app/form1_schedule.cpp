// What happens by itself: the check schedule and the delivery of alerts.
#include "app/form1.h"
#include "check/alert_window.h"
#include "platform/whole_seconds.h"

#include <QPushButton>
#include <QTimer>

namespace fq {
namespace {

constexpr int kTickMilliseconds = 200;

} // namespace

void Form1::StartTimer1() {
    if (!environment_.now) {
        environment_.now = WholeSecondsNow;
    }
    Timer1 = new QTimer(this);
    Timer1->setInterval(kTickMilliseconds);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(ui_.cmdCheck, &QPushButton::clicked, this, &Form1::cmdCheck_Click);
    Timer1->start();
}

void Form1::Timer1_Timer() {
    // Runs five times a second for the whole run: with nothing due it only compares two
    // times and tests one text.
    if (Schedule.Tick(environment_.now(), ChecksActive == 1)) {
        CheckWeb(true);
    }
    if (!PendingAlert.empty()) {
        DeliverPendingAlert();
    }
}

void Form1::DeliverPendingAlert() {
    if (mBox.isNull()) {
        mBox = new AlertWindow(this);
    }
    mBox->Deliver(PendingAlert);
    PendingAlert.clear();
}

AlertWindow* Form1::alertWindow() const {
    return mBox;
}

void Form1::cmdCheck_Click() {
    CheckWeb(false);
    Schedule.ManualCheckEnded(environment_.now());
}

} // namespace fq
