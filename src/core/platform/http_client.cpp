#include "core/platform/http_client.h"

#include "core/platform/curl_transfer.h"
#include "core/platform/http_address.h"
#include "core/platform/text_file.h"

namespace fq {
namespace {

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

// A direct GET (no proxy) that follows redirects, as a browser fetching a file would.
TransferAnswer Get(const std::string& url, const MessagePump& pump, const HttpLimits& limits) {
    const CurlEasy easy = NewTransfer(EscapeUnsendableBytes(url), limits);
    if (!easy) {
        return {};
    }
    curl_easy_setopt(easy.get(), CURLOPT_NOPROXY, "*");
    curl_easy_setopt(easy.get(), CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy.get(), CURLOPT_MAXREDIRS, 5L);
    return RunTransfer(easy.get(), pump, limits);
}

} // namespace

std::string FetchUrlText(const std::string& url, const MessagePump& pump,
                         const HttpLimits& limits) {
    return Get(url, pump, limits).body;
}

void DownloadUrlToFile(const std::string& url, std::string& localPath, const MessagePump& pump,
                       const HttpLimits& limits) {
    const TransferAnswer answer = Get(url, pump, limits);
    if (!answer.answered) {
        return;
    }
    if (localPath.empty()) {
        localPath = url.substr(url.rfind('/') + 1);
    }
    WriteTextFile(localPath, answer.body);
}

std::string PostForm(const std::string& url, const std::string& body, const MessagePump& pump,
                     const HttpLimits& limits) {
    const std::string address = FormPostAddress(url);
    const HeaderList headers = FormPostHeaders();
    if (address.empty() || !headers) {
        return {};
    }
    const CurlEasy easy = NewTransfer(address, limits);
    if (!easy) {
        return {};
    }
    // No redirect is followed: the answer to this very request is the report.
    curl_easy_setopt(easy.get(), CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
    curl_easy_setopt(easy.get(), CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(easy.get(), CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(easy.get(), CURLOPT_POSTFIELDS, body.data());
    return RunTransfer(easy.get(), pump, limits).body;
}

} // namespace fq
