#include "sites/site_database.h"

#include <gtest/gtest.h>

using fq::FormatSiteDatabase;
using fq::ParseSiteDatabase;
using fq::StoredSite;

TEST(SiteDatabase, EmptyTextLoadsNothing) {
    EXPECT_FALSE(ParseSiteDatabase("").has_value());
}

TEST(SiteDatabase, SettingsLineVariants) {
    const auto plain = ParseSiteDatabase("php,js,htm,asp<>lark");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->watchedTypes, "php,js,htm,asp");
    EXPECT_EQ(plain->reportPassword, "lark");
    EXPECT_TRUE(plain->sites.empty());

    // Leading CR LF: the empty settings line stands for the default one.
    const auto leading = ParseSiteDatabase("\r\nhttp://a.com/<>/web/a/");
    ASSERT_TRUE(leading);
    EXPECT_EQ(leading->watchedTypes, "php,js,htm,asp");
    EXPECT_EQ(leading->reportPassword, "lark");
    ASSERT_EQ(leading->sites.size(), 1u);

    const auto noSeparator = ParseSiteDatabase("php,css");
    EXPECT_EQ(noSeparator->watchedTypes, "php,css");
    EXPECT_EQ(noSeparator->reportPassword, "");

    const auto extraFields = ParseSiteDatabase("php<>secret<>ignored");
    EXPECT_EQ(extraFields->reportPassword, "secret");
}

TEST(SiteDatabase, LoneLineFeedsAreNoLineBreaks) {
    const auto database = ParseSiteDatabase("php<>pw\nhttp://a.com/<>/web/a/");
    ASSERT_TRUE(database);
    EXPECT_EQ(database->watchedTypes, "php");
    EXPECT_EQ(database->reportPassword, "pw\nhttp://a.com/");
    EXPECT_TRUE(database->sites.empty());
}

TEST(SiteDatabase, SiteLinesAndTheInactiveMark) {
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
    const std::vector<StoredSite> expected = {
        {"http://two/", "/w/2/", true},    {"http://one/", "/w/1/", false},
        {"http://zero/", "/w/0/", true},   {"http://other/", "/w/o/", true},
        {"http://four/", "/w/4/", false},  {"http://bare", "", true},
        {"http://empty3/", "/w/e/", true},
    };
    EXPECT_EQ(database->sites, expected);
}

TEST(SiteDatabase, FormatWritesTheSettingsLineAndSortedSites) {
    EXPECT_EQ(FormatSiteDatabase("php,js,htm,asp", "lark", {}), "php,js,htm,asp<>lark\r\n");

    const std::vector<StoredSite> rows = {
        {"http://b.com/", "/w/b/", true},
        {"http://B.com", "/w/B/", false},
        {"http://a.com/", "/w/a/", true},
        {"http://a.com/", "/w/a/", true},
    };
    EXPECT_EQ(FormatSiteDatabase("php", "pw", rows), "php<>pw\r\n"
                                                     "http://B.com/<>/w/B/<>1\r\n"
                                                     "http://a.com/<>/w/a/\r\n"
                                                     "http://a.com/<>/w/a/\r\n"
                                                     "http://b.com/<>/w/b/");
}

TEST(SiteDatabase, PrefixAddressesSortByTheNextCharacter) {
    // After "http://a.com" the shorter line continues with "/<>" while the longer continues
    // with a digit or a letter.
    const std::vector<StoredSite> rows = {
        {"http://a.com/x", "/l/", true},
        {"http://a.com/", "/s/", true},
        {"http://a.com/1", "/d/", true},
    };
    EXPECT_EQ(FormatSiteDatabase("php", "", rows), "php<>\r\n"
                                                   "http://a.com/1/<>/d/\r\n"
                                                   "http://a.com/<>/s/\r\n"
                                                   "http://a.com/x/<>/l/");
}

TEST(SiteDatabase, WrittenFileReadsBackInSortedOrder) {
    const std::vector<StoredSite> rows = {
        {"http://z.org/", "/srv/z/", false},
        {"https://m.net/shop/", "/home/me/m shop/", true},
        {"http://\xc3\xa9t\xc3\xa9.fr/", "/w/\xe9t\xe9/", true},
    };
    const auto database = ParseSiteDatabase(FormatSiteDatabase("php, js", "s3cr&t", rows));
    ASSERT_TRUE(database);
    EXPECT_EQ(database->watchedTypes, "php, js");
    EXPECT_EQ(database->reportPassword, "s3cr&t");
    const std::vector<StoredSite> expected = {rows[0], rows[2], rows[1]};
    EXPECT_EQ(database->sites, expected);
}

TEST(SiteDatabase, SeparatorsInsideSettingsDoNotReadBack) {
    const auto database = ParseSiteDatabase(FormatSiteDatabase("php<>js", "a\r\nb", {}));
    ASSERT_TRUE(database);
    EXPECT_EQ(database->watchedTypes, "php");
    EXPECT_EQ(database->reportPassword, "js");
}
