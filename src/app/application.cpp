#include "app/application.h"

#include "core/banners/statistics.h"
#include "core/desktop/autostart_entry.h"
#include "core/desktop/show_request.h"
#include "core/files/data_folder.h"
#include "core/net/http_client.h"
#include "gui/alert_window.h"
#include "gui/banner_strip.h"
#include "gui/banner_view.h"
#include "gui/check_controller.h"
#include "gui/event_loop_clock.h"
#include "gui/qt_file_dialogs.h"
#include "gui/tray_icon.h"
#include "gui/twips_layout.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QShortcut>
#include <QSocketNotifier>
#include <QSystemTrayIcon>
#include <QTreeView>

namespace fq {
namespace {

// The real thing for every seam left empty.
Environment WithRealSeams(Environment environment) {
    if (environment.dataFolder.empty()) {
        environment.dataFolder = DataFolder(environment.appFolder);
    }
    if (!environment.dialogs) {
        environment.dialogs = std::make_shared<QtFileDialogs>(environment.dataFolder);
    }
    if (!environment.clock) {
        environment.clock = std::make_shared<EventLoopClock>();
    }
    if (!environment.warn) {
        environment.warn = [](QWidget* parent, const QString& caption, const QString& text) {
            QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, parent);
            box.exec();
        };
    }
    if (!environment.trayAvailable) {
        environment.trayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
    }
    if (!environment.postForm) {
        environment.postForm = PostForm;
    }
    // An empty openUrl is the banner view's own default, the user's browser.
    return environment;
}

} // namespace

Application::Application(Environment environment)
    : environment_(WithRealSeams(std::move(environment))) {
    const Environment& env = environment_;
    window_ = std::make_unique<MainWindow>(
        MainWindowSeams{env.dataFolder, env.homeFolder, env.dialogs, env.warn, env.trayAvailable});
    const MainWindowControls& ui = window_->controls();
    if (env.openUrl) {
        ui.bannerView->openUrl = env.openUrl;
    }
    tray_ = std::make_unique<TrayIcon>(QLatin1String(kProgramName), env.trayAvailable);
    MainWindow* window = window_.get();
    checks_ = std::make_unique<CheckController>(
        window->sites(),
        CheckInputs{[window] { return window->watchedTypes(); },
                    [window] { return window->reportPassword(); },
                    env.dataFolder + kSignedSitesFileName, env.dataFolder + kAnsweredSitesFileName,
                    env.cacheFolder.empty() ? std::string() : env.cacheFolder + "hashes.txt"},
        env.clock, env.postForm, window);
    CheckController* checks = checks_.get();
    strip_ = std::make_unique<BannerStrip>(
        ui.bannerView, ui.moreImage,
        BannerStripPlaces{env.appFolder, env.dataFolder, env.baseUrl, env.machineKey}, env.clock,
        [checks] { return checks->pumpEvents(); });
    connectCollaborators();
    listenForShowRequests();
}

Application::~Application() = default;

