#pragma once

#include <cstdint>
#include <optional>

namespace fq {

// Times are whole seconds of the program's clock; every comparison is strict.
using ClockSeconds = std::int64_t;

// When the scheduled checks run: the first one just after 3 minutes, then every 60 minutes
// from the tick that started the previous one, or from the end of the last manual check.
class CheckSchedule {
public:
    static constexpr ClockSeconds kFirstDelay = 3 * 60;
    static constexpr ClockSeconds kInterval = 60 * 60;

    // One timer tick. Returns true when a scheduled check should run now. The next time moves
    // ahead before the caller starts the check, whether or not checks are switched on, so a
    // tick that arrives during the check starts nothing.
    bool Tick(ClockSeconds now, bool checksActive) {
        if (!nextCheckTime_) {
            nextCheckTime_ = now + kFirstDelay;
        }
        if (now <= *nextCheckTime_) {
            return false;
        }
        nextCheckTime_ = now + kInterval;
        return checksActive;
    }

    // A manual check ended at `now`: the next scheduled one is a full interval later.
    void ManualCheckEnded(ClockSeconds now) { nextCheckTime_ = now + kInterval; }

private:
    std::optional<ClockSeconds> nextCheckTime_;
};

} // namespace fq
