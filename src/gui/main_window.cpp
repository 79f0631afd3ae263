#include "gui/main_window.h"

#include "core/banners/statistics.h"
#include "core/check/report_script.h"
#include "core/desktop/autostart_entry.h"
#include "core/files/data_folder.h"
#include "core/files/text_file.h"
#include "core/sites/new_report_password.h"
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
#include "gui/twips.h"
#include "gui/twips_layout.h"

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

// A save that died half-way left its temporary file this long ago at the least; a younger
// one may belong to a save still in progress.
constexpr std::chrono::seconds kAbandonedSaveAge{60};

constexpr int kDesignClientWidth = 8910;
constexpr int kDesignClientHeight = 6330;

} // namespace

MainWindow::MainWindow(MainWindowEnvironment environment, QWidget* parent)
    : QWidget(parent), environment_(std::move(environment)),
      siteModel_(new SiteListModel(sites_, this)), ui_(BuildMainWindowControls(this, siteModel_)),
      notifier_(new DesktopNotifier(QLatin1String(kProgramName), this)) {
    setObjectName(QStringLiteral("mainWindow"));
    if (environment_.dataFolder.empty()) {
        environment_.dataFolder = DataFolder(environment_.appFolder);
    }
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
    RemoveAbandonedTemporaryFiles(databasePath(), kAbandonedSaveAge);
    loadSiteDatabase();
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

std::string MainWindow::databasePath() const {
    return environment_.dataFolder + kDatabaseFileName;
}

void MainWindow::loadSiteDatabase() {
    int loaded = 0;
    const std::string path = databasePath();
    const SiteDatabaseFile file = ReadSiteDatabaseFile(path);
    // Saving over a file we could not read would throw its sites away; the user is told
    // once and may mend the file, then start again.
    keepDatabaseFile_ = file.unreadable();
    if (keepDatabaseFile_) {
        showWarning(QStringLiteral("Could not read ") + ToQt(path) + QStringLiteral(":\n") +
                    ToQt(file.readError.reason()) +
                    QStringLiteral("\n\nNothing will be saved over it until the program is "
                                   "started again."));
    } else if (file.missing() && reportPassword_.empty()) {
        // A database made here gets a password of its own, never a public default.
        setReportPassword(NewReportPassword());
    }
    if (const auto& database = file.database) {
        loadedTypes_ = database->watchedTypes;
        ui_.typesEdit->setText(ToQt(loadedTypes_));
        setReportPassword(database->reportPassword);
        sites_.reload(database->sites);
        loaded = sites_.size();
    }
    ui_.statusLabel->setText(QStringLiteral(" Total Web : ") + QString::number(loaded));
}

void MainWindow::setReportPassword(const std::string& password) {
    reportPassword_ = password;
    const std::string script = LinesFromQt(ui_.scriptEdit->toPlainText());
    ui_.scriptEdit->setPlainText(LinesToQt(FillReportPassword(script, reportPassword_)));
}

std::string MainWindow::watchedTypes() const {
    return FromQtKeeping(ui_.typesEdit->text(), loadedTypes_);
}

bool MainWindow::saveSiteDatabase() {
    if (keepDatabaseFile_) {
        return false;
    }
    const std::string path = databasePath();
    const FileOutcome saved = WriteTextFile(
        path, FormatSiteDatabase(watchedTypes(), reportPassword_, sites_.storedSites()));
    if (!saved) {
        const QString text = QStringLiteral("Could not save ") + ToQt(path) +
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
    if (event->type() != QEvent::WindowStateChange) {
        return;
    }
    // A minimised window leaves the screen and the taskbar for the tray. Without a
    // notification area it stays minimised in the taskbar, or nothing could bring it back.
    // Either way its banner strip stops drawing and rotating.
    if (isMinimized()) {
        if (trayAvailable()) {
            hide();
        }
        ui_.bannerView->hide();
    } else {
        ui_.bannerView->show();
    }
}

void MainWindow::placeWindow() {
    const qreal dpi = logicalDpiX();
    // The frame only adds to the outer size, so a client area of at least the layout's
    // minimum keeps the outer size above it too.
    setMinimumSize(TwipsToPixels(kMainWindowMinimumSize.width, dpi),
                   TwipsToPixels(kMainWindowMinimumSize.height, dpi));
    // The client area goes in the middle of the screen: the frame is not known before the
    // window manager has put it around the window.
    CentreOnScreen(this, QSize(TwipsToPixels(kDesignClientWidth, dpi),
                               TwipsToPixels(kDesignClientHeight, dpi)));
    new TwipsLayout(this, kMainWindowDesignOuter, MainWindowDesign(ui_));
}

void MainWindow::typesEdited() {
    const std::string typed = FromQt(ui_.typesEdit->text());
    const std::string wanted = WatchedTypesAfterEdit(typed);
    if (wanted != typed) {
        ui_.typesEdit->setText(ToQt(wanted));
    }
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
