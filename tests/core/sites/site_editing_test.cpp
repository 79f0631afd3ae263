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

TEST(SiteEditing, NoStoredTextMayHoldTheFieldSeparator) {
    using Box = fq::StoredBox;
    const struct {
        Box box;
        std::string text;
        const char* named; // the start of the refusal; null: the text is stored
    } cases[] = {
        {Box::FileType, "php<>js", "The File Type cannot hold \"<>\""},
        {Box::FileType, "php,<js>,<", nullptr},
        {Box::WebUrl, "http://a.test/<>", "The Web URL cannot"},
        {Box::Folder, "<>", "The Folder cannot"},
        {Box::ScriptPassword, "pw<>", "The password in the report script cannot"},
        {Box::ScriptPassword, "p>w<", nullptr},
    };
    for (const auto& c : cases) {
        const auto refusal = fq::RefusalToStore(c.box, c.text);
        EXPECT_EQ(refusal.has_value(), c.named != nullptr) << c.text;
        if (refusal && c.named) {
            EXPECT_TRUE(refusal->starts_with(c.named)) << *refusal;
        }
    }
    EXPECT_EQ(fq::RefusalToStoreSite("http://a<>", "/srv<>"),
              fq::RefusalToStore(Box::WebUrl, "<>"));
    EXPECT_EQ(fq::RefusalToStoreSite("http://a", "/srv<>"), fq::RefusalToStore(Box::Folder, "<>"));
    EXPECT_FALSE(fq::RefusalToStoreSite("http://a", "/srv/a"));
}
