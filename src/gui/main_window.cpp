#include "gui/main_window.h"

#include "core/banners/statistics.h"
#include "core/check/report_script.h"
#include "core/desktop/autostart_entry.h"
#include "core/files/data_folder.h"
#include "core/sites/site_database.h"
#include "core/sites/watched_types.h"
#include "gui/banner_view.h"
#include "gui/clickable_image.h"
#include "gui/desktop_notifier.h"
#include "gui/event_loop_clock.h"
#include "gui/qt_file_dialogs.h"
#include "gui/qt_text.h"
#include "gui/site_list_model.h"
#include "gui/sponsor_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

namespace fq {
namespace {

// Five times a second: an alert shows promptly, and with nothing due a tick costs nothing.
constexpr int kTickMilliseconds = 200;

} // namespace

namespace {

MainWindowEnvironment WithDataFolder(MainWindowEnvironment environment) {
    if (environment.dataFolder.empty()) {
        environment.dataFolder = DataFolder(environment.appFolder);
    }
    return environment;
}

} // namespace

MainWindow::MainWindow(MainWindowEnvironment environment, QWidget* parent)
    : QWidget(parent), environment_(WithDataFolder(std::move(environment))),
      store_(environment_.dataFolder + kDatabaseFileName),
      siteModel_(new SiteListModel(store_.sites(), this)),
      ui_(BuildMainWindowControls(this, siteModel_)),
      notifier_(new DesktopNotifier(QLatin1String(kProgramName), this)) {
    setObjectName(QStringLiteral("mainWindow"));
    if (!environment_.dialogs) {
        environment_.dialogs = std::make_shared<QtFileDialogs>(environment_.dataFolder);
    }
    if (!environment_.clock) {
        environment_.clock = std::make_shared<EventLoopClock>();
    }
    if (environment_.openUrl) {
        ui_.bannerView->openUrl = environment_.openUrl;
    }
    placeWindow();
    connectControls();
}

MainWindow::~MainWindow() {
    // The model reads the site list, which goes before the child widgets do.
    delete siteModel_;
    // It has no owner window, so nothing else takes it along.
    delete sponsorWindow_;
}

void MainWindow::start() {
    setWindowTitle(QLatin1String(kWindowCaption));
    ui_.bannerView->navigate(environment_.appFolder + "php/000.html");
    showTrayIcon();
    // Registered to start at log-in under this very path: every start is a start in the tray.
    const bool startHidden =
        IsRegisteredToRun(environment_.autostartFolder, environment_.executablePath);
    ui_.runAtStartupAction->setChecked(startHidden);
    showOpenedSiteFile(store_.open());
    if (!startHidden) {
        show();
    } else if (trayAvailable()) {
        ui_.bannerView->hide();
    } else {
        showMinimized();
    }
    SendStatistic(environment_.baseUrl, environment_.machineKey, kStartEvent,
                  [this] { return pumpEvents(); });
}

void MainWindow::showOpenedSiteFile(const SiteFileOpened& opened) {
    // The user is told once and may mend the file, then start again.
    if (opened.unreadable()) {
        showWarning(QStringLiteral("Could not read ") + ToQt(store_.path()) +
                    QStringLiteral(":\n") + ToQt(opened.readError.reason()) +
                    QStringLiteral("\n\nNothing will be saved over it until the program is "
                                   "started again."));
    }
    ui_.typesEdit->setText(ToQt(store_.watchedTypes()));
    setReportPassword(store_.reportPassword());
    const int loaded = opened.loaded ? store_.sites().size() : 0;
    ui_.statusLabel->setText(QStringLiteral(" Total Web : ") + QString::number(loaded));
}

void MainWindow::setReportPassword(const std::string& password) {
    store_.setReportPassword(password);
    const std::string script = LinesFromQt(ui_.scriptEdit->toPlainText());
    ui_.scriptEdit->setPlainText(LinesToQt(FillReportPassword(script, password)));
}

bool MainWindow::saveSiteDatabase() {
    // A file that could not be read was named at start; nothing more is said of it.
    if (!store_.writable()) {
        return false;
    }
    const FileOutcome saved = store_.save();
    if (!saved) {
        const QString text = QStringLiteral("Could not save ") + ToQt(store_.path()) +
                             QStringLiteral(":\n") + ToQt(saved.reason());
        // Nobody may be there to press OK while the program ends.
        if (ending_) {
            qWarning("%s", qPrintable(text));
        } else {
            showWarning(text);
        }
    }
    return saved.ok();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    saveSiteDatabase();
    event->ignore();
    setWindowState(windowState() | Qt::WindowMinimized);
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        layOutControls();
    }
}

