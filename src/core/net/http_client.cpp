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

// A direct GET (no proxy) that follows redirects, as a browser fetching a file would. With
// `successOnly`, an answer whose final status is not 2xx is no answer.
std::optional<std::string> Get(const std::string& url, const MessagePump& pump,
                               const HttpLimits& limits, bool successOnly = false) {
    const CurlEasy easy = NewTransfer(EscapeUnsendableBytes(url), limits);
    if (!easy) {
        return std::nullopt;
    }
    curl_easy_setopt(easy.get(), CURLOPT_NOPROXY, "*");
    curl_easy_setopt(easy.get(), CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy.get(), CURLOPT_MAXREDIRS, kMaxRedirects);
    std::optional<std::string> body =
        RunTransfer(easy.get(), pump, limits, Clock::now() + limits.deadline);
    long status = 0;
    curl_easy_getinfo(easy.get(), CURLINFO_RESPONSE_CODE, &status);
    if (successOnly && (status < 200 || status > 299)) {
        return std::nullopt;
    }
    return body;
}

// Where a 307 or 308 answer on `easy` sends the request on, its method and body unchanged;
// null after any other answer. The text belongs to `easy`.
const char* RepostTarget(CURL* easy) {
    long status = 0;
    char* target = nullptr;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_getinfo(easy, CURLINFO_REDIRECT_URL, &target);
    return status == 307 || status == 308 ? target : nullptr;
}

} // namespace

std::optional<std::string> FetchUrlText(const std::string& url, const MessagePump& pump,
                                        const HttpLimits& limits) {
    return Get(url, pump, limits);
}

std::optional<std::string> FetchSuccessText(const std::string& url, const MessagePump& pump,
                                            const HttpLimits& limits) {
    return Get(url, pump, limits, true);
}

bool DownloadUrlToFile(const std::string& url, std::string& localPath, const MessagePump& pump,
                       const HttpLimits& limits) {
    const std::optional<std::string> body = Get(url, pump, limits, true);
    if (!body) {
        return false;
    }
    if (localPath.empty()) {
        localPath = url.substr(url.rfind('/') + 1);
    }
    return WriteTextFile(localPath, *body).ok();
}

std::optional<std::string> PostForm(const std::string& url, const std::string& body,
                                    const MessagePump& pump, const HttpLimits& limits) {
    std::string address = FormPostAddress(url);
    const HeaderList headers = FormPostHeaders();
    if (address.empty() || !headers) {
        return std::nullopt;
    }
    // One deadline for the request and every redirect after it.
    const Clock::time_point giveUpAt = Clock::now() + limits.deadline;
    for (long redirects = 0;; ++redirects) {
        const CurlEasy easy = NewTransfer(address, limits);
        if (!easy) {
            return std::nullopt;
        }
        // Redirects are taken below, so that only those keeping the POST are followed; the
        // answer to any other is the report.
        curl_easy_setopt(easy.get(), CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
        curl_easy_setopt(easy.get(), CURLOPT_HTTPHEADER, headers.get());
        curl_easy_setopt(easy.get(), CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(body.size()));
        curl_easy_setopt(easy.get(), CURLOPT_POSTFIELDS, body.data());
        const std::optional<std::string> answer = RunTransfer(easy.get(), pump, limits, giveUpAt);
        const char* target = answer ? RepostTarget(easy.get()) : nullptr;
        if (target == nullptr) {
            return answer;
        }
        if (redirects == kMaxRedirects) {
            return std::nullopt; // a redirect loop gives no report
        }
        address = target;
    }
}

} // namespace fq
