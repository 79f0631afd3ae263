#include "core/desktop/instance_lock.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fq {
namespace {

// A folder that only this user can write: nobody else may plant or hold our lock file there.
bool IsPrivateFolder(const std::string& folder) {
    struct stat info {};
    return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::getuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// $XDG_RUNTIME_DIR, else a folder of our own under $TMPDIR or /tmp, made with mode 0700;
// "" when neither is private to this user.
std::string DefaultLockFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime != '\0' && IsPrivateFolder(runtime)) {
        return runtime;
    }
    const char* temporary = std::getenv("TMPDIR");
    const std::string base = temporary != nullptr && *temporary == '/' ? temporary : "/tmp";
    const std::string folder = base + "/ferquor-" + std::to_string(::getuid());
    ::mkdir(folder.c_str(), 0700);
    return IsPrivateFolder(folder) ? folder : std::string();
}

// FNV-1a: stable across builds, so two builds in one folder still exclude each other.
unsigned long long FolderHash(const std::string& text) {
    unsigned long long hash = 14695981039346656037ULL;
    for (const unsigned char byte : text) {
        hash = (hash ^ byte) * 1099511628211ULL;
    }
    return hash;
}

// The lock file's name and the show-request socket's, without their extension.
std::string InstanceName(const std::string& dataFolder) {
    char name[64];
    std::snprintf(name, sizeof name, "/ferquor-%016llx-%u", FolderHash(dataFolder),
                  static_cast<unsigned>(::getuid()));
    return name;
}

} // namespace

InstanceLock::InstanceLock(const std::string& dataFolder, const std::string& lockFolder) {
    const std::string folder = lockFolder.empty() ? DefaultLockFolder() : lockFolder;
    // Without a safe place for the lock the program still starts: another user must never be
    // able to keep it from running.
    held_ = true;
    if (folder.empty()) {
        return;
    }
    const std::string path = folder + InstanceName(dataFolder) + ".lock";
    showRequestSocket_ = folder + InstanceName(dataFolder) + ".sock";
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    struct stat info {};
    if (fd_ >= 0 && (::fstat(fd_, &info) != 0 || info.st_uid != ::getuid())) {
        ::close(fd_); // someone else's file says nothing about our instances
        fd_ = -1;
    }
    if (fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd_);
        fd_ = -1;
        held_ = false;
    }
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

} // namespace fq
