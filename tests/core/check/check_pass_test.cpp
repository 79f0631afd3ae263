// The order of a pass's steps and its handling of rows that change under it, with logged
// stand-ins for the scan and the transport; the real ones are in check_end_to_end_test.cpp.
#include "core/check/check_pass.h"

#include <gtest/gtest.h>
#include <map>

namespace {

class ListRows : public fq::CheckRows {
public:
    std::vector<fq::StoredSite> sites;
    std::map<int, std::string> statuses;

    int rowCount() const override { return static_cast<int>(sites.size()); }
    fq::StoredSite site(int row) const override { return sites.at(std::size_t(row)); }
    void writeResult(int row, const fq::CheckResult& result) override {
        statuses[row] = result.status;
    }
};

// Every call of the pass is logged in order; the clock moves only when the pass waits.
struct Surroundings {
    std::vector<std::string> log;
    std::int64_t clock = 1000;
    std::function<void()> duringRequest = [] {};

    fq::CheckServices services() {
        fq::CheckServices s;
        s.watchedTypes = [] { return std::string("php"); };
        s.reportPassword = [] { return std::string("pw"); };
        s.listWatchedFiles = [this](const std::string& root, const std::string& relative,
                                    const std::string& types) {
            log.push_back("scan " + root + relative + " " + types);
            return root.substr(1, 1) + ".php\r\n"; // "/a/" holds a.php; the answer is "1-"
        };
        s.getSize = [](const std::string&, const std::string&) { return std::string(); };
        s.postForm = [this](const std::string& url, const std::string& body, const fq::MessagePump&,
                            const fq::HttpLimits&) {
            log.push_back("post " + url + " " + body);
            duringRequest();
            return std::string("1-");
        };
        s.pump = [] {};
        s.now = [this] { return clock; };
        s.waitUntilPast = [this](std::int64_t mark) {
            log.push_back("wait " + std::to_string(mark - clock));
            clock = mark + 1;
        };
        s.showStatus = [this](const std::string& text) { log.push_back(text); };
        s.setPendingAlert = [](const std::string&) {};
        return s;
    }
};

} // namespace

TEST(CheckPass, RowsRemovedDuringAPassGetNoForeignVerdict) {
    ListRows rows;
    for (const char* name : {"a", "b", "c", "d"}) {
        rows.sites.push_back({std::string("http://") + name + "/", "/x/", true});
    }
    Surroundings around;
    // While "a" is asked, "a" itself goes; while "c" is asked, "d" goes.
    around.duringRequest = [&] {
        if (around.log.back().starts_with("post http://a/")) {
            rows.sites.erase(rows.sites.begin());
        } else if (around.log.back().starts_with("post http://c/")) {
            rows.sites.pop_back();
        }
    };
    fq::CheckPass pass;
    pass.CheckWeb(false, rows, around.services());
    // "b" moved into a's row without taking a's verdict; the pass went on with the next row
    // and stopped at the last existing one.
    EXPECT_EQ(rows.statuses, (std::map<int, std::string>{{1, "OK"}}));
    EXPECT_EQ(around.log.back(), " Total Web : 2     Changed : 0");
}

TEST(CheckPass, StepsInOrderAndCachesFollowEditedRemovedAndReloadedRows) {
    ListRows rows;
    rows.sites = {{"http://a/", "/a/", true}, {"http://b/", "/b/", true}};
    Surroundings around;
    const fq::CheckServices services = around.services();
    fq::CheckPass pass;
    const auto scansOfAScheduledPass = [&] {
        around.log.clear();
        pass.CheckWeb(true, rows, services);
        std::string scans;
        for (const std::string& entry : around.log) {
            scans += entry.starts_with("scan ") ? entry.substr(5, 3) : "";
        }
        return scans;
    };
    EXPECT_EQ(scansOfAScheduledPass(), "/a//b/");
    EXPECT_EQ(around.log, (std::vector<std::string>{
                              "Checking http://a/", "wait 1", "scan /a/ php",
                              "post http://a/_report.php .state=1&pw=pw&path=a.php\r\n&.referer=",
                              "Checking http://b/", "wait 1", "scan /b/ php",
                              "post http://b/_report.php .state=1&pw=pw&path=b.php\r\n&.referer=",
                              " Total Web : 2     Changed : 0"}));
    EXPECT_EQ(scansOfAScheduledPass(), "");
    pass.rowEdited(0);
    EXPECT_EQ(scansOfAScheduledPass(), "/a/");

    // The removed row's list goes; "b" keeps its own list in its new place.
    rows.sites.erase(rows.sites.begin());
    pass.rowRemoved(0);
    EXPECT_EQ(scansOfAScheduledPass(), "");
    EXPECT_NE(around.log[2].find("path=b.php"), std::string::npos);

    pass.listReloaded();
    EXPECT_EQ(scansOfAScheduledPass(), "/b/");
    // Hooks for rows the caches never held do nothing.
    pass.rowEdited(7);
    pass.rowRemoved(7);
    pass.rowRemoved(-1);
    EXPECT_EQ(scansOfAScheduledPass(), "");
}
