// The built ferquor-check against PHP's built-in server. Each active site costs the pass's
// real one-second pause, so the sites are few.
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

// Runs the built ferquor-check with `arguments` (no quotes in them): its stdout, then "exit "
// and its exit code.
std::string RunChecker(const std::vector<std::string>& arguments) {
    std::string command = (fs::path(FERQUOR_BUILD_DIR) / "ferquor-check").string();
    for (const std::string& argument : arguments) {
        command += " '" + argument + "'";
    }
    FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
    std::string output;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, got);
    }
    const int status = ::pclose(pipe);
    return output + "exit " + std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
}

} // namespace

TEST(FerquorCheck, ListsEverySiteAndExitsWithTheOutcome) {
    ReportSites web;
    ASSERT_TRUE(web.running());
    TempFolder program;
    const std::string database = program.slashed() + "ferquor.ini";

    // The script that the checker prints is the one the server runs.
    const std::string script = fq::FillReportPassword(fq::ReportScriptTemplate(), "s3cret");
    fq::WriteTextFile(database, "reset<>s3cret");
    EXPECT_EQ(RunChecker({"--report-script", program.path().string()}), script + "exit 0");
    for (const char* name : {"good", "hacked"}) {
        web.writeServer(name, "_report.php", script);
        web.writeBoth(name, "index.php", "home");
    }
    web.writeBoth("hacked", "inc/db.php", "db");
    web.writeServer("hacked", "index.php", "home, grown");
    web.writeServer("hacked", "inc/db.php", "db, grown");
    const auto line = [&web](const char* name) {
        return web.address(name) + "<>" + web.localFolder(name) + "\r\n";
    };

    const std::string content =
        "reset<>s3cret\r\n" + line("hacked") + "http://127.0.0.1:9/off/<>/nowhere/<>1";
    fq::WriteTextFile(database, content);
    EXPECT_EQ(RunChecker({program.slashed()}),
              "1\t" + web.address("hacked") +
                  "\tChanged\t2 : 2\n    index.php\n    inc/db.php\n"
                  "2\thttp://127.0.0.1:9/off/\tinactive\n Total Web : 2     Changed : 1\nexit 1");
    // It writes nothing.
    EXPECT_EQ(fq::ReadTextFile(database), content);
    EXPECT_EQ(std::distance(fs::directory_iterator(program.path()), fs::directory_iterator()), 1);

    fq::WriteTextFile(database, "php<>s3cret\r\n" + line("good"));
    EXPECT_EQ(RunChecker({program.path().string()}),
              "1\t" + web.address("good") + "\tOK\t0 : 1\n Total Web : 1     Changed : 0\nexit 0");
}

TEST(FerquorCheck, UnreadableDatabaseOrBadArgumentsExitWithTwo) {
    TempFolder program;
    const std::string folder = program.slashed();
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{folder + "nowhere"},
                                                      {"--report-script", folder},
                                                      {"--frobnicate"},
                                                      {folder, folder}}) {
        EXPECT_EQ(RunChecker(arguments), "exit 2");
    }
    EXPECT_TRUE(RunChecker({"--help"}).ends_with("exit 0"));
    EXPECT_FALSE(fs::exists(program.path() / "ferquor.ini"));
}
