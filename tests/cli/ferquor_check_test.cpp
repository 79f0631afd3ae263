// The built ferquor-check against the generated report script under PHP's built-in server: what
// the checker adds to the pass, namely its listings, exit codes and arguments.
#include "core/check/report_script.h"
#include "core/files/text_file.h"
#include "core/net/http_client.h"
#include "php_server.h"
#include "temp_folder.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <initializer_list>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Runs the built ferquor-check with `arguments` (no quotes in them): what it printed on both
// outputs (standard output going to `redirect` when given), then "exit " and its exit code.
std::string RunProgram(const std::string& command) {
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string output;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, got);
    }
    const int status = ::pclose(pipe);
    return output + "exit " + std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
}

std::string RunChecker(const std::vector<std::string>& arguments,
                       const std::string& redirect = "") {
    std::string command = (fs::path(FERQUOR_BUILD_DIR) / "ferquor-check").string();
    for (const std::string& argument : arguments) {
        command += " '" + argument + "'";
    }
    return RunProgram(command + " 2>&1" + redirect);
}

// What `ferquor-check --json` says of the sites in `folder`, as PHP reads it: per site its
// number, status, count of changes and reason, then "|"; last the checker's exit code. A line
// that is no JSON fails.
std::string JsonVerdicts(const std::string& folder) {
    const std::string json = RunChecker({"--json", "--jobs=1", folder});
    EXPECT_TRUE(fq::WriteTextFile(folder + "json", json.substr(0, json.rfind('\n') + 1)));
    const std::string verdicts = RunProgram(
        "php -r 'foreach (file(\"" + folder +
        "json\") as $l) { $o = json_decode($l, true, 9, JSON_THROW_ON_ERROR); echo "
        "$o[\"number\"], \" \", $o[\"status\"] ?? \"inactive\", \" \", count($o[\"changes\"] ?? "
        "[]), \" \", $o[\"reason\"] ?? \"\", \"|\"; }'");
    fs::remove(folder + "json");
    return verdicts.substr(0, verdicts.rfind("exit ")) + json.substr(json.rfind('\n') + 1);
}

void Write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    EXPECT_TRUE(fq::WriteTextFile(file.string(), text));
}

} // namespace

