#include "core/platform/text_file.h"
#include "temp_folder.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

const std::string kAllBytes = [] {
    std::string bytes;
    for (int i = 0; i < 256; ++i) {
        bytes.push_back(static_cast<char>(i));
    }
    return bytes + "\r\n\n\r";
}();

long FilesIn(const TempFolder& folder) {
    return std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator());
}

} // namespace

TEST(TextFile, RoundTripsEveryByteAndKeepsPermissions) {
    TempFolder folder;
    const std::string path = folder.slashed() + "data.ini";
    ASSERT_TRUE(fq::WriteTextFile(path, std::string(5000, 'x')));
    const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(path, perms);
    ASSERT_TRUE(fq::WriteTextFile(path, kAllBytes));
    EXPECT_EQ(fq::ReadTextFile(path), kAllBytes);
    EXPECT_EQ(fs::status(path).permissions(), perms);
    ASSERT_TRUE(fq::WriteTextFile(path, ""));
    EXPECT_EQ(fs::file_size(path), 0u);
    EXPECT_EQ(FilesIn(folder), 1); // nothing but the file itself is left behind

    EXPECT_FALSE(fq::WriteTextFile(folder.slashed() + "no/such/folder/file", "x"));
    EXPECT_FALSE(fq::WriteTextFile("", "x"));
    EXPECT_EQ(fq::ReadTextFile(folder.slashed() + "missing"), "");
    EXPECT_EQ(fq::ReadTextFile(folder.path().string()), "");
    // A hidden, read-only file is an ordinary file here.
    const std::string hidden = folder.slashed() + ".hidden";
    ASSERT_TRUE(fq::WriteTextFile(hidden, "abc"));
    fs::permissions(hidden, fs::perms::owner_read);
    EXPECT_EQ(fq::ReadTextFile(hidden), "abc");
}

// A write that runs out of room half-way (here: the file size limit, as a full disk would)
// reports failure and leaves the earlier file byte for byte.
TEST(TextFile, InterruptedWriteLeavesTheOldFileWhole) {
    TempFolder folder;
    const std::string path = folder.slashed() + "ferquor.ini";
    ASSERT_TRUE(fq::WriteTextFile(path, kAllBytes));

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = fq::WriteTextFile(path, std::string(100000, 'n'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(fq::ReadTextFile(path), kAllBytes);
    EXPECT_EQ(FilesIn(folder), 1);
}
