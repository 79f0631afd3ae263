#pragma once

#include "core/net/http_answer.h"
#include "core/net/http_client.h"

#include <chrono>
#include <curl/curl.h>
#include <memory>
#include <string>

namespace fq {

struct CurlEasyCleanup {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
using CurlEasy = std::unique_ptr<CURL, CurlEasyCleanup>;

// A fresh handle for one transfer of `url`: user agent "vb wininet", the connect timeout of
// `limits`, http and https only, the path sent as written, no signals, and the certificate
// authorities named by CURL_CA_BUNDLE, SSL_CERT_FILE or SSL_CERT_DIR when one is set (libcurl
// itself reads none of them). Empty when libcurl cannot provide one.
CurlEasy NewTransfer(const std::string& url, const HttpLimits& limits);

// Runs the transfer prepared on `easy` to its end, calling `pump` before every short wait on
// it, and returns the whole body with the status. The body stays empty and the failure says
// why when the transfer fails or ends before the body is complete, when no byte has come for
// limits.stallTimeout since the request went out, when the body would outgrow
// limits.maxBodyBytes, when `giveUpAt` passes (one deadline may span several transfers), or
// when `pump` answers false.
HttpAnswer RunTransfer(CURL* easy, const MessagePump& pump, const HttpLimits& limits,
                       std::chrono::steady_clock::time_point giveUpAt);

} // namespace fq
