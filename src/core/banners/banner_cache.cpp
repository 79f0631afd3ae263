#include "core/banners/banner_cache.h"

#include "core/banners/banner_list.h"
#include "core/banners/leading_number.h"
#include "core/files/text_file.h"

#include <algorithm>
#include <cctype>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace fq {
namespace {

constexpr std::size_t kImageFields = 3;
// A temporary file this old belongs to a write that was cut short, not to one in progress.
constexpr std::chrono::seconds kAbandonedWriteAge{60};

// The banner folder, opened without following a link at its own name, and only when it is a
// folder of this user's. Every file inside is then reached through it.
class OwnFolder {
public:
    explicit OwnFolder(std::string path) {
        // With a final "/" the name would be followed even when it is a link.
        while (path.size() > 1 && path.ends_with('/')) {
            path.pop_back();
        }
        fd_ = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        struct stat info {};
        if (fd_ >= 0 && (::fstat(fd_, &info) != 0 || info.st_uid != ::geteuid())) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~OwnFolder() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    OwnFolder(const OwnFolder&) = delete;
    OwnFolder& operator=(const OwnFolder&) = delete;

    bool usable() const { return fd_ >= 0; }
    int fd() const { return fd_; }

    // The size of the regular file `name` inside; nothing for anything else, a link included.
    std::optional<std::uintmax_t> fileSize(const std::string& name) const {
        struct stat info {};
        if (::fstatat(fd_, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(info.st_mode)) {
            return std::nullopt;
        }
        return static_cast<std::uintmax_t>(info.st_size);
    }

private:
    int fd_ = -1;
};

// The entries of every section that name a picture to keep, in list order.
std::vector<const BannerEntry*> ImageEntries(const BannerList& list) {
    std::vector<const BannerEntry*> entries;
    for (const auto* section : {&list.strip, &list.sponsor, &list.later}) {
        for (const BannerEntry& entry : *section) {
            if (entry.fields >= kImageFields && IsSafeImageName(entry.imageFile)) {
                entries.push_back(&entry);
            }
        }
    }
    return entries;
}

bool HasImageEnding(const std::string& name) {
    if (name.size() < 3) {
        return false;
    }
    std::string ending = name.substr(name.size() - 3);
    for (char& c : ending) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return ending == "jpg" || ending == "gif" || ending == "epg";
}

} // namespace

bool PrepareBannerFolder(const std::string& bannerFolder) {
    ::mkdir(bannerFolder.c_str(), 0777);
    if (!OwnFolder(bannerFolder).usable()) {
        return false;
    }
    RemoveAbandonedTemporaryFilesIn(bannerFolder, kAbandonedWriteAge);
    return true;
}

void LoadBannerImages(const BannerList& list, const std::string& bannerFolder,
                      const std::string& imagesUrl, const MessagePump& pump,
                      const HttpLimits& limits, std::uintmax_t totalBytes) {
    const OwnFolder folder(bannerFolder);
    if (!folder.usable()) {
        return;
    }
    std::uintmax_t kept = 0;
    for (const BannerEntry* entry : ImageEntries(list)) {
        if (pump && !pump()) {
            return;
        }
        const std::string& name = entry->imageFile;
        const auto size = folder.fileSize(name);
        if (size && static_cast<double>(*size) == LeadingNumber(entry->imageSize)) {
            kept += *size;
            continue;
        }
        if (kept >= totalBytes) {
            continue;
        }
        HttpLimits picture = limits;
        picture.maxBodyBytes = static_cast<std::size_t>(
            std::min<std::uintmax_t>(limits.maxBodyBytes, totalBytes - kept));
        std::string path = bannerFolder + name;
        // The file there stays until a whole picture replaces it; one that did not arrive is
        // missing or stale until the next update, and nobody is told.
        static_cast<void>(DownloadUrlToFile(imagesUrl + name, path, pump, picture));
        kept += folder.fileSize(name).value_or(0);
    }
}

void RemoveStaleImages(const BannerList& list, const std::string& bannerFolder) {
    std::vector<std::string> keep;
    for (const BannerEntry* entry : ImageEntries(list)) {
        keep.push_back(entry->imageFile);
    }
    const OwnFolder folder(bannerFolder);
    DIR* listing = folder.usable() ? ::fdopendir(::dup(folder.fd())) : nullptr;
    if (listing == nullptr) {
        return;
    }
    while (const dirent* item = ::readdir(listing)) {
        const std::string name = item->d_name;
        // Without AT_REMOVEDIR a folder is never removed, whatever its name says.
        if (HasImageEnding(name) && std::find(keep.begin(), keep.end(), name) == keep.end()) {
            ::unlinkat(folder.fd(), name.c_str(), 0);
        }
    }
    ::closedir(listing);
}

} // namespace fq
