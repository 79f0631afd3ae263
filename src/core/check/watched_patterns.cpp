#include "core/check/watched_patterns.h"

#include "core/text/path_text.h"

#include <utility>

namespace fq {
namespace {

std::string_view TrimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

WatchedPatterns::WatchedPatterns(const std::string& watchedTypes) {
    if (watchedTypes.empty()) {
        return;
    }
    for (const std::string& piece : SplitText(watchedTypes, ",")) {
        // Appended rather than "." + piece, which GCC 12 misreads as an overlapping copy.
        std::string pattern = ".";
        pattern += TrimSpaces(piece);
        patterns_.push_back(std::move(pattern));
    }
}

bool WatchedPatterns::Matches(std::string_view name) const {
    // Every pattern starts with ".", so only the dots of the name can start a match.
    for (auto dot = name.find('.'); dot != std::string_view::npos; dot = name.find('.', dot + 1)) {
        const std::string_view rest = name.substr(dot);
        for (const std::string& pattern : patterns_) {
            if (rest.starts_with(pattern)) {
                return true;
            }
        }
    }
    return false;
}

} // namespace fq
