#include "core/files/data_folder.h"
#include "core/files/text_file.h"
#include "temp_folder.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

TEST(DataFolder, BesideTheProgramWhileItIsTheUsersAloneElseInTheUsersDataHome) {
    TempFolder root;
    const std::string program = root.slashed() + "program/", home = root.slashed() + "home";
    fs::create_directories(program);
    fs::create_directories(home);
    std::map<std::string, std::string> variables{{"HOME", home}};
    const auto lookup = [&variables](const char* name) { return variables[name]; };
    EXPECT_EQ(fq::DataFolder(program, lookup), program);
    EXPECT_FALSE(fs::exists(home + "/.local"));
    const std::string byDefault = home + "/.local/share/ferquor/";
    // Another user's folder, one that others may write to, or one this user may not write to
    // (root may write anywhere) is not trusted with the data.
    if (::geteuid() == 0 && ::chown(program.c_str(), 65534, 65534) == 0) {
        EXPECT_EQ(fq::DataFolder(program, lookup), byDefault);
        ASSERT_EQ(::chown(program.c_str(), 0, 0), 0);
    }
    fs::permissions(program, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(fq::DataFolder(program, lookup), ::geteuid() == 0 ? program : byDefault);
    fs::permissions(program, fs::perms::owner_all | fs::perms::others_write);
    EXPECT_EQ(fq::DataFolder(program, lookup), byDefault);
    variables["XDG_DATA_HOME"] = "relative/share"; // not absolute: not a data home
    EXPECT_EQ(fq::DataFolder(program, lookup), byDefault);
    variables["XDG_DATA_HOME"] = home + "/data";
    EXPECT_EQ(fq::DataFolder(program, lookup), home + "/data/ferquor/");
    for (const std::string& made : {byDefault, home + "/data/ferquor/"}) {
        EXPECT_EQ(fs::status(made).permissions(), fs::perms::owner_all) << made;
    }
}

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

    // A link stays a link: the file it leads to is made, with the mode asked for.
    fs::create_symlink("target.ini", folder.path() / "link.ini");
    ASSERT_TRUE(fq::WriteTextFile(folder.slashed() + "link.ini", "new", 0600));
    EXPECT_TRUE(fs::is_symlink(folder.path() / "link.ini"));
    EXPECT_EQ(fs::status(folder.path() / "target.ini").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST(TextFile, RefusesHugeFilesAndClearsWhatACrashedSaveLeftOnceItIsOld) {
    TempFolder folder;
    const std::string path = folder.slashed() + "ferquor.ini";
    ASSERT_TRUE(fq::WriteTextFile(path, "php<>pw"));
    fs::resize_file(path, fq::kMaxReadBytes + 1); // sparse: costs no disk
    fq::FileOutcome outcome;
    EXPECT_FALSE(fq::ReadWholeFile(path, &outcome));
    EXPECT_EQ(outcome.reason(), "File too large");

    // What a save killed half-way leaves, and names that only look alike.
    const std::string leftover = path + ".tmpAb12Cd";
    const std::vector<std::string> kept = {path, path + ".backup", path + ".tmp12345"};
    for (const std::string& name : kept) {
        EXPECT_TRUE(fq::WriteTextFile(name, "mine"));
    }
    const std::string otherLeftover = folder.slashed() + "a.gif.tmpXy34Zw";
    EXPECT_TRUE(fq::WriteTextFile(leftover, "half") && fq::WriteTextFile(otherLeftover, "half"));
    fq::RemoveAbandonedTemporaryFiles(path, std::chrono::seconds(60)); // still young
    EXPECT_TRUE(fs::exists(leftover));
    for (const auto& entry : fs::directory_iterator(folder.path())) {
        fs::last_write_time(entry, fs::file_time_type::clock::now() - std::chrono::minutes(2));
    }
    // The store clears its own file's leftovers (see its test); a folder of many files, all.
    fq::RemoveAbandonedTemporaryFilesIn(folder.slashed(), std::chrono::seconds(60));
    EXPECT_FALSE(fs::exists(leftover) || fs::exists(otherLeftover));
    EXPECT_TRUE(std::all_of(kept.begin(), kept.end(), [](auto& name) { return fs::exists(name); }));
}
