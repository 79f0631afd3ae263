#include "core/desktop/executable_path.h"

#include "core/text/path_text.h"

#include <climits>
#include <unistd.h>

namespace fq {

std::string ExecutablePath() {
    std::string buffer(PATH_MAX, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) {
        return {};
    }
    buffer.resize(static_cast<std::size_t>(length));
    return buffer;
}

std::string FolderOf(const std::string& executablePath) {
    return EnsureTrailing(UpToLast(executablePath, "/"), '/');
}

std::string FileNameOf(const std::string& executablePath) {
    const auto slash = executablePath.rfind('/');
    return slash == std::string::npos ? executablePath : executablePath.substr(slash + 1);
}

} // namespace fq
