#include "core/check/alert_text.h"

namespace fq {

std::optional<PassAlert> ScheduledPassAlert(const CheckSummary& summary,
                                            const std::vector<std::string>& silentSites) {
    const std::vector<std::string> changed = summary.changedSites();
    if (changed.empty() && silentSites.empty()) {
        return std::nullopt;
    }
    PassAlert alert;
    alert.line = summary.statusLine();
    if (!silentSites.empty()) {
        alert.line += "     No report : " + std::to_string(silentSites.size());
    }
    alert.notification = alert.line;
    for (const std::string& webUrl : changed) {
        alert.notification += "\n" + webUrl;
    }
    for (const std::string& webUrl : silentSites) {
        alert.notification += "\n" + webUrl + " (No report)";
    }
    return alert;
}

} // namespace fq
