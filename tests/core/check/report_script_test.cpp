#include "core/check/report_script.h"
#include "core/check/tutorial_text.h"
#include "core/platform/path_text.h"

#include <gtest/gtest.h>

TEST(ReportScript, TemplateShapeAndItsPassword) {
    const std::string& script = fq::ReportScriptTemplate();
    EXPECT_EQ(script.size(), 348u);
    const auto lines = fq::SplitText(script, "\r\n");
    ASSERT_EQ(lines.size(), 19u); // 18 lines, each ended by CR LF
    EXPECT_EQ(lines[0], "<?php");
    EXPECT_EQ(lines[6], "if ($_POST['pw']==\"lark\") {");
    EXPECT_EQ(lines[17] + lines[18], "?>");

    const std::string filled = fq::FillReportPassword(script, "s3cret");
    EXPECT_EQ(fq::PasswordInScript(filled), std::optional<std::string>("s3cret"));
    EXPECT_EQ(filled.find("lark"), std::string::npos);
    // A script showing another password keeps it.
    EXPECT_EQ(fq::FillReportPassword(filled, "other"), filled);
}

TEST(ReportScript, PasswordComesFromTheFirstPasswordLine) {
    using Found = std::optional<std::string>;
    EXPECT_EQ(fq::PasswordInScript("x\r\nif ($_POST['pw']==\"a b\") { \"c\"\r\n"
                                   "if ($_POST['pw']==\"second\") {\r\n"),
              Found("a b"));
    // A single quote character leaves the rest of the line; none leaves the empty password.
    EXPECT_EQ(fq::PasswordInScript("if ($_POST['pw']==\"open) {\r\n"), Found("open) {"));
    EXPECT_EQ(fq::PasswordInScript("if ($_POST['pw']==lark) {\r\n"), Found(""));
    // Without the test line nothing is taken; lines end at CR LF only.
    EXPECT_EQ(fq::PasswordInScript("<?php\r\nif ($_POST['p']==\"x\") {\r\n"), std::nullopt);
    EXPECT_EQ(fq::PasswordInScript("a\nif ($_POST['pw']==\"x\")\n\"y\""), Found("x"));
}

TEST(Tutorial, HasItsThirtyThreeLinesAndUnderlinedHeadings) {
    const auto lines = fq::SplitText(fq::TutorialText(), "\r\n");
    ASSERT_EQ(lines.size(), 34u); // 33 lines, each ended by CR LF
    EXPECT_EQ(lines[0] + lines[1], "How to use this program" + std::string(20, '='));
    EXPECT_EQ(lines[16] + lines[17], "Why I made this program ?" + std::string(22, '='));
    EXPECT_EQ(lines.back(), "");
}
