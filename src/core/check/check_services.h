#pragma once

#include "core/net/http_client.h"
#include "core/time/clock.h"

#include <functional>
#include <string>

namespace fq {

// PostForm's shape, so that a caller can hand another transport: the answer with its status,
// or why there is none.
using PostFormFunction =
    std::function<HttpAnswer(const std::string& url, const std::string& body,
                             const MessagePump& pump, const HttpLimits& limits)>;

// What a check pass takes from the world outside: the report transport, the caller's event
// pump and the clock that paces the pass. Every member must be set.
struct CheckServices {
    PostFormFunction postForm;
    MessagePump pump;
    Clock* clock = nullptr;
};

// The real services: PostForm over the network, with `pump` and `clock` as given.
[[nodiscard]] CheckServices RealCheckServices(MessagePump pump, Clock& clock);

} // namespace fq
