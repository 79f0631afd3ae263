#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace fq {

// What the last check of a site found, as the Status column names it.
enum class SiteStatus {
    kNotChecked, // no check has written a verdict yet
    kOk,
    kChanged,
    kNoReport,
    kNoFolder,
};

// The Status column's text: "OK", "Changed", "No report", "No folder", "" before any check.
[[nodiscard]] std::string StatusText(SiteStatus status);

// What one site's check found: numbers and paths, formatted only for display.
struct CheckResult {
    SiteStatus status = SiteStatus::kNotChecked;
    std::size_t listedFiles = 0;           // the files the request named
    std::vector<std::string> changedPaths; // in list order

    std::size_t changedFiles() const { return changedPaths.size(); }
    bool operator==(const CheckResult&) const = default;
};

// The Total column: the changed-file count, " : ", then the number of listed files, which
// reads -1 for an empty list ("0 : -1"); "" before any check.
[[nodiscard]] std::string TotalText(const CheckResult& result);

// The Detail text: each changed path followed by CR LF.
[[nodiscard]] std::string DetailText(const CheckResult& result);

// What a check remembers of a site for the next scheduled one: the relative paths last
// scanned, and the size text last taken as matching (compared with the raw answer bytes).
// An empty list means "scan afresh".
struct CheckCache {
    std::vector<std::string> fileList;
    std::string sizes;
};

} // namespace fq
