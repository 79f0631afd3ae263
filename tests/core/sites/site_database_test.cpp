#include "core/sites/site_database.h"

#include <gtest/gtest.h>

using fq::FormatSiteDatabase;
using fq::ParseSiteDatabase;
using Sites = std::vector<fq::StoredSite>;

TEST(SiteDatabase, ReadsTheSettingsLineAndTheSiteLines) {
    EXPECT_FALSE(ParseSiteDatabase(""));
    // An empty settings line stands for the default one.
    const auto leading = ParseSiteDatabase("\r\nhttp://a.com/<>/web/a/");
    EXPECT_EQ(leading->watchedTypes + "|" + leading->reportPassword, "php,js,htm,asp|lark");
    EXPECT_EQ(ParseSiteDatabase("php,css")->reportPassword, "");

    // Lines end at CR LF or at a lone LF; a lone CR is part of its line.
    const auto database = ParseSiteDatabase("php<>pw<>ignored\n"
                                            "http://two/<>/w/2/\r\n"
                                            "http://one/<>/w/1/<>1\n"
                                            "http://cr/<>/w/\r/x/\r\n"
                                            "\r\n"
                                            "<>/orphan/\r\n"
                                            "http://zero/<>/w/0/<>0\r\n"
                                            "http://four/<>/w/4/<>1<>more\r\n"
                                            "http://bare\r");
    EXPECT_EQ(database->reportPassword, "pw");
    EXPECT_EQ(database->sites, (Sites{{"http://two/", "/w/2/", true},
                                      {"http://one/", "/w/1/", false},
                                      {"http://cr/", "/w/\r/x/", true},
                                      {"http://zero/", "/w/0/", true},
                                      {"http://four/", "/w/4/", false},
                                      {"http://bare\r", "", true}}));
}

TEST(SiteDatabase, WritesTheSettingsLineAndTheSitesInByteOrderAndReadsThemBack) {
    EXPECT_EQ(FormatSiteDatabase("php,js,htm,asp", "lark", {}), "php,js,htm,asp<>lark\r\n");
    // Upper case first, duplicates kept, a line before the longer lines it begins; the whole
    // line counts, so "http://a.com/<>" comes after "http://a.com/1/".
    const Sites rows = {
        {"http://b.com", "/w/b/", false}, {"http://a.com/", "/s/", true},
        {"http://a.com/1/", "/d/", true}, {"http://a.com/", "/s", true},
        {"http://a.com/", "/s/", true},   {"Http://\xe9t\xe9/", "/w/\xe9 x/", true}};
    const std::string text = FormatSiteDatabase("php, js", "s3cr&t", rows);
    EXPECT_EQ(text, "php, js<>s3cr&t\r\n"
                    "Http://\xe9t\xe9/<>/w/\xe9 x/\r\n"
                    "http://a.com/1/<>/d/\r\n"
                    "http://a.com/<>/s\r\n"
                    "http://a.com/<>/s/\r\n"
                    "http://a.com/<>/s/\r\n"
                    "http://b.com/<>/w/b/<>1");
    const auto database = ParseSiteDatabase(text);
    EXPECT_EQ(database->watchedTypes + "|" + database->reportPassword, "php, js|s3cr&t");
    EXPECT_EQ(
        database->sites,
        (Sites{rows[5], rows[2], rows[3], rows[1], rows[4], {"http://b.com/", "/w/b/", false}}));
}
