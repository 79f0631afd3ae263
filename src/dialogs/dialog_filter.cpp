#include "dialogs/dialog_filter.h"

#include "platform/path_text.h"

namespace fq {

namespace {

// The native pattern list ("*.htm;*.html") as the blank-separated list a name filter holds.
std::string QtPatterns(const std::string& patterns) {
    std::string result;
    for (const std::string& piece : SplitText(patterns, ";")) {
        const auto first = piece.find_first_not_of(' ');
        if (first == std::string::npos) {
            continue;
        }
        const std::string pattern = piece.substr(first, piece.find_last_not_of(' ') + 1 - first);
        if (!result.empty()) {
            result += ' ';
        }
        result += pattern == "*.*" ? "*" : pattern;
    }
    return result;
}

std::string NameFilter(const std::string& description, const std::string& patterns) {
    return description + " (" + QtPatterns(patterns) + ")";
}

} // namespace

std::string DefaultDialogFilter() {
    using namespace std::string_literals;
    return "All Files (*.*) \0*.*\0"s;
}

std::vector<std::string> NameFiltersFromNative(const std::string& filter) {
    std::vector<std::string> items = SplitText(filter, std::string(1, '\0'));
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].empty()) {
            items.resize(i);
            break;
        }
    }
    std::vector<std::string> nameFilters;
    for (std::size_t i = 0; i + 1 < items.size(); i += 2) {
        nameFilters.push_back(NameFilter(items[i], items[i + 1]));
    }
    if (items.size() % 2 == 1) {
        nameFilters.push_back(NameFilter(items.back(), items.back()));
        nameFilters.push_back(NameFiltersFromNative(DefaultDialogFilter()).front());
    }
    return nameFilters;
}

int NameFilterPosition(std::int32_t filterIndex, std::size_t filterCount) {
    if (filterIndex < 1 || static_cast<std::size_t>(filterIndex) > filterCount) {
        return 0;
    }
    return static_cast<int>(filterIndex) - 1;
}

std::int32_t FilterIndexAt(int position) {
    return position < 0 ? 0 : static_cast<std::int32_t>(position) + 1;
}

} // namespace fq
