#include "core/sites/site_database.h"

#include <gtest/gtest.h>

using fq::FormatSiteDatabase;
using fq::ParseSiteDatabase;
using Sites = std::vector<fq::StoredSite>;

TEST(SiteDatabase, LoadEdgeCases) {
    EXPECT_FALSE(ParseSiteDatabase("").has_value());
    // Leading CR LF: the empty settings line stands for the default one.
    const auto leading = ParseSiteDatabase("\r\nhttp://a.com/<>/web/a/");
    ASSERT_TRUE(leading);
    EXPECT_EQ(leading->watchedTypes + " " + leading->reportPassword, "php,js,htm,asp lark");
    EXPECT_EQ(leading->sites, (Sites{{"http://a.com/", "/web/a/", true}}));
    const auto noSeparator = ParseSiteDatabase("php,css");
    EXPECT_EQ(noSeparator->watchedTypes + "|" + noSeparator->reportPassword, "php,css|");
    EXPECT_EQ(ParseSiteDatabase("php<>secret<>ignored")->reportPassword, "secret");
    // Without CR LF everything is the settings line.
    const auto noBreak = ParseSiteDatabase("php<>pw\nhttp://a.com/<>/web/a/");
    EXPECT_EQ(noBreak->reportPassword, "pw\nhttp://a.com/");
    EXPECT_TRUE(noBreak->sites.empty());

    const auto database = ParseSiteDatabase("php<>pw\r\n"
                                            "http://two/<>/w/2/\r\n"
                                            "http://one/<>/w/1/<>1\r\n"
                                            "\r\n"
                                            "http://zero/<>/w/0/<>0\r\n"
                                            "<>/orphan/\r\n"
                                            "http://other/<>/w/o/<>yes\r\n"
                                            "http://four/<>/w/4/<>1<>more\r\n"
                                            "http://bare\r\n"
                                            "http://empty3/<>/w/e/<>\r\n");
    ASSERT_TRUE(database);
    EXPECT_EQ(database->sites, (Sites{{"http://two/", "/w/2/", true},
                                      {"http://one/", "/w/1/", false},
                                      {"http://zero/", "/w/0/", true},
                                      {"http://other/", "/w/o/", true},
                                      {"http://four/", "/w/4/", false},
                                      {"http://bare", "", true},
                                      {"http://empty3/", "/w/e/", true}}));
}

TEST(SiteDatabase, FormatWritesTheSettingsLineAndSortedSites) {
    EXPECT_EQ(FormatSiteDatabase("php,js,htm,asp", "lark", {}), "php,js,htm,asp<>lark\r\n");
    // Upper case first, duplicates kept; after "http://a.com" the shorter line continues with
    // "/<>" while the longer ones continue with a digit or a letter.
    const Sites rows = {{"http://b.com/", "/w/b/", true}, {"http://B.com", "/w/B/", false},
                        {"http://a.com/x", "/l/", true},  {"http://a.com/", "/s/", true},
                        {"http://a.com/1", "/d/", true},  {"http://a.com/", "/s/", true}};
    EXPECT_EQ(FormatSiteDatabase("php", "pw", rows), "php<>pw\r\n"
                                                     "http://B.com/<>/w/B/<>1\r\n"
                                                     "http://a.com/1/<>/d/\r\n"
                                                     "http://a.com/<>/s/\r\n"
                                                     "http://a.com/<>/s/\r\n"
                                                     "http://a.com/x/<>/l/\r\n"
                                                     "http://b.com/<>/w/b/");
}

TEST(SiteDatabase, WrittenFileReadsBackInSortedOrder) {
    const Sites rows = {{"http://z.org/", "/srv/z/", false},
                        {"https://m.net/shop/", "/home/me/m shop/", true},
                        {"http://\xc3\xa9t\xc3\xa9.fr/", "/w/\xe9t\xe9/", true}};
    const auto database = ParseSiteDatabase(FormatSiteDatabase("php, js", "s3cr&t", rows));
    ASSERT_TRUE(database);
    EXPECT_EQ(database->watchedTypes + "|" + database->reportPassword, "php, js|s3cr&t");
    EXPECT_EQ(database->sites, (Sites{rows[0], rows[2], rows[1]}));
    // Separators inside the settings do not read back.
    const auto broken = ParseSiteDatabase(FormatSiteDatabase("php<>js", "a\r\nb", {}));
    EXPECT_EQ(broken->watchedTypes + "|" + broken->reportPassword, "php|js");
}
