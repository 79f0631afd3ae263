#pragma once

#include <optional>
#include <string>

namespace fq {

// Returns the whole content of the file at `path`, byte for byte; the empty text when the
// path names no regular file or it cannot be read.
std::string ReadTextFile(const std::string& path);

// The whole content of the regular file at `path`, or nothing when it is missing, not a
// regular file or cannot be read to its end (so an empty file and a missing one differ).
std::optional<std::string> ReadWholeFile(const std::string& path);

// Replaces the file at `path` by exactly `content`. The bytes go to a temporary file in the
// same folder, which is flushed to disk and renamed over the target, so a failed or
// interrupted write leaves the earlier file whole. Returns true after a complete write.
bool WriteTextFile(const std::string& path, const std::string& content);

} // namespace fq
