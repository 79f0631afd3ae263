#include "loopback_server.h"
#include "platform/http_client.h"
#include "platform/text_file.h"
#include "temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// A proxy set for the test run must not carry the requests away from loopback.
class WithoutProxies : public ::testing::Environment {
public:
    void SetUp() override {
        for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY",
                                 "all_proxy", "ALL_PROXY", "no_proxy", "NO_PROXY"}) {
            ::unsetenv(name);
        }
    }
};
[[maybe_unused]] const auto* const kWithoutProxies =
    ::testing::AddGlobalTestEnvironment(new WithoutProxies);

// Sets the system's http proxy for one scope.
class ScopedHttpProxy {
public:
    explicit ScopedHttpProxy(const std::string& address) {
        ::setenv("http_proxy", address.c_str(), 1);
    }
    ~ScopedHttpProxy() { ::unsetenv("http_proxy"); }
};

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

// Small bounds so that dead peers end the tests quickly.
fq::HttpLimits QuickLimits() {
    fq::HttpLimits limits;
    limits.connectTimeout = 300ms;
    limits.stallTimeout = 300ms;
    return limits;
}

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

TEST(PostForm, SendsTheReportRequestByteForByte) {
    LoopbackServer server({Ok("120-0-")});
    const std::string body = ".state=1&pw=l%26rk&path=index.php\r\nsub/caf\xE9.php\r\n&.referer=";

    const std::string answer =
        fq::PostForm("http://" + server.hostAndPort() + "/site/_report.php", body);

    EXPECT_EQ(answer, "120-0-");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0], "POST /site/_report.php HTTP/1.0\r\n"
                                    "Host: " +
                                        server.hostAndPort() +
                                        "\r\n"
                                        "User-Agent: vb wininet\r\n"
                                        "Content-Type: application/x-www-form-urlencoded\r\n"
                                        "Content-Length: " +
                                        std::to_string(body.size()) +
                                        "\r\n"
                                        "\r\n" +
                                        body);
}

TEST(PostForm, TakesTheAddressAsTheSiteListWritesIt) {
    LoopbackServer server({Ok("answer")});
    const std::string host = server.hostAndPort();

    EXPECT_EQ(fq::PostForm("   HTTP://" + host + "/Shop/_report.php  ", "a=1"), "answer");
    EXPECT_EQ(fq::PostForm(host, "a=1"), "answer");
    EXPECT_EQ(fq::PostForm("http://" + host, "a=1"), "answer");
    EXPECT_EQ(fq::PostForm(host + "/old/../x y/_report.php", "a=1"), "answer");

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(FirstLine(requests[0]), "POST /Shop/_report.php HTTP/1.0");
    EXPECT_EQ(FirstLine(requests[1]), "POST / HTTP/1.0");
    EXPECT_EQ(FirstLine(requests[2]), "POST / HTTP/1.0");
    // The path goes as written; only a byte that cannot stand in a request line is escaped.
    EXPECT_EQ(FirstLine(requests[3]), "POST /old/../x%20y/_report.php HTTP/1.0");
}

TEST(PostForm, FollowsTheProxySettingsWhileGetsGoDirect) {
    LoopbackServer proxy({Ok("from proxy")});
    LoopbackServer site({Ok("from site")});
    const ScopedHttpProxy systemProxy("http://" + proxy.hostAndPort());

    // The proxy is asked for the whole address; the name is never looked up here.
    EXPECT_EQ(fq::PostForm("www.example.invalid/_report.php", "pw=1"), "from proxy");
    EXPECT_EQ(fq::FetchUrlText("http://" + site.hostAndPort() + "/files/banner2.txt"), "from site");

    ASSERT_EQ(proxy.requests().size(), 1u);
    EXPECT_EQ(FirstLine(proxy.requests()[0]),
              "POST http://www.example.invalid/_report.php HTTP/1.0");
    EXPECT_NE(proxy.requests()[0].find("\r\nHost: www.example.invalid\r\n"), std::string::npos);
    ASSERT_EQ(site.requests().size(), 1u);
    EXPECT_EQ(FirstLine(site.requests()[0]), "GET /files/banner2.txt HTTP/1.1");
    EXPECT_NE(site.requests()[0].find("\r\nUser-Agent: vb wininet\r\n"), std::string::npos);
}

