#include "core/banners/banner_list.h"
#include "core/banners/banner_update.h"
#include "core/files/text_file.h"
#include "core/text/path_text.h"
#include "php_server.h"
#include "temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(BannerUpdate, TheMakersSiteServesTheBannersOnce) {
    TempFolder site, program;
    fs::copy(FERQUOR_SITE_DIR, site.path(), fs::copy_options::recursive);
    PhpServer server(site.path());
    fs::create_directories(program.path() / "php");
    EXPECT_TRUE(fq::WriteTextFile(program.slashed() + "php/000.html", "<div></div>"));
    EXPECT_TRUE(fq::WriteTextFile(program.slashed() + "php/001.html", "<p><div></div>"));
    const fq::BannerPlaces places{program.slashed(), program.slashed(), server.url()};
    // Before the first update, the sponsor page has its hundred free slots.
    const std::string unsold = fq::ReadTextFile(fq::SponsorPageToShow(places));
    EXPECT_EQ(fq::SplitText(unsold, "free.gif").size(), 101u) << unsold;

    ASSERT_TRUE(fq::UpdateBanners(places, {}));
    const std::string list = fq::ReadTextFile(site.slashed() + "files/banner2.txt");
    EXPECT_EQ(fq::ReadTextFile(program.slashed() + "banner/banner.txt"), list);
    // The pages come from the templates; their markup and the pictures are tested on their own.
    EXPECT_TRUE(fq::ReadTextFile(program.slashed() + "php/banner.html").starts_with("\t<div>"));
    EXPECT_TRUE(fq::ReadTextFile(program.slashed() + "php/banner2.html").starts_with("<p>\t<div>"));
    EXPECT_EQ(fq::ReadTextFile(program.slashed() + "banner/banner5.gif"),
              fq::ReadTextFile(site.slashed() + "files/banner/banner5.gif"));

    // With a data folder of its own, the same pages are made there from the program's
    // templates, beside the banners and the shipped picture that they show.
    TempFolder data;
    EXPECT_TRUE(fq::WriteTextFile(program.slashed() + "php/free.gif", "GIF89a"));
    ASSERT_TRUE(fq::UpdateBanners({program.slashed(), data.slashed(), server.url()}, {}));
    for (const char* file : {"php/banner.html", "php/banner2.html", "php/free.gif",
                             "banner/banner.txt", "banner/banner5.gif"}) {
        EXPECT_EQ(fq::ReadTextFile(data.slashed() + file),
                  fq::ReadTextFile(program.slashed() + file))
            << file;
    }

    // The same list again, an error page, a list beyond the bounds, no answer: nothing is
    // touched.
    EXPECT_TRUE(fq::WriteTextFile(program.slashed() + "php/banner.html", "kept"));
    const std::string listFile = site.slashed() + "files/banner2.txt";
    EXPECT_FALSE(fq::UpdateBanners(places, {}));
    EXPECT_TRUE(fq::WriteTextFile(listFile, "<html>busy</html>"));
    EXPECT_FALSE(fq::UpdateBanners(places, {}));
    EXPECT_TRUE(fq::WriteTextFile(listFile, std::string(fq::kMaxBannerListLines, '\n')));
    EXPECT_FALSE(fq::UpdateBanners(places, {}));
    EXPECT_FALSE(
        fq::UpdateBanners({program.slashed(), program.slashed(), "http://127.0.0.1:1/"}, {}));
    EXPECT_EQ(fq::ReadTextFile(program.slashed() + "php/banner.html"), "kept");
    EXPECT_EQ(fq::ReadTextFile(program.slashed() + "banner/banner.txt"), list);

    // An update that its deadline cuts short, here while a picture drips in, fails; the
    // strip's test shows that such an update stores no list.
    PhpServer dripping(FERQUOR_SERVER_CONFIGS "/dripping_maker");
    EXPECT_FALSE(fq::UpdateBanners({program.slashed(), program.slashed(), dripping.url()}, {},
                                   std::chrono::seconds(1)));

    // A changed list is applied even when its length is that of the stored copy.
    const std::string retitled = fq::ReplaceAll(list, "Tidy", "Neat");
    EXPECT_TRUE(fq::WriteTextFile(listFile, retitled));
    EXPECT_TRUE(fq::UpdateBanners(places, {}));
    EXPECT_EQ(fq::ReadTextFile(program.slashed() + "banner/banner.txt"), retitled);
}
