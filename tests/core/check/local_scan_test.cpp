#include "core/check/local_scan.h"
#include "core/sites/watched_types.h"
#include "temp_folder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using fq::getSize;
using fq::ListWatchedFiles;

namespace {

const std::string kDefault = fq::kDefaultWatchedTypes;

void MakeFile(const TempFolder& root, const std::string& relative, std::size_t size = 1) {
    const fs::path path = root.path() / relative;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << std::string(size, 'x');
}

} // namespace

TEST(LocalScan, FolderFilesComeBeforeSubFoldersInByteOrder) {
    TempFolder root;
    for (const char* name : {"z.php", "B.php", "_.php", "a.php", ".config.php", "ab/d.php",
                             "inc/b.php", "inc/x/c.php", "inc/a.js", ".git/hook.js"}) {
        MakeFile(root, name);
    }
    fs::create_directory(root.path() / "empty");
    // Dot files and dot folders are ordinary.
    EXPECT_EQ(ListWatchedFiles(root.slashed(), "", kDefault),
              ".config.php\r\nB.php\r\n_.php\r\na.php\r\nz.php\r\n.git/hook.js\r\nab/d.php\r\n"
              "inc/a.js\r\ninc/b.php\r\ninc/x/c.php\r\n");
    // A sub-folder alone keeps its paths from the root.
    EXPECT_EQ(ListWatchedFiles(root.slashed(), "inc/", kDefault),
              "inc/a.js\r\ninc/b.php\r\ninc/x/c.php\r\n");
    // No folder, or a file in its place, gives an empty list.
    EXPECT_EQ(ListWatchedFiles(root.slashed() + "missing/", "", kDefault), "");
    EXPECT_EQ(ListWatchedFiles(root.slashed() + "a.php", "", kDefault), "");
    EXPECT_EQ(ListWatchedFiles("", "", kDefault), "");
}

TEST(LocalScan, WatchedTypesMatchAnywhereInTheNameWithCase) {
    TempFolder root;
    for (const char* name : {"index.php", "app.js", "page.html", "old.php.bak", "site.aspx",
                             "data.json", "INDEX.PHP", "style.css", "readme", "php", "x_js"}) {
        MakeFile(root, name);
    }
    fs::create_directory(root.path() / "lib.js"); // a folder is entered, never listed itself
    const std::string site = root.slashed();
    EXPECT_EQ(ListWatchedFiles(site, "", kDefault),
              "app.js\r\ndata.json\r\nindex.php\r\nold.php.bak\r\npage.html\r\nsite.aspx\r\n");
    // Pieces are trimmed; an empty piece watches every name with a dot.
    EXPECT_EQ(ListWatchedFiles(site, "", " php ,  js"),
              "app.js\r\ndata.json\r\nindex.php\r\nold.php.bak\r\n");
    EXPECT_EQ(ListWatchedFiles(site, "", "PHP"), "INDEX.PHP\r\n");
    const std::string everyDot = "INDEX.PHP\r\napp.js\r\ndata.json\r\nindex.php\r\nold.php.bak\r\n"
                                 "page.html\r\nsite.aspx\r\nstyle.css\r\n";
    for (const char* types : {"php,,js", "php,", "   "}) {
        EXPECT_EQ(ListWatchedFiles(site, "", types), everyDot) << types;
    }
    EXPECT_EQ(ListWatchedFiles(site, "", ""), "");
}

TEST(LocalScan, LinksPipesAndFoldersAreListedByNameWithoutASizeOfTheirOwn) {
    TempFolder root;
    MakeFile(root, "ten.php", 10);
    MakeFile(root, "zero.php", 0);
    MakeFile(root, "inc/real.php", 7);
    MakeFile(root, "other/target.txt", 3);
    ASSERT_EQ(::mkfifo((root.path() / "pipe.php").c_str(), 0644), 0);
    fs::create_directory(root.path() / "dir.php");                  // entered, never listed itself
    fs::create_directory_symlink("..", root.path() / "inc/up.php"); // loops: never entered
    fs::create_directory_symlink(".", root.path() / "inc/self");
    fs::create_symlink("../other/target.txt", root.path() / "inc/alias.php");
    fs::create_symlink("missing.php", root.path() / "inc/gone.php");
    const std::string folder = root.slashed();
    const std::string list = ListWatchedFiles(folder, "", kDefault);
    EXPECT_EQ(list, "pipe.php\r\nten.php\r\nzero.php\r\ninc/alias.php\r\ninc/gone.php\r\n"
                    "inc/real.php\r\ninc/up.php\r\n");
    // A link to a file has that file's size; for anything else the previous size repeats.
    EXPECT_EQ(getSize(folder, list), "0-10-0-3-3-7-7-");
    EXPECT_EQ(getSize(folder, "ten.php\r\nzero.php\r\n"), "10-0-");
    EXPECT_EQ(getSize(folder, "gone.php\r\nten.php\r\ngone.php\r\ndir.php\r\n"), "0-10-10-10-");
    // Only pieces followed by CR LF are entries; folder and entry are joined as they stand.
    EXPECT_EQ(getSize(folder, "ten.php\r\nzero.php"), "10-");
    EXPECT_EQ(getSize(root.path().string(), "/ten.php\r\n"), "10-");

    // The site folder itself may be a link.
    TempFolder links;
    fs::create_directory_symlink(root.path(), links.path() / "site");
    EXPECT_EQ(ListWatchedFiles(links.slashed() + "site/", "", kDefault), list);
}

TEST(LocalScan, UnreadableFolderIsSkippedWithEverythingInIt) {
    TempFolder root;
    MakeFile(root, "a.php", 2);
    MakeFile(root, "locked/hidden.php");
    MakeFile(root, "locked/deep/x.php");
    MakeFile(root, "open/b.php", 4);
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
    const std::string scanned = ListWatchedFiles(folder, "", kDefault) + "|" +
                                getSize(folder, "open/b.php\r\nlocked/hidden.php\r\n");
    ASSERT_TRUE(!asRoot || ::seteuid(0) == 0);
    fs::permissions(root.path() / "locked", fs::perms::owner_all);
    EXPECT_EQ(scanned, "a.php\r\nopen/b.php\r\n|4-4-");
}
