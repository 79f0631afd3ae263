// The rules of a pass that need no server: which sites have fallen silent, when the next pass
// is due, what the ignore file leaves out, how local files are hashed and a large copy keeps
// the window alive, and the rules of both exchanges that the end-to-end tests cannot provoke
// with a real report script.
#include "core/check/answered_sites.h"
#include "core/check/check_schedule.h"
#include "core/check/ignore_rules.h"
#include "core/check/listing_comparison.h"
#include "core/check/listing_exchange.h"
#include "core/check/local_hashes.h"
#include "core/check/report_answer.h"
#include "core/check/report_request.h"
#include "core/crypto/digest.h"
#include "core/files/text_file.h"
#include "temp_folder.h"

#include <gtest/gtest.h>
#include <optional>

using enum fq::SiteStatus;
using Texts = std::vector<std::string>;

TEST(AnsweredSites, ScheduledSilenceAfterAnAnswerCountsAcrossARestartUntilForgotten) {
    TempFolder folder;
    const std::string path = folder.slashed() + "answered.txt";
    std::optional<fq::AnsweredSites> sites(path);
    // One pass that gives sites "a" and "b" these statuses: the sites it finds silent.
    const auto pass = [&sites](bool scheduled, fq::SiteStatus a, fq::SiteStatus b) {
        return sites->record({{"a", a}, {"b", b}}, scheduled);
    };
    EXPECT_EQ(pass(true, kNoReport, kOk), Texts{});       // "a" has not answered yet
    EXPECT_EQ(pass(false, kOk, kNoReport), Texts{});      // a manual pass counts no silence
    EXPECT_EQ(pass(true, kNoFolder, kNoReport), Texts{}); // "No folder" is no silence...
    EXPECT_EQ(pass(true, kNoReport, kNoFolder), Texts{}); // ... and breaks none
    EXPECT_EQ(pass(true, kNoReport, kNoReport), (Texts{"a", "b"})); // twice in a row
    EXPECT_EQ(pass(true, kChanged, kNoReport), Texts{"b"});         // and on while silent
    sites.emplace(path);                                            // a restart
    sites->keepOnly({{"b", "/b/", true}}); // "a" removed: as if it never answered
    EXPECT_EQ(fq::ReadTextFile(path), "2 b\n");
    EXPECT_EQ(pass(true, kNoReport, kNoReport), Texts{"b"});
    EXPECT_EQ(pass(true, kNoReport, kOk), Texts{});

    // Lines that do not read know no site; a file that cannot be read, none at all.
    EXPECT_TRUE(fq::WriteTextFile(path, "junk\n-1 a\n99999999999 a\n2 b\n"));
    sites.emplace(path);
    EXPECT_EQ(pass(true, kNoReport, kNoReport), Texts{"b"});
    sites.emplace(folder.slashed());
    EXPECT_EQ(pass(true, kOk, kNoReport), Texts{});
}

constexpr fq::ClockSeconds kStart = 36000; // 10:00:00

TEST(CheckSchedule, FirstCheckAfterThreeMinutesThenHourlyAndAPauseOrManualCheckMovesTheMark) {
    fq::CheckSchedule schedule;
    EXPECT_FALSE(schedule.Tick(kStart, true));
    EXPECT_FALSE(schedule.Tick(kStart + 180, true)); // 10:03:00 is not later than 10:03:00
    EXPECT_TRUE(schedule.Tick(kStart + 181, true));
    // A tick during that check finds the time already moved.
    EXPECT_FALSE(schedule.Tick(kStart + 182, true));
    EXPECT_FALSE(schedule.Tick(kStart + 181 + 3600, true));
    EXPECT_TRUE(schedule.Tick(kStart + 181 + 3601, true));

    fq::CheckSchedule off;
    off.Tick(kStart, false);
    EXPECT_FALSE(off.Tick(kStart + 200, false));
    // Switched on again, it waits for the next mark.
    EXPECT_FALSE(off.Tick(kStart + 300, true));
    EXPECT_TRUE(off.Tick(kStart + 200 + 3601, true));

    fq::CheckSchedule manual;
    manual.Tick(kStart, true);
    manual.ManualCheckEnded(kStart + 1860); // "Check Now" ending at 10:31
    EXPECT_FALSE(manual.Tick(kStart + 1860 + 3600, true));
    EXPECT_TRUE(manual.Tick(kStart + 1860 + 3601, true));
}

