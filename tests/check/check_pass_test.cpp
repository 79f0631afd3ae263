#include "check/check_pass.h"
#include "platform/text_file.h"
#include "temp_folder.h"

#include <gtest/gtest.h>
#include <map>

namespace {

struct Row {
    fq::StoredSite site;
    fq::CheckResult result;
};

class ListRows : public fq::CheckRows {
public:
    std::vector<Row> rows;

    int rowCount() const override { return static_cast<int>(rows.size()); }
    fq::StoredSite site(int row) const override { return rows.at(std::size_t(row)).site; }
    void writeResult(int row, const fq::CheckResult& result) override {
        rows.at(std::size_t(row)).result = result;
    }
};

// Surroundings of a pass whose every call is logged in order: the local lists and size texts
// come from maps keyed by folder, the answers from a map keyed by url, and the clock moves
// only when the pass waits.
struct Surroundings {
    std::map<std::string, std::string> lists;
    std::map<std::string, std::string> sizes;
    std::map<std::string, std::string> answers;
    std::string password = "pw";
    std::vector<std::string> log;
    std::vector<std::string> bodies;
    std::string pendingAlert;
    std::string caption;
    std::int64_t clock = 1000;
    std::function<void()> duringRequest;

    fq::CheckServices services() {
        fq::CheckServices s;
        s.watchedTypes = [] { return std::string("php"); };
        s.reportPassword = [this] { return password; };
        s.listWatchedFiles = [this](const std::string& root, const std::string& relative,
                                    const std::string& types) {
            log.push_back("scan " + root + "|" + relative + "|" + types);
            return lists[root];
        };
        s.getSize = [this](const std::string& folder, const std::string&) { return sizes[folder]; };
        s.postForm = [this](const std::string& url, const std::string& body,
                            const fq::MessagePump& pump, const fq::HttpLimits&) {
            log.push_back("post " + url);
            bodies.push_back(body);
            EXPECT_TRUE(static_cast<bool>(pump));
            if (duringRequest) {
                duringRequest();
            }
            return answers[url];
        };
        s.pump = [] {};
        s.now = [this] { return clock; };
        s.waitUntilPast = [this](std::int64_t mark) {
            log.push_back("wait " + std::to_string(mark - clock));
            clock = mark + 1;
        };
        s.showStatus = [this](const std::string& text) {
            caption = text;
            log.push_back("caption " + text);
        };
        s.setPendingAlert = [this](const std::string& alert) { pendingAlert = alert; };
        return s;
    }
};

} // namespace

TEST(CheckPass, EachActiveSiteShowsItsCaptionPausesThenAsks) {
    ListRows rows;
    rows.rows = {{{"http://a/", "/a/", true}, {}},
                 {{"http://b/", "/b/", false}, {"OK", "0 : 1", "old"}},
                 {{"http://c/", "/c/", true}, {}}};
    Surroundings around;
    around.lists = {{"/a/", "x.php\r\n"}, {"/c/", ""}};
    around.sizes = {{"/a/", "5-"}};
    around.answers = {{"http://a/_report.php", "5-"}};
    fq::CheckPass pass;
    pass.CheckWeb(false, rows, around.services());

    EXPECT_EQ(around.log,
              (std::vector<std::string>{"caption Checking http://a/", "wait 1", "scan /a/||php",
                                        "post http://a/_report.php", "caption Checking http://c/",
                                        "wait 1", "scan /c/||php", "post http://c/_report.php",
                                        "caption  Total Web : 3     Changed : 0"}));
    EXPECT_EQ(around.bodies.front(), ".state=1&pw=pw&path=x.php\r\n&.referer=");
    EXPECT_EQ(rows.rows[0].result.status, "OK");
    EXPECT_EQ(rows.rows[0].result.total, "0 : 1");
    // An inactive row keeps the texts of its last check.
    EXPECT_EQ(rows.rows[1].result.detail, "old");
    EXPECT_EQ(rows.rows[2].result.status, "No folder");
    EXPECT_EQ(rows.rows[2].result.total, "0 : -1");
}

TEST(CheckPass, ScheduledPassesReuseListsAndReferencesWhileManualOnesRescan) {
    TempFolder local;
    const std::string folder = local.slashed();
    fq::WriteTextFile(folder + "index.php", std::string(10, 'x'));
    ListRows rows;
    rows.rows = {{{"http://a/", folder, true}, {}}};
    Surroundings around;
    around.lists[folder] = "index.php\r\n";
    around.sizes[folder] = "99-"; // a stale local size text: the server's answer replaces it
    around.answers["http://a/_report.php"] = "10-";
    const fq::CheckServices services = around.services();
    fq::CheckPass pass;

    pass.CheckWeb(true, rows, services);
    EXPECT_EQ(rows.rows[0].result.status, "OK");

    // A scheduled pass sees neither the new local file nor the grown copy: the list is
    // cached and the answer equals the reference.
    around.lists[folder] = "index.php\r\nnew.php\r\n";
    fq::WriteTextFile(folder + "index.php", std::string(20, 'x'));
    around.log.clear();
    pass.CheckWeb(true, rows, services);
    EXPECT_EQ(around.log[2], "post http://a/_report.php");
    EXPECT_EQ(around.bodies.back(), ".state=1&pw=pw&path=index.php\r\n&.referer=");
    EXPECT_EQ(rows.rows[0].result.status, "OK");
    EXPECT_EQ(around.pendingAlert, "");

    // A manual pass rescans and compares again, and never alerts.
    around.log.clear();
    around.answers["http://a/_report.php"] = "10--";
    pass.CheckWeb(false, rows, services);
    EXPECT_EQ(around.log[2], "scan " + folder + "||php");
    EXPECT_EQ(around.bodies.back(), ".state=1&pw=pw&path=index.php\r\nnew.php\r\n&.referer=");
    EXPECT_EQ(rows.rows[0].result.status, "Changed");
    EXPECT_EQ(rows.rows[0].result.total, "1 : 2");
    EXPECT_EQ(rows.rows[0].result.detail, "index.php\r\n");
    EXPECT_EQ(around.caption, " Total Web : 1     Changed : 1");
    EXPECT_EQ(around.pendingAlert, "");

    // A changed site keeps its reference, so every scheduled pass reports it again.
    for (int pass_number = 0; pass_number < 2; ++pass_number) {
        around.pendingAlert.clear();
        pass.CheckWeb(true, rows, services);
        EXPECT_EQ(rows.rows[0].result.status, "Changed");
        EXPECT_EQ(around.pendingAlert, " Total Web : 1     Changed : 1");
    }
}

