#include "core/net/http_address.h"

#include "core/text/path_text.h"

#include <algorithm>

namespace fq {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsHostNameChar(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '.' || c == '-' ||
           c == '_';
}

bool IsAddressV6Char(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == ':' || c == '.';
}

template <typename Predicate>
bool AllOf(const std::string& text, Predicate accepted) {
    return std::all_of(text.begin(), text.end(), accepted);
}

// "name", "name:port", "[v6]" or "[v6]:port", with nothing a URL parser would read as
// credentials, query or fragment.
bool IsHostWithPort(const std::string& host) {
    std::string name = host;
    const auto colon = host.rfind(':');
    const auto bracket = host.rfind(']');
    if (colon != std::string::npos && (bracket == std::string::npos || colon > bracket)) {
        const std::string port = host.substr(colon + 1);
        if (port.empty() || port.size() > 5 || !AllOf(port, IsDigit)) {
            return false;
        }
        name.resize(colon);
    }
    if (name.size() > 2 && name.front() == '[' && name.back() == ']') {
        return AllOf(name.substr(1, name.size() - 2), IsAddressV6Char);
    }
    return !name.empty() && AllOf(name, IsHostNameChar);
}

bool IsUnsendable(unsigned char byte) {
    return byte <= 0x20 || byte >= 0x7F;
}

// `text` with every byte that `escaped` picks written as %XX.
template <typename Predicate>
std::string PercentEncoded(const std::string& text, Predicate escaped) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (escaped(byte)) {
            encoded.push_back('%');
            encoded.push_back(kHex[byte >> 4]);
            encoded.push_back(kHex[byte & 0x0F]);
        } else {
            encoded.push_back(c);
        }
    }
    return encoded;
}

} // namespace

std::string EscapeUnsendableBytes(const std::string& url) {
    return PercentEncoded(url, IsUnsendable);
}

std::string FormPostAddress(const std::string& url) {
    std::string rest = TrimBlanks(url);
    std::string scheme = "http://";
    if (StartsWithNoCase(rest, "http://")) {
        rest.erase(0, 7);
    } else if (StartsWithNoCase(rest, "https://")) {
        rest.erase(0, 8);
        scheme = "https://";
    }
    const auto slash = rest.find('/');
    const std::string host = rest.substr(0, slash);
    const std::string path = slash == std::string::npos ? "/" : rest.substr(slash);
    if (!IsHostWithPort(host)) {
        return {};
    }
    // "#" and "?" would end the path for libcurl; the site's folder may hold them.
    return scheme + host + PercentEncoded(path, [](unsigned char byte) {
               return IsUnsendable(byte) || byte == '#' || byte == '?';
           });
}

} // namespace fq
