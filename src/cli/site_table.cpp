#include "cli/site_table.h"

namespace fq {

SiteTable::SiteTable(const std::vector<StoredSite>& sites) {
    rows_.reserve(sites.size());
    for (const StoredSite& site : sites) {
        rows_.push_back({site, {}});
    }
}

StoredSite SiteTable::site(int row) const {
    return rows_.at(static_cast<std::size_t>(row)).site;
}

void SiteTable::writeResult(int row, const CheckResult& result) {
    rows_.at(static_cast<std::size_t>(row)).result = result;
}

} // namespace fq
