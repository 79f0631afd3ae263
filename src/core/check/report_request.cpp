#include "core/check/report_request.h"

namespace fq {
namespace {

// The escape of a byte that a form parser gives meaning to; nullptr for any other byte.
const char* EscapeOf(char byte) {
    switch (byte) {
    case '%':
        return "%25";
    case '&':
        return "%26";
    case '+':
        return "%2B";
    case '=':
        return "%3D";
    default:
        return nullptr;
    }
}

// Appends `value` to `out` with the form characters escaped; the other bytes go in whole runs.
void AppendEncoded(std::string& out, const std::string& value) {
    const char* run = value.data();
    const char* const end = run + value.size();
    for (const char* at = run; at != end; ++at) {
        if (const char* escape = EscapeOf(*at)) {
            out.append(run, at).append(escape);
            run = at + 1;
        }
    }
    out.append(run, end);
}

} // namespace

std::string ReportScriptUrl(const std::string& webUrl) {
    return webUrl + kReportScriptName;
}

std::string EncodeFormValue(const std::string& value) {
    std::string encoded;
    AppendEncoded(encoded, value);
    return encoded;
}

std::string BuildReportRequestBody(const std::string& password,
                                   const std::vector<std::string>& fileList) {
    std::string body = ".state=1&pw=";
    AppendEncoded(body, password);
    body += "&path=";
    for (const std::string& path : fileList) {
        AppendEncoded(body, path);
        body += "\r\n";
    }
    body += "&.referer=";
    return body;
}

} // namespace fq
