#include "core/check/local_scan.h"

#include "core/check/watched_patterns.h"
#include "core/text/path_text.h"

#include <algorithm>
#include <charconv>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fq {
namespace {

// O_NOFOLLOW: a folder that became a symlink since it was listed is not entered either.
constexpr int kSubFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Deeper than almost any site, so an ordinary walk opens each folder once, and a small share
// of the usual limit of 1024 open files.
constexpr std::size_t kHeldFolders = 32;

// A name with CR or LF in it cannot travel in the CR LF list, nor can anything below it.
bool FitsTheList(std::string_view name) {
    return name.find_first_of("\r\n") == std::string_view::npos;
}

// One folder's watched files and real sub-folders, each sorted bytewise (the file system's
// order is arbitrary; sorted, every scan gives the same list), and a handle on the folder to
// open the sub-folders from, -1 when there is none to enter.
struct FolderEntries {
    std::vector<std::string> files;
    std::vector<std::string> subFolders;
    int handle = -1;
};

// Reads the folder open as `folderFd` to its end and closes it.
FolderEntries ReadFolder(int folderFd, const WatchedPatterns& patterns) {
    FolderEntries entries;
    DIR* folder = ::fdopendir(folderFd);
    if (folder == nullptr) {
        ::close(folderFd);
        return entries;
    }
    while (const dirent* entry = ::readdir(folder)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == ".." || !FitsTheList(name)) {
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
            entries.subFolders.emplace_back(name);
        } else if (patterns.Matches(name)) {
            entries.files.emplace_back(name);
        }
    }
    std::sort(entries.files.begin(), entries.files.end());
    std::sort(entries.subFolders.begin(), entries.subFolders.end());
    if (!entries.subFolders.empty()) {
        entries.handle = ::fcntl(::dirfd(folder), F_DUPFD_CLOEXEC, 0);
    }
    ::closedir(folder);
    return entries;
}

// Handles on the folders along the walk's current path, deepest last, so that a sub-folder is
// opened from its parent, never by a path that grows with the depth. Only the deepest
// kHeldFolders are kept besides the start folder; one given up is reached again level by level
// from the deepest folder still held.
class HeldFolders {
public:
    // `startFd` (owned from here, -1 for none) is the folder whose relative path is
    // `startLength` long.
    HeldFolders(int startFd, std::size_t startLength)
        : startFd_(startFd), startLength_(startLength) {}
    ~HeldFolders() {
        for (const Held& folder : held_) {
            ::close(folder.fd);
        }
        if (startFd_ >= 0) {
            ::close(startFd_);
        }
    }
    HeldFolders(const HeldFolders&) = delete;
    HeldFolders& operator=(const HeldFolders&) = delete;

    // Keeps `fd` (owned from here), the folder whose relative path is `length` long and lies
    // on the current path.
    void hold(std::size_t length, int fd) {
        held_.push_back({length, fd});
        if (held_.size() > kHeldFolders) {
            ::close(held_.front().fd);
            held_.pop_front();
        }
    }

    // A handle on the folder `relative` (a relative path ending in "/", on the current path or
    // a start of it), which becomes the current path; -1 when it cannot be opened.
    int reach(const std::string& relative) {
        while (!held_.empty() && held_.back().length > relative.size()) {
            ::close(held_.back().fd);
            held_.pop_back();
        }
        std::size_t length = held_.empty() ? startLength_ : held_.back().length;
        int fd = held_.empty() ? startFd_ : held_.back().fd;
        while (length < relative.size()) {
            const std::size_t end = relative.find('/', length);
            fd = ::openat(fd, relative.substr(length, end - length).c_str(), kSubFolderFlags);
            if (fd < 0) {
                return -1;
            }
            length = end + 1;
            hold(length, fd);
        }
        return fd;
    }

private:
    struct Held {
        std::size_t length;
        int fd;
    };
    std::deque<Held> held_;
    int startFd_;
    std::size_t startLength_;
};

} // namespace

std::vector<std::string> ListWatchedFiles(const std::string& rootFolder,
                                          const std::string& relativeFolder,
                                          const std::string& watchedTypes) {
    const WatchedPatterns patterns(watchedTypes);
    const std::string folder = rootFolder + relativeFolder;
    if (patterns.empty() || folder.empty()) {
        return {};
    }
    const int startFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (startFd < 0) {
        return {};
    }
    std::string relative = relativeFolder;
    relative.reserve(relative.size() + 256);
    std::vector<std::string> list;
    // Folders still to list, the next one last: the length of its parent's path and its name.
    struct Pending {
        std::size_t parentLength;
        std::string name;
    };
    std::vector<Pending> pending;
    // Lists the folder `relative`, open as `fd`: its own files now, its sub-folders next, in
    // order, each with everything below it before the following one.
    const auto listFolder = [&](int fd) {
        FolderEntries entries = ReadFolder(fd, patterns);
        for (const std::string& file : entries.files) {
            list.push_back(relative + file);
        }
        for (auto subFolder = entries.subFolders.rbegin(); subFolder != entries.subFolders.rend();
             ++subFolder) {
            pending.push_back({relative.size(), std::move(*subFolder)});
        }
        return entries.handle;
    };

    HeldFolders held(listFolder(startFd), relative.size());
    while (!pending.empty()) {
        const Pending next = std::move(pending.back());
        pending.pop_back();
        relative.resize(next.parentLength);
        const int parentFd = held.reach(relative);
        const int fd = parentFd < 0 ? -1 : ::openat(parentFd, next.name.c_str(), kSubFolderFlags);
        if (fd < 0) {
            continue;
        }
        relative.append(next.name).push_back('/');
        if (const int handle = listFolder(fd); handle >= 0) {
            held.hold(relative.size(), handle);
        }
    }
    return list;
}

std::string LocalSizeText(const std::string& folder, const std::vector<std::string>& paths) {
    // folder + entry is looked up below the folder's last "/" through one handle, so the folder
    // is resolved once rather than for every entry.
    const std::string base = UpToLast(folder, "/");
    const std::string rest = folder.substr(base.size());
    const int baseFd =
        base.empty() ? AT_FDCWD : ::open(base.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    std::string path;
    std::string sizes;
    sizes.reserve(paths.size() * 6);
    off_t size = 0;
    char digits[24];
    for (const std::string& entry : paths) {
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
