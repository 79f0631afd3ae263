#pragma once

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <netinet/in.h>
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
        // A picked port may be taken before php binds it: then try another.
        for (int attempt = 0; attempt < 5 && !running(); ++attempt) {
            start(documentRoot);
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
    static sockaddr_in Loopback(int port) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<uint16_t>(port));
        return address;
    }

    static int FreePort() {
        const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address = Loopback(0);
        socklen_t length = sizeof address;
        const bool bound =
            ::bind(probe, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
            ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0;
        ::close(probe);
        return bound ? ntohs(address.sin_port) : 0;
    }

    bool accepts() const {
        const int client = ::socket(AF_INET, SOCK_STREAM, 0);
        const sockaddr_in address = Loopback(port_);
        const bool connected =
            ::connect(client, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        ::close(client);
        return connected;
    }

    void start(const std::filesystem::path& documentRoot) {
        port_ = FreePort();
        std::string listen = "127.0.0.1:" + std::to_string(port_);
        std::string root = documentRoot.string(), php = "php", serve = "-S", docroot = "-t";
        char* argv[] = {php.data(),     serve.data(), listen.data(),
                        docroot.data(), root.data(),  nullptr};
        posix_spawn_file_actions_t actions;
        ::posix_spawn_file_actions_init(&actions);
        ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        ::posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        // posix_spawn rather than fork: the callers may run Qt's threads.
        const int failed = ::posix_spawnp(&pid_, "php", &actions, nullptr, argv, environ);
        ::posix_spawn_file_actions_destroy(&actions);
        if (failed != 0) {
            pid_ = -1;
            return;
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
        while (std::chrono::steady_clock::now() < deadline) {
            if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1; // the port was taken meanwhile
                return;
            }
            if (accepts()) {
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        stop();
    }

    void stop() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }

    pid_t pid_ = -1;
    int port_ = 0;
};