TEST(PostForm, SpeaksTlsToAnHttpsAddress) {
    ScriptedAnswer hangUp;
    hangUp.waitForWholeRequest = false;
    LoopbackServer server({hangUp});

    EXPECT_EQ(fq::PostForm(" HTTPS://" + server.hostAndPort() + "/_report.php", "pw=1", {},
                           QuickLimits()),
              "");

    ASSERT_EQ(server.requests().size(), 1u);
    ASSERT_FALSE(server.requests()[0].empty());
    EXPECT_EQ(server.requests()[0][0], '\x16'); // a TLS handshake record, not "POST"
}

TEST(Http, WhatIsNoUsableAddressGivesAnEmptyAnswer) {
    const std::string anything(100000, 'a');
    for (const std::string& url :
         {std::string(), std::string("   "), std::string("http://"),
          std::string("ftp://127.0.0.1/x"), std::string("user@127.0.0.1/x"),
          std::string("127.0.0.1:99999/x"), std::string("127.0.0.1:/x"), std::string("[::1/x"),
          std::string("\x01\xFF/\r\n"), "http://" + anything}) {
        EXPECT_EQ(fq::PostForm(url, "pw=1", {}, QuickLimits()), "") << url.substr(0, 40);
    }
    // A host part that a URL parser would read as credentials, query or fragment reaches
    // nobody, not even the server it seems to name.
    LoopbackServer server({Ok("answer")});
    for (const std::string& hostPart : {"user:pw@" + server.hostAndPort(),
                                        server.hostAndPort() + "?q", server.hostAndPort() + "#f"}) {
        EXPECT_EQ(fq::PostForm(hostPart + "/_report.php", "pw=1", {}, QuickLimits()), "")
            << hostPart;
    }
    EXPECT_TRUE(server.requests().empty());
    TempFolder folder;
    const ScopedCurrentDirectory inFolder(folder.path());
    for (const std::string& url :
         {std::string(), std::string("http://"), std::string("nosuchscheme://127.0.0.1/x"),
          std::string("file:///etc/hostname"), std::string("http://[::1/x"),
          std::string("http://127.0.0.1:99999/x")}) {
        EXPECT_EQ(fq::FetchUrlText(url, {}, QuickLimits()), "") << url;
        std::string localPath;
        fq::DownloadUrlToFile(url, localPath, {}, QuickLimits());
        EXPECT_EQ(localPath, "") << url;
    }
    EXPECT_TRUE(fs::is_empty(folder.path()));
}

TEST(Http, AnswersComeBackWholeWhateverTheirSizeOrStatus) {
    const std::string large = PatternBytes(5 * 1024 * 1024 + 17);
    const std::string notFound = "<html><body>404 Not Found\r\n</body></html>";
    LoopbackServer server({Ok(""),
                           Ok("10-0-"),
                           Ok(large),
                           {HttpAnswer("404 Not Found", notFound)},
                           Ok(""),
                           {HttpAnswer("500 Internal Server Error", "oops")}});
    const std::string address = "http://" + server.hostAndPort() + "/";

    EXPECT_EQ(fq::FetchUrlText(address + "empty"), "");
    EXPECT_EQ(fq::FetchUrlText(address + "short"), "10-0-");
    EXPECT_EQ(fq::FetchUrlText(address + "large"), large);
    EXPECT_EQ(fq::FetchUrlText(address + "missing"), notFound);
    EXPECT_EQ(fq::PostForm(address + "_report.php", "pw=1"), "");
    EXPECT_EQ(fq::PostForm(address + "_report.php", "pw=1"), "oops");
}

