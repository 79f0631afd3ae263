#pragma once

#include <string>

namespace fq {

// Full path of the running executable, read from /proc/self/exe; "" when it cannot be read.
[[nodiscard]] std::string ExecutablePath();

// The folder of `executablePath`, always ending in "/" ("/" itself for a file in the root).
[[nodiscard]] std::string FolderOf(const std::string& executablePath);

// The file name of `executablePath` without any folder.
[[nodiscard]] std::string FileNameOf(const std::string& executablePath);

} // namespace fq
