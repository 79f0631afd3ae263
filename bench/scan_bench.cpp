// The scan side of bench/scan_benchmark.sh:
//   ferquor_scan_bench make ROOT   builds the synthetic site tree in the new folder ROOT
//   ferquor_scan_bench scan ROOT   lists ROOT's watched files and writes their size text
#include "core/check/local_scan.h"
#include "core/sites/watched_types.h"
#include "core/text/path_text.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Ten sub-folders per folder, three levels deep: 1,111 folders of 90 files, 99,990 files.
constexpr int kSubFolders = 10;
constexpr int kDepth = 3;
constexpr int kFilesPerFolder = 90;
// One file in five has a watched type.
constexpr const char* kWatchedTypes[] = {".php", ".js", ".html", ".asp", ".inc.php"};
constexpr const char* kOtherTypes[] = {".css", ".png", ".jpg", ".gif", ".txt", ".svg", ".md"};

bool MakeFolder(const std::string& folder, int depth, unsigned& seed) {
    if (::mkdir(folder.c_str(), 0755) != 0) {
        return false;
    }
    for (int i = 0; i < kFilesPerFolder; ++i) {
        const char* type = i % 5 == 0 ? kWatchedTypes[i / 5 % std::size(kWatchedTypes)]
                                      : kOtherTypes[i % std::size(kOtherTypes)];
        const std::string path = folder + "file" + std::to_string(i) + type;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) {
            return false;
        }
        // Sparse files: real sizes up to 20,000 bytes without filling the disk.
        seed = seed * 1103515245u + 12345u;
        const bool sized = ::ftruncate(fd, (seed >> 8) % 20000) == 0;
        if (::close(fd) != 0 || !sized) {
            return false;
        }
    }
    for (int i = 0; depth < kDepth && i < kSubFolders; ++i) {
        if (!MakeFolder(folder + "dir" + std::to_string(i) + "/", depth + 1, seed)) {
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const std::string_view mode = argc == 3 ? argv[1] : "";
    if (mode != "make" && mode != "scan") {
        std::fprintf(stderr, "usage: %s make|scan ROOT\n", argv[0]);
        return 2;
    }
    const std::string root = fq::EnsureTrailing(argv[2], '/');
    if (mode == "make") {
        unsigned seed = 1;
        if (!MakeFolder(root, 0, seed)) {
            std::perror(root.c_str());
            return 1;
        }
        return 0;
    }
    const std::vector<std::string> list = fq::ListWatchedFiles(root, "", fq::kDefaultWatchedTypes);
    const std::string sizes = fq::LocalSizeText(root, list);
    return std::fwrite(sizes.data(), 1, sizes.size(), stdout) == sizes.size() ? 0 : 1;
}
