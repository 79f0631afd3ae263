#include "core/check/local_scan.h"
#include "temp_folder.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using fq::getSize;
using fq::ListWatchedFiles;

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
              ".config.php\r\nB.php\r\na.php\r\nold.php.bak\r\nz.php\r\nab/d.php\r\ninc/a.js\r\n"
              "inc/b.php\r\ninc/x/c.php\r\nlib.js/e.js\r\nm/t.php\r\n");
    // A sub-folder alone keeps its paths from the root; pieces are trimmed.
    EXPECT_EQ(ListWatchedFiles(site, "inc/", " php ,  js"),
              "inc/a.js\r\ninc/b.php\r\ninc/x/c.php\r\n");
    EXPECT_EQ(ListWatchedFiles(site, "", "PHP"), "INDEX.PHP\r\n");
    // An empty piece watches every name with a dot; an empty list watches nothing.
    EXPECT_EQ(ListWatchedFiles(site, "m/", "php,"), "m/s.css\r\nm/t.php\r\n");
    EXPECT_EQ(ListWatchedFiles(site, "", ""), "");
    EXPECT_EQ(ListWatchedFiles(site + "missing/", "", "php"), "");
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
    const std::string list = ListWatchedFiles(folder, "", "php");
    EXPECT_EQ(list, "pipe.php\r\nten.php\r\nzero.php\r\ninc/alias.php\r\ninc/gone.php\r\n"
                    "inc/real.php\r\ninc/up.php\r\n");
    // A link to a file has that file's size; anything else repeats the previous size.
    EXPECT_EQ(getSize(folder, list), "0-10-0-3-3-7-7-");
    EXPECT_EQ(getSize(folder, "gone.php\r\nten.php\r\ninc\r\n"), "0-10-10-");
    // Only pieces followed by CR LF are entries; folder and entry are joined as they stand.
    EXPECT_EQ(getSize(folder, "ten.php\r\nzero.php"), "10-");
    EXPECT_EQ(getSize(root.path().string(), "/inc/real.php\r\n"), "7-");
    EXPECT_EQ(getSize(folder, "//ten.php\r\n"), "10-");
    fs::current_path(root.path()); // a folder relative to the working one
    EXPECT_EQ(getSize("", "ten.php\r\n"), "10-");

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
    const std::string scanned = ListWatchedFiles(folder, "", "php") + "|" +
                                getSize(folder, "open/b.php\r\nlocked/hidden.php\r\n");
    ASSERT_TRUE(!asRoot || ::seteuid(0) == 0);
    fs::permissions(root.path() / "locked", fs::perms::owner_all);
    EXPECT_EQ(scanned, "a.php\r\nopen/b.php\r\n|4-4-");
}

TEST(LocalScan, ADeepTreeIsListedWholeWithAFewOpenFolders) {
    // 3,000 levels: 6,000 bytes of path, beyond PATH_MAX, and far more folders than may be
    // open at once below; "d/e/" is left for after the deep branch.
    TempFolder root;
    MakeFile(root, "d/e/y.php");
    std::string deep = "d/";
    int fd = ::open((root.path() / "d").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (; deep.size() < 6000; deep += "d/") {
        ASSERT_EQ(::mkdirat(fd, "d", 0755), 0);
        const int below = ::openat(fd, "d", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        fd = below;
    }
    ::close(::openat(fd, "x.php", O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    ::close(fd);

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit few = saved;
    few.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &few), 0);
    const std::string list = ListWatchedFiles(root.slashed(), "", "php");
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &saved), 0);
    EXPECT_EQ(list, deep + "x.php\r\nd/e/y.php\r\n");
    // std::filesystem cannot remove a tree this deep; GNU rm walks it from handles.
    EXPECT_EQ(std::system(("rm -rf '" + root.slashed() + "d'").c_str()), 0);
}
