#include "core/platform/text_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fq {
namespace {

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

bool ReadAll(int fd, std::string& content) {
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (got == 0) {
            return true;
        }
        content.append(buffer, static_cast<std::size_t>(got));
    }
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
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        outcome.error = errno;
        return std::nullopt;
    }
    std::string content;
    content.reserve(static_cast<std::size_t>(info.st_size));
    const bool complete = ReadAll(fd, content);
    outcome.error = complete ? 0 : errno;
    ::close(fd);
    if (!complete) {
        return std::nullopt;
    }
    return content;
}

std::string ReadTextFile(const std::string& path) {
    return ReadWholeFile(path).value_or(std::string());
}

FileOutcome WriteTextFile(const std::string& path, const std::string& content) {
    if (path.empty()) {
        return {ENOENT};
    }
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return {errno};
    }
    // Keep the permissions of the file being replaced; a new file gets the usual 0666 & ~umask.
    struct stat previous {};
    if (::stat(path.c_str(), &previous) == 0) {
        ::fchmod(fd, previous.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
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

} // namespace fq
