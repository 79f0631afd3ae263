#include "core/sites/site_editing.h"

#include <gtest/gtest.h>

using fq::StoredSite;

TEST(SiteEditing, BoxesBecomeASiteWithFinalSlashesOrAreRefusedSayingWhy) {
    EXPECT_FALSE(fq::SiteToAdd("", "/web/a") || fq::SiteToAdd("http://a.com", ""));
    // The design text "http://" already ends in "/".
    EXPECT_EQ(fq::SiteToAdd("http://", "/web/a"), (StoredSite{"http://", "/web/a/", true}));
    EXPECT_EQ(fq::SiteFromBoxes("", ""), (StoredSite{"/", "/", true}));
    EXPECT_EQ(fq::SiteFromBoxes("http://b.org", "/srv/b//"),
              (StoredSite{"http://b.org/", "/srv/b//", true}));
    EXPECT_EQ(fq::FolderBoxText("/home/me/my site"), "/home/me/my site/");
    EXPECT_EQ(fq::FolderBoxText("/"), "/");
    EXPECT_FALSE(fq::FolderBoxText("") || fq::FolderBoxText(std::nullopt));

    // "<>" separates the site file's fields: no stored text may hold it, and the refusal
    // names the box. Of the two site boxes, the address is named first, else the folder.
    using enum fq::StoredBox;
    const std::pair<fq::StoredBox, const char*> refused[] = {
        {WebUrl, "The Web URL cannot hold \"<>\": the site file separates its fields with it."},
        {Folder, "The Folder cannot"},
        {FileType, "The File Type"},
        {ScriptPassword, "The pass"}};
    for (const auto& [box, refusal] : refused) {
        EXPECT_TRUE(fq::RefusalToStore(box, "a<>b").value_or("").starts_with(refusal)) << refusal;
        EXPECT_FALSE(fq::RefusalToStore(box, "<a>,<,>"));
    }
    EXPECT_EQ(fq::RefusalToStoreSite("http://a<>", "/srv<>"), fq::RefusalToStore(WebUrl, "<>"));
    EXPECT_EQ(fq::RefusalToStoreSite("http://a", "/srv<>"), fq::RefusalToStore(Folder, "<>"));
}
