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
// Without it the unsold slots show no picture, which nobody is told about.
void PreparePageFolder(const std::string& templates, const std::string& pages) {
    ::mkdir(pages.c_str(), 0777);
    const std::string picture = "free.gif";
    const auto shipped = ReadWholeFile(templates + picture);
    if (shipped && ReadWholeFile(pages + picture) != shipped) {
        static_cast<void>(WriteTextFile(pages + picture, *shipped));
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

    const std::optional<std::string> text =
        FetchUrlText(places.baseUrl + "files/banner2.txt", pump);
    // An error page, or anything else with markup in it, is no banner list.
    if (!text || text->empty() || text->find('<') != std::string::npos ||
        text->size() == storedSize) {
        return false;
    }
    // The stored copy only tells the next update whether the list changed; a copy that could
    // not be written means the next update applies the list again, which is harmless.
    static_cast<void>(WriteTextFile(listPath, *text));
    const BannerList list = ParseBannerList(*text);
    LoadBannerImages(list, bannerFolder, places.baseUrl + "files/banner/", pump);
    RemoveStaleImages(list, bannerFolder);

    const std::string templates = places.programFolder + "php/";
    const std::string pages = places.dataFolder + "php/";
    if (pages != templates) {
        PreparePageFolder(templates, pages);
    }
    // A page that could not be written keeps showing the previous banners.
    const bool stripWritten =
        WriteTextFile(pages + "banner.html",
                      FillPage(ReadTextFile(templates + "000.html"), StripMarkup(list)))
            .ok();
    const bool sponsorWritten =
        WriteTextFile(pages + "banner2.html",
                      FillPage(ReadTextFile(templates + "001.html"), SponsorBlock(list)))
            .ok();
    return stripWritten && sponsorWritten;
}

} // namespace fq
