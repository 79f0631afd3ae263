#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fq {

// `bytes` with every byte for which `mustEscape` holds written as %XX, upper-case hex.
[[nodiscard]] std::string PercentEncode(std::string_view bytes, bool (*mustEscape)(unsigned char));

// `bytes` with every byte that could break a line or a field of a text file (0 to 31, 127)
// and "%" itself written as %XX, upper-case hex; every other byte, space and non-ASCII
// included, stays as it is.
[[nodiscard]] std::string EscapeLineBytes(std::string_view bytes);

// The bytes EscapeLineBytes wrote as `text`; nothing when an escape is cut short or not hex,
// or a byte that must have been escaped stands raw.
[[nodiscard]] std::optional<std::string> UnescapeLineBytes(std::string_view text);

} // namespace fq
