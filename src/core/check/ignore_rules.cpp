#include "core/check/ignore_rules.h"

#include "core/files/text_file.h"
#include "core/text/path_text.h"

#include <string_view>

namespace fq {
namespace {

// Whether `pattern` matches the whole of `path`, by a table over both (no backtracking, so
// a long path costs pattern length times path length at most).
bool GlobMatches(std::string_view pattern, std::string_view path) {
    enum class Kind { kByte, kOneInName, kAnyInName, kAnyFolders, kAnything };
    struct Token {
        Kind kind;
        char byte;
    };
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern.substr(i).starts_with("**/")) {
            tokens.push_back({Kind::kAnyFolders, 0});
            i += 2;
        } else if (pattern.substr(i).starts_with("**")) {
            tokens.push_back({Kind::kAnything, 0});
            ++i;
        } else if (pattern[i] == '*') {
            tokens.push_back({Kind::kAnyInName, 0});
        } else if (pattern[i] == '?') {
            tokens.push_back({Kind::kOneInName, 0});
        } else {
            tokens.push_back({Kind::kByte, pattern[i]});
        }
    }
    const std::size_t m = path.size();
    // matches[j]: tokens from the current one on match path[j..]; `next` holds the row of the
    // token after it.
    std::vector<char> next(m + 1, 0), matches(m + 1, 0);
    next[m] = 1;
    for (auto token = tokens.rbegin(); token != tokens.rend(); ++token) {
        std::size_t slashAfter = std::string_view::npos; // the first "/" at j or later
        for (std::size_t j = m + 1; j-- > 0;) {
            if (j < m && path[j] == '/') {
                slashAfter = j;
            }
            const bool more = j < m;
            switch (token->kind) {
            case Kind::kByte:
                matches[j] = more && path[j] == token->byte && next[j + 1];
                break;
            case Kind::kOneInName:
                matches[j] = more && path[j] != '/' && next[j + 1];
                break;
            case Kind::kAnyInName:
                matches[j] = next[j] || (more && path[j] != '/' && matches[j + 1]);
                break;
            case Kind::kAnything:
                matches[j] = next[j] || (more && matches[j + 1]);
                break;
            case Kind::kAnyFolders:
                matches[j] =
                    next[j] || (slashAfter != std::string_view::npos && matches[slashAfter + 1]);
                break;
            }
        }
        next.swap(matches);
    }
    return next[0] != 0;
}

} // namespace

IgnoreRules IgnoreRules::ReadFrom(const std::string& localFolder) {
    return FromText(ReadTextFile(localFolder + kIgnoreFileName));
}

IgnoreRules IgnoreRules::FromText(const std::string& text) {
    IgnoreRules rules;
    for (std::string line : SplitText(text, "\n")) {
        if (line.ends_with('\r')) {
            line.pop_back();
        }
        if (line.empty() || line.starts_with('#')) {
            continue;
        }
        const bool folder = line.ends_with('/');
        if (folder) {
            line.pop_back();
        }
        const bool rooted = line.starts_with('/');
        if (rooted) {
            line.erase(0, 1);
        }
        if (line.empty()) {
            continue;
        }
        if (!rooted && line.find('/') == std::string::npos) {
            line = "**/" + line;
        }
        rules.patterns_.push_back(folder ? line + "/**" : line);
    }
    return rules;
}

bool IgnoreRules::ignores(const std::string& path) const {
    for (const std::string& pattern : patterns_) {
        if (GlobMatches(pattern, path)) {
            return true;
        }
    }
    return false;
}

} // namespace fq
