#include "check/report_script.h"
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
