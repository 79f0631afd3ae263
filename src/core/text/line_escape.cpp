#include "core/text/line_escape.h"

namespace fq {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool MustEscape(unsigned char byte) {
    return byte < 32 || byte == 127 || byte == '%';
}

int HexValue(char digit) {
    if (digit >= '0' && digit <= '9') {
        return digit - '0';
    }
    if (digit >= 'A' && digit <= 'F') {
        return digit - 'A' + 10;
    }
    return -1;
}

} // namespace

std::string PercentEncode(std::string_view bytes, bool (*mustEscape)(unsigned char)) {
    std::string encoded;
    encoded.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (mustEscape(byte)) {
            encoded += '%';
            encoded += kHexDigits[byte >> 4];
            encoded += kHexDigits[byte & 0x0f];
        } else {
            encoded += c;
        }
    }
    return encoded;
}

std::string EscapeLineBytes(std::string_view bytes) {
    return PercentEncode(bytes, MustEscape);
}

std::optional<std::string> UnescapeLineBytes(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            if (MustEscape(static_cast<unsigned char>(text[i]))) {
                return std::nullopt;
            }
            bytes += text[i];
            continue;
        }
        const int high = i + 2 < text.size() ? HexValue(text[i + 1]) : -1;
        const int low = high >= 0 ? HexValue(text[i + 2]) : -1;
        if (low < 0) {
            return std::nullopt;
        }
        bytes += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return bytes;
}

} // namespace fq
