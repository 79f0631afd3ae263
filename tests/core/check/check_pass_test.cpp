// A pass over real folders with a scripted transport; the real one runs in
// tests/cli/ferquor_check_test.cpp.
#include "core/check/check_pass.h"
#include "core/crypto/digest.h"
#include "core/files/text_file.h"
#include "manual_clock.h"
#include "temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace {

// Sites named by one letter, "http://a/", each with its local folder "a/" in a temporary
// folder. The transport answers by site letter (no answer at all for a letter it does not
// know) and keeps the address and body of each request.
struct ScriptedPass {
    TempFolder local;
    ManualClock clock;
    fq::SiteList sites;
    std::map<char, std::string> answers;
    std::vector<std::string> requests; // the size requests only
    // The entries of each site's signed list, by site letter.
    std::map<char, std::vector<std::string>> listings;
    fq::SignedSites signedSites{local.slashed() + "signed.txt"};
    std::function<void()> duringRequest = [] {};
    std::string caption;
    std::vector<std::string> started; // each site begun, with the number of sites after it
    fq::CheckPass pass;

    void addSite(char name, bool active = true, const std::string& folderEnd = "/") {
        std::filesystem::create_directories(local.path() / std::string(1, name));
        sites.append({"http://" + std::string(1, name) + "/",
                      local.slashed() + std::string(1, name) + folderEnd, active});
    }
    void write(const std::string& path, const std::string& content) {
        EXPECT_TRUE(fq::WriteTextFile(local.slashed() + path, content));
    }
    std::optional<fq::CheckSummary> run(bool scheduled) {
        const fq::CheckServices services{
            [this](const std::string& url, const std::string& request, const fq::MessagePump&,
                   const fq::HttpLimits&) {
                const auto answer = [](const std::optional<std::string>& body) {
                    return body ? fq::HttpAnswer{fq::TransferFailure::kNone, 200, *body, ""}
                                : fq::FailedTransfer(fq::TransferFailure::kRefused);
                };
                if (request.starts_with("fq=")) {
                    return answer(listingAnswer(url[7], request));
                }
                requests.push_back(url + " " + request);
                const auto known = answers.find(url[7]);
                duringRequest();
                return answer(known == answers.end() ? std::nullopt : std::optional(known->second));
            },
            [] { return true; }, &clock};
        const fq::CheckSettings settings{[] { return std::string("php"); },
                                         [] { return std::string("p&w"); },
                                         [this](const std::string& text) { caption = text; },
                                         [this](const std::string& webUrl, int left) {
                                             started.push_back(webUrl + " " + std::to_string(left));
                                         },
                                         &signedSites};
        return pass.run(scheduled, sites, services, settings);
    }
    // The signed answer of site `name`'s script to the listing request `body`, when the test
    // gave it a list; else what a script that does not know the exchange sends: nothing.
    std::optional<std::string> listingAnswer(char name, const std::string& body) {
        const auto listed = listings.find(name);
        if (listed == listings.end()) {
            return std::nullopt;
        }
        std::string answer = "ferquor-list 1\nnonce " + body.substr(body.find("&nonce=") + 7, 32);
        for (const std::string& entry : listed->second) {
            answer += "\n" + entry;
        }
        answer += "\nend " + std::to_string(listed->second.size()) + "\n";
        return answer + "mac " + fq::HmacSha256Hex("p&w", answer) + "\n";
    }
    std::string result(int row) const {
        const fq::CheckResult& result = sites.at(row).result;
        return fq::StatusText(result.status) + " " + fq::TotalText(result) + " " +
               fq::DetailText(result);
    }
};

} // namespace

