#pragma once

#include "core/time/clock.h"

namespace fq {

// The wall clock for the window: waiting runs the event loop, sleeping in between, and ends
// early when the application is quitting.
class EventLoopClock final : public Clock {
public:
    std::int64_t now() override;
    void waitUntilPast(std::int64_t mark) override;
};

} // namespace fq
