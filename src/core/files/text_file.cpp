#include "core/files/text_file.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fq {
namespace {

// What WriteTextFile puts between the target's name and mkostemp's six random characters.
constexpr const char* kTemporaryInfix = ".tmp";
constexpr std::size_t kTemporaryRandomLength = 6;

bool WriteAll(int fd, const std::string& content) {
    const char* next = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, left);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        next += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// Reads to the end of `fd`; the errno of a failure, EFBIG when it holds more than the cap.
int ReadAll(int fd, std::string& content) {
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (got == 0) {
            return 0;
        }
        if (content.size() + static_cast<std::size_t>(got) > kMaxReadBytes) {
            return EFBIG; // it grew while being read
        }
        content.append(buffer, static_cast<std::size_t>(got));
    }
}

// The file that `path` stands for: the end of its chain of symbolic links, each relative
// target read from its link's folder; nothing for a chain that loops or is too long.
std::optional<std::string> FollowLinks(std::string path) {
    constexpr int kMaxLinks = 40; // as the kernel allows
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return path;
        }
        std::string target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length <= 0 || static_cast<std::size_t>(length) == target.size()) {
            return path;
        }
        target.resize(static_cast<std::size_t>(length));
        const std::size_t slash = path.rfind('/');
        path = target.starts_with('/') || slash == std::string::npos
                   ? target
                   : path.substr(0, slash + 1) + target;
    }
    return std::nullopt;
}

bool IsTemporaryName(const std::string& name, const std::string& prefix) {
    if (name.size() != prefix.size() + kTemporaryRandomLength || !name.starts_with(prefix)) {
        return false;
    }
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        if (std::isalnum(static_cast<unsigned char>(name[i])) == 0) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string FileOutcome::reason() const {
    return ok() ? std::string() : std::string(std::strerror(error));
}

std::optional<std::string> ReadWholeFile(const std::string& path, FileOutcome* error) {
    FileOutcome ignored;
    FileOutcome& outcome = error != nullptr ? *error : ignored;
    outcome = {};
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0) {
        outcome.error = path.empty() ? ENOENT : errno;
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode)) {
        outcome.error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        return std::nullopt;
    }
    if (static_cast<std::uintmax_t>(info.st_size) > kMaxReadBytes) {
        outcome.error = EFBIG;
        return std::nullopt;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        outcome.error = errno;
        return std::nullopt;
    }
    std::string content;
    content.reserve(static_cast<std::size_t>(info.st_size));
    outcome.error = ReadAll(fd, content);
    ::close(fd);
    if (!outcome.ok()) {
        return std::nullopt;
    }
    return content;
}

std::string ReadTextFile(const std::string& path) {
    return ReadWholeFile(path).value_or(std::string());
}

FileOutcome WriteTextFile(const std::string& link, const std::string& content, mode_t newFileMode) {
    if (link.empty()) {
        return {ENOENT};
    }
    const std::optional<std::string> target = FollowLinks(link);
    if (!target) {
        return {ELOOP};
    }
    const std::string& path = *target;
    std::string temporary = path + kTemporaryInfix + std::string(kTemporaryRandomLength, 'X');
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return {errno};
    }
    struct stat previous {};
    if (::stat(path.c_str(), &previous) == 0) {
        ::fchmod(fd, previous.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, newFileMode & ~mask);
    }
    FileOutcome outcome;
    if (!WriteAll(fd, content) || ::fsync(fd) != 0) {
        outcome.error = errno;
    }
    if (::close(fd) != 0 && outcome.ok()) {
        outcome.error = errno;
    }
    if (outcome.ok() && ::rename(temporary.c_str(), path.c_str()) != 0) {
        outcome.error = errno;
    }
    if (!outcome.ok()) {
        ::unlink(temporary.c_str());
    }
    return outcome;
}

namespace {

// Removes the regular files of this user in `folder` whose names `isTemporary` accepts, once
// they are older than `minimumAge`. Links are never followed.
template <typename Predicate>
void RemoveAbandoned(const std::string& folder, const Predicate& isTemporary,
                     std::chrono::seconds minimumAge) {
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) {
        return;
    }
    const auto now = std::chrono::system_clock::now();
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        struct stat info {};
        if (!isTemporary(name) ||
            ::fstatat(::dirfd(listing), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(info.st_mode) || info.st_uid != ::getuid()) {
            continue;
        }
        const auto modified = std::chrono::system_clock::from_time_t(info.st_mtime);
        if (now - modified > minimumAge) {
            ::unlinkat(::dirfd(listing), name.c_str(), 0);
        }
    }
    ::closedir(listing);
}

} // namespace

void RemoveAbandonedTemporaryFiles(const std::string& link, std::chrono::seconds minimumAge) {
    const std::string path = FollowLinks(link).value_or(link);
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string prefix = path.substr(slash + 1) + kTemporaryInfix;
    RemoveAbandoned(
        folder, [&prefix](const std::string& name) { return IsTemporaryName(name, prefix); },
        minimumAge);
}

bool IsTemporaryFileName(const std::string& name) {
    const std::size_t infix = name.rfind(kTemporaryInfix);
    return infix != std::string::npos &&
           IsTemporaryName(name, name.substr(0, infix + std::strlen(kTemporaryInfix)));
}

void RemoveAbandonedTemporaryFilesIn(const std::string& folder, std::chrono::seconds minimumAge) {
    RemoveAbandoned(folder, IsTemporaryFileName, minimumAge);
}

} // namespace fq
