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

// The rows as the database stores them: address, folder and the check box.
std::vector<StoredSite> ReadStoredSites(const QTreeWidget* list);

// Sets every row's number to its 1-based position.
void RenumberRows(QTreeWidget* list);

// Appends a row numbered `rowNumber` with empty Status, Total and Detail.
void AppendSiteRow(QTreeWidget* list, int rowNumber, const StoredSite& site);

} // namespace fq
