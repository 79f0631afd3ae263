#include "core/desktop/show_request.h"

#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace fq {
namespace {

// The socket's address; false when the path does not fit in one.
bool AddressOf(const std::string& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, path.data(), path.size());
    return true;
}

} // namespace

ShowRequestListener::ShowRequestListener(const std::string& socketPath) : path_(socketPath) {
    sockaddr_un address;
    if (!AddressOf(path_, address)) {
        return;
    }
    ::unlink(path_.c_str());
    fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd_ >= 0 && (::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
                     ::listen(fd_, 4) != 0)) {
        ::close(fd_);
        fd_ = -1;
    }
}

ShowRequestListener::~ShowRequestListener() {
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(path_.c_str());
    }
}

void ShowRequestListener::answer(const std::function<void()>& show) {
    const int connection = fd_ >= 0 ? ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC) : -1;
    if (connection < 0) {
        return; // woken for nothing, or the asking start gave up already
    }
    show();
    ::close(connection);
}

bool AskToShow(const std::string& socketPath, std::chrono::milliseconds limit) {
    sockaddr_un address;
    if (!AddressOf(socketPath, address)) {
        return false;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    bool shown = false;
    if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        pollfd waiting{fd, POLLIN, 0};
        char byte;
        shown =
            ::poll(&waiting, 1, static_cast<int>(limit.count())) == 1 && ::read(fd, &byte, 1) == 0;
    }
    if (fd >= 0) {
        ::close(fd);
    }
    return shown;
}

} // namespace fq
