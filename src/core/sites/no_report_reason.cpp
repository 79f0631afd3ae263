#include "core/sites/no_report_reason.h"

namespace fq {
namespace {

// "15 seconds", "2 minutes", "1500 ms": a limit as it was set.
std::string DurationText(std::chrono::milliseconds limit) {
    const auto count = limit.count();
    const auto unit = [](long long n, const char* name) {
        return std::to_string(n) + " " + name + (n == 1 ? "" : "s");
    };
    if (count % 60000 == 0 && count > 0) {
        return unit(count / 60000, "minute");
    }
    if (count % 1000 == 0) {
        return unit(count / 1000, "second");
    }
    return std::to_string(count) + " ms";
}

std::string TransferText(const NoReportReason& reason) {
    switch (reason.failure) {
    case TransferFailure::kNone:
        return {};
    case TransferFailure::kBadAddress:
        return "the address names no web server";
    case TransferFailure::kUnresolved:
        return "the address could not be resolved";
    case TransferFailure::kRefused:
        return "the connection was refused";
    case TransferFailure::kUnreachable:
        return "the server could not be reached";
    case TransferFailure::kTlsHandshake:
        return "the TLS handshake failed (" + reason.detail + ")";
    case TransferFailure::kCertificate:
        return "the TLS handshake failed: the certificate was not accepted (" + reason.detail + ")";
    case TransferFailure::kConnectTimeout:
        return "no answer within the deadline: no connection in " + DurationText(reason.limit);
    case TransferFailure::kStalled:
        return "no answer within the deadline: nothing came for " + DurationText(reason.limit);
    case TransferFailure::kDeadline:
        return "no answer within the deadline: the whole answer took over " +
               DurationText(reason.limit);
    case TransferFailure::kTooLarge:
        return "the answer is larger than the program accepts";
    case TransferFailure::kCutShort:
        return "the connection ended before the whole answer came";
    case TransferFailure::kTooManyRedirects:
        return "the address redirects too many times";
    case TransferFailure::kStopped:
        return "the check was stopped";
    case TransferFailure::kOther:
        return "the exchange failed (" + reason.detail + ")";
    }
    return {};
}

std::string StatusMeaning(const NoReportReason& reason) {
    if (reason.status / 100 == 3) {
        return reason.detail.empty() ? ", a redirect that is not followed"
                                     : ", a redirect to " + reason.detail + " that is not followed";
    }
    switch (reason.status) {
    case 401:
        return ": the address asks for a login";
    case 403:
        return ": the request is forbidden";
    case 404:
        return ": no report script at this address";
    case 413:
        return ": the request is larger than the server accepts";
    case 500:
        return ": the script failed on the server";
    case 502:
    case 503:
    case 504:
        return ": the server is unavailable for now";
    default:
        return {};
    }
}

} // namespace

std::string NoReportText(const NoReportReason& reason) {
    using Cause = NoReportReason::Cause;
    switch (reason.cause) {
    case Cause::kNone:
        return {};
    case Cause::kTransfer:
        return TransferText(reason);
    case Cause::kHttpStatus:
        return "the server answered HTTP " + std::to_string(reason.status) + StatusMeaning(reason);
    case Cause::kEmptyAnswer:
        return "the answer was empty (wrong password, or no script at this address)";
    case Cause::kNotSizes:
        return "the answer is not a list of sizes";
    case Cause::kNoneOfTheFiles:
        return "the server has none of these files: is the local folder the site's root?";
    case Cause::kNotAListing:
        return "the answer is not the signed list this site gave before";
    case Cause::kRefused:
        return "the report script refused the request (wrong password)";
    case Cause::kForged:
        return "the signed list's signature is not valid";
    case Cause::kListingTooLarge:
        return "the site is too large for the report script to list";
    }
    return {};
}

} // namespace fq
