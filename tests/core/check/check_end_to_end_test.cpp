// The check pass against PHP's built-in server running the generated report script.
#include "core/check/check_pass.h"
#include "core/check/local_scan.h"
#include "report_site.h"

#include <gtest/gtest.h>

namespace {

class Rows : public fq::CheckRows {
public:
    std::vector<fq::StoredSite> sites;
    std::vector<fq::CheckResult> results;

    void add(const std::string& webUrl, const std::string& localFolder, bool active = true) {
        sites.push_back({webUrl, localFolder, active});
        results.emplace_back();
    }
    int rowCount() const override { return static_cast<int>(sites.size()); }
    fq::StoredSite site(int row) const override { return sites.at(std::size_t(row)); }
    void writeResult(int row, const fq::CheckResult& result) override {
        results.at(std::size_t(row)) = result;
    }
};

// The real scan and transport; a clock that jumps instead of pausing.
struct Pass {
    std::string password = "s3cret";
    std::string caption;
    std::string pendingAlert;
    std::int64_t clock = 0;
    int requests = 0;
    std::function<void()> pump = [] {};
    fq::CheckPass pass;

    void run(bool alert, Rows& rows) {
        fq::CheckServices s;
        s.watchedTypes = [] { return std::string("php,js"); };
        s.reportPassword = [this] { return password; };
        s.listWatchedFiles = fq::ListWatchedFiles;
        s.getSize = fq::getSize;
        s.postForm = [this](const std::string& url, const std::string& body,
                            const fq::MessagePump& pump, const fq::HttpLimits& limits) {
            ++requests;
            return fq::PostForm(url, body, pump, limits);
        };
        s.pump = [this] { pump(); };
        s.now = [this] { return clock; };
        s.waitUntilPast = [this](std::int64_t mark) { clock = mark + 1; };
        s.showStatus = [this](const std::string& text) { caption = text; };
        s.setPendingAlert = [this](const std::string& alert) { pendingAlert = alert; };
        pass.CheckWeb(alert, rows, s);
    }
};

fq::CheckResult Result(const char* status, const char* total, const char* detail = "") {
    return {status, total, detail};
}

} // namespace

namespace fq {
void PrintTo(const CheckResult& result, std::ostream* out) {
    *out << "{" << result.status << ", " << result.total << ", "
         << ::testing::PrintToString(result.detail) << "}";
}
} // namespace fq

TEST(CheckEndToEnd, EveryStatusThenGrownAndAddedFiles) {
    ReportSites sites;
    ASSERT_TRUE(sites.running());
    // Form characters in the password and the names are really asked for.
    const std::string password = "p&w+=%20";
    const std::string url = sites.addSite("a", password);
    for (const char* name : {"a+b.php", "x&y.php", "k=v.php", "100%25.php", "sp ace.php"}) {
        sites.writeBoth("a", name, name);
    }
    sites.writeBoth("a", "index.php", "<?php echo 'home'; ?>");
    sites.writeBoth("a", "inc/db.php", "<?php $db = 1; ?>");
    sites.writeBoth("a", "js/app.js", "var a = 1;");
    sites.writeBoth("a", "style.css", "body {}"); // not watched
    sites.writeLocal("a", "gone.php", "missing on the server");
    sites.writeLocal("a", "blank.php", "empty on the server");
    sites.writeServer("a", "blank.php", "");
    sites.addSite("locked", "other");
    sites.writeBoth("locked", "index.php", "x");
    sites.writeBoth("bare", "index.php", "x"); // no report script
    // A hosting error page: many dashes and numbers, but no size list.
    sites.writeServer("broken", "_report.php",
                      "<?php http_response_code(500); ?><html><body><h1>500 - Internal Error"
                      "</h1><hr>----------------------------------------<p>2024-05-01 12:00 - "
                      "request 4711 - 3 - 2 - 1</p></body></html>");
    sites.writeBoth("broken", "a.php", "1");
    sites.writeBoth("broken", "b.php", "22");
    Rows rows;
    rows.add(url, sites.localFolder("a"));
    rows.add(url, sites.localFolder("a"), false);
    for (const char* name : {"locked", "bare", "broken", "nofolder"}) {
        rows.add(sites.address(name), sites.localFolder(name)); // "nofolder" is never created
    }
    Pass check;
    check.password = password;
    check.run(true, rows);
    EXPECT_EQ(rows.results, (std::vector<fq::CheckResult>{
                                Result("OK", "0 : 10"), Result("", ""),
                                Result("No report", "0 : 1"), Result("No report", "0 : 1"),
                                Result("No report", "0 : 2"), Result("No folder", "0 : -1")}));
    EXPECT_EQ(check.caption, " Total Web : 6     Changed : 0");
    EXPECT_EQ(check.requests, 5); // the site without a folder is still asked, with an empty list
    EXPECT_EQ(check.pendingAlert, "");

    // Injected code grows a file on the server; a manual pass raises no alert.
    sites.writeServer("a", "inc/db.php", "<?php $db = 1; eval($_GET['x']); ?>");
    sites.writeServer("a", "a+b.php", "a+b.php grown");
    sites.writeServer("a", "x&y.php", "x&y.php grown");
    check.run(false, rows);
    EXPECT_EQ(rows.results[0], Result("Changed", "3 : 10", "a+b.php\r\nx&y.php\r\ninc/db.php\r\n"));
    EXPECT_EQ(check.caption, " Total Web : 6     Changed : 1");
    EXPECT_EQ(check.pendingAlert, "");

    // A file that differs, added after the list was cached: a scheduled pass reuses the list,
    // a manual pass rescans.
    sites.writeLocal("a", "new.php", "local");
    sites.writeServer("a", "new.php", "on the server");
    check.run(true, rows);
    EXPECT_EQ(rows.results[0], Result("Changed", "3 : 10", "a+b.php\r\nx&y.php\r\ninc/db.php\r\n"));
    EXPECT_EQ(check.pendingAlert, " Total Web : 6     Changed : 1");
    check.run(false, rows);
    EXPECT_EQ(rows.results[0],
              Result("Changed", "4 : 11", "a+b.php\r\nnew.php\r\nx&y.php\r\ninc/db.php\r\n"));
}

TEST(CheckEndToEnd, ASecondCallWhileTheRequestRunsChangesNothing) {
    ReportSites sites;
    ASSERT_TRUE(sites.running());
    const std::string url = sites.addSite("a", "s3cret");
    sites.writeBoth("a", "index.php", "home");
    sites.writeServer("a", "index.php", "home, grown");
    Rows rows, other;
    rows.add(url, sites.localFolder("a"));
    other.add(url, sites.localFolder("a"));
    Pass check;
    int nestedCalls = 0;
    // The transport lets events run while it waits; one of them asks for another pass.
    check.pump = [&] {
        if (check.requests == 1 && nestedCalls == 0) {
            ++nestedCalls;
            check.run(false, other);
        }
    };
    check.run(true, rows);
    EXPECT_EQ(nestedCalls, 1);
    EXPECT_EQ(check.requests, 1);
    EXPECT_EQ(other.results[0], Result("", ""));
    EXPECT_EQ(rows.results[0], Result("Changed", "1 : 1", "index.php\r\n"));
    EXPECT_EQ(check.pendingAlert, " Total Web : 1     Changed : 1");
}
