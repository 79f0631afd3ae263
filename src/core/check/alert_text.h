#pragma once

#include "core/check/check_pass.h"

#include <optional>
#include <string>
#include <vector>

namespace fq {

// The alert window's text after one more alert line: every line, the first included, is
// preceded by CR LF.
[[nodiscard]] inline std::string AppendAlertLine(const std::string& text, const std::string& line) {
    return text + "\r\n" + line;
}

// What a scheduled pass leaves for the alert window and the desktop.
struct PassAlert {
    std::string line;         // for the alert window
    std::string notification; // for the desktop
};

// The alert of a scheduled pass that ended as `summary` says, with `silentSites` silent for too
// long: nothing when no site changed or fell silent. The line is the status line, then
// "     No report : " and the number of silent sites unless there are none. The notification
// is the line, then the address of each changed site and that of each silent one followed by
// " (No report)", one a line.
[[nodiscard]] std::optional<PassAlert>
ScheduledPassAlert(const CheckSummary& summary, const std::vector<std::string>& silentSites);

} // namespace fq
