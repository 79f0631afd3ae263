#include "core/files/text_file.h"
#include "core/sites/site_database.h"
#include "core/sites/site_editing.h"
#include "core/sites/site_list.h"
#include "core/sites/site_store.h"
#include "temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>

using fq::FormatSiteDatabase;
using fq::ParseSiteDatabase;
using Sites = std::vector<fq::StoredSite>;
using fq::StoredSite;
using Texts = std::vector<std::string>;

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

TEST(SiteDatabase, WritesTheSettingsLineAndTheSitesInByteOrder) {
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
}

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
        {Folder, "The Folder cannot"}}; // the other boxes' refusals: the window's test
    for (const auto& [box, refusal] : refused) {
        EXPECT_TRUE(fq::RefusalToStore(box, "a<>b").value_or("").starts_with(refusal)) << refusal;
        EXPECT_FALSE(fq::RefusalToStore(box, "<a>,<,>"));
    }
    EXPECT_EQ(fq::RefusalToStoreSite("http://a<>", "/srv<>"), fq::RefusalToStore(WebUrl, "<>"));
    EXPECT_EQ(fq::RefusalToStoreSite("http://a", "/srv<>"), fq::RefusalToStore(Folder, "<>"));
}

namespace {

const Sites kSites = {{"http://a/", "/w/a/", true},
                      {"http://b/", "/w/b/", false},
                      {"http://c\xE9/", "/w/\xE9/", true}};

// The last change the list announced, as the list model hears it.
struct LastChange : fq::SiteListObserver {
    fq::SiteListChange last{fq::SiteListChange::kReset, 99};
    void siteListAboutToChange(const fq::SiteListChange&) override {}
    void siteListChanged(const fq::SiteListChange& change) override { last = change; }
};

struct StoreFixture {
    TempFolder folder;
    std::string path = folder.slashed() + "ferquor.ini";
    fq::SiteStore store{path};

    std::string file() const { return fq::ReadTextFile(path); }
};

} // namespace

TEST(SiteList, CachesTravelWithTheirRows) {
    fq::SiteList list;
    list.reload(kSites);
    for (int row = 0; row < 3; ++row) {
        const std::string name(1, "abc"[row]);
        list.setCheckOutcome(row, {fq::SiteStatus::kOk, 1, {{name}}, fq::Exchange::kSizes, {}},
                             {{name + " files"}, name + " sizes", "php"});
    }
    const std::uint64_t a = list.at(0).id, b = list.at(1).id, c = list.at(2).id;
    list.remove(0);
    EXPECT_FALSE(list.find(a));
    EXPECT_EQ(list.find(b), 0);
    EXPECT_EQ(list.find(c), 1);
    EXPECT_EQ(list.at(0).cache.fileList.at(0) + "|" + list.at(1).cache.sizes, "b files|c sizes");

    // An edited row keeps its tick and result but must be scanned afresh.
    list.edit(0, "http://b2/", "/w/b2/");
    EXPECT_FALSE(list.find(b));
    EXPECT_EQ(list.at(0).site, (fq::StoredSite{"http://b2/", "/w/b2/", false}));
    EXPECT_EQ(list.at(0).result.changes, std::vector<fq::FileChange>{{"b"}});
    EXPECT_TRUE(list.at(0).cache.fileList.empty() && list.at(0).cache.sizes.empty());
    EXPECT_EQ(list.at(1).cache.fileList, Texts{"c files"});

    list.reload(kSites);
    EXPECT_FALSE(list.find(c));
    EXPECT_EQ(list.at(1).result, fq::CheckResult{});
    EXPECT_TRUE(list.at(1).cache.fileList.empty() && list.at(1).cache.sizes.empty());
    EXPECT_EQ(list.storedSites(), kSites); // the bytes as given, whatever their encoding
}

// That the model's signals keep its views consistent is the model tester's, in the window's
// tests; here, that a flip announces every row.
TEST(SiteList, FlipAllTakesTheOppositeOfTheFirstTick) {
    fq::SiteList list;
    LastChange observer;
    list.setObserver(&observer);
    list.flipAllActive(); // no rows: nothing happens
    EXPECT_EQ(observer.last.row, 99);
    list.reload(kSites);
    list.flipAllActive();
    EXPECT_EQ(list.storedSites(), (Sites{{"http://a/", "/w/a/", false},
                                         {"http://b/", "/w/b/", false},
                                         {"http://c\xE9/", "/w/\xE9/", false}}));
    EXPECT_TRUE(observer.last.kind == fq::SiteListChange::kUpdate && observer.last.row == -1);
}

