// Encodes any password and file list into a report request body and reads it back the way a
// form parser does. Input: the password ended by a backslash and another byte, then the list
// (paths each ended by CR LF).
#include "core/check/report_request.h"
#include "core/text/path_text.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A form value as PHP reads it: "+" is a space, "%" with two hex digits is that byte.
std::string FormDecode(std::string_view value) {
    std::string decoded;
    for (std::size_t i = 0; i < value.size(); ++i) {
        unsigned byte = 0;
        const char* hex = value.data() + i + 1;
        if (value[i] == '%' && i + 2 < value.size() &&
            std::from_chars(hex, hex + 2, byte, 16).ptr == hex + 2) {
            decoded += static_cast<char>(byte);
            i += 2;
        } else {
            decoded += value[i] == '+' ? ' ' : value[i];
        }
    }
    return decoded;
}

void CheckEncoded(const std::string& value) {
    const std::string encoded = fq::EncodeFormValue(value);
    if (encoded.find_first_of("&+=") != std::string::npos || FormDecode(encoded) != value) {
        __builtin_trap();
    }
}

// The body's "&"-separated fields must be exactly these names with these values.
void CheckBody(const std::string& body, const std::vector<std::string>& names,
               const std::vector<std::string>& values) {
    const std::vector<std::string> fields = fq::SplitText(body, "&");
    if (fields.size() != names.size()) {
        __builtin_trap();
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::size_t equals = fields[i].find('=');
        if (equals == std::string::npos || fields[i].substr(0, equals) != names[i] ||
            FormDecode(std::string_view(fields[i]).substr(equals + 1)) != values[i]) {
            __builtin_trap();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string password = input.ConsumeRandomLengthString();
    const std::string listText = input.ConsumeRemainingBytesAsString();
    std::vector<std::string> fileList = fq::SplitText(listText, "\r\n");
    fileList.pop_back(); // what follows the last CR LF is no path
    CheckEncoded(password);
    CheckEncoded(listText);
    CheckBody(fq::BuildReportRequestBody(password, fileList), {".state", "pw", "path", ".referer"},
              {"1", password, fq::UpToLast(listText, "\r\n"), ""});
    return 0;
}
