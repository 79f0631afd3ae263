#include "core/files/text_file.h"
#include "core/sites/site_store.h"
#include "temp_folder.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

struct StoreFixture {
    TempFolder folder;
    std::string path = folder.slashed() + "ferquor.ini";
    fq::SiteStore store{path};

    std::string file() const { return fq::ReadTextFile(path); }
};

} // namespace

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
    EXPECT_TRUE(std::all_of(password.begin(), password.end(),
                            [](unsigned char c) { return std::isalnum(c); }));
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
