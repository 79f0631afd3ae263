#pragma once

#include "platform/http_client.h"

#include <functional>
#include <string>

namespace fq {

// PostForm's shape, so that a caller can hand another transport.
using PostFormFunction =
    std::function<std::string(const std::string& url, const std::string& body,
                              const MessagePump& pump, const HttpLimits& limits)>;

} // namespace fq
