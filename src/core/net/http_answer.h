#pragma once

#include <string>

namespace fq {

// Why a transfer brought no answer.
enum class TransferFailure {
    kNone,             // the whole answer came
    kBadAddress,       // the address names no host the program can post to
    kUnresolved,       // the host name could not be resolved
    kRefused,          // the server refused the connection
    kUnreachable,      // no connection for another reason: no route, network down
    kTlsHandshake,     // the TLS handshake failed for a reason other than the certificate
    kCertificate,      // the server's certificate was not accepted
    kConnectTimeout,   // no connection within the connect limit
    kStalled,          // no byte came for the stall limit
    kDeadline,         // the whole transfer outlasted its deadline
    kTooLarge,         // the body outgrew the cap
    kCutShort,         // the connection ended before the whole answer came
    kTooManyRedirects, // more redirects than are followed
    kStopped,          // the program began to end
    kOther,            // anything else libcurl reports; `detail` says what
};

// What one request brought back.
struct HttpAnswer {
    TransferFailure failure = TransferFailure::kNone;
    long status = 0;    // the HTTP status of the last answer received; 0 when none came
    std::string body;   // the whole body; empty unless failure is kNone
    std::string detail; // libcurl's words for a failure; for a 3xx answer, its Location

    bool whole() const { return failure == TransferFailure::kNone; }
};

// The answer of a transfer that ended in `failure`, with nothing more to say.
[[nodiscard]] inline HttpAnswer FailedTransfer(TransferFailure failure) {
    HttpAnswer answer;
    answer.failure = failure;
    return answer;
}

} // namespace fq
