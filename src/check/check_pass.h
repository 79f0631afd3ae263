#pragma once

#include "check/post_form_function.h"
#include "platform/http_client.h"
#include "sites/site_database.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fq {

// What a check writes into a site's row.
struct CheckResult {
    std::string status;
    std::string total;
    std::string detail;

    bool operator==(const CheckResult&) const = default;
};

// The site list as a pass sees it. Rows are numbered from 0; since the pass lets events run,
// rows may be edited or removed while it works.
class CheckRows {
public:
    virtual ~CheckRows() = default;
    virtual int rowCount() const = 0;
    virtual StoredSite site(int row) const = 0;
    virtual void writeResult(int row, const CheckResult& result) = 0;
};

// Everything a pass takes from its surroundings; every member must be set.
struct CheckServices {
    std::function<std::string()> watchedTypes;   // read afresh for every scan
    std::function<std::string()> reportPassword; // read afresh for every request
    std::function<std::string(const std::string& root, const std::string& relative,
                              const std::string& watchedTypes)>
        listWatchedFiles;
    std::function<std::string(const std::string& folder, const std::string& list)> getSize;
    PostFormFunction postForm;
    MessagePump pump;                                     // lets queued events run once
    std::function<std::int64_t()> now;                    // the clock in whole seconds
    std::function<void(std::int64_t mark)> waitUntilPast; // lets events run until now() > mark
    std::function<void(const std::string& caption)> showStatus;
    std::function<void(const std::string& alert)> setPendingAlert;
};

// The check pass and the per-row state it keeps between passes: the file list last scanned
// for each row and the size text last taken as matching.
class CheckPass {
public:
    // One pass over `rows`. Every active site gets the "Checking " caption, a pause of one to
    // two seconds that lets events run, a scan of its local folder (always when `Alert` is
    // false, otherwise only while no list is cached), one report request and its verdict in
    // the row. Ends with the caption " Total Web : " n "     Changed : " c, which also
    // becomes the pending alert when `Alert` is true and c > 0. A call while a pass runs
    // does nothing. The pass stops early when rows disappear under it.
    void CheckWeb(bool Alert, CheckRows& rows, const CheckServices& services);

    // Keep the caches in step with the rows: an edited row is scanned afresh, a removed
    // row's cache goes and the later rows' caches move up, a reloaded list starts empty.
    void rowEdited(int row);
    void rowRemoved(int row);
    void listReloaded();

private:
    void ensureRow(std::size_t row);

    bool CheckBusy = false;
    std::vector<std::string> FileListCache;
    std::vector<std::string> SizeCache;
};

} // namespace fq