TEST(IgnoreRules, GlobsMatchNamesAnywhereFoldersWithTheirContentAndRootedPaths) {
    const fq::IgnoreRules rules = fq::IgnoreRules::FromText("# caches and uploads\r\n"
                                                            "*.log\r\n"
                                                            "\n"
                                                            "wp-content/uploads/\n"
                                                            "/cache?.php\n"
                                                            "lib/**/gen-*.js\n"
                                                            "tmp/\n");
    for (const char* ignored :
         {"error.log", "a/b/x.log", "wp-content/uploads/2026/12/shell.php", "cache1.php",
          "lib/gen-a.js", "lib/x/y/gen-b.js", "tmp/a.php", "site/tmp/b.php"}) {
        EXPECT_TRUE(rules.ignores(ignored)) << ignored;
    }
    for (const char* watched :
         {"error.log.php", "wp-content/uploads.php", "x/wp-content/uploads/a.php", "cache12.php",
          "sub/cache1.php", "lib/gen/a.js", "other/lib/gen-a.js", "tmp.php",
          "# caches and uploads"}) {
        EXPECT_FALSE(rules.ignores(watched)) << watched;
    }
    EXPECT_TRUE(fq::IgnoreRules::FromText("**").ignores("any/path.php"));
    EXPECT_TRUE(fq::IgnoreRules::FromText("\n#\r\n/\n").empty());
    // A long path costs no more than its length times the pattern's.
    EXPECT_FALSE(fq::IgnoreRules::FromText("**a*a*a*a*a*a*a*a*b").ignores(std::string(20000, 'a')));
}

TEST(ListingComparison, EventsRunWhileALargeCopyIsComparedAndMayEndIt) {
    const std::vector<std::string> many(300, "a.php");
    fq::LocalHashes hashes;
    int calls = 0;
    const auto compare = [&](bool goOn) {
        return fq::CompareWithListing(many, "/nowhere/", {}, hashes, [&] { return ++calls, goOn; });
    };
    EXPECT_TRUE(compare(true));
    EXPECT_FALSE(compare(false));
    EXPECT_EQ(calls, 2);
}

TEST(ReportAnswer, SizeFieldsAreEmptyOrDecimalAfterBlanks) {
    EXPECT_EQ(fq::ReadSizeField(""), std::optional<std::uintmax_t>(0));
    EXPECT_EQ(fq::ReadSizeField(" \t\r\n007"), std::optional<std::uintmax_t>(7));
    EXPECT_EQ(fq::ReadSizeField("99999999999999999999999"),
              std::optional<std::uintmax_t>(UINTMAX_MAX));
    EXPECT_EQ(fq::ReadSizeField("18446744073709551614"),
              std::optional<std::uintmax_t>(UINTMAX_MAX - 1));
    for (const char* junk : {" ", "12 ", "1.5", "+3", "0x10", "<br>",
                             "\xef\xbb\xbf"
                             "12"}) {
        EXPECT_EQ(fq::ReadSizeField(junk), std::nullopt) << junk;
    }
}

