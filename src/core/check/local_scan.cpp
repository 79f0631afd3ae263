#include "core/check/local_scan.h"

#include "core/check/watched_patterns.h"
#include "core/platform/path_text.h"

#include <algorithm>
#include <charconv>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fq {
namespace {

// Appends to `list` the watched files of the open folder `folderFd` (closed here) and then
// those of each real sub-folder; `relative` is the folder's path from the root ("" or ending in
// "/") and is restored on return. The file system's order is arbitrary, so names are sorted
// bytewise to give the same list on every scan.
void ListFolder(int folderFd, std::string& relative, const WatchedPatterns& patterns,
                std::string& list) {
    DIR* folder = ::fdopendir(folderFd);
    if (folder == nullptr) {
        ::close(folderFd);
        return;
    }
    std::vector<std::string> files;
    std::vector<std::string> subFolders;
    while (const dirent* entry = ::readdir(folder)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            if (::fstatat(::dirfd(folder), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
                continue;
            }
            isFolder = S_ISDIR(info.st_mode);
        }
        // A symlink is never a folder here, whatever it points to: the walk cannot loop.
        if (isFolder) {
            subFolders.emplace_back(name);
        } else if (patterns.Matches(name)) {
            files.emplace_back(name);
        }
    }
    std::sort(files.begin(), files.end());
    std::sort(subFolders.begin(), subFolders.end());

    for (const std::string& file : files) {
        list.append(relative).append(file).append("\r\n");
    }
    const std::size_t relativeSize = relative.size();
    for (const std::string& subFolder : subFolders) {
        // O_NOFOLLOW also keeps out a folder that became a symlink since the listing.
        const int subFolderFd = ::openat(::dirfd(folder), subFolder.c_str(),
                                         O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (subFolderFd < 0) {
            continue;
        }
        relative.append(subFolder).push_back('/');
        ListFolder(subFolderFd, relative, patterns, list);
        relative.resize(relativeSize);
    }
    ::closedir(folder);
}

} // namespace

std::string ListWatchedFiles(const std::string& rootFolder, const std::string& relativeFolder,
                             const std::string& watchedTypes) {
    const WatchedPatterns patterns(watchedTypes);
    const std::string folder = rootFolder + relativeFolder;
    if (patterns.empty() || folder.empty()) {
        return {};
    }
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0) {
        return {};
    }
    std::string relative = relativeFolder;
    relative.reserve(relative.size() + 256);
    std::string list;
    ListFolder(folderFd, relative, patterns, list);
    return list;
}

std::string getSize(const std::string& folder, const std::string& list) {
    std::vector<std::string> entries = SplitText(list, "\r\n");
    entries.pop_back(); // what follows the last CR LF is no entry

    // folder + entry is looked up below the folder's last "/" through one handle, so the folder
    // is resolved once rather than for every entry.
    const std::string base = UpToLast(folder, "/");
    const std::string rest = folder.substr(base.size());
    const int baseFd =
        base.empty() ? AT_FDCWD : ::open(base.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    std::string path;
    std::string sizes;
    sizes.reserve(entries.size() * 6);
    off_t size = 0;
    char digits[24];
    for (const std::string& entry : entries) {
        path.assign(rest).append(entry);
        // After the base's final "/" further slashes change nothing; fstatat would take them
        // for an absolute path.
        const std::size_t start =
            base.empty() ? 0 : std::min(path.find_first_not_of('/'), path.size());
        struct stat info {};
        if (baseFd != -1 && ::fstatat(baseFd, path.c_str() + start, &info, 0) == 0 &&
            S_ISREG(info.st_mode)) {
            size = info.st_size;
        }
        const char* end = std::to_chars(digits, digits + sizeof digits, size).ptr;
        sizes.append(digits, static_cast<std::size_t>(end - digits)).push_back('-');
    }
    if (baseFd >= 0) {
        ::close(baseFd);
    }
    return sizes;
}

} // namespace fq
