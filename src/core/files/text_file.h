#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <sys/types.h>

namespace fq {

// How a file operation ended: done, or the system's error number saying why not.
struct [[nodiscard]] FileOutcome {
    int error = 0;

    bool ok() const { return error == 0; }
    explicit operator bool() const { return ok(); }
    // The system's words for the error, such as "Permission denied"; "" when it went well.
    std::string reason() const;
};

// Returns the whole content of the file at `path`, byte for byte; the empty text when the
// path names no regular file or it cannot be read.
[[nodiscard]] std::string ReadTextFile(const std::string& path);

// The largest file that is read at all: far beyond any database or desktop entry, yet small
// enough that a huge or sparse file costs neither the memory nor the time to read it.
inline constexpr std::size_t kMaxReadBytes = 16u * 1024u * 1024u;

// The whole content of the regular file at `path`, or nothing when it is missing, not a
// regular file, larger than kMaxReadBytes (EFBIG) or cannot be read to its end (so an empty
// file and a missing one differ). `error`, when given, receives the reason of a failure.
[[nodiscard]] std::optional<std::string> ReadWholeFile(const std::string& path,
                                                       FileOutcome* error = nullptr);

// Replaces the file at `path` by exactly `content`. The bytes go to a temporary file in the
// same folder, which is flushed to disk and renamed over the target, so a failed or
// interrupted write leaves the earlier file whole. A file that is replaced keeps its
// permissions; a new one gets `newFileMode` less the umask. When `path` is a symbolic link,
// the file it leads to is the one replaced (its temporary beside it), and the link stays.
FileOutcome WriteTextFile(const std::string& path, const std::string& content,
                          mode_t newFileMode = 0666);

// Removes the temporary files that WriteTextFile(`path`, ...) leaves when the process dies
// half-way, once they are older than `minimumAge` (a younger one may be a save in progress).
void RemoveAbandonedTemporaryFiles(const std::string& path, std::chrono::seconds minimumAge);

// True when `name` (a name inside a folder) has the form of WriteTextFile's temporary files,
// whatever file they were meant to replace.
[[nodiscard]] bool IsTemporaryFileName(const std::string& name);

// Like RemoveAbandonedTemporaryFiles for every file of `folder` (ending in "/"), so also for
// files that are no longer written there.
void RemoveAbandonedTemporaryFilesIn(const std::string& folder, std::chrono::seconds minimumAge);

} // namespace fq
