#include "core/check/local_hashes.h"

#include "core/crypto/digest.h"
#include "core/files/text_file.h"
#include "core/text/line_escape.h"
#include "core/text/path_text.h"

#include <cinttypes>
#include <cstdio>
#include <sys/stat.h>

namespace fq {
namespace {

// One line of the cache file: device, inode, size, modification time in nanoseconds, hash and
// the escaped path, separated by spaces.
constexpr const char* kLineFormat = "%ju %ju %ju %jd %64s %n";

} // namespace

LocalHashes::LocalHashes(std::string cacheFile) : cacheFile_(std::move(cacheFile)) {
    if (cacheFile_.empty()) {
        return;
    }
    for (const std::string& line : SplitText(ReadTextFile(cacheFile_), "\n")) {
        Known known;
        char sha256[65] = {};
        int pathStart = -1;
        std::intmax_t modified = 0;
        if (std::sscanf(line.c_str(), kLineFormat, &known.device, &known.inode, &known.size,
                        &modified, sha256, &pathStart) != 5 ||
            pathStart < 0) {
            continue;
        }
        std::optional<std::string> path =
            UnescapeLineBytes(std::string_view(line).substr(static_cast<std::size_t>(pathStart)));
        const std::string_view hash(sha256);
        if (path && !path->empty() && hash.size() == 64 &&
            hash.find_first_not_of("0123456789abcdef") == std::string_view::npos) {
            known.modifiedNanoseconds = modified;
            known.sha256 = sha256;
            known_.insert_or_assign(std::move(*path), std::move(known));
        }
    }
}

void LocalHashes::save() {
    if (cacheFile_.empty() || (!changed_ && lookedAt_.size() == known_.size())) {
        lookedAt_.clear();
        return;
    }
    std::string text;
    for (auto entry = known_.begin(); entry != known_.end();) {
        if (!lookedAt_.contains(entry->first)) {
            entry = known_.erase(entry);
            continue;
        }
        const Known& known = entry->second;
        text += std::to_string(known.device) + " " + std::to_string(known.inode) + " " +
                std::to_string(known.size) + " " + std::to_string(known.modifiedNanoseconds) + " " +
                known.sha256 + " " + EscapeLineBytes(entry->first) + "\n";
        ++entry;
    }
    static_cast<void>(WriteTextFile(cacheFile_, text)); // silent: see the header
    lookedAt_.clear();
    changed_ = false;
}

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
    lookedAt_.insert(path);
    const auto known = known_.find(path);
    if (known != known_.end() && known->second == now) {
        seen.sha256 = known->second.sha256;
        return seen;
    }
    seen.sha256 = FileSha256Hex(path);
    ++filesRead_;
    changed_ = true;
    if (seen.sha256) {
        now.sha256 = *seen.sha256;
        known_.insert_or_assign(path, std::move(now));
    } else {
        known_.erase(path);
    }
    return seen;
}

} // namespace fq
