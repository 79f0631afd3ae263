#include "core/desktop/instance_lock.h"
#include "temp_folder.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

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
    EXPECT_TRUE(fq::InstanceLock("/apps/a/").held()); // given back with its holder
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
