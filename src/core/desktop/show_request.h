#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace fq {

// How a second start asks the running instance to come forward: it connects to a Unix socket
// in the instance lock's private folder (InstanceLock::showRequestSocket), which no other user
// can reach, and waits until the running instance closes the connection, which it does once
// its window is shown. No byte is sent either way.

// The running instance's side: listens on `socketPath`, replacing a socket that a crashed
// instance left there (the lock makes sure none of ours still uses it).
class ShowRequestListener {
public:
    explicit ShowRequestListener(const std::string& socketPath);
    ~ShowRequestListener();
    ShowRequestListener(const ShowRequestListener&) = delete;
    ShowRequestListener& operator=(const ShowRequestListener&) = delete;

    // What to wait on for a request; -1 when the socket could not be made.
    int fd() const { return fd_; }
    // Takes one waiting request, if any: calls `show`, then tells the asking start it is done.
    void answer(const std::function<void()>& show);

private:
    std::string path_;
    int fd_ = -1;
};

// The second start's side: asks the instance listening on `socketPath` to show its window and
// waits for it, up to `limit`. True once it has.
[[nodiscard]] bool AskToShow(const std::string& socketPath, std::chrono::milliseconds limit);

} // namespace fq
