#include "core/banners/banner_update.h"
#include "core/banners/statistics.h"
#include "core/platform/text_file.h"
#include "php_server.h"
#include "temp_folder.h"

#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(BannerUpdate, AChangedListRebuildsThePagesAndAnythingElseChangesNothing) {
    TempFolder site, program;
    fs::create_directories(site.path() / "files/banner");
    fq::WriteTextFile(site.slashed() + "files/banner/a.gif", "GIF");
    const std::string list =
        "17\ta.gif\t3\thttp://a.test/\tA\r\n===\r\n17\ta.gif\t3\thttp://a.test/\tA\t2";
    fq::WriteTextFile(site.slashed() + "files/banner2.txt", list);
    PhpServer server(site.path());
    ASSERT_TRUE(server.running());
    fs::create_directories(program.path() / "php");
    fq::WriteTextFile(program.slashed() + "php/000.html", "<body><div></div></body>");
    fq::WriteTextFile(program.slashed() + "php/001.html", "<p><div></div>");
    const fq::BannerPlaces places{program.slashed(), server.url()};

    ASSERT_TRUE(fq::UpdateBanners(places, {}));
    EXPECT_EQ(fq::ReadTextFile(program.slashed() + "banner/banner.txt"), list);
    EXPECT_EQ(fq::ReadTextFile(program.slashed() + "banner/a.gif"), "GIF");
    const std::string strip = fq::ReadTextFile(program.slashed() + "php/banner.html");
    EXPECT_EQ(strip, "<body>\t<div>\r\n\t<a href='http://a.test/' target='_blank'><img "
                     "src='../banner/a.gif' title='A' alt='17'></a> \r\n\t</div></body>");
    EXPECT_NE(fq::ReadTextFile(program.slashed() + "php/banner2.html").find("alt='17-2'"),
              std::string::npos);

    // The same length again, an error page, and no answer: nothing is touched.
    fq::WriteTextFile(program.slashed() + "php/banner.html", "kept");
    fq::WriteTextFile(site.slashed() + "files/banner2.txt", std::string(list.size(), 'x'));
    EXPECT_FALSE(fq::UpdateBanners(places, {}));
    fq::WriteTextFile(site.slashed() + "files/banner2.txt", "<html>busy</html>");
    EXPECT_FALSE(fq::UpdateBanners(places, {}));
    EXPECT_FALSE(fq::UpdateBanners({program.slashed(), "http://127.0.0.1:1/"}, {}));
    EXPECT_EQ(fq::ReadTextFile(program.slashed() + "php/banner.html"), "kept");
    EXPECT_EQ(fq::ReadTextFile(program.slashed() + "banner/banner.txt"), list);
}

TEST(BannerUpdate, TheMakersSiteServesTheBannersAndCountsAStartOnce) {
    TempFolder program, data;
    ::setenv("FERQUOR_STATS_DB", (data.slashed() + "stats.sqlite").c_str(), 1);
    PhpServer site(FERQUOR_SITE_DIR);
    ASSERT_TRUE(site.running());
    fs::create_directories(program.path() / "php");
    fq::WriteTextFile(program.slashed() + "php/000.html", "<div></div>");
    const fq::BannerPlaces places{program.slashed(), site.url()};

    ASSERT_TRUE(fq::UpdateBanners(places, {}));
    EXPECT_FALSE(fq::UpdateBanners(places, {})); // unchanged
    const std::string strip = fq::ReadTextFile(program.slashed() + "php/banner.html");
    // A group of four, then one of one.
    EXPECT_NE(strip.find("alt='4'></a> \r\n\t</div>\r\n\t<div>\r\n"), std::string::npos);
    EXPECT_TRUE(strip.ends_with("alt='5'></a> \r\n\t</div>"));
    for (int id = 1; id <= 5; ++id) {
        const std::string image = "banner" + std::to_string(id) + ".gif";
        EXPECT_EQ(fq::ReadTextFile(program.slashed() + "banner/" + image),
                  fq::ReadTextFile(FERQUOR_SITE_DIR "/files/banner/" + image));
    }
    fq::SendStatistic(site.url(), "256C4D", fq::kStartEvent, {});
    fq::SendStatistic(site.url(), "256C4D", "&do=click&banner=3", {});
    const std::string stats = fq::FetchUrlText(site.url() + "adm/stats.php");
    EXPECT_NE(stats.find("</h2>\n<table border=1>\n<tr><td>"), std::string::npos);
    EXPECT_NE(stats.find("<tr><td>3</td><td>1</td></tr>"), std::string::npos) << stats;
    ::unsetenv("FERQUOR_STATS_DB");
}
