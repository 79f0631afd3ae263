// Judges any report answer against any file list and reference, with the local sizes taken
// from the input's last bytes, and reads the answer as one size field. Input: answer, file
// list (paths each ended by CR LF) and reference, each ended by a backslash and another byte,
// then the local sizes.
#include "core/check/report_answer.h"
#include "core/text/path_text.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A local size byte of this value stands for a local copy that is missing.
constexpr std::uint8_t kMissingFile = 255;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A size field read another way: blanks, then digits that std::from_chars reads, with a value
// too large for it capped at the largest.
std::optional<std::uintmax_t> ExpectedSize(std::string_view field) {
    if (field.empty()) {
        return 0;
    }
    const std::size_t at = field.find_first_not_of(" \t\r\n");
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view digits = field.substr(at);
    if (!std::all_of(digits.begin(), digits.end(), IsDigit)) {
        return std::nullopt;
    }
    std::uintmax_t value = 0;
    const auto read = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (read.ec == std::errc::result_out_of_range) {
        return std::numeric_limits<std::uintmax_t>::max();
    }
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string answer = input.ConsumeRandomLengthString();
    std::vector<std::string> fileList = fq::SplitText(input.ConsumeRandomLengthString(), "\r\n");
    fileList.pop_back(); // what follows the last CR LF is no path
    const std::string reference = input.ConsumeRandomLengthString();

    if (fq::ReadSizeField(answer) != ExpectedSize(answer)) {
        __builtin_trap();
    }

    std::size_t asked = 0;
    const fq::LocalFileSize localSize = [&](const std::string& entry) {
        ++asked;
        if (std::find(fileList.begin(), fileList.end(), entry) == fileList.end()) {
            __builtin_trap(); // only listed paths are measured
        }
        const auto byte = input.ConsumeIntegral<std::uint8_t>();
        return byte == kMissingFile ? std::nullopt : std::optional<std::uintmax_t>(byte);
    };
    const fq::CheckResult verdict = fq::JudgeReport(answer, fileList, reference, localSize);

    // Status, count and paths tell one story; only listed paths are measured, and none when
    // the answer is the reference.
    const fq::SiteStatus status = verdict.status;
    const std::size_t changed = verdict.changedFiles();
    if (status == fq::SiteStatus::kNotChecked || fq::StatusText(status).empty() ||
        (status == fq::SiteStatus::kChanged) != (changed > 0) || changed > asked ||
        asked > fileList.size() || verdict.listedFiles != fileList.size() ||
        (answer == reference && asked > 0) ||
        (fileList.empty() != (status == fq::SiteStatus::kNoFolder))) {
        __builtin_trap();
    }
    return 0;
}
