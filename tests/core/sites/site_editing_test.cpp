#include "core/sites/site_editing.h"

#include <gtest/gtest.h>

using fq::StoredSite;

TEST(SiteEditing, AddNeedsBothBoxesWhileSaveOnlyNormalises) {
    EXPECT_FALSE(fq::SiteToAdd("", "/web/a"));
    EXPECT_FALSE(fq::SiteToAdd("http://a.com", ""));
    // The design text "http://" already ends in "/".
    EXPECT_EQ(fq::SiteToAdd("http://", "/web/a"), (StoredSite{"http://", "/web/a/", true}));
    EXPECT_EQ(fq::SiteFromBoxes("", ""), (StoredSite{"/", "/", true}));
    EXPECT_EQ(fq::SiteFromBoxes("http://b.org", "/srv/b//"),
              (StoredSite{"http://b.org/", "/srv/b//", true}));
}

TEST(SiteEditing, FolderFromBrowserDropsOneZeroAndAddsTheSlash) {
    EXPECT_EQ(fq::FolderFromBrowser(std::string("/home/me/site\0", 14)), "/home/me/site/");
    EXPECT_EQ(fq::FolderFromBrowser(std::string("/\0", 2)), "/");
    EXPECT_FALSE(fq::FolderFromBrowser(""));
    EXPECT_FALSE(fq::FolderFromBrowser(std::string("\0", 1)));
}
