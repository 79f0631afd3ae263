// The real program, started over a copy of its folder with a runtime folder of its own, where
// the instance lock lives.
#include "temp_folder.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono;

extern char** environ;

namespace {

pid_t Start(const fs::path& executable) {
    std::string path = executable.string();
    char* argv[] = {path.data(), nullptr};
    pid_t pid = -1;
    return ::posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ) == 0 ? pid : -1;
}

// Its exit code, once it ends within `limit`; -1 while it runs.
int ExitCode(pid_t pid, milliseconds limit) {
    int status = 0;
    for (const auto deadline = steady_clock::now() + limit; steady_clock::now() < deadline;
         std::this_thread::sleep_for(20ms)) {
        if (::waitpid(pid, &status, WNOHANG) == pid) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
    }
    return -1;
}

} // namespace

TEST(SingleInstance, SecondStartEndsSilentlyAndTheFirstSavesOnHangUp) {
    TempFolder program, runtime;
    const fs::path build = FERQUOR_BUILD_DIR, executable = program.path() / "ferquor";
    fs::copy_file(build / "ferquor", executable);
    fs::copy(build / "php", program.path() / "php", fs::copy_options::recursive);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    ::setenv("HOME", runtime.path().c_str(), 1);

    const pid_t first = Start(executable);
    ASSERT_GT(first, 0);
    // The program takes its lock as it makes the lock file, before anything else; without it
    // the second start would run on and fail the next line.
    for (int poll = 0; poll < 1000 && fs::is_empty(runtime.path()); ++poll) {
        std::this_thread::sleep_for(20ms);
    }
    EXPECT_EQ(ExitCode(Start(executable), 20s), 0);
    EXPECT_FALSE(fs::exists(program.path() / "ferquor.ini"));

    // The first one is undisturbed, and a hang-up (a closed terminal, a log-out) ends it the way
    // Exit and SIGTERM do.
    EXPECT_EQ(ExitCode(first, 200ms), -1);
    ASSERT_EQ(::kill(first, SIGHUP), 0);
    EXPECT_EQ(ExitCode(first, 20s), 0);
    EXPECT_TRUE(fs::exists(program.path() / "ferquor.ini"));
}
