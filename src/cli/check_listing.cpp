#include "cli/check_listing.h"

#include "core/sites/check_result.h"

#include <cstdio>

namespace fq {

std::string EscapeControlBytes(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char byte = text[at];
        const auto code = static_cast<unsigned char>(byte);
        const auto next = at + 1 < text.size() ? static_cast<unsigned char>(text[at + 1]) : 0;
        if (code == 0xC2 && next >= 0x80 && next <= 0x9F) {
            // U+0080 to U+009F in UTF-8: a terminal takes them for controls (U+009B opens an
            // escape sequence). A lone byte of that range is not UTF-8 and shows as such.
            char hex[9];
            std::snprintf(hex, sizeof hex, "\\xC2\\x%02X", next);
            escaped += hex;
            ++at;
        } else if (byte == '\t') {
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

std::string ExchangeName(const CheckResult& result) {
    return result.exchange == Exchange::kSignedListing ? "signed list" : "size only";
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
        text += StatusText(row.result.status) + "\t" + TotalText(row.result) + "\t" +
                ExchangeName(row.result);
        if (row.result.status == SiteStatus::kNoReport) {
            text += '\t';
            text += EscapeControlBytes(NoReportText(row.result.whyNoReport));
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
