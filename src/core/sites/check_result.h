#pragma once

#include "core/sites/no_report_reason.h"

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

// How a file differs between the server and the local copy.
enum class ChangeKind {
    kSize,               // on both, with different sizes
    kContent,            // on both, same size, different content
    kNewOnServer,        // on the server only
    kMissingOnServer,    // in the local copy only
    kUnreadableOnServer, // the server could not read it: shown, not counted as a change
};

// The kind as the detail names it, such as "new on the server".
[[nodiscard]] std::string ChangeKindText(ChangeKind kind);

struct FileChange {
    std::string path;
    ChangeKind kind = ChangeKind::kSize;
    bool operator==(const FileChange&) const = default;
};

// How the server was asked: for the sizes of the files the program names, or for its own
// signed list of what it has.
enum class Exchange {
    kSizes,
    kSignedListing,
};

// What one site's check found: numbers and paths, formatted only for display.
struct CheckResult {
    SiteStatus status = SiteStatus::kNotChecked;
    std::size_t listedFiles = 0;     // the files the request named, or that either side listed
    std::vector<FileChange> changes; // local list order, then the server's new files
    Exchange exchange = Exchange::kSizes;
    NoReportReason whyNoReport; // only for "No report"

    // The changes that make the site "Changed": all but the unreadable ones.
    std::size_t changedFiles() const;
    bool operator==(const CheckResult&) const = default;
};

// The Total column: the changed-file count, " : ", then the number of listed files, which
// reads -1 for an empty list ("0 : -1"); "" before any check.
[[nodiscard]] std::string TotalText(const CheckResult& result);

// The Detail text, a line ended by CR LF for each change: the path alone when the sizes were
// asked, "kind: path" for a signed listing; for "No report", why, as one such line.
[[nodiscard]] std::string DetailText(const CheckResult& result);

// What a row's tooltip says of how the site was checked: for a site asked for sizes only, that
// the signed exchange would see more, and how to get it; "" otherwise.
[[nodiscard]] std::string ExchangeNote(const CheckResult& result);

// A row's tooltip: why it gave no report, if it did not; its ExchangeNote otherwise.
[[nodiscard]] std::string RowNote(const CheckResult& result);

// What a check remembers of a site for the next scheduled one: the relative paths last
// scanned, and the size text last taken as matching (compared with the raw answer bytes).
// An empty list means "scan afresh".
struct CheckCache {
    std::vector<std::string> fileList;
    std::string sizes;
    std::string scannedTypes; // the watched types the list was scanned by
};

} // namespace fq
