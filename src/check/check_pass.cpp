#include "check/check_pass.h"

#include "check/report_answer.h"
#include "check/report_request.h"
#include "platform/file_size.h"

#include <algorithm>

namespace fq {

void CheckPass::CheckWeb(bool Alert, CheckRows& rows, const CheckServices& services) {
    if (CheckBusy) {
        return;
    }
    CheckBusy = true;
    struct ClearWhenDone {
        bool& busy;
        ~ClearWhenDone() { busy = false; }
    } clearBusy{CheckBusy};
    const int rowCount = rows.rowCount();
    FileListCache.resize(static_cast<std::size_t>(rowCount));
    SizeCache.resize(static_cast<std::size_t>(rowCount));
    int changedSites = 0;
    for (int row = 0; row < rowCount && row < rows.rowCount(); ++row) {
        const StoredSite site = rows.site(row);
        if (!site.active) {
            continue;
        }
        services.showStatus("Checking " + site.webUrl);
        services.pump();
        services.waitUntilPast(services.now() + 1);

        const auto slot = static_cast<std::size_t>(row);
        ensureRow(slot);
        std::string list = FileListCache[slot];
        std::string reference = SizeCache[slot];
        if (list.empty() || !Alert) {
            list =
                services.listWatchedFiles(site.localFolder, std::string(), services.watchedTypes());
            reference = services.getSize(site.localFolder, list);
        }
        const std::string answer = services.postForm(
            ReportScriptUrl(site.webUrl), BuildReportRequestBody(services.reportPassword(), list),
            services.pump, HttpLimits{});
        services.pump();

        // The events that ran meanwhile may have removed or edited rows: the verdict and the
        // caches belong to this row only while it still shows the site that was checked.
        if (row >= rows.rowCount()) {
            break;
        }
        const StoredSite shown = rows.site(row);
        if (shown.webUrl != site.webUrl || shown.localFolder != site.localFolder) {
            continue;
        }
        const ReportVerdict verdict =
            JudgeReport(answer, list, reference, [&site](const std::string& entry) {
                return RegularFileSize(site.localFolder + entry);
            });
        ensureRow(slot);
        FileListCache[slot] = list;
        if (verdict.status == kStatusChanged) {
            ++changedSites;
            SizeCache[slot] = reference;
        } else {
            SizeCache[slot] = answer;
        }
        rows.writeResult(row, {verdict.status, TotalText(verdict), verdict.detail});
    }

    // Rows removed during the pass are no longer counted.
    const int counted = std::min(rowCount, rows.rowCount());
    const std::string caption = " Total Web : " + std::to_string(counted) +
                                "     Changed : " + std::to_string(changedSites);
    services.showStatus(caption);
    if (Alert && changedSites > 0) {
        services.setPendingAlert(caption);
    }
}

void CheckPass::ensureRow(std::size_t row) {
    if (FileListCache.size() <= row) {
        FileListCache.resize(row + 1);
        SizeCache.resize(row + 1);
    }
}

void CheckPass::rowEdited(int row) {
    const auto slot = static_cast<std::size_t>(row);
    if (row >= 0 && slot < FileListCache.size()) {
        FileListCache[slot].clear();
        SizeCache[slot].clear();
    }
}

void CheckPass::rowRemoved(int row) {
    const auto slot = static_cast<std::size_t>(row);
    if (row >= 0 && slot < FileListCache.size()) {
        FileListCache.erase(FileListCache.begin() + row);
        SizeCache.erase(SizeCache.begin() + row);
    }
}

void CheckPass::listReloaded() {
    FileListCache.clear();
    SizeCache.clear();
}

} // namespace fq
