#pragma once

#include "core/platform/http_client.h"

#include <curl/curl.h>
#include <memory>
#include <string>

namespace fq {

struct CurlEasyCleanup {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
using CurlEasy = std::unique_ptr<CURL, CurlEasyCleanup>;

// A fresh handle for one transfer of `url`: user agent "vb wininet", the connect timeout of
// `limits`, http and https only, the path sent as written, no signals. Empty when libcurl
// cannot provide one.
CurlEasy NewTransfer(const std::string& url, const HttpLimits& limits);

// What one transfer brought back.
struct TransferAnswer {
    std::string body;      // the body bytes, at most limits.maxBodyBytes of them
    bool answered = false; // a status line arrived from the server
};

// Runs the transfer prepared on `easy` to its end, calling `pump` before every short wait on
// it. A pump that answers false aborts the transfer with no answer at all. The transfer stops
// early, keeping what arrived so far, when it fails, when no byte has come for limits.stallTimeout
// since the request went out, or when the body would outgrow limits.maxBodyBytes.
TransferAnswer RunTransfer(CURL* easy, const MessagePump& pump, const HttpLimits& limits);

} // namespace fq
