#include "core/net/curl_transfer.h"

#include <algorithm>

namespace fq {
namespace {

using Clock = std::chrono::steady_clock;

// Short enough for a responsive window, long enough not to wake the CPU for nothing.
constexpr int kPollMilliseconds = 50;

struct CurlMultiCleanup {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
using CurlMulti = std::unique_ptr<CURLM, CurlMultiCleanup>;

// Keeps `easy` on `multi` for one scope; it must leave before either is cleaned up.
class Attachment {
public:
    Attachment(CURLM* multi, CURL* easy)
        : multi_(multi), easy_(easy), attached_(curl_multi_add_handle(multi, easy) == CURLM_OK) {}
    ~Attachment() {
        if (attached_) {
            curl_multi_remove_handle(multi_, easy_);
        }
    }
    Attachment(const Attachment&) = delete;
    Attachment& operator=(const Attachment&) = delete;

    bool attached() const { return attached_; }

private:
    CURLM* multi_;
    CURL* easy_;
    bool attached_;
};

void InitialiseCurlOnce() {
    // libcurl's global set-up must run once before the first handle; a static local is
    // initialised exactly once even when threads race for it.
    static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
    (void)initialised;
}

struct Receiver {
    std::size_t maxBodyBytes = 0;
    std::string body;
    bool requestSent = false;
    Clock::time_point lastByte;

    bool Stalled(std::chrono::milliseconds stallTimeout) const {
        return requestSent && Clock::now() - lastByte >= stallTimeout;
    }
};

// Called when a connection is ready and the request is about to go out (again after a
// redirect): from here on the stall clock runs.
int RequestGoesOut(void* context, char*, char*, int, int) {
    auto& receiver = *static_cast<Receiver*>(context);
    receiver.requestSent = true;
    receiver.lastByte = Clock::now();
    return CURL_PREREQFUNC_OK;
}

std::size_t ReceiveHeader(char*, std::size_t size, std::size_t count, void* context) {
    static_cast<Receiver*>(context)->lastByte = Clock::now();
    return size * count;
}

// Keeps the body while it fits under the cap; answering 0 fails the transfer.
std::size_t ReceiveBody(char* data, std::size_t size, std::size_t count, void* context) {
    auto& receiver = *static_cast<Receiver*>(context);
    receiver.lastByte = Clock::now();
    const std::size_t bytes = size * count;
    if (bytes > receiver.maxBodyBytes - receiver.body.size()) {
        return 0;
    }
    try {
        receiver.body.append(data, bytes);
    } catch (...) {
        // Out of memory: no exception may cross libcurl.
        return 0;
    }
    return bytes;
}

// True when the one transfer on `multi` ended with its whole answer.
bool Completed(CURLM* multi) {
    int queued = 0;
    const CURLMsg* message = curl_multi_info_read(multi, &queued);
    return message != nullptr && message->msg == CURLMSG_DONE && message->data.result == CURLE_OK;
}

} // namespace

CurlEasy NewTransfer(const std::string& url, const HttpLimits& limits) {
    InitialiseCurlOnce();
    CurlEasy easy(curl_easy_init());
    if (!easy) {
        return easy;
    }
    CURL* handle = easy.get();
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_USERAGENT, "vb wininet");
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(std::max<std::chrono::milliseconds::rep>(
                         1, limits.connectTimeout.count())));
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_PATH_AS_IS, 1L);
    return easy;
}

std::optional<std::string> RunTransfer(CURL* easy, const MessagePump& pump,
                                       const HttpLimits& limits, Clock::time_point giveUpAt) {
    Receiver receiver;
    receiver.maxBodyBytes = limits.maxBodyBytes;
    curl_easy_setopt(easy, CURLOPT_PREREQFUNCTION, RequestGoesOut);
    curl_easy_setopt(easy, CURLOPT_PREREQDATA, &receiver);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, ReceiveHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &receiver);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, ReceiveBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &receiver);

    const CurlMulti multi(curl_multi_init());
    if (!multi) {
        return std::nullopt;
    }
    const Attachment attachment(multi.get(), easy);
    if (!attachment.attached()) {
        return std::nullopt;
    }
    for (;;) {
        int running = 0;
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK) {
            return std::nullopt;
        }
        if (running == 0) {
            break;
        }
        if (receiver.Stalled(limits.stallTimeout) || Clock::now() >= giveUpAt ||
            (pump && !pump())) {
            return std::nullopt;
        }
        if (curl_multi_poll(multi.get(), nullptr, 0, kPollMilliseconds, nullptr) != CURLM_OK) {
            return std::nullopt;
        }
    }
    if (!Completed(multi.get())) {
        return std::nullopt;
    }
    return std::move(receiver.body);
}

} // namespace fq
