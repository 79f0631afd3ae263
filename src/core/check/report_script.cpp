#include "core/check/report_script.h"

#include "core/text/path_text.h"

#include <algorithm>
#include <string_view>

namespace fq {
namespace {

// Written with LF line ends for reading here; the script goes out with CR LF.
//
// The full "<?php" tag: servers with short tags off would serve "<?" as plain text. No closing
// "?>", so nothing can follow the answer. Missing fields become defaults, and "@" silences
// missing or unreadable entries, rather than warnings that name the server's folders. hash_equals
// compares exactly (PHP's "==" takes "0e1" for "0") and in constant time.
constexpr const char* kScript = R"php(<?php
// Ferrow Quorvel report script: it tells the program the size of this site's watched files,
// and only when asked with the password below.
// 1. Upload this file as _report.php to the root of your site, so that it answers at
//    http://www.yourwebsite.com/_report.php
// 2. The password must be the one set in Ferrow Quorvel. Inside its quotes, write \' for '
//    and \\ for \.
$pw = 'lark';

$_POST += array('pw' => null, 'path' => null);
if (is_string($_POST['pw']) && is_string($_POST['path']) && hash_equals($pw, $_POST['pw'])) {
	// The size of each path followed by "-"; a path that could leave the site gets an empty
	// field, like a missing file, so that the fields keep their places.
	$sizes = '';
	foreach (explode("\r\n", $_POST['path']) as $p) {
		if ($p !== '') {
			$outside = strpos($p, '://') !== false || $p[0] == '/'
				|| in_array('..', explode('/', $p), true);
			$sizes .= ($outside ? '' : @filesize($p)) . '-';
		}
	}
	echo $sizes;
}
)php";

// The old script's password test, `if ($_POST['pw']==="PASSWORD") {`.
constexpr std::string_view kOldPasswordTest = "if ($_POST['pw']";

// The text after the "=" of a line that sets $pw (blanks allowed around it), or nothing.
std::optional<std::string_view> PasswordAssigned(std::string_view line) {
    line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
    if (!line.starts_with("$pw")) {
        return std::nullopt;
    }
    line.remove_prefix(3);
    line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
    if (!line.starts_with('=') || line.starts_with("==")) {
        return std::nullopt;
    }
    return line.substr(1);
}

// The single-quoted PHP string that starts at the first "'" of `text`, undone; the rest of
// `text` when it is not closed, "" when there is no quote.
std::string SingleQuoted(std::string_view text) {
    std::string value;
    const std::size_t open = text.find('\'');
    if (open == std::string_view::npos) {
        return value;
    }
    for (std::size_t at = open + 1; at < text.size() && text[at] != '\''; ++at) {
        if (text[at] == '\\' && at + 1 < text.size() &&
            (text[at + 1] == '\\' || text[at + 1] == '\'')) {
            ++at;
        }
        value.push_back(text[at]);
    }
    return value;
}

} // namespace

const std::string& ReportScriptTemplate() {
    static const std::string text = ReplaceAll(kScript, "\n", "\r\n");
    return text;
}

std::string FillReportPassword(const std::string& script, const std::string& password) {
    const std::string quoted = ReplaceAll(ReplaceAll(password, "\\", "\\\\"), "'", "\\'");
    return ReplaceAll(script, kTemplatePassword, quoted);
}

std::optional<std::string> PasswordInScript(const std::string& script) {
    for (const std::string& line : SplitText(script, "\r\n")) {
        if (const auto assigned = PasswordAssigned(line)) {
            return SingleQuoted(*assigned);
        }
        if (line.find(kOldPasswordTest) != std::string::npos) {
            const std::vector<std::string> pieces = SplitText(line, "\"");
            return pieces.size() > 1 ? pieces[1] : std::string();
        }
    }
    return std::nullopt;
}

} // namespace fq
