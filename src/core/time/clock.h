#pragma once

#include <chrono>
#include <cstdint>

namespace fq {

// The program's clock, in whole seconds since the epoch, and the one way it waits. Handed to
// the schedule and the check pass so that tests move time by hand instead of sleeping.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t now() = 0;
    // Returns once now() is later than `mark`, or earlier when the program is ending.
    virtual void waitUntilPast(std::int64_t mark) = 0;
};

// The wall clock; waiting sleeps the thread.
class SleepingClock final : public Clock {
public:
    std::int64_t now() override;
    void waitUntilPast(std::int64_t mark) override;
};

// The wall clock in whole seconds since the epoch.
[[nodiscard]] std::int64_t WholeSecondsNow();

// How long until WholeSecondsNow() is later than `mark`; zero when it already is.
[[nodiscard]] std::chrono::milliseconds TimeUntilPast(std::int64_t mark);

} // namespace fq
