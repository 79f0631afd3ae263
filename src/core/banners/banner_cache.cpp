#include "core/banners/banner_cache.h"

#include "core/banners/banner_list.h"
#include "core/banners/leading_number.h"
#include "core/files/file_size.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <unistd.h>

namespace fq {
namespace {

constexpr std::size_t kImageFields = 3;

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

void LoadBannerImages(const BannerList& list, const std::string& bannerFolder,
                      const std::string& imagesUrl, const MessagePump& pump,
                      const HttpLimits& limits) {
    for (const BannerEntry* entry : ImageEntries(list)) {
        if (pump && !pump()) {
            return;
        }
        std::string path = bannerFolder + entry->imageFile;
        const auto size = RegularFileSize(path);
        if (size && static_cast<double>(*size) == LeadingNumber(entry->imageSize)) {
            continue;
        }
        if (size) {
            ::unlink(path.c_str());
        }
        // A picture that did not arrive is missing until the next update; nobody is told.
        static_cast<void>(DownloadUrlToFile(imagesUrl + entry->imageFile, path, pump, limits));
    }
}

void RemoveStaleImages(const BannerList& list, const std::string& bannerFolder) {
    std::vector<std::string> keep;
    for (const BannerEntry* entry : ImageEntries(list)) {
        keep.push_back(entry->imageFile);
    }
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(bannerFolder, error)) {
        const std::string name = item.path().filename().string();
        std::error_code ignored;
        if (HasImageEnding(name) && !item.is_directory(ignored) &&
            std::find(keep.begin(), keep.end(), name) == keep.end()) {
            std::filesystem::remove(item.path(), ignored);
        }
    }
}

} // namespace fq
