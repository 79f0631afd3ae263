#include "cli/check_listing.h"

#include "check/report_answer.h"
#include "platform/path_text.h"

namespace fq {

std::string CheckListing(const SiteTable& table, const std::string& statusLine) {
    std::string text;
    int number = 0;
    for (const SiteTable::Row& row : table.rows()) {
        text += std::to_string(++number) + "\t" + row.site.webUrl + "\t";
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

bool AnySiteChanged(const SiteTable& table) {
    for (const SiteTable::Row& row : table.rows()) {
        if (row.result.status == kStatusChanged) {
            return true;
        }
    }
    return false;
}

} // namespace fq
