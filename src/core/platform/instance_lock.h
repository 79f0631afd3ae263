#pragma once

#include <string>

namespace fq {

// A lock that only one process at a time can hold for a given program folder. It is an
// advisory lock on a file in the runtime folder, so the system frees it when the holder dies
// and a crashed instance never blocks the next start.
class InstanceLock {
public:
    // Tries to take the lock for `appFolder`; check with held().
    // `lockFolder` is where the lock file lives; empty means XDG_RUNTIME_DIR, else /tmp.
    explicit InstanceLock(const std::string& appFolder, const std::string& lockFolder = {});
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

} // namespace fq
