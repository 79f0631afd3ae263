#pragma once

#include <string>

namespace fq {

// Returns the whole content of the file at `path`, byte for byte; the empty text when the
// path names no regular file or it cannot be read.
std::string ReadTextFile(const std::string& path);

// Replaces the file at `path` by exactly `content`. The bytes go to a temporary file in the
// same folder, which is flushed to disk and renamed over the target, so a failed or
// interrupted write leaves the earlier file whole. Returns true after a complete write.
bool WriteTextFile(const std::string& path, const std::string& content);

} // namespace fq