// Under PHP's own server, and as hosts run it: Apache with mod_php, the same behind
// ModSecurity's core rule set and over TLS, and nginx with its stock body limit in front of
// php-fpm.
TEST(FerquorCheck, TheSignedListShowsEveryKindOfChangeOnEveryKindOfServer) {
    TempFolder web, local, program, apacheWork, guardedWork, tlsWork, nginxWork;
    const std::string database = program.slashed() + "ferquor.ini", password = "p'w\\\"$x";
    EXPECT_TRUE(fq::WriteTextFile(database, "reset<>" + password));
    const std::string script = fq::FillReportPassword(fq::ReportScriptTemplate(), password);
    EXPECT_EQ(RunChecker({"--report-script", program.path().string()}), script + "exit 0");
    // Every byte of a name travels: the tab is written out in the listing only.
    const std::string odd = "inc/x&y+k=v%25 \t\xE9.js";
    for (const auto& [path, remote, mine] :
         std::vector<std::tuple<std::string, std::string, std::string>>{
             {"_report.php", script, ""},
             {"same.php", "same", "same"},
             {"grown.php", "12345", "1234"},
             {"emptied.php", "", "body"},
             {"edited.php", "evil", "good"},
             {"gone.php", "", "x"},
             {"uploads/evil.php", "<?php system($_GET['c']);", ""},
             {"cache/page.php", "generated now", "generated then"},
             {".ferquorignore", "", "# differs by design\ncache/\n"},
             {odd, "22", "1"}}) {
        if (path != "gone.php") {
            Write(web.path() / "site" / path, remote);
        }
        if (!mine.empty()) {
            Write(local.path() / path, mine);
        }
    }
    // What the server cannot read is named, not counted; a name with a line feed is left out.
    fs::create_directory_symlink("inc", web.path() / "site" / "link.php");
    fs::create_symlink("nowhere", web.path() / "site" / "dangling.php");
    ASSERT_EQ(::mkfifo((web.path() / "site" / "fifo.php").c_str(), 0644), 0);
    Write(web.path() / "site" / "line\nfeed.php", "");
    for (const char* name : {"link.php", "dangling.php", "fifo.php"}) {
        Write(local.path() / name, "x");
    }
    // PHP's own server shows its warnings, as some hosts do; one would spoil the list.
    PhpServer php(web.path(), "-d display_errors=1 -d error_reporting=-1");
    ApacheServer apache(web.path(), apacheWork.path()),
        guarded(web.path(), guardedWork.path(), Apache::kGuarded),
        tls(web.path(), tlsWork.path(), Apache::kTls);
    // The checker trusts the test's authority as a user's environment names it.
    ::setenv("CURL_CA_BUNDLE", (tlsWork.path() / "authority.pem").c_str(), 1);
    NginxServer nginx(web.path(), nginxWork.path());
    // The guard is real: the size request of a WordPress site is refused by the rule set (a
    // large one is refused by nginx: EveryNoReportSaysWhy).
    EXPECT_EQ(
        fq::PostForm(guarded.url() + "site/_report.php", "pw=x&path=wp-config.php\r\n").status,
        403);
    for (const LoopbackServer* server :
         std::initializer_list<const LoopbackServer*>{&php, &apache, &guarded, &tls, &nginx}) {
        ASSERT_TRUE(server->running());
        const std::string content = "php, js<>" + password + "\r\n" + server->url() + "site/<>" +
                                    local.slashed() + "\r\n" + server->url() + "none/<>" +
                                    local.slashed() +
                                    "none/\r\nhttp://127.0.0.1:9/off/<>/nowhere/<>1";
        EXPECT_TRUE(fq::WriteTextFile(database, content));
        EXPECT_EQ(RunChecker({program.slashed()}),
                  "1\t" + server->url() +
                      "site/\tChanged\t6 : 10\tsigned list\n"
                      "    dangling.php\tunreadable on the server\n"
                      "    edited.php\tsame size, content differs\n"
                      "    emptied.php\tsize differs\n"
                      "    fifo.php\tunreadable on the server\n"
                      "    gone.php\tmissing on the server\n"
                      "    grown.php\tsize differs\n"
                      "    link.php\tunreadable on the server\n"
                      "    inc/x&y+k=v%25 \\t\xE9.js\tsize differs\n"
                      "    uploads/evil.php\tnew on the server\n"
                      "2\t" +
                      server->url() +
                      "none/\tNo folder\t0 : -1\tsize only\n"
                      "3\thttp://127.0.0.1:9/off/\tinactive\n"
                      " Total Web : 3     Changed : 1\nexit 1");
        // The same verdicts as JSON (a name that is not UTF-8 included).
        EXPECT_EQ(JsonVerdicts(program.slashed()),
                  "1 Changed 9 |2 No folder 0 |3 inactive 0 |exit 1");
        // It writes nothing.
        EXPECT_EQ(fq::ReadTextFile(database), content);
        EXPECT_EQ(std::distance(fs::directory_iterator(program.path()), fs::directory_iterator()),
                  1);
    }
    ::unsetenv("CURL_CA_BUNDLE");
}

