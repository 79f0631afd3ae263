#include "core/check/local_hashes.h"

#include "core/crypto/digest.h"

#include <sys/stat.h>

namespace fq {

std::optional<std::string> LocalHashes::of(const std::string& path) {
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
    const auto known = known_.find(path);
    if (known != known_.end() && known->second == now) {
        return known->second.sha256;
    }
    std::optional<std::string> sha256 = FileSha256Hex(path);
    ++filesRead_;
    if (!sha256) {
        known_.erase(path);
        return std::nullopt;
    }
    now.sha256 = *sha256;
    known_.insert_or_assign(path, std::move(now));
    return sha256;
}

} // namespace fq
