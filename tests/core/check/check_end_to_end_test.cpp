// A pass with the real transport against PHP's built-in server running the report script.
#include "core/check/check_pass.h"
#include "manual_clock.h"
#include "report_site.h"

#include <gtest/gtest.h>

TEST(CheckEndToEnd, EveryStatusFromTheRealReportScript) {
    ReportSites web;
    ASSERT_TRUE(web.running());
    const std::string password = "p&w+=%20";
    web.addSite("same", password);
    web.writeBoth("same", "index.php", "home");
    web.writeBoth("same", "js/app.js", "var a;");
    web.writeBoth("same", "style.css", "body {}"); // not watched
    web.addSite("hacked", password);
    web.writeBoth("hacked", "index.php", "home");
    // Only a name that reaches the script intact is measured there and found grown.
    for (const char* name : {"100%25.php", "a+b.php", "k=v.php", "x&y.php"}) {
        web.writeLocal("hacked", name, "1");
        web.writeServer("hacked", name, "22");
    }
    web.addSite("locked", "other");
    web.writeBoth("locked", "index.php", "home");
    web.addSite("unmirrored", password); // no local folder

    fq::SiteList sites;
    for (const char* name : {"same", "hacked", "locked", "unmirrored"}) {
        sites.append({web.address(name), web.localFolder(name), true});
    }
    ManualClock clock;
    const fq::CheckSettings settings{[] { return std::string("php,js"); },
                                     [&password] { return password; }, [](const std::string&) {}};
    const auto summary = fq::CheckPass().run(
        false, sites, fq::RealCheckServices([] { return true; }, clock), settings);
    ASSERT_TRUE(summary);
    EXPECT_EQ(summary->statusLine(), " Total Web : 4     Changed : 1");
    std::vector<std::string> results;
    for (int row = 0; row < sites.size(); ++row) {
        const fq::CheckResult& result = sites.at(row).result;
        results.push_back(result.status + " " + result.total + " " + result.detail);
    }
    EXPECT_EQ(results,
              (std::vector<std::string>{
                  "OK 0 : 2 ", "Changed 4 : 5 100%25.php\r\na+b.php\r\nk=v.php\r\nx&y.php\r\n",
                  "No report 0 : 1 ", "No folder 0 : -1 "}));
}