TEST(Http, DeadOrStalledPeersEndEmptyOrShortened) {
    const RefusingPort refusing;
    const SilentPort silent;
    ScriptedAnswer mute;
    mute.stallAfterwards = true;
    ScriptedAnswer halfThenMute{"HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n0123456789"};
    halfThenMute.stallAfterwards = true;
    ScriptedAnswer halfThenGone{"HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n0123456789"};
    LoopbackServer server({mute, mute, halfThenMute, halfThenMute, halfThenGone});
    const std::string address = "http://" + server.hostAndPort() + "/x";

    for (const int port : {refusing.port(), silent.port()}) {
        const std::string dead = "http://127.0.0.1:" + std::to_string(port) + "/x";
        EXPECT_EQ(fq::FetchUrlText(dead, {}, QuickLimits()), "");
        EXPECT_EQ(fq::PostForm(dead, "pw=1", {}, QuickLimits()), "");
    }
    EXPECT_EQ(fq::FetchUrlText(address, {}, QuickLimits()), "");
    EXPECT_EQ(fq::PostForm(address, "pw=1", {}, QuickLimits()), "");
    EXPECT_EQ(fq::FetchUrlText(address, {}, QuickLimits()), "0123456789");
    EXPECT_EQ(fq::PostForm(address, "pw=1", {}, QuickLimits()), "0123456789");
    EXPECT_EQ(fq::FetchUrlText(address, {}, QuickLimits()), "0123456789");
    EXPECT_EQ(server.requests().size(), 5u);
}

TEST(Http, AnAnswerOverTheCapIsCutThere) {
    const std::string large = PatternBytes(3 * 1024 * 1024);
    LoopbackServer server({Ok(large)});
    const std::string address = "http://" + server.hostAndPort() + "/big";
    fq::HttpLimits limits = QuickLimits();

    limits.maxBodyBytes = 1024 * 1024;
    EXPECT_EQ(fq::FetchUrlText(address, {}, limits), large.substr(0, limits.maxBodyBytes));
    EXPECT_EQ(fq::PostForm(address, "pw=1", {}, limits), large.substr(0, limits.maxBodyBytes));
    limits.maxBodyBytes = large.size();
    EXPECT_EQ(fq::FetchUrlText(address, {}, limits), large);
}

TEST(Http, ThePumpRunsWhileASlowAnswerArrivesAndMayFetchItself) {
    ScriptedAnswer slow{HttpAnswer("200 OK", "1-22-333-4444-")};
    slow.pieceBytes = 12;
    slow.piecePause = 60ms;
    LoopbackServer server({slow});
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
    const std::string address = "http://" + server.hostAndPort() + "/files/banner/";

    std::string localPath;
    fq::DownloadUrlToFile(address + "b1.gif", localPath);
    EXPECT_EQ(localPath, "b1.gif");
    EXPECT_EQ(fq::ReadTextFile("b1.gif"), image);

    fq::DownloadUrlToFile(address + "empty.gif", localPath = "");
    EXPECT_EQ(localPath, "empty.gif");
    EXPECT_TRUE(fs::is_regular_file("empty.gif"));
    EXPECT_EQ(fs::file_size("empty.gif"), 0u);

    // A redirect is followed; the name still comes from the address asked for.
    fq::DownloadUrlToFile(address + "old.gif", localPath = "");
    EXPECT_EQ(localPath, "old.gif");
    EXPECT_EQ(fq::ReadTextFile("old.gif"), "redirected");

    // A given path is kept and its earlier, longer content replaced.
    std::string given = folder.slashed() + "b1.gif";
    fq::DownloadUrlToFile(address + "other.gif", given);
    EXPECT_EQ(given, folder.slashed() + "b1.gif");
    EXPECT_EQ(fq::ReadTextFile(given), "short");
    EXPECT_EQ(server.requests().size(), 5u);

    const RefusingPort refusing;
    const std::string dead = "http://127.0.0.1:" + std::to_string(refusing.port()) + "/n.gif";
    fq::DownloadUrlToFile(dead, localPath = "", {}, QuickLimits());
    EXPECT_EQ(localPath, "");
    given = "kept.gif";
    fq::DownloadUrlToFile(dead, given, {}, QuickLimits());
    EXPECT_EQ(given, "kept.gif");
    EXPECT_FALSE(fs::exists("n.gif"));
    EXPECT_FALSE(fs::exists("kept.gif"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 3);
}
