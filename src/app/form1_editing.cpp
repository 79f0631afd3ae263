// Editing the site list on the main window.
#include "app/clickable_image.h"
#include "app/form1.h"
#include "app/qt_text.h"
#include "app/site_rows.h"
#include "dialogs/cmd1.h"
#include "sites/site_editing.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace fq {

void Form1::ConnectEditing() {
    connect(ui_.cmdAdd, &QPushButton::clicked, this, &Form1::cmdAdd_Click);
    connect(ui_.cmdSave, &QPushButton::clicked, this, &Form1::cmdSave_Click);
    connect(ui_.lvWeb, &QTreeWidget::itemClicked, this, &Form1::lvWeb_ItemClick);
    connect(ui_.lvWeb, &QTreeWidget::itemActivated, this, &Form1::lvWeb_ItemClick);
    connect(ui_.lvWeb->header(), &QHeaderView::sectionClicked, this, &Form1::lvWeb_ColumnClick);
    connect(ui_.aRemove, &QAction::triggered, this, &Form1::aRemove_Click);
    connect(ui_.ImOpen, &ClickableImage::clicked, this, &Form1::ImOpen_Click);
    ui_.lvWeb->viewport()->installEventFilter(this);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_.lvWeb->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            ui_.mDel->popup(mouse->globalPosition().toPoint());
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::cmdAdd_Click() {
    const auto site = SiteToAdd(FromQt(ui_.txtURL->text()), FromQt(ui_.txtPath->text()));
    if (!site) {
        ShowWarning(QStringLiteral("Please fill web URL and local path !"));
        return;
    }
    AppendSiteRow(ui_.lvWeb, ui_.lvWeb->topLevelItemCount() + 1, *site);
    SaveAll();
}

void Form1::lvWeb_ItemClick(QTreeWidgetItem* row) {
    ui_.txtURL->setText(row->text(kColumnWebUrl));
    ui_.txtPath->setText(row->text(kColumnLocalPath));
    ui_.txtDetail->setPlainText(row->text(kColumnDetail));
    SelectedRow = row->text(kColumnNumber).toInt();
    ui_.cmdSave->setEnabled(true);
}

QTreeWidgetItem* Form1::SelectedRowItem() const {
    return SelectedRow >= 1 ? ui_.lvWeb->topLevelItem(SelectedRow - 1) : nullptr;
}

void Form1::cmdSave_Click() {
    QTreeWidgetItem* row = SelectedRowItem();
    if (row == nullptr) {
        return;
    }
    const StoredSite site = SiteFromBoxes(FromQt(ui_.txtURL->text()), FromQt(ui_.txtPath->text()));
    row->setText(kColumnWebUrl, ToQt(site.webUrl));
    row->setText(kColumnLocalPath, ToQt(site.localFolder));
}

void Form1::aRemove_Click() {
    QTreeWidgetItem* row = SelectedRowItem();
    if (row == nullptr) {
        return;
    }
    delete row;
    RenumberRows(ui_.lvWeb);
    // The number now names another site: "Save" must not write into it.
    SelectedRow = 0;
    SaveAll();
}

void Form1::lvWeb_ColumnClick(int column) {
    if (column != kColumnNumber || ui_.lvWeb->topLevelItemCount() == 0) {
        return;
    }
    const bool tick = ui_.lvWeb->topLevelItem(0)->checkState(kColumnNumber) != Qt::Checked;
    for (int i = 0; i < ui_.lvWeb->topLevelItemCount(); ++i) {
        ui_.lvWeb->topLevelItem(i)->setCheckState(kColumnNumber,
                                                  tick ? Qt::Checked : Qt::Unchecked);
    }
}

void Form1::ImOpen_Click() {
    if (const auto folder = FolderFromBrowser(Dialog().BrowseForFolder(std::string()))) {
        ui_.txtPath->setText(ToQt(*folder));
    }
}

void Form1::ShowWarning(const QString& text) {
    const QString caption = QStringLiteral("Ferrow Quorvel");
    if (environment_.warn) {
        environment_.warn(this, caption, text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, this);
    box.exec();
}

} // namespace fq
