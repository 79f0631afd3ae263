#include "cli/check_listing.h"

#include "core/check/report_answer.h"
#include "core/platform/path_text.h"

namespace fq {

std::string CheckListing(const SiteList& sites, const std::string& statusLine) {
    std::string text;
    for (int number = 1; number <= sites.size(); ++number) {
        const SiteRow& row = sites.at(number - 1);
        text += std::to_string(number) + "\t" + row.site.webUrl + "\t";
        if (!row.site.active) {
            text += "inactive\n";
            continue;
        }
        text += row.result.status + "\t" + row.result.total + "\n";
        for (const std::string& path : SplitText(row.result.detail, "\r\n")) {
            if (!path.empty()) {
                text += "    " + path + "\n";
            }
        }
    }
    return text + statusLine + "\n";
}

bool AnySiteChanged(const SiteList& sites) {
    for (int row = 0; row < sites.size(); ++row) {
        if (sites.at(row).result.status == kStatusChanged) {
            return true;
        }
    }
    return false;
}

} // namespace fq
