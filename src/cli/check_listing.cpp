#include "cli/check_listing.h"

#include "core/sites/check_result.h"

#include <cstdio>

namespace fq {

std::string EscapeControlBytes(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char byte : text) {
        const auto code = static_cast<unsigned char>(byte);
        if (byte == '\t') {
            escaped += "\\t";
        } else if (byte == '\n') {
            escaped += "\\n";
        } else if (byte == '\r') {
            escaped += "\\r";
        } else if (code < 0x20 || code == 0x7f) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", code);
            escaped += hex;
        } else {
            escaped += byte;
        }
    }
    return escaped;
}

std::string CheckListing(const SiteList& sites, const std::string& statusLine) {
    std::string text;
    for (int number = 1; number <= sites.size(); ++number) {
        const SiteRow& row = sites.at(number - 1);
        text += std::to_string(number) + "\t" + EscapeControlBytes(row.site.webUrl) + "\t";
        if (!row.site.active) {
            text += "inactive\n";
            continue;
        }
        const bool signedList = row.result.exchange == Exchange::kSignedListing;
        text += StatusText(row.result.status) + "\t" + TotalText(row.result) + "\t" +
                (signedList ? "signed list" : "size only");
        if (row.result.status == SiteStatus::kNoReport) {
            text += "\t" + EscapeControlBytes(NoReportText(row.result.whyNoReport));
        }
        text += "\n";
        for (const FileChange& change : row.result.changes) {
            text += "    " + EscapeControlBytes(change.path) + "\t" + ChangeKindText(change.kind) +
                    "\n";
        }
    }
    return text + statusLine + "\n";
}

PassOutcome OutcomeOf(const SiteList& sites) {
    PassOutcome outcome = PassOutcome::kAllOk;
    for (int row = 0; row < sites.size(); ++row) {
        const SiteRow& site = sites.at(row);
        if (!site.site.active) {
            continue;
        }
        if (site.result.status == SiteStatus::kChanged) {
            return PassOutcome::kChanged;
        }
        if (site.result.status != SiteStatus::kOk) {
            outcome = PassOutcome::kNotChecked;
        }
    }
    return outcome;
}

} // namespace fq