TEST(CheckPass, ACallDuringAPassChangesNothing) {
    ListRows rows;
    rows.rows = {{{"http://a/", "/a/", true}, {}}};
    Surroundings around;
    around.lists["/a/"] = "x.php\r\n";
    around.answers["http://a/_report.php"] = "7-";
    const fq::CheckServices services = around.services();
    fq::CheckPass pass;
    bool busyDuringRequest = false;
    std::size_t logBeforeNestedCall = 0;
    around.duringRequest = [&] {
        busyDuringRequest = pass.busy();
        logBeforeNestedCall = around.log.size();
        pass.CheckWeb(false, rows, services);
        around.duringRequest = nullptr;
    };
    pass.CheckWeb(true, rows, services);
    EXPECT_TRUE(busyDuringRequest);
    EXPECT_EQ(around.log[logBeforeNestedCall], "caption  Total Web : 1     Changed : 0");
    EXPECT_EQ(around.log.size(), logBeforeNestedCall + 1);
    EXPECT_FALSE(pass.busy());
    // The pass is free again afterwards.
    pass.CheckWeb(false, rows, services);
    EXPECT_EQ(around.bodies.size(), 2u);
}

TEST(CheckPass, RowsRemovedOrEditedDuringAPassAreLeftAlone) {
    ListRows rows;
    for (const char* name : {"a", "b", "c", "d"}) {
        rows.rows.push_back({{std::string("http://") + name + "/", "/x/", true}, {}});
    }
    Surroundings around;
    around.lists["/x/"] = "x.php\r\n";
    for (const char* name : {"a", "b", "c", "d"}) {
        around.answers[std::string("http://") + name + "/_report.php"] = "1-";
    }
    fq::CheckPass pass;
    // While "a" is asked, "a" itself goes; while "c" (then second) is asked, "d" goes.
    around.duringRequest = [&] {
        if (around.log.back() == "post http://a/_report.php") {
            rows.rows.erase(rows.rows.begin());
        } else if (around.log.back() == "post http://c/_report.php") {
            rows.rows.pop_back();
        }
    };
    pass.CheckWeb(false, rows, around.services());
    ASSERT_EQ(rows.rows.size(), 2u);
    // "b" moved into the row that "a" was checked for and did not get a's verdict; the pass
    // then went on with the next row and stopped at the last existing one.
    EXPECT_EQ(rows.rows[0].site.webUrl, "http://b/");
    EXPECT_EQ(rows.rows[0].result.status, "");
    EXPECT_EQ(rows.rows[1].site.webUrl, "http://c/");
    EXPECT_EQ(rows.rows[1].result.status, "OK");
    EXPECT_EQ(around.caption, " Total Web : 2     Changed : 0");
}

TEST(CheckPass, CachesFollowEditedRemovedAndReloadedRows) {
    ListRows rows;
    rows.rows = {{{"http://a/", "/a/", true}, {}}, {{"http://b/", "/b/", true}, {}}};
    Surroundings around;
    around.lists = {{"/a/", "a.php\r\n"}, {"/b/", "b.php\r\n"}};
    const fq::CheckServices services = around.services();
    fq::CheckPass pass;
    pass.CheckWeb(true, rows, services);

    const auto scans = [&around] {
        std::vector<std::string> seen;
        for (const std::string& entry : around.log) {
            if (entry.rfind("scan ", 0) == 0) {
                seen.push_back(entry.substr(5, 3));
            }
        }
        around.log.clear();
        return seen;
    };
    scans();
    pass.rowEdited(0);
    pass.CheckWeb(true, rows, services);
    EXPECT_EQ(scans(), std::vector<std::string>{"/a/"});

    // The removed row's list goes; "b" keeps its own list in its new place.
    rows.rows.erase(rows.rows.begin());
    pass.rowRemoved(0);
    pass.CheckWeb(true, rows, services);
    EXPECT_EQ(scans(), std::vector<std::string>{});
    EXPECT_EQ(around.bodies.back(), ".state=1&pw=pw&path=b.php\r\n&.referer=");

    pass.listReloaded();
    pass.CheckWeb(true, rows, services);
    EXPECT_EQ(scans(), std::vector<std::string>{"/b/"});
    // Hooks for rows the caches never held do nothing.
    pass.rowEdited(7);
    pass.rowRemoved(7);
    pass.rowRemoved(-1);
}
