#pragma once

#include <optional>
#include <string>

namespace fq {

// The password that the script template carries until the user picks another.
inline constexpr const char* kTemplatePassword = "lark";

// The text of the server-side report script `_report.php`, tab-indented, each line ended by
// CR LF, with kTemplatePassword once, in its password line `$pw = 'lark';`. Given the
// password, it answers both exchanges: the size of each posted path followed by "-" (an empty
// field for a path it cannot measure or that could lead out of the site), and the signed
// listing of core/check/listing_exchange.h.
[[nodiscard]] const std::string& ReportScriptTemplate();

// `script` with every occurrence of kTemplatePassword replaced by `password`, written as it
// must be inside single quotes in PHP (`\` as `\\`, `'` as `\'`), so that any password works.
[[nodiscard]] std::string FillReportPassword(const std::string& script,
                                             const std::string& password);

// The password that an edited `script` carries, from its first password line (lines end at
// CR LF). A line `$pw = '...';` gives the text between its single quotes with `\\` and `\'`
// undone, the rest of the line when the quote is not closed, or "" when it has none. A line
// of an earlier script that contains "if ($_POST['pw']" gives the text between its first two
// double quotes, the rest of the line after its only double quote, or "" when it has none.
// Nothing when no line holds a password.
[[nodiscard]] std::optional<std::string> PasswordInScript(const std::string& script);

} // namespace fq
