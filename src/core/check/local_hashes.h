#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace fq {

// SHA-256 of local files, each computed once and kept while the file's device, inode, size
// and modification time stay the same; with a cache file, also from one run to the next.
class LocalHashes {
public:
    // Reads the hashes kept in `cacheFile` ("" for none); a missing or damaged file, or a
    // damaged line, only costs a read of the files again.
    explicit LocalHashes(std::string cacheFile = {});
    // Writes the hashes looked at since the last save to the cache file, when anything
    // changed; the others are forgotten. Silent when it cannot be written.
    void save();

    struct Seen {
        std::uintmax_t size = 0;
        std::optional<std::string> sha256; // only when asked for and readable
    };

    // The size of the regular file at `path`, and its hash when the size is `hashAtSize`;
    // nothing when it is no regular file. One stat per call, and a read only for a file not
    // hashed before or changed since.
    [[nodiscard]] std::optional<Seen> look(const std::string& path, std::uintmax_t hashAtSize);

    // How many files were read so far, for the benchmarks.
    std::size_t filesRead() const { return filesRead_; }

private:
    struct Known {
        std::uintmax_t device = 0;
        std::uintmax_t inode = 0;
        std::uintmax_t size = 0;
        std::int64_t modifiedNanoseconds = 0;
        std::string sha256;
        bool operator==(const Known& other) const {
            return device == other.device && inode == other.inode && size == other.size &&
                   modifiedNanoseconds == other.modifiedNanoseconds;
        }
    };
    std::string cacheFile_;
    std::unordered_map<std::string, Known> known_;
    std::unordered_set<std::string> lookedAt_; // since the last save
    bool changed_ = false;
    std::size_t filesRead_ = 0;
};

} // namespace fq
