// The built ferquor-check against the generated report script under PHP's built-in server: what
// the checker adds to the pass, namely its listing, exit codes and arguments. Each active site
// costs the pass's real one-second pause.
#include "core/check/report_script.h"
#include "core/files/text_file.h"
#include "php_server.h"
#include "temp_folder.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Runs the built ferquor-check with `arguments` (no quotes in them): what it printed on both
// outputs, then "exit " and its exit code.
std::string RunChecker(const std::vector<std::string>& arguments) {
    std::string command = (fs::path(FERQUOR_BUILD_DIR) / "ferquor-check").string();
    for (const std::string& argument : arguments) {
        command += " '" + argument + "'";
    }
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    std::string output;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, got);
    }
    const int status = ::pclose(pipe);
    return output + "exit " + std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
}

void Write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    EXPECT_TRUE(fq::WriteTextFile(file.string(), text));
}

} // namespace

TEST(FerquorCheck, ListsEverySiteAgainstTheScriptItPrintsAndExitsWithTheOutcome) {
    TempFolder web, local, program;
    PhpServer server(web.path());
    ASSERT_TRUE(server.running());
    const std::string database = program.slashed() + "ferquor.ini";
    const std::string password = "p&w+=%20";
    EXPECT_TRUE(fq::WriteTextFile(database, "reset<>" + password));
    const std::string script = fq::FillReportPassword(fq::ReportScriptTemplate(), password);
    EXPECT_EQ(RunChecker({"--report-script", program.path().string()}), script + "exit 0");
    // Every character that the form encodes reaches the script; the tab is escaped in the listing.
    const std::string odd = "inc/x&y+k=v%25 \t.js";
    for (const auto& [path, remote, mine] :
         {std::tuple<std::string, std::string, std::string>{"hacked/_report.php", script, ""},
          {"good/_report.php", script, ""},
          {"hacked/" + odd, "22", "1"},
          {"good/index.php", "home", "home"}}) {
        Write(web.path() / path, remote);
        if (!mine.empty()) {
            Write(local.path() / path, mine);
        }
    }
    const auto line = [&](const std::string& name) {
        return server.url() + name + "/<>" + local.slashed() + name + "/\r\n";
    };

    const std::string content = "php,js<>" + password + "\r\n" + line("hacked") +
                                line("unmirrored") + "http://127.0.0.1:9/off/<>/nowhere/<>1";
    EXPECT_TRUE(fq::WriteTextFile(database, content));
    EXPECT_EQ(
        RunChecker({program.slashed()}),
        "1\t" + server.url() +
            "hacked/\tChanged\t1 : 1\tsize only\n    inc/x&y+k=v%25 \\t.js\tsize differs\n2\t" +
            server.url() +
            "unmirrored/\tNo folder\t0 : -1\tsize only\n3\thttp://127.0.0.1:9/off/\tinactive\n"
            " Total Web : 3     Changed : 1\nexit 1");
    // It writes nothing.
    EXPECT_EQ(fq::ReadTextFile(database), content);
    EXPECT_EQ(std::distance(fs::directory_iterator(program.path()), fs::directory_iterator()), 1);

    EXPECT_TRUE(fq::WriteTextFile(database, "php<>" + password + "\r\n" + line("good")));
    EXPECT_EQ(RunChecker({program.path().string()}),
              "1\t" + server.url() +
                  "good/\tOK\t0 : 1\tsize only\n Total Web : 1     Changed : 0\nexit 0");
    // Nothing changed, but not every site could be checked.
    EXPECT_TRUE(fq::WriteTextFile(database, "php<>" + password + "\r\n" + line("unmirrored")));
    EXPECT_TRUE(RunChecker({program.path().string()}).ends_with("Changed : 0\nexit 3"));
}

TEST(FerquorCheck, UnreadableDatabaseOrBadArgumentsExitWithTwoSayingWhy) {
    TempFolder program;
    const std::string folder = program.slashed();
    EXPECT_EQ(RunChecker({folder + "no\x01where"}),
              "ferquor-check: cannot read " + folder +
                  "no\\x01where/ferquor.ini: No such file or directory\nexit 2");
    fs::create_directory(program.path() / "ferquor.ini");
    EXPECT_EQ(RunChecker({"--report-script", folder}),
              "ferquor-check: cannot read " + folder + "ferquor.ini: Is a directory\nexit 2");
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--frobnicate"}, {folder, folder}}) {
        const std::string said = RunChecker(arguments);
        EXPECT_TRUE(said.ends_with("exit 2") && std::count(said.begin(), said.end(), '\n') == 1)
            << said;
    }
    EXPECT_TRUE(RunChecker({"--help"}).ends_with("exit 0"));
    EXPECT_TRUE(fs::is_directory(program.path() / "ferquor.ini"));
}
