#include "core/platform/http_client.h"
#include "core/platform/text_file.h"
#include "loopback_server.h"
#include "temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// A proxy set for the test run must not carry the requests away from loopback.
[[maybe_unused]] const bool kWithoutProxies = [] {
    for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy",
                             "ALL_PROXY", "no_proxy", "NO_PROXY"}) {
        ::unsetenv(name);
    }
    return true;
}();

// Runs the scope in another current directory.
class ScopedCurrentDirectory {
public:
    explicit ScopedCurrentDirectory(const fs::path& folder) : previous_(fs::current_path()) {
        fs::current_path(folder);
    }
    ~ScopedCurrentDirectory() { fs::current_path(previous_); }

private:
    fs::path previous_;
};

// Small connect and stall bounds so that dead peers end the tests quickly.
const fq::HttpLimits kQuick{300ms, 300ms};

ScriptedAnswer Ok(const std::string& body) {
    return {HttpAnswer("200 OK", body)};
}

std::string FirstLine(const std::string& request) {
    return request.substr(0, request.find("\r\n"));
}

// `size` bytes cycling through 251 byte values, so that a chunk lost or repeated anywhere
// shows.
std::string PatternBytes(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i % 251);
    }
    return bytes;
}

} // namespace

TEST(PostForm, SendsTheReportRequestByteForByteToTheAddressAsTheSiteListWritesIt) {
    LoopbackServer server({Ok("120-0-")});
    const std::string host = server.hostAndPort();
    const std::string body = ".state=1&pw=l%26rk&path=index.php\r\nsub/caf\xE9.php\r\n&.referer=";
    EXPECT_EQ(fq::PostForm("http://" + host + "/site/_report.php", body), "120-0-");
    for (const std::string& url : {"   HTTP://" + host + "/Shop/_report.php  ", host,
                                   "http://" + host, host + "/old/../x y/_report.php"}) {
        EXPECT_EQ(fq::PostForm(url, "a=1"), "120-0-") << url;
    }

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 5u);
    EXPECT_EQ(requests[0], "POST /site/_report.php HTTP/1.0\r\nHost: " + host +
                               "\r\nUser-Agent: vb wininet\r\n"
                               "Content-Type: application/x-www-form-urlencoded\r\n"
                               "Content-Length: " +
                               std::to_string(body.size()) + "\r\n\r\n" + body);
    EXPECT_EQ(FirstLine(requests[1]), "POST /Shop/_report.php HTTP/1.0");
    EXPECT_EQ(FirstLine(requests[2]), "POST / HTTP/1.0");
    EXPECT_EQ(FirstLine(requests[3]), "POST / HTTP/1.0");
    // The path goes as written; only a byte that cannot stand in a request line is escaped.
    EXPECT_EQ(FirstLine(requests[4]), "POST /old/../x%20y/_report.php HTTP/1.0");
}

TEST(PostForm, FollowsTheProxySettingsWhileGetsGoDirect) {
    LoopbackServer proxy({Ok("from proxy")});
    LoopbackServer site({Ok("from site")});
    ::setenv("http_proxy", ("http://" + proxy.hostAndPort()).c_str(), 1);
    // The proxy is asked for the whole address; the name is never looked up here.
    const std::string proxied = fq::PostForm("www.example.invalid/_report.php", "pw=1");
    const std::string direct = fq::FetchUrlText("http://" + site.hostAndPort() + "/banner2.txt");
    ::unsetenv("http_proxy");

    EXPECT_EQ(proxied, "from proxy");
    EXPECT_EQ(direct, "from site");
    ASSERT_EQ(proxy.requests().size(), 1u);
    EXPECT_EQ(FirstLine(proxy.requests()[0]),
              "POST http://www.example.invalid/_report.php HTTP/1.0");
    EXPECT_NE(proxy.requests()[0].find("\r\nHost: www.example.invalid\r\n"), std::string::npos);
    ASSERT_EQ(site.requests().size(), 1u);
    EXPECT_EQ(FirstLine(site.requests()[0]), "GET /banner2.txt HTTP/1.1");
    EXPECT_NE(site.requests()[0].find("\r\nUser-Agent: vb wininet\r\n"), std::string::npos);
}

