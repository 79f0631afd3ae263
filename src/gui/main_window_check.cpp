// The check pass, the report script and the tutorial on the main window.
#include "core/check/report_script.h"
#include "gui/main_window.h"
#include "gui/qt_text.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace fq {

void MainWindow::checkSites(bool scheduled) {
    CheckServices services =
        RealCheckServices([this] { return pumpEvents(); }, *environment_.clock);
    if (environment_.postForm) {
        services.postForm = environment_.postForm;
    }
    CheckSettings settings;
    settings.watchedTypes = [this] { return watchedTypes(); };
    settings.reportPassword = [this] { return reportPassword_; };
    settings.showStatus = [this](const std::string& caption) {
        ui_.statusLabel->setText(ToQt(caption));
        ui_.statusLabel->repaint();
    };
    const std::optional<CheckSummary> summary =
        checkPass_.run(scheduled, sites_, services, settings);
    if (scheduled && summary && !summary->stopped && !summary->changedSites.empty()) {
        pendingAlert_ = summary->statusLine();
    }
}

bool MainWindow::pumpEvents() {
    QCoreApplication::processEvents();
    return !ending_;
}

void MainWindow::keepScriptPassword() {
    const auto written = PasswordInScript(LinesFromQt(ui_.scriptEdit->toPlainText()));
    // A password the box could not show as it is keeps its bytes while left alone.
    if (written && *written != FromQt(ToQt(reportPassword_))) {
        reportPassword_ = *written;
    }
    saveSiteDatabase();
}

void MainWindow::toggleReportScript() {
    if (!ui_.scriptEdit->isHidden()) {
        keepScriptPassword();
    }
    ui_.scriptEdit->setVisible(ui_.scriptEdit->isHidden());
    ui_.tutorialView->hide();
}

void MainWindow::toggleTutorial() {
    ui_.tutorialView->setVisible(ui_.tutorialView->isHidden());
    ui_.scriptEdit->hide();
}

} // namespace fq
