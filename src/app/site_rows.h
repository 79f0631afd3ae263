#pragma once

#include "sites/site_database.h"

#include <vector>

class QTreeWidget;

namespace fq {

// Columns of the site list `lvWeb`; the row's own text is its 1-based number.
enum SiteColumn : int {
    kColumnNumber = 0,
    kColumnWebUrl = 1,
    kColumnLocalPath = 2,
    kColumnStatus = 3,
    kColumnTotal = 4,
    kColumnDetail = 5,
    kSiteColumnCount = 6,
};

// Row `row` (from 0) as the database stores it: address, folder and the check box.
StoredSite StoredSiteAt(const QTreeWidget* list, int row);

// Every row as the database stores it.
std::vector<StoredSite> ReadStoredSites(const QTreeWidget* list);

// Sets every row's number to its 1-based position.
void RenumberRows(QTreeWidget* list);

// Appends a row numbered `rowNumber` with empty Status, Total and Detail.
void AppendSiteRow(QTreeWidget* list, int rowNumber, const StoredSite& site);

} // namespace fq
