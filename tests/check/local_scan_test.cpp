#include "check/local_scan.h"
#include "sites/watched_types.h"
#include "temp_folder.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
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

// Runs `scan` where folder permissions apply: as it is for an ordinary user; for root, in a
// child process that became the user "nobody". nullopt when that child cannot reach `root`.
std::optional<std::string> RunWithoutPrivileges(const fs::path& root,
                                                const std::function<std::string()>& scan) {
    if (::geteuid() != 0) {
        return scan();
    }
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        return std::nullopt;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        const bool dropped = ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 &&
                             ::setuid(65534) == 0 && ::access(root.c_str(), R_OK | X_OK) == 0;
        const std::string answer = dropped ? "+" + scan() : "-";
        const bool written = ::write(pipeFds[1], answer.data(), answer.size()) ==
                             static_cast<ssize_t>(answer.size());
        ::_exit(written ? 0 : 1);
    }
    ::close(pipeFds[1]);
    std::string answer;
    char buffer[4096];
    for (ssize_t got; (got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) {
        answer.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (answer.empty() || answer[0] != '+') {
        return std::nullopt;
    }
    return answer.substr(1);
}

} // namespace

TEST(LocalScan, FolderFilesComeBeforeSubFoldersInByteOrder) {
    TempFolder root;
    MakeFile(root, "a.php");
    MakeFile(root, "inc/b.php");
    MakeFile(root, "inc/x/c.php");
    EXPECT_EQ(ListWatchedFiles(root.slashed(), "", kDefault),
              "a.php\r\ninc/b.php\r\ninc/x/c.php\r\n");

    MakeFile(root, "z.php");
    MakeFile(root, "B.php");
    MakeFile(root, "_.php");
    MakeFile(root, "ab/d.php");
    MakeFile(root, "inc/a.js");
    fs::create_directory(root.path() / "empty");
    EXPECT_EQ(ListWatchedFiles(root.slashed(), "", kDefault),
              "B.php\r\n_.php\r\na.php\r\nz.php\r\nab/d.php\r\ninc/a.js\r\ninc/b.php\r\n"
              "inc/x/c.php\r\n");
    // A sub-folder alone keeps its paths from the root.
    EXPECT_EQ(ListWatchedFiles(root.slashed(), "inc/", kDefault),
              "inc/a.js\r\ninc/b.php\r\ninc/x/c.php\r\n");
}

TEST(LocalScan, DefaultTypesMatchAnywhereInTheNameWithCase) {
    TempFolder root;
    for (const char* name : {"index.php", "app.js", "page.html", "old.php.bak", "site.aspx",
                             "data.json", "INDEX.PHP", "style.css", "readme", "php", "x_js"}) {
        MakeFile(root, name);
    }
    fs::create_directory(root.path() / "lib.js"); // a folder is entered, never listed itself
    EXPECT_EQ(ListWatchedFiles(root.slashed(), "", kDefault),
              "app.js\r\ndata.json\r\nindex.php\r\nold.php.bak\r\npage.html\r\nsite.aspx\r\n");
}

TEST(LocalScan, WatchedTypesAreTrimmedAndEmptyPiecesWatchEveryDot) {
    TempFolder root;
    for (const char* name : {"a.php", "b.js", "c.css", "Makefile", "e.PHP"}) {
        MakeFile(root, name);
    }
    const std::string site = root.slashed();
    EXPECT_EQ(ListWatchedFiles(site, "", " php ,  js"), "a.php\r\nb.js\r\n");
    EXPECT_EQ(ListWatchedFiles(site, "", "PHP"), "e.PHP\r\n");
    const std::string everyDot = "a.php\r\nb.js\r\nc.css\r\ne.PHP\r\n";
    EXPECT_EQ(ListWatchedFiles(site, "", "php,,js"), everyDot);
    EXPECT_EQ(ListWatchedFiles(site, "", "php,"), everyDot);
    EXPECT_EQ(ListWatchedFiles(site, "", "   "), everyDot);
    EXPECT_EQ(ListWatchedFiles(site, "", ""), "");
}

