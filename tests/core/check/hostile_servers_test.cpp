// A real pass against report scripts that are broken or hostile in the ways servers are,
// each under PHP's built-in server: every site gets its true verdict, and none holds the pass.
#include "core/check/check_pass.h"
#include "core/check/report_script.h"
#include "core/files/text_file.h"
#include "manual_clock.h"
#include "php_server.h"
#include "temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// A site: its web root with the given report script, and `files` PHP files of 5 bytes on
// both sides.
void MakeSite(const fs::path& web, const fs::path& local, const std::string& report,
              int files = 1) {
    fs::create_directories(web);
    fs::create_directories(local);
    EXPECT_TRUE(fq::WriteTextFile((web / "_report.php").string(), report));
    for (int i = 0; i < files; ++i) {
        const std::string name = std::to_string(i) + ".php";
        EXPECT_TRUE(fq::WriteTextFile((web / name).string(), "12345"));
        EXPECT_TRUE(fq::WriteTextFile((local / name).string(), "12345"));
    }
}

} // namespace

TEST(HostileServers, EachSiteGetsItsTrueVerdictAndNoneHoldsThePass) {
    const std::string script = fq::FillReportPassword(fq::ReportScriptTemplate(), "pw");
    TempFolder web, dripWeb, local;
    MakeSite(web.path() / "bom", local.path() / "bom", "\xEF\xBB\xBF" + script);
    EXPECT_TRUE(fq::WriteTextFile(web.slashed() + "bom/inc.php", "injected"));
    EXPECT_TRUE(fq::WriteTextFile(local.slashed() + "bom/inc.php", "clean"));
    MakeSite(web.path() / "moved", local.path() / "moved",
             "<?php header('Location: real.php', true, 307);");
    EXPECT_TRUE(fq::WriteTextFile(web.slashed() + "moved/real.php", script));
    // Cut inside the last of twelve numbers, and fields that do not fit the one listed file.
    MakeSite(web.path() / "cut", local.path() / "cut",
             "<?php header('Content-Length: 99'); echo str_repeat('12345-', 11), '12';", 12);
    MakeSite(web.path() / "fields", local.path() / "fields", "<?php echo '7--5-';");
    // A byte every 300 ms: never stalled, never done.
    MakeSite(dripWeb.path(), local.path() / "drip",
             "<?php for ($i = 0; $i < 100; ++$i) { echo '1'; flush(); usleep(300000); }");
    PhpServer server(web.path()), dripServer(dripWeb.path());
    ASSERT_TRUE(server.running() && dripServer.running());

    fq::SiteList sites;
    for (const char* name : {"bom", "moved", "cut", "fields"}) {
        // Stored without the final "/", as a hand-edited file may have it.
        sites.append({server.url() + name + "/", local.slashed() + name, true});
    }
    sites.append({dripServer.url(), local.slashed() + "drip/", true});

    ManualClock clock;
    const fq::HttpLimits quick{2s, 2s, 2s};
    const fq::CheckServices services{
        [&quick](const std::string& url, const std::string& body, const fq::MessagePump& pump,
                 const fq::HttpLimits&) { return fq::PostForm(url, body, pump, quick); },
        [] { return true; }, &clock};
    const fq::CheckSettings settings{[] { return std::string("php"); },
                                     [] { return std::string("pw"); }, [](const std::string&) {}};
    const auto started = std::chrono::steady_clock::now();
    fq::CheckPass().run(false, sites, services, settings);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 30s);

    std::string verdicts;
    for (int row = 0; row < sites.size(); ++row) {
        const fq::CheckResult& result = sites.at(row).result;
        verdicts += fq::StatusText(result.status) + " " + fq::TotalText(result) + " " +
                    fq::DetailText(result) + "|";
    }
    EXPECT_EQ(verdicts, "Changed 1 : 2 inc.php\r\n|OK 0 : 1 |No report 0 : 12 |"
                        "No report 0 : 1 |No report 0 : 1 |");
}