TEST(ReportAnswer, FieldCountAndFieldContentDecideWhatIsAReport) {
    // index.php has no local copy; the others are 873 and 40 bytes.
    const auto judged = [](const std::string& answer) {
        const fq::CheckResult verdict = fq::JudgeReport(
            answer, {"index.php", "admin/db.php", "js/app.js"}, "", [](const std::string& entry) {
                return entry == "admin/db.php" ? std::optional<std::uintmax_t>(873)
                       : entry == "js/app.js"  ? std::optional<std::uintmax_t>(40)
                                               : std::nullopt;
            });
        return fq::StatusText(verdict.status) + " " + fq::TotalText(verdict) + " " +
               fq::DetailText(verdict);
    };
    EXPECT_EQ(judged("999-874-40-"), "Changed 1 : 3 admin/db.php\r\n"); // index.php not compared
    EXPECT_EQ(judged("1-1-40-"), "Changed 1 : 3 admin/db.php\r\n");     // one byte is a size
    // A byte-order mark that an editor left before the script's tag is no part of the answer.
    EXPECT_EQ(judged("\xEF\xBB\xBF"
                     "1-900-40-"),
              "Changed 1 : 3 admin/db.php\r\n");
    // Ten "-" or more may run past the last file; what follows it is ignored.
    EXPECT_EQ(judged("1-873-40-junk-<b>-x-y-z-w-v-"), "OK 0 : 3 ");
    // Any other count is no report, and nothing in it is compared: too few fields, or one too
    // many from a negative size, would pair a file with another's size. So is a field that
    // is no size, and an answer that names none of the files, which compares nothing.
    const std::string notSizes = "No report 0 : 3 the answer is not a list of sizes\r\n";
    for (const auto& [answer, verdict] : std::vector<std::pair<std::string, std::string>>{
             {"1-900-", notSizes},
             {"1--900-40-", notSizes},
             {"1-900-<b>-----------", notSizes},
             {"\xEF\xBB\xBF", "No report 0 : 3 the answer was empty (wrong password, or no "
                              "script at this address)\r\n"},
             {"-----------", "No report 0 : 3 the server has none of these files: is the local "
                             "folder the site's root?\r\n"},
             {"--0-", "OK 0 : 3 "}}) {
        EXPECT_EQ(judged(answer), verdict) << answer;
    }

    // Ten "-" or more still leave no listed file without its field.
    const std::vector<std::string> twelveFiles(12, "a.php");
    const auto one = [](const std::string&) { return std::optional<std::uintmax_t>(1); };
    EXPECT_EQ(fq::JudgeReport("2-2-2-2-2-2-2-2-2-2-2-", twelveFiles, "", one).status,
              fq::SiteStatus::kNoReport);
}

TEST(ReportRequest, OnlyTheFourFormCharactersAreEncoded) {
    EXPECT_EQ(fq::BuildReportRequestBody("", {}), ".state=1&pw=&path=&.referer=");
    // Bytes a form parser leaves alone stay raw, CR LF and non-ASCII included.
    const std::string raw = "x y#?;/\\'\"\r\n\t\xc3\xa9~!*()";
    EXPECT_EQ(fq::EncodeFormValue(raw + "a+b&c=d%e"), raw + "a%2Bb%26c%3Dd%25e");
    EXPECT_EQ(fq::BuildReportRequestBody("p&w=1", {"a+b.php", "100%.js"}),
              ".state=1&pw=p%26w%3D1&path=a%2Bb.php\r\n100%25.js\r\n&.referer=");
}

using Outcome = fq::ServerListing::Outcome;

namespace {

const std::string kNonce = "0123456789abcdef0123456789abcdef";

// A listing answer of `lines` signed with `password`, as the script sends it.
std::string Signed(const std::string& lines, const std::string& password = "pw") {
    const std::string body = "ferquor-list 1\nnonce " + kNonce + "\n" + lines;
    return body + "mac " + fq::HmacSha256Hex(password, body) + "\n";
}

const std::string kHash(64, 'a');

} // namespace

