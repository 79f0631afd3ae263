#include "loopback_server.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cctype>
#include <cstdlib>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

sockaddr_in LoopbackAddress(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    return address;
}

// A TCP socket bound to 127.0.0.1 at a port the system picks, which lands in `port`.
int BoundLoopbackSocket(int& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = LoopbackAddress(0);
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("cannot bind a loopback socket");
    }
    port = ntohs(address.sin_port);
    return fd;
}

std::size_t ContentLength(const std::string& head) {
    std::string lower = head;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const auto field = lower.find("\r\ncontent-length:");
    return field == std::string::npos ? 0 : std::strtoul(lower.c_str() + field + 17, nullptr, 10);
}

bool SendAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t sent = ::send(fd, data, size, MSG_NOSIGNAL);
        if (sent <= 0) {
            return false;
        }
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

} // namespace

std::string HttpAnswer(const std::string& status, const std::string& body) {
    return "HTTP/1.0 " + status + "\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\n\r\n" + body;
}

LoopbackServer::LoopbackServer(std::vector<ScriptedAnswer> answers) : answers_(std::move(answers)) {
    listener_ = BoundLoopbackSocket(port_);
    if (::listen(listener_, 8) != 0 || ::pipe2(wake_, O_CLOEXEC) != 0) {
        throw std::runtime_error("cannot listen on loopback");
    }
    thread_ = std::thread([this] { Serve(); });
}

LoopbackServer::~LoopbackServer() {
    const char stop = 's';
    (void)!::write(wake_[1], &stop, 1);
    thread_.join();
    ::close(listener_);
    ::close(wake_[0]);
    ::close(wake_[1]);
}

std::string LoopbackServer::hostAndPort() const {
    return "127.0.0.1:" + std::to_string(port_);
}

std::vector<std::string> LoopbackServer::requests() const {
    const std::lock_guard lock(mutex_);
    return requests_;
}

bool LoopbackServer::WaitReadable(int fd) {
    pollfd waits[2] = {{fd, POLLIN, 0}, {wake_[0], POLLIN, 0}};
    ::poll(waits, 2, -1);
    return waits[1].revents == 0 && waits[0].revents != 0;
}

bool LoopbackServer::Pause(std::chrono::milliseconds pause) {
    pollfd wake{wake_[0], POLLIN, 0};
    return ::poll(&wake, 1, static_cast<int>(pause.count())) == 0;
}

void LoopbackServer::Serve() {
    for (std::size_t served = 0; WaitReadable(listener_); ++served) {
        const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            continue;
        }
        Answer(client, answers_.at(std::min(served, answers_.size() - 1)));
        ::close(client);
    }
}

std::string LoopbackServer::ReadRequest(int client, bool whole) {
    std::string request;
    char buffer[65536];
    while (WaitReadable(client)) {
        const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
        if (got <= 0) {
            break;
        }
        request.append(buffer, static_cast<std::size_t>(got));
        const auto headEnd = request.find("\r\n\r\n");
        if (!whole || (headEnd != std::string::npos &&
                       request.size() >= headEnd + 4 + ContentLength(request.substr(0, headEnd)))) {
            break;
        }
    }
    return request;
}

void LoopbackServer::Answer(int client, const ScriptedAnswer& answer) {
    const std::string request = ReadRequest(client, answer.waitForWholeRequest);
    {
        const std::lock_guard lock(mutex_);
        requests_.push_back(request);
    }
    const std::size_t piece = answer.pieceBytes > 0 ? answer.pieceBytes : answer.bytes.size();
    for (std::size_t at = 0; at < answer.bytes.size(); at += piece) {
        if (answer.piecePause.count() > 0 && !Pause(answer.piecePause)) {
            return;
        }
        if (!SendAll(client, answer.bytes.data() + at, std::min(piece, answer.bytes.size() - at))) {
            return;
        }
    }
    // Stalling or not, wait for the client to hang up, so that nothing it has not read yet is
    // lost to a reset.
    if (!answer.stallAfterwards) {
        ::shutdown(client, SHUT_WR);
    }
    char buffer[4096];
    while (WaitReadable(client) && ::recv(client, buffer, sizeof buffer, 0) > 0) {
    }
}

RefusingPort::RefusingPort() {
    fd_ = BoundLoopbackSocket(port_);
}

RefusingPort::~RefusingPort() {
    ::close(fd_);
}

SilentPort::SilentPort() {
    fd_ = BoundLoopbackSocket(port_);
    ::listen(fd_, 0);
    const sockaddr_in address = LoopbackAddress(port_);
    for (int i = 0; i < 3; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        waiting_.push_back(fd);
    }
}

SilentPort::~SilentPort() {
    for (const int fd : waiting_) {
        ::close(fd);
    }
    ::close(fd_);
}
