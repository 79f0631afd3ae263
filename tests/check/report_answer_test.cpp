#include "check/report_answer.h"

#include <gtest/gtest.h>
#include <map>

namespace {

const std::string kList = "index.php\r\nadmin/db.php\r\njs/app.js\r\n";

// Local sizes of kList; a name missing from the map has no local copy.
fq::LocalFileSize LocalSizes(std::map<std::string, std::uintmax_t> sizes) {
    return [sizes](const std::string& entry) -> std::optional<std::uintmax_t> {
        const auto found = sizes.find(entry);
        return found == sizes.end() ? std::nullopt : std::optional(found->second);
    };
}

const fq::LocalFileSize kLocal =
    LocalSizes({{"index.php", 152}, {"admin/db.php", 873}, {"js/app.js", 40}});

} // namespace

TEST(ReportAnswer, CountsPiecesLikeASplit) {
    EXPECT_EQ(fq::LastPieceIndex("", "-"), -1);
    EXPECT_EQ(fq::LastPieceIndex("abc", "-"), 0);
    EXPECT_EQ(fq::LastPieceIndex("152--873-", "-"), 3);
    EXPECT_EQ(fq::LastPieceIndex(kList, "\r\n"), 3);
    EXPECT_EQ(fq::LastPieceIndex("\r\n\r\n", "\r\n"), 2);
}

TEST(ReportAnswer, SizeFieldsAreEmptyOrDecimal) {
    EXPECT_EQ(fq::ReadSizeField(""), std::optional<std::uintmax_t>(0));
    EXPECT_EQ(fq::ReadSizeField("152"), std::optional<std::uintmax_t>(152));
    EXPECT_EQ(fq::ReadSizeField(" \t\r\n007"), std::optional<std::uintmax_t>(7));
    EXPECT_EQ(fq::ReadSizeField("99999999999999999999999"),
              std::optional<std::uintmax_t>(UINTMAX_MAX));
    for (const char* junk : {" ", "12 ", "1.5", "+3", "0x10", "<br>", "Not Found",
                             "\xef\xbb\xbf"
                             "12"}) {
        EXPECT_EQ(fq::ReadSizeField(junk), std::nullopt) << junk;
    }
}

TEST(ReportAnswer, MatchingAnswerIsOkAndGrownFileIsChanged) {
    const auto ok = fq::JudgeReport("152-873-40-", kList, "152-873-40-", kLocal);
    EXPECT_EQ(ok.status, "OK");
    EXPECT_EQ(fq::TotalText(ok), "0 : 3");
    EXPECT_EQ(ok.detail, "");

    // Compared file by file when the reference differs; equal sizes stay OK.
    EXPECT_EQ(fq::JudgeReport("152-873-40-", kList, "1-1-1-", kLocal).status, "OK");

    const auto grown = fq::JudgeReport("152-990-40-", kList, "152-873-40-", kLocal);
    EXPECT_EQ(grown.status, "Changed");
    EXPECT_EQ(fq::TotalText(grown), "1 : 3");
    EXPECT_EQ(grown.detail, "admin/db.php\r\n");

    const auto two = fq::JudgeReport("1-990-40-", kList, "", kLocal);
    EXPECT_EQ(fq::TotalText(two), "2 : 3");
    EXPECT_EQ(two.detail, "index.php\r\nadmin/db.php\r\n");
}

TEST(ReportAnswer, MissingEmptyOrLocallyAbsentFilesAreNotReported) {
    // Missing on the server (empty field) and empty there (0).
    EXPECT_EQ(fq::JudgeReport("152--0-", kList, "152-873-40-", kLocal).status, "OK");
    // No local copy to compare with.
    const auto noLocal = LocalSizes({{"index.php", 152}});
    EXPECT_EQ(fq::JudgeReport("152-5-6-", kList, "", noLocal).status, "OK");
    // Unchanged text is not compared at all, whatever the local copies say now.
    EXPECT_EQ(fq::JudgeReport("9-9-9-", kList, "9-9-9-", kLocal).status, "OK");
}

TEST(ReportAnswer, FieldCountDecidesWhatIsAReport) {
    const auto empty = fq::JudgeReport("", kList, "152-873-40-", kLocal);
    EXPECT_EQ(empty.status, "No report");
    EXPECT_EQ(fq::TotalText(empty), "0 : 3");
    EXPECT_EQ(fq::JudgeReport("152-873-", kList, "", kLocal).status, "No report");
    // Ten "-" or more pass, and pieces beyond the listed files are ignored.
    EXPECT_EQ(fq::JudgeReport("152-873-40-junk-<b>-x-y-z-w-v-", kList, "", kLocal).status, "OK");
    // A short numeric answer is still compared where it has fields.
    const auto shortChanged = fq::JudgeReport("999-", kList, "", kLocal);
    EXPECT_EQ(shortChanged.status, "Changed");
    EXPECT_EQ(shortChanged.detail, "index.php\r\n");
}

TEST(ReportAnswer, ErrorPageFullOfDashesIsNoReport) {
    const std::string page = "<html><body>Error 500 - Internal - 2024-05-01 - -------------"
                             "-- see log</body></html>";
    const auto verdict = fq::JudgeReport(page, kList, "152-873-40-", kLocal);
    EXPECT_EQ(verdict.status, "No report");
    // None of its pieces is taken for a size, not even the numeric ones.
    EXPECT_EQ(fq::TotalText(verdict), "0 : 3");
    EXPECT_EQ(verdict.detail, "");
}

TEST(ReportAnswer, EmptyListIsNoFolder) {
    for (const char* answer : {"", "12-", "<html>"}) {
        const auto verdict = fq::JudgeReport(answer, "", "", kLocal);
        EXPECT_EQ(verdict.status, "No folder") << answer;
        EXPECT_EQ(fq::TotalText(verdict), "0 : -1");
    }
}
