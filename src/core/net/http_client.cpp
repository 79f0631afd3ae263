#include "core/net/http_client.h"

#include "core/files/text_file.h"
#include "core/net/curl_transfer.h"
#include "core/net/http_address.h"

namespace fq {
namespace {

using Clock = std::chrono::steady_clock;

constexpr long kMaxRedirects = 5;

struct HeaderListCleanup {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using HeaderList = std::unique_ptr<curl_slist, HeaderListCleanup>;

// The headers of the report request beyond Host and Content-Length. "Accept:" and "Expect:"
// with no value keep libcurl from adding its own.
HeaderList FormPostHeaders() {
    HeaderList list;
    for (const char* line :
         {"Content-Type: application/x-www-form-urlencoded", "Accept:", "Expect:"}) {
        curl_slist* longer = curl_slist_append(list.get(), line);
        if (longer == nullptr) {
            return {};
        }
        if (!list) {
            list.reset(longer); // the list's head; later lines hang below it
        }
    }
    return list;
}

// True when `answer` sends the POST on unchanged to another web address.
bool KeepsThePost(const HttpAnswer& answer) {
    return (answer.status == 307 || answer.status == 308) &&
           (answer.detail.starts_with("http://") || answer.detail.starts_with("https://"));
}

} // namespace

HttpAnswer GetUrl(const std::string& url, const MessagePump& pump, const HttpLimits& limits) {
    const CurlEasy easy = NewTransfer(EscapeUnsendableBytes(url), limits);
    if (!easy) {
        return FailedTransfer(TransferFailure::kOther);
    }
    curl_easy_setopt(easy.get(), CURLOPT_NOPROXY, "*");
    curl_easy_setopt(easy.get(), CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy.get(), CURLOPT_MAXREDIRS, kMaxRedirects);
    return RunTransfer(easy.get(), pump, limits, Clock::now() + limits.deadline);
}

std::optional<std::string> FetchUrlText(const std::string& url, const MessagePump& pump,
                                        const HttpLimits& limits) {
    HttpAnswer answer = GetUrl(url, pump, limits);
    return answer.whole() ? std::optional(std::move(answer.body)) : std::nullopt;
}

std::optional<std::string> FetchSuccessText(const std::string& url, const MessagePump& pump,
                                            const HttpLimits& limits) {
    HttpAnswer answer = GetUrl(url, pump, limits);
    const bool success = answer.whole() && answer.status >= 200 && answer.status <= 299;
    return success ? std::optional(std::move(answer.body)) : std::nullopt;
}

bool DownloadUrlToFile(const std::string& url, std::string& localPath, const MessagePump& pump,
                       const HttpLimits& limits) {
    const std::optional<std::string> body = FetchSuccessText(url, pump, limits);
    if (!body) {
        return false;
    }
    if (localPath.empty()) {
        localPath = url.substr(url.rfind('/') + 1);
    }
    return WriteTextFile(localPath, *body).ok();
}

HttpAnswer PostForm(const std::string& url, const std::string& body, const MessagePump& pump,
                    const HttpLimits& limits) {
    std::string address = FormPostAddress(url);
    if (address.empty()) {
        return FailedTransfer(TransferFailure::kBadAddress);
    }
    const HeaderList headers = FormPostHeaders();
    if (!headers) {
        return FailedTransfer(TransferFailure::kOther);
    }
    // One deadline for the request and every redirect after it.
    const Clock::time_point giveUpAt = Clock::now() + limits.deadline;
    for (long redirects = 0;; ++redirects) {
        const CurlEasy easy = NewTransfer(address, limits);
        if (!easy) {
            return FailedTransfer(TransferFailure::kOther);
        }
        // Redirects are taken below, so that only those keeping the POST are followed; the
        // answer to any other is the report.
        curl_easy_setopt(easy.get(), CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
        // Over TLS, libcurl would offer "http/1.0" alone by ALPN; a server that picks
        // "http/1.1" regardless (Apache's mod_ssl) then makes OpenSSL abort the handshake.
        // Offering nothing lets every server speak its HTTP/1.x; the request stays the same.
        curl_easy_setopt(easy.get(), CURLOPT_SSL_ENABLE_ALPN, 0L);
        curl_easy_setopt(easy.get(), CURLOPT_HTTPHEADER, headers.get());
        curl_easy_setopt(easy.get(), CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(body.size()));
        curl_easy_setopt(easy.get(), CURLOPT_POSTFIELDS, body.data());
        HttpAnswer answer = RunTransfer(easy.get(), pump, limits, giveUpAt);
        if (!answer.whole() || !KeepsThePost(answer)) {
            return answer;
        }
        if (redirects == kMaxRedirects) {
            return FailedTransfer(TransferFailure::kTooManyRedirects);
        }
        address = answer.detail;
    }
}

} // namespace fq