TEST(LocalScan, DotFilesAndDotFoldersAreOrdinary) {
    TempFolder root;
    MakeFile(root, ".config.php", 5);
    MakeFile(root, ".git/hook.js", 2);
    MakeFile(root, ".htaccess");
    const std::string list = ListWatchedFiles(root.slashed(), "", kDefault);
    EXPECT_EQ(list, ".config.php\r\n.git/hook.js\r\n");
    EXPECT_EQ(getSize(root.slashed(), list), "5-2-");
}

TEST(LocalScan, SymlinksAreListedByNameAndNeverEntered) {
    TempFolder root;
    MakeFile(root, "inc/real.php", 7);
    MakeFile(root, "other/target.txt", 3);
    fs::create_directory_symlink("..", root.path() / "inc/up.php");
    fs::create_directory_symlink(".", root.path() / "inc/self");
    fs::create_symlink("../other/target.txt", root.path() / "inc/alias.php");
    fs::create_symlink("missing.php", root.path() / "inc/gone.php");
    const std::string list = ListWatchedFiles(root.slashed(), "", kDefault);
    EXPECT_EQ(list, "inc/alias.php\r\ninc/gone.php\r\ninc/real.php\r\ninc/up.php\r\n");
    // A link to a file has that file's size; a dangling link and a linked folder are absent.
    EXPECT_EQ(getSize(root.slashed(), list), "3-3-7-7-");

    // The site folder itself may be a link.
    TempFolder links;
    fs::create_directory_symlink(root.path(), links.path() / "site");
    EXPECT_EQ(ListWatchedFiles(links.slashed() + "site/", "", kDefault), list);
}

TEST(LocalScan, NoFolderGivesAnEmptyList) {
    TempFolder root;
    MakeFile(root, "a.php");
    EXPECT_EQ(ListWatchedFiles(root.slashed() + "missing/", "", kDefault), "");
    EXPECT_EQ(ListWatchedFiles(root.slashed() + "a.php", "", kDefault), "");
    EXPECT_EQ(ListWatchedFiles("", "", kDefault), "");
    TempFolder empty;
    EXPECT_EQ(ListWatchedFiles(empty.slashed(), "", kDefault), "");
}

TEST(LocalScan, SizesRepeatThePreviousOneForWhatIsNoRegularFile) {
    TempFolder root;
    MakeFile(root, "ten.php", 10);
    MakeFile(root, "zero.php", 0);
    fs::create_directory(root.path() / "dir.php");
    ASSERT_EQ(::mkfifo((root.path() / "pipe.php").c_str(), 0644), 0);
    const std::string folder = root.slashed();

    EXPECT_EQ(getSize(folder, "ten.php\r\nzero.php\r\n"), "10-0-");
    EXPECT_EQ(getSize(folder, ""), "");
    EXPECT_EQ(getSize(folder, "gone.php\r\nten.php\r\ngone.php\r\nzero.php\r\n"), "0-10-10-0-");
    EXPECT_EQ(getSize(folder, "ten.php\r\ndir.php\r\npipe.php\r\n"), "10-10-10-");
    // Only pieces followed by CR LF are entries.
    EXPECT_EQ(getSize(folder, "ten.php\r\nzero.php"), "10-");
    // Folder and entry are joined as they stand.
    EXPECT_EQ(getSize(root.path().string(), "/ten.php\r\n"), "10-");
    EXPECT_EQ(getSize(folder, "/ten.php\r\n\r\n"), "10-10-");

    // The pipe is a watched name like any other; only its size is absent.
    const std::string list = ListWatchedFiles(folder, "", kDefault);
    EXPECT_EQ(list, "pipe.php\r\nten.php\r\nzero.php\r\n");
    EXPECT_EQ(getSize(folder, list), "0-10-0-");
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
    const std::string folder = root.slashed();
    const auto scanned = RunWithoutPrivileges(root.path(), [&] {
        return ListWatchedFiles(folder, "", kDefault) + "|" +
               getSize(folder, "open/b.php\r\nlocked/hidden.php\r\n");
    });
    fs::permissions(root.path() / "locked", fs::perms::owner_all);
    if (!scanned) {
        GTEST_SKIP() << "cannot run the scan as an unprivileged user here";
    }
    EXPECT_EQ(*scanned, "a.php\r\nopen/b.php\r\n|4-4-");
}
