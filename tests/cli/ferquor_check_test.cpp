#include "check/report_script.h"
#include "platform/text_file.h"
#include "report_site.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct CheckerRun {
    int exitCode = -1;
    std::string output;
};

// Runs the built ferquor-check with `arguments` and collects what it prints on stdout.
CheckerRun RunChecker(std::vector<std::string> arguments) {
    std::string program = (fs::path(FERQUOR_BUILD_DIR) / "ferquor-check").string();
    std::vector<char*> argv = {program.data()};
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        return {};
    }
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    ::posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    ::posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int failed =
        ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    CheckerRun run;
    char buffer[4096];
    for (ssize_t got; (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
        run.output.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(pipeEnds[0]);
    int status = 0;
    if (failed == 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
        run.exitCode = WEXITSTATUS(status);
    }
    return run;
}

// Every file under `folder` with its content.
std::map<std::string, std::string> Contents(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        files[entry.path().string()] = fq::ReadTextFile(entry.path().string());
    }
    return files;
}

} // namespace

TEST(FerquorCheck, ChecksEverySiteOnceAndExitsWithTheOutcome) {
    ReportSites sites;
    ASSERT_TRUE(sites.running());
    TempFolder program;
    const std::string database = program.slashed() + "ferquor.ini";

    // The script that the checker prints is the one the server runs.
    fq::WriteTextFile(database, "reset<>s3cret");
    const CheckerRun script = RunChecker({"--report-script", program.path().string()});
    EXPECT_EQ(script.exitCode, 0);
    EXPECT_EQ(script.output, fq::FillReportPassword(fq::ReportScriptTemplate(), "s3cret"));
    for (const char* name : {"good", "hacked"}) {
        sites.writeServer(name, "_report.php", script.output);
    }
    sites.writeBoth("good", "index.php", "home");
    sites.writeBoth("hacked", "index.php", "home");
    sites.writeBoth("hacked", "inc/db.php", "db");
    sites.writeServer("hacked", "index.php", "home, grown");
    sites.writeServer("hacked", "inc/db.php", "db, grown");

    const std::string good = sites.address("good");
    const std::string hacked = sites.address("hacked");
    fq::WriteTextFile(database, "reset<>s3cret\r\n" + good + "<>" + sites.localFolder("good") +
                                    "\r\n" + hacked + "<>" + sites.localFolder("hacked") +
                                    "\r\nhttp://127.0.0.1:9/off/<>/nowhere/<>1\r\n" +
                                    sites.address("missing") + "<>" + sites.localFolder("missing"));
    const auto before = Contents(program.path());
    const CheckerRun changed = RunChecker({program.slashed()});
    EXPECT_EQ(changed.exitCode, 1);
    EXPECT_EQ(changed.output, "1\t" + good + "\tOK\t0 : 1\n" +            //
                                  "2\t" + hacked + "\tChanged\t2 : 2\n" + //
                                  "    index.php\n" +                     //
                                  "    inc/db.php\n" +                    //
                                  "3\thttp://127.0.0.1:9/off/\tinactive\n" + "4\t" +
                                  sites.address("missing") + "\tNo folder\t0 : -1\n" +
                                  " Total Web : 4     Changed : 1\n");
    // It writes nothing.
    EXPECT_EQ(Contents(program.path()), before);

    fq::WriteTextFile(database, "php<>s3cret\r\n" + good + "<>" + sites.localFolder("good"));
    const CheckerRun clean = RunChecker({program.path().string()});
    EXPECT_EQ(clean.exitCode, 0);
    EXPECT_EQ(clean.output, "1\t" + good + "\tOK\t0 : 1\n Total Web : 1     Changed : 0\n");
}

TEST(FerquorCheck, UnreadableDatabaseOrBadArgumentsExitWithTwo) {
    TempFolder program;
    const CheckerRun missing = RunChecker({program.slashed() + "nowhere"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.output, "");
    EXPECT_EQ(RunChecker({"--report-script", program.slashed()}).exitCode, 2);
    EXPECT_EQ(RunChecker({"--frobnicate"}).exitCode, 2);
    EXPECT_EQ(RunChecker({program.slashed(), program.slashed()}).exitCode, 2);
    EXPECT_EQ(RunChecker({"--help"}).exitCode, 0);
    EXPECT_FALSE(fs::exists(program.path() / "ferquor.ini"));
}
