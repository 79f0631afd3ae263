#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace fq {

// The length in bytes of the regular file at `path` (symlinks followed); nothing when the
// path names no regular file or its size cannot be read.
[[nodiscard]] std::optional<std::uintmax_t> RegularFileSize(const std::string& path);

} // namespace fq