TEST(CheckPass, ScheduledPassesReuseTheCacheAndChangedSitesStayChanged) {
    ScriptedPass p;
    p.addSite('a');
    p.addSite('b', true, ""); // stored without its final "/"
    p.addSite('c', false);
    p.write("a/x.php", "abc");
    p.write("b/y.php", "12");
    p.answers = {{'a', "3-"}, {'b', "9-"}, {'c', "1-"}};
    // A row added during the pass waits for the next one.
    p.duringRequest = [&] { p.sites.size() == 3 ? p.addSite('d') : void(); };
    EXPECT_FALSE(p.run(false).value().stopped);
    EXPECT_EQ(p.started, (std::vector<std::string>{"http://a/ 1", "http://b/ 0"}));
    EXPECT_EQ(p.requests, (std::vector<std::string>{
                              "http://a/_report.php .state=1&pw=p%26w&path=x.php\r\n&.referer=",
                              "http://b/_report.php .state=1&pw=p%26w&path=y.php\r\n&.referer="}));
    EXPECT_EQ(p.result(0), "OK 0 : 1 ");
    EXPECT_EQ(p.result(1), "Changed 1 : 1 y.php\r\n");
    // Each active site waits until the second after the next one has begun.
    EXPECT_EQ(p.clock.seconds, 36000 + 2 * 2);

    // A file added locally is not seen by a scheduled pass; "b" is still measured against its
    // old sizes, so the same answer reports it again.
    p.write("a/z.php", "zz");
    p.requests.clear();
    ASSERT_TRUE(p.run(true));
    EXPECT_NE(p.requests.at(0).find("path=x.php\r\n&"), std::string::npos);
    EXPECT_EQ(p.result(1), "Changed 1 : 1 y.php\r\n");

    // A manual pass scans afresh. No answer is no report; an empty folder is no folder, not
    // the whole disk.
    p.answers = {{'a', "3-5-"}, {'b', "2-"}};
    p.write("d/i.php", "1");
    p.sites.append({"http://e/", "", true});
    p.requests.clear();
    ASSERT_TRUE(p.run(false));
    EXPECT_NE(p.requests.at(0).find("path=x.php\r\nz.php\r\n&"), std::string::npos);
    EXPECT_EQ(p.result(0), "Changed 1 : 2 z.php\r\n");
    EXPECT_EQ(p.result(1), "OK 0 : 1 ");
    EXPECT_EQ(p.result(3) + "|" + p.result(4),
              "No report 0 : 1 the connection was refused\r\n|No folder 0 : -1 ");
    EXPECT_EQ(p.caption, " Total Web : 5     Changed : 1");
}

TEST(CheckPass, RowsEditedOrRemovedDuringTheirRequestGetNoVerdict) {
    ScriptedPass p;
    for (char name : {'a', 'b', 'c', 'd'}) {
        p.addSite(name);
        p.write(std::string(1, name) + "/i.php", "1");
        p.answers[name] = "7-"; // a verdict written anywhere would read "Changed"
    }
    std::optional<std::optional<fq::CheckSummary>> nested;
    p.duringRequest = [&] {
        if (p.requests.size() == 1) {
            nested = p.run(false);
            p.sites.remove(0); // "a" goes while asked; "b" moves into its place
        } else {
            p.sites.edit(1, "http://e/", p.local.slashed() + "c/"); // "c" is edited while asked
            p.sites.remove(2);                                      // "d" goes before its turn
        }
    };
    ASSERT_TRUE(p.run(false));
    ASSERT_TRUE(nested);
    EXPECT_FALSE(*nested); // the pass was busy
    ASSERT_EQ(p.requests.size(), 2u);
    EXPECT_TRUE(p.requests[1].starts_with("http://c/"));
    EXPECT_EQ(p.result(0) + "|" + p.result(1), "  |  ");
    EXPECT_EQ(p.caption, " Total Web : 2     Changed : 0");
}

// Every kind of change, a forged list and a site that falls back to its older script after a
// restart are shown end to end in tests/cli.
TEST(CheckPass, ASignedListNamesWhatTheServerCouldNotReadAndTheSiteIsRemembered) {
    ScriptedPass p;
    p.addSite('a');
    p.write("a/locked.php", "1");
    p.write("a/gone.php", "1");
    p.write("a/_report.php", "left out, as the script leaves itself out");
    p.listings['a'] = {"u locked.php"};
    p.answers = {{'a', "1-"}};
    ASSERT_TRUE(p.run(false));
    // A single change is a change.
    EXPECT_EQ(p.result(0), "Changed 1 : 2 missing on the server: gone.php\r\n"
                           "unreadable on the server: locked.php\r\n");
    EXPECT_EQ(fq::ExchangeNote(p.sites.at(0).result), "");
    // Once signed, always signed: the checker's test shows what a later start makes of this.
    EXPECT_EQ(fq::ReadTextFile(p.local.slashed() + "signed.txt"), "http://a/\n");
}
