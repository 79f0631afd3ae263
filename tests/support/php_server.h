#pragma once

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

// PHP's built-in web server on 127.0.0.1 serving `documentRoot`, on a port picked here; it is
// stopped when the object goes. Stock settings: no -d, no -n.
class PhpServer {
public:
    explicit PhpServer(const std::filesystem::path& documentRoot) {
        // A proxy set for the test run must not carry the requests away from loopback.
        ::unsetenv("http_proxy"), ::unsetenv("all_proxy"), ::unsetenv("ALL_PROXY");
        // A picked port may be taken before php binds it: php then ends, and another is tried.
        for (int attempt = 0; attempt < 5 && !running(); ++attempt) {
            start(documentRoot.string());
        }
    }
    ~PhpServer() { stop(); }
    PhpServer(const PhpServer&) = delete;
    PhpServer& operator=(const PhpServer&) = delete;

    bool running() const { return pid_ > 0; }
    int port() const { return port_; }
    // The server's root address, ending in "/".
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

private:
    // Binds (port 0: a free port) or connects a fresh socket; returns the port, or 0.
    static int Loopback(int port, bool connect) {
        sockaddr_in address{
            AF_INET, htons(static_cast<uint16_t>(port)), {htonl(INADDR_LOOPBACK)}, {}};
        socklen_t length = sizeof address;
        auto* raw = reinterpret_cast<sockaddr*>(&address);
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        const bool done =
            connect ? ::connect(fd, raw, length) == 0
                    : ::bind(fd, raw, length) == 0 && ::getsockname(fd, raw, &length) == 0;
        ::close(fd);
        return done ? ntohs(address.sin_port) : 0;
    }

    void start(const std::string& root) {
        port_ = Loopback(0, false);
        // Through the shell, which keeps php's request log out of the test's output; with
        // posix_spawn rather than fork, as the callers may run Qt's threads.
        std::string shell = "sh", option = "-c",
                    command = "exec php -S 127.0.0.1:" + std::to_string(port_) + " -t '" + root +
                              "' >/dev/null 2>&1";
        char* argv[] = {shell.data(), option.data(), command.data(), nullptr};
        if (::posix_spawnp(&pid_, "sh", nullptr, nullptr, argv, environ) != 0) {
            pid_ = -1;
        }
        for (int poll = 0; running() && Loopback(port_, true) != port_; ++poll) {
            if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1; // the port was taken meanwhile
            } else if (poll == 750) { // 15 seconds
                stop();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    void stop() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
        pid_ = -1;
    }

    pid_t pid_ = -1;
    int port_ = 0;
};
