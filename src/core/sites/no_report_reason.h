#pragma once

#include "core/net/http_answer.h"

#include <chrono>
#include <string>

namespace fq {

// Why a site gave no report, kept as what happened and turned into words only for display.
struct NoReportReason {
    enum class Cause {
        kNone,            // the site answered, or it has no folder to compare
        kTransfer,        // the exchange failed: `failure`, with `limit` or `detail`
        kHttpStatus,      // the server answered `status`, which is not 2xx
        kEmptyAnswer,     // the sizes request was answered with nothing
        kNotSizes,        // the sizes request was answered with something else
        kNoneOfTheFiles,  // every listed file's field was empty
        kNotAListing,     // a site that answered the signed list before did not
        kRefused,         // the script took the signed request for a wrong password
        kForged,          // the signed list did not verify
        kListingTooLarge, // the script gave up listing at its limit on files or time
    };
    Cause cause = Cause::kNone;
    TransferFailure failure = TransferFailure::kNone;
    long status = 0;
    std::string detail;                 // libcurl's words, or where a redirect pointed
    std::chrono::milliseconds limit{0}; // the time limit that ran out
    bool operator==(const NoReportReason&) const = default;
};

// The reason in plain words for the site's owner, such as "the connection was refused".
[[nodiscard]] std::string NoReportText(const NoReportReason& reason);

} // namespace fq
