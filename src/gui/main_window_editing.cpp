// Editing the site list on the main window.
#include "core/sites/site_editing.h"
#include "gui/file_dialogs.h"
#include "gui/main_window.h"
#include "gui/qt_text.h"
#include "gui/site_list_model.h"

#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeView>

namespace fq {

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
    ui_.detailBox->setPlainText(LinesToQt(DetailText(selected.result)));
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
    if (const auto folder = FolderBoxText(environment_.dialogs->pickFolder(std::string()))) {
        ui_.folderEdit->setText(ToQt(*folder));
    }
}

} // namespace fq
