#include "core/files/text_file.h"
#include "core/net/http_client.h"
#include "php_server.h"
#include "temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

// PHP scripts in a fresh folder behind PHP's built-in server, each sending every echo at once.
// That server answers one request at a time, so a script that sleeps needs a site of its own.
struct PhpSite {
    TempFolder folder;
    PhpServer server{folder.path()};

    std::string add(const std::string& name, const std::string& script) {
        EXPECT_TRUE(fq::WriteTextFile(
            folder.slashed() + name,
            "<?php while (ob_get_level()) ob_end_flush(); ob_implicit_flush();" + script));
        return server.url() + name;
    }
};

} // namespace

TEST(PostForm, SendsTheReportRequestByteForByteAndFollowsOnlyRedirectsThatKeepThePost) {
    PhpSite site;
    const std::string url = site.add("_report.php", R"(
        echo "$_SERVER[REQUEST_METHOD] $_SERVER[REQUEST_URI] $_SERVER[SERVER_PROTOCOL]\n";
        foreach (getallheaders() as $name => $value) echo "$name: $value\n";
        echo "\n", file_get_contents('php://input');)");
    const std::string host = "127.0.0.1:" + std::to_string(site.server.port());
    const std::string body = ".state=1&pw=l%26rk&path=index.php\r\nsub/caf\xE9.php\r\n&.referer=";
    EXPECT_EQ(fq::PostForm(url, body).body, "POST /_report.php HTTP/1.0\nHost: " + host +
                                                "\nUser-Agent: vb wininet\n"
                                                "Content-Type: application/x-www-form-urlencoded\n"
                                                "Content-Length: " +
                                                std::to_string(body.size()) + "\n\n" + body);
    // The address as the site list writes it: blanks and the scheme may vary, a bare host
    // posts to "/", and "#" or "?" belong to the path.
    site.add("index.php", "echo $_SERVER['REQUEST_URI'];");
    EXPECT_EQ(fq::PostForm("   HTTP://" + host + "/index.php  ", "pw=1").body, "/index.php");
    EXPECT_EQ(fq::PostForm(host, "pw=1").body, "/");
    EXPECT_EQ(fq::PostForm(site.add("we#b?.php", "echo $_SERVER['REQUEST_URI'];"), "pw=1").body,
              "/we%23b%3F.php");

    // It goes through the proxy that the environment names, to a host only the proxy knows.
    TempFolder proxyFolder;
    const std::string router = proxyFolder.slashed() + "proxy.php";
    server_files::Write("forward_proxy.php", router, {{"@TARGET@", "http://" + host}});
    PhpServer proxy(proxyFolder.path(), router);
    ::setenv("http_proxy", proxy.url().c_str(), 1);
    EXPECT_EQ(fq::PostForm("report.invalid/index.php", "pw=1").body, "/index.php");
    ::unsetenv("http_proxy");

    const auto redirect = [&site](const std::string& name, int status, const std::string& to) {
        return site.add(name, "http_response_code(" + std::to_string(status) +
                                  "); header('Location: ' . " + to + "); echo 'moved';");
    };
    site.add("target.php",
             R"(echo "$_SERVER[REQUEST_METHOD] ", file_get_contents('php://input');)");
    redirect("on.php", 308, "'target.php'");
    EXPECT_EQ(fq::PostForm(redirect("first.php", 307, "'on.php'"), body).body, "POST " + body);
    // Any other comes back with its status and target (a 302 in the checker's test).
    EXPECT_EQ(fq::PostForm(redirect("file.php", 307, "'file://' . __DIR__ . '/x'"), body).status,
              307);
    EXPECT_EQ(fq::PostForm(redirect("loop.php", 307, "'loop.php'"), body).failure,
              fq::TransferFailure::kTooManyRedirects);
}

TEST(Http, AnswersComeBackWholeWhateverTheStatusOrNotAtAll) {
    PhpSite site;
    std::string large; // numbered, so a chunk lost, repeated or out of order shows
    while (large.size() < 3'000'000) {
        large += std::to_string(large.size()) + ",";
    }
    EXPECT_TRUE(fq::WriteTextFile(site.folder.slashed() + "large.bin", large));
    const std::string gone = site.add("gone.php", "http_response_code(404); echo 'gone';");
    EXPECT_EQ(fq::FetchUrlText(gone).value() + fq::PostForm(gone, "pw=1").body, "gonegone");
    fq::HttpLimits limits;
    limits.maxBodyBytes = large.size();
    EXPECT_EQ(fq::FetchUrlText(site.server.url() + "large.bin", {}, limits), large);
    --limits.maxBodyBytes;
    EXPECT_EQ(fq::FetchUrlText(site.server.url() + "large.bin", {}, limits), std::nullopt);
    EXPECT_EQ(fq::GetUrl(site.server.url() + "large.bin", {}, limits).failure,
              fq::TransferFailure::kTooLarge);

    // Only a whole success answer is a file: an error page, or a connection that closes
    // before the announced length, writes none.
    const std::string cut = site.add("cut.php", "header('Content-Length: 100'); echo '10-0-';");
    std::string part = site.folder.slashed() + "part"; // a whole one: the banners' test
    EXPECT_FALSE(fq::DownloadUrlToFile(cut, part) || fq::DownloadUrlToFile(gone, part));
    EXPECT_EQ(fq::GetUrl(cut).failure, fq::TransferFailure::kCutShort);
    EXPECT_FALSE(std::filesystem::exists(part));
    EXPECT_EQ(fq::FetchSuccessText(gone), std::nullopt);
}

TEST(Http, DeadSlowOrGivenUpTransfersGiveNoAnswer) {
    PhpSite drip, slow;
    const fq::HttpLimits quick{1s, 1s, 1500ms};
    // A byte every 300 ms never stalls, but the deadline still ends it; one byte and then
    // silence is a stall long before the deadline.
    const std::string dripUrl = drip.add("x.php", "for (;;) { echo '1'; usleep(300000); }");
    EXPECT_EQ(fq::PostForm(dripUrl, "pw=1", {}, quick).failure, fq::TransferFailure::kDeadline);
    const std::string stuckUrl = slow.add("b.php", "echo 'early'; sleep(5); echo 'late';");
    EXPECT_EQ(fq::PostForm(stuckUrl, "pw=1", {}, {1s, 1s, 10s}).failure,
              fq::TransferFailure::kStalled);

    // The pump runs while a slow answer arrives; once it says the program is ending, the
    // transfer stops with no answer.
    const std::string slowUrl =
        slow.add("a.php", "foreach ([1, 22, 333] as $n) { echo \"$n-\"; usleep(150000); }");
    EXPECT_EQ(fq::PostForm(slowUrl, "pw=1", [] { return true; }).body, "1-22-333-");
    int calls = 0;
    EXPECT_EQ(fq::GetUrl(stuckUrl, [&] { return ++calls < 10; }).failure,
              fq::TransferFailure::kStopped);
}
