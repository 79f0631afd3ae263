#pragma once

#include <optional>
#include <string>

namespace fq {

// The password that the script template carries until the user picks another.
inline constexpr const char* kTemplatePassword = "lark";

// The text of the server-side report script `_report.php`, with kTemplatePassword in its
// password line: 21 lines, tab-indented, each ended by CR LF. Given the password, it answers
// the size of each posted path followed by "-", an empty field for a path it cannot measure
// or that could lead out of the site.
[[nodiscard]] const std::string& ReportScriptTemplate();

// `script` with every occurrence of kTemplatePassword replaced by `password`.
[[nodiscard]] std::string FillReportPassword(const std::string& script,
                                             const std::string& password);

// The password that an edited `script` carries. Its lines end at CR LF; the first line that
// contains "if ($_POST['pw']" gives the text between its first two double quotes, the rest of
// the line after its only double quote, or "" when it has none. Nothing when no line holds
// the password test.
[[nodiscard]] std::optional<std::string> PasswordInScript(const std::string& script);

} // namespace fq
