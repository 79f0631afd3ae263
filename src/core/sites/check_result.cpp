#include "core/sites/check_result.h"

namespace fq {

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
    for (const std::string& path : result.changedPaths) {
        detail.append(path).append("\r\n");
    }
    return detail;
}

} // namespace fq