// The request, and that it carries no password, is the checker's test with the real script;
// here, which answers are read.
TEST(ListingExchange, OnlyAnAnswerSignedForThisRequestIsRead) {
    const std::string list =
        "f 12 " + kHash + " a b%25%09%7F%10\xE9.php\nf 0 " + kHash + " c\nu sub/x%25\nend 3\n";
    const fq::ServerListing listing =
        fq::ReadListingAnswer("\xEF\xBB\xBF" + Signed(list) + "<br>", "pw", kNonce);
    ASSERT_EQ(listing.outcome, Outcome::kListed);
    EXPECT_EQ(listing.files, (std::vector<fq::ListedFile>{{"a b%\t\x7F\x10\xE9.php", 12, kHash},
                                                          {"c", 0, kHash},
                                                          {"sub/x%", std::nullopt, {}}}));

    const auto outcome = [](const std::string& answer, const std::string& nonce = kNonce) {
        return fq::ReadListingAnswer(answer, "pw", nonce).outcome;
    };
    EXPECT_EQ(outcome(""), Outcome::kNotAListing);
    EXPECT_EQ(outcome("12-4-"), Outcome::kNotAListing);
    EXPECT_EQ(outcome("ferquor-list 1\nrefused\n"), Outcome::kRefused);
    EXPECT_EQ(outcome(Signed("limit files\n")), Outcome::kTooLarge);
    EXPECT_EQ(outcome(Signed("end 0\n")), Outcome::kListed);
    // A size changed in transit, another request's answer, a miscount, a bad
    // escape, a raw control byte: none is read.
    std::string tampered = Signed(list);
    tampered.replace(tampered.find("f 12"), 4, "f 13");
    for (const std::string& forged :
         {tampered, Signed("f 1 " + kHash + " a.php\nend 2\n"),
          Signed("f 1 " + kHash + " a%2.php\nend 1\n"), Signed("u a\x01.php\nend 1\n"),
          Signed("u a\x7F.php\nend 1\n"), Signed("u a%2\nend 1\n"),
          Signed("f 1 " + kHash.substr(1) + "  a.php\nend 1\n"),
          Signed("f 1 " + kHash + "_a.php\nend 1\n"), Signed("f -1 " + kHash + " a.php\nend 1\n"),
          Signed(list).substr(0, 150)}) {
        EXPECT_EQ(outcome(forged), Outcome::kForged) << forged;
    }
    EXPECT_EQ(outcome(Signed(list), "ffffffffffffffffffffffffffffffff"), Outcome::kForged);
}

TEST(LocalHashes, AFileIsHashedAtTheAskedSizeOnlyReadAgainOnlyWhenItChangedAndKeptForTheNextRun) {
    TempFolder folder;
    const std::string path = folder.slashed() + "a.php";
    ASSERT_TRUE(fq::WriteTextFile(path, "abc"));
    fq::LocalHashes hashes;
    const std::string abc = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
    const auto seen = [&](std::uintmax_t atSize) {
        const auto look = hashes.look(path, atSize);
        return look ? std::to_string(look->size) + " " + look->sha256.value_or("-") : "none";
    };
    EXPECT_EQ(seen(4), "3 -");
    EXPECT_EQ(seen(3), "3 " + abc);
    EXPECT_EQ(seen(3), "3 " + abc);
    EXPECT_EQ(hashes.filesRead(), 1u);
    // The same size, written again: a new inode and time.
    ASSERT_TRUE(fq::WriteTextFile(path, "abd"));
    EXPECT_NE(seen(3), "3 " + abc);
    EXPECT_EQ(hashes.filesRead(), 2u);
    EXPECT_FALSE(hashes.look(folder.slashed(), 0));

    // A cache file keeps the hashes looked at for the next run.
    const std::string cache = folder.slashed() + "hashes.txt";
    const std::string odd = folder.slashed() + "a%b\nc.php", gone = folder.slashed() + "g.php";
    ASSERT_TRUE(fq::WriteTextFile(odd, "abc") && fq::WriteTextFile(gone, "x"));
    {
        fq::LocalHashes hashes(cache);
        ASSERT_TRUE(hashes.look(odd, 3) && hashes.look(gone, 1));
        hashes.save(); // both
        ASSERT_TRUE(hashes.look(odd, 3));
        hashes.save(); // "g.php" was not looked at since: forgotten
    }
    ASSERT_TRUE(fq::WriteTextFile(cache, fq::ReadTextFile(cache) + "1 2 3 4 damaged\n"));
    fq::LocalHashes again(cache);
    EXPECT_EQ(again.look(odd, 3)->sha256, fq::FileSha256Hex(odd));
    EXPECT_EQ(again.filesRead(), 0u);
    ASSERT_TRUE(again.look(gone, 1));
    EXPECT_EQ(again.filesRead(), 1u);
}
