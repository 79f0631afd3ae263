#pragma once

#include "core/time/clock.h"

#include <cstdint>

// A clock moved by hand. Waiting moves it just past the mark at once, so a pass's pause
// costs no time.
class ManualClock final : public fq::Clock {
public:
    std::int64_t now() override { return seconds; }
    void waitUntilPast(std::int64_t mark) override {
        if (seconds <= mark) {
            seconds = mark + 1;
        }
    }

    std::int64_t seconds = 36000; // 10:00:00
};
