#include "core/banners/banner_cache.h"

#include "core/banners/banner_list.h"
#include "core/banners/leading_number.h"
#include "core/files/file_size.h"
#include "core/text/path_text.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <unistd.h>

namespace fq {
namespace {

constexpr std::size_t kImageFields = 3;

// The entries of every line of both sections (and beyond), in list order.
std::vector<BannerEntry> AllEntries(const std::string& listText) {
    std::vector<BannerEntry> entries;
    for (const std::string& line : SplitText(listText, "\r\n")) {
        if (line.empty() || line == "===") {
            continue;
        }
        if (auto entry = ParseBannerLine(line, kImageFields);
            entry && IsSafeImageName(entry->imageFile)) {
            entries.push_back(std::move(*entry));
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

void LoadBannerImages(const std::string& listText, const std::string& bannerFolder,
                      const std::string& imagesUrl, const MessagePump& pump,
                      const HttpLimits& limits) {
    for (const BannerEntry& entry : AllEntries(listText)) {
        if (pump && !pump()) {
            return;
        }
        std::string path = bannerFolder + entry.imageFile;
        const auto size = RegularFileSize(path);
        if (size && static_cast<double>(*size) == LeadingNumber(entry.imageSize)) {
            continue;
        }
        if (size) {
            ::unlink(path.c_str());
        }
        DownloadUrlToFile(imagesUrl + entry.imageFile, path, pump, limits);
    }
}

void RemoveStaleImages(const std::string& listText, const std::string& bannerFolder) {
    std::vector<std::string> keep;
    for (const BannerEntry& entry : AllEntries(listText)) {
        keep.push_back(entry.imageFile);
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
