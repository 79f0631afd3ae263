#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fq {

// The name patterns of a watched-types list such as "php,js,htm,asp": every comma-separated
// piece, trimmed of spaces, with "." in front (an empty piece gives "."). An empty list gives
// no pattern, so nothing is watched.
class WatchedPatterns {
public:
    explicit WatchedPatterns(const std::string& watchedTypes);

    bool empty() const { return patterns_.empty(); }

    // True when `name` contains one of the patterns anywhere, case-sensitive.
    [[nodiscard]] bool Matches(std::string_view name) const;

private:
    std::vector<std::string> patterns_;
};

} // namespace fq
