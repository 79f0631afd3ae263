#include "core/sites/check_result.h"

#include <algorithm>

namespace fq {
namespace {

std::string WhyNoReport(const CheckResult& result) {
    return result.status == SiteStatus::kNoReport ? NoReportText(result.whyNoReport)
                                                  : std::string();
}

} // namespace

std::string StatusText(SiteStatus status) {
    switch (status) {
    case SiteStatus::kNotChecked:
        return {};
    case SiteStatus::kOk:
        return "OK";
    case SiteStatus::kChanged:
        return "Changed";
    case SiteStatus::kNoReport:
        return "No report";
    case SiteStatus::kNoFolder:
        return "No folder";
    }
    return {};
}

std::string ChangeKindText(ChangeKind kind) {
    switch (kind) {
    case ChangeKind::kSize:
        return "size differs";
    case ChangeKind::kContent:
        return "same size, content differs";
    case ChangeKind::kNewOnServer:
        return "new on the server";
    case ChangeKind::kMissingOnServer:
        return "missing on the server";
    case ChangeKind::kUnreadableOnServer:
        return "unreadable on the server";
    }
    return {};
}

std::size_t CheckResult::changedFiles() const {
    return static_cast<std::size_t>(
        std::count_if(changes.begin(), changes.end(), [](const FileChange& change) {
            return change.kind != ChangeKind::kUnreadableOnServer;
        }));
}

std::string ExchangeNote(const CheckResult& result) {
    if (result.status == SiteStatus::kNotChecked || result.exchange != Exchange::kSizes) {
        return {};
    }
    return "Checked by size only: new, missing and same-size edited files are not seen. Upload "
           "the new report script (Php Code) to this site.";
}

std::string RowNote(const CheckResult& result) {
    // A site that gave no report was not checked at all, by size or otherwise.
    return result.status == SiteStatus::kNoReport ? WhyNoReport(result) : ExchangeNote(result);
}

std::string TotalText(const CheckResult& result) {
    if (result.status == SiteStatus::kNotChecked) {
        return {};
    }
    // The count was the index of the last piece of the CR LF list, -1 for the empty list.
    const std::string listed =
        result.listedFiles == 0 ? std::string("-1") : std::to_string(result.listedFiles);
    return std::to_string(result.changedFiles()) + " : " + listed;
}

std::string DetailText(const CheckResult& result) {
    std::string detail;
    for (const FileChange& change : result.changes) {
        if (result.exchange == Exchange::kSignedListing) {
            detail.append(ChangeKindText(change.kind)).append(": ");
        }
        detail.append(change.path).append("\r\n");
    }
    if (const std::string why = WhyNoReport(result); !why.empty()) {
        detail.append(why).append("\r\n");
    }
    return detail;
}

} // namespace fq
