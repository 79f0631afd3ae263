#include "gui/main_window.h"

#include "core/check/report_script.h"
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

constexpr int kDesignClientWidth = 8910;
constexpr int kDesignClientHeight = 6330;
// Long enough to take a burst of ticks or keystrokes as one edit.
constexpr int kSaveDelayMs = 2000;

QString FailureText(const char* what, const std::string& path, const FileOutcome& outcome) {
    return QLatin1String(what) + ToQt(path) + QStringLiteral(":\n") + ToQt(outcome.reason());
}

} // namespace

MainWindow::MainWindow(MainWindowSeams seams, QWidget* parent)
    : QWidget(parent), seams_(std::move(seams)), store_(seams_.dataFolder + kDatabaseFileName),
      siteModel_(new SiteListModel(store_.sites(), this)),
      ui_(BuildMainWindowControls(this, siteModel_)), saveTimer_(new QTimer(this)) {
    setObjectName(QStringLiteral("mainWindow"));
    saveTimer_->setSingleShot(true);
    saveTimer_->setInterval(kSaveDelayMs);
    placeWindow();
    connectControls();
}

MainWindow::~MainWindow() {
    // The model reads the site list, which goes before the child widgets do.
    delete siteModel_;
}

void MainWindow::openSiteDatabase() {
    showOpenedSiteFile(store_.open());
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
        if (unattended_) {
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
    // The client area goes in the middle of the screen: the frame is not known before the
    // window manager has put it around the window. Below the designed size the anchored
    // controls would run into each other, so it is the smallest too.
    const QSize designed(TwipsToPixels(kDesignClientWidth, dpi),
                         TwipsToPixels(kDesignClientHeight, dpi));
    setMinimumSize(designed);
    CentreOnScreen(this, designed);
    new TwipsLayout(this, kMainWindowDesignOuter, MainWindowDesign(ui_));
}

void MainWindow::typesEdited() {
    const std::string typed = FromQt(ui_.typesEdit->text());
    const std::string wanted = WatchedTypesAfterEdit(typed);
    if (wanted != typed) {
        ui_.typesEdit->setText(ToQt(wanted));
        return;
    }
    // The box keeps what was typed; the types in force stay the last ones the file can hold.
    // The user hears of it once, not at every key.
    if (const auto refusal = RefusalToStore(StoredBox::FileType, typed)) {
        if (!typesRefused_) {
            typesRefused_ = true;
            showWarning(ToQt(*refusal));
        }
        return;
    }
    typesRefused_ = false;
    // A box left alone hands back the bytes the file gave, UTF-8 or not.
    store_.setWatchedTypes(FromQtKeeping(ui_.typesEdit->text(), store_.watchedTypesAsRead()));
}

void MainWindow::connectControls() {
    // Edits that are not saved on the spot (a tick, "Save", the types) reach the file soon, so
    // that a program killed or a session ended without a word does not lose them.
    connect(saveTimer_, &QTimer::timeout, this, [this] {
        if (store_.unsaved()) {
            saveSiteDatabase();
        }
    });
    const auto saveSoon = [this] { saveTimer_->start(); };
    connect(siteModel_, &QAbstractItemModel::dataChanged, saveTimer_, saveSoon);
    connect(ui_.typesEdit, &QLineEdit::textChanged, this, &MainWindow::typesEdited);
    connect(ui_.typesEdit, &QLineEdit::textEdited, saveTimer_, saveSoon);
    connect(ui_.addButton, &QPushButton::clicked, this, &MainWindow::addSite);
    connect(ui_.urlEdit, &QLineEdit::returnPressed, this, &MainWindow::addSite);
    connect(ui_.folderEdit, &QLineEdit::returnPressed, this, &MainWindow::addSite);
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
    const std::string typedUrl = FromQt(ui_.urlEdit->text());
    const std::string typedFolder = FromQt(ui_.folderEdit->text());
    if (const auto refusal = RefusalToStoreSite(typedUrl, typedFolder)) {
        showWarning(ToQt(*refusal));
        return;
    }
    const auto site = SiteToAdd(typedUrl, typedFolder);
    if (!site) {
        showWarning(QStringLiteral("Please fill web URL and local path !"));
        return;
    }
    store_.sites().append(*site);
    saveSiteDatabase();
}

void MainWindow::selectRow(int row) {
    if (!store_.sites().contains(row)) {
        return;
    }
    const SiteRow& selected = store_.sites().at(row);
    ui_.urlEdit->setText(ToQt(selected.site.webUrl));
    ui_.folderEdit->setText(ToQt(selected.site.localFolder));
    ui_.detailBox->setPlainText(LinesToQt(DetailText(selected.result)));
    selectedRow_ = row + 1;
    ui_.saveButton->setEnabled(true);
}

void MainWindow::saveSelectedSite() {
    const int row = selectedRow_ - 1;
    if (!store_.sites().contains(row)) {
        return;
    }
    // A box the user left alone gives back the row's own bytes, UTF-8 or not.
    const StoredSite& shown = store_.sites().at(row).site;
    const std::string typedUrl = FromQtKeeping(ui_.urlEdit->text(), shown.webUrl);
    const std::string typedFolder = FromQtKeeping(ui_.folderEdit->text(), shown.localFolder);
    if (const auto refusal = RefusalToStoreSite(typedUrl, typedFolder)) {
        showWarning(ToQt(*refusal));
        return;
    }
    const StoredSite site = SiteFromBoxes(typedUrl, typedFolder);
    store_.sites().edit(row, site.webUrl, site.localFolder);
}

void MainWindow::removeSelectedSite() {
    const int row = selectedRow_ - 1;
    if (!store_.sites().contains(row)) {
        return;
    }
    store_.sites().remove(row);
    // The number now names another site: "Save" must not write into it, nor look as if it
    // could.
    selectedRow_ = 0;
    ui_.siteView->setCurrentIndex({});
    ui_.saveButton->setEnabled(false);
    saveSiteDatabase();
}

void MainWindow::headerClicked(int column) {
    if (column == SiteListModel::kNumber) {
        store_.sites().flipAllActive();
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
    const FileOutcome copied = store_.exportTo(*target);
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
    const FileOutcome copied = store_.importFrom(*source);
    if (!copied) {
        showWarning(FailureText("Could not import ", *source, copied));
        return;
    }
    showOpenedSiteFile(store_.lastRead());
}

bool MainWindow::keepScriptPassword() {
    const auto written = PasswordInScript(LinesFromQt(ui_.scriptEdit->toPlainText()));
    if (const auto refusal =
            written ? RefusalToStore(StoredBox::ScriptPassword, *written) : std::nullopt) {
        showWarning(ToQt(*refusal));
        return false;
    }
    // A password the box could not show as it is keeps its bytes while left alone.
    if (written && *written != FromQt(ToQt(store_.reportPassword()))) {
        store_.setReportPassword(*written);
    }
    saveSiteDatabase();
    return true;
}

void MainWindow::toggleReportScript() {
    // A refused password stays in the open box for the user to mend.
    if (!ui_.scriptEdit->isHidden() && !keepScriptPassword()) {
        return;
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

void MainWindow::saveUnattended() {
    unattended_ = true;
    saveSiteDatabase();
    unattended_ = false;
}

} // namespace fq
