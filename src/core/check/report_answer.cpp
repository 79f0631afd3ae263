#include "core/check/report_answer.h"

#include <limits>
#include <string_view>
#include <vector>

namespace fq {
namespace {

constexpr std::string_view kFieldEnd = "-";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

constexpr std::string_view kBlanks = " \t\r\n";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// How many times `separator` stands in `text`.
std::int64_t SeparatorCount(std::string_view text, std::string_view separator) {
    std::int64_t count = 0;
    for (auto hit = text.find(separator); hit != std::string::npos;
         hit = text.find(separator, hit + separator.size())) {
        ++count;
    }
    return count;
}

} // namespace

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

CheckResult JudgeReport(const std::string& answer, const std::vector<std::string>& fileList,
                        const std::string& reference, const LocalFileSize& localSize) {
    using Cause = NoReportReason::Cause;
    CheckResult verdict;
    verdict.listedFiles = fileList.size();
    if (fileList.empty()) {
        verdict.status = SiteStatus::kNoFolder;
        return verdict;
    }
    const auto noReport = [&verdict](Cause cause) {
        verdict.status = SiteStatus::kNoReport;
        verdict.whyNoReport.cause = cause;
        return verdict;
    };

    // An editor may have saved the script with a byte-order mark, which PHP echoes first.
    std::string_view report = answer;
    if (report.starts_with(kByteOrderMark)) {
        report.remove_prefix(kByteOrderMark.size());
    }
    // A field for every listed file: exactly one each, or ten or more with some to spare
    // after the last one. Any other count could pair a file with another file's size.
    const std::int64_t lastField = SeparatorCount(report, kFieldEnd);
    const auto listed = static_cast<std::int64_t>(fileList.size());
    if (lastField != listed && (lastField < 10 || lastField < listed)) {
        return noReport(report.empty() ? Cause::kEmptyAnswer : Cause::kNotSizes);
    }
    std::vector<std::uintmax_t> remoteSizes;
    remoteSizes.reserve(fileList.size());
    bool anyFileThere = false;
    for (std::size_t j = 0; j < fileList.size(); ++j) {
        const std::size_t end = report.find(kFieldEnd);
        const std::optional<std::uintmax_t> size = ReadSizeField(report.substr(0, end));
        if (!size) {
            return noReport(Cause::kNotSizes);
        }
        anyFileThere = anyFileThere || end > 0;
        remoteSizes.push_back(*size);
        report.remove_prefix(end + 1);
    }
    // Nothing to compare is no match: most likely the local folder is not the site's root.
    if (!anyFileThere) {
        return noReport(Cause::kNoneOfTheFiles);
    }

    verdict.status = SiteStatus::kOk;
    if (answer == reference) {
        return verdict;
    }
    for (std::size_t j = 0; j < fileList.size(); ++j) {
        // Checked access: a count off by one must fail loudly, never read a stray size.
        const std::uintmax_t remote = remoteSizes.at(j);
        if (remote < 1) {
            continue;
        }
        const std::optional<std::uintmax_t> local = localSize(fileList[j]);
        if (local && *local != remote) {
            verdict.status = SiteStatus::kChanged;
            verdict.changes.push_back({fileList[j], ChangeKind::kSize});
        }
    }
    return verdict;
}

} // namespace fq
