#include "gui/main_window.h"

#include "core/check/report_script.h"
#include "core/files/text_file.h"
#include "core/sites/database_backup.h"
#include "core/sites/new_report_password.h"
#include "core/sites/site_database.h"
#include "core/sites/site_editing.h"
#include "core/sites/watched_types.h"
#include "gui/banner_view.h"
#include "gui/clickable_image.h"
#include "gui/file_dialogs.h"
#include "gui/qt_text.h"
#include "gui/site_list_model.h"
#include "gui/twips.h"
#include "gui/twips_layout.h"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeView>

namespace fq {
namespace {

// A save that died half-way left its temporary file this long ago at the least; a younger
// one may belong to a save still in progress.
constexpr std::chrono::seconds kAbandonedSaveAge{60};

constexpr int kDesignClientWidth = 8910;
constexpr int kDesignClientHeight = 6330;

QString FailureText(const char* what, const std::string& path, const FileOutcome& outcome) {
    return QLatin1String(what) + ToQt(path) + QStringLiteral(":\n") + ToQt(outcome.reason());
}

} // namespace

MainWindow::MainWindow(MainWindowSeams seams, QWidget* parent)
    : QWidget(parent), seams_(std::move(seams)),
      siteModel_(new SiteListModel(sites_, this)), ui_(BuildMainWindowControls(this, siteModel_)) {
    setObjectName(QStringLiteral("mainWindow"));
    placeWindow();
    connectControls();
}

MainWindow::~MainWindow() {
    // The model reads the site list, which goes before the child widgets do.
    delete siteModel_;
}

void MainWindow::openSiteDatabase() {
    RemoveAbandonedTemporaryFiles(databasePath(), kAbandonedSaveAge);
    loadSiteDatabase();
}

std::string MainWindow::databasePath() const {
    return seams_.dataFolder + kDatabaseFileName;
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
        if (exiting_) {
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
        if (seams_.trayAvailable()) {
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
    connect(ui_.backupButton, &QPushButton::clicked, this,
            [this] { ui_.backupMenu->popup(QCursor::pos()); });
    connect(ui_.exportAction, &QAction::triggered, this, &MainWindow::exportDatabase);
    connect(ui_.importAction, &QAction::triggered, this, &MainWindow::importDatabase);
    connect(ui_.checkNowButton, &QPushButton::clicked, this, &MainWindow::checkNowRequested);
    connect(ui_.scriptButton, &QPushButton::clicked, this, &MainWindow::toggleReportScript);
    connect(ui_.tutorialButton, &QPushButton::clicked, this, &MainWindow::toggleTutorial);
}

void MainWindow::showWarning(const QString& text) {
    seams_.warn(this, QLatin1String(kProgramName), text);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_.siteView->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            ui_.listMenu->popup(mouse->globalPosition().toPoint());
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::addSite() {
    const auto site = SiteToAdd(FromQt(ui_.urlEdit->text()), FromQt(ui_.folderEdit->text()));
    if (!site) {
        showWarning(QStringLiteral("Please fill web URL and local path !"));
        return;
    }
    sites_.append(*site);
    saveSiteDatabase();
}

void MainWindow::selectRow(int row) {
    if (!sites_.contains(row)) {
        return;
    }
    const SiteRow& selected = sites_.at(row);
    ui_.urlEdit->setText(ToQt(selected.site.webUrl));
    ui_.folderEdit->setText(ToQt(selected.site.localFolder));
    ui_.detailBox->setPlainText(LinesToQt(selected.result.detail));
    selectedRow_ = row + 1;
    ui_.saveButton->setEnabled(true);
}

void MainWindow::saveSelectedSite() {
    const int row = selectedRow_ - 1;
    if (!sites_.contains(row)) {
        return;
    }
    // A box the user left alone gives back the row's own bytes, UTF-8 or not.
    const StoredSite& shown = sites_.at(row).site;
    const StoredSite site = SiteFromBoxes(FromQtKeeping(ui_.urlEdit->text(), shown.webUrl),
                                          FromQtKeeping(ui_.folderEdit->text(), shown.localFolder));
    sites_.edit(row, site.webUrl, site.localFolder);
}

void MainWindow::removeSelectedSite() {
    const int row = selectedRow_ - 1;
    if (!sites_.contains(row)) {
        return;
    }
    sites_.remove(row);
    // The number now names another site: "Save" must not write into it.
    selectedRow_ = 0;
    saveSiteDatabase();
}

void MainWindow::headerClicked(int column) {
    if (column == SiteListModel::kNumber) {
        sites_.flipAllActive();
    }
}

void MainWindow::pickLocalFolder() {
    if (const auto folder = FolderBoxText(seams_.dialogs->pickFolder(std::string()))) {
        ui_.folderEdit->setText(ToQt(*folder));
    }
}

void MainWindow::exportDatabase() {
    FileRequest request;
    request.nameFilters = {"All File (*.*) (*)"};
    request.proposedPath = seams_.homeFolder + kDatabaseFileName;
    request.confirmOverwrite = true;
    const std::optional<std::string> target = seams_.dialogs->saveFile(request);
    if (!target) {
        return;
    }
    // The file as last saved: edits not saved yet stay out of the copy.
    const FileOutcome copied = CopyDatabaseFile(databasePath(), *target);
    if (!copied) {
        showWarning(FailureText("Could not export to ", *target, copied));
    }
}

void MainWindow::importDatabase() {
    FileRequest request;
    request.nameFilters = {std::string(kDatabaseFileName) + " (" + kDatabaseFileName + ")",
                           "All Files (*.*) (*)"};
    request.proposedPath = seams_.homeFolder + kDatabaseFileName;
    const std::optional<std::string> source = seams_.dialogs->openFile(request);
    if (!source) {
        return;
    }
    // Only a complete copy replaces what the window holds, unsaved edits included.
    const FileOutcome copied = CopyDatabaseFile(*source, databasePath());
    if (!copied) {
        showWarning(FailureText("Could not import ", *source, copied));
        return;
    }
    loadSiteDatabase();
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

void MainWindow::restore() {
    ui_.bannerView->show();
    PresentWindow(this);
}

void MainWindow::setChecking(bool checking) {
    ui_.checkNowButton->setEnabled(!checking);
}

void MainWindow::showStatus(const QString& caption) {
    ui_.statusLabel->setText(caption);
    ui_.statusLabel->repaint();
}

void MainWindow::saveBeforeExit() {
    exiting_ = true;
    saveSiteDatabase();
}

} // namespace fq
