#include "core/platform/instance_lock.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace fq {
namespace {

std::string DefaultLockFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime != '\0' && ::access(runtime, W_OK) == 0) {
        return runtime;
    }
    return "/tmp";
}

// FNV-1a: stable across builds, so two builds in one folder still exclude each other.
unsigned long long FolderHash(const std::string& text) {
    unsigned long long hash = 14695981039346656037ULL;
    for (const unsigned char byte : text) {
        hash = (hash ^ byte) * 1099511628211ULL;
    }
    return hash;
}

std::string LockFileName(const std::string& appFolder) {
    char name[64];
    std::snprintf(name, sizeof name, "/ferquor-%016llx-%u.lock", FolderHash(appFolder),
                  static_cast<unsigned>(::getuid()));
    return name;
}

} // namespace

InstanceLock::InstanceLock(const std::string& appFolder, const std::string& lockFolder) {
    const std::string path =
        (lockFolder.empty() ? DefaultLockFolder() : lockFolder) + LockFileName(appFolder);
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

} // namespace fq
