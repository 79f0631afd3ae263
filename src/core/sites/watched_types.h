#pragma once

#include <string>

namespace fq {

inline constexpr const char* kDefaultWatchedTypes = "php,js,htm,asp";

// The text the watched-types box should hold after the user (or a load) set it to `typed`:
// the word "reset", exactly, restores the default list; anything else stays as typed.
[[nodiscard]] std::string WatchedTypesAfterEdit(const std::string& typed);

} // namespace fq