TEST(SiteStore, AFirstRunGetsItsOwnPasswordAndClearsWhatACrashedSaveLeft) {
    StoreFixture f;
    const std::string leftover = f.path + ".tmpAb12Cd";
    ASSERT_TRUE(fq::WriteTextFile(leftover, "half"));
    std::filesystem::last_write_time(leftover, std::filesystem::file_time_type::clock::now() -
                                                   std::chrono::minutes(2));

    const fq::SiteFileOpened opened = f.store.open();
    EXPECT_TRUE(opened.missing() && !opened.loaded);
    EXPECT_FALSE(std::filesystem::exists(leftover));
    const std::string password = f.store.reportPassword();
    EXPECT_EQ(password.size(), 12u);
    EXPECT_TRUE(f.store.unsaved() && f.store.save() && !f.store.unsaved());
    EXPECT_EQ(f.file(), "php,js,htm,asp<>" + password + "\r\n");
    EXPECT_EQ(std::filesystem::status(f.path).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    // A stored password is kept as it is, even the old public one; an empty one is not.
    ASSERT_TRUE(fq::WriteTextFile(f.path, "php<>lark"));
    static_cast<void>(f.store.open());
    EXPECT_EQ(f.store.reportPassword(), "lark");
    ASSERT_TRUE(fq::WriteTextFile(f.path, "php<>"));
    EXPECT_TRUE(f.store.open().passwordMadeUp && f.store.reportPassword().size() == 12);
}

TEST(SiteStore, AFileThatCannotBeReadIsNeverWrittenOver) {
    StoreFixture f;
    std::filesystem::create_directory(f.path); // why it cannot be read is the file layer's
    const auto written = std::filesystem::last_write_time(f.path);
    const fq::SiteFileOpened opened = f.store.open();
    EXPECT_TRUE(opened.unreadable());
    f.store.sites().append({"http://b.test/", "/srv/b/", true});
    EXPECT_FALSE(f.store.writable());
    EXPECT_EQ(f.store.save().reason(), opened.readError.reason());
    EXPECT_TRUE(std::filesystem::last_write_time(f.path) == written);
}

TEST(SiteStore, SavesWhatItHoldsExportsTheSavedFileAndOnlyACompletedImportReplacesIt) {
    StoreFixture f;
    const std::string types = "php,caf\xE9";
    ASSERT_TRUE(fq::WriteTextFile(
        f.path, types + "<>pw\nhttp://b.test/<>/srv/b/\nhttp://a.test/<>/srv/a/\n"));
    ASSERT_TRUE(f.store.open().loaded);
    EXPECT_EQ(f.store.watchedTypesAsRead(), types);
    f.store.sites().setActive(1, false);
    f.store.setWatchedTypes("js");
    EXPECT_TRUE(f.store.save());
    EXPECT_EQ(f.file(), "js<>pw\r\nhttp://a.test/<>/srv/a/<>1\r\nhttp://b.test/<>/srv/b/");

    const std::string saved = std::string("php<>pw\r\nhttp://a.test/<>/srv/\xE9\0/", 33);
    ASSERT_TRUE(fq::WriteTextFile(f.path, saved));
    ASSERT_TRUE(f.store.open().loaded);
    f.store.sites().edit(0, "http://unsaved.test/", "/srv/u/");
    const std::string copy = f.folder.slashed() + "copy.ini";
    EXPECT_TRUE(f.store.exportTo(copy));
    EXPECT_EQ(fq::ReadTextFile(copy), saved);
    EXPECT_EQ(f.store.exportTo(f.folder.slashed() + "gone/copy.ini").reason(),
              "No such file or directory");

    // The file itself, here through a link, stays; so does everything after a failed copy.
    std::filesystem::create_symlink(f.path, f.folder.path() / "link.ini");
    EXPECT_TRUE(f.store.importFrom(f.folder.slashed() + "link.ini"));
    EXPECT_EQ(f.file(), saved);
    f.store.sites().edit(0, "http://unsaved.test/", "/srv/u/");
    EXPECT_EQ(f.store.importFrom(f.folder.slashed()).reason(), "Is a directory");
    EXPECT_EQ(f.store.sites().at(0).site.webUrl, "http://unsaved.test/");
    EXPECT_EQ(f.file(), saved);

    ASSERT_TRUE(fq::WriteTextFile(copy, "js<>new\r\nhttp://z.test/<>/srv/z/<>1"));
    EXPECT_TRUE(f.store.importFrom(copy));
    EXPECT_EQ(f.file(), fq::ReadTextFile(copy));
    EXPECT_EQ(f.store.watchedTypes() + "|" + f.store.reportPassword(), "js|new");
    ASSERT_EQ(f.store.sites().size(), 1);
    EXPECT_FALSE(f.store.sites().at(0).site.active);
}
