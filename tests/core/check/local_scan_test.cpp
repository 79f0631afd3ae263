#include "core/check/local_scan.h"
#include "temp_folder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using fq::ListWatchedFiles;
using fq::LocalSizeText;
using Paths = std::vector<std::string>;

namespace {

void MakeFile(const TempFolder& root, const std::string& relative, std::size_t size = 1) {
    const fs::path path = root.path() / relative;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << std::string(size, 'x');
}

} // namespace

TEST(LocalScan, FolderFilesComeFirstInByteOrderAndTypesMatchAnywhereWithCase) {
    TempFolder root;
    for (const char* name : {"z.php", "B.php", "a.php", ".config.php", "old.php.bak", "INDEX.PHP",
                             "style.css", "php", "x_js", "ab/d.php", "inc/b.php", "inc/x/c.php",
                             "inc/a.js", "lib.js/e.js", "m/readme", "m/s.css", "m/t.php",
                             // The CR LF list could not carry these.
                             "c\r.php", "l\nf.php", "n\r\n/in.php"}) {
        MakeFile(root, name);
    }
    const std::string site = root.slashed();
    EXPECT_EQ(ListWatchedFiles(site, "", "php,js"),
              (Paths{".config.php", "B.php", "a.php", "old.php.bak", "z.php", "ab/d.php",
                     "inc/a.js", "inc/b.php", "inc/x/c.php", "lib.js/e.js", "m/t.php"}));
    // A sub-folder alone keeps its paths from the root; pieces are trimmed.
    EXPECT_EQ(ListWatchedFiles(site, "inc/", " php ,  js"),
              (Paths{"inc/a.js", "inc/b.php", "inc/x/c.php"}));
    EXPECT_EQ(ListWatchedFiles(site, "", "PHP"), Paths{"INDEX.PHP"});
    // An empty piece watches every name with a dot; an empty list watches nothing.
    EXPECT_EQ(ListWatchedFiles(site, "m/", "php,"), (Paths{"m/s.css", "m/t.php"}));
    EXPECT_EQ(ListWatchedFiles(site, "", ""), Paths{});
}

TEST(LocalScan, LinkedFoldersAreListedNotEnteredAndOnlyRegularFilesHaveASize) {
    TempFolder root;
    MakeFile(root, "ten.php", 10);
    MakeFile(root, "zero.php", 0);
    MakeFile(root, "inc/real.php", 7);
    MakeFile(root, "other/target.txt", 3);
    ASSERT_EQ(::mkfifo((root.path() / "pipe.php").c_str(), 0644), 0);
    fs::create_directory_symlink("..", root.path() / "inc/up.php"); // would loop
    fs::create_symlink("../other/target.txt", root.path() / "inc/alias.php");
    fs::create_symlink("missing.php", root.path() / "inc/gone.php");
    const std::string folder = root.slashed();
    const Paths list = ListWatchedFiles(folder, "", "php");
    EXPECT_EQ(list, (Paths{"pipe.php", "ten.php", "zero.php", "inc/alias.php", "inc/gone.php",
                           "inc/real.php", "inc/up.php"}));
    // A link to a file has that file's size; anything else repeats the previous size.
    EXPECT_EQ(LocalSizeText(folder, list), "0-10-0-3-3-7-7-");
    EXPECT_EQ(LocalSizeText(folder, {"gone.php", "ten.php", "inc"}), "0-10-10-");
    // Folder and path are joined as they stand.
    EXPECT_EQ(LocalSizeText(root.path().string(), {"/inc/real.php"}), "7-");
    EXPECT_EQ(LocalSizeText(folder, {"//ten.php"}), "10-");
    fs::current_path(root.path()); // a folder relative to the working one
    EXPECT_EQ(LocalSizeText("", {"ten.php"}), "10-");

    // The site folder itself may be a link.
    TempFolder links;
    fs::create_directory_symlink(root.path(), links.path() / "site");
    EXPECT_EQ(ListWatchedFiles(links.slashed() + "site/", "", "php"), list);
}

TEST(LocalScan, UnreadableFolderIsSkippedWithEverythingInIt) {
    TempFolder root;
    MakeFile(root, "a.php", 2);
    MakeFile(root, "locked/hidden.php");
    MakeFile(root, "locked/deep/x.php");
    MakeFile(root, "open/b.php", 4);
    // The scan below keeps root's group, so the group may read too.
    fs::permissions(root.path(), fs::perms::owner_all | fs::perms::group_read |
                                     fs::perms::group_exec | fs::perms::others_read |
                                     fs::perms::others_exec);
    fs::permissions(root.path() / "locked", fs::perms::none);
    // Root reads every folder: then the scan runs as "nobody" for the time of the call.
    const bool asRoot = ::geteuid() == 0;
    if (asRoot && ::seteuid(65534) != 0) {
        GTEST_SKIP() << "cannot run the scan as an unprivileged user here";
    }
    const std::string folder = root.slashed();
    const Paths listed = ListWatchedFiles(folder, "", "php");
    const std::string sized = LocalSizeText(folder, {"open/b.php", "locked/hidden.php"});
    ASSERT_TRUE(!asRoot || ::seteuid(0) == 0);
    fs::permissions(root.path() / "locked", fs::perms::owner_all);
    EXPECT_EQ(listed, (Paths{"a.php", "open/b.php"}));
    EXPECT_EQ(sized, "4-4-");
}
