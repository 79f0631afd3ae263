#include "core/platform/autostart_store.h"
#include "core/platform/path_text.h"
#include "core/platform/text_file.h"
#include "temp_folder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string kExecutable = "/opt/ferquor/ferquor";

// Names and contents of everything in `folder`, in name order.
std::vector<std::pair<std::string, std::string>> Snapshot(const fs::path& folder) {
    std::vector<std::pair<std::string, std::string>> entries;
    for (const auto& entry : fs::directory_iterator(folder)) {
        entries.emplace_back(entry.path().filename().string(),
                             fq::ReadTextFile(entry.path().string()));
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

} // namespace

TEST(AutostartStore, TickingWritesAnEntryInANewFolderAndUntickingRemovesIt) {
    TempFolder temp;
    const std::string folder = temp.slashed() + "config/autostart";
    fq::SetRunAtStartup(true, folder, kExecutable);
    const std::string text = fq::ReadTextFile(folder + "/ferquor.desktop");
    EXPECT_TRUE(text.starts_with("[Desktop Entry]\n")) << text;
    for (const char* line :
         {"\nType=Application\n", "\nName=Ferrow Quorvel\n", "\nExec=/opt/ferquor/ferquor\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << text;
    }
    EXPECT_TRUE(fq::IsRegisteredToRun(folder, kExecutable));

    fq::SetRunAtStartup(false, folder, kExecutable);
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST(AutostartStore, UntickingWithoutAnEntryChangesNothingAndNoEntryGoesWhereNoneCanBe) {
    TempFolder temp;
    const std::string folder = temp.slashed() + "autostart/";
    ASSERT_TRUE(fq::WriteRegString(folder, "other", "/usr/bin/other"));
    ASSERT_TRUE(fq::WriteTextFile(folder + "ferquor.desktop.txt", "not an entry"));
    const auto before = Snapshot(folder);
    fq::SetRunAtStartup(false, folder, kExecutable);
    // Not even the folder is made when there is nothing to remove.
    fq::SetRunAtStartup(false, temp.slashed() + "missing", kExecutable);
    EXPECT_FALSE(fs::exists(temp.slashed() + "missing"));

    EXPECT_FALSE(fq::WriteRegString(folder + "ferquor.desktop.txt", "ferquor", kExecutable));
    EXPECT_FALSE(fq::WriteRegString(folder, "", kExecutable));
    EXPECT_FALSE(fq::WriteRegString("", "ferquor", kExecutable));
    EXPECT_EQ(Snapshot(folder), before);
}

TEST(AutostartStore, OnlyTheExactCurrentPathCountsAsRegistered) {
    TempFolder temp;
    const std::string folder = temp.slashed();
    fq::SetRunAtStartup(true, folder, "/opt/Ferquor/ferquor");
    EXPECT_TRUE(fq::IsRegisteredToRun(folder, "/opt/Ferquor/ferquor"));
    EXPECT_FALSE(fq::IsRegisteredToRun(folder, "/opt/ferquor/ferquor"));

    // After a move, ticking again writes the new path over the old entry; an unknown
    // executable path writes nothing and never matches.
    fq::SetRunAtStartup(true, folder, "/home/me/ferquor");
    EXPECT_TRUE(fq::IsRegisteredToRun(folder, "/home/me/ferquor"));
    fq::SetRunAtStartup(true, folder, "");
    EXPECT_FALSE(fq::IsRegisteredToRun(folder, ""));
    EXPECT_EQ(Snapshot(folder).size(), 1u);
}

TEST(AutostartStore, ExecIsQuotedAsDesktopsExpectAndEveryPathSurvivesTheRoundTrip) {
    // Inside quotes $ gets a backslash; a backslash in the path becomes four (quoting doubles
    // it, the string escape doubles it again); % is doubled so it is no field code.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/home/me/My Programs/ferquor", R"(Exec="/home/me/My Programs/ferquor")"},
        {"/opt/a$b\\c%/ferquor", R"(Exec="/opt/a\\$b\\\\c%%/ferquor")"},
        {"/opt/50%/ferquor", "Exec=/opt/50%%/ferquor"},
        {"/opt/$HOME/\"quoted\"/back\\slash/100%/ferquor", ""},
        {"/opt/a`b'c;d&e|f<g>h~i*j?k#l(m)/ferquor", ""},
        {"/opt/%U %f/ferquor", ""},
        {"/opt/line\nbreak\ttab\rreturn/ferquor", ""},
        {"/opt/caf\xc3\xa9=x/ferquor", ""},
    };
    for (const auto& [path, exec] : cases) {
        TempFolder temp;
        fq::SetRunAtStartup(true, temp.slashed(), path);
        EXPECT_TRUE(fq::IsRegisteredToRun(temp.slashed(), path)) << path;
        // Whatever the path holds, the entry keeps its one line per key, each ended.
        const std::string text = fq::ReadTextFile(temp.slashed() + "ferquor.desktop");
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 8) << path;
        EXPECT_TRUE(exec.empty() || text.find("\n" + exec + "\n") != std::string::npos) << text;
    }
}

TEST(AutostartStore, ReadGivesTheTrimmedPathOfAnEntryThatStartsSomething) {
    TempFolder temp;
    const std::string folder = temp.slashed();
    fq::WriteRegString(folder, "ferquor", "   /opt/ferquor/ferquor  ");
    EXPECT_EQ(fq::ReadRegString(folder, "ferquor"), "/opt/ferquor/ferquor");

    const auto read = [&](const std::string& text) {
        fq::WriteTextFile(folder + "ferquor.desktop", text);
        return fq::ReadRegString(folder, "ferquor");
    };
    EXPECT_EQ(read("# by hand\r\n[Desktop Entry]\r\nExec =   /opt/ferquor   \r\n"), "/opt/ferquor");
    EXPECT_EQ(read("[Desktop Entry]\nName=Ferrow Quorvel\n"), "");
    EXPECT_EQ(read("[Desktop Entry]\n#Exec=/opt/ferquor\n"), "");
    EXPECT_EQ(read("[Desktop Action x]\nExec=/opt/ferquor\n[Desktop Entry]\nName=x\n"), "");
    EXPECT_EQ(read("[Desktop Entry]\nExec=/opt/ferquor\nHidden=true\n"), "");
    EXPECT_EQ(read("[Desktop Entry]\nX-GNOME-Autostart-enabled=false\nExec=/opt/ferquor\n"), "");
    EXPECT_EQ(fq::ReadRegString(folder + "missing", "ferquor"), "");
}

TEST(AutostartStore, DataOf400BytesOrMoreAsStoredReadsAsEmpty) {
    TempFolder temp;
    const std::string folder = temp.slashed();
    const std::string path399 = "/opt/" + std::string(386, 'a') + "/ferquor";
    // With a blank in the path, the quotes count too.
    const std::string blank397 = "/opt/ " + std::string(383, 'b') + "/ferquor";
    ASSERT_EQ(path399.size(), 399u);
    ASSERT_EQ(blank397.size(), 397u);
    for (const auto& [fits, tooLong] :
         {std::pair{path399, path399 + "x"}, std::pair{blank397, blank397 + "b"}}) {
        fq::SetRunAtStartup(true, folder, fits);
        EXPECT_TRUE(fq::IsRegisteredToRun(folder, fits));
        fq::SetRunAtStartup(true, folder, tooLong);
        EXPECT_FALSE(fq::IsRegisteredToRun(folder, tooLong));
    }
}

TEST(AutostartStore, FolderFollowsTheXdgConfigHome) {
    // Every other test hands its folder in, so none depends on these variables.
    ::setenv("HOME", "/home/tester", 1);
    const std::pair<const char*, std::string> cases[] = {
        {"/srv/config", "/srv/config/autostart/"},
        {"/srv/config/", "/srv/config/autostart/"},
        // A relative or empty setting is not a valid base folder and is ignored.
        {"config", "/home/tester/.config/autostart/"},
        {"", "/home/tester/.config/autostart/"},
        {nullptr, "/home/tester/.config/autostart/"},
    };
    for (const auto& [configHome, expected] : cases) {
        configHome != nullptr ? ::setenv("XDG_CONFIG_HOME", configHome, 1)
                              : ::unsetenv("XDG_CONFIG_HOME");
        EXPECT_EQ(fq::AutostartFolder(), expected) << (configHome ? configHome : "(unset)");
    }
}
