#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

namespace fq {

// SHA-256 of local files, each computed once and kept while the file's device, inode, size
// and modification time stay the same.
class LocalHashes {
public:
    // The hash of the regular file at `path`; nothing when it cannot be read.
    [[nodiscard]] std::optional<std::string> of(const std::string& path);

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
    std::unordered_map<std::string, Known> known_;
    std::size_t filesRead_ = 0;
};

} // namespace fq