TEST(FerquorCheck, OnlyAnOlderScriptIsAskedForSizesAndAForgedOrRefusedListIsNoReport) {
    TempFolder web, local, program;
    const std::string script = fq::FillReportPassword(fq::ReportScriptTemplate(), "pw");
    fs::create_directory(web.path() / "relay");
    PhpServer php(web.path()), relay(web.path() / "relay");
    ASSERT_TRUE(php.running() && relay.running());
    const auto older = [&](const std::string& site) {
        Write(web.path() / site / "script.inc", script);
        server_files::Write("older_report.php", web.path() / site / "_report.php", {});
    };
    older("older");
    older("moved");
    Write(web.path() / "other" / "_report.php",
          fq::FillReportPassword(fq::ReportScriptTemplate(), "pw2"));
    Write(web.path() / "site" / "_report.php", script);
    for (const char* site : {"relay/tampered", "relay/replayed"}) {
        fs::create_directories(web.path() / site);
        server_files::Write("relay_report.php", web.path() / site / "_report.php",
                            {{"@TARGET@", php.url() + "site/_report.php"}});
    }
    for (const char* site :
         {"older", "moved", "other", "site", "relay/tampered", "relay/replayed"}) {
        Write(web.path() / site / "a.php", "1234");
        Write(local.path() / site / "a.php", "1234");
    }
    const auto line = [&local](const std::string& url, const std::string& site) {
        return url + "/<>" + local.slashed() + site + "/\r\n";
    };
    const std::string sites =
        "php<>pw\r\n" + line(php.url() + "older", "older") + line(php.url() + "moved", "moved") +
        line(php.url() + "other", "other") + line(relay.url() + "tampered", "relay/tampered") +
        line(relay.url() + "replayed", "relay/replayed");
    EXPECT_TRUE(fq::WriteTextFile(program.slashed() + "ferquor.ini", sites));
    // "moved" answered the signed way before.
    EXPECT_TRUE(fq::WriteTextFile(program.slashed() + "signed-sites.txt", php.url() + "moved/\n"));
    const std::string forged = "No report\t0 : 1\tsigned list\tthe signed list's signature is not "
                               "valid\n";
    const std::string listing =
        "1\t" + php.url() + "older/\tOK\t0 : 1\tsize only\n" + "2\t" + php.url() +
        "moved/\tNo report\t0 : 1\tsigned list\tthe answer is not the signed list this site "
        "gave before\n3\t" +
        php.url() +
        "other/\tNo report\t0 : 1\tsigned list\tthe report script refused the request (wrong "
        "password)\n4\t" +
        relay.url() + "tampered/\t" + forged + "5\t" + relay.url() + "replayed/\t";
    EXPECT_EQ(RunChecker({program.slashed()}),
              listing + "OK\t0 : 1\tsigned list\n Total Web : 5     Changed : 0\nexit 3");
    EXPECT_EQ(RunChecker({program.slashed()}),
              listing + forged + " Total Web : 5     Changed : 0\nexit 3");
    // The password went to the older script only.
    EXPECT_EQ(fq::ReadTextFile((web.path() / "older" / "asked").string()), "fq pw fq pw ");
    EXPECT_EQ(fq::ReadTextFile((web.path() / "moved" / "asked").string()), "fq fq ");
}

