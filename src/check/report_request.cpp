#include "check/report_request.h"

namespace fq {

std::string ReportScriptUrl(const std::string& webUrl) {
    return webUrl + kReportScriptName;
}

std::string EncodeFormValue(const std::string& value) {
    std::string encoded;
    encoded.reserve(value.size());
    for (const char byte : value) {
        switch (byte) {
        case '%':
            encoded += "%25";
            break;
        case '&':
            encoded += "%26";
            break;
        case '+':
            encoded += "%2B";
            break;
        case '=':
            encoded += "%3D";
            break;
        default:
            encoded += byte;
        }
    }
    return encoded;
}

std::string BuildReportRequestBody(const std::string& password, const std::string& fileList) {
    return ".state=1&pw=" + EncodeFormValue(password) + "&path=" + EncodeFormValue(fileList) +
           "&.referer=";
}

} // namespace fq
