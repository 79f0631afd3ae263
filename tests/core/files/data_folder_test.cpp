#include "core/files/data_folder.h"
#include "temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(DataFolder, BesideTheProgramWhileWritableElseInTheUsersDataHome) {
    TempFolder root;
    const std::string program = root.slashed() + "program/";
    const std::string home = root.slashed() + "home";
    fs::create_directories(program);
    fs::create_directories(home);
    std::map<std::string, std::string> variables{{"HOME", home}};
    const auto lookup = [&variables](const char* name) { return variables[name]; };
    EXPECT_EQ(fq::DataFolder(program, lookup), program);
    EXPECT_FALSE(fs::exists(home + "/.local"));
    // A folder others may write to, or another user's, is not trusted with the data.
    fs::permissions(program, fs::perms::others_write, fs::perm_options::add);
    const std::string shared = fq::DataFolder(program, lookup);
    fs::permissions(program, fs::perms::others_write, fs::perm_options::remove);
    if (::geteuid() == 0 && ::chown(program.c_str(), 65534, 65534) == 0) {
        EXPECT_EQ(fq::DataFolder(program, lookup), home + "/.local/share/ferquor/");
    }

    // Installed where this user cannot write. Root may write anywhere: the rule is then asked
    // as "nobody", who may pass through these folders and write only the home.
    fs::permissions(program, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                 fs::perms::group_exec | fs::perms::others_read |
                                 fs::perms::others_exec);
    fs::permissions(root.path(),
                    fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    fs::permissions(home, fs::perms::all);
    const bool asRoot = ::geteuid() == 0;
    if (asRoot && ::seteuid(65534) != 0) {
        GTEST_SKIP() << "cannot ask as an unprivileged user here";
    }
    const std::string byDefault = fq::DataFolder(program, lookup);
    variables["XDG_DATA_HOME"] = "relative/share"; // not absolute: not a data home
    const std::string besideRelative = fq::DataFolder(program, lookup);
    variables["XDG_DATA_HOME"] = home + "/data";
    const std::string chosen = fq::DataFolder(program, lookup);
    ASSERT_TRUE(!asRoot || ::seteuid(0) == 0);

    EXPECT_EQ(byDefault, home + "/.local/share/ferquor/");
    EXPECT_EQ(besideRelative, byDefault);
    EXPECT_EQ(shared, byDefault);
    EXPECT_EQ(chosen, home + "/data/ferquor/");
    variables = {{"HOME", home}};
    EXPECT_EQ(fq::CacheFolder(lookup), home + "/.cache/ferquor/");
    variables["XDG_CACHE_HOME"] = home + "/cache";
    EXPECT_EQ(fq::CacheFolder(lookup), home + "/cache/ferquor/");
    for (const std::string& made : {byDefault, chosen}) {
        EXPECT_EQ(fs::status(made).permissions(), fs::perms::owner_all) << made;
    }
}
