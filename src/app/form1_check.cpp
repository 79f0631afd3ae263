// The check pass, the report script and the tutorial on the main window.
#include "app/form1.h"
#include "app/qt_text.h"
#include "app/site_rows.h"
#include "check/local_scan.h"
#include "check/report_script.h"
#include "platform/whole_seconds.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

namespace fq {
namespace {

// The rows of `lvWeb` as the check pass reads and writes them.
class SiteListRows : public CheckRows {
public:
    explicit SiteListRows(QTreeWidget* list) : list_(list) {}

    int rowCount() const override { return list_->topLevelItemCount(); }

    StoredSite site(int row) const override { return StoredSiteAt(list_, row); }

    void writeResult(int row, const CheckResult& result) override {
        QTreeWidgetItem* item = list_->topLevelItem(row);
        item->setText(kColumnStatus, ToQt(result.status));
        item->setText(kColumnTotal, ToQt(result.total));
        item->setText(kColumnDetail, ToQt(result.detail));
    }

private:
    QTreeWidget* list_;
};

// Runs the event loop until the clock is past `mark`, sleeping in between.
void LetEventsRunUntilPast(std::int64_t mark) {
    while (WholeSecondsNow() <= mark) {
        QEventLoop loop;
        QTimer::singleShot(TimeUntilPast(mark), Qt::PreciseTimer, &loop, &QEventLoop::quit);
        // An application that is quitting ends every loop at once; stop waiting then.
        if (loop.exec() != 0) {
            return;
        }
    }
}

} // namespace

void Form1::ConnectReportScript() {
    connect(ui_.cmdPHP, &QPushButton::clicked, this, &Form1::cmdPHP_Click);
    connect(ui_.cmdTutor, &QPushButton::clicked, this, &Form1::cmdTutor_Click);
}

void Form1::CheckWeb(bool Alert) {
    SiteListRows rows(ui_.lvWeb);
    CheckServices services;
    services.watchedTypes = [this] { return FromQt(ui_.txtFileType->text()); };
    services.reportPassword = [this] { return ReportPassword; };
    services.listWatchedFiles = ListWatchedFiles;
    services.getSize = getSize;
    services.postForm = environment_.postForm;
    services.pump = [] { QCoreApplication::processEvents(); };
    services.now = WholeSecondsNow;
    services.waitUntilPast = LetEventsRunUntilPast;
    services.showStatus = [this](const std::string& caption) {
        ui_.LaStatus->setText(ToQt(caption));
        ui_.LaStatus->repaint();
    };
    services.setPendingAlert = [this](const std::string& alert) { PendingAlert = alert; };
    checkPass_.CheckWeb(Alert, rows, services);
}

void Form1::SavePassword() {
    if (const auto password = PasswordInScript(LinesFromQt(ui_.txtPHP[0]->toPlainText()))) {
        ReportPassword = *password;
    }
    SaveAll();
}

void Form1::cmdPHP_Click() {
    QPlainTextEdit* script = ui_.txtPHP[0];
    if (!script->isHidden()) {
        SavePassword();
    }
    script->setVisible(script->isHidden());
    ui_.txtPHP[1]->hide();
}

void Form1::cmdTutor_Click() {
    QPlainTextEdit* tutorial = ui_.txtPHP[1];
    tutorial->setVisible(tutorial->isHidden());
    ui_.txtPHP[0]->hide();
}

} // namespace fq
