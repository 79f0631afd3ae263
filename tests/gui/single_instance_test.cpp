#include "core/files/text_file.h"
#include "temp_folder.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

extern char** environ;

namespace {

// Starts the program with its own runtime folder, where the instance lock lives.
pid_t StartProgram(const fs::path& executable, const fs::path& runtimeFolder) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("XDG_RUNTIME_DIR", runtimeFolder.c_str(), 1);
    ::setenv("HOME", runtimeFolder.c_str(), 1);
    std::string path = executable.string();
    char* argv[] = {path.data(), nullptr};
    pid_t pid = -1;
    return ::posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ) == 0 ? pid : -1;
}

std::optional<int> WaitForExit(pid_t pid, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(20ms);
    }
    return std::nullopt;
}

} // namespace

TEST(SingleInstance, SecondStartEndsSilentlyAndTheFirstSavesOnTerm) {
    TempFolder program;
    TempFolder runtime;
    const fs::path build = FERQUOR_BUILD_DIR;
    fs::copy_file(build / "ferquor", program.path() / "ferquor");
    fs::copy(build / "php", program.path() / "php", fs::copy_options::recursive);
    const fs::path executable = program.path() / "ferquor";

    const pid_t first = StartProgram(executable, runtime.path());
    ASSERT_GT(first, 0);
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    // The program takes its lock as it makes the lock file, before anything else.
    while (fs::is_empty(runtime.path()) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(20ms);
    }
    ASSERT_FALSE(fs::is_empty(runtime.path()));

    EXPECT_EQ(WaitForExit(StartProgram(executable, runtime.path()), 20s), std::optional<int>(0));
    EXPECT_FALSE(fs::exists(program.path() / "ferquor.ini"));

    // The first one is undisturbed, and a termination request ends it the way Exit does.
    EXPECT_FALSE(WaitForExit(first, 200ms).has_value());
    ASSERT_EQ(::kill(first, SIGTERM), 0);
    EXPECT_EQ(WaitForExit(first, 20s), std::optional<int>(0));
    // A first run's database: the default types and a password of its own.
    const std::string saved = fq::ReadTextFile((program.path() / "ferquor.ini").string());
    EXPECT_TRUE(saved.starts_with("php,js,htm,asp<>") && saved.ends_with("\r\n")) << saved;
    EXPECT_EQ(saved.size(), std::string("php,js,htm,asp<>\r\n").size() + 12);
}
