#include "core/check/alert_text.h"

namespace fq {

std::string AlertNotificationBody(const std::string& line,
                                  const std::vector<std::string>& changedSites) {
    std::string body = line;
    for (const std::string& webUrl : changedSites) {
        body += "\n" + webUrl;
    }
    return body;
}

} // namespace fq
