// The built ferquor-check against the generated report script under PHP's built-in server:
// the whole check, end to end. Each active site costs the pass's real one-second pause.
#include "core/check/report_script.h"
#include "core/files/text_file.h"
#include "php_server.h"
#include "temp_folder.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Web sites under one document root of PHP's built-in server, each with a local copy in a
// folder of its own.
struct ReportSites {
    TempFolder root, local;
    PhpServer server{root.path()};

    std::string address(const std::string& name) const { return server.url() + name + "/"; }
    std::string localFolder(const std::string& name) const { return local.slashed() + name + "/"; }
    void writeServer(const std::string& name, const std::string& path, const std::string& text) {
        Write(root.path() / name / path, text);
    }
    void writeLocal(const std::string& name, const std::string& path, const std::string& text) {
        Write(local.path() / name / path, text);
    }
    void writeBoth(const std::string& name, const std::string& path, const std::string& text) {
        writeServer(name, path, text);
        writeLocal(name, path, text);
    }
    static void Write(const fs::path& file, const std::string& text) {
        fs::create_directories(file.parent_path());
        EXPECT_TRUE(fq::WriteTextFile(file.string(), text));
    }
};

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

} // namespace

TEST(FerquorCheck, ChecksEverySiteAgainstTheRealScriptAndExitsWithTheOutcome) {
    ReportSites web;
    ASSERT_TRUE(web.server.running());
    TempFolder program;
    const std::string database = program.slashed() + "ferquor.ini";

    // The script that the checker prints is the one the servers run.
    const std::string password = "p&w+=%20";
    EXPECT_TRUE(fq::WriteTextFile(database, "reset<>" + password));
    const std::string script = fq::FillReportPassword(fq::ReportScriptTemplate(), password);
    EXPECT_EQ(RunChecker({"--report-script", program.path().string()}), script + "exit 0");
    for (const char* name : {"good", "hacked"}) {
        web.writeServer(name, "_report.php", script);
    }
    web.writeBoth("good", "index.php", "home");
    web.writeBoth("good", "style.css", "body {}"); // not watched
    // Only a name that reaches the script intact is measured there and found grown.
    for (const char* name : {"100%25.php", "a+b.php", "k=v.php", "x&y.php", "inc/d\tb.js"}) {
        web.writeLocal("hacked", name, "1");
        web.writeServer("hacked", name, "22");
    }
    const auto line = [&web](const char* name) {
        return web.address(name) + "<>" + web.localFolder(name) + "\r\n";
    };

    const std::string content = "php,js<>" + password + "\r\n" + line("hacked") +
                                line("unmirrored") + "http://127.0.0.1:9/off/<>/nowhere/<>1";
    EXPECT_TRUE(fq::WriteTextFile(database, content));
    EXPECT_EQ(RunChecker({program.slashed()}),
              "1\t" + web.address("hacked") +
                  "\tChanged\t5 : 5\n    100%25.php\n    a+b.php\n    k=v.php\n    x&y.php\n"
                  "    inc/d\\tb.js\n2\t" +
                  web.address("unmirrored") +
                  "\tNo folder\t0 : -1\n3\thttp://127.0.0.1:9/off/\tinactive\n"
                  " Total Web : 3     Changed : 1\nexit 1");
    // It writes nothing.
    EXPECT_EQ(fq::ReadTextFile(database), content);
    EXPECT_EQ(std::distance(fs::directory_iterator(program.path()), fs::directory_iterator()), 1);

    EXPECT_TRUE(fq::WriteTextFile(database, "php<>" + password + "\r\n" + line("good")));
    EXPECT_EQ(RunChecker({program.path().string()}),
              "1\t" + web.address("good") + "\tOK\t0 : 1\n Total Web : 1     Changed : 0\nexit 0");
    // Nothing changed, but not every site could be checked.
    EXPECT_TRUE(fq::WriteTextFile(database,
                                  "php<>" + password + "\r\n" + line("good") + line("unmirrored")));
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
