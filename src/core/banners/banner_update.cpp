#include "core/banners/banner_update.h"

#include "core/banners/banner_cache.h"
#include "core/banners/banner_pages.h"
#include "core/files/file_size.h"
#include "core/files/text_file.h"

#include <sys/stat.h>

namespace fq {
namespace {

// The pages show "../php/free.gif": a page folder apart from the templates needs the shipped
// picture too, replaced whole and only when it differs, so a page never shows half of it.
void PreparePageFolder(const std::string& templates, const std::string& pages) {
    ::mkdir(pages.c_str(), 0777);
    const std::string picture = "free.gif";
    const auto shipped = ReadWholeFile(templates + picture);
    if (shipped && ReadWholeFile(pages + picture) != shipped) {
        WriteTextFile(pages + picture, *shipped);
    }
}

} // namespace

std::string AdvertisingPage(const std::string& baseUrl) {
    return baseUrl.empty() ? baseUrl : baseUrl + "banner.php";
}

bool UpdateBanners(const BannerPlaces& places, const MessagePump& pump) {
    const std::string bannerFolder = places.dataFolder + "banner/";
    const std::string listPath = bannerFolder + "banner.txt";
    const std::uintmax_t storedSize = RegularFileSize(listPath).value_or(0);
    ::mkdir(bannerFolder.c_str(), 0777);

    const std::string list = FetchUrlText(places.baseUrl + "files/banner2.txt", pump);
    // An error page, or anything else with markup in it, is no banner list.
    if (list.empty() || list.find('<') != std::string::npos || list.size() == storedSize) {
        return false;
    }
    WriteTextFile(listPath, list);
    LoadBannerImages(list, bannerFolder, places.baseUrl + "files/banner/", pump);
    RemoveStaleImages(list, bannerFolder);

    const std::string templates = places.programFolder + "php/";
    const std::string pages = places.dataFolder + "php/";
    if (pages != templates) {
        PreparePageFolder(templates, pages);
    }
    WriteTextFile(pages + "banner.html",
                  FillPage(ReadTextFile(templates + "000.html"), StripMarkup(list)));
    WriteTextFile(pages + "banner2.html",
                  FillPage(ReadTextFile(templates + "001.html"), SponsorBlock(list)));
    return true;
}

} // namespace fq
