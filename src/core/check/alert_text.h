#pragma once

#include <string>
#include <vector>

namespace fq {

// The alert window's text after one more alert line: every line, the first included, is
// preceded by CR LF.
[[nodiscard]] inline std::string AppendAlertLine(const std::string& text, const std::string& line) {
    return text + "\r\n" + line;
}

// The text of the desktop notification of an alert: the alert line, then the address of each
// changed site, one a line.
[[nodiscard]] std::string AlertNotificationBody(const std::string& line,
                                                const std::vector<std::string>& changedSites);

} // namespace fq