void MainWindow::typesEdited() {
    const std::string typed = FromQt(ui_.typesEdit->text());
    const std::string wanted = WatchedTypesAfterEdit(typed);
    if (wanted != typed) {
        ui_.typesEdit->setText(ToQt(wanted));
        return;
    }
    // A box left alone hands back the bytes the file gave, UTF-8 or not.
    store_.setWatchedTypes(FromQtKeeping(ui_.typesEdit->text(), store_.watchedTypesAsRead()));
}

void MainWindow::connectControls() {
    connect(ui_.typesEdit, &QLineEdit::textChanged, this, &MainWindow::typesEdited);
    connect(ui_.addButton, &QPushButton::clicked, this, &MainWindow::addSite);
    connect(ui_.saveButton, &QPushButton::clicked, this, &MainWindow::saveSelectedSite);
    const auto clickedRow = [this](const QModelIndex& index) { selectRow(index.row()); };
    connect(ui_.siteView, &QTreeView::clicked, this, clickedRow);
    connect(ui_.siteView, &QTreeView::activated, this, clickedRow);
    connect(ui_.siteView->header(), &QHeaderView::sectionClicked, this, &MainWindow::headerClicked);
    ui_.siteView->viewport()->installEventFilter(this);
    connect(ui_.removeAction, &QAction::triggered, this, &MainWindow::removeSelectedSite);
    connect(ui_.folderImage, &ClickableImage::clicked, this, &MainWindow::pickLocalFolder);
    connect(ui_.moreImage, &ClickableImage::clicked, this, &MainWindow::showSponsorWindow);
    connect(ui_.backupButton, &QPushButton::clicked, this,
            [this] { ui_.backupMenu->popup(QCursor::pos()); });
    connect(ui_.exportAction, &QAction::triggered, this, &MainWindow::exportDatabase);
    connect(ui_.importAction, &QAction::triggered, this, &MainWindow::importDatabase);
    connect(ui_.checkNowButton, &QPushButton::clicked, this, &MainWindow::checkNow);
    connect(ui_.scriptButton, &QPushButton::clicked, this, &MainWindow::toggleReportScript);
    connect(ui_.tutorialButton, &QPushButton::clicked, this, &MainWindow::toggleTutorial);
    connect(ui_.activeAction, &QAction::triggered, this,
            [this](bool checked) { checksActive_ = checked; });
    connect(ui_.runAtStartupAction, &QAction::triggered, this, [this](bool checked) {
        // The tick tells what the desktop will do at the next log-in, also after a failed write.
        if (!SetRunAtStartup(checked, environment_.autostartFolder, environment_.executablePath)) {
            ui_.runAtStartupAction->setChecked(
                IsRegisteredToRun(environment_.autostartFolder, environment_.executablePath));
        }
    });
    connect(ui_.exitAction, &QAction::triggered, this, &MainWindow::exitProgram);
    connect(notifier_, &DesktopNotifier::activated, this, &MainWindow::restoreWindow);

    tickTimer_ = new QTimer(this);
    tickTimer_->setInterval(kTickMilliseconds);
    connect(tickTimer_, &QTimer::timeout, this, &MainWindow::tick);
    connect(ui_.bannerView, &BannerView::mouseUp, this,
            [this](Qt::MouseButton, const QString& alt) { bannerReleased(alt); });
    tickTimer_->start();
}

void MainWindow::showWarning(const QString& text) {
    const QString caption = QLatin1String(kProgramName);
    if (environment_.warn) {
        environment_.warn(this, caption, text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, this);
    box.exec();
}

} // namespace fq
