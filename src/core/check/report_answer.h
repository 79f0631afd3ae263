#pragma once

#include "core/sites/check_result.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fq {

// The size of the local copy of a listed entry; nothing when it is not a regular file that
// can be measured.
using LocalFileSize = std::function<std::optional<std::uintmax_t>(const std::string& entry)>;

// The value of one field of a report answer: 0 for the empty field, the decimal number after
// leading blanks (space, tab, CR, LF), capped at the largest value; nothing when the field
// holds anything else.
[[nodiscard]] std::optional<std::uintmax_t> ReadSizeField(std::string_view field);

// Judges `answer`, the report script's reply to the request for `fileList` (relative paths),
// against `reference`, the size text last taken as matching.
// - "No folder" when the list is empty.
// - "No report" when the answer (after a leading UTF-8 byte-order mark) does not hold a field
//   for every listed file, exactly one "-" each or 10 "-" or more but not fewer than the
//   files, when a field of a listed file is neither empty nor a number, or when every such
//   field is empty (the server has none of the files). Nothing is compared then, and the
//   verdict says why.
// - When the answer differs from the reference, each listed file whose local copy exists and
//   whose remote size is 1 or more and differs from the local one makes the site "Changed"
//   and goes into the changed paths.
// Otherwise "OK". Fields after the last listed file are never looked at.
[[nodiscard]] CheckResult JudgeReport(const std::string& answer,
                                      const std::vector<std::string>& fileList,
                                      const std::string& reference, const LocalFileSize& localSize);

} // namespace fq
