#pragma once

#include <string>
#include <vector>

namespace fq {

inline constexpr const char* kIgnoreFileName = ".ferquorignore";

// The paths a site's owner chose to leave out of its check, from the ".ferquorignore" file at
// the root of its local folder: one glob per line, matched against the path relative to the
// site. "*" and "?" stand for any bytes, or one, within a folder or file name; "**" for any
// bytes across folders, and "**/" for any number of folders. A pattern that ends in "/" takes
// the folder with everything in it; one without "/" (but the last) matches a name at any
// depth; a leading "/" is the site's root. Lines that are empty or begin with "#" say nothing;
// a CR before the line's LF is no part of it.
class IgnoreRules {
public:
    // The rules of `localFolder` (ending in "/"); none when it has no readable rule file.
    [[nodiscard]] static IgnoreRules ReadFrom(const std::string& localFolder);
    [[nodiscard]] static IgnoreRules FromText(const std::string& text);

    [[nodiscard]] bool ignores(const std::string& path) const;
    bool empty() const { return patterns_.empty(); }

private:
    std::vector<std::string> patterns_; // each matched against the whole path
};

} // namespace fq
