#include "app/site_rows.h"

#include "app/qt_text.h"

#include <QTreeWidget>

namespace fq {

StoredSite StoredSiteAt(const QTreeWidget* list, int row) {
    const QTreeWidgetItem* item = list->topLevelItem(row);
    return {FromQt(item->text(kColumnWebUrl)), FromQt(item->text(kColumnLocalPath)),
            item->checkState(kColumnNumber) == Qt::Checked};
}

std::vector<StoredSite> ReadStoredSites(const QTreeWidget* list) {
    std::vector<StoredSite> sites;
    sites.reserve(static_cast<std::size_t>(list->topLevelItemCount()));
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        sites.push_back(StoredSiteAt(list, row));
    }
    return sites;
}

void RenumberRows(QTreeWidget* list) {
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        list->topLevelItem(i)->setText(kColumnNumber, QString::number(i + 1));
    }
}

void AppendSiteRow(QTreeWidget* list, int rowNumber, const StoredSite& site) {
    auto* row = new QTreeWidgetItem(list);
    row->setText(kColumnNumber, QString::number(rowNumber));
    row->setText(kColumnWebUrl, ToQt(site.webUrl));
    row->setText(kColumnLocalPath, ToQt(site.localFolder));
    row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
    row->setCheckState(kColumnNumber, site.active ? Qt::Checked : Qt::Unchecked);
}

} // namespace fq