TEST(PostForm, SpeaksTlsToAnHttpsAddress) {
    ScriptedAnswer hangUp;
    hangUp.waitForWholeRequest = false;
    LoopbackServer server({hangUp});
    EXPECT_EQ(fq::PostForm(" HTTPS://" + server.hostAndPort() + "/_report.php", "pw=1", {}, kQuick),
              "");
    ASSERT_EQ(server.requests().size(), 1u);
    ASSERT_FALSE(server.requests()[0].empty());
    EXPECT_EQ(server.requests()[0][0], '\x16'); // a TLS handshake record, not "POST"
}

TEST(Http, WhatIsNoUsableAddressReachesNobodyAndLeavesNoFile) {
    // A host part that a URL parser would read as credentials, query or fragment reaches
    // nobody either, not even the server it seems to name.
    LoopbackServer server({Ok("answer")});
    const std::string host = server.hostAndPort();
    for (const std::string& url :
         {std::string(), std::string("http://"), std::string("ftp://127.0.0.1/x"),
          std::string("127.0.0.1:99999/x"), std::string("127.0.0.1:/x"), std::string("[::1/x"),
          std::string("\x01\xFF/\r\n"), "http://" + std::string(100000, 'a'), "user@" + host + "/x",
          "user:pw@" + host + "/x", host + "?q/x", host + "#f/x"}) {
        EXPECT_EQ(fq::PostForm(url, "pw=1", {}, kQuick), "") << url.substr(0, 40);
    }
    EXPECT_TRUE(server.requests().empty());

    // A download that gets no answer creates no file and leaves the local path alone.
    TempFolder folder;
    const ScopedCurrentDirectory inFolder(folder.path());
    const RefusingPort refusing;
    for (const std::string& url :
         {std::string(), std::string("nosuchscheme://127.0.0.1/x"),
          std::string("file:///etc/hostname"), std::string("http://[::1/x"),
          std::string("http://127.0.0.1:99999/x"),
          "http://127.0.0.1:" + std::to_string(refusing.port()) + "/n.gif"}) {
        EXPECT_EQ(fq::FetchUrlText(url, {}, kQuick), "") << url;
        std::string derived;
        std::string given = "kept.gif";
        fq::DownloadUrlToFile(url, derived, {}, kQuick);
        fq::DownloadUrlToFile(url, given, {}, kQuick);
        EXPECT_EQ(derived, "") << url;
        EXPECT_EQ(given, "kept.gif") << url;
    }
    EXPECT_TRUE(fs::is_empty(folder.path()));
}

TEST(Http, AnswersComeBackWholeWhateverTheirSizeOrStatusUpToTheCap) {
    const std::string large = PatternBytes(5 * 1024 * 1024 + 17);
    const std::string notFound = "<html><body>404 Not Found\r\n</body></html>";
    LoopbackServer server({Ok(""),
                           Ok("10-0-"),
                           {HttpAnswer("404 Not Found", notFound)},
                           {HttpAnswer("500 Internal Server Error", "oops")},
                           Ok(large)});
    const std::string address = "http://" + server.hostAndPort() + "/";
    EXPECT_EQ(fq::FetchUrlText(address + "empty"), "");
    EXPECT_EQ(fq::FetchUrlText(address + "short"), "10-0-");
    EXPECT_EQ(fq::FetchUrlText(address + "missing"), notFound);
    EXPECT_EQ(fq::PostForm(address + "_report.php", "pw=1"), "oops");
    EXPECT_EQ(fq::FetchUrlText(address + "large"), large);

    // The last answer is given again: cut at a smaller cap, whole at a cap of its size.
    fq::HttpLimits limits = kQuick;
    limits.maxBodyBytes = 1024 * 1024;
    EXPECT_EQ(fq::FetchUrlText(address + "large", {}, limits),
              large.substr(0, limits.maxBodyBytes));
    EXPECT_EQ(fq::PostForm(address + "large", "pw=1", {}, limits),
              large.substr(0, limits.maxBodyBytes));
    limits.maxBodyBytes = large.size();
    EXPECT_EQ(fq::FetchUrlText(address + "large", {}, limits), large);
}

