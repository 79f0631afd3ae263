#include "core/sites/sort_strings.h"

#include <algorithm>
#include <string_view>

namespace fq {

void SortStrings(std::vector<std::string>& texts, std::size_t start) {
    const std::size_t offset = start > 0 ? start - 1 : 0;
    const auto tail = [offset](const std::string& text) {
        return offset < text.size() ? std::string_view(text).substr(offset) : std::string_view();
    };
    // std::string_view compares through char_traits<char>, which orders bytes as unsigned.
    std::stable_sort(
        texts.begin(), texts.end(),
        [&tail](const std::string& a, const std::string& b) { return tail(a) < tail(b); });
}

} // namespace fq
