#include "core/check/check_pass.h"

#include "core/check/local_scan.h"
#include "core/check/report_answer.h"
#include "core/check/report_request.h"
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

} // namespace

std::string CheckSummary::statusLine() const {
    return " Total Web : " + std::to_string(sites) +
           "     Changed : " + std::to_string(changedSites.size());
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
        if (cache.fileList.empty() || !scheduled) {
            cache.fileList = ListWatchedFiles(folder, std::string(), settings.watchedTypes());
            cache.sizes = LocalSizeText(folder, cache.fileList);
        }
        if (programEnding()) {
            return summary;
        }
        // No answer at all is judged as the empty one: "No report".
        const std::string answer =
            services
                .postForm(ReportScriptUrl(site.webUrl),
                          BuildReportRequestBody(settings.reportPassword(), cache.fileList),
                          services.pump, kReportLimits)
                .value_or(std::string());
        if (programEnding()) {
            return summary;
        }

        // Events ran meanwhile: the verdict belongs to the row only if it is still the one
        // that was checked.
        const std::optional<int> now = sites.find(checked.id);
        if (!now) {
            continue;
        }
        const CheckResult verdict =
            JudgeReport(answer, cache.fileList, cache.sizes, [&folder](const std::string& entry) {
                return RegularFileSize(folder + entry);
            });
        if (verdict.status == SiteStatus::kChanged) {
            summary.changedSites.push_back(site.webUrl);
        } else {
            cache.sizes = answer;
        }
        sites.setCheckOutcome(*now, verdict, cache);
    }

    // Rows removed during the pass are no longer counted.
    summary.sites = std::min(rowCount, sites.size());
    settings.showStatus(summary.statusLine());
    return summary;
}

} // namespace fq
