#include "core/check/local_hashes.h"

#include "core/crypto/digest.h"

#include <sys/stat.h>

namespace fq {

std::optional<LocalHashes::Seen> LocalHashes::look(const std::string& path,
                                                   std::uintmax_t hashAtSize) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    Known now;
    now.device = info.st_dev;
    now.inode = info.st_ino;
    now.size = static_cast<std::uintmax_t>(info.st_size);
    now.modifiedNanoseconds =
        static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    Seen seen{now.size, std::nullopt};
    if (now.size != hashAtSize) {
        return seen;
    }
    const auto known = known_.find(path);
    if (known != known_.end() && known->second == now) {
        seen.sha256 = known->second.sha256;
        return seen;
    }
    seen.sha256 = FileSha256Hex(path);
    ++filesRead_;
    if (seen.sha256) {
        now.sha256 = *seen.sha256;
        known_.insert_or_assign(path, std::move(now));
    } else {
        known_.erase(path);
    }
    return seen;
}

} // namespace fq
