#pragma once

#include <string>

namespace fq {

// The password that the script template carries until the user picks another.
inline constexpr const char* kTemplatePassword = "lark";

// The text of the server-side report script `_report.php`, with kTemplatePassword in its
// password line: 18 lines, tab-indented, each ended by CR LF.
const std::string& ReportScriptTemplate();

// `script` with every occurrence of kTemplatePassword replaced by `password`.
std::string FillReportPassword(const std::string& script, const std::string& password);

} // namespace fq
