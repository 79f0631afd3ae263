#include "core/check/report_request.h"

#include <gtest/gtest.h>

TEST(ReportRequest, OnlyTheFourFormCharactersAreEncoded) {
    EXPECT_EQ(fq::ReportScriptUrl("http://www.site.com/"), "http://www.site.com/_report.php");
    EXPECT_EQ(fq::BuildReportRequestBody("", {}), ".state=1&pw=&path=&.referer=");
    // Bytes a form parser leaves alone stay raw, CR LF and non-ASCII included.
    const std::string raw = "x y#?;/\\'\"\r\n\t\xc3\xa9~!*()";
    EXPECT_EQ(fq::EncodeFormValue(raw + "a+b&c=d%e"), raw + "a%2Bb%26c%3Dd%25e");
    EXPECT_EQ(fq::BuildReportRequestBody("p&w=1", {"a+b.php", "100%.js"}),
              ".state=1&pw=p%26w%3D1&path=a%2Bb.php\r\n100%25.js\r\n&.referer=");
}
