#include "core/banners/banner_update.h"

#include "core/banners/banner_cache.h"
#include "core/banners/banner_list.h"
#include "core/banners/banner_pages.h"
#include "core/files/text_file.h"

#include <sys/stat.h>

namespace fq {
namespace {

// A temporary page this old belongs to a write that was cut short, not to one in progress.
constexpr std::chrono::seconds kAbandonedWriteAge{60};

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

bool UpdateBanners(const BannerPlaces& places, const MessagePump& pump,
                   std::chrono::milliseconds deadline) {
    const std::string bannerFolder = places.dataFolder + "banner/";
    const std::string listPath = bannerFolder + kStoredListName;
    if (!PrepareBannerFolder(bannerFolder)) {
        return false;
    }
    // One deadline for the list and every picture; it ends the update as the program's end
    // does.
    const auto giveUpAt = std::chrono::steady_clock::now() + deadline;
    const MessagePump inTime = [&pump, giveUpAt] {
        return std::chrono::steady_clock::now() < giveUpAt && (!pump || pump());
    };
    HttpLimits listLimits = kFetchLimits;
    listLimits.maxBodyBytes = kMaxBannerListBytes;
    const std::optional<std::string> text =
        FetchSuccessText(places.baseUrl + "files/banner2.txt", inTime, listLimits);
    if (!text || !IsBannerListText(*text) || ReadWholeFile(listPath) == text) {
        return false;
    }
    const BannerList list = ParseBannerList(*text);
    LoadBannerImages(list, bannerFolder, places.baseUrl + "files/banner/", inTime);
    if (!inTime()) {
        return false;
    }
    RemoveStaleImages(list, bannerFolder);

    const std::string templates = places.programFolder + "php/";
    const std::string pages = places.dataFolder + "php/";
    if (pages != templates) {
        PreparePageFolder(templates, pages);
    }
    for (const char* page : {"banner.html", "banner2.html"}) {
        RemoveAbandonedTemporaryFiles(pages + page, kAbandonedWriteAge);
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
    // The stored copy says the list was applied whole, so it comes last: an update cut short
    // anywhere before is done again by the next one. A copy that could not be written means
    // the same, which is harmless.
    if (!stripWritten || !sponsorWritten) {
        return false;
    }
    static_cast<void>(WriteTextFile(listPath, *text));
    return true;
}

std::string SponsorPageToShow(const BannerPlaces& places) {
    const std::string templates = places.programFolder + "php/";
    const std::string pages = places.dataFolder + "php/";
    const std::string page = pages + "banner2.html";
    if (ReadWholeFile(page)) {
        return page;
    }
    if (pages != templates) {
        PreparePageFolder(templates, pages);
    }
    // Should it not be written, the page shows as blank as before: nothing to tell the user.
    static_cast<void>(
        WriteTextFile(page, FillPage(ReadTextFile(templates + "001.html"), SponsorBlock({}))));
    return page;
}

} // namespace fq