TEST(Http, DeadOrStalledPeersEndEmptyOrShortened) {
    const RefusingPort refusing;
    const SilentPort silent;
    ScriptedAnswer mute;
    mute.stallAfterwards = true;
    const std::string half = "HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n0123456789";
    const ScriptedAnswer halfThenMute{.bytes = half, .stallAfterwards = true};
    const ScriptedAnswer halfThenGone{.bytes = half};
    LoopbackServer server({mute, mute, halfThenMute, halfThenMute, halfThenGone});
    const std::string address = "http://" + server.hostAndPort() + "/x";

    for (const int port : {refusing.port(), silent.port()}) {
        const std::string dead = "http://127.0.0.1:" + std::to_string(port) + "/x";
        EXPECT_EQ(fq::FetchUrlText(dead, {}, kQuick), "");
        EXPECT_EQ(fq::PostForm(dead, "pw=1", {}, kQuick), "");
    }
    EXPECT_EQ(fq::FetchUrlText(address, {}, kQuick), "");
    EXPECT_EQ(fq::PostForm(address, "pw=1", {}, kQuick), "");
    EXPECT_EQ(fq::FetchUrlText(address, {}, kQuick), "0123456789");
    EXPECT_EQ(fq::PostForm(address, "pw=1", {}, kQuick), "0123456789");
    EXPECT_EQ(fq::FetchUrlText(address, {}, kQuick), "0123456789");
    EXPECT_EQ(server.requests().size(), 5u);
}

TEST(Http, ThePumpRunsWhileASlowAnswerArrivesAndMayFetchItself) {
    LoopbackServer server(
        {{.bytes = HttpAnswer("200 OK", "1-22-333-4444-"), .pieceBytes = 12, .piecePause = 60ms}});
    LoopbackServer other({Ok("banner list")});

    int pumpCalls = 0;
    std::string nested;
    const fq::MessagePump pump = [&] {
        if (++pumpCalls == 1) {
            nested = fq::FetchUrlText("http://" + other.hostAndPort() + "/files/banner2.txt");
        }
    };
    EXPECT_EQ(fq::PostForm(server.hostAndPort() + "/_report.php", "pw=1", pump), "1-22-333-4444-");
    EXPECT_GE(pumpCalls, 2);
    EXPECT_EQ(nested, "banner list");
}

TEST(DownloadUrlToFile, NamesTheFileAfterTheUrlOnceItAnswered) {
    TempFolder folder;
    const ScopedCurrentDirectory inFolder(folder.path());
    const std::string image = PatternBytes(3000);
    LoopbackServer server({Ok(image),
                           Ok(""),
                           {"HTTP/1.0 302 Found\r\nLocation: /files/real.gif\r\n"
                            "Content-Length: 5\r\n\r\nmoved"},
                           Ok("redirected"),
                           Ok("short")});
    const auto download = [&](const std::string& name, std::string localPath = "") {
        fq::DownloadUrlToFile("http://" + server.hostAndPort() + "/files/banner/" + name,
                              localPath);
        return localPath;
    };

    EXPECT_EQ(download("b1.gif"), "b1.gif");
    EXPECT_EQ(fq::ReadTextFile("b1.gif"), image);
    EXPECT_EQ(download("empty.gif"), "empty.gif");
    EXPECT_TRUE(fs::is_regular_file("empty.gif") && fs::file_size("empty.gif") == 0);
    // A redirect is followed; the name still comes from the address asked for.
    EXPECT_EQ(download("old.gif"), "old.gif");
    EXPECT_EQ(fq::ReadTextFile("old.gif"), "redirected");
    // A given path is kept and its earlier, longer content replaced.
    EXPECT_EQ(download("other.gif", "b1.gif"), "b1.gif");
    EXPECT_EQ(fq::ReadTextFile("b1.gif"), "short");
}
