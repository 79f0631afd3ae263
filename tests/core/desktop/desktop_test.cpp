#include "core/desktop/autostart_entry.h"
#include "core/desktop/instance_lock.h"
#include "core/files/text_file.h"
#include "temp_folder.h"

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

using Registration = fq::AutostartRegistration;
namespace fs = std::filesystem;

TEST(AutostartEntry, EveryPathSurvivesTheRoundTripThroughExecAndUntickingRemovesIt) {
    // Exec as desktops read it: quoted when needed, with $ and \ escaped inside the quotes and
    // % doubled so that it is no field code.
    const std::pair<std::string, std::string> cases[] = {
        {"/home/me/My Programs/ferquor", R"(Exec="/home/me/My Programs/ferquor" --autostart)"},
        {"/opt/a$b\\c%/ferquor", R"(Exec="/opt/a\\$b\\\\c%%/ferquor" --autostart)"},
        {"/opt/$HOME/\"quoted\"/it's/%U %f/a`b;d&e|f<g>h~i*j?k#l(m)/ferquor", ""},
        {"/opt/line\nbreak\ttab\rreturn/caf\xc3\xa9=x/ferquor", ""},
    };
    for (const auto& [path, exec] : cases) {
        TempFolder temp;
        const std::string folder = temp.slashed() + "config/autostart";
        EXPECT_TRUE(fq::SetRunAtStartup(true, folder, path));
        EXPECT_EQ(fq::RegistrationToRun(folder, path), Registration::kCurrent) << path;
        const std::string text = fq::ReadTextFile(folder + "/ferquor.desktop");
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 8) << text; // one line per key
        EXPECT_TRUE(exec.empty() || text.find("\n" + exec + "\n") != std::string::npos) << text;
        EXPECT_TRUE(fq::SetRunAtStartup(false, folder, path));
        EXPECT_TRUE(std::filesystem::is_empty(folder)) << path;
        EXPECT_TRUE(fq::SetRunAtStartup(false, folder, path)); // nothing left to remove
    }
    // A folder that cannot be made says so, and nothing counts as registered.
    TempFolder temp;
    EXPECT_TRUE(fq::WriteTextFile(temp.slashed() + "file", ""));
    EXPECT_FALSE(fq::SetRunAtStartup(true, temp.slashed() + "file/autostart", "/opt/ferquor"));
    EXPECT_EQ(fq::RegistrationToRun(temp.slashed() + "file/autostart", "/opt/ferquor"),
              Registration::kNone);
}

TEST(AutostartEntry, OnlyTheExactPathOfAnEntryThatStartsCounts) {
    TempFolder temp;
    const std::string folder = temp.slashed();
    ASSERT_TRUE(fq::SetRunAtStartup(true, folder, "/opt/Ferquor/ferquor"));
    EXPECT_EQ(fq::RegistrationToRun(folder, "/opt/ferquor/ferquor"), Registration::kNone);

    const auto read = [&](const std::string& text) {
        EXPECT_TRUE(fq::WriteTextFile(folder + "ferquor.desktop", text));
        return fq::ReadAutostartCommand(folder, "ferquor");
    };
    EXPECT_EQ(read("# by hand\r\n[Desktop Entry]\r\nExec =   /opt/ferquor   \r\n"), "/opt/ferquor");
    // As earlier versions wrote it: the path alone.
    EXPECT_EQ(fq::RegistrationToRun(folder, "/opt/ferquor"), Registration::kWithoutLoginArgument);
    EXPECT_EQ(read("[Desktop Entry]\nExec=/opt/ferquor\nHidden=true\n"), "");
    EXPECT_EQ(read("[Desktop Entry]\nX-GNOME-Autostart-enabled=false\nExec=/opt/ferquor\n"), "");
}

namespace {

// Locks `path` as another process of ours would; the lock lasts as long as the test program.
void Hold(const fs::path& path) {
    ::flock(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600), LOCK_EX);
}

} // namespace

TEST(InstanceLock, OneHolderPerFolderInAPrivatePlace) {
    TempFolder temporary;
    fs::permissions(temporary.path(), fs::perms::all);        // like /tmp: anybody may write
    ::setenv("XDG_RUNTIME_DIR", temporary.path().c_str(), 1); // not private: not used
    ::setenv("TMPDIR", temporary.path().c_str(), 1);
    {
        const fq::InstanceLock first("/apps/a/");
        EXPECT_TRUE(first.held());
        EXPECT_FALSE(fq::InstanceLock("/apps/a/").held());
        EXPECT_TRUE(fq::InstanceLock("/apps/b/").held());
    }
    const fs::path own = temporary.path() / ("ferquor-" + std::to_string(::getuid()));
    EXPECT_EQ(fs::status(own).permissions(), fs::perms::owner_all);
    ::unsetenv("TMPDIR");
    ::unsetenv("XDG_RUNTIME_DIR");
}

TEST(InstanceLock, AFilePlantedByAnotherUserNeverCountsAsHeld) {
    TempFolder folder, elsewhere;
    { const fq::InstanceLock probe("/apps/a/", folder.path().string()); }
    const fs::path lockFile = fs::directory_iterator(folder.path())->path();

    // A link to a file that somebody holds is not followed.
    fs::remove(lockFile);
    Hold(elsewhere.path() / "theirs");
    fs::create_symlink(elsewhere.path() / "theirs", lockFile);
    EXPECT_TRUE(fq::InstanceLock("/apps/a/", folder.path().string()).held());

    if (::getuid() == 0) { // only root can give a file away
        fs::remove(lockFile);
        Hold(lockFile);
        ASSERT_EQ(::chown(lockFile.c_str(), 65534, 65534), 0);
        EXPECT_TRUE(fq::InstanceLock("/apps/a/", folder.path().string()).held());
    }
}
