// The check pass, the report script and the tutorial on the main window.
#include "core/check/report_script.h"
#include "gui/main_window.h"
#include "gui/qt_text.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>

namespace fq {

void MainWindow::checkSites(bool scheduled) {
    // A pass asked for while one runs does nothing, and leaves that one's progress alone.
    if (checkPass_.busy()) {
        return;
    }
    ui_.checkNowButton->setEnabled(false);
    const auto passEnded = qScopeGuard([this] {
        ui_.checkNowButton->setEnabled(true);
        setTrayToolTip(windowTitle());
    });
    CheckServices services =
        RealCheckServices([this] { return pumpEvents(); }, *environment_.clock);
    if (environment_.postForm) {
        services.postForm = environment_.postForm;
    }
    CheckSettings settings;
    settings.watchedTypes = [this] { return store_.watchedTypes(); };
    settings.reportPassword = [this] { return store_.reportPassword(); };
    settings.showStatus = [this](const std::string& caption) {
        ui_.statusLabel->setText(ToQt(caption));
        ui_.statusLabel->repaint();
    };
    settings.siteStarted = [this](const std::string& webUrl, int left) {
        const QString following =
            left > 0 ? QStringLiteral("%1 more to go").arg(left) : QStringLiteral("the last one");
        setTrayToolTip(QStringLiteral("%1 - checking %2 (%3)")
                           .arg(QLatin1String(kProgramName), ToQt(webUrl), following));
    };
    const std::optional<CheckSummary> summary =
        checkPass_.run(scheduled, store_.sites(), services, settings);
    if (scheduled && summary && !summary->stopped && !summary->changedSites.empty()) {
        pendingAlert_ = summary;
    }
}

bool MainWindow::pumpEvents() {
    QCoreApplication::processEvents();
    return !ending_;
}

void MainWindow::keepScriptPassword() {
    const auto written = PasswordInScript(LinesFromQt(ui_.scriptEdit->toPlainText()));
    // A password the box could not show as it is keeps its bytes while left alone.
    if (written && *written != FromQt(ToQt(store_.reportPassword()))) {
        store_.setReportPassword(*written);
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
