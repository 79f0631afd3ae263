// The answer rules that the end-to-end tests cannot provoke with a real report script.
#include "core/check/report_answer.h"

#include <gtest/gtest.h>

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
