#pragma once

#include "core/check/check_services.h"
#include "core/check/local_hashes.h"
#include "core/sites/signed_sites.h"
#include "core/sites/site_list.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fq {

// The settings a pass reads afresh for every site, and where it shows its progress.
struct CheckSettings {
    std::function<std::string()> watchedTypes;
    std::function<std::string()> reportPassword;
    std::function<void(const std::string& caption)> showStatus;
    // When set: a site's check begins; `left` active sites follow it in this pass.
    std::function<void(const std::string& webUrl, int left)> siteStarted = nullptr;
    // The sites that answered the signed listing before; nothing: the pass knows none.
    SignedSites* signedSites = nullptr;
};

// The status a pass gave one site.
struct SiteVerdict {
    std::string webUrl;
    SiteStatus status = SiteStatus::kNotChecked;
};

// How a pass ended.
struct CheckSummary {
    int sites = 0;                     // rows counted at the end
    std::vector<SiteVerdict> verdicts; // every verdict written into a row, in order
    bool stopped = false;              // the program began to end during the pass
    // The address of each row found changed, in order.
    std::vector<std::string> changedSites() const;
    std::string statusLine() const;
};

// One pass over the site list at a time.
class CheckPass {
public:
    // `hashCacheFile`: where the hashes of local files are kept from one run to the next
    // ("" for memory only).
    explicit CheckPass(std::string hashCacheFile = {}) : hashes_(std::move(hashCacheFile)) {}

    // Checks every active row in list order: the "Checking " caption, a pause of one to two
    // seconds that lets events run, a scan of its local folder (always when `scheduled` is
    // false, otherwise only while its cache holds no list), and the verdict with the new cache
    // in its row. The server is asked for its signed list first; a site whose script does not
    // know that exchange, and never answered it, is asked for the sizes of the listed files
    // instead. A row edited or removed while its requests ran gets nothing. Shows the status
    // line at the end. Nothing when a pass is already running; stops at once, showing nothing
    // more, when the pump says the program is ending.
    std::optional<CheckSummary> run(bool scheduled, SiteList& sites, const CheckServices& services,
                                    const CheckSettings& settings);
    bool busy() const { return busy_; }
    // How many local files were hashed so far, for the benchmarks.
    std::size_t filesHashed() const { return hashes_.filesRead(); }

private:
    bool busy_ = false;
    LocalHashes hashes_; // kept from pass to pass
};

} // namespace fq
