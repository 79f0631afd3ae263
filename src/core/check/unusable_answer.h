#pragma once

#include "core/net/http_client.h"
#include "core/sites/no_report_reason.h"

#include <optional>

namespace fq {

// Why `answer`, to a request made with `limits`, is no answer of the report script: the
// transfer failed, or the server's status is not 2xx. Nothing when its body is to be read.
[[nodiscard]] std::optional<NoReportReason> UnusableAnswer(const HttpAnswer& answer,
                                                           const HttpLimits& limits);

} // namespace fq
