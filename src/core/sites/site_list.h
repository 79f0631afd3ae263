#pragma once

#include "core/sites/check_result.h"
#include "core/sites/site_database.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fq {

// One row of the site list.
struct SiteRow {
    StoredSite site; // bytes exactly as read or typed
    CheckResult result;
    CheckCache cache;
    std::uint64_t id = 0; // new for every added, reloaded or edited row
};

// A change of the list, told to its observer before it happens (not for kUpdate) and after. `row`
// is the position of the inserted, removed or updated row; -1 with kUpdate means every row.
struct SiteListChange {
    enum Kind { kReset, kInsert, kRemove, kUpdate };
    Kind kind;
    int row = -1;
};

class SiteListObserver {
public:
    virtual ~SiteListObserver() = default;
    virtual void siteListAboutToChange(const SiteListChange& change) = 0;
    virtual void siteListChanged(const SiteListChange& change) = 0;
};

// The watched sites in list order, with what the last check found and remembers of each.
// The caches travel with their row, so editing, removing and reloading keep them right.
// Rows are numbered from 0; positions outside the list are ignored by every change.
class SiteList {
public:
    void setObserver(SiteListObserver* observer) { observer_ = observer; }

    int size() const { return static_cast<int>(rows_.size()); }
    const SiteRow& at(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
    bool contains(int row) const { return row >= 0 && row < size(); }
    // The position of the row with `id`; nothing when it has gone or was edited.
    std::optional<int> find(std::uint64_t id) const;

    // Replaces every row by `sites`, with no result and no cache.
    void reload(const std::vector<StoredSite>& sites);
    void append(const StoredSite& site);
    void remove(int row);
    // New address and folder for `row`; its tick and last result stay, its cache goes.
    void edit(int row, const std::string& webUrl, const std::string& localFolder);
    void setActive(int row, bool active);
    // Every row takes the opposite of the first row's tick; nothing happens without rows.
    void flipAllActive();
    void setCheckOutcome(int row, const CheckResult& result, const CheckCache& cache);

    std::vector<StoredSite> storedSites() const;

private:
    SiteRow newRow(const StoredSite& site);
    void aboutToChange(SiteListChange::Kind kind, int row);
    void changed(SiteListChange::Kind kind, int row);

    std::vector<SiteRow> rows_;
    std::uint64_t nextId_ = 1;
    SiteListObserver* observer_ = nullptr;
};

} // namespace fq
