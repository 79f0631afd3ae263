#pragma once

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// How the server answers one connection.
struct ScriptedAnswer {
    std::string bytes;                       // sent once the request is in
    std::size_t pieceBytes = 0;              // when > 0: sent in pieces of this size ...
    std::chrono::milliseconds piecePause{0}; // ... each after this pause
    bool stallAfterwards = false;            // then keep the connection open, sending nothing
    bool waitForWholeRequest = true;         // false: answer after the first bytes, whatever
};

// "HTTP/1.0 <status>" with a Content-Length header and `body`.
std::string HttpAnswer(const std::string& status, const std::string& body);

// An HTTP peer on 127.0.0.1 at a port the system picks. It takes connections one after the
// other and answers the n-th with the n-th scripted answer (the last one again for any further
// connection), keeping the raw bytes of every request it read.
class LoopbackServer {
public:
    explicit LoopbackServer(std::vector<ScriptedAnswer> answers);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    // "127.0.0.1:<port>"
    std::string hostAndPort() const;
    std::vector<std::string> requests() const;

private:
    void Serve();
    void Answer(int client, const ScriptedAnswer& answer);
    std::string ReadRequest(int client, bool whole);
    // False when the server is stopping.
    bool WaitReadable(int fd);
    bool Pause(std::chrono::milliseconds pause);

    std::vector<ScriptedAnswer> answers_;
    int listener_ = -1;
    int port_ = 0;
    int wake_[2] = {-1, -1}; // writing to wake_[1] ends every wait of the server thread
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

// A loopback port that refuses every connection: bound, never listening, held while it lives.
class RefusingPort {
public:
    RefusingPort();
    ~RefusingPort();
    RefusingPort(const RefusingPort&) = delete;
    RefusingPort& operator=(const RefusingPort&) = delete;

    int port() const { return port_; }

private:
    int fd_ = -1;
    int port_ = 0;
};

// A loopback port whose connections never complete: it listens with a backlog of one that is
// already taken, so the system drops every further connection request unanswered.
class SilentPort {
public:
    SilentPort();
    ~SilentPort();
    SilentPort(const SilentPort&) = delete;
    SilentPort& operator=(const SilentPort&) = delete;

    int port() const { return port_; }

private:
    int fd_ = -1;
    int port_ = 0;
    std::vector<int> waiting_;
};