void Application::connectCollaborators() {
    MainWindow* window = window_.get();
    TrayIcon* tray = tray_.get();
    CheckController* checks = checks_.get();
    connect(window, &MainWindow::checkNowRequested, checks, &CheckController::checkNow);
    connect(checks, &CheckController::passStarted, window, [window] { window->setChecking(true); });
    connect(checks, &CheckController::statusChanged, window, &MainWindow::showStatus);
    connect(checks, &CheckController::progress, tray, &TrayIcon::setToolTip);
    connect(checks, &CheckController::passFinished, window, [window, tray] {
        window->setChecking(false);
        tray->setToolTip(window->windowTitle());
    });
    connect(checks, &CheckController::alerted, tray, &TrayIcon::notify);
    connect(tray, &TrayIcon::restoreRequested, window, [window] {
        if (!window->isVisible()) {
            window->restore();
        }
    });
    connect(tray, &TrayIcon::notificationChosen, window, [window, checks] {
        window->restore();
        if (QWidget* alert = checks->alertWindow()) {
            PresentWindow(alert); // the alert is what the notification spoke of: it goes on top
        }
    });
    connect(tray, &TrayIcon::activeChanged, checks, &CheckController::setActive);
    // A site removed, re-addressed or imported away forgets what it answered.
    const QAbstractItemModel* siteModel = window->controls().siteView->model();
    connect(siteModel, &QAbstractItemModel::rowsRemoved, checks,
            &CheckController::forgetSitesNotListed);
    connect(siteModel, &QAbstractItemModel::modelReset, checks,
            &CheckController::forgetSitesNotListed);
    connect(siteModel, &QAbstractItemModel::dataChanged, checks,
            &CheckController::forgetSitesNotListed);
    connect(tray, &TrayIcon::runAtStartupRequested, this, &Application::runAtStartup);
    connect(tray, &TrayIcon::exitRequested, this, &Application::exit);
    // Reachable without a notification area too: Ctrl+Q, and the tray's menu as the window's
    // own context menu (on its free area and the status line).
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), window), &QShortcut::activated, this,
            &Application::exit);
    window->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(window, &QWidget::customContextMenuRequested, tray, [window, tray](QPoint at) {
        // The list, the banners and the "more" picture have right clicks of their own.
        const QWidget* under = window->childAt(at);
        if (under == nullptr || under == window->controls().statusLabel) {
            tray->menu()->popup(window->mapToGlobal(at));
        }
    });
}

void Application::listenForShowRequests() {
    if (environment_.showRequestSocket.empty()) {
        return;
    }
    showRequests_ = std::make_unique<ShowRequestListener>(environment_.showRequestSocket);
    if (showRequests_->fd() < 0) {
        return; // a second start then ends without bringing this one forward
    }
    auto* notifier = new QSocketNotifier(showRequests_->fd(), QSocketNotifier::Read, this);
    MainWindow* window = window_.get();
    connect(notifier, &QSocketNotifier::activated, this,
            [this, window] { showRequests_->answer([window] { window->restore(); }); });
}

void Application::runAtStartup(bool wanted) {
    // The tick tells what the desktop will do at the next log-in, also after a failed write.
    if (!SetRunAtStartup(wanted, environment_.autostartFolder, environment_.executablePath)) {
        tray_->setRunAtStartup(
            RegistrationToRun(environment_.autostartFolder, environment_.executablePath) !=
            AutostartRegistration::kNone);
    }
}

void Application::start() {
    MainWindow& window = *window_;
    window.setWindowTitle(QLatin1String(MainWindow::kWindowCaption));
    strip_->showStartPage();
    tray_->show(window.windowIcon(), window.windowTitle());
    const AutostartRegistration registration =
        RegistrationToRun(environment_.autostartFolder, environment_.executablePath);
    if (registration == AutostartRegistration::kWithoutLoginArgument) {
        // Without the argument every start would stay in the tray. Should the write fail, the
        // old entry still starts the program, only not hidden: nothing to tell the user.
        static_cast<void>(
            SetRunAtStartup(true, environment_.autostartFolder, environment_.executablePath));
    }
    tray_->setRunAtStartup(registration != AutostartRegistration::kNone);
    const bool startHidden = environment_.startedAtLogin;
    window.openSiteDatabase();
    if (!startHidden) {
        window.show();
    } else if (tray_->available()) {
        window.controls().bannerView->hide();
    } else {
        window.showMinimized();
    }
    CheckController* checks = checks_.get();
    SendStatistic(environment_.baseUrl, environment_.machineKey, kStartEvent,
                  [checks] { return checks->pumpEvents(); });
}

void Application::exit() {
    if (checks_->ending()) {
        return;
    }
    checks_->stop();
    strip_->stop();
    tray_->hide();
    window_->saveUnattended();
    QCoreApplication::exit(0);
}

bool Application::ending() const {
    return checks_->ending();
}

} // namespace fq
