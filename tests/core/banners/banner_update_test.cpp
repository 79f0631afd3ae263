#include "core/banners/banner_cache.h"
#include "core/banners/banner_list.h"
#include "core/banners/banner_update.h"
#include "core/files/text_file.h"
#include "core/text/path_text.h"
#include "php_server.h"
#include "temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

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

TEST(BannerCache, FetchesMissingAndResizedImagesAndDeletesOnlyStaleOnes) {
    TempFolder site, program;
    const std::string remote = site.slashed() + "files/banner/";
    fs::create_directories(remote);
    for (const char* name :
         {"a.gif", "b.jpg", "c.GIF", "d.gif", "big.gif", "banner.txt", ".hidden.gif"}) {
        EXPECT_TRUE(fq::WriteTextFile(remote + name, std::string(name) + " from the site"));
    }
    EXPECT_TRUE(fq::WriteTextFile(remote + "big.gif", std::string(5000, 'b')));
    PhpServer server(site.path());

    const std::string folder = program.slashed() + "banner/";
    fs::create_directories(folder + "x.jpg"); // a folder, whatever its name says
    for (const char* name :
         {"b.jpg", "c.GIF", "old.jpg", "OLD.GIF", "keep.png", "notes.txt", "banner.txt"}) {
        EXPECT_TRUE(fq::WriteTextFile(folder + name, "stored"));
    }
    const fq::BannerList list =
        fq::ParseBannerList("1\ta.gif\t20\thttp://a/\tA\r\n"
                            "2\tb.jpg\t6\thttp://b/\tB\r\n" // "stored": the right size
                            "\r\n===\r\n"
                            "3\tc.GIF\t7\thttp://c/\tC\t1\r\n" // resized
                            "4\t../x.gif\t7\r\n5\t..\t7\r\n6\tshort\r\n"
                            "7\tbig.gif\t5000\thttp://g/\tG\t2\r\n"
                            // Not on the site (an error page), names the program keeps in the
                            // folder itself, a hidden one, and one beyond the total.
                            "8\tzz.gif\t9\r\n9\tbanner.txt\t5\r\n10\tb.jpg.tmpAb12Cd\t5\r\n"
                            "11\t.hidden.gif\t5\r\n12\td.gif\t5\r\n");
    fq::HttpLimits small;
    small.maxBodyBytes = 4096;
    const std::string url = server.url() + "files/banner/";
    fq::LoadBannerImages(list, folder, url, {}, small, 19 + 6 + 19); // a.gif, b.jpg, c.GIF
    fq::RemoveStaleImages(list, folder);

    std::map<std::string, std::string> kept;
    for (const auto& entry : fs::directory_iterator(folder)) {
        kept[entry.path().filename().string()] =
            entry.is_directory() ? "folder" : fq::ReadTextFile(entry.path().string());
    }
    EXPECT_EQ(kept, (std::map<std::string, std::string>{{"a.gif", "a.gif from the site"},
                                                        {"b.jpg", "stored"},
                                                        {"c.GIF", "c.GIF from the site"},
                                                        {"x.jpg", "folder"},
                                                        {"keep.png", "stored"},
                                                        {"notes.txt", "stored"},
                                                        {"banner.txt", "stored"}}));

    // A "banner" that someone planted as a link to the user's own pictures is not used:
    // nothing there is fetched over or deleted.
    const TempFolder pictures;
    EXPECT_TRUE(fq::WriteTextFile(pictures.slashed() + "photo.jpg", "mine"));
    fs::create_directory_symlink(pictures.path(), program.slashed() + "planted");
    EXPECT_FALSE(fq::PrepareBannerFolder(program.slashed() + "planted/"));
    fq::LoadBannerImages(list, program.slashed() + "planted/", url, {}, small);
    fq::RemoveStaleImages(list, program.slashed() + "planted/");
    EXPECT_EQ(std::distance(fs::directory_iterator(pictures.path()), {}), 1); // photo.jpg
}
