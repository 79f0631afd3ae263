#pragma once

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
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

protected:
    // `command` gives the shell command that serves on the port it is handed.
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
        // With exec, the shell becomes the server; posix_spawn rather than fork, as the
        // callers may run Qt's threads. A process group of its own, since Apache ends its
        // whole group when it stops.
        std::string shell = "sh", option = "-c", line = "exec " + command(port_);
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

// PHP's built-in web server serving `documentRoot`, with stock settings (no -d, no -n) and
// its request log kept out of the test's output.
class PhpServer : public LoopbackServer {
public:
    explicit PhpServer(const std::filesystem::path& documentRoot)
        : LoopbackServer([&documentRoot](int port) {
              return "php -S 127.0.0.1:" + std::to_string(port) + " -t '" + documentRoot.string() +
                     "' >/dev/null 2>&1";
          }) {}
};

namespace server_files {

// Opens `folders` to others, as a server run by root serves as another user.
inline void OpenToOthers(std::initializer_list<std::filesystem::path> folders) {
    for (const std::filesystem::path& folder : folders) {
        std::filesystem::permissions(
            folder, std::filesystem::perms::others_read | std::filesystem::perms::others_exec,
            std::filesystem::perm_options::add);
    }
}

// The first file in `folder` whose name starts with `prefix`, such as "libphp8.2.so".
inline std::string Named(const std::string& folder, const std::string& prefix) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().filename().string().starts_with(prefix)) {
            return entry.path().string();
        }
    }
    return folder + prefix;
}

} // namespace server_files

// Apache with Debian's mod_php serving `documentRoot`, as most shared hosts run PHP, from a
// configuration of its own in `work`; with `guarded`, behind ModSecurity and its core rule
// set, as careful hosts are.
class ApacheServer : public LoopbackServer {
public:
    ApacheServer(const std::filesystem::path& documentRoot, const std::filesystem::path& work,
                 bool guarded = false)
        : LoopbackServer([&documentRoot, &work, guarded](int port) {
              server_files::OpenToOthers({documentRoot, work});
              const std::string modules = "/usr/lib/apache2/modules/", root = documentRoot,
                                folder = work.string();
              std::ofstream config(work / "httpd.conf");
              config << "ServerName 127.0.0.1\nListen 127.0.0.1:" << port << "\n"
                     << "DefaultRuntimeDir " << folder << "\nPidFile " << folder
                     << "/httpd.pid\nErrorLog " << folder << "/error.log\n"
                     << (::geteuid() == 0 ? "User nobody\nGroup nogroup\n" : "")
                     << "LoadModule mpm_prefork_module " << modules << "mod_mpm_prefork.so\n"
                     << "LoadModule authz_core_module " << modules << "mod_authz_core.so\n"
                     << "LoadModule php_module " << server_files::Named(modules, "libphp")
                     << "\nDocumentRoot \"" << root << "\"\n<Directory \"" << root
                     << "\">\n  Require all granted\n</Directory>\n"
                     << "<FilesMatch \"\\.php$\">\n  SetHandler application/x-httpd-php\n"
                     << "</FilesMatch>\n";
              if (guarded) {
                  config << "LoadModule unique_id_module " << modules << "mod_unique_id.so\n"
                         << "LoadModule security2_module " << modules << "mod_security2.so\n"
                         << "SecRuleEngine On\nSecRequestBodyAccess On\nSecDataDir " << folder
                         << "\nSecTmpDir " << folder << "\nSecAuditEngine Off\n"
                         << "Include /usr/share/modsecurity-crs/owasp-crs.load\n";
              }
              return "apache2 -f '" + folder + "/httpd.conf' -DFOREGROUND";
          }) {}
};

// nginx with its stock body limit (1 MiB) in front of php-fpm, from configurations of their
// own in `work`.
class NginxServer : public LoopbackServer {
public:
    NginxServer(const std::filesystem::path& documentRoot, const std::filesystem::path& work)
        : LoopbackServer([&documentRoot, &work](int port) {
              server_files::OpenToOthers({documentRoot, work});
              const std::string folder = work.string(), socket = folder + "/fpm.sock";
              const bool root = ::geteuid() == 0;
              std::ofstream(work / "fpm.conf")
                  << "[global]\nerror_log = " << folder << "/fpm.log\npid = " << folder
                  << "/fpm.pid\n[site]\n"
                  << (root ? "user = nobody\ngroup = nogroup\n" : "") << "listen = " << socket
                  << "\nlisten.mode = 0666\npm = static\npm.max_children = 2\n";
              std::ofstream(work / "nginx.conf")
                  << (root ? "user nobody nogroup;\n" : "") << "pid " << folder
                  << "/nginx.pid;\nerror_log " << folder << "/error.log;\nevents {}\nhttp {\n"
                  << "  access_log off;\n  client_body_temp_path " << folder << ";\n"
                  << "  fastcgi_temp_path " << folder
                  << ";\n  server {\n    listen 127.0.0.1:" << port << ";\n    root "
                  << documentRoot.string() << ";\n"
                  << "    location ~ \\.php$ {\n      include /etc/nginx/fastcgi_params;\n"
                  << "      fastcgi_param SCRIPT_FILENAME $document_root$fastcgi_script_name;\n"
                  << "      fastcgi_pass unix:" << socket << ";\n    }\n  }\n}\n";
              return server_files::Named("/usr/sbin/", "php-fpm") + " -F -y '" + folder +
                     "/fpm.conf' & exec nginx -e '" + folder + "/error.log' -c '" + folder +
                     "/nginx.conf' -g 'daemon off;'";
          }) {}
};
