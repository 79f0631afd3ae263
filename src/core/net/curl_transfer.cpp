#include "core/net/curl_transfer.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

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
    bool tooLarge = false;
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
        receiver.tooLarge = true;
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

// What libcurl's `code` for a finished transfer means to a site's owner.
TransferFailure FailureOf(CURLcode code, CURL* easy, const Receiver& receiver) {
    switch (code) {
    case CURLE_OK:
        return TransferFailure::kNone;
    case CURLE_COULDNT_RESOLVE_HOST:
        return TransferFailure::kUnresolved;
    case CURLE_COULDNT_CONNECT: {
        long error = 0;
        curl_easy_getinfo(easy, CURLINFO_OS_ERRNO, &error);
        return error == ECONNREFUSED ? TransferFailure::kRefused : TransferFailure::kUnreachable;
    }
    case CURLE_OPERATION_TIMEDOUT:
        // libcurl keeps only the connect limit (handshake included); the others are kept here.
        return TransferFailure::kConnectTimeout;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
        return TransferFailure::kCertificate;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CRL_BADFILE:
    case CURLE_SSL_SHUTDOWN_FAILED:
        return TransferFailure::kTlsHandshake;
    case CURLE_WRITE_ERROR:
        return receiver.tooLarge ? TransferFailure::kTooLarge : TransferFailure::kOther;
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_GOT_NOTHING:
        return TransferFailure::kCutShort;
    case CURLE_TOO_MANY_REDIRECTS:
        return TransferFailure::kTooManyRedirects;
    default:
        return TransferFailure::kOther;
    }
}

// The answer of the one transfer on `multi`, which has ended; `words` holds libcurl's message.
HttpAnswer Finished(CURLM* multi, CURL* easy, Receiver& receiver, const char* words) {
    int queued = 0;
    const CURLMsg* message = curl_multi_info_read(multi, &queued);
    const CURLcode code = message != nullptr && message->msg == CURLMSG_DONE ? message->data.result
                                                                             : CURLE_RECV_ERROR;
    HttpAnswer answer;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &answer.status);
    answer.failure = FailureOf(code, easy, receiver);
    if (!answer.whole()) {
        answer.detail = *words != '\0' ? words : curl_easy_strerror(code);
        return answer;
    }
    answer.body = std::move(receiver.body);
    char* location = nullptr;
    if (answer.status / 100 == 3 &&
        curl_easy_getinfo(easy, CURLINFO_REDIRECT_URL, &location) == CURLE_OK &&
        location != nullptr) {
        answer.detail = location;
    }
    return answer;
}

// The first of the environment `variables` that is set and not empty; null when none is.
const char* FirstSet(std::initializer_list<const char*> variables) {
    for (const char* name : variables) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return nullptr;
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
    // Where a user points OpenSSL or curl's own tool at other authorities (a company's own,
    // a test's), the program trusts the same ones.
    if (const char* file = FirstSet({"CURL_CA_BUNDLE", "SSL_CERT_FILE"})) {
        curl_easy_setopt(handle, CURLOPT_CAINFO, file);
    }
    if (const char* folder = FirstSet({"SSL_CERT_DIR"})) {
        curl_easy_setopt(handle, CURLOPT_CAPATH, folder);
    }
    return easy;
}

HttpAnswer RunTransfer(CURL* easy, const MessagePump& pump, const HttpLimits& limits,
                       Clock::time_point giveUpAt) {
    Receiver receiver;
    receiver.maxBodyBytes = limits.maxBodyBytes;
    char words[CURL_ERROR_SIZE] = "";
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, words);
    // The buffer goes with this call, so the handle must not keep it; this goes last.
    const struct ForgetWords {
        CURL* easy;
        ~ForgetWords() { curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, nullptr); }
    } forgetWords{easy};
    curl_easy_setopt(easy, CURLOPT_PREREQFUNCTION, RequestGoesOut);
    curl_easy_setopt(easy, CURLOPT_PREREQDATA, &receiver);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, ReceiveHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &receiver);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, ReceiveBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &receiver);

    const CurlMulti multi(curl_multi_init());
    if (!multi) {
        return FailedTransfer(TransferFailure::kOther);
    }
    const Attachment attachment(multi.get(), easy);
    if (!attachment.attached()) {
        return FailedTransfer(TransferFailure::kOther);
    }
    for (;;) {
        int running = 0;
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK) {
            return FailedTransfer(TransferFailure::kOther);
        }
        if (running == 0) {
            break;
        }
        if (receiver.Stalled(limits.stallTimeout)) {
            return FailedTransfer(TransferFailure::kStalled);
        }
        if (Clock::now() >= giveUpAt) {
            return FailedTransfer(TransferFailure::kDeadline);
        }
        if (pump && !pump()) {
            return FailedTransfer(TransferFailure::kStopped);
        }
        if (curl_multi_poll(multi.get(), nullptr, 0, kPollMilliseconds, nullptr) != CURLM_OK) {
            return FailedTransfer(TransferFailure::kOther);
        }
    }
    return Finished(multi.get(), easy, receiver, words);
}

} // namespace fq
