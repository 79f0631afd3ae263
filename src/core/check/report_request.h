#pragma once

#include <string>
#include <vector>

namespace fq {

inline constexpr const char* kReportScriptName = "_report.php";

// The address of a site's report script: `webUrl` followed directly by "_report.php".
[[nodiscard]] std::string ReportScriptUrl(const std::string& webUrl);

// `value` with "%", "&", "+" and "=" written as "%25", "%26", "%2B" and "%3D", so that a form
// parser hands it back unchanged. Every other byte, CR LF included, stays as it is.
[[nodiscard]] std::string EncodeFormValue(const std::string& value);

// The body of a report request: ".state=1&pw=", the password, "&path=", the paths of
// `fileList` each followed by CR LF, and "&.referer=", with password and paths passed through
// EncodeFormValue. This is the one place the list becomes CR LF text.
[[nodiscard]] std::string BuildReportRequestBody(const std::string& password,
                                                 const std::vector<std::string>& fileList);

} // namespace fq
