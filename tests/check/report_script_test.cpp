#include "check/report_script.h"
#include "check/tutorial_text.h"
#include "platform/path_text.h"

#include <algorithm>
#include <gtest/gtest.h>

TEST(ReportScript, TemplateHasItsShapeAndPassword) {
    const std::string& script = fq::ReportScriptTemplate();
    EXPECT_EQ(script.size(), 348u);
    const auto lines = fq::SplitText(script, "\r\n");
    ASSERT_EQ(lines.size(), 19u); // 18 lines, each ended by CR LF
    EXPECT_EQ(lines.back(), "");
    EXPECT_EQ(lines[0], "<?php");
    EXPECT_EQ(lines[6], "if ($_POST['pw']==\"lark\") {");
    EXPECT_EQ(lines[12], "\t\t\t$i1=@filesize($t1[$i]); $s1.=\"$i1-\";");
    EXPECT_EQ(lines[17], "?>");
    EXPECT_EQ(std::count(script.begin(), script.end(), '\n'),
              std::count(script.begin(), script.end(), '\r'));
}

TEST(ReportScript, FillReplacesEveryTemplatePassword) {
    const std::string filled = fq::FillReportPassword(fq::ReportScriptTemplate(), "s3cret");
    EXPECT_NE(filled.find("=\"s3cret\")"), std::string::npos);
    EXPECT_EQ(filled.find("lark"), std::string::npos);
    // A script showing another password keeps it.
    EXPECT_EQ(fq::FillReportPassword(filled, "other"), filled);
}

TEST(ReportScript, PasswordComesFromTheFirstPasswordLine) {
    const std::string script = fq::FillReportPassword(fq::ReportScriptTemplate(), "s3cret");
    EXPECT_EQ(fq::PasswordInScript(script), std::optional<std::string>("s3cret"));
    EXPECT_EQ(fq::PasswordInScript("x\r\nif ($_POST['pw']==\"a b\") { \"c\"\r\n"
                                   "if ($_POST['pw']==\"second\") {\r\n"),
              std::optional<std::string>("a b"));
    // A single quote character leaves the rest of the line; none leaves the empty password.
    EXPECT_EQ(fq::PasswordInScript("if ($_POST['pw']==\"open) {\r\n"),
              std::optional<std::string>("open) {"));
    EXPECT_EQ(fq::PasswordInScript("if ($_POST['pw']==lark) {\r\n"),
              std::optional<std::string>(""));
    // Without the test line nothing is taken; lines end at CR LF only.
    EXPECT_EQ(fq::PasswordInScript("<?php\r\nif ($_POST['p']==\"x\") {\r\n"), std::nullopt);
    EXPECT_EQ(fq::PasswordInScript("a\nif ($_POST['pw']==\"x\")\n\"y\""),
              std::optional<std::string>("x"));
}

TEST(Tutorial, HasItsThirtyThreeLinesAndHeadings) {
    const std::string& text = fq::TutorialText();
    const auto lines = fq::SplitText(text, "\r\n");
    ASSERT_EQ(lines.size(), 34u); // 33 lines, each ended by CR LF
    EXPECT_EQ(lines.back(), "");
    EXPECT_EQ(lines[0], "How to use this program");
    EXPECT_EQ(lines[1], std::string(20, '='));
    EXPECT_EQ(lines[2], "1. Fill web url and local folder and press Add, example");
    EXPECT_EQ(lines[3].rfind("Web URL : http://", 0), 0u);
    EXPECT_EQ(lines[3].back(), '/');
    EXPECT_EQ(lines[4].rfind("Folder : c:\\web\\", 0), 0u);
    EXPECT_EQ(lines[6], "3. Press Check Now");
    EXPECT_EQ(lines[7], "");
    EXPECT_EQ(lines[8], "Remark");
    EXPECT_EQ(lines[9], std::string(7, '='));
    EXPECT_EQ(lines[11], "2. Program will check every 30 minutes.");
    EXPECT_EQ(lines[14].rfind("5. ", 0), 0u);
    EXPECT_EQ(lines[16], "Why I made this program ?");
    EXPECT_EQ(lines[17], std::string(22, '='));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'),
              std::count(text.begin(), text.end(), '\r'));
}
