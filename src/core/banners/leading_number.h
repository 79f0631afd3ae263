#pragma once

#include <string>

namespace fq {

// The number `text` starts with after leading blanks: an optional sign, digits and an
// optional decimal part, read up to the first character that cannot continue it; 0 when the
// text starts with no number. "17-4" gives 17, "0-4" and "" give 0.
[[nodiscard]] double LeadingNumber(const std::string& text);

} // namespace fq
