// Turns any bytes into a post address and escapes them for a request line: what comes out
// must be sendable as it is and name the same place when read again.
#include "core/net/http_address.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

bool Sendable(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte > 0x20 && byte < 0x7F;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

void CheckEscaped(const std::string& url) {
    const std::string escaped = fq::EscapeUnsendableBytes(url);
    // Each unsendable byte becomes three bytes; every other byte stays.
    const auto unsendable = static_cast<std::size_t>(
        std::count_if(url.begin(), url.end(), [](char c) { return !Sendable(c); }));
    if (escaped.size() != url.size() + 2 * unsendable ||
        !std::all_of(escaped.begin(), escaped.end(), Sendable) ||
        fq::EscapeUnsendableBytes(escaped) != escaped) {
        __builtin_trap();
    }
}

void CheckPostAddress(const std::string& url) {
    const std::string address = fq::FormPostAddress(url);
    if (address.empty()) {
        return;
    }
    if (!(StartsWith(address, "http://") || StartsWith(address, "https://")) ||
        !std::all_of(address.begin(), address.end(), Sendable)) {
        __builtin_trap();
    }
    // A host with nothing a URL parser would take for credentials, query or fragment.
    const std::string rest = address.substr(address.find("//") + 2);
    const std::size_t slash = rest.find('/');
    if (slash == 0 || slash == std::string::npos || rest.find_first_of("@?#\\") < slash ||
        fq::FormPostAddress(address) != address) {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string url(reinterpret_cast<const char*>(data), size);
    CheckEscaped(url);
    CheckPostAddress(url);
    return 0;
}
