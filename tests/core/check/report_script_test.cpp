#include "core/check/report_script.h"
#include "core/platform/path_text.h"

#include <gtest/gtest.h>

TEST(ReportScript, TemplateCarriesItsPasswordLine) {
    const std::string& script = fq::ReportScriptTemplate();
    const auto lines = fq::SplitText(script, "\r\n");
    ASSERT_EQ(lines.size(), 19u); // 18 lines, each ended by CR LF
    EXPECT_EQ(script.size(), 348u);
    EXPECT_EQ(lines[0], "<?php");
    EXPECT_EQ(lines[6], "if ($_POST['pw']==\"lark\") {");

    const std::string filled = fq::FillReportPassword(script, "s3cret");
    EXPECT_EQ(fq::PasswordInScript(filled), std::optional<std::string>("s3cret"));
    EXPECT_EQ(filled.find("lark"), std::string::npos);
}

TEST(ReportScript, PasswordComesFromTheFirstPasswordLine) {
    using Found = std::optional<std::string>;
    EXPECT_EQ(fq::PasswordInScript("x\r\nif ($_POST['pw']==\"a b\") { \"c\"\r\n"
                                   "if ($_POST['pw']==\"second\") {\r\n"),
              Found("a b"));
    // A single quote character leaves the rest of the line; none leaves the empty password.
    EXPECT_EQ(fq::PasswordInScript("if ($_POST['pw']==\"open) {\r\n"), Found("open) {"));
    EXPECT_EQ(fq::PasswordInScript("if ($_POST['pw']==lark) {\r\n"), Found(""));
    EXPECT_EQ(fq::PasswordInScript("<?php\r\nif ($_POST['p']==\"x\") {\r\n"), std::nullopt);
}
