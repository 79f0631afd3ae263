#pragma once

#include <string>

namespace fq {

// The alert window's text after one more alert line: every line, the first included, is
// preceded by CR LF.
inline std::string AppendAlertLine(const std::string& text, const std::string& line) {
    return text + "\r\n" + line;
}

} // namespace fq
