#include "core/check/listing_exchange.h"

#include "core/crypto/digest.h"
#include "core/text/line_escape.h"

#include <charconv>
#include <string_view>

namespace fq {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Every byte but the few that no form parser or request filter treats specially is written
// as %XX, so the body holds no line break and no text that looks like a file name.
bool NotPlainInForm(unsigned char byte) {
    const bool plain =
        (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
        (byte >= '0' && byte <= '9') ||
        std::string_view("-._~,").find(static_cast<char>(byte)) != std::string_view::npos;
    return !plain;
}

// A path as the script escapes it; nothing when it is empty or badly escaped.
std::optional<std::string> UnescapePath(std::string_view escaped) {
    std::optional<std::string> path = UnescapeLineBytes(escaped);
    if (path && path->empty()) {
        return std::nullopt;
    }
    return path;
}

bool IsLowerHex(std::string_view text, std::size_t length) {
    return text.size() == length &&
           text.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

std::optional<std::uintmax_t> ReadDecimal(std::string_view text) {
    std::uintmax_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// One "f" or "u" line, without its LF.
std::optional<ListedFile> ReadEntry(std::string_view line) {
    ListedFile file;
    if (line.starts_with("u ")) {
        const auto path = UnescapePath(line.substr(2));
        return path ? std::optional(ListedFile{*path, std::nullopt, {}}) : std::nullopt;
    }
    if (!line.starts_with("f ")) {
        return std::nullopt;
    }
    line.remove_prefix(2);
    const auto sizeEnd = line.find(' ');
    if (sizeEnd == std::string_view::npos) {
        return std::nullopt;
    }
    file.size = ReadDecimal(line.substr(0, sizeEnd));
    const std::string_view rest = line.substr(sizeEnd + 1);
    if (!file.size || rest.size() < 66 || rest[64] != ' ' || !IsLowerHex(rest.substr(0, 64), 64)) {
        return std::nullopt;
    }
    file.sha256 = rest.substr(0, 64);
    const auto path = UnescapePath(rest.substr(65));
    if (!path) {
        return std::nullopt;
    }
    file.path = *path;
    return file;
}

} // namespace

std::string BuildListingRequestBody(const std::string& password, const std::string& watchedTypes,
                                    const std::string& nonce) {
    return "fq=1&types=" + PercentEncode(watchedTypes, NotPlainInForm) + "&nonce=" + nonce +
           "&mac=" + HmacSha256Hex(password, "ferquor-list\n" + watchedTypes + "\n" + nonce);
}

ServerListing ReadListingAnswer(const std::string& answer, const std::string& password,
                                const std::string& nonce) {
    std::string_view text = answer;
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    if (!text.starts_with(kListingHeader)) {
        return {};
    }
    if (text == std::string(kListingHeader) + "refused\n") {
        return {ServerListing::Outcome::kRefused, {}};
    }
    const ServerListing forged{ServerListing::Outcome::kForged, {}};
    // The MAC covers everything before its own line; nothing is read before it is verified.
    const auto macLine = text.find("\nmac ");
    if (macLine == std::string_view::npos) {
        return forged;
    }
    const std::string_view signedPart = text.substr(0, macLine + 1);
    const std::string_view afterMac = text.substr(macLine + 5);
    const std::string_view mac = afterMac.substr(0, afterMac.find('\n'));
    if (mac.size() != 64 || afterMac.size() == 64 ||
        !EqualInConstantTime(std::string(mac), HmacSha256Hex(password, std::string(signedPart)))) {
        return forged;
    }

    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < signedPart.size();) {
        const std::size_t end = signedPart.find('\n', start);
        lines.push_back(signedPart.substr(start, end - start));
        start = end + 1;
    }
    if (lines.size() < 3 || lines[1] != "nonce " + nonce) {
        return forged;
    }
    const std::string_view last = lines.back();
    if (last == "limit files" || last == "limit time") {
        return {ServerListing::Outcome::kTooLarge, {}};
    }
    ServerListing listing{ServerListing::Outcome::kListed, {}};
    for (std::size_t i = 2; i + 1 < lines.size(); ++i) {
        auto entry = ReadEntry(lines[i]);
        if (!entry) {
            return forged;
        }
        listing.files.push_back(std::move(*entry));
    }
    if (!last.starts_with("end ") || ReadDecimal(last.substr(4)) != listing.files.size()) {
        return forged;
    }
    return listing;
}

} // namespace fq
