#pragma once

#include <optional>
#include <string>

namespace fq {

// SHA-256 of the file at `path` as 64 lower-case hexadecimal digits, read in pieces; nothing
// when it cannot be read whole.
[[nodiscard]] std::optional<std::string> FileSha256Hex(const std::string& path);

// HMAC-SHA256 of `message` keyed by `key`, as 64 lower-case hexadecimal digits: what PHP's
// hash_hmac('sha256', message, key) gives. "" in the unlikely case that it cannot be made,
// which matches no MAC.
[[nodiscard]] std::string HmacSha256Hex(const std::string& key, const std::string& message);

// Whether two texts are equal, taking the same time wherever they differ, so that an answer
// cannot learn a MAC byte by byte.
[[nodiscard]] bool EqualInConstantTime(const std::string& a, const std::string& b);

// `bytes` bytes from the system's secure random source, as hexadecimal digits; nothing when
// the source fails.
[[nodiscard]] std::optional<std::string> RandomHex(std::size_t bytes);

} // namespace fq
