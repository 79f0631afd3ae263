#include "core/sites/site_list.h"

namespace fq {

std::optional<int> SiteList::find(std::uint64_t id) const {
    for (int row = 0; row < size(); ++row) {
        if (at(row).id == id) {
            return row;
        }
    }
    return std::nullopt;
}

SiteRow SiteList::newRow(const StoredSite& site) {
    SiteRow row;
    row.site = site;
    row.id = nextId_++;
    return row;
}

void SiteList::reload(const std::vector<StoredSite>& sites) {
    aboutToChange(SiteListChange::kReset, -1);
    rows_.clear();
    rows_.reserve(sites.size());
    for (const StoredSite& site : sites) {
        rows_.push_back(newRow(site));
    }
    changed(SiteListChange::kReset, -1);
}

void SiteList::append(const StoredSite& site) {
    aboutToChange(SiteListChange::kInsert, size());
    rows_.push_back(newRow(site));
    changed(SiteListChange::kInsert, size() - 1);
}

void SiteList::remove(int row) {
    if (!contains(row)) {
        return;
    }
    aboutToChange(SiteListChange::kRemove, row);
    rows_.erase(rows_.begin() + row);
    changed(SiteListChange::kRemove, row);
}

void SiteList::edit(int row, const std::string& webUrl, const std::string& localFolder) {
    if (!contains(row)) {
        return;
    }
    SiteRow& edited = rows_[static_cast<std::size_t>(row)];
    edited.site.webUrl = webUrl;
    edited.site.localFolder = localFolder;
    edited.cache = {};
    edited.id = nextId_++;
    changed(SiteListChange::kUpdate, row);
}

void SiteList::setActive(int row, bool active) {
    if (!contains(row)) {
        return;
    }
    rows_[static_cast<std::size_t>(row)].site.active = active;
    changed(SiteListChange::kUpdate, row);
}

void SiteList::flipAllActive() {
    if (rows_.empty()) {
        return;
    }
    const bool active = !rows_.front().site.active;
    for (SiteRow& row : rows_) {
        row.site.active = active;
    }
    changed(SiteListChange::kUpdate, -1);
}

void SiteList::setCheckOutcome(int row, const CheckResult& result, const CheckCache& cache) {
    if (!contains(row)) {
        return;
    }
    SiteRow& checked = rows_[static_cast<std::size_t>(row)];
    checked.result = result;
    checked.cache = cache;
    changed(SiteListChange::kUpdate, row);
}

std::vector<StoredSite> SiteList::storedSites() const {
    std::vector<StoredSite> sites;
    sites.reserve(rows_.size());
    for (const SiteRow& row : rows_) {
        sites.push_back(row.site);
    }
    return sites;
}

void SiteList::aboutToChange(SiteListChange::Kind kind, int row) {
    if (observer_ != nullptr) {
        observer_->siteListAboutToChange({kind, row});
    }
}

void SiteList::changed(SiteListChange::Kind kind, int row) {
    if (observer_ != nullptr) {
        observer_->siteListChanged({kind, row});
    }
}

} // namespace fq
