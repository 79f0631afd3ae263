#include "core/check/report_answer.h"

#include "core/platform/path_text.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <vector>

namespace fq {
namespace {

constexpr const char* kFieldEnd = "-";
constexpr const char* kEntryEnd = "\r\n";

constexpr std::string_view kBlanks = " \t\r\n";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::int64_t LastPieceIndex(const std::string& text, const std::string& separator) {
    if (text.empty()) {
        return -1;
    }
    std::int64_t count = 0;
    for (auto hit = text.find(separator); hit != std::string::npos;
         hit = text.find(separator, hit + separator.size())) {
        ++count;
    }
    return count;
}

std::optional<std::uintmax_t> ReadSizeField(std::string_view field) {
    if (field.empty()) {
        return 0;
    }
    std::size_t at = field.find_first_not_of(kBlanks);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    constexpr std::uintmax_t largest = std::numeric_limits<std::uintmax_t>::max();
    std::uintmax_t value = 0;
    for (; at < field.size(); ++at) {
        if (!IsDigit(field[at])) {
            return std::nullopt;
        }
        const auto digit = static_cast<std::uintmax_t>(field[at] - '0');
        value = value > (largest - digit) / 10 ? largest : value * 10 + digit;
    }
    return value;
}

ReportVerdict JudgeReport(const std::string& answer, const std::string& fileList,
                          const std::string& reference, const LocalFileSize& localSize) {
    ReportVerdict verdict;
    verdict.status = kStatusOk;
    verdict.lastEntry = LastPieceIndex(fileList, kEntryEnd);
    const std::int64_t lastField = LastPieceIndex(answer, kFieldEnd);
    const auto listed = static_cast<std::size_t>(verdict.lastEntry < 0 ? 0 : verdict.lastEntry);

    // The fields of the listed files in order: missing ones count as empty, later ones are
    // never looked at.
    std::vector<std::uintmax_t> remoteSizes;
    remoteSizes.reserve(listed);
    std::string_view rest = answer;
    bool sizesOnly = true;
    for (std::size_t j = 0; j < listed && sizesOnly; ++j) {
        const std::size_t end = std::min(rest.find(kFieldEnd), rest.size());
        const std::optional<std::uintmax_t> size = ReadSizeField(rest.substr(0, end));
        sizesOnly = size.has_value();
        remoteSizes.push_back(size.value_or(0));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }

    if ((lastField < 10 && lastField != verdict.lastEntry) || !sizesOnly) {
        verdict.status = kStatusNoReport;
    }
    if (verdict.lastEntry == -1) {
        verdict.status = kStatusNoFolder;
    }
    if (!sizesOnly || answer == reference) {
        return verdict;
    }

    const std::vector<std::string> entries = SplitText(fileList, kEntryEnd);
    for (std::size_t j = 0; j < listed; ++j) {
        // Checked access: a count off by one must fail loudly, never read a stray size.
        const std::uintmax_t remote = remoteSizes.at(j);
        if (remote < 1) {
            continue;
        }
        const std::optional<std::uintmax_t> local = localSize(entries.at(j));
        if (local && *local != remote) {
            verdict.status = kStatusChanged;
            ++verdict.changedFiles;
            verdict.detail += entries[j] + kEntryEnd;
        }
    }
    return verdict;
}

std::string TotalText(const ReportVerdict& verdict) {
    return std::to_string(verdict.changedFiles) + " : " + std::to_string(verdict.lastEntry);
}

} // namespace fq
