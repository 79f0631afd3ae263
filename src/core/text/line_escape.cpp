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

std::string EscapeLineBytes(std::string_view bytes) {
    std::string escaped;
    escaped.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (MustEscape(byte)) {
            escaped += '%';
            escaped += kHexDigits[byte >> 4];
            escaped += kHexDigits[byte & 0x0f];
        } else {
            escaped += c;
        }
    }
    return escaped;
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
