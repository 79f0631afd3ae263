#include "core/sites/site_editing.h"

#include <gtest/gtest.h>

using fq::StoredSite;

TEST(SiteEditing, AddNeedsBothBoxesWhileSaveAndAPickedFolderOnlyGetAFinalSlash) {
    EXPECT_FALSE(fq::SiteToAdd("", "/web/a") || fq::SiteToAdd("http://a.com", ""));
    // The design text "http://" already ends in "/".
    EXPECT_EQ(fq::SiteToAdd("http://", "/web/a"), (StoredSite{"http://", "/web/a/", true}));
    EXPECT_EQ(fq::SiteFromBoxes("", ""), (StoredSite{"/", "/", true}));
    EXPECT_EQ(fq::SiteFromBoxes("http://b.org", "/srv/b//"),
              (StoredSite{"http://b.org/", "/srv/b//", true}));
    EXPECT_EQ(fq::FolderBoxText("/home/me/my site"), "/home/me/my site/");
    EXPECT_EQ(fq::FolderBoxText("/"), "/");
    EXPECT_FALSE(fq::FolderBoxText("") || fq::FolderBoxText(std::nullopt));
}
