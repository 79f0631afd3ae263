#include "core/banners/banner_cache.h"
#include "core/files/text_file.h"
#include "php_server.h"
#include "temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace fs = std::filesystem;

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
