#include "core/platform/text_file.h"
#include "temp_folder.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace fs = std::filesystem;

TEST(TextFile, WritesEveryByteInPlaceOrFailsSayingWhyAndLeavesTheOldFileWhole) {
    TempFolder folder;
    const std::string path = folder.slashed() + "ferquor.ini";
    const std::string bytes("php<>pw\r\n\0\x01\x7f\x80\xe9\xff\n\r", 16);
    ASSERT_TRUE(fq::WriteTextFile(path, std::string(5000, 'x')));
    const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(path, perms);
    ASSERT_TRUE(fq::WriteTextFile(path, ""));
    EXPECT_EQ(fq::ReadWholeFile(path), ""); // empty, yet not missing
    ASSERT_TRUE(fq::WriteTextFile(path, bytes));
    EXPECT_EQ(fq::ReadWholeFile(path), bytes);
    EXPECT_EQ(fs::status(path).permissions(), perms);
    EXPECT_EQ(fq::WriteTextFile(folder.slashed() + "no/file", "x").reason(),
              "No such file or directory");

    // Running out of room half-way (here: the file size limit, as a full disk would).
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    std::signal(SIGXFSZ, SIG_IGN); // the write fails instead of ending the process
    const rlimit small{4096, saved.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const fq::FileOutcome outcome = fq::WriteTextFile(path, std::string(100000, 'n'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(outcome.reason(), "File too large");
    EXPECT_EQ(fq::ReadWholeFile(path), bytes);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}