// Every way of giving no report, each from a real cause, says why in a column of its own.
TEST(FerquorCheck, EveryNoReportSaysWhy) {
    TempFolder web, local, program, tlsWork, nginxWork;
    for (const auto& [site, script] : std::vector<std::pair<std::string, std::string>>{
             {"busy", "<?php http_response_code(503); echo \"----------\\n(busy)\\n----------\";"},
             {"moved", "<?php header('Location: /elsewhere/');"},
             {"page", "<html>Welcome!</html>"},
             {"wrong", fq::FillReportPassword(fq::ReportScriptTemplate(), "pw2")},
             {"root", fq::FillReportPassword(fq::ReportScriptTemplate(), "pw")}}) {
        Write(web.path() / site / "script.inc", script);
        server_files::Write("older_report.php", web.path() / site / "_report.php", {});
    }
    Write(local.path() / "one" / "a.php", "1");
    // Over nginx's body limit: 300 paths of some 3,800 bytes each.
    std::string deep = "big";
    for (int level = 0; level < 15; ++level) {
        deep += "/" + std::string(250, 'd');
    }
    for (int file = 0; file < 300; ++file) {
        Write(local.path() / deep / (std::to_string(file) + ".php"), "1");
    }
    PhpServer php(web.path());
    ApacheServer tls(web.path(), tlsWork.path(), Apache::kTls);
    NginxServer nginx(web.path(), nginxWork.path());
    ASSERT_TRUE(php.running() && tls.running() && nginx.running());
    std::string sites = "php<>pw\r\n", listing, verdicts;
    int row = 0;
    for (const auto& [url, reason] : std::vector<std::pair<std::string, std::string>>{
             {"http://127.0.0.1:1/", "the connection was refused"},
             {"http://nowhere.invalid/", "the address could not be resolved"},
             {php.url() + "none/",
              "the server answered HTTP 404: no report script at this address"},
             {php.url() + "busy/",
              "the server answered HTTP 503: the server is unavailable for now"},
             {php.url() + "moved/", "the server answered HTTP 302, a redirect to " + php.url() +
                                        "elsewhere/ that is not followed"},
             {php.url() + "page/", "the answer is not a list of sizes"},
             {php.url() + "wrong/",
              "the answer was empty (wrong password, or no script at this address)"},
             {php.url() + "root/",
              "the server has none of these files: is the local folder the site's root?"},
             {nginx.url() + "big/",
              "the server answered HTTP 413: the request is larger than the server accepts"},
             {tls.url(), "the TLS handshake failed: the certificate was not accepted (SSL "
                         "certificate problem: unable to get local issuer certificate)"}}) {
        const bool big = url.ends_with("big/");
        sites += url + "<>" + local.slashed() + (big ? "big" : "one") + "\r\n";
        listing += std::to_string(++row) + "\t" + url + "\tNo report\t0 : " + (big ? "300" : "1") +
                   "\tsize only\t" + reason + "\n";
        verdicts += std::to_string(row) + " No report 0 " + reason + "|";
    }
    EXPECT_TRUE(fq::WriteTextFile(program.slashed() + "ferquor.ini", sites));
    EXPECT_EQ(RunChecker({program.slashed()}), listing + " Total Web : 10     Changed : 0\nexit 3");
    EXPECT_EQ(JsonVerdicts(program.slashed()), verdicts + "exit 3");
}

TEST(FerquorCheck, UnreadableDatabaseOrBadArgumentsExitWithTwoSayingWhy) {
    TempFolder program;
    const std::string folder = program.slashed();
    EXPECT_EQ(RunChecker({folder + "no\x01\xC2\x9B\xC2\xA0where"}),
              "ferquor-check: cannot read " + folder +
                  "no\\x01\\xC2\\x9B\xC2\xA0where/ferquor.ini: No such file or directory\nexit 2");
    fs::create_directory(program.path() / "ferquor.ini");
    EXPECT_EQ(RunChecker({"--report-script", folder}),
              "ferquor-check: cannot read " + folder + "ferquor.ini: Is a directory\nexit 2");
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{"--frobnicate"},
                                                      {folder, folder},
                                                      {""},
                                                      {"--jobs", "0", folder},
                                                      {"--jobs=x", folder},
                                                      {"--jobs"}}) {
        EXPECT_EQ(RunChecker(arguments), "ferquor-check: unknown, empty or extra argument; see "
                                         "ferquor-check --help\nexit 2");
    }
    EXPECT_TRUE(RunChecker({"--help"}).ends_with("exit 0"));
    EXPECT_TRUE(RunChecker({"--version"}).starts_with("ferquor-check 1."));
    Write(program.path() / "sub" / "ferquor.ini", "php<>pw");
    EXPECT_EQ(RunChecker({"--report-script", folder + "sub"}, " >/dev/full"),
              "ferquor-check: cannot write the output: No space left on device\nexit 2");
}
