#include "core/text/path_text.h"

#include <algorithm>
#include <cctype>

namespace fq {

std::string EnsureTrailing(const std::string& text, char last) {
    if (!text.empty() && text.back() == last) {
        return text;
    }
    return text + last;
}

std::string UpToLast(const std::string& text, const std::string& separator) {
    const auto position = text.rfind(separator);
    if (separator.empty() || position == std::string::npos) {
        return {};
    }
    return text.substr(0, position + separator.size());
}

std::string TrimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to) {
    if (from.empty()) {
        return text;
    }
    std::string result;
    std::size_t start = 0;
    for (auto hit = text.find(from); hit != std::string::npos; hit = text.find(from, start)) {
        result.append(text, start, hit - start).append(to);
        start = hit + from.size();
    }
    return result.append(text, start);
}

std::vector<std::string> SplitText(const std::string& text, const std::string& separator) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (auto hit = text.find(separator); !separator.empty() && hit != std::string::npos;
         hit = text.find(separator, start)) {
        pieces.push_back(text.substr(start, hit - start));
        start = hit + separator.size();
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

bool StartsWithNoCase(const std::string& text, const std::string& lowerPrefix) {
    return text.size() >= lowerPrefix.size() &&
           std::equal(lowerPrefix.begin(), lowerPrefix.end(), text.begin(), [](char p, char t) {
               return p == std::tolower(static_cast<unsigned char>(t));
           });
}

} // namespace fq
