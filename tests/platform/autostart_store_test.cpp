#include "platform/autostart_store.h"
#include "platform/path_text.h"
#include "platform/text_file.h"
#include "temp_folder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace fs = std::filesystem;

namespace {

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

// Sets or clears an environment variable for one test and puts the old value back.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        Set(value);
    }
    ~ScopedEnvironment() { Set(old_ ? old_->c_str() : nullptr); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    void Set(const char* value) {
        if (value != nullptr) {
            ::setenv(name_, value, 1);
        } else {
            ::unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

} // namespace

TEST(AutostartStore, TickingWritesADesktopEntryInANewFolderAndUntickingRemovesIt) {
    TempFolder temp;
    const std::string folder = temp.slashed() + "config/autostart";
    const std::string executable = "/opt/ferquor/ferquor";

    fq::SetRunAtStartup(true, folder, executable);
    const std::string text = fq::ReadTextFile(folder + "/ferquor.desktop");
    const auto lines = fq::SplitText(text, "\n");
    EXPECT_EQ(lines.front(), "[Desktop Entry]");
    EXPECT_EQ(lines.back(), ""); // the last line ends in a line break too
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Exec=/opt/ferquor/ferquor"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Type=Application"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Name=Ferrow Quorvel"), 1);
    EXPECT_EQ(fq::ReadRegString(folder, "ferquor"), executable);
    EXPECT_TRUE(fq::IsRegisteredToRun(folder, executable));

    fq::SetRunAtStartup(false, folder, executable);
    EXPECT_TRUE(Snapshot(folder).empty());
    EXPECT_EQ(fq::ReadRegString(folder, "ferquor"), "");
    EXPECT_FALSE(fq::IsRegisteredToRun(folder, executable));
}

TEST(AutostartStore, UntickingWithoutAnEntryChangesNothing) {
    TempFolder temp;
    const std::string folder = temp.slashed() + "autostart/";
    ASSERT_TRUE(fq::WriteRegString(folder, "other", "/usr/bin/other"));
    ASSERT_TRUE(fq::WriteTextFile(folder + "ferquor.desktop.txt", "not an entry"));
    const auto before = Snapshot(folder);

    fq::SetRunAtStartup(false, folder, "/opt/ferquor/ferquor");
    EXPECT_EQ(Snapshot(folder), before);

    // Not even the folder is made when there is nothing to remove.
    fq::SetRunAtStartup(false, temp.slashed() + "missing", "/opt/ferquor/ferquor");
    EXPECT_FALSE(fs::exists(temp.slashed() + "missing"));
}

TEST(AutostartStore, OnlyTheExactCurrentPathCountsAsRegistered) {
    TempFolder temp;
    const std::string folder = temp.slashed();

    fq::SetRunAtStartup(true, folder, "/opt/Ferquor/ferquor");
    EXPECT_FALSE(fq::IsRegisteredToRun(folder, "/opt/ferquor/ferquor"));
    EXPECT_FALSE(fq::IsRegisteredToRun(folder, "/opt/Ferquor/ferquor/"));
    EXPECT_TRUE(fq::IsRegisteredToRun(folder, "/opt/Ferquor/ferquor"));

    // After a move the old entry no longer matches; ticking again writes the new path over it.
    fq::SetRunAtStartup(true, folder, "/home/me/ferquor");
    EXPECT_TRUE(fq::IsRegisteredToRun(folder, "/home/me/ferquor"));
    EXPECT_EQ(Snapshot(folder).size(), 1u);

    // An unknown executable path writes nothing and never matches.
    fq::SetRunAtStartup(true, folder, "");
    EXPECT_FALSE(fq::IsRegisteredToRun(folder, ""));
    EXPECT_EQ(Snapshot(folder).size(), 1u);
}

TEST(AutostartStore, PathsWithBlanksAndReservedCharactersSurviveTheRoundTrip) {
    const std::vector<std::string> paths = {
        "/home/me/My Programs/ferquor",
        "/opt/$HOME/\"quoted\"/back\\slash/100%/ferquor",
        "/opt/a`b'c;d&e|f<g>h~i*j?k#l(m)/ferquor",
        "/opt/%U %f/ferquor",
        "/opt/line\nbreak\ttab\rreturn/ferquor",
        "/opt/caf\xc3\xa9=x/ferquor",
    };
    for (const std::string& path : paths) {
        TempFolder temp;
        fq::SetRunAtStartup(true, temp.slashed(), path);
        EXPECT_TRUE(fq::IsRegisteredToRun(temp.slashed(), path)) << path;
        // Whatever the path holds, the entry keeps its one line per key.
        const std::string text = fq::ReadTextFile(temp.slashed() + "ferquor.desktop");
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 8) << path;
    }
}

TEST(AutostartStore, ExecIsQuotedAndEscapedAsDesktopsExpect) {
    TempFolder temp;
    const auto execLine = [&](const std::string& data) {
        fq::WriteRegString(temp.slashed(), "entry", data);
        for (const auto& line :
             fq::SplitText(fq::ReadTextFile(temp.slashed() + "entry.desktop"), "\n")) {
            if (line.starts_with("Exec=")) {
                return line;
            }
        }
        return std::string();
    };
    EXPECT_EQ(execLine("/opt/my apps/ferquor"), R"(Exec="/opt/my apps/ferquor")");
    // Inside quotes $ gets a backslash; a backslash in the path becomes four (quoting doubles
    // it, the string escape doubles it again); % is doubled so it is no field code.
    EXPECT_EQ(execLine("/opt/a$b\\c%/ferquor"), R"(Exec="/opt/a\\$b\\\\c%%/ferquor")");
    EXPECT_EQ(execLine("/opt/50%/ferquor"), "Exec=/opt/50%%/ferquor");
}

TEST(AutostartStore, ReadTrimsBlanksAndRefusesDataOf400BytesOrMore) {
    TempFolder temp;
    const std::string folder = temp.slashed();

    fq::WriteRegString(folder, "ferquor", "   /opt/ferquor/ferquor  ");
    EXPECT_EQ(fq::ReadRegString(folder, "ferquor"), "/opt/ferquor/ferquor");
    fq::WriteTextFile(folder + "typed.desktop",
                      "# by hand\r\n[Desktop Entry]\r\nExec =   /opt/ferquor/ferquor   \r\n");
    EXPECT_EQ(fq::ReadRegString(folder, "typed"), "/opt/ferquor/ferquor");

    const std::string path399 = "/opt/" + std::string(386, 'a') + "/ferquor";
    ASSERT_EQ(path399.size(), 399u);
    fq::SetRunAtStartup(true, folder, path399);
    EXPECT_EQ(fq::ReadRegString(folder, "ferquor"), path399);
    fq::SetRunAtStartup(true, folder, path399 + "x");
    EXPECT_EQ(fq::ReadRegString(folder, "ferquorx"), "");
    EXPECT_FALSE(fq::IsRegisteredToRun(folder, path399 + "x"));

    // The limit is on the value as stored: quotes count too.
    const std::string blank397 = "/opt/ " + std::string(383, 'b') + "/ferquor";
    ASSERT_EQ(blank397.size(), 397u);
    fq::SetRunAtStartup(true, folder, blank397);
    EXPECT_TRUE(fq::IsRegisteredToRun(folder, blank397));
    fq::SetRunAtStartup(true, folder, blank397 + "b");
    EXPECT_FALSE(fq::IsRegisteredToRun(folder, blank397 + "b"));
}

TEST(AutostartStore, EntriesThatStartNothingReadAsEmpty) {
    TempFolder temp;
    const std::string folder = temp.slashed();
    const auto read = [&](const std::string& text) {
        fq::WriteTextFile(folder + "ferquor.desktop", text);
        return fq::ReadRegString(folder, "ferquor");
    };
    EXPECT_EQ(read("[Desktop Entry]\nExec=/opt/ferquor\n"), "/opt/ferquor");
    EXPECT_EQ(read("[Desktop Entry]\nName=Ferrow Quorvel\n"), "");
    EXPECT_EQ(read("[Desktop Entry]\n#Exec=/opt/ferquor\n"), "");
    EXPECT_EQ(read("[Desktop Action x]\nExec=/opt/ferquor\n[Desktop Entry]\nName=x\n"), "");
    EXPECT_EQ(read("[Desktop Entry]\nExec=/opt/ferquor\nHidden=true\n"), "");
    EXPECT_EQ(read("[Desktop Entry]\nX-GNOME-Autostart-enabled=false\nExec=/opt/ferquor\n"), "");
    EXPECT_EQ(read(""), "");
    EXPECT_EQ(fq::ReadRegString(folder + "missing", "ferquor"), "");
}

TEST(AutostartStore, WriteFailsWhereNoEntryCanBe) {
    TempFolder temp;
    ASSERT_TRUE(fq::WriteTextFile(temp.slashed() + "file", "x"));
    EXPECT_FALSE(fq::WriteRegString(temp.slashed() + "file", "ferquor", "/opt/ferquor"));
    EXPECT_FALSE(fq::WriteRegString(temp.slashed(), "", "/opt/ferquor"));
    EXPECT_FALSE(fq::WriteRegString("", "ferquor", "/opt/ferquor"));
}

TEST(AutostartStore, FolderFollowsTheXdgConfigHome) {
    ScopedEnvironment home("HOME", "/home/tester");
    ScopedEnvironment config("XDG_CONFIG_HOME", "/srv/config");
    EXPECT_EQ(fq::AutostartFolder(), "/srv/config/autostart/");
    config.Set("/srv/config/");
    EXPECT_EQ(fq::AutostartFolder(), "/srv/config/autostart/");
    // A relative or empty setting is not a valid base folder and is ignored.
    config.Set("config");
    EXPECT_EQ(fq::AutostartFolder(), "/home/tester/.config/autostart/");
    config.Set("");
    EXPECT_EQ(fq::AutostartFolder(), "/home/tester/.config/autostart/");
    config.Set(nullptr);
    EXPECT_EQ(fq::AutostartFolder(), "/home/tester/.config/autostart/");
}
