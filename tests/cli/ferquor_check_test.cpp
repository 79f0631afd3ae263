#include "core/check/report_script.h"
#include "core/platform/text_file.h"
#include "report_site.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct CheckerRun {
    int exitCode = -1;
    std::string output;
};

// Runs the built ferquor-check with `arguments` (no quotes in them) and collects its stdout.
CheckerRun RunChecker(const std::vector<std::string>& arguments) {
    std::string command = (fs::path(FERQUOR_BUILD_DIR) / "ferquor-check").string();
    for (const std::string& argument : arguments) {
        command += " '" + argument + "'";
    }
    CheckerRun run;
    FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        run.output.append(buffer, got);
    }
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
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
        sites.writeBoth(name, "index.php", "home");
    }
    sites.writeBoth("hacked", "inc/db.php", "db");
    sites.writeServer("hacked", "index.php", "home, grown");
    sites.writeServer("hacked", "inc/db.php", "db, grown");

    const std::string good = sites.address("good") + "<>" + sites.localFolder("good");
    const std::string hacked = sites.address("hacked") + "<>" + sites.localFolder("hacked");
    const std::string content = "reset<>s3cret\r\n" + good + "\r\n" + hacked +
                                "\r\nhttp://127.0.0.1:9/off/<>/nowhere/<>1\r\n" +
                                sites.address("missing") + "<>" + sites.localFolder("missing");
    fq::WriteTextFile(database, content);
    const CheckerRun changed = RunChecker({program.slashed()});
    EXPECT_EQ(changed.exitCode, 1);
    EXPECT_EQ(changed.output,
              "1\t" + sites.address("good") + "\tOK\t0 : 1\n" + "2\t" + sites.address("hacked") +
                  "\tChanged\t2 : 2\n" + "    index.php\n    inc/db.php\n" +
                  "3\thttp://127.0.0.1:9/off/\tinactive\n" + "4\t" + sites.address("missing") +
                  "\tNo folder\t0 : -1\n" + " Total Web : 4     Changed : 1\n");
    // It writes nothing.
    EXPECT_EQ(fq::ReadTextFile(database), content);
    EXPECT_EQ(std::distance(fs::directory_iterator(program.path()), fs::directory_iterator()), 1);

    fq::WriteTextFile(database, "php<>s3cret\r\n" + good);
    const CheckerRun clean = RunChecker({program.path().string()});
    EXPECT_EQ(clean.exitCode, 0);
    EXPECT_EQ(clean.output,
              "1\t" + sites.address("good") + "\tOK\t0 : 1\n Total Web : 1     Changed : 0\n");
}

TEST(FerquorCheck, UnreadableDatabaseOrBadArgumentsExitWithTwo) {
    TempFolder program;
    const std::string folder = program.slashed();
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{folder + "nowhere"},
                                                      {"--report-script", folder},
                                                      {"--frobnicate"},
                                                      {folder, folder}}) {
        const CheckerRun run = RunChecker(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments[0];
        EXPECT_EQ(run.output, "");
    }
    EXPECT_EQ(RunChecker({"--help"}).exitCode, 0);
    EXPECT_FALSE(fs::exists(program.path() / "ferquor.ini"));
}
