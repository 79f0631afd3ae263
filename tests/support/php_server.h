#pragma once

#include "core/files/text_file.h"
#include "core/text/path_text.h"

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <spawn.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ;

// A web server on 127.0.0.1, on a port picked here, started by a shell command and stopped
// when the object goes.
class LoopbackServer {
public:
    ~LoopbackServer() { stop(); }
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    bool running() const { return pid_ > 0; }
    int port() const { return port_; }
    // The server's root address, ending in "/".
    std::string url() const { return scheme_ + "://127.0.0.1:" + std::to_string(port_) + "/"; }

protected:
    std::string scheme_ = "http";

    // `command` gives the shell command that serves on the port it is handed, ending in an
    // exec so that the shell becomes the server.
    explicit LoopbackServer(const std::function<std::string(int port)>& command) {
        // A proxy set for the test run must not carry the requests away from loopback.
        ::unsetenv("http_proxy"), ::unsetenv("all_proxy"), ::unsetenv("ALL_PROXY");
        // A picked port may be taken before the server binds it: it then ends, and another
        // is tried.
        for (int attempt = 0; attempt < 5 && !running(); ++attempt) {
            start(command);
        }
    }

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

    void start(const std::function<std::string(int port)>& command) {
        port_ = Loopback(0, false);
        // posix_spawn rather than fork, as the callers may run Qt's threads. A process group of its
        // own, since Apache ends its whole group when it stops.
        std::string shell = "sh", option = "-c", line = command(port_);
        char* argv[] = {shell.data(), option.data(), line.data(), nullptr};
        posix_spawnattr_t attributes;
        ::posix_spawnattr_init(&attributes);
        ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
        ::posix_spawnattr_setpgroup(&attributes, 0);
        if (::posix_spawnp(&pid_, "sh", nullptr, &attributes, argv, environ) != 0) {
            pid_ = -1;
        }
        ::posix_spawnattr_destroy(&attributes);
        for (int poll = 0; running() && Loopback(port_, true) != port_; ++poll) {
            if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1;            // the port was taken meanwhile
            } else if (poll == 750) { // 15 seconds
                stop();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    void stop() {
        if (pid_ > 0) {
            ::kill(-pid_, SIGTERM); // the group: the server with every helper it started
            ::waitpid(pid_, nullptr, 0);
        }
        pid_ = -1;
    }

    pid_t pid_ = -1;
    int port_ = 0;
};

// PHP's built-in web server serving `documentRoot`, with stock settings and its request log
// kept out of the test's output. `arguments` may set others (-d) or name a router script that
// takes every request.
class PhpServer : public LoopbackServer {
public:
    explicit PhpServer(const std::filesystem::path& documentRoot, const std::string& arguments = "")
        : LoopbackServer([&documentRoot, &arguments](int port) {
              return "exec php -S 127.0.0.1:" + std::to_string(port) + " -t '" +
                     documentRoot.string() + "' " + arguments + " >/dev/null 2>&1";
          }) {}
};

namespace server_files {

using Values = std::vector<std::pair<std::string, std::string>>;

// Writes the configuration `name` of tests/support/servers to `target` (or adds it to its
// end), with every @NAME@ of `values` filled in.
inline void Write(const std::string& name, const std::filesystem::path& target,
                  const Values& values, bool append = false) {
    std::string text = fq::ReadTextFile(std::string(FERQUOR_SERVER_CONFIGS) + "/" + name);
    for (const auto& [key, value] : values) {
        text = fq::ReplaceAll(text, key, value);
    }
    std::ofstream(target, append ? std::ios::app : std::ios::trunc) << text;
}

// The values every server needs. Run by root, a server serves as "nobody", so the folders
// are opened to others.
inline Values Common(const std::filesystem::path& root, const std::filesystem::path& work, int port,
                     const std::string& runAsNobody) {
    for (const std::filesystem::path& folder : {root, work}) {
        std::filesystem::permissions(
            folder, std::filesystem::perms::others_read | std::filesystem::perms::others_exec,
            std::filesystem::perm_options::add);
    }
    return {{"@PORT@", std::to_string(port)},
            {"@ROOT@", root.string()},
            {"@WORK@", work.string()},
            {"@RUN_AS@", ::geteuid() == 0 ? runAsNobody : ""}};
}

} // namespace server_files

// Apache with Debian's mod_php serving `documentRoot`, as most shared hosts run PHP, from a
// configuration of its own in `work`: plain; guarded by ModSecurity and its core rule set, as
// careful hosts are; or over TLS with mod_ssl, its certificate signed by an authority of its
// own, `work`/authority.pem.
enum class Apache { kPlain, kGuarded, kTls };
class ApacheServer : public LoopbackServer {
public:
    ApacheServer(const std::filesystem::path& documentRoot, const std::filesystem::path& work,
                 Apache kind = Apache::kPlain)
        : LoopbackServer([&documentRoot, &work, kind](int port) {
              const server_files::Values values =
                  server_files::Common(documentRoot, work, port, "User nobody\nGroup nogroup");
              server_files::Write("apache.conf", work / "httpd.conf", values);
              if (kind == Apache::kGuarded) {
                  server_files::Write("modsecurity.conf", work / "httpd.conf", values, true);
              }
              if (kind == Apache::kTls) {
                  server_files::Write("apache-tls.conf", work / "httpd.conf", values, true);
              }
              // Without a certificate, no server.
              return (kind == Apache::kTls ? "sh '" FERQUOR_SERVER_CONFIGS "/test_authority.sh' '" +
                                                 work.string() + "' && "
                                           : std::string()) +
                     "exec apache2 -f '" + (work / "httpd.conf").string() + "' -DFOREGROUND";
          }) {
        scheme_ = kind == Apache::kTls ? "https" : "http";
    }
};

// nginx with its stock body limit (1 MiB) in front of php-fpm, from configurations of their
// own in `work`.
class NginxServer : public LoopbackServer {
public:
    // php-fpm starts a session of its own, so it is stopped by the process number it wrote.
    ~NginxServer() {
        std::ifstream pidFile(fpmPidFile_);
        pid_t fpm = 0;
        if (pidFile >> fpm && fpm > 0) {
            ::kill(fpm, SIGTERM);
        }
    }
    NginxServer(const std::filesystem::path& documentRoot, const std::filesystem::path& work)
        : LoopbackServer([&documentRoot, &work](int port) {
              const std::string folder = work.string();
              server_files::Write(
                  "php-fpm.conf", work / "fpm.conf",
                  server_files::Common(documentRoot, work, port, "user = nobody\ngroup = nogroup"));
              server_files::Write(
                  "nginx.conf", work / "nginx.conf",
                  server_files::Common(documentRoot, work, port, "user nobody nogroup;"));
              return "$(echo /usr/sbin/php-fpm*) -F -y '" + folder +
                     "/fpm.conf' >/dev/null 2>&1 & exec nginx -e '" + folder + "/error.log' -c '" +
                     folder + "/nginx.conf' -g 'daemon off;'";
          }),
          fpmPidFile_(work / "fpm.pid") {}

private:
    std::filesystem::path fpmPidFile_;
};
