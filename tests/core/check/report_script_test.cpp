#include "core/check/report_script.h"
#include "core/crypto/digest.h"
#include "core/files/text_file.h"
#include "core/net/http_client.h"
#include "core/text/path_text.h"
#include "php_server.h"
#include "temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>

using Found = std::optional<std::string>;

TEST(ReportScript, TemplateCarriesItsPasswordLineOnceAndThePasswordComesFromTheFirstSuchLine) {
    const std::string& script = fq::ReportScriptTemplate();
    // Every line ends in CR LF.
    EXPECT_EQ(fq::SplitText(script, "\n").size(), fq::SplitText(script, "\r\n").size());
    EXPECT_TRUE(script.ends_with("\r\n"));
    EXPECT_EQ(fq::SplitText(script, "lark").size(), 2u);
    EXPECT_NE(script.find("\r\n$pw = 'lark';\r\n"), std::string::npos);

    const std::string filled = fq::FillReportPassword(script, "s3cret");
    EXPECT_EQ(fq::PasswordInScript(filled), Found("s3cret"));
    EXPECT_EQ(filled.find("lark"), std::string::npos);
    // The demo's servers carry the script that its site list's password asks for.
    EXPECT_EQ(fq::ReadTextFile(FERQUOR_SITE_DIR "/../demo/_report.php"),
              fq::FillReportPassword(script, "demo-watch"));

    // A script's password is read from the first line that sets or compares it.
    EXPECT_EQ(fq::PasswordInScript("x\r\nif ($_POST['pw']==\"a b\") { \"c\"\r\n"
                                   "$pw = 'second';\r\n"),
              Found("a b"));
    EXPECT_EQ(fq::PasswordInScript("$pwd = 'x';\r\n$pw == 'y';\r\n"
                                   "\t$pw='it\\'s \\\\ \\n';\r\nif ($_POST['pw']==\"old\") {\r\n"),
              Found("it's \\ \\n"));
    // An open quote leaves the rest of the line; none leaves the empty password.
    EXPECT_EQ(fq::PasswordInScript("$pw = 'open;\r\n"), Found("open;"));
    EXPECT_EQ(fq::PasswordInScript("$pw = lark;\r\n"), Found(""));
    EXPECT_EQ(fq::PasswordInScript("if ($_POST['pw']==\"open) {\r\n"), Found("open) {"));
    EXPECT_EQ(fq::PasswordInScript("if ($_POST['pw']==lark) {\r\n"), Found(""));
    EXPECT_EQ(fq::PasswordInScript("<?php\r\nif ($_POST['p']==\"x\") {\r\n"), std::nullopt);
}

TEST(ReportScript, AnswersTheExactPasswordWithSizesFromInsideTheSiteAndNoWarning) {
    TempFolder web;
    const std::string site = web.slashed() + "site/";
    std::filesystem::create_directories(site + "sub");
    EXPECT_TRUE(fq::WriteTextFile(site + "_report.php",
                                  fq::FillReportPassword(fq::ReportScriptTemplate(), "0")));
    // As on a host that shows PHP's warnings to its visitors.
    EXPECT_TRUE(fq::WriteTextFile(site + "shown.php",
                                  "<?php ini_set('display_errors', '1'); "
                                  "error_reporting(E_ALL); include '_report.php';"));
    EXPECT_TRUE(fq::WriteTextFile(site + "a.php", "12345"));
    EXPECT_TRUE(fq::WriteTextFile(site + "sub/b.php", "1"));
    EXPECT_TRUE(fq::WriteTextFile(web.slashed() + "x.php", "above the site"));
    // Names that lead elsewhere on a Windows host, here files in the site; a script without
    // a password.
    for (const std::string name : {"..\\x.php", "C:x.php", "\\x.php", "empty.php"}) {
        EXPECT_TRUE(
            fq::WriteTextFile(site + name, fq::FillReportPassword(fq::ReportScriptTemplate(), "")));
    }
    PhpServer server(web.path());
    const auto post = [&server](const std::string& body, const char* script = "shown.php") {
        return fq::PostForm(server.url() + "site/" + script, body).body;
    };

    // What the script has always answered: a field per path, empty for a missing file.
    EXPECT_EQ(post("pw=0&path=a.php\r\nmissing.php\r\n\r\nsub/b.php\r\n"), "5--1-");
    // A path that could leave the site is answered like a missing file, in its place.
    EXPECT_EQ(post("pw=0&path=a.php\r\n../x.php\r\n/etc/passwd\r\nfile:///etc/passwd\r\n"
                   "ftp://127.0.0.1/x\r\nsub/../a.php\r\n..\\x.php\r\nC:x.php\r\n\\x.php\r\n"
                   "sub\\..\\a.php\r\nsub/b.php\r\n"),
              "5----------1-");
    // PHP's loose "==" would take these for "0"; missing fields give nothing, not a warning.
    for (const char* body :
         {"pw=0e1234&path=a.php", "pw=00&path=a.php", "pw=0.0&path=a.php", "path=a.php", "pw=0", "",
          "pw=0&path[]=a.php", "pw[]=0&path=a.php", "pw=0&path[a][]=a.php"}) {
        EXPECT_EQ(post(body), "") << body;
    }
    // The list is refused without a signature, and an empty password opens nothing, although
    // anybody can sign with it. What it lists is the checker's test.
    const std::string listing = "fq=1&types=php&nonce=" + std::string(32, 'a');
    const std::string mac = fq::HmacSha256Hex("", "ferquor-list\nphp\n" + std::string(32, 'a'));
    EXPECT_EQ(post(listing) + post(listing + "&mac=" + mac, "empty.php"),
              "ferquor-list 1\nrefused\nferquor-list 1\nrefused\n");
}
