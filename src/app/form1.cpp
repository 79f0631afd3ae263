#include "app/form1.h"

#include "app/qt_text.h"
#include "app/site_rows.h"
#include "check/report_script.h"
#include "dialogs/cmd1.h"
#include "platform/autostart_store.h"
#include "platform/text_file.h"
#include "sites/site_database.h"
#include "sites/watched_types.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeWidget>

namespace fq {

Form1::Form1(Form1Environment environment, QWidget* parent)
    : QWidget(parent), environment_(std::move(environment)),
      ui_(BuildForm1Ui(this, environment_.makeBrowser)) {
    setObjectName(QStringLiteral("Form1"));
    PlaceWindow();
    connect(ui_.txtFileType, &QLineEdit::textChanged, this, &Form1::txtFileType_Change);
    ConnectEditing();
    ConnectBackup();
    ConnectReportScript();
    StartTimer1();
}

Form1::~Form1() = default;

void Form1::Form_Load() {
    setWindowTitle(QLatin1String(kWindowCaption));
    ui_.Browser1->navigate(environment_.appFolder + "php/000.html");
    StartSystemTray();
    // Registered to start at log-in under this very path: every start is a start in the tray.
    const bool startHidden =
        IsRegisteredToRun(environment_.autostartFolder, environment_.executablePath);
    ui_.mStartup->setChecked(startHidden);
    LoadWebDatabase();
    if (!startHidden) {
        show();
    } else if (TrayAvailable()) {
        ui_.Browser1->hide();
    } else {
        showMinimized();
    }
}

std::string Form1::databasePath() const {
    return environment_.appFolder + kDatabaseFileName;
}

void Form1::LoadWebDatabase() {
    int loaded = 0;
    if (const auto database = ParseSiteDatabase(ReadTextFile(databasePath()))) {
        ui_.txtFileType->setText(ToQt(database->watchedTypes));
        ReportPassword = database->reportPassword;
        const std::string script = LinesFromQt(ui_.txtPHP[0]->toPlainText());
        ui_.txtPHP[0]->setPlainText(LinesToQt(FillReportPassword(script, ReportPassword)));
        ui_.lvWeb->clear();
        checkPass_.listReloaded();
        for (const StoredSite& site : database->sites) {
            AppendSiteRow(ui_.lvWeb, ++loaded, site);
        }
    }
    ui_.LaStatus->setText(QStringLiteral(" Total Web : ") + QString::number(loaded));
}

void Form1::SaveAll() {
    WriteTextFile(databasePath(), FormatSiteDatabase(FromQt(ui_.txtFileType->text()),
                                                     ReportPassword, ReadStoredSites(ui_.lvWeb)));
}

void Form1::closeEvent(QCloseEvent* event) {
    SaveAll();
    event->ignore();
    setWindowState(windowState() | Qt::WindowMinimized);
}

void Form1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        Form_Resize();
    }
}

void Form1::txtFileType_Change() {
    const std::string typed = FromQt(ui_.txtFileType->text());
    const std::string wanted = WatchedTypesAfterEdit(typed);
    if (wanted != typed) {
        ui_.txtFileType->setText(ToQt(wanted));
    }
}

} // namespace fq
