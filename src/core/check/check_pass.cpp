#include "core/check/check_pass.h"

#include "core/check/ignore_rules.h"
#include "core/check/listing_comparison.h"
#include "core/check/listing_exchange.h"
#include "core/check/local_scan.h"
#include "core/check/report_answer.h"
#include "core/check/report_request.h"
#include "core/check/unusable_answer.h"
#include "core/crypto/digest.h"
#include "core/files/file_size.h"
#include "core/text/path_text.h"

#include <algorithm>

namespace fq {
namespace {

// The active rows after `row` and before `end`.
int ActiveRowsAfter(const SiteList& sites, int row, int end) {
    int active = 0;
    for (int next = row + 1; next < end; ++next) {
        active += sites.at(next).site.active ? 1 : 0;
    }
    return active;
}

// Why a site that is not asked for sizes gave no list: its answer could not be read, or what
// the answer said instead.
NoReportReason WhyNoListing(const std::optional<NoReportReason>& unusable,
                            ServerListing::Outcome outcome) {
    if (unusable) {
        return *unusable;
    }
    using Cause = NoReportReason::Cause;
    NoReportReason why;
    switch (outcome) {
    case ServerListing::Outcome::kRefused:
        why.cause = Cause::kRefused;
        break;
    case ServerListing::Outcome::kForged:
        why.cause = Cause::kForged;
        break;
    case ServerListing::Outcome::kTooLarge:
        why.cause = Cause::kListingTooLarge;
        break;
    case ServerListing::Outcome::kNotAListing:
    case ServerListing::Outcome::kListed:
        why.cause = Cause::kNotAListing;
        break;
    }
    return why;
}

// The verdict on a site whose exchange gave nothing to compare: "No report" and why, or "No
// folder" when there were no local files to ask for.
CheckResult NoReport(NoReportReason why, std::size_t listedFiles, Exchange exchange) {
    CheckResult verdict;
    verdict.status = listedFiles == 0 ? SiteStatus::kNoFolder : SiteStatus::kNoReport;
    verdict.listedFiles = listedFiles;
    verdict.exchange = exchange;
    if (listedFiles != 0) {
        verdict.whyNoReport = std::move(why);
    }
    return verdict;
}

} // namespace

std::vector<std::string> CheckSummary::changedSites() const {
    std::vector<std::string> changed;
    for (const SiteVerdict& verdict : verdicts) {
        if (verdict.status == SiteStatus::kChanged) {
            changed.push_back(verdict.webUrl);
        }
    }
    return changed;
}

std::string CheckSummary::statusLine() const {
    return " Total Web : " + std::to_string(sites) +
           "     Changed : " + std::to_string(changedSites().size());
}

std::optional<CheckSummary> CheckPass::run(bool scheduled, SiteList& sites,
                                           const CheckServices& services,
                                           const CheckSettings& settings) {
    if (busy_) {
        return std::nullopt;
    }
    busy_ = true;
    struct ClearWhenDone {
        bool& busy;
        ~ClearWhenDone() { busy = false; }
    } clearBusy{busy_};

    CheckSummary summary;
    // Lets events run; true once the program has begun to end, which ends the pass too.
    const auto programEnding = [&services, &summary] {
        summary.stopped = !services.pump();
        return summary.stopped;
    };
    const int rowCount = sites.size();
    for (int row = 0; row < rowCount && row < sites.size(); ++row) {
        SiteRow checked = sites.at(row);
        if (!checked.site.active) {
            continue;
        }
        const StoredSite& site = checked.site;
        settings.showStatus("Checking " + site.webUrl);
        if (settings.siteStarted) {
            settings.siteStarted(site.webUrl,
                                 ActiveRowsAfter(sites, row, std::min(rowCount, sites.size())));
        }
        if (programEnding()) {
            return summary;
        }
        services.clock->waitUntilPast(services.clock->now() + 1);

        // Listing, sizing and comparing join folder and entry alike, so the folder has its
        // final "/" however it was stored; an empty one stays empty, which is no folder.
        const std::string folder =
            site.localFolder.empty() ? std::string() : EnsureTrailing(site.localFolder, '/');
        CheckCache cache = std::move(checked.cache);
        const std::string types = settings.watchedTypes();
        // The server lists by today's types, so a list scanned by others is stale too.
        const IgnoreRules ignored = IgnoreRules::ReadFrom(folder);
        const bool scan = cache.fileList.empty() || !scheduled || cache.scannedTypes != types;
        if (scan) {
            cache.fileList = ListWatchedFiles(folder, std::string(), types);
            std::erase_if(cache.fileList,
                          [&ignored](const std::string& path) { return ignored.ignores(path); });
            cache.scannedTypes = types;
        }
        if (programEnding()) {
            return summary;
        }
        const std::string password = settings.reportPassword();
        const std::string scriptUrl = ReportScriptUrl(site.webUrl);
        ServerListing listing;
        std::optional<NoReportReason> listingUnusable;
        if (const std::optional<std::string> nonce = RandomHex(16)) {
            const HttpAnswer answer =
                services.postForm(scriptUrl, BuildListingRequestBody(password, types, *nonce),
                                  services.pump, kListingLimits);
            listingUnusable = UnusableAnswer(answer, kListingLimits);
            if (!listingUnusable) {
                listing = ReadListingAnswer(answer.body, password, *nonce);
            }
            if (programEnding()) {
                return summary;
            }
        }
        // Only a script that never answered the signed way is sent the password.
        const bool signedBefore =
            settings.signedSites != nullptr && settings.signedSites->contains(site.webUrl);
        const bool askSizes =
            listing.outcome == ServerListing::Outcome::kNotAListing && !signedBefore;
        HttpAnswer sizesAnswer;
        std::optional<NoReportReason> sizesUnusable;
        if (askSizes) {
            // The sizes to compare with are those of the scan; only this exchange needs them.
            if (scan) {
                cache.sizes = LocalSizeText(folder, cache.fileList);
            }
            sizesAnswer =
                services.postForm(scriptUrl, BuildReportRequestBody(password, cache.fileList),
                                  services.pump, kReportLimits);
            sizesUnusable = UnusableAnswer(sizesAnswer, kReportLimits);
            if (programEnding()) {
                return summary;
            }
        }

        CheckResult verdict;
        if (askSizes && sizesUnusable) {
            // Only a whole 2xx answer is compared; the next one is measured afresh.
            verdict = NoReport(*sizesUnusable, cache.fileList.size(), Exchange::kSizes);
            cache.sizes.clear();
        } else if (askSizes) {
            verdict = JudgeReport(
                sizesAnswer.body, cache.fileList, cache.sizes,
                [&folder](const std::string& entry) { return RegularFileSize(folder + entry); });
            if (verdict.status != SiteStatus::kChanged) {
                cache.sizes = sizesAnswer.body;
            }
        } else if (listing.outcome == ServerListing::Outcome::kListed) {
            // Rules written since the last scan apply to both sides at once.
            std::vector<std::string> localFiles = cache.fileList;
            std::erase_if(localFiles,
                          [&ignored](const std::string& path) { return ignored.ignores(path); });
            std::erase_if(listing.files, [&ignored](const ListedFile& file) {
                return ignored.ignores(file.path);
            });
            // Hashing a large copy takes a while: events run meanwhile.
            const std::optional<CheckResult> compared =
                CompareWithListing(localFiles, folder, listing.files, hashes_, services.pump);
            if (!compared) {
                summary.stopped = true;
                return summary;
            }
            verdict = *compared;
            if (settings.signedSites != nullptr) {
                settings.signedSites->add(site.webUrl);
            }
        } else {
            verdict = NoReport(WhyNoListing(listingUnusable, listing.outcome),
                               cache.fileList.size(), Exchange::kSignedListing);
        }
        // Events ran meanwhile: the verdict belongs to the row only if it is still the one
        // that was checked.
        const std::optional<int> now = sites.find(checked.id);
        if (!now) {
            continue;
        }
        summary.verdicts.push_back({site.webUrl, verdict.status});
        sites.setCheckOutcome(*now, verdict, cache);
    }

    hashes_.save();
    // Rows removed during the pass are no longer counted.
    summary.sites = std::min(rowCount, sites.size());
    settings.showStatus(summary.statusLine());
    return summary;
}

} // namespace fq
