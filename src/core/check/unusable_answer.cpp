#include "core/check/unusable_answer.h"

namespace fq {

std::optional<NoReportReason> UnusableAnswer(const HttpAnswer& answer, const HttpLimits& limits) {
    NoReportReason reason;
    reason.detail = answer.detail;
    if (!answer.whole()) {
        reason.cause = NoReportReason::Cause::kTransfer;
        reason.failure = answer.failure;
        switch (answer.failure) {
        case TransferFailure::kConnectTimeout:
            reason.limit = limits.connectTimeout;
            break;
        case TransferFailure::kStalled:
            reason.limit = limits.stallTimeout;
            break;
        case TransferFailure::kDeadline:
            reason.limit = limits.deadline;
            break;
        default:
            break;
        }
        return reason;
    }
    if (answer.status / 100 == 2) {
        return std::nullopt;
    }
    reason.cause = NoReportReason::Cause::kHttpStatus;
    reason.status = answer.status;
    return reason;
}

} // namespace fq
