#pragma once

#include <string>

namespace fq {

// A lock that only one process at a time can hold for a given data folder. It is an
// advisory lock on a file in a folder only this user can write, so the system frees it when
// the holder dies, a crashed instance never blocks the next start, and no other user can
// hold it for us.
class InstanceLock {
public:
    // Tries to take the lock for `dataFolder` (see DataFolder); check with held().
    // `lockFolder` is where the lock file lives; empty means XDG_RUNTIME_DIR, else a private
    // folder "ferquor-UID" made under TMPDIR or /tmp. A lock file that is a symbolic link or
    // belongs to another user is not ours and never counts as held by another instance.
    explicit InstanceLock(const std::string& dataFolder, const std::string& lockFolder = {});
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // False only when another instance of ours holds the lock.
    bool held() const { return held_; }
    // Where the holder listens for a second start's request to show its window, beside the
    // lock file (see ShowRequestListener); "" without a private folder for them.
    const std::string& showRequestSocket() const { return showRequestSocket_; }

private:
    std::string showRequestSocket_;
    int fd_ = -1;
    bool held_ = false;
};

} // namespace fq
