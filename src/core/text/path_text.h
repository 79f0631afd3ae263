#pragma once

#include <string>
#include <vector>

namespace fq {

// Returns `text` with `last` appended unless it already ends with it; "" becomes `last`.
[[nodiscard]] std::string EnsureTrailing(const std::string& text, char last);

// Returns `text` up to and including the last occurrence of `separator`; "" when it has none.
[[nodiscard]] std::string UpToLast(const std::string& text, const std::string& separator);

// Returns `text` without its leading and trailing blanks (spaces).
[[nodiscard]] std::string TrimBlanks(const std::string& text);

// Replaces every occurrence of `from` (exact, case-sensitive) by `to`.
[[nodiscard]] std::string ReplaceAll(const std::string& text, const std::string& from,
                                     const std::string& to);

// True when `text` begins with `lowerPrefix` in any letter case (`lowerPrefix` is lower case).
[[nodiscard]] bool StartsWithNoCase(const std::string& text, const std::string& lowerPrefix);

// Splits `text` at every occurrence of `separator`; always yields at least one piece.
[[nodiscard]] std::vector<std::string> SplitText(const std::string& text,
                                                 const std::string& separator);

} // namespace fq
